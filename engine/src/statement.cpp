#include "statement.h"

#include "database.h"
#include "session.h"
#include "sql_parser.h"

namespace dbengine {

std::string SelectSql(const TTableFile& table, const TRecordLayout& layout, const std::string& whereClause,
                      const std::string& orderClause) {
  std::string sql = "SELECT " + table.RowIdName();
  for (const TFieldInfo& field : layout.fields) {
    const std::string column = QuoteIdentifier(table.Columns()[static_cast<size_t>(field.column)].name);
    // length() of a blob needs no read of the blob's pages, so rows stay cheap to step through.
    sql += field.type.kind == TValueKind::Blob ? ", length(" + column + ")" : ", " + column;
  }
  sql += " FROM " + QuoteIdentifier(table.TableName());
  if (!whereClause.empty()) sql += " WHERE " + whereClause;
  sql += " ORDER BY " + (orderClause.empty() ? table.RowIdName() : orderClause);
  return sql;
}

void TStatement::Prepare(const std::string& text, TDatabase& database, const TSession& session) {
  prepared_ = false;
  source_ = TCursorSource();
  TSqlSelect select = ParseSqlSelect(text);
  const TTableLocation location =
      database.Locate(select.table, true, ENG_ERR_SQL_UNKNOWN_TABLE,
                      "Unknown table '" + FitText(select.table, 50) + "' at position " +
                          std::to_string(select.tablePosition));
  auto table = database.OpenTableFile(location, false, session);
  TSqlTableShape shape;
  shape.name = table->TableName();
  shape.namesIgnoreCase = database.namesIgnoreCase;
  for (const auto& column : table->Columns())
    shape.columns.push_back(column.name);
  TSqlPlan plan = TranslateSelect(select, shape);

  layout_ = BuildLayout(table->Columns(), plan.selected, false);
  source_.selectSql = SelectSql(*table, layout_, plan.whereClause, plan.orderClause);
  source_.countSql = "SELECT count(*) FROM " + QuoteIdentifier(table->TableName()) +
                     (plan.whereClause.empty() ? "" : " WHERE " + plan.whereClause);
  source_.bindings = std::move(plan.bindings);
  source_.table = std::move(table);
  tablePath_ = location.path;
  // Preparing once here reports any remaining problem now rather than at execution.
  TStatementHandle check(source_.table->Connection(), source_.selectSql);
  prepared_ = true;
}

std::unique_ptr<TCursor> TStatement::MakeCursor() const {
  TCursorOptions options;
  options.database = database_;
  options.unidirectional = unidirectional;
  options.isResult = true;
  options.openMode = ENG_OPEN_READONLY;
  options.tableName = source_.table->FileName();
  options.tableType = "PARADOX";
  options.claimedPath = tablePath_;
  return std::make_unique<TCursor>(layout_, source_, options);
}

}  // namespace dbengine
