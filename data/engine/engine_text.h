#pragma once
// Small text helpers of the engine side: the engine's fixed-size, zero-terminated texts and
// comparisons that ignore case.

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <string_view>

// The text of a fixed buffer up to its first zero byte (at most Size bytes).
inline std::string FixedText(const char* Text, size_t Size) {
  return std::string(Text, ::strnlen(Text, Size));
}

// Copies at most Size - 1 bytes of Text into a buffer of Size bytes, zero-terminated.
inline void CopyToFixed(char* Dest, size_t Size, std::string_view Text) {
  const size_t n = std::min(Text.size(), Size - 1);
  std::memcpy(Dest, Text.data(), n);
  Dest[n] = '\0';
}

inline std::string TrimText(std::string_view Text) {
  size_t first = 0;
  size_t last = Text.size();
  while (first < last && static_cast<unsigned char>(Text[first]) <= ' ')
    ++first;
  while (last > first && static_cast<unsigned char>(Text[last - 1]) <= ' ')
    --last;
  return std::string(Text.substr(first, last - first));
}

inline bool SameText(std::string_view A, std::string_view B) {
  return A.size() == B.size() &&
         std::equal(A.begin(), A.end(), B.begin(),
                    [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}
