#pragma once
// Links of detail datasets. A master link belongs to a table that follows the current row of
// another dataset (its master): the table hears, before any control does, when the master
// becomes active, moves, or changes a master field, and restricts its rows accordingly.

#include <string>
#include <vector>

#include "data/links/data_link.h"

class TDetailDataLink : public TDataLink {
 public:
  BREVANT_CLASS(TDetailDataLink)

  // The dataset that follows the source, or none.
  virtual TDataSet* GetDetailSet() const { return nullptr; }
};

class TMasterDataLink : public TDetailDataLink {
 public:
  BREVANT_CLASS(TMasterDataLink)

  explicit TMasterDataLink(TDataSet* OwnerTable) : OwnerTable_(OwnerTable) {}

  TDataSet* OwnerTable() const { return OwnerTable_; }
  // The master's field names, separated by semicolons.
  const std::string& FieldNames() const { return FieldNames_; }
  void SetFieldNames(const std::string& Value);
  // The master dataset's fields named in FieldNames, while active.
  const std::vector<TField*>& Fields() const { return Fields_; }

  // Set by the owning table.
  TNotifyEvent OnMasterChange;
  TNotifyEvent OnMasterDisable;

  TDataSet* GetDetailSet() const override { return OwnerTable_; }
  void NotifyActive() override;
  void NotifyBrowseCheck() override;
  void NotifyLayout() override { NotifyActive(); }
  void NotifyRecord(TField* Field) override;

 private:
  bool OwnerOpen() const;

  TDataSet* OwnerTable_;
  std::string FieldNames_;
  std::vector<TField*> Fields_;
};
