// F2 on a read-only rich text control to its viewer window painted with the text and closed,
// beside a bare Qt dialog holding a QTextEdit with the same text, shown, painted and closed, in
// the same run. The ratio is printed at the end.
//
//   QT_QPA_PLATFORM=offscreen build/bin/viewer_bench --benchmark_repetitions=5

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTextEdit>
#include <QVBoxLayout>
#include <cstdlib>
#include <string>

#include "core/streams.h"
#include "data/register.h"
#include "gui/forms/application.h"
#include "gui/forms/form.h"
#include "gui/gui_module.h"
#include "ratio_reporter.h"
#include "richtext/controls/db_rich_edit.h"
#include "richtext/controls/register.h"
#include "richtext/controls/ww_rich_edit_strings.h"
#include "richtext/edit/rich_edit_box.h"
#include "richtext/editor/rich_edit_form.h"

namespace {

// A question as the game stores it: a font table, a bold phrase, four choices.
const char* const kQuestion =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss MS Sans Serif;}{\\f1\\froman Times New Roman;}}"
    "{\\colortbl;\\red0\\green0\\blue128;}\\pard\\plain\\f0\\fs20 Which network first aired "
    "{\\b I Love Lucy} in 1951, on Monday nights, to the largest audience of its day?\\par"
    "\\pard\\li360 A. NBC\\par B. CBS\\par C. ABC\\par D. DuMont\\par"
    "\\pard\\f1\\fs24\\cf1 Think of the network with the eye.\\par}";

TForm* Host = nullptr;
TwwDBRichEdit* Control = nullptr;

void Settle() {
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_ViewerByF2(benchmark::State& State) {
  // Once the window has shown: paint it with its text, then close it.
  Control->OnInitDialog = [](TObject*, TForm* Form) {
    Application->QueueCall([Form]() {
      Form->Widget()->repaint();
      Form->SetModalResult(mrCancel);
    });
  };
  for (auto _ : State) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(Control->EditBox(), &press);
    Settle();
  }
  Control->OnInitDialog = nullptr;
}
BENCHMARK(BM_ViewerByF2)->Unit(benchmark::kMillisecond);

// The part of the F2 path that reads the window's stored layout and frees it again.
void BM_EditorLayoutOnly(benchmark::State& State) {
  for (auto _ : State) {
    delete NewForm<TwwRichEditForm>(Application);
    Settle();
  }
}
BENCHMARK(BM_EditorLayoutOnly)->Unit(benchmark::kMillisecond);

void BM_BareTextDialog(benchmark::State& State) {
  const QString html = Control->EditBox()->document()->toHtml();
  for (auto _ : State) {
    auto* d = new QDialog(Host->Widget());
    d->setWindowTitle("Edit Rich Text");
    d->resize(610, 455);
    auto* text = new QTextEdit(d);
    text->setReadOnly(true);
    text->setHtml(html);
    auto* layout = new QVBoxLayout(d);
    layout->addWidget(text);
    d->show();
    d->repaint();
    d->close();
    d->deleteLater();
    Settle();
  }
}
BENCHMARK(BM_BareTextDialog)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qtArgc = 1;
  TGuiModule gui(qtArgc, argv);
  benchmark::Initialize(&argc, argv);
  RegisterDataClasses();
  RegisterRichTextClasses();
  {
    TForm form(nullptr);
    form.SetBounds(0, 0, 625, 480);
    Control = new TwwDBRichEdit(&form);
    Control->SetParent(&form);
    Control->SetBounds(8, 8, 601, 145);
    TMemoryStream stream;
    stream.Write(kQuestion, static_cast<int64_t>(std::char_traits<char>::length(kQuestion)));
    stream.SetPosition(0);
    Control->RichEditLines()->LoadContent(stream);
    Control->SetReadOnly(true);
    form.Show();
    Settle();
    Control->SetFocus();
    Settle();
    Host = &form;
    TRatioReporter reporter(
        std::vector<std::pair<std::string, std::string>>{{"BM_ViewerByF2", "BM_BareTextDialog"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    Host = nullptr;
    Control = nullptr;
  }
  benchmark::Shutdown();
  return 0;
}
