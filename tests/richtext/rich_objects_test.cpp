// Embedded pictures and files: inserted through the real open dialog, kept in RTF and read back,
// their verbs, blobs that carry damaged or odd objects, drops; links; the font dialog.

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>
#include <QUrl>
#include <memory>

#include "gui/dialogs/font_dialog.h"
#include "gui/printing/printer.h"
#include "gui_test_support.h"
#include "rich_control_support.h"
#include "richtext/controls/rich_memory_stream.h"
#include "richtext/controls/ww_rich_edit_strings.h"
#include "richtext/edit/rich_edit_box.h"
#include "url_catcher.h"

namespace {

std::string ImageFile(const char* Format, QSize Size = QSize(40, 30)) {
  QImage image(Size, QImage::Format_RGB32);
  image.fill(QColor(200, 40, 40));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, Format);
  return bytes.toStdString();
}

std::string Hex(const char* Digits) {
  return QByteArray::fromHex(Digits).toStdString();
}

// A 1 x 1 GIF, which Qt reads but does not write.
const char* const kGif =
    "47494638396101000100800000000000ffffff21f90401000000002c00000000010001000002024401003b";
// A PNG whose header claims 40000 x 40000 pixels.
const char* const kHugePng =
    "89504e470d0a1a0a0000000d4948445200009c4000009c400800000000746751d90000000c49444154789c6360a03d0000006400"
    "0186"
    "643c350000000049454e44ae426082";
const char* const kSvg =
    "<svg xmlns='http://www.w3.org/2000/svg' width='24' height='16'><rect width='24' height='16' "
    "fill='blue'/></svg>";

class RichObjects : public RichControlTest {
 protected:
  TwwDBRichEdit* Control(bool ReadOnly = false, const std::string& Name = "Edit") {
    TwwDBRichEdit* edit = AddControl(Name, "", ReadOnly, Bounds(8, 8, 400, 150));
    edit->SetText("[]");
    edit->SetSelStart(1);
    ShowAndActivate(*Form);
    return edit;
  }
  // Chooses File in the open dialog that ExecuteInsertObject shows.
  bool Insert(TwwDBRichEdit& Edit, const std::string& File) {
    TDialogDriver driver([&](TDialogView& View) {
      EXPECT_EQ(View.Caption(), "Insert Object");
      View.SetText("FileName", File);
      View.Press("Accept");
    });
    return Edit.ExecuteInsertObject();
  }
  static std::string Rtf(TwwCustomRichEdit& Edit) {
    TwwRichMemoryStream stream;
    Edit.RichEditLines()->SaveContent(stream);
    return std::string(stream.View());
  }
  static void Load(TwwCustomRichEdit& Edit, const std::string& Rtf) {
    TwwRichMemoryStream stream;
    stream.WriteString(Rtf);
    stream.SetPosition(0);
    Edit.RichEditLines()->LoadContent(stream);
  }
  // The text as the document holds it: an object is U+FFFC (plain text leaves objects out).
  static std::string Shown(TwwCustomRichEdit& Edit) {
    return Edit.EditBox()->document()->toRawText().toStdString();
  }
  static TRichEmbeddedObject Selected(TwwCustomRichEdit& Edit) {
    TRichEmbeddedObject object;
    EXPECT_TRUE(Edit.EditBox()->SelectedObject(object));
    return object;
  }
  TTempFolder folder_;
};

