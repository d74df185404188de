#pragma once
// TDBNavigator: a row of up to ten buttons that move or edit the dataset of its data
// source (First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh). Its data
// link enables and disables the buttons as the dataset opens, moves and edits. A click
// performs the button's action first and then calls OnClick, so the move and everything
// it updates are complete when OnClick runs.
//
// Files: db_navigator.cpp (creation, properties, clicks, keyboard and focus),
// nav_hints.cpp (ApplyHints), nav_fit.cpp (FitButtons and sizing), nav_enabling.cpp
// (the enabling rules).

#include <array>
#include <memory>

#include "core/strings.h"
#include "data/links/nav_data_link.h"
#include "data/navigator/nav_button.h"
#include "data/navigator/nav_types.h"
#include "gui/controls/custom_panel.h"

class TDataSource;

class TDBNavigator : public TCustomPanel, public TNavigatorView {
 public:
  BREVANT_CLASS(TDBNavigator)
  explicit TDBNavigator(TComponent* AOwner);
  ~TDBNavigator() override;

  // ---- Published ------------------------------------------------------------------------
  TDataSource* DataSource() const;
  // Refreshes every button (not while loading); the navigator lets go of a source that is
  // freed.
  void SetDataSource(TDataSource* Value);
  TButtonSet VisibleButtons() const { return VisibleButtons_; }
  // Shows the buttons named, re-sizes the navigator to fit them and repaints.
  void SetVisibleButtons(TButtonSet Value);
  bool Flat() const { return Flat_; }
  void SetFlat(bool Value);
  // Custom hints by position: line i belongs to button i (visible or not); an empty line
  // keeps the default. Changing the list re-applies the hints.
  TStrings* Hints() const { return Hints_.get(); }
  // A list whose text equals the whole default list clears the custom hints; any other
  // list is copied.
  void SetHints(TStrings* Value);
  bool ConfirmDelete() const { return ConfirmDelete_; }
  void SetConfirmDelete(bool Value) { ConfirmDelete_ = Value; }

  // Before the action of a click (only with an active source), and after every click.
  ENavClick BeforeAction;
  ENavClick OnClick;

  // ---- Internal state, open for inspection ------------------------------------------------
  TNavDataLink* NavLink() const { return NavLink_.get(); }
  TNavButton* Buttons(TNavigateBtn Kind) const { return Buttons_[static_cast<size_t>(Kind)]; }
  // The ten default hints, in button order.
  const TStrings* DefaultHints() const { return DefaultHints_.get(); }
  // Width of one button's slot, as the last fitting computed it (0 until then).
  int SlotWidth() const { return SlotWidth_; }
  static constexpr TSize MinButtonSize{20, 18};
  // The button that the keyboard works on.
  TNavigateBtn FocusedIndex() const { return FocusedIndex_; }

  // ---- Operations ---------------------------------------------------------------------------
  // The action of a button on the source's dataset, then OnClick (see the file comment).
  virtual void ClickButton(TNavigateBtn Button);
  // Gives each button its default hint, then the custom lines by position.
  void ApplyHints();
  // Adjusts a requested size to whole button slots (when not aligned) and at least the
  // minimum, and places the buttons. Skipped while loading or before the buttons exist.
  void FitButtons(int& Width, int& Height);

  // The enabling rules, run by the link and by the navigator itself.
  void RefreshAllButtons() override;
  void RefreshMoveButtons() override;
  void RefreshEditButtons() override;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // The buttons are the navigator's own and never part of a stored layout.
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void BoundsChanged(const TRect& Old) override;
  void InitWidget() override;
  void EnabledChanged() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  bool WantsKey(uint16_t Key, TShiftState Shift) const override;
  void DoEnter() override;
  void DoExit() override;

 private:
  void CreateButtons();
  bool ButtonsMade() const { return Buttons_.back() != nullptr; }
  void ButtonMouseDown(TNavButton* Button);
  // Moves FocusedIndex one visible button forward or back, if there is one.
  void MoveFocus(bool Forward);
  // Fits the current size and re-sizes the navigator when the fit differs.
  void ResizeToFit();
  bool AllowsAction() const;

  std::unique_ptr<TNavDataLink> NavLink_;
  std::array<TNavButton*, NavButtonCount> Buttons_{};  // children, freed with the navigator
  std::unique_ptr<TStringList> Hints_;
  std::unique_ptr<TStringList> DefaultHints_;
  TButtonSet VisibleButtons_ = AllNavButtons;
  bool Flat_ = false;
  bool ConfirmDelete_ = true;
  int SlotWidth_ = 0;
  TNavigateBtn FocusedIndex_ = nbFirst;
};
