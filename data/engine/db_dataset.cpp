#include "data/engine/db_dataset.h"

#include <exception>

#include "core/rtti.h"
#include "data/engine/database.h"
#include "data/engine/engine_error.h"
#include "data/engine/engine_strings.h"
#include "data/engine/session.h"
#include "data/engine/session_list.h"

BREVANT_DEFINE_CLASS(TDBDataSet, TEngineDataSet,
                     .Property("DatabaseName", &TDBDataSet::DatabaseName, &TDBDataSet::SetDatabaseName)
                         .Property("Filter", &TDBDataSet::Filter, &TDBDataSet::SetFilter)
                         .Property("Filtered", &TDBDataSet::Filtered, &TDBDataSet::SetFiltered)
                         .Default(false)
                         .Property("FilterOptions", &TDBDataSet::FilterOptions, &TDBDataSet::SetFilterOptions)
                         .Default(TFilterOptions{})
                         .Property("SessionName", &TDBDataSet::SessionName, &TDBDataSet::SetSessionName)
                         .Event("OnFilterRecord", &TDBDataSet::OnFilterRecord))

TDBDataSet::TDBDataSet(TComponent* AOwner) : TEngineDataSet(AOwner) {}

TDBDataSet::~TDBDataSet() {
  CloseForDestruction();
  // Work that held the database while closed is over too.
  Flags_ = 0;
  try {
    ReleaseDatabase();
  } catch (...) {
  }
}

void TDBDataSet::SetDatabaseName(const std::string& Value) {
  if (Value == DatabaseName_) return;
  EnsureInactive();
  DatabaseName_ = Value;
  FieldDefs()->SetUpdated(false);
}

void TDBDataSet::SetSessionName(const std::string& Value) {
  if (Value == SessionName_) return;
  EnsureInactive();
  SessionName_ = Value;
}

void TDBDataSet::SetFilter(const std::string& Value) {
  if (Value == Filter_) return;
  Filter_ = Value;
  if (Active() && Filtered_) ActivateFilters();
}

void TDBDataSet::SetFiltered(bool Value) {
  if (Value == Filtered_) return;
  Filtered_ = Value;
  if (!Active()) return;
  ActivateFilters();
  GoFirst();
}

TSession* TDBDataSet::DBSession() const {
  if (Sessions == nullptr) {
    if (::Session == nullptr) RaiseDataErrorFmt(LoadResString(SInvalidSessionName), {SessionName_}, this);
    return ::Session;
  }
  return Sessions->LookupSession(SessionName_, this);
}

EngHandle TDBDataSet::DBHandle() const {
  return Database_ != nullptr ? Database_->Handle() : 0;
}

// ---- Database use -------------------------------------------------------------------------

void TDBDataSet::SetDBFlag(int Flag, bool Value) {
  const auto bit = static_cast<uint16_t>(1u << Flag);
  if (Value) {
    if ((Flags_ & bit) != 0) return;
    if (Flags_ == 0) AcquireDatabase();
    Flags_ = static_cast<uint16_t>(Flags_ | bit);
    return;
  }
  if ((Flags_ & bit) == 0) return;
  Flags_ = static_cast<uint16_t>(Flags_ & ~bit);
  if (Flags_ == 0) ReleaseDatabase();
}

void TDBDataSet::AcquireDatabase() {
  TSession* session = DBSession();
  Database_ = session->DatabaseAcquire(DatabaseName_, Owner());
  Database_->AddDataSet(this);
  SetLanguageDriver(Database_->LanguageDriver());
  DatabaseAcquired();
}

void TDBDataSet::ReleaseDatabase() {
  TDatabase* database = Database_;
  if (database == nullptr) return;
  Database_ = nullptr;
  database->RemoveDataSet(this);
  if (TSession* session = database->DBSession()) session->DatabaseRelease(database);
}

// ---- Opening and closing ------------------------------------------------------------------

void TDBDataSet::StartCursor(bool InfoOnly) {
  SetDBFlag(dbfOpened, true);
  TEngineDataSet::StartCursor(InfoOnly);
}

void TDBDataSet::StopCursor() {
  std::exception_ptr failure;
  try {
    TEngineDataSet::StopCursor();
  } catch (...) {
    failure = std::current_exception();
  }
  try {
    SetDBFlag(dbfOpened, false);
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  if (failure) std::rethrow_exception(failure);
}

// ---- Filters ------------------------------------------------------------------------------

void TDBDataSet::ActivateFilters() {
  if (Filtered_ && !Filter_.empty()) RaiseEngineError(ENG_ERR_NOT_SUPPORTED);
}

bool TDBDataSet::HasRecordFilter() const {
  return Filtered_ && static_cast<bool>(OnFilterRecord);
}

bool TDBDataSet::AcceptRecord() {
  bool accept = true;
  if (Filtered_ && OnFilterRecord) OnFilterRecord(this, accept);
  return accept;
}
