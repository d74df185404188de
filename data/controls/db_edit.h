#pragma once
// TDBEdit: a one-line edit box that shows and edits one field of the current row of its data
// source. Typing puts the dataset into edit mode; the text goes into the field when the row is
// saved (Post, or the focus leaving the box). A text longer than the field raises instead of
// being cut short: the box keeps what was typed, so nothing is lost.

#include <memory>
#include <string>

#include "gui/stdctrls/edit.h"

class TDataSource;
class TFieldDataLink;
class TField;

class TDBEdit : public TEdit {
 public:
  BREVANT_CLASS(TDBEdit)
  explicit TDBEdit(TComponent* AOwner);
  ~TDBEdit() override;

  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* Value);
  std::string DataField() const;
  void SetDataField(const std::string& Value);
  TField* Field() const;
  TFieldDataLink* DataLink() const { return Link_.get(); }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Change() override;
  void DoEnter() override;
  void DoExit() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;

 private:
  void HandleDataChange();
  void HandleEditingChange();
  void HandleUpdateData();
  // Puts the row into edit mode unless it is there; false when the row cannot change.
  bool BeginEdit();
  // Shows Value without taking it for the user's typing.
  void ShowText(const std::string& Value);

  std::unique_ptr<TFieldDataLink> Link_;
  bool Showing_ = false;
  bool Focused_ = false;
};
