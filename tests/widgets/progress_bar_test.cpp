// The bar as a control: values after construction, writers, parts and percent, bounds,
// hit testing and the immediate repaint of its own rectangle on a real window.

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <memory>

#include "bar_test_support.h"
#include "gui/forms/form.h"
#include "gui/qt/qt_convert.h"
#include "gui/stdctrls/label.h"
#include "gui/stdctrls/panel.h"
#include "gui_test_support.h"
#include "widgets/progress_bar.h"

namespace {

// Records the OnChange calls of a bar.
struct TChangeLog {
  std::vector<int32_t> Percents;
  void Attach(TRzProgressBar& Bar) {
    Bar.OnChange = [this, &Bar](TObject* Sender, int32_t Percent) {
      EXPECT_EQ(Sender, &Bar);
      EXPECT_EQ(Percent, Bar.Percent()) << "the new value is stored first";
      Percents.push_back(Percent);
    };
  }
};

TEST(ProgressBar, ValuesAfterConstruction) {
  TRzProgressBar bar(nullptr);
  EXPECT_EQ(bar.BackColor(), clWhite);
  EXPECT_EQ(bar.BarColor(), clHighlight);
  EXPECT_EQ(bar.BarStyle(), bsTraditional);
  EXPECT_EQ(bar.BevelWidth(), 1);
  EXPECT_EQ(bar.BorderColor(), clBtnFace);
  EXPECT_EQ(bar.BorderInner(), fsNone);
  EXPECT_EQ(bar.BorderOuter(), fsLowered);
  EXPECT_EQ(bar.BorderWidth(), 0);
  EXPECT_EQ(bar.InteriorOffset(), 0);
  EXPECT_EQ(bar.NumSegments(), 20);
  EXPECT_EQ(bar.Orientation(), orHorizontal);
  EXPECT_EQ(bar.PartsComplete(), 0u);
  EXPECT_EQ(bar.Percent(), 0);
  EXPECT_TRUE(bar.ShowPercent());
  EXPECT_EQ(bar.TotalParts(), 0u);
  EXPECT_FALSE(bar.OnChange);
  EXPECT_EQ(bar.Width(), 200);
  EXPECT_EQ(bar.Height(), 24);
  EXPECT_TRUE(bar.ControlStyle().Contains(csOpaque));
  EXPECT_EQ(TEnumNames<TFrameStyle>::Info().Names[fsPopup], "fsPopup");
  EXPECT_EQ(static_cast<int>(fsButtonDown), 5);
  EXPECT_EQ(sizeof(TFrameStyle), 1u);
}

TEST(ProgressBar, PartsGivePercentRoundedHalvesToEven) {
  TRzProgressBar bar(nullptr);
  TChangeLog log;
  log.Attach(bar);
  bar.SetTotalParts(1700);
  bar.SetPartsComplete(850);
  EXPECT_EQ(bar.Percent(), 50);
  bar.SetPartsComplete(2000);
  EXPECT_EQ(bar.PartsComplete(), 1700u);
  EXPECT_EQ(bar.Percent(), 100);
  EXPECT_EQ(log.Percents, (std::vector<int32_t>{50, 100}));

  bar.SetTotalParts(8);
  bar.SetPartsComplete(1);
  EXPECT_EQ(bar.Percent(), 12);  // 12.5
  bar.SetPartsComplete(3);
  EXPECT_EQ(bar.Percent(), 38);  // 37.5
}

TEST(ProgressBar, NewTotalResetsPartsAndPercentWithOneChange) {
  TRzProgressBar bar(nullptr);
  bar.SetTotalParts(1700);
  bar.SetPartsComplete(850);
  TChangeLog log;
  log.Attach(bar);
  bar.SetTotalParts(1700);
  bar.SetPartsComplete(850);
  EXPECT_TRUE(log.Percents.empty()) << "the same values change nothing";
  bar.SetTotalParts(900);
  EXPECT_EQ(bar.TotalParts(), 900u);
  EXPECT_EQ(bar.PartsComplete(), 0u);
  EXPECT_EQ(bar.Percent(), 0);
  EXPECT_EQ(log.Percents, (std::vector<int32_t>{0}));
  bar.SetTotalParts(1000);  // Percent already 0: no event
  EXPECT_EQ(log.Percents.size(), 1u);
}

TEST(ProgressBar, PartsWithoutTotalStoreZeroAndLeavePercentAlone) {
  TRzProgressBar bar(nullptr);
  bar.SetPercent(42);
  TChangeLog log;
  log.Attach(bar);
  bar.SetPartsComplete(5);
  EXPECT_EQ(bar.PartsComplete(), 0u);
  EXPECT_EQ(bar.Percent(), 42);
  EXPECT_TRUE(log.Percents.empty());
}

TEST(ProgressBar, PercentTakesAnySixteenBitValueAndLeavesPartsAlone) {
  TRzProgressBar bar(nullptr);
  bar.SetTotalParts(10);
  bar.SetPartsComplete(4);
  TChangeLog log;
  log.Attach(bar);
  bar.SetPercent(65535);
  EXPECT_EQ(bar.Percent(), 65535);
  EXPECT_EQ(bar.PartsComplete(), 4u);
  bar.SetPercent(static_cast<uint16_t>(-1));
  EXPECT_EQ(log.Percents, (std::vector<int32_t>{65535})) << "widened without a sign";
}

TEST(ProgressBar, BarStyleSetsTextAndOffsetAndBarColourSetsTheFont) {
  TRzProgressBar bar(nullptr);
  bar.SetBarStyle(bsLED);
  EXPECT_FALSE(bar.ShowPercent());
  EXPECT_EQ(bar.InteriorOffset(), 1);
  bar.SetBarStyle(bsTraditional);
  EXPECT_TRUE(bar.ShowPercent());
  EXPECT_EQ(bar.InteriorOffset(), 0);
  bar.SetBarColor(clGreen);
  EXPECT_EQ(bar.Font()->Color(), clGreen);
}

TEST(ProgressBar, BoundsDecideTheOrientation) {
  TRzProgressBar bar(nullptr);
  bar.SetBounds(0, 0, 24, 200);
  EXPECT_EQ(bar.Orientation(), orVertical);
  bar.SetBounds(0, 0, 50, 50);
  EXPECT_EQ(bar.Orientation(), orHorizontal);
  bar.SetHeight(51);
  EXPECT_EQ(bar.Orientation(), orVertical);
  bar.SetWidth(300);
  EXPECT_EQ(bar.Orientation(), orHorizontal);
}

// A panel whose own hit test answers a size grip everywhere and records where it was asked.
class TGripPanel : public TPanel {
 public:
  using TPanel::TPanel;
  static constexpr int htGrip = 17;
  TPoint Asked{-1, -1};
  int HitTest(int X, int Y) override {
    Asked = {X, Y};
    return htGrip;
  }
};

TEST(ProgressBar, RightmostTwelvePixelsAnswerAsTheParent) {
  TForm form(nullptr);
  auto* panel = new TGripPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(0, 0, 620, 60);
  auto* bar = new TRzProgressBar(&form);
  bar->SetParent(panel);
  bar->SetBounds(8, 20, 601, 28);
  EXPECT_EQ(bar->HitTest(588, 10), htClient);
  EXPECT_EQ(panel->Asked, (TPoint{-1, -1}));
  EXPECT_EQ(bar->HitTest(589, 10), TGripPanel::htGrip);
  EXPECT_EQ(panel->Asked, (TPoint{589, 10})) << "still in the bar's own coordinates";
  EXPECT_EQ(bar->HitTest(600, 27), TGripPanel::htGrip);
  EXPECT_EQ(bar->HitTest(601, 10), htNowhere) << "outside the bar";
  EXPECT_EQ(bar->HitTest(0, 0), htClient);

  TRzProgressBar alone(nullptr);
  EXPECT_EQ(alone.HitTest(195, 5), htClient);
}

// The bar on a real window beside two other controls, all counting their paints.
class BarOnWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = std::make_unique<TForm>(nullptr);
    form_->SetClientWidth(640);
    form_->SetClientHeight(380);
    label_ = new TLabel(form_.get());
    label_->SetParent(form_.get());
    label_->SetBounds(224, 238, 100, 24);
    label_->SetCaption("Your Score:");
    neighbour_ = new TRzProgressBar(form_.get());
    neighbour_->SetParent(form_.get());
    neighbour_->SetBounds(8, 280, 601, 28);
    bar_ = new TRzProgressBar(form_.get());
    bar_->SetParent(form_.get());
    bar_->SetBounds(8, 325, 601, 28);
    bar_->SetBackColor(clRed);
    bar_->SetBarColor(clGreen);
    bar_->SetTotalParts(1700);
    ShowAndActivate(*form_);
  }
  struct TCounts {
    int Bar, Neighbour, Label, Form;
    bool operator==(const TCounts&) const = default;
  };
  TCounts Counts() const {
    return {bar_->PaintCount(), neighbour_->PaintCount(), label_->PaintCount(), form_->PaintCount()};
  }
  QImage Grab() { return form_->Widget()->grab().toImage(); }

  std::unique_ptr<TForm> form_;
  TLabel* label_ = nullptr;
  TRzProgressBar* neighbour_ = nullptr;
  TRzProgressBar* bar_ = nullptr;
};

