// Engine datasets over a table of many column kinds: field definitions from the engine's
// descriptors, moving both ways, blobs through streams and whole, filters, calculated fields
// and the master link.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "core/streams.h"
#include "data/engine/database.h"
#include "data/engine/engine_error.h"
#include "data/engine/query.h"
#include "data/engine/session.h"
#include "data/engine/table.h"
#include "data/fields/blob_field.h"
#include "data/fields/field.h"
#include "data/fields/other_fields.h"
#include "data/fields/string_field.h"
#include "data/links/data_source.h"
#include "engine_test_support.h"

namespace {

using ::testing::ElementsAre;

constexpr int kLongBlob = 20000;

// A plain table file "kinds.db" in the data folder, with a column of every kind the engine
// knows and three rows.
void WriteKindsTable(const std::string& Path) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(Path.c_str(), &db), SQLITE_OK);
  const char* schema =
      "CREATE TABLE kinds (Id AUTOINC, Name VARCHAR(10) NOT NULL, Code CHAR(3) NOT NULL DEFAULT 'x',"
      " Small SMALLINT, Big BIGINT, Ratio FLOAT, Price MONEY, Flag BOOLEAN, Notes MEMO(20), Picture GRAPHIC,"
      " Raw BLOB, Styled FMTMEMO(2));"
      "INSERT INTO kinds VALUES (1, 'first', 'abc', 1, 10000000000, 0.5, 2.25, 1, 'a note', NULL, x'00ff', "
      "NULL);"
      "INSERT INTO kinds VALUES (2, 'second', 'def', 2, -3, 1.5, 0, 0, NULL, NULL, zeroblob(20000), 'rtf');"
      "INSERT INTO kinds VALUES (3, 'third', 'ghi', 3, 7, -2, 9.75, 1, 'another', x'89504e47', NULL, NULL);";
  char* error = nullptr;
  ASSERT_EQ(sqlite3_exec(db, schema, nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
  sqlite3_close(db);
}

class EngineDataSetTest : public TEngineFixture {
 protected:
  void SetUp() override {
    TEngineFixture::SetUp();
    WriteKindsTable(DataFolder + "/kinds.db");
    Session->StorePassword("pelmut");
    Kinds = std::make_unique<TTable>(nullptr);
    Kinds->SetName("Kinds");
    Kinds->SetDatabaseName("vozaza");
    Kinds->SetTableName("kinds.db");
  }
  void TearDown() override {
    Kinds.reset();
    TEngineFixture::TearDown();
  }

  std::vector<std::string> Column(TDataSet& DataSet, const std::string& Field) {
    std::vector<std::string> values;
    DataSet.GoFirst();
    while (!DataSet.AtEnd()) {
      values.push_back(DataSet.FieldNamed(Field)->AsText());
      DataSet.GoNext();
    }
    return values;
  }

  std::unique_ptr<TTable> Kinds;
};

TEST_F(EngineDataSetTest, DefinitionsFollowTheEngineDescriptors) {
  Kinds->SetActive(true);
  TFieldDefs* defs = Kinds->FieldDefs();
  ASSERT_EQ(defs->Count(), 12);
  struct TExpected {
    const char* Name;
    TFieldType Type;
    int Size;
    bool Required;
  };
  const TExpected expected[] = {
      {"Id", ftAutoInc, 0, false},      {"Name", ftString, 10, true},  {"Code", ftString, 3, false},
      {"Small", ftSmallint, 0, false},  {"Big", ftLargeint, 0, false}, {"Ratio", ftFloat, 0, false},
      {"Price", ftCurrency, 0, false},  {"Flag", ftBoolean, 0, false}, {"Notes", ftMemo, 20, false},
      {"Picture", ftGraphic, 1, false}, {"Raw", ftBlob, 1, false},     {"Styled", ftFmtMemo, 2, false}};
  for (int i = 0; i < 12; ++i) {
    SCOPED_TRACE(expected[i].Name);
    const TFieldDef* def = defs->Items(i);
    EXPECT_EQ(def->Name(), expected[i].Name);
    EXPECT_EQ(def->DataType(), expected[i].Type);
    EXPECT_EQ(def->Size(), expected[i].Size);
    EXPECT_EQ(def->Required(), expected[i].Required);
    // The table is open read-write, and the engine lets its columns be written.
    EXPECT_FALSE(def->Attributes().Contains(faReadonly));
    EXPECT_EQ(def->ColumnNo(), i + 1);
  }
  // Default fields of the matching kinds, writable like their columns.
  EXPECT_NE(dynamic_cast<TAutoIncField*>(Kinds->FieldNamed("Id")), nullptr);
  EXPECT_NE(dynamic_cast<TMemoField*>(Kinds->FieldNamed("Notes")), nullptr);
  EXPECT_FALSE(Kinds->FieldNamed("Name")->ReadOnly());
  EXPECT_TRUE(Kinds->FieldNamed("Name")->Required());
  EXPECT_EQ(Kinds->FieldNamed("Name")->AsText(), "first");
  EXPECT_EQ(Kinds->FieldNamed("Small")->AsText(), "1");
  EXPECT_EQ(Kinds->FieldNamed("Big")->AsText(), "10000000000");
  EXPECT_EQ(Kinds->FieldNamed("Ratio")->AsText(), "0.5");
  EXPECT_TRUE(Kinds->FieldNamed("Picture")->ValueIsNull());
  EXPECT_FALSE(Kinds->FieldNamed("Notes")->ValueIsNull());
  EXPECT_TRUE(Kinds->CanModify());
  EXPECT_EQ(Kinds->RowCount(), 3);
}

TEST_F(EngineDataSetTest, AClosedTableDescribesItsFieldsThroughACursorOfItsOwn) {
  Kinds->FieldDefs()->Update();
  EXPECT_EQ(Kinds->FieldDefs()->Count(), 12);
  EXPECT_FALSE(Kinds->Active());
  EXPECT_EQ(Kinds->Handle(), 0u);
  EXPECT_EQ(Kinds->DBFlags(), 0);
  ASSERT_NE(Session->FindDatabase("vozaza"), nullptr);
  EXPECT_EQ(Session->FindDatabase("vozaza")->UseCount(), 0);
}

TEST_F(EngineDataSetTest, DuplicateColumnNamesAreNumbered) {
  TQuery query(nullptr);
  query.SetDatabaseName("vozaza");
  query.SQL()->Add("select Name, Code, Name, Name from kinds");
  query.SetActive(true);
  std::vector<std::string> names;
  for (int i = 0; i < query.FieldDefs()->Count(); ++i)
    names.push_back(query.FieldDefs()->Items(i)->Name());
  EXPECT_THAT(names, ElementsAre("Name", "Code", "Name_1", "Name_2"));
  EXPECT_EQ(query.FieldNamed("Name_2")->AsText(), "first");
}

TEST_F(EngineDataSetTest, RecordsAreFetchedBothWaysAndFoundByBookmark) {
  Kinds->SetActive(true);
  EXPECT_EQ(Kinds->RowNumber(), 1);
  EXPECT_EQ(Kinds->GoNext(), 1);
  const TBookmarkBytes second = Kinds->TakeBookmark();
  EXPECT_EQ(Kinds->GoNext(), 1);
  EXPECT_EQ(Kinds->GoNext(), 0) << "past the last record: end of data, no error";
  EXPECT_TRUE(Kinds->AtEnd());
  EXPECT_EQ(Kinds->FieldNamed("Name")->AsText(), "third");
  EXPECT_EQ(Kinds->RowNumber(), 3);
  Kinds->GoFirst();
  EXPECT_EQ(Kinds->GoPrior(), 0);
  EXPECT_TRUE(Kinds->AtStart());
  Kinds->GoLast();
  EXPECT_EQ(Kinds->FieldNamed("Name")->AsText(), "third");
  EXPECT_EQ(Kinds->GoPrior(), -1);
  EXPECT_EQ(Kinds->FieldNamed("Name")->AsText(), "second");
  Kinds->GoFirst();
  Kinds->GoToBookmark(second);
  EXPECT_EQ(Kinds->FieldNamed("Name")->AsText(), "second");
  EXPECT_EQ(Column(*Kinds, "Code"), (std::vector<std::string>{"abc", "def", "ghi"}));
}

TEST_F(EngineDataSetTest, ALongBlobIsReadInPiecesOnceAndThenFromTheRecord) {
  Kinds->SetActive(true);
  Kinds->GoNext();
  auto* raw = static_cast<TBlobField*>(Kinds->FieldNamed("Raw"));
  TEngineCallCounter counter;
  TMemoryStream out;
  raw->CopyToStream(out);
  EXPECT_EQ(out.Size(), kLongBlob);
  EXPECT_EQ(counter.Count("EngGetBlob"), 3) << counter.Summary();  // 8192 + 8192 + 3616 bytes
  EXPECT_EQ(counter.Count("EngFreeBlob"), 1);
  counter.Reset();
  EXPECT_EQ(raw->BlobLength(), kLongBlob);
  EXPECT_EQ(raw->AsText(), std::string(kLongBlob, '\0'));
  EXPECT_EQ(counter.Total(), 0) << counter.Summary();
  // Moving on empties the cache.
  Kinds->GoNext();
  Kinds->GoPrior();
  counter.Reset();
  EXPECT_EQ(raw->BlobLength(), kLongBlob);
  EXPECT_EQ(counter.Count("EngGetBlobSize"), 1);
}

TEST_F(EngineDataSetTest, WithoutBlobCachingEveryReadGoesToTheEngine) {
  Kinds->SetCacheBlobs(false);
  Kinds->SetActive(true);
  auto* notes = static_cast<TBlobField*>(Kinds->FieldNamed("Notes"));
  TEngineCallCounter counter;
  EXPECT_EQ(notes->AsText(), "a note");
  EXPECT_EQ(notes->AsText(), "a note");
  EXPECT_EQ(counter.Count("EngGetBlob"), 2);
  EXPECT_EQ(counter.Count("EngOpenBlob"), 2);
  EXPECT_EQ(counter.Count("EngFreeBlob"), 2) << "each stream frees what it opened";
}

TEST_F(EngineDataSetTest, ABlobReadWholeGrowsItsBufferOnlyWhenTooSmall) {
  Kinds->SetActive(true);
  TField* notes = Kinds->FieldNamed("Notes");
  std::vector<char> bytes;
  EXPECT_EQ(Kinds->ReadBlobData(notes, bytes), 6u);
  EXPECT_EQ(bytes.size(), 7u) << "6 x 1.25, truncated";
  EXPECT_EQ(std::string(bytes.data(), 6), "a note");
  Kinds->GoLast();
  EXPECT_EQ(Kinds->ReadBlobData(notes, bytes), 7u);
  EXPECT_EQ(bytes.size(), 8u) << "7 bytes do not fit 7: 7 x 1.25";
  bytes.assign(100, 'z');
  EXPECT_EQ(Kinds->ReadBlobData(notes, bytes), 7u);
  EXPECT_EQ(bytes.size(), 100u) << "a large enough buffer is kept";
  EXPECT_EQ(std::string(bytes.data(), 8), "anotherz");
  Kinds->GoPrior();
  EXPECT_EQ(Kinds->ReadBlobData(notes, bytes), 0u) << "a null blob";
}

TEST_F(EngineDataSetTest, AFilterEventChoosesTheRecords) {
  Kinds->OnFilterRecord = [](TDataSet* DataSet, bool& Accept) {
    Accept = DataSet->FieldNamed("Flag")->AsText() == "True";
  };
  Kinds->SetActive(true);
  EXPECT_EQ(Column(*Kinds, "Name"), (std::vector<std::string>{"first", "second", "third"}));
  Kinds->SetFiltered(true);
  EXPECT_EQ(Column(*Kinds, "Name"), (std::vector<std::string>{"first", "third"}));
  Kinds->GoLast();
  EXPECT_EQ(Kinds->GoPrior(), -1);
  EXPECT_EQ(Kinds->FieldNamed("Name")->AsText(), "first");
  Kinds->SetFiltered(false);
  EXPECT_EQ(Column(*Kinds, "Name"), (std::vector<std::string>{"first", "second", "third"}));
}

TEST_F(EngineDataSetTest, AFilterExpressionIsNotSupportedByTheEngine) {
  Kinds->SetFilter("Small > 1");
  Kinds->SetFiltered(true);
  try {
    Kinds->SetActive(true);
    FAIL() << "opened";
  } catch (const EDBEngineError& e) {
    EXPECT_EQ(e.ErrorCode(), ENG_ERR_NOT_SUPPORTED);
    EXPECT_EQ(e.Message(), "Operation not supported");
  }
  EXPECT_FALSE(Kinds->Active());
}

TEST_F(EngineDataSetTest, CalculatedFieldsLiveInTheRecordBuffer) {
  TComponent owner(nullptr);
  auto* name = new TStringField(&owner);
  name->SetFieldName("Name");
  name->SetSize(10);
  name->SetHostDataSet(Kinds.get());
  auto* shout = new TStringField(&owner);
  shout->SetFieldName("Shout");
  shout->SetFieldKind(fkCalculated);
  shout->SetHostDataSet(Kinds.get());
  Kinds->OnCalcFields = [&](TDataSet*) { shout->SetAsText(name->AsText() + "!"); };
  Kinds->SetActive(true);
  EXPECT_EQ(Column(*Kinds, "Shout"), (std::vector<std::string>{"first!", "second!", "third!"}));
  EXPECT_EQ(Kinds->FieldObjects()->Count(), 2);
  Kinds->SetActive(false);
}

TEST_F(EngineDataSetTest, ATableOpenedReadOnlyCannotBeEdited) {
  Kinds->SetReadOnly(true);
  Kinds->SetActive(true);
  try {
    Kinds->BeginEdit();
    FAIL() << "editing";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Kinds: Cannot modify a read-only dataset");
  }
  EXPECT_EQ(Kinds->Mode(), dmBrowse);
}

// Each kind's raw value reaches the engine in the engine's own form: read back from the file
// with the storage library, not through the layer that wrote it.
TEST_F(EngineDataSetTest, ValuesOfEveryKindAreWrittenInTheEnginesForm) {
  Kinds->SetActive(true);
  Kinds->GoNext();
  Kinds->BeginEdit();
  Kinds->FieldNamed("Name")->SetAsText("renamed");
  Kinds->FieldNamed("Small")->SetAsText("-5");
  Kinds->FieldNamed("Big")->SetAsText("123456789012");
  Kinds->FieldNamed("Ratio")->SetAsText("2.5");
  Kinds->FieldNamed("Flag")->SetAsText("True");
  Kinds->FieldNamed("Notes")->SetAsText("a memo");
  Kinds->FieldNamed("Price")->SetAsText("");
  Kinds->PostRow();
  EXPECT_EQ(Kinds->FieldNamed("Small")->AsText(), "-5");
  EXPECT_EQ(Kinds->FieldNamed("Big")->AsText(), "123456789012");
  Kinds->SetActive(false);

  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((DataFolder + "/kinds.db").c_str(), &db), SQLITE_OK);
  sqlite3_stmt* row = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db,
                               "SELECT Name, Small, Big, Ratio, Flag, Notes, Price IS NULL, Code FROM kinds "
                               "WHERE Id = 2",
                               -1, &row, nullptr),
            SQLITE_OK);
  ASSERT_EQ(sqlite3_step(row), SQLITE_ROW);
  auto text = [&](int Column) {
    const unsigned char* value = sqlite3_column_text(row, Column);
    return value == nullptr ? std::string("(null)") : std::string(reinterpret_cast<const char*>(value));
  };
  EXPECT_EQ(text(0), "renamed");
  EXPECT_EQ(sqlite3_column_int(row, 1), -5);
  EXPECT_EQ(sqlite3_column_int64(row, 2), 123456789012);
  EXPECT_DOUBLE_EQ(sqlite3_column_double(row, 3), 2.5);
  EXPECT_EQ(sqlite3_column_int(row, 4), 1);
  EXPECT_EQ(text(5), "a memo");
  EXPECT_EQ(sqlite3_column_int(row, 6), 1);
  EXPECT_EQ(text(7), "def");  // untouched
  sqlite3_finalize(row);
  sqlite3_close(db);
}

