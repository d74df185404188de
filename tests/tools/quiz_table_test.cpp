// The quiz table and configuration that the build leaves beside the program, read through the engine
// under the alias "vozaza" as the game reads them.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>

#include "engine_harness.h"
#include "quiz_source.h"

namespace fs = std::filesystem;

namespace {

class BuiltQuizTable : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(api.EngineInit, nullptr);
    EngEnv env{};
    std::strcpy(env.language, "0009");
    const std::string config = std::string(RUNTIME_DIR) + "/dbengine.cfg";
    std::strcpy(env.configFile, config.c_str());
    ASSERT_EQ(api.EngineInit(ENG_VERSION, &env), ENG_OK);
    ASSERT_EQ(api.EngOpenDatabase("vozaza", nullptr, ENG_OPEN_READONLY, ENG_SHARE_SHARED, "", &db), ENG_OK);
  }
  void TearDown() override { api.EngineExit(); }

  std::vector<std::string> Orders(EngHandle cursor) {
    EngCursorProps props{};
    EXPECT_EQ(api.EngGetCursorProps(cursor, &props), ENG_OK);
    std::vector<unsigned char> record(props.recordSize);
    std::vector<std::string> orders;
    while (api.EngGetNextRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr) == ENG_OK) {
      char order[8] = {};
      EXPECT_EQ(api.EngGetField(cursor, 1, record.data(), order, nullptr), ENG_OK);
      orders.push_back(order);
    }
    return orders;
  }

  const TEngineApi& api = TEngineApi::Built();
  EngHandle db = 0;
};

TEST_F(BuiltQuizTable, NeedsItsPasswordAndHasTheNineFields) {
  EngHandle cursor = 0;
  const auto open = [&] {
    return api.EngOpenTable(db, "vezedezavuza.db", "PARADOX", nullptr, nullptr, 0, ENG_OPEN_READONLY,
                            ENG_SHARE_SHARED, ENG_XLT_RECORD, 0, nullptr, &cursor);
  };
  EXPECT_EQ(open(), ENG_ERR_PASSWORD);
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  ASSERT_EQ(open(), ENG_OK);
  EngCursorProps props{};
  ASSERT_EQ(api.EngGetCursorProps(cursor, &props), ENG_OK);
  std::vector<EngFieldDesc> fields(props.fieldCount);
  ASSERT_EQ(api.EngGetFieldDescs(cursor, fields.data()), ENG_OK);
  std::vector<std::string> described;
  for (const auto& field : fields) {
    described.push_back(std::string(field.name) + " " + std::to_string(field.fieldType) + " " +
                        std::to_string(field.units1));
  }
  EXPECT_EQ(described,
            (std::vector<std::string>{"Order 1 5", "QuizName 1 20", "Question 3 1", "Answer 3 1", "Hint 3 1",
                                      "AnswerTx 1 1", "Encourage 3 1", "Riff 3 1", "UserAnswer 1 1"}));
}

TEST_F(BuiltQuizTable, EachCategorysStatementReturnsExactlyItsSourceQuestions) {
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  std::map<std::string, std::vector<std::string>> expected;
  size_t total = 0;
  if (fs::is_directory(QUIZ_SOURCE_DIR)) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(QUIZ_SOURCE_DIR)) {
      if (entry.path().extension() == ".quiz") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
      const TQuizSource source = LoadQuizSource(file.string(), true);
      for (const auto& question : source.questions)
        expected[source.category].push_back(question.order);
      total += source.questions.size();
    }
  }
  for (const auto& [category, orders] : expected) {
    EngHandle statement = 0, cursor = 0;
    ASSERT_EQ(api.EngAllocStatement(db, ENG_LANG_SQL, &statement), ENG_OK);
    const std::string sql = "Select * from vezedezavuza where QuizName = \"" + category + "\"\r\n";
    ASSERT_EQ(api.EngPrepareStatement(statement, sql.c_str()), ENG_OK);
    ASSERT_EQ(api.EngExecuteStatement(statement, &cursor), ENG_OK);
    EXPECT_EQ(Orders(cursor), orders) << category;
    api.EngFreeStatement(statement);
  }
  EngHandle cursor = 0;
  ASSERT_EQ(api.EngOpenTable(db, "vezedezavuza", nullptr, nullptr, nullptr, 0, ENG_OPEN_READONLY,
                             ENG_SHARE_SHARED, ENG_XLT_RECORD, 0, nullptr, &cursor),
            ENG_OK);
  EXPECT_EQ(Orders(cursor).size(), total);
}

}  // namespace
