#include "richtext/editor/rich_edit_form.h"

#include <algorithm>
#include <cmath>

#include "core/strings.h"
#include "gui/dialogs/file_dialog.h"
#include "gui/dialogs/message_box.h"
#include "gui/dialogs/print_dialog.h"
#include "gui/forms/application.h"
#include "gui/forms/screen.h"
#include "gui/menus/main_menu.h"
#include "gui/menus/menus.h"
#include "gui/printing/printer.h"
#include "gui/stdctrls/combo_box.h"
#include "gui/stdctrls/image.h"
#include "gui/stdctrls/panel.h"
#include "gui/stdctrls/speed_button.h"
#include "gui/stdctrls/status_bar.h"
#include "gui/stdctrls/track_icon.h"
#include "platform/keyboard/lock_keys.h"
#include "richtext/controls/richtext_strings.h"
#include "richtext/controls/text_attributes.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"
#include "richtext/editor/ruler_panel.h"
#include "richtext/intl/rich_edit_intl.h"

// Defined with the editor's embedded layout and pictures.
void LinkResources_brevant_richtext();

BREVANT_DEFINE_CLASS(TwwRichEditForm, TForm,
                     .Method("FormShow", &TwwRichEditForm::FormShow)
                         .Method("FormCloseQuery", &TwwRichEditForm::FormCloseQuery)
                         .Method("FormClose", &TwwRichEditForm::FormClose)
                         .Method("FormKeyDown", &TwwRichEditForm::FormKeyDown)
                         .Method("FormKeyPress", &TwwRichEditForm::FormKeyPress)
                         .Method("FormKeyUp", &TwwRichEditForm::FormKeyUp)
                         .Method("NewButtonClick", &TwwRichEditForm::NewButtonClick)
                         .Method("LoadClick", &TwwRichEditForm::LoadClick)
                         .Method("SaveAsClick", &TwwRichEditForm::SaveAsClick)
                         .Method("SaveExitClick", &TwwRichEditForm::SaveExitClick)
                         .Method("PrintClick", &TwwRichEditForm::PrintClick)
                         .Method("PageSetupClick", &TwwRichEditForm::PageSetupClick)
                         .Method("ExitClick", &TwwRichEditForm::ExitClick)
                         .Method("EditMenuClick", &TwwRichEditForm::EditMenuClick)
                         .Method("UndoClick", &TwwRichEditForm::UndoClick)
                         .Method("RedoClick", &TwwRichEditForm::RedoClick)
                         .Method("CutClick", &TwwRichEditForm::CutClick)
                         .Method("CopyClick", &TwwRichEditForm::CopyClick)
                         .Method("PasteClick", &TwwRichEditForm::PasteClick)
                         .Method("ClearClick", &TwwRichEditForm::ClearClick)
                         .Method("SelectAllClick", &TwwRichEditForm::SelectAllClick)
                         .Method("FindClick", &TwwRichEditForm::FindClick)
                         .Method("FindNextClick", &TwwRichEditForm::FindNextClick)
                         .Method("ReplaceClick", &TwwRichEditForm::ReplaceClick)
                         .Method("ToolbarItemClick", &TwwRichEditForm::ToolbarItemClick)
                         .Method("FormatBarItemClick", &TwwRichEditForm::FormatBarItemClick)
                         .Method("StatusBarItemClick", &TwwRichEditForm::StatusBarItemClick)
                         .Method("RulerItemClick", &TwwRichEditForm::RulerItemClick)
                         .Method("ObjectClick", &TwwRichEditForm::ObjectClick)
                         .Method("FontClick", &TwwRichEditForm::FontClick)
                         .Method("BulletStyleClick", &TwwRichEditForm::BulletStyleClick)
                         .Method("ParagraphClick", &TwwRichEditForm::ParagraphClick)
                         .Method("TabsClick", &TwwRichEditForm::TabsClick)
                         .Method("FontNameComboDropDown", &TwwRichEditForm::FontNameComboDropDown)
                         .Method("FontNameComboCloseUp", &TwwRichEditForm::FontNameComboCloseUp)
                         .Method("FontSizeComboCloseUp", &TwwRichEditForm::FontSizeComboCloseUp)
                         .Method("StyleButtonMouseDown", &TwwRichEditForm::StyleButtonMouseDown)
                         .Method("StyleButtonClick", &TwwRichEditForm::StyleButtonClick)
                         .Method("BulletButtonClick", &TwwRichEditForm::BulletButtonClick)
                         .Method("AlignButtonClick", &TwwRichEditForm::AlignButtonClick)
                         .Method("ColorButtonClick", &TwwRichEditForm::ColorButtonClick))

