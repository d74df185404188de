#pragma once
// Messages and default texts of the rich text controls.

#include "core/string_table.h"

inline constexpr TResString SRichEditLoadFail{"SRichEditLoadFail", "Failed to Load Stream"};
inline constexpr TResString SRichEditSaveFail{"SRichEditSaveFail", "Failed to Save Stream"};
inline constexpr TResString SRichEditInsertError{"SRichEditInsertError", "RichEdit line insertion error"};
inline constexpr TResString SRichEditCaption{"SRichEditCaption", "Edit Rich Text"};
// The text a control shows for a field it does not load by itself, and for a failed load.
inline constexpr TResString SRichEditPlaceholder{"SRichEditPlaceholder", "(%s)"};
// Fixed texts of the editor window (not part of the translatable text table).
inline constexpr TResString SRichEditOverwrite{"SRichEditOverwrite", "OK to overwrite %s"};
inline constexpr TResString SRichEditResizeError{"SRichEditResizeError", "Error in resize"};
// Embedded objects: the popup menu's item for the selected object and its verbs.
inline constexpr TResString SObjectMenuCaption{"SObjectMenuCaption", "%s &Object"};
inline constexpr TResString SObjectTypePackage{"SObjectTypePackage", "Package"};
inline constexpr TResString SObjectTypePicture{"SObjectTypePicture", "Picture"};
inline constexpr TResString SObjectVerbOpen{"SObjectVerbOpen", "&Open"};
inline constexpr TResString SObjectVerbSaveCopy{"SObjectVerbSaveCopy", "Save &Copy As..."};
inline constexpr TResString SInvalidVerb{"SInvalidVerb", "Invalid Verb"};
inline constexpr TResString SInsertObjectTitle{"SInsertObjectTitle", "Insert Object"};
inline constexpr TResString SInsertObjectFilter{
    "SInsertObjectFilter",
    "All Files (*.*)|*.*|Pictures "
    "(*.png;*.jpg;*.jpeg;*.gif;*.bmp;*.svg)|*.png;*.jpg;*.jpeg;*.gif;*.bmp;*.svg"};
inline constexpr TResString SObjectTooLarge{"SObjectTooLarge",
                                            "%s is too large to embed (more than %d megabytes)"};
inline constexpr TResString SObjectCannotRead{"SObjectCannotRead", "Cannot read %s"};
inline constexpr TResString SObjectCannotWrite{"SObjectCannotWrite", "Cannot write %s"};
inline constexpr TResString SObjectCannotOpen{"SObjectCannotOpen", "Nothing on this desktop opens %s"};
// Printing.
inline constexpr TResString SPrintNoRoom{"SPrintNoRoom", "The page margins leave no room to print on"};
// The editor window refuses files it cannot show as text, and files too large to edit.
inline constexpr TResString SRichEditNotText{"SRichEditNotText", "%s is neither rich text nor text"};
inline constexpr TResString SRichEditTooLarge{"SRichEditTooLarge",
                                              "%s is too large to edit here (more than %d MB)"};
