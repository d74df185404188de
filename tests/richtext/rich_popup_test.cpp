// The built-in popup menu as a right click shows it: which items, separators only between groups
// that show something, what is enabled and checked, what the items do, the object's verbs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTextCursor>

#include "gui/menus/menus.h"
#include "gui_test_support.h"
#include "rich_command_support.h"
#include "rich_control_support.h"
#include "richtext/controls/ww_rich_edit_popup.h"
#include "richtext/edit/rich_edit_box.h"
#include "richtext/intl/rich_edit_intl.h"

namespace {

const QPoint kInText(20, 8);

// Counts what the items asked for instead of opening windows.
class TCommandRichEdit : public TwwDBRichEdit {
 public:
  using TwwDBRichEdit::TwwDBRichEdit;
  bool ExecuteEditor() override { return ++Editors, false; }
  bool ExecuteParagraphDialog() override { return ++Paragraphs, false; }
  bool ExecuteTabDialog() override { return ++Tabs, false; }
  int Editors = 0, Paragraphs = 0, Tabs = 0;
};

class RichPopup : public RichControlTest {
 protected:
  void SetUp() override {
    RichControlTest::SetUp();
    QApplication::clipboard()->clear();
  }
  void TearDown() override {
    ResetRichEditIntl();
    QApplication::clipboard()->clear();
    RichControlTest::TearDown();
  }
  TCommandRichEdit* Control(bool ReadOnly, const std::string& Text = "some words here") {
    auto* edit = new TCommandRichEdit(Form.get());
    edit->SetParent(Form.get());
    edit->SetBounds(8, 8, 400, 100);
    edit->SetReadOnly(ReadOnly);
    edit->SetText(Text);
    ShowAndActivate(*Form);
    return edit;
  }
  static std::string Shown(TwwCustomRichEdit& Edit, TwwRichEditPopupOptions Options) {
    Edit.SetPopupOptions(Options);
    return RightClick(Edit, kInText);
  }
};

TEST_F(RichPopup, AReadOnlyControlShowsViewTheClipboardAndFindOnly) {
  TCommandRichEdit* edit = Control(true);
  QApplication::clipboard()->setText("pasteable");
  EXPECT_EQ(RightClick(*edit, kInText), "&View | - | Cu&t(off) | &Copy(off) | &Paste(off) | - | Fin&d");
  edit->SetSelStart(5);
  edit->SetSelLength(5);
  EXPECT_EQ(RightClick(*edit, kInText), "&View | - | Cu&t(off) | &Copy | &Paste(off) | - | Fin&d");
  // The mask worked on a copy: the property is as it was.
  EXPECT_EQ(edit->PopupOptions(), kDefaultPopupOptions);
  // Every option asked for still shows only what a read-only control may offer.
  EXPECT_EQ(Shown(*edit, TwwRichEditPopupOptions::FromBits(0x3FFF)),
            "&View | - | Cu&t(off) | &Copy | &Paste(off) | - | Fin&d");
}

TEST_F(RichPopup, AnEditableControlShowsItsGroupsWithLinesOnlyBetweenThem) {
  TCommandRichEdit* edit = Control(false);
  QApplication::clipboard()->setText("pasteable");
  EXPECT_EQ(
      RightClick(*edit, kInText),
      "&Edit | - | Cu&t(off) | &Copy(off) | &Paste | - | &Font | &Bullet Style | P&aragraph | &Tabs | - | "
      "Fin&d | &Replace | - | &Insert &Object...");
  EXPECT_EQ(Shown(*edit, {rpoPopupBold, rpoPopupItalic}), "B&old | &Italic");
  EXPECT_EQ(Shown(*edit, {rpoPopupEdit, rpoPopupFind}), "&Edit | - | Fin&d");
  EXPECT_EQ(Shown(*edit, {rpoPopupCut, rpoPopupFont}), "Cu&t(off) | - | &Font");
  EXPECT_EQ(Shown(*edit, {rpoPopupUnderline, rpoPopupTabs, rpoPopupInsertObject}),
            "&Underline | - | &Tabs | - | &Insert &Object...");
  EXPECT_EQ(Shown(*edit, {rpoPopupEdit}), "&Edit");
  EXPECT_EQ(Shown(*edit, {rpoPopupReplace, rpoPopupInsertObject}), "&Replace | - | &Insert &Object...");
  // Without embedded objects the insert item goes, and the lines that would only lead to it.
  edit->SetOleOptions({reoAdjustPopupMenu, reoDisableOLE});
  EXPECT_EQ(Shown(*edit, {rpoPopupTabs, rpoPopupInsertObject}), "&Tabs");
  EXPECT_EQ(Shown(*edit, {rpoPopupInsertObject}), "") << "nothing to show: no menu";
}

TEST_F(RichPopup, ChecksFollowTheSelectionAndTheParagraph) {
  TCommandRichEdit* edit = Control(false);
  edit->SetPopupOptions(TwwRichEditPopupOptions::FromBits(0x3FFF));
  edit->SetSelStart(5);
  edit->SetSelLength(5);
  edit->SelectionFormat()->SetStyle({fsItalic});
  edit->ParagraphFormat()->SetNumbering(nsBullet);
  const std::string shown = RightClick(*edit, kInText);
  EXPECT_NE(shown.find("B&old | &Italic[x] | &Underline | -"), std::string::npos) << shown;
  EXPECT_NE(shown.find("&Bullet Style[x]"), std::string::npos) << shown;
  EXPECT_NE(shown.find("Cu&t | &Copy"), std::string::npos) << shown;
}

TEST_F(RichPopup, TheStyleAndBulletItemsToggle) {
  TCommandRichEdit* edit = Control(false);
  edit->SetPopupOptions(TwwRichEditPopupOptions::FromBits(0x3FFF));
  edit->SetSelStart(5);
  edit->SetSelLength(5);
  edit->SelectionFormat()->SetStyle({fsItalic});
  RightClick(*edit, kInText, {"Bold"});
  EXPECT_EQ(edit->SelectionFormat()->Style(), (TFontStyles{fsBold, fsItalic})) << "only bold was added";
  RightClick(*edit, kInText, {"Italic"});
  EXPECT_EQ(edit->SelectionFormat()->Style(), (TFontStyles{fsBold}));
  RightClick(*edit, kInText, {"Underline"});
  RightClick(*edit, kInText, {"Bold"});
  EXPECT_EQ(edit->SelectionFormat()->Style(), (TFontStyles{fsUnderline}));
  // The rest of the text kept its own style.
  edit->SetSelStart(0);
  edit->SetSelLength(4);
  EXPECT_EQ(edit->SelectionFormat()->Style(), TFontStyles{});

  RightClick(*edit, kInText, {"Bullet Style"});
  EXPECT_EQ(edit->ParagraphFormat()->Numbering(), nsBullet);
  const TRichParaFormat bullet = edit->EditBox()->ParaFormat();
  EXPECT_EQ(bullet.Offset, 720) << "the following lines hang half an inch in";
  RightClick(*edit, kInText, {"Bullet Style"});
  EXPECT_EQ(edit->ParagraphFormat()->Numbering(), nsNone);
  EXPECT_EQ(edit->ParagraphFormat()->LeftIndent(), 0);
}

TEST_F(RichPopup, ItemsCallTheirCommands) {
  TCommandRichEdit* edit = Control(false, "copy me");
  edit->SetPopupOptions(TwwRichEditPopupOptions::FromBits(0x3FFF));
  RightClick(*edit, kInText, {"Edit"});
  RightClick(*edit, kInText, {"Paragraph"});
  RightClick(*edit, kInText, {"Tabs"});
  EXPECT_EQ(edit->Editors, 1);
  EXPECT_EQ(edit->Paragraphs, 1);
  EXPECT_EQ(edit->Tabs, 1);
  edit->SetSelStart(0);
  edit->SetSelLength(4);
  RightClick(*edit, kInText, {"Copy"});
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "copy");
  RightClick(*edit, kInText, {"Cut"});
  EXPECT_EQ(edit->Text(), " me");
  edit->SetSelStart(3);
  RightClick(*edit, kInText, {"Paste"});
  EXPECT_EQ(edit->Text(), " mecopy");
  std::vector<std::string> dialogs;
  TDialogDriver driver([&](TDialogView& View) {
    dialogs.push_back(View.Caption());
    View.CloseWindow();
  });
  RightClick(*edit, kInText, {"Find"});
  RightClick(*edit, kInText, {"Replace"});
  RightClick(*edit, kInText, {"Font"});
  RightClick(*edit, kInText, {"Insert Object..."});
  ASSERT_EQ(dialogs.size(), 4u);
  EXPECT_EQ(dialogs[0], "Find");
  EXPECT_EQ(dialogs[1], "Replace");
  EXPECT_EQ(dialogs[3], "Insert Object");
}

