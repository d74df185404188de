// The printer writing real PDF files, read back with the PDF tools: a frame drawn from the
// printing offset lands one inch from each paper edge, the same page printed twice reads
// the same, a job with no printer says where its file went, and every misuse is an error.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <memory>
#include <string>

#include "gui/graphics/canvas.h"
#include "gui/printing/printer.h"
#include "gui_test_support.h"

namespace {

// Output of a PDF tool run on a file, or a failure naming what went wrong.
QByteArray RunTool(const QString& Program, const QStringList& Args) {
  QProcess p;
  p.start(Program, Args);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) {
    ADD_FAILURE() << Program.toStdString() << " failed: " << p.readAllStandardError().toStdString();
    return {};
  }
  return p.readAllStandardOutput();
}

// A grey image rendered from the first page of a PDF at Dpi dots per inch.
struct TGreyPage {
  int Width = 0;
  int Height = 0;
  QByteArray Pixels;
  bool Dark(int X, int Y) const { return static_cast<unsigned char>(Pixels[Y * Width + X]) < 128; }
};

TGreyPage Render(const std::string& Pdf, int Dpi) {
  const QByteArray pgm = RunTool(
      "pdftoppm", {"-r", QString::number(Dpi), "-gray", "-f", "1", "-l", "1", QString::fromStdString(Pdf)});
  TGreyPage page;
  // "P5\n<width> <height>\n255\n" then one byte per pixel.
  const QRegularExpression header("^P5\\s+(\\d+)\\s+(\\d+)\\s+255\\s");
  const QRegularExpressionMatch m = header.match(QString::fromLatin1(pgm.left(40)));
  if (!m.hasMatch()) {
    ADD_FAILURE() << "no grey image from " << Pdf;
    return page;
  }
  page.Width = m.captured(1).toInt();
  page.Height = m.captured(2).toInt();
  page.Pixels = pgm.mid(m.capturedLength());
  EXPECT_EQ(page.Pixels.size(), page.Width * page.Height);
  return page;
}

// The word boxes pdftotext finds (their lines of the bounding box output).
std::string WordBoxes(const std::string& Pdf) {
  const QByteArray html = RunTool("pdftotext", {"-bbox", QString::fromStdString(Pdf), "-"});
  std::string words;
  for (const QByteArray& line : html.split('\n'))
    if (line.trimmed().startsWith("<word")) words += line.trimmed().toStdString() + "\n";
  return words;
}

// Prints one letter-size page: a frame whose outer edge is one inch from each edge of the
// paper, measured from the printing offset, and a word inside its top-left corner.
void PrintFramePage(TPrinter& Printer, const std::string& File) {
  Printer.SetFileName(File);
  Printer.SetPrintToFile(true);
  Printer.SetPaperSize(kPaperLetter);
  Printer.SetTitle("Frame");
  Printer.BeginDoc();
  TCanvas& c = *Printer.Canvas();
  const int dpi = Printer.PixelsPerInchX();
  const TPoint offset = Printer.PrintingOffset();
  const TSize paper = Printer.PhysicalPageSize();
  const int left = dpi - offset.X, top = dpi - offset.Y;
  const int right = paper.cx - dpi - offset.X, bottom = paper.cy - dpi - offset.Y;
  const int t = dpi / 50;  // a line a fiftieth of an inch wide, inside the frame
  c.Brush()->SetColor(clBlack);
  c.FillRect(Rect(left, top, right, top + t));
  c.FillRect(Rect(left, bottom - t, right, bottom));
  c.FillRect(Rect(left, top, left + t, bottom));
  c.FillRect(Rect(right - t, top, right, bottom));
  c.Brush()->SetStyle(bsClear);
  c.Font()->SetName("Liberation Sans");
  c.Font()->SetHeight(-12 * Printer.PixelsPerInchY() / 72);
  c.Font()->SetColor(clBlack);
  c.TextOut(left + 4 * t, top + 4 * t, "Brevant");
  Printer.EndDoc();
}

