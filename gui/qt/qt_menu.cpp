#include "gui/qt/qt_menu.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <QTimer>
#include <algorithm>

#include "gui/controls/control.h"
#include "gui/forms/application.h"
#include "gui/graphics/canvas.h"
#include "gui/menus/menu_observer.h"
#include "gui/qt/qt_convert.h"

namespace {

// The application's style, with owner-drawn menu items measured and drawn by their items.
// An owner-drawn entry carries its action as the style object of its style option.
class TQtMenuStyle : public QProxyStyle {
 public:
  TQtMenuStyle() : QProxyStyle(QApplication::style()->name()) {}

  void drawControl(ControlElement Element, const QStyleOption* Option, QPainter* Painter,
                   const QWidget* Widget) const override {
    if (Element == CE_MenuItem) {
      const auto* menu = dynamic_cast<const TQtMenu*>(Widget);
      const auto* action = qobject_cast<const QAction*>(Option->styleObject);
      if (menu != nullptr && action != nullptr && menu->DrawItem(action, *Option, Painter)) return;
    }
    QProxyStyle::drawControl(Element, Option, Painter, Widget);
  }

  QSize sizeFromContents(ContentsType Type, const QStyleOption* Option, const QSize& Size,
                         const QWidget* Widget) const override {
    const QSize size = QProxyStyle::sizeFromContents(Type, Option, Size, Widget);
    if (Type == CT_MenuItem) {
      const auto* menu = dynamic_cast<const TQtMenu*>(Widget);
      const auto* action = qobject_cast<const QAction*>(Option->styleObject);
      if (menu != nullptr && action != nullptr) return menu->MeasureItem(action, size);
    }
    return size;
  }
};

QStyle* MenuStyle() {
  static QPointer<TQtMenuStyle> style;
  if (style.isNull()) {
    style = new TQtMenuStyle();
    style->setParent(QCoreApplication::instance());
  }
  return style.data();
}

void SetApplicationHint(const std::string& Hint) {
  if (Application != nullptr) Application->SetHint(Hint);
}

// What an observer sees of a menu: the visible actions of the real QMenu.
class TQtMenuView : public TMenuView {
 public:
  explicit TQtMenuView(TQtMenu& Menu) : Menu_(Menu) {
    for (QAction* a : Menu.actions()) {
      if (a->isVisible()) Shown_.push_back(a);
    }
  }
  TMenu* Menu() const override { return Menu_.Menu(); }
  TMenuItem* Item() const override { return Menu_.Item(); }
  int Count() const override { return static_cast<int>(Shown_.size()); }
  TMenuItem* Items(int Index) const override { return Menu_.ItemOf(At(Index)); }
  std::string Caption(int Index) const override { return FromQString(At(Index)->text().section('\t', 0, 0)); }
  std::string ShortCutText(int Index) const override {
    return FromQString(At(Index)->text().section('\t', 1));
  }
  bool IsLine(int Index) const override { return At(Index)->isSeparator(); }
  bool Enabled(int Index) const override { return At(Index)->isEnabled(); }
  bool Checked(int Index) const override { return At(Index)->isChecked(); }
  bool Bold(int Index) const override { return At(Index)->font().bold(); }
  bool HasSubMenu(int Index) const override { return At(Index)->menu() != nullptr; }
  void Choose(int Index) override {
    QAction* a = At(Index);
    if (a->isSeparator() || !a->isEnabled()) return;
    // The keyboard's way: highlight the entry and press Return (a sub-menu opens).
    Menu_.setActiveAction(a);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(&Menu_, &press);
  }
  void Close() override {
    QWidget* w = &Menu_;
    QMenuBar* bar = nullptr;
    std::vector<QMenu*> chain;
    while (auto* m = qobject_cast<QMenu*>(w)) {
      chain.push_back(m);
      w = m->parentWidget();
      bar = qobject_cast<QMenuBar*>(w);
    }
    for (QMenu* m : chain)
      m->hide();
    if (bar != nullptr) bar->setActiveAction(nullptr);
  }

 private:
  QAction* At(int Index) const { return Shown_.at(static_cast<size_t>(Index)); }
  TQtMenu& Menu_;
  std::vector<QAction*> Shown_;
};

TMenuObserver& MenuObserverSlot() {
  static TMenuObserver observer;
  return observer;
}

}  // namespace

int TMenuView::IndexOf(const std::string& Caption) const {
  for (int i = 0; i < Count(); ++i) {
    if (!IsLine(i) && StripAccelerators(this->Caption(i)) == Caption) return i;
  }
  return -1;
}

TMenuObserver SetMenuObserver(TMenuObserver Observer) {
  TMenuObserver old = std::move(MenuObserverSlot());
  MenuObserverSlot() = std::move(Observer);
  return old;
}

const TMenuObserver& MenuObserver() {
  return MenuObserverSlot();
}

TQtMenu::TQtMenu(TMenu* Menu, TMenuItem* Item, QWidget* Parent, TChoose Choose)
    : QMenu(Parent), Menu_(Menu), Item_(Item), Choose_(std::move(Choose)) {
  if (Menu_ != nullptr) Menu_->AddWatcher(this);
  setStyle(MenuStyle());
  connect(this, &QMenu::aboutToShow, this, [this]() { GuardCall([this]() { Opening(); }); });
  connect(this, &QMenu::aboutToHide, this, [this]() {
    // Leaving the menus: the status line no longer describes an item.
    if (dynamic_cast<TQtMenu*>(parentWidget()) == nullptr) GuardCall([]() { SetApplicationHint(""); });
  });
}

TQtMenu::~TQtMenu() {
  if (Menu_ != nullptr) Menu_->RemoveWatcher(this);
}

