#include "gui/forms/first_paint_probe.h"

#include <time.h>

#include <cstdio>
#include <cstdlib>

#include "gui/forms/application.h"

void NoteFormPainted(TCustomForm* Form) {
  static const bool wanted = std::getenv("BREVANT_REPORT_FIRST_PAINT") != nullptr;
  static bool reported = false;
  if (!wanted || reported || Application == nullptr || Form != Application->MainForm()) return;
  reported = true;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::printf("first-paint %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  std::fflush(stdout);
  Application->Terminate();
}
