#include "gui/controls/control.h"

#include <QWidget>
#include <algorithm>

#include "core/exceptions.h"
#include "core/text.h"
#include "gui/controls/win_control.h"
#include "gui/forms/form.h"
#include "gui/gui_strings.h"
#include "gui/menus/menus.h"

BREVANT_DEFINE_CLASS(TControl, TComponent,
                     .Property("Left", &TControl::Left, &TControl::SetLeft)
                         .Property("Top", &TControl::Top, &TControl::SetTop)
                         .Property("Width", &TControl::Width, &TControl::SetWidth)
                         .StoredIf([](const TControl& c) { return c.StoresSize(); })
                         .Property("Height", &TControl::Height, &TControl::SetHeight)
                         .StoredIf([](const TControl& c) { return c.StoresSize(); })
                         .Property("Align", &TControl::Align, &TControl::SetAlign)
                         .Default(alNone)
                         .Property("Cursor", &TControl::Cursor, &TControl::SetCursor)
                         .Default(crDefault)
                         .Property("Enabled", &TControl::Enabled, &TControl::SetEnabled)
                         .Default(true)
                         .Property("Hint", &TControl::Hint, &TControl::SetHint)
                         .Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
                         .Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
                         .Default(true)
                         .Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
                         .StoredIf([](const TControl& c) { return !c.ParentShowHint(); })
                         .Property("Visible", &TControl::Visible, &TControl::SetVisible)
                         .Default(true)
                         .Event("OnClick", &TControl::OnClick)
                         .Event("OnDblClick", &TControl::OnDblClick)
                         .Event("OnMouseDown", &TControl::OnMouseDown)
                         .Event("OnMouseMove", &TControl::OnMouseMove)
                         .Event("OnMouseUp", &TControl::OnMouseUp))

bool IsAccelerator(char Key, const std::string& Caption) {
  for (size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != '&') continue;
    if (Caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return UpperChar(Caption[i + 1]) == UpperChar(Key);
  }
  return false;
}

std::string StripAccelerators(const std::string& Caption) {
  std::string out;
  for (size_t i = 0; i < Caption.size(); ++i) {
    if (Caption[i] == '&') {
      if (i + 1 < Caption.size() && Caption[i + 1] == '&') out += '&';
      ++i;
      if (i < Caption.size() && Caption[i] != '&') out += Caption[i];
      continue;
    }
    out += Caption[i];
  }
  return out;
}

std::string GetShortHint(const std::string& Hint) {
  const size_t bar = Hint.find('|');
  return bar == std::string::npos ? Hint : std::string(Trim(std::string_view(Hint).substr(0, bar)));
}

std::string GetLongHint(const std::string& Hint) {
  const size_t bar = Hint.find('|');
  return bar == std::string::npos ? Hint : std::string(Trim(std::string_view(Hint).substr(bar + 1)));
}

std::string GetHint(const TControl* Control) {
  for (const TControl* c = Control; c != nullptr; c = c->Parent()) {
    if (!c->Hint().empty()) return c->Hint();
  }
  return {};
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), Font_(std::make_unique<TFont>()) {
  Font_->OnChange = [this](TObject*) { FontChangedHandler(); };
}

TControl::~TControl() {
  Font_->OnChange = nullptr;
  if (Parent_ != nullptr) Parent_->RemoveControl(this);
}

void TControl::InitDefaults(TColor Color, bool ParentColor) {
  Color_ = Color;
  DefaultColor_ = Color;
  ParentColor_ = ParentColor;
  DefaultParentColor_ = ParentColor;
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == Parent_) return;
  if (AParent == this) throw EInvalidOperation(LoadResString(SControlParentSetToSelf));
  if (Parent_ != nullptr) Parent_->RemoveControl(this);
  if (AParent != nullptr) AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const {
  return Parent_;
}

void TControl::SetParentComponent(TComponent* Value) {
  SetParent(dynamic_cast<TWinControl*>(Value));
}

TCustomForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->Parent_ != nullptr)
    c = c->Parent_;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if (ALeft == Left_ && ATop == Top_ && AWidth == Width_ && AHeight == Height_) return;
  const TRect old = BoundsRect();
  Left_ = ALeft;
  Top_ = ATop;
  Width_ = AWidth;
  Height_ = AHeight;
  BoundsChanged(old);
}

void TControl::BoundsChanged(const TRect& Old) {
  if (Parent_ != nullptr && Visible_) {
    Parent_->InvalidateRect(Old);
    Parent_->InvalidateRect(BoundsRect());
  }
}

void TControl::SetClientWidth(int Value) {
  SetWidth(Width_ - ClientWidth() + Value);
}

void TControl::SetClientHeight(int Value) {
  SetHeight(Height_ - ClientHeight() + Value);
}

