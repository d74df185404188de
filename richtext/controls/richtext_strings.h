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
