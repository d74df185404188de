// Sessions: passwords, names, start-up and stop with the engine's use count, further sessions,
// the databases they keep, and engine callbacks chained over each other.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/strings.h"
#include "data/engine/database.h"
#include "data/engine/engine_callback.h"
#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"
#include "data/engine/engine_loader.h"
#include "data/engine/query.h"
#include "data/engine/session.h"
#include "data/engine/sql_wait_cursor.h"
#include "data/engine/table.h"
#include "data/fields/field.h"
#include "engine_test_support.h"

namespace {

using ::testing::ElementsAre;

class SessionTest : public TEngineFixture {};

std::string MessageOf(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "<nothing raised>";
}

// Opens Table1 of a fresh form; answers whether it opened (the session asks nobody).
bool TableOpens(TSession* S = Session) {
  auto form = TQuizForm::Make();
  try {
    form->Table1()->SetSessionName(S->SessionName());
    form->Table1()->SetActive(true);
    return true;
  } catch (const EDBEngineError& e) {
    EXPECT_EQ(e.ErrorCode(), ENG_ERR_PASSWORD) << e.Message();
    return false;
  }
}

std::vector<std::string> Added;
EngResult (*AddPassword)(const char*) = nullptr;
EngResult RecordAddPassword(const char* Password) {
  Added.push_back(Password);
  return AddPassword(Password);
}

TEST_F(SessionTest, PasswordsAreStoredCutAndDropped) {
  EXPECT_FALSE(Session->Active());
  Session->StorePassword("");
  EXPECT_TRUE(Session->Active()) << "taking the lock starts the session";
  EXPECT_EQ(EngineUseCount(), 1);
  EXPECT_FALSE(TableOpens());

  ASSERT_EQ(ResolveEngineEntries(), ENG_OK);
  AddPassword = DbEngine.EngAddPassword;
  DbEngine.EngAddPassword = RecordAddPassword;
  Added.clear();
  Session->StorePassword(std::string(300, 'k'));
  Session->StorePassword("pelmut");
  Session->StorePassword("");
  DbEngine.EngAddPassword = AddPassword;
  EXPECT_THAT(Added, ElementsAre(std::string(255, 'k'), "pelmut"));
  EXPECT_TRUE(TableOpens());

  Session->DropPassword("");
  Session->DropPassword("nothing like it");
  EXPECT_TRUE(TableOpens());
  Session->DropPassword("pelmut");
  EXPECT_FALSE(TableOpens());
  Session->StorePassword("pelmut");
  Session->DropAllPasswords();
  EXPECT_FALSE(TableOpens());
}

TEST_F(SessionTest, APasswordIsNeverCutInsideACharacter) {
  ASSERT_EQ(ResolveEngineEntries(), ENG_OK);
  AddPassword = DbEngine.EngAddPassword;
  DbEngine.EngAddPassword = RecordAddPassword;
  Added.clear();
  Session->StorePassword(std::string(254, 'a') + "\xC3\xA9" + "tail");  // é spans bytes 255 and 256
  DbEngine.EngAddPassword = AddPassword;
  ASSERT_EQ(Added.size(), 1u);
  EXPECT_EQ(Added[0], std::string(254, 'a'));
}

TEST_F(SessionTest, NamesAreUniqueAndFixedWhileActive) {
  EXPECT_EQ(Sessions->FindSession("dEfAuLt"), Session);
  EXPECT_EQ(Sessions->FindSession(""), Session);
  EXPECT_EQ(Sessions->DefaultSession(), Session);
  EXPECT_TRUE(Session->IsDefault());
  TComponent owner(nullptr);
  owner.SetName("Form1");
  EXPECT_EQ(MessageOf([&] { Sessions->LookupSession("Other", &owner); }),
            "Form1: Invalid session name Other");

  auto* second = new TSession(&owner);
  second->SetName("Session2");
  EXPECT_FALSE(second->IsDefault());
  EXPECT_EQ(MessageOf([&] { second->SetSessionName("DEFAULT"); }),
            "Session2: Duplicate session name 'DEFAULT'");
  second->SetAutoSessionName(true);
  EXPECT_EQ(second->SessionName(), "Form1_1");
  EXPECT_EQ(MessageOf([&] { second->SetSessionName("Mine"); }),
            "Session2: Cannot modify SessionName while AutoSessionName is enabled");
  auto* third = new TSession(nullptr);
  third->SetAutoSessionName(true);
  EXPECT_EQ(third->SessionName(), "Session_2");
  delete third;
  second->SetAutoSessionName(false);
  second->SetSessionName("Mine");
  EXPECT_EQ(Sessions->FindSession("mine"), second);

  Session->SetActive(true);
  EXPECT_EQ(MessageOf([&] { Session->SetSessionName("Renamed"); }),
            "Cannot perform this operation on an active session");
  TStringList names;
  Sessions->GetSessionNames(&names);
  EXPECT_EQ(names.Text(), "Default\nMine\n");
}

TEST_F(SessionTest, StartingRunsTheStartupHandlersAndNeedsAName) {
  std::vector<std::string> log;
  Session->OnStartup = [&](TObject*) { log.push_back(Session->Active() ? "active" : "inactive"); };
  Sessions->AddStartupProc([&](TSession* S) { log.push_back("proc " + S->SessionName()); });
  Session->SetActive(true);
  EXPECT_THAT(log, ElementsAre("inactive", "proc Default"));

  TSession nameless(nullptr);
  EXPECT_EQ(MessageOf([&] { nameless.SetActive(true); }), "Session name missing");
  EXPECT_FALSE(nameless.Active());
}

TEST_F(SessionTest, AFurtherSessionHasItsOwnPasswordsAndStopsAlone) {
  TSession second(nullptr);
  second.SetSessionName("Second");
  second.SetActive(true);
  EXPECT_TRUE(Session->Active()) << "the default session starts first";
  EXPECT_NE(second.Handle(), Session->Handle());
  EXPECT_EQ(EngineUseCount(), 1);

  Session->StorePassword("pelmut");
  EXPECT_TRUE(TableOpens(Session));
  EXPECT_FALSE(TableOpens(&second));
  second.StorePassword("pelmut");
  EXPECT_TRUE(TableOpens(&second));
  ASSERT_NE(second.FindDatabase("vozaza"), nullptr);
  EXPECT_NE(second.FindDatabase("vozaza"), Session->FindDatabase("vozaza"));

  second.SetActive(false);
  EXPECT_EQ(second.DatabaseCount(), 0) << "its temporary databases went";
  EXPECT_TRUE(Session->Active());
  EXPECT_TRUE(TableOpens(Session)) << "the default session is current again";
}

TEST_F(SessionTest, StoppingTheDefaultSessionStopsTheEngineAndFreesTheLibrary) {
  auto form = TQuizForm::Make();
  Session->StorePassword("pelmut");
  form->Table1()->SetActive(true);
  EXPECT_TRUE(EngineLibraryLoaded());
  Session->SetActive(false);
  EXPECT_FALSE(form->Table1()->Active()) << "its database closed it";
  EXPECT_EQ(Session->DatabaseCount(), 0);
  EXPECT_EQ(EngineUseCount(), 0);
  EXPECT_FALSE(EngineLibraryLoaded());
  // And starts again from scratch.
  Session->StorePassword("pelmut");
  form->Table1()->SetActive(true);
  EXPECT_TRUE(form->Table1()->Active());
}

TEST_F(SessionTest, WithoutKeepConnectionsTheImplicitDatabaseGoesWithItsLastUse) {
  Session->SetKeepConnections(false);
  auto form = TQuizForm::Make();
  Session->StorePassword("pelmut");
  form->Query1()->SQL()->Add(kEt1Sql);
  form->Query1()->SetActive(true);
  ASSERT_NE(Session->FindDatabase("vozaza"), nullptr);
  EXPECT_FALSE(Session->FindDatabase("vozaza")->KeepConnection());
  form->Query1()->SetActive(false);
  EXPECT_EQ(Session->FindDatabase("vozaza"), nullptr);
}

TEST_F(SessionTest, CallbacksChainOverEachOtherAndPutBackWhatTheyReplaced) {
  Session->StorePassword("pelmut");
  uintptr_t sessionData = 0;
  EngCallbackFn sessionFunction = nullptr;
  ASSERT_EQ(DbEngine.EngGetCallback(0, ENG_CB_SERVERCALL, &sessionData, nullptr, nullptr, &sessionFunction),
            ENG_OK);
  ASSERT_NE(sessionFunction, nullptr) << "the session hears of server calls";

  std::vector<uint32_t> kinds;
  uint32_t buffer = 0;
  {
    TEngineCallback mine(
        nullptr, 0, ENG_CB_SERVERCALL, &buffer, sizeof buffer,
        [&](void* Info) {
          kinds.push_back(*static_cast<uint32_t*>(Info));
          return 0u;
        },
        true);
    EXPECT_TRUE(mine.Installed());
    TEngineCallback refused(nullptr, 0, ENG_CB_SERVERCALL, &buffer, sizeof buffer, nullptr, false);
    EXPECT_FALSE(refused.Installed()) << "without chaining it does not replace a registration";
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    ResetSQLWaitCursor();  // whatever an earlier test left up
    EXPECT_FALSE(SQLWaitActive());
    auto form = TQuizForm::Make();
    form->Query1()->SQL()->Add(kEt1Sql);
    form->Query1()->SetActive(true);
    EXPECT_THAT(kinds, ::testing::Contains(1u));
    EXPECT_TRUE(SQLWaitActive()) << "the session's own callback ran after ours";
  }
  uintptr_t data = 0;
  EngCallbackFn function = nullptr;
  ASSERT_EQ(DbEngine.EngGetCallback(0, ENG_CB_SERVERCALL, &data, nullptr, nullptr, &function), ENG_OK);
  EXPECT_EQ(data, sessionData);
  EXPECT_EQ(function, sessionFunction);
}

}  // namespace