TEST_F(BarOnWindow, PercentChangeRepaintsTheBarAloneAtOnce) {
  TCounts before = Counts();
  int paintsSeenByHandler = -1;
  bar_->OnChange = [&](TObject*, int32_t) { paintsSeenByHandler = bar_->PaintCount(); };
  bar_->SetPercent(50);
  EXPECT_EQ(paintsSeenByHandler, before.Bar) << "OnChange runs before the repaint";
  TCounts after = Counts();
  EXPECT_EQ(after.Bar, before.Bar + 1) << "painted at once, without waiting for the loop";
  before.Bar += 1;
  EXPECT_EQ(after, before) << "nothing else painted";
  Pump();
  EXPECT_EQ(Counts(), before) << "and nothing left to paint later";

  const QImage image = Grab();
  EXPECT_EQ(PixelAt(image, 8 + 100, 325 + 4), Rgb(clGreen));
  EXPECT_EQ(PixelAt(image, 8 + 500, 325 + 4), Rgb(clRed));
}

TEST_F(BarOnWindow, WritingTheCurrentValueDoesNothing) {
  TChangeLog log;
  log.Attach(*bar_);
  bar_->SetPercent(30);
  log.Percents.clear();
  Pump();
  const TCounts before = Counts();
  bar_->SetBackColor(bar_->BackColor());
  bar_->SetBarColor(bar_->BarColor());
  bar_->SetBarStyle(bar_->BarStyle());
  bar_->SetBevelWidth(bar_->BevelWidth());
  bar_->SetBorderColor(bar_->BorderColor());
  bar_->SetBorderInner(bar_->BorderInner());
  bar_->SetBorderOuter(bar_->BorderOuter());
  bar_->SetBorderWidth(bar_->BorderWidth());
  bar_->SetInteriorOffset(bar_->InteriorOffset());
  bar_->SetNumSegments(bar_->NumSegments());
  bar_->SetOrientation(bar_->Orientation());
  bar_->SetPartsComplete(bar_->PartsComplete());
  bar_->SetPercent(bar_->Percent());
  bar_->SetShowPercent(bar_->ShowPercent());
  bar_->SetTotalParts(bar_->TotalParts());
  bar_->SetBounds(bar_->Left(), bar_->Top(), bar_->Width(), bar_->Height());
  Pump();
  EXPECT_EQ(Counts(), before);
  EXPECT_TRUE(log.Percents.empty());
  EXPECT_EQ(bar_->Percent(), 30);
}

