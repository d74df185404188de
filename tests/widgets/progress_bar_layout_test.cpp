// The bar in stored layouts: what the writer leaves out, what it always writes, reading
// the main window's bar, the loading exceptions of parts and percent, round trips.

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <memory>
#include <set>
#include <sstream>

#include "bar_test_support.h"
#include "core/exceptions.h"
#include "core/layout/layout_reader.h"
#include "gui/forms/form.h"
#include "gui/forms/snapshot.h"
#include "gui_test_support.h"
#include "widgets/progress_bar.h"

namespace {

const char* const kMainWindowBar = R"(layout 1
Form1 (TForm)
  ClientWidth: 625
  ClientHeight: 400
  RzProgressBar1 (TRzProgressBar)
    Left: 8
    Top: 325
    Width: 601
    Height: 28
    Font.Color: clGreen
    Font.Height: -11
    Font.Name: "MS Sans Serif"
    ParentFont: false
    BackColor: clRed
    BarColor: clGreen
    BorderWidth: 0
    InteriorOffset: 0
    NumSegments: 100
    TotalParts: 1700
    PartsComplete: 0
    Percent: 0
)";

std::unique_ptr<TForm> ReadForm(const std::string& Text) {
  auto form = std::make_unique<TForm>(nullptr);
  TLayoutReader::ReadInto(*form, Text, "bar.layout");
  return form;
}

TRzProgressBar* BarOf(TForm& Form, const char* Name = "RzProgressBar1") {
  auto* bar = dynamic_cast<TRzProgressBar*>(Form.FindComponent(Name));
  EXPECT_NE(bar, nullptr);
  return bar;
}

// The property names written for the entry Name.
std::set<std::string> WrittenProperties(const std::string& Layout, const std::string& Name) {
  std::istringstream in(Layout);
  std::string line;
  std::set<std::string> names;
  size_t depth = std::string::npos;
  while (std::getline(in, line)) {
    const size_t indent = line.find_first_not_of(' ');
    if (indent == std::string::npos) continue;
    if (depth == std::string::npos) {
      if (line.compare(indent, Name.size() + 2, Name + " (") == 0) depth = indent;
      continue;
    }
    if (indent <= depth) break;
    const size_t colon = line.find(':');
    if (indent != depth + 2 || colon == std::string::npos) continue;
    // Nested objects are written by their parts: "Font.Color" counts as "Font".
    const size_t end = std::min(colon, line.find('.', indent));
    names.insert(line.substr(indent, end - indent));
  }
  return names;
}

TEST(ProgressBarLayout, WriterLeavesOutDefaultsAndAlwaysWritesTheFive) {
  TForm form(nullptr);
  auto* bar = new TRzProgressBar(&form);
  bar->SetName("Bar");
  bar->SetParent(&form);
  EXPECT_EQ(WrittenProperties(WriteLayout(form), "Bar"),
            (std::set<std::string>{"Left", "Top", "BorderWidth", "InteriorOffset", "PartsComplete", "Percent",
                                   "TotalParts"}));

  bar->SetBackColor(clRed);
  bar->SetBarColor(clGreen);  // the font takes the colour: the bar has its own font now
  bar->SetBarStyle(bsLED);    // the percentage text goes away with it
  bar->SetBevelWidth(2);
  bar->SetBorderColor(clBlue);
  bar->SetBorderInner(fsFlat);
  bar->SetBorderOuter(fsNone);
  bar->SetNumSegments(100);
  bar->SetBounds(0, 0, 30, 300);  // vertical
  EXPECT_EQ(WrittenProperties(WriteLayout(form), "Bar"),
            (std::set<std::string>{
                "Left",          "Top",         "Width",          "Height",      "Font",        "ParentFont",
                "BackColor",     "BarColor",    "BarStyle",       "BevelWidth",  "BorderColor", "BorderInner",
                "BorderOuter",   "BorderWidth", "InteriorOffset", "NumSegments", "Orientation", "ShowPercent",
                "PartsComplete", "Percent",     "TotalParts"}));
}

TEST(ProgressBarLayout, MainWindowBarReadsAsStored) {
  auto form = ReadForm(kMainWindowBar);
  TRzProgressBar* bar = BarOf(*form);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->BoundsRect(), Bounds(8, 325, 601, 28));
  EXPECT_EQ(bar->BackColor(), clRed);
  EXPECT_EQ(bar->BarColor(), clGreen);
  EXPECT_EQ(bar->BarStyle(), bsTraditional);
  EXPECT_EQ(bar->NumSegments(), 100);
  EXPECT_EQ(bar->TotalParts(), 1700u);
  EXPECT_EQ(bar->PartsComplete(), 0u);
  EXPECT_EQ(bar->Percent(), 0);
  EXPECT_FALSE(bar->ParentFont());
  EXPECT_EQ(bar->Font()->Color(), clGreen);
  EXPECT_EQ(bar->Orientation(), orHorizontal);
}

TEST(ProgressBarLayout, LoadingKeepsPartsAndAppliesTheStoredPercentUnchanged) {
  std::string text = kMainWindowBar;
  text.replace(text.find("PartsComplete: 0"), 16, "PartsComplete: 850");
  text.replace(text.find("Percent: 0"), 10, "Percent: 37");
  auto form = ReadForm(text);
  TRzProgressBar* bar = BarOf(*form);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->TotalParts(), 1700u);
  EXPECT_EQ(bar->PartsComplete(), 850u) << "TotalParts read later would not reset it";
  EXPECT_EQ(bar->Percent(), 37) << "not recomputed from the parts";

  // Once loaded, the rules apply again.
  bar->SetPartsComplete(425);
  EXPECT_EQ(bar->Percent(), 25);
}

