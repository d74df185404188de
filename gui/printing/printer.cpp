#include "gui/printing/printer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

#include "core/format.h"
#include "gui/graphics/canvas.h"
#include "gui/gui_strings.h"
#include "gui/printing/printer_device.h"
#include "gui/qt/qt_convert.h"

namespace {

QPageSize::PageSizeId PageSizeIdOf(int Code) {
  // Qt knows the classic numeric paper codes.
  return Code > 0 ? QPageSize::id(Code) : QPageSize::Custom;
}

TPrinter*& PrinterSlot() {
  static TPrinter* printer = nullptr;
  return printer;
}

int Rounded(double Value) {
  return static_cast<int>(std::lround(Value));
}

}  // namespace

const std::vector<int>& CommonPaperSizes() {
  // Letter, legal, executive, tabloid, A3, A4, A5, B4, B5, envelopes #10, DL and C5.
  static const std::vector<int> codes = {1, 5, 7, 3, 8, 9, 11, 12, 13, 20, 27, 28};
  return codes;
}

bool IsKnownPaperSize(int Code) {
  return PageSizeIdOf(Code) != QPageSize::Custom;
}

std::string PaperSizeName(int Code) {
  const QPageSize::PageSizeId id = PageSizeIdOf(Code);
  if (id == QPageSize::Custom) throw EPrinter(Format(LoadResString(SUnknownPaperSize), Code));
  return FromQString(QPageSize::name(id));
}

TSize PaperSizeInThousandths(int Code) {
  const QPageSize::PageSizeId id = PageSizeIdOf(Code);
  if (id == QPageSize::Custom) throw EPrinter(Format(LoadResString(SUnknownPaperSize), Code));
  const QSizeF inches = QPageSize::size(id, QPageSize::Inch);
  return {Rounded(inches.width() * 1000), Rounded(inches.height() * 1000)};
}

TPrinter::TPrinter()
    : Device_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      Canvas_(std::make_unique<TCanvas>()),
      Printers_(std::make_unique<TStringList>()) {
  const int code = Device_->pageLayout().pageSize().windowsId();
  PaperSize_ = IsKnownPaperSize(code) ? code : kPaperA4;
}

TPrinter::~TPrinter() {
  if (Printing()) {
    try {
      Abort();
    } catch (...) {  // a destructor reports nothing
    }
  }
}

void TPrinter::RequireIdle() const {
  if (Printing()) throw EPrinter(LoadResString(SPrinting));
}

void TPrinter::RequirePrinting() const {
  if (!Printing()) throw EPrinter(LoadResString(SNotPrinting));
}

TStrings* TPrinter::Printers() {
  if (!PrintersRead_) Refresh();
  return Printers_.get();
}

void TPrinter::Refresh() {
  RequireIdle();
  const std::string current = PrintersRead_ ? PrinterName() : std::string();
  Printers_->Clear();
  for (const QString& name : QPrinterInfo::availablePrinterNames())
    Printers_->Add(FromQString(name));
  PrintersRead_ = true;
  PrinterIndex_ = current.empty() ? -1 : Printers_->IndexOf(current);
  if (PrinterIndex_ < 0) SetPrinterIndex(-1);
}

int TPrinter::PrinterIndex() {
  Printers();
  return PrinterIndex_;
}

void TPrinter::SetPrinterIndex(int Value) {
  RequireIdle();
  TStrings* printers = Printers();
  if (Value < -1 || Value >= printers->Count()) throw EPrinter(LoadResString(SPrinterIndexError));
  if (Value == -1) {
    Value = printers->IndexOf(FromQString(QPrinterInfo::defaultPrinterName()));
    if (Value < 0 && printers->Count() > 0) Value = 0;
  }
  PrinterIndex_ = Value;
}

std::string TPrinter::PrinterName() {
  const int index = PrinterIndex();
  return index >= 0 ? Printers_->Get(index) : std::string();
}

void TPrinter::SetPrintToFile(bool Value) {
  RequireIdle();
  PrintToFile_ = Value;
}

void TPrinter::SetFileName(const std::string& Value) {
  RequireIdle();
  FileName_ = Value;
}

void TPrinter::SetCopies(int Value) {
  RequireIdle();
  Copies_ = Value < 1 ? 1 : Value;
}

bool TPrinter::DeviceMakesCopies() const {
  return Device_->supportsMultipleCopies();
}

