#pragma once
// Resolving colours for drawing. A system colour (top bit set) is looked up in the
// desktop's palette each time something is drawn, so a palette change shows at once.

#include "core/color.h"

// The RGB value that Color stands for now: system colours from the desktop's palette,
// RGB values unchanged, clNone and clDefault as black.
TColor ColorToRGB(TColor Color);
