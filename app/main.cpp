// Brevant Pack Number 2: program start-up.

#include <exception>

#include "app/categories.h"
#include "app/main_form.h"
#include "data/dialogs/data_dialogs.h"
#include "data/engine/engine_loader.h"
#include "data/engine/register.h"
#include "data/engine/session_list.h"
#include "data/navigator/register.h"
#include "gui/forms/application.h"
#include "gui/forms/first_paint_probe.h"
#include "gui/gui_module.h"
#include "platform/help/help_viewer.h"
#include "richtext/controls/register.h"
#include "widgets/registration.h"

int main(int argc, char* argv[]) {
  // Start-up of every module. The sessions come first so that they outlive the windows:
  // the window framework's end frees the main window, and with it closes its datasets,
  // before the default session goes.
  NoteStartupStage("main");
  TDataEngineModule dataEngine;
  // Loading the engine and deriving the quiz table's key take a good part of the start: they run
  // beside the window system's start, and the table's open below finds them done.
  TEngineWarmUp warmUp(QuizDatabaseName, QuizTableName, QuizTablePassword);
  TGuiModule gui(argc, argv);
  NoteStartupStage("qt-started");
  RegisterDataEngineClasses();
  RegisterDataDialogs();
  RegisterDataNavigatorClasses();
  RegisterRichTextClasses();
  RegisterWidgetClasses();
  Application->SetHelpViewer([](const std::string& File, uint16_t Command, int64_t Data, TCustomForm* Owner) {
    InvokeHelp(Owner != nullptr ? Owner->Widget() : nullptr, File, Command, static_cast<uintptr_t>(Data));
  });
  RegisterAppForms();
  NoteStartupStage("classes-registered");
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
  return 0;  // the modules' ends free the main window and everything it owns, then the sessions
}
