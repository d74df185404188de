// The box itself: construction, the notifications, read-only, editing and the clipboard.

#include "richtext/edit/rich_edit_box.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <memory>

#include "gui/forms/application.h"
#include "richtext/edit/rich_edit_internal.h"
#include "richtext/edit/rich_edit_pages.h"

TRichEditBox::TRichEditBox(TWinControl* Control, QWidget* Parent) : TQtBridge<QTextEdit>(Control, Parent) {
  RegisterRichFontSubstitutes();
  setAcceptRichText(true);
  setUndoRedoEnabled(true);
  setTabChangesFocus(false);
  document()->setDocumentMargin(0);
  document()->setUndoRedoEnabled(true);
  Default_.Face = "MS Sans Serif";
  Default_.HeightTwips = 8 * 20;
  ApplyDefaultFont();
  ApplyInteraction();
  TQtEventRouter::ForwardEvents(viewport(), Control);
  Connect();
}

TRichEditBox::~TRichEditBox() {
  // Nothing may call back into the control while the widget goes.
  QObject::disconnect(document(), nullptr, this, nullptr);
  QObject::disconnect(this, nullptr, nullptr, nullptr);
  OnChange = nullptr;
  OnSelectionChange = nullptr;
  OnRequestResize = nullptr;
  OnProtected = nullptr;
  OnLink = nullptr;
  OnPaint = nullptr;
}

void TRichEditBox::Connect() {
  QObject::connect(document(), &QTextDocument::contentsChange, this,
                   [this](int, int, int) { NotifyChange(); });
  QObject::connect(this, &QTextEdit::cursorPositionChanged, this, [this]() { NotifySelectionChange(); });
  QObject::connect(this, &QTextEdit::selectionChanged, this, [this]() { NotifySelectionChange(); });
  // The size the content wants is known as the change is laid out. A long text is laid out
  // lazily, from the top, and its size is announced as it grows: asking for the whole size at
  // once would lay everything out before anything shows.
  QObject::connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
                   [this](const QSizeF& Size) { NotifyResize(Size); });
}

void TRichEditBox::NotifyChange() {
  if (!EventMask_.Contains(evChange) || !OnChange) return;
  GuardCall([this]() {
    if (OnChange) OnChange();
  });
}

void TRichEditBox::NotifySelectionChange() {
  if (CaretAside_) return;
  const QTextCursor cursor = textCursor();
  const int start = cursor.selectionStart(), end = cursor.selectionEnd();
  if (start == LastSelStart_ && end == LastSelEnd_) return;
  LastSelStart_ = start;
  LastSelEnd_ = end;
  if (!EventMask_.Contains(evSelectionChange) || !OnSelectionChange) return;
  GuardCall([this]() {
    if (OnSelectionChange) OnSelectionChange();
  });
}

void TRichEditBox::NotifyResize(const QSizeF& Size) {
  if (Size == LastDocumentSize_) return;
  LastDocumentSize_ = Size;
  if (!EventMask_.Contains(evRequestResize) || !OnRequestResize) return;
  const QRect area = viewport()->geometry();
  const TRect wanted = Bounds(area.x(), area.y(), area.width(), static_cast<int>(Size.height() + 0.5));
  GuardCall([this, wanted]() {
    if (OnRequestResize) OnRequestResize(wanted);
  });
}

TRichEditBox::TCaretAside::TCaretAside(TRichEditBox& Box) : Box_(Box) {
  Box_.CaretAside_ = true;
  Box_.setTextCursor(QTextCursor());
}

TRichEditBox::TCaretAside::~TCaretAside() {
  Box_.setTextCursor(QTextCursor(Box_.document()));
  Box_.CaretAside_ = false;
  Box_.NotifySelectionChange();
}

// --- Read-only, colours, selection ----------------------------------------------------------

void TRichEditBox::SetReadOnly(bool Value) {
  ReadOnly_ = Value;
  ApplyInteraction();
}

void TRichEditBox::ApplyInteraction() {
  // A read-only box still has a caret and keyboard selection, as a rich edit window does.
  QTextEdit::setReadOnly(ReadOnly_);
  setTextInteractionFlags(ReadOnly_ ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                    : Qt::TextEditorInteraction);
}

void TRichEditBox::SetBackgroundColor(TColor Value) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Base, ToQColor(Value));
  setPalette(palette);
}

