// Find and replace through the real modeless dialogs: where each search starts and stops, the
// message at the end, Replace All taking every match once, and read-only controls.

#include <gtest/gtest.h>

#include <memory>

#include "gui/dialogs/find_dialog.h"
#include "gui_test_support.h"
#include "rich_control_support.h"
#include "richtext/edit/rich_edit_box.h"
#include "richtext/intl/rich_edit_intl.h"

namespace {

class RichFind : public RichControlTest {
 protected:
  void SetUp() override {
    RichControlTest::SetUp();
    // The find and replace dialogs stay open for the test to work; others close.
    driver_ = std::make_unique<TDialogDriver>([](TDialogView& View) {
      if (View.Caption() != "Find" && View.Caption() != "Replace") View.CloseWindow();
    });
    boxes_ = std::make_unique<TMessageBoxRecorder>();
  }
  void TearDown() override {
    boxes_.reset();
    driver_.reset();
    RichControlTest::TearDown();
  }
  TwwDBRichEdit* Control(const std::string& Text, bool ReadOnly = false) {
    TwwDBRichEdit* edit = AddControl("Edit", "", ReadOnly);
    edit->SetText(Text);
    ShowAndActivate(*Form);
    return edit;
  }
  // Opens the find dialog, types Text and presses Find Next Times times.
  std::unique_ptr<TDialogView> Find(TwwDBRichEdit& Edit, const std::string& Text) {
    Edit.ExecuteFindDialog();
    std::unique_ptr<TDialogView> view = Edit.FindDialog()->View();
    EXPECT_NE(view, nullptr);
    view->SetText("FindText", Text);
    return view;
  }
  std::unique_ptr<TDialogView> Replace(TwwDBRichEdit& Edit, const std::string& Text,
                                       const std::string& With) {
    Edit.ExecuteReplaceDialog();
    std::unique_ptr<TDialogView> view = Edit.ReplaceDialog()->View();
    EXPECT_NE(view, nullptr);
    view->SetText("FindText", Text);
    view->SetText("ReplaceText", With);
    return view;
  }
  static std::pair<int, int> Selection(TwwDBRichEdit& Edit) { return {Edit.SelStart(), Edit.SelLength()}; }
  int Messages() const { return static_cast<int>(boxes_->Boxes().size()); }

