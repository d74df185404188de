// TDatabase: properties, opening and closing.

#include "data/engine/database.h"

#include <exception>

#include "core/rtti.h"
#include "core/scope_exit.h"
#include "data/data_strings.h"
#include "data/engine/db_dataset.h"
#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"
#include "data/engine/engine_strings.h"
#include "data/engine/engine_text.h"
#include "data/engine/session.h"
#include "data/engine/session_list.h"
#include "data/engine/session_lock.h"
#include "platform/codepage.h"

BREVANT_DEFINE_CLASS(TDatabase, TComponent,
                     .Property("AliasName", &TDatabase::AliasName, &TDatabase::SetAliasName)
                         .Property("Connected", &TDatabase::Connected, &TDatabase::SetConnected)
                         .Default(false)
                         .Property("DatabaseName", &TDatabase::DatabaseName, &TDatabase::SetDatabaseName)
                         .Property("DriverName", &TDatabase::DriverName, &TDatabase::SetDriverName)
                         .Property("Exclusive", &TDatabase::Exclusive, &TDatabase::SetExclusive)
                         .Default(false)
                         .Property("HandleShared", &TDatabase::HandleShared, &TDatabase::SetHandleShared)
                         .Default(false)
                         .Property("KeepConnection", &TDatabase::KeepConnection,
                                   &TDatabase::SetKeepConnection)
                         .Default(true)
                         .Property("LoginPrompt", &TDatabase::LoginPrompt, &TDatabase::SetLoginPrompt)
                         .Default(true)
                         .Property("Params", &TDatabase::Params, &TDatabase::SetParams)
                         .Property("ReadOnly", &TDatabase::ReadOnly, &TDatabase::SetReadOnly)
                         .Default(false)
                         .Property("SessionName", &TDatabase::SessionName, &TDatabase::SetSessionName)
                         .Property("TransIsolation", &TDatabase::TransIsolation,
                                   &TDatabase::SetTransIsolation)
                         .Default(tiReadCommitted)
                         .Event("OnLogin", &TDatabase::OnLogin))

TDatabase::TDatabase(TComponent* AOwner) : TComponent(AOwner), Params_(std::make_unique<TStringList>()) {
  if (Sessions != nullptr) ChangeSession(Sessions->DefaultSession());
}

TDatabase::~TDatabase() {
  Destroying();
  try {
    Close();
  } catch (...) {
    // A destructor cannot report it; the handle is given up either way.
  }
  for (TDBDataSet* dataSet : DataSets_)
    dataSet->Database_ = nullptr;
  DataSets_.clear();
  ChangeSession(nullptr);
}

void TDatabase::CheckInactive() const {
  if (Connected()) RaiseDataError(LoadResString(SDatabaseOpen), this);
}

void TDatabase::SetAliasName(const std::string& Value) {
  if (Value == AliasName_) return;
  CheckInactive();
  AliasName_ = Value;
  if (!Value.empty()) DriverName_.clear();
}

void TDatabase::SetDriverName(const std::string& Value) {
  if (Value == DriverName_) return;
  CheckInactive();
  DriverName_ = Value;
  if (!Value.empty()) AliasName_.clear();
}

void TDatabase::SetDatabaseName(const std::string& Value) {
  if (Value == DatabaseName_) return;
  CheckInactive();
  DatabaseName_ = Value;
}

void TDatabase::SetConnected(bool Value) {
  if (IsReading()) {
    StreamedConnected_ = Value;
    return;
  }
  if (Value) {
    Open();
  } else {
    Close();
  }
}

void TDatabase::Loaded() {
  TComponent::Loaded();
  if (StreamedConnected_) Open();
}

void TDatabase::SetExclusive(bool Value) {
  if (Value == Exclusive_) return;
  CheckInactive();
  Exclusive_ = Value;
}

void TDatabase::SetHandleShared(bool Value) {
  if (Value == HandleShared_) return;
  CheckInactive();
  HandleShared_ = Value;
}

void TDatabase::SetKeepConnection(bool Value) {
  if (Value == KeepConnection_) return;
  KeepConnection_ = Value;
  if (!Value && UseCount_ == 0 && Connected() && !Temporary_) Close();
}

void TDatabase::SetParams(TStrings* Value) {
  if (Value != nullptr) Params_->Assign(*Value);
}

void TDatabase::SetReadOnly(bool Value) {
  if (Value == ReadOnly_) return;
  CheckInactive();
  ReadOnly_ = Value;
}

void TDatabase::SetSessionName(const std::string& Value) {
  if (Value == SessionName_) return;
  CheckInactive();
  SessionName_ = Value;
}

void TDatabase::SetTransIsolation(TTransIsolation Value) {
  if (Value == TransIsolation_) return;
  CheckInactive();
  TransIsolation_ = Value;
}

void TDatabase::ChangeSession(TSession* Value) {
  if (Value == Session_) return;
  if (Session_ != nullptr) Session_->RemoveDatabase(this);
  Session_ = Value;
  if (Session_ != nullptr) Session_->AddDatabase(this);
}

void TDatabase::AddDataSet(TDBDataSet* DataSet) {
  DataSets_.push_back(DataSet);
}

