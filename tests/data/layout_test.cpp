// Datasets, fields and data sources in stored layouts: nesting, the streamed Active applied
// after loading, round trips and errors.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/layout/layout_reader.h"
#include "data/fields/blob_field.h"
#include "data/fields/string_field.h"
#include "test_support.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The quiz rows, ready when a layout creates the dataset.
class TQuizData : public TMemoryDataSet {
 public:
  BREVANT_CLASS(TQuizData)
  explicit TQuizData(TComponent* AOwner) : TMemoryDataSet(AOwner) {
    AddQuizColumns(Table());
    AddQuizRows(Table(), 3);
  }
  // As a layout reader does: the value is written while reading, applied when loaded.
  void ReadActive(bool Value) {
    IncludeState(csReading);
    SetActive(Value);
    ExcludeState(csReading);
  }
  using TMemoryDataSet::Loaded;
};

BREVANT_DEFINE_CLASS(TQuizData, TMemoryDataSet, )

constexpr const char* kQuizLayout = R"(layout 1
Form1 (TTestForm)
  Query1 (TQuizData)
    Active: true
    AfterOpen: QueryAfterOpen
    Query1Order (TStringField)
      FieldName: "Order"
      Size: 5
    Query1Question (TBlobField)
      BlobType: ftBlob
      FieldName: "Question"
      Size: 1
    Query1AnswerTx (TStringField)
      FieldName: "AnswerTx"
      Size: 1
  wwDataSource1 (TwwDataSource)
    DataSet: Query1
  TopRtf (TTestDataControl)
    DataField: "Question"
    DataSource: wwDataSource1
)";

class Layouts : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestDataClasses();
    RegisterClasses<TQuizData>();
  }
  template <class T>
  T* Find(TComponent& Root, const char* Name) {
    return dynamic_cast<T*>(Root.FindComponent(Name));
  }
};

TEST_F(Layouts, DeclaredFieldsJoinTheirDatasetWhichOpensOnlyAfterLoading) {
  TTestForm form(nullptr);
  TLayoutReader::ReadInto(form, kQuizLayout, "quiz.layout");
  auto* query = Find<TQuizData>(form, "Query1");
  ASSERT_NE(query, nullptr);
  EXPECT_TRUE(query->Active());
  // It opened once, with the three declared fields already attached and no default ones.
  EXPECT_THAT(form.Opened, ElementsAre("Query1 3"));
  ASSERT_EQ(query->FieldObjects()->Count(), 3);
  auto* answer = Find<TStringField>(form, "Query1AnswerTx");
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer->HostDataSet(), query);
  EXPECT_EQ(answer->Owner(), &form);
  EXPECT_EQ(answer->Index(), 2);
  EXPECT_EQ(answer->AsText(), "A");
  auto* top = Find<TTestDataControl>(form, "TopRtf");
  ASSERT_NE(top, nullptr);
  EXPECT_THAT(top->Shown, ElementsAre("{\\rtf1 question 1}"));
  query->GoNext();
  EXPECT_EQ(top->Shown.back(), "{\\rtf1 question 2}");
  EXPECT_EQ(answer->AsText(), "B");
}

TEST_F(Layouts, ARoundTripKeepsDatasetFieldsAndSource) {
  TTestForm form(nullptr);
  TLayoutReader::ReadInto(form, kQuizLayout, "quiz.layout");
  const std::string written = WriteLayout(form);
  EXPECT_THAT(written, HasSubstr("  Query1 (TQuizData)\n    Active: true\n"));
  EXPECT_THAT(written, HasSubstr("    Query1AnswerTx (TStringField)\n"));
  EXPECT_THAT(written, HasSubstr("      FieldName: \"AnswerTx\"\n"));
  EXPECT_THAT(written, HasSubstr("      Size: 1\n"));
  EXPECT_THAT(written, HasSubstr("      BlobType: ftBlob\n"));
  EXPECT_THAT(written, HasSubstr("  wwDataSource1 (TwwDataSource)\n    DataSet: Query1\n"));
  EXPECT_THAT(written, HasSubstr("    AfterOpen: QueryAfterOpen\n"));
  // Defaults stay out; texts without a default are always written.
  EXPECT_THAT(written, Not(HasSubstr("Transliterate")));
  EXPECT_THAT(written, Not(HasSubstr("Visible")));
  EXPECT_THAT(written, HasSubstr("      Origin: \"\"\n"));

  TTestForm again(nullptr);
  TLayoutReader::ReadInto(again, written, "again.layout");
  EXPECT_EQ(WriteLayout(again), written);
  EXPECT_EQ(Find<TStringField>(again, "Query1AnswerTx")->AsText(), "A");
  EXPECT_THAT(again.Opened, ElementsAre("Query1 3"));
}

