#include "gui/menus/menus.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <algorithm>
#include <map>

#include "core/exceptions.h"
#include "gui/qt/qt_convert.h"

BREVANT_DEFINE_CLASS(TMenuItem, TComponent,
                     .Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
                         .Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
                         .Default(false)
                         .Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
                         .Default(true)
                         .Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
                         .Property("ShortCut", &TMenuItem::ShortCutKey, &TMenuItem::SetShortCutKey)
                         .Default(TShortCut{0})
                         .Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
                         .Default(true)
                         .Event("OnClick", &TMenuItem::OnClick))

BREVANT_DEFINE_CLASS(TMenu, TComponent, )

BREVANT_DEFINE_CLASS(TPopupMenu, TMenu,
                     .Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup)
                         .Default(true)
                         .Event("OnPopup", &TPopupMenu::OnPopup))

TShortCut ShortCut(uint16_t Key, TShiftState Shift) {
  TShortCut s = static_cast<TShortCut>(Key & 0xFF);
  if (Shift.Contains(ssShift)) s |= scShift;
  if (Shift.Contains(ssCtrl)) s |= scCtrl;
  if (Shift.Contains(ssAlt)) s |= scAlt;
  return s;
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  Destroying();
  Clear();
  if (Parent_ != nullptr) Parent_->Remove(this);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(Items_.begin(), Items_.end(), Item);
  return it == Items_.end() ? -1 : static_cast<int>(it - Items_.begin());
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
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(Items_.begin(), Items_.end(), Item);
  if (it == Items_.end()) return;
  Items_.erase(it);
  Item->Parent_ = nullptr;
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

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), Items_(std::make_unique<TMenuItem>(nullptr)) {
  Items_->Menu_ = this;
}

TMenu::~TMenu() {
  Destroying();
  Items_.reset();
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  Items_->GetChildren(Proc, Root);
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

void Build(QMenu& Menu, const TMenuItem& Parent, std::map<QAction*, TMenuItem*>& Actions) {
  for (int i = 0; i < Parent.Count(); ++i) {
    TMenuItem* item = Parent.Items(i);
    if (!item->Visible()) continue;
    if (item->IsLine()) {
      Menu.addSeparator();
      continue;
    }
    if (item->Count() > 0) {
      QMenu* sub = Menu.addMenu(ToQString(item->Caption()));
      sub->setEnabled(item->Enabled());
      Build(*sub, *item, Actions);
      continue;
    }
    QAction* action = Menu.addAction(ToQString(item->Caption()));
    action->setEnabled(item->Enabled());
    action->setCheckable(item->Checked());
    action->setChecked(item->Checked());
    if (item->ShortCutKey() != 0) {
      const TShortCut s = item->ShortCutKey();
      int key = QtKeyOf(static_cast<uint16_t>(s & 0xFF));
      if (s & scShift) key |= Qt::SHIFT;
      if (s & scCtrl) key |= Qt::CTRL;
      if (s & scAlt) key |= Qt::ALT;
      action->setShortcut(QKeySequence(key));
    }
    Actions[action] = item;
  }
}

bool InTree(const TMenuItem& Root, const TMenuItem* Item) {
  for (int i = 0; i < Root.Count(); ++i) {
    if (Root.Items(i) == Item || InTree(*Root.Items(i), Item)) return true;
  }
  return false;
}

}  // namespace

void TPopupMenu::Popup(int X, int Y) {
  if (OnPopup) OnPopup(this);
  QMenu menu;
  std::map<QAction*, TMenuItem*> actions;
  Build(menu, *Items(), actions);
  if (menu.isEmpty()) return;
  QAction* chosen = menu.exec(QPoint(X, Y));
  auto it = actions.find(chosen);
  // The choice is clicked after the menu has closed, if the item still exists.
  if (it != actions.end() && InTree(*Items(), it->second)) it->second->Click();
}
