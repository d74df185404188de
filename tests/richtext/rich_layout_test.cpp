// Rich text controls in stored layouts: the design-time text, the version, the round trip, and
// pictures of the controls for a visual check (build/artefacts/richtext).

#include <gtest/gtest.h>

#include <QImage>

#include "core/exceptions.h"
#include "core/layout/layout_reader.h"
#include "core/resources.h"
#include "gui/forms/snapshot.h"
#include "gui_test_support.h"
#include "rich_control_support.h"
#include "richtext/edit/rich_edit_box.h"

namespace {

class RichLayout : public RichControlTest {
 protected:
  void ReadMainForm() {
    Form.reset(new TForm(nullptr));
    TLayoutReader::ReadInto(*Form, TResourceRegistry::Load("MainFormRichText.layout"),
                            "MainFormRichText.layout");
    Top = dynamic_cast<TwwDBRichEdit*>(Form->FindComponent("TopRtf"));
    Hint = dynamic_cast<TwwDBRichEdit*>(Form->FindComponent("HintRtf"));
    Riff = dynamic_cast<TwwDBRichEdit*>(Form->FindComponent("RiffRtf"));
    ASSERT_TRUE(Top && Hint && Riff);
  }
  // The dataset of the fixture's form, offered to the layout's data source.
  void OpenQuizFor(const std::string& Question, const std::string& Hint, const std::string& Riff) {
    auto* source = dynamic_cast<TDataSource*>(Form->FindComponent("wwDataSource1"));
    ASSERT_NE(source, nullptr);
    Query = new TMemoryDataSet(Form.get());
    Query->Table().AddColumn({"Question", ftBlob, 1, {}});
    Query->Table().AddColumn({"Hint", ftBlob, 1, {}});
    Query->Table().AddColumn({"Riff", ftBlob, 1, {}});
    Query->Table().AddRow({Question, Hint, Riff});
    source->SetDataSet(Query);
    Query->SetActive(true);
  }
  // Dark pixels in a picture: text was drawn.
  static int DarkPixels(const TBytes& Png) {
    QImage image;
    image.loadFromData(Png.data(), static_cast<int>(Png.size()), "PNG");
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x)
        dark += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
    }
    return dark;
  }
  TwwDBRichEdit* Top = nullptr;
  TwwDBRichEdit* Hint = nullptr;
  TwwDBRichEdit* Riff = nullptr;
};

TEST_F(RichLayout, TheMainWindowsControlsShowTheirStoredTextUntilTheDatasetOpens) {
  ReadMainForm();
  EXPECT_EQ(Top->Text(), "\r\n");  // two empty paragraphs
  EXPECT_EQ(Top->Lines()->Count(), 2);
  EXPECT_EQ(Top->SelectionFormat()->Name(), "MS Sans Serif");
  EXPECT_EQ(Top->SelectionFormat()->Size(), 8);
  for (TwwDBRichEdit* c : {Hint, Riff}) {
    SCOPED_TRACE(c->Name());
    EXPECT_EQ(c->Text(), c->Name() + "\r\n");  // its own name, then an empty paragraph
    c->SetSelStart(0);
    c->SetSelLength(static_cast<int>(c->Name().size()));
    EXPECT_EQ(c->SelectionFormat()->Name(), "MS Sans Serif");
    EXPECT_EQ(c->SelectionFormat()->Size(), 10);
    EXPECT_FALSE(c->Visible());
  }
  EXPECT_EQ(Top->RichEditVersion(), 2);
  EXPECT_TRUE(Top->EffectiveReadOnly());
  EXPECT_FALSE(Top->TabStop());
  const std::string path = SaveArtefact("main_window_stored_text", SnapshotForm(*Form));
  EXPECT_FALSE(path.empty());
  // With the hidden two shown, for the picture.
  Hint->Show();
  Riff->Show();
  SaveArtefact("main_window_stored_text_all_shown", SnapshotForm(*Form));
  EXPECT_GT(DarkPixels(SnapshotForm(*Form, Hint)), 20);
  Hint->Hide();
  Riff->Hide();

  OpenQuizFor("{\\rtf1 Who wrote {\\b Hamlet}?}", "{\\rtf1 An English playwright}", "too bad");
  EXPECT_EQ(Top->Text(), "Who wrote Hamlet?");
  // Hidden, the others wait for their first paint.
  EXPECT_EQ(Hint->Text(), "HintRtf\r\n");
  Hint->Show();
  ShowAndActivate(*Form);
  EXPECT_EQ(Hint->Text(), "An English playwright");
  EXPECT_EQ(Riff->Text(), "RiffRtf\r\n");
}

