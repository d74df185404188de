// The quiz editor's window offscreen on real table files through the real engine: what it shows,
// the rules it keeps (the right letter, values longer than their field, a read-only file) and its
// writes read back from the file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/controls/db_edit.h"
#include "data/db_error.h"
#include "data/dialogs/data_dialogs.h"
#include "data/engine/register.h"
#include "data/engine/session.h"
#include "data/engine/session_list.h"
#include "data/engine/table.h"
#include "gui/dialogs/message_box.h"
#include "gui/forms/application.h"
#include "gui/gui_module.h"
#include "gui/menus/menus.h"
#include "gui/stdctrls/status_bar.h"
#include "quiz_edit_form.h"
#include "quiz_markup.h"
#include "quiz_table.h"
#include "richtext/controls/db_rich_edit.h"
#include "temp_folder.h"

namespace {

TQuizRow Row(const std::string& Order, const std::string& Category, const std::string& Question,
             const std::string& Letter) {
  TQuizRow row;
  row.order = Order;
  row.quizName = Category;
  row.question = MarkupToRtf({Question}, "", 0);
  row.answer = MarkupToRtf({"The answer to " + Question}, "", 0);
  row.answerTx = Letter;
  return row;
}

class QuizEditFormTest : public testing::Test {
 protected:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "quizedit_form_test";
    static char* argv[] = {name, nullptr};
    Data_ = std::make_unique<TDataEngineModule>();
    Gui_ = std::make_unique<TGuiModule>(argc, argv);
    RegisterDataEngineClasses();
    RegisterDataDialogs();
    RegisterQuizEditForms();
    Application->SetTitle("Quiz Editor");
    SetMessageBoxObserver([this](TMessageBoxView& Box) {
      Shown.push_back(Box.Text());
      Box.Press(Answer);
    });
    WriteQuizTable(Table, "pelmut",
                   {Row("Q1", "Trivia", "First question", "B"), Row("Q2", "Trivia", "Second question", "a"),
                    Row("X1", "Other", "Another category", "D"), Row("Q3", "Trivia", "Third question", "C")});
    Session->StorePassword("pelmut");
  }
  void TearDown() override {
    SetMessageBoxObserver(nullptr);
    Gui_.reset();
    Data_.reset();
  }

  TQuizEditForm* Open() {
    auto* form = Application->CreateForm<TQuizEditForm>();
    form->OpenTable(Table);
    return form;
  }
  TTableDump Stored() const { return ReadTable(Table, "pelmut"); }
  // The text of a rich text box's lines, one per line.
  static std::string TextOf(TwwDBRichEdit* Box) { return Box->Lines()->Text(); }

  TTempFolder Folder{"quizedit-form"};
  std::string Table = Folder.File("pack.db");
  std::vector<std::string> Shown;
  TMsgDlgBtn Answer = mbNo;
  std::unique_ptr<TDataEngineModule> Data_;
  std::unique_ptr<TGuiModule> Gui_;
};

TEST_F(QuizEditFormTest, ShowsOneQuestionPerRowInItsBoxes) {
  TQuizEditForm* form = Open();
  EXPECT_EQ(form->Caption(), "Quiz Editor - pack.db");
  EXPECT_EQ(form->OrderEdit->Text(), "Q1");
  EXPECT_EQ(form->QuizNameEdit->Text(), "Trivia");
  EXPECT_EQ(form->AnswerTxEdit->Text(), "B");
  EXPECT_NE(TextOf(form->QuestionRtf).find("First question"), std::string::npos);
  EXPECT_NE(TextOf(form->AnswerRtf).find("The answer to First question"), std::string::npos);
  EXPECT_EQ(form->StatusText(), "Question 1 of 4.");
  EXPECT_FALSE(form->TableReadOnly());
  EXPECT_FALSE(form->OrderEdit->ReadOnly());
  EXPECT_TRUE(form->NewItem->Enabled());
  EXPECT_FALSE(form->PostItem->Enabled()) << "nothing to save yet";
  form->Table1->GoNext();
  EXPECT_EQ(form->OrderEdit->Text(), "Q2");
  EXPECT_NE(TextOf(form->QuestionRtf).find("Second question"), std::string::npos);
}

TEST_F(QuizEditFormTest, WarnsOfARightLetterOtherThanAToD) {
  TQuizEditForm* form = Open();
  EXPECT_EQ(form->AnswerLetterWarning(), "");
  form->Table1->GoNext();
  const std::string warning = form->AnswerLetterWarning();
  EXPECT_NE(warning.find("\"a\""), std::string::npos) << warning;
  EXPECT_NE(warning.find("only A, B, C or D"), std::string::npos) << warning;
  EXPECT_NE(form->StatusText().find(warning), std::string::npos) << form->StatusText();
  form->Table1->GoNext();
  EXPECT_EQ(form->AnswerLetterWarning(), "");
  EXPECT_EQ(form->StatusText().find("Warning"), std::string::npos);
}

