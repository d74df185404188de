// TSession: properties, passwords, databases and alias parameters.

#include "data/engine/session.h"

#include <vector>

#include "core/rtti.h"
#include "core/scope_exit.h"
#include "data/engine/database.h"
#include "data/engine/engine_callback.h"
#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"
#include "data/engine/engine_hooks.h"
#include "data/engine/engine_strings.h"
#include "data/engine/engine_text.h"
#include "data/engine/session_list.h"
#include "data/engine/session_lock.h"
#include "platform/codepage.h"

BREVANT_DEFINE_CLASS(TSession, TComponent,
                     .Property("Active", &TSession::Active, &TSession::SetActive)
                         .Default(false)
                         .Property("AutoSessionName", &TSession::AutoSessionName,
                                   &TSession::SetAutoSessionName)
                         .Default(false)
                         .Property("KeepConnections", &TSession::KeepConnections,
                                   &TSession::SetKeepConnections)
                         .Default(true)
                         .Property("NetFileDir", &TSession::NetFileDir, &TSession::SetNetFileDir)
                         .Property("PrivateDir", &TSession::PrivateDir, &TSession::SetPrivateDir)
                         .Property("SessionName", &TSession::SessionName, &TSession::SetSessionName)
                         .StoredIf([](const TSession& S) { return !S.AutoSessionName(); })
                         .Property("SQLHourGlass", &TSession::SQLHourGlass, &TSession::SetSQLHourGlass)
                         .Default(true)
                         .Event("OnPassword", &TSession::OnPassword)
                         .Event("OnStartup", &TSession::OnStartup))

namespace {

// Closes a cursor of configuration rows when it goes.
struct TCursorCloser {
  EngHandle Cursor = 0;
  ~TCursorCloser() {
    if (Cursor != 0) DbEngine.EngCloseCursor(Cursor);
  }
};

}  // namespace

TSession::TSession(TComponent* AOwner) : TComponent(AOwner) {
  if (Sessions != nullptr) {
    Sessions->AddSession(this);
  } else {
    Default_ = true;  // a session without a list stands alone and runs the engine itself
  }
}

TSession::~TSession() {
  Destroying();
  try {
    SetActive(false);
  } catch (...) {
    // A destructor cannot report it; the engine session is gone either way.
  }
  for (TDatabase* database : Databases_)
    database->Session_ = nullptr;
  Databases_.clear();
  if (Sessions != nullptr) {
    if (SessionNumber_ != 0) Sessions->ReleaseSessionNumber(SessionNumber_);
    Sessions->RemoveSession(this);
  }
  if (::Session == this) ::Session = nullptr;
}

void TSession::CheckInactive() const {
  if (Active()) RaiseDataError(LoadResString(SSessionActive), this);
}

void TSession::SetActive(bool Value) {
  if (IsReading()) {
    StreamedActive_ = Value;
    return;
  }
  if (Value == Active()) return;
  if (Value) {
    StartSession();
  } else {
    StopSession();
  }
}

void TSession::Loaded() {
  TComponent::Loaded();
  if (StreamedActive_) SetActive(true);
}

void TSession::SetAutoSessionName(bool Value) {
  if (Value == AutoSessionName_) return;
  if (Value) {
    CheckInactive();
    ApplyAutoSessionName();
  }
  AutoSessionName_ = Value;
}

void TSession::ApplyAutoSessionName() {
  if (Sessions == nullptr) return;
  std::lock_guard<std::recursive_mutex> guard(Sessions->SessionLock());
  if (SessionNumber_ == 0) SessionNumber_ = Sessions->TakeSessionNumber();
  const std::string stem = Owner() != nullptr && !Owner()->Name().empty() ? Owner()->Name() : "Session";
  SessionName_ = stem + "_" + std::to_string(SessionNumber_);
}

