// Controls without a window: painting through the parent, opaque repaints, mouse, hints,
// speed button groups.

#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <memory>

#include "gui/graphics/colors.h"
#include "gui/stdctrls/image.h"
#include "gui/stdctrls/label.h"
#include "gui/stdctrls/panel.h"
#include "gui/stdctrls/speed_button.h"
#include "gui_test_support.h"

namespace {

// Paints its rectangle in one colour and counts its paints.
class TSwatch : public TGraphicControl {
 public:
  explicit TSwatch(TComponent* AOwner, bool Opaque) : TGraphicControl(AOwner) {
    if (Opaque) SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
  }
  TColor Fill = clRed;
  bool PaintNothing = false;
  TColor SeenBefore = clNone;

 protected:
  void Paint() override {
    SeenBefore = Canvas()->Pixels(0, 0);
    if (PaintNothing) return;
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(ClientRect());
  }
};

// A panel that counts its own paints.
class TCountingPanel : public TPanel {
 public:
  using TPanel::TPanel;
  int Paints = 0;

 protected:
  void Paint() override {
    ++Paints;
    TPanel::Paint();
  }
};

class GraphicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.reset(new TForm(nullptr));
    form_->SetClientWidth(300);
    form_->SetClientHeight(200);
    panel_ = new TCountingPanel(form_.get());
    panel_->SetParent(form_.get());
    panel_->SetBounds(10, 10, 200, 100);
    opaque_ = new TSwatch(form_.get(), true);
    opaque_->SetParent(panel_);
    opaque_->SetBounds(10, 10, 50, 20);
    other_ = new TSwatch(form_.get(), false);
    other_->SetParent(panel_);
    other_->SetBounds(100, 10, 50, 20);
    other_->Fill = clBlue;
    ShowAndActivate(*form_);
  }
  QImage Grab() { return panel_->Widget()->grab().toImage(); }
  std::unique_ptr<TForm> form_;
  TCountingPanel* panel_ = nullptr;
  TSwatch* opaque_ = nullptr;
  TSwatch* other_ = nullptr;
};

TEST_F(GraphicTest, ChildrenPaintOverTheirParentAtTheirPositions) {
  const QImage image = Grab();
  EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(59, 29), QColor(Qt::red));
  EXPECT_NE(image.pixelColor(60, 30), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(100, 10), QColor(Qt::blue));
}

TEST_F(GraphicTest, AnOpaqueControlRepaintsAtOnceOnlyItsOwnRectangleWithoutErasing) {
  const int own = opaque_->PaintCount(), sibling = other_->PaintCount(), parent = panel_->Paints;
  opaque_->Fill = clLime;
  opaque_->Repaint();
  // Synchronous: painted before Repaint returned, and nothing else was.
  EXPECT_EQ(opaque_->PaintCount(), own + 1);
  EXPECT_EQ(other_->PaintCount(), sibling);
  EXPECT_EQ(panel_->Paints, parent);
  // What lay there before is still there when it paints: nothing was erased first.
  EXPECT_EQ(opaque_->SeenBefore, clRed);
  Pump();
  EXPECT_EQ(Grab().pixelColor(20, 15), QColor(Qt::green));
}

TEST_F(GraphicTest, AControlThatIsNotOpaqueRepaintsWithItsParent) {
  const int parent = panel_->Paints;
  other_->Repaint();
  EXPECT_GT(panel_->Paints, parent);
  other_->SetVisible(false);
  Pump();
  EXPECT_NE(Grab().pixelColor(100, 10), QColor(Qt::blue));
}

TEST_F(GraphicTest, MouseClicksReachTheControlUnderThePointer) {
  std::vector<std::string> log;
  opaque_->OnClick = [&](TObject*) { log.push_back("opaque"); };
  opaque_->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) {
    log.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
  };
  panel_->OnClick = [&](TObject*) { log.push_back("panel"); };
  QTest::mouseClick(panel_->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(15, 12));
  QTest::mouseClick(panel_->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 80));
  EXPECT_EQ(log, (std::vector<std::string>{"down 5,2", "opaque", "panel"}));
}

TEST_F(GraphicTest, AControlDisabledWhileHeldTakesNoClickOnRelease) {
  int clicks = 0;
  opaque_->OnClick = [&](TObject*) { ++clicks; };
  QTest::mousePress(panel_->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(15, 12));
  opaque_->SetEnabled(false);
  QTest::mouseRelease(panel_->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(15, 12));
  EXPECT_EQ(clicks, 0);
  opaque_->SetEnabled(true);
  QTest::mouseClick(panel_->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(15, 12));
  EXPECT_EQ(clicks, 1);
}

