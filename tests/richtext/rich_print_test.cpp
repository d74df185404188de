// Printing a control's content to real PDF files, read back with the PDF tools: pages, margins
// measured from the paper's edges, clamping, the text itself, the job's title and copies.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <string>
#include <vector>

#include "gui/printing/printer.h"
#include "gui_test_support.h"
#include "rich_control_support.h"
#include "richtext/controls/print_area.h"
#include "richtext/controls/rich_memory_stream.h"
#include "richtext/controls/ww_rich_edit_strings.h"

namespace {

constexpr int kInch = 1440;

TEST(PrintTextArea, MarginsFromThePapersEdgesBecomeARectangleOfThePrintableArea) {
  // Letter paper with a quarter inch the device cannot print on all round.
  TPrintGeometry page{{12240, 15840}, {360, 360}, {11520, 15120}};
  EXPECT_EQ(PrintTextArea(page, kInch, kInch, kInch, kInch), Rect(1080, 1080, 10440, 14040));
  // A margin inside the unprintable border starts at the printable area's edge.
  EXPECT_EQ(PrintTextArea(page, 0, 100, -5000, 0), Rect(0, 0, 11520, 15120));
  // Margins beyond the printable area are clamped to it: nothing is left in between.
  const TRect wide = PrintTextArea(page, 20 * kInch, kInch, kInch, kInch);
  EXPECT_EQ(wide.Left, 11520);
  EXPECT_EQ(wide.Width(), 0);
  const TRect tall = PrintTextArea(page, kInch, 30 * kInch, kInch, kInch);
  EXPECT_EQ(tall.Top, 15120);
  EXPECT_EQ(tall.Height(), 0);
  EXPECT_EQ(PrintTextArea(page, 6 * kInch, kInch, 6 * kInch, kInch).Width(), 0)
      << "left and right margins cross";
  // Any number at all stays in range.
  const TRect extreme = PrintTextArea(page, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN);
  EXPECT_GE(extreme.Left, 0);
  EXPECT_LE(extreme.Bottom, 15120);
  EXPECT_LE(extreme.Top, extreme.Bottom);
  // A device with an uneven border.
  TPrintGeometry uneven{{12240, 15840}, {200, 300}, {11840, 15000}};
  EXPECT_EQ(PrintTextArea(uneven, kInch, kInch, kInch, kInch), Rect(1240, 1140, 10600, 14100));
  EXPECT_EQ(PrintTextArea(uneven, 0, 0, 0, 0), Rect(0, 0, 11840, 15000));
}

QString Tool(const QString& Program, const QStringList& Args) {
  QProcess p;
  p.start(Program, Args);
  if (!p.waitForFinished(60000) || p.exitCode() != 0) {
    ADD_FAILURE() << Program.toStdString() << " failed: " << p.readAllStandardError().toStdString();
    return {};
  }
  return QString::fromUtf8(p.readAllStandardOutput());
}

int PageCount(const std::string& Pdf) {
  const QRegularExpressionMatch m =
      QRegularExpression("Pages:\\s+(\\d+)").match(Tool("pdfinfo", {QString::fromStdString(Pdf)}));
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

struct TWordBox {
  double XMin, YMin, XMax, YMax;
  int Page;
};

struct TPdfText {
  double PageWidth = 0, PageHeight = 0;
  std::vector<TWordBox> Words;
};

TPdfText WordBoxes(const std::string& Pdf) {
  TPdfText text;
  int page = 0;
  const QString html = Tool("pdftotext", {"-bbox", QString::fromStdString(Pdf), "-"});
  const QRegularExpression pageLine("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\"");
  const QRegularExpression wordLine(
      "xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\"");
  for (const QString& line : html.split('\n')) {
    if (const QRegularExpressionMatch m = pageLine.match(line); m.hasMatch()) {
      ++page;
      text.PageWidth = m.captured(1).toDouble();
      text.PageHeight = m.captured(2).toDouble();
    } else if (const QRegularExpressionMatch w = wordLine.match(line); w.hasMatch()) {
      text.Words.push_back({w.captured(1).toDouble(), w.captured(2).toDouble(), w.captured(3).toDouble(),
                            w.captured(4).toDouble(), page});
    }
  }
  return text;
}

// Words separated by single blanks: how text reads whatever its line breaks.
std::string Normalised(const std::string& Text) {
  std::string out;
  bool blank = false;
  for (const char c : Text) {
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f') {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

// About two and a half letter pages of 12-point text inside one-inch margins: short numbered lines
// and a few long paragraphs that wrap at the right margin.
std::string ThreePageRtf() {
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Liberation Sans;}}\\f0\\fs24 ";
  for (int i = 1; i <= 100; ++i) {
    rtf += "Question " + std::to_string(i) + " of the quiz\\par ";
    if (i % 25 == 0) {
      rtf +=
          "A long paragraph that runs across the whole width of the page and on, so that it wraps at the "
          "right margin of the page and shows where that margin lies on the paper\\par ";
    }
  }
  return rtf + "}";
}

class RichPrint : public RichControlTest {
 protected:
  void SetUp() override {
    RichControlTest::SetUp();
    TPrinter& printer = *Printer();
    printer.SetPrintToFile(true);
    printer.SetPaperSize(kPaperLetter);
    printer.SetCopies(1);
  }
  void TearDown() override {
    Printer()->SetFileName("");
    Printer()->SetCopies(1);
    RichControlTest::TearDown();
  }
  TwwDBRichEdit* Control(const std::string& Rtf) {
    TwwDBRichEdit* edit = AddControl("Edit", "", true);
    TwwRichMemoryStream stream;
    stream.WriteString(Rtf);
    stream.SetPosition(0);
    edit->RichEditLines()->LoadContent(stream);
    return edit;
  }
  std::string Print(TwwDBRichEdit& Edit, const std::string& Name, const std::string& Caption = "Quiz") {
    const std::string file = folder_.File(Name);
    Printer()->SetFileName(file);
    Edit.PrintContent(Caption);
    return file;
  }
  // Every word lies Margin points or more inside each edge of the paper, and the text reaches the
  // left and top margins (within a point).
  static void ExpectInsideMargins(const TPdfText& Text, double Margin) {
    ASSERT_FALSE(Text.Words.empty());
    double left = 1e9, top = 1e9, right = 0, bottom = 0;
    for (const TWordBox& w : Text.Words) {
      left = std::min(left, w.XMin);
      top = std::min(top, w.YMin);
      right = std::max(right, w.XMax);
      bottom = std::max(bottom, w.YMax);
    }
    EXPECT_NEAR(left, Margin, 1.0);
    EXPECT_GE(top, Margin - 1.0);
    EXPECT_LE(top, Margin + 3.0);
    EXPECT_LE(right, Text.PageWidth - Margin + 1.0);
    EXPECT_GT(right, Text.PageWidth - Margin - 40.0) << "the long paragraphs wrap near the right margin";
    EXPECT_LE(bottom, Text.PageHeight - Margin + 1.0);
  }

  TTempFolder folder_;
};

TEST_F(RichPrint, ThreePagesInsideOneInchMarginsHoldingTheControlsText) {
  TwwDBRichEdit* edit = Control(ThreePageRtf());
  const std::string pdf = Print(*edit, "inches.pdf", "Quiz questions");
  EXPECT_EQ(PageCount(pdf), 3);
  const TPdfText text = WordBoxes(pdf);
  EXPECT_NEAR(text.PageWidth, 612, 0.5);
  EXPECT_NEAR(text.PageHeight, 792, 0.5);
  ExpectInsideMargins(text, 72);
  EXPECT_EQ(text.Words.back().Page, 3);
  // Nothing cut, nothing twice: the words in order are the control's.
  EXPECT_EQ(Normalised(Tool("pdftotext", {QString::fromStdString(pdf), "-"}).toStdString()),
            Normalised(edit->Text()));
  EXPECT_NE(Tool("pdfinfo", {QString::fromStdString(pdf)})
                .indexOf(QRegularExpression("Title:\\s+Quiz questions\\n")),
            -1);
}

TEST_F(RichPrint, CentimetresOfTheirOwnLengthGiveTheSameInch) {
  TwwDBRichEdit* edit = Control(ThreePageRtf());
  edit->SetMeasurementUnits(muCentimeters);
  for (auto set : {&TwwPrintMargins::SetLeft, &TwwPrintMargins::SetTop, &TwwPrintMargins::SetRight,
                   &TwwPrintMargins::SetBottom})
    (edit->PrintMargins()->*set)(2.537);
  const std::string pdf = Print(*edit, "centimetres.pdf");
  EXPECT_EQ(PageCount(pdf), 3);
  ExpectInsideMargins(WordBoxes(pdf), 72);
}

TEST_F(RichPrint, WiderMarginsMoveTheTextAndMakeMorePages) {
  TwwDBRichEdit* edit = Control(ThreePageRtf());
  edit->PrintMargins()->SetLeft(2.0);
  edit->PrintMargins()->SetTop(1.5);
  edit->PrintMargins()->SetBottom(3.0);
  const std::string pdf = Print(*edit, "wide.pdf");
  EXPECT_GT(PageCount(pdf), 3);
  const TPdfText text = WordBoxes(pdf);
  double left = 1e9, top = 1e9, bottom = 0;
  for (const TWordBox& w : text.Words) {
    left = std::min(left, w.XMin);
    top = std::min(top, w.YMin);
    bottom = std::max(bottom, w.YMax);
  }
  EXPECT_NEAR(left, 144, 1.0);
  EXPECT_NEAR(top, 108, 3.0);
  EXPECT_LE(bottom, 792 - 216 + 1.0);
}

TEST_F(RichPrint, MarginsOutsideThePrintableAreaAreClamped) {
  TwwDBRichEdit* edit = Control(ThreePageRtf());
  // No margin at all: the text starts where the device can print, not off the paper.
  for (auto set : {&TwwPrintMargins::SetLeft, &TwwPrintMargins::SetTop, &TwwPrintMargins::SetRight,
                   &TwwPrintMargins::SetBottom})
    (edit->PrintMargins()->*set)(-3.0);
  const std::string pdf = Print(*edit, "clamped.pdf");
  TPrinter& printer = *Printer();
  const double offset = printer.PrintingOffset().X * 72.0 / printer.PixelsPerInchX();
  const TPdfText text = WordBoxes(pdf);
  ASSERT_FALSE(text.Words.empty());
  for (const TWordBox& w : text.Words) {
    EXPECT_GE(w.XMin, offset - 1.0);
    EXPECT_GE(w.YMin, offset - 1.0);
    EXPECT_LE(w.XMax, text.PageWidth - offset + 1.0);
    EXPECT_LE(w.YMax, text.PageHeight - offset + 1.0);
  }
  // A margin wider than the printable area leaves no room: a clear error, and no file.
  edit->PrintMargins()->SetLeft(1.0);
  edit->PrintMargins()->SetTop(40.0);
  try {
    Print(*edit, "none.pdf");
    FAIL() << "printed with no room";
  } catch (const EPrinter& e) {
    EXPECT_EQ(e.Message(), "The page margins leave no room to print on");
  }
  EXPECT_FALSE(QFile::exists(QString::fromStdString(folder_.File("none.pdf"))));
  EXPECT_FALSE(printer.Printing());
}

TEST_F(RichPrint, CopiesRepeatThePagesAndTheWidthModePrintsOnItsPaper) {
  TwwDBRichEdit* edit = Control(ThreePageRtf());
  Printer()->SetCopies(2);
  const std::string pdf = Print(*edit, "copies.pdf");
  EXPECT_EQ(PageCount(pdf), 6);
  const std::string text = Tool("pdftotext", {QString::fromStdString(pdf), "-"}).toStdString();
  EXPECT_EQ(Normalised(text), Normalised(edit->Text()) + " " + Normalised(edit->Text()));
  Printer()->SetCopies(1);
  edit->SetPaperSize(kPaperA4);
  edit->SetEditWidth(rewPrinterSize);
  const TPdfText a4 = WordBoxes(Print(*edit, "a4.pdf"));
  EXPECT_NEAR(a4.PageWidth, 595, 1);
  EXPECT_NEAR(a4.PageHeight, 842, 1);
  EXPECT_EQ(Printer()->PaperSize(), kPaperA4);
  Printer()->SetPaperSize(kPaperLetter);
}

TEST_F(RichPrint, AnEmptyControlPrintsOneBlankPageAndPicturesPrint) {
  TwwDBRichEdit* edit = Control("{\\rtf1 }");
  EXPECT_EQ(PageCount(Print(*edit, "empty.pdf")), 1);
  // A picture taller than a page gets a page of its own, and the text after it follows.
  TwwRichMemoryStream stream;
  stream.WriteString(
      "{\\rtf1 before\\par{\\pict\\pngblip\\picw10\\pich10\\picwgoal7200\\pichgoal20000 00}\\par after}");
  stream.SetPosition(0);
  edit->RichEditLines()->LoadContent(stream);
  const std::string pdf = Print(*edit, "picture.pdf");
  EXPECT_EQ(PageCount(pdf), 3);
  EXPECT_EQ(Normalised(Tool("pdftotext", {QString::fromStdString(pdf), "-"}).toStdString()), "before after");
}

}  // namespace
