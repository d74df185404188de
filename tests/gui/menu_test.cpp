// Popup menus: items nested in layouts, shown by a right click, the choice clicked.

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <memory>

#include "gui/controls/keys.h"
#include "gui/graphics/canvas.h"
#include "gui/menus/menu_observer.h"
#include "gui/menus/menus.h"
#include "gui/qt/qt_convert.h"
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

// A control with a menu of its own for when none is assigned.
class TPanelWithOwnMenu : public TPanel {
 public:
  explicit TPanelWithOwnMenu(TComponent* AOwner)
      : TPanel(AOwner), Own(std::make_unique<TPopupMenu>(nullptr)) {
    Own->Items()->Add(NewItem(Own.get(), "&Own", 0, [this](TObject*) { ++OwnClicks; }));
  }
  TPopupMenu* GetPopupMenu() const override { return PopupMenu() != nullptr ? PopupMenu() : Own.get(); }
  std::unique_ptr<TPopupMenu> Own;
  int OwnClicks = 0;
};

TEST_F(MenuTest, AControlsBuiltInMenuShowsUnlessAnotherIsAssigned) {
  auto* panel = new TPanelWithOwnMenu(form_.get());
  panel->SetParent(form_.get());
  panel->SetBounds(0, 0, 60, 40);
  ShowAndActivate(*form_);
  RightClickAndChoose(panel->Widget(), QPoint(10, 10), 0);
  EXPECT_EQ(panel->OwnClicks, 1);
  EXPECT_TRUE(form_->Clicks.empty()) << "the built-in menu comes before the parent's";
  EXPECT_EQ(panel->Own->PopupComponent(), panel);
  panel->SetPopupMenu(menu_);
  RightClickAndChoose(panel->Widget(), QPoint(10, 10), 0);
  EXPECT_EQ(panel->OwnClicks, 1);
  ASSERT_EQ(form_->Clicks.size(), 1u);
  EXPECT_EQ(form_->Clicks[0], menu_->Items()->Items(0));
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

// A popup menu built in code, shown with Popup(x, y) and driven by the observer.
class PopupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = std::make_unique<TComponent>(nullptr);
    menu_ = new TPopupMenu(owner_.get());
    for (const char* caption : {"&Red", "&Green", "-", "&Blue"}) {
      TMenuItem* item = NewItem(owner_.get(), caption, 0, [this](TObject* Sender) {
        clicked_.push_back(static_cast<TMenuItem*>(Sender)->Caption());
      });
      menu_->Items()->Add(item);
    }
    previous_ = SetMenuObserver([this](TMenuView& View) {
      ++shown_;
      if (react_) {
        react_(View);
      } else {
        View.Close();
      }
    });
  }
  void TearDown() override { SetMenuObserver(previous_); }
  TMenuItem* Item(int Index) { return menu_->Items()->Items(Index); }

  std::unique_ptr<TComponent> owner_;
  TPopupMenu* menu_ = nullptr;
  std::vector<std::string> clicked_;
  int shown_ = 0;
  std::function<void(TMenuView&)> react_;
  TMenuObserver previous_;
};

TEST_F(PopupTest, OnPopupRunsFirstAndTheMenuShowsAtTheScreenPointWithItsDefaultInBold) {
  menu_->OnPopup = [this](TObject*) {
    Item(1)->SetEnabled(false);
    Item(3)->SetDefault(true);
  };
  QPoint at;
  std::vector<std::string> captions;
  std::vector<bool> enabled, bold;
  react_ = [&](TMenuView& View) {
    at = QApplication::activePopupWidget()->pos();
    for (int i = 0; i < View.Count(); ++i) {
      captions.push_back(View.IsLine(i) ? "-" : View.Caption(i));
      enabled.push_back(View.Enabled(i));
      bold.push_back(View.Bold(i));
    }
    View.Choose(View.IndexOf("Blue"));
  };
  menu_->Popup(120, 80);
  EXPECT_EQ(at, QPoint(120, 80));
  EXPECT_EQ(captions, (std::vector<std::string>{"&Red", "&Green", "-", "&Blue"}));
  EXPECT_EQ(enabled, (std::vector<bool>{true, false, true, true}));
  EXPECT_EQ(bold, (std::vector<bool>{false, false, false, true}));
  EXPECT_EQ(clicked_, std::vector<std::string>{"&Blue"});
  // One default per list: another default takes the mark away.
  Item(0)->SetDefault(true);
  EXPECT_FALSE(Item(3)->Default());
}

