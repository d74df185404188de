#include "data/engine/register.h"

#include "core/rtti.h"
#include "data/engine/database.h"
#include "data/engine/query.h"
#include "data/engine/session.h"
#include "data/engine/table.h"
#include "data/register.h"

void RegisterDataEngineClasses() {
  RegisterDataClasses();
  RegisterClasses<TSession, TDatabase, TTable, TQuery, TDataSetUpdateObject>();
}
