// Tables written back as quiz sources: the markup read back from its RTF, RTF the markup cannot say
// kept whole, and the game's own quiz sources through build, export and build again.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "quiz_error.h"
#include "quiz_export.h"
#include "quiz_markup.h"
#include "quiz_source.h"
#include "quiz_table.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

std::vector<TQuizSource> GameSources() {
  std::vector<std::string> paths;
  for (const auto& entry : fs::directory_iterator(QUIZ_SOURCE_DIR)) {
    if (entry.path().extension() == ".quiz") paths.push_back(entry.path().string());
  }
  std::sort(paths.begin(), paths.end());
  std::vector<TQuizSource> sources;
  for (const auto& path : paths)
    sources.push_back(LoadQuizSource(path, true));
  return sources;
}

// The rows of each category in row order: what the game's category queries see.
std::map<std::string, std::vector<std::vector<std::optional<std::string>>>> ByCategory(
    const TTableDump& dump) {
  const size_t quizName = static_cast<size_t>(
      std::find(dump.columns.begin(), dump.columns.end(), "QuizName") - dump.columns.begin());
  std::map<std::string, std::vector<std::vector<std::optional<std::string>>>> rows;
  for (const auto& row : dump.rows)
    rows[row.at(quizName).value_or("")].push_back(row);
  return rows;
}

TTableDump BuildAndRead(const TTempFolder& folder, const std::string& name,
                        const std::vector<TQuizSource>& sources) {
  WriteQuizTable(folder.File(name), "pelmut", QuizRows(sources));
  return ReadTable(folder.File(name), "pelmut");
}

TTableDump OneRowTable(const std::optional<std::string>& question, const std::optional<std::string>& answer) {
  TTableDump dump;
  dump.tableName = "pack";
  dump.columns = {"Order",    "QuizName",  "Question", "Answer",    "Hint",
                  "AnswerTx", "Encourage", "Riff",     "UserAnswer"};
  dump.rows.push_back({"Q1", "Trivia", question, answer, std::nullopt, "C", std::nullopt, std::nullopt, "x"});
  return dump;
}

TEST(RtfToMarkup, ReadsBackEveryKindOfMarkupTheConverterWrites) {
  const std::vector<std::string> lines = {
      "= A **bold** title",
      "Plain, **bold**, //italic//, __under__ and {navy|navy {red|red **inside**}} words.", "",
      "Literal \\*\\* stars, a_b, 2/3, 5 * 4, http:\\/\\/example.org, \\{braces\\} and a \\\\ backslash.",
      "\\= not a title, a\ttab, caf\xC3\xA9, \xE2\x82\xAC and \xF0\x9F\x8E\xAC beyond the first plane."};
  const std::string rtf = MarkupToRtf(lines, "test", 1);
  const auto back = RtfToMarkup(rtf);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(MarkupToRtf(*back, "test", 1), rtf);
  ASSERT_EQ(back->size(), lines.size());
  // Spans and titles come back as the markup a person writes, and lone markup characters stay plain.
  EXPECT_EQ((*back)[0], lines[0]);
  EXPECT_EQ((*back)[1], lines[1]);
  EXPECT_EQ((*back)[2], "");
  EXPECT_NE((*back)[3].find("a_b, 2/3, 5 * 4, http:\\/\\/example.org"), std::string::npos) << (*back)[3];
}

TEST(RtfToMarkup, GivesUpOnRtfTheMarkupCannotSay) {
  const std::string editorRtf =
      "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\n{\\fonttbl{\\f0\\fswiss Sans Serif;}}\n"
      "\\pard\\fi360\\f0\\fs20 Indented\\par\n}\n";
  EXPECT_FALSE(RtfToMarkup(editorRtf).has_value());
  // The converter's own header with a word it never writes, and a span left open.
  const std::string header = MarkupToRtf({"x"}, "", 0);
  std::string strike = header;
  strike.replace(strike.rfind('x'), 1, "{\\strike x}");
  EXPECT_FALSE(RtfToMarkup(strike).has_value());
  std::string open = header;
  open.replace(open.rfind('x'), 1, "{\\b x");
  EXPECT_FALSE(RtfToMarkup(open).has_value());
  // A last empty paragraph and a paragraph of blanks are what a block cannot hold.
  EXPECT_FALSE(RtfToMarkup(MarkupToRtf({"x", ""}, "", 0)).has_value());
  EXPECT_FALSE(RtfToMarkup(MarkupToRtf({"x", "   ", "y"}, "", 0)).has_value());
  EXPECT_TRUE(RtfToMarkup(MarkupToRtf({"x", "", "y"}, "", 0)).has_value());
}

