// The paragraph dialog, a real window on Qt's offscreen platform, driven while it runs modally the
// way a player would: typing into its boxes, choosing entries, pressing its buttons and keys. What
// OK writes is read back from the edit layer and from the RTF written afterwards.

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <cctype>
#include <cmath>

#include "gui/forms/snapshot.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/combo_box.h"
#include "gui/stdctrls/edit.h"
#include "gui/stdctrls/label.h"
#include "gui_test_support.h"
#include "rich_control_support.h"
#include "rich_dialog_support.h"
#include "richtext/dialogs/paragraph_dialog.h"
#include "richtext/edit/rich_edit_box.h"
#include "richtext/intl/rich_edit_intl.h"

namespace {

using TStep = TModalScript<TwwRichParagraphDialog>::TStep;

class ParagraphDialog : public RichDialogTest {
 protected:
  // Opens the dialog on the current paragraph and runs Step while it shows; answers the result.
  bool Run(const TStep& Step) {
    TModalScript<TwwRichParagraphDialog> script({Step});
    const bool ok = Edit->ExecuteParagraphDialog();
    EXPECT_EQ(script.Shown(), 1);
    return ok;
  }
  bool PressOK() {
    return Run([](TwwRichParagraphDialog& D) { Click(D.OKBtn); });
  }
};

void ExpectSame(const TRichParaFormat& A, const TRichParaFormat& B) {
  EXPECT_EQ(A.Alignment, B.Alignment);
  EXPECT_EQ(A.StartIndent, B.StartIndent);
  EXPECT_EQ(A.Offset, B.Offset);
  EXPECT_EQ(A.RightIndent, B.RightIndent);
  EXPECT_EQ(A.SpaceBefore, B.SpaceBefore);
  EXPECT_EQ(A.SpaceAfter, B.SpaceAfter);
  EXPECT_EQ(A.LineSpacingRule, B.LineSpacingRule);
  EXPECT_EQ(A.LineSpacing, B.LineSpacing);
  EXPECT_EQ(A.Tabs, B.Tabs);
  EXPECT_EQ(A.Numbering, B.Numbering);
}

bool Contains(const std::string& Rtf, const std::string& Word) {
  // A control word ends where a letter or digit cannot follow it.
  for (size_t at = Rtf.find(Word); at != std::string::npos; at = Rtf.find(Word, at + 1)) {
    const size_t end = at + Word.size();
    if (end >= Rtf.size() || !std::isdigit(static_cast<unsigned char>(Rtf[end]))) return true;
  }
  return false;
}

TEST_F(ParagraphDialog, ShowsTheParagraphWithTheTextTableAndOKUnchangedWritesItBack) {
  Load("{\\rtf1\\pard\\li1080\\fi-360 first paragraph\\par second\\par}");
  const TRichParaFormat before = Para();
  ASSERT_EQ(before.StartIndent, 720);
  ASSERT_EQ(before.Offset, 360);
  const std::string rtf = Rtf();
  bool ok = Run([](TwwRichParagraphDialog& D) {
    EXPECT_EQ(D.ClientWidth(), 331);
    EXPECT_EQ(D.ClientHeight(), 229);
    EXPECT_EQ(D.Caption(), "Paragraph");
    EXPECT_EQ(D.LeftEdit->Text(), "0.75''");
    EXPECT_EQ(D.FirstLineEdit->Text(), "-0.25''");
    EXPECT_EQ(D.RightEdit->Text(), "0''");
    EXPECT_EQ(D.BeforeParagraphEdit->Text(), "0''");
    EXPECT_EQ(D.AfterParagraphEdit->Text(), "0''");
    EXPECT_EQ(D.LineSpacingComboBox->Text(), "Single");
    EXPECT_EQ(D.WithinParagraphEdit->Text(), "");
    EXPECT_EQ(D.AlignmentCombo->Text(), "Left");
    EXPECT_EQ(D.AlignmentCombo->Items()->Text(), "Left\nCenter\nRight\n");
    EXPECT_EQ(D.OKBtn->Caption(), "&OK");
    EXPECT_EQ(D.CancelBtn->Caption(), "Cancel");
    EXPECT_EQ(D.IndentationLabel->Caption(), "Indentation");
    EXPECT_EQ(D.SpacingLabel->Caption(), "Spacing");
    EXPECT_EQ(D.BeforeLabel->Caption(), "&Before");
    EXPECT_EQ(D.LineSpacingLabel->Caption(), "Li&ne Spacing");
    EXPECT_EQ(D.AtLabel->Caption(), "&At");
    // The default options show the hints of the indent boxes and the alignment box.
    EXPECT_TRUE(D.LeftEdit->ShowHint());
    EXPECT_EQ(D.FirstLineEdit->Hint(), "First Line of Paragraph Indentation");
    EXPECT_EQ(D.AlignmentCombo->Hint(), "Changes Alignment of Paragraph");
    SaveArtefact("paragraph_dialog", SnapshotForm(D, nullptr));
    Click(D.OKBtn);
  });
  EXPECT_TRUE(ok);
  ExpectSame(Para(), before);
  EXPECT_EQ(Rtf(), rtf);
  EXPECT_TRUE(Contains(Rtf(), "\\li1080"));
  EXPECT_TRUE(Contains(Rtf(), "\\fi-360"));
}

TEST_F(ParagraphDialog, TranslatedTextsShowAndHintsOnlyWithTheOption) {
  TwwDBRichEditIntl& table = RichEditIntl();
  table.ParagraphDlg.ParagraphDlgCaption = "Absatz";
  table.ParagraphDlg.LeftEditCaption = "Links:";
  table.ParagraphDlg.AlignLeft = "Linksbündig";
  table.ParagraphDlg.AlignCenter = "Zentriert";
  table.ParagraphDlg.AlignRight = "Rechtsbündig";
  table.Buttons.CancelCaption = "Abbrechen";
  TwwRichEditOptions options = Edit->EditorOptions();
  options.Exclude(reoShowHints);
  Edit->SetEditorOptions(options);
  Load("{\\rtf1\\pard\\qr text\\par}");
  EXPECT_TRUE(Run([](TwwRichParagraphDialog& D) {
    EXPECT_EQ(D.Caption(), "Absatz");
    EXPECT_EQ(D.LeftLabel->Caption(), "Links:");
    EXPECT_EQ(D.CancelBtn->Caption(), "Abbrechen");
    EXPECT_EQ(D.AlignmentCombo->Text(), "Rechtsbündig");
    EXPECT_FALSE(D.LeftEdit->ShowHint());
    EXPECT_FALSE(D.AlignmentCombo->ShowHint());
    ChooseWithMouse(D.AlignmentCombo, 0);
    Click(D.OKBtn);
  }));
  EXPECT_EQ(Para().Alignment, raLeft);
}

TEST_F(ParagraphDialog, EveryBoxTypedIsWrittenAndTheRtfCarriesIt) {
  Edit->EditBox()->SetText("one\ntwo\nthree");
  Edit->EditBox()->SetSelection(1, 5);  // the first two paragraphs
  EXPECT_TRUE(Run([](TwwRichParagraphDialog& D) {
    TypeInto(D.LeftEdit, "1");
    TypeInto(D.FirstLineEdit, "-0.5''");
    TypeInto(D.RightEdit, "0.25");
    TypeInto(D.BeforeParagraphEdit, "0.1");
    TypeInto(D.AfterParagraphEdit, "0.2''");
    ChooseWithMouse(D.LineSpacingComboBox, rlExactly);
    TypeInto(D.WithinParagraphEdit, "0.5");
    ChooseWithMouse(D.AlignmentCombo, 2);
    Click(D.OKBtn);
  }));
  for (int position : {0, 4}) {
    Edit->EditBox()->SetSelection(position, position);
    const TRichParaFormat f = Para();
    EXPECT_EQ(f.Alignment, raRight);
    EXPECT_EQ(f.StartIndent + f.Offset, 1440);  // the left box: where the other lines start
    EXPECT_EQ(f.Offset, 720);                   // the first line stands out by half an inch
    EXPECT_EQ(f.RightIndent, 360);
    EXPECT_EQ(f.SpaceBefore, 144);
    EXPECT_EQ(f.SpaceAfter, 288);
    EXPECT_EQ(f.LineSpacingRule, rlExactly);
    EXPECT_EQ(f.LineSpacing, 720);
  }
  Edit->EditBox()->SetSelection(9, 9);
  EXPECT_EQ(Para().Alignment, raLeft);
  const std::string rtf = Rtf();
  for (const char* word :
       {"\\qr", "\\li1440", "\\fi-720", "\\ri360", "\\sb144", "\\sa288", "\\sl-720\\slmult0"})
    EXPECT_TRUE(Contains(rtf, word)) << word << " in " << rtf;
  // One undo takes the dialog's change back.
  Edit->Undo();
  Edit->EditBox()->SetSelection(0, 0);
  EXPECT_EQ(Para().StartIndent, 0);
  EXPECT_EQ(Para().Alignment, raLeft);
}

TEST_F(ParagraphDialog, OneCentimetreTypedWithOrWithoutTheBlankIs567Twips) {
  Edit->SetMeasurementUnits(muCentimeters);
  Edit->EditBox()->SetText("text");
  for (const char* typed : {"1 cm", "1cm"}) {
    SCOPED_TRACE(typed);
    EXPECT_TRUE(Run([typed](TwwRichParagraphDialog& D) {
      EXPECT_EQ(D.LeftEdit->Text(), "0 cm");
      TypeInto(D.LeftEdit, typed);
      Click(D.OKBtn);
    }));
    EXPECT_EQ(Para().StartIndent + Para().Offset, 567);
    EXPECT_TRUE(Contains(Rtf(), "\\li567"));
    Edit->Undo();
  }
}

TEST_F(ParagraphDialog, TheLineSpacingBoxFollowsTheChosenRuleAndTypingChoosesMultiple) {
  Edit->EditBox()->SetText("text");
  EXPECT_TRUE(Run([](TwwRichParagraphDialog& D) {
    ChooseWithMouse(D.LineSpacingComboBox, rlExactly);
    EXPECT_EQ(D.WithinParagraphEdit->Text(), "0.17''");
    ChooseWithMouse(D.LineSpacingComboBox, rlMultiple);
    EXPECT_EQ(D.WithinParagraphEdit->Text(), "1");
    ChooseWithMouse(D.LineSpacingComboBox, rlDouble);
    EXPECT_EQ(D.WithinParagraphEdit->Text(), "");
    ChooseWithKeys(D.LineSpacingComboBox, rlAtLeast);
    EXPECT_EQ(D.WithinParagraphEdit->Text(), "0.17''");
    ChooseWithKeys(D.LineSpacingComboBox, rlSingle);
    EXPECT_EQ(D.WithinParagraphEdit->Text(), "");
    EXPECT_EQ(D.LineSpacingComboBox->ItemIndex(), rlSingle);
    D.WithinParagraphEdit->SetFocus();
    QTest::keyClicks(D.WithinParagraphEdit->Widget(), "3");
    EXPECT_EQ(D.LineSpacingComboBox->ItemIndex(), rlMultiple);
    EXPECT_EQ(D.LineSpacingComboBox->Text(), "Multiple");
    EXPECT_EQ(D.WithinParagraphEdit->Text(), "3");
    Click(D.OKBtn);
  }));
  EXPECT_EQ(Para().LineSpacingRule, rlMultiple);
  EXPECT_EQ(Para().LineSpacing, 60);
  EXPECT_TRUE(Contains(Rtf(), "\\sl720\\slmult1"));
  Edit->SetMeasurementUnits(muCentimeters);
  EXPECT_TRUE(Run([](TwwRichParagraphDialog& D) {
    EXPECT_EQ(D.WithinParagraphEdit->Text(), "3");
    ChooseWithMouse(D.LineSpacingComboBox, rlAtLeast);
    EXPECT_EQ(D.WithinParagraphEdit->Text(), "0.42 cm");
    Click(D.OKBtn);
  }));
  EXPECT_EQ(Para().LineSpacingRule, rlAtLeast);
  EXPECT_EQ(Para().LineSpacing, 238);  // 0.42 cm of 1/2.537 inch
  EXPECT_TRUE(Contains(Rtf(), "\\sl238\\slmult0"));
}

TEST_F(ParagraphDialog, EmptyBoxesMeanZero) {
  Load("{\\rtf1\\pard\\li1440\\fi-720\\ri360\\sb120\\sa240\\sl-400\\slmult0 text\\par}");
  EXPECT_TRUE(Run([](TwwRichParagraphDialog& D) {
    for (TEdit* box : {D.LeftEdit, D.FirstLineEdit, D.RightEdit, D.BeforeParagraphEdit, D.AfterParagraphEdit,
                       D.WithinParagraphEdit})
      TypeInto(box, "");
    Click(D.OKBtn);
  }));
  const TRichParaFormat f = Para();
  EXPECT_EQ(f.StartIndent, 0);
  EXPECT_EQ(f.Offset, 0);
  EXPECT_EQ(f.RightIndent, 0);
  EXPECT_EQ(f.SpaceBefore, 0);
  EXPECT_EQ(f.SpaceAfter, 0);
  // An exact spacing of nothing is no rule at all: the line is as high as its text.
  EXPECT_EQ(f.LineSpacingRule, rlSingle);
  const std::string rtf = Rtf();
  for (const char* word : {"\\li", "\\fi", "\\ri", "\\sb", "\\sa", "\\sl"})
    EXPECT_FALSE(Contains(rtf, word)) << word;
  // A multiple without a number is one line.
  EXPECT_TRUE(Run([](TwwRichParagraphDialog& D) {
    ChooseWithMouse(D.LineSpacingComboBox, rlMultiple);
    TypeInto(D.WithinParagraphEdit, "");
    Click(D.OKBtn);
  }));
  EXPECT_EQ(Para().LineSpacingRule, rlMultiple);
  EXPECT_EQ(Para().LineSpacing, 20);
}

TEST_F(ParagraphDialog, BadInputKeepsTheDialogOpenWithTheFocusOnTheBoxAndWritesNothing) {
  Load("{\\rtf1\\pard\\li720\\sb60 text\\par}");
  const std::string rtf = Rtf();
  const std::vector<std::string> bad = {"abc", "1,5", "--1", "1e999", "22.01", "-22.01''", "x1"};
  using TBox = TEdit* TwwRichParagraphDialog::*;
  const std::vector<TBox> boxes = {
      &TwwRichParagraphDialog::LeftEdit,           &TwwRichParagraphDialog::FirstLineEdit,
      &TwwRichParagraphDialog::RightEdit,          &TwwRichParagraphDialog::BeforeParagraphEdit,
      &TwwRichParagraphDialog::AfterParagraphEdit, &TwwRichParagraphDialog::WithinParagraphEdit};
  for (size_t b = 0; b < boxes.size(); ++b) {
    for (size_t t = 0; t < bad.size(); ++t) {
      if ((b + t) % 2 != 0) continue;  // every box and every text, not every pair
      SCOPED_TRACE(bad[t] + " in box " + std::to_string(b));
      const TBox member = boxes[b];
      const std::string text = bad[t];
      EXPECT_FALSE(Run([member, text](TwwRichParagraphDialog& D) {
        TEdit* box = D.*member;
        if (box == D.WithinParagraphEdit) ChooseWithMouse(D.LineSpacingComboBox, rlExactly);
        TypeInto(box, text);
        D.OKBtn->SetFocus();
        Click(D.OKBtn);
        EXPECT_TRUE(D.Modal());
        EXPECT_EQ(D.ModalResult(), mrNone);
        EXPECT_EQ(D.ActiveControl(), box);
        EXPECT_TRUE(HasFocus(box));
        // Return presses the default button: the same refusal.
        PressKey(box, Qt::Key_Return);
        EXPECT_EQ(D.ModalResult(), mrNone);
        EXPECT_EQ(D.ActiveControl(), box);
        Click(D.CancelBtn);
      }));
      EXPECT_EQ(Rtf(), rtf);
      EXPECT_FALSE(Edit->CanUndo());
    }
  }
  // Of several bad boxes the first in the order left, first line, right, before, after takes the focus.
  EXPECT_FALSE(Run([](TwwRichParagraphDialog& D) {
    TypeInto(D.AfterParagraphEdit, "a");
    TypeInto(D.RightEdit, "b");
    TypeInto(D.FirstLineEdit, "x");
    Click(D.OKBtn);
    EXPECT_EQ(D.ActiveControl(), D.FirstLineEdit);
    TypeInto(D.FirstLineEdit, "0");
    Click(D.OKBtn);
    EXPECT_EQ(D.ActiveControl(), D.RightEdit);
    PressKey(D.RightEdit, Qt::Key_Escape);
  }));
  EXPECT_EQ(Rtf(), rtf);
}

TEST_F(ParagraphDialog, CancelWritesNothing) {
  Load("{\\rtf1\\pard\\qc\\li720 text\\par}");
  const std::string rtf = Rtf();
  EXPECT_FALSE(Run([](TwwRichParagraphDialog& D) {
    TypeInto(D.LeftEdit, "2");
    ChooseWithMouse(D.AlignmentCombo, 2);
    Click(D.CancelBtn);
  }));
  EXPECT_EQ(Rtf(), rtf);
  EXPECT_FALSE(Edit->CanUndo());
}

// Paragraphs made with every alignment, indents across the whole range, each line-spacing rule and
// 32 tab stops; the dialog opened and closed with OK, first untouched, then with every box typed
// anew as its number without the unit, writes the same format back.
TEST_F(ParagraphDialog, OKWithoutChangesWritesTheSameFormatBackInInchesAndCentimetres) {
  struct TRule {
    TRichLineSpacingRule Rule;
    double Value;  // in units, or lines for a multiple
  };
  for (TwwMeasurementUnits units : {muInches, muCentimeters}) {
    SCOPED_TRACE(units == muInches ? "inches" : "centimetres");
    Edit->SetMeasurementUnits(units);
    const bool inches = units == muInches;
    const std::vector<double> indents = inches ? std::vector<double>{-22, -10.5, -0.125, 0, 0.75, 3.375, 22}
                                               : std::vector<double>{-55.8, -12.35, -0.05, 0, 1, 7.25, 55.8};
    const std::vector<TRule> rules = {{rlSingle, 0},
                                      {rlOneAndHalf, 0},
                                      {rlDouble, 0},
                                      {rlAtLeast, inches ? 0.17 : 0.42},
                                      {rlExactly, inches ? 1.5 : 3.81},
                                      {rlMultiple, 1.25}};
    std::vector<int> tabs;
    for (int i = 1; i <= 32; ++i)
      tabs.push_back(i * 900);
    int n = 0;
    for (TRichAlignment alignment : {raLeft, raCenter, raRight}) {
      for (const TRule& rule : rules) {
        SCOPED_TRACE(std::to_string(alignment) + "/" + std::to_string(rule.Rule));
        const double left = indents[static_cast<size_t>(n) % indents.size()];
        const double first = indents[static_cast<size_t>(n + 3) % indents.size()];
        const double right = indents[static_cast<size_t>(n + 5) % indents.size()];
        ++n;
        Edit->EditBox()->SetText("a paragraph\twith\ttabs");
        TRichParaFormat made;
        made.Alignment = alignment;
        made.Offset = -MarginValueToTwips(first, units);
        made.StartIndent = MarginValueToTwips(left, units) - made.Offset;
        made.RightIndent = MarginValueToTwips(right, units);
        made.SpaceBefore = MarginValueToTwips(12 * n / 100.0, units);
        made.SpaceAfter = MarginValueToTwips(0.3, units);
        made.LineSpacingRule = rule.Rule;
        made.LineSpacing = rule.Rule == rlMultiple ? static_cast<int>(rule.Value * 20)
                                                   : MarginValueToTwips(rule.Value, units);
        made.Tabs = tabs;
        Make(made);
        const TRichParaFormat before = Para();
        ASSERT_EQ(before.Tabs.size(), 32u);
        const std::string rtf = Rtf();
        EXPECT_TRUE(PressOK());
        ExpectSame(Para(), before);
        EXPECT_EQ(Rtf(), rtf);
        // Every box typed anew, as a number without its unit.
        EXPECT_TRUE(Run([](TwwRichParagraphDialog& D) {
          for (TEdit* box : {D.LeftEdit, D.FirstLineEdit, D.RightEdit, D.BeforeParagraphEdit,
                             D.AfterParagraphEdit, D.WithinParagraphEdit}) {
            std::string text = box->Text();
            while (!text.empty() &&
                   (text.back() == '\'' || text.back() == 'm' || text.back() == 'c' || text.back() == ' '))
              text.pop_back();
            if (box == D.WithinParagraphEdit && text.empty()) continue;  // typing would choose Multiple
            TypeInto(box, text);
          }
          Click(D.OKBtn);
        }));
        ExpectSame(Para(), before);
        EXPECT_EQ(Rtf(), rtf);
      }
    }
  }
}

TEST_F(ParagraphDialog, AJustifiedParagraphStaysJustifiedUnlessAnAlignmentIsChosen) {
  Load("{\\rtf1\\pard\\qj\\li360 justified text\\par}");
  EXPECT_TRUE(Run([](TwwRichParagraphDialog& D) {
    EXPECT_EQ(D.AlignmentCombo->ItemIndex(), -1);
    EXPECT_EQ(D.AlignmentCombo->Text(), "");
    TypeInto(D.LeftEdit, "0.5");
    Click(D.OKBtn);
  }));
  EXPECT_EQ(Para().Alignment, raJustify);
  EXPECT_TRUE(Contains(Rtf(), "\\qj"));
  EXPECT_EQ(Para().StartIndent, 720);
  EXPECT_TRUE(Run([](TwwRichParagraphDialog& D) {
    ChooseWithMouse(D.AlignmentCombo, 1);
    Click(D.OKBtn);
  }));
  EXPECT_EQ(Para().Alignment, raCenter);
}

TEST_F(ParagraphDialog, ABoxLeftAsItWasKeepsAValueOffTheGrid) {
  Load("{\\rtf1\\pard\\li100\\fi-37\\ri11\\sb7\\sa3\\sl-250\\slmult0 text\\par}");
  const TRichParaFormat before = Para();
  const std::string rtf = Rtf();
  EXPECT_TRUE(Run([](TwwRichParagraphDialog& D) {
    // Shown on the grid of the boxes...
    EXPECT_EQ(D.LeftEdit->Text(), "0.125''");
    EXPECT_EQ(D.FirstLineEdit->Text(), "0''");
    EXPECT_EQ(D.WithinParagraphEdit->Text(), "0.17''");
    Click(D.OKBtn);
  }));
  // ...but written back as the paragraph had it.
  ExpectSame(Para(), before);
  EXPECT_EQ(Rtf(), rtf);
  // A box typed anew takes the typed value; the others keep theirs.
  EXPECT_TRUE(Run([](TwwRichParagraphDialog& D) {
    TypeInto(D.RightEdit, "0.125");
    Click(D.OKBtn);
  }));
  EXPECT_EQ(Para().RightIndent, 180);
  EXPECT_EQ(Para().StartIndent + Para().Offset, 100);
  EXPECT_EQ(Para().LineSpacing, 250);
}

TEST_F(ParagraphDialog, AFirstLineLeftOfTheMarginAndANegativeLeftIndentAreWrittenAsTyped) {
  Edit->EditBox()->SetText("text");
  EXPECT_TRUE(Run([](TwwRichParagraphDialog& D) {
    TypeInto(D.LeftEdit, "0.25");
    TypeInto(D.FirstLineEdit, "-0.5");
    Click(D.OKBtn);
  }));
  EXPECT_EQ(Para().StartIndent + Para().Offset, 360);
  EXPECT_EQ(Para().Offset, 720);
  EXPECT_TRUE(Contains(Rtf(), "\\li360"));
  EXPECT_TRUE(Contains(Rtf(), "\\fi-720"));
  EXPECT_TRUE(Run([](TwwRichParagraphDialog& D) {
    EXPECT_EQ(D.LeftEdit->Text(), "0.25''");
    EXPECT_EQ(D.FirstLineEdit->Text(), "-0.5''");
    TypeInto(D.LeftEdit, "-0.5");
    TypeInto(D.FirstLineEdit, "0");
    Click(D.OKBtn);
  }));
  EXPECT_EQ(Para().StartIndent + Para().Offset, -720);
  EXPECT_EQ(Para().Offset, 0);
  EXPECT_TRUE(Contains(Rtf(), "\\li-720"));
  EXPECT_TRUE(Run([](TwwRichParagraphDialog& D) {
    EXPECT_EQ(D.LeftEdit->Text(), "-0.5''");
    Click(D.OKBtn);
  }));
  EXPECT_EQ(Para().StartIndent + Para().Offset, -720);
}

TEST_F(ParagraphDialog, AVersionOneControlLeavesTheSpacingBoxesAsTheyAreAndWritesNoSpacing) {
  Load("{\\rtf1\\pard\\li720\\sb120\\sl-400\\slmult0 text\\par}");
  Edit->SetRichEditVersion(1);
  EXPECT_TRUE(Run([](TwwRichParagraphDialog& D) {
    EXPECT_EQ(D.LeftEdit->Text(), "0.5''");
    EXPECT_EQ(D.BeforeParagraphEdit->Text(), "");
    EXPECT_EQ(D.AfterParagraphEdit->Text(), "");
    EXPECT_EQ(D.LineSpacingComboBox->Text(), "Single");
    EXPECT_EQ(D.WithinParagraphEdit->Text(), "");
    TypeInto(D.LeftEdit, "1");
    TypeInto(D.BeforeParagraphEdit, "1");
    Click(D.OKBtn);
  }));
  Edit->SetRichEditVersion(2);
  EXPECT_EQ(Para().StartIndent, 1440);
  EXPECT_EQ(Para().SpaceBefore, 120);
  EXPECT_EQ(Para().LineSpacingRule, rlExactly);
  EXPECT_EQ(Para().LineSpacing, 400);
}

class BoundParagraphDialog : public RichControlTest {};

TEST_F(BoundParagraphDialog, OKPutsTheRowIntoEditModeAndThePostedBlobCarriesTheFormat) {
  AddRows({{"{\\rtf1 text\\par}", "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question", false);
  Open();
  TModalScript<TwwRichParagraphDialog> script({[](TwwRichParagraphDialog& D) {
    TypeInto(D.LeftEdit, "0.5");
    TypeInto(D.AfterParagraphEdit, "0.25");
    Click(D.OKBtn);
  }});
  EXPECT_TRUE(top->ExecuteParagraphDialog());
  EXPECT_EQ(Query->Mode(), dmEdit);
  Query->PostRow();
  ASSERT_TRUE(Cell(0, "Question").has_value());
  EXPECT_TRUE(Contains(*Cell(0, "Question"), "\\li720"));
  EXPECT_TRUE(Contains(*Cell(0, "Question"), "\\sa360"));
}

}  // namespace
