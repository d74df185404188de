#include "rtf_code_pages.h"

#include <iconv.h>

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
    default:
      return nullptr;
  }
}

// Converts one byte with an open converter; 0 when the code page leaves it undefined.
char32_t ConvertByte(iconv_t cd, std::uint8_t byte) {
  char in[1] = {static_cast<char>(byte)};
  char32_t out[4] = {};
  char* inPtr = in;
  std::size_t inLeft = 1;
  char* outPtr = reinterpret_cast<char*>(out);
  std::size_t outLeft = sizeof(out);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  // Code pages with combining marks (1258) may hold a base letter back until the shift is flushed.
  iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
  if (rc == static_cast<std::size_t>(-1) && inLeft != 0) return 0;
  return outLeft < sizeof(out) ? out[0] : 0;
}

}  // namespace

TRtfCodePage::TRtfCodePage(int number) : number_(number) {
  for (int b = 0; b < 256; ++b)
    codePoints_[b] = static_cast<char32_t>(b);
  if (const char* name = IconvName(number)) {
    iconv_t cd = iconv_open("UTF-32LE", name);
    if (cd != reinterpret_cast<iconv_t>(-1)) {
      for (int b = 0x80; b < 256; ++b) {
        if (char32_t cp = ConvertByte(cd, static_cast<std::uint8_t>(b))) codePoints_[b] = cp;
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
