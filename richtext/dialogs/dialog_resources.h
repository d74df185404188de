#pragma once
// The stored layouts of the paragraph and tab dialogs are compiled into the rich text library; a
// dialog calls this so that a program linking the library also links them.

void LinkRichDialogResources();
