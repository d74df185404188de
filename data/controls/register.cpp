#include "data/controls/register.h"

#include "core/rtti.h"
#include "data/controls/db_edit.h"
#include "data/register.h"

void RegisterDataControlClasses() {
  RegisterDataClasses();
  RegisterClasses<TDBEdit>();
}
