// The start-up warm-up on the real engine: the first start takes its engine over, a failed or
// unused warm-up leaves no use behind, and the table's rows read the same as without it.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "data/engine/engine_error.h"
#include "data/engine/engine_loader.h"
#include "data/engine/query.h"
#include "data/engine/session.h"
#include "data/engine/table.h"
#include "data/fields/field.h"
#include "data/links/data_source.h"
#include "engine_test_support.h"

namespace {

class WarmUpTest : public TEngineFixture {
 protected:
  std::unique_ptr<TTable> OpenQuizTable() {
    Session->StorePassword("pelmut");
    auto table = std::make_unique<TTable>(nullptr);
    table->SetDatabaseName("vozaza");
    table->SetTableName("vezedezavuza.db");
    table->SetActive(true);
    return table;
  }
};

TEST_F(WarmUpTest, TheFirstStartTakesTheWarmUpsEngineOverAndTheRowsReadAsWithout) {
  TEngineWarmUp warmUp("vozaza", "vezedezavuza.db", "pelmut");
  warmUp.Wait();
  EXPECT_EQ(EngineUseCount(), 1) << "the warm-up keeps its engine for the first start";
  std::unique_ptr<TTable> table = OpenQuizTable();
  EXPECT_EQ(EngineUseCount(), 1) << "the session took the warm-up's use over instead of adding one";
  ASSERT_FALSE(Rows.empty());
  EXPECT_EQ(table->FieldNamed("QuizName")->AsText(), Rows.front().quizName);
  EXPECT_EQ(table->FieldNamed("Question")->AsText(), Rows.front().question.value_or(""));
  int count = 0;
  for (table->GoFirst(); !table->AtEnd(); table->GoNext())
    ++count;
  EXPECT_EQ(count, static_cast<int>(Rows.size()));
}

TEST_F(WarmUpTest, AWarmUpThatFailsLeavesNoUseAndTheRealOpenStillWorks) {
  for (const auto& [alias, table, password] : {std::tuple{"vozaza", "vezedezavuza.db", "wrong"},
                                               std::tuple{"no-such-alias", "vezedezavuza.db", "pelmut"},
                                               std::tuple{"vozaza", "no-such-table.db", "pelmut"}}) {
    SCOPED_TRACE(std::string(alias) + " " + table + " " + password);
    TEngineWarmUp warmUp(alias, table, password);
    warmUp.Wait();
    EXPECT_EQ(EngineUseCount(), 0);
  }
  std::unique_ptr<TTable> table = OpenQuizTable();
  EXPECT_TRUE(table->Active());
  EXPECT_EQ(EngineUseCount(), 1);
}

TEST_F(WarmUpTest, AWarmUpNothingTakesOverGivesItsEngineBack) {
  {
    TEngineWarmUp warmUp("vozaza", "vezedezavuza.db", "pelmut");
    warmUp.Wait();
    EXPECT_EQ(EngineUseCount(), 1);
  }
  EXPECT_EQ(EngineUseCount(), 0);
  EXPECT_FALSE(EngineLibraryLoaded());
}

TEST_F(WarmUpTest, OnceTheProgramHasStartedTheEngineTheWarmUpStaysAway) {
  std::unique_ptr<TTable> table = OpenQuizTable();
  const int uses = EngineUseCount();
  {
    TEngineWarmUp warmUp("vozaza", "vezedezavuza.db", "pelmut");
    warmUp.Wait();
    EXPECT_EQ(EngineUseCount(), uses);
  }
  EXPECT_EQ(EngineUseCount(), uses);
  EXPECT_TRUE(table->Active());
}

TEST_F(WarmUpTest, AWrongPasswordAtTheRealOpenIsReportedAsWithoutAWarmUp) {
  TEngineWarmUp warmUp("vozaza", "vezedezavuza.db", "pelmut");
  warmUp.Wait();
  // The session offers no password: the kept connection must not open the table for it.
  auto table = std::make_unique<TTable>(nullptr);
  table->SetDatabaseName("vozaza");
  table->SetTableName("vezedezavuza.db");
  Session->OnPassword = [](TObject*, bool& Continue) { Continue = false; };
  try {
    table->SetActive(true);
    ADD_FAILURE() << "the table opened without its password";
  } catch (const EDBEngineError& e) {
    EXPECT_EQ(e.ErrorCode(), ENG_ERR_PASSWORD);
  }
}

}  // namespace

namespace {

TEST_F(WarmUpTest, TheGamesTableAndCategoryQueryReadTheirRowsAfterAWarmUp) {
  TEngineWarmUp warmUp("vozaza", "vezedezavuza.db", "pelmut");
  warmUp.Wait();
  std::unique_ptr<TQuizForm> form = TQuizForm::Make();
  Session->StorePassword("pelmut");
  form->Table1()->SetActive(true);
  TQuery* query = form->Query1();
  form->DataSource1()->SetDataSet(query);
  query->SQL()->Clear();
  query->SQL()->Add(kClassicTvSql);
  query->SetActive(true);
  const std::vector<TQuizRow> expected = RowsOf(Rows, "Classic Television 2");
  ASSERT_FALSE(expected.empty());
  ASSERT_FALSE(query->AtEnd());
  EXPECT_EQ(query->FieldNamed("Question")->AsText(), expected[0].question.value_or(""));
  EXPECT_EQ(form->Table1()->FieldNamed("Question")->AsText(), Rows.front().question.value_or(""));
}

}  // namespace
