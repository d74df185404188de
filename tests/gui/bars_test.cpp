// The pieces of an editor window below and beside its menu: the status bar with its
// panels, bevel lines, and a marker dragged along a ruler with real mouse events.

#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "core/exceptions.h"
#include "gui/forms/snapshot.h"
#include "gui/qt/qt_convert.h"
#include "gui/stdctrls/image.h"
#include "gui/stdctrls/panel.h"
#include "gui/stdctrls/status_bar.h"
#include "gui/stdctrls/track_icon.h"
#include "gui_test_support.h"
#include "test_forms.h"

namespace {

// Dark pixels (text, smoothed at its edges) of Image inside R, exclusive of right and bottom.
int TextPixels(const QImage& Image, const TRect& R) {
  int count = 0;
  for (int y = R.Top; y < R.Bottom; ++y) {
    for (int x = R.Left; x < R.Right; ++x) {
      if (Image.pixelColor(x, y).value() < 110) ++count;
    }
  }
  return count;
}

TRect Inside(const TRect& R) {
  return Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
}

class BarsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterClasses<TMenuTestForm>();
    form_.reset(NewForm<TMenuTestForm>(nullptr));
    form_->Bind(bar_, "StatusBar1");
    form_->Bind(ruler_, "Ruler");
    form_->Bind(marker_, "LeftMarker");
    ShowAndActivate(*form_);
  }
  QImage GrabBar() { return bar_->Widget()->grab().toImage(); }

  std::unique_ptr<TMenuTestForm> form_;
  TStatusBar* bar_ = nullptr;
  TPanel* ruler_ = nullptr;
  TwwTrackIcon* marker_ = nullptr;
};

TEST_F(BarsTest, TheStatusBarLiesAtTheBottomWithItsPanelsSideBySide) {
  EXPECT_EQ(bar_->Align(), alBottom);
  EXPECT_EQ(bar_->BoundsRect(), Rect(0, 240 - 19, 420, 240));
  ASSERT_EQ(bar_->Panels()->Count(), 4);
  EXPECT_EQ(bar_->Panels()->Items(1)->Name(), "CapsPanel");
  EXPECT_EQ(bar_->Panels()->Items(1)->Index(), 1);
  EXPECT_EQ(bar_->PanelRect(0), Rect(0, 2, 298, 19));
  EXPECT_EQ(bar_->PanelRect(1), Rect(300, 2, 330, 19));
  EXPECT_EQ(bar_->PanelRect(3), Rect(364, 2, 420, 19));  // the last one reaches the end
}

TEST_F(BarsTest, PanelsDrawTheirTextsInsideTheirOwnBevels) {
  QImage shot = GrabBar();
  const TRect caps = bar_->PanelRect(1);
  EXPECT_EQ(shot.pixelColor(caps.Left, caps.Top), ToQColor(clBtnShadow));  // lowered
  EXPECT_EQ(shot.pixelColor(caps.Right - 1, caps.Bottom - 1), ToQColor(clBtnHighlight));
  const TRect hint = bar_->PanelRect(0);
  EXPECT_EQ(shot.pixelColor(hint.Left, hint.Top), ToQColor(clBtnFace));  // no bevel
  EXPECT_EQ(TextPixels(shot, Inside(caps)), 0);
  bar_->Panels()->Items(0)->SetText("Saves changes and exits editor");
  bar_->Panels()->Items(1)->SetText("CAP");
  bar_->Panels()->Items(2)->SetText("");
  Pump();
  shot = GrabBar();
  EXPECT_GT(TextPixels(shot, Inside(hint)), 40);
  EXPECT_GT(TextPixels(shot, Inside(caps)), 10);
  EXPECT_EQ(TextPixels(shot, Inside(bar_->PanelRect(2))), 0);
  // A text too long for its panel stays inside it.
  bar_->Panels()->Items(1)->SetText("CAPS LOCK IS ON");
  Pump();
  shot = GrabBar();
  EXPECT_EQ(TextPixels(shot, Rect(caps.Right, 0, bar_->PanelRect(2).Right, 19)), 0);
}

TEST_F(BarsTest, ASnapshotOfOneControlFindsItBelowTheMenuBar) {
  const TBytes png = SnapshotForm(*form_, bar_);
  const QImage shot = QImage::fromData(png.data(), static_cast<int>(png.size()), "PNG");
  ASSERT_EQ(shot.size(), QSize(420, 19));
  const TRect caps = bar_->PanelRect(1);
  EXPECT_EQ(shot.pixelColor(caps.Left, caps.Top), ToQColor(clBtnShadow));
  EXPECT_EQ(shot.pixelColor(caps.Left, caps.Top - 1), ToQColor(clBtnFace));
}

TEST_F(BarsTest, ASimplePanelShowsOneTextAcrossTheWholeBar) {
  bar_->SetSimpleText("Ready");
  bar_->SetSimplePanel(true);
  Pump();
  const QImage shot = GrabBar();
  EXPECT_GT(TextPixels(shot, Rect(0, 2, 60, 19)), 10);
  const TRect caps = bar_->PanelRect(1);
  EXPECT_EQ(shot.pixelColor(caps.Left, caps.Top), ToQColor(clBtnFace));
}

