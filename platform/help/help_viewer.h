#pragma once
// The help viewer: opens a help file (help_file.h) in a window of its own with the list of
// topics, a search field, the topic text, and printing. It reports a missing or damaged
// file itself, in a message box over the owner window; the caller learns nothing of it.

#include <cstdint>
#include <string>

class QWidget;

inline constexpr unsigned HELP_CONTEXT = 1;
inline constexpr unsigned HELP_QUIT = 2;
inline constexpr unsigned HELP_CONTENTS = 3;
inline constexpr unsigned HELP_FINDER = 11;

// HELP_FINDER and HELP_CONTENTS show the viewer on File with its topic list (HELP_CONTEXT
// shows topic number Data, counted from 1); HELP_QUIT closes every viewer. A bare file name
// is looked for in the current folder, beside the program, and in the program's data folder
// (../share/brevant). Returns true when the command was carried out.
bool InvokeHelp(QWidget* Owner, const std::string& File, unsigned Command, uintptr_t Data);

// Where a bare help file name is found, or an empty text.
std::string LocateHelpFile(const std::string& File);
