#include "registrations.h"

#include "app/main_form.h"
#include "data/navigator/register.h"
#include "gui/gui_module.h"

const std::vector<TRegistration>& LayoutRegistrations() {
  static const std::vector<TRegistration> list = {
      RegisterGuiClasses,
      RegisterAppForms,
      RegisterDataNavigatorClasses,
  };
  return list;
}
