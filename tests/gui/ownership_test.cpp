// Controls, their owners, their parents and their Qt widgets: everything freed once.

#include <gtest/gtest.h>

#include <QPointer>
#include <QPushButton>
#include <memory>

#include "gui/stdctrls/button.h"
#include "gui/stdctrls/label.h"
#include "gui/stdctrls/panel.h"
#include "gui_test_support.h"

namespace {

int gAlive = 0;

template <class Base>
class TCounted : public Base {
 public:
  explicit TCounted(TComponent* AOwner) : Base(AOwner) { ++gAlive; }
  ~TCounted() override { --gAlive; }
};

TEST(Ownership, AFormFreesItsControlsAndTheirWidgets) {
  gAlive = 0;
  auto* form = new TForm(nullptr);
  auto* panel = new TCounted<TPanel>(form);
  panel->SetParent(form);
  auto* button = new TCounted<TButton>(form);
  button->SetParent(panel);
  auto* label = new TCounted<TLabel>(form);
  label->SetParent(panel);
  form->HandleNeeded();
  QPointer<QWidget> buttonWidget = button->Widget();
  QPointer<QWidget> panelWidget = panel->Widget();
  EXPECT_EQ(buttonWidget->parentWidget(), panelWidget.data());
  EXPECT_EQ(gAlive, 3);
  delete form;
  EXPECT_EQ(gAlive, 0);
  EXPECT_TRUE(buttonWidget.isNull());
  EXPECT_TRUE(panelWidget.isNull());
}

TEST(Ownership, FreeingAParentFreesItsChildrenAndTheyLeaveTheirOwner) {
  gAlive = 0;
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  auto* button = new TCounted<TButton>(form.get());
  button->SetParent(panel);
  const int owned = form->ComponentCount();
  delete panel;
  EXPECT_EQ(gAlive, 0);
  EXPECT_EQ(form->ComponentCount(), owned - 2);
  EXPECT_EQ(form->ControlCount(), 0);
}

TEST(Ownership, AControlFreedOnItsOwnLeavesItsParentAndTheFormsFocus) {
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* button = new TButton(form.get());
  button->SetParent(form.get());
  ShowAndActivate(*form);
  button->SetFocus();
  EXPECT_EQ(form->ActiveControl(), button);
  delete button;
  EXPECT_EQ(form->ControlCount(), 0);
  EXPECT_EQ(form->ActiveControl(), nullptr);
  EXPECT_EQ(form->ComponentCount(), 0);
}

TEST(Ownership, ReparentingMovesTheWidgetAndKeepsTheControl) {
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* left = new TPanel(form.get());
  left->SetParent(form.get());
  auto* right = new TPanel(form.get());
  right->SetParent(form.get());
  auto* button = new TButton(form.get());
  button->SetParent(left);
  button->SetCaption("&Go");
  form->HandleNeeded();
  QPointer<QWidget> w = button->Widget();
  button->SetParent(right);
  EXPECT_EQ(w.data(), button->Widget());
  EXPECT_EQ(w->parentWidget(), right->Widget());
  EXPECT_EQ(left->ControlCount(), 0);
  EXPECT_EQ(right->ControlCount(), 1);
  // Without a parent the widget goes; a new parent brings it back with the same state.
  button->SetParent(nullptr);
  EXPECT_TRUE(w.isNull());
  EXPECT_FALSE(button->HandleAllocated());
  button->SetParent(left);
  EXPECT_TRUE(button->HandleAllocated());
  EXPECT_EQ(static_cast<QPushButton*>(button->Widget())->text(), "&Go");
  EXPECT_THROW(left->SetParent(left), EInvalidOperation);
}

TEST(Ownership, ALabelDropsItsFocusControlWhenThatIsFreed) {
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* label = new TLabel(form.get());
  label->SetParent(form.get());
  auto* button = new TButton(form.get());
  button->SetParent(form.get());
  label->SetFocusControl(button);
  delete button;
  EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST(Ownership, ChildrenFollowTheParentsFontUntilTheyGetTheirOwn) {
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  auto* label = new TLabel(form.get());
  label->SetParent(panel);
  form->Font()->SetHeight(-15);
  EXPECT_EQ(label->Font()->Height(), -15);
  EXPECT_TRUE(label->ParentFont());
  label->Font()->SetHeight(-21);
  EXPECT_FALSE(label->ParentFont());
  form->Font()->SetHeight(-11);
  EXPECT_EQ(label->Font()->Height(), -21);
  label->SetParentFont(true);
  EXPECT_EQ(label->Font()->Height(), -11);
  // Colours resolve through the parent while ParentColor holds.
  panel->SetColor(clRed);
  EXPECT_EQ(label->Color(), clRed);
}

}  // namespace
