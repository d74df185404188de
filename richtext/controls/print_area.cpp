#include "richtext/controls/print_area.h"

#include <algorithm>

TRect PrintTextArea(const TPrintGeometry& Page, int LeftMargin, int TopMargin, int RightMargin,
                    int BottomMargin) {
  // 64-bit on the way: margins come from typed text and may be anything.
  const auto clamp = [](int64_t Value, int64_t Low, int64_t High) {
    return static_cast<int>(std::clamp(Value, Low, std::max(Low, High)));
  };
  const int64_t width = Page.Printable.cx, height = Page.Printable.cy;
  const int left = clamp(int64_t{LeftMargin} - Page.Offset.X, 0, width);
  const int right = clamp(int64_t{Page.Paper.cx} - RightMargin - Page.Offset.X, left, width);
  const int top = clamp(int64_t{TopMargin} - Page.Offset.Y, 0, height);
  const int bottom = clamp(int64_t{Page.Paper.cy} - BottomMargin - Page.Offset.Y, top, height);
  return Rect(left, top, right, bottom);
}
