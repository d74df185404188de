#include "registrations.h"

#include "app/main_form.h"
#include "gui/gui_module.h"
#include "richtext/controls/register.h"

const std::vector<TRegistration>& LayoutRegistrations() {
  static const std::vector<TRegistration> list = {
      RegisterGuiClasses,
      RegisterRichTextClasses,
      RegisterAppForms,
  };
  return list;
}
