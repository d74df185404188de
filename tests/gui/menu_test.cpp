// Popup menus: items nested in layouts, shown by a right click, the choice clicked.

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <memory>

#include "gui/controls/keys.h"
#include "gui/menus/menus.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/panel.h"
#include "gui_test_support.h"
#include "test_forms.h"

namespace {

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterClasses<TTestForm>();
    form_.reset(NewForm<TTestForm>(nullptr));
    menu_ = dynamic_cast<TPopupMenu*>(form_->FindComponent("Popup1"));
    panel_ = dynamic_cast<TPanel*>(form_->FindComponent("Panel1"));
    ASSERT_NE(menu_, nullptr);
    ASSERT_NE(panel_, nullptr);
  }
  // Right-clicks the widget at Pos and, once the menu is up, clicks its item Index.
  void RightClickAndChoose(QWidget* Widget, QPoint Pos, int Index) {
    QTimer::singleShot(0, [Index]() {
      auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(shown, nullptr);
      QAction* action = shown->actions().at(Index);
      QTest::mouseClick(shown, Qt::LeftButton, Qt::NoModifier, shown->actionGeometry(action).center());
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, Pos, Widget->mapToGlobal(Pos));
    QApplication::sendEvent(Widget, &event);
  }
  std::unique_ptr<TTestForm> form_;
  TPopupMenu* menu_ = nullptr;
  TPanel* panel_ = nullptr;
};

TEST_F(MenuTest, ItemsNestAsTheLayoutSays) {
  EXPECT_EQ(panel_->PopupMenu(), menu_);
  ASSERT_EQ(menu_->Items()->Count(), 3);
  TMenuItem* view = menu_->Items()->Items(0);
  EXPECT_EQ(view->Caption(), "&View");
  EXPECT_EQ(view->ShortCutKey(), ShortCut(VK_F2, {}));
  EXPECT_TRUE(menu_->Items()->Items(1)->IsLine());
  TMenuItem* format = menu_->Items()->Items(2);
  ASSERT_EQ(format->Count(), 1);
  EXPECT_TRUE(format->Items(0)->Checked());
  EXPECT_EQ(format->Items(0)->Menu(), menu_);
  EXPECT_EQ(view->GetParentComponent(), menu_);
  EXPECT_EQ(format->Items(0)->GetParentComponent(), format);
}

TEST_F(MenuTest, ARightClickShowsTheMenuAndTheChoiceIsClickedAfterwards) {
  ShowAndActivate(*form_);
  int popups = 0;
  menu_->OnPopup = [&](TObject*) { ++popups; };
  RightClickAndChoose(panel_->Widget(), QPoint(150, 50), 0);
  EXPECT_EQ(popups, 1);
  ASSERT_EQ(form_->Clicks.size(), 1u);
  EXPECT_EQ(form_->Clicks[0], menu_->Items()->Items(0));
  EXPECT_EQ(menu_->PopupComponent(), panel_);
  // A control without a menu of its own shows its parent's.
  auto* ok = dynamic_cast<TButton*>(form_->FindComponent("OkButton"));
  RightClickAndChoose(ok->Widget(), QPoint(5, 5), 0);
  EXPECT_EQ(popups, 2);
  EXPECT_EQ(form_->Clicks.size(), 2u);
  EXPECT_EQ(menu_->PopupComponent(), ok);
}

TEST_F(MenuTest, FreeingTheMenuOrAnItemLeavesNoDanglingPointers) {
  TMenuItem* format = menu_->Items()->Items(2);
  delete format->Items(0);
  EXPECT_EQ(format->Count(), 0);
  const int owned = form_->ComponentCount();
  delete menu_;  // frees its items too; the panel forgets it
  EXPECT_EQ(panel_->PopupMenu(), nullptr);
  EXPECT_EQ(form_->ComponentCount(), owned - 4);
  EXPECT_EQ(form_->FindComponent("ViewItem"), nullptr);
}

}  // namespace
