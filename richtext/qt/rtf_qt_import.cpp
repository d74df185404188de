// Loading a model into a QTextDocument.

#include <QTextBlock>
#include <QTextList>

#include <unordered_map>
#include <utility>
#include <vector>

#include "rtf_qt.h"
#include "rtf_qt_pictures.h"
#include "rtf_qt_tables.h"

namespace {

class TQtImporter {
 public:
  // `tables` are the tables the inserted formats will refer to: the model's own when it replaces the
  // whole document (no renumbering then), else the document's, which the model's entries join.
  TQtImporter(const TRtfDocument& model, TRtfDocument tables, bool replacing, const TRtfQtUnits& units)
      : model_(model), tables_(std::move(tables)), replacing_(replacing), units_(units) {}

  void Insert(QTextCursor& cursor) {
    QTextList* list = nullptr;
    const TRtfParaFormat* previous = nullptr;
    const std::size_t count = model_.paragraphs.size();
    for (std::size_t i = 0; i < count; ++i) {
      const TRtfParagraph& paragraph = model_.paragraphs[i];
      const bool numbered = paragraph.format.numbering != TRtfNumbering::nmNone;
      const QTextBlockFormat blockFormat = ToQtBlockFormat(paragraph.format, units_, numbered);
      if (i > 0) {
        cursor.insertBlock(blockFormat, FirstCharFormat(paragraph));
      } else if (replacing_ || count > 1) {
        cursor.setBlockFormat(blockFormat);
      }
      if (i > 0 || replacing_ || count > 1) {
        if (!numbered) {
          list = nullptr;
        } else if (list && previous && previous->numbering == paragraph.format.numbering &&
                   previous->numberingStart == paragraph.format.numberingStart) {
          list->add(cursor.block());
        } else {
          QTextListFormat listFormat;
          listFormat.setStyle(ToQtListStyle(paragraph.format.numbering));
          listFormat.setIndent(0);  // the block's own left margin places the list
          list = cursor.createList(listFormat);
        }
      }
      previous = &paragraph.format;
      InsertItems(paragraph, blockFormat, cursor);
    }
  }

  const TRtfDocument& Tables() const { return tables_; }

 private:
  QTextCharFormat FirstCharFormat(const TRtfParagraph& paragraph) {
    return paragraph.items.empty() ? QTextCharFormat() : CharFormat(paragraph.items.front().format);
  }

  // A long text has thousands of runs in a handful of formats: each is converted once, and the
  // runs share one format object, which the document then recognises without comparing
  // properties. Only a whole replacement keeps them: inserting, a format's renumbering depends on
  // what the tables have gained so far.
  QTextCharFormat CharFormat(const TRtfCharFormat& format) {
    if (!replacing_) return ToQtCharFormat(Renumbered(format), tables_);
    for (const auto& [known, converted] : formats_) {
      if (known == format) return converted;
    }
    QTextCharFormat converted = ToQtCharFormat(Renumbered(format), tables_);
    if (formats_.size() >= kKeptFormats) formats_.erase(formats_.begin());
    formats_.emplace_back(format, converted);
    return converted;
  }

  // A format of the model with its table indexes turned into indexes of tables_.
  TRtfCharFormat Renumbered(const TRtfCharFormat& format) {
    if (replacing_) return format;
    TRtfCharFormat out = format;
    const TRtfFont* font = model_.FontAt(format.fontIndex);
    out.fontIndex = font ? tables_.AddFont(*font) : -1;
    if (const TRtfColor* color = model_.TextColorOf(format)) {
      out.colorIndex = tables_.AddColor(*color);
    } else {
      out.colorIndex = tables_.colors.empty() ? 0 : tables_.AddColor(TRtfColor{0, 0, 0, true});
    }
    out.highlightIndex = 0;
    if (const TRtfColor* highlight = model_.HighlightOf(format)) {
      if (tables_.colors.empty()) tables_.colors.push_back(TRtfColor{0, 0, 0, true});
      auto it = std::find(tables_.colors.begin() + 1, tables_.colors.end(), *highlight);
      if (it == tables_.colors.end()) it = tables_.colors.insert(tables_.colors.end(), *highlight);
      out.highlightIndex = static_cast<int>(it - tables_.colors.begin());
    }
    const std::string* link = model_.LinkAt(format.linkIndex);
    out.linkIndex = link ? tables_.AddLink(*link) : -1;
    return out;
  }

