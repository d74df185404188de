#include "gui/dialogs/print_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <climits>

#include "core/rtti.h"
#include "gui/printing/printer.h"
#include "gui/qt/dialog_window.h"
#include "gui/qt/qt_convert.h"

BREVANT_DEFINE_CLASS(TPrintDialog, TCommonDialog,
                     .Property("Collate", &TPrintDialog::Collate, &TPrintDialog::SetCollate)
                         .Default(false)
                         .Property("Copies", &TPrintDialog::Copies, &TPrintDialog::SetCopies)
                         .Default(1)
                         .Property("FromPage", &TPrintDialog::FromPage, &TPrintDialog::SetFromPage)
                         .Default(0)
                         .Property("MaxPage", &TPrintDialog::MaxPage, &TPrintDialog::SetMaxPage)
                         .Default(0)
                         .Property("MinPage", &TPrintDialog::MinPage, &TPrintDialog::SetMinPage)
                         .Default(0)
                         .Property("Options", &TPrintDialog::Options, &TPrintDialog::SetOptions)
                         .Default(TPrintDialogOptions{})
                         .Property("PrintRange", &TPrintDialog::PrintRange, &TPrintDialog::SetPrintRange)
                         .Default(prAllPages)
                         .Property("PrintToFile", &TPrintDialog::PrintToFile, &TPrintDialog::SetPrintToFile)
                         .Default(false)
                         .Property("ToPage", &TPrintDialog::ToPage, &TPrintDialog::SetToPage)
                         .Default(0))

TPrintDialog::TPrintDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}

bool TPrintDialog::Execute() {
  TPrinter* printer = Printer();
  // The dialog works on a device of its own; the choice goes to the printer on OK.
  QPrinter device(QPrinter::HighResolution);
  const bool toFile = PrintToFile_ || printer->PrintToFile() || printer->PrinterIndex() < 0;
  if (toFile) {
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(
        ToQString(printer->FileName().empty() ? printer->SuggestedFileName() : printer->FileName()));
  } else {
    device.setPrinterName(ToQString(printer->PrinterName()));
  }
  device.setPageSize(QPageSize(QPageSize::id(printer->PaperSize())));
  device.setPageOrientation(printer->Orientation() == poLandscape ? QPageLayout::Landscape
                                                                  : QPageLayout::Portrait);
  device.setDocName(ToQString(printer->Title()));
  device.setCopyCount(Copies_);
  device.setCollateCopies(Collate_);

  auto* dialog = new QPrintDialog(&device, DialogParentWidget(this));
  TDialogWindow window(*this, dialog);
  dialog->setOption(QAbstractPrintDialog::PrintToFile, !Options_.Contains(poDisablePrintToFile));
  dialog->setOption(QAbstractPrintDialog::PrintPageRange, Options_.Contains(poPageNums));
  dialog->setOption(QAbstractPrintDialog::PrintSelection, Options_.Contains(poSelection));
  dialog->setOption(QAbstractPrintDialog::PrintCollateCopies, true);
  if (MinPage_ > 0 || MaxPage_ > 0)
    dialog->setMinMax(std::max(1, MinPage_), MaxPage_ > 0 ? MaxPage_ : INT_MAX);
  if (Options_.Contains(poPageNums) && FromPage_ > 0)
    dialog->setFromTo(FromPage_, std::max(FromPage_, ToPage_));
  dialog->setPrintRange(
      PrintRange_ == prPageNums && Options_.Contains(poPageNums)     ? QAbstractPrintDialog::PageRange
      : PrintRange_ == prSelection && Options_.Contains(poSelection) ? QAbstractPrintDialog::Selection
                                                                     : QAbstractPrintDialog::AllPages);

  window.Name("Printer", dialog->findChild<QComboBox*>("printers"));
  window.Name("FileName", dialog->findChild<QLineEdit*>("filename"));
  window.Name("Copies", dialog->findChild<QSpinBox*>("copies"));
  window.Name("Collate", dialog->findChild<QCheckBox*>("collate"));
  window.Name("AllPages", dialog->findChild<QRadioButton*>("printAll"));
  window.Name("PageRange", dialog->findChild<QRadioButton*>("printRange"));
  window.Name("FromPage", dialog->findChild<QSpinBox*>("from"));
  window.Name("ToPage", dialog->findChild<QSpinBox*>("to"));
  if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
    window.Name("Print", buttons->button(QDialogButtonBox::Ok));
    window.Name("Cancel", buttons->button(QDialogButtonBox::Cancel));
    // Copies and pages are what this dialog is for: its options start unfolded.
    for (QAbstractButton* b : buttons->buttons()) {
      if (buttons->buttonRole(b) != QDialogButtonBox::ResetRole) continue;
      window.Name("Options", b);
      b->click();
    }
  }

  if (!window.ExecModal()) return false;
  Copies_ = std::max(1, device.copyCount());
  Collate_ = device.collateCopies();
  PrintToFile_ = device.outputFormat() == QPrinter::PdfFormat;
  switch (dialog->printRange()) {
    case QAbstractPrintDialog::PageRange:
      PrintRange_ = prPageNums;
      break;
    case QAbstractPrintDialog::Selection:
      PrintRange_ = prSelection;
      break;
    default:
      PrintRange_ = prAllPages;
      break;
  }
  FromPage_ = dialog->fromPage();
  ToPage_ = dialog->toPage();
  printer->SetPrintToFile(PrintToFile_);
  if (PrintToFile_) {
    printer->SetFileName(FromQString(device.outputFileName()));
  } else {
    const int index = printer->Printers()->IndexOf(FromQString(device.printerName()));
    if (index >= 0) printer->SetPrinterIndex(index);
  }
  return true;
}
