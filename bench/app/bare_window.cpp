// The baseline of the start-up benchmark: a bare Qt program that shows one empty window
// and reports its first paint the way the game does (BREVANT_REPORT_FIRST_PAINT).

#include <time.h>

#include <QApplication>
#include <QWidget>
#include <cstdio>

namespace {

class TBareWindow : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    if (reported_) return;
    reported_ = true;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("first-paint %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fflush(stdout);
    QApplication::quit();
  }

 private:
  bool reported_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  TBareWindow window;
  window.setWindowTitle("Bare window");
  window.resize(617, 453);
  window.show();
  return QApplication::exec();
}
