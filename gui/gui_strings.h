#pragma once
// Messages of the window framework.

#include "core/string_table.h"

inline constexpr TResString SInvalidImage{"SInvalidImage", "Bitmap image is not valid"};
inline constexpr TResString SCannotShowModal{"SCannotShowModal", "Cannot make a visible window modal"};
inline constexpr TResString SCannotFocus{"SCannotFocus", "Cannot focus a disabled or invisible window"};
inline constexpr TResString SControlParentSetToSelf{"SControlParentSetToSelf",
                                                    "A control cannot have itself as its parent"};
inline constexpr TResString SParentRequired{"SParentRequired", "Control '%s' has no parent window"};
inline constexpr TResString SNoCanvasHandle{"SNoCanvasHandle", "Canvas does not allow drawing"};
inline constexpr TResString SUnknownException{"SUnknownException", "Unknown exception"};
inline constexpr TResString SMsgDlgWarning{"SMsgDlgWarning", "Warning"};
inline constexpr TResString SMsgDlgError{"SMsgDlgError", "Error"};
inline constexpr TResString SMsgDlgInformation{"SMsgDlgInformation", "Information"};
inline constexpr TResString SMsgDlgConfirm{"SMsgDlgConfirm", "Confirm"};
inline constexpr TResString SMsgDlgYes{"SMsgDlgYes", "&Yes"};
inline constexpr TResString SMsgDlgNo{"SMsgDlgNo", "&No"};
inline constexpr TResString SMsgDlgOK{"SMsgDlgOK", "OK"};
inline constexpr TResString SMsgDlgCancel{"SMsgDlgCancel", "Cancel"};
inline constexpr TResString SMsgDlgHelp{"SMsgDlgHelp", "&Help"};
inline constexpr TResString SMsgDlgAbort{"SMsgDlgAbort", "&Abort"};
inline constexpr TResString SMsgDlgRetry{"SMsgDlgRetry", "&Retry"};
inline constexpr TResString SMsgDlgIgnore{"SMsgDlgIgnore", "&Ignore"};
inline constexpr TResString SMsgDlgAll{"SMsgDlgAll", "&All"};
inline constexpr TResString SMsgDlgNoToAll{"SMsgDlgNoToAll", "N&o to All"};
inline constexpr TResString SMsgDlgYesToAll{"SMsgDlgYesToAll", "Yes to &All"};
inline constexpr TResString SDialogNoControl{"SDialogNoControl", "The dialog has no control named %s"};
inline constexpr TResString SDialogControlUnusable{"SDialogControlUnusable",
                                                   "The control %s of the dialog cannot be used now"};
