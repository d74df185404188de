#include "data/engine/table.h"

#include "core/rtti.h"
#include "data/data_strings.h"
#include "data/dataset_published.h"
#include "data/engine/database.h"
#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"
#include "data/engine/engine_strings.h"
#include "data/engine/engine_text.h"
#include "data/engine/session.h"
#include "data/fields/field.h"
#include "data/links/data_source.h"
#include "data/links/master_data_link.h"
#include "platform/codepage.h"
#include "platform/library.h"

BREVANT_DEFINE_CLASS(TTable, TDBDataSet,
                     .Property("Constraints", &TTable::Constraints)
                         .Property("DefaultIndex", &TTable::DefaultIndex, &TTable::SetDefaultIndex)
                         .Default(true)
                         .Property("Exclusive", &TTable::Exclusive, &TTable::SetExclusive)
                         .Default(false)
                         .Property("FieldDefs", &TDataSet::FieldDefs)
                         .Property("IndexDefs", &TTable::IndexDefs)
                         .Property("IndexFieldNames", &TTable::IndexFieldNames, &TTable::SetIndexFieldNames)
                         .Property("IndexFiles", &TTable::IndexFiles, &TTable::SetIndexFiles)
                         .Property("IndexName", &TTable::IndexName, &TTable::SetIndexName)
                         .Property("MasterFields", &TTable::MasterFields, &TTable::SetMasterFields)
                         .Property("MasterSource", &TTable::MasterSource, &TTable::SetMasterSource)
                         .Property("ReadOnly", &TTable::ReadOnly, &TTable::SetReadOnly)
                         .Default(false)
                         .Property("StoreDefs", &TTable::StoreDefs, &TTable::SetStoreDefs)
                         .Default(false)
                         .Property("TableName", &TTable::TableName, &TTable::SetTableName)
                         .Property("TableType", &TTable::TableType, &TTable::SetTableType)
                         .Default(ttDefault)
                         .Property("UpdateMode", &TTable::UpdateMode, &TTable::SetUpdateMode)
                         .Default(upWhereAll)
                         .Property("UpdateObject", &TTable::UpdateObject, &TTable::SetUpdateObject))

namespace {

std::string Extension(const std::string& Name) {
  const size_t dot = Name.rfind('.');
  const size_t slash = Name.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return Name.substr(dot);
}

}  // namespace

TTable::TTable(TComponent* AOwner)
    : TDBDataSet(AOwner),
      Constraints_(std::make_unique<TCheckConstraints>()),
      IndexDefs_(std::make_unique<TIndexDefs>()),
      IndexFiles_(std::make_unique<TStringList>()),
      MasterLink_(std::make_unique<TMasterDataLink>(this)) {
  MasterLink_->OnMasterChange = [this](TObject*) { MasterChanged(); };
  MasterLink_->OnMasterDisable = [this](TObject*) { MasterDisabled(); };
}

TTable::~TTable() {
  CloseForDestruction();
  MasterLink_->OnMasterChange = nullptr;
  MasterLink_->OnMasterDisable = nullptr;
}

// ---- Published properties ----------------------------------------------------------------

void TTable::SetDefaultIndex(bool Value) {
  if (Value == DefaultIndex_) return;
  EnsureInactive();
  DefaultIndex_ = Value;
}

void TTable::SetExclusive(bool Value) {
  if (Value == Exclusive_) return;
  EnsureInactive();
  Exclusive_ = Value;
}

void TTable::SetIndexFieldNames(const std::string& Value) {
  if (Value == IndexFieldNames_) return;
  IndexFieldNames_ = Value;
  if (!Value.empty()) IndexName_.clear();
}

void TTable::SetIndexFiles(TStrings* Value) {
  if (Value != nullptr) IndexFiles_->Assign(*Value);
}

void TTable::SetIndexName(const std::string& Value) {
  if (Value == IndexName_) return;
  IndexName_ = Value;
  if (!Value.empty()) IndexFieldNames_.clear();
}

const std::string& TTable::MasterFields() const {
  return MasterLink_->FieldNames();
}

void TTable::SetMasterFields(const std::string& Value) {
  MasterLink_->SetFieldNames(Value);
}

TDataSource* TTable::MasterSource() const {
  return MasterLink_->DataSource();
}

void TTable::SetMasterSource(TDataSource* Value) {
  if (Value == MasterSource()) return;
  if (Value != nullptr && IsLinkedTo(Value)) RaiseDataError(LoadResString(SCircularDataLink), this);
  MasterLink_->SetDataSource(Value);
}

void TTable::SetReadOnly(bool Value) {
  if (Value == ReadOnly_) return;
  EnsureInactive();
  ReadOnly_ = Value;
}

void TTable::SetTableName(const std::string& Value) {
  if (Value == TableName_) return;
  EnsureInactive();
  TableName_ = Value;
  NativeTableNameMade_ = false;
  FieldDefs()->SetUpdated(false);
}

void TTable::SetTableType(TTableType Value) {
  if (Value == TableType_) return;
  EnsureInactive();
  TableType_ = Value;
}

void TTable::SetUpdateObject(TDataSetUpdateObject* Value) {
  if (Value == UpdateObject_) return;
  if (UpdateObject_ != nullptr) UpdateObject_->RemoveFreeNotification(this);
  UpdateObject_ = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TTable::Notification(TComponent* AComponent, TOperation Operation) {
  TDBDataSet::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == UpdateObject_) UpdateObject_ = nullptr;
}

// ---- Table type and name ------------------------------------------------------------------

