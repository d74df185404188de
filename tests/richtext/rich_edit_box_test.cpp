// The edit layer: streaming, finding, formats, lines, notifications, links, the clipboard.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <memory>
#include <string>

#include "gui_test_support.h"
#include "richtext/edit/rich_edit_box.h"

namespace {

// Reads a text in chunks as large as the box asks for.
TRichStreamReader ReaderOf(const std::string& Bytes) {
  return [Bytes, at = size_t{0}](char* Buffer, int64_t Capacity) mutable -> int64_t {
    const size_t count = std::min(Bytes.size() - at, static_cast<size_t>(Capacity));
    std::copy_n(Bytes.data() + at, count, Buffer);
    at += count;
    return static_cast<int64_t>(count);
  };
}

class RichEditBox : public ::testing::Test {
 protected:
  void SetUp() override {
    box_ = std::make_unique<TRichEditBox>(nullptr, nullptr);
    box_->resize(400, 200);
  }
  TRichStreamError In(const std::string& Bytes, TRichStreamFormat Format = rfRtf, bool AtSelection = false) {
    return box_->StreamIn(Format, AtSelection, ReaderOf(Bytes));
  }
  std::string Out(TRichStreamFormat Format = rfRtf, bool Selection = false) {
    std::string out;
    EXPECT_EQ(box_->StreamOut(Format, Selection,
                              [&out](const char* Data, int64_t Count) {
                                out.append(Data, static_cast<size_t>(Count));
                                return true;
                              }),
              reNone);
    return out;
  }
  std::unique_ptr<TRichEditBox> box_;
};

TEST_F(RichEditBox, StreamsRtfInAndOutKeepingTextAndFormats) {
  ASSERT_EQ(In("{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs24 plain {\\b bold} text\\par second}"),
            reNone);
  EXPECT_EQ(box_->Text(), "plain bold text\r\nsecond");
  const std::string rtf = Out();
  EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
  // Read back into another box, the same text with the same formats.
  TRichEditBox other(nullptr, nullptr);
  ASSERT_EQ(other.StreamIn(rfRtf, false, ReaderOf(rtf)), reNone);
  EXPECT_EQ(other.Text(), box_->Text());
  other.SetSelection(6, 10);
  const TRichCharFormat bold = other.CharFormat(true);
  EXPECT_TRUE(bold.Style.Contains(fsBold));
  EXPECT_EQ(bold.Face, "Arial");
  EXPECT_EQ(bold.HeightTwips, 240);
  EXPECT_TRUE(bold.Fields.Contains(cfBold));
}

TEST_F(RichEditBox, RefusesBytesThatAreNotRtfAndKeepsItsContent) {
  ASSERT_EQ(In("{\\rtf1 kept}"), reNone);
  EXPECT_EQ(In("just text"), reNotRtf);
  EXPECT_EQ(In(""), reNotRtf);
  EXPECT_EQ(box_->Text(), "kept");
  EXPECT_EQ(In("just\rtext\nhere\r\nend", rfText), reNone);
  EXPECT_EQ(box_->Text(), "just\r\ntext\r\nhere\r\nend");
}

TEST_F(RichEditBox, DamagedRtfShowsWhatCouldBeRead) {
  EXPECT_EQ(In("{\\rtf1 first\\par {\\b second"), reNone);
  EXPECT_EQ(box_->Text(), "first\r\nsecond");
  EXPECT_EQ(In(std::string("{\\rtf1 a\0\xff\xfe}}}}{", 12)), reNone);
  EXPECT_EQ(box_->Text().substr(0, 1), "a");
}

TEST_F(RichEditBox, ReportsReaderFailuresAndOversizedStreamsWithoutTouchingTheContent) {
  ASSERT_EQ(In("{\\rtf1 kept}"), reNone);
  EXPECT_EQ(box_->StreamIn(rfRtf, false, [](char*, int64_t) -> int64_t { return -1; }), reReadFailed);
  box_->SetMaxStreamInSize(10);
  EXPECT_EQ(In("{\\rtf1 far too long}"), reTooLarge);
  EXPECT_EQ(In("far too long", rfText), reTooLarge);
  EXPECT_EQ(box_->Text(), "kept");
}

TEST_F(RichEditBox, StreamsIntoAndOutOfTheSelection) {
  ASSERT_EQ(In("one two three", rfText), reNone);
  box_->SetSelection(4, 7);
  EXPECT_EQ(Out(rfText, true), "two");
  ASSERT_EQ(In("{\\rtf1 {\\i 2}}", rfRtf, true), reNone);
  EXPECT_EQ(box_->Text(), "one 2 three");
  EXPECT_EQ(box_->SelStart(), 5);
  box_->Undo();
  EXPECT_EQ(box_->Text(), "one two three");
}

TEST_F(RichEditBox, FindsTextByPositionWithItsOptions) {
  box_->SetText("Cat scatter cat CAT");
  const TRichFindOptions any;
  EXPECT_EQ(box_->FindText("cat", 0, -1, any), 0);
  EXPECT_EQ(box_->FindText("cat", 1, -1, any), 5);
  TRichFindOptions word;
  word.WholeWord = true;
  EXPECT_EQ(box_->FindText("cat", 1, -1, word), 12);
  TRichFindOptions cased = word;
  cased.MatchCase = true;
  EXPECT_EQ(box_->FindText("CAT", 1, -1, cased), 16);
  EXPECT_EQ(box_->FindText("cat", 1, 14, word), -1);  // the match must end inside the range
  EXPECT_EQ(box_->FindText("dog", 0, -1, any), -1);
  TRichFindOptions up;
  up.Down = false;
  EXPECT_EQ(box_->FindText("cat", 12, 0, up), 5);
  EXPECT_EQ(box_->FindText("cat", 12, 6, up), -1);
}

TEST_F(RichEditBox, CharacterFormatsOfTheSelectionAndTheDefault) {
  ASSERT_EQ(In("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl;\\red255\\green0\\blue0;}"
               "\\f0\\fs20 red{\\cf1 red} {\\f1\\b mono}}"),
            reNone);
  box_->SetSelection(3, 6);
  TRichCharFormat red = box_->CharFormat(true);
  EXPECT_FALSE(red.AutoColor);
  EXPECT_EQ(red.Color, RGBColor(255, 0, 0));
  // Across differing text only what all of it shares is reported.
  box_->SetSelection(0, 6);
  const TRichCharFormat mixed = box_->CharFormat(true);
  EXPECT_FALSE(mixed.Fields.Contains(cfColor));
  EXPECT_TRUE(mixed.Fields.Contains(cfFace));
  EXPECT_TRUE(mixed.AutoColor);
  // Writing: colour back to automatic, face and style changed.
  TRichCharFormat change;
  change.Fields = {cfColor, cfFace, cfItalic};
  change.AutoColor = true;
  change.Face = "Times New Roman";
  change.Style = {fsItalic};
  box_->SetCharFormat(true, change);
  const TRichCharFormat after = box_->CharFormat(true);
  EXPECT_TRUE(after.Fields.Contains(cfColor));
  EXPECT_TRUE(after.AutoColor);
  EXPECT_EQ(after.Face, "Times New Roman");
  EXPECT_TRUE(after.Style.Contains(fsItalic));
  EXPECT_EQ(after.HeightTwips, 200);  // untouched
  // The default format: what plain text shows.
  TRichCharFormat def;
  def.Fields = {cfFace, cfSize, cfColor};
  def.Face = "Courier New";
  def.HeightTwips = 300;
  def.AutoColor = false;
  def.Color = RGBColor(0, 0, 128);
  box_->SetCharFormat(false, def);
  box_->SetText("plain");
  box_->SetSelection(0, 5);
  const TRichCharFormat plain = box_->CharFormat(true);
  EXPECT_EQ(plain.Face, "Courier New");
  EXPECT_EQ(plain.HeightTwips, 300);
  EXPECT_FALSE(plain.AutoColor);
  EXPECT_EQ(plain.Color, RGBColor(0, 0, 128));
  // Written out, plain text states the default font so another box shows it the same.
  EXPECT_NE(Out().find("Courier New"), std::string::npos);
}

TEST_F(RichEditBox, ParagraphFormatsWithBulletsIndentsAndTabs) {
  box_->SetText("one\ntwo\nthree");
  box_->SetSelection(0, 5);  // the first two paragraphs
  TRichParaFormat f;
  f.Fields = {pfAlignment, pfStartIndent, pfOffset, pfTabStops, pfNumbering};
  f.Alignment = raCenter;
  f.StartIndent = 360;
  f.Offset = 360;
  f.Tabs = {720, 1440};
  f.Numbering = rnBullet;
  box_->SetParaFormat(f);
  const TRichParaFormat read = box_->ParaFormat();
  EXPECT_EQ(read.Alignment, raCenter);
  EXPECT_EQ(read.Numbering, rnBullet);
  EXPECT_EQ(read.StartIndent, 360);
  EXPECT_EQ(read.Offset, 360);
  EXPECT_EQ(read.Tabs, (std::vector<int>{720, 1440}));
  EXPECT_TRUE(read.Fields.Contains(pfAlignment));
  box_->SetSelection(0, 10);  // into the third, which kept the defaults
  const TRichParaFormat mixed = box_->ParaFormat();
  EXPECT_FALSE(mixed.Fields.Contains(pfAlignment));
  EXPECT_FALSE(mixed.Fields.Contains(pfNumbering));
  // Bullets written as RTF come back.
  TRichEditBox other(nullptr, nullptr);
  ASSERT_EQ(other.StreamIn(rfRtf, false, ReaderOf(Out())), reNone);
  other.SetSelection(0, 0);
  EXPECT_EQ(other.ParaFormat().Numbering, rnBullet);
  EXPECT_EQ(other.ParaFormat().Alignment, raCenter);
  // Numbering off.
  TRichParaFormat none;
  none.Fields = {pfNumbering};
  none.Numbering = rnNone;
  box_->SetSelection(0, 0);
  box_->SetParaFormat(none);
  EXPECT_EQ(box_->ParaFormat().Numbering, rnNone);
}

TEST_F(RichEditBox, SpacingLineSpacingRulesIndentsAndTabStopsSurviveRtf) {
  struct TCase {
    TRichLineSpacingRule Rule;
    int Spacing;
    const char* Words;  // what the RTF says of the line spacing ("" for none)
  };
  for (const TCase& c :
       {TCase{rlSingle, 0, ""}, TCase{rlOneAndHalf, 0, "\\sl360\\slmult1"},
        TCase{rlDouble, 0, "\\sl480\\slmult1"}, TCase{rlAtLeast, 300, "\\sl300\\slmult0"},
        TCase{rlExactly, 400, "\\sl-400\\slmult0"}, TCase{rlMultiple, 25, "\\sl300\\slmult1"}}) {
    SCOPED_TRACE(c.Rule);
    box_->SetText("first\tline");
    TRichParaFormat f;
    f.StartIndent = 1440;
    f.Offset = -360;
    f.RightIndent = 720;
    f.SpaceBefore = 120;
    f.SpaceAfter = 240;
    f.LineSpacingRule = c.Rule;
    f.LineSpacing = c.Spacing;
    f.Tabs = {2880, 720, 31680};
    box_->SetParaFormat(f);
    const std::string rtf = Out();
    for (const std::string word :
         {"\\li1080", "\\fi360", "\\ri720", "\\sb120", "\\sa240", "\\tx2880\\tx720\\tx31680"})
      EXPECT_NE(rtf.find(word), std::string::npos) << word << " in " << rtf;
    if (*c.Words != 0) {
      EXPECT_NE(rtf.find(c.Words), std::string::npos) << rtf;
    } else {
      EXPECT_EQ(rtf.find("\\sl"), std::string::npos) << rtf;
    }
    TRichEditBox other(nullptr, nullptr);
    ASSERT_EQ(other.StreamIn(rfRtf, false, ReaderOf(rtf)), reNone);
    const TRichParaFormat read = other.ParaFormat();
    EXPECT_EQ(read.StartIndent, 1440);
    EXPECT_EQ(read.Offset, -360);
    EXPECT_EQ(read.RightIndent, 720);
    EXPECT_EQ(read.SpaceBefore, 120);
    EXPECT_EQ(read.SpaceAfter, 240);
    EXPECT_EQ(read.LineSpacingRule, c.Rule);
    EXPECT_EQ(read.LineSpacing, c.Spacing);
    EXPECT_EQ(read.Tabs, (std::vector<int>{2880, 720, 31680}));
  }
}

TEST_F(RichEditBox, AParagraphChangeIsOneUndoStepOnEveryParagraphOfTheSelection) {
  box_->SetText("one\ntwo\nthree\nfour");
  box_->SetSelection(5, 10);  // inside "two" to inside "three"
  TRichParaFormat f;
  f.Alignment = raRight;
  f.Numbering = rnBullet;
  f.StartIndent = 360;
  f.Offset = 360;
  f.SpaceAfter = 100;
  f.LineSpacingRule = rlExactly;
  f.LineSpacing = 500;
  f.Tabs = {1000};
  box_->SetParaFormat(f);
  auto at = [this](int Position) {
    box_->SetSelection(Position, Position);
    return box_->ParaFormat();
  };
  for (int position : {4, 8}) {
    EXPECT_EQ(at(position).Numbering, rnBullet);
    EXPECT_EQ(at(position).LineSpacing, 500);
    EXPECT_EQ(at(position).Tabs, std::vector<int>{1000});
  }
  EXPECT_EQ(at(0).Alignment, raLeft);
  EXPECT_EQ(at(14).Alignment, raLeft);
  ASSERT_TRUE(box_->CanUndo());
  box_->Undo();
  for (int position : {4, 8}) {
    EXPECT_EQ(at(position).Alignment, raLeft);
    EXPECT_EQ(at(position).Numbering, rnNone);
    EXPECT_EQ(at(position).LineSpacingRule, rlSingle);
    EXPECT_TRUE(at(position).Tabs.empty());
  }
  EXPECT_FALSE(box_->CanUndo());
  box_->Redo();
  EXPECT_EQ(at(8).Numbering, rnBullet);
  EXPECT_EQ(at(8).SpaceAfter, 100);
}

TEST_F(RichEditBox, LinesAsLaidOut) {
  box_->SetText("first\r\n\r\nthird line");
  EXPECT_EQ(box_->LineCount(), 3);
  EXPECT_EQ(box_->LineIndex(0), 0);
  EXPECT_EQ(box_->LineIndex(1), 6);
  EXPECT_EQ(box_->LineIndex(2), 7);
  EXPECT_EQ(box_->LineIndex(3), -1);
  EXPECT_EQ(box_->LineLength(8), 10);
  EXPECT_EQ(box_->LineFromChar(8), 2);
  EXPECT_EQ(box_->LineText(0, 4096), "first");
  EXPECT_EQ(box_->LineText(1, 4096), "");
  EXPECT_EQ(box_->LineText(2, 5), "third");
  // A long paragraph wraps at the box's width into several lines.
  box_->SetText(std::string(300, 'x') + " " + std::string(300, 'y'));
  box_->show();
  QApplication::processEvents();
  EXPECT_GT(box_->LineCount(), 1);
  box_->hide();
  // Cutting a long line keeps whole characters.
  box_->SetText("\xc3\xa9\xc3\xa9");  // two two-byte characters
  EXPECT_EQ(box_->LineText(0, 3), "\xc3\xa9");
}

TEST_F(RichEditBox, NotifiesOnlyWhatTheEventMaskHolds) {
  int changes = 0, selections = 0, resizes = 0;
  box_->OnChange = [&]() { ++changes; };
  box_->OnSelectionChange = [&]() { ++selections; };
  box_->OnRequestResize = [&](const TRect&) { ++resizes; };
  box_->SetText("quiet");
  box_->SetSelection(1, 2);
  EXPECT_EQ(changes + selections + resizes, 0);
  box_->SetEventMask({evChange, evSelectionChange, evRequestResize});
  box_->show();  // laid out only with a width
  QApplication::processEvents();
  box_->SetText("one\ntwo\nthree\nfour");
  box_->SetSelection(2, 3);
  EXPECT_GT(changes, 0);
  EXPECT_GT(selections, 0);
  EXPECT_GT(resizes, 0);
  box_->hide();
}

TEST_F(RichEditBox, ProtectedTextAsksBeforeItChanges) {
  box_->SetText("free locked free");
  box_->SetSelection(5, 11);
  TRichCharFormat lock;
  lock.Fields = {cfProtected};
  lock.Protected = true;
  box_->SetCharFormat(true, lock);
  std::vector<std::pair<int, int>> asked;
  bool allow = false;
  box_->OnProtected = [&](int Start, int End) {
    asked.emplace_back(Start, End);
    return allow;
  };
  box_->SetSelection(4, 7);
  EXPECT_FALSE(box_->ReplaceSelection("x"));  // without the notification in the mask: refused
  EXPECT_TRUE(asked.empty());
  box_->SetEventMask({evProtected});
  EXPECT_FALSE(box_->ReplaceSelection("x"));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], std::make_pair(4, 7));
  EXPECT_EQ(box_->Text(), "free locked free");
  // Typing inside protected text is refused too; outside it is not asked about.
  box_->show();
  box_->setFocus();
  box_->SetSelection(7, 7);
  QTest::keyClick(box_.get(), Qt::Key_Z);
  EXPECT_EQ(box_->Text(), "free locked free");
  box_->SetSelection(0, 0);
  QTest::keyClick(box_.get(), Qt::Key_Z);
  EXPECT_EQ(box_->Text(), "zfree locked free");
  allow = true;
  box_->SetSelection(7, 7);
  QTest::keyClick(box_.get(), Qt::Key_Z);
  EXPECT_EQ(box_->Text(), "zfree lzocked free");
  box_->hide();
}

