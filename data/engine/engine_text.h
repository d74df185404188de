#pragma once
// The engine's fixed-size, zero-terminated texts; comparing and trimming come from the shared helpers.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "core/text.h"

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
