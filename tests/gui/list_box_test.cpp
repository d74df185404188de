// The list box: text order, the selection that stays with its items, the player's clicks
// (one OnClick per action, none for the program's changes).

#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>
#include <memory>

#include "gui/stdctrls/list_box.h"
#include "gui_test_support.h"

namespace {

class ListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.reset(new TForm(nullptr));
    form_->SetClientWidth(300);
    form_->SetClientHeight(200);
    list_ = new TListBox(form_.get());
    list_->SetParent(form_.get());
    list_->SetBounds(8, 8, 120, 150);
    list_->OnClick = [this](TObject*) { ++clicks_; };
  }
  QListWidget* Widget() { return static_cast<QListWidget*>(list_->Widget()); }
  QPoint RowCenter(int Row) { return Widget()->visualItemRect(Widget()->item(Row)).center(); }

  std::unique_ptr<TForm> form_;
  TListBox* list_ = nullptr;
  int clicks_ = 0;
};

TEST_F(ListBoxTest, SortedAsTextAndTheSelectionStaysWithItsItems) {
  list_->SetSorted(true);
  list_->SetMultiSelect(true);
  for (const char* stop : {"2''", "0.5''", "10''"})
    list_->Items()->Add(stop);
  ShowAndActivate(*form_);
  EXPECT_EQ(list_->Items()->Text(), "0.5''\n10''\n2''\n");  // "10" before "2", as text sorts
  EXPECT_EQ(Widget()->item(1)->text(), "10''");
  list_->SetSelected(2, true);  // 2''
  list_->Items()->Add("1''");   // lands before it
  EXPECT_FALSE(list_->Selected(2));
  EXPECT_TRUE(list_->Selected(3));
  EXPECT_TRUE(Widget()->item(3)->isSelected());
  EXPECT_EQ(list_->SelCount(), 1);
  EXPECT_EQ(clicks_, 0);
}

TEST_F(ListBoxTest, DeletingEverySelectedItemFromTheEndLeavesTheOthers) {
  list_->SetMultiSelect(true);
  list_->Items()->SetText("a\nb\nc\nd\ne");
  ShowAndActivate(*form_);
  for (int i : {0, 2, 3})
    list_->SetSelected(i, true);
  for (int i = list_->Items()->Count() - 1; i >= 0; --i)
    if (list_->Selected(i)) list_->Items()->Delete(i);
  EXPECT_EQ(list_->Items()->Text(), "b\ne\n");
  EXPECT_EQ(Widget()->count(), 2);
  EXPECT_EQ(list_->SelCount(), 0);
}

TEST_F(ListBoxTest, PlayersClicksSelectAndFireOnClickOnce) {
  list_->Items()->SetText("one\ntwo\nthree");
  ShowAndActivate(*form_);
  QTest::mouseClick(Widget()->viewport(), Qt::LeftButton, {}, RowCenter(1));
  EXPECT_EQ(list_->ItemIndex(), 1);
  EXPECT_TRUE(list_->Selected(1));
  EXPECT_EQ(clicks_, 1);
  QTest::keyClick(Widget(), Qt::Key_Down);
  EXPECT_EQ(list_->ItemIndex(), 2);
  EXPECT_FALSE(list_->Selected(1));
  EXPECT_EQ(clicks_, 2);
  QTest::mouseClick(Widget()->viewport(), Qt::LeftButton, {}, RowCenter(2));  // no change: no click
  EXPECT_EQ(clicks_, 2);
  list_->SetItemIndex(0);
  EXPECT_TRUE(Widget()->item(0)->isSelected());
  EXPECT_FALSE(Widget()->item(2)->isSelected());
  EXPECT_EQ(clicks_, 2);
  EXPECT_THROW(list_->SetItemIndex(3), EListError);
  list_->SetSelected(0, false);
  EXPECT_EQ(list_->ItemIndex(), -1);
}

TEST_F(ListBoxTest, MultiSelectExtendsWithControlAndShift) {
  list_->SetMultiSelect(true);
  list_->Items()->SetText("a\nb\nc\nd");
  ShowAndActivate(*form_);
  QTest::mouseClick(Widget()->viewport(), Qt::LeftButton, {}, RowCenter(0));
  QTest::mouseClick(Widget()->viewport(), Qt::LeftButton, Qt::ControlModifier, RowCenter(2));
  EXPECT_TRUE(list_->Selected(0));
  EXPECT_FALSE(list_->Selected(1));
  EXPECT_TRUE(list_->Selected(2));
  EXPECT_EQ(list_->ItemIndex(), 2);
  QTest::mouseClick(Widget()->viewport(), Qt::LeftButton, Qt::ShiftModifier, RowCenter(3));
  EXPECT_TRUE(list_->Selected(3));  // the range from the anchor (c) to d joins the selection
  EXPECT_FALSE(list_->Selected(1));
  EXPECT_EQ(clicks_, 3);
  // Back to single selection: the focused item alone stays selected.
  list_->SetMultiSelect(false);
  EXPECT_EQ(list_->SelCount(), 1);
  EXPECT_EQ(list_->ItemIndex(), 3);
  EXPECT_EQ(Widget()->selectedItems().size(), 1);
}

}  // namespace
