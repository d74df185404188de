#include "core/format.h"

#include <cstdio>

#include "core/exceptions.h"

namespace {

[[noreturn]] void Invalid(std::string_view Fmt) {
  throw EConvertError("Format '" + std::string(Fmt) + "' invalid or incompatible with argument");
}

}  // namespace

std::string FormatArgs(std::string_view Fmt, const std::vector<TFormatArg>& Args) {
  std::string out;
  out.reserve(Fmt.size() + 16 * Args.size());
  size_t next = 0;
  for (size_t i = 0; i < Fmt.size(); ++i) {
    const char c = Fmt[i];
    if (c != '%') {
      out += c;
      continue;
    }
    if (++i >= Fmt.size()) Invalid(Fmt);
    if (Fmt[i] == '%') {
      out += '%';
      continue;
    }
    // Collect flags, width and precision, then the conversion letter.
    std::string spec = "%";
    while (i < Fmt.size() && std::string_view("-+ 0#").find(Fmt[i]) != std::string_view::npos)
      spec += Fmt[i++];
    while (i < Fmt.size() && Fmt[i] >= '0' && Fmt[i] <= '9')
      spec += Fmt[i++];
    if (i < Fmt.size() && Fmt[i] == '.') {
      spec += Fmt[i++];
      while (i < Fmt.size() && Fmt[i] >= '0' && Fmt[i] <= '9')
        spec += Fmt[i++];
    }
    if (i >= Fmt.size() || spec.size() > 12) Invalid(Fmt);
    const char conv = Fmt[i];
    if (next >= Args.size()) Invalid(Fmt);
    const TFormatArg& arg = Args[next++];
    char buf[128];
    int n = 0;
    switch (conv) {
      case 'd':
      case 'u':
      case 'x':
      case 'X': {
        if (arg.Kind == TFormatArg::TKind::Float || arg.Kind == TFormatArg::TKind::Text) Invalid(Fmt);
        if (conv == 'd') {
          const long long v =
              arg.Kind == TFormatArg::TKind::Signed ? arg.Signed : static_cast<long long>(arg.Unsigned);
          n = std::snprintf(buf, sizeof buf, (spec + "lld").c_str(), v);
        } else {
          // Unsigned and hexadecimal directives show the 32-bit pattern of a negative
          // value; hexadecimal digits are upper case ("$2A0B"), as status texts expect.
          unsigned long long v = arg.Kind == TFormatArg::TKind::Signed
                                     ? (arg.Signed < 0 ? static_cast<uint32_t>(arg.Signed) : arg.Signed)
                                     : arg.Unsigned;
          n = std::snprintf(buf, sizeof buf, (spec + (conv == 'u' ? "llu" : "llX")).c_str(), v);
        }
        break;
      }
      case 'f':
      case 'g':
      case 'e': {
        double v;
        if (arg.Kind == TFormatArg::TKind::Float) {
          v = arg.Float;
        } else if (arg.Kind == TFormatArg::TKind::Signed) {
          v = static_cast<double>(arg.Signed);
        } else if (arg.Kind == TFormatArg::TKind::Unsigned) {
          v = static_cast<double>(arg.Unsigned);
        } else {
          Invalid(Fmt);
        }
        n = std::snprintf(buf, sizeof buf, (spec + conv).c_str(), v);
        break;
      }
      case 's': {
        if (arg.Kind != TFormatArg::TKind::Text) Invalid(Fmt);
        if (spec == "%") {
          out.append(arg.Text);
          continue;
        }
        const std::string text(arg.Text);
        std::string tmp(text.size() + 64, '\0');
        n = std::snprintf(tmp.data(), tmp.size(), (spec + "s").c_str(), text.c_str());
        if (n < 0) Invalid(Fmt);
        if (static_cast<size_t>(n) >= tmp.size()) {
          tmp.resize(static_cast<size_t>(n) + 1);
          std::snprintf(tmp.data(), tmp.size(), (spec + "s").c_str(), text.c_str());
        }
        out.append(tmp.data(), static_cast<size_t>(n));
        continue;
      }
      default:
        Invalid(Fmt);
    }
    if (n < 0 || static_cast<size_t>(n) >= sizeof buf) Invalid(Fmt);
    out.append(buf, static_cast<size_t>(n));
  }
  return out;
}