  std::unique_ptr<TDialogDriver> driver_;
  std::unique_ptr<TMessageBoxRecorder> boxes_;
};

TEST_F(RichFind, FindNextNeverMatchesAtTheSelectionStartWrapsOnceThenSaysSo) {
  TwwDBRichEdit* edit = Control("a b a");
  auto view = Find(*edit, "a");
  view->Press("FindNext");
  EXPECT_EQ(Selection(*edit), std::make_pair(4, 1));
  view->Press("FindNext");
  EXPECT_EQ(Selection(*edit), std::make_pair(0, 1));
  EXPECT_EQ(Messages(), 0);
  view->Press("FindNext");
  ASSERT_EQ(Messages(), 1);
  const TShownBox& box = boxes_->Boxes()[0];
  EXPECT_EQ(box.Text, "No more matches found");
  EXPECT_EQ(box.Icon, mtInformation);
  EXPECT_EQ(box.Buttons, TMsgDlgButtons{mbOK});
  EXPECT_EQ(Selection(*edit), std::make_pair(0, 1)) << "the last match stays selected";
  // The search starts anew from there.
  view->Press("FindNext");
  EXPECT_EQ(Selection(*edit), std::make_pair(4, 1));
  // Case and whole words as the dialog says.
  edit->SetText("Apple apple pineapple");
  edit->SetSelStart(0);
  view->SetText("FindText", "apple");
  view->SetChecked("MatchCase", true);
  view->SetChecked("WholeWord", true);
  view->Press("FindNext");
  EXPECT_EQ(Selection(*edit), std::make_pair(6, 5));
  view->Press("FindNext");
  EXPECT_EQ(Messages(), 2) << "pineapple is no whole word apple, Apple no match of case";
}

TEST_F(RichFind, TheDialogStartsWithTheSelectionOrElseTheLastFindText) {
  TwwDBRichEdit* edit = Control("one two\rthree two");
  edit->SetSelStart(4);
  edit->SetSelLength(3);
  auto view = Find(*edit, "two");
  EXPECT_EQ(edit->FindDialog()->FindText(), "two");
  view->SetText("FindText", "three");
  view->Press("FindNext");
  EXPECT_EQ(Selection(*edit), std::make_pair(8, 5));
  view->CloseWindow();
  // A selection across the line break is no find text: the last one comes back.
  edit->SetSelStart(2);
  edit->SetSelLength(8);
  edit->ExecuteFindDialog();
  EXPECT_EQ(edit->FindDialog()->FindText(), "three");
  edit->FindDialog()->CloseDialog();
  edit->SetSelStart(0);
  edit->SetSelLength(3);
  edit->ExecuteReplaceDialog();
  EXPECT_EQ(edit->ReplaceDialog()->FindText(), "one");
  edit->ReplaceDialog()->CloseDialog();
}

TEST_F(RichFind, TheSelectionShowsWhileADialogIsOpenAndHidesAgainWhenItCloses) {
  TwwDBRichEdit* edit = Control("text");
  ASSERT_TRUE(edit->HideSelection());
  auto view = Find(*edit, "t");
  EXPECT_FALSE(edit->HideSelection());
  view->CloseWindow();
  EXPECT_TRUE(edit->HideSelection());
  edit->SetHideSelection(false);
  auto replace = Replace(*edit, "t", "T");
  replace->Press("Cancel");
  EXPECT_FALSE(edit->HideSelection()) << "put back as it was";
}

TEST_F(RichFind, ReplaceTakesTheSelectedMatchThenSelectsTheNext) {
  TwwDBRichEdit* edit = Control("a b a");
  auto view = Replace(*edit, "a", "x");
  view->Press("Replace");  // the caret is no match: only found
  EXPECT_EQ(edit->Text(), "a b a");
  EXPECT_EQ(Selection(*edit), std::make_pair(4, 1));
  view->Press("Replace");
  EXPECT_EQ(edit->Text(), "a b x");
  EXPECT_EQ(Selection(*edit), std::make_pair(0, 1));
  view->Press("Replace");
  EXPECT_EQ(edit->Text(), "x b x");
  EXPECT_EQ(Messages(), 1);
  // Find Next in the replace dialog finds with the replace dialog's options.
  edit->SetText("B b");
  edit->SetSelStart(0);
  view->SetText("FindText", "b");
  view->SetChecked("MatchCase", true);
  view->Press("FindNext");
  EXPECT_EQ(Selection(*edit), std::make_pair(2, 1));
  EXPECT_EQ(edit->FindDialog()->FindText(), "b");
}

TEST_F(RichFind, ReplaceAllReplacesEveryMatchThereWasExactlyOnce) {
  struct TCase {
    const char* Text;
    int Caret;
    const char* Find;
    const char* With;
    const char* Result;
  };
  const TCase cases[] = {
      {"a b a", 0, "a", "x", "x b x"},
      {"aaa", 0, "a", "x", "xxx"},
      {"aaa", 0, "a", "aa", "aaaaaa"},  // the inserted text is never searched again
      {"a1a2a3", 2, "a", "b", "b1b2b3"},
      {"a1a2a3", 6, "a", "", "123"},
      {"abab", 1, "ab", "ba", "baba"},
      {"aaaa", 1, "aa", "b", "aba"},  // from the caret: one match there, none left before it
      {"one\rtwo one", 0, "one", "1", "1\r\ntwo 1"},
      {"none here", 3, "x", "y", "none here"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Text) + " / " + c.Find + " -> " + c.With);
    TwwDBRichEdit* edit = Control(c.Text);
    edit->SetSelStart(c.Caret);
    const int before = Messages();
    auto view = Replace(*edit, c.Find, c.With);
    view->Press("ReplaceAll");
    EXPECT_EQ(edit->Text(), c.Result);
    EXPECT_EQ(Messages(), before + 1) << "ends with the message";
    view->CloseWindow();
    delete edit;
  }
}

TEST_F(RichFind, ReplaceAllLeavesTheCaretBehindTheLastReplacementAndKeepsOptions) {
  TwwDBRichEdit* edit = Control("cat Cat cat");
  edit->SetSelStart(5);
  auto view = Replace(*edit, "cat", "dog");
  view->SetChecked("MatchCase", true);
  view->Press("ReplaceAll");
  EXPECT_EQ(edit->Text(), "dog Cat dog");
  EXPECT_EQ(Selection(*edit), std::make_pair(3, 0)) << "the search came round to the first one last";
  view->SetChecked("MatchCase", false);
  view->SetText("FindText", "DOG");
  view->SetText("ReplaceText", "cow");
  view->SetChecked("WholeWord", true);
  edit->SetText("dog dogs Dog");
  view->Press("ReplaceAll");
  EXPECT_EQ(edit->Text(), "cow dogs cow");
}

TEST_F(RichFind, AReadOnlyControlIsSearchedButNeverChanged) {
  TwwDBRichEdit* edit = Control("a b a", true);
  auto find = Find(*edit, "b");
  find->Press("FindNext");
  EXPECT_EQ(Selection(*edit), std::make_pair(2, 1));
  find->CloseWindow();
  edit->SetSelStart(0);
  auto view = Replace(*edit, "a", "x");
  view->Press("Replace");
  view->Press("Replace");
  view->Press("ReplaceAll");
  EXPECT_EQ(edit->Text(), "a b a");
  EXPECT_FALSE(edit->Modified());
}

TEST_F(RichFind, TheMessageComesFromTheTextTable) {
  RichEditIntl().UserMessages.LocateNoMoreMatches = "Keine weiteren Treffer";
  TwwDBRichEdit* edit = Control("abc");
  auto view = Find(*edit, "z");
  view->Press("FindNext");
  ResetRichEditIntl();
  ASSERT_EQ(Messages(), 1);
  EXPECT_EQ(boxes_->Boxes()[0].Text, "Keine weiteren Treffer");
}

}  // namespace
