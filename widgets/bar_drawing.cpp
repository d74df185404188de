#include "widgets/bar_drawing.h"

#include <algorithm>

#include "core/numbers.h"

namespace {

// Round(Length x Percent / 100): the product is an integer (64 bits, so no width can
// overflow it), the division floating point, halves to even.
int PercentOf(int Length, uint16_t Percent) {
  return static_cast<int>(Round(static_cast<double>(int64_t{Length} * Percent) / 100));
}

void FillWith(TCanvas& Canvas, const TRect& R, TColor Color) {
  Canvas.Brush()->SetColor(Color);
  Canvas.FillRect(R);
}

// One text drawn opaque and clipped into Part: Part filled with the brush, the text over
// it in the font colour, cut at Part's edges.
void TextInto(TCanvas& Canvas, const TRect& Part, int X, int Y, const std::string& Text) {
  if (!Part.IsEmpty()) Canvas.TextRect(Part, X, Y, Text);
}

}  // namespace

std::string PercentText(uint16_t Percent, bool ShowPercent) {
  return ShowPercent ? std::to_string(Percent) + "%" : std::string();
}

TRect SolidBarFill(const TRect& Interior, TOrientation Orientation, uint16_t Percent) {
  const TRect& r = Interior;
  if (Percent >= 100) return r;
  if (Orientation == orHorizontal)
    return Rect(r.Left, r.Top, r.Left + PercentOf(r.Width(), Percent), r.Bottom);
  return Rect(r.Left, r.Bottom - PercentOf(r.Height(), Percent), r.Right, r.Bottom);
}

TRect DrawSolidBar(TCanvas& Canvas, const TRect& Interior, TOrientation Orientation, TColor BarColor,
                   TColor BackColor, uint16_t Percent, bool ShowPercent) {
  const TRect& r = Interior;
  if (r.IsEmpty()) return r;
  const std::string text = PercentText(Percent, ShowPercent);
  Canvas.Font()->SetColor(BackColor);
  Canvas.Brush()->SetColor(BarColor);
  const TRect fill = SolidBarFill(r, Orientation, Percent);

  // The text hangs from its top and is centred on half of the interior's right edge
  // (not on the middle between left and right), so it sits where the bar has always put it.
  Canvas.SetTextAlign(TA_CENTER | TA_TOP);
  const int textHeight = Canvas.TextHeight("X");
  const int x = r.Right / 2;
  const int y = r.Top + (r.Height() - textHeight) / 2;
  TextInto(Canvas, fill, x, y, text);

  const TRect rest = Orientation == orHorizontal ? Rect(fill.Right, r.Top, r.Right, r.Bottom)
                                                 : Rect(r.Left, r.Top, r.Right, fill.Top);
  Canvas.Font()->SetColor(BarColor);
  Canvas.Brush()->SetColor(BackColor);
  TextInto(Canvas, rest, x, y, text);
  return fill;
}

TLedLayout LayoutLedBar(int Length, int RequestedSegments) {
  if (Length <= 0 || RequestedSegments <= 0) return {};
  int count = RequestedSegments;
  int size = Length / count;
  // A short bar never shows more than ten blocks.
  if (Length <= 80 && count > 10) {
    count = 10;
    size = Length / 10;
  }
  if (size <= 0) return {};
  // As many more blocks as fit into what is left over.
  const int extra = (Length - count * size) / size;
  if (extra > 0) count += extra;
  return {count, size, (Length - count * size) / 2};
}

int LitSegments(uint16_t Percent, int Count) {
  const int64_t lit = Trunc(static_cast<double>(int64_t{Percent} * Count) / 100);
  return static_cast<int>(std::min<int64_t>(lit, Count));
}

TRect DrawLedBar(TCanvas& Canvas, const TRect& Interior, TOrientation Orientation, TColor BarColor,
                 TColor BackColor, int NumSegments, uint16_t Percent) {
  const TRect& r = Interior;
  if (r.IsEmpty()) return r;
  const bool horizontal = Orientation == orHorizontal;
  const TLedLayout led = LayoutLedBar(horizontal ? r.Width() : r.Height(), NumSegments);
  // Nothing lit yet: an empty rectangle where the lighting starts.
  const TRect none =
      horizontal ? Rect(r.Left, r.Top, r.Left, r.Bottom) : Rect(r.Left, r.Bottom, r.Right, r.Bottom);
  if (led.Count == 0) {
    FillWith(Canvas, r, BackColor);
    return none;
  }
  const int n = led.Count, s = led.Size, m = led.Margin;

  // The margins at both ends, with a clear pen (which fills one pixel short of the right
  // and bottom coordinates given).
  TPen& pen = *Canvas.Pen();
  pen.SetStyle(psClear);
  Canvas.Brush()->SetColor(BackColor);
  if (horizontal) {
    Canvas.Rectangle(r.Left - 1, r.Top, r.Left + m + 1, r.Bottom + 1);
    Canvas.Rectangle(r.Right - m - 1, r.Top, r.Right + 1, r.Bottom + 1);
  } else {
    Canvas.Rectangle(r.Left, r.Top, r.Right + 1, r.Top + m + 1);
    Canvas.Rectangle(r.Left, r.Bottom - m - 1, r.Right + 1, r.Bottom + 1);
  }

  pen.SetColor(BackColor);
  pen.SetStyle(psSolid);
  pen.SetWidth(1);
  // Block i (from 1) counted from the left, or from the bottom of a vertical bar.
  auto block = [&](int i) {
    return horizontal ? Rect(r.Left + m + (i - 1) * s, r.Top, r.Left + m + i * s, r.Bottom)
                      : Rect(r.Left, r.Top + m + (n - i) * s, r.Right, r.Top + m + (n - i + 1) * s);
  };
  const int lit = LitSegments(Percent, n);
  Canvas.Brush()->SetColor(BarColor);
  for (int i = 1; i <= lit; ++i)
    Canvas.Rectangle(block(i));
  Canvas.Brush()->SetColor(BackColor);
  for (int i = lit + 1; i <= n; ++i)
    Canvas.Rectangle(block(i));

  if (lit == 0) return none;
  const TRect first = block(1), last = block(lit);
  return horizontal ? Rect(first.Left, r.Top, last.Right, r.Bottom)
                    : Rect(r.Left, last.Top, r.Right, first.Bottom);
}
