#pragma once
// TGroupBox: an etched frame with a caption around child controls. TRadioGroup: a group
// box of radio buttons, one per line of Items, arranged in Columns; ItemIndex is the
// selected item, -1 for none. OnClick fires when the player picks an item.

#include <vector>

#include "gui/controls/graphic_control.h"

class QRadioButton;

class TGroupBox : public TCustomControl {
 public:
  BREVANT_CLASS(TGroupBox)
  explicit TGroupBox(TComponent* AOwner);

 protected:
  void Paint() override;
};

class TRadioGroup : public TGroupBox {
 public:
  BREVANT_CLASS(TRadioGroup)
  explicit TRadioGroup(TComponent* AOwner);
  ~TRadioGroup() override;

  TStrings* Items() const { return Items_.get(); }
  void SetItems(TStrings* Value) { Items_->Assign(*Value); }
  int ItemIndex() const { return ItemIndex_; }
  void SetItemIndex(int Value);
  int Columns() const { return Columns_; }
  void SetColumns(int Value);

  void TakeFocus() override;
  // The radio button widget of an item (for tests and automation), or none.
  QRadioButton* ButtonWidget(int Index) const;

 protected:
  void InitWidget() override;
  void WidgetDestroying() override;
  void FontChanged() override;
  void EnabledChanged() override;
  void BoundsChanged(const TRect& Old) override;
  void Loaded() override;

 private:
  void RebuildButtons();
  void ArrangeButtons();
  void UpdateChecks();

  std::unique_ptr<TStringList> Items_;
  int ItemIndex_ = -1;
  int Columns_ = 1;
  std::vector<QRadioButton*> Buttons_;
};
