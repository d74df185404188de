#pragma once
// TListBox: a list of Items with a selection. Without MultiSelect one item at most is
// selected and ItemIndex is that item; with MultiSelect the player extends the selection
// with Shift and Ctrl, Selected(i) tells each item's state and ItemIndex is the item with
// the focus frame. Sorted keeps the items in text order (so "10" comes before "2").
// The selection stays with its items when others are added or deleted.
//
// OnClick fires once for each change of the selection or of ItemIndex made by the player
// (mouse or keys), never for changes made by the program.

#include <memory>

#include "gui/controls/win_control.h"
#include "gui/stdctrls/item_strings.h"

class TListBox : public TWinControl, private TItemListener {
 public:
  BREVANT_CLASS(TListBox)
  explicit TListBox(TComponent* AOwner);
  ~TListBox() override;

  TStrings* Items() const { return Items_.get(); }
  void SetItems(TStrings* Value) { Items_->Assign(*Value); }
  // The selected item (MultiSelect: the item with the focus frame), -1 for none.
  int ItemIndex() const;
  void SetItemIndex(int Value);
  bool Selected(int Index) const { return Items_->Selected(Index); }
  void SetSelected(int Index, bool Value);
  int SelCount() const { return Items_->SelectedCount(); }
  bool MultiSelect() const { return MultiSelect_; }
  void SetMultiSelect(bool Value);
  bool Sorted() const { return Items_->Sorted(); }
  void SetSorted(bool Value) { Items_->SetSorted(Value); }
  TBorderStyle BorderStyle() const { return BorderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  void Clear() { Items_->Clear(); }
  void ClearSelection();
  void SelectAll();
  // The item at a point of the client area, or -1.
  int ItemAtPos(TPoint Pos) const;

  bool PaintsNatively() const override { return true; }
  void TakeFocus() override;

  // Framework side: the player acted on the widget; reads its selection back.
  void SelectionFromWidget();

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;
  void ColorChanged() override;
  bool FocusOnClick() const override { return true; }
  void Loaded() override;

 private:
  void ItemInserted(int Index) override;
  void ItemDeleted(int Index) override;
  void ItemChanged(int Index) override;
  void ItemsReset() override;

  void PushItems();
  void PushSelection();
  void ApplyOptions();

  std::unique_ptr<TItemStrings> Items_;
  bool MultiSelect_ = false;
  TBorderStyle BorderStyle_ = bsSingle;
  int StoredItemIndex_ = -1;  // as read from a layout, applied once the items are there
  bool Syncing_ = false;
};
