// Lines as laid out, and finding text.

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include "richtext/edit/rich_edit_internal.h"

namespace {

// Lays the whole document out, so that every block knows its lines.
void EnsureLayout(const QTextDocument& Document) {
  Document.documentLayout()->documentSize();
}

int LinesOf(const QTextBlock& Block) {
  const QTextLayout* layout = Block.layout();
  return layout != nullptr ? std::max(1, layout->lineCount()) : 1;
}

// The block and its line that hold the document's line Line; false beyond the last line.
bool FindLine(const QTextDocument& Document, int Line, QTextBlock& Block, int& InBlock) {
  if (Line < 0) return false;
  for (QTextBlock b = Document.begin(); b.isValid(); b = b.next()) {
    const int lines = LinesOf(b);
    if (Line < lines) {
      Block = b;
      InBlock = Line;
      return true;
    }
    Line -= lines;
  }
  return false;
}

// The characters of one line of a block, as start and length within the block.
void LineSpan(const QTextBlock& Block, int InBlock, int& Start, int& Length) {
  const QTextLayout* layout = Block.layout();
  if (layout == nullptr || layout->lineCount() == 0) {
    Start = 0;
    Length = Block.length() - 1;
    return;
  }
  const QTextLine line = layout->lineAt(InBlock);
  Start = line.textStart();
  Length = line.textLength();
  // A forced line break ends its line: it is the line's break, not its text.
  const QString text = Block.text();
  if (Length > 0 && Start + Length <= text.size() && text[Start + Length - 1] == QChar::LineSeparator)
    --Length;
}

int LineInBlock(const QTextBlock& Block, int Offset) {
  const QTextLayout* layout = Block.layout();
  if (layout == nullptr || layout->lineCount() == 0) return 0;
  const QTextLine line = layout->lineForTextPosition(std::clamp(Offset, 0, Block.length() - 1));
  return line.isValid() ? line.lineNumber() : layout->lineCount() - 1;
}

}  // namespace

int TRichEditBox::LineCount() const {
  EnsureLayout(*document());
  int count = 0;
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
    count += LinesOf(b);
  return count;
}

int TRichEditBox::LineFromChar(int Position) const {
  EnsureLayout(*document());
  Position = std::clamp(Position, 0, TextLength());
  int line = 0;
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
    if (Position < b.position() + b.length()) return line + LineInBlock(b, Position - b.position());
    line += LinesOf(b);
  }
  return std::max(0, line - 1);
}

int TRichEditBox::LineIndex(int Line) const {
  if (Line == -1) Line = LineFromChar(textCursor().position());
  EnsureLayout(*document());
  QTextBlock block;
  int inBlock = 0;
  if (!FindLine(*document(), Line, block, inBlock)) return -1;
  int start = 0, length = 0;
  LineSpan(block, inBlock, start, length);
  return block.position() + start;
}

int TRichEditBox::LineLength(int Position) const {
  EnsureLayout(*document());
  const QTextBlock block = document()->findBlock(std::clamp(Position, 0, TextLength()));
  if (!block.isValid()) return 0;
  int start = 0, length = 0;
  LineSpan(block, LineInBlock(block, Position - block.position()), start, length);
  return length;
}

std::string TRichEditBox::LineText(int Line, int MaxBytes) const {
  EnsureLayout(*document());
  QTextBlock block;
  int inBlock = 0;
  if (!FindLine(*document(), Line, block, inBlock)) return {};
  int start = 0, length = 0;
  LineSpan(block, inBlock, start, length);
  std::string text = block.text().mid(start, length).toStdString();
  if (static_cast<int>(text.size()) > MaxBytes) {
    // Cut at a character boundary.
    size_t cut = static_cast<size_t>(std::max(0, MaxBytes));
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
      --cut;
    text.resize(cut);
  }
  return text;
}

int TRichEditBox::FindText(const std::string& Value, int Start, int End,
                           const TRichFindOptions& Options) const {
  if (Value.empty()) return -1;
  const int length = TextLength();
  Start = std::clamp(Start, 0, length);
  QTextDocument::FindFlags flags;
  if (Options.MatchCase) flags |= QTextDocument::FindCaseSensitively;
  if (Options.WholeWord) flags |= QTextDocument::FindWholeWords;
  if (!Options.Down) flags |= QTextDocument::FindBackward;
  const QTextCursor found = document()->find(QString::fromStdString(Value), Start, flags);
  if (found.isNull()) return -1;
  if (Options.Down) {
    const int limit = End < 0 ? length : std::min(End, length);
    return found.selectionEnd() <= limit ? found.selectionStart() : -1;
  }
  return found.selectionStart() >= std::max(0, End) ? found.selectionStart() : -1;
}
