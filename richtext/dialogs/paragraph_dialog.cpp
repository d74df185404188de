#include "richtext/dialogs/paragraph_dialog.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "core/rtti.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/combo_box.h"
#include "gui/stdctrls/edit.h"
#include "gui/stdctrls/image.h"
#include "gui/stdctrls/label.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/dialogs/dialog_resources.h"
#include "richtext/dialogs/units_entry.h"
#include "richtext/intl/rich_edit_intl.h"

BREVANT_DEFINE_CLASS(
    TwwRichParagraphDialog, TForm,
    .Method("OKBtnClick", &TwwRichParagraphDialog::OKBtnClick)
        .Method("LineSpacingComboBoxClick", &TwwRichParagraphDialog::LineSpacingComboBoxClick)
        .Method("LineSpacingComboBoxChange", &TwwRichParagraphDialog::LineSpacingComboBoxChange)
        .Method("WithinParagraphEditChange", &TwwRichParagraphDialog::WithinParagraphEditChange))

namespace {

// The value the line-spacing box offers for "At least" and "Exactly": a sixth of an inch.
constexpr int kDefaultLineTwips = 240;

bool IsProportional(int Rule) {
  return Rule == rlSingle || Rule == rlOneAndHalf || Rule == rlDouble;
}

}  // namespace

TwwRichParagraphDialog::TwwRichParagraphDialog(TComponent* AOwner) : TForm(AOwner) {
  LinkRichDialogResources();
}

void TwwRichParagraphDialog::Loaded() {
  TForm::Loaded();
  Bind(IndentationLabel, "IndentationLabel");
  Bind(LeftLabel, "LeftLabel");
  Bind(RightLabel, "RightLabel");
  Bind(FirstLineLabel, "FirstLineLabel");
  Bind(AlignmentLabel, "AlignmentLabel");
  Bind(SpacingLabel, "SpacingLabel");
  Bind(BeforeLabel, "BeforeLabel");
  Bind(AfterLabel, "AfterLabel");
  Bind(LineSpacingLabel, "LineSpacingLabel");
  Bind(AtLabel, "AtLabel");
  Bind(Bevel1, "Bevel1");
  Bind(Bevel2, "Bevel2");
  Bind(LeftEdit, "LeftEdit");
  Bind(RightEdit, "RightEdit");
  Bind(FirstLineEdit, "FirstLineEdit");
  Bind(AlignmentCombo, "AlignmentCombo");
  Bind(BeforeParagraphEdit, "BeforeParagraphEdit");
  Bind(AfterParagraphEdit, "AfterParagraphEdit");
  Bind(LineSpacingComboBox, "LineSpacingComboBox");
  Bind(WithinParagraphEdit, "WithinParagraphEdit");
  Bind(OKBtn, "OKBtn");
  Bind(CancelBtn, "CancelBtn");
}

void TwwRichParagraphDialog::SetRichEdit(TwwCustomRichEdit* Value) {
  if (Value == RichEdit_) return;
  if (RichEdit_ != nullptr) RichEdit_->RemoveFreeNotification(this);
  RichEdit_ = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TwwRichParagraphDialog::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == RichEdit_) RichEdit_ = nullptr;
}

void TwwRichParagraphDialog::ApplyTexts(bool ShowHints) {
  const TwwRichEditParagraphDlg& t = RichEditIntl().ParagraphDlg;
  const TwwButtonCaptions& buttons = RichEditIntl().Buttons;
  SetCaption(t.ParagraphDlgCaption);
  OKBtn->SetCaption(buttons.OKCaption);
  CancelBtn->SetCaption(buttons.CancelCaption);
  IndentationLabel->SetCaption(t.IndentationGroupBoxCaption);
  LeftLabel->SetCaption(t.LeftEditCaption);
  RightLabel->SetCaption(t.RightEditCaption);
  FirstLineLabel->SetCaption(t.FirstLineEditCaption);
  AlignmentLabel->SetCaption(t.AlignmentCaption);
  SpacingLabel->SetCaption(t.SpacingGroupCaption);
  BeforeLabel->SetCaption(t.BeforeParagraphCaption);
  AfterLabel->SetCaption(t.AfterParagraphCaption);
  LineSpacingLabel->SetCaption(t.WithinParagraphCaption);
  AtLabel->SetCaption(t.WithinParagraphAtCaption);
  const std::pair<TControl*, const std::string*> hinted[] = {{LeftEdit, &t.LeftEditHint},
                                                             {RightEdit, &t.RightEditHint},
                                                             {FirstLineEdit, &t.FirstLineEditHint},
                                                             {AlignmentCombo, &t.AlignmentHint}};
  for (const auto& [control, hint] : hinted) {
    control->SetHint(*hint);
    control->SetShowHint(ShowHints);
  }
  TStrings* items = AlignmentCombo->Items();
  items->BeginUpdate();
  items->Clear();
  items->Add(t.AlignLeft);
  items->Add(t.AlignCenter);
  items->Add(t.AlignRight);
  items->EndUpdate();
}