TEST_F(RichObjects, PictureFilesGoInAsPicturesKeptAsPngAndSelected) {
  TwwDBRichEdit* edit = Control();
  const std::pair<const char*, std::string> files[] = {
      {"red.png", ImageFile("PNG")},
      {"red.jpg", ImageFile("JPEG")},
      {"dot.gif", Hex(kGif)},
      {"red.bmp", ImageFile("BMP")},
      {"box.svg", kSvg},
  };
  int at = 1;
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    folder_.Write(name, bytes);
    ASSERT_TRUE(Insert(*edit, folder_.File(name)));
    EXPECT_EQ(edit->SelStart(), at);
    EXPECT_EQ(edit->SelLength(), 1);
    const TRichEmbeddedObject object = Selected(*edit);
    EXPECT_EQ(object.ClassName, "");
    EXPECT_EQ(object.Data.substr(0, 4), "\x89PNG");
    QImage shown;
    ASSERT_TRUE(shown.loadFromData(QByteArray::fromStdString(object.Data)));
    EXPECT_EQ(shown.size(), std::string(name) == "dot.gif"   ? QSize(1, 1)
                            : std::string(name) == "box.svg" ? QSize(24, 16)
                                                             : QSize(40, 30));
    edit->SetSelStart(at + 1);
    ++at;
  }
  EXPECT_EQ(Shown(*edit), "[\xEF\xBF\xBC\xEF\xBF\xBC\xEF\xBF\xBC\xEF\xBF\xBC\xEF\xBF\xBC]");
  const std::string rtf = Rtf(*edit);
  EXPECT_NE(rtf.find("\\pict\\pngblip"), std::string::npos);
  EXPECT_EQ(rtf.find("\\object"), std::string::npos);
}

TEST_F(RichObjects, OtherFilesGoInWholeAsPackagesThatTheRtfKeeps) {
  TwwDBRichEdit* edit = Control();
  const std::string bytes = std::string("binary\0data\r\n\xff", 14);
  folder_.Write("answers.dat", bytes);
  folder_.Write("broken.png", "not a picture at all");
  folder_.Write("huge.png", Hex(kHugePng));
  ASSERT_TRUE(Insert(*edit, folder_.File("answers.dat")));
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_EQ(edit->SelLength(), 1);
  TRichEmbeddedObject object = Selected(*edit);
  EXPECT_EQ(object.ClassName, "Package");
  EXPECT_EQ(object.Name, "answers.dat");
  EXPECT_EQ(object.Data, bytes);
  // Pictures that cannot be shown are still carried, as files.
  edit->SetSelStart(2);
  ASSERT_TRUE(Insert(*edit, folder_.File("broken.png")));
  EXPECT_EQ(Selected(*edit).ClassName, "Package");
  edit->SetSelStart(3);
  ASSERT_TRUE(Insert(*edit, folder_.File("huge.png")));
  EXPECT_EQ(Selected(*edit).Name, "huge.png");

  const std::string rtf = Rtf(*edit);
  for (const char* part : {"{\\object\\objemb", "{\\*\\objclass Package}", "{\\*\\objname answers.dat}",
                           "{\\*\\objdata", "{\\result {\\pict\\pngblip"}) {
    EXPECT_NE(rtf.find(part), std::string::npos) << part;
  }
  // Read back by another control, the objects are the same.
  TwwDBRichEdit* other = AddControl("Other", "", false, Bounds(8, 200, 400, 100));
  Load(*other, rtf);
  other->SetSelStart(1);
  other->SetSelLength(1);
  object = Selected(*other);
  EXPECT_EQ(object.ClassName, "Package");
  EXPECT_EQ(object.Data, bytes);
  EXPECT_EQ(Shown(*other), Shown(*edit));
}

TEST_F(RichObjects, NothingGoesIntoAReadOnlyControlAndACancelInsertsNothing) {
  TwwDBRichEdit* edit = Control(true);
  int shown = 0;
  {
    TDialogDriver driver([&](TDialogView& View) {
      ++shown;
      View.CloseWindow();
    });
    EXPECT_FALSE(edit->ExecuteInsertObject());
    EXPECT_EQ(shown, 0) << "no dialog for a read-only control";
    edit->SetReadOnly(false);
    EXPECT_FALSE(edit->ExecuteInsertObject());
    EXPECT_EQ(shown, 1);
  }
  EXPECT_EQ(Shown(*edit), "[]");
  folder_.Write("empty.txt", "");
  edit->SetOleOptions({reoDisableOLE});
  EXPECT_FALSE(Insert(*edit, folder_.File("empty.txt")));
  edit->SetOleOptions({reoAdjustPopupMenu});
  EXPECT_TRUE(Insert(*edit, folder_.File("empty.txt")));
  EXPECT_EQ(Selected(*edit).Data, "");
}

