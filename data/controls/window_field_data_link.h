// A field link whose control is a window: when the dataset asks for the field (a failed check, say), the
// window takes the focus if it can.
#pragma once

#include "data/links/field_data_link.h"
#include "gui/controls/win_control.h"

class TWindowFieldDataLink : public TFieldDataLink {
 public:
  explicit TWindowFieldDataLink(TWinControl* Window) : Window_(Window) {}

 protected:
  bool ControlCanFocus() const override { return Window_->CanFocus(); }
  void FocusControl() override { Window_->SetFocus(); }

 private:
  TWinControl* Window_;
};
