// TSession: what the engine calls back for: server calls, database logins, library detach.

#include <cstring>

#include "core/strings.h"
#include "data/engine/database.h"
#include "data/engine/engine_hooks.h"
#include "data/engine/engine_text.h"
#include "data/engine/session.h"
#include "data/engine/session_list.h"
#include "data/engine/sql_wait_cursor.h"
#include "platform/codepage.h"

namespace {

// The answers of the login callback.
constexpr uint32_t kLoginHandled = ENG_CBR_HANDLED;
constexpr uint32_t kLoginAbort = ENG_CBR_ABORT;

}  // namespace

uint32_t TSession::ServerCallCallback(void* Info) {
  uint32_t kind = 0;
  if (Info != nullptr) std::memcpy(&kind, Info, sizeof kind);
  ServerCallBegins(kind);
  return 0;
}

// The engine asks for a database on behalf of a login: the record (EngLoginInfo) names the
// database and may carry a handle to give back.
uint32_t TSession::DBLoginCallback(void* Info) {
  if (Info == nullptr) return kLoginAbort;
  try {
    EngLoginInfo record;
    std::memcpy(&record, Info, sizeof record);
    const std::string name = OemToAnsi(FixedText(record.dbName, sizeof record.dbName));
    if (record.database != 0) {
      TDatabase* database = FindDatabase(name);
      if (database != nullptr && database->Handle() == record.database) DatabaseRelease(database);
    } else if (PromptEngineLogin_) {
      TStringList params;
      GetAliasParams(name, &params);
      std::string user = params.Values("USER NAME");
      std::string password;
      if (!DataEngineHooks().LoginDialog(name, user, password, true)) return kLoginAbort;
      CopyToFixed(record.password, sizeof record.password, AnsiToOem(password.substr(0, ENG_MAX_NAME_LEN)));
      record.flags = 0;
    } else {
      TDatabase* database = DatabaseAcquire(name, nullptr);
      if (database->HandleShared()) {
        DatabaseRelease(database);
        return kLoginAbort;
      }
      record.database = database->Handle();
      record.flags = -1;
    }
    std::memcpy(Info, &record, sizeof record);
    return kLoginHandled;
  } catch (...) {
    return kLoginAbort;
  }
}

uint32_t TSession::DetachCallback(void* /*Info*/) {
  if (Sessions != nullptr) Sessions->LibraryDetached();
  return 0;
}
