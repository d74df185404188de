// The navigator in stored layouts: the game's DBNavigator1 as read, a round trip that never
// stores the buttons, and the pictures the buttons show (written to build/artefacts/data).

#include <gtest/gtest.h>

#include <QDir>
#include <fstream>

#include "core/layout/layout_reader.h"
#include "core/streams.h"
#include "gui/forms/snapshot.h"
#include "navigator_test_support.h"

namespace {

// The game's window as far as the navigator is concerned: its click handler by name.
class TNavigatorForm : public TForm {
 public:
  BREVANT_CLASS(TNavigatorForm)
  explicit TNavigatorForm(TComponent* AOwner) : TForm(AOwner) {}
  void DBNavigator1Click(TObject* Sender, TNavigateBtn Button) {
    Clicks.push_back(static_cast<TComponent*>(Sender)->Name() + " " + KindName(Button));
  }
  std::vector<std::string> Clicks;
};

}  // namespace

BREVANT_DEFINE_CLASS(TNavigatorForm, TForm, .Method("DBNavigator1Click", &TNavigatorForm::DBNavigator1Click))

namespace {

// The main window's navigator entry, as the game stores it.
const char* const GameLayout = R"(layout 1
MainForm (TNavigatorForm)
  ClientWidth: 617
  ClientHeight: 453
  ShowHint: true
  DBNavigator1 (TDBNavigator)
    Left: 98
    Top: 274
    Width: 113
    Height: 25
    DataSource: wwDataSource1
    VisibleButtons: [nbNext]
    Hints: ["Next question", ""]
    TabOrder: 4
    Visible: false
    OnClick: DBNavigator1Click
  wwDataSource1 (TwwDataSource)
)";

std::string ReadFile(const std::string& Path) {
  TMemoryStream s;
  s.LoadFromFile(Path);
  return std::string(s.View());
}

std::string ArtefactPath(const std::string& Name) {
  const std::string dir = std::string(BREVANT_RUNTIME_DIR) + "/../artefacts/data";
  QDir().mkpath(QString::fromStdString(dir));
  return dir + "/" + Name;
}

void SaveSnapshot(TCustomForm& Form, const TControl& Control, const std::string& Name) {
  const TBytes png = SnapshotForm(Form, &Control);
  std::ofstream(ArtefactPath(Name), std::ios::binary)
      .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
}

class NavigatorLayout : public ::testing::Test {
 protected:
  void SetUp() override { RegisterClasses<TNavigatorForm>(); }
};

TEST_F(NavigatorLayout, TheGamesNavigatorReadsAsStored) {
  TNavigatorForm form(nullptr);
  TLayoutReader::ReadInto(form, GameLayout, "game.layout");
  auto* navigator = dynamic_cast<TDBNavigator*>(form.FindComponent("DBNavigator1"));
  ASSERT_NE(navigator, nullptr);
  EXPECT_EQ(navigator->BoundsRect(), Bounds(98, 274, 113, 25));
  EXPECT_EQ(navigator->VisibleButtons(), TButtonSet{nbNext});
  EXPECT_EQ(navigator->Buttons(nbNext)->BoundsRect(), Bounds(0, 0, 113, 25));
  EXPECT_EQ(navigator->SlotWidth(), 113);
  EXPECT_FALSE(navigator->Visible());
  EXPECT_FALSE(navigator->TabStop());
  EXPECT_EQ(navigator->DataSource(), form.FindComponent("wwDataSource1"));
  EXPECT_EQ(navigator->Buttons(nbFirst)->Hint(), "Next question");
  EXPECT_EQ(navigator->Buttons(nbNext)->Hint(), "Next record");
  // Loaded refreshed the buttons: the source has no dataset yet.
  for (TNavigateBtn kind : NavButtonKinds)
    EXPECT_FALSE(navigator->Buttons(kind)->Enabled()) << KindName(kind);
  navigator->ClickButton(nbNext);
  EXPECT_EQ(form.Clicks, std::vector<std::string>{"DBNavigator1 nbNext"});
}

