#pragma once
// TPrinter (the program's printer, Printer()): the printers the system has and the one in
// use, and the print job: BeginDoc, a Canvas per page (NewPage), EndDoc or Abort.
//
// With no printer installed, or with PrintToFile, the job is written as a PDF file by the
// same code path: to FileName when one is set, else to a new file in the temporary folder
// named after the Title. OutputFile tells where the current or last job went (empty for a
// printer). Whatever fails (no printer, a file that cannot be written, a call out of turn)
// raises EPrinter with a message that says what.
//
// Geometry, in the printer's pixels: the Canvas's origin is the top-left corner of the
// printable area, PrintingOffset from the paper's edge (the margin the device cannot
// print on); PageWidth x PageHeight is the printable area, PhysicalPageSize the whole sheet,
// PixelsPerInchX/Y the resolution. Font heights on the canvas are printer pixels too:
// points become pixels as -Points * PixelsPerInchY / 72.
//
// Paper sizes are numeric codes (1 letter, 5 legal, 8 A3, 9 A4, 11 A5, ...: PaperSizeName
// answers the names); an unknown code raises EPrinter. Paper, orientation, printer and
// file cannot change while a job is printing.

#include <memory>
#include <string>
#include <vector>

#include "core/exceptions.h"
#include "core/strings.h"
#include "gui/graphics/geometry.h"

class TCanvas;
class QPainter;
class QPrinter;

class EPrinter : public Exception {
  using Exception::Exception;
};

enum TPrinterOrientation { poPortrait, poLandscape };
BREVANT_ENUM_NAMES(TPrinterOrientation, "poPortrait", "poLandscape");

inline constexpr int kPaperLetter = 1;
inline constexpr int kPaperA4 = 9;

// The paper sizes a page setup offers, by code, in a sensible order.
const std::vector<int>& CommonPaperSizes();
// Whether Code names a paper size; its name ("A4", "Letter"); EPrinter for an unknown code.
bool IsKnownPaperSize(int Code);
std::string PaperSizeName(int Code);
// The sheet's width and height in portrait, in thousandths of an inch.
TSize PaperSizeInThousandths(int Code);

class TPrinter {
 public:
  TPrinter();
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // The system's printers, read on first use and again by Refresh.
  TStrings* Printers();
  void Refresh();
  // The printer in use, -1 for none (print to a file). Setting -1 chooses the system's
  // default printer if there is one.
  int PrinterIndex();
  void SetPrinterIndex(int Value);
  // The name of the printer in use, empty for none.
  std::string PrinterName();

  bool PrintToFile() const { return PrintToFile_; }
  void SetPrintToFile(bool Value);
  const std::string& FileName() const { return FileName_; }
  void SetFileName(const std::string& Value);
  const std::string& OutputFile() const { return OutputFile_; }
  // The file a job without FileName goes to: the Title in the temporary folder, numbered
  // so that no earlier file is overwritten.
  std::string SuggestedFileName() const;

  const std::string& Title() const { return Title_; }
  void SetTitle(const std::string& Value) { Title_ = Value; }
  int Copies() const { return Copies_; }
  void SetCopies(int Value);
  // Whether the job's device makes the Copies by itself (ask while printing). A PDF file
  // holds one copy: whoever prints the pages prints them Copies times, each from a new page.
  bool DeviceMakesCopies() const;
  TPrinterOrientation Orientation() const { return Orientation_; }
  void SetOrientation(TPrinterOrientation Value);
  int PaperSize() const { return PaperSize_; }
  void SetPaperSize(int Code);

  void BeginDoc();
  void NewPage();
  void EndDoc();
  // Stops the job; a file being written is removed.
  void Abort();
  bool Printing() const { return Painter_ != nullptr; }
  bool Aborted() const { return Aborted_; }
  int PageNumber() const { return PageNumber_; }
  // The canvas of the page being printed (it draws only while Printing); each job starts
  // with the canvas's default font, pen and brush.
  TCanvas* Canvas() const { return Canvas_.get(); }

  int PageWidth();
  int PageHeight();
  TSize PhysicalPageSize();
  TPoint PrintingOffset();
  int PixelsPerInchX();
  int PixelsPerInchY();

  // The faces the printer can print (scalable outlines), sorted.
  TStrings* Fonts();

  // For layers that draw with Qt themselves: see printer_device.h.
  QPrinter& Device();
  QPainter* Painter() const { return Painter_.get(); }

 private:
  void RequireIdle() const;
  void RequirePrinting() const;
  void ApplySettings();

  std::unique_ptr<QPrinter> Device_;
  std::unique_ptr<QPainter> Painter_;
  std::unique_ptr<TCanvas> Canvas_;
  std::unique_ptr<TStringList> Printers_;
  std::unique_ptr<TStringList> Fonts_;
  bool PrintersRead_ = false;
  int PrinterIndex_ = -1;
  bool PrintToFile_ = false;
  std::string FileName_;
  std::string OutputFile_;
  std::string Title_;
  int Copies_ = 1;
  TPrinterOrientation Orientation_ = poPortrait;
  int PaperSize_;
  bool Aborted_ = false;
  int PageNumber_ = 0;
};

// The program's printer, made on first use.
TPrinter* Printer();
// Frees the program's printer (the GUI module does this at its end).
void FreePrinter();