void TSession::SetNetFileDir(const std::string& Value) {
  if (Value == NetFileDir_) return;
  NetFileDir_ = Value;
  if (Active() && !Value.empty())
    CheckEngine(DbEngine.EngSetProperty(Handle_, ENG_SESPROP_NET_DIR,
                                        reinterpret_cast<uintptr_t>(AnsiToOem(Value).c_str())));
}

void TSession::SetPrivateDir(const std::string& Value) {
  if (Value == PrivateDir_) return;
  PrivateDir_ = Value;
  if (Active() && !Value.empty())
    CheckEngine(DbEngine.EngSetProperty(Handle_, ENG_SESPROP_PRIVATE_DIR,
                                        reinterpret_cast<uintptr_t>(AnsiToOem(Value).c_str())));
}

void TSession::SetSessionName(const std::string& Value) {
  if (Value == SessionName_) return;
  if (AutoSessionName_) RaiseDataError(LoadResString(SAutoSessionActive), this);
  CheckInactive();
  if (Sessions != nullptr && !Value.empty()) {
    TSession* other = Sessions->FindSession(Value);
    if (other != nullptr && other != this)
      RaiseDataErrorFmt(LoadResString(SDuplicateSessionName), {Value}, this);
  }
  SessionName_ = Value;
}

EngHandle TSession::Handle() {
  if (!Active()) SetActive(true);
  return Handle_;
}

void TSession::MakeCurrent() {
  if (!Active()) {
    SetActive(true);
  } else {
    CheckEngine(DbEngine.EngSetCurrentSession(Handle_));
  }
}

// ---- Passwords ----------------------------------------------------------------------------

std::string TSession::EnginePassword(const std::string& Password) {
  std::string text = Password;
  if (text.size() > 255) {
    // Never cut inside a multi-byte character: back off to the start of the one that would
    // be split.
    size_t cut = 255;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
      --cut;
    text.resize(cut);
  }
  return AnsiToOem(text);
}

void TSession::StorePassword(const std::string& Password) {
  TSessionLock lock(this);
  if (Password.empty()) return;
  CheckEngine(DbEngine.EngAddPassword(EnginePassword(Password).c_str()));
}

void TSession::DropPassword(const std::string& Password) {
  TSessionLock lock(this);
  if (Password.empty()) return;
  DbEngine.EngDropPassword(EnginePassword(Password).c_str());
}

void TSession::DropAllPasswords() {
  TSessionLock lock(this);
  DbEngine.EngDropPassword(nullptr);
}

bool TSession::RequestPassword() {
  if (OnPassword) {
    bool go = false;
    OnPassword(this, go);
    return go;
  }
  return DataEngineHooks().PasswordDialog(this);
}

// ---- Databases ----------------------------------------------------------------------------

void TSession::AddDatabase(TDatabase* Database) {
  Databases_.push_back(Database);
}

void TSession::RemoveDatabase(TDatabase* Database) {
  std::erase(Databases_, Database);
}

TDatabase* TSession::FindDatabase(const std::string& Name) const {
  for (TDatabase* database : Databases_) {
    if (SameText(database->DatabaseName(), Name)) return database;
  }
  return nullptr;
}

TDatabase* TSession::DatabaseAcquire(const std::string& Name, TComponent* Owner) {
  MakeCurrent();
  TDatabase* database = nullptr;
  for (TDatabase* candidate : Databases_) {
    if (candidate->Owner() == Owner && candidate->HandleShared() &&
        SameText(candidate->DatabaseName(), Name)) {
      database = candidate;
      break;
    }
  }
  if (database == nullptr) database = FindDatabase(Name);
  bool made = false;
  if (database == nullptr) {
    database = new TDatabase(this);
    made = true;
    database->Temporary_ = true;
    database->SessionName_ = SessionName_;
    database->ChangeSession(this);
    database->DatabaseName_ = Name;
    database->KeepConnection_ = KeepConnections_;
  }
  {
    TScopeFail freeMade([&] {
      if (made) delete database;
    });
    database->Open();
  }
  ++database->UseCount_;
  return database;
}

