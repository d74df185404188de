#pragma once
// TNavButton: one button of the record navigator. Prior and Next repeat while held: the
// first repeat comes after InitialRepeatPause, the next ones every RepeatPause. While the
// navigator has the focus, its focused button draws a dotted focus rectangle.

#include "data/navigator/nav_types.h"
#include "gui/stdctrls/speed_button.h"

class TTimer;

class TNavButton : public TSpeedButton {
 public:
  BREVANT_CLASS(TNavButton)
  explicit TNavButton(TComponent* AOwner);

  static constexpr int InitialRepeatPause = 400;
  static constexpr int RepeatPause = 100;
  // Gap between the button's edges and its focus rectangle.
  static constexpr int FocusInset = 3;

  TNavigateBtn ButtonKind() const { return ButtonKind_; }
  void SetButtonKind(TNavigateBtn Value) { ButtonKind_ = Value; }
  bool AllowRepeat() const { return AllowRepeat_; }
  void SetAllowRepeat(bool Value) { AllowRepeat_ = Value; }
  // The auto-repeat timer: none until a repeating button is first pressed.
  TTimer* RepeatTimer() const { return RepeatTimer_; }
  // Whether this button holds the mouse: the press began on it and has not been released.
  bool HoldsMouse() const;
  // Where the focus rectangle goes when the button shows the focus.
  TRect FocusRect() const;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Paint() override;

 private:
  void RepeatTick();
  bool ShowsFocus() const;

  TNavigateBtn ButtonKind_ = nbFirst;
  bool AllowRepeat_ = false;
  TTimer* RepeatTimer_ = nullptr;  // owned by the button
};
