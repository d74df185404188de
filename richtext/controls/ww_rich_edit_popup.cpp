// The built-in popup menu: its items, the rules that show, enable and check them just before it
// shows, and the toggle items.

#include "richtext/controls/ww_rich_edit_popup.h"

#include "core/format.h"
#include "richtext/controls/richtext_strings.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"
#include "richtext/intl/rich_edit_intl.h"

namespace {

// The popup options as bits, rpoPopupEdit being bit 0.
constexpr uint64_t kReadOnlyPopupMask = 0xC80F;

bool AnyBit(uint64_t Bits, int From, int To) {
  const uint64_t span = ((uint64_t{1} << (To - From + 1)) - 1) << From;
  return (Bits & span) != 0;
}

bool Bit(uint64_t Bits, int Index) {
  return (Bits >> Index & 1) != 0;
}

}  // namespace

void TwwCustomRichEdit::BuildPopupMenu() {
  BuiltInMenu_ = std::make_unique<TwwRichEditPopupMenu>(nullptr);
  TwwRichEditPopupMenu& menu = *BuiltInMenu_;
  const auto add = [&](TNotifyEvent Click) { menu.Items()->Add(NewItem(&menu, "", 0, std::move(Click))); };
  const auto line = [&]() { menu.Items()->Add(NewLine(&menu)); };
  add([this](TObject*) { ExecuteEditor(); });
  line();
  add([this](TObject*) { CutToClipboard(); });
  add([this](TObject*) { CopyToClipboard(); });
  add([this](TObject*) { PasteFromClipboard(); });
  line();
  add([this](TObject* Sender) { ToggleStyle(static_cast<TMenuItem*>(Sender), fsBold); });
  add([this](TObject* Sender) { ToggleStyle(static_cast<TMenuItem*>(Sender), fsItalic); });
  add([this](TObject* Sender) { ToggleStyle(static_cast<TMenuItem*>(Sender), fsUnderline); });
  line();
  add([this](TObject*) { ExecuteFontDialog(); });
  add([this](TObject* Sender) { ToggleBullet(static_cast<TMenuItem*>(Sender)); });
  add([this](TObject*) { ExecuteParagraphDialog(); });
  add([this](TObject*) { ExecuteTabDialog(); });
  line();
  add([this](TObject*) { ExecuteFindDialog(); });
  add([this](TObject*) { ExecuteReplaceDialog(); });
  line();
  add([this](TObject*) { ExecuteInsertObject(); });
  menu.OnFetch = [this](int X, int Y) { PopupMenuFetched(X, Y); };
  menu.OnPopup = [this](TObject*) { PopupMenuShowing(); };
  SetPopupCaptions();
}

TPopupMenu* TwwCustomRichEdit::GetPopupMenu() const {
  return PopupMenu() != nullptr ? PopupMenu() : BuiltInMenu_.get();
}

void TwwCustomRichEdit::SetPopupCaptions() {
  // Read each time: an application may translate the table while the program runs.
  const TwwRichEditPopupMenuLabels& labels = RichEditIntl().PopupMenuLabels;
  TwwRichEditPopupMenu& menu = *BuiltInMenu_;
  menu.Item(piEdit)->SetCaption(EffectiveReadOnly() ? labels.ViewCaption : labels.EditCaption);
  menu.Item(piCut)->SetCaption(labels.CutCaption);
  menu.Item(piCopy)->SetCaption(labels.CopyCaption);
  menu.Item(piPaste)->SetCaption(labels.PasteCaption);
  menu.Item(piBold)->SetCaption(labels.BoldCaption);
  menu.Item(piItalic)->SetCaption(labels.ItalicCaption);
  menu.Item(piUnderline)->SetCaption(labels.UnderlineCaption);
  menu.Item(piFont)->SetCaption(labels.FontCaption);
  menu.Item(piBullet)->SetCaption(labels.BulletStyleCaption);
  menu.Item(piParagraph)->SetCaption(labels.ParagraphCaption);
  menu.Item(piTabs)->SetCaption(labels.TabsCaption);
  menu.Item(piFind)->SetCaption(labels.FindCaption);
  menu.Item(piReplace)->SetCaption(labels.ReplaceCaption);
  menu.Item(piInsertObject)->SetCaption(labels.InsertObjectCaption);
}

