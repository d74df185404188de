// Queries: the statement text with and without parameter markers, the statement properties,
// preparing on request, parameter values (own or from a source) and running without a result.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"
#include "data/engine/engine_loader.h"
#include "data/engine/params.h"
#include "data/engine/query.h"
#include "data/engine/session.h"
#include "data/engine/table.h"
#include "data/fields/field.h"
#include "data/links/data_source.h"
#include "engine_test_support.h"

namespace {

using ::testing::ElementsAre;

class QueryTest : public TEngineFixture {
 protected:
  void SetUp() override {
    TEngineFixture::SetUp();
    Session->StorePassword("pelmut");
    Query = std::make_unique<TQuery>(nullptr);
    Query->SetDatabaseName("vozaza");
  }
  void TearDown() override {
    Query.reset();
    TEngineFixture::TearDown();
  }

  std::vector<std::string> Orders() {
    std::vector<std::string> orders;
    for (Query->GoFirst(); !Query->AtEnd(); Query->GoNext())
      orders.push_back(Query->FieldNamed("Order")->AsText());
    return orders;
  }

  std::unique_ptr<TQuery> Query;
};

// The statement properties the query sets, by property number.
std::map<uint32_t, uintptr_t> Properties;
EngResult (*SetProperty)(EngHandle, uint32_t, uintptr_t) = nullptr;
EngResult RecordStatementProperty(EngHandle Object, uint32_t Property, uintptr_t Value) {
  if ((Property >> 16) == 6) Properties[Property] = Value;
  return SetProperty(Object, Property, Value);
}

std::vector<std::string> Prepared;
EngResult (*PrepareStatement)(EngHandle, const char*) = nullptr;
EngResult RecordPrepare(EngHandle Statement, const char* Text) {
  Prepared.push_back(Text);
  return PrepareStatement(Statement, Text);
}

TEST(ParseSQLMarkersTest, MarkersOutsideQuotesBecomeQuestionMarks) {
  const TParsedSQL parsed = ParseSQLMarkers(
      "select * from t where a = :first and b = ':not' and c = \":nor\" and d = :\"two words\" "
      "and e = :first and f = '12::30' and g = 1::2 and h = :");
  EXPECT_EQ(
      parsed.Text,
      "select * from t where a = ? and b = ':not' and c = \":nor\" and d = ? and e = ? and f = '12::30' and "
      "g = 1:2 and h = :");
  EXPECT_THAT(parsed.Names, ElementsAre("first", "two words", "first"));
  ASSERT_EQ(parsed.Offsets.size(), 3u);
  EXPECT_EQ(parsed.Text[parsed.Offsets[1]], '?');
  TParams params;
  params.ParseSQL("x = :a or y = :B or z = :A", true);
  ASSERT_EQ(params.Count(), 2);
  EXPECT_EQ(params.Items(1)->Name(), "B");
  EXPECT_EQ(params.ParamByName("b"), params.Items(1));
  EXPECT_THROW(params.ParamByName("c"), EDatabaseError);
}

TEST(ParamTest, ValuesBecomeLiterals) {
  TParam param;
  EXPECT_EQ(param.SQLLiteral(), "NULL");
  param.SetAsString("it's");
  EXPECT_EQ(param.SQLLiteral(), "'it''s'");
  param.SetAsInteger(-42);
  EXPECT_EQ(param.SQLLiteral(), "-42");
  EXPECT_EQ(param.AsString(), "-42");
  param.SetAsBoolean(true);
  EXPECT_EQ(param.SQLLiteral(), "1");
  param.Clear();
  EXPECT_TRUE(param.IsNull());
}

TEST_F(QueryTest, WithoutParamCheckTheLinesGoToTheEngineUnchanged) {
  Query->SetParamCheck(false);
  Query->SQL()->Add("Select * from vezedezavuza");
  Query->SQL()->Add("where QuizName = \"ET1\" and Order <> ':x'");
  EXPECT_EQ(Query->Text(), "Select * from vezedezavuza\r\nwhere QuizName = \"ET1\" and Order <> ':x'\r\n");
  EXPECT_EQ(Query->ParamCount(), 0);
  ASSERT_EQ(ResolveEngineEntries(), ENG_OK);
  SetProperty = DbEngine.EngSetProperty;
  DbEngine.EngSetProperty = RecordStatementProperty;
  PrepareStatement = DbEngine.EngPrepareStatement;
  DbEngine.EngPrepareStatement = RecordPrepare;
  Properties.clear();
  Prepared.clear();
  Query->SetActive(true);
  DbEngine.EngSetProperty = SetProperty;
  DbEngine.EngPrepareStatement = PrepareStatement;
  EXPECT_THAT(Prepared, ElementsAre(Query->Text()));
  // A desktop database: copy results, no server text, the program's text form; nothing else.
  EXPECT_THAT(Properties, ElementsAre(std::pair<const uint32_t, uintptr_t>(0x60021, 2),
                                      std::pair<const uint32_t, uintptr_t>(0x60026, 0),
                                      std::pair<const uint32_t, uintptr_t>(0x60042, 1)));
  EXPECT_THAT(Orders(), ElementsAre("ET01", "ET02", "ET03", "ET04"));
}

TEST_F(QueryTest, ALiveConstrainedRequestAsksForBoth) {
  Query->SQL()->Add(kEt1Sql);
  Query->SetRequestLive(true);
  Query->SetConstrained(true);
  ASSERT_EQ(ResolveEngineEntries(), ENG_OK);
  SetProperty = DbEngine.EngSetProperty;
  DbEngine.EngSetProperty = RecordStatementProperty;
  Properties.clear();
  Query->SetActive(true);
  DbEngine.EngSetProperty = SetProperty;
  EXPECT_EQ(Properties[0x60021], 1u);
  EXPECT_EQ(Properties[0x60031], 1u);
  EXPECT_FALSE(Query->CanModify()) << "the engine's results are read-only all the same";
}

TEST_F(QueryTest, ParametersAreParsedBoundAndCarriedOver) {
  Query->SQL()->Add("select * from vezedezavuza where QuizName = :Category");
  ASSERT_EQ(Query->ParamCount(), 1);
  EXPECT_EQ(Query->Text(), "select * from vezedezavuza where QuizName = ?\r\n");
  Query->ParamByName("category")->SetAsString("ET1");
  Query->SetActive(true);
  EXPECT_THAT(Orders(), ElementsAre("ET01", "ET02", "ET03", "ET04"));
  Query->SetActive(false);
  // A new text with the same parameter keeps its value (one change: clearing alone would
  // leave no parameter to keep it in).
  Query->SQL()->BeginUpdate();
  Query->SQL()->Clear();
  Query->SQL()->Add("select * from vezedezavuza where QuizName = :CATEGORY and Order <> 'ET02'");
  Query->SQL()->EndUpdate();
  EXPECT_EQ(Query->ParamByName("Category")->AsString(), "ET1");
  Query->SetActive(true);
  EXPECT_THAT(Orders(), ElementsAre("ET01", "ET03", "ET04"));
  Query->SetActive(false);
  Query->ParamByName("Category")->SetAsString("Nobody's");
  Query->SetActive(true);
  EXPECT_TRUE(Query->AtEnd());
  EXPECT_TRUE(Query->HasNoRows());
}

TEST_F(QueryTest, ParametersWithoutValuesComeFromTheSourcesRecord) {
  auto form = TQuizForm::Make();
  TTable* master = form->Table1();
  auto* source = new TDataSource(form.get());
  source->SetDataSet(master);
  master->SetActive(true);
  Query->SQL()->Add("select * from vezedezavuza where QuizName = :QuizName");
  Query->SetDataSource(source);
  Query->SetActive(true);
  EXPECT_THAT(Orders(), ElementsAre("CT01", "CT02", "CT03"));
  Query->SetActive(false);
  master->GoNext();  // an ET1 row
  Query->SetActive(true);
  EXPECT_EQ(Query->FieldNamed("QuizName")->AsText(), "ET1");
}

TEST_F(QueryTest, AStatementPreparedOnRequestOutlivesClosing) {
  Query->SQL()->Add(kBananaSql);
  TEngineCallCounter counter;
  Query->Prepare();
  EXPECT_TRUE(Query->Prepared());
  EXPECT_TRUE(Query->DBFlag(dbfPrepared));
  Query->SetActive(true);
  Query->SetActive(false);
  Query->SetActive(true);
  Query->SetActive(false);
  EXPECT_EQ(counter.Count("EngAllocStatement"), 1);
  EXPECT_EQ(counter.Count("EngExecuteStatement"), 2);
  EXPECT_TRUE(Query->Prepared());
  Query->SetActive(true);
  EXPECT_THROW(Query->UnPrepare(), EDatabaseError) << "not while open";
  Query->SetActive(false);
  Query->UnPrepare();
  EXPECT_FALSE(Query->Prepared());
  EXPECT_EQ(Query->DBFlags(), 0);
  EXPECT_EQ(counter.Count("EngFreeStatement"), 1);
  EXPECT_EQ(Query->StmtHandle(), 0u);
}

TEST_F(QueryTest, ExecSQLRunsWithoutAResultAndUnpreparesAgain) {
  Query->SQL()->Add(kEt1Sql);
  TEngineCallCounter counter;
  Query->ExecSQL();
  EXPECT_FALSE(Query->Active());
  EXPECT_FALSE(Query->Prepared());
  EXPECT_EQ(Query->DBFlags(), 0);
  EXPECT_EQ(Query->RowsAffected(), -1);
  EXPECT_EQ(counter.Count("EngExecuteStatement"), 1);
  EXPECT_EQ(counter.Count("EngFreeStatement"), 1);
}

TEST_F(QueryTest, AssigningTheSameTextDoesNothing) {
  Query->SQL()->Add(kEt1Sql);
  Query->SetActive(true);
  TStringList same;
  same.Add(kEt1Sql);
  Query->SetSQL(&same);
  EXPECT_TRUE(Query->Active());
  TStringList other;
  other.Add(kBananaSql);
  Query->SetSQL(&other);
  EXPECT_FALSE(Query->Active());
  EXPECT_EQ(Query->Text(), std::string(kBananaSql) + "\r\n");
}

TEST_F(QueryTest, AnSQLErrorNamesTheToken) {
  Query->SQL()->Add("Select * form vezedezavuza");
  try {
    Query->SetActive(true);
    FAIL() << "opened";
  } catch (const EDBEngineError& e) {
    EXPECT_EQ(e.ErrorCode(), ENG_ERR_SQL_SYNTAX);
    EXPECT_THAT(e.Message(), ::testing::HasSubstr("'form'"));
  }
  EXPECT_FALSE(Query->Prepared()) << "a failed prepare frees the statement";
  EXPECT_EQ(Query->StmtHandle(), 0u);
}

}  // namespace
