#pragma once
// What the paragraph and tab dialogs take as a measurement typed into a box: a number in the
// control's units, with or without its unit suffix ("0.5", "0.5''", "1 cm", "1cm").

#include <optional>
#include <string>

class TwwCustomRichEdit;

// The largest indent, spacing or tab position the dialogs take, either way: 22 inches.
inline constexpr int kMaxDialogTwips = 31680;

// The twips of a box's text in the control's units, or nothing when the text is no number or lies
// beyond 22 inches either way. A box that is empty (or holds only a unit suffix) reads as 0.
std::optional<int> EnteredTwips(const TwwCustomRichEdit& Control, const std::string& Text);