TEST_F(QuizEditFormTest, AReadOnlyFileOpensReadOnlyAndRefusesEdits) {
  ASSERT_EQ(::chmod(Table.c_str(), 0444), 0);
  const TTableDump before = Stored();
  TQuizEditForm* form = Open();
  EXPECT_TRUE(form->TableReadOnly());
  EXPECT_EQ(form->Caption(), "Quiz Editor - pack.db (read-only)");
  EXPECT_NE(form->StatusText().find("open read-only: changes are refused"), std::string::npos)
      << form->StatusText();
  EXPECT_TRUE(form->OrderEdit->ReadOnly());
  EXPECT_TRUE(form->QuestionRtf->EffectiveReadOnly());
  EXPECT_FALSE(form->NewItem->Enabled());
  EXPECT_FALSE(form->DeleteItem->Enabled());
  EXPECT_FALSE(form->MoveUpItem->Enabled());
  form->OrderEdit->SetText("Z9");
  EXPECT_EQ(form->OrderEdit->Text(), "Q1") << "the box shows the field again";
  EXPECT_EQ(form->Table1->Mode(), dmBrowse);
  EXPECT_THROW(form->Table1->BeginEdit(), EDatabaseError);
  form->Close();
  EXPECT_EQ(Stored().rows, before.rows);
}

TEST_F(QuizEditFormTest, AValueLongerThanItsFieldIsRefusedWithNothingLost) {
  TQuizEditForm* form = Open();
  form->OrderEdit->SetText("Q1-long");
  ASSERT_EQ(form->Table1->Mode(), dmEdit);
  try {
    form->PostClick(nullptr);
    FAIL() << "a seven-character order was saved into a field of five";
  } catch (const EDatabaseError& error) {
    EXPECT_NE(std::string(error.what()).find("Order holds at most 5 characters"), std::string::npos)
        << error.what();
  }
  EXPECT_EQ(form->OrderEdit->Text(), "Q1-long");
  EXPECT_EQ(form->Table1->Mode(), dmEdit);
  EXPECT_EQ(Stored().rows[0][0], "Q1");
  form->OrderEdit->SetText("Q1b");
  form->PostClick(nullptr);
  EXPECT_EQ(Stored().rows[0][0], "Q1b");
}

TEST_F(QuizEditFormTest, ALetterOtherThanAToDIsSavedWithItsWarning) {
  TQuizEditForm* form = Open();
  form->AnswerTxEdit->SetText("E");
  form->PostClick(nullptr);
  EXPECT_EQ(Stored().rows[0][5], "E");
  EXPECT_NE(form->StatusText().find("Warning: the right letter is \"E\""), std::string::npos)
      << form->StatusText();
}

TEST_F(QuizEditFormTest, MovingAQuestionSwapsItWithTheNextOfItsCategoryAndKeepsTheOrders) {
  TQuizEditForm* form = Open();
  form->Table1->GoNext();  // Q2, "Second question"
  ASSERT_TRUE(form->MoveQuestion(1));
  const TTableDump after = Stored();
  // Q3 lies beyond a row of another category, which stays as it was.
  EXPECT_EQ(after.rows[1][0], "Q2");
  EXPECT_NE(after.rows[1][2]->find("Third question"), std::string::npos);
  EXPECT_EQ(after.rows[1][5], "C");
  EXPECT_EQ(after.rows[2][0], "X1");
  EXPECT_EQ(after.rows[3][0], "Q3");
  EXPECT_NE(after.rows[3][2]->find("Second question"), std::string::npos);
  EXPECT_EQ(after.rows[3][5], "a");
  // The cursor followed the question, which is now the last of its category.
  EXPECT_EQ(form->OrderEdit->Text(), "Q3");
  EXPECT_FALSE(form->MoveQuestion(1));
  EXPECT_NE(form->StatusText().find("already the last question"), std::string::npos);
  form->Table1->GoFirst();
  EXPECT_FALSE(form->MoveQuestion(-1));
  EXPECT_EQ(Stored().rows, after.rows);
}

TEST_F(QuizEditFormTest, ANewQuestionStartsInTheCategoryItWasAddedFrom) {
  TQuizEditForm* form = Open();
  form->Table1->GoLast();
  form->NewClick(nullptr);
  ASSERT_EQ(form->Table1->Mode(), dmInsert);
  EXPECT_EQ(form->QuizNameEdit->Text(), "Trivia");
  EXPECT_EQ(form->AnswerLetterWarning(), "") << "an empty letter of a new row is not warned of yet";
  form->OrderEdit->SetText("Q4");
  form->AnswerTxEdit->SetText("D");
  form->PostClick(nullptr);
  const TTableDump after = Stored();
  ASSERT_EQ(after.rows.size(), 5u);
  bool found = false;
  for (const auto& row : after.rows)
    found = found || (row[0] == "Q4" && row[1] == "Trivia" && row[5] == "D");
  EXPECT_TRUE(found);
}

TEST_F(QuizEditFormTest, ClosingWithUnsavedChangesAsks) {
  TQuizEditForm* form = Open();
  form->OrderEdit->SetText("Q9");
  Answer = mbCancel;
  EXPECT_FALSE(form->CloseQuery());
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_NE(Shown[0].find("not saved"), std::string::npos) << Shown[0];
  EXPECT_EQ(form->Table1->Mode(), dmEdit);
  Answer = mbNo;
  EXPECT_TRUE(form->CloseQuery());
  EXPECT_EQ(form->Table1->Mode(), dmBrowse);
  EXPECT_EQ(Stored().rows[0][0], "Q1");
  form->OrderEdit->SetText("Q8");
  Answer = mbYes;
  EXPECT_TRUE(form->CloseQuery());
  EXPECT_EQ(Stored().rows[0][0], "Q8");
}

}  // namespace