void TDatabase::RemoveDataSet(TDBDataSet* DataSet) {
  std::erase(DataSets_, DataSet);
}

bool TDatabase::IsFolderName() const {
  return AliasName_.empty() && DriverName_.empty() &&
         DatabaseName_.find_first_of(":\\/") != std::string::npos;
}

// ---- Opening ------------------------------------------------------------------------------

void TDatabase::Open() {
  if (Handle_ != 0) return;
  if (DatabaseName_.empty() && !Temporary_) RaiseDataError(LoadResString(SDatabaseNameMissing), this);
  TSession* session = Sessions != nullptr ? Sessions->LookupSession(SessionName_, this) : Session_;
  if (session == nullptr) RaiseDataErrorFmt(LoadResString(SInvalidSessionName), {SessionName_}, this);
  session->SetActive(true);
  ChangeSession(session);

  TSessionLock lock(session);
  // The configuration mode is the session's: whatever opening changes is put back.
  uint32_t mode = 0;
  uint16_t length = 0;
  const bool keepMode = ENG_STATUS(DbEngine.EngGetProperty(session->Handle_, ENG_SESPROP_CONFIG_MODE, &mode,
                                                           sizeof mode, &length)) == ENG_OK;
  TScopeExit restoreMode([&] {
    if (keepMode) DbEngine.EngSetProperty(session->Handle_, ENG_SESPROP_CONFIG_MODE, mode);
  });
  TScopeFail undoOpen([this] {
    const EngHandle handle = Handle_;
    Handle_ = 0;
    Directory_.clear();
    if (handle != 0) DbEngine.EngCloseDatabase(handle);
    DeleteSessionAlias();
  });
  const std::string password = AnsiToOem(PrepareAliasAndLogin());
  const bool folder = IsFolderName();
  const std::string name = folder ? std::string() : AnsiToOem(DatabaseName_);
  const std::string driver = AnsiToOem(DriverName_);
  EngHandle handle = 0;
  CheckEngine(DbEngine.EngOpenDatabase(name.c_str(), driver.empty() ? nullptr : driver.c_str(),
                                       ReadOnly_ ? ENG_OPEN_READONLY : ENG_OPEN_READWRITE,
                                       Exclusive_ ? ENG_SHARE_EXCLUSIVE : ENG_SHARE_SHARED, password.c_str(),
                                       &handle));
  Handle_ = handle;
  if (folder) {
    CheckEngine(DbEngine.EngSetDirectory(Handle_, AnsiToOem(DatabaseName_).c_str()));
    Directory_ = DatabaseName_;
  }
  CheckEngine(DbEngine.EngSetProperty(Handle_, ENG_DBPROP_OPTIONAL_EXTENSION, 1));
  CheckEngine(DbEngine.EngSetProperty(Handle_, ENG_DBPROP_NAMES_IGNORE_CASE, 1));
  CheckEngine(DbEngine.EngSetProperty(Handle_, ENG_DBPROP_WAIT_ON_LOCK, 1));
  ReadDatabaseType();
}

void TDatabase::ReadDatabaseType() {
  char type[ENG_NAME_BUFFER + 1] = {};
  uint16_t length = 0;
  CheckEngine(DbEngine.EngGetProperty(Handle_, ENG_DBPROP_TYPE_NAME, type, ENG_NAME_BUFFER, &length));
  SQLBased_ = !SameText(FixedText(type, ENG_NAME_BUFFER), "STANDARD");
  LanguageDriver_.clear();
  LoadedLanguageDriver_ = false;
  if (SQLBased_) {
    char driver[ENG_NAME_BUFFER] = {};
    if (ENG_STATUS(DbEngine.EngGetLanguageDriver(Handle_, driver)) == ENG_OK) {
      LanguageDriver_ = FixedText(driver, ENG_MAX_NAME_LEN);
      LoadedLanguageDriver_ = true;
    }
  }
}

// ---- Closing ------------------------------------------------------------------------------

void TDatabase::Close() {
  if (Handle_ == 0 || Closing_) return;
  Closing_ = true;
  std::exception_ptr failure;
  // Each dataset leaves the list as it closes.
  std::vector<TDBDataSet*> dataSets = DataSets_;
  for (TDBDataSet* dataSet : dataSets) {
    try {
      dataSet->SetActive(false);
      dataSet->DatabaseClosing();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  LanguageDriver_.clear();
  LoadedLanguageDriver_ = false;
  const EngHandle handle = Handle_;
  bool shared = false;
  if (Session_ != nullptr) {
    for (int i = 0; i < Session_->DatabaseCount(); ++i) {
      const TDatabase* other = Session_->Databases(i);
      if (other != this && other->Handle_ == handle && SameText(other->DatabaseName_, DatabaseName_))
        shared = true;
    }
  }
  SQLBased_ = false;
  Handle_ = 0;
  UseCount_ = 0;
  Directory_.clear();
  if (!shared) {
    const EngResult status = DbEngine.EngCloseDatabase(handle);
    if (ENG_STATUS(status) != ENG_OK && !failure) failure = std::make_exception_ptr(EDBEngineError(status));
  }
  DeleteSessionAlias();
  Closing_ = false;
  if (failure) std::rethrow_exception(failure);
}
