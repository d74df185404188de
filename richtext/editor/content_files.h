#pragma once
// Loading and saving a rich text control's content as a file without losing anything: a file
// that is no text, or too large to edit, is refused before the control is touched, and a save
// goes to a temporary file beside the target that then takes its place, so that a failure
// halfway leaves the old file whole. Both go through the conversion registered for the file's
// extension.

#include <string>

class TwwCustomRichEdit;

// Larger files are refused: the editor is for documents, not for data dumps.
inline constexpr int kMaxEditableFileMegabytes = 32;

// Raises EFOpenError when the file is missing, too large, or neither RTF nor text.
void CheckEditableFile(const std::string& FileName);
// CheckEditableFile, then the control's LoadContentFile.
void LoadEditableFile(TwwCustomRichEdit& Control, const std::string& FileName);
// The control's SaveContentFile into a temporary file that then replaces FileName.
void SaveContentFileReplacing(TwwCustomRichEdit& Control, const std::string& FileName);
