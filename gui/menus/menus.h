#pragma once
// Menus: TMenuItem (a caption, or "-" for a separator line, with sub-items), TMenu (the
// tree's invisible root) and TPopupMenu, which a control shows on a right click (its
// PopupMenu property, or the nearest parent's). Items nest in layouts under their menu or
// item. A parent item frees its sub-items, as a parent control frees its controls.

#include <cstdint>
#include <memory>
#include <vector>

#include "core/component.h"
#include "core/rtti.h"
#include "gui/controls/control_types.h"

// A key with ssShift/ssCtrl/ssAlt, as menus show it: the key code in the low byte.
using TShortCut = uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(uint16_t Key, TShiftState Shift);

class TMenu;

class TMenuItem : public TComponent {
 public:
  BREVANT_CLASS(TMenuItem)
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const std::string& Caption() const { return Caption_; }
  void SetCaption(const std::string& Value) { Caption_ = Value; }
  bool Checked() const { return Checked_; }
  void SetChecked(bool Value) { Checked_ = Value; }
  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool Value) { Enabled_ = Value; }
  bool Visible() const { return Visible_; }
  void SetVisible(bool Value) { Visible_ = Value; }
  TShortCut ShortCutKey() const { return ShortCut_; }
  void SetShortCutKey(TShortCut Value) { ShortCut_ = Value; }
  const std::string& Hint() const { return Hint_; }
  void SetHint(const std::string& Value) { Hint_ = Value; }
  bool IsLine() const { return Caption_ == "-"; }

  int Count() const { return static_cast<int>(Items_.size()); }
  TMenuItem* Items(int Index) const { return Items_.at(static_cast<size_t>(Index)); }
  int IndexOf(const TMenuItem* Item) const;
  void Add(TMenuItem* Item) { Insert(Count(), Item); }
  void Insert(int Index, TMenuItem* Item);
  void Remove(TMenuItem* Item);
  // Frees every sub-item.
  void Clear();
  TMenuItem* Parent() const { return Parent_; }
  // The menu whose tree holds this item, or none.
  TMenu* Menu() const;

  TNotifyEvent OnClick;
  virtual void Click();

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

 private:
  friend class TMenu;
  std::string Caption_;
  bool Checked_ = false;
  bool Enabled_ = true;
  bool Visible_ = true;
  TShortCut ShortCut_ = 0;
  std::string Hint_;
  std::vector<TMenuItem*> Items_;
  TMenuItem* Parent_ = nullptr;
  TMenu* Menu_ = nullptr;  // set on a menu's root item only
};

class TMenu : public TComponent {
 public:
  BREVANT_CLASS(TMenu)
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  // The invisible root whose sub-items are the menu's items.
  TMenuItem* Items() const { return Items_.get(); }
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

 private:
  std::unique_ptr<TMenuItem> Items_;
};

class TPopupMenu : public TMenu {
 public:
  BREVANT_CLASS(TPopupMenu)
  explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

  // Whether a right click on a control that names this menu shows it.
  bool AutoPopup() const { return AutoPopup_; }
  void SetAutoPopup(bool Value) { AutoPopup_ = Value; }
  // The component the menu was last shown for.
  TComponent* PopupComponent() const { return PopupComponent_; }
  void SetPopupComponent(TComponent* Value);

  // Shows the menu at a screen position and waits for the choice; the chosen item is
  // clicked after the menu has closed. OnPopup runs first (to enable or check items).
  virtual void Popup(int X, int Y);

  TNotifyEvent OnPopup;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool AutoPopup_ = true;
  TComponent* PopupComponent_ = nullptr;
};