TEST(QuizExport, TheGameSourcesComeBackRowForRowThroughExportAndBuild) {
  TTempFolder folder("quiz-export");
  const TTableDump original = BuildAndRead(folder, "vezedezavuza.db", GameSources());
  const TExport exported = ExportQuizSources(original);
  EXPECT_TRUE(exported.notes.empty());
  ASSERT_EQ(exported.sources.size(), 3u);
  for (const auto& source : exported.sources)
    EXPECT_EQ(source.text.find("-rtf:"), std::string::npos) << source.fileName << " needed raw RTF";

  const auto paths = WriteQuizSources(exported, folder.File("sources"));
  std::vector<TQuizSource> again;
  for (const auto& path : paths)
    again.push_back(LoadQuizSource(path, true));
  const TTableDump rebuilt = BuildAndRead(folder, "rebuilt.db", again);
  EXPECT_EQ(rebuilt.columns, original.columns);
  EXPECT_EQ(rebuilt.rows.size(), original.rows.size());
  EXPECT_EQ(ByCategory(rebuilt), ByCategory(original));
  EXPECT_TRUE(fs::exists(folder.File("sources/classic-television-2.quiz")));
}

TEST(QuizExport, KeepsEditorRtfAndTheUserAnswerByteForByte) {
  const std::string editorRtf =
      "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deftab720\n{\\fonttbl{\\f0\\fswiss Sans Serif;}}\n"
      "\\pard\\fi360\\f0\\fs20 An {\\b indented} question\\par\n\n\\pard A. one\\par\n}\n";
  const TTableDump table = OneRowTable(editorRtf, MarkupToRtf({"**C.** Three"}, "", 0));
  const TExport exported = ExportQuizSources(table);
  EXPECT_TRUE(exported.notes.empty());
  ASSERT_EQ(exported.sources.size(), 1u);
  const std::string& text = exported.sources[0].text;
  EXPECT_NE(text.find("text-rtf:\n"), std::string::npos) << text;
  EXPECT_NE(text.find("answer:\n  **C.** Three\n"), std::string::npos) << text;
  EXPECT_NE(text.find("user-answer: x\n"), std::string::npos) << text;

  const auto rows = QuizRows({ParseQuizSource(text, "pack.quiz", false)});
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].question, editorRtf);
  EXPECT_EQ(rows[0].userAnswer, "x");
  EXPECT_EQ(rows[0].answerTx, "C");
}

TEST(QuizExport, NotesWhatOnlyReadsTheSameAndRefusesRowsASourceCannotHold) {
  // Carriage returns between the lines of stored RTF come back as line feeds: the same text.
  const TExport crlf =
      ExportQuizSources(OneRowTable("{\\rtf1\\ansi\r\nWindows lines\\par\r\n}", "{\\rtf1 A}\n"));
  ASSERT_EQ(crlf.notes.size(), 1u);
  EXPECT_NE(crlf.notes[0].find("row 1 (Q1): Question"), std::string::npos) << crlf.notes[0];

  try {
    ExportQuizSources(OneRowTable("{\\rtf1 Q}", std::nullopt));
    FAIL() << "a row without an answer was exported";
  } catch (const EQuizError& error) {
    EXPECT_NE(std::string(error.what()).find("row 1 (Q1): it has no Answer"), std::string::npos)
        << error.what();
  }
  TTableDump noLetter = OneRowTable("{\\rtf1 Q}", "{\\rtf1 A}");
  noLetter.rows[0][5] = std::nullopt;
  EXPECT_THROW(ExportQuizSources(noLetter), EQuizError);
  TTableDump notQuiz = OneRowTable("{\\rtf1 Q}", "{\\rtf1 A}");
  notQuiz.columns[5] = "Letter";
  EXPECT_THROW(ExportQuizSources(notQuiz), EQuizError);
}

TEST(QuizExport, CategoriesWithTheSameFileNameGetFilesOfTheirOwn) {
  TTableDump table = OneRowTable("{\\rtf1 Q}", "{\\rtf1 A}");
  table.rows.push_back(table.rows[0]);
  table.rows[1][1] = "TRIVIA!";
  table.rows.push_back(table.rows[0]);
  const TExport exported = ExportQuizSources(table);
  ASSERT_EQ(exported.sources.size(), 2u);
  EXPECT_EQ(exported.sources[0].fileName, "trivia.quiz");
  EXPECT_EQ(exported.sources[0].questions, 2);
  EXPECT_EQ(exported.sources[1].fileName, "trivia-2.quiz");
}

}  // namespace
