#pragma once
// printf-style formatting of the framework's message texts ("%s", "%d", "%u", "%x",
// "%.4x", "%5.2f", "%%"), type-checked at run time: a directive that does not fit its
// argument raises EConvertError instead of reading garbage.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

class TFormatArg {
 public:
  enum class TKind { Signed, Unsigned, Float, Text };

  template <class T, std::enable_if_t<std::is_integral_v<T> && std::is_signed_v<T>, int> = 0>
  TFormatArg(T v) : Kind(TKind::Signed), Signed(v) {}
  template <class T, std::enable_if_t<
                         std::is_integral_v<T> && !std::is_signed_v<T> && !std::is_same_v<T, bool>, int> = 0>
  TFormatArg(T v) : Kind(TKind::Unsigned), Unsigned(v) {}
  TFormatArg(bool v) : Kind(TKind::Signed), Signed(v ? 1 : 0) {}
  TFormatArg(double v) : Kind(TKind::Float), Float(v) {}
  TFormatArg(std::string_view v) : Kind(TKind::Text), Text(v) {}
  TFormatArg(const std::string& v) : Kind(TKind::Text), Text(v) {}
  TFormatArg(const char* v) : Kind(TKind::Text), Text(v ? v : "") {}

  TKind Kind;
  int64_t Signed = 0;
  uint64_t Unsigned = 0;
  double Float = 0;
  std::string_view Text;
};

std::string FormatArgs(std::string_view Fmt, const std::vector<TFormatArg>& Args);

template <class... A>
std::string Format(std::string_view Fmt, const A&... Args) {
  return FormatArgs(Fmt, std::vector<TFormatArg>{TFormatArg(Args)...});
}
