// Brevant Pack Number 2: program start-up.

#include <exception>

#include "app/main_form.h"
#include "gui/forms/application.h"
#include "gui/gui_module.h"
#include "platform/help/help_viewer.h"

int main(int argc, char* argv[]) {
  // Start-up of every module: the window framework first; the data access layer and the
  // controls join here as they come.
  TGuiModule gui(argc, argv);
  Application->SetHelpViewer([](const std::string& File, uint16_t Command, int64_t Data, TCustomForm* Owner) {
    InvokeHelp(Owner != nullptr ? Owner->Widget() : nullptr, File, Command, static_cast<uintptr_t>(Data));
  });
  RegisterAppForms();
  try {
    Application->Initialize();
    Application->SetTitle("Brevant 2");
    Application->SetHelpFile("Brevant.hlp");
    Application->CreateForm<TMainForm>();
    Application->Run();
  } catch (...) {
    // Only a failure before the message loop gets here (a broken layout, say).
    Application->HandleException(std::current_exception());
    return 1;
  }
  return 0;  // the module's end frees the main window and everything it owns
}