const char* TTable::TableTypeName(TTableType Type) {
  switch (Type) {
    case ttDBase:
      return "DBASE";
    case ttFoxPro:
      return "FOXPRO";
    case ttASCII:
      return "ASCIIDRV";
    case ttDefault:
    case ttParadox:
      break;
  }
  return "PARADOX";
}

std::string TTable::DatabaseFolder() const {
  const EngHandle database = DBHandle();
  if (database == 0) return {};
  char folder[ENG_PATH_BUFFER] = {};
  if (ENG_STATUS(DbEngine.EngGetDirectory(database, folder)) != ENG_OK) return {};
  return OemToAnsi(FixedText(folder, sizeof folder));
}

TTableType TTable::ActualTableType() const {
  if (TableType_ != ttDefault) return TableType_;
  const std::string extension = Extension(TableName_);
  if (SameText(extension, ".DB")) return ttParadox;
  if (SameText(extension, ".TXT")) return ttASCII;
  if (!SameText(extension, ".DBF")) return ttDefault;
  // A dBASE file with a memo or compound index file of the FoxPro kind beside it.
  std::string stem = TableName_.substr(0, TableName_.size() - extension.size());
  if (!stem.empty() && stem.front() != '/') {
    const std::string folder = DatabaseFolder();
    if (!folder.empty()) stem = folder + "/" + stem;
  }
  for (const char* companion : {".FPT", ".CDX", ".fpt", ".cdx"}) {
    if (FileExists(stem + companion)) return ttFoxPro;
  }
  return ttDBase;
}

const std::string& TTable::NativeTableName() const {
  if (!NativeTableNameMade_) {
    NativeTableName_ = AnsiToOem(TableName_);
    if (NativeTableName_.size() > ENG_PATH_BUFFER - 1) NativeTableName_.resize(ENG_PATH_BUFFER - 1);
    NativeTableNameMade_ = true;
  }
  return NativeTableName_;
}

// ---- Opening ------------------------------------------------------------------------------

bool TTable::CachedUpdateHandler() const {
  return CachedUpdates() && (UpdateObject_ != nullptr || static_cast<bool>(OnUpdateRecord));
}

EngHandle TTable::CreateHandle() {
  if (TableName_.empty()) RaiseDataError(LoadResString(SNoTableName), this);
  uint32_t openMode = ReadOnly_ || CachedUpdateHandler() ? ENG_OPEN_READONLY : ENG_OPEN_READWRITE;
  const uint32_t shareMode = Exclusive_ ? ENG_SHARE_EXCLUSIVE : ENG_SHARE_SHARED;
  const uint16_t indexId = DefaultIndex_ ? 0 : 0xFFFF;
  const bool sqlBased = Database() != nullptr && Database()->IsSQLBased();
  const TTableType type = ActualTableType();
  const char* typeName = sqlBased ? nullptr : TableTypeName(type);
  // Only a server database takes an index by name when opening.
  const std::string indexName = sqlBased ? AnsiToOem(IndexName_.empty() ? IndexFieldNames_ : IndexName_) : "";
  EngHandle cursor = 0;
  for (;;) {
    const EngResult status =
        DbEngine.EngOpenTable(DBHandle(), NativeTableName().c_str(), typeName, indexName.c_str(), "", indexId,
                              openMode, shareMode, ENG_XLT_RECORD, 0, nullptr, &cursor);
    const uint16_t code = ENG_STATUS(status);
    if (code == ENG_ERR_READ_ONLY && openMode != ENG_OPEN_READONLY) {
      openMode = ENG_OPEN_READONLY;
      continue;
    }
    if (code == ENG_ERR_PASSWORD) {
      if (DBSession()->RequestPassword()) continue;
      RaiseEngineError(status);
    }
    CheckEngine(status);
    break;
  }
  if ((type == ttDBase || type == ttFoxPro) && IndexFiles_->Count() > 0) {
    // The engine opens no separate index files.
    DbEngine.EngCloseCursor(cursor);
    RaiseEngineError(ENG_ERR_NOT_SUPPORTED);
  }
  return cursor;
}

void TTable::PrepareCursor() {
  if (MasterLink_->Active() && !MasterLink_->Fields().empty()) TakeMasterRange();
}

// ---- Master link --------------------------------------------------------------------------

void TTable::TakeMasterRange() {
  const std::vector<TField*>& masters = MasterLink_->Fields();
  std::vector<std::string> names = SplitNames(IndexFieldNames_);
  RangeFields_.clear();
  RangeValues_.clear();
  for (size_t i = 0; i < masters.size(); ++i) {
    RangeFields_.push_back(i < names.size() ? names[i] : masters[i]->FieldName());
    RangeValues_.push_back(masters[i]->AsText());
  }
  RangeActive_ = true;
}

void TTable::MasterChanged() {
  EnsureBrowse();
  TakeMasterRange();
  GoFirst();
}

void TTable::MasterDisabled() {
  EnsureBrowse();
  SyncCursor();
  if (!RangeActive_) return;
  RangeActive_ = false;
  RangeFields_.clear();
  RangeValues_.clear();
  Refetch({});
}

bool TTable::HasRecordFilter() const {
  return RangeActive_ || TDBDataSet::HasRecordFilter();
}

bool TTable::AcceptRecord() {
  for (size_t i = 0; i < RangeFields_.size() && RangeActive_; ++i) {
    if (FieldNamed(RangeFields_[i])->AsText() != RangeValues_[i]) return false;
  }
  return TDBDataSet::AcceptRecord();
}