void TwwCustomRichEdit::PopupMenuFetched(int X, int Y) {
  TwwRichEditPopupMenu& menu = *BuiltInMenu_;
  for (TMenuItem* item : ObjectItems_)
    delete item;
  ObjectItems_.clear();
  TRichEditBox* box = EditBoxIfAllocated();
  if (box == nullptr) return;
  // A right click on an embedded object selects it; anywhere else the selection stays.
  const int object = box->ObjectAtScreenPoint(X, Y);
  if (object >= 0) box->SetSelection(object, object + 1);
  if (!OleOptions().Contains(reoAdjustPopupMenu) || OleOptions().Contains(reoDisableOLE)) return;
  TRichEmbeddedObject selected;
  if (!box->SelectedObject(selected)) return;
  const std::string type =
      LoadResString(selected.ClassName.empty() ? SObjectTypePicture : SObjectTypePackage);
  TMenuItem* line = NewLine(&menu);
  TMenuItem* item = NewItem(&menu, Format(LoadResString(SObjectMenuCaption), type));
  ObjectItems_ = {line, item};
  menu.Items()->Add(line);
  menu.Items()->Add(item);
  if (EffectiveReadOnly()) {
    item->SetEnabled(false);
    return;
  }
  const TResString* verbs[] = {&SObjectVerbOpen, &SObjectVerbSaveCopy};
  for (int i = 0; i < 2; ++i) {
    TMenuItem* verb =
        NewItem(&menu, LoadResString(*verbs[i]), 0, [this, i](TObject*) { ExecuteObjectVerb(i); });
    verb->SetDefault(i == 0);
    item->Add(verb);
  }
}

void TwwCustomRichEdit::PopupMenuShowing() {
  TwwRichEditPopupMenu& menu = *BuiltInMenu_;
  SetPopupCaptions();
  // A working copy: the property keeps what was set.
  const bool readOnly = EffectiveReadOnly();
  uint64_t options = PopupOptions().Bits();
  if (readOnly) options &= kReadOnlyPopupMask;
  const bool objects = Bit(options, rpoPopupInsertObject) && !OleOptions().Contains(reoDisableOLE);
  const bool find = Bit(options, rpoPopupFind), replace = Bit(options, rpoPopupReplace);
  const bool edit = Bit(options, rpoPopupEdit);
  const bool visible[kPopupItemCount] = {
      edit,
      edit && AnyBit(options, 1, 13),
      Bit(options, rpoPopupCut),
      Bit(options, rpoPopupCopy),
      Bit(options, rpoPopupPaste),
      AnyBit(options, 1, 3) && AnyBit(options, 4, 13),
      Bit(options, rpoPopupBold),
      Bit(options, rpoPopupItalic),
      Bit(options, rpoPopupUnderline),
      AnyBit(options, 4, 6) && AnyBit(options, 7, 13),
      Bit(options, rpoPopupFont),
      Bit(options, rpoPopupBullet),
      Bit(options, rpoPopupParagraph),
      Bit(options, rpoPopupTabs),
      AnyBit(options, 7, 10) && (objects || find || replace),
      find,
      replace,
      objects && (find || replace),
      objects,
  };
  for (int i = 0; i < kPopupItemCount; ++i)
    menu.Item(static_cast<TwwPopupItem>(i))->SetVisible(visible[i]);

  const bool selection = SelectionPresent();
  menu.Item(piCut)->SetEnabled(selection && !readOnly);
  menu.Item(piCopy)->SetEnabled(selection);
  menu.Item(piPaste)->SetEnabled(!readOnly && PasteAllowed());

  menu.Item(piBullet)->SetChecked(ParagraphFormat()->Numbering() != nsNone);
  const TFontStyles style = SelectionFormat()->Style();
  menu.Item(piBold)->SetChecked(style.Contains(fsBold));
  menu.Item(piItalic)->SetChecked(style.Contains(fsItalic));
  menu.Item(piUnderline)->SetChecked(style.Contains(fsUnderline));
}

void TwwCustomRichEdit::ToggleStyle(TMenuItem* Item, TFontStyle Style) {
  BeginFieldEdit();
  const bool on = !Item->Checked();
  TRichCharFormat format;
  format.Fields = {Style == fsBold ? cfBold : Style == fsItalic ? cfItalic : cfUnderline};
  if (on) format.Style.Include(Style);
  EditBox()->SetCharFormat(true, format);
  Item->SetChecked(on);
}

void TwwCustomRichEdit::ToggleBullet(TMenuItem* Item) {
  BeginFieldEdit();
  const bool on = !Item->Checked();
  ApplyBulletFormat(on);
  Item->SetChecked(on);
}

void TwwCustomRichEdit::ApplyBulletFormat(bool On) {
  if (!On) {
    ParagraphFormat()->SetNumbering(nsNone);  // the left indent goes back to 0 with it
    return;
  }
  // Bullets with the following lines hanging a half inch in, as one paragraph-format change.
  ApplyParagraphFormat(kBulletFields, "", rlSingle, 0, 0, 0, {}, 0, 0, 0, 720, true);
}
