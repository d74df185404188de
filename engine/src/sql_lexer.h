// Tokens of the local SQL dialect.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dbengine {

enum class TSqlTokenKind { End, Identifier, String, Number, Symbol };

struct TSqlToken {
  TSqlTokenKind kind = TSqlTokenKind::End;
  std::string text;     // identifier as written, string value without quotes, number digits, symbol
  size_t position = 0;  // 1-based character position in the statement text
};

// Splits a statement into tokens, ending with one End token. Blanks, tabs, CR and LF separate tokens.
// Throws EEngineFault (ENG_ERR_SQL_SYNTAX) for an unexpected character or an unclosed quote.
std::vector<TSqlToken> TokenizeSql(std::string_view text);

// How a token is named in an error text: 'word', "text", 'number', '=' or "end of statement".
std::string DescribeToken(const TSqlToken& token);

}  // namespace dbengine