TEST_F(RichObjects, OpenHandsAPrivateCopyToTheDesktopAndSaveCopyAsWritesTheBytes) {
  TwwDBRichEdit* edit = Control();
  // The name comes from the document: folders in it lead nowhere.
  const std::string face = QByteArray::fromStdString(ImageFile("PNG", QSize(4, 4))).toHex().toStdString();
  Load(*edit,
       "{\\rtf1[{\\object\\objemb{\\*\\objclass Package}{\\*\\objname ../../etc/notes.txt}{\\*\\objdata " +
           QByteArray("The answer is B.").toHex().toStdString() + "}{\\result{\\pict\\pngblip " + face +
           "}}}]}");
  edit->SetSelStart(1);
  edit->SetSelLength(1);
  TUrlCatcher catcher({"file"});
  edit->ExecuteObjectVerb(TwwCustomRichEdit::kDefaultObjectVerb);
  ASSERT_EQ(catcher.Opened.size(), 1u);
  const QString opened = QUrl(QString::fromStdString(catcher.Opened[0])).toLocalFile();
  EXPECT_EQ(QFileInfo(opened).fileName(), "notes.txt") << "no folders from the document";
  EXPECT_TRUE(QFileInfo(opened).dir().dirName().startsWith("brevant-object-"));
  QFile copy(opened);
  ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
  EXPECT_EQ(copy.readAll().toStdString(), "The answer is B.");
  EXPECT_EQ(copy.permissions() & (QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther | QFile::ReadOther),
            QFile::Permissions())
      << "nobody runs it, nobody else reads it";

  const std::string target = folder_.File("saved.txt");
  TDialogDriver driver([&](TDialogView& View) {
    EXPECT_EQ(View.Text("FileName"), "notes.txt");
    View.SetText("FileName", target);
    View.Press("Accept");
  });
  edit->ExecuteObjectVerb(1);
  QFile saved(QString::fromStdString(target));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll().toStdString(), "The answer is B.");
}

TEST_F(RichObjects, BlobsWithDamagedOrOddObjectsShowWhatTheyCan) {
  const std::string png = ImageFile("PNG", QSize(4, 4));
  const std::string pngHex = QByteArray::fromStdString(png).toHex().toStdString();
  AddRows({
      {"{\\rtf1 a{\\object\\objemb{\\*\\objclass Package}{\\*\\objdata 4142zz43}{\\result{\\pict\\pngblip " +
           pngHex + "}}}b}",
       "{\\rtf1 a{\\pict\\pngblip\\picw40000\\pich40000\\picwgoal900000\\pichgoal900000 " +
           std::string(kHugePng) + "}b}",
       "{\\rtf1 a{\\pict\\unknownblip\\picw10\\pich10 0102030405}b{\\pict}c}"},
      {"{\\rtf1 a{\\object\\objemb{\\*\\objclass Package}{\\*\\objdata 414}}b", std::nullopt, std::nullopt},
  });
  TwwDBRichEdit* question = AddControl("Question", "Question", true);
  TwwDBRichEdit* answer = AddControl("Answer", "Answer", true, Bounds(8, 120, 400, 100));
  TwwDBRichEdit* hint = AddControl("Hint", "Hint", true, Bounds(8, 230, 400, 100));
  Open();
  ShowAndActivate(*Form);
  // The damaged object shows its picture, as a plain picture.
  EXPECT_EQ(Shown(*question),
            "a\xEF\xBF\xBC"
            "b");
  question->SetSelStart(1);
  question->SetSelLength(1);
  EXPECT_EQ(Selected(*question).ClassName, "");
  // The huge picture: a placeholder no larger than a page can take.
  EXPECT_EQ(Shown(*answer),
            "a\xEF\xBF\xBC"
            "b");
  EXPECT_LT(answer->EditBox()->document()->size().width(), 22 * 96 + 50);
  // Kinds nobody knows: placeholders.
  EXPECT_EQ(Shown(*hint),
            "a\xEF\xBF\xBC"
            "b\xEF\xBF\xBC"
            "c");
  // A truncated object without a picture shows nothing of it.
  Query->GoNext();
  EXPECT_EQ(Shown(*question), "ab");
  // And the pages of all this print.
  TTempFolder out;
  Printer()->SetPrintToFile(true);
  Printer()->SetFileName(out.File("odd.pdf"));
  Query->GoFirst();
  answer->PrintContent("odd");
  EXPECT_TRUE(QFile::exists(QString::fromStdString(out.File("odd.pdf"))));
  Printer()->SetFileName("");
}

