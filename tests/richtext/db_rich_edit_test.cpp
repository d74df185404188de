// The data-bound rich text control over an in-memory dataset: what it shows for each kind of blob,
// switching fields, hidden controls, read-only and editable controls, failures.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <algorithm>

#include "data/db_error.h"
#include "data/fields/blob_field.h"
#include "data/links/field_data_link.h"
#include "gui/forms/screen.h"
#include "gui/stdctrls/edit.h"
#include "gui_test_support.h"
#include "rich_control_support.h"
#include "richtext/controls/rich_edit_strings.h"
#include "richtext/controls/ww_rich_edit_strings.h"
#include "richtext/edit/rich_edit_box.h"

namespace {

const char* const kCentredBullets =
    "{\\rtf1{\\colortbl;\\red200\\green0\\blue0;}\\pard\\qc{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'"
    "b7}}"
    "\\fi-360\\li720\\cf1 centred bullet\\par}";

using DBRichEdit = RichControlTest;

TEST_F(DBRichEdit, AnEmptyOrNullBlobShowsAPlainEmptyControl) {
  AddRows({{kCentredBullets, "a", ""}, {"", "b", ""}, {std::nullopt, "c", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question");
  Open();
  EXPECT_EQ(top->Text(), "centred bullet");
  EXPECT_EQ(top->ParagraphFormat()->Alignment(), taCenter);
  EXPECT_EQ(top->ParagraphFormat()->Numbering(), nsBullet);
  for (int row = 2; row <= 3; ++row) {
    Query->GoNext();
    SCOPED_TRACE(row);
    EXPECT_EQ(top->Text(), "");
    EXPECT_TRUE(top->ContentLoaded());
    EXPECT_EQ(top->ParagraphFormat()->Alignment(), taLeftJustify);
    EXPECT_EQ(top->ParagraphFormat()->Numbering(), nsNone);
    EXPECT_EQ(top->ParagraphFormat()->LeftIndent(), 0);
    EXPECT_EQ(top->DefaultFormat()->Color(), clBlack);
  }
}

TEST_F(DBRichEdit, APlainTextBlobShowsItsTextWithEveryLoneCrOrLfALineBreak) {
  AddRows({{"first\rsecond\nthird\r\nfourth", "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question");
  Open();
  EXPECT_EQ(top->Text(), "first\r\nsecond\r\nthird\r\nfourth");
  EXPECT_EQ(LinesOf(*top), "first|second|third|fourth");
}

TEST_F(DBRichEdit, ALineBreakAtTheEndOfATransferChunkIsKept) {
  // The text is read in chunks of half the window's buffer less one; a lone CR that ends a
  // chunk is a line break whatever the next chunk starts with.
  const size_t chunk = (TRichEditBox::kStreamChunk - 2) / 2;
  const std::string lone = std::string(chunk - 1, 'x') + "\r" + "after";
  const std::string pair = std::string(chunk - 1, 'y') + "\r\n" + "after";
  AddRows({{lone, pair, ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question");
  TwwDBRichEdit* answer = AddControl("AnswerRtf", "Answer", true, Bounds(8, 120, 400, 100));
  Open();
  EXPECT_EQ(top->Text(), std::string(chunk - 1, 'x') + "\r\nafter");
  EXPECT_EQ(answer->Text(), std::string(chunk - 1, 'y') + "\r\nafter");
}

TEST_F(DBRichEdit, SwitchingTheFieldShowsTheOtherBlobAtOnceAndWritesNothing) {
  AddRows({{"{\\rtf1 Which year?}", "{\\rtf1 1969}", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question");
  Open();
  std::vector<std::string> shown;
  top->OnChange = [&](TObject*) { shown.push_back(top->Text()); };
  top->SetDataField("Answer");
  EXPECT_EQ(top->Text(), "1969");
  // Two data changes: the old field goes (the control empties), the new one comes.
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front(), "");
  EXPECT_EQ(shown.back(), "1969");
  top->SetDataField("Question");
  EXPECT_EQ(top->Text(), "Which year?");
  EXPECT_EQ(Query->Mode(), dmBrowse);
  EXPECT_EQ(Posts, 0);
  EXPECT_EQ(Cell(0, "Question"), "{\\rtf1 Which year?}");
  EXPECT_TRUE(top->EffectiveReadOnly());
}

TEST_F(DBRichEdit, AHiddenControlKeepsItsOldTextAndLoadsOnItsFirstPaint) {
  AddRows({{"", "", "{\\rtf1 hint one}"}, {"", "", "{\\rtf1 hint two}"}});
  TwwDBRichEdit* hint = AddControl("HintRtf", "Hint");
  ShowAndActivate(*Form);
  Open();
  EXPECT_EQ(hint->Text(), "hint one");
  hint->Hide();
  Query->GoNext();
  EXPECT_EQ(hint->Text(), "hint one");
  EXPECT_FALSE(hint->ContentLoaded());
  hint->Show();
  Pump();
  EXPECT_EQ(hint->Text(), "hint two");
  EXPECT_TRUE(hint->ContentLoaded());
}

TEST_F(DBRichEdit, AReadOnlyControlTakesNoTypingDeleteCutOrPasteAndStartsNoEdit) {
  AddRows({{"{\\rtf1 fixed text}", "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question");
  ShowAndActivate(*Form);
  Open();
  top->SetFocus();
  Pump();
  QApplication::clipboard()->setText("pasted");
  QWidget* w = QApplication::focusWidget();
  ASSERT_NE(w, nullptr);
  top->SetSelStart(0);
  top->SetSelLength(5);
  QTest::keyClick(w, Qt::Key_A);
  QTest::keyClick(w, Qt::Key_Delete);
  QTest::keyClick(w, Qt::Key_Backspace);
  QTest::keyClick(w, Qt::Key_X, Qt::ControlModifier);
  QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(w, Qt::Key_Insert, Qt::ShiftModifier);
  QTest::keyClick(w, Qt::Key_Return);
  EXPECT_EQ(top->Text(), "fixed text");
  EXPECT_EQ(Query->Mode(), dmBrowse);
  EXPECT_FALSE(top->DataLink()->FieldEditing());
  // Leaving it writes nothing either.
  auto* other = new TEdit(Form.get());
  other->SetParent(Form.get());
  other->SetBounds(8, 300, 100, 21);
  other->SetFocus();
  Pump();
  EXPECT_EQ(Query->Mode(), dmBrowse);
  EXPECT_EQ(Cell(0, "Question"), "{\\rtf1 fixed text}");
  QApplication::clipboard()->clear();
}

TEST_F(DBRichEdit, TypingInAnEditableControlStartsAnEditAndLeavingWritesTheBlob) {
  AddRows({{"{\\rtf1 old}", "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question", false);
  auto* other = new TEdit(Form.get());
  other->SetParent(Form.get());
  other->SetBounds(8, 300, 100, 21);
  ShowAndActivate(*Form);
  Open();
  EXPECT_FALSE(top->EffectiveReadOnly());
  top->SetFocus();
  Pump();
  top->SetSelStart(3);
  QWidget* w = QApplication::focusWidget();
  QTest::keyClicks(w, " new");
  EXPECT_EQ(Query->Mode(), dmEdit);
  EXPECT_EQ(top->Text(), "old new");
  // The edit mode's row change left the typing alone.
  EXPECT_TRUE(top->ContentLoaded());
  other->SetFocus();
  Pump();
  auto* blob = dynamic_cast<TBlobField*>(Query->FieldNamed("Question"));
  ASSERT_NE(blob, nullptr);
  EXPECT_EQ(blob->AsText().rfind("{\\rtf1", 0), 0u);
  EXPECT_NE(blob->AsText().find("old new"), std::string::npos);
  Query->PostRow();
  EXPECT_EQ(Posts, 1);
  ASSERT_TRUE(Cell(0, "Question").has_value());
  EXPECT_NE(Cell(0, "Question")->find("old new"), std::string::npos);
}

TEST_F(DBRichEdit, ARecreatedWindowOfAnEditableControlStartsNoEdit) {
  AddRows({{"{\\rtf1 kept}", "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question", false);
  Open();
  top->SetOleOptions({reoDisableOLE});  // re-creates the window
  EXPECT_EQ(top->Text(), "kept");
  EXPECT_EQ(Query->Mode(), dmBrowse);
  EXPECT_FALSE(top->Modified());
}

TEST_F(DBRichEdit, LeavingFailsWhenTheRowCannotTakeTheContentAndTheControlKeepsTheFocus) {
  AddRows({{"{\\rtf1 text}", "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question", false);
  auto* other = new TEdit(Form.get());
  other->SetParent(Form.get());
  other->SetBounds(8, 300, 100, 21);
  ShowAndActivate(*Form);
  Open();
  top->SetFocus();
  Pump();
  QTest::keyClicks(QApplication::focusWidget(), "x");
  ASSERT_EQ(Query->Mode(), dmEdit);
  // The row refuses the content.
  Query->FieldNamed("Question")->OnChange = [](TField*) { throw EDatabaseError("Row is locked"); };
  TMessageBoxRecorder boxes;
  other->SetFocus();
  Pump();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Text, "Row is locked.");
  EXPECT_EQ(Form->ActiveControl(), top);
}

TEST_F(DBRichEdit, MalformedRtfShowsWhatCouldBeRead) {
  AddRows({{"{\\rtf1 readable {\\b part", "{\\rtf1 before \\'zz after}}}}} junk", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question");
  TwwDBRichEdit* answer = AddControl("AnswerRtf", "Answer", true, Bounds(8, 120, 400, 100));
  Open();
  EXPECT_EQ(top->Text(), "readable part");
  EXPECT_TRUE(top->ContentLoaded());
  EXPECT_EQ(answer->Text().rfind("before", 0), 0u);
  EXPECT_NE(answer->Text().find("after"), std::string::npos);
}

TEST_F(DBRichEdit, ABlobThatCannotBeReadAtAllShowsTheReasonInParentheses) {
  AddRows({{std::string(64, 'q'), "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question");
  // Neither as RTF nor as text: the blob is more than the window takes.
  top->EditBox()->SetMaxStreamInSize(16);
  Open();
  EXPECT_EQ(top->Text(), "(Failed to Load Stream)");
  EXPECT_TRUE(top->ContentLoaded());
}

TEST_F(DBRichEdit, AFailingStreamFailsToLoadAndLeavesTheContent) {
  class TBrokenStream : public TStream {
   public:
    int64_t Read(void*, int64_t) override { throw EReadError("disk gone"); }
    int64_t Write(const void*, int64_t) override { throw EWriteError("disk gone"); }
    int64_t Seek(int64_t, TSeekOrigin) override { return 0; }
  };
  TwwDBRichEdit* top = AddControl("TopRtf", "");
  top->SetText("kept");
  TBrokenStream broken;
  try {
    top->RichEditLines()->LoadContent(broken);
    FAIL() << "no error";
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(e.Message(), "Failed to Load Stream");
  }
  EXPECT_EQ(top->Text(), "kept");
  try {
    top->RichEditLines()->SaveContent(broken);
    FAIL() << "no error";
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(e.Message(), "Failed to Save Stream");
  }
}

TEST_F(DBRichEdit, WithoutAutoDisplayTheFieldNameShowsUntilAsked) {
  AddRows({{"{\\rtf1 the question}", "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question");
  top->SetAutoDisplay(false);  // no field bound yet: ignored
  EXPECT_TRUE(top->AutoDisplay());
  Open();
  top->SetAutoDisplay(false);
  Query->FieldNamed("Question")->SetDisplayLabel("Question text");
  Query->GoFirst();
  top->DataLink()->ResetDisplay();
  EXPECT_EQ(top->Text(), "(Question text)");
  EXPECT_FALSE(top->ContentLoaded());
  top->SetAutoDisplay(true);
  EXPECT_EQ(top->Text(), "the question");
}

TEST_F(DBRichEdit, ReturnOrADoubleClickLoadsADeferredField) {
  AddRows({{"{\\rtf1 deferred}", "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question");
  ShowAndActivate(*Form);
  Open();
  top->SetAutoDisplay(false);
  top->SetFocus();
  Pump();
  QWidget* w = QApplication::focusWidget();
  // A deferred field shows its name until asked for (or until the control is painted next).
  top->DataLink()->ResetDisplay();
  ASSERT_EQ(top->Text(), "(Question)");
  QTest::keyClick(w, Qt::Key_Z);  // consumed, nothing loads
  EXPECT_EQ(top->Text(), "(Question)");
  QTest::keyClick(w, Qt::Key_Return);
  EXPECT_EQ(top->Text(), "deferred");
  top->DataLink()->ResetDisplay();
  ASSERT_EQ(top->Text(), "(Question)");
  QTest::mouseDClick(top->EditBox()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
  EXPECT_EQ(top->Text(), "deferred");
  top->DataLink()->ResetDisplay();
  ASSERT_EQ(top->Text(), "(Question)");
  Pump();
  EXPECT_EQ(top->Text(), "deferred");
}

TEST_F(DBRichEdit, TheHourglassShowsWhileALongBlobLoadsAndOnlyThen) {
  std::string longRtf = "{\\rtf1 ";
  while (longRtf.size() < 200 * 1024)
    longRtf += "a long question of many words\\par ";
  longRtf += "}";
  AddRows({{"{\\rtf1 short}", "", ""}, {longRtf, "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question");
  std::vector<TCursor> seen;
  top->OnChange = [&](TObject*) { seen.push_back(Screen->Cursor()); };
  Open();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(std::count(seen.begin(), seen.end(), crHourGlass), 0);
  seen.clear();
  Query->GoNext();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), crHourGlass);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_EQ(top->Text().substr(0, 15), "a long question");
}

TEST_F(DBRichEdit, ANonBlobFieldShowsItsDisplayText) {
  AddRows({{"", "", ""}});
  TwwDBRichEdit* letter = AddControl("Letter", "AnswerTx");
  Open();
  EXPECT_EQ(letter->Text(), "B");
  EXPECT_TRUE(letter->ContentLoaded());
}

TEST_F(DBRichEdit, ClosingTheDatasetEmptiesTheControl) {
  AddRows({{"{\\rtf1 shown}", "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question");
  Open();
  ASSERT_EQ(top->Text(), "shown");
  Query->SetActive(false);
  EXPECT_EQ(top->Text(), "");
  EXPECT_FALSE(top->ContentLoaded());
}

TEST_F(DBRichEdit, CopyContentToFillsAnotherControlEvenBeforeTheFieldShows) {
  AddRows({{"{\\rtf1 {\\b bold} copy}", "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question");
  top->Hide();
  Open();
  ASSERT_FALSE(top->ContentLoaded());
  auto* target = new TwwDBRichEdit(Form.get());
  top->CopyContentTo(target);
  EXPECT_EQ(target->Text(), "bold copy");
  target->SetSelStart(0);
  target->SetSelLength(4);
  EXPECT_TRUE(target->SelectionFormat()->Style().Contains(fsBold));
  top->Show();
  Pump();
  auto* second = new TwwDBRichEdit(Form.get());
  top->CopyContentTo(second);
  EXPECT_EQ(second->Text(), "bold copy");
}

TEST_F(DBRichEdit, ReadOnlyFollowsTheLinkAndTheDataset) {
  AddRows({{"", "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "", false);
  EXPECT_FALSE(top->EffectiveReadOnly());
  top->SetReadOnly(true);  // no field: the window's own flag
  EXPECT_TRUE(top->EffectiveReadOnly());
  top->SetReadOnly(false);
  top->SetDataField("Question");
  Open();
  EXPECT_FALSE(top->EffectiveReadOnly());
  Query->SetActive(false);
  Query->SetReadOnly(true);
  Open();
  EXPECT_TRUE(top->EffectiveReadOnly());
}

}  // namespace