TEST_F(RichLayout, ALayoutWritesVersionTwoAndTheTextOnlyWithoutABoundField) {
  ReadMainForm();
  const std::string unbound = WriteLayout(*Form);
  size_t versions = 0;
  for (size_t at = unbound.find("RichEditVersion: 2"); at != std::string::npos;
       at = unbound.find("RichEditVersion: 2", at + 1))
    ++versions;
  EXPECT_EQ(versions, 3u);
  EXPECT_NE(unbound.find("Data: <"), std::string::npos);
  // Defaults stay out.
  EXPECT_EQ(unbound.find("PopupOptions"), std::string::npos);
  EXPECT_EQ(unbound.find("EditorOptions"), std::string::npos);
  EXPECT_EQ(unbound.find("PrintMargins"), std::string::npos);
  EXPECT_EQ(unbound.find("Lines"), std::string::npos);
  EXPECT_NE(unbound.find("ReadOnly: true"), std::string::npos);

  // Read back: the same text and formats.
  TForm again(nullptr);
  TLayoutReader::ReadInto(again, unbound, "written");
  auto* hint = dynamic_cast<TwwDBRichEdit*>(again.FindComponent("HintRtf"));
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(hint->Text(), "HintRtf\r\n");
  hint->SetSelStart(0);
  hint->SetSelLength(7);
  EXPECT_EQ(hint->SelectionFormat()->Size(), 10);
  EXPECT_EQ(dynamic_cast<TwwDBRichEdit*>(again.FindComponent("TopRtf"))->Text(), "\r\n");

  // Bound to an open dataset, a control stores no text.
  OpenQuizFor("{\\rtf1 q}", "{\\rtf1 h}", "{\\rtf1 r}");
  const std::string bound = WriteLayout(*Form);
  EXPECT_EQ(bound.find("Data:"), std::string::npos);
  EXPECT_NE(bound.find("RichEditVersion: 2"), std::string::npos);
}

TEST_F(RichLayout, AStoredLayoutWithoutAVersionMeansTheFirstLibraryAndLinesBecomeRtf) {
  const std::string text =
      "layout 1\n"
      "Form1 (TForm)\n"
      "  Old (TwwDBRichEdit)\n"
      "    Lines: [\"{\\\\rtf1 {\\\\i given} as lines}\"]\n";
  TForm form(nullptr);
  TLayoutReader::ReadInto(form, text, "old");
  auto* old = dynamic_cast<TwwDBRichEdit*>(form.FindComponent("Old"));
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(old->RichEditVersion(), 1);
  EXPECT_EQ(old->Text(), "given as lines");
  old->SetSelStart(0);
  old->SetSelLength(5);
  EXPECT_TRUE(old->SelectionFormat()->Style().Contains(fsItalic));
  EXPECT_FALSE(old->PlainText());
  // A new control is version 2.
  TwwDBRichEdit fresh(nullptr);
  EXPECT_EQ(fresh.RichEditVersion(), 2);
  EXPECT_THROW(fresh.SetRichEditVersion(3), EInvalidArgument);
}

TEST_F(RichLayout, DataThatDoesNotHoldWhatItAnnouncesIsALayoutError) {
  const std::string text =
      "layout 1\n"
      "Form1 (TForm)\n"
      "  Bad (TwwDBRichEdit)\n"
      "    Data: <10000000 7B5C7274>\n";
  TForm form(nullptr);
  try {
    TLayoutReader::ReadInto(form, text, "bad");
    FAIL() << "no error";
  } catch (const ELayoutError& e) {
    EXPECT_NE(e.Message().find("bad, line 3"), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find("16 bytes"), std::string::npos) << e.Message();
  }
}

TEST_F(RichLayout, PicturesOfControlsShowingSampleBlobs) {
  AddRows(
      {{"{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
        "{\\colortbl;\\red0\\green0\\blue200;\\red200\\green0\\blue0;}"
        "\\pard\\qc\\f0\\fs28\\b Classic Television\\b0\\par"
        "\\pard\\f1\\fs22 Which show's theme begins {\\i \"Here's the story...\"}?\\par"
        "\\pard{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\fi-360\\li720\\cf1 A. Bewitched\\par"
        "{\\pntext\\'b7\\tab}\\cf2 B. The Brady Bunch\\par}",
        "plain text answer\rsecond line\nthird line", ""}});
  TwwDBRichEdit* top = AddControl("TopRtf", "Question", true, Bounds(8, 8, 601, 145));
  TwwDBRichEdit* answer = AddControl("AnswerRtf", "Answer", true, Bounds(8, 160, 601, 60));
  TwwDBRichEdit* failed = AddControl("FailedRtf", "Question", true, Bounds(8, 230, 601, 30));
  failed->EditBox()->SetMaxStreamInSize(8);
  Open();
  ASSERT_EQ(failed->Text(), "(Failed to Load Stream)");
  for (TwwDBRichEdit* c : {top, answer, failed}) {
    const TBytes png = SnapshotForm(*Form, c);
    SaveArtefact("sample_" + c->Name(), png);
    EXPECT_GT(DarkPixels(png), 50) << c->Name();
  }
  SaveArtefact("sample_form", SnapshotForm(*Form));
}

}  // namespace
