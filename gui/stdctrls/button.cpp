#include "gui/stdctrls/button.h"

#include <algorithm>

#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPushButton>

#include "gui/forms/application.h"
#include "gui/forms/form.h"
#include "gui/qt/bridge.h"
#include "gui/qt/qt_convert.h"

namespace {

// Frame and a pixel of air on each side of a caption.
constexpr int CaptionMargin = 4;
// Narrower than this a caption gets hard to read; past it, it is clipped instead.
constexpr int MinCaptionStretch = 75;
// Between a glyph and its caption.
constexpr int GlyphSpacing = 4;

}  // namespace

BREVANT_DEFINE_CLASS(TButton, TWinControl,
                     .Property("Cancel", &TButton::Cancel, &TButton::SetCancel)
                         .Default(false)
                         .With(PublishCaption<TButton>)
                         .Property("Default", &TButton::Default, &TButton::SetDefault)
                         .Default(false)
                         .Property("Font", &TControl::Font)
                         .StoredIf([](const TButton& c) { return !c.ParentFont(); })
                         .Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
                         .Default(mrNone)
                         .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
                         .Default(true)
                         .With(PublishTabbing<TButton>)
                         .With(PublishKeyEvents<TButton>))

BREVANT_DEFINE_CLASS(TBitBtn, TButton,
                     .Property("Glyph", &TBitBtn::Glyph)
                         .Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind)
                         .Default(bkCustom)
                         .Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs)
                         .Default(1)
                         .Range(1, 4))

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  InitTabStop(true);
  TControlStyle style = ControlStyle();
  style.Exclude(csClickEvents);  // clicks come from the Qt button
  SetControlStyle(style);
  SetBounds(0, 0, 75, 25);
}

QWidget* TButton::CreateWidget(QWidget* ParentWidget) {
  return new TQtBridge<QPushButton>(this, ParentWidget);
}

void TButton::InitWidget() {
  auto* button = static_cast<QPushButton*>(Widget());
  button->setAutoDefault(false);
  button->setDefault(Default_);
  QObject::connect(button, &QPushButton::clicked, button, [this]() { GuardCall([this]() { Click(); }); });
  TWinControl::InitWidget();
}

void TButton::ApplyText() {
  if (!HandleAllocated()) return;
  auto* button = static_cast<QPushButton*>(Widget());
  button->setText(ToQString(Caption()));
  // Keep the underline but drop Qt's shortcut: the form dispatches Alt+letter itself.
  button->setShortcut(QKeySequence());
  FitCaption();
}

void TButton::FontChanged() {
  TWinControl::FontChanged();
  FitCaption();
}

void TButton::BoundsChanged(const TRect& Old) {
  TWinControl::BoundsChanged(Old);
  if (Old.Width() != Width()) FitCaption();
}

int TButton::CaptionRoom() const {
  return Width() - 2 * CaptionMargin;
}

void TButton::FitCaption() {
  if (!HandleAllocated()) return;
  QFont font = ToQFont(*Font());
  const int needed = QFontMetrics(font).horizontalAdvance(ToQString(StripAccelerators(Caption())));
  const int room = CaptionRoom();
  if (needed > room && room > 0) font.setStretch(std::max(MinCaptionStretch, room * 100 / needed));
  Widget()->setFont(font);
}

void TButton::SetDefault(bool Value) {
  if (Value == Default_) return;
  Default_ = Value;
  if (HandleAllocated()) static_cast<QPushButton*>(Widget())->setDefault(Value);
}

void TButton::Click() {
  if (TCustomForm* form = ParentForm()) form->SetModalResult(ModalResult_);
  TWinControl::Click();
}

bool TButton::DialogChar(char Key) {
  if (!IsAccel(Key) || !CanFocus()) return false;
  Click();
  return true;
}

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), Glyph_(std::make_unique<TPicture>()) {
  Glyph_->OnChange = [this](TObject*) {
    if (!Glyph_->Empty() && Glyph_->Height() > 0 && Glyph_->Width() % Glyph_->Height() == 0) {
      const int count = Glyph_->Width() / Glyph_->Height();
      NumGlyphs_ = count >= 1 && count <= 4 ? count : 1;
    }
    ApplyGlyph();
  };
}

void TBitBtn::SetNumGlyphs(int Value) {
  Value = std::clamp(Value, 1, 4);
  if (Value == NumGlyphs_) return;
  NumGlyphs_ = Value;
  ApplyGlyph();
}

void TBitBtn::SetKind(TBitBtnKind Value) {
  if (Value == Kind_) return;
  Kind_ = Value;
  if (IsLoading() || Value == bkCustom) return;
  struct TStock {
    const char* Caption;
    TModalResult Result;
    bool Default;
    bool Cancel;
  };
  static const TStock kStock[] = {
      {"", mrNone, false, false},          {"OK", mrOk, true, false},       {"Cancel", mrCancel, false, true},
      {"&Help", mrNone, false, false},     {"&Yes", mrYes, true, false},    {"&No", mrNo, false, true},
      {"&Close", mrNone, false, false},    {"Abort", mrAbort, false, true}, {"&Retry", mrRetry, false, false},
      {"&Ignore", mrIgnore, false, false}, {"&All", mrAll, false, false}};
  const TStock& s = kStock[Value];
  SetCaption(s.Caption);
  SetModalResult(s.Result);
  SetDefault(s.Default);
  SetCancel(s.Cancel);
}

void TBitBtn::Click() {
  if (Kind_ == bkClose) {
    if (TCustomForm* form = ParentForm()) {
      form->Close();
      TWinControl::Click();
      return;
    }
  }
  if (Kind_ == bkHelp && Application != nullptr) Application->HelpCommand(HELP_CONTENTS, 0);
  TButton::Click();
}

void TBitBtn::InitWidget() {
  TButton::InitWidget();
  ApplyGlyph();
}

void TBitBtn::ApplyGlyph() {
  if (!HandleAllocated()) return;
  auto* button = static_cast<QPushButton*>(Widget());
  if (Glyph_->Empty()) {
    button->setIcon(QIcon());
    return;
  }
  const QImage& image = *Glyph_->Image();
  const int width = image.width() / NumGlyphs_;
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(image.copy(0, 0, width, image.height())), QIcon::Normal);
  if (NumGlyphs_ >= 2) {
    icon.addPixmap(QPixmap::fromImage(image.copy(width, 0, width, image.height())), QIcon::Disabled);
  }
  button->setIcon(icon);
  button->setIconSize(QSize(width, image.height()));
  FitCaption();
}

int TBitBtn::CaptionRoom() const {
  const int glyph = Glyph_->Empty() ? 0 : Glyph_->Width() / NumGlyphs_ + GlyphSpacing;
  return TButton::CaptionRoom() - glyph;
}
