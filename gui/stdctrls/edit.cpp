#include "gui/stdctrls/edit.h"

#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>

#include "gui/controls/keys.h"
#include "gui/forms/application.h"
#include "gui/qt/bridge.h"
#include "gui/qt/qt_convert.h"

BREVANT_DEFINE_CLASS(TEdit, TWinControl,
                     .Property("BorderStyle", &TEdit::BorderStyle, &TEdit::SetBorderStyle)
                         .Default(bsSingle)
                         .Property("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D)
                         .Default(true)
                         .With(PublishFontAndColor<TEdit>)
                         .Property("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength)
                         .Default(0)
                         .Property("PasswordChar", &TEdit::PasswordChar, &TEdit::SetPasswordChar)
                         .Default(char{0})
                         .Property("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly)
                         .Default(false)
                         .With(PublishTabbing<TEdit>)
                         .With(PublishText<TEdit>)
                         .With(PublishKeyEvents<TEdit>)
                         .Event("OnChange", &TEdit::OnChange))

BREVANT_DEFINE_CLASS(TMemo, TWinControl,
                     .Property("BorderStyle", &TMemo::BorderStyle, &TMemo::SetBorderStyle)
                         .Default(bsSingle)
                         .Property("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D)
                         .Default(true)
                         .With(PublishFontAndColor<TMemo>)
                         .Property("Lines", &TMemo::Lines, &TMemo::SetLines)
                         .Property("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly)
                         .Default(false)
                         .Property("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars)
                         .Default(ssNone)
                         .With(PublishTabbing<TMemo>)
                         .Property("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns)
                         .Default(true)
                         .Property("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs)
                         .Default(false)
                         .Property("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap)
                         .Default(true)
                         .With(PublishKeyEvents<TMemo>)
                         .Event("OnChange", &TMemo::OnChange))

namespace {

void ApplyBaseColor(QWidget* W, TColor Color) {
  QPalette palette = W->palette();
  palette.setColor(QPalette::Base, ToQColor(Color));
  W->setPalette(palette);
}

}  // namespace

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
  InitDefaults(clWindow, false);
  InitTabStop(true);
  SetBounds(0, 0, 121, 21);
}

QWidget* TEdit::CreateWidget(QWidget* ParentWidget) {
  return new TQtBridge<QLineEdit>(this, ParentWidget);
}

void TEdit::InitWidget() {
  auto* edit = static_cast<QLineEdit*>(Widget());
  edit->setMaxLength(MaxLength_ > 0 ? MaxLength_ : 32767);
  edit->setEchoMode(PasswordChar_ != 0 ? QLineEdit::Password : QLineEdit::Normal);
  edit->setReadOnly(ReadOnly_);
  edit->setFrame(BorderStyle_ != bsNone);
  ApplyBaseColor(edit, Color());
  QObject::connect(edit, &QLineEdit::textChanged, edit, [this](const QString& Text) {
    GuardCall([this, Text]() { SetText(FromQString(Text)); });
  });
  TWinControl::InitWidget();
}

void TEdit::ApplyText() {
  if (!HandleAllocated()) return;
  auto* edit = static_cast<QLineEdit*>(Widget());
  const QString text = ToQString(Text());
  if (edit->text() != text) edit->setText(text);
}

void TEdit::TextChanged() {
  TWinControl::TextChanged();
  if (!IsLoading()) Change();
}

void TEdit::Change() {
  if (OnChange) OnChange(this);
}

void TEdit::ColorChanged() {
  TWinControl::ColorChanged();
  if (HandleAllocated()) ApplyBaseColor(Widget(), Color());
}

void TEdit::SetMaxLength(int Value) {
  if (Value < 0) Value = 0;
  MaxLength_ = Value;
  if (HandleAllocated()) static_cast<QLineEdit*>(Widget())->setMaxLength(Value > 0 ? Value : 32767);
}

void TEdit::SetPasswordChar(char Value) {
  PasswordChar_ = Value;
  if (HandleAllocated()) {
    static_cast<QLineEdit*>(Widget())->setEchoMode(Value != 0 ? QLineEdit::Password : QLineEdit::Normal);
  }
}

void TEdit::SetReadOnly(bool Value) {
  ReadOnly_ = Value;
  if (HandleAllocated()) static_cast<QLineEdit*>(Widget())->setReadOnly(Value);
}

void TEdit::SetBorderStyle(TBorderStyle Value) {
  BorderStyle_ = Value;
  if (HandleAllocated()) static_cast<QLineEdit*>(Widget())->setFrame(Value != bsNone);
}

void TEdit::SelectAll() {
  if (HandleAllocated()) static_cast<QLineEdit*>(Widget())->selectAll();
}

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner), Lines_(std::make_unique<TStringList>()) {
  InitDefaults(clWindow, false);
  InitTabStop(true);
  SetBounds(0, 0, 185, 89);
  Lines_->OnChange = [this](TObject*) {
    if (Syncing_) return;
    PushLines();
    if (!IsLoading()) Change();
  };
}

TMemo::~TMemo() {
  Lines_->OnChange = nullptr;
}

QWidget* TMemo::CreateWidget(QWidget* ParentWidget) {
  return new TQtBridge<QPlainTextEdit>(this, ParentWidget);
}

void TMemo::InitWidget() {
  auto* edit = static_cast<QPlainTextEdit*>(Widget());
  ApplyOptions();
  ApplyBaseColor(edit, Color());
  PushLines();
  TQtEventRouter::ForwardEvents(edit->viewport(), this);
  QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this, edit]() {
    GuardCall([this, edit]() {
      if (Syncing_) return;
      Syncing_ = true;
      try {
        Lines_->SetText(FromQString(edit->toPlainText()));
      } catch (...) {
        Syncing_ = false;
        throw;
      }
      Syncing_ = false;
      Change();
    });
  });
  TWinControl::InitWidget();
}

void TMemo::PushLines() {
  if (!HandleAllocated()) return;
  auto* edit = static_cast<QPlainTextEdit*>(Widget());
  std::string text = Lines_->Text();
  if (!text.empty() && text.back() == '\n') text.pop_back();
  Syncing_ = true;
  edit->setPlainText(ToQString(text));
  Syncing_ = false;
}

void TMemo::ApplyOptions() {
  if (!HandleAllocated()) return;
  auto* edit = static_cast<QPlainTextEdit*>(Widget());
  edit->setReadOnly(ReadOnly_);
  edit->setLineWrapMode(WordWrap_ && ScrollBars_ != ssHorizontal && ScrollBars_ != ssBoth
                            ? QPlainTextEdit::WidgetWidth
                            : QPlainTextEdit::NoWrap);
  const bool h = ScrollBars_ == ssHorizontal || ScrollBars_ == ssBoth;
  const bool v = ScrollBars_ == ssVertical || ScrollBars_ == ssBoth;
  edit->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  edit->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  edit->setTabChangesFocus(!WantTabs_);
  edit->setFrameShape(BorderStyle_ == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

void TMemo::Change() {
  if (OnChange) OnChange(this);
}

void TMemo::ColorChanged() {
  TWinControl::ColorChanged();
  if (HandleAllocated()) ApplyBaseColor(Widget(), Color());
}

bool TMemo::WantsKey(uint16_t Key, TShiftState /*Shift*/) const {
  return Key == VK_RETURN && WantReturns_;
}

void TMemo::SetReadOnly(bool Value) {
  ReadOnly_ = Value;
  ApplyOptions();
}

void TMemo::SetWordWrap(bool Value) {
  WordWrap_ = Value;
  ApplyOptions();
}

void TMemo::SetScrollBars(TScrollStyle Value) {
  ScrollBars_ = Value;
  ApplyOptions();
}

void TMemo::SetWantTabs(bool Value) {
  WantTabs_ = Value;
  ApplyOptions();
}

void TMemo::SetBorderStyle(TBorderStyle Value) {
  BorderStyle_ = Value;
  ApplyOptions();
}
