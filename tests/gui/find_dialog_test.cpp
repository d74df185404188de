// The modeless find and replace dialogs, driven through their views: finding while the
// dialog stays open and the window beside it keeps working, the options a press reports,
// and every way of closing (Cancel, the close button, the program).

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "gui/dialogs/find_dialog.h"
#include "gui/stdctrls/edit.h"
#include "gui_test_support.h"

namespace {

struct TFound {
  std::string Text;
  TFindOptions Options;
};

class FindDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.reset(new TForm(nullptr));
    form_->SetClientWidth(320);
    form_->SetClientHeight(200);
    memo_ = new TMemo(form_.get());
    memo_->SetParent(form_.get());
    memo_->SetBounds(8, 8, 300, 180);
    ShowAndActivate(*form_);
  }
  // Opens Dialog and waits until the observer has seen it.
  std::unique_ptr<TDialogView> Open(TFindDialog& Dialog, TDialogDriver& Driver) {
    EXPECT_TRUE(Dialog.Execute());
    EXPECT_TRUE(PumpUntil([&]() { return Driver.Shown() > 0; }));
    return Dialog.View();
  }
  int VisibleDialogs() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<QDialog*>(w) != nullptr && w->isVisible()) ++n;
    return n;
  }

  std::unique_ptr<TForm> form_;
  TMemo* memo_ = nullptr;
};

TEST_F(FindDialogTest, FindNextWhileTheDialogStaysOpenAndTheWindowKeepsWorking) {
  auto* dialog = new TFindDialog(form_.get());
  dialog->SetOptions({frDown, frHideUpDown, frMatchCase});
  std::vector<TFound> found;
  int closes = 0;
  dialog->OnFind = [&](TObject*) { found.push_back({dialog->FindText(), dialog->Options()}); };
  dialog->OnClose = [&](TObject*) { ++closes; };
  TDialogDriver driver([](TDialogView&) {});
  std::unique_ptr<TDialogView> view = Open(*dialog, driver);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->Caption(), "Find");
  EXPECT_FALSE(view->Modal());
  EXPECT_EQ(view->Text("FindLabel"), "Fi&nd what:");
  EXPECT_EQ(view->Text("FindNext"), "&Find Next");
  EXPECT_FALSE(view->Visible("Direction"));  // hidden by frHideUpDown
  EXPECT_TRUE(view->Checked("MatchCase"));
  EXPECT_FALSE(view->Enabled("FindNext"));  // nothing to find yet
  EXPECT_THROW(view->Press("FindNext"), EInvalidOperation);

  view->SetText("FindText", "a");
  view->SetChecked("WholeWord", true);
  view->Press("FindNext");
  // The window beside the dialog takes typing while the dialog is open.
  memo_->SetFocus();
  QTest::keyClicks(static_cast<QPlainTextEdit*>(memo_->Widget()), "a b a");
  EXPECT_EQ(memo_->Lines()->Text(), "a b a\n");
  view->SetChecked("MatchCase", false);
  view->Press("FindNext");
  EXPECT_TRUE(dialog->Showing());
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].Text, "a");
  EXPECT_EQ(found[0].Options, (TFindOptions{frDown, frHideUpDown, frMatchCase, frWholeWord, frFindNext}));
  EXPECT_EQ(found[1].Options, (TFindOptions{frDown, frHideUpDown, frWholeWord, frFindNext}));
  EXPECT_EQ(closes, 0);
  EXPECT_EQ(driver.Shown(), 1);

  view->Press("Cancel");
  Pump();
  EXPECT_FALSE(dialog->Showing());
  EXPECT_EQ(dialog->View(), nullptr);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(VisibleDialogs(), 0);
  // Shown again, the dialog starts from the last search.
  view = Open(*dialog, driver);
  EXPECT_EQ(view->Text("FindText"), "a");
  EXPECT_TRUE(view->Checked("WholeWord"));
  dialog->CloseDialog();
  EXPECT_EQ(closes, 2);
}

TEST_F(FindDialogTest, TheDirectionAndTheClosingButtonOfTheWindow) {
  auto* dialog = new TFindDialog(form_.get());
  dialog->SetFindText("needle");
  int closes = 0;
  TFindOptions seen;
  dialog->OnFind = [&](TObject*) { seen = dialog->Options(); };
  dialog->OnClose = [&](TObject*) { ++closes; };
  TDialogDriver driver([](TDialogView&) {});
  std::unique_ptr<TDialogView> view = Open(*dialog, driver);
  EXPECT_TRUE(view->Checked("Down"));
  view->SetChecked("Up", true);
  view->Press("FindNext");
  EXPECT_FALSE(seen.Contains(frDown));
  EXPECT_TRUE(dialog->Execute());  // already open: brought forward, not shown twice
  Pump();
  EXPECT_EQ(driver.Shown(), 1);
  view->CloseWindow();
  Pump();
  EXPECT_FALSE(dialog->Showing());
  EXPECT_EQ(closes, 1);
  dialog->CloseDialog();  // closed already: nothing happens
  EXPECT_EQ(closes, 1);
}

TEST_F(FindDialogTest, ReplaceReportsWhichButtonAndItsTexts) {
  auto* dialog = new TReplaceDialog(form_.get());
  std::vector<std::string> events;
  dialog->OnFind = [&](TObject*) { events.push_back("find " + dialog->FindText()); };
  dialog->OnReplace = [&](TObject*) {
    const bool all = dialog->Options().Contains(frReplaceAll);
    EXPECT_NE(all, dialog->Options().Contains(frReplace));
    events.push_back(std::string(all ? "all " : "one ") + dialog->FindText() + ">" + dialog->ReplaceText());
  };
  TDialogDriver driver([](TDialogView&) {});
  std::unique_ptr<TDialogView> view = Open(*dialog, driver);
  EXPECT_EQ(view->Caption(), "Replace");
  EXPECT_THROW(view->Checked("Up"), EInvalidArgument);  // no direction when replacing
  view->SetText("FindText", "a");
  view->SetText("ReplaceText", "x");
  view->Press("FindNext");
  view->Press("Replace");
  view->SetText("ReplaceText", "");
  view->Press("ReplaceAll");
  EXPECT_EQ(events, (std::vector<std::string>{"find a", "one a>x", "all a>"}));
  dialog->SetReplaceText("y");  // the program's text shows in the open dialog
  EXPECT_EQ(view->Text("ReplaceText"), "y");
  dialog->CloseDialog();
}

TEST_F(FindDialogTest, FreeingAnOpenDialogOrItsWindowLeavesNothingBehind) {
  auto* dialog = new TFindDialog(form_.get());
  TDialogDriver driver([](TDialogView&) {});
  Open(*dialog, driver);
  EXPECT_EQ(VisibleDialogs(), 1);
  delete dialog;
  Pump();
  EXPECT_EQ(VisibleDialogs(), 0);

  auto* second = new TFindDialog(nullptr);  // owned by no form: freed here
  std::unique_ptr<TFindDialog> owner(second);
  Open(*second, driver);
  form_.reset();  // the window it belongs to goes; the dialog's window goes with it
  Pump();
  EXPECT_FALSE(second->Showing());
  EXPECT_EQ(VisibleDialogs(), 0);
}

}  // namespace
