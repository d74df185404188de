// A form's menu bar from its stored layout: the client area below it, shortcuts after the
// key preview, Alt with a letter, menus opened, read and driven through the observer,
// items changed, added and freed at run time.

#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <memory>

#include "core/layout/layout_reader.h"
#include "gui/controls/keys.h"
#include "gui/menus/main_menu.h"
#include "gui/menus/menu_observer.h"
#include "gui/qt/qt_convert.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/edit.h"
#include "gui_test_support.h"
#include "test_forms.h"

namespace {

// What the observer saw of one menu on the screen.
struct TSeenMenu {
  std::string Item;
  std::vector<std::string> Captions;
  std::vector<std::string> ShortCuts;
  std::vector<bool> Enabled, Checked, Bold, Lines;
};

TSeenMenu Read(TMenuView& View) {
  TSeenMenu seen;
  seen.Item = View.Item() != nullptr ? View.Item()->Name() : "";
  for (int i = 0; i < View.Count(); ++i) {
    seen.Captions.push_back(View.IsLine(i) ? "-" : View.Caption(i));
    seen.ShortCuts.push_back(View.ShortCutText(i));
    seen.Enabled.push_back(View.Enabled(i));
    seen.Checked.push_back(View.Checked(i));
    seen.Bold.push_back(View.Bold(i));
    seen.Lines.push_back(View.IsLine(i));
  }
  return seen;
}

class MainMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterClasses<TMenuTestForm>();
    form_.reset(NewForm<TMenuTestForm>(nullptr));
    form_->Bind(menu_, "MainMenu1");
    form_->Bind(edit_, "Text1");
    previous_ = SetMenuObserver([this](TMenuView& View) {
      seen_.push_back(Read(View));
      if (react_) {
        react_(View);
      } else {
        View.Close();
      }
    });
    ShowAndActivate(*form_);
    edit_->SetFocus();
  }
  void TearDown() override {
    SetMenuObserver(previous_);
    form_.reset();
  }
  TMenuItem* Item(const char* Name) { return dynamic_cast<TMenuItem*>(form_->FindComponent(Name)); }
  QMenuBar* Bar() { return form_->Widget()->findChild<QMenuBar*>(); }
  void Key(Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : edit_->Widget(), K, M);
    Pump();
  }
  // Waits until the observer has seen Count menus (menus open and report asynchronously).
  void WaitForMenus(size_t Count) {
    for (int i = 0; i < 100 && seen_.size() < Count; ++i)
      QTest::qWait(5);
    Pump();
  }

  std::unique_ptr<TMenuTestForm> form_;
  TMainMenu* menu_ = nullptr;
  TEdit* edit_ = nullptr;
  std::vector<TSeenMenu> seen_;
  std::function<void(TMenuView&)> react_;
  TMenuObserver previous_;
};

TEST_F(MainMenuTest, TheBarLiesAboveTheClientAreaWhichKeepsItsStoredSize) {
  EXPECT_EQ(form_->Menu(), menu_);
  EXPECT_EQ(menu_->Form(), form_.get());
  EXPECT_EQ(form_->ClientHeight(), 240);
  EXPECT_EQ(form_->Height(), 240 + kMenuBarHeight + TCustomForm::FrameExtent(bsSizeable).cy);
  EXPECT_EQ(form_->Widget()->height(), 240 + kMenuBarHeight);
  // Client coordinates start below the bar, for windowed and painted controls alike.
  EXPECT_EQ(edit_->Widget()->geometry(), QRect(8, 40 + kMenuBarHeight, 200, edit_->Height()));
  auto* toolbar = dynamic_cast<TWinControl*>(form_->FindComponent("Toolbar"));
  EXPECT_EQ(toolbar->Widget()->y(), 2 + kMenuBarHeight);
  EXPECT_EQ(toolbar->Width(), 420);  // aligned to the top of the client area
  const QImage shot = form_->Widget()->grab().toImage();
  const QColor face = shot.pixelColor(300, kMenuBarHeight + 10);
  EXPECT_EQ(shot.pixelColor(300, kMenuBarHeight), QColor(ToQColor(clBtnShadow)));  // the top line
  EXPECT_NE(face, QColor(ToQColor(clBtnShadow)));
  // The bar shows the visible top-level items, with their & letters.
  ASSERT_NE(Bar(), nullptr);
  EXPECT_EQ(Bar()->geometry(), QRect(0, 0, 420, kMenuBarHeight));
  std::vector<std::string> titles;
  for (QAction* a : Bar()->actions()) {
    if (a->isVisible()) titles.push_back(a->text().toStdString());
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"&File", "&Edit", "&View"}));
}

