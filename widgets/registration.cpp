#include "widgets/registration.h"

#include "widgets/progress_bar.h"

void RegisterWidgetClasses() {
  RegisterClasses<TRzProgressBar>();
}
