// The editor window's commands: files, printing, page setup, the clipboard, formatting, the
// keyboard and the colour menu.

#include <algorithm>
#include <filesystem>

#include "core/format.h"
#include "gui/controls/keys.h"
#include "gui/dialogs/file_dialog.h"
#include "gui/dialogs/message_box.h"
#include "gui/dialogs/page_setup_dialog.h"
#include "gui/dialogs/print_dialog.h"
#include "gui/forms/application.h"
#include "gui/graphics/canvas.h"
#include "gui/menus/menus.h"
#include "gui/printing/printer.h"
#include "gui/stdctrls/combo_box.h"
#include "gui/stdctrls/speed_button.h"
#include "richtext/controls/richtext_strings.h"
#include "richtext/controls/text_attributes.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/controls/ww_rich_edit_strings.h"
#include "richtext/edit/rich_edit_box.h"
#include "richtext/editor/content_files.h"
#include "richtext/editor/rich_edit_form.h"
#include "richtext/editor/ruler_panel.h"
#include "richtext/intl/rich_edit_intl.h"

// --- Files ----------------------------------------------------------------------------------------

void TwwRichEditForm::NewButtonClick(TObject* /*Sender*/) {
  if (MessageDlg(RichEditIntl().UserMessages.RichEditClearWarning, mtConfirmation, {mbOK, mbCancel}, 0) !=
      mrOk)
    return;
  Editor_->Lines()->Clear();
  Editor_->SetModified(true);
  RefreshControls();
}

void TwwRichEditForm::LoadFile(const std::string& FileName) {
  LoadEditableFile(*Editor_, FileName);
}

void TwwRichEditForm::LoadClick(TObject* /*Sender*/) {
  if (!OpenDialog1->Execute()) return;
  LoadFile(OpenDialog1->FileName());
  Editor_->SetFocus();
  RefreshControls();
}

void TwwRichEditForm::SaveFile(const std::string& FileName) {
  SaveContentFileReplacing(*Editor_, FileName);
}

void TwwRichEditForm::SaveAsClick(TObject* /*Sender*/) {
  if (!SaveDialog1->Execute()) return;
  const std::string name = SaveDialog1->FileName();
  if (std::filesystem::exists(name) && MessageDlg(Format(LoadResString(SRichEditOverwrite), name),
                                                  mtConfirmation, {mbYes, mbNo, mbCancel}, 0) != mrYes)
    return;
  SaveFile(name);
}

// --- Printing -------------------------------------------------------------------------------------

void TwwRichEditForm::PrintClick(TObject* /*Sender*/) {
  PrintDialog1->SetCollate(true);
  if (!PrintDialog1->Execute()) return;
  const std::string job = Source_ != nullptr ? Source_->PrintJobName() : Editor_->PrintJobName();
  // The copies go out as one job: a job per copy would leave a PDF file with the last one only.
  TPrinter& printer = *Printer();
  const int savedCopies = printer.Copies();
  printer.SetCopies(PrintDialog1->Copies());
  try {
    Editor_->PrintContent(job);
  } catch (...) {
    printer.SetCopies(savedCopies);
    throw;
  }
  printer.SetCopies(savedCopies);
}

void TwwRichEditForm::PageSetupClick(TObject* /*Sender*/) {
  TPageSetupDialog dialog(this);
  const bool inches = Editor_->MeasurementUnits() == muInches;
  // Thousandths of an inch, or hundredths of a millimetre: both the margin times 1000.
  dialog.SetUnits(inches ? pmInches : pmMillimeters);
  TwwPrintMargins* margins = Editor_->PrintMargins();
  dialog.SetMarginLeft(static_cast<int>(margins->Left() * 1000));
  dialog.SetMarginTop(static_cast<int>(margins->Top() * 1000));
  dialog.SetMarginRight(static_cast<int>(margins->Right() * 1000));
  dialog.SetMarginBottom(static_cast<int>(margins->Bottom() * 1000));
  const bool printerWidth = Editor_->EditWidth() == rewPrinterSize;
  if (printerWidth)
    dialog.SetPaperSize(Editor_->PaperSize());
  else
    dialog.SetOptions(TPageSetupOptions{psoDisablePaper});
  if (!dialog.Execute()) return;
  margins->SetLeft(dialog.MarginLeft() / 1000.0);
  margins->SetTop(dialog.MarginTop() / 1000.0);
  margins->SetRight(dialog.MarginRight() / 1000.0);
  margins->SetBottom(dialog.MarginBottom() / 1000.0);
  Printer()->SetOrientation(dialog.Orientation());
  if (dialog.PaperSize() > 0) Editor_->SetPaperSize(dialog.PaperSize());
  if (printerWidth && Ruler_ != nullptr) {
    Ruler_->SetWidth(Ruler_->PrinterWidth());
    Ruler_->SetDrawArea(Rect(6, 4, Ruler_->Width() - 6, Ruler_->Height() - 4));
    Ruler_->RefreshMarkers();
    if (Ruler_->RightMarker() != nullptr) Ruler_->ApplyMarker(Ruler_->RightMarker());
  } else {
    Editor_->ApplyFormatRect();
  }
}

