// Entries: configuration, databases and properties.
#include <sstream>

#include "api_guard.h"
#include "text.h"

// The C interface lives outside the engine's namespace; its bodies reach into it.
using namespace dbengine;

namespace {

constexpr const char* kStandard = "STANDARD";

TAlias RequireAlias(TEngine& engine, const std::string& name) {
  auto alias = engine.FindAlias(name);
  if (!alias) {
    Fail(ENG_ERR_ALIAS_NOT_FOUND,
         "Unknown alias '" + FitText(name, 40) + "': " + engine.Config().WhereLooked());
  }
  return *alias;
}

// Splits "\DATABASES\<alias>\<section>" into alias and section; false for other paths.
bool SplitAliasPath(const std::string& path, std::string& alias, std::string& section) {
  static const std::string kPrefix = "DATABASES\\";
  if (path.size() <= kPrefix.size() || !EqualsIgnoringCase(path.substr(0, kPrefix.size()), kPrefix))
    return false;
  const std::string rest = path.substr(kPrefix.size());
  const auto slash = rest.find('\\');
  if (slash == std::string::npos || slash == 0) return false;
  alias = rest.substr(0, slash);
  section = rest.substr(slash + 1);
  return true;
}

uint32_t ReadFlag(uintptr_t value) {
  return value != 0 ? 1 : 0;
}

EngResult WriteNumber(void* value, uint16_t maxLength, uint16_t* length, uint32_t number) {
  if (maxLength < sizeof number) Fail(ENG_ERR_INVALID_PARAMETER, "The property needs a 4-byte buffer");
  std::memcpy(Require(value, "property buffer"), &number, sizeof number);
  if (length != nullptr) *length = sizeof number;
  return ENG_OK;
}

EngResult WriteText(void* value, uint16_t maxLength, uint16_t* length, const std::string& text) {
  if (maxLength == 0) Fail(ENG_ERR_INVALID_PARAMETER, "The property needs a text buffer");
  char* dest = static_cast<char*>(Require(value, "property buffer"));
  CopyText(dest, text, maxLength);
  if (length != nullptr) *length = static_cast<uint16_t>(std::strlen(dest));
  return ENG_OK;
}

[[noreturn]] void UnknownProperty(uint32_t property, const char* object) {
  char number[16];
  std::snprintf(number, sizeof number, "$%X", property);
  Fail(ENG_ERR_UNKNOWN_PROPERTY, std::string("Property ") + number + " is not a property of a " + object);
}

}  // namespace

extern "C" {

ENG_API EngResult EngGetAliasDriver(const char* alias, char* driver) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.RequireStarted();
    Require(driver, "driver buffer");
    CopyText(driver, RequireAlias(engine, TextOrEmpty(alias)).driver, ENG_NAME_BUFFER);
    return ENG_OK;
  });
}

ENG_API EngResult EngOpenConfigRows(const char* path, EngHandle* cursor) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.RequireStarted();
    Require(cursor, "cursor buffer");
    std::string text = TextOrEmpty(path);
    while (!text.empty() && text.front() == '\\')
      text.erase(0, 1);
    std::string aliasName, section;
    if (!SplitAliasPath(text, aliasName, section)) {
      Fail(ENG_ERR_CONFIG_PATH, "No configuration path '" + FitText(TextOrEmpty(path), 80) + "'");
    }
    const TAlias alias = RequireAlias(engine, aliasName);
    const std::vector<TIniEntry>* rows = nullptr;
    if (EqualsIgnoringCase(section, "DB INFO")) rows = &alias.info;
    if (EqualsIgnoringCase(section, "DB OPEN")) rows = &alias.open;
    if (rows == nullptr) {
      Fail(ENG_ERR_CONFIG_PATH, "No configuration path '" + FitText(TextOrEmpty(path), 80) + "'");
    }
    TCursorOptions options;
    options.tableName = "\\DATABASES\\" + alias.name + "\\" + section;
    auto rowsCursor =
        std::make_unique<TCursor>(BuildTextLayout({{"NAME", 31}, {"VALUE", 260}}), std::nullopt, options);
    TCursor* raw = rowsCursor.get();
    *cursor = engine.AddCursor(std::move(rowsCursor));
    for (const auto& row : *rows)
      raw->AddTextRow({row.name, row.value});
    return ENG_OK;
  });
}