TEST_F(RichObjects, ADropCopiesWithCtrlAndMovesOtherwise) {
  const Qt::DropActions both = Qt::CopyAction | Qt::MoveAction;
  EXPECT_EQ(TRichEditBox::DropActionFor(Qt::NoModifier, both, Qt::CopyAction), Qt::MoveAction);
  EXPECT_EQ(TRichEditBox::DropActionFor(Qt::ControlModifier, both, Qt::MoveAction), Qt::CopyAction);
  EXPECT_EQ(TRichEditBox::DropActionFor(Qt::ControlModifier | Qt::ShiftModifier, both, Qt::MoveAction),
            Qt::CopyAction);
  EXPECT_EQ(TRichEditBox::DropActionFor(Qt::ShiftModifier, both, Qt::CopyAction), Qt::MoveAction);
  EXPECT_EQ(TRichEditBox::DropActionFor(Qt::AltModifier, both, Qt::CopyAction), Qt::MoveAction);
  // What the drag does not allow stays the drag's own choice.
  EXPECT_EQ(TRichEditBox::DropActionFor(Qt::NoModifier, Qt::CopyAction, Qt::CopyAction), Qt::CopyAction);
  EXPECT_EQ(TRichEditBox::DropActionFor(Qt::ControlModifier, Qt::MoveAction, Qt::MoveAction), Qt::MoveAction);

  // Dropped from another control, the text and its object arrive, and the effect reported back
  // is the one the keys chose.
  TwwDBRichEdit* source = Control(false, "Source");
  source->EditBox()->SetSelection(1, 1);
  source->EditBox()->InsertPackage("n.txt", "bytes");
  source->EditBox()->SetSelection(0, 3);
  TwwDBRichEdit* target = AddControl("Target", "", false, Bounds(8, 200, 400, 100));
  target->SetText("T");
  source->EditBox()->Copy();
  for (const Qt::KeyboardModifiers keys :
       {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers()}) {
    // The drag carries what the source offers, read format by format as another program reads it.
    const auto owned = std::make_unique<QMimeData>();
    QMimeData* data = owned.get();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    for (const QString& format : copied->formats())
      data->setData(format, copied->data(format));
    QWidget* viewport = target->EditBox()->viewport();
    // As a drag arrives: it enters (which makes the box the drop's target), moves, and drops.
    const Qt::DropActions allowed = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(2, 5), allowed, data, Qt::LeftButton, keys);
    QApplication::sendEvent(viewport, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDragMoveEvent move(QPoint(2, 5), allowed, data, Qt::LeftButton, keys);
    QApplication::sendEvent(viewport, &move);
    EXPECT_EQ(move.dropAction(), keys == Qt::ControlModifier ? Qt::CopyAction : Qt::MoveAction);
    QDropEvent drop(QPointF(2, 5), allowed, data, Qt::LeftButton, keys);
    QApplication::sendEvent(viewport, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), keys == Qt::ControlModifier ? Qt::CopyAction : Qt::MoveAction);
  }
  // Both drops arrived whole (the second lands where the first left the caret), and each object
  // still carries its file.
  const QString shown = target->EditBox()->document()->toRawText();
  EXPECT_EQ(shown.size(), 7) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith("]T")) << shown.toStdString();
  for (int at = shown.indexOf(QChar::ObjectReplacementCharacter); at >= 0;
       at = shown.indexOf(QChar::ObjectReplacementCharacter, at + 1)) {
    target->SetSelStart(at);
    target->SetSelLength(1);
    EXPECT_EQ(Selected(*target).Data, "bytes") << "object at " << at;
  }
  EXPECT_EQ(shown.count(QChar::ObjectReplacementCharacter), 2);
}