// --- Editing --------------------------------------------------------------------------------------

void TwwRichEditForm::EditMenuClick(TObject* /*Sender*/) {
  RefreshControls();
}

void TwwRichEditForm::UndoClick(TObject* /*Sender*/) {
  Editor_->EditBox()->Undo();
  RefreshControls();
}

void TwwRichEditForm::RedoClick(TObject* /*Sender*/) {
  Editor_->EditBox()->Redo();
  RefreshControls();
}

void TwwRichEditForm::CutClick(TObject* /*Sender*/) {
  Editor_->CutToClipboard();
  RefreshControls();
}

void TwwRichEditForm::CopyClick(TObject* /*Sender*/) {
  Editor_->CopyToClipboard();
  RefreshControls();
}

void TwwRichEditForm::PasteClick(TObject* /*Sender*/) {
  Editor_->PasteFromClipboard();
  RefreshControls();
}

void TwwRichEditForm::ClearClick(TObject* /*Sender*/) {
  Editor_->SetSelText("");
  RefreshControls();
}

void TwwRichEditForm::SelectAllClick(TObject* /*Sender*/) {
  Editor_->EditBox()->SetSelection(0, -1);
  RefreshControls();
}

void TwwRichEditForm::FindClick(TObject* /*Sender*/) {
  Editor_->ExecuteFindDialog();
}

void TwwRichEditForm::FindNextClick(TObject* /*Sender*/) {
  Editor_->FindNextMatch();
}

void TwwRichEditForm::ReplaceClick(TObject* /*Sender*/) {
  Editor_->ExecuteReplaceDialog();
}

void TwwRichEditForm::ObjectClick(TObject* /*Sender*/) {
  Editor_->ExecuteInsertObject();
}

void TwwRichEditForm::FontClick(TObject* /*Sender*/) {
  Editor_->ExecuteFontDialog();
  RefreshControls();
}

void TwwRichEditForm::ParagraphClick(TObject* /*Sender*/) {
  if (Editor_->ExecuteParagraphDialog() && Ruler_ != nullptr) Ruler_->RefreshMarkers();
}

void TwwRichEditForm::TabsClick(TObject* /*Sender*/) {
  Editor_->ExecuteTabDialog();
}

// --- Format bar -----------------------------------------------------------------------------------

void TwwRichEditForm::FontNameComboDropDown(TObject* /*Sender*/) {
  FontNameCombo->Font()->SetColor(clBlack);
}

void TwwRichEditForm::FontNameComboCloseUp(TObject* /*Sender*/) {
  const std::string name = FontNameCombo->Text();
  if (FontNameCombo->ItemIndex() < 0 || name.empty()) return;
  if (name != Editor_->SelectionFormat()->Name()) {
    TRichCharFormat format;
    format.Fields = TRichCharFields{cfFace, cfCharset};
    format.Face = name.substr(0, 31);
    format.Charset = Editor_->Font()->Charset();
    Editor_->EditBox()->SetCharFormat(true, format);
  }
  Editor_->SetFocus();
  RefreshControls();
}

void TwwRichEditForm::FontSizeComboCloseUp(TObject* /*Sender*/) {
  const std::string text = FontSizeCombo->Text();
  if (FontSizeCombo->ItemIndex() < 0 || text.empty()) return;
  Editor_->SelectionFormat()->SetSize(std::stoi(text));
  Editor_->SetFocus();
  RefreshControls();
}

void TwwRichEditForm::StyleButtonMouseDown(TObject* Sender, TMouseButton /*Button*/, TShiftState /*Shift*/,
                                           int /*X*/, int /*Y*/) {
  WasDown_ = static_cast<TSpeedButton*>(Sender)->Down();
}

void TwwRichEditForm::ToggleStyle(TSpeedButton* Button, bool WasDown) {
  const TFontStyle style = Button == BoldButton ? fsBold : Button == ItalicButton ? fsItalic : fsUnderline;
  TTextAttributes* sel = Editor_->SelectionFormat();
  TFontStyles styles = sel->Style();
  if (WasDown)
    styles.Exclude(style);
  else
    styles.Include(style);
  sel->SetStyle(styles);
  RefreshControls();
}

void TwwRichEditForm::StyleButtonClick(TObject* Sender) {
  ToggleStyle(static_cast<TSpeedButton*>(Sender), WasDown_);
}

void TwwRichEditForm::ToggleBullet(bool WasDown) {
  // On: a bullet with the following lines hanging 720 twips in; off: no numbering.
  Editor_->ApplyParagraphFormat(kBulletFields, "", rlSingle, 0, 0, 0, {}, 0, 0, 0, WasDown ? 0 : 720,
                                !WasDown);
  Editor_->SetModified(true);
  RefreshControls();
}

void TwwRichEditForm::BulletButtonClick(TObject* /*Sender*/) {
  ToggleBullet(WasDown_);
}