TwwRichEditForm::TwwRichEditForm(TComponent* AOwner) : TForm(AOwner) {
  LinkResources_brevant_richtext();
}

TwwRichEditForm::~TwwRichEditForm() {
  // A window freed while shown still gives the application its hint handler back.
  if (HintSaved_ && Application != nullptr) Application->OnHint = SavedOnHint_;
}

void TwwRichEditForm::Loaded() {
  TForm::Loaded();
  Bind(Toolbar, "Toolbar");
  Bind(FormatBar, "FormatBar");
  Bind(ToolbarBevel, "ToolbarBevel");
  Bind(FormatBarBevel, "FormatBarBevel");
  Bind(RulerBevel, "RulerBevel");
  Bind(UserButtonBevel, "UserButtonBevel");
  Bind(NewButton, "NewButton");
  Bind(LoadButton1, "LoadButton1");
  Bind(SaveAsButton, "SaveAsButton");
  Bind(PrintButton, "PrintButton");
  Bind(FindButton, "FindButton");
  Bind(CutButton, "CutButton");
  Bind(CopyButton, "CopyButton");
  Bind(PasteButton, "PasteButton");
  Bind(UndoButton, "UndoButton");
  Bind(RedoButton, "RedoButton");
  Bind(FontNameCombo, "FontNameCombo");
  Bind(FontSizeCombo, "FontSizeCombo");
  Bind(BoldButton, "BoldButton");
  Bind(ItalicButton, "ItalicButton");
  Bind(UnderlineButton, "UnderlineButton");
  Bind(SpeedButton1, "SpeedButton1");
  Bind(LeftButton, "LeftButton");
  Bind(CenterButton, "CenterButton");
  Bind(RightButton, "RightButton");
  Bind(BulletButton, "BulletButton");
  Bind(StatusBar1, "StatusBar1");
  Bind(MainMenu1, "MainMenu1");
  Bind(FileMenu, "FileMenu");
  Bind(LoadItem, "LoadItem");
  Bind(SaveAsItem, "SaveAsItem");
  Bind(SaveExitItem, "SaveExitItem");
  Bind(FileSep1, "FileSep1");
  Bind(PrintItem, "PrintItem");
  Bind(PageSetupItem, "PageSetupItem");
  Bind(FileSep2, "FileSep2");
  Bind(ExitItem, "ExitItem");
  Bind(EditMenu, "EditMenu");
  Bind(UndoItem, "UndoItem");
  Bind(RedoItem, "RedoItem");
  Bind(CutItem, "CutItem");
  Bind(CopyItem, "CopyItem");
  Bind(PasteItem, "PasteItem");
  Bind(ClearItem, "ClearItem");
  Bind(SelectAllItem, "SelectAllItem");
  Bind(FindItem, "FindItem");
  Bind(FindNextItem, "FindNextItem");
  Bind(ReplaceItem, "ReplaceItem");
  Bind(ViewMenu, "ViewMenu");
  Bind(ToolbarItem, "ToolbarItem");
  Bind(FormatBarItem, "FormatBarItem");
  Bind(StatusBarItem, "StatusBarItem");
  Bind(RulerItem, "RulerItem");
  Bind(OptionsItem, "OptionsItem");
  Bind(InsertMenu, "InsertMenu");
  Bind(ObjectItem, "ObjectItem");
  Bind(FormatMenu, "FormatMenu");
  Bind(FontItem, "FontItem");
  Bind(BulletStyleItem, "BulletStyleItem");
  Bind(ParagraphItem, "ParagraphItem");
  Bind(TabsItem, "TabsItem");
  Bind(HelpMenu, "HelpMenu");
  Bind(ColorMenu, "ColorMenu");
  Bind(PrintDialog1, "PrintDialog1");
  Bind(OpenDialog1, "OpenDialog1");
  Bind(SaveDialog1, "SaveDialog1");
}