TEST_F(BarOnWindow, EveryEffectiveChangeRepaintsOnceAtOnce) {
  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"BackColor", [&] { bar_->SetBackColor(clYellow); }},
      {"BarColor", [&] { bar_->SetBarColor(clBlue); }},
      {"BarStyle", [&] { bar_->SetBarStyle(bsLED); }},
      {"BevelWidth", [&] { bar_->SetBevelWidth(3); }},
      {"BorderColor", [&] { bar_->SetBorderColor(clAqua); }},
      {"BorderInner", [&] { bar_->SetBorderInner(fsFlat); }},
      {"BorderOuter", [&] { bar_->SetBorderOuter(fsBump); }},
      {"BorderWidth", [&] { bar_->SetBorderWidth(2); }},
      {"InteriorOffset", [&] { bar_->SetInteriorOffset(3); }},
      {"NumSegments", [&] { bar_->SetNumSegments(7); }},
      {"Orientation", [&] { bar_->SetOrientation(orVertical); }},
      {"Percent", [&] { bar_->SetPercent(77); }},
      {"ShowPercent", [&] { bar_->SetShowPercent(true); }},
  };
  for (const auto& [name, change] : changes) {
    SCOPED_TRACE(name);
    Pump();
    const int before = bar_->PaintCount();
    change();
    EXPECT_EQ(bar_->PaintCount(), before + 1);
    Pump();
    EXPECT_EQ(bar_->PaintCount(), before + 1) << "no second paint afterwards";
  }
}

