#pragma once
// While it lives, Qt's desktop services hand every link of the given schemes to it instead
// of the desktop's handler; it keeps them (fully encoded) in the order they came.

#include <QObject>
#include <QString>
#include <QUrl>
#include <string>
#include <vector>

class TUrlCatcher : public QObject {
  Q_OBJECT
 public:
  explicit TUrlCatcher(const std::vector<QString>& Schemes);
  ~TUrlCatcher() override;
  std::vector<std::string> Opened;

 public slots:
  void Open(const QUrl& Url);

 private:
  std::vector<QString> Schemes_;
};
