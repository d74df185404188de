#include "sql_lexer.h"

#include "status.h"

namespace dbengine {

namespace {

bool IsIdentifierStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}

bool IsIdentifierPart(unsigned char c) {
  return IsIdentifierStart(c) || (c >= '0' && c <= '9');
}

bool IsDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}

bool IsBlank(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Counts characters (not bytes) so that positions match what a reader of the text sees.
class TCharCounter {
 public:
  explicit TCharCounter(std::string_view text) : text_(text) {}
  size_t PositionOf(size_t byteIndex) {
    for (; scanned_ < byteIndex && scanned_ < text_.size(); ++scanned_) {
      if ((static_cast<unsigned char>(text_[scanned_]) & 0xC0) != 0x80) ++chars_;
    }
    return chars_ + 1;
  }

 private:
  std::string_view text_;
  size_t scanned_ = 0;
  size_t chars_ = 0;
};

}  // namespace

std::vector<TSqlToken> TokenizeSql(std::string_view text) {
  std::vector<TSqlToken> tokens;
  TCharCounter counter(text);
  size_t i = 0;
  while (true) {
    while (i < text.size() && IsBlank(static_cast<unsigned char>(text[i])))
      ++i;
    TSqlToken token;
    token.position = counter.PositionOf(i);
    if (i >= text.size()) {
      tokens.push_back(std::move(token));
      return tokens;
    }
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsIdentifierStart(c)) {
      size_t end = i + 1;
      while (end < text.size() && IsIdentifierPart(static_cast<unsigned char>(text[end])))
        ++end;
      token.kind = TSqlTokenKind::Identifier;
      token.text = std::string(text.substr(i, end - i));
      i = end;
    } else if (IsDigit(c) ||
               (c == '.' && i + 1 < text.size() && IsDigit(static_cast<unsigned char>(text[i + 1])))) {
      size_t end = i;
      while (end < text.size() && IsDigit(static_cast<unsigned char>(text[end])))
        ++end;
      if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && IsDigit(static_cast<unsigned char>(text[end])))
          ++end;
      }
      if (end < text.size() && IsIdentifierStart(static_cast<unsigned char>(text[end]))) {
        Fail(ENG_ERR_SQL_SYNTAX, "Syntax error at position " + std::to_string(token.position) +
                                     ": malformed number '" + FitText(text.substr(i, end + 1 - i), 40) + "'");
      }
      token.kind = TSqlTokenKind::Number;
      token.text = std::string(text.substr(i, end - i));
      i = end;
    } else if (c == '\'' || c == '"') {
      // Both quote kinds make string literals; a doubled quote inside stands for itself.
      size_t end = i + 1;
      std::string value;
      bool closed = false;
      while (end < text.size()) {
        if (text[end] == static_cast<char>(c)) {
          if (end + 1 < text.size() && text[end + 1] == static_cast<char>(c)) {
            value += static_cast<char>(c);
            end += 2;
            continue;
          }
          closed = true;
          ++end;
          break;
        }
        value += text[end++];
      }
      if (!closed) {
        Fail(ENG_ERR_SQL_SYNTAX, "Syntax error at position " + std::to_string(token.position) +
                                     ": text starting with " + std::string(1, static_cast<char>(c)) +
                                     " has no closing quote");
      }
      token.kind = TSqlTokenKind::String;
      token.text = std::move(value);
      i = end;
    } else {
      static constexpr std::string_view kTwoCharSymbols[] = {"<>", "<=", ">=", "!="};
      token.kind = TSqlTokenKind::Symbol;
      for (auto symbol : kTwoCharSymbols) {
        if (text.substr(i, 2) == symbol) token.text = std::string(symbol);
      }
      if (token.text.empty()) {
        if (std::string_view("*,().=<>;-").find(static_cast<char>(c)) == std::string_view::npos) {
          std::string shown = c >= 0x20 && c < 0x7F ? std::string(1, static_cast<char>(c))
                                                    : "byte " + std::to_string(static_cast<int>(c));
          Fail(ENG_ERR_SQL_SYNTAX, "Syntax error at position " + std::to_string(token.position) +
                                       ": unexpected character '" + shown + "'");
        }
        token.text = std::string(1, static_cast<char>(c));
      }
      i += token.text.size();
    }
    tokens.push_back(std::move(token));
  }
}

std::string DescribeToken(const TSqlToken& token) {
  switch (token.kind) {
    case TSqlTokenKind::End:
      return "end of statement";
    case TSqlTokenKind::String:
      return "\"" + FitText(token.text, 40) + "\"";
    default:
      return "'" + FitText(token.text, 40) + "'";
  }
}

}  // namespace dbengine
