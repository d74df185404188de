// The real program started on damaged files: a folder in the table's place, a table whose first
// page is damaged, and an engine library cut short. Each start shows its error box, then the
// main window, and changes nothing.

#include <elf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "game_driver.h"
#include "quiz_source.h"
#include "quiz_table.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& Path, const std::string& Bytes) {
  std::ofstream(Path, std::ios::binary | std::ios::trunc) << Bytes;
}

// A configuration whose alias "vozaza" names a data folder of its own.
struct TData {
  std::string Folder = MakeTempFolder("brevant-damaged");
  std::string Table = Folder + "/data/vezedezavuza.db";
  TData() {
    fs::create_directory(Folder + "/data");
    std::ofstream(Folder + "/dbengine.cfg")
        << "[DATABASES\\vozaza\\DB INFO]\nTYPE=STANDARD\nPATH=" << Folder << "/data\n";
  }
  ~TData() {
    std::error_code ignored;
    fs::remove_all(Folder, ignored);
  }
  std::string Env() const { return "DBENGINE_CONFIG=" + Folder + "/dbengine.cfg"; }
};

// The start-up's error box: its text, read and dismissed with OK ("" when none came).
std::string ErrorBoxText(TGameRun& Game) {
  const unsigned long box = Game.WaitWindow("^Brevant 2$");
  if (box == 0) return {};
  const QImage shot = Game.Shot("", box);
  const std::string text = ReadText(shot, shot.rect(), 6);
  Game.Keys("Return", box);
  Game.WaitGone("^Brevant 2$");
  return text;
}

bool Contains(const std::string& Text, const std::string& Part) {
  return Text.find(Part) != std::string::npos;
}

TEST(DamagedFiles, AFolderInTheTablesPlaceIsReportedAsNoTable) {
  TData data;
  fs::create_directory(data.Table);
  TGameRun game({data.Env()});
  const std::string text = ErrorBoxText(game);
  EXPECT_TRUE(Contains(text, "not a table")) << text;
  EXPECT_NE(game.MainWindow(), 0u);
  game.Shot("damaged-folder-as-table");
  EXPECT_EQ(game.CloseAndWait(), 0);
}

TEST(DamagedFiles, ADamagedFirstPageIsACorruptTableNotAWrongPassword) {
  TData data;
  const std::string source = std::string(BREVANT_SOURCE_DIR) + "/quiz/";
  WriteQuizTable(data.Table, "pelmut", QuizRows({LoadQuizSource(source + "et1.quiz", true)}));
  std::string bytes = ReadFile(data.Table);
  bytes[300] = static_cast<char>(bytes[300] ^ 0x5A);
  WriteFile(data.Table, bytes);
  TGameRun game({data.Env()});
  // No password dialog: the box says what is wrong at once.
  EXPECT_FALSE(game.WindowShown("^Enter password$"));
  const std::string text = ErrorBoxText(game);
  EXPECT_TRUE(Contains(text, "corrupt")) << text;
  EXPECT_NE(game.MainWindow(), 0u);
  EXPECT_EQ(game.CloseAndWait(), 0);
  EXPECT_EQ(ReadFile(data.Table), bytes) << "the table changed";
}

TEST(DamagedFiles, AnEngineLibraryCutShortIsRefusedAndTheWindowStillShows) {
  // The program in a folder of its own beside a library cut in the middle of its code: the
  // current folder is searched first.
  TData data;
  fs::copy_file(RuntimeDir() + "/brevant", data.Folder + "/brevant");
  const std::string library = ReadFile(RuntimeDir() + "/libdbengine.so");
  Elf64_Ehdr header;
  std::memcpy(&header, library.data(), sizeof header);
  size_t codeEnd = 0;
  for (int i = 0; i < header.e_phnum; ++i) {
    Elf64_Phdr segment;
    std::memcpy(&segment, library.data() + header.e_phoff + i * sizeof segment, sizeof segment);
    if (segment.p_type == PT_LOAD && (segment.p_flags & PF_X) != 0)
      codeEnd = segment.p_offset + segment.p_filesz;
  }
  ASSERT_GT(codeEnd, 0u);
  WriteFile(data.Folder + "/libdbengine.so", library.substr(0, codeEnd / 2));
  TGameRun game({data.Env()}, data.Folder, data.Folder + "/brevant");
  const std::string text = ErrorBoxText(game);
  EXPECT_TRUE(Contains(text, "initialize the database engine")) << text;
  EXPECT_TRUE(Contains(text, "2109")) << text;
  EXPECT_NE(game.MainWindow(), 0u);
  game.Shot("damaged-engine-library");
  EXPECT_EQ(game.CloseAndWait(), 0);
}

}  // namespace
