// Windows as the player sees them: placement, bevels, glyphs, hit tests, errors while
// painting, and Tab through a stored layout.

#include <gtest/gtest.h>

#include <QIcon>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "gui/forms/screen.h"
#include "gui/graphics/colors.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/edit.h"
#include "gui/stdctrls/group_box.h"
#include "gui/stdctrls/panel.h"
#include "gui_test_support.h"
#include "test_forms.h"

namespace {

QColor Rgb(TColor C) {
  const TColor rgb = ColorToRGB(C);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

TEST(Window, AScreenCentredFormCentresItsOuterSizeAndKeepsItsClientSize) {
  RegisterClasses<TTestForm>();
  std::unique_ptr<TTestForm> form(NewForm<TTestForm>(nullptr));
  ShowAndActivate(*form);
  // Centred as far as the window system's own frame allows.
  const QPoint centre = form->Widget()->geometry().center();
  EXPECT_NEAR(centre.x(), Screen->Width() / 2, 8);
  EXPECT_NEAR(centre.y(), Screen->Height() / 2, 16);
  EXPECT_NE(form->Left(), 10);  // the stored position gives way to centring
  EXPECT_EQ(form->Widget()->width(), 300);
  EXPECT_EQ(form->Widget()->height(), 200);
  // A dialog border cannot be resized by the player.
  EXPECT_EQ(form->Widget()->minimumSize(), form->Widget()->maximumSize());
}

TEST(Window, ControlsKeepTheirPlacesWhenTheWindowIsResized) {
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* button = new TButton(form.get());
  button->SetParent(form.get());
  button->SetBounds(98, 194, 113, 33);
  ShowAndActivate(*form);
  form->Widget()->resize(150, 150);  // as the window manager would
  Pump();
  EXPECT_EQ(form->ClientWidth(), 150);
  EXPECT_EQ(form->Width(), 150 + TCustomForm::FrameExtent(bsSizeable).cx);
  EXPECT_EQ(button->BoundsRect(), Bounds(98, 194, 113, 33));
  EXPECT_EQ(button->Widget()->geometry(), QRect(98, 194, 113, 33));
}

TEST(Window, ARaisedPanelIsLightTopLeftAndDarkBottomRight) {
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  panel->SetBounds(4, 4, 60, 30);
  panel->SetBevelInner(bvLowered);
  ShowAndActivate(*form);
  const QImage image = panel->Widget()->grab().toImage();
  EXPECT_EQ(image.pixelColor(0, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(image.pixelColor(0, 28), Rgb(clBtnHighlight));
  EXPECT_EQ(image.pixelColor(59, 29), Rgb(clBtnShadow));
  EXPECT_EQ(image.pixelColor(59, 0), Rgb(clBtnShadow));  // the top-right corner is the bottom colour
  EXPECT_EQ(image.pixelColor(1, 1), Rgb(clBtnShadow));   // the inner, lowered bevel
  EXPECT_EQ(image.pixelColor(30, 15), Rgb(clBtnFace));
}

TEST(Window, ABitBtnShowsTheSecondHalfOfItsGlyphWhenDisabled) {
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* button = new TBitBtn(form.get());
  button->SetParent(form.get());
  button->Glyph()->LoadFromResource("hint.png");
  EXPECT_EQ(button->NumGlyphs(), 2);
  ShowAndActivate(*form);
  const QIcon icon = static_cast<QPushButton*>(button->Widget())->icon();
  const QImage normal = icon.pixmap(QSize(16, 16), QIcon::Normal).toImage();
  const QImage disabled = icon.pixmap(QSize(16, 16), QIcon::Disabled).toImage();
  const QImage& glyph = *button->Glyph()->Image();
  EXPECT_EQ(normal.pixelColor(8, 4), glyph.pixelColor(8, 4));
  EXPECT_EQ(disabled.pixelColor(8, 4), glyph.pixelColor(16 + 8, 4));
  EXPECT_NE(normal.pixelColor(8, 4), disabled.pixelColor(8, 4));
}

// A graphic control that lets the mouse through where it answers htTransparent.
class THole : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  int HitTest(int X, int Y) override { return X < 10 ? htTransparent : TGraphicControl::HitTest(X, Y); }
};

TEST(Window, TheHitTestDecidesWhichControlGetsTheMouse) {
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* below = new TGraphicControl(form.get());
  below->SetParent(form.get());
  below->SetBounds(0, 0, 40, 40);
  auto* hole = new THole(form.get());
  hole->SetParent(form.get());
  hole->SetBounds(0, 0, 40, 40);
  std::vector<std::string> log;
  below->OnClick = [&](TObject*) { log.push_back("below"); };
  hole->OnClick = [&](TObject*) { log.push_back("hole"); };
  ShowAndActivate(*form);
  QTest::mouseClick(form->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseClick(form->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(25, 5));
  EXPECT_EQ(log, (std::vector<std::string>{"below", "hole"}));
  EXPECT_EQ(hole->HitTest(50, 5), htNowhere);
  EXPECT_EQ(form->HitTest(5, 5), htClient);
}

// Throws from Paint once.
class TBrokenPaint : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  bool Broken = true;

 protected:
  void Paint() override {
    if (Broken) {
      Broken = false;
      throw EInvalidOperation("Canvas does not allow drawing");
    }
  }
};

TEST(Window, AnErrorWhilePaintingIsShownAfterThePaintAndTheLoopGoesOn) {
  TMessageBoxRecorder boxes;
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* broken = new TBrokenPaint(form.get());
  broken->SetParent(form.get());
  broken->SetBounds(0, 0, 20, 20);
  ShowAndActivate(*form);
  Pump();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Text, "Canvas does not allow drawing.");
  broken->Repaint();
  EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST(Window, TabFollowsTheStoredOrderThroughPanelsAndSkipsTheMemo) {
  RegisterClasses<TTestForm>();
  std::unique_ptr<TTestForm> form(NewForm<TTestForm>(nullptr));
  auto* notes = dynamic_cast<TWinControl*>(form->FindComponent("Notes"));
  notes->SetTabStop(false);
  ShowAndActivate(*form);
  std::vector<std::string> order{form->ActiveControl()->Name()};
  for (int i = 0; i < 4; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order.push_back(form->ActiveControl()->Name());
  }
  // Panel1 (order 0) holds OK and Cancel; then NameEdit (1), Choice (2); Notes is no stop.
  EXPECT_EQ(order, (std::vector<std::string>{"OkButton", "CancelButton", "NameEdit", "Choice", "OkButton"}));
  // The radio group's focus lives in its selected button.
  auto* choice = dynamic_cast<TRadioGroup*>(form->FindComponent("Choice"));
  choice->SetFocus();
  EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(choice->ButtonWidget(1)));
  EXPECT_TRUE(choice->Focused());
}

TEST(Window, AHiddenControlIsHiddenOnTheScreenAndGivesUpTheFocus) {
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* first = new TEdit(form.get());
  first->SetParent(form.get());
  auto* second = new TEdit(form.get());
  second->SetParent(form.get());
  ShowAndActivate(*form);
  EXPECT_EQ(form->ActiveControl(), first);
  first->Hide();
  Pump();
  EXPECT_FALSE(first->Widget()->isVisible());
  EXPECT_EQ(form->ActiveControl(), second);
  EXPECT_THROW(first->SetFocus(), EInvalidOperation);
}

}  // namespace
