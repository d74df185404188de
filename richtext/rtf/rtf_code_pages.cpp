#include "rtf_code_pages.h"

#include <iconv.h>

#include <cerrno>
#include <map>
#include <memory>
#include <mutex>

namespace {

const char* IconvName(int codePage) {
  switch (codePage) {
    case 437:
      return "CP437";
    case 850:
      return "CP850";
    case 874:
      return "CP874";
    case 1250:
      return "CP1250";
    case 1251:
      return "CP1251";
    case 1252:
      return "CP1252";
    case 1253:
      return "CP1253";
    case 1254:
      return "CP1254";
    case 1255:
      return "CP1255";
    case 1256:
      return "CP1256";
    case 1257:
      return "CP1257";
    case 1258:
      return "CP1258";
    case 10000:
      return "MACINTOSH";
    case 932:
      return "CP932";
    case 936:
      return "CP936";
    case 949:
      return "CP949";
    case 950:
      return "CP950";
    default:
      return nullptr;
  }
}

enum class TConversion { cvDone, cvUndefined, cvIncomplete };

// Converts one character of one or two bytes with an open converter into code; cvIncomplete when the
// bytes are only the start of a longer character, cvUndefined when the code page has no character there.
TConversion Convert(iconv_t cd, const char* bytes, std::size_t length, char32_t& code) {
  char in[2] = {bytes[0], length > 1 ? bytes[1] : '\0'};
  char32_t out[4] = {};
  char* inPtr = in;
  std::size_t inLeft = length;
  char* outPtr = reinterpret_cast<char*>(out);
  std::size_t outLeft = sizeof(out);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  const int error = errno;
  // Code pages with combining marks (1258) may hold a base letter back until the shift is flushed.
  iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
  if (rc == static_cast<std::size_t>(-1) && inLeft != 0) {
    return error == EINVAL && outLeft == sizeof(out) ? TConversion::cvIncomplete : TConversion::cvUndefined;
  }
  if (outLeft == sizeof(out) || out[0] == 0) return TConversion::cvUndefined;
  // A pair must make exactly one character: a lead byte with a trail that stands on its own is no pair.
  if (length == 2 && outLeft != sizeof(out) - sizeof(char32_t)) return TConversion::cvUndefined;
  code = out[0];
  return TConversion::cvDone;
}

}  // namespace

TRtfCodePage::TRtfCodePage(int number) : number_(number) {
  for (int b = 0; b < 256; ++b)
    codePoints_[b] = static_cast<char32_t>(b);
  if (const char* name = IconvName(number)) {
    iconv_t cd = iconv_open("UTF-32LE", name);
    if (cd != reinterpret_cast<iconv_t>(-1)) {
      std::size_t rows = 0;
      for (int b = 0x80; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        char32_t cp = 0;
        const TConversion result = Convert(cd, &byte, 1, cp);
        if (result == TConversion::cvDone) codePoints_[b] = cp;
        if (result == TConversion::cvIncomplete) rowOfLead_[b] = static_cast<std::uint8_t>(++rows);
      }
      // Trail bytes lie between 0x40 and 0xFE in every double-byte code page read here.
      pairs_.assign(rows * 256, 0);
      for (int lead = 0x80; lead < 256; ++lead) {
        if (rowOfLead_[lead] == 0) continue;
        for (int trail = 0x40; trail < 0xFF; ++trail) {
          const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
          char32_t cp = 0;
          if (Convert(cd, pair, 2, cp) == TConversion::cvDone) {
            pairs_[(rowOfLead_[lead] - 1u) * 256 + static_cast<std::size_t>(trail)] = cp;
          }
        }
      }
      // The OEM code pages also give graphic characters to bytes below 0x80, but RTF only ever uses
      // them for text there, so those bytes stay ASCII.
      iconv_close(cd);
    }
  }
  for (int b = 0; b < 256; ++b) {
    std::string s;
    AppendUtf8(s, codePoints_[b]);
    Encoded& e = utf8_[b];
    e.length = static_cast<std::uint8_t>(s.size());
    for (std::size_t i = 0; i < s.size(); ++i)
      e.bytes[i] = s[i];
  }
}

const TRtfCodePage& TRtfCodePage::Get(int codePage) {
  static std::mutex mutex;
  static std::map<int, std::unique_ptr<TRtfCodePage>> cache;
  if (!IconvName(codePage)) codePage = 1252;
  std::lock_guard lock(mutex);
  auto& slot = cache[codePage];
  if (!slot) slot.reset(new TRtfCodePage(codePage));
  return *slot;
}

int CodePageOfCharset(int charset, int documentCodePage) {
  switch (charset) {
    case 77:
      return 10000;
    case 128:
      return 932;
    case 129:
      return 949;
    case 134:
      return 936;
    case 136:
      return 950;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 163:
      return 1258;
    case 177:
      return 1255;
    case 178:
      return 1256;
    case 186:
      return 1257;
    case 204:
      return 1251;
    case 222:
      return 874;
    case 238:
      return 1250;
    case 255:
      return 437;
    default:
      return documentCodePage;
  }
}

void AppendUtf8(std::string& out, char32_t cp) {
  if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = 0xFFFD;
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(pos);
  int length = 0;
  char32_t cp = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, cp = lead & 0x07;
  } else {
    ++pos;
    return 0xFFFD;
  }
  if (pos + static_cast<std::size_t>(length) > text.size()) {
    ++pos;
    return 0xFFFD;
  }
  for (int i = 1; i < length; ++i) {
    const std::uint8_t b = byte(pos + static_cast<std::size_t>(i));
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  static constexpr char32_t kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return 0xFFFD;
  }
  pos += static_cast<std::size_t>(length);
  return cp;
}
