#pragma once
// The window framework's test support and temporary folders, under the name the suites of
// the framework and of the layers above it include.

#include "gui_support.h"
#include "temp_folder.h"
