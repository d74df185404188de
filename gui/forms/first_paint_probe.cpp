#include "gui/forms/first_paint_probe.h"

#include <time.h>

#include <cstdio>
#include <cstdlib>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include "gui/forms/application.h"

namespace {

long long MonotonicNow() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Watches every event of the program: a release arms it, each paint after it notes when it
// ended (a zero timer runs once the paint is done), and the next idle moment reports.
class TClickPaintProbe : public QObject {
 public:
  TClickPaintProbe() {
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                     [this]() { Idle(); });
  }

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() == QEvent::MouseButtonRelease) {
      Released_ = MonotonicNow();
      LastPaintEnd_ = 0;
    } else if (Event->type() == QEvent::Paint && Released_ != 0) {
      QTimer::singleShot(0, this, [this]() { LastPaintEnd_ = MonotonicNow(); });
    }
    return QObject::eventFilter(Watched, Event);
  }

 private:
  void Idle() {
    if (Released_ == 0 || LastPaintEnd_ == 0) return;
    std::printf("click-painted %lld\n", LastPaintEnd_ - Released_);
    std::fflush(stdout);
    Released_ = 0;
  }

  long long Released_ = 0;
  long long LastPaintEnd_ = 0;
};

void InstallClickPaintProbe() {
  static const bool wanted = std::getenv("BREVANT_REPORT_CLICK_PAINT") != nullptr;
  static TClickPaintProbe* probe = nullptr;
  if (!wanted || probe != nullptr) return;
  probe = new TClickPaintProbe;
  probe->setParent(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(probe);
}

}  // namespace

void NoteStartupStage(const char* Name) {
  static const bool wanted = std::getenv("BREVANT_REPORT_STARTUP") != nullptr;
  if (!wanted) return;
  std::printf("stage %s %lld\n", Name, MonotonicNow());
  std::fflush(stdout);
}

void NoteFormPainted(TCustomForm* Form) {
  InstallClickPaintProbe();
  static const bool wanted = std::getenv("BREVANT_REPORT_FIRST_PAINT") != nullptr;
  static bool reported = false;
  if (!wanted || reported || Application == nullptr || Form != Application->MainForm()) return;
  reported = true;
  std::printf("first-paint %lld\n", MonotonicNow());
  std::fflush(stdout);
  Application->Terminate();
}
