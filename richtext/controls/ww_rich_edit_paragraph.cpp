// The control's measurements (twips shown in inches or centimetres) and its one paragraph-format
// write, which the paragraph and tab dialogs, the ruler and the bullet commands share.

#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"
#include "richtext/intl/rich_edit_intl.h"

namespace {

constexpr double kCentimetresPerInch = 2.537;

// What a version-1 control's paragraph format cannot hold.
constexpr TRichParaFields kSpacingFields{pfSpaceBefore, pfSpaceAfter, pfLineSpacing};

}  // namespace

double TwwCustomRichEdit::TwipsToUnits(int Twips) const {
  const double inches = Twips / 1440.0;
  const double units = MeasurementUnits_ == muCentimeters ? inches * kCentimetresPerInch : inches;
  return static_cast<double>(Round(units * 100)) / 100;
}

std::string TwwCustomRichEdit::UnitsText(double Value) const {
  return ShortestDecimalText(Value) + (MeasurementUnits_ == muCentimeters ? " cm" : "''");
}

std::string TwwCustomRichEdit::SnappedUnitsText(int Step, double Value) const {
  if (Step <= 0) Step = MeasurementUnits_ == muCentimeters ? 20 : 8;
  // A grid finer than a thousandth cannot be shown in the three decimals kept here.
  Step = std::min(Step, 1000);
  const double lift = 1 / (1.5 * Step);
  const double moved = Value < 0 ? Value - lift : Value + lift;
  if (!std::isfinite(moved) || std::abs(moved) > 1e12) return UnitsText(Value);
  int64_t thousandths = Trunc(moved * 1000);
  thousandths -= thousandths % (1000 / Step);
  return UnitsText(static_cast<double>(thousandths) / 1000);
}

TRichParaFormat TwwCustomRichEdit::ReadParagraphFormat() const {
  TRichEditBox* box = EditBoxIfAllocated();
  if (box == nullptr) {
    TRichParaFormat none;
    none.Fields = {};
    return none;
  }
  TRichParaFormat format = box->ParaFormat();
  if (RichEditVersion_ < 2) {
    format.SpaceBefore = 0;
    format.SpaceAfter = 0;
    format.LineSpacingRule = rlSingle;
    format.LineSpacing = 0;
    format.Fields = format.Fields - kSpacingFields;
  }
  return format;
}

void TwwCustomRichEdit::ApplyParagraphFormat(TRichParaFields Mask, const std::string& AlignmentText,
                                             TRichLineSpacingRule LineSpacingRule, int LineSpacing,
                                             int SpaceAfter, int SpaceBefore, const std::vector<int>& Tabs,
                                             int TabCount, int StartIndent, int RightIndent, int Offset,
                                             bool Bullet) {
  BeginFieldEdit();
  TRichParaFormat format;
  format.Fields = Mask * kAllParaFields;
  if (RichEditVersion_ < 2) format.Fields = format.Fields - kSpacingFields;
  const TwwRichEditParagraphDlg& labels = RichEditIntl().ParagraphDlg;
  format.Alignment = AlignmentText == labels.AlignLeft    ? raLeft
                     : AlignmentText == labels.AlignRight ? raRight
                                                          : raCenter;
  format.Numbering = Bullet ? rnBullet : rnNone;
  format.StartIndent = StartIndent;
  format.Offset = Offset;
  format.RightIndent = RightIndent;
  const int count = std::clamp(TabCount, 0, std::min(static_cast<int>(Tabs.size()), kMaxRichTabStops));
  format.Tabs.assign(Tabs.begin(), Tabs.begin() + count);
  format.SpaceBefore = SpaceBefore;
  format.SpaceAfter = SpaceAfter;
  format.LineSpacingRule = LineSpacingRule;
  format.LineSpacing = LineSpacing;
  EditBox()->SetParaFormat(format);
}
