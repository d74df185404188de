#include "richtext/dialogs/tab_dialog.h"

#include <algorithm>

#include "core/rtti.h"
#include "gui/controls/keys.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/edit.h"
#include "gui/stdctrls/group_box.h"
#include "gui/stdctrls/list_box.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/dialogs/dialog_resources.h"
#include "richtext/dialogs/units_entry.h"
#include "richtext/intl/rich_edit_intl.h"

BREVANT_DEFINE_CLASS(TwwRichTabDialog, TForm,
                     .Method("Edit1Enter", &TwwRichTabDialog::Edit1Enter)
                         .Method("Edit1Exit", &TwwRichTabDialog::Edit1Exit)
                         .Method("Edit1KeyDown", &TwwRichTabDialog::Edit1KeyDown)
                         .Method("Button1Click", &TwwRichTabDialog::Button1Click)
                         .Method("Button2Click", &TwwRichTabDialog::Button2Click)
                         .Method("Button4Click", &TwwRichTabDialog::Button4Click)
                         .Method("OKButtonClick", &TwwRichTabDialog::OKButtonClick))

TwwRichTabDialog::TwwRichTabDialog(TComponent* AOwner) : TForm(AOwner) {
  LinkRichDialogResources();
}

void TwwRichTabDialog::Loaded() {
  TForm::Loaded();
  Bind(TabGroupBox, "TabGroupBox");
  Bind(Edit1, "Edit1");
  Bind(ListBox1, "ListBox1");
  Bind(Button1, "Button1");
  Bind(Button2, "Button2");
  Bind(OKButton, "OKButton");
  Bind(Button3, "Button3");
  Bind(Button4, "Button4");
}

void TwwRichTabDialog::SetRichEdit(TwwCustomRichEdit* Value) {
  if (Value == RichEdit_) return;
  if (RichEdit_ != nullptr) RichEdit_->RemoveFreeNotification(this);
  RichEdit_ = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TwwRichTabDialog::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == RichEdit_) RichEdit_ = nullptr;
}

void TwwRichTabDialog::ApplyTexts(bool ShowHints) {
  const TwwRichEditTabDlg& t = RichEditIntl().TabDlg;
  const TwwButtonCaptions& buttons = RichEditIntl().Buttons;
  SetCaption(t.TabDlgCaption);
  TabGroupBox->SetCaption(t.TabGroupBoxCaption);
  Button1->SetCaption(t.SetTabButtonCaption);
  Button2->SetCaption(t.ClearTabButtonCaption);
  Button4->SetCaption(t.ClearAllButtonCaption);
  OKButton->SetCaption(buttons.OKCaption);
  Button3->SetCaption(buttons.CancelCaption);
  const std::pair<TControl*, const std::string*> hinted[] = {{Edit1, &t.TabPositionEditHint},
                                                             {ListBox1, &t.ListBoxHint},
                                                             {Button1, &t.SetButtonHint},
                                                             {Button2, &t.ClearButtonHint},
                                                             {Button4, &t.ClearAllButtonHint}};
  for (const auto& [control, hint] : hinted) {
    control->SetHint(*hint);
    control->SetShowHint(ShowHints);
  }
}

void TwwRichTabDialog::ReadTabs() {
  ListBox1->Clear();
  Shown_.clear();
  if (RichEdit_ == nullptr) return;
  for (int position : RichEdit_->ReadParagraphFormat().Tabs) {
    std::string text = RichEdit_->UnitsText(RichEdit_->TwipsToUnits(position));
    ListBox1->Items()->Add(text);
    Shown_.emplace_back(std::move(text), position);
  }
}

void TwwRichTabDialog::VisibleChanged() {
  TForm::VisibleChanged();
  // The box that has the focus as the window shows gets it with the window's activation, which
  // enters no control: the default button follows the focus here.
  if (Visible()) OKButton->SetDefault(ActiveControl() != Edit1);
}

void TwwRichTabDialog::Edit1Enter(TObject* /*Sender*/) {
  // Return belongs to the position box while it has the focus.
  OKButton->SetDefault(false);
}

void TwwRichTabDialog::Edit1Exit(TObject* /*Sender*/) {
  OKButton->SetDefault(true);
}

void TwwRichTabDialog::Edit1KeyDown(TObject* /*Sender*/, uint16_t& Key, TShiftState Shift) {
  if (Key != VK_RETURN || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl)) return;
  Key = 0;
  if (!Edit1->Text().empty()) {
    Button1Click(Button1);
  } else {
    OKButton->Click();
  }
}

void TwwRichTabDialog::Button1Click(TObject* /*Sender*/) {
  if (RichEdit_ == nullptr || Edit1->Text().empty()) return;
  double value = 0;
  if (!ParseUnitsText(Edit1->Text(), value)) return;
  const int twips = MarginValueToTwips(value, RichEdit_->MeasurementUnits());
  if (twips < 0 || twips > kMaxDialogTwips) return;
  const std::string text = RichEdit_->UnitsText(value);
  if (ListBox1->Items()->IndexOf(text) < 0) ListBox1->Items()->Add(text);
  Edit1->Clear();
}

void TwwRichTabDialog::Button2Click(TObject* /*Sender*/) {
  TStrings* items = ListBox1->Items();
  items->BeginUpdate();
  for (int i = items->Count() - 1; i >= 0; --i) {
    if (ListBox1->Selected(i)) items->Delete(i);
  }
  items->EndUpdate();
}

void TwwRichTabDialog::Button4Click(TObject* /*Sender*/) {
  ListBox1->Clear();
}

void TwwRichTabDialog::OKButtonClick(TObject* /*Sender*/) {
  if (Edit1->Text().empty() || RichEdit_ == nullptr) return;
  if (!EnteredTwips(*RichEdit_, Edit1->Text())) {
    SetModalResult(mrNone);
    Edit1->SetFocus();
    return;
  }
  // Set takes only positions from 0 on; a valid negative value closes the dialog all the same.
  Button1Click(Button1);
}

void TwwRichTabDialog::WriteTabs() {
  if (RichEdit_ == nullptr) return;
  std::vector<std::pair<std::string, int>> shown = Shown_;
  std::vector<int> tabs;
  TStrings* items = ListBox1->Items();
  for (int i = 0; i < items->Count(); ++i) {
    const std::string text = items->Get(i);
    auto from = std::find_if(shown.begin(), shown.end(), [&](const auto& s) { return s.first == text; });
    if (from != shown.end()) {
      tabs.push_back(from->second);
      shown.erase(from);
      continue;
    }
    double value = 0;
    if (ParseUnitsText(text, value)) tabs.push_back(MarginValueToTwips(value, RichEdit_->MeasurementUnits()));
  }
  RichEdit_->ApplyParagraphFormat(kTabDialogFields, "", rlSingle, 0, 0, 0, tabs,
                                  static_cast<int>(tabs.size()), 0, 0, 0, false);
}