TEST_F(GraphicTest, HintsShowOverGraphicControlsWhenShowHintHolds) {
  opaque_->SetHint("Click on the score to cheat|long text");
  form_->SetShowHint(true);
  QHelpEvent over(QEvent::ToolTip, QPoint(20, 15), panel_->Widget()->mapToGlobal(QPoint(20, 15)));
  QApplication::sendEvent(panel_->Widget(), &over);
  EXPECT_EQ(QToolTip::text(), "Click on the score to cheat");
  QToolTip::hideText();
  form_->SetShowHint(false);
  QToolTip::showText(over.globalPos(), "something else");
  QApplication::sendEvent(panel_->Widget(), &over);
  EXPECT_NE(QToolTip::text(), "Click on the score to cheat");
}

TEST_F(GraphicTest, SpeedButtonsOfAGroupAreDownOneAtATime) {
  auto* a = new TSpeedButton(form_.get());
  a->SetParent(panel_);
  a->SetBounds(10, 50, 23, 22);
  auto* b = new TSpeedButton(form_.get());
  b->SetParent(panel_);
  b->SetBounds(40, 50, 23, 22);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  a->SetDown(true);
  QTest::mouseClick(panel_->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(45, 55));
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(clicks, 1);
  b->SetDown(false);  // the last one down stays down unless the group allows all up
  EXPECT_TRUE(b->Down());
  b->SetAllowAllUp(true);
  b->SetDown(false);
  EXPECT_FALSE(b->Down());
  // Holding the mouse on a button shows it pressed; the press and release reach it.
  QTest::mousePress(panel_->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(15, 55));
  EXPECT_TRUE(a->Pressed());
  EXPECT_TRUE(a->PressedInside());
  // Dragged off while held: still pressed, no longer shown pressed; back on: shown again.
  QTest::mouseMove(panel_->Widget(), QPoint(150, 80));
  EXPECT_TRUE(a->Pressed());
  EXPECT_FALSE(a->PressedInside());
  QTest::mouseMove(panel_->Widget(), QPoint(15, 55));
  EXPECT_TRUE(a->PressedInside());
  QTest::mouseRelease(panel_->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(15, 55));
  EXPECT_FALSE(a->Pressed());
  EXPECT_FALSE(a->PressedInside());
}

}  // namespace

namespace {

QColor Resolved(TColor C) {
  const TColor rgb = ColorToRGB(C);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

TEST_F(GraphicTest, ABevelDrawsItsLinesOnTheEdgesOfItsBounds) {
  auto* bevel = new TBevel(form_.get());
  bevel->SetParent(panel_);
  bevel->SetBounds(20, 40, 30, 20);
  bevel->SetShape(bsTopLine);
  Pump();
  QImage image = Grab();
  EXPECT_EQ(image.pixelColor(20, 40), Resolved(clBtnShadow));     // first line: shadow
  EXPECT_EQ(image.pixelColor(49, 41), Resolved(clBtnHighlight));  // second line: highlight
  bevel->SetShape(bsBox);
  bevel->SetStyle(bsRaised);
  Pump();
  image = Grab();
  EXPECT_EQ(image.pixelColor(20, 40), Resolved(clBtnHighlight));  // raised: light top-left
  EXPECT_EQ(image.pixelColor(49, 59), Resolved(clBtnShadow));     // dark bottom-right
  EXPECT_EQ(image.pixelColor(49, 40), Resolved(clBtnShadow));     // the top-right corner too
}

TEST_F(GraphicTest, AnImageDrawsItsPictureCentredOrStretched) {
  auto* image = new TImage(form_.get());
  image->SetParent(panel_);
  image->SetBounds(100, 40, 40, 40);
  image->Picture()->LoadFromResource("hint.png");  // 32 x 16
  image->SetCenter(true);
  Pump();
  const QImage& picture = *image->Picture()->Image();
  QImage shot = Grab();
  EXPECT_EQ(shot.pixelColor(100 + 4 + 8, 40 + 12 + 4), picture.pixelColor(8, 4));
  image->SetStretch(true);
  Pump();
  shot = Grab();
  EXPECT_EQ(shot.pixelColor(100 + 9, 40 + 13), picture.pixelColor(7, 5));  // 1.25 x 2.5 times the size
}

}  // namespace