TEST(Printer, AFrameDrawnFromThePrintingOffsetLandsOneInchFromEachPaperEdge) {
  TTempFolder folder;
  TPrinter printer;
  PrintFramePage(printer, folder.File("frame.pdf"));
  EXPECT_EQ(printer.OutputFile(), folder.File("frame.pdf"));
  EXPECT_GT(printer.PrintingOffset().X, 0) << "the PDF writer keeps an unprintable margin too";

  const TGreyPage page = Render(printer.OutputFile(), 100);  // 100 dots: one inch is 100 pixels
  ASSERT_EQ(page.Width, 850);
  ASSERT_EQ(page.Height, 1100);
  auto firstDark = [&](int From, int To, int Step, auto Dark) {
    for (int i = From; i != To; i += Step)
      if (Dark(i)) return i;
    return -1;
  };
  const int y = page.Height / 2, x = page.Width / 2;
  EXPECT_NEAR(firstDark(0, page.Width, 1, [&](int i) { return page.Dark(i, y); }), 100, 1);
  EXPECT_NEAR(firstDark(page.Width - 1, -1, -1, [&](int i) { return page.Dark(i, y); }), 749, 1);
  EXPECT_NEAR(firstDark(0, page.Height, 1, [&](int i) { return page.Dark(x, i); }), 100, 1);
  EXPECT_NEAR(firstDark(page.Height - 1, -1, -1, [&](int i) { return page.Dark(x, i); }), 999, 1);

  // The word sits inside the frame's corner: a little more than 72 points from the edges.
  const std::string words = WordBoxes(printer.OutputFile());
  const QRegularExpression box("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>Brevant<");
  const QRegularExpressionMatch m = box.match(QString::fromStdString(words));
  ASSERT_TRUE(m.hasMatch()) << words;
  EXPECT_GT(m.captured(1).toDouble(), 72.0);
  EXPECT_LT(m.captured(1).toDouble(), 80.0);
  EXPECT_GT(m.captured(2).toDouble(), 72.0);
  EXPECT_LT(m.captured(2).toDouble(), 90.0);
}

TEST(Printer, TheSamePagePrintedTwiceReadsTheSame) {
  TTempFolder folder;
  TPrinter printer;
  PrintFramePage(printer, folder.File("first.pdf"));
  PrintFramePage(printer, folder.File("second.pdf"));
  const TGreyPage first = Render(folder.File("first.pdf"), 72);
  const TGreyPage second = Render(folder.File("second.pdf"), 72);
  ASSERT_FALSE(first.Pixels.isEmpty());
  EXPECT_TRUE(first.Pixels == second.Pixels);
  const std::string words = WordBoxes(folder.File("first.pdf"));
  EXPECT_NE(words.find("Brevant"), std::string::npos);
  EXPECT_EQ(words, WordBoxes(folder.File("second.pdf")));
}

TEST(Printer, WithoutAPrinterOrAFileNameTheJobGoesToANewPdfInTheTemporaryFolder) {
  TTempFolder folder;
  const QByteArray savedTmp = qgetenv("TMPDIR");
  qputenv("TMPDIR", QByteArray::fromStdString(folder.Path()));
  TPrinter printer;
  if (printer.PrinterIndex() >= 0) printer.SetPrintToFile(true);  // a machine with a printer
  printer.SetTitle("Quiz answers");
  printer.BeginDoc();
  EXPECT_TRUE(printer.Printing());
  EXPECT_EQ(printer.PageNumber(), 1);
  printer.NewPage();
  EXPECT_EQ(printer.PageNumber(), 2);
  printer.EndDoc();
  EXPECT_FALSE(printer.Printing());
  EXPECT_EQ(printer.OutputFile(), folder.File("Quiz_answers.pdf"));
  const QByteArray info = RunTool("pdfinfo", {QString::fromStdString(printer.OutputFile())});
  const QString details = QString::fromUtf8(info);
  EXPECT_TRUE(details.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
  EXPECT_TRUE(details.contains(QRegularExpression("Title:\\s+Quiz answers\\n"))) << info.toStdString();
  printer.BeginDoc();  // the next job does not overwrite the last
  printer.EndDoc();
  EXPECT_EQ(printer.OutputFile(), folder.File("Quiz_answers-2.pdf"));
  // Aborting removes what was written.
  printer.BeginDoc();
  const std::string aborted = printer.OutputFile();
  printer.Abort();
  EXPECT_TRUE(printer.Aborted());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(aborted)));
  EXPECT_EQ(printer.OutputFile(), "");
  if (savedTmp.isNull()) {
    qunsetenv("TMPDIR");
  } else {
    qputenv("TMPDIR", savedTmp);
  }
}

