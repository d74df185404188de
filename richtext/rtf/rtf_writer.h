#pragma once
// Writing the document model as RTF.
//
// The output is plain 7-bit RTF: text outside ASCII is written as \uN with a "?" for readers without
// Unicode, bullets and numbering in the old \pn form that word processors commonly read,
// hyperlinks as HYPERLINK fields, pictures as hexadecimal \pict data. ReadRtf reads it back to an equal
// document, provided the document is one the reader could have made (no empty text items, no two
// neighbouring text items of equal format, indexes inside the tables, sizes within the reader's limits).

#include <string>

#include "rtf_document.h"

std::string WriteRtf(const TRtfDocument& document);
