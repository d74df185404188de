#pragma once
// TPrintDialog: choosing the printer (or a PDF file), the copies and the pages, over Qt's
// own (widget-based) print dialog. Execute starts from the program's printer (Printer())
// and, on OK, makes the choice of printer or file the printer's; Copies, Collate,
// PrintToFile, PrintRange and FromPage/ToPage stay here for the caller, who prints that
// many copies itself (the printer's own Copies are left as they were).
//
// Controls for automation: "Printer", "FileName", "Copies", "Collate", "AllPages",
// "PageRange", "FromPage", "ToPage", "Print", "Cancel".

#include <string>

#include "gui/dialogs/common_dialog.h"

enum TPrintRange { prAllPages, prSelection, prPageNums };
BREVANT_ENUM_NAMES(TPrintRange, "prAllPages", "prSelection", "prPageNums");

enum TPrintDialogOption { poPrintToFile, poPageNums, poSelection, poDisablePrintToFile };
BREVANT_ENUM_NAMES(TPrintDialogOption, "poPrintToFile", "poPageNums", "poSelection", "poDisablePrintToFile");
using TPrintDialogOptions = TSet<TPrintDialogOption>;

class TPrintDialog : public TCommonDialog {
 public:
  BREVANT_CLASS(TPrintDialog)
  explicit TPrintDialog(TComponent* AOwner);

  int Copies() const { return Copies_; }
  void SetCopies(int Value) { Copies_ = Value < 1 ? 1 : Value; }
  bool Collate() const { return Collate_; }
  void SetCollate(bool Value) { Collate_ = Value; }
  bool PrintToFile() const { return PrintToFile_; }
  void SetPrintToFile(bool Value) { PrintToFile_ = Value; }
  TPrintRange PrintRange() const { return PrintRange_; }
  void SetPrintRange(TPrintRange Value) { PrintRange_ = Value; }
  int FromPage() const { return FromPage_; }
  void SetFromPage(int Value) { FromPage_ = Value; }
  int ToPage() const { return ToPage_; }
  void SetToPage(int Value) { ToPage_ = Value; }
  int MinPage() const { return MinPage_; }
  void SetMinPage(int Value) { MinPage_ = Value; }
  int MaxPage() const { return MaxPage_; }
  void SetMaxPage(int Value) { MaxPage_ = Value; }
  TPrintDialogOptions Options() const { return Options_; }
  void SetOptions(TPrintDialogOptions Value) { Options_ = Value; }

  bool Execute() override;

 private:
  int Copies_ = 1;
  bool Collate_ = false;
  bool PrintToFile_ = false;
  TPrintRange PrintRange_ = prAllPages;
  int FromPage_ = 0;
  int ToPage_ = 0;
  int MinPage_ = 0;
  int MaxPage_ = 0;
  TPrintDialogOptions Options_;
};
