// Helpers of the edit layer: font substitutes, protected ranges, clipboard formats.

#include <QFont>
#include <QTextBlock>

#include "richtext/edit/rich_edit_internal.h"

void RegisterRichFontSubstitutes() {
  static const bool done = []() {
    for (const char* name : {"MS Sans Serif", "System", "Arial", "Helvetica", "Times New Roman", "Times",
                             "MS Serif", "Courier New", "Courier", "Arial Narrow"}) {
      const std::string family = ResolveFontFamily(name, fpDefault);
      if (family != name)
        QFont::insertSubstitution(QString::fromLatin1(name), QString::fromStdString(family));
    }
    return true;
  }();
  (void)done;
}

namespace {

QTextCharFormat FormatAt(const QTextDocument& Document, int Position) {
  const QTextBlock block = Document.findBlock(Position);
  for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment f = it.fragment();
    if (Position >= f.position() && Position < f.position() + f.length()) return f.charFormat();
  }
  return block.charFormat();
}

bool IsProtected(const QTextCharFormat& Format) {
  return Format.boolProperty(kRichProtectedProperty);
}

}  // namespace

bool RangeProtected(const QTextDocument& Document, int Start, int End) {
  const int length = Document.characterCount() - 1;
  Start = std::clamp(Start, 0, length);
  End = std::clamp(End, Start, length);
  if (Start == End) {
    // Inserted text takes the format of the character before it in its paragraph, or of the
    // one after it at a paragraph's start.
    const QTextBlock block = Document.findBlock(Start);
    const int at = Start > block.position() ? Start - 1 : Start;
    return IsProtected(FormatAt(Document, at));
  }
  for (QTextBlock b = Document.findBlock(Start); b.isValid() && b.position() < End; b = b.next()) {
    for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      if (f.position() + f.length() <= Start || f.position() >= End) continue;
      if (IsProtected(f.charFormat())) return true;
    }
  }
  return false;
}

TClipboardKind ClipboardKindOf(const QString& MimeType) {
  if (MimeType == QLatin1String("text/plain") || MimeType.startsWith(QLatin1String("text/plain;")))
    return ckText;
  if (MimeType == QLatin1String("text/rtf") || MimeType == QLatin1String("application/rtf") ||
      MimeType == QLatin1String("text/richtext"))
    return ckRichText;
  if (MimeType == QLatin1String("text/html")) return ckHtml;
  if (MimeType.contains(QLatin1String("wmf")) || MimeType.contains(QLatin1String("emf"))) return ckMetafile;
  if (MimeType.startsWith(QLatin1String("image/")) || MimeType == QLatin1String("application/x-qt-image"))
    return ckBitmap;
  return ckOther;
}

bool HasRtf(const QMimeData& Data) {
  return Data.hasFormat(QStringLiteral("text/rtf")) || Data.hasFormat(QStringLiteral("application/rtf"));
}

std::string RtfOf(const QMimeData& Data) {
  const QString format = Data.hasFormat(QStringLiteral("text/rtf")) ? QStringLiteral("text/rtf")
                                                                    : QStringLiteral("application/rtf");
  return Data.data(format).toStdString();
}
