// Fuzz body for the SQL dialect: any text either fails with an engine fault, or parses and translates into
// storage SQL that the storage library accepts for the quiz table's shape.
#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "sql_parser.h"
#include "sql_translate.h"
#include "status.h"

using namespace dbengine;

namespace {

sqlite3* QuizShapedDatabase() {
  static sqlite3* db = [] {
    sqlite3* opened = nullptr;
    if (sqlite3_open(":memory:", &opened) != SQLITE_OK ||
        sqlite3_exec(
            opened,
            "CREATE TABLE vezedezavuza (\"Order\" VARCHAR(5), QuizName VARCHAR(20), Question FMTMEMO(1),"
            " Answer BLOB(1), Hint BLOB(1), AnswerTx VARCHAR(1), Encourage BLOB(1), Riff BLOB(1),"
            " UserAnswer VARCHAR(1))",
            nullptr, nullptr, nullptr) != SQLITE_OK) {
      std::abort();
    }
    return opened;
  }();
  return db;
}

void CheckTranslation(const TSqlSelect& select) {
  TSqlTableShape shape;
  shape.name = "vezedezavuza";
  shape.columns = {"Order",    "QuizName",  "Question", "Answer",    "Hint",
                   "AnswerTx", "Encourage", "Riff",     "UserAnswer"};
  const TSqlPlan plan = TranslateSelect(select, shape);
  std::string sql = "SELECT rowid";
  for (int column : plan.selected)
    sql += ", " + QuoteIdentifier(shape.columns[static_cast<size_t>(column)]);
  sql += " FROM vezedezavuza";
  if (!plan.whereClause.empty()) sql += " WHERE " + plan.whereClause;
  if (!plan.orderClause.empty()) sql += " ORDER BY " + plan.orderClause;
  sqlite3_stmt* stmt = nullptr;
  const int rc =
      sqlite3_prepare_v2(QuizShapedDatabase(), sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr);
  const int parameters = stmt != nullptr ? sqlite3_bind_parameter_count(stmt) : -1;
  sqlite3_finalize(stmt);
  // A statement the dialect accepts must become storage SQL that is valid, with one parameter per literal.
  if (rc != SQLITE_OK || parameters != static_cast<int>(plan.bindings.size())) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const TSqlSelect select = ParseSqlSelect(text);
    if (select.table == "vezedezavuza" || select.table == "vezedezavuza.db") CheckTranslation(select);
  } catch (const EEngineFault& fault) {
    // Every refusal must carry a status and a text that fits the engine's message size.
    if (fault.Status() == 0 || fault.Entries().front().text.empty() ||
        fault.Entries().front().text.size() > ENG_MAX_MSG_LEN) {
      std::abort();
    }
  }
  return 0;
}
