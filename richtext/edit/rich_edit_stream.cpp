// Streaming RTF and plain text in and out of the box.

#include <QTextCursor>
#include <vector>

#include "richtext/edit/rich_edit_internal.h"

namespace {

TRtfFontFamily FamilyOfPitch(TFontPitch Pitch) {
  return Pitch == fpFixed ? TRtfFontFamily::ffModern : TRtfFontFamily::ffSwiss;
}

// Text that states no font or size shows the default format's; written out, it states them, so
// that another box (with another default) shows it the same.
void StateDefaultFormat(TRtfDocument& Model, const TRichCharFormat& Default) {
  TRtfFont font;
  font.name = Default.Face;
  font.family = FamilyOfPitch(Default.Pitch);
  font.charset = Default.Charset == DEFAULT_CHARSET ? 0 : Default.Charset;
  font.pitch = Default.Pitch == fpFixed ? 1 : Default.Pitch == fpVariable ? 2 : 0;
  int index = -1;
  for (TRtfParagraph& paragraph : Model.paragraphs) {
    for (TRtfInline& item : paragraph.items) {
      if (item.format.fontIndex < 0) {
        if (index < 0) {
          index = -1;
          for (size_t i = 0; i < Model.fonts.size() && index < 0; ++i) {
            if (Model.fonts[i].name == font.name) index = static_cast<int>(i);
          }
          if (index < 0) index = Model.AddFont(font);
        }
        item.format.fontIndex = index;
      }
      if (item.format.halfPoints <= 0) item.format.halfPoints = std::max(1, Default.HeightTwips / 10);
    }
  }
}

// Plain text has no style of its own: it takes the default format's.
void ApplyDefaultStyle(TRtfDocument& Model, const TRichCharFormat& Default) {
  for (TRtfParagraph& paragraph : Model.paragraphs) {
    for (TRtfInline& item : paragraph.items) {
      if (item.format.fontIndex >= 0 || item.format.halfPoints > 0) continue;
      item.format.bold = Default.Style.Contains(fsBold);
      item.format.italic = Default.Style.Contains(fsItalic);
      item.format.strikeOut = Default.Style.Contains(fsStrikeOut);
      item.format.underline =
          Default.Style.Contains(fsUnderline) ? TRtfUnderline::ulSingle : TRtfUnderline::ulNone;
    }
  }
}

}  // namespace

std::string PlainTextOf(const QTextDocument& Document) {
  return QTextDocumentToPlainText(Document);
}

void ReplaceContent(TRichEditBox& Box, TRtfDocument Model) {
  ApplyDefaultStyle(Model, Box.CharFormat(false));
  // The view has no caret while the new content goes in. Pushed along to the end of the text, the
  // caret would have to be shown there and its old place repainted when it comes back to the
  // start, which lays the whole text out at once, where the view lays out only what it shows.
  TRichEditBox::TCaretAside aside(Box);
  ModelToQTextDocument(Model, *Box.document(), TRtfQtUnits());
  Box.document()->setModified(false);
}

TRichStreamError TRichEditBox::ReadAll(const TRichStreamReader& Read, std::string& Bytes) const {
  std::vector<char> chunk(static_cast<size_t>(kStreamChunk));
  for (;;) {
    const int64_t count = Read(chunk.data(), kStreamChunk);
    if (count < 0 || count > kStreamChunk) return reReadFailed;
    if (count == 0) return reNone;
    if (static_cast<int64_t>(Bytes.size()) + count > MaxStreamIn_) return reTooLarge;
    Bytes.append(chunk.data(), static_cast<size_t>(count));
  }
}

TRichStreamError TRichEditBox::StreamIn(TRichStreamFormat Format, bool AtSelection,
                                        const TRichStreamReader& Read) {
  std::string bytes;
  if (const TRichStreamError error = ReadAll(Read, bytes); error != reNone) return error;
  TRtfDocument model;
  if (Format == rfRtf) {
    TRtfReadResult read = ReadRtf(bytes);
    if (read.status == TRtfReadStatus::rsNotRtf) return reNotRtf;
    model = std::move(read.document);
  } else {
    model = ReadPlainText(bytes);
  }
  if (!AtSelection) {
    if (!ChangeAllowed(0, TextLength())) return reReadFailed;
    ReplaceContent(*this, std::move(model));
    return reNone;
  }
  QTextCursor cursor = textCursor();
  if (!ChangeAllowed(cursor.selectionStart(), cursor.selectionEnd())) return reReadFailed;
  if (Format == rfText) ApplyDefaultStyle(model, Default_);
  InsertModelAt(model, cursor, TRtfQtUnits());
  setTextCursor(cursor);
  return reNone;
}

TRichStreamError TRichEditBox::StreamOut(TRichStreamFormat Format, bool SelectionOnly,
                                         const TRichStreamWriter& Write) const {
  TRtfDocument model = SelectionOnly ? QTextSelectionToModel(textCursor(), TRtfQtUnits())
                                     : QTextDocumentToModel(*document(), TRtfQtUnits());
  std::string bytes;
  if (Format == rfRtf) {
    StateDefaultFormat(model, Default_);
    bytes = WriteRtf(model);
  } else {
    bytes = WritePlainText(model);
  }
  for (size_t at = 0; at < bytes.size(); at += static_cast<size_t>(kStreamChunk)) {
    const size_t count = std::min(bytes.size() - at, static_cast<size_t>(kStreamChunk));
    if (!Write(bytes.data() + at, static_cast<int64_t>(count))) return reWriteFailed;
  }
  return reNone;
}