TEST_F(PopupTest, OwnerDrawnItemsMeasureAndDrawThemselvesToldWhetherTheyAreSelected) {
  menu_->SetOwnerDraw(true);
  const TColor swatches[] = {clRed, clLime, clNone, clBlue};
  std::vector<std::pair<int, bool>> draws;
  for (int i : {0, 1, 3}) {
    Item(i)->OnMeasureItem = [](TObject*, TCanvas* Canvas, int& Width, int& Height) {
      Height = Canvas->TextHeight("Gray") + 12;
      Width = Canvas->TextWidth("Gray") + 45;
    };
    Item(i)->OnDrawItem = [&, i](TObject*, TCanvas* Canvas, TRect R, bool Selected) {
      draws.emplace_back(i, Selected);
      Canvas->FillRect(R);  // the brush comes with the menu or highlight colour
      Canvas->Brush()->SetColor(swatches[i]);
      Canvas->FillRect(Rect(R.Left + 3, R.Top + 2, R.Left + 43, R.Bottom - 2));
    };
  }
  Item(3)->OnMeasureItem = nullptr;  // drawn, with its default size
  QImage before, after;
  QRect first, last;
  react_ = [&](TMenuView& View) {
    auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    first = shown->actionGeometry(shown->actions().at(0));
    last = shown->actionGeometry(shown->actions().at(3));
    before = shown->grab().toImage();
    shown->setActiveAction(shown->actions().at(1));
    shown->repaint();
    after = shown->grab().toImage();
    View.Close();
  };
  menu_->Popup(10, 10);
  ASSERT_FALSE(before.isNull());
  EXPECT_EQ(first.height(), QFontMetrics(ToQFont(TFont())).height() + 12);
  // The swatch in its colour, on the menu colour; the selected item on the highlight.
  const QPoint swatch = first.topLeft() + QPoint(10, first.height() / 2);
  EXPECT_EQ(before.pixelColor(swatch), QColor(Qt::red));
  EXPECT_EQ(before.pixelColor(first.topLeft() + QPoint(1, 1)), ToQColor(clMenu));
  const QRect second(first.left(), first.bottom() + 1, first.width(), first.height());
  EXPECT_EQ(after.pixelColor(second.topLeft() + QPoint(10, second.height() / 2)), QColor(Qt::green));
  EXPECT_EQ(after.pixelColor(second.topLeft() + QPoint(1, 1)), ToQColor(clHighlight));
  EXPECT_EQ(before.pixelColor(last.topLeft() + QPoint(10, last.height() / 2)), QColor(Qt::blue));
  EXPECT_NE(std::find(draws.begin(), draws.end(), std::make_pair(1, true)), draws.end());
  EXPECT_NE(std::find(draws.begin(), draws.end(), std::make_pair(0, false)), draws.end());
  EXPECT_EQ(std::find(draws.begin(), draws.end(), std::make_pair(0, true)), draws.end());
}

TEST_F(PopupTest, ItemsAddedAtRunTimeWithSubItemsAreShownChosenAndFreedAgain) {
  // As a menu of verbs of the selected thing: the items added last time are freed first.
  std::vector<TMenuItem*> added;
  menu_->OnPopup = [&](TObject*) {
    for (TMenuItem* item : added)
      delete item;
    added = {NewLine(nullptr), NewItem(nullptr, "Package &Object")};
    added[1]->Add(NewItem(added[1], "&Open", 0, [&](TObject*) { clicked_.push_back("open"); }));
    added[1]->Add(NewItem(added[1], "Save Copy &As"));
    added[1]->Items(0)->SetDefault(true);
    for (TMenuItem* item : added)
      menu_->Items()->Add(item);
  };
  std::vector<std::string> levels;
  react_ = [&](TMenuView& View) {
    levels.push_back(View.Item()->Caption());
    if (View.Item() == menu_->Items()) {
      ASSERT_EQ(View.Count(), 6);
      EXPECT_TRUE(View.HasSubMenu(5));
      View.Choose(5);  // opens the verbs
    } else {
      EXPECT_TRUE(View.Bold(0));
      View.Choose(0);
    }
  };
  menu_->Popup(10, 10);
  EXPECT_EQ(clicked_, std::vector<std::string>{"open"});
  EXPECT_EQ(levels, (std::vector<std::string>{"", "Package &Object"}));
  react_ = nullptr;
  menu_->Popup(10, 10);
  EXPECT_EQ(menu_->Items()->Count(), 6);  // the second set replaced the first
  for (TMenuItem* item : added)
    delete item;
  EXPECT_EQ(menu_->Items()->Count(), 4);
}

}  // namespace