void TwwRichEditForm::SetEditor(TwwCustomRichEdit* Value) {
  Editor_ = Value;
  if (Editor_ == nullptr) return;
  Editor_->OnSelectionChange = [this](TObject*) {
    if (Editor_ != nullptr && Editor_->Visible()) RefreshControls();
  };
}

double TwwRichEditForm::PixelsPerInchScale() const {
  return (Screen != nullptr ? Screen->PixelsPerInch() : 96) / 96.0;
}

// --- Showing ------------------------------------------------------------------------------------

void TwwRichEditForm::FormShow(TObject* /*Sender*/) {
  if (Shown_ || Editor_ == nullptr) return;
  Shown_ = true;
  PrepareColorMenu();
  SavedOnHint_ = Application->OnHint;
  HintSaved_ = true;
  Application->OnHint = [this](TObject*) {
    if (StatusBar1->Panels()->Count() > 0) StatusBar1->Panels()->Items(0)->SetText(Application->Hint());
  };
  if (Source_ != nullptr) {
    const bool modified = Source_->Modified();
    Source_->CopyContentTo(Editor_);
    Source_->SetModified(modified);
  }
  Screen->SetCursor(crDefault);
  RefreshLockPanels();
  RefreshControls();
  Editor_->SetModified(false);
  ApplyOptions();
  // A viewer has no format bar: its font list is filled only when the bar shows.
  if (FormatBar->Visible()) FillFontNames();
  RefreshControls();
  MoveUserButtons();
  if (!Editor_->EditorOptions().Contains(reoFlatButtons)) RaiseButtons();
  const double scale = PixelsPerInchScale();
  if (scale != 1.0) {
    SetBounds(Left(), Top(), static_cast<int>(Width() * scale), static_cast<int>(Height() * scale));
    for (int i = 1; i < StatusBar1->Panels()->Count(); ++i) {
      TStatusPanel* panel = StatusBar1->Panels()->Items(i);
      panel->SetWidth(static_cast<int>(panel->Width() * scale));
    }
  }
  ApplyTexts();
  Editor_->FireInitDialog(this);
  LayoutControls();
}

void TwwRichEditForm::ApplyOptions() {
  TwwRichEditOptions options = Editor_->EditorOptions();
  const bool readOnly = Editor_->EffectiveReadOnly();
  // A viewer offers nothing that loads, saves, formats or shows bars.
  if (readOnly) options = TwwRichEditOptions::FromBits(options.Bits() & 0xFD18);
  Editor_->SetEditorOptions(options);
  const auto has = [&](TwwRichEditOption o) { return options.Contains(o); };
  LoadItem->SetVisible(has(reoShowLoad));
  LoadButton1->SetVisible(has(reoShowLoad));
  SaveAsItem->SetVisible(has(reoShowSaveAs));
  SaveAsButton->SetVisible(has(reoShowSaveAs));
  PrintItem->SetVisible(has(reoShowPrint));
  PrintButton->SetVisible(has(reoShowPrint));
  const bool objects = has(reoShowInsertObject) && !Editor_->OleOptions().Contains(reoDisableOLE);
  ObjectItem->SetVisible(objects);
  InsertMenu->SetVisible(objects);
  FileSep2->SetVisible(has(reoShowPrint) || has(reoShowPageSetup));
  PageSetupItem->SetVisible(has(reoShowPageSetup));
  SaveExitItem->SetVisible(has(reoShowSaveExit));
  FileSep1->SetVisible(has(reoShowLoad) || has(reoShowSaveExit));
  StatusBar1->SetVisible(has(reoShowStatusBar));
  FormatBarBevel->SetVisible(has(reoShowFormatBar));
  FormatBar->SetVisible(has(reoShowFormatBar));
  ToolbarBevel->SetVisible(has(reoShowToolBar));
  Toolbar->SetVisible(has(reoShowToolBar));
  if (Ruler_ != nullptr) Ruler_->SetVisible(has(reoShowRuler));
  RulerBevel->SetVisible(has(reoShowRuler));
  if (readOnly) {
    FormatMenu->SetVisible(false);
    ViewMenu->SetVisible(false);
    NewButton->SetVisible(false);
  }
  ToolbarItem->SetChecked(Toolbar->Visible());
  FormatBarItem->SetChecked(FormatBar->Visible());
  StatusBarItem->SetChecked(StatusBar1->Visible());
  RulerItem->SetChecked(Ruler_ != nullptr && Ruler_->Visible());
}

