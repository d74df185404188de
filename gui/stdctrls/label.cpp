#include "gui/stdctrls/label.h"

BREVANT_DEFINE_CLASS(TLabel, TGraphicControl,
                     .Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment)
                         .Default(taLeftJustify)
                         .Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
                         .Default(true)
                         .With(PublishCaption<TLabel>)
                         .With(PublishFontAndColor<TLabel>)
                         .Property("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl)
                         .Property("Layout", &TLabel::Layout, &TLabel::SetLayout)
                         .Default(tlTop)
                         .Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar)
                         .Default(true)
                         .Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
                         .Default(false)
                         .Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap)
                         .Default(false))

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  InitDefaults(clBtnFace, true);
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
  SetBounds(0, 0, 65, 17);
}

void TLabel::SetAlignment(TAlignment Value) {
  if (Value == Alignment_) return;
  Alignment_ = Value;
  Invalidate();
}

void TLabel::SetAutoSize(bool Value) {
  if (Value == AutoSize_) return;
  AutoSize_ = Value;
  AdjustBounds();
}

void TLabel::SetWordWrap(bool Value) {
  if (Value == WordWrap_) return;
  WordWrap_ = Value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool Value) {
  if (Value == Transparent_) return;
  Transparent_ = Value;
  TControlStyle style = ControlStyle();
  if (Value) {
    style.Exclude(csOpaque);
  } else {
    style.Include(csOpaque);
  }
  SetControlStyle(style);
  Invalidate();
}

void TLabel::SetLayout(TTextLayout Value) {
  if (Value == Layout_) return;
  Layout_ = Value;
  Invalidate();
}

void TLabel::SetShowAccelChar(bool Value) {
  if (Value == ShowAccelChar_) return;
  ShowAccelChar_ = Value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetFocusControl(TWinControl* Value) {
  if (Value == FocusControl_) return;
  if (FocusControl_ != nullptr) FocusControl_->RemoveFreeNotification(this);
  FocusControl_ = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FocusControl_) FocusControl_ = nullptr;
}

TTextFormat TLabel::Format(bool Calc) const {
  TTextFormat f;
  if (Calc) f.Include(tfCalcRect);
  if (WordWrap_) f.Include(tfWordBreak);
  if (!ShowAccelChar_) f.Include(tfNoPrefix);
  f.Include(Alignment_ == taCenter ? tfCenter : Alignment_ == taRightJustify ? tfRight : tfLeft);
  return f;
}

std::string TLabel::MeasuredText() const {
  const std::string& text = Caption();
  if (text.empty() || (ShowAccelChar_ && text == "&")) return text + " ";
  return text;
}

void TLabel::AdjustBounds() {
  if (!AutoSize_ || IsReading() || IsLoading()) return;
  TCanvas& canvas = *Canvas();
  canvas.SetFont(Font());
  const TRect r = canvas.DrawText(MeasuredText(), ClientRect(), Format(true));
  int left = Left();
  if (Alignment_ == taRightJustify) left += Width() - r.Width();
  SetBounds(left, Top(), r.Width(), r.Height());
}

void TLabel::TextChanged() {
  Invalidate();
  AdjustBounds();
}

void TLabel::FontChanged() {
  Invalidate();
  AdjustBounds();
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::Paint() {
  TCanvas& c = *Canvas();
  if (!Transparent_) {
    c.Brush()->SetColor(Color());
    c.Brush()->SetStyle(bsSolid);
    c.FillRect(ClientRect());
  }
  c.Brush()->SetStyle(bsClear);
  TRect r = ClientRect();
  if (Layout_ != tlTop) {
    const TRect need = c.DrawText(MeasuredText(), r, Format(true));
    const int offset = Layout_ == tlBottom ? r.Height() - need.Height() : (r.Height() - need.Height()) / 2;
    r.Top += offset;
  }
  if (!Enabled()) {
    const TColor color = c.Font()->Color();
    c.Font()->SetColor(clBtnHighlight);
    c.DrawText(Caption(), r.Offset(1, 1), Format(false));
    c.Font()->SetColor(clBtnShadow);
    c.DrawText(Caption(), r, Format(false));
    c.Font()->SetColor(color);
    return;
  }
  c.DrawText(Caption(), r, Format(false));
}

bool TLabel::DialogChar(char Key) {
  if (FocusControl_ == nullptr || !Visible() || !Enabled() || !ShowAccelChar_ || !IsAccel(Key)) return false;
  if (!FocusControl_->CanFocus()) return false;
  FocusControl_->SetFocus();
  return true;
}