TEST_F(RichEditBox, InsertedTextIsProtectedWhenTheTextItJoinsIs) {
  box_->SetText("locked\nfree");
  box_->SetSelection(0, 6);
  TRichCharFormat lock;
  lock.Fields = {cfProtected};
  lock.Protected = true;
  box_->SetCharFormat(true, lock);
  box_->SetSelection(0, 0);  // before the first character of its paragraph: joins it
  EXPECT_FALSE(box_->ReplaceSelection("x"));
  box_->SetSelection(6, 6);  // behind it: joins it too
  EXPECT_FALSE(box_->ReplaceSelection("x"));
  box_->SetSelection(7, 7);  // the next paragraph is free
  EXPECT_TRUE(box_->ReplaceSelection("x"));
  EXPECT_EQ(box_->Text(), "locked\r\nxfree");
}

TEST_F(RichEditBox, AutomaticColourIsTheWindowTextColourWhateverTheDefault) {
  TRichCharFormat red;
  red.Fields = {cfColor};
  red.AutoColor = false;
  red.Color = RGBColor(255, 0, 0);
  box_->SetCharFormat(false, red);
  box_->SetText("default and automatic");
  box_->SetSelection(0, 7);
  EXPECT_FALSE(box_->CharFormat(true).AutoColor);  // shows the default's red
  box_->SetSelection(12, 21);
  TRichCharFormat automatic;
  automatic.Fields = {cfColor};
  automatic.AutoColor = true;
  box_->SetCharFormat(true, automatic);
  EXPECT_TRUE(box_->CharFormat(true).AutoColor);
}

