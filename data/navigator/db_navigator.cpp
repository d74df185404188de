#include "data/navigator/db_navigator.h"

#include "core/rtti.h"
#include "data/dataset.h"
#include "data/links/data_source.h"
#include "data/navigator/nav_glyphs.h"
#include "data/navigator/navigator_strings.h"
#include "gui/controls/keys.h"
#include "gui/dialogs/message_box.h"

BREVANT_DEFINE_CLASS(TDBNavigator, TCustomPanel,
                     .Property("DataSource", &TDBNavigator::DataSource, &TDBNavigator::SetDataSource)
                         .Property("VisibleButtons", &TDBNavigator::VisibleButtons,
                                   &TDBNavigator::SetVisibleButtons)
                         .Default(AllNavButtons)
                         .Property("Flat", &TDBNavigator::Flat, &TDBNavigator::SetFlat)
                         .Default(false)
                         .Property("Hints", &TDBNavigator::Hints, &TDBNavigator::SetHints)
                         .Property("ConfirmDelete", &TDBNavigator::ConfirmDelete,
                                   &TDBNavigator::SetConfirmDelete)
                         .Default(true)
                         .Property("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D)
                         .Default(true)
                         .With(PublishTabbing<TDBNavigator>)
                         .Event("BeforeAction", &TDBNavigator::BeforeAction)
                         .Event("OnClick", &TDBNavigator::OnClick)
                         .Event("OnEnter", &TWinControl::OnEnter)
                         .Event("OnExit", &TWinControl::OnExit))

TDBNavigator::TDBNavigator(TComponent* AOwner)
    : TCustomPanel(AOwner),
      NavLink_(std::make_unique<TNavDataLink>(this)),
      Hints_(std::make_unique<TStringList>()) {
  SetControlStyle(ControlStyle() - TControlStyle{csAcceptsControls, csSetCaption} + TControlStyle{csOpaque});
  Hints_->OnChange = [this](TObject*) { ApplyHints(); };
  SetBevelOuter(bvNone);
  SetBevelInner(bvNone);
  // Set before the buttons exist, so the size stays as given; the buttons are fitted to it
  // when the navigator gets its window or is loaded from a layout.
  SetBounds(Left(), Top(), 241, 25);
  CreateButtons();
}

TDBNavigator::~TDBNavigator() {
  Destroying();
  NavLink_->ClearNavigator();
  NavLink_.reset();
  Hints_->OnChange = nullptr;
}

void TDBNavigator::CreateButtons() {
  for (TNavigateBtn kind : NavButtonKinds) {
    auto* button = new TNavButton(this);
    button->SetFlat(Flat_);
    button->SetButtonKind(kind);
    button->SetVisible(VisibleButtons_.Contains(kind));
    button->SetEnabled(true);
    button->SetBounds(static_cast<int>(kind) * MinButtonSize.cx, 0, MinButtonSize.cx, MinButtonSize.cy);
    LoadNavGlyph(*button, kind);
    button->OnClick = [this, kind](TObject*) { ClickButton(kind); };
    button->OnMouseDown = [this, button](TObject*, TMouseButton, TShiftState, int, int) {
      ButtonMouseDown(button);
    };
    button->SetAllowRepeat(kind == nbPrior || kind == nbNext);
    button->SetParent(this);
    Buttons_[static_cast<size_t>(kind)] = button;
  }
  ApplyHints();
}

// ---- Properties ------------------------------------------------------------------------------

TDataSource* TDBNavigator::DataSource() const {
  return NavLink_ != nullptr ? NavLink_->DataSource() : nullptr;
}

void TDBNavigator::SetDataSource(TDataSource* Value) {
  TDataSource* old = DataSource();
  if (Value == old) return;
  if (old != nullptr) old->RemoveFreeNotification(this);
  NavLink_->SetDataSource(Value);
  if (Value != nullptr) Value->FreeNotification(this);
  if (!IsLoading()) RefreshAllButtons();
}

void TDBNavigator::SetVisibleButtons(TButtonSet Value) {
  if (Value == VisibleButtons_) return;
  VisibleButtons_ = Value;
  for (TNavigateBtn kind : NavButtonKinds)
    Buttons(kind)->SetVisible(Value.Contains(kind));
  ResizeToFit();
  Invalidate();
}

void TDBNavigator::SetFlat(bool Value) {
  if (Value == Flat_) return;
  Flat_ = Value;
  for (TNavButton* button : Buttons_)
    button->SetFlat(Value);
}

void TDBNavigator::GetChildren(const std::function<void(TComponent*)>& /*Proc*/, TComponent* /*Root*/) {}

void TDBNavigator::Loaded() {
  TCustomPanel::Loaded();
  ResizeToFit();
  ApplyHints();
  RefreshAllButtons();
}

void TDBNavigator::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomPanel::Notification(AComponent, Operation);
  if (Operation == opRemove && NavLink_ != nullptr && AComponent != nullptr && AComponent == DataSource())
    SetDataSource(nullptr);
}