ENG_API EngResult EngAddSessionAlias(const char* alias, const char* driver, const char* params) {
  return Guard([&](TEngine& engine) -> EngResult {
    TSession& session = engine.CurrentSession();
    const std::string name = TextOrEmpty(alias);
    if (name.empty() || name.find('\\') != std::string::npos) {
      Fail(ENG_ERR_INVALID_PARAMETER, "An alias needs a name without '\\'");
    }
    const std::string driverName = driver == nullptr || *driver == '\0' ? kStandard : driver;
    if (!EqualsIgnoringCase(driverName, kStandard)) {
      Fail(ENG_ERR_DRIVER_NOT_SUPPORTED, "Driver '" + FitText(driverName, 40) + "' is not supported");
    }
    std::vector<TIniEntry> info{{"TYPE", kStandard}};
    std::istringstream lines(TextOrEmpty(params));
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty()) continue;
      const auto equals = line.find('=');
      if (equals == std::string::npos || equals == 0) {
        Fail(ENG_ERR_INVALID_PARAMETER, "Alias parameter '" + FitText(line, 60) + "' is not NAME=value");
      }
      info.push_back({line.substr(0, equals), line.substr(equals + 1)});
    }
    TAlias made = MakeAlias(name, kStandard, info, engine.WorkDir());
    if (made.folder.empty())
      Fail(ENG_ERR_INVALID_PARAMETER, "Alias '" + FitText(name, 40) + "' needs a PATH");
    session.AddAlias(std::move(made));
    return ENG_OK;
  });
}

ENG_API EngResult EngDeleteSessionAlias(const char* alias) {
  return Guard([&](TEngine& engine) -> EngResult {
    if (!engine.CurrentSession().DeleteAlias(TextOrEmpty(alias))) {
      Fail(ENG_ERR_ALIAS_NOT_FOUND, "No session alias '" + FitText(TextOrEmpty(alias), 40) + "'");
    }
    return ENG_OK;
  });
}

ENG_API EngResult EngOpenDatabase(const char* name, const char* type, uint32_t openMode, uint32_t shareMode,
                                  const char* password, EngHandle* database) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.RequireStarted();
    Require(database, "database buffer");
    if (openMode > ENG_OPEN_READONLY || shareMode > ENG_SHARE_EXCLUSIVE) {
      Fail(ENG_ERR_INVALID_PARAMETER, "Unknown open or share mode");
    }
    const std::string typeName = TextOrEmpty(type);
    if (!typeName.empty() && !EqualsIgnoringCase(typeName, kStandard)) {
      Fail(ENG_ERR_DRIVER_NOT_SUPPORTED, "Database type '" + FitText(typeName, 40) + "' is not supported");
    }
    const std::string aliasName = TextOrEmpty(name);
    std::string folder = engine.WorkDir();
    if (!aliasName.empty()) {
      const TAlias alias = RequireAlias(engine, aliasName);
      if (!EqualsIgnoringCase(alias.driver, kStandard)) {
        Fail(ENG_ERR_DRIVER_NOT_SUPPORTED, "Alias '" + FitText(aliasName, 40) + "' uses driver '" +
                                               FitText(alias.driver, 31) + "', which is not supported");
      }
      if (alias.folder.empty()) {
        Fail(ENG_ERR_CONFIG_FILE, "Alias '" + FitText(aliasName, 40) + "' has no PATH in the configuration");
      }
      folder = alias.folder;
    }
    RequireFolder(folder, aliasName.empty() ? "the database" : "alias '" + FitText(aliasName, 40) + "'");
    *database = engine.AddDatabase(std::make_unique<TDatabase>(
        engine.CurrentSessionHandle(), aliasName, folder, openMode, shareMode, TextOrEmpty(password)));
    return ENG_OK;
  });
}

ENG_API EngResult EngCloseDatabase(EngHandle database) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.CloseDatabase(database);
    return ENG_OK;
  });
}

ENG_API EngResult EngSetDirectory(EngHandle database, const char* folder) {
  return Guard([&](TEngine& engine) -> EngResult {
    TDatabase& target = engine.Database(database);
    const std::string resolved = ResolveFolder(engine.WorkDir(), TextOrEmpty(Require(folder, "folder")));
    RequireFolder(resolved, "the database");
    target.SetFolder(resolved);
    return ENG_OK;
  });
}

ENG_API EngResult EngGetDirectory(EngHandle database, char* folder) {
  return Guard([&](TEngine& engine) -> EngResult {
    CopyText(Require(folder, "folder buffer"), engine.Database(database).Folder(), ENG_PATH_BUFFER);
    return ENG_OK;
  });
}

