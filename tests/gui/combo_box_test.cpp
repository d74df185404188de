// The combo box: items, the chosen item and the text kept in step, the events of the
// player's actions (each once, in order, none for the program's changes), the text colour.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "gui/stdctrls/combo_box.h"
#include "gui_test_support.h"

namespace {

class ComboBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.reset(new TForm(nullptr));
    form_->SetClientWidth(300);
    form_->SetClientHeight(200);
    combo_ = new TComboBox(form_.get());
    combo_->SetParent(form_.get());
    combo_->SetBounds(8, 8, 160, 24);
    combo_->OnClick = [this](TObject*) { events_.push_back("Click:" + combo_->Text()); };
    combo_->OnChange = [this](TObject*) { events_.push_back("Change:" + combo_->Text()); };
    combo_->OnDropDown = [this](TObject*) { events_.push_back("DropDown"); };
    combo_->OnCloseUp = [this](TObject*) {
      events_.push_back("CloseUp:" + std::to_string(combo_->ItemIndex()));
    };
  }
  QComboBox* Widget() { return static_cast<QComboBox*>(combo_->Widget()); }
  void WaitForListClosed() {
    for (int i = 0; i < 50 && combo_->DroppedDown(); ++i)
      QTest::qWait(10);
    Pump();
  }

  std::unique_ptr<TForm> form_;
  TComboBox* combo_ = nullptr;
  std::vector<std::string> events_;
};

TEST_F(ComboBoxTest, SortedItemsTakeTheirPlaceAndTheChosenItemStaysWithItsText) {
  combo_->SetSorted(true);
  for (const char* size : {"8", "12", "10", "9"})
    combo_->Items()->Add(size);
  ShowAndActivate(*form_);
  ASSERT_EQ(combo_->Items()->Count(), 4);
  EXPECT_EQ(combo_->Items()->Text(), "10\n12\n8\n9\n");  // text order, as a list box sorts
  combo_->SetItemIndex(1);
  EXPECT_EQ(combo_->Text(), "12");
  EXPECT_EQ(Widget()->currentText(), "12");
  combo_->Items()->Add("11");  // lands before "12": the chosen item moves with it
  EXPECT_EQ(combo_->ItemIndex(), 2);
  EXPECT_EQ(Widget()->currentIndex(), 2);
  combo_->Items()->Delete(0);
  EXPECT_EQ(combo_->ItemIndex(), 1);
  EXPECT_EQ(combo_->Text(), "12");
  EXPECT_THROW(combo_->Items()->Insert(0, "7"), EStringListError);
  EXPECT_THROW(combo_->SetItemIndex(9), EListError);
  EXPECT_EQ(combo_->ItemIndex(), 1);
  // The program's changes are not the player's: no event at all.
  combo_->SetItemIndex(0);
  combo_->SetText("8");
  EXPECT_TRUE(events_.empty());
}

TEST_F(ComboBoxTest, ADropDownFollowsItsTextAndKeepsATextThatIsNotInTheList) {
  combo_->Items()->SetText("Liberation Sans\nLiberation Serif\nDejaVu Sans");
  ShowAndActivate(*form_);
  combo_->SetText("liberation serif");  // matched regardless of case, kept as written
  EXPECT_EQ(combo_->ItemIndex(), 1);
  EXPECT_EQ(combo_->Text(), "liberation serif");
  EXPECT_EQ(Widget()->lineEdit()->text(), "liberation serif");
  combo_->SetText("No Such Face");
  EXPECT_EQ(combo_->ItemIndex(), -1);
  EXPECT_EQ(Widget()->lineEdit()->text(), "No Such Face");
  combo_->SetItemIndex(-1);
  EXPECT_EQ(combo_->Text(), "");
  // Typing: one change per keystroke, the item following the text.
  combo_->SetFocus();
  QTest::keyClicks(Widget()->lineEdit(), "DejaVu Sans");
  EXPECT_EQ(combo_->Text(), "DejaVu Sans");
  EXPECT_EQ(combo_->ItemIndex(), 2);
  ASSERT_EQ(events_.size(), 11u);
  EXPECT_EQ(events_.front(), "Change:D");
  EXPECT_EQ(events_.back(), "Change:DejaVu Sans");
}