TMenuItem* TQtMenu::ItemOf(const QAction* Action) const {
  for (const auto& [action, item] : Entries_) {
    if (action == Action) return item;
  }
  return nullptr;
}

void TQtMenu::ApplyItem(QAction& Action, const TMenuItem& Item) {
  QString text = ToQString(Item.Caption());
  if (Item.ShortCutKey() != 0) text += '\t' + ToQString(ShortCutToText(Item.ShortCutKey()));
  Action.setText(text);
  Action.setEnabled(Item.Enabled());
  // Only a checked item shows a mark; an unchecked one shows no empty box.
  Action.setCheckable(Item.Checked());
  Action.setChecked(Item.Checked());
  QFont font;
  if (Item.Default()) font.setBold(true);
  Action.setFont(font);
}

void TQtMenu::Opening() {
  if (Item_ == nullptr || Menu_ == nullptr) return;
  // A sub-menu's item is clicked as it opens, so it can set up its sub-items.
  if (Item_ != Menu_->Items()) Item_->Click();
  if (Item_ == nullptr) return;  // freed by its own handler
  Rebuild();
}

void TQtMenu::ClearEntries() {
  Entries_.clear();
  clear();
  for (TQtMenu* sub : Subs_)
    sub->deleteLater();
  Subs_.clear();
}

void TQtMenu::Rebuild() {
  RebuildQueued_ = false;
  ClearEntries();
  if (Item_ == nullptr) return;
  for (int i = 0; i < Item_->Count(); ++i) {
    TMenuItem* item = Item_->Items(i);
    if (!item->Visible()) continue;
    QAction* action = nullptr;
    if (item->IsLine()) {
      action = addSeparator();
    } else if (item->Count() > 0) {
      auto* sub = new TQtMenu(Menu_, item, this, Choose_);
      Subs_.push_back(sub);
      action = addMenu(sub);
      ApplyItem(*action, *item);
    } else {
      action = addAction(QString());
      ApplyItem(*action, *item);
      connect(action, &QAction::triggered, this, [this, action]() { Picked(action); });
    }
    connect(action, &QAction::hovered, this, [this, action]() {
      GuardCall([&]() {
        if (TMenuItem* hovered = ItemOf(action)) SetApplicationHint(GetLongHint(hovered->Hint()));
      });
    });
    Entries_.emplace_back(action, item);
  }
}

void TQtMenu::Picked(QAction* Action) {
  TMenuItem* item = ItemOf(Action);
  if (item != nullptr && Choose_) Choose_(item);
}

void TQtMenu::QueueRebuild() {
  if (RebuildQueued_) return;
  RebuildQueued_ = true;
  QTimer::singleShot(0, this, [this]() {
    if (RebuildQueued_) Rebuild();
  });
}

void TQtMenu::MenuItemChanged(TMenuItem* Item, bool /*Structure*/) {
  if (Item_ == nullptr || !isVisible()) return;  // filled anew when it opens
  if (Item == Item_ || Item->Parent() == Item_) QueueRebuild();
}

void TQtMenu::MenuItemFreed(TMenuItem* Item) {
  if (Item == Item_) {
    Item_ = nullptr;
    Entries_.clear();
    if (isVisible()) hide();
    return;
  }
  for (auto& entry : Entries_) {
    if (entry.second == Item) {
      entry.second = nullptr;
      entry.first->setVisible(false);
    }
  }
}

void TQtMenu::MenuFreed() {
  Menu_ = nullptr;
  Item_ = nullptr;
  Entries_.clear();
  if (isVisible()) hide();
}

void TQtMenu::initStyleOption(QStyleOptionMenuItem* Option, const QAction* Action) const {
  QMenu::initStyleOption(Option, Action);
  const TMenuItem* item = ItemOf(Action);
  if (item != nullptr && item->IsOwnerDrawn()) Option->styleObject = const_cast<QAction*>(Action);
}

bool TQtMenu::DrawItem(const QAction* Action, const QStyleOption& Option, QPainter* Painter) const {
  TMenuItem* item = ItemOf(Action);
  if (item == nullptr || !item->IsOwnerDrawn()) return false;
  const bool selected = Option.state.testFlag(QStyle::State_Selected);
  const TRect rect = FromQRect(Option.rect);
  Painter->save();
  TCanvas canvas;
  canvas.Brush()->SetColor(selected ? clHighlight : clMenu);
  canvas.Font()->SetColor(selected ? clHighlightText : clMenuText);
  canvas.Attach(Painter, nullptr);
  auto draw = [&]() { item->OnDrawItem(item, &canvas, rect, selected); };
  if (Application != nullptr) {
    Application->GuardDeferred(draw);
  } else {
    GuardCall(draw);
  }
  canvas.Detach();
  Painter->restore();
  return true;
}

QSize TQtMenu::MeasureItem(const QAction* Action, QSize Size) const {
  TMenuItem* item = ItemOf(Action);
  if (item == nullptr || !item->IsOwnerDrawn() || !item->OnMeasureItem) return Size;
  int width = Size.width(), height = Size.height();
  TCanvas canvas;
  GuardCall([&]() { item->OnMeasureItem(item, &canvas, width, height); });
  return QSize(std::max(0, width), std::max(0, height));
}

void TQtMenu::showEvent(QShowEvent* Event) {
  QMenu::showEvent(Event);
  if (!MenuObserver()) return;
  // Once the menu is up and painted, the observer may look at it and drive it.
  QTimer::singleShot(0, this, [this]() {
    if (!isVisible()) return;
    GuardCall([this]() {
      TQtMenuView view(*this);
      if (MenuObserver()) MenuObserver()(view);
    });
  });
}
