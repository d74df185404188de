#include "core/registration_hooks.h"

#include <vector>

namespace {

// A function-local list, so that hooks made during static initialisation of any file find it built.
std::vector<TRegistrationFunction>& Hooks() {
  static std::vector<TRegistrationFunction> hooks;
  return hooks;
}

}  // namespace

TRegistrationHook::TRegistrationHook(TRegistrationFunction Register) {
  if (Register != nullptr) Hooks().push_back(Register);
}

void RunRegistrationHooks() {
  for (TRegistrationFunction f : Hooks())
    f();
}