TEST_F(ComboBoxTest, AListOnlyBoxShowsItemsOnly) {
  combo_->SetStyle(csDropDownList);
  combo_->Items()->SetText("Single\n1.5 Lines\nDouble");
  ShowAndActivate(*form_);
  EXPECT_EQ(Widget()->lineEdit(), nullptr);
  combo_->SetText("double");
  EXPECT_EQ(combo_->ItemIndex(), 2);
  EXPECT_EQ(combo_->Text(), "Double");
  combo_->SetText("Triple");
  EXPECT_EQ(combo_->ItemIndex(), -1);
  EXPECT_EQ(combo_->Text(), "");
  combo_->SetItemIndex(0);
  combo_->Items()->Delete(0);  // the chosen item goes: nothing is chosen, nothing shown
  EXPECT_EQ(combo_->ItemIndex(), -1);
  EXPECT_EQ(combo_->Text(), "");
  EXPECT_EQ(Widget()->currentIndex(), -1);
}

TEST_F(ComboBoxTest, ChoosingFromTheListFiresDropDownClickChangeAndCloseUpOnceInThatOrder) {
  combo_->SetDropDownCount(3);
  combo_->Items()->SetText("8\n9\n10\n11\n12");
  ShowAndActivate(*form_);
  combo_->SetDroppedDown(true);
  Pump();
  ASSERT_TRUE(combo_->DroppedDown());
  EXPECT_EQ(Widget()->maxVisibleItems(), 3);
  QAbstractItemView* view = Widget()->view();
  const QRect second = view->visualRect(Widget()->model()->index(1, 0));
  QTest::mouseMove(view->viewport(), second.center());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second.center());
  WaitForListClosed();
  EXPECT_EQ(events_, (std::vector<std::string>{"DropDown", "Click:9", "Change:9", "CloseUp:1"}));
  EXPECT_EQ(combo_->ItemIndex(), 1);
  EXPECT_EQ(Widget()->lineEdit()->text(), "9");
}

TEST_F(ComboBoxTest, EscapeClosesTheListWithoutAChoice) {
  combo_->Items()->SetText("Left\nCenter\nRight");
  combo_->SetItemIndex(2);
  ShowAndActivate(*form_);
  combo_->SetDroppedDown(true);
  Pump();
  QTest::keyClick(Widget()->view(), Qt::Key_Down);
  QTest::keyClick(Widget()->view(), Qt::Key_Escape);
  WaitForListClosed();
  EXPECT_EQ(events_, (std::vector<std::string>{"DropDown", "CloseUp:2"}));
  EXPECT_EQ(combo_->Text(), "Right");
}

TEST_F(ComboBoxTest, TheFontColourPaintsTheTextSoAnUnknownValueShowsInRed) {
  combo_->Items()->SetText("Liberation Sans");
  combo_->Font()->SetHeight(-16);
  ShowAndActivate(*form_);
  combo_->SetText("WWWWWWWW");
  combo_->Font()->SetColor(clRed);
  Pump();
  EXPECT_EQ(Widget()->lineEdit()->palette().color(QPalette::Text), QColor(Qt::red));
  auto redPixels = [this]() {
    const QImage shot = Widget()->lineEdit()->grab().toImage();
    int red = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x) {
        const QColor c = shot.pixelColor(x, y);
        if (c.red() > 180 && c.green() < 90 && c.blue() < 90) ++red;
      }
    return red;
  };
  EXPECT_GT(redPixels(), 20);
  combo_->Font()->SetColor(clWindowText);
  Pump();
  EXPECT_EQ(redPixels(), 0);
}

}  // namespace
