#pragma once
// Plain text in and out of the document model, as the rich text control streams text.

#include <string>
#include <string_view>

#include "rtf_document.h"

// Reads bytes that are not RTF. Text that is valid UTF-8 is taken as it is (byte-order marks are
// dropped); a byte that is no part of valid UTF-8 is read as code page 1252. CR LF, a lone CR and a lone
// LF each end a paragraph, so n line ends give n + 1 paragraphs (none for input with nothing to show). A tab
// becomes a tab item, a vertical tab a line break; other control characters are dropped. The text carries the
// default format with a size of 0: the control's default font, size and colour.
TRtfDocument ReadPlainText(std::string_view bytes);

// The document's text with CR LF between paragraphs and for line and page breaks; tabs as tabs;
// pictures are left out. ReadPlainText reads it back to the same text (a line break coming back as a
// paragraph break).
std::string WritePlainText(const TRtfDocument& document);
