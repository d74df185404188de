// The parsed form of a SELECT statement of the local SQL dialect.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dbengine {

struct TSqlName {
  std::string qualifier;  // table name or alias before a '.', or empty
  std::string name;
  size_t position = 0;
};

struct TSqlExpr {
  enum class TKind { Column, Text, Number, Null, Compare, Like, IsNull, And, Or, Not };
  TKind kind = TKind::Null;
  size_t position = 0;
  TSqlName column;       // Column
  std::string value;     // Text and Number literals
  std::string op;        // Compare: "=", "<>", "<", ">", "<=", ">="
  bool negated = false;  // NOT LIKE, IS NOT NULL
  std::unique_ptr<TSqlExpr> left;
  std::unique_ptr<TSqlExpr> right;
};

struct TSqlOrderItem {
  TSqlName column;
  bool descending = false;
};

struct TSqlSelect {
  bool star = false;
  std::vector<TSqlName> columns;
  std::string table;  // as written, e.g. "vezedezavuza" or "vezedezavuza.db"
  size_t tablePosition = 0;
  std::string tableAlias;
  std::unique_ptr<TSqlExpr> where;
  std::vector<TSqlOrderItem> orderBy;
};

// Parses one SELECT statement. Throws EEngineFault: ENG_ERR_SQL_SYNTAX naming the token and its position,
// ENG_ERR_SQL_NOT_SUPPORTED for other statement kinds, ENG_ERR_SQL_TOO_COMPLEX past the nesting limits.
TSqlSelect ParseSqlSelect(std::string_view text);

}  // namespace dbengine
