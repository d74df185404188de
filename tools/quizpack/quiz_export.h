// A quiz table written back as quiz sources, so that a table edited in a program can be reviewed,
// versioned and built again.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "quiz_table.h"

// The markup lines whose RTF (MarkupToRtf) is exactly rtf, as a source's block can hold them;
// nullopt when the markup cannot say it.
std::optional<std::vector<std::string>> RtfToMarkup(const std::string& rtf);

struct TExportedSource {
  std::string fileName;  // "classic-television-2.quiz"
  std::string category;
  std::string text;
  int questions = 0;
};

struct TExport {
  std::vector<TExportedSource> sources;  // in the order of each category's first row
  // What the sources cannot give back byte for byte ("row 3: Riff: ..."); the text reads the same.
  std::vector<std::string> notes;
};

// One source per category, its questions in row order. Blobs the markup can express are written as
// markup, others as RTF blocks. Every source is read back and built again before it is returned;
// a row that would not come back the same throws EQuizError naming the row and the field.
TExport ExportQuizSources(const TTableDump& table);

// Writes each source into folder (created when missing) and answers the paths written.
std::vector<std::string> WriteQuizSources(const TExport& exported, const std::string& folder);
