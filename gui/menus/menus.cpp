#include "gui/menus/menus.h"

#include <QKeySequence>
#include <algorithm>

#include "core/exceptions.h"
#include "gui/controls/control.h"
#include "gui/qt/qt_convert.h"
#include "gui/qt/qt_menu.h"

BREVANT_DEFINE_CLASS(TMenuItem, TComponent,
                     .Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
                         .Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
                         .Default(false)
                         .Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault)
                         .Default(false)
                         .Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
                         .Default(true)
                         .Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
                         .Property("ShortCut", &TMenuItem::ShortCutKey, &TMenuItem::SetShortCutKey)
                         .Default(TShortCut{0})
                         .Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
                         .Default(true)
                         .Event("OnClick", &TMenuItem::OnClick)
                         .Event("OnDrawItem", &TMenuItem::OnDrawItem)
                         .Event("OnMeasureItem", &TMenuItem::OnMeasureItem))

BREVANT_DEFINE_CLASS(TMenu, TComponent, )

BREVANT_DEFINE_CLASS(TPopupMenu, TMenu,
                     .Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup)
                         .Default(true)
                         .Property("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)
                         .Default(false)
                         .Event("OnPopup", &TPopupMenu::OnPopup))

TShortCut ShortCut(uint16_t Key, TShiftState Shift) {
  TShortCut s = static_cast<TShortCut>(Key & 0xFF);
  if (Shift.Contains(ssShift)) s |= scShift;
  if (Shift.Contains(ssCtrl)) s |= scCtrl;
  if (Shift.Contains(ssAlt)) s |= scAlt;
  return s;
}

std::string ShortCutToText(TShortCut Value) {
  const int key = QtKeyOf(static_cast<uint16_t>(Value & 0xFF));
  if (key == 0) return {};
  int combined = key;
  if (Value & scShift) combined |= Qt::SHIFT;
  if (Value & scCtrl) combined |= Qt::CTRL;
  if (Value & scAlt) combined |= Qt::ALT;
  return FromQString(QKeySequence(combined).toString(QKeySequence::PortableText));
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  Destroying();
  Clear();
  if (TMenu* menu = Menu()) menu->ItemFreed(this);
  if (Parent_ != nullptr) Parent_->Remove(this);
}

void TMenuItem::Changed(bool Structure) {
  if (TMenu* menu = Menu()) menu->ItemChanged(this, Structure);
}

void TMenuItem::SetCaption(const std::string& Value) {
  if (Value == Caption_) return;
  Caption_ = Value;
  Changed(false);
}

void TMenuItem::SetChecked(bool Value) {
  if (Value == Checked_) return;
  Checked_ = Value;
  Changed(false);
}

void TMenuItem::SetEnabled(bool Value) {
  if (Value == Enabled_) return;
  Enabled_ = Value;
  Changed(false);
}

void TMenuItem::SetVisible(bool Value) {
  if (Value == Visible_) return;
  Visible_ = Value;
  Changed(false);
}

void TMenuItem::SetDefault(bool Value) {
  if (Value == Default_) return;
  // One default item per list of sub-items.
  if (Value && Parent_ != nullptr) {
    for (TMenuItem* sibling : Parent_->Items_) {
      if (sibling != this && sibling->Default_) sibling->SetDefault(false);
    }
  }
  Default_ = Value;
  Changed(false);
}

void TMenuItem::SetShortCutKey(TShortCut Value) {
  if (Value == ShortCut_) return;
  ShortCut_ = Value;
  Changed(false);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(Items_.begin(), Items_.end(), Item);
  return it == Items_.end() ? -1 : static_cast<int>(it - Items_.begin());
}

TMenuItem* TMenuItem::Find(const std::string& ACaption) const {
  const QString wanted = ToQString(StripAccelerators(ACaption));
  for (TMenuItem* item : Items_) {
    if (ToQString(StripAccelerators(item->Caption_)).compare(wanted, Qt::CaseInsensitive) == 0) return item;
  }
  return nullptr;
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (Item == nullptr) return;
  for (const TMenuItem* p = this; p != nullptr; p = p->Parent_) {
    if (p == Item) throw EInvalidOperation("A menu item cannot hold itself");
  }
  if (Item->Parent_ != nullptr) Item->Parent_->Remove(Item);
  Index = std::clamp(Index, 0, Count());
  Items_.insert(Items_.begin() + Index, Item);
  Item->Parent_ = this;
  Changed(true);
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(Items_.begin(), Items_.end(), Item);
  if (it == Items_.end()) return;
  Items_.erase(it);
  Item->Parent_ = nullptr;
  Changed(true);
}

void TMenuItem::Delete(int Index) {
  delete Items_.at(static_cast<size_t>(Index));
}

void TMenuItem::Clear() {
  while (!Items_.empty())
    delete Items_.back();
}

TMenu* TMenuItem::Menu() const {
  const TMenuItem* root = this;
  while (root->Parent_ != nullptr)
    root = root->Parent_;
  return root->Menu_;
}

bool TMenuItem::Reachable() const {
  for (const TMenuItem* p = this; p != nullptr && p->Menu_ == nullptr; p = p->Parent_) {
    if (!p->Visible_) return false;
  }
  return true;
}

bool TMenuItem::EffectiveEnabled() const {
  for (const TMenuItem* p = this; p != nullptr && p->Menu_ == nullptr; p = p->Parent_) {
    if (!p->Enabled_) return false;
  }
  return true;
}

