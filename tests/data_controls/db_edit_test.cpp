// The data-bound edit box over the in-memory dataset: showing the row, typing into it (real key
// events), saving, a text longer than its field, and a field that cannot change.
#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <memory>

#include "data/controls/db_edit.h"
#include "data/controls/register.h"
#include "data/db_error.h"
#include "data/fields/field.h"
#include "data/links/data_source.h"
#include "data/memory_dataset/memory_dataset.h"
#include "gui/forms/form.h"
#include "gui_support.h"

namespace {

const auto* const kEnvironment =
    AddGuiTestEnvironment("db_edit_test", TStrayBoxAnswer::Cancel, RegisterDataControlClasses);

class DBEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form.reset(new TForm(nullptr));
    Form->SetBounds(0, 0, 300, 200);
    Rows = new TMemoryDataSet(Form.get());
    Rows->Table().AddColumn({"Order", ftString, 5, {}});
    Rows->Table().AddColumn({"AnswerTx", ftString, 1, {}});
    Rows->Table().AddRow({"CT01", "B"});
    Rows->Table().AddRow({"CT02", "C"});
    auto* source = new TDataSource(Form.get());
    source->SetDataSet(Rows);
    Order = MakeEdit(source, "Order", 10);
    Letter = MakeEdit(source, "AnswerTx", 40);
    Rows->SetActive(true);
    ShowAndActivate(*Form);
  }
  void TearDown() override {
    Form.reset();
    Pump();
  }

  TDBEdit* MakeEdit(TDataSource* Source, const char* Field, int Top) {
    auto* edit = new TDBEdit(Form.get());
    edit->SetParent(Form.get());
    edit->SetBounds(10, Top, 120, 21);
    edit->SetDataSource(Source);
    edit->SetDataField(Field);
    return edit;
  }
  void Type(TDBEdit* Edit, const char* Keys) {
    Edit->SetFocus();
    Pump();
    QTest::keyClicks(Edit->Widget(), Keys);
    Pump();
  }
  std::string Stored(int Row, int Column) const { return Rows->Table().Cell(Row, Column).value_or("(null)"); }

  std::unique_ptr<TForm> Form;
  TMemoryDataSet* Rows = nullptr;
  TDBEdit* Order = nullptr;
  TDBEdit* Letter = nullptr;
};

TEST_F(DBEditTest, ShowsTheCurrentRowAndFollowsMoves) {
  EXPECT_EQ(Order->Text(), "CT01");
  EXPECT_EQ(Letter->Text(), "B");
  EXPECT_FALSE(Order->ReadOnly());
  Rows->GoNext();
  EXPECT_EQ(Order->Text(), "CT02");
  EXPECT_EQ(Letter->Text(), "C");
}

TEST_F(DBEditTest, TypingEditsTheRowAndPostStoresIt) {
  Type(Letter, "\bD");
  EXPECT_EQ(Letter->Text(), "D");
  EXPECT_EQ(Rows->Mode(), dmEdit);
  EXPECT_EQ(Stored(0, 1), "B");
  Rows->PostRow();
  EXPECT_EQ(Rows->Mode(), dmBrowse);
  EXPECT_EQ(Stored(0, 1), "D");
  EXPECT_EQ(Stored(0, 0), "CT01");
}

TEST_F(DBEditTest, ATextLongerThanItsFieldIsRefusedAndKept) {
  Order->SetFocus();
  Pump();
  Order->SetText("CT001X");
  EXPECT_EQ(Rows->Mode(), dmEdit);
  try {
    Rows->PostRow();
    FAIL() << "a six-character order was posted into a field of five";
  } catch (const EDatabaseError& error) {
    EXPECT_NE(std::string(error.what()).find("Order holds at most 5 characters"), std::string::npos)
        << error.what();
  }
  // Nothing lost: the box keeps the text, the row stays in edit mode and the table unchanged.
  EXPECT_EQ(Order->Text(), "CT001X");
  EXPECT_EQ(Rows->Mode(), dmEdit);
  EXPECT_EQ(Stored(0, 0), "CT01");
  Order->SetText("CT001");
  Rows->PostRow();
  EXPECT_EQ(Stored(0, 0), "CT001");
}

TEST_F(DBEditTest, ARowThatCannotChangeKeepsTheBoxReadOnly) {
  Rows->SetActive(false);
  Rows->SetReadOnly(true);
  Rows->SetActive(true);
  EXPECT_TRUE(Letter->ReadOnly());
  Type(Letter, "A");
  EXPECT_EQ(Letter->Text(), "B");
  EXPECT_EQ(Rows->Mode(), dmBrowse);
  // A program that sets the text cannot change the row either: the box shows the field again.
  Letter->SetText("Z");
  EXPECT_EQ(Letter->Text(), "B");
}

TEST_F(DBEditTest, EscapeThrowsAwayTheTypingOfTheBox) {
  Type(Order, "9");
  EXPECT_EQ(Order->Text(), "CT019");
  QTest::keyClick(Order->Widget(), Qt::Key_Escape);
  Pump();
  EXPECT_EQ(Order->Text(), "CT01");
}

}  // namespace
