#include "richtext/editor/ruler_panel.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "gui/forms/screen.h"
#include "gui/graphics/canvas.h"
#include "gui/graphics/colors.h"
#include "gui/stdctrls/track_icon.h"
#include "richtext/controls/text_attributes.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"

// Defined with the editor's embedded layout and pictures.
void LinkResources_brevant_richtext();

BREVANT_DEFINE_CLASS(TwwRulerPanel, TCustomPanel, )

namespace {

// Centimetres to the inch, as the family measures.
constexpr double kCentimetresPerInch = 2.537;
// The editing control's left text inset in the editor window, in pixels.
constexpr int kEditorTextInset = 6;
// Room the right marker keeps from the end of the text in window-width mode.
constexpr int kRightEdgeSlack = 4;

}  // namespace

TwwRulerPanel::TwwRulerPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
  SetBevelOuter(bvNone);
  SetColor(clBtnFace);
}

int TwwRulerPanel::ScreenPixelsPerInch() const {
  return Screen != nullptr ? Screen->PixelsPerInch() : 96;
}

double TwwRulerPanel::PixelsPerUnit() const {
  const double ppi = ScreenPixelsPerInch();
  if (Editor_ != nullptr && Editor_->MeasurementUnits() == muCentimeters) return ppi / kCentimetresPerInch;
  return ppi;
}

int TwwRulerPanel::PixelsToTwips(int Pixels) const {
  return Pixels * 1440 / ScreenPixelsPerInch();
}

int TwwRulerPanel::TwipsToPixels(int Twips) const {
  return Twips * ScreenPixelsPerInch() / 1440;
}

namespace {

// The printable width of the editor's page in inches.
double PrintableInches(const TwwCustomRichEdit& Editor) {
  double width = 0, height = 0;
  TRichEditBox::PaperSizeInches(Editor.PaperSize(), width, height);
  double margins = Editor.PrintMargins()->Left() + Editor.PrintMargins()->Right();
  if (Editor.MeasurementUnits() == muCentimeters) margins /= kCentimetresPerInch;
  return width - margins;
}

}  // namespace

double TwwRulerPanel::LengthInUnits() const {
  if (Editor_ == nullptr) return 0;
  if (Editor_->EditWidth() == rewWindowSize) return (Editor_->Width() - 12) / PixelsPerUnit();
  const double inches = PrintableInches(*Editor_);
  return Editor_->MeasurementUnits() == muCentimeters ? inches * kCentimetresPerInch : inches;
}

int TwwRulerPanel::PrinterWidth() const {
  if (Editor_ == nullptr) return Width();
  return static_cast<int>(std::trunc(PrintableInches(*Editor_) * ScreenPixelsPerInch())) + 12;
}

void TwwRulerPanel::SetDrawArea(const TRect& Value) {
  if (Value == DrawArea_) return;
  DrawArea_ = Value;
  Invalidate();
}

TwwTrackIcon* TwwRulerPanel::NewMarker(const char* Name, const char* Picture) {
  LinkResources_brevant_richtext();
  auto* marker = new TwwTrackIcon(Owner() != nullptr ? Owner() : this);
  marker->SetName(Name);
  marker->Picture()->LoadFromResource(Picture);
  marker->SetParent(this);
  marker->SetLowerLimit(DrawArea_.Left);
  marker->SetUpperLimit(DrawArea_.Right - marker->Width());
  marker->OnEndTrack = [this](TObject* Sender) { MarkerEndTrack(Sender); };
  return marker;
}

void TwwRulerPanel::CreateMarkers() {
  if (LeftMarker_ != nullptr) return;
  LeftMarker_ = NewMarker("LeftMarker", "wwRulerUp.xpm");
  LeftMarker_->SetBounds(DrawArea_.Left, DrawArea_.Bottom - LeftMarker_->Height(), LeftMarker_->Width(),
                         LeftMarker_->Height());
  RightMarker_ = NewMarker("RightMarker", "wwRulerUp.xpm");
  RightMarker_->SetBounds(DrawArea_.Right - RightMarker_->Width(), DrawArea_.Bottom - RightMarker_->Height(),
                          RightMarker_->Width(), RightMarker_->Height());
  FirstMarker_ = NewMarker("FirstMarker", "wwRulerDown.xpm");
  FirstMarker_->SetBounds(DrawArea_.Left + 10, DrawArea_.Top, FirstMarker_->Width(), FirstMarker_->Height());
}

