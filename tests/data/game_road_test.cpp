// The game's own use of the layer, end to end: a category query with nine declared fields,
// a data source with three field links, a navigator's link and a table's master link; each
// category closes, re-points and opens the query; Next moves it; Score reads AnswerTx.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data/fields/blob_field.h"
#include "data/fields/string_field.h"
#include "data/links/nav_data_link.h"
#include "test_support.h"

namespace {

using ::testing::ElementsAre;

class TNextOnlyNavigator : public TNavigatorView {
 public:
  void RefreshAllButtons() override {
    NextEnabled = Link->Active() && !Link->DataSet()->AtEnd();
    ++Refreshes;
  }
  void RefreshMoveButtons() override {
    NextEnabled = Link->Active() && !Link->DataSet()->AtEnd();
    ++Refreshes;
  }
  void RefreshEditButtons() override { ++Refreshes; }
  TNavDataLink* Link = nullptr;
  bool NextEnabled = false;
  int Refreshes = 0;
};

TEST(GameRoad, CategoriesQuestionsAndTheAnswerLetter) {
  RegisterTestDataClasses();
  TTestForm form(nullptr);
  auto* query = new TMemoryDataSet(&form);
  query->SetName("Query1");
  AddQuizColumns(query->Table());
  // The nine declared fields, in the quiz row's order.
  const char* names[] = {"Order",    "QuizName",  "Question", "Answer",    "Hint",
                         "AnswerTx", "Encourage", "Riff",     "UserAnswer"};
  const int sizes[] = {5, 20, 1, 1, 1, 1, 1, 1, 1};
  TStringField* answerTx = nullptr;
  for (int i = 0; i < 9; ++i) {
    TField* field = (i >= 2 && i <= 4) || i == 6 || i == 7 ? static_cast<TField*>(new TBlobField(&form))
                                                           : static_cast<TField*>(new TStringField(&form));
    field->SetName(std::string("Query1") + names[i]);
    field->SetFieldName(names[i]);
    field->SetSize(sizes[i]);
    field->SetHostDataSet(query);
    if (i == 5) answerTx = static_cast<TStringField*>(field);
  }
  auto* table = new TMemoryDataSet(&form);
  table->SetName("Table1");
  AddQuizColumns(table->Table());
  AddQuizRows(table->Table(), 1);
  auto* source = new TwwDataSource(&form);
  source->SetName("wwDataSource1");
  table->SetMasterSource(source);
  table->SetActive(true);

  TTestDataControl topRtf(&form), hintRtf(&form), riffRtf(&form);
  topRtf.SetName("TopRtf");
  for (TTestDataControl* c : {&topRtf, &hintRtf, &riffRtf})
    c->SetDataSource(source);
  hintRtf.SetDataField("Hint");
  riffRtf.SetDataField("Riff");
  TNextOnlyNavigator navigator;
  TNavDataLink navLink(&navigator);
  navigator.Link = &navLink;
  navLink.SetDataSource(source);

  // A category choice: the query closes, its statement (here: its rows) is replaced, the
  // source is pointed at it and it opens again.
  auto chooseCategory = [&](const std::string& quizName, int rows) {
    topRtf.SetDataField("Question");
    query->SetActive(false);
    source->SetDataSet(query);
    query->Table().ClearRows();
    AddQuizRows(query->Table(), rows, quizName);
    query->SetActive(true);
  };

  chooseCategory("ET1", 3);
  EXPECT_THAT(topRtf.Shown, ElementsAre("{\\rtf1 question 1}"));
  EXPECT_THAT(hintRtf.Shown, ElementsAre("hint 1"));
  EXPECT_TRUE(navigator.NextEnabled);
  EXPECT_EQ(answerTx->AsText(), "A");

  // Score: the question control shows the answer instead.
  topRtf.SetDataField("Answer");
  EXPECT_THAT(topRtf.Shown, ElementsAre("{\\rtf1 question 1}", "<none>", "answer 1"));
  EXPECT_EQ(answerTx->AsText(), "A");

  // Next: the move reloads every control and re-enables the navigator before it returns.
  topRtf.SetDataField("Question");
  EXPECT_EQ(query->GoNext(), 1);
  EXPECT_EQ(topRtf.Shown.back(), "{\\rtf1 question 2}");
  EXPECT_EQ(riffRtf.Shown.back(), "too bad 2");
  EXPECT_EQ(answerTx->AsText(), "B");
  EXPECT_EQ(query->GoNext(), 1);
  EXPECT_TRUE(navigator.NextEnabled);
  EXPECT_EQ(query->GoNext(), 0);
  EXPECT_TRUE(query->AtEnd());
  EXPECT_FALSE(navigator.NextEnabled);

  // The next category closes and reopens the same query; the table keeps its rows.
  chooseCategory("Banana Splits 1", 2);
  EXPECT_EQ(query->FieldNamed("QuizName")->AsText(), "Banana Splits 1");
  EXPECT_EQ(answerTx->AsText(), "A");
  EXPECT_EQ(topRtf.Shown.back(), "{\\rtf1 question 1}");
  EXPECT_TRUE(table->Active());
  EXPECT_EQ(table->RowCount(), 1);

  // wwDataSource1 can never show Table1, which follows it.
  EXPECT_THROW(source->SetDataSet(table), EDatabaseError);
  EXPECT_EQ(source->DataSet(), query);
}

}  // namespace
