#include "registrations.h"

#include "data/dialogs/data_dialogs.h"
#include "data/engine/register.h"
#include "data/navigator/register.h"
#include "gui/gui_module.h"
#include "richtext/controls/register.h"
#include "widgets/registration.h"

const std::vector<TRegistration>& LayoutRegistrations() {
  static const std::vector<TRegistration> list = {
      RegisterGuiClasses,        RegisterWidgetClasses,   RegisterDataEngineClasses,
      RegisterDataDialogClasses, RegisterRichTextClasses, RegisterDataNavigatorClasses,
  };
  return list;
}
