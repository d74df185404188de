#pragma once
// Watching and driving menus on the screen. A menu observer, when one is installed, is
// called once each popup menu, menu bar menu or sub-menu is on the screen, with a view of
// what it shows (read from the real menu): the visible entries in order, their captions,
// states and shortcuts. It may choose an entry (as a click would), open a sub-menu or close
// the menu. Tests and automation drive the real menus this way, with no grab that blocks.

#include <functional>
#include <string>

class TMenu;
class TMenuItem;

class TMenuView {
 public:
  virtual ~TMenuView() = default;
  // The menu component and the item whose sub-items are shown (the menu's root item for
  // the first level of a popup menu).
  virtual TMenu* Menu() const = 0;
  virtual TMenuItem* Item() const = 0;
  // The entries shown, separators included, hidden items not.
  virtual int Count() const = 0;
  // The item an entry shows (none once the item has been freed).
  virtual TMenuItem* Items(int Index) const = 0;
  // The caption as shown, with its & marker; the shortcut apart.
  virtual std::string Caption(int Index) const = 0;
  virtual std::string ShortCutText(int Index) const = 0;
  virtual bool IsLine(int Index) const = 0;
  virtual bool Enabled(int Index) const = 0;
  virtual bool Checked(int Index) const = 0;
  // Shown in bold as the menu's default item.
  virtual bool Bold(int Index) const = 0;
  // Whether the entry opens a sub-menu.
  virtual bool HasSubMenu(int Index) const = 0;
  // The entry whose caption (without & markers) is Caption, or -1.
  int IndexOf(const std::string& Caption) const;
  // Chooses an entry as a click on it would: the menus close and the item is clicked
  // (a disabled entry or a separator does nothing). An entry with a sub-menu opens it.
  virtual void Choose(int Index) = 0;
  // Closes this menu and the ones it was opened from, choosing nothing.
  virtual void Close() = 0;
};

using TMenuObserver = std::function<void(TMenuView& Menu)>;
// Installs the observer (none: menus wait for the player); answers the previous one.
TMenuObserver SetMenuObserver(TMenuObserver Observer);
// The installed observer (framework side).
const TMenuObserver& MenuObserver();
