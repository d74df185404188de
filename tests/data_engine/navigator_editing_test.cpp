// The record navigator's editing buttons on an engine table, real windows on Qt's offscreen
// platform: Insert, Edit, Post, Cancel, Delete (with its question) and Refresh do what they say
// to the table file; and a bound control's change puts the table into edit through AutoEdit.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "data/engine/session.h"
#include "data/engine/table.h"
#include "data/fields/field.h"
#include "data/links/data_source.h"
#include "data/links/field_data_link.h"
#include "data/navigator/db_navigator.h"
#include "data/navigator/register.h"
#include "engine_test_support.h"
#include "gui/forms/form.h"
#include "gui_support.h"

namespace {

const auto* const kEnvironment =
    AddGuiTestEnvironment("Navigator Editing Tests", TStrayBoxAnswer::Cancel, RegisterDataNavigatorClasses);

constexpr int kQuizName = 1;

class NavigatorEditingTest : public TEngineFixture {
 protected:
  void SetUp() override {
    TEngineFixture::SetUp();
    Session->StorePassword("pelmut");
    Form = std::make_unique<TForm>(nullptr);
    Form->SetClientWidth(400);
    Form->SetClientHeight(80);
    Table = new TTable(Form.get());
    Table->SetName("Quiz");
    Table->SetDatabaseName("vozaza");
    Table->SetTableName("vezedezavuza.db");
    Source = new TDataSource(Form.get());
    Source->SetDataSet(Table);
    Navigator = new TDBNavigator(Form.get());
    Navigator->SetName("Navigator");
    Navigator->SetParent(Form.get());
    Navigator->SetBounds(10, 10, 241, 25);
    Navigator->SetDataSource(Source);
    Table->SetActive(true);
  }
  void TearDown() override {
    Form.reset();
    Pump();
    TEngineFixture::TearDown();
  }

  TTableDump Stored() const { return ReadTable(DataFolder + "/vezedezavuza.db", "pelmut"); }
  std::string Name() const { return Table->FieldNamed("QuizName")->AsText(); }
  void Click(TNavigateBtn Button) {
    const TNavButton* b = Navigator->Buttons(Button);
    QTest::mouseClick(Navigator->Widget(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(b->Left() + b->Width() / 2, b->Top() + b->Height() / 2));
    Pump();
  }
  bool Enabled(TNavigateBtn Button) const { return Navigator->Buttons(Button)->Enabled(); }

  std::unique_ptr<TForm> Form;
  TTable* Table = nullptr;
  TDataSource* Source = nullptr;
  TDBNavigator* Navigator = nullptr;
};

TEST_F(NavigatorEditingTest, EditPostCancelAndInsertButtonsWriteTheTable) {
  ShowAndActivate(*Form);
  const TTableDump before = Stored();
  EXPECT_TRUE(Enabled(nbEdit));
  EXPECT_TRUE(Enabled(nbInsert));
  EXPECT_FALSE(Enabled(nbPost));
  Click(nbEdit);
  EXPECT_EQ(Table->Mode(), dmEdit);
  EXPECT_TRUE(Enabled(nbPost));
  EXPECT_TRUE(Enabled(nbCancel));
  EXPECT_FALSE(Enabled(nbEdit));
  Table->FieldNamed("QuizName")->SetAsText("Cancelled");
  Click(nbCancel);
  EXPECT_EQ(Table->Mode(), dmBrowse);
  EXPECT_EQ(Stored().rows, before.rows);

  Click(nbEdit);
  Table->FieldNamed("QuizName")->SetAsText("Posted");
  Click(nbPost);
  EXPECT_EQ(Table->Mode(), dmBrowse);
  EXPECT_EQ(Stored().rows[0][kQuizName], "Posted");

  Click(nbInsert);
  EXPECT_EQ(Table->Mode(), dmInsert);
  Table->FieldNamed("QuizName")->SetAsText("Inserted");
  Click(nbPost);
  const TTableDump after = Stored();
  ASSERT_EQ(after.rows.size(), before.rows.size() + 1);
  EXPECT_EQ(Name(), "Inserted");
  EXPECT_EQ(Table->RowCount(), static_cast<int>(before.rows.size()) + 1);
}

TEST_F(NavigatorEditingTest, DeleteAsksFirstAndRefreshShowsAnotherWritersRows) {
  ShowAndActivate(*Form);
  const size_t count = Stored().rows.size();
  const std::string second = [&] {
    Table->GoNext();
    const std::string name = Name();
    Table->GoPrior();
    return name;
  }();
  {
    TMessageBoxRecorder boxes(mbCancel);
    Click(nbDelete);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].Text, "Delete record?");
  }
  EXPECT_EQ(Stored().rows.size(), count);
  {
    TMessageBoxRecorder boxes(mbOK);
    Click(nbDelete);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
  }
  EXPECT_EQ(Stored().rows.size(), count - 1);
  EXPECT_EQ(Name(), second);

  // A second table on the same file stands for another writer.
  TTable other(nullptr);
  other.SetDatabaseName("vozaza");
  other.SetTableName("vezedezavuza.db");
  other.SetActive(true);
  other.BeginEdit();
  other.FieldNamed("QuizName")->SetAsText("Written elsewhere");
  other.PostRow();
  Click(nbRefresh);
  EXPECT_EQ(Name(), "Written elsewhere");
}

TEST_F(NavigatorEditingTest, ABoundControlsChangeStartsAnEditThroughAutoEditOnly) {
  // What a data-bound control does: ask for an edit when the user types, write its text when
  // the row is saved.
  TFieldDataLink control;
  control.SetFieldName("QuizName");
  control.SetDataSource(Source);
  std::string typed;
  control.OnUpdateData = [&](TObject*) { control.Field()->SetAsText(typed); };

  Source->SetAutoEdit(false);
  EXPECT_FALSE(control.RequestEdit());
  EXPECT_EQ(Table->Mode(), dmBrowse);

  Source->SetAutoEdit(true);
  EXPECT_TRUE(control.RequestEdit());
  EXPECT_EQ(Table->Mode(), dmEdit);
  typed = "Typed in";
  control.MarkModified();
  Navigator->ClickButton(nbPost);
  EXPECT_EQ(Table->Mode(), dmBrowse);
  EXPECT_EQ(Stored().rows[0][kQuizName], "Typed in");
}

}  // namespace
