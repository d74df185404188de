// Starting and stopping the engine, sessions, callbacks and the error calls.
#include <dlfcn.h>

#include <cstring>
#include <filesystem>

#include "engine_harness.h"

namespace {

EngEnv EnglishEnv() {
  EngEnv env{};
  std::strcpy(env.language, "0009");
  return env;
}

TEST(EngineLifecycle, CallsBeforeInitAnswerNotStartedWithAnErrorEntry) {
  const TEngineApi& api = TEngineApi::Built();
  EngHandle session = 0;
  EXPECT_EQ(api.EngGetCurrentSession(&session), ENG_ERR_NOT_STARTED);
  int32_t native = -1;
  char text[ENG_MSG_BUFFER];
  EXPECT_EQ(api.EngGetErrorEntry(1, &native, text), ENG_ERR_NOT_STARTED);
  EXPECT_STRNE(text, "");
  EXPECT_EQ(api.EngGetErrorEntry(2, &native, text), 0u);
  EXPECT_EQ(api.EngineExit(), ENG_ERR_NOT_STARTED);
  // Texts of statuses need no started engine.
  EXPECT_EQ(api.EngGetErrorText(ENG_ERR_PASSWORD, text), ENG_OK);
  EXPECT_STREQ(text, "Table password missing or wrong");
  EXPECT_EQ(api.EngGetErrorText(0x12345678, text), ENG_OK);
  EXPECT_STREQ(text, "Engine status $5678");
}

TEST(EngineLifecycle, SecondInitAnswersAlreadyStartedAndNeedsItsOwnExit) {
  const TEngineApi& api = TEngineApi::Built();
  const EngEnv env = EnglishEnv();
  ASSERT_EQ(api.EngineInit(ENG_VERSION, &env), ENG_OK);
  EXPECT_EQ(api.EngineInit(ENG_VERSION, &env), ENG_ALREADY_STARTED);
  EXPECT_EQ(api.EngineExit(), ENG_OK);
  EngHandle session = 0;
  EXPECT_EQ(api.EngGetCurrentSession(&session), ENG_OK);
  EXPECT_NE(session, 0u);
  EXPECT_EQ(api.EngineExit(), ENG_OK);
  EXPECT_EQ(api.EngGetCurrentSession(&session), ENG_ERR_NOT_STARTED);
}

TEST(EngineLifecycle, InitRefusesAnotherVersionAndStartsWithoutARecord) {
  const TEngineApi& api = TEngineApi::Built();
  EXPECT_EQ(api.EngineInit(499, nullptr), ENG_ERR_VERSION);
  char text[ENG_MSG_BUFFER];
  api.EngGetErrorEntry(1, nullptr, text);
  EXPECT_NE(std::string(text).find("500"), std::string::npos) << text;
  EngHandle session = 0;
  EXPECT_EQ(api.EngGetCurrentSession(&session), ENG_ERR_NOT_STARTED);
  EXPECT_EQ(api.EngineInit(ENG_VERSION, nullptr), ENG_OK);
  EXPECT_EQ(api.EngineExit(), ENG_OK);
}

TEST(EngineLifecycle, BrokenConfigurationFileFailsInitNamingFileAndLine) {
  const TEngineApi& api = TEngineApi::Built();
  TTempFolder folder;
  WriteText(folder.File("broken.cfg"), "[DATABASES\\x\\DB INFO]\nthis line has no equals sign\n");
  EngEnv env = EnglishEnv();
  std::strcpy(env.configFile, folder.File("broken.cfg").c_str());
  EXPECT_EQ(api.EngineInit(ENG_VERSION, &env), ENG_ERR_CONFIG_FILE);
  char text[ENG_MSG_BUFFER];
  api.EngGetErrorEntry(1, nullptr, text);
  EXPECT_NE(std::string(text).find("broken.cfg:2"), std::string::npos) << text;
  std::strcpy(env.configFile, folder.File("missing.cfg").c_str());
  EXPECT_EQ(api.EngineInit(ENG_VERSION, &env), ENG_ERR_CONFIG_FILE);
  EngHandle session = 0;
  EXPECT_EQ(api.EngGetCurrentSession(&session), ENG_ERR_NOT_STARTED);
}

uint32_t CountDetach(uint32_t type, uintptr_t clientData, void*) {
  if (type == ENG_CB_DETACH) ++*reinterpret_cast<int*>(clientData);
  return 0;
}

TEST(EngineLifecycle, UnloadingAStartedEngineCallsTheDetachCallback) {
  TTempFolder folder;
  std::filesystem::copy_file(DBENGINE_LIBRARY, folder.File("libdbengine.so"));
  TEngineApi copy = TEngineApi::Load(folder.File("libdbengine.so"));
  ASSERT_EQ(copy.LIBINITFUNCTION(), ENG_OK);
  EngEnv env = EnglishEnv();
  ASSERT_EQ(copy.EngineInit(ENG_VERSION, &env), ENG_OK);
  int detached = 0;
  ASSERT_EQ(copy.EngRegisterCallback(0, ENG_CB_DETACH, reinterpret_cast<uintptr_t>(&detached), 0, nullptr,
                                     &CountDetach),
            ENG_OK);
  ASSERT_EQ(dlclose(copy.library), 0);
  EXPECT_EQ(detached, 1);
}

using EngineSessions = TEngineTest;

TEST_F(EngineSessions, PasswordsBelongToTheirSession) {
  EngHandle defaultSession = 0, extra = 0;
  ASSERT_EQ(api.EngGetCurrentSession(&defaultSession), ENG_OK);
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  ASSERT_EQ(api.EngStartSession("Second", "", &extra), ENG_OK);
  EngHandle current = 0;
  api.EngGetCurrentSession(&current);
  EXPECT_EQ(current, extra);

  EngHandle db = OpenDatabase(), cursor = 0;
  EXPECT_FAILS_WITH(api.EngOpenTable(db, "vezedezavuza", nullptr, nullptr, nullptr, 0, ENG_OPEN_READONLY,
                                     ENG_SHARE_SHARED, ENG_XLT_RECORD, 0, nullptr, &cursor),
                    ENG_ERR_PASSWORD, "vezedezavuza.db");

  ASSERT_EQ(api.EngSetCurrentSession(defaultSession), ENG_OK);
  EngHandle defaultDb = OpenDatabase();
  EXPECT_NE(OpenQuizTable(defaultDb), 0u);

  // Closing the second session closes its database; the default one stays current.
  EXPECT_EQ(api.EngCloseSession(extra), ENG_OK);
  char folderName[ENG_PATH_BUFFER];
  EXPECT_EQ(api.EngGetDirectory(db, folderName), ENG_ERR_INVALID_HANDLE);
  EXPECT_EQ(api.EngCloseSession(defaultSession), ENG_ERR_INVALID_PARAMETER);
}

TEST_F(EngineSessions, DroppingPasswordsOneOrAll) {
  EngHandle db = OpenDatabase(), cursor = 0;
  const auto open = [&] {
    return api.EngOpenTable(db, "vezedezavuza", nullptr, nullptr, nullptr, 0, ENG_OPEN_READONLY,
                            ENG_SHARE_SHARED, ENG_XLT_RECORD, 0, nullptr, &cursor);
  };
  ASSERT_EQ(api.EngAddPassword("wrong"), ENG_OK);
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  ASSERT_EQ(api.EngDropPassword("pelmut"), ENG_OK);
  EXPECT_EQ(open(), ENG_ERR_PASSWORD);
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  ASSERT_EQ(api.EngDropPassword(nullptr), ENG_OK);
  EXPECT_EQ(open(), ENG_ERR_PASSWORD);
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  EXPECT_EQ(open(), ENG_OK) << ErrorTexts();
}

struct TCallbackLog {
  std::vector<uint32_t> kinds;
  static uint32_t Record(uint32_t type, uintptr_t clientData, void* info) {
    auto* log = reinterpret_cast<TCallbackLog*>(clientData);
    uint32_t kind = 0;
    std::memcpy(&kind, info, sizeof kind);
    log->kinds.push_back(type * 100 + kind);
    return ENG_CBR_CONTINUE;
  }
};

TEST_F(EngineSessions, ServerCallCallbackRunsForKeysAndStatementsAndCanBeChained) {
  TCallbackLog log;
  uint32_t buffer = 0;
  ASSERT_EQ(api.EngRegisterCallback(0, ENG_CB_SERVERCALL, reinterpret_cast<uintptr_t>(&log), sizeof buffer,
                                    &buffer, &TCallbackLog::Record),
            ENG_OK);
  uintptr_t data = 0;
  uint16_t length = 0;
  void* registeredBuffer = nullptr;
  EngCallbackFn fn = nullptr;
  ASSERT_EQ(api.EngGetCallback(0, ENG_CB_SERVERCALL, &data, &length, &registeredBuffer, &fn), ENG_OK);
  EXPECT_EQ(data, reinterpret_cast<uintptr_t>(&log));
  EXPECT_EQ(length, sizeof buffer);
  EXPECT_EQ(registeredBuffer, &buffer);
  EXPECT_EQ(fn, &TCallbackLog::Record);

  EngHandle db = OpenDatabase();
  OpenQuizTable(db);  // key derivation of an encrypted table
  Execute(db, "Select * from vezedezavuza where QuizName = \"ET1\"\r\n");
  EXPECT_EQ(log.kinds, (std::vector<uint32_t>{2101, 2101}));

  ASSERT_EQ(api.EngRegisterCallback(0, ENG_CB_SERVERCALL, 0, 0, nullptr, nullptr), ENG_OK);
  ASSERT_EQ(api.EngGetCallback(0, ENG_CB_SERVERCALL, &data, &length, &registeredBuffer, &fn), ENG_OK);
  EXPECT_EQ(fn, nullptr);
  Execute(db, "Select * from vezedezavuza where QuizName = \"ET1\"\r\n");
  EXPECT_EQ(log.kinds.size(), 2u);
  EXPECT_FAILS_WITH(api.EngRegisterCallback(0, 22, 0, 0, nullptr, &TCallbackLog::Record),
                    ENG_ERR_INVALID_PARAMETER, "22");
}

TEST_F(EngineSessions, ClosedHandlesAreRefusedEvenWhenTheirSlotIsReused) {
  EngHandle first = OpenDatabase();
  ASSERT_EQ(api.EngCloseDatabase(first), ENG_OK);
  EngHandle second = OpenDatabase();
  EXPECT_NE(first, second);
  EXPECT_FAILS_WITH(api.EngCloseDatabase(first), ENG_ERR_INVALID_HANDLE, "not an open database");
  EXPECT_EQ(api.EngCloseCursor(second), ENG_ERR_INVALID_HANDLE);
  EXPECT_EQ(api.EngCloseCursor(0), ENG_ERR_INVALID_HANDLE);
  // A failing call's stack is replaced by the next call's (empty on success).
  char buffer[ENG_PATH_BUFFER];
  EXPECT_EQ(api.EngGetDirectory(second, buffer), ENG_OK);
  EXPECT_TRUE(ErrorStack().empty());
}

}  // namespace