void TRichEditBox::SetHideSelection(bool Value) {
  HideSelection_ = Value;
  // A hidden selection shows only while the box has the focus.
  QPalette palette = this->palette();
  const QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
  const QColor text = palette.color(QPalette::Active, QPalette::HighlightedText);
  palette.setColor(QPalette::Inactive, QPalette::Highlight, Value ? QColor(Qt::transparent) : highlight);
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   Value ? palette.color(QPalette::Inactive, QPalette::Text) : text);
  setPalette(palette);
}

int TRichEditBox::TextLength() const {
  return document()->characterCount() - 1;
}

std::string TRichEditBox::Text() const {
  return PlainTextOf(*document());
}

void TRichEditBox::SetText(const std::string& Value) {
  ReplaceContent(*this, ReadPlainText(Value));
}

std::string TRichEditBox::TextRange(int Start, int End) const {
  const int length = TextLength();
  Start = std::clamp(Start, 0, length);
  End = End < 0 ? length : std::clamp(End, Start, length);
  QTextCursor cursor(document());
  cursor.setPosition(Start);
  cursor.setPosition(End, QTextCursor::KeepAnchor);
  QString text = cursor.selectedText();
  for (QChar& c : text) {
    if (c == QChar::ParagraphSeparator) c = u'\r';
  }
  return text.toStdString();
}

int TRichEditBox::SelStart() const {
  return textCursor().selectionStart();
}

int TRichEditBox::SelLength() const {
  const QTextCursor cursor = textCursor();
  return cursor.selectionEnd() - cursor.selectionStart();
}

void TRichEditBox::SetSelection(int Start, int End) {
  const int length = TextLength();
  Start = std::clamp(Start, 0, length);
  End = End < 0 ? length : std::clamp(End, 0, length);
  QTextCursor cursor(document());
  cursor.setPosition(Start);
  cursor.setPosition(End, QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

std::string TRichEditBox::SelectedText() const {
  const QTextCursor cursor = textCursor();
  return TextRange(cursor.selectionStart(), cursor.selectionEnd());
}

bool TRichEditBox::ReplaceSelection(const std::string& Value, bool CanUndo) {
  QTextCursor cursor = textCursor();
  if (!ChangeAllowed(cursor.selectionStart(), cursor.selectionEnd())) return false;
  const bool undo = document()->isUndoRedoEnabled();
  if (!CanUndo) document()->setUndoRedoEnabled(false);
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  // Paragraph breaks as the text gives them; the text takes the format at the caret.
  const QString text = QString::fromUtf8(Value.data(), static_cast<qsizetype>(Value.size()));
  qsizetype from = 0;
  for (qsizetype i = 0; i <= text.size(); ++i) {
    const bool end = i == text.size();
    if (!end && text[i] != u'\r' && text[i] != u'\n') continue;
    if (i > from) cursor.insertText(text.mid(from, i - from));
    if (end) break;
    cursor.insertBlock();
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    from = i + 1;
  }
  cursor.endEditBlock();
  if (!CanUndo) document()->setUndoRedoEnabled(undo);
  setTextCursor(cursor);
  return true;
}

int TRichEditBox::DocumentLengthOf(const std::string& Value) {
  const QString text = QString::fromUtf8(Value.data(), static_cast<qsizetype>(Value.size()));
  int length = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    ++length;
  }
  return length;
}

// --- Undo, modified flag, clipboard ---------------------------------------------------------

bool TRichEditBox::CanUndo() const {
  return document()->isUndoAvailable();
}

bool TRichEditBox::CanRedo() const {
  return document()->isRedoAvailable();
}

void TRichEditBox::Undo() {
  document()->undo();
}

void TRichEditBox::Redo() {
  document()->redo();
}

bool TRichEditBox::Modified() const {
  return document()->isModified();
}

void TRichEditBox::SetModified(bool Value) {
  document()->setModified(Value);
}

bool TRichEditBox::CanPaste() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data != nullptr && canInsertFromMimeData(data);
}

std::vector<TClipboardKind> TRichEditBox::ClipboardKinds() const {
  std::vector<TClipboardKind> kinds;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr) return kinds;
  for (const QString& format : data->formats())
    kinds.push_back(ClipboardKindOf(format));
  return kinds;
}

void TRichEditBox::Cut() {
  if (ReadOnly_ || !textCursor().hasSelection()) return;
  const QTextCursor cursor = textCursor();
  if (!ChangeAllowed(cursor.selectionStart(), cursor.selectionEnd())) return;
  QTextEdit::cut();
}

void TRichEditBox::Copy() {
  QTextEdit::copy();
}