void TwwRichEditForm::BulletStyleClick(TObject* /*Sender*/) {
  WasDown_ = Editor_->ParagraphFormat()->Numbering() == nsBullet;
  BulletButton->SetDown(!WasDown_);
  ToggleBullet(WasDown_);
}

void TwwRichEditForm::AlignButtonClick(TObject* Sender) {
  const TAlignment alignment = Sender == CenterButton  ? taCenter
                               : Sender == RightButton ? taRightJustify
                                                       : taLeftJustify;
  Editor_->ParagraphFormat()->SetAlignment(alignment);
  RefreshControls();
}

// --- Keyboard -------------------------------------------------------------------------------------

void TwwRichEditForm::FormKeyDown(TObject* /*Sender*/, uint16_t& Key, TShiftState Shift) {
  if (Editor_ == nullptr) return;
  if (Editor_->EffectiveReadOnly()) {
    if (Key == VK_ESCAPE) {
      Key = 0;
      Close();
    }
    return;
  }
  if (Key == VK_ESCAPE) {
    Key = 0;
    if (Editor_->EditorOptions().Contains(reoCloseOnEscape))
      Close();
    else
      UndoClick(this);
    return;
  }
  // Ctrl+B, Ctrl+U and Ctrl+I work the style buttons.
  if (Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) {
    TSpeedButton* button = Key == 'B'   ? BoldButton
                           : Key == 'U' ? UnderlineButton
                           : Key == 'I' ? ItalicButton
                                        : nullptr;
    if (button != nullptr) {
      const TFontStyle style = button == BoldButton     ? fsBold
                               : button == ItalicButton ? fsItalic
                                                        : fsUnderline;
      Key = 0;
      ToggleStyle(button, Editor_->SelectionFormat()->Style().Contains(style));
    }
  }
}

void TwwRichEditForm::FormKeyPress(TObject* /*Sender*/, char& Key) {
  // The characters of Ctrl+B, Ctrl+U and Ctrl+I are taken by the key press above; should one
  // still arrive, it must not reach the text as a character.
  if (Editor_ != nullptr && !Editor_->EffectiveReadOnly() && (Key == 2 || Key == 21)) Key = 0;
}

void TwwRichEditForm::FormKeyUp(TObject* /*Sender*/, uint16_t& Key, TShiftState Shift) {
  // The Edit menu's own Ctrl+Z takes the key press (it only refreshes), so each press undoes
  // once, here.
  if (Editor_ != nullptr && !Editor_->EffectiveReadOnly() && Key == 'Z' && Shift.Contains(ssCtrl)) {
    Editor_->EditBox()->Undo();
    RefreshControls();
  }
  RefreshLockPanels();
}

// --- Colour menu ----------------------------------------------------------------------------------

TColor TwwRichEditForm::ColorOfItem(const TMenuItem* Item) const {
  const auto found = ItemColors_.find(Item);
  return found == ItemColors_.end() ? clNone : found->second;
}

void TwwRichEditForm::PrepareColorMenu() {
  static constexpr uint32_t kColors[] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                         0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                         0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
  ItemColors_.clear();
  ColorMenu->SetOwnerDraw(true);
  for (int i = 0; i < ColorMenu->Items()->Count(); ++i) {
    TMenuItem* item = ColorMenu->Items()->Items(i);
    const bool automatic = i >= static_cast<int>(std::size(kColors));
    ItemColors_[item] = automatic ? Editor_->Font()->Color() : static_cast<TColor>(kColors[i]);
    item->OnMeasureItem = [item](TObject*, TCanvas* Canvas, int& Width, int& Height) {
      // The canvas carries the menu font.
      Height = Canvas->TextHeight(item->Caption()) + 2;
      Width = Canvas->TextWidth(item->Caption()) + 45;
    };
    item->OnDrawItem = [this, item](TObject*, TCanvas* Canvas, TRect R, bool Selected) {
      Canvas->Brush()->SetColor(Selected ? clHighlight : clMenu);
      Canvas->Font()->SetColor(Selected ? clHighlightText : clMenuText);
      Canvas->FillRect(R);
      const TRect swatch = Rect(R.Left + 3, R.Top + 2, R.Left + 43, R.Bottom - 2);
      Canvas->Brush()->SetColor(ColorOfItem(item));
      Canvas->Pen()->SetColor(clBlack);
      Canvas->Rectangle(swatch);
      Canvas->Brush()->SetStyle(bsClear);
      Canvas->SetTextAlign(TA_LEFT | TA_TOP);
      Canvas->TextOut(swatch.Right + 3, R.Top + (R.Height() - Canvas->TextHeight(item->Caption())) / 2,
                      item->Caption());
      Canvas->Brush()->SetStyle(bsSolid);
    };
    item->OnClick = [this, item](TObject*) {
      Editor_->SelectionFormat()->SetColor(ColorOfItem(item));
      RefreshControls();
    };
  }
}

void TwwRichEditForm::ColorButtonClick(TObject* /*Sender*/) {
  const TPoint corner = SpeedButton1->ClientToScreen({-1, SpeedButton1->Height()});
  ColorMenu->Popup(corner.X, corner.Y);
}
