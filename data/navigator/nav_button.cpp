#include "data/navigator/nav_button.h"

#include "data/navigator/db_navigator.h"
#include "gui/stdctrls/timer.h"

BREVANT_DEFINE_CLASS(TNavButton, TSpeedButton, )

TNavButton::TNavButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

bool TNavButton::HoldsMouse() const {
  return Parent() != nullptr && Parent()->CaptureControl == this;
}

void TNavButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  if (!AllowRepeat_ || Button != mbLeft) return;
  if (RepeatTimer_ == nullptr) {
    RepeatTimer_ = new TTimer(this);
    RepeatTimer_->SetEnabled(false);
    RepeatTimer_->OnTimer = [this](TObject*) { RepeatTick(); };
  }
  RepeatTimer_->SetInterval(InitialRepeatPause);
  RepeatTimer_->SetEnabled(true);
}

void TNavButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseUp(Button, Shift, X, Y);
  if (RepeatTimer_ != nullptr) RepeatTimer_->SetEnabled(false);
}

void TNavButton::RepeatTick() {
  RepeatTimer_->SetInterval(RepeatPause);
  if (!Pressed() || !HoldsMouse()) {
    RepeatTimer_->SetEnabled(false);  // the release went elsewhere: nothing left to repeat
    return;
  }
  // Dragged off the button: wait for the pointer to come back. Disabled meanwhile (Next
  // on the last row): a disabled button never clicks.
  if (!PressedInside() || !Enabled()) return;
  try {
    Click();
  } catch (...) {
    RepeatTimer_->SetEnabled(false);
    throw;
  }
}

bool TNavButton::ShowsFocus() const {
  const auto* navigator = dynamic_cast<const TDBNavigator*>(Parent());
  return navigator != nullptr && navigator->Focused() && navigator->FocusedIndex() == ButtonKind_;
}

TRect TNavButton::FocusRect() const {
  const TRect r = ClientRect().Inflate(-FocusInset, -FocusInset);
  return PressedInside() ? r.Offset(1, 1) : r;
}

void TNavButton::Paint() {
  TSpeedButton::Paint();
  if (!ShowsFocus()) return;
  // A dotted rectangle: every other pixel along the edges.
  const TRect r = FocusRect();
  if (r.IsEmpty()) return;
  TCanvas& c = *Canvas();
  for (int x = r.Left; x < r.Right; x += 2) {
    c.SetPixels(x, r.Top, clBtnText);
    c.SetPixels(x, r.Bottom - 1, clBtnText);
  }
  for (int y = r.Top; y < r.Bottom; y += 2) {
    c.SetPixels(r.Left, y, clBtnText);
    c.SetPixels(r.Right - 1, y, clBtnText);
  }
}