void TwwRulerPanel::RefreshMarkers() {
  if (Editor_ == nullptr || LeftMarker_ == nullptr) return;
  const TRichParaFormat para = Editor_->EditBox()->ParaFormat();
  FirstMarker_->SetPosition(DrawArea_.Left + TwipsToPixels(para.StartIndent));
  LeftMarker_->SetPosition(DrawArea_.Left + TwipsToPixels(para.StartIndent + para.Offset));
  RightMarker_->SetPosition(Width() - TwipsToPixels(para.RightIndent) - RightMarker_->Width());
}

void TwwRulerPanel::MarkerEndTrack(TObject* Sender) {
  ApplyMarker(dynamic_cast<TwwTrackIcon*>(Sender));
}

void TwwRulerPanel::ApplyMarker(TwwTrackIcon* Marker) {
  if (Marker == nullptr || Editor_ == nullptr) return;
  // The right marker stays a gap right of the others, the left ones a gap left of it.
  if (Marker == RightMarker_) {
    const int least = std::max(LeftMarker_->Position(), FirstMarker_->Position()) + kRulerMarkerGap;
    RightMarker_->SetPosition(RightMarker_->Clamp(std::max(RightMarker_->Position(), least)));
  } else {
    const int most = RightMarker_->Position() - kRulerMarkerGap;
    Marker->SetPosition(Marker->Clamp(std::min(Marker->Position(), most)));
  }
  if (Marker == RightMarker_) {
    const int end = Editor_->EditWidth() == rewWindowSize
                        ? Editor_->Width() + RightMarker_->Width() / 2
                        : RightMarker_->UpperLimit() + RightMarker_->Width();
    const int right =
        PixelsToTwips(std::max(0, end - kEditorTextInset - RightMarker_->Position() - kRightEdgeSlack));
    Editor_->ApplyParagraphFormat(kRulerRightFields, "", rlSingle, 0, 0, 0, {}, 0, 0, right, 0, false);
  } else {
    const int start = PixelsToTwips(FirstMarker_->Position() - DrawArea_.Left);
    const int offset = PixelsToTwips(LeftMarker_->Position() - FirstMarker_->Position());
    Editor_->ApplyParagraphFormat(kRulerIndentFields, "", rlSingle, 0, 0, 0, {}, 0, start, 0, offset, false);
  }
  Editor_->SetModified(true);
}

void TwwRulerPanel::Paint() {
  TRect face = PaintFrame();
  (void)face;
  TCanvas& canvas = *Canvas();
  TRect r = DrawArea_;
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  // White face, sunken frame: shadow and dark outside-in on top and left, face and highlight
  // at the bottom and right.
  canvas.Brush()->SetColor(clWindow);
  canvas.FillRect(r);
  canvas.Pen()->SetColor(clBtnShadow);
  canvas.MoveTo(r.Left - 2, r.Bottom);
  canvas.LineTo(r.Left - 2, r.Top - 2);
  canvas.LineTo(r.Right + 1, r.Top - 2);
  canvas.Pen()->SetColor(cl3DDkShadow);
  canvas.MoveTo(r.Left - 1, r.Bottom - 1);
  canvas.LineTo(r.Left - 1, r.Top - 1);
  canvas.LineTo(r.Right, r.Top - 1);
  canvas.Pen()->SetColor(clBtnFace);
  canvas.MoveTo(r.Left - 1, r.Bottom);
  canvas.LineTo(r.Right, r.Bottom);
  canvas.LineTo(r.Right, r.Top - 2);
  canvas.Pen()->SetColor(clBtnHighlight);
  canvas.MoveTo(r.Left - 2, r.Bottom + 1);
  canvas.LineTo(r.Right + 1, r.Bottom + 1);
  canvas.LineTo(r.Right + 1, r.Top - 3);

  const double unit = PixelsPerUnit();
  const double length = LengthInUnits();
  if (unit <= 0) return;
  const int parts = Editor_ != nullptr && Editor_->MeasurementUnits() == muCentimeters ? 4 : 8;
  canvas.Pen()->SetColor(clWindowText);
  canvas.Brush()->SetStyle(bsClear);
  canvas.Font()->SetColor(clWindowText);
  canvas.SetTextAlign(TA_CENTER | TA_TOP);
  for (int i = 0; i < length; ++i) {
    if (i >= 1)
      canvas.TextOut(r.Left + static_cast<int>(std::lround(i * unit)), r.Top + 3, std::to_string(i));
    for (int tick = 1; tick < parts; ++tick) {
      const double at = i + static_cast<double>(tick) / parts;
      if (at >= length) break;
      const int x = r.Left + static_cast<int>(std::lround(at * unit));
      const bool middle = tick * 2 == parts;
      canvas.MoveTo(x, r.Top + (middle ? 7 : 8));
      canvas.LineTo(x, r.Bottom - (middle ? 5 : 7));
    }
  }
  canvas.Brush()->SetStyle(bsSolid);
}