void TwwRichParagraphDialog::SetBoxText(TEdit* Box, const std::string& Text) {
  const bool saved = Filling_;
  Filling_ = true;
  Box->SetText(Text);
  Filling_ = saved;
}

void TwwRichParagraphDialog::Present(TEdit* Box, TShown& Shown, const std::string& Text, int Value) {
  Shown = TShown{Text, Value};
  SetBoxText(Box, Text);
}

void TwwRichParagraphDialog::ReadParagraph() {
  if (RichEdit_ == nullptr) return;
  const TwwCustomRichEdit& edit = *RichEdit_;
  const TRichParaFormat format = edit.ReadParagraphFormat();
  // The left box shows where the lines after the first start, the first-line box how far the
  // first line stands out from them.
  const int left = format.StartIndent + format.Offset;
  Present(LeftEdit, Left_, edit.SnappedUnitsText(0, edit.TwipsToUnits(left)), left);
  Present(FirstLineEdit, FirstLine_, edit.SnappedUnitsText(0, edit.TwipsToUnits(-format.Offset)),
          -format.Offset);
  Present(RightEdit, Right_, edit.SnappedUnitsText(0, edit.TwipsToUnits(format.RightIndent)),
          format.RightIndent);
  // A version-1 control has no spacing: those boxes stay as the layout has them.
  if (edit.RichEditVersion() > 1) {
    Present(BeforeParagraphEdit, Before_, edit.SnappedUnitsText(100, edit.TwipsToUnits(format.SpaceBefore)),
            format.SpaceBefore);
    Present(AfterParagraphEdit, After_, edit.SnappedUnitsText(100, edit.TwipsToUnits(format.SpaceAfter)),
            format.SpaceAfter);
    const int rule = format.LineSpacingRule;
    LineSpacingComboBox->SetItemIndex(rule);
    std::string within;
    if (rule == rlMultiple) {
      within = ShortestDecimalText(format.LineSpacing / 20.0);
    } else if (!IsProportional(rule)) {
      within = edit.SnappedUnitsText(100, edit.TwipsToUnits(format.LineSpacing));
    }
    Present(WithinParagraphEdit, Within_, within, format.LineSpacing);
  } else {
    Before_ = TShown{BeforeParagraphEdit->Text(), 0};
    After_ = TShown{AfterParagraphEdit->Text(), 0};
    Within_ = TShown{WithinParagraphEdit->Text(), 0};
  }
  ShownRule_ = LineSpacingComboBox->ItemIndex();
  // A justified paragraph shows no alignment; it keeps its own unless one is chosen.
  switch (format.Alignment) {
    case raLeft:
      AlignmentCombo->SetItemIndex(0);
      break;
    case raCenter:
      AlignmentCombo->SetItemIndex(1);
      break;
    case raRight:
      AlignmentCombo->SetItemIndex(2);
      break;
    case raJustify:
      AlignmentCombo->SetItemIndex(-1);
      break;
  }
}

// --- Editing aids of the line-spacing boxes ---------------------------------------------------

void TwwRichParagraphDialog::LineSpacingComboBoxClick(TObject* /*Sender*/) {
  SetBoxText(WithinParagraphEdit, "");
}

void TwwRichParagraphDialog::LineSpacingComboBoxChange(TObject* /*Sender*/) {
  const int rule = LineSpacingComboBox->ItemIndex();
  std::string value;
  if (rule == rlAtLeast || rule == rlExactly) {
    if (RichEdit_ != nullptr) value = RichEdit_->UnitsText(RichEdit_->TwipsToUnits(kDefaultLineTwips));
  } else if (rule == rlMultiple) {
    value = "1";
  }
  SetBoxText(WithinParagraphEdit, value);
}

