// Combo and list boxes in stored layouts: read, drawn by the snapshot the layout renderer
// uses, and written back unchanged.

#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "core/layout/layout_reader.h"
#include "gui/forms/snapshot.h"
#include "gui/stdctrls/combo_box.h"
#include "gui/stdctrls/list_box.h"
#include "gui_test_support.h"

namespace {

constexpr const char* kLayout = R"(layout 1
ListsForm (TForm)
  BorderStyle: bsDialog
  Caption: "Lists"
  ClientHeight: 160
  ClientWidth: 260
  FontSizeCombo (TComboBox)
    Left: 8
    Top: 8
    Width: 60
    DropDownCount: 8
    Items: ["8", "9", "10", "12"]
    ItemIndex: 2
    TabOrder: 0
  FontNameCombo (TComboBox)
    Left: 76
    Top: 8
    Width: 170
    DropDownCount: 20
    Font.Color: clRed
    ParentFont: false
    Sorted: true
    Text: "No Such Face"
    Items: ["Liberation Serif", "DejaVu Sans", "Liberation Sans"]
    TabOrder: 1
  AlignmentCombo (TComboBox)
    Left: 8
    Top: 40
    Style: csDropDownList
    Items: ["Left", "Center", "Right"]
    ItemIndex: 1
    TabOrder: 2
  ListBox1 (TListBox)
    Left: 8
    Top: 72
    Width: 120
    Height: 80
    Items: ["10''", "2''", "0.5''"]
    MultiSelect: true
    Sorted: true
    TabOrder: 3
)";

std::unique_ptr<TForm> ReadForm(const std::string& Text) {
  std::unique_ptr<TForm> form(new TForm(nullptr));
  TLayoutReader::ReadInto(*form, Text, "lists.layout");
  return form;
}

template <class T>
T* Find(TForm& Form, const char* Name) {
  auto* c = dynamic_cast<T*>(Form.FindComponent(Name));
  EXPECT_NE(c, nullptr) << Name;
  return c;
}

TEST(ListsLayout, ReadsWithTheChosenItemsAndRoundTrips) {
  std::unique_ptr<TForm> form = ReadForm(kLayout);
  auto* size = Find<TComboBox>(*form, "FontSizeCombo");
  EXPECT_EQ(size->ItemIndex(), 2);
  EXPECT_EQ(size->Text(), "10");
  auto* name = Find<TComboBox>(*form, "FontNameCombo");
  EXPECT_TRUE(name->Sorted());
  EXPECT_EQ(name->Items()->Get(0), "DejaVu Sans");
  EXPECT_EQ(name->Text(), "No Such Face");
  EXPECT_EQ(name->ItemIndex(), -1);
  EXPECT_EQ(name->DropDownCount(), 20);
  auto* alignment = Find<TComboBox>(*form, "AlignmentCombo");
  EXPECT_EQ(alignment->Style(), csDropDownList);
  EXPECT_EQ(alignment->Text(), "Center");
  auto* list = Find<TListBox>(*form, "ListBox1");
  EXPECT_TRUE(list->MultiSelect());
  EXPECT_EQ(list->Items()->Get(0), "0.5''");

  const std::string written = WriteLayout(*form);
  std::unique_ptr<TForm> second = ReadForm(written);
  EXPECT_EQ(WriteLayout(*second), written);
  EXPECT_NE(written.find("Style: csDropDownList"), std::string::npos) << written;
  EXPECT_NE(written.find("Text: \"No Such Face\""), std::string::npos) << written;
  EXPECT_EQ(written.find("Text: \"10\""), std::string::npos) << "the chosen item says it: " << written;
  EXPECT_EQ(Find<TComboBox>(*second, "FontSizeCombo")->Text(), "10");
  EXPECT_EQ(Find<TComboBox>(*second, "FontNameCombo")->Font()->Color(), clRed);
}

TEST(ListsLayout, TheSnapshotDrawsEveryBoxWithItsText) {
  std::unique_ptr<TForm> form = ReadForm(kLayout);
  const TBytes png = SnapshotForm(*form);
  QImage shot;
  ASSERT_TRUE(shot.loadFromData(png.data(), static_cast<int>(png.size()), "PNG"));
  ASSERT_EQ(shot.size(), QSize(260, 160));
  auto darkPixels = [&](const QRect& R) {
    int dark = 0;
    for (int y = R.top(); y <= R.bottom(); ++y)
      for (int x = R.left(); x <= R.right(); ++x)
        if (qGray(shot.pixel(x, y)) < 100) ++dark;
    return dark;
  };
  auto redPixels = [&](const QRect& R) {
    int red = 0;
    for (int y = R.top(); y <= R.bottom(); ++y)
      for (int x = R.left(); x <= R.right(); ++x) {
        const QColor c = shot.pixelColor(x, y);
        if (c.red() > 180 && c.green() < 90 && c.blue() < 90) ++red;
      }
    return red;
  };
  EXPECT_GT(darkPixels(QRect(12, 12, 30, 14)), 5) << "the chosen size shows";
  EXPECT_GT(redPixels(QRect(80, 12, 120, 14)), 10) << "the unknown face shows in red";
  EXPECT_GT(darkPixels(QRect(12, 44, 80, 14)), 5) << "the chosen alignment shows";
  EXPECT_GT(darkPixels(QRect(12, 76, 100, 60)), 20) << "the list shows its items";
}

}  // namespace
