// The formatting rectangle, wrapping and scroll bars.

#include <QPageSize>
#include <QScrollBar>
#include <QStyle>

#include "richtext/edit/rich_edit_internal.h"

void TRichEditBox::SetFormatRect(const TRect& Value) {
  FormatRect_ = Value;
  HasFormatRect_ = true;
  ApplyFormatRect();
}

void TRichEditBox::SetWordWrap(bool Value) {
  WordWrap_ = Value;
  ApplyFormatRect();
}

void TRichEditBox::ApplyFormatRect() {
  if (!HasFormatRect_) {
    setViewportMargins(0, 0, 0, 0);
    setLineWrapMode(WordWrap_ ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    return;
  }
  // The rectangle is in client coordinates: inside the frame, before the scroll bars.
  const QRect contents = contentsRect();
  const int scrollBar = VerticalScrollBarShowing() ? VerticalScrollBarWidth() : 0;
  const int room = contents.width() - scrollBar;
  const TRect& r = FormatRect_;
  const int left = std::max(0, r.Left);
  const int top = std::max(0, r.Top);
  const int right = std::max(0, room - std::max(r.Right, left));
  const int bottom = std::max(0, contents.height() - std::max(r.Bottom, top));
  setViewportMargins(left, top, right, bottom);
  if (!WordWrap_) {
    setLineWrapMode(QTextEdit::NoWrap);
  } else if (r.Width() > room - left) {
    // Wider than the box: lay the text out at the rectangle's width (a page-wide layout).
    setLineWrapMode(QTextEdit::FixedPixelWidth);
    setLineWrapColumnOrWidth(std::max(1, r.Width()));
  } else {
    setLineWrapMode(QTextEdit::WidgetWidth);
  }
}

void TRichEditBox::SetScrollBars(TScrollStyle Value, bool HideScrollBars) {
  const Qt::ScrollBarPolicy shown = HideScrollBars ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
  const bool vertical = Value == ssVertical || Value == ssBoth;
  const bool horizontal = Value == ssHorizontal || Value == ssBoth;
  setVerticalScrollBarPolicy(vertical ? shown : Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(horizontal ? shown : Qt::ScrollBarAlwaysOff);
}

bool TRichEditBox::VerticalScrollBarShowing() const {
  switch (verticalScrollBarPolicy()) {
    case Qt::ScrollBarAlwaysOff:
      return false;
    case Qt::ScrollBarAlwaysOn:
      return true;
    default:
      return verticalScrollBar()->maximum() > 0;
  }
}

int TRichEditBox::VerticalScrollBarWidth() const {
  return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void TRichEditBox::SetBorder(bool Value) {
  setFrameShape(Value ? QFrame::StyledPanel : QFrame::NoFrame);
  ApplyFormatRect();
}

void TRichEditBox::SetRedraw(bool Value) {
  setUpdatesEnabled(Value);
  if (Value) viewport()->update();
}

void TRichEditBox::PaperSizeInches(int PaperCode, double& Width, double& Height) {
  QPageSize::PageSizeId id = QPageSize::id(PaperCode);
  if (id == QPageSize::Custom) id = QPageSize::Letter;
  const QSizeF size = QPageSize(id).size(QPageSize::Inch);
  Width = size.width();
  Height = size.height();
}