// Every writer is an overridable operation: this one records what reaches the Percent
// writer, from code, from the parts rule and from layouts.
class TTracingBar : public TRzProgressBar {
 public:
  BREVANT_CLASS(TTracingBar)
  using TRzProgressBar::TRzProgressBar;
  std::vector<uint16_t> Written;
  int Notices = 0;
  void SetPercent(uint16_t Value) override {
    Written.push_back(Value);
    TRzProgressBar::SetPercent(Value);
  }

 protected:
  void PercentChanged() override { ++Notices; }
};
BREVANT_DEFINE_CLASS(TTracingBar, TRzProgressBar, )

TEST(ProgressBarLayout, WritersAreOverridable) {
  TTracingBar bar(nullptr);
  bar.SetTotalParts(4);
  bar.SetPartsComplete(1);
  EXPECT_EQ(bar.Written, (std::vector<uint16_t>{0, 25}));
  EXPECT_EQ(bar.Notices, 1) << "PercentChanged replaced: OnChange is the base's business";
}

TEST(ProgressBarLayout, WhileLoadingOnlyTheStoredPercentReachesTheWriter) {
  RegisterClasses<TTracingBar>();
  std::string text = kMainWindowBar;
  text.replace(text.find("TRzProgressBar"), 14, "TTracingBar");
  text.replace(text.find("PartsComplete: 0"), 16, "PartsComplete: 850");
  text.replace(text.find("Percent: 0"), 10, "Percent: 37");
  auto form = ReadForm(text);
  auto* bar = dynamic_cast<TTracingBar*>(form->FindComponent("RzProgressBar1"));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Written, (std::vector<uint16_t>{37}))
      << "TotalParts reset nothing, PartsComplete computed nothing";
  EXPECT_EQ(bar->PartsComplete(), 850u);
}

TEST(ProgressBarLayout, RoundTrip) {
  TForm form(nullptr);
  form.SetName("Form1");
  auto* bar = new TRzProgressBar(&form);
  bar->SetName("Bar");
  bar->SetParent(&form);
  bar->SetBounds(5, 6, 40, 180);
  bar->SetBarStyle(bsLED);
  bar->SetInteriorOffset(3);
  bar->SetBackColor(clYellow);
  bar->SetBarColor(clNavy);
  bar->SetBevelWidth(4);
  bar->SetBorderColor(clSilver);
  bar->SetBorderInner(fsGroove);
  bar->SetBorderOuter(fsButtonUp);
  bar->SetBorderWidth(3);
  bar->SetNumSegments(250);
  bar->SetTotalParts(1000);
  bar->SetPartsComplete(333);
  bar->SetPercent(61);
  const std::string written = WriteLayout(form);

  TForm second(nullptr);
  TLayoutReader::ReadInto(second, written, "written.layout");
  auto* copy = BarOf(second, "Bar");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(WriteLayout(second), written);
  EXPECT_EQ(copy->BoundsRect(), bar->BoundsRect());
  EXPECT_EQ(copy->BarStyle(), bsLED);
  EXPECT_EQ(copy->InteriorOffset(), 3);
  EXPECT_FALSE(copy->ShowPercent());
  EXPECT_EQ(copy->BackColor(), clYellow);
  EXPECT_EQ(copy->BarColor(), clNavy);
  EXPECT_EQ(copy->BevelWidth(), 4);
  EXPECT_EQ(copy->BorderColor(), clSilver);
  EXPECT_EQ(copy->BorderInner(), fsGroove);
  EXPECT_EQ(copy->BorderOuter(), fsButtonUp);
  EXPECT_EQ(copy->BorderWidth(), 3);
  EXPECT_EQ(copy->NumSegments(), 250);
  EXPECT_EQ(copy->TotalParts(), 1000u);
  EXPECT_EQ(copy->PartsComplete(), 333u);
  EXPECT_EQ(copy->Percent(), 61);
  EXPECT_EQ(copy->Orientation(), orVertical);
}

TEST(ProgressBarLayout, OutOfRangeValuesAreLayoutErrors) {
  for (const char* bad : {"Percent: 65536", "BorderWidth: -1", "BevelWidth: 0", "TotalParts: 2147483648",
                          "InteriorOffset: 256", "BarStyle: bsSolid"}) {
    SCOPED_TRACE(bad);
    std::string text = kMainWindowBar;
    text += std::string("    ") + bad + "\n";
    auto form = std::make_unique<TForm>(nullptr);
    EXPECT_THROW(TLayoutReader::ReadInto(*form, text, "bad.layout"), ELayoutError);
  }
}

TEST(ProgressBarLayout, SnapshotOfTheMainWindowBarAtHalf) {
  auto form = ReadForm(kMainWindowBar);
  TRzProgressBar* bar = BarOf(*form);
  ASSERT_NE(bar, nullptr);
  bar->SetPercent(50);
  const TBytes png = SnapshotForm(*form, bar);
  QImage image;
  ASSERT_TRUE(image.loadFromData(png.data(), static_cast<int>(png.size()), "PNG"));
  ASSERT_EQ(image.size(), QSize(601, 28));
  EXPECT_EQ(PixelAt(image, 0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(image, 1, 1), Rgb(clBtnText));
  EXPECT_EQ(CountOther(image, Rect(2, 2, 300, 4), Rgb(clGreen)), 0);
  EXPECT_EQ(CountOther(image, Rect(300, 2, 599, 4), Rgb(clRed)), 0);
}

}  // namespace
