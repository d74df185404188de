#pragma once
// Code pages for RTF's \'hh escapes and 8-bit text, and UTF-8 encoding helpers.
//
// The tables are built once per code page from glibc's iconv and cached for the life of the process; a
// byte that the code page leaves undefined maps to the code point of the same number, the way the
// platform's own converters treat it. The double-byte code pages of East Asian text (932 Japanese,
// 936 Simplified Chinese, 949 Korean, 950 Traditional Chinese) write most characters as a lead byte and a
// trail byte: their tables also say which bytes lead and what each pair stands for.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TRtfCodePage {
 public:
  // The table of a code page: 1250-1258, 874, 437, 850, 10000 (Mac Roman) and the double-byte 932,
  // 936, 949 and 950 are known; any other number reads as 1252.
  static const TRtfCodePage& Get(int codePage);

  int Number() const { return number_; }
  char32_t ToUnicode(std::uint8_t byte) const { return codePoints_[byte]; }
  // True for the first byte of a two-byte character (never in a single-byte code page).
  bool IsLeadByte(std::uint8_t byte) const { return rowOfLead_[byte] != 0; }
  // The character of a lead and a trail byte; 0 when the pair stands for none.
  char32_t ToUnicode(std::uint8_t lead, std::uint8_t trail) const {
    const std::size_t row = rowOfLead_[lead];
    return row == 0 ? 0 : pairs_[(row - 1) * 256 + trail];
  }
  // Appends the UTF-8 form of a byte of this code page.
  void AppendDecoded(std::string& out, std::uint8_t byte) const {
    const Encoded& e = utf8_[byte];
    out.append(e.bytes, e.length);
  }

 private:
  struct Encoded {
    char bytes[4];
    std::uint8_t length;
  };
  explicit TRtfCodePage(int number);

  int number_;
  std::array<char32_t, 256> codePoints_{};
  std::array<Encoded, 256> utf8_{};
  std::array<std::uint8_t, 256> rowOfLead_{};  // 0, or 1 + the lead byte's row in pairs_
  std::vector<char32_t> pairs_;                // 256 characters per lead byte, by trail byte
};

// The code page that a font's \fcharsetN implies (128 Japanese, 129 Korean, 134 Simplified and 136
// Traditional Chinese among them); the document's own for 0 (ANSI), 1 (default) and 2 (symbol), and for
// numbers it does not know.
int CodePageOfCharset(int charset, int documentCodePage);

// Appends a code point as UTF-8; a surrogate or a value beyond U+10FFFF becomes U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);

// Decodes one UTF-8 sequence at text[pos], advancing pos; an invalid sequence yields U+FFFD for one byte.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos);