TPoint TControl::ClientToScreen(TPoint P) const {
  // A control with a widget asks it: only it knows where the window really is.
  if (const auto* w = dynamic_cast<const TWinControl*>(this); w != nullptr && w->HandleAllocated()) {
    const TPoint o = w->ClientOffset();
    const QPoint g = const_cast<TWinControl*>(w)->Widget()->mapToGlobal(QPoint(P.X + o.X, P.Y + o.Y));
    return {g.x(), g.y()};
  }
  if (Parent_ == nullptr) return {P.X + Left_, P.Y + Top_};
  return Parent_->ClientToScreen({P.X + Left_, P.Y + Top_});
}

TPoint TControl::ScreenToClient(TPoint P) const {
  const TPoint origin = ClientToScreen({0, 0});
  return {P.X - origin.X, P.Y - origin.Y};
}

void TControl::SetVisible(bool Value) {
  if (Value == Visible_) return;
  Visible_ = Value;
  VisibleChanged();
}

void TControl::Show() {
  SetVisible(true);
}

bool TControl::Showing() const {
  for (const TControl* c = this; c != nullptr; c = c->Parent_) {
    if (!c->Visible_) return false;
  }
  return true;
}

void TControl::SetEnabled(bool Value) {
  if (Value == Enabled_) return;
  Enabled_ = Value;
  EnabledChanged();
}

void TControl::SetText(const std::string& Value) {
  if (Value == Text_) return;
  Text_ = Value;
  TextChanged();
}

bool TControl::ShowHint() const {
  if (ParentShowHint_ && Parent_ != nullptr) return Parent_->ShowHint();
  return ShowHint_;
}

void TControl::SetShowHint(bool Value) {
  ShowHint_ = Value;
  ParentShowHint_ = false;
}

void TControl::SetParentFont(bool Value) {
  if (Value == ParentFont_) return;
  ParentFont_ = Value;
  if (Value) ParentFontChanged();
}

void TControl::FontChangedHandler() {
  if (!UpdatingFont_) ParentFont_ = false;
  FontChanged();
}

void TControl::ParentFontChanged() {
  if (!ParentFont_ || Parent_ == nullptr) return;
  UpdatingFont_ = true;
  try {
    Font_->Assign(*Parent_->Font());
  } catch (...) {
    UpdatingFont_ = false;
    throw;
  }
  UpdatingFont_ = false;
}

TColor TControl::Color() const {
  if (ParentColor_ && Parent_ != nullptr) return Parent_->Color();
  return Color_;
}

void TControl::SetColor(TColor Value) {
  if (Value == Color_ && !ParentColor_) return;
  Color_ = Value;
  ParentColor_ = false;
  ColorChanged();
}

void TControl::SetParentColor(bool Value) {
  if (Value == ParentColor_) return;
  ParentColor_ = Value;
  ColorChanged();
}

void TControl::ParentColorChanged() {
  if (ParentColor_) ColorChanged();
}

void TControl::SetAlign(TAlign Value) {
  if (Value == Align_) return;
  Align_ = Value;
  if (Parent_ != nullptr && !IsLoading()) Parent_->AlignControls();
}

void TControl::SetCursor(TCursor Value) {
  Cursor_ = Value;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::Invalidate() {
  if (Parent_ != nullptr && Visible_) Parent_->InvalidateRect(BoundsRect());
}

void TControl::Repaint() {
  if (!Visible_ || Parent_ == nullptr || !Parent_->HandleAllocated()) return;
  if (ControlStyle_.Contains(csOpaque)) {
    Parent_->RepaintRect(BoundsRect());
  } else {
    Invalidate();
    Parent_->Update();
  }
}

void TControl::Update() {
  if (Parent_ != nullptr) Parent_->Update();
}

void TControl::BringToFront() {
  if (Parent_ == nullptr) return;
  auto& list = Parent_->Controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.push_back(this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w != nullptr && w->HandleAllocated()) w->Widget()->raise();
  Invalidate();
}

void TControl::SendToBack() {
  if (Parent_ == nullptr) return;
  auto& list = Parent_->Controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.insert(list.begin(), this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w != nullptr && w->HandleAllocated()) w->Widget()->lower();
  Invalidate();
}

int TControl::HitTest(int X, int Y) {
  return ClientRect().Contains({X, Y}) ? htClient : htNowhere;
}

bool TControl::DialogChar(char /*Key*/) {
  return false;
}

bool TControl::IsAccel(char Key) const {
  return IsAccelerator(Key, Text_);
}

void TControl::FontChanged() {
  Invalidate();
}

void TControl::ColorChanged() {
  Invalidate();
}

void TControl::EnabledChanged() {
  Invalidate();
}

void TControl::VisibleChanged() {
  if (Parent_ != nullptr) Parent_->InvalidateRect(BoundsRect());
}

void TControl::TextChanged() {
  Invalidate();
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (Value == PopupMenu_) return;
  if (PopupMenu_ != nullptr) PopupMenu_->RemoveFreeNotification(this);
  PopupMenu_ = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == PopupMenu_) PopupMenu_ = nullptr;
}

void TControl::Loaded() {
  TComponent::Loaded();
}
