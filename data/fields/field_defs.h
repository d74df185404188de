#pragma once
// Column descriptions of a dataset: TFieldDefs of TFieldDef, filled by the concrete dataset
// from its cursor, and TFieldDefList, the flat view of every definition by full name
// ("Address.City" for a child of an object column, "Phones[1]" for an array element).

#include <memory>
#include <string>

#include "core/strings.h"
#include "data/collection.h"
#include "data/db_types.h"

class TDataSet;
class TFieldDefs;

// An item with a name, looked up without regard to case.
class TNamedItem : public TCollectionItem {
 public:
  BREVANT_CLASS(TNamedItem)

  const std::string& Name() const { return Name_; }
  void SetName(const std::string& Value);

 protected:
  TNamedItem() = default;

 private:
  std::string Name_;
};

// A collection of named definitions that belongs to a dataset and knows whether it is up to
// date with the dataset's cursor.
class TDefCollection : public TCollection {
 public:
  BREVANT_CLASS(TDefCollection)

  TDataSet* DataSet() const { return DataSet_; }
  // False while the definitions may differ from the cursor's; Update refreshes them then.
  bool Updated() const { return Updated_; }
  void SetUpdated(bool Value) { Updated_ = Value; }

  // The first item whose name equals Name regardless of case, or none; IndexOf its index or -1.
  TNamedItem* Find(const std::string& Name) const;
  int IndexOf(const std::string& Name) const;
  using TCollection::IndexOf;

 protected:
  explicit TDefCollection(TDataSet* DataSet) : DataSet_(DataSet) {}
  void ItemsChanged(TCollectionItem* Item) override;

 private:
  TDataSet* DataSet_;
  bool Updated_ = false;
};

class TFieldDef : public TNamedItem {
 public:
  BREVANT_CLASS(TFieldDef)

  TFieldDef();
  ~TFieldDef() override;

  TFieldType DataType() const { return DataType_; }
  void SetDataType(TFieldType Value);
  // The column's size; for a definition with child definitions and size 0, their number.
  int Size() const;
  void SetSize(int Value);
  int Precision() const { return Precision_; }
  void SetPrecision(int Value);
  TFieldAttributes Attributes() const { return Attributes_; }
  void SetAttributes(TFieldAttributes Value);
  bool Required() const { return Attributes_.Contains(faRequired); }
  void SetRequired(bool Value);

  // Child definitions of an object or array column (made on first use).
  TFieldDefs* ChildDefs() const;
  bool HasChildDefs() const;
  TFieldDefs* ParentDefs() const;
  TFieldDef* ParentDef() const;

  // The engine's column number; when 0 or less, the definition's index + 1.
  int ColumnNo() const;
  void SetColumnNo(int Value) { ColumnNo_ = Value; }
  // The engine computes this column itself.
  bool InternalCalcField() const { return InternalCalc_; }
  void SetInternalCalcField(bool Value) { InternalCalc_ = Value; }

  void Assign(const TPersistent& Source) override;

 private:
  TFieldType DataType_ = ftUnknown;
  uint16_t Size_ = 0;
  int Precision_ = 0;
  TFieldAttributes Attributes_;
  int ColumnNo_ = 0;
  bool InternalCalc_ = false;
  mutable std::unique_ptr<TFieldDefs> ChildDefs_;
};

class TFieldDefs : public TDefCollection {
 public:
  BREVANT_CLASS(TFieldDefs)

  // Definitions of DataSet's columns; ParentDef is the object column they belong to, if any.
  explicit TFieldDefs(TDataSet* DataSet, TFieldDef* ParentDef = nullptr);

  TFieldDef* Items(int Index) const { return static_cast<TFieldDef*>(Item(Index)); }
  TFieldDef* ParentDef() const { return ParentDef_; }
  TFieldDef* AddFieldDef() { return static_cast<TFieldDef*>(Add()); }
  // Appends a definition with these values.
  TFieldDef* AddDef(const std::string& Name, TFieldType DataType, int Size = 0, bool Required = false);
  TFieldDef* Find(const std::string& Name) const {
    return static_cast<TFieldDef*>(TDefCollection::Find(Name));
  }

  // Refreshes the definitions from the dataset (LoadFieldDefs) when they are out of date,
  // inside one BeginUpdate/EndUpdate pair.
  void Update();

 protected:
  std::unique_ptr<TCollectionItem> NewItem() override;

 private:
  TFieldDef* ParentDef_;
};

// A string list whose entries are rebuilt on demand: before any count or lookup, when the
// list or the dataset's definitions are out of date.
class TFlatList : public TStringList {
 public:
  BREVANT_CLASS(TFlatList)

  TDataSet* DataSet() const { return DataSet_; }
  bool Updated() const { return Updated_; }
  void SetUpdated(bool Value) { Updated_ = Value; }
  // Rebuilds the entries now if they are out of date.
  void EnsureCurrent() const;

  int Count() const override;

 protected:
  explicit TFlatList(TDataSet* DataSet) : DataSet_(DataSet) {}
  virtual bool SourceUpdated() const = 0;
  virtual void Rebuild() = 0;

 private:
  TDataSet* DataSet_;
  bool Updated_ = false;
  bool Rebuilding_ = false;
};

class TFieldDefList : public TFlatList {
 public:
  BREVANT_CLASS(TFieldDefList)

  explicit TFieldDefList(TDataSet* DataSet) : TFlatList(DataSet) {}

  TFieldDef* FieldDef(int Index) const;
  // The entry whose full name equals Name regardless of case (the first one), or none.
  TFieldDef* Find(const std::string& Name) const;
  int IndexOfName(const std::string& Name) const;

 protected:
  bool SourceUpdated() const override;
  void Rebuild() override;

 private:
  void AddDefs(const std::string& Prefix, const TFieldDefs& Defs);
};
