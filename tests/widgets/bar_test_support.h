#pragma once
// Helpers of the progress bar tests: painting a control or a drawing function into an
// image that starts in a colour nothing draws, and reading its pixels as TColor.

#include <QImage>
#include <functional>
#include <ostream>
#include <utility>
#include <vector>

#include "gui/controls/graphic_control.h"
#include "gui/graphics/colors.h"

// A colour no test draws with: pixels still in it were never painted.
inline constexpr TColor kUnpainted = RGBColor(0x12, 0x34, 0x56);

// The control painted as its parent would paint it, into an image of its size.
QImage PaintControl(TGraphicControl& Control);
// Draw runs on a canvas over a Width x Height image that starts in kUnpainted.
QImage DrawOn(int Width, int Height, const std::function<void(TCanvas&)>& Draw);

TColor PixelAt(const QImage& Image, int X, int Y);
// The colour Color is drawn in (system colours resolved now).
inline TColor Rgb(TColor Color) {
  return ColorToRGB(Color);
}
// How many pixels of the rectangle are not in Color.
int CountOther(const QImage& Image, const TRect& R, TColor Color);
// The runs of Color along row Y from X1 to X2 (exclusive), as [start, end) pairs.
std::vector<std::pair<int, int>> RunsInRow(const QImage& Image, int Y, int X1, int X2, TColor Color);
std::vector<std::pair<int, int>> RunsInColumn(const QImage& Image, int X, int Y1, int Y2, TColor Color);

// Readable colours in test messages.
void PrintTo(TColor Color, std::ostream* Out);
