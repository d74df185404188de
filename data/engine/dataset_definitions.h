#pragma once
// Definitions that tables and queries publish beside their fields: index definitions, record
// constraints, the update object of cached updates and the update mode. The engine has no
// indexes and writes no records, so these are kept and stored, and nothing more.

#include <memory>
#include <string>

#include "core/component.h"
#include "data/collection.h"

enum TUpdateMode { upWhereAll, upWhereChanged, upWhereKeyOnly };
BREVANT_ENUM_NAMES(TUpdateMode, "upWhereAll", "upWhereChanged", "upWhereKeyOnly");

enum TIndexOption { ixPrimary, ixUnique, ixDescending, ixCaseInsensitive, ixExpression };
BREVANT_ENUM_NAMES(TIndexOption, "ixPrimary", "ixUnique", "ixDescending", "ixCaseInsensitive",
                   "ixExpression");
using TIndexOptions = TSet<TIndexOption>;

class TIndexDef : public TCollectionItem {
 public:
  BREVANT_CLASS(TIndexDef)
  TIndexDef() = default;

  const std::string& Name() const { return Name_; }
  void SetName(const std::string& Value);
  // The indexed fields, separated by semicolons.
  const std::string& Fields() const { return Fields_; }
  void SetFields(const std::string& Value);
  TIndexOptions Options() const { return Options_; }
  void SetOptions(TIndexOptions Value);
  void Assign(const TPersistent& Source) override;

 private:
  std::string Name_;
  std::string Fields_;
  TIndexOptions Options_;
};

class TIndexDefs : public TCollection {
 public:
  BREVANT_CLASS(TIndexDefs)
  TIndexDefs() = default;
  TIndexDef* Items(int Index) const { return static_cast<TIndexDef*>(Item(Index)); }
  TIndexDef* AddIndexDef() { return static_cast<TIndexDef*>(Add()); }
  // The index of that name (ignoring case), or none.
  TIndexDef* Find(const std::string& Name) const;

 protected:
  std::unique_ptr<TCollectionItem> NewItem() override { return std::make_unique<TIndexDef>(); }
};

class TCheckConstraint : public TCollectionItem {
 public:
  BREVANT_CLASS(TCheckConstraint)
  TCheckConstraint() = default;

  const std::string& CustomConstraint() const { return CustomConstraint_; }
  void SetCustomConstraint(const std::string& Value);
  const std::string& ErrorMessage() const { return ErrorMessage_; }
  void SetErrorMessage(const std::string& Value);
  const std::string& ImportedConstraint() const { return ImportedConstraint_; }
  void SetImportedConstraint(const std::string& Value);
  bool FromDictionary() const { return FromDictionary_; }
  void SetFromDictionary(bool Value);
  void Assign(const TPersistent& Source) override;

 private:
  std::string CustomConstraint_;
  std::string ErrorMessage_;
  std::string ImportedConstraint_;
  bool FromDictionary_ = true;
};

class TCheckConstraints : public TCollection {
 public:
  BREVANT_CLASS(TCheckConstraints)
  TCheckConstraints() = default;
  TCheckConstraint* Items(int Index) const { return static_cast<TCheckConstraint*>(Item(Index)); }

 protected:
  std::unique_ptr<TCollectionItem> NewItem() override { return std::make_unique<TCheckConstraint>(); }
};

// Applies the cached updates of a dataset with statements of its own; none of this program's
// datasets is writable, so no kind of it exists here yet.
class TDataSetUpdateObject : public TComponent {
 public:
  BREVANT_CLASS(TDataSetUpdateObject)
  explicit TDataSetUpdateObject(TComponent* AOwner) : TComponent(AOwner) {}
};
