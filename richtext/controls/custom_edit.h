#pragma once
// TCustomEdit and TCustomMemo: the bases of the rich text controls. They hold the settings every
// edit control has (border, read-only, hidden selection, the change event, and for
// memos the line settings) and declare the editing operations; the class that owns the actual
// window (TCustomRichEdit) carries them out.

#include <string>

#include "core/strings.h"
#include "gui/controls/win_control.h"
#include "gui/stdctrls/edit.h"

class TCustomEdit : public TWinControl {
 public:
  BREVANT_CLASS(TCustomEdit)
  explicit TCustomEdit(TComponent* AOwner);

  TBorderStyle BorderStyle() const { return BorderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  // The edit window's own read-only flag.
  virtual bool ReadOnly() const { return ReadOnly_; }
  virtual void SetReadOnly(bool Value);
  bool EditReadOnly() const { return ReadOnly_; }
  // The selection shows only while the control has the focus.
  bool HideSelection() const { return HideSelection_; }
  void SetHideSelection(bool Value);

  TNotifyEvent OnChange;

  // The text, the selection and the clipboard.
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& Value) = 0;
  virtual int SelStart() const = 0;
  virtual void SetSelStart(int Value) = 0;
  virtual int SelLength() const = 0;
  virtual void SetSelLength(int Value) = 0;
  virtual std::string SelText() const = 0;
  virtual void SetSelText(const std::string& Value) = 0;
  virtual bool Modified() const = 0;
  virtual void SetModified(bool Value) = 0;
  virtual void CutToClipboard() = 0;
  virtual void CopyToClipboard() = 0;
  virtual void PasteFromClipboard() = 0;
  virtual void Undo() = 0;
  virtual bool CanUndo() const = 0;
  void Clear() { SetText(""); }
  void SelectAll();
  void ClearSelection() { SetSelText(""); }

  bool PaintsNatively() const override { return true; }

 protected:
  // The text changed (typed or set); fires OnChange.
  virtual void Change();
  // A setting above changed: push it into the window.
  virtual void EditSettingsChanged() {}
  bool FocusOnClick() const override { return true; }
  // Sets the edit window's own read-only flag without anything else a subclass attaches to it.
  void SetEditReadOnly(bool Value);

 private:
  TBorderStyle BorderStyle_ = bsSingle;
  bool ReadOnly_ = false;
  bool HideSelection_ = true;
};

class TCustomMemo : public TCustomEdit {
 public:
  BREVANT_CLASS(TCustomMemo)
  explicit TCustomMemo(TComponent* AOwner);

  TAlignment Alignment() const { return Alignment_; }
  void SetAlignment(TAlignment Value);
  TScrollStyle ScrollBars() const { return ScrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return WordWrap_; }
  void SetWordWrap(bool Value);
  bool WantReturns() const { return WantReturns_; }
  void SetWantReturns(bool Value) { WantReturns_ = Value; }
  bool WantTabs() const { return WantTabs_; }
  void SetWantTabs(bool Value);

  // The text as lines.
  virtual TStrings* Lines() const = 0;
  void SetLines(TStrings* Value) { Lines()->Assign(*Value); }

 protected:
  bool WantsKey(uint16_t Key, TShiftState Shift) const override;

 private:
  TAlignment Alignment_ = taLeftJustify;
  TScrollStyle ScrollBars_ = ssNone;
  bool WordWrap_ = true;
  bool WantReturns_ = true;
  bool WantTabs_ = false;
};
