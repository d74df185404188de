#include "rich_dialog_support.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "gui/forms/screen.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/combo_box.h"
#include "gui/stdctrls/edit.h"
#include "gui_test_support.h"
#include "richtext/controls/register.h"
#include "richtext/edit/rich_edit_box.h"
#include "richtext/intl/rich_edit_intl.h"

void RichDialogTest::SetUp() {
  RegisterRichTextClasses();
  ResetRichEditIntl();
  Form.reset(new TForm(nullptr));
  Form->SetName("Form1");
  Form->SetBounds(0, 0, 520, 300);
  Edit = new TwwDBRichEdit(Form.get());
  Edit->SetName("RichEdit1");
  Edit->SetParent(Form.get());
  Edit->SetBounds(8, 8, 480, 240);
  Edit->SetReadOnly(false);
}

void RichDialogTest::TearDown() {
  Form.reset();
  ResetRichEditIntl();
  Pump();
}

void RichDialogTest::Load(const std::string& Rtf) {
  size_t at = 0;
  const TRichStreamError error = Edit->EditBox()->StreamIn(rfRtf, false, [&](char* Buffer, int64_t Capacity) {
    const size_t count = std::min(Rtf.size() - at, static_cast<size_t>(Capacity));
    std::copy_n(Rtf.data() + at, count, Buffer);
    at += count;
    return static_cast<int64_t>(count);
  });
  ASSERT_EQ(error, reNone);
}

std::string RichDialogTest::Rtf() {
  std::string out;
  EXPECT_EQ(Edit->EditBox()->StreamOut(rfRtf, false,
                                       [&out](const char* Data, int64_t Count) {
                                         out.append(Data, static_cast<size_t>(Count));
                                         return true;
                                       }),
            reNone);
  return out;
}

void RichDialogTest::Make(const TRichParaFormat& Format) {
  TRichParaFormat all = Format;
  all.Fields = kAllParaFields;
  Edit->EditBox()->SetParaFormat(all);
}

void Activate(TCustomForm& Form) {
  QWidget* w = Form.Widget();
  w->activateWindow();
  QApplication::setActiveWindow(w);
  Pump();
}

TCustomForm* ModalDialog(const std::function<bool(TCustomForm*)>& IsWanted) {
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    if (form->Modal() && IsWanted(form)) return form;
  }
  return nullptr;
}

void TypeInto(TEdit* Box, const std::string& Text) {
  Box->SetFocus();
  QWidget* w = Box->Widget();
  QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(w, Qt::Key_Delete);
  QTest::keyClicks(w, QString::fromStdString(Text));
  ASSERT_EQ(Box->Text(), Text);
}

void Click(TButton* Button) {
  static_cast<QPushButton*>(Button->Widget())->click();
}

void PressKey(TWinControl* Control, int QtKey) {
  QTest::keyClick(Control->Widget(), static_cast<Qt::Key>(QtKey));
}

void ChooseWithMouse(TComboBox* Combo, int Index) {
  auto* box = static_cast<QComboBox*>(Combo->Widget());
  Combo->SetDroppedDown(true);
  Pump();
  QAbstractItemView* view = box->view();
  const QRect item = view->visualRect(box->model()->index(Index, 0));
  QTest::mouseMove(view->viewport(), item.center());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
  for (int i = 0; i < 50 && Combo->DroppedDown(); ++i)
    QTest::qWait(10);
  Pump();
}

void ChooseWithKeys(TComboBox* Combo, int Index) {
  Combo->SetFocus();
  while (Combo->ItemIndex() != Index) {
    const int before = Combo->ItemIndex();
    QTest::keyClick(Combo->Widget(), before < Index ? Qt::Key_Down : Qt::Key_Up);
    if (Combo->ItemIndex() == before) break;
  }
}

bool HasFocus(TWinControl* Control) {
  return Control->HandleAllocated() && Control->Widget()->hasFocus();
}
