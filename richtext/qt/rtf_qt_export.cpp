// Reading a QTextDocument, or a selection of it, back into a model.

#include <QTextBlock>
#include <QTextList>

#include <unordered_map>

#include "rtf_plain_text.h"
#include "rtf_qt.h"
#include "rtf_qt_pictures.h"
#include "rtf_qt_tables.h"

namespace {

class TQtExporter {
 public:
  TQtExporter(const QTextDocument& document, const TRtfQtUnits& units)
      : document_(document), units_(units), model_(LoadTables(document)) {
    const double tab = document.defaultTextOption().tabStopDistance();
    if (std::abs(units.ToPixels(model_.defaultTabWidth) - tab) > 1e-6 && tab > 0) {
      model_.defaultTabWidth = units.ToTwips(tab);
    }
  }

  // Reads the characters from start up to end (exclusive) of the document.
  TRtfDocument Read(int start, int end) {
    for (QTextBlock block = document_.findBlock(start); block.isValid() && block.position() <= end;
         block = block.next()) {
      const QTextBlockFormat blockFormat = block.blockFormat();
      const bool pageBreak = blockFormat.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
      const bool continuation =
          pageBreak && blockFormat.boolProperty(rqpContinuesParagraph) && !model_.paragraphs.empty();
      if (continuation) {
        AppendItem(model_.paragraphs.back(), TRtfInlineKind::ikPageBreak, CharFormatAt(block));
      } else {
        TRtfParagraph& paragraph = model_.paragraphs.emplace_back();
        const QTextList* list = block.textList();
        paragraph.format = FromQtBlockFormat(
            blockFormat, units_, list ? list->format().style() : QTextListFormat::ListStyleUndefined);
        if (pageBreak) AppendItem(paragraph, TRtfInlineKind::ikPageBreak, CharFormatAt(block));
      }
      ReadFragments(block, start, end, model_.paragraphs.back());
    }
    return std::move(model_);
  }

 private:
  const TRtfCharFormat& CharFormatOf(const QTextFragment& fragment) {
    const int index = fragment.charFormatIndex();
    auto it = charFormats_.find(index);
    if (it == charFormats_.end()) {
      it = charFormats_
               .emplace(index, FromQtCharFormat(fragment.charFormat(), model_, document_.defaultFont()))
               .first;
    }
    return it->second;
  }

  // The format of a block's first character, or of the block itself when it is empty.
  TRtfCharFormat CharFormatAt(const QTextBlock& block) {
    const QTextBlock::iterator it = block.begin();
    if (!it.atEnd()) return CharFormatOf(it.fragment());
    return FromQtCharFormat(block.charFormat(), model_, document_.defaultFont());
  }

  void ReadFragments(const QTextBlock& block, int start, int end, TRtfParagraph& paragraph) {
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const int from = std::max(start, fragment.position());
      const int to = std::min(end, fragment.position() + fragment.length());
      if (from >= to) continue;
      const QString text = fragment.text().mid(from - fragment.position(), to - from);
      const TRtfCharFormat& format = CharFormatOf(fragment);
      const QTextCharFormat qtFormat = fragment.charFormat();
      qsizetype runStart = 0;
      const auto flush = [&](qsizetype upTo) {
        if (upTo > runStart) AppendText(paragraph, format, text.mid(runStart, upTo - runStart).toStdString());
        runStart = upTo + 1;
      };
      for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\t') {
          flush(i);
          AppendItem(paragraph, TRtfInlineKind::ikTab, format);
        } else if (c == QChar::LineSeparator || c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator) {
          flush(i);
          AppendItem(paragraph, TRtfInlineKind::ikLineBreak, format);
        } else if (c == QChar::ObjectReplacementCharacter) {
          flush(i);
          TRtfPicture picture;
          if (qtFormat.isImageFormat() &&
              PictureOfFormat(qtFormat.toImageFormat(), document_, units_, picture)) {
            model_.pictures.push_back(std::move(picture));
            AppendItem(paragraph, TRtfInlineKind::ikPicture, format,
                       static_cast<int>(model_.pictures.size()) - 1);
          }
        }
      }
      flush(text.size());
    }
  }

  const QTextDocument& document_;
  const TRtfQtUnits& units_;
  TRtfDocument model_;
  std::unordered_map<int, TRtfCharFormat> charFormats_;
};

}  // namespace

TRtfDocument QTextDocumentToModel(const QTextDocument& document, const TRtfQtUnits& units) {
  TRtfDocument model = TQtExporter(document, units).Read(0, document.characterCount() - 1);
  // An empty document still holds one empty block.
  if (model.paragraphs.size() == 1 && model.paragraphs.front().items.empty()) model.paragraphs.clear();
  return model;
}

TRtfDocument QTextSelectionToModel(const QTextCursor& cursor, const TRtfQtUnits& units) {
  if (!cursor.hasSelection() || !cursor.document()) return TablesOf(TRtfDocument());
  return TQtExporter(*cursor.document(), units).Read(cursor.selectionStart(), cursor.selectionEnd());
}

std::string QTextDocumentToPlainText(const QTextDocument& document) {
  return WritePlainText(QTextDocumentToModel(document));
}
