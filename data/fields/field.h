#pragma once
// A field object reads and writes one column of the active row of its dataset. Its value
// travels as raw bytes (RawSize of them) between the field and the dataset's ReadFieldData
// and WriteFieldData; each kind of field turns them into text.

#include <bitset>
#include <string>

#include "core/alignment.h"
#include "core/component.h"
#include "data/db_types.h"

class TDataSet;
class TFields;
class TLayoutReader;

class TField : public TComponent {
 public:
  BREVANT_CLASS(TField)

  explicit TField(TComponent* AOwner);
  // Leaves its dataset; an open dataset is closed first, as it cannot lose a bound field.
  ~TField() override;

  // Published properties.
  TAlignment Alignment() const { return Alignment_; }
  void SetAlignment(TAlignment Value);
  const std::string& CustomConstraint() const { return CustomConstraint_; }
  void SetCustomConstraint(const std::string& Value) { CustomConstraint_ = Value; }
  const std::string& ConstraintErrorMessage() const { return ConstraintErrorMessage_; }
  void SetConstraintErrorMessage(const std::string& Value) { ConstraintErrorMessage_ = Value; }
  const std::string& DefaultExpression() const { return DefaultExpression_; }
  void SetDefaultExpression(const std::string& Value) { DefaultExpression_ = Value; }
  const std::string& ImportedConstraint() const { return ImportedConstraint_; }
  void SetImportedConstraint(const std::string& Value) { ImportedConstraint_ = Value; }
  const std::string& Origin() const { return Origin_; }
  void SetOrigin(const std::string& Value) { Origin_ = Value; }
  bool HasConstraints() const { return !CustomConstraint_.empty() || !ImportedConstraint_.empty(); }
  // Empty means FieldName is shown; writing FieldName itself empties it.
  const std::string& DisplayLabel() const { return DisplayLabel_; }
  void SetDisplayLabel(const std::string& Value);
  // A stored width of 0 or less reads as the kind's default width.
  int DisplayWidth() const;
  void SetDisplayWidth(int Value);
  int StoredDisplayWidth() const { return DisplayWidth_; }
  TFieldKind FieldKind() const { return FieldKind_; }
  void SetFieldKind(TFieldKind Value);
  const std::string& FieldName() const { return FieldName_; }
  void SetFieldName(const std::string& Value);
  // Position in the dataset's field list (-1 without one); setting it moves the field.
  int Index() const;
  void SetIndex(int Value);
  TDataSet* LookupDataSet() const { return LookupDataSet_; }
  void SetLookupDataSet(TDataSet* Value);
  const std::string& LookupKeyFields() const { return LookupKeyFields_; }
  void SetLookupKeyFields(const std::string& Value);
  const std::string& LookupResultField() const { return LookupResultField_; }
  void SetLookupResultField(const std::string& Value);
  const std::string& KeyFields() const { return KeyFields_; }
  void SetKeyFields(const std::string& Value);
  bool LookupCache() const { return LookupCache_; }
  void SetLookupCache(bool Value) { LookupCache_ = Value; }
  TProviderFlags ProviderFlags() const { return ProviderFlags_; }
  void SetProviderFlags(TProviderFlags Value) { ProviderFlags_ = Value; }
  bool ReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool Value);
  bool Required() const { return Required_; }
  void SetRequired(bool Value) { Required_ = Value; }
  bool Visible() const { return Visible_; }
  void SetVisible(bool Value);

  TFieldNotifyEvent OnChange;
  TFieldNotifyEvent OnValidate;
  TFieldGetTextEvent OnGetText;
  TFieldSetTextEvent OnSetText;

  // The dataset the field belongs to. Setting it attaches the field (both datasets must be
  // closed; the name must be set and free in the new dataset's list).
  TDataSet* HostDataSet() const { return HostDataSet_; }
  void SetHostDataSet(TDataSet* Value);
  TFields* OwnerList() const { return OwnerList_; }

  TFieldType DataType() const { return DataType_; }
  // The kind's size: characters of a string, the part of a blob kept in the row, ...
  int Size() const { return Size_; }
  // Raises "Invalid field size" for a size the kind does not take; the dataset must be closed.
  void SetSize(int Value);
  // Bytes of the raw value the dataset reads and writes.
  virtual int RawSize() const { return 0; }
  // 1-based column of a bound data field; -1 for calculated, lookup and aggregate fields;
  // 0 while unbound.
  int ColumnNo() const { return ColumnNo_; }
  // Offset in the row's calculated area, or a blob field's index among the bound blob fields.
  int SlotOffset() const { return SlotOffset_; }

  // Reads the raw value into Buffer (none: only asks) and answers whether there is one.
  // Raises "Field '%s' has no dataset" without a dataset.
  bool ReadRaw(void* Buffer) const;
  // Stores a raw value (none: null) through the dataset.
  void WriteRaw(const void* Buffer);
  virtual bool ValueIsNull() const;
  // The value as text; the base kind shows KindCaption. Setting is the kind's write path.
  virtual std::string AsText() const;
  virtual void SetAsText(const std::string& Value);
  // "(Blob)" from "TBlobField": the class name without T and "Field", upper-cased when the
  // field holds a value.
  std::string KindCaption() const;
  // DisplayLabel, or FieldName when it is empty.
  std::string ShownName() const;
  // The name the dataset's column descriptions know the field by.
  std::string PathName() const;
  // The text a control shows: OnGetText's when assigned, else the kind's display text.
  std::string ShownText() const;
  // The text a control edits, and writing it back (OnSetText when assigned).
  std::string EditText() const;
  void SetEditText(const std::string& Value);
  virtual bool HoldsBlob() const { return false; }
  // Whether the field can be written now (bound data field, not read-only, dataset writable).
  bool CanModify() const;
  // The characters a control accepts for this field.
  bool IsValidChar(unsigned char C) const { return ValidChars_.test(C); }

  // For datasets: runs OnValidate with the value about to be written; while it runs, reading
  // the field gives that value.
  void Validate(const void* Buffer);
  bool IsValidating() const { return Validating_; }
  // Announces a written value (dnFieldChange) and asks for the field's control to take focus.
  void DataChanged();
  void FocusControl();
  // The dataset tells the field its value changed: OnChange runs.
  void Change();
  // Drops pending data kept outside the row (a blob being written).
  virtual void ReleaseBuffers() {}
  // Takes on the data type of a column definition it is made from.
  virtual void SetFieldType(TFieldType /*Value*/) {}

  // Layout nesting: a declared field is stored under its dataset and joins it once its own
  // properties are read.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void ReadState(TLayoutReader& Reader) override;

 protected:
  // The kind's own text (DisplayText: for showing rather than editing).
  virtual std::string GetText(bool DisplayText) const;
  // Raises "Invalid field size" for a size this kind does not take; the base takes only 0.
  virtual void CheckTypeSize(int Value) const;
  // Runs after binding (true) and before unbinding (false).
  virtual void BindHook(bool /*Binding*/) {}
  virtual int DefaultWidth() const { return 10; }
  void SetDataType(TFieldType Value) { DataType_ = Value; }
  void SetValidChars(const std::bitset<256>& Value) { ValidChars_ = Value; }
  // A property that affects how controls lay the field out (Layout) or only its display.
  void PropertyChanged(bool Layout);
  [[noreturn]] void AccessError(const char* TypeName) const;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TDataSet;
  friend class TFields;

  TAlignment Alignment_ = taLeftJustify;
  std::string CustomConstraint_;
  std::string ConstraintErrorMessage_;
  std::string DefaultExpression_;
  std::string ImportedConstraint_;
  std::string Origin_;
  std::string DisplayLabel_;
  int DisplayWidth_ = 0;
  TFieldKind FieldKind_ = fkData;
  std::string FieldName_;
  TDataSet* LookupDataSet_ = nullptr;
  std::string LookupKeyFields_;
  std::string LookupResultField_;
  std::string KeyFields_;
  bool LookupCache_ = false;
  TProviderFlags ProviderFlags_{pfInUpdate, pfInWhere};
  bool ReadOnly_ = false;
  bool Required_ = false;
  bool Visible_ = true;

  TDataSet* HostDataSet_ = nullptr;
  TFields* OwnerList_ = nullptr;
  TFieldType DataType_ = ftUnknown;
  uint16_t Size_ = 0;
  int ColumnNo_ = 0;
  int SlotOffset_ = 0;
  bool Validating_ = false;
  const void* PendingValue_ = nullptr;
  std::bitset<256> ValidChars_;
};
