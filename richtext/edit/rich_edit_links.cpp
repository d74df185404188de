// URL detection: URLs in the text are drawn as links and reported through the link notification.
// Detection is drawing only (a syntax highlighter), so nothing of it reaches the content.

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSyntaxHighlighter>
#include <QTextBlock>

#include "gui/forms/application.h"
#include "richtext/edit/rich_edit_internal.h"

namespace {

const QRegularExpression& UrlPattern() {
  static const QRegularExpression pattern(
      QStringLiteral(
          R"((?:\b(?:https?|ftp|file|mailto|news|nntp|telnet|gopher|wais|prospero):|\bwww\.)[^\s<>"]+)"),
      QRegularExpression::CaseInsensitiveOption);
  return pattern;
}

// The URLs of a block's text as (start, length), without trailing punctuation.
template <class F>
void ForEachUrl(const QString& Text, F&& Fn) {
  QRegularExpressionMatchIterator it = UrlPattern().globalMatch(Text);
  while (it.hasNext()) {
    const QRegularExpressionMatch match = it.next();
    qsizetype length = match.capturedLength();
    while (length > 0 && QStringLiteral(".,;:!?)'").contains(Text[match.capturedStart() + length - 1]))
      --length;
    if (length > 0) Fn(static_cast<int>(match.capturedStart()), static_cast<int>(length));
  }
}

}  // namespace

class TRichUrlHighlighter : public QSyntaxHighlighter {
 public:
  explicit TRichUrlHighlighter(QTextDocument* Document) : QSyntaxHighlighter(Document) {}

 protected:
  void highlightBlock(const QString& Text) override {
    QTextCharFormat link;
    link.setForeground(QColor(0, 0, 255));
    link.setUnderlineStyle(QTextCharFormat::SingleUnderline);
    ForEachUrl(Text, [&](int Start, int Length) { setFormat(Start, Length, link); });
  }
};

void TRichEditBox::SetAutoUrlDetect(bool Value) {
  if (Value == AutoUrlDetect()) return;
  if (Value) {
    Highlighter_ = new TRichUrlHighlighter(document());
  } else {
    delete Highlighter_;
    Highlighter_ = nullptr;
    viewport()->setCursor(Qt::IBeamCursor);
  }
}

bool TRichEditBox::LinkAt(QPoint Pos, int& Start, int& End) const {
  if (!AutoUrlDetect()) return false;
  const QPoint at = Pos + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
  const int position = document()->documentLayout()->hitTest(at, Qt::ExactHit);
  if (position < 0) return false;
  const QTextBlock block = document()->findBlock(position);
  const int offset = position - block.position();
  bool found = false;
  ForEachUrl(block.text(), [&](int From, int Length) {
    if (found || offset < From || offset >= From + Length) return;
    Start = block.position() + From;
    End = Start + Length;
    found = true;
  });
  return found;
}

void TRichEditBox::NotifyLink(QMouseEvent* E) {
  if (!AutoUrlDetect()) return;
  int start = 0, end = 0;
  const bool over = LinkAt(E->position().toPoint(), start, end);
  if ((Hovering_ >= 0) != over) viewport()->setCursor(over ? Qt::PointingHandCursor : Qt::IBeamCursor);
  Hovering_ = over ? start : -1;
  if (!over || !EventMask_.Contains(evLink) || !OnLink) return;
  TRichLinkNotice notice;
  notice.Start = start;
  notice.End = end;
  switch (E->type()) {
    case QEvent::MouseButtonPress:
      if (E->button() != Qt::LeftButton) return;
      notice.Action = laMouseDown;
      break;
    case QEvent::MouseButtonRelease:
      if (E->button() != Qt::LeftButton) return;
      notice.Action = laMouseUp;
      break;
    case QEvent::MouseButtonDblClick:
      notice.Action = laDoubleClick;
      break;
    default:
      notice.Action = laMouseMove;
      break;
  }
  GuardCall([this, notice]() {
    if (OnLink) OnLink(notice);
  });
}

int TRichEditBox::ObjectAt(int X, int Y) const {
  const QPoint at = QPoint(X, Y) + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
  const int position = document()->documentLayout()->hitTest(at, Qt::ExactHit);
  if (position < 0) return -1;
  return document()->characterAt(position) == QChar::ObjectReplacementCharacter ? position : -1;
}

void TRichEditBox::Beep() {
  QApplication::beep();
}
