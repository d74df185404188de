#pragma once
// TLabel: a caption drawn on its parent. With AutoSize (the default) it takes the size of
// its text whenever the text or the font changes, keeping its left edge, or its right
// edge when Alignment is taRightJustify. An empty caption measures as one blank, so an
// empty label keeps the height of a line. Alt with its & letter focuses FocusControl.

#include "gui/controls/graphic_control.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };
BREVANT_ENUM_NAMES(TTextLayout, "tlTop", "tlCenter", "tlBottom");

class TLabel : public TGraphicControl {
 public:
  BREVANT_CLASS(TLabel)
  explicit TLabel(TComponent* AOwner);

  TAlignment Alignment() const { return Alignment_; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return AutoSize_; }
  void SetAutoSize(bool Value);
  bool WordWrap() const { return WordWrap_; }
  void SetWordWrap(bool Value);
  bool Transparent() const { return Transparent_; }
  void SetTransparent(bool Value);
  TTextLayout Layout() const { return Layout_; }
  void SetLayout(TTextLayout Value);
  bool ShowAccelChar() const { return ShowAccelChar_; }
  void SetShowAccelChar(bool Value);
  TWinControl* FocusControl() const { return FocusControl_; }
  void SetFocusControl(TWinControl* Value);

  bool DialogChar(char Key) override;

 protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Sizes the label to its text when AutoSize is on.
  void AdjustBounds();

 private:
  TTextFormat Format(bool Calc) const;
  std::string MeasuredText() const;

  TAlignment Alignment_ = taLeftJustify;
  bool AutoSize_ = true;
  bool WordWrap_ = false;
  bool Transparent_ = false;
  TTextLayout Layout_ = tlTop;
  bool ShowAccelChar_ = true;
  TWinControl* FocusControl_ = nullptr;
};