TEST_F(MainMenuTest, AShortcutFiresOnceAfterThePreviewAndAMenuCarryingItShadowsItsItem) {
  Key(Qt::Key_Z, Qt::ControlModifier);
  // The Edit menu itself carries Ctrl+Z: it refreshes, and the Undo item stays untouched.
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"down 90", "EditMenu", "up 90"}));
  EXPECT_EQ(edit_->Text(), "");
  form_->Log.clear();
  Key(Qt::Key_S, Qt::ControlModifier);
  // An item's menu is clicked first, as if it opened, then the item.
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"down 83", "FileMenu", "SaveExitItem", "up 83"}));
  EXPECT_TRUE(seen_.empty());  // no menu opened for it
}

TEST_F(MainMenuTest, HiddenOrDisabledItemsDoNothingAndHiddenOnesLeaveTheKeyToTheControl) {
  std::vector<uint16_t> editKeys;
  edit_->OnKeyDown = [&](TObject*, uint16_t& K, TShiftState) {
    if (K != VK_CONTROL) editKeys.push_back(K);
  };
  Key(Qt::Key_X, Qt::ControlModifier);  // Cut: disabled, so the key is used up for nothing
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"down 88", "EditMenu", "up 88"}));
  EXPECT_TRUE(editKeys.empty());
  form_->Log.clear();
  Key(Qt::Key_F3);  // Find Next: hidden, as if it were not there
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"down 114", "up 114"}));
  EXPECT_EQ(editKeys, std::vector<uint16_t>{VK_F3});
  // A visible item under a hidden menu is out of reach too.
  Item("FindNextItem")->SetVisible(true);
  Item("EditMenu")->SetVisible(false);
  form_->Log.clear();
  Key(Qt::Key_F3);
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"down 114", "up 114"}));
  Item("EditMenu")->SetVisible(true);
  form_->Log.clear();
  Key(Qt::Key_F3);
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"down 114", "EditMenu", "FindNextItem", "up 114"}));
}

TEST_F(MainMenuTest, AMenuThatFreesTheShortcutsItemWhileRefreshingTakesTheKeyForNothing) {
  Item("EditMenu")->OnClick = [this](TObject*) {
    form_->Log.push_back("refresh");
    delete Item("RedoItem");
  };
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"down 89", "refresh", "up 89"}));
  EXPECT_EQ(Item("RedoItem"), nullptr);
}

TEST_F(MainMenuTest, TheKeyPreviewSeesTheKeyFirstAndMaySwallowIt) {
  form_->Swallow = 'S';
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"down 83", "up 83"}));
}

TEST_F(MainMenuTest, AltWithALetterOpensItsMenuUnlessAControlTakesTheLetter) {
  Key(Qt::Key_F, Qt::AltModifier);
  WaitForMenus(1);
  ASSERT_EQ(seen_.size(), 1u);
  EXPECT_EQ(seen_[0].Item, "FileMenu");
  EXPECT_EQ(seen_[0].Captions, (std::vector<std::string>{"&Save and Exit", "-", "&Print", "E&xit"}));
  EXPECT_EQ(seen_[0].ShortCuts[0], "Ctrl+S");
  EXPECT_EQ(seen_[0].ShortCuts[2], "Ctrl+P");
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"down 70", "FileMenu", "up 70"}));  // opened: clicked
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);  // the observer closed it
  // A control with the same letter comes first; a hidden menu's letter does nothing.
  auto* fix = new TButton(form_.get());
  fix->SetParent(form_.get());
  fix->SetCaption("&Fix");
  fix->OnClick = [this](TObject*) { form_->Log.push_back("Fix"); };
  form_->Log.clear();
  Key(Qt::Key_F, Qt::AltModifier);
  Key(Qt::Key_H, Qt::AltModifier);
  WaitForMenus(2);
  EXPECT_EQ(seen_.size(), 1u);
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"down 70", "Fix", "up 70", "down 72", "up 72"}));
}

