// Printing: the content laid out on the printer's resolution and cut into pages of whole lines.

#include "richtext/edit/rich_edit_pages.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "gui/printing/printer.h"
#include "gui/printing/printer_device.h"
#include "richtext/edit/rich_edit_internal.h"

TRichPageLayout::TRichPageLayout(const QTextDocument& Source, QPaintDevice& Device, double Width)
    : Document_(Source.clone()),
      Device_(&Device),
      DpiX_(Device.logicalDpiX()),
      DpiY_(Device.logicalDpiY()),
      Width_(Width) {
  QTextDocument& doc = *Document_;
  // Fonts in points, indents and pictures take the device's resolution: the pages show what the
  // screen shows, at the printer's fineness.
  doc.documentLayout()->setPaintDevice(&Device);
  QTextOption option = doc.defaultTextOption();
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  doc.setDefaultTextOption(option);
  doc.setTextWidth(Width);
  Length_ = doc.characterCount() - 1;
  QAbstractTextDocumentLayout* layout = doc.documentLayout();
  bool breakAfter = false;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    const QRectF area = layout->blockBoundingRect(block);
    const QTextLayout* lines = block.layout();
    const QTextBlockFormat format = block.blockFormat();
    const bool breakBefore = breakAfter || (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
    breakAfter = format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter;
    for (int i = 0; i < lines->lineCount(); ++i) {
      const QTextLine line = lines->lineAt(i);
      const double top = area.top() + line.y();
      Lines_.push_back(
          {block.position() + line.textStart(), top, top + line.height(), i == 0 && breakBefore});
    }
  }
}

TRichPageLayout::~TRichPageLayout() = default;

bool TRichPageLayout::Fits(const QPaintDevice& Device, double Width) const {
  return &Device == Device_ && Device.logicalDpiX() == DpiX_ && Device.logicalDpiY() == DpiY_ &&
         std::abs(Width - Width_) < 0.5;
}

int TRichPageLayout::NextPage(int First, int Last, double Height, size_t& FirstLine, size_t& EndLine) const {
  FirstLine = EndLine = 0;
  if (Lines_.empty() || (First >= Length_ && Length_ > 0)) return Length_;
  // The page starts with the line that holds First.
  const auto after =
      std::upper_bound(Lines_.begin(), Lines_.end(), First,
                       [](int Position, const TLine& Line) { return Position < Line.Position; });
  FirstLine = after == Lines_.begin() ? 0 : static_cast<size_t>(after - Lines_.begin()) - 1;
  const double top = Lines_[FirstLine].Top;
  EndLine = FirstLine + 1;
  // Whole lines that fit; the first one always does, so that every page moves on.
  while (EndLine < Lines_.size()) {
    const TLine& line = Lines_[EndLine];
    if (line.StartsPage || line.Bottom - top > Height) break;
    if (Last >= 0 && line.Position >= Last) break;
    ++EndLine;
  }
  return EndLine < Lines_.size() ? Lines_[EndLine].Position : Length_;
}

void TRichPageLayout::Draw(QPainter& Painter, size_t FirstLine, size_t EndLine, double Left,
                           double Top) const {
  if (FirstLine >= EndLine || EndLine > Lines_.size()) return;
  const double top = Lines_[FirstLine].Top;
  const double bottom = Lines_[EndLine - 1].Bottom;
  Painter.save();
  Painter.translate(Left, Top - top);
  // Only the page's own lines: the line after the last one may begin inside the same height.
  const QRectF clip(0, top, Width_, bottom - top);
  Painter.setClipRect(clip);
  // The layout draws every line that touches its clip, also one that only ends where the page
  // starts: half a pixel in on each side keeps the neighbours' lines off this page (a PDF keeps
  // text outside the painter's clip).
  QAbstractTextDocumentLayout::PaintContext context;
  context.clip = clip.adjusted(0, 0.5, 0, -0.5);
  context.palette.setColor(QPalette::Text, Qt::black);
  Document_->documentLayout()->draw(&Painter, context);
  Painter.restore();
}

int TRichEditBox::FormatRange(const TRichFormatRange* Range, bool Render) {
  if (Range == nullptr) {
    Pages_.reset();
    return 0;
  }
  if (Range->Printer == nullptr) return -1;
  QPaintDevice& device = PrinterDevice(*Range->Printer);
  const double perTwipX = device.logicalDpiX() / 1440.0;
  const double perTwipY = device.logicalDpiY() / 1440.0;
  const double width = Range->Area.Width() * perTwipX;
  const double height = Range->Area.Height() * perTwipY;
  const int first = std::clamp(Range->First, 0, TextLength());
  // An area with no room holds nothing: the page does not move on.
  if (width < 1 || height < 1) return first;
  if (!Pages_ || !Pages_->Fits(device, width))
    Pages_ = std::make_unique<TRichPageLayout>(*document(), device, width);
  size_t firstLine = 0, endLine = 0;
  const int next = Pages_->NextPage(first, Range->Last, height, firstLine, endLine);
  if (Render) {
    QPainter* painter = PrinterPainter(*Range->Printer);
    if (painter != nullptr)
      Pages_->Draw(*painter, firstLine, endLine, Range->Area.Left * perTwipX, Range->Area.Top * perTwipY);
  }
  return next;
}
