// The editor window over real windows (offscreen): the viewer of a read-only control, the editable
// window over a blob of a dataset in edit mode and over an unbound control, placement, keys, the
// format bar, the ruler, the colour menu, page setup, and files that cannot be loaded or saved.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/format.h"
#include "core/streams.h"
#include "data/fields/blob_field.h"
#include "gui/dialogs/page_setup_dialog.h"
#include "gui/forms/screen.h"
#include "gui/forms/snapshot.h"
#include "gui/menus/main_menu.h"
#include "gui/menus/menus.h"
#include "gui/printing/printer.h"
#include "gui/stdctrls/combo_box.h"
#include "gui/stdctrls/panel.h"
#include "gui/stdctrls/speed_button.h"
#include "gui/stdctrls/status_bar.h"
#include "gui/stdctrls/track_icon.h"
#include "gui_test_support.h"
#include "rich_control_support.h"
#include "richtext/controls/text_attributes.h"
#include "richtext/controls/ww_rich_edit_strings.h"
#include "richtext/edit/rich_edit_box.h"
#include "richtext/editor/rich_edit_form.h"
#include "richtext/editor/ruler_panel.h"
#include "richtext/intl/rich_edit_intl.h"

namespace {

const char* const kQuestion =
    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}\\pard\\f0\\fs20 Which river is the "
    "{\\b longest}?\\par A Nile\\par}";

