// The run's set-up for the suites of the window framework and of the layers that build on it
// with no classes of their own to register: OK answers a box no test waits for.

#include "gui_support.h"

namespace {

const auto* const kEnvironment = AddGuiTestEnvironment("Brevant Tests", TStrayBoxAnswer::Ok);

}  // namespace