TEST_F(RichEditBox, ReadOnlyBoxTakesNoTypingButKeepsItsCaret) {
  box_->SetText("fixed");
  box_->SetReadOnly(true);
  box_->show();
  box_->setFocus();
  box_->SetSelection(0, 0);
  QTest::keyClick(box_.get(), Qt::Key_A);
  QTest::keyClick(box_.get(), Qt::Key_Delete);
  QTest::keyClick(box_.get(), Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(box_->Text(), "fixed");
  EXPECT_EQ(box_->SelLength(), 1);
  box_->SetReadOnly(false);
  QTest::keyClick(box_.get(), Qt::Key_A);
  EXPECT_EQ(box_->Text(), "aixed");
  EXPECT_TRUE(box_->CanUndo());
  box_->Undo();
  EXPECT_EQ(box_->Text(), "fixed");
  EXPECT_TRUE(box_->CanRedo());
  box_->Redo();
  EXPECT_EQ(box_->Text(), "aixed");
  box_->hide();
}

TEST_F(RichEditBox, DetectedUrlsAreLinksButNotContent) {
  box_->SetText("see http://example.org/quiz, then stop");
  box_->show();
  QApplication::processEvents();
  int start = 0, end = 0;
  const QRect url = box_->cursorRect(QTextCursor(box_->document()));
  EXPECT_FALSE(box_->LinkAt(url.center() + QPoint(40, 0), start, end));  // detection is off
  box_->SetAutoUrlDetect(true);
  box_->SetEventMask({evLink});
  std::vector<TRichLinkNotice> notices;
  box_->OnLink = [&](const TRichLinkNotice& N) { notices.push_back(N); };
  // The point over the middle of the URL.
  QTextCursor at(box_->document());
  at.setPosition(12);
  const QPoint over = box_->cursorRect(at).center();
  ASSERT_TRUE(box_->LinkAt(over, start, end));
  EXPECT_EQ(box_->TextRange(start, end), "http://example.org/quiz");
  QTest::mouseClick(box_->viewport(), Qt::LeftButton, Qt::NoModifier, over);
  ASSERT_GE(notices.size(), 2u);
  EXPECT_EQ(notices[0].Action, laMouseDown);
  EXPECT_EQ(notices[1].Action, laMouseUp);
  EXPECT_EQ(notices[1].Start, start);
  // Nothing of the link is written out.
  EXPECT_EQ(Out().find("HYPERLINK"), std::string::npos);
  box_->hide();
}

TEST_F(RichEditBox, ThePictureOnlyClipboardHasNothingToPaste) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText("words");
  EXPECT_TRUE(box_->CanPaste());
  auto kinds = box_->ClipboardKinds();
  EXPECT_NE(std::find(kinds.begin(), kinds.end(), ckText), kinds.end());
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::red);
  clipboard->setImage(image);
  EXPECT_FALSE(box_->CanPaste());
  kinds = box_->ClipboardKinds();
  EXPECT_NE(std::find(kinds.begin(), kinds.end(), ckBitmap), kinds.end());
  // RTF on the clipboard pastes with its formats; read-only boxes paste nothing.
  auto* data = new QMimeData;
  data->setData("text/rtf", "{\\rtf1 {\\b strong}}");
  clipboard->setMimeData(data);
  EXPECT_TRUE(box_->CanPaste());
  box_->SetText("");
  box_->SetReadOnly(true);
  box_->Paste();
  EXPECT_EQ(box_->Text(), "");
  box_->SetReadOnly(false);
  box_->Paste();
  EXPECT_EQ(box_->Text(), "strong");
  box_->SetSelection(0, 3);
  EXPECT_TRUE(box_->CharFormat(true).Style.Contains(fsBold));
  clipboard->clear();
}

