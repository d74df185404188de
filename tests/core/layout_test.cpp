#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "core/layout/layout_reader.h"
#include "test_components.h"

namespace {

class LayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterTestClasses(); }
  TTestWidget* W(TTestRoot& R, const char* Name) { return dynamic_cast<TTestWidget*>(R.FindComponent(Name)); }
};

constexpr const char* kFull = R"(layout 1
# a comment line
Root (TTestRoot)
  First (TTestWidget)
    Size: 42
    Flag: false
    Ratio: 2.5
    Caption: "Say \"hi\"\tthere\x21"
    Shade: shDark
    Shades: [shLight, shDark]
    Color: clRed
    Items: ["A", "B",
            "C", ""]
    Data: <00FF10
           20>
    Buddy: Second       # resolved after the whole layout is read
    Pen.Width: 3
    Pen.Color: 0x00123456
    OnPoke: WidgetPoke
    Version: 5
    Inner (TTestWidget)
      Caption: "nested"
  Second (TTestWidget)
    Buddy: First
)";

TEST_F(LayoutTest, ReadsEveryKindOfValue) {
  TTestRoot root(nullptr);
  TLayoutReader::ReadInto(root, kFull, "full.layout");
  EXPECT_EQ(root.Name(), "Root");
  TTestWidget* first = W(root, "First");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Size(), 42);
  EXPECT_FALSE(first->Flag());
  EXPECT_DOUBLE_EQ(first->Ratio(), 2.5);
  EXPECT_EQ(first->Caption(), "Say \"hi\"\tthere!");
  EXPECT_EQ(first->Shade(), shDark);
  EXPECT_EQ(first->Shades(), (TShades{shLight, shDark}));
  EXPECT_EQ(first->Color(), clRed);
  ASSERT_EQ(first->Items()->Count(), 4);
  EXPECT_EQ(first->Items()->Get(2), "C");
  EXPECT_EQ(first->Data(), (TBytes{0x00, 0xFF, 0x10, 0x20}));
  EXPECT_EQ(first->Buddy(), W(root, "Second"));
  EXPECT_EQ(first->Pen()->Width(), 3);
  EXPECT_EQ(first->Pen()->Color(), TColor(0x123456));
  EXPECT_EQ(first->Version, 5);
  ASSERT_TRUE(first->OnPoke);
  first->OnPoke(first);
  ASSERT_EQ(root.Poked.size(), 1u);
  EXPECT_EQ(root.Poked[0], first);

  // Nested components are owned by the root and nest under their layout parent.
  TTestWidget* inner = W(root, "Inner");
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->Owner(), &root);
  EXPECT_EQ(inner->ParentWidget(), first);
}

TEST_F(LayoutTest, EveryComponentStaysLoadingUntilEverythingIsRead) {
  std::vector<std::string> order;
  TTestWidget::LoadedOrder = &order;
  TTestRoot root(nullptr);
  TLayoutReader::ReadInto(root, kFull, "full.layout");
  TTestWidget::LoadedOrder = nullptr;
  TTestWidget* first = W(root, "First");
  EXPECT_TRUE(first->LoadingWhenSized);
  EXPECT_TRUE(W(root, "Inner")->LoadingWhenParented);
  // Loaded ran once each, in reading order, after every reference was resolved: First
  // already saw its buddy Second, which comes later in the layout.
  EXPECT_EQ(order, (std::vector<std::string>{"First", "Inner", "Second"}));
  EXPECT_EQ(first->LoadedCalls, 1);
  EXPECT_EQ(first->BuddyAtLoaded, "Second");
  for (int i = 0; i < root.ComponentCount(); ++i) {
    EXPECT_FALSE(root.Components(i)->IsLoading());
    EXPECT_FALSE(root.Components(i)->IsReading());
  }
  EXPECT_FALSE(root.IsLoading());
}

TEST_F(LayoutTest, AFailingLoadedStepStillLoadsTheRestAndPassesOn) {
  TTestWidget::ThrowInLoaded = true;
  TTestRoot root(nullptr);
  EXPECT_THROW(TLayoutReader::ReadInto(root, kFull, "full.layout"), EInvalidOperation);
  TTestWidget::ThrowInLoaded = false;
  EXPECT_EQ(W(root, "Second")->LoadedCalls, 1);
  EXPECT_FALSE(W(root, "First")->IsLoading());
}

TEST_F(LayoutTest, RoundTripGivesTheSameLayoutAgain) {
  TTestRoot root(nullptr);
  TLayoutReader::ReadInto(root, kFull, "full.layout");
  const std::string written = WriteLayout(root);

  TTestRoot again(nullptr);
  TLayoutReader::ReadInto(again, written, "written.layout");
  EXPECT_EQ(WriteLayout(again), written);
  TTestWidget* first = W(again, "First");
  EXPECT_EQ(first->Caption(), "Say \"hi\"\tthere!");
  EXPECT_EQ(first->Items()->Count(), 4);
  EXPECT_EQ(first->Buddy(), W(again, "Second"));
  EXPECT_EQ(first->Pen()->Color(), TColor(0x123456));
  EXPECT_EQ(first->Version, 7);  // the extra is written by the component itself
  EXPECT_EQ(W(again, "Inner")->ParentWidget(), first);
  ASSERT_TRUE(first->OnPoke);
}

TEST_F(LayoutTest, WriterLeavesOutDefaultsAndKeepsAlwaysStoredValues) {
  TTestRoot root(nullptr);
  root.SetName("Root");
  auto* w = new TTestWidget(&root);
  w->SetName("Plain");
  const std::string text = WriteLayout(root);
  EXPECT_EQ(text,
            "layout 1\n"
            "Root (TTestRoot)\n"
            "  Plain (TTestWidget)\n"
            "    Small: 0\n"
            "    Version: 7\n");
  // A value that differs from the default is written, and one set back is left out again.
  w->SetFlag(false);
  EXPECT_NE(WriteLayout(root).find("    Flag: false\n"), std::string::npos);
  w->SetFlag(true);
  EXPECT_EQ(WriteLayout(root), text);
}

TEST_F(LayoutTest, LongListsAndBytesBreakOverLinesAndReadBack) {
  TTestRoot root(nullptr);
  root.SetName("Root");
  auto* w = new TTestWidget(&root);
  w->SetName("Big");
  TStringList lines;
  for (int i = 0; i < 12; ++i)
    lines.Add("line number " + std::to_string(i));
  w->SetItems(&lines);
  w->SetData(TBytes(100, 0xAB));
  const std::string text = WriteLayout(root);
  EXPECT_GT(std::count(text.begin(), text.end(), '\n'), 15);
  TTestRoot again(nullptr);
  TLayoutReader::ReadInto(again, text, "big.layout");
  EXPECT_TRUE(W(again, "Big")->Items()->Equals(lines));
  EXPECT_EQ(W(again, "Big")->Data(), TBytes(100, 0xAB));
}

}  // namespace
