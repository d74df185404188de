// The tab dialog, a real window on Qt's offscreen platform, driven while it runs modally: the
// position box, Set, Clear, Clear All, Return in the box, OK and Cancel. What OK writes is read
// back from the edit layer and from the RTF written afterwards.

#include <gtest/gtest.h>

#include <QTest>

#include "gui/forms/snapshot.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/edit.h"
#include "gui/stdctrls/group_box.h"
#include "gui/stdctrls/list_box.h"
#include "gui_test_support.h"
#include "rich_control_support.h"
#include "rich_dialog_support.h"
#include "richtext/dialogs/tab_dialog.h"
#include "richtext/edit/rich_edit_box.h"
#include "richtext/intl/rich_edit_intl.h"

namespace {

using TStep = TModalScript<TwwRichTabDialog>::TStep;

class TabDialog : public RichDialogTest {
 protected:
  void SetUp() override {
    RichDialogTest::SetUp();
    Edit->EditBox()->SetText("a\tb\tc");
  }
  bool Run(const TStep& Step) {
    TModalScript<TwwRichTabDialog> script({Step});
    const bool ok = Edit->ExecuteTabDialog();
    EXPECT_EQ(script.Shown(), 1);
    return ok;
  }
  void SetTabs(const std::vector<int>& Tabs) {
    Edit->ApplyParagraphFormat(kTabDialogFields, "", rlSingle, 0, 0, 0, Tabs, static_cast<int>(Tabs.size()),
                               0, 0, 0, false);
  }
};

std::string Listed(TwwRichTabDialog& D) {
  return D.ListBox1->Items()->Text();
}

void SetValue(TwwRichTabDialog& D, const std::string& Text) {
  TypeInto(D.Edit1, Text);
  Click(D.Button1);
}

TEST_F(TabDialog, ListsTheStopsSortedAsTextAndWritesThemInThatOrder) {
  SetTabs({2880, 14400});
  EXPECT_TRUE(Run([](TwwRichTabDialog& D) {
    EXPECT_EQ(D.ClientWidth(), 257);
    EXPECT_EQ(D.ClientHeight(), 192);
    EXPECT_EQ(D.Caption(), "Tab");
    EXPECT_EQ(D.TabGroupBox->Caption(), "&Tab Stop Position");
    EXPECT_EQ(D.Button1->Caption(), "Set");
    EXPECT_EQ(D.Button2->Caption(), "Clear");
    EXPECT_EQ(D.Button4->Caption(), "Clear All");
    EXPECT_EQ(D.OKButton->Caption(), "&OK");
    EXPECT_EQ(D.Button3->Caption(), "Cancel");
    EXPECT_TRUE(D.ListBox1->ShowHint());
    EXPECT_EQ(D.ListBox1->Hint(), "List of tabs and their positions");
    EXPECT_EQ(Listed(D), "10''\n2''\n");
    SaveArtefact("tab_dialog", SnapshotForm(D, nullptr));
    Click(D.OKButton);
  }));
  EXPECT_EQ(Para().Tabs, (std::vector<int>{14400, 2880}));
  const std::string rtf = Rtf();
  EXPECT_NE(rtf.find("\\tx14400\\tx2880"), std::string::npos) << rtf;
}

TEST_F(TabDialog, SetAddsAPositionOnceAndIgnoresNegativeOnesAndOKClosesWithoutAddingThem) {
  EXPECT_TRUE(Run([](TwwRichTabDialog& D) {
    SetValue(D, "0.5");
    EXPECT_EQ(Listed(D), "0.5''\n");
    EXPECT_EQ(D.Edit1->Text(), "");
    SetValue(D, "0.50''");
    EXPECT_EQ(Listed(D), "0.5''\n");
    SetValue(D, "-1");
    EXPECT_EQ(Listed(D), "0.5''\n");
    EXPECT_EQ(D.Edit1->Text(), "-1");  // ignored, not taken away
    SetValue(D, "23");
    EXPECT_EQ(Listed(D), "0.5''\n");
    TypeInto(D.Edit1, "-1");
    Click(D.OKButton);
    EXPECT_FALSE(D.Modal() && D.ModalResult() == mrNone);
  }));
  EXPECT_EQ(Para().Tabs, std::vector<int>{720});
}

TEST_F(TabDialog, OKWithAValueInTheBoxSetsItFirst) {
  EXPECT_TRUE(Run([](TwwRichTabDialog& D) {
    TypeInto(D.Edit1, "1.25");
    Click(D.OKButton);
  }));
  EXPECT_EQ(Para().Tabs, std::vector<int>{1800});
  EXPECT_NE(Rtf().find("\\tx1800"), std::string::npos);
}

TEST_F(TabDialog, BadValuesKeepTheDialogOpenWithTheFocusInTheBoxAndWriteNothing) {
  SetTabs({720});
  const std::string rtf = Rtf();
  for (const char* bad : {"abc", "1,5", "--1", "1e999", "22.01", "-22.01"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(Run([bad](TwwRichTabDialog& D) {
      TypeInto(D.Edit1, bad);
      D.OKButton->SetFocus();
      Click(D.OKButton);
      EXPECT_TRUE(D.Modal());
      EXPECT_EQ(D.ModalResult(), mrNone);
      EXPECT_EQ(D.ActiveControl(), D.Edit1);
      EXPECT_TRUE(HasFocus(D.Edit1));
      EXPECT_EQ(Listed(D), "0.5''\n");
      Click(D.Button3);
    }));
    EXPECT_EQ(Rtf(), rtf);
  }
  EXPECT_TRUE(Edit->CanUndo());  // only the stop set up above
  Edit->Undo();
  EXPECT_FALSE(Edit->CanUndo());
}

TEST_F(TabDialog, ReturnInThePositionBoxSetsItsValueOrClosesWithOKWhenEmpty) {
  EXPECT_TRUE(Run([](TwwRichTabDialog& D) {
    TypeInto(D.Edit1, "2");
    EXPECT_TRUE(HasFocus(D.Edit1));
    EXPECT_FALSE(D.OKButton->Default());  // Return belongs to the box now
    PressKey(D.Edit1, Qt::Key_Return);
    EXPECT_EQ(D.ModalResult(), mrNone);
    EXPECT_EQ(Listed(D), "2''\n");
    EXPECT_EQ(D.Edit1->Text(), "");
    // Out of the box, the OK button is the default again.
    D.ListBox1->SetFocus();
    EXPECT_TRUE(D.OKButton->Default());
    D.Edit1->SetFocus();
    EXPECT_FALSE(D.OKButton->Default());
    PressKey(D.Edit1, Qt::Key_Return);
    EXPECT_EQ(D.ModalResult(), mrOk);
  }));
  EXPECT_EQ(Para().Tabs, std::vector<int>{2880});
}

TEST_F(TabDialog, ClearTakesTheSelectedStopsAndClearAllEveryStop) {
  SetTabs({720, 1440, 2160});
  EXPECT_TRUE(Run([](TwwRichTabDialog& D) {
    EXPECT_EQ(Listed(D), "0.5''\n1''\n1.5''\n");
    D.ListBox1->SetSelected(0, true);
    D.ListBox1->SetSelected(2, true);
    Click(D.Button2);
    EXPECT_EQ(Listed(D), "1''\n");
    Click(D.OKButton);
  }));
  EXPECT_EQ(Para().Tabs, std::vector<int>{1440});
  EXPECT_TRUE(Run([](TwwRichTabDialog& D) {
    SetValue(D, "3");
    Click(D.Button4);
    EXPECT_EQ(D.ListBox1->Items()->Count(), 0);
    Click(D.OKButton);
  }));
  EXPECT_TRUE(Para().Tabs.empty());
  EXPECT_EQ(Rtf().find("\\tx"), std::string::npos);
}

TEST_F(TabDialog, OnlyTheFirst32ListedStopsAreWritten) {
  EXPECT_TRUE(Run([](TwwRichTabDialog& D) {
    for (int i = 1; i <= 40; ++i)
      SetValue(D, std::to_string(i * 0.25));
    EXPECT_EQ(D.ListBox1->Items()->Count(), 40);
    Click(D.OKButton);
  }));
  const std::vector<int> tabs = Para().Tabs;
  ASSERT_EQ(tabs.size(), 32u);
  // In list order: text order puts "1''" to "1.75''" and then "10''" before "2''".
  EXPECT_EQ(tabs[0], 360);    // 0.25
  EXPECT_EQ(tabs[3], 1440);   // 1
  EXPECT_EQ(tabs[7], 14400);  // 10
  EXPECT_EQ(tabs[8], 2880);   // 2
}

TEST_F(TabDialog, CentimetresAndStopsOffTheirGridKeptExactlyWhenLeftInTheList) {
  Edit->SetMeasurementUnits(muCentimeters);
  SetTabs({1000, 567});
  const std::string rtf = Rtf();
  EXPECT_TRUE(Run([](TwwRichTabDialog& D) {
    EXPECT_EQ(Listed(D), "1 cm\n1.76 cm\n");
    Click(D.OKButton);
  }));
  EXPECT_EQ(Para().Tabs, (std::vector<int>{567, 1000}));
  EXPECT_TRUE(Run([](TwwRichTabDialog& D) {
    SetValue(D, "2.537");
    EXPECT_EQ(Listed(D), "1 cm\n1.76 cm\n2.537 cm\n");
    Click(D.OKButton);
  }));
  EXPECT_EQ(Para().Tabs, (std::vector<int>{567, 1000, 1440}));
}

TEST_F(TabDialog, CancelWritesNothingAndTheTextsFollowTheTableWithoutHints) {
  RichEditIntl().TabDlg.TabDlgCaption = "Tabulatoren";
  RichEditIntl().TabDlg.SetTabButtonCaption = "Setzen";
  TwwRichEditOptions options = Edit->EditorOptions();
  options.Exclude(reoShowHints);
  Edit->SetEditorOptions(options);
  SetTabs({720});
  const std::string rtf = Rtf();
  EXPECT_FALSE(Run([](TwwRichTabDialog& D) {
    EXPECT_EQ(D.Caption(), "Tabulatoren");
    EXPECT_EQ(D.Button1->Caption(), "Setzen");
    EXPECT_FALSE(D.Edit1->ShowHint());
    EXPECT_FALSE(D.Button4->ShowHint());
    SetValue(D, "1");
    Click(D.Button4);
    PressKey(D.ListBox1, Qt::Key_Escape);
  }));
  EXPECT_EQ(Rtf(), rtf);
}

}  // namespace
