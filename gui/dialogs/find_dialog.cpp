#include "gui/dialogs/find_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/rtti.h"
#include "gui/forms/application.h"
#include "gui/gui_strings.h"
#include "gui/qt/dialog_window.h"
#include "gui/qt/qt_convert.h"

BREVANT_DEFINE_CLASS(TFindDialog, TCommonDialog,
                     .Property("FindText", &TFindDialog::FindText, &TFindDialog::SetFindText)
                         .Property("Options", &TFindDialog::Options, &TFindDialog::SetOptions)
                         .Default(TFindOptions{frDown})
                         .Event("OnFind", &TFindDialog::OnFind))

BREVANT_DEFINE_CLASS(TReplaceDialog, TFindDialog,
                     .Property("ReplaceText", &TReplaceDialog::ReplaceText, &TReplaceDialog::SetReplaceText)
                         .Event("OnReplace", &TReplaceDialog::OnReplace))

namespace {

template <class W>
W* Named(TDialogWindow& Window, const char* Name) {
  return static_cast<W*>(Window.Control(Name));
}

QString Caption(const TResString& S) {
  return ToQString(LoadResString(S));
}

}  // namespace

TFindDialog::TFindDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}

TFindDialog::~TFindDialog() {
  // The window goes without reporting a close to a component that is going itself.
  Window_.reset();
}

std::string TFindDialog::WindowCaption() const {
  return LoadResString(SFindDialogCaption);
}

void TFindDialog::SetFindText(const std::string& Value) {
  if (Value == FindText_) return;
  FindText_ = Value;
  PushToWindow();
}

void TFindDialog::SetOptions(TFindOptions Value) {
  if (Value == Options_) return;
  Options_ = Value;
  PushToWindow();
}

bool TFindDialog::Execute() {
  // A window that Qt freed with the window it belonged to is made anew.
  if (Window_ != nullptr && Window_->Dialog() == nullptr) Window_.reset();
  if (Window_ == nullptr) BuildWindow();
  PushToWindow();
  Window_->ShowModeless();
  return true;
}

void TFindDialog::CloseDialog() {
  if (Window_ != nullptr && Window_->Dialog() != nullptr) Window_->Dialog()->close();
}

void TFindDialog::BuildWindow() {
  auto* dialog = new QDialog(DialogParentWidget(this));
  dialog->setWindowTitle(ToQString(WindowCaption()));
  dialog->setSizeGripEnabled(false);
  Window_ = std::make_unique<TDialogWindow>(*this, dialog);
  TDialogWindow& w = *Window_;

  auto* fields = new QGridLayout;
  auto addField = [&](int Row, const TResString& Label, const char* Name, const char* LabelName) {
    auto* label = new QLabel(Caption(Label), dialog);
    auto* edit = new QLineEdit(dialog);
    label->setBuddy(edit);
    fields->addWidget(label, Row, 0);
    fields->addWidget(edit, Row, 1);
    w.Name(Name, edit);
    w.Name(LabelName, label);
    QObject::connect(edit, &QLineEdit::textChanged, dialog,
                     [this]() { GuardCall([this]() { UpdateButtons(); }); });
  };
  addField(0, SFindWhat, "FindText", "FindLabel");
  if (Replacing()) addField(1, SReplaceWith, "ReplaceText", "ReplaceLabel");

  auto* checks = new QVBoxLayout;
  auto* wholeWord = new QCheckBox(Caption(SMatchWholeWord), dialog);
  auto* matchCase = new QCheckBox(Caption(SMatchCase), dialog);
  checks->addWidget(wholeWord);
  checks->addWidget(matchCase);
  checks->addStretch();
  w.Name("WholeWord", wholeWord);
  w.Name("MatchCase", matchCase);

  auto* options = new QHBoxLayout;
  options->addLayout(checks);
  if (!Replacing()) {
    // Searching backwards is the find dialog's alone.
    auto* direction = new QGroupBox(Caption(SDirection), dialog);
    auto* up = new QRadioButton(Caption(SDirectionUp), direction);
    auto* down = new QRadioButton(Caption(SDirectionDown), direction);
    auto* directions = new QHBoxLayout(direction);
    directions->addWidget(up);
    directions->addWidget(down);
    options->addWidget(direction);
    w.Name("Direction", direction);
    w.Name("Up", up);
    w.Name("Down", down);
  }

  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addLayout(options);

  auto* buttons = new QVBoxLayout;
  auto addButton = [&](const TResString& Text, const char* Name) {
    auto* b = new QPushButton(Caption(Text), dialog);
    b->setAutoDefault(false);
    buttons->addWidget(b);
    w.Name(Name, b);
    return b;
  };
  QPushButton* findNext = addButton(SFindNextButton, "FindNext");
  findNext->setDefault(true);
  QObject::connect(findNext, &QPushButton::clicked, dialog,
                   [this]() { GuardCall([this]() { Pressed(frFindNext); }); });
  if (Replacing()) {
    QObject::connect(addButton(SReplaceButton, "Replace"), &QPushButton::clicked, dialog,
                     [this]() { GuardCall([this]() { Pressed(frReplace); }); });
    QObject::connect(addButton(SReplaceAllButton, "ReplaceAll"), &QPushButton::clicked, dialog,
                     [this]() { GuardCall([this]() { Pressed(frReplaceAll); }); });
  }
  QObject::connect(addButton(SMsgDlgCancel, "Cancel"), &QPushButton::clicked, dialog, &QDialog::reject);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(dialog);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);
  QObject::connect(dialog, &QDialog::finished, dialog,
                   [this]() { GuardCall([this]() { WindowFinished(); }); });
}

