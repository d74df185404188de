// Opening and closing the find dialog and the font dialog, each beside a bare Qt dialog of
// the same kind made the same way in the same run: a QDialog with the find dialog's
// widgets, shown and closed; Qt's font dialog run modally and cancelled. The ratios are
// printed at the end.
//
//   QT_QPA_PLATFORM=offscreen build/bin/dialog_bench --benchmark_repetitions=5

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdlib>
#include <memory>
#include <string>

#include "gui/dialogs/find_dialog.h"
#include "gui/dialogs/font_dialog.h"
#include "gui/forms/form.h"
#include "gui/gui_module.h"
#include "ratio_reporter.h"

namespace {

TForm* Owner = nullptr;

void Settle() {
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_FindDialog(benchmark::State& State) {
  TFindDialog dialog(Owner);
  dialog.SetFindText("needle");
  for (auto _ : State) {
    dialog.Execute();
    Settle();
    dialog.CloseDialog();
    Settle();
  }
}
BENCHMARK(BM_FindDialog)->Unit(benchmark::kMicrosecond);

// The find dialog's widgets in the find dialog's layout, without the component around them.
void BM_BareFindDialog(benchmark::State& State) {
  for (auto _ : State) {
    auto* d = new QDialog(Owner->Widget());
    d->setWindowTitle("Find");
    auto* fields = new QGridLayout;
    auto* label = new QLabel("Fi&nd what:", d);
    auto* edit = new QLineEdit("needle", d);
    label->setBuddy(edit);
    fields->addWidget(label, 0, 0);
    fields->addWidget(edit, 0, 1);
    auto* checks = new QVBoxLayout;
    checks->addWidget(new QCheckBox("Match &whole word only", d));
    checks->addWidget(new QCheckBox("Match &case", d));
    auto* direction = new QGroupBox("Direction", d);
    auto* directions = new QHBoxLayout(direction);
    directions->addWidget(new QRadioButton("&Up", direction));
    auto* down = new QRadioButton("&Down", direction);
    down->setChecked(true);
    directions->addWidget(down);
    auto* options = new QHBoxLayout;
    options->addLayout(checks);
    options->addWidget(direction);
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(options);
    auto* buttons = new QVBoxLayout;
    auto* next = new QPushButton("&Find Next", d);
    next->setDefault(true);
    buttons->addWidget(next);
    auto* cancel = new QPushButton("Cancel", d);
    QObject::connect(cancel, &QPushButton::clicked, d, &QDialog::reject);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(d);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    d->show();
    Settle();
    d->close();
    d->deleteLater();
    Settle();
  }
}
BENCHMARK(BM_BareFindDialog)->Unit(benchmark::kMicrosecond);

void BM_FontDialog(benchmark::State& State) {
  TFontDialog dialog(Owner);
  dialog.Font()->SetName("Liberation Sans");
  const TDialogObserver previous = SetDialogObserver([](TDialogView& View) { View.Press("Cancel"); });
  for (auto _ : State) {
    if (dialog.Execute()) State.SkipWithError("the dialog was not cancelled");
    Settle();
  }
  SetDialogObserver(previous);
}
BENCHMARK(BM_FontDialog)->Unit(benchmark::kMicrosecond);

void BM_BareFontDialog(benchmark::State& State) {
  for (auto _ : State) {
    QFontDialog d(QFont("Liberation Sans", 8), Owner->Widget());
    d.setOption(QFontDialog::DontUseNativeDialog);
    QTimer::singleShot(0, &d, &QDialog::reject);
    d.exec();
    Settle();
  }
}
BENCHMARK(BM_BareFontDialog)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qtArgc = 1;
  TGuiModule gui(qtArgc, argv);
  benchmark::Initialize(&argc, argv);
  {
    TForm form(nullptr);
    form.SetClientWidth(400);
    form.SetClientHeight(300);
    form.Show();
    Settle();
    Owner = &form;
    TRatioReporter reporter({{"BM_FindDialog", "BM_BareFindDialog"}, {"BM_FontDialog", "BM_BareFontDialog"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    Owner = nullptr;
  }
  benchmark::Shutdown();
  return 0;
}