TEST_F(MainMenuTest, AChosenEntryIsClickedOnceTheMenusHaveClosed) {
  bool popupOpenDuringClick = true;
  Item("ExitItem")->OnClick = [&](TObject*) {
    popupOpenDuringClick = QApplication::activePopupWidget() != nullptr;
    form_->Log.push_back("exit");
  };
  react_ = [](TMenuView& View) { View.Choose(View.IndexOf("Exit")); };
  menu_->Open(Item("FileMenu"));
  WaitForMenus(1);
  for (int i = 0; i < 20 && form_->Log.back() != "exit"; ++i)
    QTest::qWait(5);
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"FileMenu", "exit"}));
  EXPECT_FALSE(popupOpenDuringClick);
  // Choosing a disabled entry or a separator does nothing.
  form_->Log.clear();
  react_ = [](TMenuView& View) {
    View.Choose(1);
    View.Close();
  };
  menu_->Open(Item("FileMenu"));
  WaitForMenus(2);
  EXPECT_EQ(form_->Log, std::vector<std::string>{"FileMenu"});
}

TEST_F(MainMenuTest, SubMenusOpenWithTheirItemClickedAndShowTheDefaultItemInBold) {
  react_ = [](TMenuView& View) {
    if (View.Item()->Name() == "ViewMenu") {
      View.Choose(View.IndexOf("Options"));  // opens the sub-menu
    } else {
      View.Choose(View.IndexOf("Wrap"));
    }
  };
  menu_->Open(Item("ViewMenu"));
  WaitForMenus(2);
  for (int i = 0; i < 20 && form_->Log.back() != "WrapItem"; ++i)
    QTest::qWait(5);
  ASSERT_EQ(seen_.size(), 2u);
  EXPECT_EQ(seen_[0].Captions, (std::vector<std::string>{"&Toolbar", "&Options"}));
  EXPECT_EQ(seen_[0].Checked, (std::vector<bool>{true, false}));
  EXPECT_EQ(seen_[1].Item, "OptionsMenu");
  EXPECT_EQ(seen_[1].Bold, std::vector<bool>{true});
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"OptionsMenu", "WrapItem"}));
}

TEST_F(MainMenuTest, TheOpeningClickMayChangeAddAndFreeEntries) {
  TMenuItem* extra = nullptr;
  Item("EditMenu")->OnClick = [&](TObject*) {
    Item("RedoItem")->SetEnabled(false);
    Item("UndoItem")->SetCaption("&Undo Typing");
    delete Item("CutItem");
    extra = NewItem(form_.get(), "Verb", 0, [this](TObject*) { form_->Log.push_back("verb"); });
    Item("EditMenu")->Add(extra);
  };
  menu_->Open(Item("EditMenu"));
  WaitForMenus(1);
  ASSERT_EQ(seen_.size(), 1u);
  EXPECT_EQ(seen_[0].Captions, (std::vector<std::string>{"&Undo Typing", "&Redo", "Verb"}));
  EXPECT_EQ(seen_[0].Enabled, (std::vector<bool>{true, false, true}));
  // Freeing an entry while its menu is open takes it off the menu.
  react_ = [&](TMenuView& View) {
    delete extra;
    Pump();
    EXPECT_EQ(View.Items(2), nullptr);
    View.Close();
  };
  Item("EditMenu")->OnClick = nullptr;
  menu_->Open(Item("EditMenu"));
  WaitForMenus(2);
  EXPECT_EQ(Item("EditMenu")->Count(), 3);  // Undo, Redo and the hidden Find Next
}

