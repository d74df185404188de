// One Percent change of the main window's score bar (601 x 28 on a real window, the
// synchronous repaint included) beside a plain fill of the same rectangle: repainted the
// same way by a control that only fills, and filled on an offscreen bitmap. The ratios
// are printed at the end.
//
//   QT_QPA_PLATFORM=offscreen build/bin/progress_bar_bench --benchmark_repetitions=5

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <string>

#include "gui/forms/form.h"
#include "gui/gui_module.h"
#include "ratio_reporter.h"
#include "widgets/progress_bar.h"

namespace {

// An opaque control that fills its rectangle and nothing else.
class TFillSwatch : public TGraphicControl {
 public:
  explicit TFillSwatch(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
  }
  TColor Fill = clRed;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(ClientRect());
  }
};

struct TWindow {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TRzProgressBar* Bar = nullptr;
  TFillSwatch* Swatch = nullptr;

  TWindow() {
    Form->SetClientWidth(625);
    Form->SetClientHeight(440);
    Bar = new TRzProgressBar(Form.get());
    Bar->SetParent(Form.get());
    Bar->SetBounds(8, 325, 601, 28);
    Bar->SetBackColor(clRed);
    Bar->SetBarColor(clGreen);
    Bar->SetNumSegments(100);
    Bar->SetTotalParts(1700);
    Swatch = new TFillSwatch(Form.get());
    Swatch->SetParent(Form.get());
    Swatch->SetBounds(8, 370, 601, 28);
    Form->Show();
    for (int i = 0; i < 5; ++i)
      QApplication::processEvents();
  }
};

TWindow* Window = nullptr;

void BM_PercentChange(benchmark::State& State) {
  uint16_t percent = 0;
  for (auto _ : State) {
    percent = percent == 50 ? 51 : 50;
    Window->Bar->SetPercent(percent);
  }
  if (Window->Bar->PaintCount() < static_cast<int>(State.iterations())) State.SkipWithError("no repaint");
}
BENCHMARK(BM_PercentChange);

void BM_FillRectRepaint(benchmark::State& State) {
  for (auto _ : State) {
    Window->Swatch->Fill = Window->Swatch->Fill == clRed ? clGreen : clRed;
    Window->Swatch->Repaint();
  }
}
BENCHMARK(BM_FillRectRepaint);

void BM_FillRectBitmap(benchmark::State& State) {
  TBitmap bitmap(601, 28);
  TCanvas& canvas = *bitmap.Canvas();
  TColor fill = clRed;
  for (auto _ : State) {
    fill = fill == clRed ? clGreen : clRed;
    canvas.Brush()->SetColor(fill);
    canvas.FillRect(Rect(0, 0, 601, 28));
  }
}
BENCHMARK(BM_FillRectBitmap);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qtArgc = 1;
  TGuiModule gui(qtArgc, argv);
  benchmark::Initialize(&argc, argv);
  {
    TWindow window;
    Window = &window;
    // The Percent change against each baseline.
    TRatioReporter reporter(
        {{"BM_PercentChange", "BM_FillRectRepaint"}, {"BM_PercentChange", "BM_FillRectBitmap"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    Window = nullptr;
  }
  benchmark::Shutdown();
  return 0;
}