  static QString TextOf(const std::string& utf8) {
    QString text = QString::fromStdString(utf8);
    // Line ends inside a run would split the block: a run holds none, but keep them as line breaks.
    for (QChar& c : text) {
      if (c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator) c = QChar::LineSeparator;
    }
    return text;
  }

  void InsertItems(const TRtfParagraph& paragraph, const QTextBlockFormat& blockFormat, QTextCursor& cursor) {
    bool anything = false;
    for (const TRtfInline& item : paragraph.items) {
      const QTextCharFormat format = CharFormat(item.format);
      switch (item.kind) {
        case TRtfInlineKind::ikText:
          cursor.insertText(TextOf(item.text), format);
          break;
        case TRtfInlineKind::ikTab:
          cursor.insertText(QStringLiteral("\t"), format);
          break;
        case TRtfInlineKind::ikLineBreak:
          cursor.insertText(QString(QChar::LineSeparator), format);
          break;
        case TRtfInlineKind::ikPageBreak:
          InsertPageBreak(blockFormat, format, anything || !cursor.atBlockStart(), cursor);
          break;
        case TRtfInlineKind::ikPicture:
          if (const TRtfPicture* picture = model_.PictureAt(item.pictureIndex)) {
            cursor.insertImage(AddPictureResource(*picture, format, units_, *cursor.document()));
          }
          break;
      }
      anything = true;
    }
  }

  // A page break starts a new block on a new page; inside a paragraph that block is marked as the
  // paragraph's continuation, so that reading the document back joins the two again.
  static void InsertPageBreak(const QTextBlockFormat& blockFormat, const QTextCharFormat& format, bool split,
                              QTextCursor& cursor) {
    QTextBlockFormat pageBreak;
    pageBreak.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    if (!split) {
      cursor.mergeBlockFormat(pageBreak);
      return;
    }
    QTextBlockFormat continuation = blockFormat;
    continuation.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    continuation.setProperty(rqpContinuesParagraph, true);
    continuation.setTextIndent(0);
    cursor.insertBlock(continuation, format);
  }

  static constexpr std::size_t kKeptFormats = 32;

  const TRtfDocument& model_;
  std::vector<std::pair<TRtfCharFormat, QTextCharFormat>> formats_;
  TRtfDocument tables_;
  bool replacing_;
  const TRtfQtUnits& units_;
};

}  // namespace

void ModelToQTextDocument(const TRtfDocument& model, QTextDocument& document, const TRtfQtUnits& units) {
  const bool undo = document.isUndoRedoEnabled();
  document.setUndoRedoEnabled(false);
  QTextCursor cursor(&document);
  // One edit block from the clearing on: a document shown in a view is laid out once, as a whole
  // new content (which the view lays out lazily, from the top), instead of again after every
  // inserted run, which grows quadratically with the length of a paragraph.
  cursor.beginEditBlock();
  document.clear();
  QTextOption option = document.defaultTextOption();
  option.setTabStopDistance(units.ToPixels(model.defaultTabWidth));
  document.setDefaultTextOption(option);
  TQtImporter importer(model, TablesOf(model), true, units);
  importer.Insert(cursor);
  cursor.endEditBlock();
  StoreTables(importer.Tables(), document);
  document.setUndoRedoEnabled(undo);
}

void InsertModelAt(const TRtfDocument& model, QTextCursor& cursor, const TRtfQtUnits& units) {
  QTextDocument& document = *cursor.document();
  TQtImporter importer(model, LoadTables(document), false, units);
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  importer.Insert(cursor);
  cursor.endEditBlock();
  StoreTables(importer.Tables(), document);
}
