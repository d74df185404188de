// The rich text controls without a database: the line list and its streaming, the memory stream,
// formats through the attributes, keys and the mouse, window re-creation, margins.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPointer>
#include <QTest>

#include "core/exceptions.h"
#include "gui_test_support.h"
#include "rich_control_support.h"
#include "richtext/controls/rich_edit_strings.h"
#include "richtext/controls/rich_memory_stream.h"
#include "richtext/controls/ww_rich_edit_strings.h"
#include "richtext/edit/rich_edit_box.h"

namespace {

// Gives its bytes in pieces of a fixed size, as a slow source would.
class TPieceConversion : public TConversion {
 public:
  explicit TPieceConversion(int64_t Piece) : Piece_(Piece) {}
  int64_t ConvertReadStream(TStream& Stream, char* Buffer, int64_t Count) override {
    return Stream.Read(Buffer, std::min(Count, Piece_));
  }

 private:
  int64_t Piece_;
};

std::string PumpBytes(const std::string& Input, bool Normalise, int64_t Capacity, int64_t Piece = 1 << 20) {
  TStringStream stream(Input);
  TPieceConversion conversion(Piece);
  TStreamInPump pump(conversion, stream, Normalise, false);
  std::string out;
  std::vector<char> buffer(static_cast<size_t>(Capacity));
  for (;;) {
    const int64_t n = pump.Fill(buffer.data(), Capacity);
    EXPECT_LE(n, Capacity);
    if (n <= 0) break;
    out.append(buffer.data(), static_cast<size_t>(n));
  }
  return out;
}

TEST(StreamInPump, MakesEveryLineBreakCrLfAcrossChunkBoundaries) {
  EXPECT_EQ(PumpBytes("a\rb\nc\r\nd", true, 4096), "a\r\nb\r\nc\r\nd");
  // Chunks of one byte: every CR ends a chunk. Neither a lone CR nor a CR LF loses or doubles.
  EXPECT_EQ(PumpBytes("a\rb\r\nc\r", true, 4096, 1), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(PumpBytes("\r\r\n\n", true, 4096, 1), "\r\n\r\n\r\n");
  // The worst case (only line feeds) still fits the buffer.
  EXPECT_EQ(PumpBytes(std::string(5000, '\n'), true, 64).size(), 10000u);
  // RTF passes untouched: binary picture data keeps its bytes.
  const std::string binary = "{\\rtf1{\\pict\\bin4 \r\n\r\n}}";
  EXPECT_EQ(PumpBytes(binary, false, 4096, 3), binary);
}

TEST(RichMemoryStream, GrowsIn128KiBSteps) {
  TwwRichMemoryStream stream;
  EXPECT_EQ(stream.Capacity(), 0);
  stream.WriteString("x");
  EXPECT_EQ(stream.Capacity(), 0x20000);
  stream.WriteString(std::string(0x20000, 'y'));
  EXPECT_EQ(stream.Size(), 0x20001);
  EXPECT_EQ(stream.Capacity(), 0x40000);
  stream.SetSize(0x20000);
  EXPECT_EQ(stream.Capacity(), 0x20000);
  EXPECT_EQ(stream.View().substr(0, 2), "xy");
  stream.Clear();
  EXPECT_EQ(stream.Capacity(), 0);
  // A size whose rounding would overflow is refused plainly.
  try {
    stream.SetSize(INT64_MAX - 16);
    FAIL() << "no error";
  } catch (const EStreamError& e) {
    EXPECT_EQ(e.Message(), "Out of memory while expanding memory stream");
  }
  EXPECT_EQ(stream.Size(), 0);
}

TEST(MarginToTwips, ReadsInchesAndCentimetresOfTheirOwnLength) {
  EXPECT_EQ(MarginToTwips("1", muInches), 1440);
  EXPECT_EQ(MarginToTwips("1.5''", muInches), 2160);
  EXPECT_EQ(MarginToTwips("2.537 cm", muCentimeters), 1440);
  EXPECT_EQ(MarginToTwips("1cm", muCentimeters), 567);
  EXPECT_THROW(MarginToTwips("one", muInches), EConvertError);
  EXPECT_THROW(MarginToTwips(" cm", muCentimeters), EConvertError);
}

using RichControls = RichControlTest;

TEST_F(RichControls, LinesInsertPutDeleteAndClear) {
  TwwDBRichEdit* edit = AddControl("Edit", "", false);
  TStrings* lines = edit->Lines();
  EXPECT_EQ(lines->Count(), 1);  // an empty text still has its one empty line
  lines->Add("first");           // fills the empty last line
  EXPECT_EQ(edit->Text(), "first");
  lines->Add("third");
  lines->Insert(1, "second");
  EXPECT_EQ(LinesOf(*edit), "first|second|third");
  lines->Put(0, "1st");
  lines->Delete(2);
  EXPECT_EQ(LinesOf(*edit), "1st|second");
  EXPECT_EQ(lines->Text(), "1st\nsecond\n");
  lines->SetText("a\nb\n");
  EXPECT_EQ(LinesOf(*edit), "a|b");
  EXPECT_EQ(lines->Get(7), "");
  EXPECT_THROW(lines->Insert(9, "far"), EStringListError);
  lines->Clear();
  EXPECT_EQ(edit->Text(), "");
  // A line longer than the window's line buffer comes back cut to it.
  lines->SetText(std::string(5000, 'w'));
  EXPECT_EQ(lines->Get(0).size(), 4096u);
}

TEST_F(RichControls, AnInsertionThatDoesNotLandIsAnError) {
  TwwDBRichEdit* edit = AddControl("Edit", "", false);
  edit->Lines()->SetText("locked\nfree");
  edit->SetSelStart(0);
  edit->SetSelLength(6);
  edit->SelectionFormat()->SetProtected(true);
  try {
    edit->Lines()->Insert(0, "new");
    FAIL() << "no error";
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(e.Message(), "RichEdit line insertion error");
  }
  EXPECT_EQ(LinesOf(*edit), "locked|free");
  // Allowed by the protected-change event, it lands.
  std::vector<int> asked;
  edit->OnProtectChange = [&](TObject*, int Start, int, bool& Allow) {
    asked.push_back(Start);
    Allow = true;
  };
  edit->Lines()->Insert(1, "inserted");
  EXPECT_EQ(LinesOf(*edit), "locked|inserted|free");
}

TEST_F(RichControls, AttributesReadAndWriteTheSelectionAndTheDefault) {
  TwwDBRichEdit* edit = AddControl("Edit", "", false);
  EXPECT_EQ(edit->DefaultFormat()->Color(), clWindowText);  // automatic
  EXPECT_EQ(edit->DefaultFormat()->Name(), "MS Sans Serif");
  EXPECT_EQ(edit->DefaultFormat()->Size(), 8);
  // The font's changes reach the default format.
  edit->Font()->SetSize(12);
  edit->Font()->SetColor(clRed);
  EXPECT_EQ(edit->DefaultFormat()->Size(), 12);
  EXPECT_EQ(edit->DefaultFormat()->Color(), clRed);
  edit->SetText("some words");
  edit->SetSelStart(5);
  edit->SetSelLength(5);
  edit->SelectionFormat()->SetStyle({fsBold, fsUnderline});
  edit->SelectionFormat()->SetColor(clNavy);
  EXPECT_EQ(edit->SelectionFormat()->Style(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(edit->SelectionFormat()->Color(), clNavy);
  edit->SelectionFormat()->SetColor(clWindowText);
  EXPECT_EQ(edit->SelectionFormat()->Color(), clWindowText);
  TFont font;
  font.Assign(*edit->SelectionFormat());
  EXPECT_EQ(font.Size(), 12);
  EXPECT_TRUE(font.Style().Contains(fsBold));
}

TEST_F(RichControls, BulletsRaiseTheLeftIndentAndNoneClearsIt) {
  TwwDBRichEdit* edit = AddControl("Edit", "", false);
  edit->SetText("item");
  TParaAttributes* para = edit->ParagraphFormat();
  EXPECT_EQ(para->Numbering(), nsNone);
  para->SetNumbering(nsBullet);
  EXPECT_EQ(para->Numbering(), nsBullet);
  EXPECT_EQ(para->LeftIndent(), 10);
  para->SetLeftIndent(30);
  para->SetNumbering(nsBullet);
  EXPECT_EQ(para->LeftIndent(), 30);  // already enough
  para->SetNumbering(nsNone);
  EXPECT_EQ(para->LeftIndent(), 0);
  para->SetFirstIndent(18);
  para->SetRightIndent(9);
  para->SetTabCount(2);
  para->SetTab(0, 36);
  para->SetTab(1, 72);
  EXPECT_EQ(para->FirstIndent(), 18);
  EXPECT_EQ(para->RightIndent(), 9);
  EXPECT_EQ(para->TabCount(), 2);
  EXPECT_EQ(para->Tab(1), 72);
  para->SetAlignment(taRightJustify);
  EXPECT_EQ(para->Alignment(), taRightJustify);
}

TEST_F(RichControls, ARecreatedWindowKeepsTheFormattedContent) {
  TwwDBRichEdit* edit = AddControl("Edit", "", false);
  std::string rtf = "{\\rtf1 plain {\\b bold}}";
  TStringStream in(rtf);
  edit->RichEditLines()->LoadContent(in);
  QPointer<QWidget> before = edit->EditBox();
  edit->SetOleOptions({reoAdjustPopupMenu, reoDisableOLE});  // a change re-creates the window
  EXPECT_TRUE(before.isNull());
  EXPECT_EQ(edit->Text(), "plain bold");
  edit->SetSelStart(6);
  edit->SetSelLength(4);
  EXPECT_TRUE(edit->SelectionFormat()->Style().Contains(fsBold));
}

// Counts the editor windows it was asked for.
class TCountingRichEdit : public TwwDBRichEdit {
 public:
  using TwwDBRichEdit::TwwDBRichEdit;
  bool ExecuteEditor() override {
    ++Editors;
    return true;
  }
  int Editors = 0;
};

TEST_F(RichControls, F2AsksForTheEditorOnlyWithTheEditItem) {
  auto* edit = new TCountingRichEdit(Form.get());
  edit->SetParent(Form.get());
  edit->SetBounds(8, 8, 300, 80);
  ShowAndActivate(*Form);
  edit->SetFocus();
  Pump();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
  EXPECT_EQ(edit->Editors, 1);
  edit->SetPopupOptions(kDefaultPopupOptions - TwwRichEditPopupOptions{rpoPopupEdit});
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
  EXPECT_EQ(edit->Editors, 1);
}

TEST_F(RichControls, PastingIsRefusedWhileTheClipboardHoldsAPicture) {
  TwwDBRichEdit* edit = AddControl("Edit", "", false);
  ShowAndActivate(*Form);
  edit->SetFocus();
  Pump();
  QWidget* w = QApplication::focusWidget();
  auto* both = new QMimeData;
  both->setText("text");
  QImage image(2, 2, QImage::Format_RGB32);
  image.fill(Qt::blue);
  both->setImageData(image);
  QApplication::clipboard()->setMimeData(both);
  EXPECT_FALSE(edit->PasteAllowed());
  QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(w, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(edit->Text(), "");
  QApplication::clipboard()->setText("text");
  EXPECT_TRUE(edit->PasteAllowed());
  QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "text");
  QApplication::clipboard()->clear();
}

TEST_F(RichControls, ARightClickKeepsTheSelectionAndReportsTheLeftButton) {
  TwwDBRichEdit* edit = AddControl("Edit", "", false);
  edit->SetText("select some of this text");
  ShowAndActivate(*Form);
  edit->SetSelStart(7);
  edit->SetSelLength(4);
  std::vector<TMouseButton> ups;
  edit->OnMouseUp = [&](TObject*, TMouseButton Button, TShiftState, int, int) { ups.push_back(Button); };
  QTest::mouseClick(edit->EditBox()->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(150, 8));
  EXPECT_EQ(edit->SelStart(), 7);
  EXPECT_EQ(edit->SelLength(), 4);
  ASSERT_EQ(ups.size(), 1u);
  EXPECT_EQ(ups[0], mbLeft);
}

TEST_F(RichControls, AClickOnADetectedUrlAsksOnURLOpen) {
  TwwDBRichEdit* edit = AddControl("Edit", "", true);
  edit->SetText("visit www.example.org today");
  ShowAndActivate(*Form);
  std::vector<std::string> asked;
  edit->OnURLOpen = [&](TObject*, const std::string& Url, bool& UseDefault) {
    asked.push_back(Url);
    UseDefault = false;
  };
  QTextCursor at(edit->EditBox()->document());
  at.setPosition(10);
  const QPoint over = edit->EditBox()->cursorRect(at).center();
  QTest::mouseClick(edit->EditBox()->viewport(), Qt::LeftButton, Qt::NoModifier, over);
  EXPECT_TRUE(asked.empty());  // detection is off
  edit->SetAutoURLDetect(true);
  QTest::mouseClick(edit->EditBox()->viewport(), Qt::LeftButton, Qt::NoModifier, over);
  EXPECT_EQ(asked, std::vector<std::string>{"www.example.org"});
}

TEST_F(RichControls, StreamingIntoTheSelectionAndOnlyTheFirstParagraph) {
  TwwDBRichEdit* edit = AddControl("Edit", "", false);
  edit->SetText("[] end");
  edit->SetSelStart(1);
  TStringStream part("{\\rtf1\\pard first\\par\\pard{\\b second}\\par}");
  edit->StreamInPartial(part, true, true);
  EXPECT_EQ(edit->Text(), "[first] end");
  EXPECT_EQ(edit->Text().find("second"), std::string::npos);
  // Not RTF into the selection: no second try as text.
  TStringStream text("plain");
  EXPECT_THROW(edit->StreamInPartial(text, false, true), EOutOfResources);
  TStringStream whole("plain");
  edit->StreamInPartial(whole, false, false);
  EXPECT_EQ(edit->Text(), "plain");
}

TEST_F(RichControls, FileVariantsUseTheConversionOfTheirExtension) {
  RegisterConversionFormat(".upper", []() {
    struct TUpper : TConversion {
      int64_t ConvertReadStream(TStream& Stream, char* Buffer, int64_t Count) override {
        const int64_t n = Stream.Read(Buffer, Count);
        for (int64_t i = 0; i < n; ++i)
          Buffer[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(Buffer[i])));
        return n;
      }
    };
    return std::make_unique<TUpper>();
  });
  const std::string dir = ::testing::TempDir();
  TwwDBRichEdit* edit = AddControl("Edit", "", false);
  edit->SetPlainText(true);
  edit->SetText("shout");
  edit->RichEditLines()->SaveContentFile(dir + "words.upper");
  edit->SetText("");
  edit->RichEditLines()->LoadContentFile(dir + "words.upper");
  EXPECT_EQ(edit->Text(), "SHOUT");
  edit->RichEditLines()->LoadContentFile(dir + "words.upper");  // the conversion is per file
  EXPECT_EQ(edit->Text(), "SHOUT");
  EXPECT_THROW(edit->RichEditLines()->LoadContentFile(dir + "missing.rtf"), EFOpenError);
}

TEST_F(RichControls, TheTextIsLaidOutAtTheWindowOrAtThePagesPrintableWidth) {
  TwwDBRichEdit* edit = AddControl("Edit", "", false, Bounds(8, 8, 300, 80));
  ShowAndActivate(*Form);  // the first paint places the text
  EXPECT_EQ(edit->EditBox()->FormatRect(), Rect(3, 2, 296, 80));
  edit->SetWidth(400);
  EXPECT_EQ(edit->EditBox()->FormatRect(), Rect(3, 2, 396, 80));
  // A letter page less one-inch margins: 6.5 inches of 96 pixels.
  edit->SetEditWidth(rewPrinterSize);
  EXPECT_EQ(edit->EditBox()->FormatRect(), Rect(3, 0, 3 + 624 + 4, 1056));
  edit->PrintMargins()->SetLeft(2.537);
  edit->PrintMargins()->SetRight(2.537);
  edit->SetMeasurementUnits(muCentimeters);
  edit->SetPaperSize(9);  // A4: 8.27 inches wide
  EXPECT_EQ(edit->EditBox()->FormatRect().Right, 3 + static_cast<int>((8.2677 - 2) * 96) + 4);
}

TEST_F(RichControls, ABoundControlMovedOutOfItsWindowLoadsItsFieldAgain) {
  AddRows({{"{\\rtf1 moved}", "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question");
  ShowAndActivate(*Form);
  Open();
  ASSERT_EQ(top->Text(), "moved");
  top->SetParent(nullptr);  // its window goes, and the content with it
  EXPECT_FALSE(top->ContentLoaded());
  EXPECT_EQ(Query->Mode(), dmBrowse);
  top->SetParent(Form.get());
  ::Pump();
  EXPECT_EQ(top->Text(), "moved");
  EXPECT_TRUE(top->ContentLoaded());
}

}  // namespace