TEST_F(RichEditBox, TheFormattingRectanglePlacesTheText) {
  box_->SetText("text");
  box_->show();
  QApplication::processEvents();
  const QRect before = box_->viewport()->geometry();
  box_->SetFormatRect(Rect(3, 2, 300, 200));
  EXPECT_EQ(box_->FormatRect(), Rect(3, 2, 300, 200));
  const QRect after = box_->viewport()->geometry();
  EXPECT_EQ(after.left(), before.left() + 3);
  EXPECT_EQ(after.top(), before.top() + 2);
  EXPECT_EQ(box_->lineWrapMode(), QTextEdit::WidgetWidth);
  // Wider than the box: the text is laid out at the rectangle's width.
  box_->SetFormatRect(Rect(3, 0, 900, 1000));
  EXPECT_EQ(box_->lineWrapMode(), QTextEdit::FixedPixelWidth);
  EXPECT_EQ(box_->lineWrapColumnOrWidth(), 897);
  box_->hide();
}

// Many paragraphs of accented Latin and CJK text, well past what a box of 400 x 200 shows.
std::string LongRtf(int Paragraphs) {
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs20 ";
  for (int i = 0; i < Paragraphs; ++i) {
    rtf += "paragraph " + std::to_string(i) +
           " caf\\u233?s {\\b and} \\u26481?\\u20140? words to wrap across a line or two of the box\\par ";
  }
  return rtf + "}";
}

