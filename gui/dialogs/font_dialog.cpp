#include "gui/dialogs/font_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <functional>

#include "core/format.h"
#include "core/rtti.h"
#include "gui/controls/control.h"
#include "gui/dialogs/message_box.h"
#include "gui/gui_strings.h"
#include "gui/qt/dialog_window.h"
#include "gui/qt/qt_convert.h"

BREVANT_DEFINE_CLASS(TFontDialog, TCommonDialog,
                     .Property("Device", &TFontDialog::Device, &TFontDialog::SetDevice)
                         .Default(fdScreen)
                         .Property("Font", &TFontDialog::Font)
                         .Property("MaxFontSize", &TFontDialog::MaxFontSize, &TFontDialog::SetMaxFontSize)
                         .Default(0)
                         .Property("MinFontSize", &TFontDialog::MinFontSize, &TFontDialog::SetMinFontSize)
                         .Default(0)
                         .Property("Options", &TFontDialog::Options, &TFontDialog::SetOptions)
                         .Default(TFontDialogOptions{fdEffects}))

namespace {

struct TNamedColor {
  const TResString* Name;
  TColor Color;
};

const TNamedColor kColors[] = {
    {&SColorBlack, clBlack}, {&SColorMaroon, clMaroon},   {&SColorGreen, clGreen},
    {&SColorOlive, clOlive}, {&SColorNavy, clNavy},       {&SColorPurple, clPurple},
    {&SColorTeal, clTeal},   {&SColorGray, clGray},       {&SColorSilver, clSilver},
    {&SColorRed, clRed},     {&SColorLime, clLime},       {&SColorYellow, clYellow},
    {&SColorBlue, clBlue},   {&SColorFuchsia, clFuchsia}, {&SColorAqua, clAqua},
    {&SColorWhite, clWhite},
};

// Qt's font dialog, refusing OK while the size is out of bounds.
class TQtFontDialog : public QFontDialog {
 public:
  using QFontDialog::QFontDialog;
  std::function<bool()> Validate;

