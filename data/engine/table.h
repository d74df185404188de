#pragma once
// TTable: one table of a database, opened by name. Opening asks the session for the table's
// password as often as the engine refuses it (until the user cancels), and opens a table
// whose file cannot be written read-only. A master source makes the table follow another
// dataset: with master fields, only the records whose key fields (IndexFieldNames, or the
// master fields' names) equal the master's values show.

#include <memory>
#include <string>
#include <vector>

#include "data/engine/dataset_definitions.h"
#include "data/engine/db_dataset.h"

class TDataSource;
class TMasterDataLink;

enum TTableType { ttDefault, ttParadox, ttDBase, ttFoxPro, ttASCII };
BREVANT_ENUM_NAMES(TTableType, "ttDefault", "ttParadox", "ttDBase", "ttFoxPro", "ttASCII");

class TTable : public TDBDataSet {
 public:
  BREVANT_CLASS(TTable)

  explicit TTable(TComponent* AOwner);
  ~TTable() override;

  // ---- Published ------------------------------------------------------------------------
  TCheckConstraints* Constraints() const { return Constraints_.get(); }
  // Open on the table's default index (index number 0) rather than none.
  bool DefaultIndex() const { return DefaultIndex_; }
  void SetDefaultIndex(bool Value);
  bool Exclusive() const { return Exclusive_; }
  void SetExclusive(bool Value);
  TIndexDefs* IndexDefs() const { return IndexDefs_.get(); }
  const std::string& IndexFieldNames() const { return IndexFieldNames_; }
  void SetIndexFieldNames(const std::string& Value);
  TStrings* IndexFiles() const { return IndexFiles_.get(); }
  void SetIndexFiles(TStrings* Value);
  const std::string& IndexName() const { return IndexName_; }
  void SetIndexName(const std::string& Value);
  const std::string& MasterFields() const;
  void SetMasterFields(const std::string& Value);
  // Raises "Circular datalinks are not allowed" for a source that leads back to this table.
  TDataSource* MasterSource() const;
  void SetMasterSource(TDataSource* Value);
  bool ReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool Value);
  bool StoreDefs() const { return StoreDefs_; }
  void SetStoreDefs(bool Value) { StoreDefs_ = Value; }
  const std::string& TableName() const { return TableName_; }
  void SetTableName(const std::string& Value);
  TTableType TableType() const { return TableType_; }
  void SetTableType(TTableType Value);
  TUpdateMode UpdateMode() const { return UpdateMode_; }
  void SetUpdateMode(TUpdateMode Value) { UpdateMode_ = Value; }
  TDataSetUpdateObject* UpdateObject() const { return UpdateObject_; }
  void SetUpdateObject(TDataSetUpdateObject* Value);

  // ---- Operations -----------------------------------------------------------------------
  // TableType, or for ttDefault the type the file name's extension gives.
  TTableType ActualTableType() const;
  // The name the engine gets for the table type ("PARADOX", "DBASE", ...).
  static const char* TableTypeName(TTableType Type);
  // The table name in the engine's text form, at most 260 characters.
  const std::string& NativeTableName() const;
  // Whether a range from the master's values restricts the records.
  bool RangeActive() const { return RangeActive_; }
  TDataSource* MasterDataSource() const override { return MasterSource(); }

 protected:
  EngHandle CreateHandle() override;
  void PrepareCursor() override;
  bool HasRecordFilter() const override;
  bool AcceptRecord() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool CachedUpdateHandler() const;
  std::string DatabaseFolder() const;
  void MasterChanged();
  void MasterDisabled();
  void TakeMasterRange();

  std::unique_ptr<TCheckConstraints> Constraints_;
  bool DefaultIndex_ = true;
  bool Exclusive_ = false;
  std::unique_ptr<TIndexDefs> IndexDefs_;
  std::string IndexFieldNames_;
  std::unique_ptr<TStringList> IndexFiles_;
  std::string IndexName_;
  bool ReadOnly_ = false;
  bool StoreDefs_ = false;
  std::string TableName_;
  TTableType TableType_ = ttDefault;
  TUpdateMode UpdateMode_ = upWhereAll;
  TDataSetUpdateObject* UpdateObject_ = nullptr;

  std::unique_ptr<TMasterDataLink> MasterLink_;
  mutable std::string NativeTableName_;
  mutable bool NativeTableNameMade_ = false;
  bool RangeActive_ = false;
  std::vector<std::string> RangeFields_;
  std::vector<std::string> RangeValues_;
};