inline constexpr TResString SDialogNoEntry{"SDialogNoEntry", "The list %s of the dialog has no entry \"%s\""};
inline constexpr TResString SFindDialogCaption{"SFindDialogCaption", "Find"};
inline constexpr TResString SReplaceDialogCaption{"SReplaceDialogCaption", "Replace"};
inline constexpr TResString SFindWhat{"SFindWhat", "Fi&nd what:"};
inline constexpr TResString SReplaceWith{"SReplaceWith", "Re&place with:"};
inline constexpr TResString SFindNextButton{"SFindNextButton", "&Find Next"};
inline constexpr TResString SReplaceButton{"SReplaceButton", "&Replace"};
inline constexpr TResString SReplaceAllButton{"SReplaceAllButton", "Replace &All"};
inline constexpr TResString SMatchWholeWord{"SMatchWholeWord", "Match &whole word only"};
inline constexpr TResString SMatchCase{"SMatchCase", "Match &case"};
inline constexpr TResString SDirection{"SDirection", "Direction"};
inline constexpr TResString SDirectionUp{"SDirectionUp", "&Up"};
inline constexpr TResString SDirectionDown{"SDirectionDown", "&Down"};
inline constexpr TResString SFontColorLabel{"SFontColorLabel", "&Color:"};
inline constexpr TResString SFontCustomColor{"SFontCustomColor", "Custom"};
inline constexpr TResString SFontSizeLimits{"SFontSizeLimits", "The size must be between %d and %d points"};
inline constexpr TResString SColorBlack{"SColorBlack", "Black"};
inline constexpr TResString SColorMaroon{"SColorMaroon", "Maroon"};
inline constexpr TResString SColorGreen{"SColorGreen", "Green"};
inline constexpr TResString SColorOlive{"SColorOlive", "Olive"};
inline constexpr TResString SColorNavy{"SColorNavy", "Navy"};
inline constexpr TResString SColorPurple{"SColorPurple", "Purple"};
inline constexpr TResString SColorTeal{"SColorTeal", "Teal"};
inline constexpr TResString SColorGray{"SColorGray", "Gray"};
inline constexpr TResString SColorSilver{"SColorSilver", "Silver"};
inline constexpr TResString SColorRed{"SColorRed", "Red"};
inline constexpr TResString SColorLime{"SColorLime", "Lime"};
inline constexpr TResString SColorYellow{"SColorYellow", "Yellow"};
inline constexpr TResString SColorBlue{"SColorBlue", "Blue"};
inline constexpr TResString SColorFuchsia{"SColorFuchsia", "Fuchsia"};
inline constexpr TResString SColorAqua{"SColorAqua", "Aqua"};
inline constexpr TResString SColorWhite{"SColorWhite", "White"};
inline constexpr TResString SFilterNoPattern{"SFilterNoPattern",
                                             "The file filter \"%s\" has a description without a pattern"};
inline constexpr TResString SFilterEmptyPattern{"SFilterEmptyPattern",
                                                "The file filter \"%s\" has an empty pattern for \"%s\""};
inline constexpr TResString SOpenDialogTitle{"SOpenDialogTitle", "Open"};
inline constexpr TResString SSaveDialogTitle{"SSaveDialogTitle", "Save As"};
inline constexpr TResString SFileExistsReplace{"SFileExistsReplace",
                                               "%s already exists.\nDo you want to replace it?"};
inline constexpr TResString SFileMissing{"SFileMissing", "The file %s does not exist."};
inline constexpr TResString SFolderMissing{"SFolderMissing", "The folder %s does not exist."};
inline constexpr TResString SPrinting{"SPrinting", "Printing in progress"};
inline constexpr TResString SNotPrinting{"SNotPrinting", "Printer is not currently printing"};
inline constexpr TResString SPrinterIndexError{"SPrinterIndexError", "Printer selected is not valid"};
inline constexpr TResString SUnknownPaperSize{"SUnknownPaperSize", "Paper size %d is not known"};
inline constexpr TResString SCannotPrintTo{"SCannotPrintTo", "Cannot print to %s"};
inline constexpr TResString SCannotStartPage{"SCannotStartPage", "Cannot start a new page"};
inline constexpr TResString SPageSetupCaption{"SPageSetupCaption", "Page Setup"};
inline constexpr TResString SPaperGroup{"SPaperGroup", "Paper"};
inline constexpr TResString SPaperSizeLabel{"SPaperSizeLabel", "Si&ze:"};
inline constexpr TResString SOrientationGroup{"SOrientationGroup", "Orientation"};
inline constexpr TResString SPortrait{"SPortrait", "P&ortrait"};
inline constexpr TResString SLandscape{"SLandscape", "L&andscape"};
inline constexpr TResString SMarginsInches{"SMarginsInches", "Margins (inches)"};
inline constexpr TResString SMarginsMillimeters{"SMarginsMillimeters", "Margins (millimeters)"};
inline constexpr TResString SMarginLeft{"SMarginLeft", "&Left:"};
inline constexpr TResString SMarginRight{"SMarginRight", "&Right:"};
inline constexpr TResString SMarginTop{"SMarginTop", "&Top:"};
inline constexpr TResString SMarginBottom{"SMarginBottom", "&Bottom:"};
inline constexpr TResString SMarginsTooLarge{"SMarginsTooLarge", "The margins leave no room on the paper"};