ENG_API EngResult EngGetProperty(EngHandle object, uint32_t property, void* value, uint16_t maxLength,
                                 uint16_t* length) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.RequireStarted();
    TObject* found = engine.Find(object);
    if (found == nullptr) Fail(ENG_ERR_INVALID_HANDLE, "Handle " + std::to_string(object) + " is not open");
    switch (found->Kind()) {
      case TObjectKind::Session: {
        const TSession& session = engine.Session(object);
        if (property == ENG_SESPROP_CONFIG_MODE)
          return WriteNumber(value, maxLength, length, session.configMode);
        if (property == ENG_SESPROP_PRIVATE_DIR)
          return WriteText(value, maxLength, length, session.privateDir);
        if (property == ENG_SESPROP_NET_DIR) return WriteText(value, maxLength, length, session.netDir);
        UnknownProperty(property, "session");
      }
      case TObjectKind::Database: {
        const TDatabase& database = engine.Database(object);
        if (property == ENG_DBPROP_TYPE_NAME) return WriteText(value, maxLength, length, kStandard);
        if (property == ENG_DBPROP_NAMES_IGNORE_CASE) {
          return WriteNumber(value, maxLength, length, database.namesIgnoreCase);
        }
        if (property == ENG_DBPROP_OPTIONAL_EXTENSION) {
          return WriteNumber(value, maxLength, length, database.extensionOptional);
        }
        if (property == ENG_DBPROP_WAIT_ON_LOCK)
          return WriteNumber(value, maxLength, length, database.waitOnLock);
        UnknownProperty(property, "database");
      }
      case TObjectKind::Statement: {
        const TStatement& statement = engine.Statement(object);
        if (property == ENG_STMTPROP_UNIDIRECTIONAL) {
          return WriteNumber(value, maxLength, length, statement.unidirectional);
        }
        if (property == ENG_STMTPROP_RESULT_KIND)
          return WriteNumber(value, maxLength, length, statement.resultKind);
        if (property == ENG_STMTPROP_SERVER_SQL) return WriteNumber(value, maxLength, length, 0);
        if (property == ENG_STMTPROP_CONSTRAINED) {
          return WriteNumber(value, maxLength, length, statement.constrained);
        }
        if (property == ENG_STMTPROP_ANSI_TEXT)
          return WriteNumber(value, maxLength, length, statement.ansiText);
        UnknownProperty(property, "statement");
      }
      case TObjectKind::Cursor:
        UnknownProperty(property, "cursor (use EngGetCursorProps)");
    }
    return ENG_ERR_INTERNAL;
  });
}

ENG_API EngResult EngSetProperty(EngHandle object, uint32_t property, uintptr_t value) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.RequireStarted();
    TObject* found = engine.Find(object);
    if (found == nullptr) Fail(ENG_ERR_INVALID_HANDLE, "Handle " + std::to_string(object) + " is not open");
    const auto text = [&] { return TextOrEmpty(reinterpret_cast<const char*>(value)); };
    switch (found->Kind()) {
      case TObjectKind::Session: {
        TSession& session = engine.Session(object);
        if (property == ENG_SESPROP_CONFIG_MODE) {
          if (value > 7)
            Fail(ENG_ERR_INVALID_PARAMETER, "Configuration mode " + std::to_string(value) + " is not 0 to 7");
          session.configMode = static_cast<uint32_t>(value);
        } else if (property == ENG_SESPROP_PRIVATE_DIR) {
          session.privateDir = text();
        } else if (property == ENG_SESPROP_NET_DIR) {
          session.netDir = text();
        } else {
          UnknownProperty(property, "session");
        }
        return ENG_OK;
      }
      case TObjectKind::Database: {
        TDatabase& database = engine.Database(object);
        if (property == ENG_DBPROP_TYPE_NAME)
          Fail(ENG_ERR_PROPERTY_READ_ONLY, "The database type cannot change");
        if (property == ENG_DBPROP_NAMES_IGNORE_CASE) {
          database.namesIgnoreCase = ReadFlag(value);
        } else if (property == ENG_DBPROP_OPTIONAL_EXTENSION) {
          database.extensionOptional = ReadFlag(value);
        } else if (property == ENG_DBPROP_WAIT_ON_LOCK) {
          database.waitOnLock = ReadFlag(value);
        } else {
          UnknownProperty(property, "database");
        }
        return ENG_OK;
      }
      case TObjectKind::Statement: {
        TStatement& statement = engine.Statement(object);
        if (property == ENG_STMTPROP_UNIDIRECTIONAL) {
          statement.unidirectional = ReadFlag(value);
        } else if (property == ENG_STMTPROP_RESULT_KIND) {
          if (value != 1 && value != 2)
            Fail(ENG_ERR_INVALID_PARAMETER, "Result kind is 1 (live) or 2 (copy)");
          statement.resultKind = static_cast<uint32_t>(value);
        } else if (property == ENG_STMTPROP_SERVER_SQL) {
          if (value != 0) Fail(ENG_ERR_NOT_SUPPORTED, "The STANDARD driver has no server to pass SQL to");
        } else if (property == ENG_STMTPROP_CONSTRAINED) {
          statement.constrained = ReadFlag(value);
        } else if (property == ENG_STMTPROP_ANSI_TEXT) {
          statement.ansiText = ReadFlag(value);
        } else {
          UnknownProperty(property, "statement");
        }
        return ENG_OK;
      }
      case TObjectKind::Cursor:
        UnknownProperty(property, "cursor");
    }
    return ENG_ERR_INTERNAL;
  });
}

}  // extern "C"
