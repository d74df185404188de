#include "sql_parser.h"

#include <cstring>
#include <utility>

#include "sql_lexer.h"
#include "status.h"
#include "text.h"

namespace dbengine {

namespace {

// Bounds that keep recursion, and the storage library's own expression depth, well inside their limits.
constexpr int kMaxNesting = 64;
constexpr int kMaxConditions = 256;

// Words that can never name a column. "ORDER" is missing on purpose: it only counts as a keyword when
// "BY" follows, so a column called Order stays usable.
bool IsReserved(std::string_view word) {
  static constexpr std::string_view kReserved[] = {"SELECT", "FROM", "WHERE", "AND",     "OR",
                                                   "NOT",    "LIKE", "IS",    "NULL",    "BY",
                                                   "ASC",    "DESC", "AS",    "DISTINCT"};
  for (auto reserved : kReserved) {
    if (EqualsIgnoringCase(word, reserved)) return true;
  }
  return false;
}

class TParser {
 public:
  explicit TParser(std::vector<TSqlToken> tokens) : tokens_(std::move(tokens)) {}

  TSqlSelect ParseStatement() {
    if (Peek().kind == TSqlTokenKind::End) FailHere("expected SELECT");
    if (!IsWord(Peek(), "SELECT")) {
      if (Peek().kind == TSqlTokenKind::Identifier) {
        Fail(ENG_ERR_SQL_NOT_SUPPORTED, "Only SELECT statements are supported; found " +
                                            DescribeToken(Peek()) + " at position " +
                                            std::to_string(Peek().position));
      }
      FailHere("expected SELECT");
    }
    Next();
    TSqlSelect select;
    if (IsWord(Peek(), "DISTINCT")) {
      Fail(ENG_ERR_SQL_NOT_SUPPORTED,
           "DISTINCT is not supported (position " + std::to_string(Peek().position) + ")");
    }
    if (IsSymbol(Peek(), "*")) {
      Next();
      select.star = true;
    } else {
      do {
        select.columns.push_back(ParseColumnName("a column name or *"));
      } while (AcceptSymbol(","));
    }
    ExpectWord("FROM");
    ParseTable(select);
    if (AcceptWord("WHERE")) select.where = ParseOr(0);
    if (IsWord(Peek(), "ORDER") && IsWord(PeekAt(1), "BY")) {
      Next();
      Next();
      do {
        TSqlOrderItem item;
        item.column = ParseColumnName("a column name");
        if (AcceptWord("DESC")) {
          item.descending = true;
        } else {
          AcceptWord("ASC");
        }
        select.orderBy.push_back(std::move(item));
      } while (AcceptSymbol(","));
    }
    AcceptSymbol(";");
    if (Peek().kind != TSqlTokenKind::End) FailHere("expected end of statement");
    return select;
  }

 private:
  const TSqlToken& Peek() const { return tokens_[index_]; }
  const TSqlToken& PeekAt(size_t ahead) const {
    return tokens_[index_ + ahead < tokens_.size() ? index_ + ahead : tokens_.size() - 1];
  }
  const TSqlToken& Next() {
    const TSqlToken& token = tokens_[index_];
    if (index_ + 1 < tokens_.size()) ++index_;
    return token;
  }

  static bool IsWord(const TSqlToken& token, std::string_view word) {
    return token.kind == TSqlTokenKind::Identifier && EqualsIgnoringCase(token.text, word);
  }
  static bool IsSymbol(const TSqlToken& token, std::string_view symbol) {
    return token.kind == TSqlTokenKind::Symbol && token.text == symbol;
  }
  bool AcceptWord(std::string_view word) {
    if (!IsWord(Peek(), word)) return false;
    Next();
    return true;
  }
  bool AcceptSymbol(std::string_view symbol) {
    if (!IsSymbol(Peek(), symbol)) return false;
    Next();
    return true;
  }
  void ExpectWord(std::string_view word) {
    if (!AcceptWord(word)) FailHere("expected " + std::string(word));
  }

  [[noreturn]] void FailHere(const std::string& expectation) const {
    Fail(ENG_ERR_SQL_SYNTAX, "Syntax error at position " + std::to_string(Peek().position) + ": " +
                                 expectation + " but found " + DescribeToken(Peek()));
  }

  bool IsColumnWord(const TSqlToken& token) const {
    return token.kind == TSqlTokenKind::Identifier && !IsReserved(token.text) &&
           !(IsWord(token, "ORDER") && IsWord(PeekAt(1), "BY"));
  }

  TSqlName ParseColumnName(const std::string& expectation) {
    if (!IsColumnWord(Peek())) FailHere("expected " + expectation);
    TSqlName name;
    name.position = Peek().position;
    name.name = Next().text;
    if (IsSymbol(Peek(), ".")) {
      Next();
      if (Peek().kind != TSqlTokenKind::Identifier) FailHere("expected a column name after '.'");
      name.qualifier = std::move(name.name);
      name.name = Next().text;
    }
    return name;
  }

  void ParseTable(TSqlSelect& select) {
    select.tablePosition = Peek().position;
    if (Peek().kind == TSqlTokenKind::String) {
      select.table = Next().text;
      if (select.table.empty())
        Fail(ENG_ERR_SQL_SYNTAX,
             "Syntax error at position " + std::to_string(select.tablePosition) + ": empty table name");
    } else {
      if (Peek().kind != TSqlTokenKind::Identifier || IsReserved(Peek().text))
        FailHere("expected a table name");
      select.table = Next().text;
      if (IsSymbol(Peek(), ".")) {
        Next();
        if (Peek().kind != TSqlTokenKind::Identifier) FailHere("expected a file extension after '.'");
        select.table += "." + Next().text;
      }
    }
    const bool explicitAlias = AcceptWord("AS");
    if (Peek().kind == TSqlTokenKind::Identifier && !IsReserved(Peek().text) &&
        !(IsWord(Peek(), "ORDER") && IsWord(PeekAt(1), "BY"))) {
      select.tableAlias = Next().text;
    } else if (explicitAlias) {
      FailHere("expected an alias after AS");
    }
  }

