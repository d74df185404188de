#include "gui/stdctrls/list_box.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPalette>

#include "core/core_strings.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "gui/controls/sync_scope.h"
#include "gui/forms/application.h"
#include "gui/qt/bridge.h"
#include "gui/qt/qt_convert.h"

BREVANT_DEFINE_CLASS(TListBox, TWinControl,
                     .Property("BorderStyle", &TListBox::BorderStyle, &TListBox::SetBorderStyle)
                         .Default(bsSingle)
                         .Property("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D)
                         .Default(true)
                         .With(PublishFontAndColor<TListBox>)
                         .Property("Items", &TListBox::Items, &TListBox::SetItems)
                         .Property("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex)
                         .Default(-1)
                         .Property("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect)
                         .Default(false)
                         .Property("Sorted", &TListBox::Sorted, &TListBox::SetSorted)
                         .Default(false)
                         .With(PublishTabbing<TListBox>)
                         .With(PublishKeyEvents<TListBox>))

namespace {

// The list widget; after each mouse or key action of the player it has its control read
// the selection back, so one action is one change however many signals Qt raises for it.
class TListWidget : public TQtBridge<QListWidget> {
 public:
  TListWidget(TListBox* Control, QWidget* Parent) : TQtBridge<QListWidget>(Control, Parent), List_(Control) {}
  void Unhook() { List_ = nullptr; }

 protected:
  void mousePressEvent(QMouseEvent* E) override {
    QListWidget::mousePressEvent(E);
    Acted();
  }
  void mouseMoveEvent(QMouseEvent* E) override {
    QListWidget::mouseMoveEvent(E);
    if (E->buttons() != Qt::NoButton) Acted();
  }
  void mouseReleaseEvent(QMouseEvent* E) override {
    QListWidget::mouseReleaseEvent(E);
    Acted();
  }
  void keyPressEvent(QKeyEvent* E) override {
    QListWidget::keyPressEvent(E);
    Acted();
  }

 private:
  void Acted() {
    if (List_ != nullptr && LinkedControl() != nullptr) GuardCall([this]() { List_->SelectionFromWidget(); });
  }

  TListBox* List_;
};

QListWidget* ListOf(TWinControl* Control) {
  return static_cast<QListWidget*>(Control->Widget());
}

}  // namespace

TListBox::TListBox(TComponent* AOwner)
    : TWinControl(AOwner), Items_(std::make_unique<TItemStrings>(static_cast<TItemListener*>(this))) {
  InitDefaults(clWindow, false);
  InitTabStop(true);
  SetBounds(0, 0, 121, 97);
}

TListBox::~TListBox() {
  if (HandleAllocated()) static_cast<TListWidget*>(Widget())->Unhook();
}

QWidget* TListBox::CreateWidget(QWidget* ParentWidget) {
  return new TListWidget(this, ParentWidget);
}

void TListBox::InitWidget() {
  QListWidget* list = ListOf(this);
  list->setUniformItemSizes(true);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  TQtEventRouter::ForwardEvents(list->viewport(), this);
  ApplyOptions();
  PushItems();
  TWinControl::InitWidget();
}

void TListBox::ApplyOptions() {
  if (!HandleAllocated()) return;
  QListWidget* list = ListOf(this);
  list->setSelectionMode(MultiSelect_ ? QAbstractItemView::ExtendedSelection
                                      : QAbstractItemView::SingleSelection);
  list->setFrameShape(BorderStyle_ == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
  QPalette palette = list->palette();
  palette.setColor(QPalette::Base, ToQColor(Color()));
  list->setPalette(palette);
}

void TListBox::TakeFocus() {
  ListOf(this)->setFocus(Qt::OtherFocusReason);
}

void TListBox::ColorChanged() {
  TWinControl::ColorChanged();
  ApplyOptions();
}

void TListBox::SetMultiSelect(bool Value) {
  if (Value == MultiSelect_) return;
  MultiSelect_ = Value;
  if (!Value) {
    // One item at most stays selected: the one with the focus frame, else the first.
    int keep = Items_->CurrentIndex();
    if (keep < 0 || !Items_->Selected(keep)) {
      keep = -1;
      for (int i = 0; i < Items_->Count() && keep < 0; ++i)
        if (Items_->Selected(i)) keep = i;
    }
    for (int i = 0; i < Items_->Count(); ++i)
      Items_->SetSelected(i, i == keep);
    Items_->SetCurrentIndex(keep);
  }
  ApplyOptions();
  PushSelection();
}

void TListBox::SetBorderStyle(TBorderStyle Value) {
  if (Value == BorderStyle_) return;
  BorderStyle_ = Value;
  ApplyOptions();
}

int TListBox::ItemIndex() const {
  if (IsLoading()) return StoredItemIndex_;
  if (MultiSelect_) return Items_->CurrentIndex();
  const int current = Items_->CurrentIndex();
  return current >= 0 && Items_->Selected(current) ? current : -1;
}

void TListBox::SetItemIndex(int Value) {
  if (IsLoading()) {
    StoredItemIndex_ = Value;
    return;
  }
  if (Value < -1 || Value >= Items_->Count()) throw EListError(Format(LoadResString(SListIndexError), Value));
  if (!MultiSelect_) {
    for (int i = 0; i < Items_->Count(); ++i)
      Items_->SetSelected(i, i == Value);
  }
  Items_->SetCurrentIndex(Value);
  PushSelection();
}

void TListBox::SetSelected(int Index, bool Value) {
  if (Items_->Selected(Index) == Value) return;
  if (!MultiSelect_) {
    // Without MultiSelect, selecting an item is choosing it; unselecting leaves none.
    SetItemIndex(Value ? Index : -1);
    return;
  }
  Items_->SetSelected(Index, Value);
  PushSelection();
}

void TListBox::ClearSelection() {
  for (int i = 0; i < Items_->Count(); ++i)
    Items_->SetSelected(i, false);
  if (!MultiSelect_) Items_->SetCurrentIndex(-1);
  PushSelection();
}

void TListBox::SelectAll() {
  if (!MultiSelect_) return;
  for (int i = 0; i < Items_->Count(); ++i)
    Items_->SetSelected(i, true);
  PushSelection();
}

int TListBox::ItemAtPos(TPoint Pos) const {
  if (!HandleAllocated()) return -1;
  auto* self = const_cast<TListBox*>(this);
  QListWidget* list = ListOf(self);
  const QPoint at = list->viewport()->mapFrom(list, QPoint(Pos.X, Pos.Y));
  const QModelIndex index = list->indexAt(at);
  return index.isValid() ? index.row() : -1;
}

void TListBox::PushItems() {
  if (!HandleAllocated()) return;
  QListWidget* list = ListOf(this);
  const TSyncScope sync(Syncing_);
  list->clear();
  for (int i = 0; i < Items_->Count(); ++i)
    list->addItem(ToQString(Items_->Get(i)));
  PushSelection();
}

void TListBox::PushSelection() {
  if (!HandleAllocated()) return;
  QListWidget* list = ListOf(this);
  const TSyncScope sync(Syncing_);
  const int current = Items_->CurrentIndex();
  list->setCurrentRow(current, QItemSelectionModel::NoUpdate);
  for (int i = 0; i < Items_->Count() && i < list->count(); ++i)
    list->item(i)->setSelected(Items_->Selected(i));
}

void TListBox::SelectionFromWidget() {
  if (Syncing_ || !HandleAllocated()) return;
  QListWidget* list = ListOf(this);
  bool changed = false;
  for (int i = 0; i < Items_->Count() && i < list->count(); ++i) {
    const bool selected = list->item(i)->isSelected();
    if (selected != Items_->Selected(i)) {
      Items_->SetSelected(i, selected);
      changed = true;
    }
  }
  const int current = list->currentRow() < Items_->Count() ? list->currentRow() : -1;
  if (current != Items_->CurrentIndex()) {
    Items_->SetCurrentIndex(current);
    changed = true;
  }
  if (changed) Click();
}

void TListBox::Loaded() {
  TWinControl::Loaded();
  const int stored = StoredItemIndex_;
  StoredItemIndex_ = -1;
  if (stored >= 0 && stored < Items_->Count()) SetItemIndex(stored);
}

void TListBox::ItemInserted(int Index) {
  if (!HandleAllocated()) return;
  const TSyncScope sync(Syncing_);
  ListOf(this)->insertItem(Index, ToQString(Items_->Get(Index)));
  PushSelection();
}

void TListBox::ItemDeleted(int Index) {
  if (!HandleAllocated()) return;
  {
    const TSyncScope sync(Syncing_);
    delete ListOf(this)->takeItem(Index);
  }
  PushSelection();
}

void TListBox::ItemChanged(int Index) {
  if (!HandleAllocated()) return;
  const TSyncScope sync(Syncing_);
  ListOf(this)->item(Index)->setText(ToQString(Items_->Get(Index)));
}

void TListBox::ItemsReset() {
  PushItems();
}