void TwwRichEditForm::MoveUserButtons() {
  if (Source_ == nullptr) return;
  const bool flat = Editor_->EditorOptions().Contains(reoFlatButtons);
  int left = UndoButton->Left() + UndoButton->Width() + 32;
  TSpeedButton* buttons[2] = {Source_->UserSpeedButton1(), Source_->UserSpeedButton2()};
  TWinControl** parents[2] = {&UserButtonParent1_, &UserButtonParent2_};
  for (int i = 0; i < 2; ++i) {
    TSpeedButton* button = buttons[i];
    if (button == nullptr) continue;
    UserButtonBevel->SetVisible(true);
    *parents[i] = button->Parent();
    button->SetParent(Toolbar);
    button->SetFlat(flat);
    button->SetBounds(left, UndoButton->Top(), button->Width(), UndoButton->Height());
    button->SetVisible(true);
    left += button->Width();
  }
}

void TwwRichEditForm::RestoreUserButtons() {
  if (Source_ == nullptr) return;
  TSpeedButton* buttons[2] = {Source_->UserSpeedButton1(), Source_->UserSpeedButton2()};
  TWinControl** parents[2] = {&UserButtonParent1_, &UserButtonParent2_};
  for (int i = 0; i < 2; ++i) {
    if (buttons[i] == nullptr || buttons[i]->Parent() != Toolbar) continue;
    buttons[i]->SetVisible(false);
    buttons[i]->SetParent(*parents[i]);
    *parents[i] = nullptr;
  }
}

void TwwRichEditForm::RaiseButtons() {
  Toolbar->SetHeight(Toolbar->Height() + 4);
  FormatBar->SetHeight(FormatBar->Height() + 2);
  for (TPanel* bar : {Toolbar, FormatBar}) {
    const int down = bar == Toolbar ? 2 : 1;
    for (int i = 0; i < bar->ControlCount(); ++i) {
      TControl* control = bar->Controls(i);
      if (auto* button = dynamic_cast<TSpeedButton*>(control)) {
        button->SetTop(button->Top() + down);
        button->SetFlat(false);
        // One pixel less room around the glyph on a raised button.
        button->SetSpacing(std::max(0, button->Spacing() - 1));
      } else if (auto* bevel = dynamic_cast<TBevel*>(control)) {
        bevel->SetVisible(false);
      }
    }
  }
}

