#include "core/exceptions.h"

#include "core/core_strings.h"

EAbort::EAbort() : Exception(LoadResString(SOperationAborted)) {}

void Abort() {
  throw EAbort();
}
