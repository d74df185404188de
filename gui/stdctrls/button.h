#pragma once
// Push buttons. TButton is a Qt push button: a click (mouse, Space, Alt+its letter,
// Return while it has the focus or while it is the form's Default button, Escape while it
// is the Cancel button) sets the form's ModalResult to the button's and fires OnClick.
// TBitBtn adds a glyph: a picture of up to four equal images side by side (normal,
// disabled, ...), and Kind for the stock buttons.
//
// Qt's own mnemonic shortcuts are switched off: the & letter is underlined, but the form
// offers Alt+letter to its controls itself so that the first visible, enabled button
// with that letter is clicked.

#include "gui/controls/win_control.h"
#include "gui/graphics/picture.h"

class TButton : public TWinControl {
 public:
  BREVANT_CLASS(TButton)
  explicit TButton(TComponent* AOwner);

  bool Default() const { return Default_; }
  void SetDefault(bool Value);
  bool Cancel() const { return Cancel_; }
  void SetCancel(bool Value) { Cancel_ = Value; }
  TModalResult ModalResult() const { return ModalResult_; }
  void SetModalResult(TModalResult Value) { ModalResult_ = Value; }

  void Click() override;
  bool DialogChar(char Key) override;
  bool IsDefaultButton() const override { return Default_; }
  bool IsCancelButton() const override { return Cancel_; }
  bool ClickedByReturn() const override { return true; }
  bool PaintsNatively() const override { return true; }

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;
  void ApplyText() override;
  void FontChanged() override;
  void BoundsChanged(const TRect& Old) override;
  bool FocusOnClick() const override { return true; }
  // Room the face gives to the caption beside what it draws itself (a glyph).
  virtual int CaptionRoom() const;
  // Narrows the caption's font just enough when the caption is wider than its room, so that
  // a long caption stays inside its button instead of running into the frame.
  void FitCaption();

 private:
  bool Default_ = false;
  bool Cancel_ = false;
  TModalResult ModalResult_ = mrNone;
};

enum TBitBtnKind {
  bkCustom,
  bkOK,
  bkCancel,
  bkHelp,
  bkYes,
  bkNo,
  bkClose,
  bkAbort,
  bkRetry,
  bkIgnore,
  bkAll
};
BREVANT_ENUM_NAMES(TBitBtnKind, "bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose",
                   "bkAbort", "bkRetry", "bkIgnore", "bkAll");

class TBitBtn : public TButton {
 public:
  BREVANT_CLASS(TBitBtn)
  explicit TBitBtn(TComponent* AOwner);

  TPicture* Glyph() const { return Glyph_.get(); }
  void SetGlyph(TPicture* Value) { Glyph_->Assign(*Value); }
  // How many images the glyph holds side by side (1 to 4); set from the picture's shape
  // when a glyph is loaded whose width is 2 to 4 times its height.
  int NumGlyphs() const { return NumGlyphs_; }
  void SetNumGlyphs(int Value);
  TBitBtnKind Kind() const { return Kind_; }
  // Outside layout reading, also sets the stock caption, modal result, Default and Cancel.
  void SetKind(TBitBtnKind Value);

  void Click() override;

 protected:
  void InitWidget() override;
  int CaptionRoom() const override;

 private:
  void ApplyGlyph();

  std::unique_ptr<TPicture> Glyph_;
  int NumGlyphs_ = 1;
  TBitBtnKind Kind_ = bkCustom;
};
