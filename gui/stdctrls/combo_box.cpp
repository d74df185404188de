#include "gui/stdctrls/combo_box.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QTimer>
#include <algorithm>

#include "core/core_strings.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "gui/controls/sync_scope.h"
#include "gui/forms/application.h"
#include "gui/qt/bridge.h"
#include "gui/qt/qt_convert.h"

BREVANT_DEFINE_CLASS(TComboBox, TWinControl,
                     .Property("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D)
                         .Default(true)
                         .Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount)
                         .Default(8)
                         .Range(1, 1000)
                         .With(PublishFontAndColor<TComboBox>)
                         .Property("Items", &TComboBox::Items, &TComboBox::SetItems)
                         .Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex)
                         .Default(-1)
                         .Property("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength)
                         .Default(0)
                         .Property("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted)
                         .Default(false)
                         .Property("Style", &TComboBox::Style, &TComboBox::SetStyle)
                         .Default(csDropDown)
                         .With(PublishTabbing<TComboBox>)
                         .Property("Text", &TControl::Text, &TControl::SetText)
                         .StoredIf([](const TComboBox& c) {
                           return c.Style() == csDropDown && c.ItemIndex() < 0;
                         })
                         .With(PublishKeyEvents<TComboBox>)
                         .Event("OnChange", &TComboBox::OnChange)
                         .Event("OnCloseUp", &TComboBox::OnCloseUp)
                         .Event("OnDropDown", &TComboBox::OnDropDown))

namespace {

// The combo box widget; it tells its control when the list opens. The list's window
// closing is watched separately, since it can close without passing through here.
class TComboWidget : public TQtBridge<QComboBox> {
 public:
  TComboWidget(TComboBox* Control, QWidget* Parent)
      : TQtBridge<QComboBox>(Control, Parent), Combo_(Control) {}
  void Unhook() { Combo_ = nullptr; }
  void showPopup() override {
    if (Combo_ != nullptr && LinkedControl() != nullptr) GuardCall([this]() { Combo_->ListOpening(); });
    QComboBox::showPopup();
    WatchList();
  }

 private:
  class TListWatcher : public QObject {
   public:
    TListWatcher(TComboWidget* Owner, QObject* Parent) : QObject(Parent), Owner_(Owner) {}
    bool eventFilter(QObject*, QEvent* E) override {
      if (E->type() == QEvent::Hide) Owner_->ListHidden();
      return false;
    }

   private:
    TComboWidget* Owner_;
  };

  void WatchList() {
    QWidget* list = view()->window();
    if (list == this->window() || list == Watched_) return;
    Watched_ = list;
    list->installEventFilter(new TListWatcher(this, list));
  }
  void ListHidden() {
    // The choice that closed the list is reported right after the list hides; the close
    // comes after it.
    QTimer::singleShot(0, this, [this]() {
      if (Combo_ != nullptr && LinkedControl() != nullptr) GuardCall([this]() { Combo_->ListClosed(); });
    });
  }

  TComboBox* Combo_;
  QWidget* Watched_ = nullptr;
};

QComboBox* ComboOf(TWinControl* Control) {
  return static_cast<QComboBox*>(Control->Widget());
}

}  // namespace

TComboBox::TComboBox(TComponent* AOwner)
    : TWinControl(AOwner), Items_(std::make_unique<TItemStrings>(static_cast<TItemListener*>(this))) {
  InitDefaults(clWindow, false);
  InitTabStop(true);
  SetBounds(0, 0, 145, 21);
}

TComboBox::~TComboBox() {
  if (HandleAllocated()) static_cast<TComboWidget*>(Widget())->Unhook();
}

QWidget* TComboBox::CreateWidget(QWidget* ParentWidget) {
  return new TComboWidget(this, ParentWidget);
}

void TComboBox::InitWidget() {
  QComboBox* combo = ComboOf(this);
  combo->setEditable(Style_ == csDropDown);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setMaxVisibleItems(DropDownCount_);
  if (QLineEdit* edit = combo->lineEdit()) {
    edit->setMaxLength(MaxLength_ > 0 ? MaxLength_ : 32767);
    TQtEventRouter::ForwardEvents(edit, this);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this](const QString& Text) {
      GuardCall([this, Text]() { UserTyped(FromQString(Text)); });
    });
  }
  QObject::connect(combo, &QComboBox::activated, combo,
                   [this](int Index) { GuardCall([this, Index]() { UserChose(Index); }); });
  PushItems();
  ApplyColors();
  TWinControl::InitWidget();
}

void TComboBox::TakeFocus() {
  QComboBox* combo = ComboOf(this);
  if (QLineEdit* edit = combo->lineEdit()) {
    edit->setFocus(Qt::OtherFocusReason);
  } else {
    combo->setFocus(Qt::OtherFocusReason);
  }
}

void TComboBox::PushItems() {
  if (!HandleAllocated()) return;
  QComboBox* combo = ComboOf(this);
  const TSyncScope sync(Syncing_);
  combo->clear();
  QStringList texts;
  for (int i = 0; i < Items_->Count(); ++i)
    texts.append(ToQString(Items_->Get(i)));
  combo->addItems(texts);
}

void TComboBox::PushCurrent() {
  if (!HandleAllocated()) return;
  QComboBox* combo = ComboOf(this);
  const TSyncScope sync(Syncing_);
  combo->setCurrentIndex(Items_->CurrentIndex());
  // An editable box shows our text, which may differ from the item's (case) or be in no item.
  if (QLineEdit* edit = combo->lineEdit()) {
    const QString text = ToQString(Text());
    if (edit->text() != text) edit->setText(text);
  }
}

void TComboBox::ApplyText() {
  if (Style_ == csDropDown) PushCurrent();
}

