#include "data/navigator/register.h"

#include "core/rtti.h"
#include "data/navigator/db_navigator.h"
#include "data/register.h"

void RegisterDataNavigatorClasses() {
  RegisterDataClasses();
  RegisterClasses<TDBNavigator>();
}
