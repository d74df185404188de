#pragma once
// The commands a program sends to the help viewer.

#include <cstdint>

inline constexpr uint16_t HELP_CONTEXT = 1;   // show topic number Data (from 1)
inline constexpr uint16_t HELP_QUIT = 2;      // close every help window
inline constexpr uint16_t HELP_CONTENTS = 3;  // show the list of topics
inline constexpr uint16_t HELP_FINDER = 11;   // show the list of topics with the search field
