#include "gui/dialogs/page_setup_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "core/numbers.h"
#include "core/rtti.h"
#include "gui/dialogs/message_box.h"
#include "gui/gui_strings.h"
#include "gui/qt/dialog_window.h"
#include "gui/qt/qt_convert.h"

BREVANT_DEFINE_CLASS(
    TPageSetupDialog, TCommonDialog,
    .Property("MarginBottom", &TPageSetupDialog::MarginBottom, &TPageSetupDialog::SetMarginBottom)
        .Default(1000)
        .Property("MarginLeft", &TPageSetupDialog::MarginLeft, &TPageSetupDialog::SetMarginLeft)
        .Default(1000)
        .Property("MarginRight", &TPageSetupDialog::MarginRight, &TPageSetupDialog::SetMarginRight)
        .Default(1000)
        .Property("MarginTop", &TPageSetupDialog::MarginTop, &TPageSetupDialog::SetMarginTop)
        .Default(1000)
        .Property("Options", &TPageSetupDialog::Options, &TPageSetupDialog::SetOptions)
        .Default(TPageSetupOptions{})
        .Property("Orientation", &TPageSetupDialog::Orientation, &TPageSetupDialog::SetOrientation)
        .Default(poPortrait)
        .Property("PaperSize", &TPageSetupDialog::PaperSize, &TPageSetupDialog::SetPaperSize)
        .Default(0)
        .Property("Units", &TPageSetupDialog::Units, &TPageSetupDialog::SetUnits)
        .Default(pmInches))

namespace {

// A dialog that asks before it accepts.
class TCheckedDialog : public QDialog {
 public:
  using QDialog::QDialog;
  std::function<bool()> Validate;

 protected:
  void done(int Result) override {
    if (Result == QDialog::Accepted && Validate && !Validate()) return;
    QDialog::done(Result);
  }
};

QString Caption(const TResString& S) {
  return ToQString(LoadResString(S));
}

}  // namespace

TPageSetupDialog::TPageSetupDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}

bool TPageSetupDialog::Execute() {
  int paper = PaperSize_;
  TPrinterOrientation orientation = Orientation_;
  if (paper == 0) {
    paper = Printer()->PaperSize();
    orientation = Printer()->Orientation();
  }
  PaperSizeName(paper);  // an unknown code is an error before anything shows

  // Shown in inches or millimetres; kept in thousandths of an inch or hundredths of a millimetre.
  const bool inches = Units_ == pmInches;
  const double scale = inches ? 1000.0 : 100.0;

  auto* dialog = new TCheckedDialog(DialogParentWidget(this));
  TDialogWindow window(*this, dialog);
  dialog->setWindowTitle(Caption(SPageSetupCaption));

  auto* paperGroup = new QGroupBox(Caption(SPaperGroup), dialog);
  auto* paperRow = new QHBoxLayout(paperGroup);
  auto* paperLabel = new QLabel(Caption(SPaperSizeLabel), paperGroup);
  auto* paperCombo = new QComboBox(paperGroup);
  paperLabel->setBuddy(paperCombo);
  paperRow->addWidget(paperLabel);
  paperRow->addWidget(paperCombo, 1);
  std::vector<int> codes = CommonPaperSizes();
  if (std::find(codes.begin(), codes.end(), paper) == codes.end()) codes.push_back(paper);
  for (int code : codes)
    paperCombo->addItem(ToQString(PaperSizeName(code)), code);
  paperCombo->setCurrentIndex(paperCombo->findData(paper));
  paperGroup->setEnabled(!Options_.Contains(psoDisablePaper));
  window.Name("Paper", paperCombo);

  auto* orientationGroup = new QGroupBox(Caption(SOrientationGroup), dialog);
  auto* orientationColumn = new QVBoxLayout(orientationGroup);
  auto* portrait = new QRadioButton(Caption(SPortrait), orientationGroup);
  auto* landscape = new QRadioButton(Caption(SLandscape), orientationGroup);
  orientationColumn->addWidget(portrait);
  orientationColumn->addWidget(landscape);
  (orientation == poLandscape ? landscape : portrait)->setChecked(true);
  orientationGroup->setEnabled(!Options_.Contains(psoDisableOrientation));
  window.Name("Portrait", portrait);
  window.Name("Landscape", landscape);

  auto* marginGroup = new QGroupBox(Caption(inches ? SMarginsInches : SMarginsMillimeters), dialog);
  auto* marginGrid = new QGridLayout(marginGroup);
  auto addMargin = [&](int Row, int Column, const TResString& Label, const char* Name, int Value) {
    auto* label = new QLabel(Caption(Label), marginGroup);
    auto* spin = new QDoubleSpinBox(marginGroup);
    spin->setDecimals(inches ? 3 : 2);
    spin->setRange(0, inches ? 100.0 : 2540.0);
    spin->setSingleStep(inches ? 0.125 : 1.0);
    spin->setValue(Value / scale);
    label->setBuddy(spin);
    marginGrid->addWidget(label, Row, Column * 2);
    marginGrid->addWidget(spin, Row, Column * 2 + 1);
    window.Name(Name, spin);
    return spin;
  };
  QDoubleSpinBox* left = addMargin(0, 0, SMarginLeft, "Left", MarginLeft_);
  QDoubleSpinBox* right = addMargin(0, 1, SMarginRight, "Right", MarginRight_);
  QDoubleSpinBox* top = addMargin(1, 0, SMarginTop, "Top", MarginTop_);
  QDoubleSpinBox* bottom = addMargin(1, 1, SMarginBottom, "Bottom", MarginBottom_);
  marginGroup->setEnabled(!Options_.Contains(psoDisableMargins));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(ToQString(LoadResString(SMsgDlgOK)));
  buttons->button(QDialogButtonBox::Cancel)->setText(ToQString(LoadResString(SMsgDlgCancel)));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  window.Name("OK", buttons->button(QDialogButtonBox::Ok));
  window.Name("Cancel", buttons->button(QDialogButtonBox::Cancel));

  auto* sides = new QHBoxLayout;
  sides->addWidget(paperGroup, 1);
  sides->addWidget(orientationGroup);
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(sides);
  layout->addWidget(marginGroup);
  layout->addWidget(buttons);

  // The paper as chosen, in the margins' units, turned as chosen.
  auto sheet = [&]() {
    const TSize thousandths = PaperSizeInThousandths(paperCombo->currentData().toInt());
    const double factor = inches ? 1.0 : 2.54;
    const double w = thousandths.cx * factor, h = thousandths.cy * factor;
    return landscape->isChecked() ? std::make_pair(h, w) : std::make_pair(w, h);
  };
  auto units = [scale](const QDoubleSpinBox* Spin) {
    return static_cast<double>(Round(Spin->value() * scale));
  };
  dialog->Validate = [&]() {
    const auto [width, height] = sheet();
    if (units(left) + units(right) < width && units(top) + units(bottom) < height) return true;
    ShowMessageBox(LoadResString(SMarginsTooLarge), FromQString(dialog->windowTitle()), mtWarning, {mbOK});
    return false;
  };

  if (!window.ExecModal()) return false;
  MarginLeft_ = static_cast<int>(units(left));
  MarginRight_ = static_cast<int>(units(right));
  MarginTop_ = static_cast<int>(units(top));
  MarginBottom_ = static_cast<int>(units(bottom));
  PaperSize_ = paperCombo->currentData().toInt();
  Orientation_ = landscape->isChecked() ? poLandscape : poPortrait;
  return true;
}