bool LaidOut(const QTextBlock& Block) {
  return Block.layout() != nullptr && Block.layout()->lineCount() > 0;
}

TEST_F(RichEditBox, ALongTextShowsItsTopAtOnceAndLaysTheRestOutWhileIdle) {
  box_->show();
  QApplication::processEvents();
  ASSERT_EQ(In(LongRtf(3000)), reNone);
  box_->repaint();
  // What shows is laid out; the end of the text waits for the program to be idle.
  EXPECT_TRUE(LaidOut(box_->document()->firstBlock()));
  EXPECT_FALSE(LaidOut(box_->document()->lastBlock().previous()));
  EXPECT_EQ(box_->SelStart(), 0);
  EXPECT_EQ(box_->SelLength(), 0);
  EXPECT_TRUE(QTest::qWaitFor([&]() { return LaidOut(box_->document()->lastBlock().previous()); }, 60000));
  box_->hide();
}

TEST_F(RichEditBox, ResizeNoticesFollowALazyLayoutToTheWholeHeight) {
  int lastHeight = -1;
  box_->OnRequestResize = [&](const TRect& Wanted) { lastHeight = Wanted.Height(); };
  box_->SetEventMask({evRequestResize});
  box_->show();
  QApplication::processEvents();
  ASSERT_EQ(In(LongRtf(1500)), reNone);
  EXPECT_TRUE(QTest::qWaitFor([&]() { return LaidOut(box_->document()->lastBlock().previous()); }, 60000));
  QApplication::processEvents();
  EXPECT_EQ(lastHeight, static_cast<int>(box_->document()->size().height() + 0.5));
  box_->hide();
}

TEST_F(RichEditBox, ReplacingTheContentPutsTheCaretAtTheStartWithOneSelectionNotice) {
  box_->SetText("some words here");
  box_->SetSelection(2, 9);
  int notices = 0;
  box_->OnSelectionChange = [&]() { ++notices; };
  box_->SetEventMask({evSelectionChange});
  ASSERT_EQ(In(LongRtf(50)), reNone);
  EXPECT_EQ(box_->SelStart(), 0);
  EXPECT_EQ(box_->SelLength(), 0);
  EXPECT_EQ(notices, 1);
  // Already at the start: the caret does not move, so nothing is announced.
  ASSERT_EQ(In("{\\rtf1 short}"), reNone);
  EXPECT_EQ(notices, 1);
  // Typed text goes in before the caret, which moves on behind it.
  box_->SetReadOnly(false);
  box_->ReplaceSelection("ab");
  EXPECT_EQ(box_->SelStart(), 2);
  EXPECT_EQ(box_->Text(), "abshort");
}

}  // namespace
