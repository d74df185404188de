#pragma once
// Splits RTF bytes into tokens without copying: every token's text is a view into the input.
//
// Line ends outside \bin data carry no meaning in RTF and are dropped here. \binN is resolved here as well,
// because its N raw bytes must not be read as RTF; a count beyond the end of the input takes what is left.

#include <cstdint>
#include <string_view>

enum class TRtfTokenKind : std::uint8_t {
  tkEnd,
  tkGroupOpen,
  tkGroupClose,
  tkControlWord,    // text: the word's letters; hasParameter / parameter: its number
  tkControlSymbol,  // text: the one character after the backslash
  tkText,           // text: bytes up to the next backslash, brace or line end
  tkHexByte,        // byte: the value of \'hh
  tkBinary,         // text: the raw bytes of \binN
};

struct TRtfToken {
  TRtfTokenKind kind = TRtfTokenKind::tkEnd;
  std::string_view text;
  std::int32_t parameter = 0;
  bool hasParameter = false;
  std::uint8_t byte = 0;
};

class TRtfLexer {
 public:
  explicit TRtfLexer(std::string_view input) : input_(input) {}

  TRtfToken Next();
  std::size_t Position() const { return pos_; }

 private:
  TRtfToken ReadControl();

  std::string_view input_;
  std::size_t pos_ = 0;
};
