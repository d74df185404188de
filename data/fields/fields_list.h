#pragma once
// The ordered list of field objects of a dataset, with the field kinds it accepts. The list
// does not own its fields (declared ones belong to their window); Clear frees them, for the
// fields a dataset made itself.

#include <string>
#include <vector>

#include "core/object.h"
#include "data/db_types.h"

class TDataSet;
class TField;

class TFields : public TObject {
 public:
  TFields(TDataSet* DataSet, TFieldKinds ValidKinds) : DataSet_(DataSet), ValidKinds_(ValidKinds) {}

  TDataSet* DataSet() const { return DataSet_; }
  TFieldKinds ValidKinds() const { return ValidKinds_; }
  int Count() const { return static_cast<int>(List_.size()); }
  bool Empty() const { return List_.empty(); }
  TField* Fields(int Index) const;
  TField* operator[](int Index) const { return Fields(Index); }
  int IndexOf(const TField* Field) const;

  // Appends Field and makes it belong to the dataset; raises "Invalid FieldKind" (naming the
  // field) for a kind the list does not accept.
  void Add(TField* Field);
  void Remove(TField* Field);
  // Frees every field in the list.
  void Clear();
  void SetFieldIndex(TField* Field, int Value);

  // The first field whose FieldName equals Name regardless of case, or none.
  TField* SeekField(const std::string& Name) const;
  // As SeekField, but a missing field raises "Field '%s' not found" naming the dataset.
  TField* FieldNamed(const std::string& Name) const;
  // The field bound to a column number, or none.
  TField* FieldNumbered(int ColumnNo) const;
  // Raises "Field name missing" or "Duplicate field name '%s'" (naming the dataset).
  void CheckFieldName(const std::string& Name) const;

 private:
  void Changed();

  TDataSet* DataSet_;
  TFieldKinds ValidKinds_;
  std::vector<TField*> List_;
};
