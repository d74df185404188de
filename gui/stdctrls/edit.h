#pragma once
// Text entry. TEdit: one line (Text, MaxLength, PasswordChar, ReadOnly, OnChange). TMemo:
// several lines (Lines, ReadOnly, WordWrap, ScrollBars, WantReturns, WantTabs, OnChange).
// OnChange fires for every change of the text, typed or set by the program, but not while
// a layout is read.

#include "gui/controls/win_control.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
BREVANT_ENUM_NAMES(TScrollStyle, "ssNone", "ssHorizontal", "ssVertical", "ssBoth");

class TEdit : public TWinControl {
 public:
  BREVANT_CLASS(TEdit)
  explicit TEdit(TComponent* AOwner);

  int MaxLength() const { return MaxLength_; }
  void SetMaxLength(int Value);
  char PasswordChar() const { return PasswordChar_; }
  void SetPasswordChar(char Value);
  bool ReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool Value);
  TBorderStyle BorderStyle() const { return BorderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  void SelectAll();
  void Clear() { SetText(""); }

  TNotifyEvent OnChange;
  bool PaintsNatively() const override { return true; }

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;
  void ApplyText() override;
  void TextChanged() override;
  void ColorChanged() override;
  bool FocusOnClick() const override { return true; }
  virtual void Change();

 private:
  int MaxLength_ = 0;
  char PasswordChar_ = 0;
  bool ReadOnly_ = false;
  TBorderStyle BorderStyle_ = bsSingle;
};

class TMemo : public TWinControl {
 public:
  BREVANT_CLASS(TMemo)
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;

  TStrings* Lines() const { return Lines_.get(); }
  void SetLines(TStrings* Value) { Lines_->Assign(*Value); }
  bool ReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool Value);
  bool WordWrap() const { return WordWrap_; }
  void SetWordWrap(bool Value);
  TScrollStyle ScrollBars() const { return ScrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  bool WantReturns() const { return WantReturns_; }
  void SetWantReturns(bool Value) { WantReturns_ = Value; }
  bool WantTabs() const { return WantTabs_; }
  void SetWantTabs(bool Value);
  TBorderStyle BorderStyle() const { return BorderStyle_; }
  void SetBorderStyle(TBorderStyle Value);

  TNotifyEvent OnChange;
  bool PaintsNatively() const override { return true; }

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;
  void ColorChanged() override;
  bool WantsKey(uint16_t Key, TShiftState Shift) const override;
  bool FocusOnClick() const override { return true; }
  virtual void Change();

 private:
  void PushLines();
  void ApplyOptions();

  std::unique_ptr<TStringList> Lines_;
  bool ReadOnly_ = false;
  bool WordWrap_ = true;
  TScrollStyle ScrollBars_ = ssNone;
  bool WantReturns_ = true;
  bool WantTabs_ = false;
  TBorderStyle BorderStyle_ = bsSingle;
  bool Syncing_ = false;
};
