#pragma once
// The class registrations the renderer runs before reading a layout. A library whose
// classes appear in layouts adds its registration function to the list in
// registrations.cpp (and links into the tool in CMakeLists.txt).

#include <vector>

using TRegistration = void (*)();

const std::vector<TRegistration>& LayoutRegistrations();
