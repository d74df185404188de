#pragma once
// The two looks of the progress bar, each drawn over a whole interior rectangle.

#include <cstdint>
#include <string>

#include "gui/graphics/canvas.h"
#include "widgets/progress_types.h"

// The text the solid look writes across the bar: "42%", or nothing.
std::string PercentText(uint16_t Percent, bool ShowPercent);

// The part of Interior that Percent fills: all of it from 100 percent on; otherwise
// from the left (horizontal) or from the bottom (vertical), Round(length x Percent / 100)
// pixels long.
TRect SolidBarFill(const TRect& Interior, TOrientation Orientation, uint16_t Percent);

// One solid fill in BarColor over BackColor, with the percentage centred on half of the
// interior's right edge: in BackColor where it lies over the fill and in BarColor over the
// rest. Answers the filled part.
TRect DrawSolidBar(TCanvas& Canvas, const TRect& Interior, TOrientation Orientation, TColor BarColor,
                   TColor BackColor, uint16_t Percent, bool ShowPercent);

// How the block look divides a bar of Length pixels into blocks; Count and Size are 0 when
// no block fits (no segments requested, or fewer pixels than blocks).
struct TLedLayout {
  int Count = 0;   // blocks actually drawn
  int Size = 0;    // pixels per block, its one-pixel gaps included
  int Margin = 0;  // pixels before the first block (and, give or take one, after the last)
};
TLedLayout LayoutLedBar(int Length, int RequestedSegments);
// How many of Count blocks Percent lights (never more than Count).
int LitSegments(uint16_t Percent, int Count);

// A row of blocks (a column, from the bottom, when vertical): lit ones in BarColor, each
// ringed by one pixel of BackColor; unlit ones and the margins in BackColor. When no
// block fits the whole interior is BackColor. Answers the part the lit blocks cover.
TRect DrawLedBar(TCanvas& Canvas, const TRect& Interior, TOrientation Orientation, TColor BarColor,
                 TColor BackColor, int NumSegments, uint16_t Percent);
