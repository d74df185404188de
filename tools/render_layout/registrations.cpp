#include "registrations.h"

#include "app/main_form.h"
#include "data/dialogs/data_dialogs.h"
#include "data/engine/register.h"
#include "data/navigator/register.h"
#include "gui/gui_module.h"
#include "widgets/registration.h"
#include "richtext/controls/register.h"

const std::vector<TRegistration>& LayoutRegistrations() {
  static const std::vector<TRegistration> list = {
      RegisterGuiClasses,
      RegisterWidgetClasses,
      RegisterDataEngineClasses,
      RegisterDataDialogClasses,
      RegisterRichTextClasses,
      RegisterAppForms,
      RegisterDataNavigatorClasses,
  };
  return list;
}