void TDBNavigator::EnabledChanged() {
  TCustomPanel::EnabledChanged();
  if (!IsLoading()) RefreshAllButtons();
}

// ---- Clicks ----------------------------------------------------------------------------------

bool TDBNavigator::AllowsAction() const {
  const TDataSource* source = DataSource();
  return source != nullptr && source->SourceMode() != dmInactive;
}

void TDBNavigator::ClickButton(TNavigateBtn Button) {
  if (AllowsAction()) {
    if (!IsDesigning() && BeforeAction) BeforeAction(this, Button);
    // BeforeAction may have taken the dataset away; then there is nothing to act on.
    TDataSet* dataSet = DataSource() != nullptr ? DataSource()->DataSet() : nullptr;
    if (dataSet != nullptr) {
      switch (Button) {
        case nbFirst:
          dataSet->GoFirst();
          break;
        case nbPrior:
          dataSet->GoPrior();
          break;
        case nbNext:
          dataSet->GoNext();
          break;
        case nbLast:
          dataSet->GoLast();
          break;
        case nbInsert:
          dataSet->InsertRow();
          break;
        case nbDelete:
          if (!ConfirmDelete_ ||
              MessageDlg(LoadResString(SDeleteRecordQuestion), mtConfirmation, mbOKCancel) != mrCancel)
            dataSet->DeleteRow();
          break;
        case nbEdit:
          dataSet->BeginEdit();
          break;
        case nbPost:
          dataSet->PostRow();
          break;
        case nbCancel:
          dataSet->CancelEdit();
          break;
        case nbRefresh:
          dataSet->RefreshRows();
          break;
      }
    }
  }
  if (!IsDesigning() && OnClick) OnClick(this, Button);
}

// ---- Keyboard and focus ----------------------------------------------------------------------

void TDBNavigator::ButtonMouseDown(TNavButton* Button) {
  const TNavigateBtn old = FocusedIndex_;
  FocusedIndex_ = Button->ButtonKind();
  if (!TabStop()) return;
  if (!Focused()) {
    if (CanFocus()) SetFocus();  // gaining the focus repaints the focused button
  } else if (old != FocusedIndex_) {
    Buttons(old)->Invalidate();
    Buttons(FocusedIndex_)->Invalidate();
  }
}

void TDBNavigator::MoveFocus(bool Forward) {
  const int step = Forward ? 1 : -1;
  for (int i = static_cast<int>(FocusedIndex_) + step; i >= 0 && i < NavButtonCount; i += step) {
    TNavButton* button = Buttons_[static_cast<size_t>(i)];
    if (!button->Visible()) continue;
    Buttons(FocusedIndex_)->Invalidate();
    FocusedIndex_ = button->ButtonKind();
    button->Invalidate();
    return;
  }
}

void TDBNavigator::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomPanel::KeyDown(Key, Shift);
  switch (Key) {
    case VK_RIGHT:
      MoveFocus(true);
      break;
    case VK_LEFT:
      MoveFocus(false);
      break;
    case VK_SPACE: {
      // A hidden button is never clicked, not even when it holds the keyboard focus.
      TNavButton* button = Buttons(FocusedIndex_);
      if (button->Visible() && button->Enabled()) button->Click();
      break;
    }
    default:
      break;
  }
}

bool TDBNavigator::WantsKey(uint16_t Key, TShiftState /*Shift*/) const {
  return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TDBNavigator::DoEnter() {
  TCustomPanel::DoEnter();
  Buttons(FocusedIndex_)->Invalidate();
}

void TDBNavigator::DoExit() {
  TCustomPanel::DoExit();
  Buttons(FocusedIndex_)->Invalidate();
}
