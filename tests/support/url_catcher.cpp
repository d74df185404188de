#include "url_catcher.h"

#include <QDesktopServices>

TUrlCatcher::TUrlCatcher(const std::vector<QString>& Schemes) : Schemes_(Schemes) {
  for (const QString& scheme : Schemes_)
    QDesktopServices::setUrlHandler(scheme, this, "Open");
}

TUrlCatcher::~TUrlCatcher() {
  for (const QString& scheme : Schemes_)
    QDesktopServices::unsetUrlHandler(scheme);
}

void TUrlCatcher::Open(const QUrl& Url) {
  Opened.push_back(Url.toEncoded().toStdString());
}