TEST_F(RichPopup, ABoundControlEntersEditModeBeforeAToggleChangesIt) {
  AddRows({{"{\\rtf1 question}", "answer", "hint"}});
  TwwDBRichEdit* edit = AddControl("Question", "Question", false);
  Open();
  ShowAndActivate(*Form);
  edit->SetPopupOptions(TwwRichEditPopupOptions::FromBits(0x3FFF));
  edit->SetSelStart(0);
  edit->SetSelLength(4);
  EXPECT_EQ(Query->Mode(), dmBrowse);
  RightClick(*edit, kInText, {"Bold"});
  EXPECT_EQ(Query->Mode(), dmEdit);
  EXPECT_TRUE(edit->SelectionFormat()->Style().Contains(fsBold));
}

TEST_F(RichPopup, CaptionsComeFromTheTextTableEachTimeTheMenuShows) {
  TCommandRichEdit* edit = Control(true);
  RichEditIntl().PopupMenuLabels.ViewCaption = "&Ansicht";
  RichEditIntl().PopupMenuLabels.FindCaption = "&Suchen";
  EXPECT_EQ(RightClick(*edit, kInText), "&Ansicht | - | Cu&t(off) | &Copy(off) | &Paste(off) | - | &Suchen");
  edit->SetReadOnly(false);
  RichEditIntl().PopupMenuLabels.EditCaption = "&Bearbeiten";
  EXPECT_EQ(RightClick(*edit, kInText).substr(0, 14), "&Bearbeiten | ");
}

