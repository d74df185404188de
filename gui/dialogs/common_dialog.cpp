#include "gui/dialogs/common_dialog.h"

#include "core/rtti.h"
#include "gui/qt/dialog_window.h"

BREVANT_DEFINE_CLASS(TCommonDialog, TComponent,
                     .Event("OnClose", &TCommonDialog::OnClose).Event("OnShow", &TCommonDialog::OnShow))

TCommonDialog::TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}

TCommonDialog::~TCommonDialog() = default;

std::unique_ptr<TDialogView> TCommonDialog::View() {
  if (Window_ == nullptr || Window_->Dialog() == nullptr) return nullptr;
  return MakeDialogView(*Window_);
}

void TCommonDialog::WindowOpened(TDialogWindow* Window) {
  Window_ = Window;
}

void TCommonDialog::WindowClosed(TDialogWindow* Window) {
  if (Window_ == Window) Window_ = nullptr;
}

void TCommonDialog::DoShow() {
  if (OnShow) OnShow(this);
}

void TCommonDialog::DoClose() {
  if (OnClose) OnClose(this);
}