void TSession::DatabaseRelease(TDatabase* Database) {
  if (Database == nullptr) return;
  if (Database->UseCount_ > 0) --Database->UseCount_;
  if (Database->UseCount_ > 0 || Database->KeepConnection_ || Database->Closing_) return;
  if (Database->Temporary_) {
    if (!Database->IsDestroying()) delete Database;
  } else {
    Database->Close();
  }
}

// ---- Aliases ------------------------------------------------------------------------------

bool TSession::GetAliasDriverName(const std::string& AliasName, std::string& Driver) {
  TSessionLock lock(this);
  const std::string alias = AnsiToOem(AliasName.substr(0, ENG_MAX_NAME_LEN));
  char driver[ENG_NAME_BUFFER] = {};
  if (ENG_STATUS(DbEngine.EngGetAliasDriver(alias.c_str(), driver)) != ENG_OK) return false;
  Driver = OemToAnsi(FixedText(driver, ENG_MAX_NAME_LEN));
  return true;
}

void TSession::GetAliasParams(const std::string& AliasName, TStrings* List) {
  TSessionLock lock(this);
  const std::string alias = AnsiToOem(AliasName.substr(0, ENG_MAX_NAME_LEN));
  char driver[ENG_NAME_BUFFER] = {};
  CheckEngine(DbEngine.EngGetAliasDriver(alias.c_str(), driver));
  const bool desktop = SameText(FixedText(driver, ENG_MAX_NAME_LEN), "STANDARD");
  const std::string path = Format(desktop ? "\\DATABASES\\%s\\DB INFO" : "\\DATABASES\\%s\\DB OPEN", alias);
  CheckEngine(ReadConfigRows(path, List));
  if (desktop) {
    const int type = List->IndexOfName("TYPE");
    if (type >= 0) List->Delete(type);
  }
}

bool TSession::GetConfigRows(const std::string& Path, TStrings* List) {
  TSessionLock lock(this);
  return ENG_STATUS(ReadConfigRows(AnsiToOem(Path), List)) == ENG_OK;
}

EngResult TSession::ReadConfigRows(const std::string& Path, TStrings* List) {
  List->BeginUpdate();
  List->Clear();
  List->EndUpdate();
  TCursorCloser rows;
  EngResult status = DbEngine.EngOpenConfigRows(Path.c_str(), &rows.Cursor);
  if (ENG_STATUS(status) != ENG_OK) return status;
  EngCursorProps props{};
  status = DbEngine.EngGetCursorProps(rows.Cursor, &props);
  if (ENG_STATUS(status) != ENG_OK) return status;
  std::vector<EngFieldDesc> fields(props.fieldCount);
  status = DbEngine.EngGetFieldDescs(rows.Cursor, fields.data());
  if (ENG_STATUS(status) != ENG_OK || fields.size() < 2) return status;
  std::vector<char> record(props.recordSize);
  std::vector<char> name(fields[0].length + 1u);
  std::vector<char> value(fields[1].length + 1u);
  List->BeginUpdate();
  while (ENG_STATUS(DbEngine.EngGetNextRecord(rows.Cursor, ENG_LOCK_NONE, record.data(), nullptr)) ==
         ENG_OK) {
    std::fill(name.begin(), name.end(), '\0');
    std::fill(value.begin(), value.end(), '\0');
    DbEngine.EngGetField(rows.Cursor, fields[0].fieldNumber, record.data(), name.data(), nullptr);
    DbEngine.EngGetField(rows.Cursor, fields[1].fieldNumber, record.data(), value.data(), nullptr);
    List->Add(OemToAnsi(FixedText(name.data(), name.size())) + "=" +
              OemToAnsi(FixedText(value.data(), value.size())));
  }
  List->EndUpdate();
  return ENG_OK;
}