TEST_F(BarOnWindow, PartsWritersRepaintAtOnceAndNothingLater) {
  for (const auto& change : std::vector<std::function<void()>>{[&] { bar_->SetPartsComplete(850); },
                                                               [&] { bar_->SetTotalParts(10); }}) {
    Pump();
    const TCounts before = Counts();
    change();
    const TCounts after = Counts();
    EXPECT_GT(after.Bar, before.Bar);
    EXPECT_EQ(after.Neighbour, before.Neighbour);
    EXPECT_EQ(after.Form, before.Form);
    Pump();
    EXPECT_EQ(Counts(), after);
  }
}

// A bar that notes the rectangle each of its paints may touch.
class TClipNotingBar : public TRzProgressBar {
 public:
  using TRzProgressBar::TRzProgressBar;
  TRect LastClip;

 protected:
  void Paint() override {
    LastClip = Canvas()->ClipRect();
    TRzProgressBar::Paint();
  }
};

TEST(ProgressBarPercent, ChangesRepaintLittleAndLeaveThePixelsOfAWholePaint) {
  struct TLook {
    const char* Name;
    TBarStyle Style;
    bool Vertical, ShowPercent, Framed;
  };
  const TLook looks[] = {
      {"solid with text", bsTraditional, false, true, false},
      {"solid, no text", bsTraditional, false, false, false},
      {"blocks", bsLED, false, false, false},
      {"vertical solid with text", bsTraditional, true, true, false},
      {"vertical blocks", bsLED, true, false, false},
      {"framed solid with text", bsTraditional, false, true, true},
      {"framed blocks", bsLED, false, false, true},
  };
  for (const TLook& look : looks) {
    SCOPED_TRACE(look.Name);
    TForm form(nullptr);
    form.SetClientWidth(640);
    form.SetClientHeight(380);
    auto* bar = new TClipNotingBar(&form);
    bar->SetParent(&form);
    if (look.Vertical) {
      bar->SetBounds(20, 20, 40, 300);
    } else {
      bar->SetBounds(8, 325, 601, 28);
    }
    bar->SetBarStyle(look.Style);
    bar->SetShowPercent(look.ShowPercent);
    bar->SetBackColor(clRed);
    bar->SetBarColor(clGreen);
    bar->SetNumSegments(30);
    if (look.Framed) {
      bar->SetBorderOuter(fsBump);
      bar->SetBorderInner(fsLowered);
      bar->SetBorderWidth(2);
      bar->SetInteriorOffset(3);
    }
    ShowAndActivate(form);
    const TRect whole = bar->BoundsRect();
    const auto grab = [&] { return form.Widget()->grab(ToQRect(whole)).toImage(); };
    // Up, down, across the middle where the text sits, by one and by much, to both ends.
    for (const uint16_t percent : {37, 38, 49, 50, 51, 100, 99, 0, 1, 64, 12, 0}) {
      SCOPED_TRACE(percent);
      const int paints = bar->PaintCount();
      bar->SetPercent(percent);
      // The blocks may light no other block: then nothing is painted.
      const bool painted = bar->PaintCount() == paints + 1;
      if (look.Style == bsTraditional) {
        ASSERT_TRUE(painted);
      }
      ASSERT_LE(bar->PaintCount(), paints + 1);
      const TRect clip = bar->LastClip;
      const QImage changed = grab();
      if (painted && (percent == 38 || percent == 50 || percent == 51)) {
        EXPECT_LT(int64_t{clip.Width()} * clip.Height(), int64_t{whole.Width()} * whole.Height() / 4)
            << "a step of one repaints a small part";
      }
      bar->Repaint();
      EXPECT_EQ(bar->LastClip.Width(), whole.Width());
      ASSERT_EQ(changed, grab()) << "a part repaint leaves the pixels of a whole one";
    }
  }
}

TEST_F(BarOnWindow, BevelWidthRepaintsWithoutChangingAPixel) {
  bar_->SetPercent(64);
  Pump();
  const QImage before = Grab();
  const int paints = bar_->PaintCount();
  bar_->SetBevelWidth(9);
  EXPECT_EQ(bar_->PaintCount(), paints + 1);
  EXPECT_EQ(Grab(), before);
}

}  // namespace