void TFindDialog::PushToWindow() {
  if (Window_ == nullptr || Window_->Dialog() == nullptr) return;
  TDialogWindow& w = *Window_;
  auto* find = Named<QLineEdit>(w, "FindText");
  if (find->text() != ToQString(FindText_)) find->setText(ToQString(FindText_));
  auto setUp = [&](const char* Name, TFindOption Checked, TFindOption Hide, TFindOption Disable) {
    auto* box = Named<QCheckBox>(w, Name);
    box->setChecked(Options_.Contains(Checked));
    box->setVisible(!Options_.Contains(Hide));
    box->setEnabled(!Options_.Contains(Disable));
  };
  setUp("WholeWord", frWholeWord, frHideWholeWord, frDisableWholeWord);
  setUp("MatchCase", frMatchCase, frHideMatchCase, frDisableMatchCase);
  if (QWidget* direction = w.Control("Direction")) {
    direction->setVisible(!Options_.Contains(frHideUpDown));
    direction->setEnabled(!Options_.Contains(frDisableUpDown));
    Named<QRadioButton>(w, "Down")->setChecked(Options_.Contains(frDown));
    Named<QRadioButton>(w, "Up")->setChecked(!Options_.Contains(frDown));
  }
  UpdateButtons();
}

void TFindDialog::TakeFromWindow() {
  if (Window_ == nullptr || Window_->Dialog() == nullptr) return;
  TDialogWindow& w = *Window_;
  FindText_ = FromQString(Named<QLineEdit>(w, "FindText")->text());
  auto take = [&](bool On, TFindOption Option) {
    if (On) {
      Options_.Include(Option);
    } else {
      Options_.Exclude(Option);
    }
  };
  take(Named<QCheckBox>(w, "WholeWord")->isChecked(), frWholeWord);
  take(Named<QCheckBox>(w, "MatchCase")->isChecked(), frMatchCase);
  if (w.Control("Down") != nullptr) take(Named<QRadioButton>(w, "Down")->isChecked(), frDown);
}

void TFindDialog::UpdateButtons() {
  if (Window_ == nullptr || Window_->Dialog() == nullptr) return;
  // Nothing to look for: nothing to press.
  const bool any = !Named<QLineEdit>(*Window_, "FindText")->text().isEmpty();
  for (const char* name : {"FindNext", "Replace", "ReplaceAll"})
    if (QWidget* b = Window_->Control(name)) b->setEnabled(any);
}

void TFindDialog::Pressed(TFindOption Action) {
  TakeFromWindow();
  Options_ = Options_ - TFindOptions{frFindNext, frReplace, frReplaceAll};
  Options_.Include(Action);
  if (Action == frFindNext) {
    DoFind();
  } else {
    DoReplace();
  }
}

void TFindDialog::DoFind() {
  if (OnFind) OnFind(this);
}

void TFindDialog::WindowFinished() {
  if (Window_ == nullptr) return;
  // The window goes after this message: this runs from inside its own close.
  Window_->Release();
  Window_.reset();
  DoClose();
}

std::string TReplaceDialog::WindowCaption() const {
  return LoadResString(SReplaceDialogCaption);
}

void TReplaceDialog::SetReplaceText(const std::string& Value) {
  if (Value == ReplaceText_) return;
  ReplaceText_ = Value;
  PushToWindow();
}

void TReplaceDialog::DoReplace() {
  if (OnReplace) OnReplace(this);
}

void TReplaceDialog::TakeFromWindow() {
  TFindDialog::TakeFromWindow();
  if (TDialogWindow* w = OpenWindow(); w != nullptr && w->Dialog() != nullptr)
    ReplaceText_ = FromQString(Named<QLineEdit>(*w, "ReplaceText")->text());
}

void TReplaceDialog::PushToWindow() {
  TFindDialog::PushToWindow();
  TDialogWindow* w = OpenWindow();
  if (w == nullptr || w->Dialog() == nullptr) return;
  auto* edit = Named<QLineEdit>(*w, "ReplaceText");
  if (edit->text() != ToQString(ReplaceText_)) edit->setText(ToQString(ReplaceText_));
}