void TwwRichEditForm::ApplyTexts() {
  const TwwDBRichEditIntl& intl = RichEditIntl();
  const TwwRichEditMenuLabels& m = intl.MenuLabels;
  const std::pair<TMenuItem*, const std::string*> captions[] = {
      {FileMenu, &m.FileCaption},           {LoadItem, &m.LoadCaption},
      {SaveAsItem, &m.SaveAsCaption},       {SaveExitItem, &m.SaveExitCaption},
      {PrintItem, &m.PrintCaption},         {PageSetupItem, &m.PageSetupCaption},
      {ExitItem, &m.ExitCaption},           {EditMenu, &m.EditCaption},
      {UndoItem, &m.UndoCaption},           {CutItem, &m.CutCaption},
      {CopyItem, &m.CopyCaption},           {PasteItem, &m.PasteCaption},
      {ClearItem, &m.ClearCaption},         {SelectAllItem, &m.SelectallCaption},
      {FindItem, &m.FindCaption},           {FindNextItem, &m.FindNextCaption},
      {ReplaceItem, &m.ReplaceCaption},     {ObjectItem, &m.InsertObjectCaption},
      {ViewMenu, &m.ViewCaption},           {ToolbarItem, &m.ToolbarCaption},
      {FormatBarItem, &m.FormatBarCaption}, {StatusBarItem, &m.ViewStatusBarCaption},
      {OptionsItem, &m.OptionsCaption},     {FormatMenu, &m.FormatCaption},
      {FontItem, &m.FontCaption},           {BulletStyleItem, &m.BulletStyleCaption},
      {ParagraphItem, &m.ParagraphCaption}, {TabsItem, &m.TabsCaption},
      {HelpMenu, &m.HelpCaption},
  };
  for (const auto& [item, caption] : captions)
    item->SetCaption(*caption);

  const bool hints = Editor_->EditorOptions().Contains(reoShowHints);
  const TwwRichEditHints& h = intl.Hints;
  const std::pair<TControl*, const std::string*> controlHints[] = {
      {FontNameCombo, &h.FontNameComboHint},
      {FontSizeCombo, &h.FontSizeComboHint},
      {NewButton, &h.NewButtonHint},
      {LoadButton1, &h.LoadButtonHint},
      {SaveAsButton, &h.SaveAsButtonHint},
      {PrintButton, &h.PrintButtonHint},
      {FindButton, &h.FindButtonHint},
      {CutButton, &h.CutButtonHint},
      {CopyButton, &h.CopyButtonHint},
      {UndoButton, &h.UndoButtonHint},
      {PasteButton, &h.PasteButtonHint},
      {BoldButton, &h.BoldButtonHint},
      {UnderlineButton, &h.UnderlineButtonHint},
      {ItalicButton, &h.ItalicButtonHint},
      {LeftButton, &h.LeftButtonHint},
      {CenterButton, &h.CenterButtonHint},
      {RightButton, &h.RightButtonHint},
      {BulletButton, &h.BulletButtonHint},
  };
  const std::pair<TMenuItem*, const std::string*> itemHints[] = {
      {LoadItem, &h.LoadButtonHint},
      {SaveAsItem, &h.SaveAsButtonHint},
      {PrintItem, &h.PrintButtonHint},
      {FindItem, &h.FindButtonHint},
      {CutItem, &h.CutButtonHint},
      {CopyItem, &h.CopyButtonHint},
      {UndoItem, &h.UndoButtonHint},
      {PasteItem, &h.PasteButtonHint},
      {BulletStyleItem, &h.BulletButtonHint},
      {SaveExitItem, &h.SaveExitHint},
      {PageSetupItem, &h.PageSetupHint},
      {ExitItem, &h.ExitHint},
      {ClearItem, &h.ClearHint},
      {SelectAllItem, &h.SelectAllHint},
      {FindNextItem, &h.FindNextHint},
      {ReplaceItem, &h.ReplaceHint},
      {ObjectItem, &h.InsertObjectHint},
      {ToolbarItem, &h.ToolbarHint},
      {FormatBarItem, &h.FormatBarHint},
      {StatusBarItem, &h.ViewStatusBarHint},
      {OptionsItem, &h.OptionsHint},
      {FontItem, &h.FontHint},
      {ParagraphItem, &h.ParagraphHint},
      {TabsItem, &h.TabsHint},
  };
  if (hints) {
    for (const auto& [control, hint] : controlHints) {
      control->SetHint(*hint);
      control->SetShowHint(true);
    }
    for (const auto& [item, hint] : itemHints)
      item->SetHint(*hint);
  } else {
    // Without hints the status line stays quiet while the window is open.
    Application->OnHint = nullptr;
  }
}

void TwwRichEditForm::FillFontNames() {
  TStrings* names = FontNameCombo->Items();
  names->BeginUpdate();
  names->Clear();
  TStrings* screen = Screen->Fonts();
  const bool printerWidth = Editor_->EditWidth() == rewPrinterSize;
  TStrings* printer = printerWidth ? Printer()->Fonts() : nullptr;
  for (int i = 0; i < screen->Count(); ++i) {
    const std::string name = screen->Get(i);
    if (printer != nullptr && printer->IndexOf(name) < 0) continue;
    names->Add(name);
  }
  names->EndUpdate();
}