TEST(Printer, APdfFileHoldsOneCopySoThePrintingLayerRepeatsThePages) {
  TTempFolder folder;
  TPrinter printer;
  printer.SetFileName(folder.File("copies.pdf"));
  printer.SetPrintToFile(true);
  printer.SetCopies(3);
  printer.BeginDoc();
  EXPECT_FALSE(printer.DeviceMakesCopies());
  printer.EndDoc();
  // The device was asked for three copies and still wrote one page.
  const QByteArray info = RunTool("pdfinfo", {QString::fromStdString(printer.OutputFile())});
  EXPECT_TRUE(QString::fromUtf8(info).contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
}

TEST(Printer, CallsOutOfTurnAndBadSettingsAreClearErrors) {
  TTempFolder folder;
  TPrinter printer;
  auto message = [](auto Fn) {
    try {
      Fn();
    } catch (const EPrinter& e) {
      return e.Message();
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([&]() { printer.NewPage(); }), "Printer is not currently printing");
  EXPECT_EQ(message([&]() { printer.EndDoc(); }), "Printer is not currently printing");
  EXPECT_EQ(message([&]() { printer.Abort(); }), "Printer is not currently printing");
  const int paper = printer.PaperSize();
  EXPECT_EQ(message([&]() { printer.SetPaperSize(999); }), "Paper size 999 is not known");
  EXPECT_EQ(message([&]() { printer.SetPaperSize(0); }), "Paper size 0 is not known");
  EXPECT_EQ(printer.PaperSize(), paper);
  EXPECT_EQ(message([&]() { printer.SetPrinterIndex(printer.Printers()->Count()); }),
            "Printer selected is not valid");
  // A file that cannot be written: the job does not start, and the next one can.
  printer.SetPrintToFile(true);
  printer.SetFileName(folder.File("no/such/folder/out.pdf"));
  EXPECT_EQ(message([&]() { printer.BeginDoc(); }),
            "Cannot print to " + folder.File("no/such/folder/out.pdf"));
  EXPECT_FALSE(printer.Printing());
  printer.SetFileName(folder.File("out.pdf"));
  printer.BeginDoc();
  EXPECT_EQ(message([&]() { printer.BeginDoc(); }), "Printing in progress");
  EXPECT_EQ(message([&]() { printer.SetPaperSize(kPaperA4); }), "Printing in progress");
  EXPECT_EQ(message([&]() { printer.SetOrientation(poLandscape); }), "Printing in progress");
  printer.EndDoc();
  EXPECT_TRUE(QFile::exists(QString::fromStdString(folder.File("out.pdf"))));
}

TEST(Printer, PaperSizesAndOrientationSetThePageGeometry) {
  TPrinter printer;
  const int dpi = printer.PixelsPerInchX();
  EXPECT_EQ(dpi, printer.PixelsPerInchY());
  printer.SetPaperSize(kPaperLetter);
  EXPECT_EQ(printer.PhysicalPageSize().cx, dpi * 17 / 2);
  EXPECT_EQ(printer.PhysicalPageSize().cy, dpi * 11);
  const TPoint offset = printer.PrintingOffset();
  EXPECT_LE(printer.PageWidth() + offset.X, printer.PhysicalPageSize().cx);
  EXPECT_LE(printer.PageHeight() + offset.Y, printer.PhysicalPageSize().cy);
  EXPECT_GT(printer.PageWidth(), printer.PhysicalPageSize().cx * 3 / 4);
  printer.SetOrientation(poLandscape);
  EXPECT_EQ(printer.PhysicalPageSize().cx, dpi * 11);
  EXPECT_EQ(printer.PhysicalPageSize().cy, dpi * 17 / 2);
  printer.SetOrientation(poPortrait);
  printer.SetPaperSize(kPaperA4);
  EXPECT_NEAR(printer.PhysicalPageSize().cx, dpi * 210 / 25.4, dpi / 100.0);  // A4 is whole points wide
  EXPECT_EQ(PaperSizeName(kPaperA4), "A4");
  EXPECT_EQ(PaperSizeInThousandths(kPaperLetter).cx, 8500);
  EXPECT_TRUE(IsKnownPaperSize(5));
  EXPECT_FALSE(IsKnownPaperSize(-3));
  EXPECT_THROW(PaperSizeName(1000), EPrinter);
}

}  // namespace
