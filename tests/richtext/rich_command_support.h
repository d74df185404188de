#pragma once
// Helpers of the command tests: the built-in popup menu as a right click shows it, read back
// from the real menu on the screen.

#include <QPoint>
#include <string>
#include <vector>

class TwwCustomRichEdit;

// Right-clicks the control's text at Point (of its text area) and answers what the menu showed,
// one entry per visible item: "-" for a line, the caption with its & marker, then "(off)" for a
// disabled entry, "[x]" for a checked one, "(default)" for the one in bold and ">" for one that
// opens a sub-menu; joined with " | ". Path names the entries to choose by caption without the &
// markers, one per menu level (an entry with a sub-menu opens it); past its end the menu closes
// choosing nothing. SubMenu receives the entries of the sub-menu that opened.
std::string RightClick(TwwCustomRichEdit& Control, QPoint Point, const std::vector<std::string>& Path = {},
                       std::string* SubMenu = nullptr);
