#include "sql_translate.h"

#include <cerrno>
#include <cstdlib>

#include "status.h"
#include "text.h"

namespace dbengine {

namespace {

std::string StripExtension(const std::string& name) {
  if (name.size() > 3 && SameName(name.substr(name.size() - 3), ".db", true))
    return name.substr(0, name.size() - 3);
  return name;
}

class TTranslator {
 public:
  TTranslator(const TSqlSelect& select, const TSqlTableShape& table) : select_(select), table_(table) {}

  TSqlPlan Run() {
    if (select_.star) {
      for (size_t i = 0; i < table_.columns.size(); ++i)
        plan_.selected.push_back(static_cast<int>(i));
    } else {
      for (const auto& name : select_.columns)
        plan_.selected.push_back(Resolve(name));
    }
    if (select_.where) plan_.whereClause = Expression(*select_.where);
    for (const auto& item : select_.orderBy) {
      if (!plan_.orderClause.empty()) plan_.orderClause += ", ";
      plan_.orderClause += QuoteIdentifier(table_.columns[static_cast<size_t>(Resolve(item.column))]);
      if (item.descending) plan_.orderClause += " DESC";
    }
    return std::move(plan_);
  }

 private:
  int Resolve(const TSqlName& name) {
    if (!name.qualifier.empty()) {
      const bool matchesAlias =
          !select_.tableAlias.empty() && SameName(name.qualifier, select_.tableAlias, table_.namesIgnoreCase);
      const bool matchesTable =
          SameName(name.qualifier, StripExtension(select_.table), table_.namesIgnoreCase) ||
          SameName(name.qualifier, table_.name, table_.namesIgnoreCase);
      if (!matchesAlias && !matchesTable) {
        Fail(ENG_ERR_SQL_UNKNOWN_TABLE, "Unknown table '" + FitText(name.qualifier, 40) + "' at position " +
                                            std::to_string(name.position));
      }
    }
    for (size_t i = 0; i < table_.columns.size(); ++i) {
      if (SameName(name.name, table_.columns[i], table_.namesIgnoreCase)) return static_cast<int>(i);
    }
    Fail(ENG_ERR_SQL_UNKNOWN_COLUMN, "Unknown column '" + FitText(name.name, 40) + "' at position " +
                                         std::to_string(name.position) + " (table " +
                                         FitText(table_.name, 30) + ")");
  }

  std::string Parameter(TSqlBinding binding) {
    plan_.bindings.push_back(std::move(binding));
    return "?" + std::to_string(plan_.bindings.size());
  }

  std::string Number(const TSqlExpr& node) {
    TSqlBinding binding;
    const std::string& text = node.value;
    if (text.find('.') == std::string::npos) {
      errno = 0;
      char* end = nullptr;
      const long long value = std::strtoll(text.c_str(), &end, 10);
      if (errno == 0 && end != nullptr && *end == '\0') {
        binding.kind = TSqlBinding::TKind::Integer;
        binding.integer = value;
        return Parameter(std::move(binding));
      }
    }
    binding.kind = TSqlBinding::TKind::Real;
    binding.real = std::strtod(text.c_str(), nullptr);
    return Parameter(std::move(binding));
  }

  std::string Expression(const TSqlExpr& node) {
    using K = TSqlExpr::TKind;
    switch (node.kind) {
      case K::Column:
        return QuoteIdentifier(table_.columns[static_cast<size_t>(Resolve(node.column))]);
      case K::Text: {
        TSqlBinding binding;
        binding.text = node.value;
        return Parameter(std::move(binding));
      }
      case K::Number:
        return Number(node);
      case K::Null:
        return "NULL";
      case K::Compare:
        return "(" + Expression(*node.left) + " " + node.op + " " + Expression(*node.right) + ")";
      case K::Like:
        return "(" + Expression(*node.left) + (node.negated ? " NOT LIKE " : " LIKE ") +
               Expression(*node.right) + ")";
      case K::IsNull:
        return "(" + Expression(*node.left) + (node.negated ? " IS NOT NULL)" : " IS NULL)");
      case K::And:
        return "(" + Expression(*node.left) + " AND " + Expression(*node.right) + ")";
      case K::Or:
        return "(" + Expression(*node.left) + " OR " + Expression(*node.right) + ")";
      case K::Not:
        return "(NOT " + Expression(*node.left) + ")";
    }
    Fail(ENG_ERR_INTERNAL, "Unknown condition part");
  }

  const TSqlSelect& select_;
  const TSqlTableShape& table_;
  TSqlPlan plan_;
};

}  // namespace

bool SameName(const std::string& a, const std::string& b, bool ignoreCase) {
  return ignoreCase ? EqualsIgnoringCase(a, b) : a == b;
}

std::string QuoteIdentifier(const std::string& name) {
  std::string quoted = "\"";
  for (char c : name) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  quoted += '"';
  return quoted;
}

TSqlPlan TranslateSelect(const TSqlSelect& select, const TSqlTableShape& table) {
  return TTranslator(select, table).Run();
}

}  // namespace dbengine
