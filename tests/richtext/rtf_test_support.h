#pragma once
// Helpers shared by the rich text suites.

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "rtf_document.h"

std::string ReadFileBytes(const std::filesystem::path& path);
// The files of a folder with the given extension, sorted by name.
std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder, const std::string& extension);

// The visible text of a document: paragraphs joined by "\n", tabs as "\t", line breaks as "|", page
// breaks as "^", pictures as "#".
std::string TextOf(const TRtfDocument& document);

// Readable dumps for test failures.
std::string Dump(const TRtfDocument& document);
void PrintTo(const TRtfDocument& document, std::ostream* out);
void PrintTo(const TRtfParagraph& paragraph, std::ostream* out);