TEST_F(Layouts, ColumnsAreStoredAsLines) {
  TTestForm form(nullptr);
  TLayoutReader::ReadInto(form, R"(layout 1
Form1 (TTestForm)
  Data1 (TMemoryDataSet)
    Active: true
    Columns: ["Name ftString 10 required", "Count ftInteger"]
    ReadOnly: true
)",
                          "columns.layout");
  auto* data = Find<TMemoryDataSet>(form, "Data1");
  ASSERT_TRUE(data->Active());
  ASSERT_EQ(data->FieldObjects()->Count(), 2);
  EXPECT_TRUE(data->FieldNamed("name")->Required());
  EXPECT_FALSE(data->CanModify());
  const std::string written = WriteLayout(form);
  EXPECT_THAT(written, HasSubstr("Columns: [\"Name ftString 10 required\", \"Count ftInteger\"]"));
  // Default fields belong to the dataset and are not written.
  EXPECT_THAT(written, Not(HasSubstr("TStringField")));
}

TEST_F(Layouts, BadColumnsAndClashingFieldsAreLayoutErrors) {
  TTestForm form(nullptr);
  try {
    TLayoutReader::ReadInto(form, R"(layout 1
Form1 (TTestForm)
  Data1 (TMemoryDataSet)
    Columns: ["Name ftNothing"]
)",
                            "bad.layout");
    FAIL() << "the column cannot be read";
  } catch (const ELayoutError& e) {
    EXPECT_THAT(e.Message(), HasSubstr("bad.layout, line 4"));
    EXPECT_THAT(e.Message(), HasSubstr("Invalid column definition 'Name ftNothing'"));
  }
  TTestForm other(nullptr);
  try {
    TLayoutReader::ReadInto(other, R"(layout 1
Form1 (TTestForm)
  Query1 (TQuizData)
    Query1A (TStringField)
      FieldName: "AnswerTx"
      Size: 1
    Query1B (TStringField)
      FieldName: "answertx"
      Size: 1
)",
                            "twice.layout");
    FAIL() << "the field name is taken";
  } catch (const ELayoutError& e) {
    EXPECT_THAT(e.Message(), HasSubstr("line 7: Query1: Duplicate field name 'answertx'"));
  }
}

TEST_F(Layouts, AFailedOpenAfterLoadingReachesTheCaller) {
  TTestForm form(nullptr);
  std::string layout = kQuizLayout;
  layout.replace(layout.find("Size: 1\n  wwDataSource1"), 7, "Size: 2");
  try {
    TLayoutReader::ReadInto(form, layout, "wrong.layout");
    FAIL() << "the open should fail";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Query1: Size mismatch for field 'AnswerTx', expecting: 2 actual: 1");
  }
  auto* query = Find<TQuizData>(form, "Query1");
  ASSERT_NE(query, nullptr);
  EXPECT_FALSE(query->Active());
  EXPECT_FALSE(query->IsLoading());
}

TEST_F(Layouts, AtDesignTimeAFailedOpenIsShownInstead) {
  TQuizData data(nullptr);
  data.SetName("Query1");
  auto* answer = new TStringField(&data);
  answer->SetFieldName("AnswerTx");
  answer->SetSize(3);
  answer->SetHostDataSet(&data);
  data.ReadActive(true);
  EXPECT_FALSE(data.Active());
  data.SetDesigning(true);
  data.Loaded();
  EXPECT_FALSE(data.Active());
  EXPECT_EQ(data.LastShownError(), "Query1: Size mismatch for field 'AnswerTx', expecting: 3 actual: 1");
}

}  // namespace
