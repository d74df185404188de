// Entries: statements.
#include "api_guard.h"

// The C interface lives outside the engine's namespace; its bodies reach into it.
using namespace dbengine;

extern "C" {

ENG_API EngResult EngAllocStatement(EngHandle database, uint32_t language, EngHandle* statement) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.Database(database);
    Require(statement, "statement buffer");
    if (language != ENG_LANG_SQL) {
      Fail(ENG_ERR_NOT_SUPPORTED,
           "Query language " + std::to_string(language) + " is not supported; use 2 (SQL)");
    }
    *statement = engine.AddStatement(std::make_unique<TStatement>(database));
    return ENG_OK;
  });
}

ENG_API EngResult EngPrepareStatement(EngHandle statement, const char* text) {
  return Guard([&](TEngine& engine) -> EngResult {
    TStatement& target = engine.Statement(statement);
    TDatabase& database = engine.Database(target.Database());
    target.Prepare(TextOrEmpty(Require(text, "statement text")), database,
                   engine.Session(database.Session()));
    return ENG_OK;
  });
}

ENG_API EngResult EngExecuteStatement(EngHandle statement, EngHandle* cursor) {
  return Guard([&](TEngine& engine) -> EngResult {
    TStatement& target = engine.Statement(statement);
    if (!target.Prepared()) Fail(ENG_ERR_NOT_PREPARED, "Prepare the statement before running it");
    const TDatabase& database = engine.Database(target.Database());
    const uint32_t kind = ENG_SERVERCALL_BEGIN;
    engine.Session(database.Session()).Call(ENG_CB_SERVERCALL, &kind, sizeof kind);
    auto result = target.MakeCursor();
    if (cursor == nullptr) {
      // Run without a result: step through it once so that any read failure is reported.
      result->Start();
      result->SetToEnd();
      return ENG_OK;
    }
    *cursor = engine.AddCursor(std::move(result));
    return ENG_OK;
  });
}

ENG_API EngResult EngFreeStatement(EngHandle statement) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.CloseStatement(statement);
    return ENG_OK;
  });
}

}  // extern "C"
