#pragma once
// The About box: the product's name, version and notices, from the stored layout
// TAboutBox.layout. It has no handlers; OK (or the close button) ends its modal run.

#include "gui/forms/form.h"

class TAboutBox : public TForm {
 public:
  BREVANT_CLASS(TAboutBox)
  explicit TAboutBox(TComponent* AOwner);
};
