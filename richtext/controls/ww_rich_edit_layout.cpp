// Stored layouts: the library version and the design-time text ("Data") beside the published
// properties.
//
// "Data" holds a 4-byte little-endian length N and N bytes of RTF. A hand-written layout may give
// the RTF as a text instead ("Data: \"{\\rtf1 ...}\""); it is written back as bytes.

#include "core/exceptions.h"
#include "core/layout/layout_reader.h"
#include "core/layout/layout_value.h"
#include "gui/forms/screen.h"
#include "richtext/controls/rich_edit_strings.h"
#include "richtext/controls/rich_memory_stream.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"

void TwwCustomRichEdit::ReadState(TLayoutReader& Reader) {
  // A layout from before the version was stored means the first library.
  SetRichEditVersion(1);
  if (DataFieldSet()) {
    TCustomRichEdit::ReadState(Reader);
    return;
  }
  TCursorScope wait(crHourGlass);
  DataWasRead_ = false;
  SetPlainText(true);
  try {
    TCustomRichEdit::ReadState(Reader);
  } catch (...) {
    SetPlainText(false);
    throw;
  }
  SetPlainText(false);
  if (DataWasRead_) return;
  // Lines given in the layout are plain text; if they hold RTF source, it becomes formatted text.
  TwwRichMemoryStream stream;
  EditBox()->StreamOut(rfText, false, [&stream](const char* Data, int64_t Count) {
    stream.WriteBuffer(Data, Count);
    return true;
  });
  stream.SetPosition(0);
  TInternalUpdateScope quiet(*this);
  RichLines()->LoadContent(stream);
}

bool TwwCustomRichEdit::ReadStoredExtra(const std::string& Name, const TLayoutValue& Value) {
  if (Name == "RichEditVersion") {
    if (Value.Kind != TLayoutValue::TKind::Integer) throw EReadError("RichEditVersion expects an integer");
    if (Value.Integer < 1 || Value.Integer > 2) throw EReadError("RichEditVersion must be 1 or 2");
    SetRichEditVersion(static_cast<int>(Value.Integer));
    return true;
  }
  if (Name == "Data") {
    ReadData(Value);
    return true;
  }
  return TCustomRichEdit::ReadStoredExtra(Name, Value);
}

void TwwCustomRichEdit::ReadData(const TLayoutValue& Value) {
  std::string rtf;
  if (Value.Kind == TLayoutValue::TKind::String) {
    rtf = Value.Text;
  } else if (Value.Kind == TLayoutValue::TKind::Binary) {
    const std::vector<uint8_t>& bytes = Value.Bytes;
    if (bytes.size() < 4) throw EReadError("Data must start with its 4-byte length");
    const uint64_t length =
        uint64_t{bytes[0]} | uint64_t{bytes[1]} << 8 | uint64_t{bytes[2]} << 16 | uint64_t{bytes[3]} << 24;
    if (length > bytes.size() - 4) {
      throw EReadError("Data announces " + std::to_string(length) + " bytes but holds " +
                       std::to_string(bytes.size() - 4));
    }
    rtf.assign(reinterpret_cast<const char*>(bytes.data()) + 4, static_cast<size_t>(length));
  } else {
    throw EReadError("Data expects bytes or a text");
  }
  SetPlainText(false);
  DataWasRead_ = true;
  if (rtf.empty()) return;
  TwwRichMemoryStream stream;
  stream.WriteString(rtf);
  stream.SetPosition(0);
  TInternalUpdateScope quiet(*this);
  RichLines()->LoadContent(stream);
  EditBox()->SetModified(false);
}

void TwwCustomRichEdit::WriteStoredExtras(std::vector<std::pair<std::string, TLayoutValue>>& Out) const {
  TCustomRichEdit::WriteStoredExtras(Out);
  Out.emplace_back("RichEditVersion", TLayoutValue::OfInteger(2));
  if (GetBoundField() != nullptr) return;
  auto* self = const_cast<TwwCustomRichEdit*>(this);
  std::vector<uint8_t> bytes(4, 0);
  self->EditBox()->StreamOut(rfRtf, false, [&bytes](const char* Data, int64_t Count) {
    bytes.insert(bytes.end(), Data, Data + Count);
    return true;
  });
  const uint64_t length = bytes.size() - 4;
  for (int i = 0; i < 4; ++i)
    bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(length >> (8 * i));
  Out.emplace_back("Data", TLayoutValue::OfBytes(std::move(bytes)));
}
