// The rich text control's commands on large content, each beside a baseline in the same run:
//
//   build/bin/rich_commands_bench
//
// FindNext/1MB: Find Next over a 1 MB text whose only match is at its end, against a plain
// search of the same bytes (ByteSearch/1MB). Print/100pages: printing about 100 pages to a PDF
// file with one-inch margins, against Qt printing the same document with its own pagination and
// two-centimetre margins (QtPrint/100pages); pages counts what each wrote, pages_per_second how
// many a second each makes.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <memory>
#include <string>

#include "gui/dialogs/find_dialog.h"
#include "gui/forms/form.h"
#include "gui/gui_module.h"
#include "gui/printing/printer.h"
#include "richtext/controls/db_rich_edit.h"
#include "richtext/controls/rich_memory_stream.h"
#include "richtext/controls/ww_rich_edit_strings.h"
#include "richtext/edit/rich_edit_box.h"

namespace {

// Paragraphs of ordinary words, Bytes long, the word "needle" only at the very end.
std::string PlainText(size_t Bytes) {
  static const char* const kWords[] = {"quiz", "question", "answer", "television", "classic", "score",
                                       "hint", "category", "player", "points",     "right",   "wrong"};
  std::string text;
  text.reserve(Bytes + 64);
  for (size_t i = 0; text.size() < Bytes; ++i) {
    text += kWords[(i * 7 + i / 13) % 12];
    text += (i % 14 == 13) ? "\n" : " ";
  }
  return text + " needle";
}

// Twelve-point text for about Pages letter pages inside one-inch margins.
std::string PagesRtf(int Pages) {
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Liberation Sans;}}\\f0\\fs24 ";
  for (int i = 0; i < Pages * 46; ++i)
    rtf += "Line " + std::to_string(i) + " of the printed quiz, with a few words more on it\\par ";
  return rtf + "}";
}

// The pages of a PDF file, as pdfinfo counts them.
int PdfPages(const QString& File) {
  QProcess info;
  info.start("pdfinfo", {File});
  info.waitForFinished(60000);
  const QRegularExpressionMatch m =
      QRegularExpression("Pages:\\s+(\\d+)").match(QString::fromUtf8(info.readAllStandardOutput()));
  return m.hasMatch() ? m.captured(1).toInt() : 0;
}

struct TFixture {
  TFixture() : Form(new TForm(nullptr)), Edit(new TwwDBRichEdit(Form.get())) {
    Edit->SetParent(Form.get());
    Edit->SetBounds(0, 0, 600, 400);
  }
  void Load(const std::string& Rtf) {
    TwwRichMemoryStream stream;
    stream.WriteString(Rtf);
    stream.SetPosition(0);
    Edit->RichEditLines()->LoadContent(stream);
  }
  std::unique_ptr<TForm> Form;
  TwwDBRichEdit* Edit;
};

void FindNext(benchmark::State& State) {
  TFixture f;
  f.Edit->SetText(PlainText(1 << 20));
  f.Edit->FindDialog()->SetFindText("needle");
  const int expected = f.Edit->GetTextLen() - 6;
  for (auto _ : State) {
    f.Edit->SetSelStart(0);
    f.Edit->FindNextMatch();
    if (f.Edit->SelStart() != expected) State.SkipWithError("the match was not found");
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) * (1 << 20));
}
BENCHMARK(FindNext)->Name("FindNext/1MB")->Unit(benchmark::kMillisecond);

void ByteSearch(benchmark::State& State) {
  const std::string text = PlainText(1 << 20);
  for (auto _ : State) {
    size_t at = text.find("needle", 1);
    benchmark::DoNotOptimize(at);
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) * (1 << 20));
}
BENCHMARK(ByteSearch)->Name("ByteSearch/1MB")->Unit(benchmark::kMillisecond);

void Print(benchmark::State& State) {
  TFixture f;
  f.Load(PagesRtf(100));
  QTemporaryDir dir;
  TPrinter& printer = *Printer();
  printer.SetPrintToFile(true);
  printer.SetPaperSize(kPaperLetter);
  printer.SetFileName((dir.path() + "/bench.pdf").toStdString());
  for (auto _ : State)
    f.Edit->PrintContent("bench");
  const int pages = PdfPages(dir.path() + "/bench.pdf");
  State.counters["pages"] = pages;
  State.counters["pages_per_second"] =
      benchmark::Counter(static_cast<double>(pages) * State.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(Print)->Name("Print/100pages")->Unit(benchmark::kMillisecond)->Iterations(3);

void QtPrint(benchmark::State& State) {
  TFixture f;
  f.Load(PagesRtf(100));
  QTemporaryDir dir;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.path() + "/qt.pdf");
  printer.setPageSize(QPageSize(QPageSize::Letter));
  for (auto _ : State)
    f.Edit->EditBox()->document()->print(&printer);
  const int pages = PdfPages(dir.path() + "/qt.pdf");
  State.counters["pages"] = pages;
  State.counters["pages_per_second"] =
      benchmark::Counter(static_cast<double>(pages) * State.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(QtPrint)->Name("QtPrint/100pages")->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  TGuiModule gui(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
