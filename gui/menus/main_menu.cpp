#include "gui/menus/main_menu.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "gui/controls/control.h"
#include "gui/forms/application.h"
#include "gui/forms/form.h"
#include "gui/qt/qt_convert.h"
#include "gui/qt/qt_menu.h"

BREVANT_DEFINE_CLASS(TMainMenu, TMenu,
                     .Property("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw).Default(false))

// The Qt menu bar on the form's widget: one action per top-level item, in order; an item
// with sub-items has a menu, filled when it opens.
struct TMainMenu::TBar {
  struct TEntry {
    TMenuItem* Item = nullptr;
    QPointer<QAction> Action;
    QPointer<TQtMenu> Menu;
  };
  QPointer<QMenuBar> Bar;
  std::vector<TEntry> Entries;
  // Cleared when the menu goes, so a click queued for later finds nobody.
  std::shared_ptr<bool> Alive = std::make_shared<bool>(true);
};

namespace {

bool InTree(const TMenuItem& Root, const TMenuItem* Item) {
  for (int i = 0; i < Root.Count(); ++i) {
    if (Root.Items(i) == Item || InTree(*Root.Items(i), Item)) return true;
  }
  return false;
}

// Runs Fn once the current message (the click that closed the menus) is handled.
void Later(std::function<void()> Fn) {
  if (Application != nullptr) {
    Application->QueueCall(std::move(Fn));
  } else {
    QTimer::singleShot(0, QCoreApplication::instance(), [fn = std::move(Fn)]() { GuardCall(fn); });
  }
}

}  // namespace

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

TMainMenu::~TMainMenu() {
  Destroying();
  DestroyBar();
  // The form hears of it through its free notification and forgets the menu.
}

void TMainMenu::SetForm(TCustomForm* Form) {
  if (Form == Form_) return;
  DestroyBar();
  Form_ = Form;
  if (Form_ != nullptr && Form_->HandleAllocated()) FormWidgetCreated();
}

void TMainMenu::DestroyBar() {
  if (!Bar_) return;
  *Bar_->Alive = false;
  if (!Bar_->Bar.isNull()) delete Bar_->Bar.data();  // with its menus and actions
  Bar_.reset();
}

void TMainMenu::FormWidgetCreated() {
  DestroyBar();
  if (Form_ == nullptr || !Form_->HandleAllocated()) return;
  QWidget* window = Form_->Widget();
  Bar_ = std::make_unique<TBar>();
  auto* bar = new QMenuBar(window);
  bar->setNativeMenuBar(false);
  bar->setFont(ToQFont(TFont()));
  bar->setFixedHeight(kMenuBarHeight);
  Bar_->Bar = bar;
  FormWidgetResized();
  SyncBar();
  bar->show();
  bar->raise();
}

void TMainMenu::FormWidgetResized() {
  if (!Bar_ || Bar_->Bar.isNull() || Form_ == nullptr || !Form_->HandleAllocated()) return;
  Bar_->Bar->setGeometry(0, 0, Form_->Widget()->width(), kMenuBarHeight);
}

void TMainMenu::SyncBar() {
  if (!Bar_ || Bar_->Bar.isNull()) return;
  QMenuBar* bar = Bar_->Bar.data();
  std::vector<TBar::TEntry> next;
  std::vector<TBar::TEntry> old = std::move(Bar_->Entries);
  const std::weak_ptr<bool> alive = Bar_->Alive;
  for (int i = 0; i < Items()->Count(); ++i) {
    TMenuItem* item = Items()->Items(i);
    const bool wantsMenu = item->Count() > 0;
    auto it = std::find_if(old.begin(), old.end(), [&](const TBar::TEntry& e) {
      return e.Item == item && !e.Action.isNull() && e.Menu.isNull() != wantsMenu;
    });
    TBar::TEntry entry;
    if (it != old.end()) {
      entry = *it;
      old.erase(it);
    } else {
      entry.Item = item;
      if (wantsMenu) {
        entry.Menu = new TQtMenu(this, item, bar, [this, alive](TMenuItem* Chosen) {
          Later([this, alive, Chosen]() {
            if (!alive.expired() && *alive.lock() && InTree(*Items(), Chosen)) Chosen->Click();
          });
        });
        entry.Action = entry.Menu->menuAction();
      } else {
        entry.Action = new QAction(bar);
        QObject::connect(entry.Action, &QAction::triggered, bar, [this, alive, item]() {
          Later([this, alive, item]() {
            if (!alive.expired() && *alive.lock() && Items()->IndexOf(item) >= 0) item->Click();
          });
        });
      }
      QObject::connect(entry.Action, &QAction::hovered, bar, [this, alive, item]() {
        GuardCall([&]() {
          if (!alive.expired() && *alive.lock() && Items()->IndexOf(item) >= 0 && Application != nullptr)
            Application->SetHint(GetLongHint(item->Hint()));
        });
      });
    }
    entry.Action->setText(ToQString(item->Caption()));
    entry.Action->setEnabled(item->Enabled());
    entry.Action->setVisible(item->Visible() && !item->IsLine());
    next.push_back(entry);
  }
  for (TBar::TEntry& gone : old) {
    if (!gone.Menu.isNull()) {
      gone.Menu->deleteLater();
    } else if (!gone.Action.isNull()) {
      gone.Action->deleteLater();
    }
  }
  QList<QAction*> wanted;
  for (const TBar::TEntry& e : next)
    wanted.append(e.Action.data());
  if (bar->actions() != wanted) {
    for (QAction* a : bar->actions())
      bar->removeAction(a);
    bar->addActions(wanted);
  }
  Bar_->Entries = std::move(next);
}

void TMainMenu::ItemChanged(TMenuItem* Item, bool Structure) {
  TMenu::ItemChanged(Item, Structure);
  if (Item == Items() || Item->Parent() == Items()) SyncBar();
}

void TMainMenu::Open(TMenuItem* Item) {
  if (Item == nullptr || Items()->IndexOf(Item) < 0) return;
  if (Item->Count() == 0) {
    Item->Click();
    return;
  }
  if (!Bar_ || Bar_->Bar.isNull()) return;
  QPointer<QAction> action;
  for (const TBar::TEntry& e : Bar_->Entries) {
    if (e.Item == Item) action = e.Action;
  }
  // Opening clicks the item, whose handler may change the bar's entries: none is held now.
  if (!action.isNull()) Bar_->Bar->setActiveAction(action.data());
}

bool TMainMenu::OpenByLetter(char Key) {
  for (int i = 0; i < Items()->Count(); ++i) {
    TMenuItem* item = Items()->Items(i);
    if (item->Visible() && item->Enabled() && IsAccelerator(Key, item->Caption())) {
      Open(item);
      return true;
    }
  }
  return false;
}