TEST_F(BarsTest, PanelsAreAddedAndFreedAtRunTimeAndGoWithTheirBar) {
  TStatusPanel* added = bar_->Panels()->Add();
  added->SetWidth(40);
  EXPECT_EQ(bar_->Panels()->Count(), 5);
  EXPECT_EQ(added->StatusBar(), bar_);
  EXPECT_EQ(bar_->PanelRect(3), Rect(364, 2, 380, 19));  // no longer the last one
  delete bar_->Panels()->Items(2);
  EXPECT_EQ(bar_->Panels()->Count(), 4);
  EXPECT_EQ(added->Index(), 3);
  EXPECT_THROW(bar_->Panels()->Items(4), EListError);
  const int owned = form_->ComponentCount();
  delete bar_;  // frees the panels of the layout too
  EXPECT_EQ(form_->ComponentCount(), owned - 4);
  EXPECT_EQ(form_->FindComponent("CapsPanel"), nullptr);
}

TEST_F(BarsTest, ALineAlignedToTheTopLiesRightBelowTheMenuBarAndASeparatorOnItsLeftEdge) {
  auto* line = dynamic_cast<TBevel*>(form_->FindComponent("TopBevel"));
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->BoundsRect(), Rect(0, 0, 420, 2));
  auto grabLine = [&]() {
    const QImage shot = form_->Widget()->grab().toImage();
    const int top = form_->ClientOffset().Y;
    return std::make_pair(shot.pixelColor(200, top), shot.pixelColor(200, top + 1));
  };
  EXPECT_EQ(grabLine(), std::make_pair(ToQColor(clBtnShadow), ToQColor(clBtnHighlight)));
  // A separator between tool buttons: a line on the left edge.
  auto* separator = new TBevel(form_.get());
  separator->SetParent(ruler_);
  separator->SetBounds(250, 2, 2, 20);
  separator->SetShape(bsLeftLine);
  Pump();
  const QImage shot = ruler_->Widget()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(250, 10), ToQColor(clBtnShadow));
  EXPECT_EQ(shot.pixelColor(251, 10), ToQColor(clBtnHighlight));
}

TEST_F(BarsTest, AMarkerFollowsTheMouseWithinItsLimitsAndReportsTheEndOfTheDrag) {
  int tracks = 0;
  marker_->OnTrack = [&](TObject*) { ++tracks; };
  QWidget* w = ruler_->Widget();
  const QPoint grip(marker_->Left() + 4, marker_->Top() + 4);
  QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, grip);
  EXPECT_TRUE(marker_->Dragging());
  QTest::mouseMove(w, grip + QPoint(50, 3));  // only the horizontal part counts
  EXPECT_EQ(marker_->Position(), 60);
  EXPECT_EQ(marker_->Top(), 19);
  QTest::mouseMove(w, QPoint(295, grip.y()));
  EXPECT_EQ(marker_->Position(), 200);  // the upper limit
  QTest::mouseMove(w, QPoint(-40, grip.y()));
  EXPECT_EQ(marker_->Position(), 6);  // the lower limit
  QTest::mouseMove(w, QPoint(100 + 4, grip.y()));
  EXPECT_EQ(form_->Log, std::vector<std::string>{});
  QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(100 + 4, grip.y()));
  EXPECT_EQ(marker_->Position(), 100);
  EXPECT_FALSE(marker_->Dragging());
  EXPECT_EQ(tracks, 4);
  EXPECT_EQ(form_->Log, std::vector<std::string>{"LeftMarker"});
  // Drawn where it now is: the point of its triangle at its top centre.
  Pump();
  const QImage shot = w->grab().toImage();
  EXPECT_EQ(shot.pixelColor(100 + 4, 19), ToQColor(clBtnText));
  EXPECT_EQ(shot.pixelColor(10 + 4, 19), QColor(Qt::white));
  // Moving the mouse afterwards leaves it alone.
  QTest::mouseMove(w, QPoint(150, grip.y()));
  EXPECT_EQ(marker_->Position(), 100);
}

TEST_F(BarsTest, WithoutAnUpperLimitAMarkerStaysOnItsParent) {
  marker_->SetUpperLimit(-1);
  marker_->SetLowerLimit(0);
  EXPECT_EQ(marker_->Clamp(1000), 300 - marker_->Width());
  EXPECT_EQ(marker_->Clamp(-5), 0);
  auto* vertical = new TwwTrackIcon(form_.get());
  vertical->SetParent(ruler_);
  vertical->SetOrientation(toVertical);
  vertical->SetLowerLimit(2);
  vertical->SetUpperLimit(10);
  vertical->SetPosition(40);  // from code: placed as told
  EXPECT_EQ(vertical->Top(), 40);
  EXPECT_EQ(vertical->Clamp(40), 10);
}

}  // namespace
