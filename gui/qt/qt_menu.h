#pragma once
// The Qt side of menus: a QMenu that shows the sub-items of one TMenuItem. It is filled
// each time it opens (so items added, hidden or freed at run time show as they are now),
// builds its sub-menus the same way, clicks an item with sub-items as its sub-menu opens,
// reports a chosen item to its owner (the popup menu or the menu bar), reports hovered
// items' hints to the application, lets owner-drawn items measure and draw themselves, and
// tells the menu observer once it is on the screen.
//
// Shortcuts are shown as text beside the caption, never registered with Qt: the form
// dispatches them itself.

#include <QMenu>
#include <functional>
#include <utility>
#include <vector>

#include "gui/menus/menus.h"

class QStyleOption;

class TQtMenu : public QMenu, public TMenuWatcher {
 public:
  // Choose is called with the item an entry of this menu (or of a sub-menu) stands for
  // when the player picks it; the menus have closed by then.
  using TChoose = std::function<void(TMenuItem* Item)>;
  TQtMenu(TMenu* Menu, TMenuItem* Item, QWidget* Parent, TChoose Choose);
  ~TQtMenu() override;

  TMenu* Menu() const { return Menu_; }
  TMenuItem* Item() const { return Item_; }
  // The item an action of this menu stands for, or none.
  TMenuItem* ItemOf(const QAction* Action) const;
  // Fills the menu anew from the item's visible sub-items.
  void Rebuild();
  // The title of a sub-menu entry and its state, from Item.
  static void ApplyItem(QAction& Action, const TMenuItem& Item);

  // Owner drawing, called by the menus' style.
  bool DrawItem(const QAction* Action, const QStyleOption& Option, QPainter* Painter) const;
  QSize MeasureItem(const QAction* Action, QSize Size) const;

  void MenuItemChanged(TMenuItem* Item, bool Structure) override;
  void MenuItemFreed(TMenuItem* Item) override;
  void MenuFreed() override;

 protected:
  void initStyleOption(QStyleOptionMenuItem* Option, const QAction* Action) const override;
  void showEvent(QShowEvent* Event) override;

 private:
  void Opening();
  void Picked(QAction* Action);
  void ClearEntries();
  void QueueRebuild();

  TMenu* Menu_;
  TMenuItem* Item_;
  TChoose Choose_;
  std::vector<std::pair<QAction*, TMenuItem*>> Entries_;
  std::vector<TQtMenu*> Subs_;
  bool RebuildQueued_ = false;
};