TEST_F(RichObjects, LinksOpenOnlyWhenDetectedAllowedAndSafe) {
  TwwDBRichEdit* edit = Control(true);
  edit->SetText("go http://example.org/$(touch /tmp/brevant-pwned) and file:///etc/passwd now");
  TUrlCatcher catcher({"http", "https", "file"});
  std::vector<std::string> asked;
  bool useDefault = true;
  edit->OnURLOpen = [&](TObject*, const std::string& Url, bool& UseDefault) {
    asked.push_back(Url);
    UseDefault = useDefault;
  };
  const auto click = [&](int Position) {
    QTextCursor at(edit->EditBox()->document());
    at.setPosition(Position);
    QTest::mouseClick(edit->EditBox()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      edit->EditBox()->cursorRect(at).center() + QPoint(2, 0));
  };
  click(8);
  EXPECT_TRUE(asked.empty()) << "no detection, no link";
  edit->SetAutoURLDetect(true);
  click(8);
  click(60);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], "http://example.org/$(touch");
  EXPECT_EQ(asked[1], "file:///etc/passwd");
  // Only the web link went on, its shell characters encoded; the file link was refused.
  ASSERT_EQ(catcher.Opened.size(), 1u);
  EXPECT_EQ(catcher.Opened[0], "http://example.org/%24%28touch");
  useDefault = false;
  click(8);
  EXPECT_EQ(catcher.Opened.size(), 1u) << "OnURLOpen kept it";
  EXPECT_FALSE(QFile::exists("/tmp/brevant-pwned"));
}

TEST_F(RichObjects, TheFontDialogSetsFaceSizeStyleAndColourOfTheSelection) {
  EXPECT_EQ(CharFormatFaceName(std::string(40, 'F')), std::string(32, 'F'));
  EXPECT_EQ(CharFormatFaceName(std::string(31, 'F') + "\xC3\xA9\xC3\xA9"), std::string(31, 'F') + "\xC3\xA9");
  EXPECT_EQ(CharFormatFaceName("Liberation Serif"), "Liberation Serif");

  TwwDBRichEdit* edit = Control();
  edit->SetText("plain words");
  edit->SetSelStart(6);
  edit->SetSelLength(5);
  TFontDialogOptions options;
  TDialogDriver driver([&](TDialogView& View) {
    options = static_cast<TFontDialog&>(View.Dialog()).Options();
    View.SetText("Face", "Liberation Serif");
    View.SetText("SizeText", "14");
    View.SetChecked("Underline", true);
    View.SetText("Color", "Red");
    View.Press("OK");
  });
  edit->ExecuteFontDialog();
  EXPECT_EQ(driver.Shown(), 1);
  EXPECT_FALSE(options.Contains(fdWysiwyg));
  TTextAttributes& selection = *edit->SelectionFormat();
  EXPECT_EQ(selection.Name(), "Liberation Serif");
  EXPECT_EQ(selection.Size(), 14);
  EXPECT_EQ(selection.Style(), TFontStyles{fsUnderline});
  EXPECT_EQ(selection.Color(), clRed);
  // The rest of the text is untouched.
  edit->SetSelStart(0);
  edit->SetSelLength(5);
  EXPECT_EQ(edit->SelectionFormat()->Size(), 8);
  EXPECT_EQ(edit->SelectionFormat()->Color(), clWindowText);
  // Laid out for the printer's page, the faces offered are those the printer has too.
  edit->SetEditWidth(rewPrinterSize);
  edit->ExecuteFontDialog();
  EXPECT_TRUE(options.Contains(fdWysiwyg));
  EXPECT_EQ(edit->FontDialog()->Device(), fdBoth);
  // A read-only control offers no font dialog.
  edit->SetReadOnly(true);
  edit->ExecuteFontDialog();
  EXPECT_EQ(driver.Shown(), 2);
}

}  // namespace
