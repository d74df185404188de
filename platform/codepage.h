#pragma once
// Conversions between the program's text ("ANSI") and the engine's native form ("OEM").
// Both are UTF-8 on this platform, so the conversions are identities; callers still call
// them where text crosses that boundary, so that a different native form needs a change
// here only.

#include <string>
#include <string_view>

inline std::string AnsiToOem(std::string_view Text) {
  return std::string(Text);
}
inline std::string OemToAnsi(std::string_view Text) {
  return std::string(Text);
}
