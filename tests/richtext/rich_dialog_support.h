#pragma once
// Shared set-up of the paragraph and tab dialog tests: an editable rich text control on a form,
// its content in and out as RTF, and a script that acts on the dialogs while they run modally,
// the way a player would (typing into boxes, choosing entries, pressing buttons and keys).

#include <gtest/gtest.h>

#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/forms/form.h"
#include "richtext/controls/db_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"

class TButton;
class TComboBox;
class TEdit;
class TWinControl;

class RichDialogTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Replaces the control's content with RTF.
  void Load(const std::string& Rtf);
  // The control's content as RTF.
  std::string Rtf();
  TRichParaFormat Para() { return Edit->EditBox()->ParaFormat(); }
  // Writes every member of Format into the selected paragraphs.
  void Make(const TRichParaFormat& Format);

  std::unique_ptr<TForm> Form;
  TwwDBRichEdit* Edit = nullptr;
};

// Calls each step with the next dialog of class T that shows modally, while it is shown. A step
// that leaves its dialog open fails the test and the dialog is cancelled, so no test can hang.
template <class T>
class TModalScript {
 public:
  using TStep = std::function<void(T&)>;
  explicit TModalScript(std::vector<TStep> Steps) : Steps_(std::move(Steps)) {
    QObject::connect(&Timer_, &QTimer::timeout, [this]() { Tick(); });
    Timer_.start(5);
  }
  int Shown() const { return Shown_; }

 private:
  void Tick();

  std::vector<TStep> Steps_;
  int Shown_ = 0;
  QTimer Timer_;
};

// Makes the form's window the active one, as a window manager does when it shows.
void Activate(TCustomForm& Form);
// Finds the modal dialog of class T, or none.
TCustomForm* ModalDialog(const std::function<bool(TCustomForm*)>& IsWanted);

template <class T>
void TModalScript<T>::Tick() {
  TCustomForm* form = ModalDialog([](TCustomForm* F) { return dynamic_cast<T*>(F) != nullptr; });
  if (form == nullptr || form->Tag() != 0) return;
  form->SetTag(1);
  T& dialog = static_cast<T&>(*form);
  // A window manager makes a newly shown dialog the active window; the offscreen platform does not.
  Activate(dialog);
  const size_t step = static_cast<size_t>(Shown_++);
  if (step < Steps_.size()) {
    Steps_[step](dialog);
  } else {
    ADD_FAILURE() << "a dialog more than the script knows";
    dialog.SetModalResult(mrCancel);
  }
  if (dialog.Modal() && dialog.ModalResult() == mrNone) {
    ADD_FAILURE() << "the step left its dialog open";
    dialog.SetModalResult(mrCancel);
  }
}

// The player's actions.
void TypeInto(TEdit* Box, const std::string& Text);  // replaces the box's text by typing
void Click(TButton* Button);
void PressKey(TWinControl* Control, int QtKey);
void ChooseWithMouse(TComboBox* Combo, int Index);
void ChooseWithKeys(TComboBox* Combo, int Index);
// Whether the control has the keyboard focus in its window.
bool HasFocus(TWinControl* Control);
