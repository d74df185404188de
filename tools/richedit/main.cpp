// richedit FILE: opens an RTF or text file in the rich text editor window through an unbound
// rich text control, and writes it back on Save and Exit. A file that does not exist yet starts
// empty and is created on Save and Exit. A ".txt" file is read and written as plain text.
//
// Exit status: 0 saved, 1 left without saving, 2 wrong use or a file that cannot be edited.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "core/exceptions.h"
#include "core/strings.h"
#include "core/text.h"
#include "data/register.h"
#include "gui/forms/application.h"
#include "gui/forms/form.h"
#include "gui/gui_module.h"
#include "richtext/controls/db_rich_edit.h"
#include "richtext/controls/register.h"
#include "richtext/editor/content_files.h"

namespace {

constexpr uint64_t kAllEditorOptions = 0x1FFF;

bool IsPlainTextName(const std::string& FileName) {
  return SameText(std::filesystem::path(FileName).extension().string(), ".txt");
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2 || std::string(argv[1]).empty() || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: richedit FILE.rtf|FILE.txt\n");
    return 2;
  }
  const std::string fileName = argv[1];
  TGuiModule gui(argc, argv);
  Application->Initialize();
  Application->SetTitle("richedit");
  RegisterDataClasses();
  RegisterRichTextClasses();

  // The control the window edits lives on a window of its own that never shows.
  auto* holder = new TForm(Application);
  holder->SetBounds(0, 0, 400, 300);
  auto* control = new TwwDBRichEdit(holder);
  control->SetParent(holder);
  control->SetBounds(0, 0, 400, 300);
  control->SetPlainText(IsPlainTextName(fileName));
  control->SetEditorCaption(std::filesystem::path(fileName).filename().string() + " - Edit Rich Text");
  control->SetEditorOptions(TwwRichEditOptions::FromBits(kAllEditorOptions));
  control->SetPrintJobName(std::filesystem::path(fileName).filename().string());
  try {
    if (std::filesystem::exists(fileName)) LoadEditableFile(*control, fileName);
    control->SetModified(false);
    if (!control->ExecuteEditor()) return 1;
    SaveContentFileReplacing(*control, fileName);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "richedit: %s\n", e.what());
    return 2;
  }
  return 0;
}
