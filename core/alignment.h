#pragma once
// Horizontal alignment of a text in its box, shared by controls and by field objects
// (a field tells its controls how to align its value).

#include "core/types.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
BREVANT_ENUM_NAMES(TAlignment, "taLeftJustify", "taRightJustify", "taCenter");
