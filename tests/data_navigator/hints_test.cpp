// Hints of the buttons: by position, empty lines keep the default, the default list clears.

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>

#include "navigator_test_support.h"

namespace {

std::vector<std::string> HintsOf(const TDBNavigator& Navigator) {
  std::vector<std::string> hints;
  for (TNavigateBtn kind : NavButtonKinds)
    hints.push_back(Navigator.Buttons(kind)->Hint());
  return hints;
}

const std::vector<std::string> Defaults = {"First record",  "Prior record",  "Next record", "Last record",
                                           "Insert record", "Delete record", "Edit record", "Post edit",
                                           "Cancel edit",   "Refresh data"};

TEST_F(NavigatorTest, HintsGoByPositionAndAnEmptyLineKeepsTheDefault) {
  EXPECT_EQ(HintsOf(*navigator_), Defaults);
  TStringList game;
  game.Add("Next question");
  game.Add("");
  navigator_->SetVisibleButtons({nbNext});
  navigator_->SetHints(&game);
  // The first line belongs to First although only Next is visible.
  std::vector<std::string> expected = Defaults;
  expected[0] = "Next question";
  EXPECT_EQ(HintsOf(*navigator_), expected);
  EXPECT_EQ(navigator_->Buttons(nbPrior)->Hint(), "Prior record");
  EXPECT_EQ(navigator_->Buttons(nbNext)->Hint(), "Next record");
  // Lines past the tenth count for nothing; every change of the list applies at once.
  for (int i = 0; i < 10; ++i)
    navigator_->Hints()->Add("extra " + std::to_string(i));
  EXPECT_EQ(navigator_->Buttons(nbRefresh)->Hint(), "extra 7");
  navigator_->Hints()->Put(2, "Onward");
  EXPECT_EQ(navigator_->Buttons(nbNext)->Hint(), "Onward");
  navigator_->Hints()->Clear();
  EXPECT_EQ(HintsOf(*navigator_), Defaults);
}

TEST_F(NavigatorTest, SettingTheWholeDefaultListClearsTheCustomHints) {
  navigator_->Hints()->Add("Back to the start");
  TStringList same;
  same.Assign(*navigator_->DefaultHints());
  navigator_->SetHints(&same);
  EXPECT_EQ(navigator_->Hints()->Count(), 0);
  EXPECT_EQ(HintsOf(*navigator_), Defaults);
  // One line different: the list is copied as it stands.
  same.Put(9, "Reload");
  navigator_->SetHints(&same);
  EXPECT_EQ(navigator_->Hints()->Count(), 10);
  EXPECT_EQ(navigator_->Buttons(nbRefresh)->Hint(), "Reload");
  EXPECT_EQ(navigator_->Buttons(nbFirst)->Hint(), "First record");
}

TEST_F(NavigatorTest, HoveringOverTheVisibleNextShowsNextRecord) {
  TStringList game;
  game.Add("Next question");
  game.Add("");
  navigator_->SetHints(&game);
  navigator_->SetVisibleButtons({nbNext});
  form_->SetShowHint(true);
  Place(113, 25);
  ShowAndActivate(*form_);
  QWidget* w = navigator_->Widget();
  QHelpEvent over(QEvent::ToolTip, Centre(nbNext), w->mapToGlobal(Centre(nbNext)));
  QApplication::sendEvent(w, &over);
  EXPECT_EQ(QToolTip::text(), "Next record");
  QToolTip::hideText();
}

}  // namespace