TEST_F(NavigatorLayout, ARoundTripStoresTheNavigatorButNeverItsButtons) {
  TNavigatorForm first(nullptr);
  TLayoutReader::ReadInto(first, GameLayout, "game.layout");
  const std::string written = WriteLayout(first);
  EXPECT_NE(written.find("DBNavigator1 (TDBNavigator)"), std::string::npos) << written;
  EXPECT_NE(written.find("VisibleButtons: [nbNext]"), std::string::npos) << written;
  EXPECT_NE(written.find("Hints: [\"Next question\", \"\"]"), std::string::npos) << written;
  EXPECT_NE(written.find("OnClick: DBNavigator1Click"), std::string::npos) << written;
  EXPECT_EQ(written.find("TNavButton"), std::string::npos) << written;
  EXPECT_EQ(written.find("TabStop"), std::string::npos) << written;
  EXPECT_EQ(written.find("ConfirmDelete"), std::string::npos) << written;
  TNavigatorForm second(nullptr);
  TLayoutReader::ReadInto(second, written, "written.layout");
  EXPECT_EQ(WriteLayout(second), written);
  // A navigator written as the root of its own layout keeps its buttons out as well.
  auto* navigator = dynamic_cast<TDBNavigator*>(second.FindComponent("DBNavigator1"));
  EXPECT_EQ(WriteLayout(*navigator).find("TNavButton"), std::string::npos);
}

// The first pixel that both images of a glyph cover, in the left (normal) image.
QPoint SharedPixel(const QImage& Glyph) {
  const int w = Glyph.width() / 2;
  for (int y = 0; y < Glyph.height(); ++y) {
    for (int x = 0; x < w; ++x) {
      if (qAlpha(Glyph.pixel(x, y)) == 255 && qAlpha(Glyph.pixel(x + w, y)) == 255 &&
          Glyph.pixel(x, y) != Glyph.pixel(x + w, y))
        return QPoint(x, y);
    }
  }
  return QPoint(-1, -1);
}

TEST_F(NavigatorLayout, DisabledButtonsShowTheirDisabledImage) {
  TForm form(nullptr);
  TLayoutReader::ReadInto(form,
                          ReadFile(BREVANT_SOURCE_DIR "/tests/data_navigator/layouts/full_navigator.layout"),
                          "full_navigator.layout");
  auto* navigator = dynamic_cast<TDBNavigator*>(form.FindComponent("DBNavigator1"));
  ASSERT_NE(navigator, nullptr);
  const QImage shot = Grab(form);
  auto expectImage = [&](TNavigateBtn Kind, bool Disabled) {
    const TNavButton* b = navigator->Buttons(Kind);
    const QImage& glyph = *b->Glyph()->Image();
    const QPoint p = SharedPixel(glyph);
    ASSERT_GE(p.x(), 0) << KindName(Kind);
    const int w = glyph.width() / 2;
    const QPoint at(navigator->Left() + b->Left() + (b->Width() - w) / 2 + p.x(),
                    navigator->Top() + b->Top() + (b->Height() - glyph.height()) / 2 + p.y());
    const QRgb expected = glyph.pixel(p.x() + (Disabled ? w : 0), p.y());
    EXPECT_EQ(shot.pixel(at) & 0xFFFFFF, expected & 0xFFFFFF) << KindName(Kind);
  };
  expectImage(nbNext, true);
  expectImage(nbDelete, true);
  expectImage(nbInsert, false);
  expectImage(nbRefresh, false);
  SaveSnapshot(form, *navigator, "navigator_full_empty.png");
}

TEST_F(NavigatorTest, TheGamesNextButtonOverRowsShowsEnabled) {
  FillRows(3);
  navigator_->SetDataSource(source_);
  dataSet_->SetActive(true);
  TStringList game;
  game.Add("Next question");
  game.Add("");
  navigator_->SetHints(&game);
  navigator_->SetVisibleButtons({nbNext});
  Place(113, 25);
  const QImage shot = Grab(*form_);
  const TNavButton* next = navigator_->Buttons(nbNext);
  const QImage& glyph = *next->Glyph()->Image();
  const QPoint p = SharedPixel(glyph);
  const QPoint at(10 + (113 - glyph.width() / 2) / 2 + p.x(), 10 + (25 - glyph.height()) / 2 + p.y());
  EXPECT_EQ(shot.pixel(at) & 0xFFFFFF, glyph.pixel(p) & 0xFFFFFF);
  SaveSnapshot(*form_, *navigator_, "navigator_game_next.png");
  navigator_->SetVisibleButtons(AllNavButtons);
  navigator_->SetWidth(241);
  dataSet_->GoNext();
  SaveSnapshot(*form_, *navigator_, "navigator_full_rows.png");
}

}  // namespace
