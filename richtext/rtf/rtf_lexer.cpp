#include "rtf_lexer.h"

#include <limits>

namespace {

constexpr std::size_t kMaxWordLength = 32;  // longer runs of letters are cut into several words
constexpr int kMaxParameterDigits = 10;

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

TRtfToken TRtfLexer::Next() {
  TRtfToken token;
  while (pos_ < input_.size()) {
    const char c = input_[pos_];
    switch (c) {
      case '{':
        ++pos_;
        token.kind = TRtfTokenKind::tkGroupOpen;
        return token;
      case '}':
        ++pos_;
        token.kind = TRtfTokenKind::tkGroupClose;
        return token;
      case '\\':
        return ReadControl();
      case '\r':
      case '\n':
        ++pos_;
        continue;
      default: {
        const std::size_t start = pos_;
        while (pos_ < input_.size()) {
          const char d = input_[pos_];
          if (d == '\\' || d == '{' || d == '}' || d == '\r' || d == '\n') break;
          ++pos_;
        }
        token.kind = TRtfTokenKind::tkText;
        token.text = input_.substr(start, pos_ - start);
        return token;
      }
    }
  }
  return token;
}

TRtfToken TRtfLexer::ReadControl() {
  TRtfToken token;
  ++pos_;  // the backslash
  if (pos_ >= input_.size()) return token;
  const char c = input_[pos_];
  if (!IsLetter(c)) {
    ++pos_;
    if (c == '\'') {
      const int high = pos_ < input_.size() ? HexValue(input_[pos_]) : -1;
      const int low = pos_ + 1 < input_.size() ? HexValue(input_[pos_ + 1]) : -1;
      if (high >= 0 && low >= 0) {
        pos_ += 2;
        token.kind = TRtfTokenKind::tkHexByte;
        token.byte = static_cast<std::uint8_t>(high * 16 + low);
        return token;
      }
    }
    token.kind = TRtfTokenKind::tkControlSymbol;
    token.text = input_.substr(pos_ - 1, 1);
    return token;
  }

  const std::size_t start = pos_;
  while (pos_ < input_.size() && IsLetter(input_[pos_]) && pos_ - start < kMaxWordLength)
    ++pos_;
  token.kind = TRtfTokenKind::tkControlWord;
  token.text = input_.substr(start, pos_ - start);

  bool negative = false;
  if (pos_ + 1 < input_.size() && input_[pos_] == '-' && IsDigit(input_[pos_ + 1])) {
    negative = true;
    ++pos_;
  }
  if (pos_ < input_.size() && IsDigit(input_[pos_])) {
    std::int64_t value = 0;
    int digits = 0;
    while (pos_ < input_.size() && IsDigit(input_[pos_])) {
      // Extra digits are consumed but no longer counted, so the value stays within 32 bits.
      if (digits < kMaxParameterDigits) value = value * 10 + (input_[pos_] - '0');
      ++digits;
      ++pos_;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) value = std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) value = std::numeric_limits<std::int32_t>::min();
    token.hasParameter = true;
    token.parameter = static_cast<std::int32_t>(value);
  }
  if (pos_ < input_.size() && input_[pos_] == ' ') ++pos_;  // the delimiting space belongs to the word

  if (token.text == "bin") {
    const std::size_t left = input_.size() - pos_;
    std::size_t count = token.parameter > 0 ? static_cast<std::size_t>(token.parameter) : 0;
    if (count > left) count = left;
    token.kind = TRtfTokenKind::tkBinary;
    token.text = input_.substr(pos_, count);
    pos_ += count;
  }
  return token;
}