void TwwRichEditForm::RefreshLockPanels() {
  if (StatusBar1->Panels()->Count() < 3) return;
  const TwwRichEditHints& h = RichEditIntl().Hints;
  StatusBar1->Panels()->Items(1)->SetText(LockShownOn(KeyLockState(TLockKey::CapsLock)) ? h.CAPLockCaption
                                                                                        : "");
  StatusBar1->Panels()->Items(2)->SetText(LockShownOn(KeyLockState(TLockKey::NumLock)) ? h.NUMLockCaption
                                                                                       : "");
}

// --- Command states ------------------------------------------------------------------------------

void TwwRichEditForm::RefreshControls() {
  if (Editor_ == nullptr) return;
  TTextAttributes* sel = Editor_->SelectionFormat();
  const TFontStyles style = sel->Style();
  BoldButton->SetDown(style.Contains(fsBold));
  ItalicButton->SetDown(style.Contains(fsItalic));
  UnderlineButton->SetDown(style.Contains(fsUnderline));

  const std::string name = sel->Name();
  FontNameCombo->SetText(name);
  FontNameCombo->Font()->SetColor(FontNameCombo->ItemIndex() < 0 ? clRed : clWindowText);
  FontSizeCombo->SetItemIndex(FontSizeCombo->Items()->IndexOf(std::to_string(sel->Size())));

  TParaAttributes* para = Editor_->ParagraphFormat();
  const bool bullet = para->Numbering() == nsBullet;
  BulletButton->SetDown(bullet);
  BulletStyleItem->SetChecked(bullet);
  switch (para->Alignment()) {
    case taRightJustify:
      RightButton->SetDown(true);
      break;
    case taCenter:
      CenterButton->SetDown(true);
      break;
    default:
      LeftButton->SetDown(true);
      break;
  }

  const bool readOnly = Editor_->EffectiveReadOnly();
  const bool selection = Editor_->SelectionPresent();
  PasteItem->SetEnabled(!readOnly && Editor_->PasteAllowed());
  PasteButton->SetEnabled(PasteItem->Enabled());
  TRichEditBox* box = Editor_->EditBox();
  UndoItem->SetEnabled(box->CanUndo());
  UndoButton->SetEnabled(UndoItem->Enabled());
  RedoItem->SetEnabled(box->CanRedo());
  RedoButton->SetEnabled(RedoItem->Enabled());
  const int lines = box->LineCount();
  const bool hasText = lines > 1 || (lines == 1 && box->LineLength(0) > 0);
  CutItem->SetEnabled(!readOnly && selection);
  CutButton->SetEnabled(CutItem->Enabled());
  ClearItem->SetEnabled(!readOnly && selection);
  CopyItem->SetEnabled(selection);
  CopyButton->SetEnabled(selection);
  SelectAllItem->SetEnabled(hasText);
  FindItem->SetEnabled(hasText);
  FindButton->SetEnabled(hasText);
  FindNextItem->SetEnabled(!Editor_->LastFindText().empty());
  ReplaceItem->SetEnabled(!readOnly && hasText);
  if (Ruler_ != nullptr) Ruler_->RefreshMarkers();
}

// --- Layout --------------------------------------------------------------------------------------

void TwwRichEditForm::BoundsChanged(const TRect& Old) {
  TForm::BoundsChanged(Old);
  if (Shown_) LayoutControls();
}

