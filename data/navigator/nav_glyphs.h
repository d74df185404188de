#pragma once
// The pictures of the navigator's buttons: one resource per button, "dbn_" and the
// button's name ("dbn_FIRST" .. "dbn_REFRESH", matched regardless of case), each a PNG of
// two equal images side by side, normal and disabled (data/navigator/glyphs/).

#include <string>

#include "data/navigator/nav_types.h"

class TSpeedButton;

// "FIRST", "PRIOR", ... "REFRESH".
const char* NavButtonName(TNavigateBtn Kind);
// "dbn_FIRST" .. "dbn_REFRESH".
std::string NavGlyphResourceName(TNavigateBtn Kind);
// Gives the button its glyph (two images). Raises EResNotFound when the resource is missing.
void LoadNavGlyph(TSpeedButton& Button, TNavigateBtn Kind);
