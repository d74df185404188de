#include "core/component.h"

#include <algorithm>
#include <cctype>

#include "core/core_strings.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/layout/layout_reader.h"
#include "core/rtti.h"
#include "core/text.h"

BREVANT_DEFINE_CLASS(TComponent, TPersistent,
                     .Property("Name", &TComponent::Name, &TComponent::SetName)
                         .NotStored()  // the layout's component line carries the name
                         .Property("Tag", &TComponent::Tag, &TComponent::SetTag)
                         .Default(int64_t{0}))

bool IsValidIdent(const std::string& Name) {
  if (Name.empty()) return false;
  auto alpha = [](unsigned char c) { return std::isalpha(c) || c == '_'; };
  if (!alpha(static_cast<unsigned char>(Name[0]))) return false;
  return std::all_of(Name.begin(), Name.end(), [&](unsigned char c) { return alpha(c) || std::isdigit(c); });
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner != nullptr) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  SendRemoveNotifications();
  while (!Components_.empty()) {
    TComponent* child = Components_.back();
    Remove(child);
    delete child;
  }
  if (Owner_ != nullptr) Owner_->RemoveComponent(this);
}

void TComponent::Destroying() {
  if (State_.Contains(csDestroying)) return;
  State_.Include(csDestroying);
  for (TComponent* child : Components_)
    child->Destroying();
}

void TComponent::SendRemoveNotifications() {
  while (!FreeNotifies_.empty()) {
    TComponent* other = FreeNotifies_.back();
    FreeNotifies_.pop_back();
    auto& back = other->FreeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    other->Notification(this, opRemove);
  }
}

void TComponent::SetName(const std::string& NewName) {
  if (NewName == Name_) return;
  if (!NewName.empty() && !IsValidIdent(NewName)) {
    throw EComponentError(Format(LoadResString(SInvalidName), NewName));
  }
  if (!NewName.empty() && Owner_ != nullptr) {
    TComponent* other = Owner_->FindComponent(NewName);
    if (other != nullptr && other != this)
      throw EComponentError(Format(LoadResString(SDuplicateName), NewName));
  }
  Name_ = NewName;
}

int TComponent::ComponentIndex() const {
  if (Owner_ == nullptr) return -1;
  auto& list = Owner_->Components_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : Components_) {
    if (SameText(c->Name_, AName)) return c;
  }
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent->Name_.empty()) {
    TComponent* other = FindComponent(AComponent->Name_);
    if (other != nullptr && other != AComponent) {
      throw EComponentError(Format(LoadResString(SDuplicateName), AComponent->Name_));
    }
  }
  if (AComponent->Owner_ != nullptr) AComponent->Owner_->RemoveComponent(AComponent);
  Insert(AComponent);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  Components_.push_back(AComponent);
  AComponent->Owner_ = this;
}

void TComponent::Remove(TComponent* AComponent) {
  Components_.erase(std::remove(Components_.begin(), Components_.end(), AComponent), Components_.end());
  AComponent->Owner_ = nullptr;
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent != nullptr) RemoveFreeNotification(AComponent);
  // Everything this component owns hears of it too, so siblings drop their pointers.
  if (!State_.Contains(csDestroying)) {
    const std::vector<TComponent*> owned = Components_;
    for (TComponent* c : owned) {
      if (c != AComponent && std::find(Components_.begin(), Components_.end(), c) != Components_.end()) {
        c->Notification(AComponent, Operation);
      }
    }
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent == this) return;
  if (std::find(FreeNotifies_.begin(), FreeNotifies_.end(), AComponent) == FreeNotifies_.end()) {
    FreeNotifies_.push_back(AComponent);
    AComponent->FreeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr) return;
  FreeNotifies_.erase(std::remove(FreeNotifies_.begin(), FreeNotifies_.end(), AComponent),
                      FreeNotifies_.end());
  auto& back = AComponent->FreeNotifies_;
  back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value) {
    State_.Include(csDesigning);
  } else {
    State_.Exclude(csDesigning);
  }
  if (SetChildren) {
    for (TComponent* c : Components_)
      c->SetDesigning(Value, true);
  }
}

void TComponent::Updating() {
  if (UpdateCount_++ == 0) {
    State_.Include(csUpdating);
    SetUpdateState(true);
  }
}

void TComponent::Updated() {
  if (UpdateCount_ > 0 && --UpdateCount_ == 0) {
    State_.Exclude(csUpdating);
    SetUpdateState(false);
  }
}

void TComponent::Loaded() {
  State_.Exclude(csLoading);
}

void TComponent::GetChildren(const std::function<void(TComponent*)>& /*Proc*/, TComponent* /*Root*/) {}

void TComponent::ReadState(TLayoutReader& Reader) {
  if (Reader.Parent() != nullptr) SetParentComponent(Reader.Parent());
  Reader.ReadData(*this);
}

bool TComponent::ReadStoredExtra(const std::string& /*Name*/, const TLayoutValue& /*Value*/) {
  return false;
}

void TComponent::WriteStoredExtras(std::vector<std::pair<std::string, TLayoutValue>>& /*Out*/) const {}

const std::string* TComponent::BoundMethodName(const std::string& EventName) const {
  auto it = BoundMethods_.find(EventName);
  return it == BoundMethods_.end() ? nullptr : &it->second;
}

void TComponent::SetBoundMethodName(const std::string& EventName, const std::string& MethodName) {
  if (MethodName.empty()) {
    BoundMethods_.erase(EventName);
  } else {
    BoundMethods_[EventName] = MethodName;
  }
}
