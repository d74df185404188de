// Printing the content with the page margins: a measuring pass over the pages, then a printing
// pass, each page laid out by the edit layer on the printer's resolution.

#include "core/exceptions.h"
#include "gui/forms/screen.h"
#include "gui/printing/printer.h"
#include "richtext/controls/print_area.h"
#include "richtext/controls/richtext_strings.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"

namespace {

int ToTwips(int Pixels, int PixelsPerInch) {
  return static_cast<int>(int64_t{Pixels} * 1440 / std::max(1, PixelsPerInch));
}

// Forgets the layout of the pages however printing ends.
class TPageLayoutScope {
 public:
  explicit TPageLayoutScope(TRichEditBox& Box) : Box_(Box) { Box_.FormatRange(nullptr, false); }
  ~TPageLayoutScope() { Box_.FormatRange(nullptr, false); }
  TPageLayoutScope(const TPageLayoutScope&) = delete;
  TPageLayoutScope& operator=(const TPageLayoutScope&) = delete;

 private:
  TRichEditBox& Box_;
};

}  // namespace

void TwwCustomRichEdit::PrintContent(const std::string& Caption) {
  TPrinter& printer = *Printer();
  // In printer-width mode the text was laid out for this paper: print on it.
  if (EditWidth() == rewPrinterSize) printer.SetPaperSize(PaperSize());
  printer.SetTitle(Caption);

  TCursorScope wait(crHourGlass);
  TRichEditBox& box = *EditBox();
  TPageLayoutScope layout(box);
  const int length = box.TextLength();
  TRichFormatRange range;
  range.Printer = &printer;
  printer.BeginDoc();
  try {
    // The page as the job sees it, once the job has chosen its device.
    const int dpiX = printer.PixelsPerInchX(), dpiY = printer.PixelsPerInchY();
    TPrintGeometry page;
    const TSize paper = printer.PhysicalPageSize();
    const TPoint offset = printer.PrintingOffset();
    page.Paper = {ToTwips(paper.cx, dpiX), ToTwips(paper.cy, dpiY)};
    page.Offset = {ToTwips(offset.X, dpiX), ToTwips(offset.Y, dpiY)};
    page.Printable = {ToTwips(printer.PageWidth(), dpiX), ToTwips(printer.PageHeight(), dpiY)};
    const TwwPrintMargins& margins = *PrintMargins();
    range.Page = Rect(0, 0, page.Paper.cx, page.Paper.cy);
    range.Area = PrintTextArea(page, MarginValueToTwips(margins.Left(), MeasurementUnits()),
                               MarginValueToTwips(margins.Top(), MeasurementUnits()),
                               MarginValueToTwips(margins.Right(), MeasurementUnits()),
                               MarginValueToTwips(margins.Bottom(), MeasurementUnits()));
    // Margins that meet or cross leave nothing to print on: say so rather than print blank paper.
    if (range.Area.Width() <= 0 || range.Area.Height() <= 0) throw EPrinter(LoadResString(SPrintNoRoom));

    // Measuring: where the last page ends.
    int end = 0;
    for (int from = 0;;) {
      range.First = from;
      end = box.FormatRange(&range, false);
      if (end <= from || end >= length || end < 0) break;
      from = end;
    }
    // A PDF holds one copy: the pages are printed as often as copies are asked for.
    const int copies = printer.DeviceMakesCopies() ? 1 : printer.Copies();
    for (int copy = 0; copy < copies; ++copy) {
      if (copy > 0) printer.NewPage();
      for (int from = 0;;) {
        range.First = from;
        const int next = box.FormatRange(&range, true);
        if (next <= from || next >= end || next < 0) break;
        printer.NewPage();
        from = next;
      }
    }
  } catch (...) {
    if (printer.Printing()) printer.Abort();
    throw;
  }
  printer.EndDoc();
}
