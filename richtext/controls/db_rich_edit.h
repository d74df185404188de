#pragma once
// TwwDBRichEdit: a rich text control that shows one blob field of the current row of a dataset and,
// where the field and the control allow it, edits it.
//
// A row change reloads the blob (a hidden control, or one with AutoDisplay off, waits until it is
// painted or asked); typing enters edit mode through the data link and leaving the control writes
// the content back into the row. The main window's controls are read-only: their link is, so they
// never enter edit mode and their window stays read-only.

#include <memory>
#include <string>

#include "richtext/controls/ww_custom_rich_edit.h"

class TDataSource;
class TFieldDataLink;

class TwwDBRichEdit : public TwwCustomRichEdit {
 public:
  BREVANT_CLASS(TwwDBRichEdit)
  explicit TwwDBRichEdit(TComponent* AOwner);
  ~TwwDBRichEdit() override;

  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* Value);
  std::string DataField() const;
  // Reloads at once: the old field's content goes, the new one's shows.
  void SetDataField(const std::string& Value);
  bool AutoDisplay() const { return AutoDisplay_; }
  // Only while a field is bound; True loads the field now.
  void SetAutoDisplay(bool Value);
  // Sets the link's read-only flag, and the window's while no field is bound.
  void SetReadOnly(bool Value) override;
  TFieldDataLink* DataLink() const { return Link_.get(); }
  bool ContentLoaded() const { return ContentLoaded_; }

  bool EffectiveReadOnly() const override;
  void BeginFieldEdit() override;
  void WriteFieldContent() override;
  bool IsContentLoaded() const override { return ContentLoaded_; }
  TField* GetBoundField() const override;
  void CopyContentTo(TwwCustomRichEdit* Target) override;

  // Streams the bound blob into the control (RTF, or text when the bytes are not RTF). A blob
  // that cannot be read at all shows the reason in parentheses.
  void LoadFieldContent();

  void SetParent(TWinControl* AParent) override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;

 protected:
  void Change() override;
  void DoEnter() override;
  void DoExit() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DblClick() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WidgetDestroying() override;
  void PaintLoadContent() override;
  bool IsBeingReparented() const override { return Reparenting_; }
  bool DataFieldSet() const override;

 private:
  void HandleDataChange();
  void HandleEditingChange();
  void HandleUpdateData();
  void SetFocusedFlag(bool Value);
  // Shows a text of the program's own (a field's display text, a placeholder).
  void ShowText(const std::string& Value);

  std::unique_ptr<TFieldDataLink> Link_;
  bool AutoDisplay_ = true;
  bool ContentLoaded_ = false;
  bool FocusedFlag_ = false;
  // The blob as it was when an edit was asked for: the row change that entering edit mode
  // reports then leaves the control as it is.
  std::string SavedBlobText_;
  bool Reparenting_ = false;
};