TEST_F(EngineDataSetTest, WithMasterFieldsATableFollowsTheMastersRecord) {
  auto form = TQuizForm::Make();
  TQuery* query = form->Query1();
  TTable* table = form->Table1();
  form->DataSource1()->SetDataSet(query);
  query->SQL()->Add(kEt1Sql);
  // The game's table: no master fields, so the query's changes leave it as it is.
  table->SetActive(true);
  query->SetActive(true);
  EXPECT_FALSE(table->RangeActive());
  EXPECT_EQ(table->FieldNamed("Order")->AsText(), "CT01");
  query->SetActive(false);
  EXPECT_EQ(table->FieldNamed("Order")->AsText(), "CT01");

  table->SetMasterFields("QuizName");
  query->SetActive(true);
  EXPECT_TRUE(table->RangeActive());
  EXPECT_EQ(Column(*table, "Order"), (std::vector<std::string>{"ET01", "ET02", "ET03", "ET04"}));
  query->SetActive(false);
  EXPECT_FALSE(table->RangeActive());
  query->SQL()->Clear();
  query->SQL()->Add(kBananaSql);
  query->SetActive(true);
  EXPECT_EQ(Column(*table, "Order"), (std::vector<std::string>{"BS01", "BS02"}));
}

}  // namespace
