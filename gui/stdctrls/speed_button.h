#pragma once
// TSpeedButton: a button without a window of its own (tool bars, the record navigator).
// It draws itself raised, or sunken while the mouse holds it or while it is Down. Buttons
// of one parent with the same non-zero GroupIndex act as a group: one Down at a time, and
// with AllowAllUp none at all. The glyph holds up to four images side by side: up,
// disabled, pressed, down. Subclasses build auto-repeat on MouseDown and MouseUp.

#include "gui/controls/graphic_control.h"
#include "gui/graphics/picture.h"

class TSpeedButton : public TGraphicControl {
 public:
  BREVANT_CLASS(TSpeedButton)
  explicit TSpeedButton(TComponent* AOwner);

  bool AllowAllUp() const { return AllowAllUp_; }
  void SetAllowAllUp(bool Value);
  bool Down() const { return Down_; }
  void SetDown(bool Value);
  bool Flat() const { return Flat_; }
  void SetFlat(bool Value);
  int GroupIndex() const { return GroupIndex_; }
  void SetGroupIndex(int Value);
  TPicture* Glyph() const { return Glyph_.get(); }
  void SetGlyph(TPicture* Value) { Glyph_->Assign(*Value); }
  int NumGlyphs() const { return NumGlyphs_; }
  void SetNumGlyphs(int Value);
  int Spacing() const { return Spacing_; }
  void SetSpacing(int Value);

  // Whether the left button is being held on the control.
  bool Pressed() const { return Pressed_; }
  // Held, with the pointer inside the control: the button shows pressed.
  bool PressedInside() const { return Pressed_ && PressedInside_; }
  bool MouseInControl() const { return MouseInControl_; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  void UpdateExclusive();
  int GlyphIndex() const;

  bool AllowAllUp_ = false;
  bool Down_ = false;
  bool Flat_ = false;
  int GroupIndex_ = 0;
  std::unique_ptr<TPicture> Glyph_;
  int NumGlyphs_ = 1;
  int Spacing_ = 4;
  bool Pressed_ = false;
  bool PressedInside_ = false;
  bool MouseInControl_ = false;
};