void TwwRichParagraphDialog::WithinParagraphEditChange(TObject* /*Sender*/) {
  // A value typed for single, 1.5 or double spacing means a multiple of the line.
  if (!Filling_ && IsProportional(LineSpacingComboBox->ItemIndex()))
    LineSpacingComboBox->SetItemIndex(rlMultiple);
}

// --- OK --------------------------------------------------------------------------------------

bool TwwRichParagraphDialog::Unchanged(const TEdit* Box, const TShown& Shown) const {
  return Box->Text() == Shown.Text;
}

bool TwwRichParagraphDialog::Takes(const TEdit* Box, const TShown& Shown) const {
  return Unchanged(Box, Shown) || (RichEdit_ != nullptr && EnteredTwips(*RichEdit_, Box->Text()).has_value());
}

TEdit* TwwRichParagraphDialog::FirstInvalidBox() const {
  const std::pair<TEdit*, const TShown*> boxes[] = {{LeftEdit, &Left_},
                                                    {FirstLineEdit, &FirstLine_},
                                                    {RightEdit, &Right_},
                                                    {BeforeParagraphEdit, &Before_},
                                                    {AfterParagraphEdit, &After_}};
  for (const auto& [box, shown] : boxes) {
    if (!Takes(box, *shown)) return box;
  }
  const bool withinKept =
      LineSpacingComboBox->ItemIndex() == ShownRule_ && Unchanged(WithinParagraphEdit, Within_);
  if (!WithinParagraphEdit->Text().empty() && !withinKept &&
      (RichEdit_ == nullptr || !EnteredTwips(*RichEdit_, WithinParagraphEdit->Text()))) {
    return WithinParagraphEdit;
  }
  return nullptr;
}

void TwwRichParagraphDialog::OKBtnClick(TObject* /*Sender*/) {
  if (TEdit* invalid = FirstInvalidBox()) {
    SetModalResult(mrNone);
    invalid->SetFocus();
  }
}

int TwwRichParagraphDialog::TwipsOf(const TEdit* Box, const TShown& Shown) const {
  if (Unchanged(Box, Shown)) return Shown.Value;
  // An empty box means 0 and is applied as 0.
  return EnteredTwips(*RichEdit_, Box->Text()).value_or(0);
}

int TwwRichParagraphDialog::LineSpacingValue() const {
  const int rule = LineSpacingComboBox->ItemIndex();
  if (rule == ShownRule_ && Unchanged(WithinParagraphEdit, Within_)) return Within_.Value;
  if (rule != rlMultiple) return EnteredTwips(*RichEdit_, WithinParagraphEdit->Text()).value_or(0);
  // Multiple counts twentieths of a line; a box without a number means one line.
  double lines = 0;
  if (!ParseUnitsText(WithinParagraphEdit->Text(), lines)) return 20;
  return static_cast<int>(Trunc(std::clamp(lines * 20, -1e9, 1e9)));
}

void TwwRichParagraphDialog::WriteParagraph() {
  if (RichEdit_ == nullptr) return;
  const int left = TwipsOf(LeftEdit, Left_);
  const int firstLine = TwipsOf(FirstLineEdit, FirstLine_);
  const int right = TwipsOf(RightEdit, Right_);
  const int before = TwipsOf(BeforeParagraphEdit, Before_);
  const int after = TwipsOf(AfterParagraphEdit, After_);
  // The first line starts at left + first line; the others stand back from it by -first line.
  const int offset = -firstLine;
  const int start = left + firstLine;
  const int rule = LineSpacingComboBox->ItemIndex();
  TRichParaFields mask = kParagraphDialogFields;
  if (AlignmentCombo->ItemIndex() < 0) mask.Exclude(pfAlignment);
  RichEdit_->ApplyParagraphFormat(
      mask, AlignmentCombo->Text(),
      rule >= rlSingle && rule <= rlMultiple ? static_cast<TRichLineSpacingRule>(rule) : rlSingle,
      LineSpacingValue(), after, before, {}, 0, start, right, offset, false);
}
