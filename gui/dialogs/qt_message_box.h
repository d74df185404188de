#pragma once
// Message boxes that Qt's own dialogs raise (a file that exists, a file that is missing)
// are shown to the message box observer like ours, so automation can answer them too.
// Only gui/ .cpp files include this.

class QMessageBox;

// Calls the message box observer (if any) with a view of Box once it is on the screen.
void ObserveQtMessageBox(QMessageBox& Box);