void TRichEditBox::Paste() {
  if (!ReadOnly_) QTextEdit::paste();
}

bool TRichEditBox::canInsertFromMimeData(const QMimeData* Source) const {
  return HasRtf(*Source) || QTextEdit::canInsertFromMimeData(Source);
}

void TRichEditBox::insertFromMimeData(const QMimeData* Source) {
  QTextCursor cursor = textCursor();
  if (!ChangeAllowed(cursor.selectionStart(), cursor.selectionEnd())) return;
  if (HasRtf(*Source)) {
    const TRtfReadResult read = ReadRtf(RtfOf(*Source));
    if (read.status == TRtfReadStatus::rsOk) {
      InsertModelAt(read.document, cursor, TRtfQtUnits());
      setTextCursor(cursor);
      return;
    }
  }
  if (Source->hasText()) {
    // Pasted text takes the format at the caret, as typed text does.
    const std::string text = Source->text().toStdString();
    ReplaceSelection(text);
    return;
  }
  QTextEdit::insertFromMimeData(Source);
}

QMimeData* TRichEditBox::createMimeDataFromSelection() const {
  // Qt's own selection data lists only its own formats until one of them is read, so a drop
  // target asking for RTF first would not see it: its formats are copied into plain data.
  const std::unique_ptr<QMimeData> own(QTextEdit::createMimeDataFromSelection());
  auto* data = new QMimeData;
  for (const QString& format : own->formats())
    data->setData(format, own->data(format));
  std::string rtf;
  StreamOut(rfRtf, true, [&rtf](const char* Data, int64_t Count) {
    rtf.append(Data, static_cast<size_t>(Count));
    return true;
  });
  data->setData(QStringLiteral("text/rtf"), QByteArray::fromStdString(rtf));
  return data;
}

// --- Keys, events ------------------------------------------------------------------------------

bool TRichEditBox::ChangeAllowed(int Start, int End) {
  if (!RangeProtected(*document(), Start, End)) return true;
  if (!EventMask_.Contains(evProtected) || !OnProtected) return false;
  return OnProtected(Start, End);
}

bool TRichEditBox::KeyChangeAllowed(QKeyEvent* E) {
  if (ReadOnly_) return true;  // nothing changes anyway
  const QTextCursor cursor = textCursor();
  int start = cursor.selectionStart(), end = cursor.selectionEnd();
  const bool text = !E->text().isEmpty() && E->text()[0].isPrint();
  const bool remove = E->key() == Qt::Key_Backspace || E->key() == Qt::Key_Delete;
  const bool edit = text || remove || E->key() == Qt::Key_Return || E->key() == Qt::Key_Enter ||
                    E->key() == Qt::Key_Tab || E->matches(QKeySequence::Cut) ||
                    E->matches(QKeySequence::Paste);
  if (!edit) return true;
  if (start == end && E->key() == Qt::Key_Backspace) start = std::max(0, start - 1);
  if (start == end && E->key() == Qt::Key_Delete) end = std::min(TextLength(), end + 1);
  return ChangeAllowed(start, end);
}

void TRichEditBox::keyPressEvent(QKeyEvent* E) {
  if (!KeyChangeAllowed(E)) {
    E->accept();
    return;
  }
  QTextEdit::keyPressEvent(E);
}

void TRichEditBox::changeEvent(QEvent* E) {
  // The widget's font is the control's: the default format, not Qt's font, decides what text
  // without a format of its own shows.
  if (E->type() == QEvent::FontChange) {
    QAbstractScrollArea::changeEvent(E);
    ApplyDefaultFont();
    return;
  }
  QTextEdit::changeEvent(E);
}

void TRichEditBox::contextMenuEvent(QContextMenuEvent* E) {
  // The control offers its own menu; Qt's standard one would bypass its rules.
  E->ignore();
}

bool TRichEditBox::viewportEvent(QEvent* E) {
  switch (E->type()) {
    case QEvent::Paint:
      if (OnPaint) {
        bool paint = true;
        GuardCall([&]() { paint = !OnPaint || OnPaint(); });
        if (!paint) return true;
      }
      return QTextEdit::viewportEvent(E);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      NotifyLink(static_cast<QMouseEvent*>(E));
      // The control hears of the mouse through the framework, then the text handles it.
      return TQtEventRouter::Event(*this, viewport(), E,
                                   [this](QEvent* Event) { return QTextEdit::viewportEvent(Event); });
    default:
      return QTextEdit::viewportEvent(E);
  }
}
