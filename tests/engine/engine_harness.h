// Test harness: the engine reached the way the program reaches it, through dlopen and entry names only.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dbengine.h"
#include "quiz_table.h"
#include "temp_folder.h"

// Every entry of libdbengine.so, resolved by name.
struct TEngineApi {
#define DECLARE_ENTRY(name) decltype(&::name) name = nullptr;
  ENG_ENTRIES(DECLARE_ENTRY)
#undef DECLARE_ENTRY

  // Loads a library file (the built one by default) and resolves every entry; fails the test otherwise.
  static TEngineApi Load(const std::string& path);
  // The built library, loaded once per process, its LIBINITFUNCTION run.
  static const TEngineApi& Built();
  void* library = nullptr;
};

struct TErrorLine {
  EngResult status;
  int32_t native;
  std::string text;
};

// A small quiz in four categories: three rows of "Classic Television 2", four of "ET1", two of
// "Banana Splits 1" and one of "Classic Television 3", mixed in file order.
std::vector<TQuizRow> SampleQuizRows();
void WriteText(const std::string& path, const std::string& text);
std::string ReadBytes(const std::string& path);

// A started engine whose configuration defines the alias "quiz" for a folder holding the sample quiz table
// "vezedezavuza.db" (password "pelmut") and nothing else.
class TEngineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  const TEngineApi& api = TEngineApi::Built();
  TTempFolder folder{"dbengine-test"};
  std::string dataFolder;
  std::string configPath;

  // Writes a configuration file and starts the engine with it.
  void StartEngine(const std::string& configText);
  std::vector<TErrorLine> ErrorStack() const;
  std::string ErrorTexts() const;  // every entry's text, joined with " | "
  EngHandle OpenDatabase(const char* alias = "quiz");
  EngHandle OpenQuizTable(EngHandle db);  // adds the password first
  EngCursorProps Props(EngHandle cursor) const;
  std::vector<EngFieldDesc> Fields(EngHandle cursor) const;
  EngHandle Execute(EngHandle db, const std::string& sql);
  // The text of a string field of record, or nullopt when blank.
  std::optional<std::string> Text(EngHandle cursor, const std::vector<unsigned char>& record,
                                  uint16_t field) const;
  std::string Blob(EngHandle cursor, const std::vector<unsigned char>& record, uint16_t field,
                   uint32_t chunk) const;
  // Every row's value of one string field, reading forward from the start.
  std::vector<std::string> Column(EngHandle cursor, uint16_t field) const;

  bool started = false;
};

// Checks that result is status and that the error stack explains it (a non-empty text mentioning part).
#define EXPECT_FAILS_WITH(call_, status_, part_)                            \
  do {                                                                      \
    const EngResult result_ = (call_);                                      \
    EXPECT_EQ(ENG_STATUS(result_), (status_)) << ErrorTexts();              \
    const auto stack_ = ErrorStack();                                       \
    ASSERT_FALSE(stack_.empty()) << "no error stack";                       \
    EXPECT_EQ(stack_.front().status, static_cast<EngResult>(status_));      \
    EXPECT_NE(ErrorTexts().find(part_), std::string::npos) << ErrorTexts(); \
  } while (0)
