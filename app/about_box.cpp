#include "app/about_box.h"

#include "core/rtti.h"

BREVANT_DEFINE_CLASS(TAboutBox, TForm, )

TAboutBox::TAboutBox(TComponent* AOwner) : TForm(AOwner) {}