// The standard output of a shell command.
std::string RunTool(const std::string& Command) {
  std::string out;
  if (FILE* pipe = popen(Command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
      out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

// Opens Control's editor window and runs Body inside it once it has shown. The window is
// cancelled afterwards if Body left it open, so a failing check never hangs the run.
bool RunEditor(TwwCustomRichEdit& Control, const std::function<void(TwwRichEditForm&)>& Body) {
  bool ran = false;
  const TwwOnRichEditDlgEvent previous = Control.OnInitDialog;
  Control.OnInitDialog = [&](TObject*, TForm* Form) {
    auto* form = dynamic_cast<TwwRichEditForm*>(Form);
    Application->QueueCall([&ran, &Body, form]() {
      ran = true;
      Pump();
      Body(*form);
      if (form->Modal() && form->ModalResult() == mrNone) {
        // Left without the question whether to keep the changes.
        form->Editor()->SetModified(false);
        form->SetModalResult(mrCancel);
      }
    });
  };
  const bool result = Control.ExecuteEditor();
  Control.OnInitDialog = previous;
  EXPECT_TRUE(ran);
  return result;
}

// The captions of the visible items of a menu, separators as "-".
std::vector<std::string> VisibleItems(TMenuItem* Menu) {
  std::vector<std::string> out;
  for (int i = 0; i < Menu->Count(); ++i)
    if (Menu->Items(i)->Visible()) out.push_back(Menu->Items(i)->Caption());
  return out;
}

void Key(int K, Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(K), Modifiers);
  Pump();
}

class RichEditForm : public RichControlTest {
 protected:
  void SetUp() override {
    RichControlTest::SetUp();
    ResetRichEditIntl();
  }
  // An unbound, editable control holding Rtf.
  TwwDBRichEdit* Unbound(const std::string& Rtf) {
    auto* control = new TwwDBRichEdit(Form.get());
    control->SetName("Unbound");
    control->SetParent(Form.get());
    control->SetBounds(8, 8, 400, 100);
    TMemoryStream stream;
    stream.Write(Rtf.data(), static_cast<int64_t>(Rtf.size()));
    stream.SetPosition(0);
    control->RichEditLines()->LoadContent(stream);
    control->SetModified(false);
    return control;
  }
  int Closes = 0;
  int Creates = 0;
  void CountEvents(TwwCustomRichEdit& Control) {
    Control.OnCloseDialog = [this](TObject*, TForm*) { ++Closes; };
    Control.OnCreateDialog = [this](TObject*, TForm*) { ++Creates; };
  }
};

TEST_F(RichEditForm, TheViewerOfAReadOnlyControlShowsTheSameTextAndOnlyPrintPageSetupAndExit) {
  AddRows({{kQuestion, "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question");
  ShowAndActivate(*Form);
  Open();
  CountEvents(*top);
  const std::string before = *Cell(0, "Question");
  const bool result = RunEditor(*top, [&](TwwRichEditForm& form) {
    EXPECT_EQ(form.Caption(), "Edit Rich Text");
    EXPECT_EQ(form.Editor()->Text(), top->Text());
    EXPECT_TRUE(form.Editor()->EffectiveReadOnly());
    EXPECT_EQ(form.Editor()->ClassName(), "TwwDBRichEdit");
    EXPECT_EQ(VisibleItems(form.FileMenu), (std::vector<std::string>{"&Print", "Page Set&up", "-", "E&xit"}));
    EXPECT_FALSE(form.FormatMenu->Visible());
    EXPECT_FALSE(form.ViewMenu->Visible());
    // The read-only mask keeps reoShowInsertObject: the Insert menu follows that option alone.
    EXPECT_TRUE(form.InsertMenu->Visible());
    EXPECT_TRUE(form.ObjectItem->Visible());
    EXPECT_FALSE(form.Toolbar->Visible());
    EXPECT_FALSE(form.FormatBar->Visible());
    EXPECT_FALSE(form.StatusBar1->Visible());
    EXPECT_FALSE(form.Ruler()->Visible());
    EXPECT_FALSE(form.NewButton->Visible());
    // The text fills what the bars left.
    EXPECT_EQ(form.Editor()->Top(), 0);
    EXPECT_EQ(form.Editor()->Height(), form.ClientHeight());
    SaveArtefact("editor-viewer", SnapshotForm(form, nullptr));
    // Typing changes nothing; Esc closes.
    Key(Qt::Key_X);
    EXPECT_EQ(form.Editor()->Text(), top->Text());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(form.Modal() && form.ModalResult() == mrNone);
  });
  EXPECT_FALSE(result);
  EXPECT_EQ(Creates, 1);
  EXPECT_EQ(Closes, 1);
  EXPECT_EQ(*Cell(0, "Question"), before);
  EXPECT_EQ(Query->Mode(), dmBrowse);
  EXPECT_EQ(Posts, 0);
}

TEST_F(RichEditForm, TheEditableWindowShowsEveryBarAndTheRuler) {
  TwwDBRichEdit* control = Unbound(kQuestion);
  ShowAndActivate(*Form);
  RunEditor(*control, [&](TwwRichEditForm& form) {
    EXPECT_FALSE(form.Editor()->EffectiveReadOnly());
    EXPECT_TRUE(form.Toolbar->Visible());
    EXPECT_TRUE(form.FormatBar->Visible());
    EXPECT_TRUE(form.StatusBar1->Visible());
    EXPECT_TRUE(form.Ruler()->Visible());
    EXPECT_TRUE(form.FormatMenu->Visible());
    EXPECT_TRUE(form.ViewMenu->Visible());
    EXPECT_TRUE(form.NewButton->Visible());
    // Load and Save As are off by default.
    EXPECT_EQ(VisibleItems(form.FileMenu),
              (std::vector<std::string>{"&Save and Exit", "-", "&Print", "Page Set&up", "-", "E&xit"}));
    // Stacked: tool bar, format bar, ruler, text, status bar.
    EXPECT_EQ(form.Ruler()->Top(), form.Toolbar->Height() + 2 + form.FormatBar->Height() + 2 + 2);
    EXPECT_EQ(form.Editor()->Top(), form.Ruler()->Top() + form.Ruler()->Height());
    EXPECT_EQ(form.StatusBar1->Top(), form.Editor()->Top() + form.Editor()->Height());
    EXPECT_EQ(form.StatusBar1->Top() + form.StatusBar1->Height(), form.ClientHeight());
    EXPECT_EQ(form.Editor()->Width(), form.Width() - 8);
    // Status panels: hint, CAP, NUM, grip; the first takes what the others leave.
    ASSERT_EQ(form.StatusBar1->Panels()->Count(), 4);
    EXPECT_EQ(form.StatusBar1->Panels()->Items(0)->Width(), form.Width() - 90);
    // Menu texts come from the text table.
    EXPECT_EQ(form.SaveExitItem->Hint(), "Save And Exit | Saves changes and exits editor");
    EXPECT_EQ(form.BoldButton->Hint(), "Bold | Makes the selection bold (toggle)");
    SaveArtefact("editor-editable", SnapshotForm(form, nullptr));
    // Hiding the tool bar moves everything up by its height.
    const int textTop = form.Editor()->Top();
    form.ToolbarItemClick(nullptr);
    EXPECT_FALSE(form.ToolbarItem->Checked());
    EXPECT_EQ(form.Editor()->Top(), textTop - form.Toolbar->Height() - 2);
  });
}

TEST_F(RichEditForm, TextTableCaptionsReplaceTheLayoutsAtShowTime) {
  TwwDBRichEdit* control = Unbound(kQuestion);
  RichEditIntl().MenuLabels.FileCaption = "&Datei";
  RichEditIntl().MenuLabels.ExitCaption = "&Beenden";
  RunEditor(*control, [&](TwwRichEditForm& form) {
    EXPECT_EQ(form.FileMenu->Caption(), "&Datei");
    EXPECT_EQ(form.ExitItem->Caption(), "&Beenden");
    // The Redo item keeps its own.
    EXPECT_EQ(form.RedoItem->Caption(), "&Redo");
  });
}

TEST_F(RichEditForm, EscWithChangesAsksAndNoDiscardsCancelStaysYesStoresTheBlob) {
  AddRows({{kQuestion, "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question", /*ReadOnly=*/false);
  ShowAndActivate(*Form);
  Open();
  CountEvents(*top);
  const std::string stored = *Cell(0, "Question");

  struct Case {
    TMsgDlgBtn Answer;
    bool Result;
  };
  for (const Case& c : {Case{mbNo, false}, Case{mbCancel, false}, Case{mbYes, true}}) {
    SCOPED_TRACE(static_cast<int>(c.Answer));
    Closes = 0;
    // The question comes once the window's loop takes the close request: the first box gets
    // the case's answer, a second one (after Cancel kept the window open) No.
    std::vector<std::string> texts;
    TwwRichEditForm* shown = nullptr;
    const TMessageBoxObserver previous = SetMessageBoxObserver([&](TMessageBoxView& Box) {
      texts.push_back(Box.Text());
      Box.Press(texts.size() == 1 ? c.Answer : mbNo);
      if (texts.size() == 1 && c.Answer == mbCancel) {
        // Cancel keeps the window open; it is closed again, and then left without saving.
        Application->QueueCall([&]() {
          EXPECT_TRUE(shown->Visible());
          EXPECT_EQ(shown->ModalResult(), mrNone);
          shown->Close();
        });
      }
    });
    const bool result = RunEditor(*top, [&](TwwRichEditForm& form) {
      form.Editor()->SetSelStart(0);
      Key(Qt::Key_Q);
      EXPECT_TRUE(form.Editor()->Modified());
      shown = &form;
      Key(Qt::Key_Escape);
    });
    SetMessageBoxObserver(previous);
    ASSERT_EQ(texts.size(), c.Answer == mbCancel ? 2u : 1u);
    EXPECT_EQ(texts[0], "Changes have been made!  Do you wish to save your changes?");
    EXPECT_EQ(result, c.Result);
    EXPECT_EQ(Closes, 1);
  }
  // Only the Yes stored the text: the row is in edit mode with the new blob, and the control
  // shows it and says it changed.
  EXPECT_EQ(Query->Mode(), dmEdit);
  EXPECT_TRUE(top->Modified());
  EXPECT_EQ(top->Text().substr(0, 6), "qWhich");
  Query->PostRow();
  EXPECT_NE(*Cell(0, "Question"), stored);
  EXPECT_NE(Cell(0, "Question")->find("qWhich"), std::string::npos);
}

TEST_F(RichEditForm, SaveAndExitWithoutChangesStoresNothingButTakesTheMarginsBack) {
  AddRows({{kQuestion, "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question", /*ReadOnly=*/false);
  ShowAndActivate(*Form);
  Open();
  CountEvents(*top);
  const bool result = RunEditor(*top, [&](TwwRichEditForm& form) {
    TDialogDriver pageSetup([](TDialogView& View) {
      EXPECT_EQ(View.Text("Left"), "1.000");
      View.SetText("Left", "1.5");
      View.SetText("Bottom", "0.5");
      View.Press("OK");
    });
    form.PageSetupClick(nullptr);
    EXPECT_EQ(pageSetup.Shown(), 1);
    EXPECT_DOUBLE_EQ(form.Editor()->PrintMargins()->Left(), 1.5);
    form.SaveExitClick(nullptr);
  });
  EXPECT_TRUE(result);
  EXPECT_EQ(Closes, 0);
  EXPECT_EQ(Query->Mode(), dmBrowse);
  EXPECT_FALSE(top->Modified());
  EXPECT_DOUBLE_EQ(top->PrintMargins()->Left(), 1.5);
  EXPECT_DOUBLE_EQ(top->PrintMargins()->Bottom(), 0.5);
  EXPECT_DOUBLE_EQ(top->PrintMargins()->Top(), 1.0);
}

TEST_F(RichEditForm, AnUnboundControlTakesTheEditedTextBack) {
  TwwDBRichEdit* control = Unbound(kQuestion);
  CountEvents(*control);
  const bool result = RunEditor(*control, [&](TwwRichEditForm& form) {
    form.Editor()->EditBox()->SetSelection(0, -1);
    form.Editor()->SetSelText("replaced");
    form.SaveExitClick(nullptr);
  });
  EXPECT_TRUE(result);
  EXPECT_EQ(control->Text(), "replaced");
  EXPECT_TRUE(control->Modified());
  EXPECT_EQ(Closes, 1);
}

TEST_F(RichEditForm, TheWindowIsCentredInTheWorkAreaOrPlacedByEditorPosition) {
  TwwDBRichEdit* control = Unbound(kQuestion);
  RunEditor(*control, [&](TwwRichEditForm& form) {
    const TRect area = Screen->WorkAreaRect();
    EXPECT_EQ(form.Width(), 610);
    EXPECT_EQ(form.Height(), 455);
    // The offscreen platform draws a 2-pixel frame round each window, which the position read
    // back from the window includes.
    EXPECT_NEAR(form.Left(), area.Left + (area.Width() - 610) / 2, 2);
    EXPECT_NEAR(form.Top(), area.Top + (area.Height() - 455) / 2, 2);
  });
  control->EditorPosition()->SetLeft(10);
  control->EditorPosition()->SetTop(20);
  control->EditorPosition()->SetWidth(500);
  RunEditor(*control, [&](TwwRichEditForm& form) {
    EXPECT_NEAR(form.Left(), 10, 2);
    EXPECT_NEAR(form.Top(), 20, 2);
    EXPECT_EQ(form.Width(), 500);
    EXPECT_EQ(form.Editor()->Width(), 492);
  });
}

TEST_F(RichEditForm, CtrlZUndoesExactlyOncePerPress) {
  TwwDBRichEdit* control = Unbound("");
  RunEditor(*control, [&](TwwRichEditForm& form) {
    TRichEditBox* box = form.Editor()->EditBox();
    box->ReplaceSelection("one");
    box->SetSelection(3, 3);
    box->ReplaceSelection(" two");
    box->SetSelection(7, 7);
    box->ReplaceSelection(" three");
    ASSERT_EQ(form.Editor()->Text(), "one two three");
    form.Editor()->SetFocus();
    Pump();
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.Editor()->Text(), "one two");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.Editor()->Text(), "one");
  });
}

TEST_F(RichEditForm, CtrlBUAndITheSelectionAndTheButtonsFollow) {
  TwwDBRichEdit* control = Unbound("");
  RunEditor(*control, [&](TwwRichEditForm& form) {
    form.Editor()->EditBox()->ReplaceSelection("word");
    form.Editor()->EditBox()->SetSelection(0, 4);
    form.Editor()->SetFocus();
    Pump();
    Key(Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(form.Editor()->SelectionFormat()->Style().Contains(fsBold));
    EXPECT_TRUE(form.BoldButton->Down());
    Key(Qt::Key_I, Qt::ControlModifier);
    Key(Qt::Key_U, Qt::ControlModifier);
    EXPECT_TRUE(form.ItalicButton->Down());
    EXPECT_TRUE(form.UnderlineButton->Down());
    Key(Qt::Key_B, Qt::ControlModifier);
    EXPECT_FALSE(form.Editor()->SelectionFormat()->Style().Contains(fsBold));
    EXPECT_FALSE(form.BoldButton->Down());
    EXPECT_EQ(form.Editor()->Text(), "word");
  });
}

TEST_F(RichEditForm, AFontNameTheListLacksShowsInRed) {
  TwwDBRichEdit* control =
      Unbound("{\\rtf1{\\fonttbl{\\f0 No Such Face Anywhere;}{\\f1 Arial;}}\\f0 odd\\par\\f1 known\\par}");
  RunEditor(*control, [&](TwwRichEditForm& form) {
    form.Editor()->EditBox()->SetSelection(1, 1);
    form.RefreshControls();
    EXPECT_EQ(form.FontNameCombo->Text(), "No Such Face Anywhere");
    EXPECT_EQ(form.FontNameCombo->Font()->Color(), clRed);
    const int known = form.FontNameCombo->Items()->Count() > 0 ? 0 : -1;
    ASSERT_GE(known, 0);
    const std::string listed = form.FontNameCombo->Items()->Get(0);
    TTextAttributes* sel = form.Editor()->SelectionFormat();
    form.Editor()->EditBox()->SetSelection(5, 8);
    sel->SetName(listed);
    form.RefreshControls();
    EXPECT_EQ(form.FontNameCombo->Text(), listed);
    EXPECT_EQ(form.FontNameCombo->Font()->Color(), clWindowText);
  });
}

TEST_F(RichEditForm, CommandStatesFollowTheSelectionAndTheText) {
  TwwDBRichEdit* control = Unbound("");
  RunEditor(*control, [&](TwwRichEditForm& form) {
    EXPECT_FALSE(form.FindItem->Enabled());
    EXPECT_FALSE(form.SelectAllItem->Enabled());
    EXPECT_FALSE(form.CutItem->Enabled());
    EXPECT_FALSE(form.UndoItem->Enabled());
    form.Editor()->EditBox()->ReplaceSelection("some text");
    form.Editor()->EditBox()->SetSelection(0, 4);
    form.RefreshControls();
    EXPECT_TRUE(form.FindItem->Enabled());
    EXPECT_TRUE(form.FindButton->Enabled());
    EXPECT_TRUE(form.CutItem->Enabled());
    EXPECT_TRUE(form.CutButton->Enabled());
    EXPECT_TRUE(form.CopyItem->Enabled());
    EXPECT_TRUE(form.ReplaceItem->Enabled());
    EXPECT_TRUE(form.UndoItem->Enabled());
    EXPECT_TRUE(form.UndoButton->Enabled());
    form.Editor()->ParagraphFormat()->SetAlignment(taCenter);
    form.RefreshControls();
    EXPECT_TRUE(form.CenterButton->Down());
    EXPECT_FALSE(form.LeftButton->Down());
  });
}

TEST_F(RichEditForm, NewAsksAndClearsOnlyOnOK) {
  TwwDBRichEdit* control = Unbound(kQuestion);
  RunEditor(*control, [&](TwwRichEditForm& form) {
    {
      TMessageBoxRecorder boxes(mbCancel);
      form.NewButtonClick(nullptr);
      ASSERT_EQ(boxes.Boxes().size(), 1u);
      EXPECT_EQ(boxes.Boxes()[0].Text, "Clear entire text?");
      EXPECT_NE(form.Editor()->Text(), "");
    }
    TMessageBoxRecorder boxes(mbOK);
    form.NewButtonClick(nullptr);
    EXPECT_EQ(form.Editor()->Text(), "");
    EXPECT_TRUE(form.Editor()->Modified());
  });
}

TEST_F(RichEditForm, DroppingTheRulersMarkersSetsTheIndents) {
  TwwDBRichEdit* control = Unbound("");
  RunEditor(*control, [&](TwwRichEditForm& form) {
    form.Editor()->EditBox()->ReplaceSelection("indented paragraph");
    TwwRulerPanel* ruler = form.Ruler();
    const int inch = Screen->PixelsPerInch();
    ruler->FirstMarker()->SetPosition(ruler->DrawArea().Left + inch / 2);
    ruler->ApplyMarker(ruler->FirstMarker());
    TRichParaFormat para = form.Editor()->EditBox()->ParaFormat();
    EXPECT_EQ(para.StartIndent, 720);
    // The left marker stayed where it was: the hanging offset takes the difference back.
    EXPECT_EQ(para.StartIndent + para.Offset, 0);
    // A left marker dragged past the right one stops a gap before it.
    ruler->LeftMarker()->SetPosition(ruler->RightMarker()->Position() + 5);
    ruler->ApplyMarker(ruler->LeftMarker());
    EXPECT_EQ(ruler->LeftMarker()->Position(), ruler->RightMarker()->Position() - kRulerMarkerGap);
    EXPECT_TRUE(form.Editor()->Modified());
    // The markers follow the paragraph at the caret.
    form.RefreshControls();
    EXPECT_EQ(ruler->FirstMarker()->Position(), ruler->DrawArea().Left + inch / 2);
  });
}

TEST_F(RichEditForm, TheColourMenuColoursTheSelection) {
  TwwDBRichEdit* control = Unbound("");
  control->Font()->SetColor(clGreen);
  RunEditor(*control, [&](TwwRichEditForm& form) {
    form.Editor()->EditBox()->ReplaceSelection("colour");
    form.Editor()->EditBox()->SetSelection(0, 6);
    TMenuItem* red = form.ColorMenu->Items()->Items(9);
    ASSERT_EQ(red->Caption(), "Red");
    EXPECT_EQ(form.ColorOfItem(red), static_cast<TColor>(0x0000FF));
    red->Click();
    EXPECT_EQ(form.Editor()->SelectionFormat()->Color(), static_cast<TColor>(0x0000FF));
    TMenuItem* automatic = form.ColorMenu->Items()->Items(16);
    EXPECT_EQ(automatic->Caption(), "Automatic");
    EXPECT_EQ(form.ColorOfItem(automatic), clGreen);
    EXPECT_TRUE(automatic->OnDrawItem != nullptr);
  });
}

TEST_F(RichEditForm, LoadReadsEachFileByTheConversionOfItsExtension) {
  TTempFolder folder;
  folder.Write("letter.rtf", "{\\rtf1\\ansi\\pard Dear {\\b friend}\\par}");
  // Text that is not rich text comes in as it stands, braces and backslashes included.
  folder.Write("notes.txt", "plain {text} with a \\ backslash");
  TwwDBRichEdit* control = Unbound(kQuestion);
  control->SetEditorOptions(TwwRichEditOptions::FromBits(0x1FFF));
  RunEditor(*control, [&](TwwRichEditForm& form) {
    const auto load = [&](const std::string& Name) {
      TDialogDriver open([&](TDialogView& View) {
        View.SetText("FileName", folder.File(Name));
        View.Press("Accept");
      });
      TMessageBoxRecorder boxes;
      Application->Guard([&]() { form.LoadClick(nullptr); });
      EXPECT_TRUE(boxes.Boxes().empty()) << Name;
    };
    load("letter.rtf");
    EXPECT_EQ(form.Editor()->Text(), "Dear friend");
    form.Editor()->EditBox()->SetSelection(5, 6);
    EXPECT_TRUE(form.Editor()->SelectionFormat()->Style().Contains(fsBold));
    form.Editor()->EditBox()->SetSelection(0, 4);
    EXPECT_FALSE(form.Editor()->SelectionFormat()->Style().Contains(fsBold));
    load("notes.txt");
    EXPECT_EQ(form.Editor()->Text(), "plain {text} with a \\ backslash");
  });
}

TEST_F(RichEditForm, BadFilesLeaveTheTextAsItWasWithAClearMessage) {
  TTempFolder folder;
  folder.Write("binary.rtf", std::string("\x7f"
                                         "ELF\0\0\0binary",
                                         13));
  {
    std::ofstream big(folder.File("big.txt"), std::ios::binary);
    const std::string line(1023, 'x');
    for (int i = 0; i < 50 * 1024; ++i)
      big << line << '\n';
  }
  TwwDBRichEdit* control = Unbound(kQuestion);
  control->SetEditorOptions(TwwRichEditOptions::FromBits(0x1FFF));
  RunEditor(*control, [&](TwwRichEditForm& form) {
    const std::string before = form.Editor()->Text();
    struct Case {
      std::string File;
      std::string Message;
    };
    const Case cases[] = {
        {folder.File("missing.rtf"), "missing.rtf"},
        {folder.File("binary.rtf"), "is neither rich text nor text"},
        {folder.File("big.txt"), "is too large"},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.File);
      TDialogDriver open([&](TDialogView& View) {
        View.SetText("FileName", c.File);
        View.Press("Accept");
      });
      TMessageBoxRecorder boxes;
      Application->Guard([&]() { form.LoadClick(nullptr); });
      ASSERT_EQ(boxes.Boxes().size(), 1u);
      EXPECT_NE(boxes.Boxes()[0].Text.find(c.Message), std::string::npos) << boxes.Boxes()[0].Text;
      EXPECT_EQ(form.Editor()->Text(), before);
    }
    // A place nobody can write to, even root: a folder under /proc.
    TDialogDriver save([&](TDialogView& View) {
      View.SetText("FileName", "/proc/self/nowhere.rtf");
      View.Press("Accept");
    });
    TMessageBoxRecorder boxes;
    Application->Guard([&]() { form.SaveAsClick(nullptr); });
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].Text.find("Cannot create file \"/proc/self/nowhere.rtf\""), std::string::npos)
        << boxes.Boxes()[0].Text;
    EXPECT_EQ(form.Editor()->Text(), before);
  });
}

TEST_F(RichEditForm, SaveAsAsksBeforeOverwritingAndKeepsTheOldFileOnNo) {
  TTempFolder folder;
  folder.Write("old.rtf", "old content");
  TwwDBRichEdit* control = Unbound(kQuestion);
  control->SetEditorOptions(TwwRichEditOptions::FromBits(0x1FFF));
  RunEditor(*control, [&](TwwRichEditForm& form) {
    for (TMsgDlgBtn answer : {mbNo, mbYes}) {
      TDialogDriver save([&](TDialogView& View) {
        View.SetText("FileName", folder.File("old.rtf"));
        View.Press("Accept");
      });
      TMessageBoxRecorder boxes(answer);
      form.SaveAsClick(nullptr);
      ASSERT_EQ(boxes.Boxes().size(), 1u);
      EXPECT_EQ(boxes.Boxes()[0].Text, Format("OK to overwrite %s", folder.File("old.rtf")));
    }
  });
  std::ifstream in(folder.File("old.rtf"));
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(saved.substr(0, 5), "{\\rtf");
  EXPECT_NE(saved.find("longest"), std::string::npos);
  // No temporary file stays behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST_F(RichEditForm, TheStatusLineShowsHintsWhileOpenAndTheHandlerComesBackAfter) {
  TwwDBRichEdit* control = Unbound(kQuestion);
  int outerHints = 0;
  Application->OnHint = [&](TObject*) { ++outerHints; };
  RunEditor(*control, [&](TwwRichEditForm& form) {
    Application->SetHint("Saves changes and exits editor");
    EXPECT_EQ(form.StatusBar1->Panels()->Items(0)->Text(), "Saves changes and exits editor");
    EXPECT_EQ(outerHints, 0);
  });
  Application->SetHint("back");
  EXPECT_EQ(outerHints, 1);
  Application->OnHint = nullptr;
}

TEST_F(RichEditForm, UserButtonsVisitTheToolBarAndGoBackHidden) {
  TwwDBRichEdit* control = Unbound(kQuestion);
  auto* panel = new TPanel(Form.get());
  panel->SetParent(Form.get());
  auto* mine = new TSpeedButton(Form.get());
  mine->SetParent(panel);
  mine->SetWidth(25);
  control->SetUserSpeedButton1(mine);
  RunEditor(*control, [&](TwwRichEditForm& form) {
    EXPECT_EQ(mine->Parent(), form.Toolbar);
    EXPECT_TRUE(mine->Visible());
    EXPECT_EQ(mine->Left(), form.UndoButton->Left() + form.UndoButton->Width() + 32);
    EXPECT_EQ(mine->Top(), form.UndoButton->Top());
    EXPECT_TRUE(mine->Flat());
  });
  EXPECT_EQ(mine->Parent(), panel);
  EXPECT_FALSE(mine->Visible());
}

TEST_F(RichEditForm, WithoutFlatButtonsTheBarsGrowAndTheButtonsAreRaised) {
  TwwDBRichEdit* control = Unbound(kQuestion);
  control->SetEditorOptions(
      TwwRichEditOptions::FromBits(kDefaultEditorOptions.Bits() & ~(1u << reoFlatButtons)));
  RunEditor(*control, [&](TwwRichEditForm& form) {
    EXPECT_EQ(form.Toolbar->Height(), 28);
    EXPECT_EQ(form.FormatBar->Height(), 28);
    EXPECT_FALSE(form.BoldButton->Flat());
    EXPECT_EQ(form.NewButton->Top(), 3);
    EXPECT_EQ(form.BoldButton->Top(), 3);
    SaveArtefact("editor-raised", SnapshotForm(form, nullptr));
  });
}

TEST_F(RichEditForm, ResizingLaysTheTextAndTheStatusBarOutAgain) {
  TwwDBRichEdit* control = Unbound(kQuestion);
  RunEditor(*control, [&](TwwRichEditForm& form) {
    form.SetBounds(form.Left(), form.Top(), 700, 520);
    Pump();
    EXPECT_EQ(form.Editor()->Width(), 692);
    EXPECT_EQ(form.Ruler()->Width(), 692);
    EXPECT_EQ(form.StatusBar1->Top() + form.StatusBar1->Height(), form.ClientHeight());
    EXPECT_EQ(form.StatusBar1->Panels()->Items(0)->Width(), 700 - 90);
    EXPECT_EQ(form.Ruler()->RightMarker()->UpperLimit(),
              form.Ruler()->DrawArea().Right - form.Ruler()->RightMarker()->Width());
  });
}

// Every word's box on the pages of a PDF, in points from the top left corner.
struct TWordBox {
  double Left, Top;
};
std::vector<TWordBox> PdfWords(const std::string& Pdf, int& Pages) {
  const std::string xml = RunTool("pdftotext -bbox " + Pdf + " -");
  std::vector<TWordBox> words;
  Pages = 0;
  for (size_t at = xml.find("<page "); at != std::string::npos; at = xml.find("<page ", at + 1))
    ++Pages;
  // Each word reads <word xMin="..." yMin="..." ...>.
  for (size_t at = xml.find("<word "); at != std::string::npos; at = xml.find("<word ", at + 1)) {
    double left = 0, top = 0;
    if (std::sscanf(xml.c_str() + at, "<word xMin=\"%lf\" yMin=\"%lf\"", &left, &top) == 2)
      words.push_back({left, top});
  }
  return words;
}

TEST_F(RichEditForm, PrintingFromTheViewerKeepsTheOneInchMarginsAndMakesTheCopies) {
  AddRows({{kQuestion, "", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question");
  ShowAndActivate(*Form);
  Open();
  TTempFolder folder;
  const std::string pdf = folder.File("question.pdf");
  Printer()->SetPrintToFile(true);
  Printer()->SetPaperSize(1);
  Printer()->SetFileName(pdf);
  RunEditor(*top, [&](TwwRichEditForm& form) {
    EXPECT_TRUE(form.PrintItem->Visible());
    TDialogDriver print([](TDialogView& View) {
      View.SetText("Copies", "2");
      View.Press("Print");
    });
    form.PrintClick(nullptr);
    EXPECT_EQ(print.Shown(), 1);
  });
  Printer()->SetFileName("");
  EXPECT_EQ(Printer()->Copies(), 1);
  int pages = 0;
  const std::vector<TWordBox> words = PdfWords(pdf, pages);
  EXPECT_EQ(pages, 2) << "one page, twice";
  ASSERT_FALSE(words.empty());
  double left = 1e9, topMost = 1e9;
  for (const TWordBox& w : words) {
    left = std::min(left, w.Left);
    topMost = std::min(topMost, w.Top);
  }
  // One inch is 72 points; the first letter's own side bearing may add a point.
  EXPECT_NEAR(left, 72, 2);
  EXPECT_NEAR(topMost, 72, 4);
}

}  // namespace
