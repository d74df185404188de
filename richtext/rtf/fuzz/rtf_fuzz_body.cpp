#include "rtf_fuzz_body.h"

#include <string_view>

#include "rtf_plain_text.h"
#include "rtf_reader.h"
#include "rtf_writer.h"

namespace {

// The text of a document as plain text reads it back: line and page breaks become paragraph ends.
std::string PlainTextShape(const TRtfDocument& document) {
  std::string out;
  for (const TRtfParagraph& paragraph : document.paragraphs) {
    for (const TRtfInline& item : paragraph.items) {
      if (item.kind == TRtfInlineKind::ikText) out += item.text;
      if (item.kind == TRtfInlineKind::ikTab) out += '\t';
      if (item.kind == TRtfInlineKind::ikLineBreak || item.kind == TRtfInlineKind::ikPageBreak) out += '|';
    }
    out += '|';
  }
  return out;
}

std::string CheckPlainText(std::string_view bytes) {
  const TRtfDocument first = ReadPlainText(bytes);
  const TRtfDocument second = ReadPlainText(WritePlainText(first));
  if (PlainTextShape(first) != PlainTextShape(second)) return "plain text changed in its round trip";
  return {};
}

}  // namespace

std::string CheckRtfInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TRtfReadResult first = ReadRtf(bytes);
  if (first.status == TRtfReadStatus::rsNotRtf) {
    if (LooksLikeRtf(bytes)) return "RTF input refused";
    return CheckPlainText(bytes);
  }
  const std::string written = WriteRtf(first.document);
  const TRtfReadResult second = ReadRtf(written);
  if (second.status != TRtfReadStatus::rsOk) return "written RTF refused";
  if (second.damaged) return "written RTF read as damaged";
  if (!(second.document == first.document)) return "document changed in its RTF round trip";
  if (WriteRtf(second.document) != written) return "writing the same document twice differs";
  return CheckPlainText(WritePlainText(first.document));
}
