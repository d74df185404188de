// Databases: which alias they open, the login rule, session aliases, folders as databases.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/strings.h"
#include "data/engine/database.h"
#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"
#include "data/engine/session.h"
#include "data/engine/table.h"
#include "data/fields/field.h"
#include "engine_test_support.h"

namespace {

using ::testing::ElementsAre;

class DatabaseTest : public TEngineFixture {
 protected:
  void SetUp() override {
    TEngineFixture::SetUp();
    // A second alias for the same folder whose parameters ask for a login.
    WriteTextFile(ConfigPath,
                  "[DATABASES\\vozaza\\DB INFO]\nTYPE=STANDARD\nPATH=data\nDEFAULT DRIVER=PARADOX\n"
                  "[DATABASES\\secure\\DB INFO]\nTYPE=STANDARD\nPATH=data\nUSER NAME=bob\n");
    Session->StorePassword("pelmut");
  }

  // A table of the quiz on DatabaseName; answers its first row's Order.
  static std::string FirstOrder(const std::string& DatabaseName) {
    TTable table(nullptr);
    table.SetDatabaseName(DatabaseName);
    table.SetTableName("vezedezavuza.db");
    table.SetActive(true);
    return table.FieldNamed("Order")->AsText();
  }
};

std::string MessageOf(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "<nothing raised>";
}

TEST_F(DatabaseTest, AliasParametersComeFromTheEngineWithoutTheDriverType) {
  TStringList params;
  Session->GetAliasParams("VOZAZA", &params);
  ASSERT_EQ(params.Count(), 2);
  EXPECT_EQ(params.Get(0), "PATH=" + DataFolder);
  EXPECT_EQ(params.Get(1), "DEFAULT DRIVER=PARADOX");
  std::string driver;
  EXPECT_TRUE(Session->GetAliasDriverName("vozaza", driver));
  EXPECT_EQ(driver, "STANDARD");
  EXPECT_FALSE(Session->GetAliasDriverName("nowhere", driver));
  try {
    Session->GetAliasParams("nowhere", &params);
    FAIL() << "no such alias";
  } catch (const EDBEngineError& e) {
    EXPECT_EQ(e.ErrorCode(), ENG_ERR_ALIAS_NOT_FOUND);
  }
}

TEST_F(DatabaseTest, ADesktopAliasWithoutAUserNameNeverAsksForALogin) {
  TDatabase database(nullptr);
  database.SetDatabaseName("vozaza");
  int asked = 0;
  database.OnLogin = [&](TDatabase*, TStrings*) { ++asked; };
  database.Open();
  EXPECT_TRUE(database.Connected());
  EXPECT_FALSE(database.IsSQLBased());
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(Session->FindDatabase("vozaza"), &database);
  EXPECT_EQ(FirstOrder("vozaza"), "CT01") << "a dataset on the alias uses this database";
  EXPECT_EQ(database.UseCount(), 0);
  database.Close();
  EXPECT_FALSE(database.Connected());
}

TEST_F(DatabaseTest, AnAliasWithAUserNameAsksOnLoginAndKeepsTheName) {
  TDatabase database(nullptr);
  database.SetDatabaseName("secure");
  std::vector<std::string> offered;
  database.OnLogin = [&](TDatabase* Sender, TStrings* LoginParams) {
    EXPECT_EQ(Sender, &database);
    offered.push_back(LoginParams->Text());
    LoginParams->SetValue("USER NAME", "alice");
    LoginParams->SetValue("PASSWORD", "pelmut");
  };
  database.Open();
  EXPECT_THAT(offered, ElementsAre("USER NAME=bob\n"));
  EXPECT_EQ(database.Params()->Values("USER NAME"), "alice");
  database.Close();
  database.Open();
  EXPECT_THAT(offered, ElementsAre("USER NAME=bob\n", "USER NAME=alice\n"));
}

TEST_F(DatabaseTest, ACancelledLoginCannotConnect) {
  TDatabase database(nullptr);
  database.SetName("Secure1");
  database.SetDatabaseName("secure");
  // The default hooks answer the login dialog with Cancel.
  EXPECT_EQ(MessageOf([&] { database.Open(); }), "Secure1: Cannot connect to database 'secure'");
  EXPECT_FALSE(database.Connected());
  // Without a prompt the password comes from the parameters.
  database.SetLoginPrompt(false);
  database.Params()->Add("PASSWORD=pelmut");
  database.Open();
  EXPECT_TRUE(database.Connected());
}

TEST_F(DatabaseTest, ADatabaseNamedOtherThanItsAliasOpensThroughASessionAlias) {
  TDatabase database(nullptr);
  database.SetDatabaseName("quiz");
  database.SetAliasName("vozaza");
  database.Open();
  std::string driver;
  EXPECT_TRUE(Session->GetAliasDriverName("quiz", driver));
  EXPECT_EQ(FirstOrder("quiz"), "CT01");
  database.Close();
  EXPECT_FALSE(Session->GetAliasDriverName("quiz", driver)) << "the session alias went with it";
}

TEST_F(DatabaseTest, ParametersThatChangeTheAliasMakeASessionAliasOfTheSameName) {
  // The same alias, pointed at another folder by the database's own parameters.
  TTempFolder other;
  WriteQuizTable(other.File("vezedezavuza.db"), "pelmut", RowsOf(Rows, "ET1"));
  {
    TDatabase database(nullptr);
    database.SetDatabaseName("vozaza");
    database.Params()->Add("PATH=" + other.Path());
    database.Open();
    EXPECT_EQ(FirstOrder("vozaza"), "ET01");
  }
  EXPECT_EQ(FirstOrder("vozaza"), "CT01") << "without the database object the alias is the file's again";
}

TEST_F(DatabaseTest, AFolderNameOpensTheFolderItself) {
  EXPECT_EQ(FirstOrder(DataFolder), "CT01");
  TDatabase* database = Session->FindDatabase(DataFolder);
  ASSERT_NE(database, nullptr);
  EXPECT_TRUE(database->Temporary());
  EXPECT_EQ(database->Directory(), DataFolder);
}

TEST_F(DatabaseTest, ADatabaseNeedsAName) {
  TDatabase database(nullptr);
  database.SetName("Database1");
  EXPECT_EQ(MessageOf([&] { database.Open(); }), "Database1: Database name missing");
  database.SetDatabaseName("vozaza");
  database.SetSessionName("Elsewhere");
  EXPECT_EQ(MessageOf([&] { database.Open(); }), "Database1: Invalid session name Elsewhere");
  database.SetSessionName("");
  database.Open();
  EXPECT_EQ(MessageOf([&] { database.SetDatabaseName("other"); }),
            "Database1: Cannot perform this operation on an open database");
}

}  // namespace