TEST_F(RichPopup, AnAssignedPopupMenuTakesThePlaceOfTheBuiltInOne) {
  TCommandRichEdit* edit = Control(false);
  auto* own = new TPopupMenu(Form.get());
  own->Items()->Add(NewItem(own, "&Mine"));
  edit->SetPopupMenu(own);
  EXPECT_EQ(edit->GetPopupMenu(), own);
  EXPECT_EQ(RightClick(*edit, kInText), "&Mine");
  edit->SetPopupMenu(nullptr);
  EXPECT_EQ(edit->GetPopupMenu(), edit->BuiltInPopupMenu());
}

TEST_F(RichPopup, ASelectedObjectAddsItsVerbsWhichAReadOnlyControlOffersDisabled) {
  TCommandRichEdit* edit = Control(false, "a file: ");
  TRichEditBox* box = edit->EditBox();
  box->SetSelection(8, 8);
  box->InsertPackage("/somewhere/notes.txt", "The answer is B.");
  const std::string plain = RightClick(*edit, kInText);
  EXPECT_EQ(plain.find("Package"), std::string::npos) << "nothing selected, no object item: " << plain;
  // A right click on the object selects it.
  QTextCursor at(box->document());
  at.setPosition(8);
  const QPoint onObject = box->cursorRect(at).center() + QPoint(20, 0);
  std::string verbs;
  const std::string shown = RightClick(*edit, onObject, {"Package Object"}, &verbs);
  EXPECT_EQ(edit->SelStart(), 8);
  EXPECT_EQ(edit->SelLength(), 1);
  EXPECT_TRUE(shown.ends_with("| Fin&d | &Replace | - | &Insert &Object... | - | Package &Object>")) << shown;
  EXPECT_EQ(verbs, "&Open(default) | Save &Copy As...");
  // Shown again, the verbs are there once.
  const std::string again = RightClick(*edit, onObject);
  EXPECT_EQ(again, shown);
  // Without reoAdjustPopupMenu the menu stays as it is.
  edit->SetOleOptions({});
  edit->SetSelStart(8);
  edit->SetSelLength(1);
  EXPECT_EQ(RightClick(*edit, kInText).find("Package"), std::string::npos);
  edit->SetOleOptions({reoAdjustPopupMenu});
  edit->SetSelStart(8);
  edit->SetSelLength(1);
  edit->SetReadOnly(true);
  const std::string readOnly = RightClick(*edit, kInText);
  EXPECT_TRUE(readOnly.ends_with("| Fin&d | - | Package &Object(off)")) << readOnly;
}

TEST_F(RichPopup, AVerbBeyondTheObjectsVerbsIsAnError) {
  TCommandRichEdit* edit = Control(false, "x");
  TRichEditBox* box = edit->EditBox();
  try {
    edit->ExecuteObjectVerb(0);
    FAIL() << "no object is selected";
  } catch (const EOleError& e) {
    EXPECT_EQ(e.Message(), "Invalid Verb");
  }
  box->SetSelection(1, 1);
  box->InsertPackage("notes.txt", "bytes");
  box->SetSelection(1, 2);
  EXPECT_THROW(edit->ExecuteObjectVerb(2), EOleError);
  EXPECT_THROW(edit->ExecuteObjectVerb(-1), EOleError);
  EXPECT_THROW(edit->ExecuteObjectVerb(-0x10001), EOleError);
}

}  // namespace
