// Checks a parsed SELECT against its table's columns and turns it into the storage library's SQL.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sql_parser.h"

namespace dbengine {

// What the translation needs to know of the table in the FROM clause.
struct TSqlTableShape {
  std::string name;                  // the table's name inside its file
  std::vector<std::string> columns;  // column names in table order
  bool namesIgnoreCase = true;
};

// A literal of the statement, bound as a parameter rather than pasted into the SQL text.
struct TSqlBinding {
  enum class TKind { Text, Integer, Real };
  TKind kind = TKind::Text;
  std::string text;
  int64_t integer = 0;
  double real = 0;
};

struct TSqlPlan {
  std::vector<int> selected;          // for each result field, the index of its table column
  std::string whereClause;            // "" or the condition, with ?N parameters
  std::string orderClause;            // "" or the ORDER BY list
  std::vector<TSqlBinding> bindings;  // parameter N is bindings[N-1]
};

// Resolves columns (ENG_ERR_SQL_UNKNOWN_COLUMN, ENG_ERR_SQL_UNKNOWN_TABLE for a wrong qualifier) and
// writes the clauses. Throws EEngineFault.
TSqlPlan TranslateSelect(const TSqlSelect& select, const TSqlTableShape& table);

// "name" with embedded quotes doubled: an identifier for the storage library.
std::string QuoteIdentifier(const std::string& name);

// Name comparison as the database's option asks (ASCII letters only fold).
bool SameName(const std::string& a, const std::string& b, bool ignoreCase);

}  // namespace dbengine