TEST_F(MainMenuTest, TopLevelItemsAddedAndFreedAtRunTimeShowOnTheBar) {
  auto visibleTitles = [this]() {
    std::vector<std::string> titles;
    for (QAction* a : Bar()->actions()) {
      if (a->isVisible()) titles.push_back(a->text().toStdString());
    }
    return titles;
  };
  TMenuItem* tools = NewItem(form_.get(), "&Tools");
  menu_->Items()->Insert(2, tools);
  EXPECT_EQ(visibleTitles(), (std::vector<std::string>{"&File", "&Edit", "&Tools", "&View"}));
  Item("HelpMenu")->SetVisible(true);
  Item("FileMenu")->SetCaption("&Document");
  EXPECT_EQ(visibleTitles(), (std::vector<std::string>{"&Document", "&Edit", "&Tools", "&View", "Help"}));
  // A top-level command without sub-items is clicked from the bar.
  tools->OnClick = [this](TObject*) { form_->Log.push_back("tools"); };
  Key(Qt::Key_T, Qt::AltModifier);
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"down 84", "tools", "up 84"}));
  delete tools;
  EXPECT_EQ(visibleTitles(), (std::vector<std::string>{"&Document", "&Edit", "&View", "Help"}));
}

TEST_F(MainMenuTest, FreeingTheMenuGivesTheBarsPlaceBackAndKeepsTheClientArea) {
  delete menu_;
  Pump();
  EXPECT_EQ(form_->Menu(), nullptr);
  EXPECT_EQ(form_->ClientHeight(), 240);
  EXPECT_EQ(form_->Widget()->height(), 240);
  EXPECT_EQ(edit_->Widget()->y(), 40);
  EXPECT_EQ(Bar(), nullptr);
  Key(Qt::Key_S, Qt::ControlModifier);  // no menu: the key is the control's
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"down 83", "up 83"}));
}

TEST_F(MainMenuTest, HoveredItemsReportTheirLongHintThroughTheApplication) {
  std::vector<std::string> hints;
  Application->OnHint = [&](TObject*) { hints.push_back(Application->Hint()); };
  react_ = [](TMenuView& View) {
    auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(shown, nullptr);
    shown->setActiveAction(shown->actions().at(0));  // the pointer on Save and Exit
    shown->setActiveAction(shown->actions().at(3));  // then on Exit, whose hint has no bar
    View.Close();
  };
  menu_->Open(Item("FileMenu"));
  WaitForMenus(1);
  Application->OnHint = nullptr;
  // The hint goes empty when the menu closes.
  EXPECT_EQ(hints, (std::vector<std::string>{"Saves changes and exits editor", "Exit", ""}));
}

TEST_F(MainMenuTest, TheLayoutRoundTripsWithItsMenu) {
  form_->Hide();
  const std::string text = WriteLayout(*form_);
  EXPECT_NE(text.find("  Menu: MainMenu1\n"), std::string::npos);
  EXPECT_NE(text.find("      ShortCut: 16467\n"), std::string::npos);
  EXPECT_NE(text.find("          Default: true\n"), std::string::npos);
  // The bars and the marker are in it too, not only the menu.
  EXPECT_NE(text.find("    CapsPanel (TStatusPanel)\n      Width: 32\n"), std::string::npos);
  EXPECT_NE(text.find("      Bevel: pbNone\n"), std::string::npos);
  EXPECT_NE(text.find("    LeftMarker (TwwTrackIcon)\n"), std::string::npos);
  EXPECT_NE(text.find("      UpperLimit: 200\n"), std::string::npos);
  EXPECT_NE(text.find("    NewButton (TSpeedButton)\n"), std::string::npos);
  std::unique_ptr<TMenuTestForm> again(new TMenuTestForm(nullptr));
  TLayoutReader::ReadInto(*again, text, "again");
  EXPECT_EQ(again->ClientHeight(), 240);
  EXPECT_EQ(WriteLayout(*again), text);
}

}  // namespace