bool TMenuItem::IsOwnerDrawn() const {
  const TMenu* menu = Menu();
  return menu != nullptr && menu->OwnerDraw() && static_cast<bool>(OnDrawItem);
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (Parent_ != nullptr && Parent_->Menu_ != nullptr) return Parent_->Menu_;
  return Parent_;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (auto* menu = dynamic_cast<TMenu*>(Value)) {
    menu->Items()->Add(this);
  } else if (auto* item = dynamic_cast<TMenuItem*>(Value)) {
    item->Add(this);
  }
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  for (TMenuItem* item : Items_) {
    if (item->Owner() == Root) Proc(item);
  }
}

TMenuItem* NewItem(TComponent* AOwner, const std::string& Caption, TShortCut ShortCut, TNotifyEvent OnClick,
                   const std::string& Name) {
  auto* item = new TMenuItem(AOwner);
  try {
    if (!Name.empty()) item->SetName(Name);
  } catch (...) {
    delete item;
    throw;
  }
  item->SetCaption(Caption);
  item->SetShortCutKey(ShortCut);
  item->OnClick = std::move(OnClick);
  return item;
}

TMenuItem* NewLine(TComponent* AOwner) {
  return NewItem(AOwner, "-");
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), Items_(std::make_unique<TMenuItem>(nullptr)) {
  Items_->Menu_ = this;
}

TMenu::~TMenu() {
  Destroying();
  // Whoever shows the menu lets go of it before any item goes.
  const std::vector<TMenuWatcher*> watchers = Watchers_;
  for (TMenuWatcher* w : watchers) {
    if (std::find(Watchers_.begin(), Watchers_.end(), w) != Watchers_.end()) w->MenuFreed();
  }
  Watchers_.clear();
  Items_.reset();
}

void TMenu::SetOwnerDraw(bool Value) {
  if (Value == OwnerDraw_) return;
  OwnerDraw_ = Value;
  ItemChanged(Items_.get(), true);
}

TMenuItem* TMenu::FindShortCut(TShortCut Value) const {
  if (Value == 0) return nullptr;
  std::function<TMenuItem*(const TMenuItem&)> find = [&](const TMenuItem& Parent) -> TMenuItem* {
    for (int i = 0; i < Parent.Count(); ++i) {
      TMenuItem* item = Parent.Items(i);
      if (!item->Visible()) continue;
      if (item->ShortCutKey() == Value) return item;
      if (TMenuItem* found = find(*item)) return found;
    }
    return nullptr;
  };
  return find(*Items_);
}

bool TMenu::IsShortCut(uint16_t Key, TShiftState Shift) {
  const TShortCut value = ShortCut(Key, Shift);
  TMenuItem* item = FindShortCut(value);
  if (item == nullptr) return false;
  // The parents first, outermost first, as if their menus opened; each may free items.
  std::vector<TMenuItem*> parents;
  for (TMenuItem* p = item->Parent(); p != nullptr && p != Items_.get(); p = p->Parent())
    parents.insert(parents.begin(), p);
  for (TMenuItem* p : parents) {
    // A handler may have changed the menu: go on only while the item and this parent of it
    // are still where they were (p is compared, not touched, before that is known).
    if (FindShortCut(value) != item) return true;
    bool above = false;
    for (const TMenuItem* q = item->Parent(); q != nullptr && !above; q = q->Parent())
      above = q == p;
    if (!above) return true;
    p->Click();
  }
  if (FindShortCut(value) == item && item->Reachable() && item->EffectiveEnabled()) item->Click();
  return true;
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  Items_->GetChildren(Proc, Root);
}

void TMenu::AddWatcher(TMenuWatcher* Watcher) {
  if (std::find(Watchers_.begin(), Watchers_.end(), Watcher) == Watchers_.end()) Watchers_.push_back(Watcher);
}

void TMenu::RemoveWatcher(TMenuWatcher* Watcher) {
  Watchers_.erase(std::remove(Watchers_.begin(), Watchers_.end(), Watcher), Watchers_.end());
}

void TMenu::ItemChanged(TMenuItem* Item, bool Structure) {
  const std::vector<TMenuWatcher*> watchers = Watchers_;
  for (TMenuWatcher* w : watchers) {
    if (std::find(Watchers_.begin(), Watchers_.end(), w) != Watchers_.end())
      w->MenuItemChanged(Item, Structure);
  }
}

void TMenu::ItemFreed(TMenuItem* Item) {
  const std::vector<TMenuWatcher*> watchers = Watchers_;
  for (TMenuWatcher* w : watchers) {
    if (std::find(Watchers_.begin(), Watchers_.end(), w) != Watchers_.end()) w->MenuItemFreed(Item);
  }
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (PopupComponent_ == Value) return;
  if (PopupComponent_ != nullptr) PopupComponent_->RemoveFreeNotification(this);
  PopupComponent_ = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == PopupComponent_) PopupComponent_ = nullptr;
}

namespace {

bool InTree(const TMenuItem& Root, const TMenuItem* Item) {
  for (int i = 0; i < Root.Count(); ++i) {
    if (Root.Items(i) == Item || InTree(*Root.Items(i), Item)) return true;
  }
  return false;
}

}  // namespace

void TPopupMenu::Popup(int X, int Y) {
  if (OnPopup) OnPopup(this);
  TMenuItem* chosen = nullptr;
  TQtMenu menu(this, Items(), nullptr, [&chosen](TMenuItem* Item) { chosen = Item; });
  menu.Rebuild();
  if (menu.isEmpty()) return;
  menu.exec(QPoint(X, Y));
  // The choice is clicked after the menu has closed, if the item still exists.
  if (chosen != nullptr && InTree(*Items(), chosen)) chosen->Click();
}
