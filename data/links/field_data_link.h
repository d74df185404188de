#pragma once
// The link of a data-bound control: it keeps the control's field attached to the field of
// that name in the source's dataset and calls the control back when the row, the field, the
// editing state or the link's activity changes.
//
// The window side (focus, reading order) needs a real window: a visual layer subclasses the
// link and overrides ControlCanFocus, FocusControl and SyncReadingOrder.

#include <string>

#include "core/component.h"
#include "data/links/data_link.h"

class TFieldDataLink : public TDataLink {
 public:
  BREVANT_CLASS(TFieldDataLink)

  TFieldDataLink();

  TField* Field() const { return Field_; }
  const std::string& FieldName() const { return FieldName_; }
  // The same text (compared exactly) does nothing at all; another one re-attaches the field.
  void SetFieldName(const std::string& Value);
  // The owning control: it names field-not-found errors and takes the focus.
  TComponent* Control() const { return Control_; }
  void SetControl(TComponent* Value) { Control_ = Value; }
  bool FieldEditing() const { return FieldEditing_; }
  bool HasChanges() const { return HasChanges_; }

  // Callbacks of the owner; each receives the link.
  TNotifyEvent OnDataChange;
  TNotifyEvent OnEditingChange;
  TNotifyEvent OnUpdateData;
  TNotifyEvent OnActiveChange;

  // Asks for an edit when the field can change; answers FieldEditing.
  bool RequestEdit();
  bool CanChange() const;
  void MarkModified() { HasChanges_ = true; }
  void ResetDisplay() { NotifyRecord(nullptr); }

  void NotifyActive() override;
  void NotifyEditing() override;
  void NotifyFocus(TField** FieldRef) override;
  void NotifyLayout() override;
  void NotifyRecord(TField* Field) override;
  void PushData() override;

 protected:
  // Whether Control is a window that can take the focus now, and giving it the focus.
  virtual bool ControlCanFocus() const { return false; }
  virtual void FocusControl() {}
  // A right-to-left window whose alignment no longer fits the field re-creates itself.
  virtual void SyncReadingOrder() {}

 private:
  void BindField();
  void AttachField(TField* Value);
  void SetFieldEditing(bool Value);

  TField* Field_ = nullptr;
  std::string FieldName_;
  TComponent* Control_ = nullptr;
  bool FieldEditing_ = false;
  bool HasChanges_ = false;
};
