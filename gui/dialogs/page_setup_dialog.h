#pragma once
// TPageSetupDialog: paper size, orientation and the four margins of a page. The margins
// are integers in the caller's Units: thousandths of an inch (pmInches) or hundredths of a
// millimetre (pmMillimeters), shown to the player as inches or millimetres. PaperSize is a
// paper code (see TPrinter); 0 starts from the program's printer's paper and orientation.
// OK with margins that leave no room on the paper shows a message and stays open.
// The dialog only reports the choice: the caller gives it to the printer.
//
// Controls for automation: "Paper", "Portrait", "Landscape", "Left", "Right", "Top",
// "Bottom", "OK", "Cancel".

#include "gui/dialogs/common_dialog.h"
#include "gui/printing/printer.h"

enum TPageMeasureUnits { pmInches, pmMillimeters };
BREVANT_ENUM_NAMES(TPageMeasureUnits, "pmInches", "pmMillimeters");

enum TPageSetupOption { psoDisableMargins, psoDisableOrientation, psoDisablePaper };
BREVANT_ENUM_NAMES(TPageSetupOption, "psoDisableMargins", "psoDisableOrientation", "psoDisablePaper");
using TPageSetupOptions = TSet<TPageSetupOption>;

class TPageSetupDialog : public TCommonDialog {
 public:
  BREVANT_CLASS(TPageSetupDialog)
  explicit TPageSetupDialog(TComponent* AOwner);

  TPageMeasureUnits Units() const { return Units_; }
  void SetUnits(TPageMeasureUnits Value) { Units_ = Value; }
  int MarginLeft() const { return MarginLeft_; }
  void SetMarginLeft(int Value) { MarginLeft_ = Value; }
  int MarginTop() const { return MarginTop_; }
  void SetMarginTop(int Value) { MarginTop_ = Value; }
  int MarginRight() const { return MarginRight_; }
  void SetMarginRight(int Value) { MarginRight_ = Value; }
  int MarginBottom() const { return MarginBottom_; }
  void SetMarginBottom(int Value) { MarginBottom_ = Value; }
  int PaperSize() const { return PaperSize_; }
  void SetPaperSize(int Value) { PaperSize_ = Value; }
  TPrinterOrientation Orientation() const { return Orientation_; }
  void SetOrientation(TPrinterOrientation Value) { Orientation_ = Value; }
  TPageSetupOptions Options() const { return Options_; }
  void SetOptions(TPageSetupOptions Value) { Options_ = Value; }

  // Raises EPrinter for an unknown PaperSize before anything shows.
  bool Execute() override;

 private:
  TPageMeasureUnits Units_ = pmInches;
  int MarginLeft_ = 1000;
  int MarginTop_ = 1000;
  int MarginRight_ = 1000;
  int MarginBottom_ = 1000;
  int PaperSize_ = 0;
  TPrinterOrientation Orientation_ = poPortrait;
  TPageSetupOptions Options_;
};