void TPrinter::SetOrientation(TPrinterOrientation Value) {
  RequireIdle();
  Orientation_ = Value;
  Device_->setPageOrientation(Value == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void TPrinter::SetPaperSize(int Code) {
  RequireIdle();
  if (!IsKnownPaperSize(Code)) throw EPrinter(Format(LoadResString(SUnknownPaperSize), Code));
  PaperSize_ = Code;
  Device_->setPageSize(QPageSize(PageSizeIdOf(Code)));
}

void TPrinter::ApplySettings() {
  // Choosing the output may bring the device's own defaults: ours go on top.
  const bool toFile = PrintToFile_ || PrinterIndex() < 0;
  if (toFile) {
    OutputFile_ = FileName_.empty() ? SuggestedFileName() : FileName_;
    Device_->setOutputFormat(QPrinter::PdfFormat);
    Device_->setOutputFileName(ToQString(OutputFile_));
  } else {
    OutputFile_.clear();
    Device_->setOutputFormat(QPrinter::NativeFormat);
    Device_->setPrinterName(ToQString(PrinterName()));
    Device_->setOutputFileName(QString());
  }
  Device_->setPageSize(QPageSize(PageSizeIdOf(PaperSize_)));
  Device_->setPageOrientation(Orientation_ == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  Device_->setDocName(ToQString(Title_));
  Device_->setCopyCount(Copies_);
  Device_->setFullPage(false);
}

std::string TPrinter::SuggestedFileName() const {
  QString base = ToQString(Title_).trimmed();
  for (QChar& c : base)
    if (c == '/' || c == '\\' || c.isSpace() || c == ':') c = '_';
  if (base.isEmpty()) base = QStringLiteral("print");
  const QDir dir(QDir::tempPath());
  QString path = dir.filePath(base + ".pdf");
  for (int n = 2; QFileInfo::exists(path); ++n)
    path = dir.filePath(QStringLiteral("%1-%2.pdf").arg(base).arg(n));
  return FromQString(path);
}

void TPrinter::BeginDoc() {
  RequireIdle();
  ApplySettings();
  const std::string target = OutputFile_.empty() ? PrinterName() : OutputFile_;
  if (!Device_->isValid()) throw EPrinter(Format(LoadResString(SCannotPrintTo), target));
  auto painter = std::make_unique<QPainter>();
  if (!painter->begin(Device_.get())) {
    OutputFile_.clear();
    throw EPrinter(Format(LoadResString(SCannotPrintTo), target));
  }
  Painter_ = std::move(painter);
  Aborted_ = false;
  PageNumber_ = 1;
  // Every job starts from the same canvas: nothing carries over from the last one.
  const TFont font;
  const TPen pen;
  const TBrush brush;
  Canvas_->Font()->Assign(font);
  Canvas_->Pen()->Assign(pen);
  Canvas_->Brush()->Assign(brush);
  Canvas_->MoveTo(0, 0);
  Canvas_->SetTextAlign(TA_LEFT | TA_TOP);
  Canvas_->Attach(Painter_.get(), nullptr);
}

void TPrinter::NewPage() {
  RequirePrinting();
  if (!Device_->newPage()) throw EPrinter(LoadResString(SCannotStartPage));
  ++PageNumber_;
}

void TPrinter::EndDoc() {
  RequirePrinting();
  Canvas_->Detach();
  const bool ended = Painter_->end();
  Painter_.reset();
  PageNumber_ = 0;
  if (!ended)
    throw EPrinter(Format(LoadResString(SCannotPrintTo), OutputFile_.empty() ? PrinterName() : OutputFile_));
}

void TPrinter::Abort() {
  RequirePrinting();
  Canvas_->Detach();
  Device_->abort();
  Painter_->end();
  Painter_.reset();
  PageNumber_ = 0;
  Aborted_ = true;
  if (!OutputFile_.empty()) {
    QFile::remove(ToQString(OutputFile_));
    OutputFile_.clear();
  }
}

int TPrinter::PageWidth() {
  return Rounded(Device_->pageRect(QPrinter::DevicePixel).width());
}

int TPrinter::PageHeight() {
  return Rounded(Device_->pageRect(QPrinter::DevicePixel).height());
}

TSize TPrinter::PhysicalPageSize() {
  const QRectF paper = Device_->paperRect(QPrinter::DevicePixel);
  return {Rounded(paper.width()), Rounded(paper.height())};
}

TPoint TPrinter::PrintingOffset() {
  const QRectF page = Device_->pageRect(QPrinter::DevicePixel);
  const QRectF paper = Device_->paperRect(QPrinter::DevicePixel);
  return {Rounded(page.left() - paper.left()), Rounded(page.top() - paper.top())};
}

int TPrinter::PixelsPerInchX() {
  return Device_->logicalDpiX();
}

int TPrinter::PixelsPerInchY() {
  return Device_->logicalDpiY();
}

TStrings* TPrinter::Fonts() {
  if (!Fonts_) {
    Fonts_ = std::make_unique<TStringList>();
    Fonts_->SetSorted(true);
    for (const QString& family : QFontDatabase::families()) {
      if (QFontDatabase::isScalable(family)) Fonts_->Add(FromQString(family));
    }
  }
  return Fonts_.get();
}

QPrinter& TPrinter::Device() {
  return *Device_;
}

TPrinter* Printer() {
  TPrinter*& printer = PrinterSlot();
  if (printer == nullptr) printer = new TPrinter();
  return printer;
}

void FreePrinter() {
  TPrinter*& printer = PrinterSlot();
  delete printer;
  printer = nullptr;
}

QPrinter& PrinterDevice(TPrinter& Printer) {
  return Printer.Device();
}

QPainter* PrinterPainter(TPrinter& Printer) {
  return Printer.Painter();
}
