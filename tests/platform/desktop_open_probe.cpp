// Opens each link of its command line with the desktop's handler, as the rich text controls
// do; the exit code counts the links that were refused.

#include <QGuiApplication>

#include "platform/desktop/desktop_open.h"

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  int refused = 0;
  for (int i = 1; i < argc; ++i)
    refused += OpenLinkWithDesktop(argv[i]) ? 0 : 1;
  return refused == 1 ? 0 : 1;  // the probe is given exactly one link to refuse
}