void TwwRichEditForm::LayoutControls() {
  if (Editor_ == nullptr) return;
  Editor_->SetPaintingSuppressed(true);
  try {
    const double scale = PixelsPerInchScale();
    if (Ruler_ != nullptr && Editor_->EditWidth() == rewWindowSize) {
      Ruler_->SetWidth(Width() - 8);
      Ruler_->SetDrawArea(Rect(6, 4, Ruler_->Width() - 6, Ruler_->Height() - 4));
    }
    if (StatusBar1->Panels()->Count() > 0)
      StatusBar1->Panels()->Items(0)->SetWidth(Width() - static_cast<int>(90 * scale));
    int y = 0;
    if (FormatBar->Visible()) y += FormatBar->Height() + 2;
    if (Toolbar->Visible()) y += Toolbar->Height() + 2;
    if (Ruler_ != nullptr && Ruler_->Visible()) {
      RulerBevel->SetTop(y);
      Ruler_->SetTop(y + 2);
      y += Ruler_->Height() + 2;
    }
    int textHeight = ClientHeight() - y;
    if (StatusBar1->Visible()) textHeight -= StatusBar1->Height();
    Editor_->SetBounds(Editor_->Left(), y, Width() - 8, std::max(0, textHeight));
    if (Ruler_ != nullptr && Ruler_->RightMarker() != nullptr) {
      const TRect area = Ruler_->DrawArea();
      for (TwwTrackIcon* marker : {Ruler_->LeftMarker(), Ruler_->FirstMarker(), Ruler_->RightMarker()}) {
        marker->SetLowerLimit(area.Left);
        marker->SetUpperLimit(area.Right - marker->Width());
      }
      Ruler_->RefreshMarkers();
    }
    if (StatusBar1->Visible())
      StatusBar1->SetBounds(StatusBar1->Left(), Editor_->Top() + Editor_->Height(), Editor_->Width(),
                            StatusBar1->Height());
  } catch (const std::exception&) {
    Editor_->ApplyFormatRect();
    Editor_->SetPaintingSuppressed(false);
    Editor_->Invalidate();
    ShowMessage(LoadResString(SRichEditResizeError));
    return;
  }
  Editor_->ApplyFormatRect();
  Editor_->SetPaintingSuppressed(false);
  Editor_->Invalidate();
}

void TwwRichEditForm::SetBarVisible(TPanel* Bar, TBevel* Bevel, TMenuItem* Item, bool Visible) {
  if (Visible) {
    Bevel->SetVisible(true);
    Bar->SetVisible(true);
  } else {
    Bar->SetVisible(false);
    Bevel->SetVisible(false);
  }
  Item->SetChecked(Visible);
  LayoutControls();
}

void TwwRichEditForm::ToolbarItemClick(TObject* /*Sender*/) {
  SetBarVisible(Toolbar, ToolbarBevel, ToolbarItem, !Toolbar->Visible());
}

void TwwRichEditForm::FormatBarItemClick(TObject* /*Sender*/) {
  if (!FormatBar->Visible() && FontNameCombo->Items()->Count() == 0) {
    FillFontNames();
    RefreshControls();
  }
  SetBarVisible(FormatBar, FormatBarBevel, FormatBarItem, !FormatBar->Visible());
}

void TwwRichEditForm::StatusBarItemClick(TObject* /*Sender*/) {
  StatusBar1->SetVisible(!StatusBar1->Visible());
  StatusBarItem->SetChecked(StatusBar1->Visible());
  LayoutControls();
}

void TwwRichEditForm::RulerItemClick(TObject* /*Sender*/) {
  if (Ruler_ == nullptr) return;
  Ruler_->SetVisible(!Ruler_->Visible());
  RulerBevel->SetVisible(Ruler_->Visible());
  RulerItem->SetChecked(Ruler_->Visible());
  LayoutControls();
}

// --- Closing -------------------------------------------------------------------------------------

void TwwRichEditForm::FormCloseQuery(TObject* /*Sender*/, bool& CanClose) {
  if (ModalResult() == mrOk) return;
  if (Editor_ == nullptr || !Editor_->Modified()) {
    SetModalResult(mrCancel);
    return;
  }
  switch (MessageDlg(RichEditIntl().UserMessages.RichEditExitWarning, mtConfirmation, {mbYes, mbNo, mbCancel},
                     0)) {
    case mrYes:
      SetModalResult(mrOk);
      break;
    case mrNo:
      SetModalResult(mrCancel);
      break;
    default:
      CanClose = false;
      SetModalResult(mrNone);
      break;
  }
}

void TwwRichEditForm::FormClose(TObject* /*Sender*/, TCloseAction& /*Action*/) {
  if (HintSaved_) {
    Application->OnHint = SavedOnHint_;
    HintSaved_ = false;
  }
  RestoreUserButtons();
}

void TwwRichEditForm::SaveExitClick(TObject* /*Sender*/) {
  SetModalResult(mrOk);
}

void TwwRichEditForm::ExitClick(TObject* /*Sender*/) {
  SetModalResult(mrCancel);
}