 protected:
  void done(int Result) override {
    if (Result == QDialog::Accepted && Validate && !Validate()) return;
    QFontDialog::done(Result);
  }
};

QIcon Swatch(TColor Color) {
  QPixmap pixmap(24, 12);
  pixmap.fill(ToQColor(Color));
  QPainter painter(&pixmap);
  painter.setPen(Qt::black);
  painter.drawRect(0, 0, 23, 11);
  return QIcon(pixmap);
}

QFont QtFontOf(const TFont& Font) {
  QFont f(ToQString(ResolveFontFamily(Font.Name(), Font.Pitch())));
  f.setPointSize(std::max(1, Font.Size()));
  f.setBold(Font.Style().Contains(fsBold));
  f.setItalic(Font.Style().Contains(fsItalic));
  f.setUnderline(Font.Style().Contains(fsUnderline));
  f.setStrikeOut(Font.Style().Contains(fsStrikeOut));
  return f;
}

// The colour choice, added to the dialog's effects beside underline and strike-out.
QComboBox* AddColorChoice(QGroupBox* Effects, TColor Current, QLineEdit* Sample) {
  auto* row = new QHBoxLayout;
  auto* label = new QLabel(ToQString(LoadResString(SFontColorLabel)), Effects);
  auto* combo = new QComboBox(Effects);
  label->setBuddy(combo);
  row->addWidget(label);
  row->addWidget(combo, 1);
  if (auto* layout = qobject_cast<QBoxLayout*>(Effects->layout())) {
    layout->addLayout(row);
  } else if (Effects->layout() != nullptr) {
    Effects->layout()->addWidget(combo);
  }
  for (const TNamedColor& c : kColors)
    combo->addItem(Swatch(c.Color), ToQString(LoadResString(*c.Name)), QVariant(static_cast<uint>(c.Color)));
  int index = combo->findData(QVariant(static_cast<uint>(Current)));
  if (index < 0) {
    // A colour of its own (a system colour too) stays what it is unless the player picks another.
    combo->addItem(Swatch(Current), ToQString(LoadResString(SFontCustomColor)),
                   QVariant(static_cast<uint>(Current)));
    index = combo->count() - 1;
  }
  combo->setCurrentIndex(index);
  auto showInSample = [combo, Sample]() {
    if (Sample == nullptr) return;
    QPalette palette = Sample->palette();
    palette.setColor(QPalette::Text, ToQColor(TColor(combo->currentData().toUInt())));
    Sample->setPalette(palette);
  };
  QObject::connect(combo, &QComboBox::currentIndexChanged, combo, showInSample);
  showInSample();
  return combo;
}

}  // namespace

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), Font_(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

bool TFontDialog::PrintableFacesOnly() const {
  return Device_ == fdPrinter || Options_.Contains(fdWysiwyg) || Options_.Contains(fdScalableOnly);
}

bool TFontDialog::Execute() {
  auto* dialog = new TQtFontDialog(DialogParentWidget(this));
  TDialogWindow window(*this, dialog);
  QFontDialog::FontDialogOptions options = QFontDialog::DontUseNativeDialog;
  if (PrintableFacesOnly()) options |= QFontDialog::ScalableFonts;
  if (Options_.Contains(fdFixedPitchOnly)) options |= QFontDialog::MonospacedFonts;
  dialog->setOptions(options);
  dialog->setCurrentFont(QtFontOf(*Font_));

  // Qt's dialog names none of its parts; they are found by kind, in the order it makes them.
  const QList<QListView*> lists = dialog->findChildren<QListView*>(Qt::FindDirectChildrenOnly);
  const QList<QLineEdit*> edits = dialog->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly);
  if (lists.size() >= 3) {
    window.Name("Face", lists[0]);
    window.Name("Style", lists[1]);
    window.Name("Size", lists[2]);
  }
  if (edits.size() >= 3) window.Name("SizeText", edits[2]);
  QGroupBox* effects = nullptr;
  for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
    const std::string text = StripAccelerators(FromQString(box->text()));
    if (text.find("Strike") != std::string::npos) window.Name("StrikeOut", box);
    if (text.find("Underline") != std::string::npos) window.Name("Underline", box);
    effects = qobject_cast<QGroupBox*>(box->parentWidget());
  }
  if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
    window.Name("OK", buttons->button(QDialogButtonBox::Ok));
    window.Name("Cancel", buttons->button(QDialogButtonBox::Cancel));
  }
  QComboBox* color = nullptr;
  if (effects != nullptr) {
    color =
        AddColorChoice(effects, Font_->Color(), dialog->findChild<QLineEdit*>("qt_fontDialog_sampleEdit"));
    window.Name("Color", color);
    effects->setVisible(Options_.Contains(fdEffects));
  }
  dialog->Validate = [this, dialog]() {
    const int size = dialog->currentFont().pointSize();
    const int low = MinFontSize_ > 0 ? MinFontSize_ : 1;
    const int high = MaxFontSize_ > 0 ? MaxFontSize_ : 32767;
    if (size >= low && size <= high) return true;
    ShowMessageBox(Format(LoadResString(SFontSizeLimits), low, high), FromQString(dialog->windowTitle()),
                   mtWarning, {mbOK});
    return false;
  };

  if (!window.ExecModal()) return false;
  const QFont chosen = dialog->currentFont();
  Font_->SetName(FromQString(chosen.family()));
  if (chosen.pointSize() > 0) Font_->SetSize(chosen.pointSize());
  TFontStyles style;
  if (chosen.bold()) style.Include(fsBold);
  if (chosen.italic()) style.Include(fsItalic);
  if (chosen.underline()) style.Include(fsUnderline);
  if (chosen.strikeOut()) style.Include(fsStrikeOut);
  Font_->SetStyle(style);
  if (color != nullptr) Font_->SetColor(TColor(color->currentData().toUInt()));
  return true;
}
