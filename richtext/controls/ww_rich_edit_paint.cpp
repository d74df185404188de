// Painting and the formatting rectangle.

#include <cmath>

#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"

namespace {

// The pixels of the screen layout per inch, as the text is laid out.
constexpr int kLayoutPixelsPerInch = 96;

}  // namespace

bool TwwCustomRichEdit::PaintNotice() {
  if (!FirstPaintDone_) {
    FirstPaintDone_ = true;
    ApplyFormatRect();
  }
  PaintLoadContent();
  return !PaintingSuppressed_;
}

void TwwCustomRichEdit::ApplyFormatRect() {
  TRichEditBox* box = EditBoxIfAllocated();
  if (box == nullptr) return;
  TInternalUpdateScope quiet(*this);
  const bool verticalBar =
      (ScrollBars() == ssVertical || ScrollBars() == ssBoth) && box->VerticalScrollBarShowing();
  if (EditWidth() == rewWindowSize) {
    if (!Visible()) return;
    TRect r = Rect(3, 2, Width() - 4, Height());
    if (verticalBar) r.Right -= box->VerticalScrollBarWidth();
    if (HasLastFormatRect_ && r == LastFormatRect_) return;
    LastFormatRect_ = r;
    HasLastFormatRect_ = true;
    box->SetFormatRect(r);
    return;
  }
  // The printable width of the page: the paper less the left and right margins.
  double pageWidth = 0, pageHeight = 0;
  TRichEditBox::PaperSizeInches(PaperSize(), pageWidth, pageHeight);
  const double margins =
      MarginValueToTwips(PrintMargins()->Left() + PrintMargins()->Right(), MeasurementUnits()) / 1440.0;
  const int width = std::max(1, static_cast<int>(std::trunc((pageWidth - margins) * kLayoutPixelsPerInch)));
  TRect r = Rect(3, 0, width + 3 + 4, static_cast<int>(pageHeight * kLayoutPixelsPerInch));
  if (verticalBar) r.Right -= box->VerticalScrollBarWidth() + 5;
  LastFormatRect_ = r;
  HasLastFormatRect_ = true;
  box->SetFormatRect(r);
}

void TwwCustomRichEdit::BoundsChanged(const TRect& Old) {
  TCustomRichEdit::BoundsChanged(Old);
  if (EditWidth() == rewWindowSize) ApplyFormatRect();
}

void TwwCustomRichEdit::SelectionChange() {
  if (EditWidth() == rewWindowSize && Focused()) ApplyFormatRect();
  TCustomRichEdit::SelectionChange();
}
