// TDatabase: which alias a database opens, with which password, and the session alias made
// when the database's own parameters differ from the alias's.

#include "core/strings.h"
#include "data/db_error.h"
#include "data/engine/database.h"
#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"
#include "data/engine/engine_hooks.h"
#include "data/engine/engine_strings.h"
#include "data/engine/engine_text.h"
#include "data/engine/session.h"
#include "platform/codepage.h"

namespace {

constexpr const char* kUserName = "USER NAME";
constexpr const char* kPassword = "PASSWORD";

}  // namespace

std::string TDatabase::PrepareAliasAndLogin() {
  TSession* session = Session_;
  std::string driver;
  bool known = false;
  TStringList aliasParams;
  if (!DriverName_.empty()) {
    driver = DriverName_;
    known = true;
    session->GetConfigRows("\\DRIVERS\\" + DriverName_ + "\\INIT", &aliasParams);
  } else if (!IsFolderName()) {
    const std::string alias = AliasName_.empty() ? DatabaseName_ : AliasName_;
    known = session->GetAliasDriverName(alias, driver);
    if (known) session->GetAliasParams(alias, &aliasParams);
  }
  // Without a driver there is nothing to log in to.
  if (!known) return {};
  const std::string password = LoginPassword(aliasParams);
  if (NeedsSessionAlias(aliasParams)) CreateSessionAlias(driver, aliasParams);
  return password;
}

std::string TDatabase::LoginPassword(const TStrings& AliasParams) {
  if (AliasParams.IndexOfName(kUserName) < 0) return {};
  if (!LoginPrompt_) return Params_->Values(kPassword);
  std::string user =
      Params_->IndexOfName(kUserName) >= 0 ? Params_->Values(kUserName) : AliasParams.Values(kUserName);
  TStringList login;
  login.Add(std::string(kUserName) + "=" + user);
  if (OnLogin) {
    OnLogin(this, &login);
  } else {
    std::string password;
    if (!DataEngineHooks().LoginDialog(DatabaseName_, user, password, false))
      RaiseDataErrorFmt(LoadResString(SLoginError), {DatabaseName_}, this);
    login.Clear();
    login.Add(std::string(kUserName) + "=" + user);
    login.Add(std::string(kPassword) + "=" + password);
  }
  const std::string entered = login.Values(kUserName);
  const int line = Params_->IndexOfName(kUserName);
  if (line >= 0) {
    Params_->Put(line, std::string(kUserName) + "=" + entered);
  } else {
    Params_->Add(std::string(kUserName) + "=" + entered);
  }
  return login.Values(kPassword);
}

bool TDatabase::NeedsSessionAlias(const TStrings& AliasParams) const {
  if (!DriverName_.empty()) return true;
  if (!AliasName_.empty() && !SameText(AliasName_, DatabaseName_)) return true;
  for (int i = 0; i < Params_->Count(); ++i) {
    const std::string name = Params_->Names(i);
    if (name.empty() || SameText(name, kPassword)) continue;
    const int own = AliasParams.IndexOfName(name);
    if (own < 0 || AliasParams.ValueFromIndex(own) != Params_->ValueFromIndex(i)) return true;
  }
  return false;
}

void TDatabase::CreateSessionAlias(const std::string& Driver, const TStrings& AliasParams) {
  TStringList merged;
  merged.Assign(AliasParams);
  for (int i = 0; i < Params_->Count(); ++i) {
    const std::string name = Params_->Names(i);
    if (name.empty() || SameText(name, kPassword)) continue;
    const int own = merged.IndexOfName(name);
    const std::string line = name + "=" + Params_->ValueFromIndex(i);
    if (own >= 0) {
      merged.Put(own, line);
    } else {
      merged.Add(line);
    }
  }
  std::string rows;
  for (int i = 0; i < merged.Count(); ++i)
    rows += AnsiToOem(merged.Get(i)) + "\n";
  CheckEngine(
      DbEngine.EngAddSessionAlias(AnsiToOem(DatabaseName_).c_str(), AnsiToOem(Driver).c_str(), rows.c_str()));
  SessionAlias_ = true;
}

void TDatabase::DeleteSessionAlias() {
  if (!SessionAlias_) return;
  SessionAlias_ = false;
  DbEngine.EngDeleteSessionAlias(AnsiToOem(DatabaseName_).c_str());
}