  std::unique_ptr<TSqlExpr> MakeNode(TSqlExpr::TKind kind, size_t position) {
    if (++conditions_ > kMaxConditions) {
      Fail(ENG_ERR_SQL_TOO_COMPLEX, "The condition has more than " + std::to_string(kMaxConditions) +
                                        " parts (position " + std::to_string(position) + ")");
    }
    auto node = std::make_unique<TSqlExpr>();
    node->kind = kind;
    node->position = position;
    return node;
  }

  std::unique_ptr<TSqlExpr> Binary(TSqlExpr::TKind kind, std::unique_ptr<TSqlExpr> left,
                                   std::unique_ptr<TSqlExpr> right, size_t position) {
    auto node = MakeNode(kind, position);
    node->left = std::move(left);
    node->right = std::move(right);
    return node;
  }

  void EnterNesting(size_t position, int depth) const {
    if (depth > kMaxNesting) {
      Fail(ENG_ERR_SQL_TOO_COMPLEX, "The condition is nested more than " + std::to_string(kMaxNesting) +
                                        " levels deep (position " + std::to_string(position) + ")");
    }
  }

  std::unique_ptr<TSqlExpr> ParseOr(int depth) {
    EnterNesting(Peek().position, depth);
    auto left = ParseAnd(depth);
    while (IsWord(Peek(), "OR")) {
      const size_t position = Next().position;
      left = Binary(TSqlExpr::TKind::Or, std::move(left), ParseAnd(depth), position);
    }
    return left;
  }

  std::unique_ptr<TSqlExpr> ParseAnd(int depth) {
    auto left = ParseNot(depth);
    while (IsWord(Peek(), "AND")) {
      const size_t position = Next().position;
      left = Binary(TSqlExpr::TKind::And, std::move(left), ParseNot(depth), position);
    }
    return left;
  }

  std::unique_ptr<TSqlExpr> ParseNot(int depth) {
    if (IsWord(Peek(), "NOT")) {
      const size_t position = Next().position;
      EnterNesting(position, depth + 1);
      auto node = MakeNode(TSqlExpr::TKind::Not, position);
      node->left = ParseNot(depth + 1);
      return node;
    }
    return ParsePredicate(depth);
  }

  std::unique_ptr<TSqlExpr> ParsePredicate(int depth) {
    if (IsSymbol(Peek(), "(")) {
      Next();
      auto inner = ParseOr(depth + 1);
      if (!AcceptSymbol(")")) FailHere("expected ')'");
      return inner;
    }
    auto left = ParseValue();
    const TSqlToken& token = Peek();
    static constexpr std::string_view kComparisons[] = {"=", "<>", "!=", "<", ">", "<=", ">="};
    for (auto op : kComparisons) {
      if (IsSymbol(token, op)) {
        const size_t position = Next().position;
        auto node = Binary(TSqlExpr::TKind::Compare, std::move(left), ParseValue(), position);
        node->op = op == "!=" ? "<>" : std::string(op);
        return node;
      }
    }
    if (IsWord(token, "NOT") && IsWord(PeekAt(1), "LIKE")) {
      const size_t position = Next().position;
      Next();
      auto node = Binary(TSqlExpr::TKind::Like, std::move(left), ParseValue(), position);
      node->negated = true;
      return node;
    }
    if (IsWord(token, "LIKE")) {
      const size_t position = Next().position;
      return Binary(TSqlExpr::TKind::Like, std::move(left), ParseValue(), position);
    }
    if (IsWord(token, "IS")) {
      const size_t position = Next().position;
      auto node = MakeNode(TSqlExpr::TKind::IsNull, position);
      node->negated = AcceptWord("NOT");
      if (!AcceptWord("NULL")) FailHere("expected NULL");
      node->left = std::move(left);
      return node;
    }
    FailHere("expected a comparison, LIKE or IS");
  }

  std::unique_ptr<TSqlExpr> ParseValue() {
    const TSqlToken& token = Peek();
    switch (token.kind) {
      case TSqlTokenKind::String: {
        auto node = MakeNode(TSqlExpr::TKind::Text, token.position);
        node->value = Next().text;
        return node;
      }
      case TSqlTokenKind::Number: {
        auto node = MakeNode(TSqlExpr::TKind::Number, token.position);
        node->value = Next().text;
        return node;
      }
      case TSqlTokenKind::Symbol:
        if (token.text == "-" && PeekAt(1).kind == TSqlTokenKind::Number) {
          auto node = MakeNode(TSqlExpr::TKind::Number, token.position);
          Next();
          node->value = "-" + Next().text;
          return node;
        }
        break;
      case TSqlTokenKind::Identifier:
        if (IsWord(token, "NULL")) {
          auto node = MakeNode(TSqlExpr::TKind::Null, token.position);
          Next();
          return node;
        }
        if (IsColumnWord(token)) {
          auto node = MakeNode(TSqlExpr::TKind::Column, token.position);
          node->column = ParseColumnName("a column name");
          return node;
        }
        break;
      case TSqlTokenKind::End:
        break;
    }
    FailHere("expected a column name or a value");
  }

  std::vector<TSqlToken> tokens_;
  size_t index_ = 0;
  int conditions_ = 0;
};

}  // namespace

TSqlSelect ParseSqlSelect(std::string_view text) {
  return TParser(TokenizeSql(text)).ParseStatement();
}

}  // namespace dbengine
