#pragma once
// Registration hooks: a library whose classes stored layouts create by name may announce its
// registration function when it is loaded, with one TRegistrationHook at namespace scope. A
// program or tool that links the library then registers its classes with RunRegistrationHooks(),
// without naming or including it: a tool that draws any layout needs no include of the layers
// above it. The hook must sit in an object file that the linker keeps (an object library, or a
// file the program references otherwise): unreferenced members of a static library are never
// loaded, and their hooks never run.

using TRegistrationFunction = void (*)();

class TRegistrationHook {
 public:
  explicit TRegistrationHook(TRegistrationFunction Register);
};

// Runs every announced function, in the order the hooks were made; running it again registers
// the same classes again, which changes nothing.
void RunRegistrationHooks();
