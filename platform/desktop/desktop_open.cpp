#include "platform/desktop/desktop_open.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QUrl>

namespace {

Q_LOGGING_CATEGORY(LinkLog, "brevant.desktop")

bool AllowedScheme(const QString& Scheme) {
  return Scheme == QLatin1String("http") || Scheme == QLatin1String("https") ||
         Scheme == QLatin1String("mailto") || Scheme == QLatin1String("ftp");
}

// Characters that mean something to a shell and that a valid address may still carry unencoded.
// The ampersand and the equals sign stay (a query needs them), and so do the brackets of a
// numeric host; no shell sees the link anyway.
bool ShellSensitive(char C) {
  switch (C) {
    case '$':
    case '`':
    case '\'':
    case '"':
    case '(':
    case ')':
    case ';':
    case '|':
    case '<':
    case '>':
    case '\\':
    case '!':
    case '*':
    case '{':
    case '}':
    case '^':
    case ' ':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string OpenableLink(const std::string& Link) {
  const QString text = QString::fromUtf8(Link.data(), static_cast<qsizetype>(Link.size())).trimmed();
  for (const QChar c : text) {
    if (c.category() == QChar::Other_Control) {
      qCWarning(LinkLog, "link refused: it holds control characters");
      return {};
    }
  }
  // Tolerant: text in a document may carry characters an address should have encoded.
  QUrl url(text, QUrl::TolerantMode);
  // A bare host ("www.example.org") is a web address, as a browser reads it.
  if (url.isValid() && url.scheme().isEmpty() && text.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
    url = QUrl(QStringLiteral("http://") + text, QUrl::TolerantMode);
  const QString scheme = url.scheme().toLower();
  if (!url.isValid() || !AllowedScheme(scheme)) {
    qCWarning(LinkLog, "link refused (only http, https, mailto and ftp are opened): %s", qPrintable(text));
    return {};
  }
  if (scheme != QLatin1String("mailto") && url.host().isEmpty()) {
    qCWarning(LinkLog, "link refused (no host): %s", qPrintable(text));
    return {};
  }
  const QByteArray encoded = url.toEncoded(QUrl::FullyEncoded);
  std::string out;
  out.reserve(static_cast<size_t>(encoded.size()));
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : encoded) {
    if (ShellSensitive(c)) {
      out += '%';
      out += kHex[(static_cast<unsigned char>(c) >> 4) & 15];
      out += kHex[static_cast<unsigned char>(c) & 15];
    } else {
      out += c;
    }
  }
  return out;
}

bool OpenLinkWithDesktop(const std::string& Link) {
  const std::string link = OpenableLink(Link);
  if (link.empty()) return false;
  const QUrl url = QUrl::fromEncoded(QByteArray::fromStdString(link), QUrl::StrictMode);
  if (QDesktopServices::openUrl(url)) return true;
  qCWarning(LinkLog, "no handler opened %s", link.c_str());
  return false;
}

bool OpenFileWithDesktop(const std::string& Path) {
  const QFileInfo file(QString::fromStdString(Path));
  if (!file.isFile()) {
    qCWarning(LinkLog, "no such file to open: %s", Path.c_str());
    return false;
  }
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()))) return true;
  qCWarning(LinkLog, "no handler opened %s", Path.c_str());
  return false;
}
