// The control's measurements and its one paragraph-format write, on the real edit layer: what a
// paragraph reads back through the box and what the RTF written afterwards says.

#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "data/fields/blob_field.h"
#include "gui_test_support.h"
#include "rich_control_support.h"
#include "rich_dialog_support.h"
#include "richtext/dialogs/units_entry.h"
#include "richtext/edit/rich_edit_box.h"
#include "richtext/intl/rich_edit_intl.h"

namespace {

using ParagraphFormat = RichDialogTest;

std::vector<int> Stops(int Count, int First, int Step) {
  std::vector<int> tabs;
  for (int i = 0; i < Count; ++i)
    tabs.push_back(First + i * Step);
  return tabs;
}

TEST_F(ParagraphFormat, TwipsShowInInchesOrCentimetresOf2537ToTheInchRoundedToTwoDecimals) {
  EXPECT_DOUBLE_EQ(Edit->TwipsToUnits(1080), 0.75);
  EXPECT_DOUBLE_EQ(Edit->TwipsToUnits(-360), -0.25);
  EXPECT_DOUBLE_EQ(Edit->TwipsToUnits(240), 0.17);
  EXPECT_DOUBLE_EQ(Edit->TwipsToUnits(31680), 22);
  // Halves go to the even neighbour: 36 twips are 0.025 inch.
  EXPECT_DOUBLE_EQ(Edit->TwipsToUnits(36), 0.02);
  EXPECT_DOUBLE_EQ(Edit->TwipsToUnits(108), 0.08);  // 0.075
  EXPECT_EQ(Edit->UnitsText(0.75), "0.75''");
  EXPECT_EQ(Edit->UnitsText(-0.0), "0''");
  EXPECT_EQ(Edit->UnitsText(2), "2''");
  Edit->SetMeasurementUnits(muCentimeters);
  EXPECT_DOUBLE_EQ(Edit->TwipsToUnits(1440), 2.54);  // 2.537 rounded, not 2.54 of a true inch
  EXPECT_DOUBLE_EQ(Edit->TwipsToUnits(240), 0.42);
  EXPECT_DOUBLE_EQ(Edit->TwipsToUnits(567), 1);
  EXPECT_EQ(Edit->UnitsText(1.9), "1.9 cm");
  EXPECT_EQ(Edit->MarginToTwips("2.537 cm"), 1440);
}

TEST_F(ParagraphFormat, SnappedTextShowsEighthsOfAnInchTwentiethsOfACentimetreOrTheStepAsked) {
  EXPECT_EQ(Edit->SnappedUnitsText(0, 0.75), "0.75''");
  EXPECT_EQ(Edit->SnappedUnitsText(0, -0.25), "-0.25''");
  EXPECT_EQ(Edit->SnappedUnitsText(0, 0.13), "0.125''");  // 180 twips read back as 0.13
  // Up to a third of a step above a grid point stays there; beyond it goes to the next.
  EXPECT_EQ(Edit->SnappedUnitsText(0, 0.16), "0.125''");
  EXPECT_EQ(Edit->SnappedUnitsText(0, 0.17), "0.25''");
  EXPECT_EQ(Edit->SnappedUnitsText(0, -0.17), "-0.25''");
  EXPECT_EQ(Edit->SnappedUnitsText(0, 0), "0''");
  EXPECT_EQ(Edit->SnappedUnitsText(100, 0.17), "0.17''");
  EXPECT_EQ(Edit->SnappedUnitsText(100, 1.5), "1.5''");
  // A step finer than the kept thousandths, or a value too large to scale, shows as it is.
  EXPECT_EQ(Edit->SnappedUnitsText(5000, 0.25), "0.25''");
  EXPECT_EQ(Edit->SnappedUnitsText(0, 1e300), "1e+300''");
  Edit->SetMeasurementUnits(muCentimeters);
  EXPECT_EQ(Edit->SnappedUnitsText(0, 1.27), "1.3 cm");
  EXPECT_EQ(Edit->SnappedUnitsText(0, 1.25), "1.25 cm");
  EXPECT_EQ(Edit->SnappedUnitsText(100, 0.42), "0.42 cm");
}

TEST_F(ParagraphFormat, EveryGridValueTheBoxesShowReadsBackAsTheSameTwips) {
  for (TwwMeasurementUnits units : {muInches, muCentimeters}) {
    Edit->SetMeasurementUnits(units);
    const double step = units == muInches ? 0.125 : 0.05;
    for (int k = -440; k <= 440; ++k) {
      const double value = k * step;
      if (std::abs(value) > (units == muInches ? 22 : 55.8)) continue;
      const int twips = MarginValueToTwips(value, units);
      const std::string shown = Edit->SnappedUnitsText(0, Edit->TwipsToUnits(twips));
      ASSERT_EQ(EnteredTwips(*Edit, shown), twips) << shown;
    }
    // Spacing in hundredths.
    for (int k = 0; k <= 2200; k += 7) {
      const int twips = MarginValueToTwips(k / 100.0, units);
      const std::string shown = Edit->SnappedUnitsText(100, Edit->TwipsToUnits(twips));
      ASSERT_EQ(EnteredTwips(*Edit, shown), twips) << shown;
    }
  }
}

TEST_F(ParagraphFormat, ABoxTakesNumbersWithOrWithoutTheirUnitUpTo22InchesEitherWay) {
  EXPECT_EQ(EnteredTwips(*Edit, "1"), 1440);
  EXPECT_EQ(EnteredTwips(*Edit, " 0.5'' "), 720);
  EXPECT_EQ(EnteredTwips(*Edit, "+1"), 1440);
  EXPECT_EQ(EnteredTwips(*Edit, "22"), 31680);
  EXPECT_EQ(EnteredTwips(*Edit, "-22''"), -31680);
  EXPECT_EQ(EnteredTwips(*Edit, ""), 0);
  EXPECT_EQ(EnteredTwips(*Edit, " cm"), 0);
  EXPECT_EQ(EnteredTwips(*Edit, "c"), 0);  // a unit without a number
  for (const char* bad :
       {"abc", "1,5", "--1", "+-1", "1e999", "22.01", "-22.01", "inf", "nan", "1 2", "0x10"})
    EXPECT_FALSE(EnteredTwips(*Edit, bad).has_value()) << bad;
  Edit->SetMeasurementUnits(muCentimeters);
  EXPECT_EQ(EnteredTwips(*Edit, "1 cm"), 567);
  EXPECT_EQ(EnteredTwips(*Edit, "1cm"), 567);
  EXPECT_EQ(EnteredTwips(*Edit, "55.8"), 31672);
  EXPECT_FALSE(EnteredTwips(*Edit, "55.82").has_value());
  EXPECT_THROW(Edit->MarginToTwips("+-1"), EConvertError);
}

TEST_F(ParagraphFormat, TheWriteChangesOnlyTheMaskedMembersOfEveryParagraphOfTheSelectionAsOneUndoStep) {
  Edit->EditBox()->SetText("one\ntwo\nthree");
  Edit->EditBox()->SetSelection(0, -1);
  TRichParaFormat start;
  start.Alignment = raRight;
  start.StartIndent = 100;
  start.Offset = 200;
  start.RightIndent = 300;
  start.Tabs = {500};
  start.SpaceBefore = 40;
  start.SpaceAfter = 60;
  start.LineSpacingRule = rlExactly;
  start.LineSpacing = 400;
  Make(start);
  Edit->EditBox()->SetModified(false);
  Edit->EditBox()->SetSelection(2, 6);  // "e" of one to "t" of two: the first two paragraphs
  Edit->ApplyParagraphFormat(kParagraphDialogFields, "Center", rlMultiple, 25, 120, 80, {1440}, 1, 720, 360,
                             -180, true);
  for (int position : {0, 4}) {
    Edit->EditBox()->SetSelection(position, position);
    const TRichParaFormat f = Para();
    EXPECT_EQ(f.Alignment, raCenter);
    EXPECT_EQ(f.StartIndent, 720);
    EXPECT_EQ(f.Offset, -180);
    EXPECT_EQ(f.RightIndent, 360);
    EXPECT_EQ(f.SpaceBefore, 80);
    EXPECT_EQ(f.SpaceAfter, 120);
    EXPECT_EQ(f.LineSpacingRule, rlMultiple);
    EXPECT_EQ(f.LineSpacing, 25);
    // Not in the mask: the tab stops and the numbering stay.
    EXPECT_EQ(f.Tabs, std::vector<int>{500});
    EXPECT_EQ(f.Numbering, rnNone);
  }
  Edit->EditBox()->SetSelection(8, 8);
  EXPECT_EQ(Para().Alignment, raRight);
  EXPECT_TRUE(Edit->Modified());
  // One undo takes the whole change back, on both paragraphs.
  ASSERT_TRUE(Edit->CanUndo());
  Edit->Undo();
  for (int position : {0, 4}) {
    Edit->EditBox()->SetSelection(position, position);
    EXPECT_EQ(Para().Alignment, raRight);
    EXPECT_EQ(Para().StartIndent, 100);
    EXPECT_EQ(Para().LineSpacingRule, rlExactly);
    EXPECT_EQ(Para().SpaceAfter, 60);
  }
  // What is left to undo is the format made above.
  Edit->Undo();
  EXPECT_EQ(Para().Alignment, raLeft);
  EXPECT_FALSE(Edit->CanUndo());
}

TEST_F(ParagraphFormat, TheAlignmentIsNamedByTheTextTableLabels) {
  Edit->EditBox()->SetText("text");
  auto align = [this](const std::string& Label) {
    Edit->ApplyParagraphFormat({pfAlignment}, Label, rlSingle, 0, 0, 0, {}, 0, 0, 0, 0, false);
    return Para().Alignment;
  };
  EXPECT_EQ(align("Left"), raLeft);
  EXPECT_EQ(align("Right"), raRight);
  EXPECT_EQ(align("Center"), raCenter);
  EXPECT_EQ(align("left"), raCenter);  // anything that is not the left or right label centres
  EXPECT_EQ(align(""), raCenter);
  RichEditIntl().ParagraphDlg.AlignLeft = "Links";
  RichEditIntl().ParagraphDlg.AlignRight = "Rechts";
  EXPECT_EQ(align("Rechts"), raRight);
  EXPECT_EQ(align("Links"), raLeft);
  EXPECT_EQ(align("Left"), raCenter);
}

TEST_F(ParagraphFormat, AtMost32TabStopsOfTheCountGivenAreWrittenAndTheRtfCarriesThem) {
  Edit->EditBox()->SetText("a\tb");
  const std::vector<int> forty = Stops(40, 360, 360);
  Edit->ApplyParagraphFormat(kTabDialogFields, "", rlSingle, 0, 0, 0, forty, 40, 0, 0, 0, false);
  const std::vector<int> written = Para().Tabs;
  ASSERT_EQ(written.size(), 32u);
  EXPECT_EQ(written, std::vector<int>(forty.begin(), forty.begin() + 32));
  const std::string rtf = Rtf();
  EXPECT_NE(rtf.find("\\tx360"), std::string::npos);
  EXPECT_NE(rtf.find("\\tx11520"), std::string::npos);
  EXPECT_EQ(rtf.find("\\tx11880"), std::string::npos);
  // The count limits the stops taken, and a count beyond the list takes the list.
  Edit->ApplyParagraphFormat(kTabDialogFields, "", rlSingle, 0, 0, 0, forty, 3, 0, 0, 0, false);
  EXPECT_EQ(Para().Tabs, (std::vector<int>{360, 720, 1080}));
  Edit->ApplyParagraphFormat(kTabDialogFields, "", rlSingle, 0, 0, 0, {720, 100}, 99, 0, 0, 0, false);
  EXPECT_EQ(Para().Tabs, (std::vector<int>{720, 100}));  // in the order given
  Edit->ApplyParagraphFormat(kTabDialogFields, "", rlSingle, 0, 0, 0, {720}, -1, 0, 0, 0, false);
  EXPECT_TRUE(Para().Tabs.empty());
}

TEST_F(ParagraphFormat, TheBulletWriteSetsTheNumberingAndAHangingOffset) {
  Edit->EditBox()->SetText("item");
  Edit->ApplyParagraphFormat(kBulletFields, "", rlSingle, 0, 0, 0, {}, 0, 0, 0, 720, true);
  EXPECT_EQ(Para().Numbering, rnBullet);
  EXPECT_EQ(Para().Offset, 720);
  EXPECT_NE(Rtf().find("\\pnlvlblt"), std::string::npos);
  Edit->ApplyParagraphFormat({pfNumbering}, "", rlSingle, 0, 0, 0, {}, 0, 0, 0, 0, false);
  EXPECT_EQ(Para().Numbering, rnNone);
}

TEST_F(ParagraphFormat, AVersionOneControlReadsAndWritesNoSpacing) {
  Load("{\\rtf1\\pard\\li720\\fi-360\\sb120\\sa240\\sl-300\\slmult0 text\\par}");
  TRichParaFormat two = Edit->ReadParagraphFormat();
  EXPECT_EQ(two.SpaceBefore, 120);
  EXPECT_EQ(two.SpaceAfter, 240);
  EXPECT_EQ(two.LineSpacingRule, rlExactly);
  EXPECT_EQ(two.LineSpacing, 300);
  EXPECT_TRUE(two.Fields.Contains(pfSpaceBefore));
  Edit->SetRichEditVersion(1);  // a new window, the same content
  const TRichParaFormat one = Edit->ReadParagraphFormat();
  EXPECT_EQ(one.StartIndent, 360);
  EXPECT_EQ(one.Offset, 360);
  EXPECT_EQ(one.SpaceBefore, 0);
  EXPECT_EQ(one.SpaceAfter, 0);
  EXPECT_EQ(one.LineSpacingRule, rlSingle);
  EXPECT_EQ(one.LineSpacing, 0);
  EXPECT_FALSE(one.Fields.Contains(pfSpaceBefore));
  EXPECT_FALSE(one.Fields.Contains(pfLineSpacing));
  EXPECT_TRUE(one.Fields.Contains(pfStartIndent));
  // Writing spacing to a version-1 control leaves the paragraph's own.
  Edit->ApplyParagraphFormat(kParagraphDialogFields, "Left", rlDouble, 0, 0, 0, {}, 0, 0, 0, 0, false);
  Edit->SetRichEditVersion(2);
  const TRichParaFormat after = Edit->ReadParagraphFormat();
  EXPECT_EQ(after.StartIndent, 0);
  EXPECT_EQ(after.SpaceBefore, 120);
  EXPECT_EQ(after.LineSpacingRule, rlExactly);
}

TEST_F(ParagraphFormat, WithoutAWindowTheFormatReadsAsZero) {
  TwwDBRichEdit loose(nullptr);
  const TRichParaFormat f = loose.ReadParagraphFormat();
  EXPECT_FALSE(loose.HandleAllocated());
  EXPECT_TRUE(f.Fields.Empty());
  EXPECT_EQ(f.StartIndent, 0);
  EXPECT_EQ(f.Alignment, raLeft);
  EXPECT_TRUE(f.Tabs.empty());
}

TEST_F(ParagraphFormat, ATabStopTheParagraphHasKeepsItsKind) {
  Load("{\\rtf1\\pard\\tqc\\tx720\\tqr\\tx1440 a\\tab b\\par}");
  Edit->ApplyParagraphFormat(kTabDialogFields, "", rlSingle, 0, 0, 0, {1440, 2160}, 2, 0, 0, 0, false);
  const std::string rtf = Rtf();
  EXPECT_NE(rtf.find("\\tqr\\tx1440"), std::string::npos) << rtf;
  EXPECT_EQ(rtf.find("\\tqc"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("\\tx2160"), std::string::npos);
  EXPECT_EQ(rtf.find("\\tqr\\tx2160"), std::string::npos);
}

class BoundParagraphFormat : public RichControlTest {};

TEST_F(BoundParagraphFormat, TheWriteStartsAnEditAndTheRowGetsTheFormatAsRtf) {
  AddRows({{"{\\rtf1 text\\par}", "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question", false);
  Open();
  ASSERT_EQ(Query->Mode(), dmBrowse);
  top->ApplyParagraphFormat(kParagraphDialogFields, "Right", rlAtLeast, 300, 120, 60, {}, 0, 1440, 720, -360,
                            false);
  EXPECT_EQ(Query->Mode(), dmEdit);
  EXPECT_EQ(top->Text(), "text");  // entering edit mode left the content alone
  Query->PostRow();
  EXPECT_EQ(Posts, 1);
  ASSERT_TRUE(Cell(0, "Question").has_value());
  const std::string rtf = *Cell(0, "Question");
  for (const char* word : {"\\qr", "\\li1080", "\\fi360", "\\ri720", "\\sb60", "\\sa120", "\\sl300\\slmult0"})
    EXPECT_NE(rtf.find(word), std::string::npos) << word << " in " << rtf;
}

TEST_F(BoundParagraphFormat, AReadOnlyControlStartsNoEdit) {
  AddRows({{"{\\rtf1 text\\par}", "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question", true);
  Open();
  top->ApplyParagraphFormat({pfAlignment}, "Right", rlSingle, 0, 0, 0, {}, 0, 0, 0, 0, false);
  EXPECT_EQ(Query->Mode(), dmBrowse);
  EXPECT_EQ(Posts, 0);
}

}  // namespace
