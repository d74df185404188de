#pragma once
// The class registrations the renderer runs before reading a layout. A library of the layers
// below the tool adds its registration function to the list in registrations.cpp; the game's
// own forms, above the tool, announce theirs with a registration hook (core/registration_hooks.h).
// Either way the library links into the tool in CMakeLists.txt.

#include <vector>

using TRegistration = void (*)();

const std::vector<TRegistration>& LayoutRegistrations();
