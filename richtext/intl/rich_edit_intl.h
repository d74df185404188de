#pragma once
// The rich text family's text table: one process-wide set of captions, hints and messages that
// every control, window and dialog of the family reads when it shows, so that an application can
// translate them at run time (assign to the fields before the next menu, window or dialog shows).
//
//   RichEditIntl().PopupMenuLabels.FindCaption = "&Suchen";
//
// Defaults are the English texts below. The editor window's hints follow the convention of the
// framework: the part before " | " is the tool tip, the rest the status bar text.

#include <string>

// Captions of a control's built-in popup menu.
struct TwwRichEditPopupMenuLabels {
  std::string EditCaption = "&Edit";
  std::string ViewCaption = "&View";
  std::string CutCaption = "Cu&t";
  std::string CopyCaption = "&Copy";
  std::string PasteCaption = "&Paste";
  std::string FontCaption = "&Font";
  std::string BulletStyleCaption = "&Bullet Style";
  std::string BoldCaption = "B&old";
  std::string ItalicCaption = "&Italic";
  std::string UnderlineCaption = "&Underline";
  std::string ParagraphCaption = "P&aragraph";
  std::string TabsCaption = "&Tabs";
  std::string FindCaption = "Fin&d";
  std::string ReplaceCaption = "&Replace";
  std::string InsertObjectCaption = "&Insert &Object...";
};

// Captions of the editor window's main menu. The Redo item and the Ruler item keep their
// layout captions.
struct TwwRichEditMenuLabels {
  std::string FileCaption = "&File";
  std::string LoadCaption = "&Load";
  std::string SaveAsCaption = "Save &As";
  std::string SaveExitCaption = "&Save and Exit";
  std::string PrintCaption = "&Print";
  std::string PageSetupCaption = "Page Set&up";
  std::string ExitCaption = "E&xit";
  std::string EditCaption = "&Edit";
  std::string UndoCaption = "&Undo";
  std::string CutCaption = "Cu&t";
  std::string CopyCaption = "&Copy";
  std::string PasteCaption = "&Paste";
  std::string ClearCaption = "Cle&ar";
  std::string SelectallCaption = "Select A&ll";
  std::string FindCaption = "&Find";
  std::string FindNextCaption = "Find &Next";
  std::string ReplaceCaption = "R&eplace";
  std::string InsertObjectCaption = "&Object...";
  std::string ViewCaption = "&View";
  std::string ToolbarCaption = "&Toolbar";
  std::string FormatBarCaption = "&Format Bar";
  std::string ViewStatusBarCaption = "&Status Bar";
  std::string OptionsCaption = "&Options";
  std::string FormatCaption = "F&ormat";
  std::string FontCaption = "&Font";
  std::string BulletStyleCaption = "&Bullet Style";
  std::string ParagraphCaption = "&Paragraph";
  std::string TabsCaption = "&Tabs";
  std::string HelpCaption = "Help";
};

// Hints of the editor window's boxes, buttons and menu items, and its lock-key panels.
struct TwwRichEditHints {
  std::string FontNameComboHint = "Font | Changes the font of the selection";
  std::string FontSizeComboHint = "Font Size | Changes the font size of the selection";
  std::string NewButtonHint = "New | Creates a new document";
  std::string LoadButtonHint = "Load | Load from file";
  std::string SaveAsButtonHint = "Save As | Save to file";
  std::string PrintButtonHint = "Print | Prints the active document";
  std::string FindButtonHint = "Find | Finds the specified text";
  std::string CutButtonHint = "Cut | Cuts the selection and puts it on the Clipboard";
  std::string CopyButtonHint = "Copy | Copies the selection and puts it on the Clipboard";
  std::string UndoButtonHint = "Undo | Reverses the last action";
  std::string PasteButtonHint = "Paste | Inserts Clipboard contents";
  std::string BoldButtonHint = "Bold | Makes the selection bold (toggle)";
  std::string UnderlineButtonHint = "Underline | Formats the selection with a continuous underline (toggle)";
  std::string ItalicButtonHint = "Italic | Makes the selection italic (toggle)";
  std::string LeftButtonHint = "Align Left | Left-justifies paragraph (toggle)";
  std::string CenterButtonHint = "Center | Center-justifies paragraph (toggle)";
  std::string RightButtonHint = "Align Right | Right-justifies paragraph (toggle)";
  std::string BulletButtonHint = "Bullets | Inserts a bullet on this line (toggle)";
  std::string SaveExitHint = "Save And Exit | Saves changes and exits editor";
  std::string PageSetupHint = "Page Setup | Changes page layout settings";
  std::string ExitHint = "Exit";
  std::string ClearHint = "Erases the Selection";
  std::string SelectAllHint = "Selects all of the text";
  std::string FindNextHint = "Repeats the last find";
  std::string ReplaceHint = "Replaces specific text with different text";
  std::string InsertObjectHint = "Inserts new embedded object";
  std::string ToolbarHint = "Shows or hides the toolbar";
  std::string FormatBarHint = "Shows or hides the format bar";
  std::string ViewStatusBarHint = "Shows or hides the status bar";
  std::string OptionsHint = "Sets options";
  std::string FontHint = "Selects font for current selection";
  std::string ParagraphHint = "Formats current or selected paragraph(s)";
  std::string TabsHint = "Sets tabs";
  std::string CAPLockCaption = "CAP";
  std::string NUMLockCaption = "NUM";
};

