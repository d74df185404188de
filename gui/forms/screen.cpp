#include "gui/forms/screen.h"

#include <QApplication>
#include <QCursor>
#include <QFontDatabase>
#include <QScreen>
#include <algorithm>

#include "gui/forms/form.h"
#include "gui/qt/bridge.h"
#include "gui/qt/qt_convert.h"

BREVANT_DEFINE_CLASS(TScreen, TComponent, )

TScreen* Screen = nullptr;

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TScreen::~TScreen() {
  if (Cursor_ != crDefault && QGuiApplication::instance() != nullptr)
    QGuiApplication::restoreOverrideCursor();
  if (Screen == this) Screen = nullptr;
}

void TScreen::SetCursor(TCursor Value) {
  if (Value == Cursor_) return;
  if (QGuiApplication::instance() != nullptr) {
    if (Value == crDefault) {
      QGuiApplication::restoreOverrideCursor();
    } else if (Cursor_ == crDefault) {
      QGuiApplication::setOverrideCursor(QCursor(CursorShapeOf(Value)));
    } else {
      QGuiApplication::changeOverrideCursor(QCursor(CursorShapeOf(Value)));
    }
  }
  Cursor_ = Value;
}

int TScreen::Width() const {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s != nullptr ? s->geometry().width() : 0;
}

TRect TScreen::WorkAreaRect() const {
  const QScreen* s = QGuiApplication::primaryScreen();
  if (s == nullptr) return {};
  const QRect r = s->availableGeometry();
  return Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

int TScreen::Height() const {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s != nullptr ? s->geometry().height() : 0;
}

int TScreen::PixelsPerInch() const {
  return kPixelsPerInch;
}

TStrings* TScreen::Fonts() {
  if (!Fonts_) {
    Fonts_ = std::make_unique<TStringList>();
    Fonts_->SetSorted(true);
    for (const QString& family : QFontDatabase::families())
      Fonts_->Add(FromQString(family));
  }
  return Fonts_.get();
}

TCustomForm* TScreen::ActiveForm() const {
  if (QApplication::instance() != nullptr) {
    if (QWidget* w = QApplication::activeWindow()) {
      if (auto* form = dynamic_cast<TCustomForm*>(TQtEventRouter::ControlOf(w))) return form;
    }
  }
  return ActiveForm_;
}

TWinControl* TScreen::ActiveControl() const {
  TCustomForm* form = ActiveForm();
  return form != nullptr ? form->ActiveControl() : nullptr;
}

void TScreen::AddForm(TCustomForm* Form) {
  Forms_.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
  Forms_.erase(std::remove(Forms_.begin(), Forms_.end(), Form), Forms_.end());
  if (ActiveForm_ == Form) ActiveForm_ = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* Form) {
  ActiveForm_ = Form;
}

TCursorScope::TCursorScope(TCursor Cursor) : Saved_(Screen != nullptr ? Screen->Cursor() : crDefault) {
  if (Screen != nullptr) Screen->SetCursor(Cursor);
}

TCursorScope::~TCursorScope() {
  if (Screen != nullptr) Screen->SetCursor(Saved_);
}
