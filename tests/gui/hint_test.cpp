// Hints: the short part as the tool tip, the long part through the application's OnHint
// while the pointer is on a control, and tool tips switched per window.

#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <memory>

#include "gui/stdctrls/panel.h"
#include "gui/stdctrls/speed_button.h"
#include "gui_test_support.h"
#include "test_forms.h"

namespace {

TEST(Hints, TheBarSplitsAHintIntoAToolTipAndALongHintWithoutTheBlanksAroundIt) {
  EXPECT_EQ(GetShortHint("Font | Changes the font of the selection"), "Font");
  EXPECT_EQ(GetLongHint("Font | Changes the font of the selection"), "Changes the font of the selection");
  EXPECT_EQ(GetShortHint("Exit"), "Exit");  // no bar: both parts are the whole hint
  EXPECT_EQ(GetLongHint("Exit"), "Exit");
  EXPECT_EQ(GetShortHint("|Only long"), "");
  EXPECT_EQ(GetLongHint("Only short|"), "");
  EXPECT_EQ(GetLongHint("a|b|c"), "b|c");  // the first bar divides
  EXPECT_EQ(GetLongHint(""), "");
}

class HintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterClasses<TMenuTestForm>();
    form_.reset(NewForm<TMenuTestForm>(nullptr));
    form_->Bind(toolbar_, "Toolbar");
    form_->Bind(newButton_, "NewButton");
    ShowAndActivate(*form_);
    Application->OnHint = [this](TObject* Sender) {
      EXPECT_EQ(Sender, Application);
      hints_.push_back(Application->Hint());
    };
  }
  void TearDown() override {
    Application->OnHint = nullptr;
    Application->SetHint("");
  }
  QPoint Centre(const TControl* C) { return QPoint(C->Left() + C->Width() / 2, C->Top() + C->Height() / 2); }
  // The tool tip that the toolbar would show at P, or empty.
  std::string ToolTipAt(QPoint P) {
    QHelpEvent help(QEvent::ToolTip, P, toolbar_->Widget()->mapToGlobal(P));
    QApplication::sendEvent(toolbar_->Widget(), &help);
    return help.isAccepted() ? QToolTip::text().toStdString() : std::string();  // ignored: none
  }

  std::unique_ptr<TMenuTestForm> form_;
  TPanel* toolbar_ = nullptr;
  TSpeedButton* newButton_ = nullptr;
  std::vector<std::string> hints_;
};

TEST_F(HintTest, OnHintGetsTheLongHintOfWhatThePointerIsOn) {
  QTest::mouseMove(toolbar_->Widget(), Centre(newButton_));
  QTest::mouseMove(toolbar_->Widget(), Centre(newButton_) + QPoint(1, 0));  // no change, no call
  auto* print = dynamic_cast<TControl*>(form_->FindComponent("PrintButton"));
  QTest::mouseMove(toolbar_->Widget(), Centre(print));
  // The toolbar itself has no hint, nor has the window.
  QTest::mouseMove(toolbar_->Widget(), QPoint(300, 10));
  EXPECT_EQ(hints_, (std::vector<std::string>{"Creates a new document", "Prints the active document", ""}));
  // A control without a hint shows its parent's.
  toolbar_->SetHint("Tools | The tool bar");
  QTest::mouseMove(toolbar_->Widget(), QPoint(310, 10));
  EXPECT_EQ(Application->Hint(), "The tool bar");
}

TEST_F(HintTest, ToolTipsShowTheShortHintWhileTheStatusLineFollowsThePointerRegardless) {
  EXPECT_EQ(ToolTipAt(Centre(newButton_)), "New");
  Application->SetShowHint(false);  // the application switches every window's tool tips off
  EXPECT_EQ(ToolTipAt(Centre(newButton_)), "");
  Application->SetShowHint(true);
  // The status line still follows the pointer with tool tips off.
  form_->SetShowHint(false);
  QTest::mouseMove(toolbar_->Widget(), Centre(newButton_));
  EXPECT_EQ(Application->Hint(), "Creates a new document");
}

}  // namespace