// Captions and hints of the paragraph dialog.
struct TwwRichEditParagraphDlg {
  std::string ParagraphDlgCaption = "Paragraph";
  std::string IndentationGroupBoxCaption = "Indentation";
  std::string LeftEditCaption = "Left:";
  std::string RightEditCaption = "Right:";
  std::string FirstLineEditCaption = "First line:";
  std::string AlignmentCaption = "Alignment";
  std::string SpacingGroupCaption = "Spacing";
  std::string BeforeParagraphCaption = "&Before";
  std::string AfterParagraphCaption = "Aft&er";
  std::string WithinParagraphCaption = "Li&ne Spacing";
  std::string WithinParagraphAtCaption = "&At";
  std::string LeftEditHint = "Left Indentation";
  std::string RightEditHint = "Right Indentation";
  std::string FirstLineEditHint = "First Line of Paragraph Indentation";
  std::string AlignmentHint = "Changes Alignment of Paragraph";
  std::string AlignLeft = "Left";
  std::string AlignRight = "Right";
  std::string AlignCenter = "Center";
};

// Captions and hints of the tab dialog.
struct TwwRichEditTabDlg {
  std::string TabDlgCaption = "Tab";
  std::string TabGroupBoxCaption = "&Tab Stop Position";
  std::string SetTabButtonCaption = "Set";
  std::string ClearTabButtonCaption = "Clear";
  std::string ClearAllButtonCaption = "Clear All";
  std::string TabPositionEditHint = "Tab Position Edit Box";
  std::string ListBoxHint = "List of tabs and their positions";
  std::string SetButtonHint = "Set a new tab position";
  std::string ClearButtonHint = "Clear the selected tab position";
  std::string ClearAllButtonHint = "Clear all the tabs";
};

// Messages the family shows in message boxes.
struct TwwUserMessagesIntl {
  std::string LocateNoMoreMatches = "No more matches found";
  // Two blanks after the exclamation mark, as the message has always read.
  std::string RichEditExitWarning = "Changes have been made!  Do you wish to save your changes?";
  std::string RichEditClearWarning = "Clear entire text?";
};

// The captions of the buttons every dialog of the family shares.
struct TwwButtonCaptions {
  std::string OKCaption = "&OK";
  std::string CancelCaption = "Cancel";
};

struct TwwDBRichEditIntl {
  TwwRichEditPopupMenuLabels PopupMenuLabels;
  TwwRichEditMenuLabels MenuLabels;
  TwwRichEditHints Hints;
  TwwRichEditParagraphDlg ParagraphDlg;
  TwwRichEditTabDlg TabDlg;
  TwwUserMessagesIntl UserMessages;
  TwwButtonCaptions Buttons;
};

// The process-wide table. GUI thread only, like everything that shows its texts.
TwwDBRichEditIntl& RichEditIntl();
// Puts every text back to its default (for tests, and for an application switching back).
void ResetRichEditIntl();
