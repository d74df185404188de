#pragma once
// Frames of the control family: one-pixel edge lines, bands of them, and the ten frame
// styles. Each function draws inside the rectangle it is given and returns the rectangle
// left inside what it drew. Lines are one pixel wide and leave out their end point.
//
// Nothing is drawn on an empty rectangle, so a frame that is wider than what it frames
// never draws outside it; the rectangle returned is then empty too.

#include "gui/graphics/canvas.h"
#include "widgets/progress_types.h"

// Left then top in the first colour, right then bottom in the second (so the top-right
// and bottom-left corner pixels take the second colour). Each drawn side moves in by one.
TRect DrawEdgeLines(TCanvas& Canvas, const TRect& Bounds, TColor FirstColor, TColor SecondColor,
                    TSides Sides);

// DrawEdgeLines Count times, each inside the last, with a pen one pixel wide. A band wider
// than the rectangle stops once nothing is left inside.
TRect DrawEdgeBand(TCanvas& Canvas, const TRect& Bounds, TColor FirstColor, TColor SecondColor, int Count,
                   TSides Sides);

// Pixels per side that Style takes.
int FrameStyleWidth(TFrameStyle Style);

// One frame style on the given sides.
TRect DrawFrameStyle(TCanvas& Canvas, const TRect& Bounds, TFrameStyle Style, TSides Sides);
