#include "gui/stdctrls/status_bar.h"

#include <algorithm>

#include "core/exceptions.h"

BREVANT_DEFINE_CLASS(TStatusPanel, TComponent,
                     .Property("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
                         .Default(taLeftJustify)
                         .Property("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel)
                         .Default(pbLowered)
                         .Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
                         .Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
                         .Default(50))

BREVANT_DEFINE_CLASS(TStatusBar, TCustomControl,
                     .With(PublishFontAndColor<TStatusBar>)
                         .Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel)
                         .Default(false)
                         .Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText))

namespace {

// Pixels between two panels, and above them.
constexpr int kPanelGap = 2;
constexpr int kTopBorder = 2;
// Text starts this far inside a panel's bevel.
constexpr int kTextInset = 2;

}  // namespace

TStatusPanel::TStatusPanel(TComponent* AOwner) : TComponent(AOwner) {}

TStatusPanel::~TStatusPanel() {
  Destroying();
  if (Bar_ != nullptr) Bar_->Panels()->Remove(this);
}

void TStatusPanel::Changed() {
  if (Bar_ != nullptr) Bar_->PanelsChanged();
}

void TStatusPanel::SetWidth(int Value) {
  if (Value < 0) Value = 0;
  if (Value == Width_) return;
  Width_ = Value;
  Changed();
}

void TStatusPanel::SetText(const std::string& Value) {
  if (Value == Text_) return;
  Text_ = Value;
  Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
  if (Value == Bevel_) return;
  Bevel_ = Value;
  Changed();
}

void TStatusPanel::SetAlignment(TAlignment Value) {
  if (Value == Alignment_) return;
  Alignment_ = Value;
  Changed();
}

int TStatusPanel::Index() const {
  if (Bar_ == nullptr) return -1;
  for (int i = 0; i < Bar_->Panels()->Count(); ++i) {
    if (Bar_->Panels()->Items(i) == this) return i;
  }
  return -1;
}

TComponent* TStatusPanel::GetParentComponent() const {
  return Bar_;
}

void TStatusPanel::SetParentComponent(TComponent* Value) {
  if (auto* bar = dynamic_cast<TStatusBar*>(Value)) bar->Panels()->Append(this);
}

TStatusPanel* TStatusPanels::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("Status panel index out of bounds (" + std::to_string(Index) + ")");
  return Items_[static_cast<size_t>(Index)];
}

TStatusPanel* TStatusPanels::Add() {
  auto* panel = new TStatusPanel(&Bar_);
  Append(panel);
  return panel;
}

void TStatusPanels::Append(TStatusPanel* Panel) {
  if (Panel == nullptr || Panel->Bar_ == &Bar_) return;
  if (Panel->Bar_ != nullptr) Panel->Bar_->Panels()->Remove(Panel);
  Items_.push_back(Panel);
  Panel->Bar_ = &Bar_;
  Bar_.PanelsChanged();
}

void TStatusPanels::Remove(TStatusPanel* Panel) {
  Items_.erase(std::remove(Items_.begin(), Items_.end(), Panel), Items_.end());
  Panel->Bar_ = nullptr;
  Bar_.PanelsChanged();
}

void TStatusPanels::Delete(int Index) {
  delete Items(Index);
}

void TStatusPanels::Clear() {
  while (!Items_.empty())
    delete Items_.back();
}

TStatusBar::TStatusBar(TComponent* AOwner) : TCustomControl(AOwner), Panels_(*this) {
  InitDefaults(clBtnFace, false);
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() {
  Destroying();
  // The bar frees its panels, whoever owns them; each leaves its owner as it goes.
  Panels_.Clear();
}

void TStatusBar::SetSimplePanel(bool Value) {
  if (Value == SimplePanel_) return;
  SimplePanel_ = Value;
  Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& Value) {
  if (Value == SimpleText_) return;
  SimpleText_ = Value;
  if (SimplePanel_) Invalidate();
}

TRect TStatusBar::PanelRect(int Index) const {
  const TRect client = ClientRect();
  int left = 0;
  for (int i = 0; i < Index; ++i)
    left += Panels_.Items(i)->Width();
  // The last panel reaches the right end; the others leave a gap before the next.
  const bool last = Index == Panels_.Count() - 1;
  const int right = last ? client.Right : left + Panels_.Items(Index)->Width() - kPanelGap;
  return Rect(left, kTopBorder, std::max(left, std::min(right, client.Right)), client.Bottom);
}

void TStatusBar::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  TCustomControl::GetChildren(Proc, Root);
  for (int i = 0; i < Panels_.Count(); ++i) {
    if (Panels_.Items(i)->Owner() == Root) Proc(Panels_.Items(i));
  }
}

void TStatusBar::PaintPart(TCanvas& Canvas, TRect R, TStatusPanelBevel Bevel, TAlignment Alignment,
                           const std::string& Text) {
  if (R.IsEmpty()) return;
  if (Bevel != pbNone) {
    const bool lowered = Bevel == pbLowered;
    Frame3D(Canvas, R, lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow, 1);
  }
  if (Text.empty()) return;
  TRect text = R;
  text.Left += kTextInset;
  text.Right -= kTextInset;
  TTextFormat format{tfSingleLine, tfVerticalCenter, tfNoPrefix, tfEndEllipsis};
  format.Include(Alignment == taCenter ? tfCenter : Alignment == taRightJustify ? tfRight : tfLeft);
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.DrawText(Text, text, format);
  Canvas.Brush()->SetStyle(bsSolid);
}

void TStatusBar::Paint() {
  TCanvas& c = *Canvas();
  c.Brush()->SetColor(Color());
  c.FillRect(ClientRect());
  if (SimplePanel_) {
    PaintPart(c, Rect(0, kTopBorder, ClientWidth(), ClientHeight()), pbNone, taLeftJustify, SimpleText_);
    return;
  }
  for (int i = 0; i < Panels_.Count(); ++i) {
    const TStatusPanel* panel = Panels_.Items(i);
    PaintPart(c, PanelRect(i), panel->Bevel(), panel->Alignment(), panel->Text());
  }
}
