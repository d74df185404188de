// quizedit [TABLE] [--password PASSWORD]: edits the questions of a quiz table in a window.
// TABLE is a table file, or ALIAS:TABLE; without it, the game's own table. Without a password
// the session asks for one with its password dialog when the table needs it.
//
// Exit status: 0 closed normally, 1 the table could not be opened, 2 wrong use.

#include <cstdio>
#include <exception>
#include <string>

#include "data/dialogs/data_dialogs.h"
#include "data/engine/register.h"
#include "data/engine/session.h"
#include "data/engine/session_list.h"
#include "gui/forms/application.h"
#include "gui/gui_module.h"
#include "quiz_edit_form.h"

namespace {

constexpr const char* kGameTable = "vozaza:vezedezavuza.db";

int Usage() {
  std::fprintf(stderr, "usage: quizedit [TABLE.db | ALIAS:TABLE] [--password PASSWORD]\n");
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  std::string location = kGameTable;
  std::string password;
  bool named = false;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--password" && i + 1 < argc) {
      password = argv[++i];
    } else if (!word.empty() && word[0] != '-' && !named) {
      location = word;
      named = true;
    } else {
      return Usage();
    }
  }
  // The sessions outlive the windows, which close their tables as they go.
  TDataEngineModule dataEngine;
  TGuiModule gui(argc, argv);
  RegisterDataEngineClasses();
  RegisterDataDialogs();
  RegisterQuizEditForms();
  try {
    Application->Initialize();
    Application->SetTitle("Quiz Editor");
    auto* form = Application->CreateForm<TQuizEditForm>();
    if (!password.empty()) Session->StorePassword(password);
    form->OpenTable(location);
    Application->Run();
  } catch (...) {
    Application->HandleException(std::current_exception());
    return 1;
  }
  return 0;
}