void TComboBox::ApplyColors() {
  if (!HandleAllocated()) return;
  QComboBox* combo = ComboOf(this);
  QPalette palette = combo->palette();
  const QColor text = ToQColor(Font()->Color());
  palette.setColor(QPalette::Base, ToQColor(Color()));
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::ButtonText, text);
  combo->setPalette(palette);
  if (QLineEdit* edit = combo->lineEdit()) edit->setPalette(palette);
}

void TComboBox::FontChanged() {
  TWinControl::FontChanged();
  ApplyColors();
}

void TComboBox::ColorChanged() {
  TWinControl::ColorChanged();
  ApplyColors();
}

int TComboBox::ItemIndex() const {
  return IsLoading() ? StoredItemIndex_ : Items_->CurrentIndex();
}

void TComboBox::SetItemIndex(int Value) {
  if (IsLoading()) {
    StoredItemIndex_ = Value;
    return;
  }
  if (Value < -1 || Value >= Items_->Count()) throw EListError(Format(LoadResString(SListIndexError), Value));
  const std::string text = Value >= 0 ? Items_->Get(Value) : std::string();
  if (Value == Items_->CurrentIndex() && Text() == text) return;
  Items_->SetCurrentIndex(Value);
  {
    const TSyncScope sync(Syncing_);
    SetText(text);
  }
  PushCurrent();
}

void TComboBox::TextChanged() {
  if (!Syncing_ && !IsLoading()) MatchTextToItem();
  TWinControl::TextChanged();
}

void TComboBox::MatchTextToItem() {
  const int index = Text().empty() ? -1 : Items_->IndexOf(Text());
  Items_->SetCurrentIndex(index);
  if (Style_ == csDropDownList) {
    // A list-only box shows items only: the item's own spelling, or nothing.
    const TSyncScope sync(Syncing_);
    SetText(index >= 0 ? Items_->Get(index) : std::string());
  }
}

void TComboBox::SetStyle(TComboBoxStyle Value) {
  if (Value == Style_) return;
  Style_ = Value;
  if (!IsLoading() && Value == csDropDownList) MatchTextToItem();
  if (HandleAllocated()) RecreateWidget();
}

void TComboBox::SetDropDownCount(int Value) {
  Value = std::max(1, Value);
  if (Value == DropDownCount_) return;
  DropDownCount_ = Value;
  if (HandleAllocated()) ComboOf(this)->setMaxVisibleItems(Value);
}

void TComboBox::SetMaxLength(int Value) {
  Value = std::max(0, Value);
  if (Value == MaxLength_) return;
  MaxLength_ = Value;
  if (!HandleAllocated()) return;
  if (QLineEdit* edit = ComboOf(this)->lineEdit()) edit->setMaxLength(Value > 0 ? Value : 32767);
}

bool TComboBox::DroppedDown() const {
  if (!HandleAllocated()) return false;
  auto* self = const_cast<TComboBox*>(this);
  return ComboOf(self)->view()->isVisible();
}

void TComboBox::SetDroppedDown(bool Value) {
  if (Value == DroppedDown()) return;
  if (Value) {
    ComboOf(this)->showPopup();
  } else {
    ComboOf(this)->hidePopup();
  }
}

void TComboBox::Clear() {
  Items_->Clear();
  SetText("");
}

void TComboBox::SelectAll() {
  if (!HandleAllocated()) return;
  if (QLineEdit* edit = ComboOf(this)->lineEdit()) edit->selectAll();
}

void TComboBox::UserChose(int Index) {
  if (Syncing_ || Index < 0 || Index >= Items_->Count()) return;
  Items_->SetCurrentIndex(Index);
  {
    const TSyncScope sync(Syncing_);
    SetText(Items_->Get(Index));
  }
  PushCurrent();
  Click();
  Change();
}

void TComboBox::UserTyped(const std::string& Value) {
  if (Syncing_) return;
  {
    const TSyncScope sync(Syncing_);
    SetText(Value);
  }
  // The item follows the text; the widget keeps what was typed.
  Items_->SetCurrentIndex(Value.empty() ? -1 : Items_->IndexOf(Value));
  Change();
}

void TComboBox::ListOpening() {
  DropDown();
}

void TComboBox::ListClosed() {
  CloseUp();
}

void TComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TComboBox::Loaded() {
  TWinControl::Loaded();
  const int stored = StoredItemIndex_;
  StoredItemIndex_ = -1;
  if (stored >= 0 && stored < Items_->Count()) {
    SetItemIndex(stored);
  } else {
    MatchTextToItem();
    PushCurrent();
  }
}

void TComboBox::ItemInserted(int Index) {
  if (HandleAllocated()) {
    const TSyncScope sync(Syncing_);
    ComboOf(this)->insertItem(Index, ToQString(Items_->Get(Index)));
  }
  PushCurrent();
}

void TComboBox::ItemDeleted(int Index) {
  if (HandleAllocated()) {
    const TSyncScope sync(Syncing_);
    ComboOf(this)->removeItem(Index);
  }
  ItemsChanged();
}

void TComboBox::ItemChanged(int Index) {
  if (HandleAllocated()) {
    const TSyncScope sync(Syncing_);
    ComboOf(this)->setItemText(Index, ToQString(Items_->Get(Index)));
  }
  if (Index == Items_->CurrentIndex()) {
    const TSyncScope sync(Syncing_);
    SetText(Items_->Get(Index));
  }
  PushCurrent();
}

void TComboBox::ItemsReset() {
  PushItems();
  ItemsChanged();
}

void TComboBox::ItemsChanged() {
  // A list-only box whose chosen item went shows nothing.
  if (Style_ == csDropDownList && Items_->CurrentIndex() < 0 && !Text().empty()) {
    const TSyncScope sync(Syncing_);
    SetText("");
  }
  PushCurrent();
}
