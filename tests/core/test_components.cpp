#include "test_components.h"

#include <algorithm>

#include "core/exceptions.h"
#include "core/layout/layout_reader.h"

BREVANT_DEFINE_CLASS(TTestPen, TPersistent,
                     .Property("Width", &TTestPen::Width, &TTestPen::SetWidth)
                         .Default(1)
                         .Property("Color", &TTestPen::Color, &TTestPen::SetColor)
                         .Default(clBlack))

BREVANT_DEFINE_CLASS(TTestWidget, TComponent,
                     .Property("Size", &TTestWidget::Size, &TTestWidget::SetSize)
                         .Default(10)
                         .Property("Flag", &TTestWidget::Flag, &TTestWidget::SetFlag)
                         .Default(true)
                         .Property("Ratio", &TTestWidget::Ratio, &TTestWidget::SetRatio)
                         .Default(1.0)
                         .Property("Caption", &TTestWidget::Caption, &TTestWidget::SetCaption)
                         .Property("Shade", &TTestWidget::Shade, &TTestWidget::SetShade)
                         .Default(shMedium)
                         .Property("Shades", &TTestWidget::Shades, &TTestWidget::SetShades)
                         .Default(TShades{})
                         .Property("Color", &TTestWidget::Color, &TTestWidget::SetColor)
                         .Default(clBtnFace)
                         .Property("Items", &TTestWidget::Items, &TTestWidget::SetItems)
                         .Property("Data", &TTestWidget::Data, &TTestWidget::SetData)
                         .Property("Buddy", &TTestWidget::Buddy, &TTestWidget::SetBuddy)
                         .Property("Pen", &TTestWidget::Pen)
                         .Property("Small", &TTestWidget::Small, &TTestWidget::SetSmall)
                         .AlwaysStored()
                         .Event("OnPoke", &TTestWidget::OnPoke))

BREVANT_DEFINE_CLASS(
    TTestRoot, TComponent,
    .Method("WidgetPoke", &TTestRoot::WidgetPoke).Method("WrongShape", &TTestRoot::WrongShape))

std::vector<std::string>* TTestWidget::LoadedOrder = nullptr;
bool TTestWidget::ThrowInLoaded = false;

TTestWidget::TTestWidget(TComponent* AOwner) : TComponent(AOwner) {}

TTestWidget::~TTestWidget() {
  SetParentComponent(nullptr);
  for (TTestWidget* kid : Kids_)
    kid->Parent_ = nullptr;
}

void TTestWidget::SetSize(int V) {
  LoadingWhenSized = IsLoading() && IsReading();
  Size_ = V;
}

void TTestWidget::SetBuddy(TTestWidget* V) {
  if (Buddy_ == V) return;
  if (Buddy_ != nullptr) Buddy_->RemoveFreeNotification(this);
  Buddy_ = V;
  if (Buddy_ != nullptr) Buddy_->FreeNotification(this);
}

void TTestWidget::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == Buddy_) Buddy_ = nullptr;
}

void TTestWidget::SetParentComponent(TComponent* Value) {
  LoadingWhenParented = IsLoading();
  if (Parent_ != nullptr) {
    auto& kids = Parent_->Kids_;
    kids.erase(std::remove(kids.begin(), kids.end(), this), kids.end());
  }
  Parent_ = dynamic_cast<TTestWidget*>(Value);
  if (Parent_ != nullptr) Parent_->Kids_.push_back(this);
}

void TTestWidget::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  for (TTestWidget* kid : Kids_) {
    if (kid->Owner() == Root) Proc(kid);
  }
}

bool TTestWidget::ReadStoredExtra(const std::string& Name, const TLayoutValue& Value) {
  if (Name != "Version" || Value.Kind != TLayoutValue::TKind::Integer) return false;
  Version = static_cast<int>(Value.Integer);
  return true;
}

void TTestWidget::WriteStoredExtras(std::vector<std::pair<std::string, TLayoutValue>>& Out) const {
  Out.push_back({"Version", TLayoutValue::OfInteger(7)});
}

void TTestWidget::Loaded() {
  TComponent::Loaded();
  ++LoadedCalls;
  BuddyAtLoaded = Buddy_ != nullptr ? Buddy_->Name() : "";
  if (LoadedOrder != nullptr) LoadedOrder->push_back(Name());
  if (ThrowInLoaded && Name() == "First") throw EInvalidOperation("first failed");
}

void TTestRoot::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* widget = dynamic_cast<TTestWidget*>(Components(i));
    if (widget != nullptr && widget->ParentWidget() == nullptr && widget->Owner() == Root) Proc(widget);
  }
}

void RegisterTestClasses() {
  RegisterClasses<TTestWidget, TTestRoot>();
}
