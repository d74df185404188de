#pragma once
// TPanel: the published custom panel.

#include "gui/controls/custom_panel.h"

class TPanel : public TCustomPanel {
 public:
  BREVANT_CLASS(TPanel)
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};
