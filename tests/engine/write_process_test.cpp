// Writing while another process writes the same table: a changed row is never overwritten, and a
// process killed in the middle of its posts leaves a sound table holding either the old row or the new.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <thread>

#include "engine_harness.h"

namespace {

constexpr uint16_t kQuizName = 2, kQuestion = 3;

class EngineWriteProcesses : public TEngineTest {
 protected:
  void SetUp() override {
    TEngineTest::SetUp();
    ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
    ASSERT_EQ(api.EngOpenDatabase("quiz", nullptr, ENG_OPEN_READWRITE, ENG_SHARE_SHARED, "", &db), ENG_OK);
  }
  EngHandle Open(uint32_t mode = ENG_OPEN_READWRITE) {
    EngHandle cursor = 0;
    EXPECT_EQ(api.EngOpenTable(db, "vezedezavuza", nullptr, nullptr, nullptr, 0, mode, ENG_SHARE_SHARED,
                               ENG_XLT_RECORD, 0, nullptr, &cursor),
              ENG_OK)
        << ErrorTexts();
    return cursor;
  }
  // Starts the child program with the given mode arguments; its output goes to output when given.
  pid_t Spawn(std::vector<std::string> arguments, int output = -1) {
    arguments.insert(arguments.begin(), {WRITE_CHILD, DBENGINE_LIBRARY, configPath});
    std::vector<char*> argv;
    for (auto& argument : arguments)
      argv.push_back(argument.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
      if (output >= 0) dup2(output, STDOUT_FILENO);
      execv(argv[0], argv.data());
      _exit(127);
    }
    return child;
  }
  int Wait(pid_t child) {
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    return status;
  }
  std::string TablePath() const { return dataFolder + "/vezedezavuza.db"; }

  EngHandle db = 0;
};

TEST_F(EngineWriteProcesses, TheSecondPostOfARowAnotherProcessChangedReportsItAndLosesNothing) {
  const EngHandle cursor = Open();
  std::vector<unsigned char> record(Props(cursor).recordSize);
  ASSERT_EQ(api.EngGetNextRecord(cursor, ENG_LOCK_WRITE, record.data(), nullptr), ENG_OK) << ErrorTexts();

  const int status = Wait(Spawn({"modify", "From the child"}));
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;

  ASSERT_EQ(api.EngPutField(cursor, kQuizName, record.data(), "From the parent"), ENG_OK);
  EXPECT_FAILS_WITH(api.EngModifyRecord(cursor, record.data(), 1), ENG_ERR_RECORD_CHANGED, "changed");
  const auto names = [&] { return Column(Open(ENG_OPEN_READONLY), kQuizName); };
  EXPECT_EQ(names().front(), "From the child");

  // Without an edit begun, the row the cursor read is what the file must still hold.
  ASSERT_EQ(api.EngCancelRecord(cursor, nullptr), ENG_OK);
  ASSERT_EQ(api.EngDeleteRecord(cursor, nullptr), ENG_ERR_RECORD_CHANGED);
  EXPECT_EQ(names().size(), SampleQuizRows().size());

  // Read afresh, the row can be edited again.
  ASSERT_EQ(api.EngGetRecord(cursor, ENG_LOCK_WRITE, record.data(), nullptr), ENG_OK) << ErrorTexts();
  EXPECT_EQ(Text(cursor, record, kQuizName), "From the child");
  ASSERT_EQ(api.EngPutField(cursor, kQuizName, record.data(), "From the parent"), ENG_OK);
  ASSERT_EQ(api.EngModifyRecord(cursor, record.data(), 1), ENG_OK) << ErrorTexts();
  EXPECT_EQ(names().front(), "From the parent");
}

// The sqlcipher shell's own verdict on the table file.
std::string IntegrityCheck(const std::string& path) {
  const std::string command =
      "sqlcipher -batch -cmd \"PRAGMA key='pelmut';\" '" + path + "' 'PRAGMA integrity_check;' 2>&1";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr)
      output += buffer;
    pclose(pipe);
  }
  return output;
}

TEST_F(EngineWriteProcesses, AProcessKilledDuringPostsLeavesASoundTableWithTheOldRowOrANewOne) {
  std::mt19937 random(std::random_device{}());
  int hotJournals = 0;
  for (int round = 0; round < 8; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    int progress[2];
    ASSERT_EQ(pipe(progress), 0);
    const pid_t child = Spawn({"churn"}, progress[1]);
    close(progress[1]);
    // Once the first post is in, the kill comes at a random moment of the ones that follow.
    char posted = 0;
    const bool onePost = read(progress[0], &posted, 1) == 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(random() % 400));
    ASSERT_EQ(kill(child, SIGKILL), 0);
    close(progress[0]);
    const int status = Wait(child);
    ASSERT_TRUE(onePost) << "the child posted nothing";
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself: " << status;
    hotJournals += std::filesystem::exists(TablePath() + "-journal") ? 1 : 0;

    const std::string verdict = IntegrityCheck(TablePath());
    ASSERT_EQ(verdict.substr(verdict.size() >= 3 ? verdict.size() - 3 : 0), "ok\n") << verdict;
    ASSERT_EQ(verdict.find("rror"), std::string::npos) << verdict;

    const EngHandle cursor = Open(ENG_OPEN_READONLY);
    std::vector<unsigned char> record(Props(cursor).recordSize);
    ASSERT_EQ(api.EngGetNextRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr), ENG_OK) << ErrorTexts();
    const std::string name = Text(cursor, record, kQuizName).value_or("");
    const std::string blob = Blob(cursor, record, kQuestion, 1 << 20);
    // A post was committed before the kill, so the row is one the child wrote, whole.
    ASSERT_FALSE(name.empty());
    ASSERT_EQ(name.front(), 'v') << name;
    const auto n = static_cast<uint32_t>(std::stoul(name.substr(1)));
    EXPECT_EQ(blob.size(), 512u * 1024 + (n * 7919u) % (1536 * 1024));
    EXPECT_EQ(blob.find_first_not_of(static_cast<char>(n % 251)), std::string::npos) << "a torn blob";
    ASSERT_EQ(api.EngCloseCursor(cursor), ENG_OK);
  }
  // How many kills met a post in the middle (a journal left behind), for whoever reads the results.
  RecordProperty("HotJournals", hotJournals);
}

}  // namespace
