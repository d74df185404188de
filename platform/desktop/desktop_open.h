#pragma once
// Handing links and files to the desktop's default handler (a web browser, a mail program, the
// viewer of a file's kind), through Qt's desktop services: the handler is started directly with
// the link as its one argument, never through a shell.
//
// Text shown by the program may come from a table someone else wrote, so a link is opened only
// when it is a web, mail or file-transfer address (http, https, mailto, ftp); anything else, a
// file link above all, is refused and logged, as is a link that is no valid address. Characters a
// shell would act on are percent-encoded before the link leaves the program.

#include <string>

// The link as it would be handed to the handler, or an empty text when it is refused. A link
// without a scheme ("www.example.org") is a web address.
std::string OpenableLink(const std::string& Link);
// Opens the link with the desktop's handler; false when it was refused or nothing could open it.
bool OpenLinkWithDesktop(const std::string& Link);
// Opens a file of the program's own (a temporary copy it wrote) with the desktop's handler for
// its kind; false when the file does not exist or nothing could open it.
bool OpenFileWithDesktop(const std::string& Path);
