#pragma once
// TComboBox: a box that shows one text and drops down a list of Items to choose from.
// csDropDown: the text is also typed; ItemIndex follows it (the item equal to the text,
// regardless of case, or -1) and a text that is not in the list stays as typed.
// csDropDownList: the text is always the chosen item's (or empty).
//
// Events, each once per action of the player (never for changes made by the program):
// OnDropDown before the list opens; choosing an item fires OnClick, then OnChange, then
// OnCloseUp once the list has closed (OnCloseUp also when the list closes without a
// choice); typing fires OnChange for each change of the text.
//
// Font.Color is the colour of the text in the box (a caller shows an unknown value in red).

#include <memory>

#include "gui/controls/win_control.h"
#include "gui/stdctrls/item_strings.h"

enum TComboBoxStyle { csDropDown, csDropDownList };
BREVANT_ENUM_NAMES(TComboBoxStyle, "csDropDown", "csDropDownList");

class TComboBox : public TWinControl, private TItemListener {
 public:
  BREVANT_CLASS(TComboBox)
  explicit TComboBox(TComponent* AOwner);
  ~TComboBox() override;

  TComboBoxStyle Style() const { return Style_; }
  void SetStyle(TComboBoxStyle Value);
  TStrings* Items() const { return Items_.get(); }
  void SetItems(TStrings* Value) { Items_->Assign(*Value); }
  // The chosen item, -1 for none. Setting it shows the item's text (-1 empties the text).
  int ItemIndex() const;
  void SetItemIndex(int Value);
  bool Sorted() const { return Items_->Sorted(); }
  void SetSorted(bool Value) { Items_->SetSorted(Value); }
  // How many rows the open list shows before it scrolls.
  int DropDownCount() const { return DropDownCount_; }
  void SetDropDownCount(int Value);
  int MaxLength() const { return MaxLength_; }
  void SetMaxLength(int Value);
  bool DroppedDown() const;
  void SetDroppedDown(bool Value);
  void Clear();
  void SelectAll();

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

  bool PaintsNatively() const override { return true; }
  void TakeFocus() override;

  // Framework side: the widget's list opens and closes.
  void ListOpening();
  void ListClosed();

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;
  void ApplyText() override;
  void TextChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  bool FocusOnClick() const override { return true; }
  void Loaded() override;
  virtual void Change();
  virtual void DropDown();
  virtual void CloseUp();

 private:
  void ItemInserted(int Index) override;
  void ItemDeleted(int Index) override;
  void ItemChanged(int Index) override;
  void ItemsReset() override;
  void ItemsChanged();

  void PushItems();
  void PushCurrent();
  void ApplyColors();
  void UserChose(int Index);
  void UserTyped(const std::string& Text);
  // The current item as the text says (csDropDown).
  void MatchTextToItem();

  std::unique_ptr<TItemStrings> Items_;
  TComboBoxStyle Style_ = csDropDown;
  int DropDownCount_ = 8;
  int MaxLength_ = 0;
  int StoredItemIndex_ = -1;  // as read from a layout, applied once the items are there
  bool Syncing_ = false;
};
