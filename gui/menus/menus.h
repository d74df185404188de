#pragma once
// Menus: TMenuItem (a caption, or "-" for a separator line, with sub-items), TMenu (the
// tree's invisible root) and TPopupMenu, which a control shows on a right click (its
// PopupMenu property, or the nearest parent's). A form's menu bar is a TMainMenu
// (gui/menus/main_menu.h). Items nest in layouts under their menu or item. A parent item
// frees its sub-items, as a parent control frees its controls; items may be added and
// freed at any time, also while their menu is open.
//
// A menu whose OwnerDraw is on lets items with an OnDrawItem handler draw themselves on a
// canvas (OnMeasureItem may change their size first); the others draw as usual.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/component.h"
#include "core/rtti.h"
#include "gui/controls/control_types.h"
#include "gui/graphics/geometry.h"

class TCanvas;

// A key with ssShift/ssCtrl/ssAlt, as menus show it: the key code in the low byte.
using TShortCut = uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(uint16_t Key, TShiftState Shift);
// "Ctrl+S", "F3", "Shift+Del"; empty for no shortcut.
std::string ShortCutToText(TShortCut Value);

// Width and Height come in as the default size of the item and may be changed.
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
// ARect is the item's area on the canvas; Selected while the item is highlighted.
using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;

class TMenu;
class TMenuItem;

// Someone showing a menu on the screen (framework side): told when items change or go.
class TMenuWatcher {
 public:
  virtual ~TMenuWatcher() = default;
  // Item's own look changed (Structure false) or its list of sub-items changed (true).
  virtual void MenuItemChanged(TMenuItem* Item, bool Structure) = 0;
  // Item is being freed; it must not be touched afterwards.
  virtual void MenuItemFreed(TMenuItem* Item) = 0;
  // The menu is being freed.
  virtual void MenuFreed() = 0;
};

class TMenuItem : public TComponent {
 public:
  BREVANT_CLASS(TMenuItem)
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const std::string& Caption() const { return Caption_; }
  void SetCaption(const std::string& Value);
  bool Checked() const { return Checked_; }
  void SetChecked(bool Value);
  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool Value);
  bool Visible() const { return Visible_; }
  void SetVisible(bool Value);
  // The default item of a menu is shown in bold (the one a double click would choose).
  bool Default() const { return Default_; }
  void SetDefault(bool Value);
  TShortCut ShortCutKey() const { return ShortCut_; }
  void SetShortCutKey(TShortCut Value);
  // The tool tip part before " | " and the long part after it (see GetLongHint); the long
  // part goes to the application's OnHint while the pointer is on the item.
  const std::string& Hint() const { return Hint_; }
  void SetHint(const std::string& Value) { Hint_ = Value; }
  bool IsLine() const { return Caption_ == "-"; }

  int Count() const { return static_cast<int>(Items_.size()); }
  TMenuItem* Items(int Index) const { return Items_.at(static_cast<size_t>(Index)); }
  int IndexOf(const TMenuItem* Item) const;
  // The first sub-item whose caption, without its & markers, is Caption (any case).
  TMenuItem* Find(const std::string& Caption) const;
  void Add(TMenuItem* Item) { Insert(Count(), Item); }
  void Insert(int Index, TMenuItem* Item);
  void Remove(TMenuItem* Item);
  // Frees the sub-item at Index.
  void Delete(int Index);
  // Frees every sub-item.
  void Clear();
  TMenuItem* Parent() const { return Parent_; }
  // The menu whose tree holds this item, or none.
  TMenu* Menu() const;
  // Whether this item and every item above it are visible (and enabled).
  bool Reachable() const;
  bool EffectiveEnabled() const;
  // Whether the item draws itself: its menu's OwnerDraw is on and it has OnDrawItem.
  bool IsOwnerDrawn() const;

  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;
  // Runs OnClick. An item with sub-items is clicked when its sub-menu opens.
  virtual void Click();

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

 private:
  friend class TMenu;
  void Changed(bool Structure);

  std::string Caption_;
  bool Checked_ = false;
  bool Enabled_ = true;
  bool Visible_ = true;
  bool Default_ = false;
  TShortCut ShortCut_ = 0;
  std::string Hint_;
  std::vector<TMenuItem*> Items_;
  TMenuItem* Parent_ = nullptr;
  TMenu* Menu_ = nullptr;  // set on a menu's root item only
};

// A new item with the usual properties set, owned by AOwner (to be added to a menu).
TMenuItem* NewItem(TComponent* AOwner, const std::string& Caption, TShortCut ShortCut = 0,
                   TNotifyEvent OnClick = nullptr, const std::string& Name = "");
// A new separator line.
TMenuItem* NewLine(TComponent* AOwner);

class TMenu : public TComponent {
 public:
  BREVANT_CLASS(TMenu)
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  // The invisible root whose sub-items are the menu's items.
  TMenuItem* Items() const { return Items_.get(); }
  bool OwnerDraw() const { return OwnerDraw_; }
  void SetOwnerDraw(bool Value);
  // The first reachable item with that shortcut, parents before their sub-items; none
  // when no visible item (under visible parents) carries it.
  TMenuItem* FindShortCut(TShortCut Value) const;
  // Dispatches a key as a shortcut: the found item's parents are clicked first (a menu
  // refreshes its items there, as when it opens), then the item when it is still
  // reachable and enabled. True when a visible item carries the shortcut (the key is
  // then used up, even when the item is disabled).
  bool IsShortCut(uint16_t Key, TShiftState Shift);

  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

  // Framework side: the objects that show this menu on the screen.
  void AddWatcher(TMenuWatcher* Watcher);
  void RemoveWatcher(TMenuWatcher* Watcher);
  // An item of this menu changed; the base tells the watchers.
  virtual void ItemChanged(TMenuItem* Item, bool Structure);
  void ItemFreed(TMenuItem* Item);

 private:
  std::unique_ptr<TMenuItem> Items_;
  bool OwnerDraw_ = false;
  std::vector<TMenuWatcher*> Watchers_;
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
