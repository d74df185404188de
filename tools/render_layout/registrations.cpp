#include "registrations.h"

#include "app/main_form.h"
#include "gui/gui_module.h"
#include "widgets/registration.h"

const std::vector<TRegistration>& LayoutRegistrations() {
  static const std::vector<TRegistration> list = {
      RegisterGuiClasses,
      RegisterWidgetClasses,
      RegisterAppForms,
  };
  return list;
}
