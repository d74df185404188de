#include "rtf_plain_text.h"

#include "rtf_code_pages.h"

namespace {

// UTF-8 where the bytes are valid UTF-8, code page 1252 for the bytes that are not.
std::string DecodeText(std::string_view bytes) {
  const std::string_view input = bytes;
  const TRtfCodePage& fallback = TRtfCodePage::Get(1252);
  std::string out;
  out.reserve(input.size());
  std::size_t pos = 0;
  while (pos < input.size()) {
    const auto byte = static_cast<std::uint8_t>(input[pos]);
    if (byte < 0x80) {
      out.push_back(input[pos++]);
      continue;
    }
    const std::size_t start = pos;
    const char32_t cp = DecodeUtf8(input, pos);
    if (cp == 0xFFFD && pos == start + 1) {
      fallback.AppendDecoded(out, byte);
    } else if (cp == 0xFEFF) {
      // A byte-order mark (or the zero-width no-break space it once was) shows nothing.
    } else {
      out.append(input.substr(start, pos - start));
    }
  }
  return out;
}

}  // namespace

TRtfDocument ReadPlainText(std::string_view bytes) {
  TRtfDocument document;
  const std::string text = DecodeText(bytes);
  TRtfCharFormat format;
  format.halfPoints = 0;
  TRtfParagraph paragraph;
  std::size_t runStart = 0;
  const auto flush = [&](std::size_t end) {
    if (end > runStart)
      AppendText(paragraph, format, std::string_view(text).substr(runStart, end - runStart));
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c != 0x7F) continue;
    flush(i);
    runStart = i + 1;
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') runStart = ++i + 1;
      document.paragraphs.push_back(std::move(paragraph));
      paragraph = TRtfParagraph();
    } else if (c == '\t') {
      AppendItem(paragraph, TRtfInlineKind::ikTab, format);
    } else if (c == '\v') {
      AppendItem(paragraph, TRtfInlineKind::ikLineBreak, format);
    }
  }
  flush(text.size());
  document.paragraphs.push_back(std::move(paragraph));
  // Bytes that hold nothing to show (only 0 bytes, say) are an empty document, not one empty paragraph.
  if (document.paragraphs.size() == 1 && document.paragraphs[0].items.empty()) document.paragraphs.clear();
  return document;
}

std::string WritePlainText(const TRtfDocument& document) {
  std::string out;
  for (std::size_t p = 0; p < document.paragraphs.size(); ++p) {
    if (p > 0) out += "\r\n";
    for (const TRtfInline& item : document.paragraphs[p].items) {
      switch (item.kind) {
        case TRtfInlineKind::ikText:
          out += item.text;
          break;
        case TRtfInlineKind::ikTab:
          out += '\t';
          break;
        case TRtfInlineKind::ikLineBreak:
        case TRtfInlineKind::ikPageBreak:
          out += "\r\n";
          break;
        case TRtfInlineKind::ikPicture:
          break;
      }
    }
  }
  return out;
}
