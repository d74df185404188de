#pragma once
// The window side of the sessions: registers the password and login dialogs for stored
// layouts and installs the hooks the sessions call (data/engine/engine_hooks.h): the screen
// cursor, a timer of the window framework, the main thread, the two dialogs and the
// application's exception handler. The program calls it once at start-up, on the main
// thread, after the window framework's module is made.

void RegisterDataDialogs();
// Only the dialogs' classes, for tools that read layouts (no hooks).
void RegisterDataDialogClasses();
