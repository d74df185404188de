#include "engine_test_support.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "core/layout/layout_reader.h"
#include "data/engine/engine_entries.h"
#include "data/engine/engine_loader.h"
#include "data/engine/query.h"
#include "data/engine/register.h"
#include "data/engine/table.h"
#include "data/links/data_source.h"
#include "quiz_source.h"

namespace fs = std::filesystem;

BREVANT_DEFINE_CLASS(TQuizForm, TComponent, )

const char* const kClassicTvSql = "Select * from vezedezavuza where QuizName = \"Classic Television 2\"";
const char* const kEt1Sql = "Select * from vezedezavuza where QuizName = \"ET1\"";
const char* const kBananaSql = "Select * from vezedezavuza where QuizName = \"Banana Splits 1\"";

namespace {

std::string Category(const std::string& Name, const std::vector<std::string>& Orders, char Letter) {
  std::string text = "category: " + Name + "\n";
  for (const std::string& order : Orders) {
    text += "\nquestion: " + order + "\nletter: " + std::string(1, Letter) + "\ntext:\n  = Question " +
            order + "\n  Which one?\n  A. one\n  B. two\n  C. three\n  D. four\nanswer:\n  The answer to " +
            order + ".\n";
    if (order != "ET02") text += "hint:\n  A hint for " + order + "\n";
    text += "encourage:\n  Well done " + order + "\nriff:\n  Oh dear " + order + "\n";
  }
  return text;
}

}  // namespace

std::vector<TQuizRow> SampleQuizRows() {
  const std::vector<TQuizSource> sources = {
      ParseQuizSource(Category("Classic Television 2", {"CT01", "CT02", "CT03"}, 'B'), "ct.quiz", true),
      ParseQuizSource(Category("ET1", {"ET01", "ET02", "ET03", "ET04"}, 'C'), "et.quiz", true),
      ParseQuizSource(Category("Banana Splits 1", {"BS01", "BS02"}, 'D'), "bs.quiz", true)};
  const std::vector<TQuizRow> all = QuizRows(sources);
  // Interleaved, so that a statement must really select its rows.
  const std::vector<size_t> order = {0, 3, 7, 1, 4, 5, 8, 2, 6};
  std::vector<TQuizRow> mixed;
  for (size_t index : order)
    mixed.push_back(all[index]);
  return mixed;
}

std::vector<TQuizRow> RowsOf(const std::vector<TQuizRow>& Rows, const std::string& QuizName) {
  std::vector<TQuizRow> out;
  for (const TQuizRow& row : Rows) {
    if (row.quizName == QuizName) out.push_back(row);
  }
  return out;
}

// ---- The game's form ----------------------------------------------------------------------

const char* const kQuizFormLayout = R"(layout 1
MainForm (TQuizForm)
  wwDataSource1 (TwwDataSource)
  Query1 (TQuery)
    DatabaseName: "vozaza"
    ParamCheck: false
    Query1Order (TStringField)
      FieldName: "Order"
      Size: 5
    Query1QuizName (TStringField)
      FieldName: "QuizName"
    Query1Question (TBlobField)
      BlobType: ftBlob
      FieldName: "Question"
      Size: 1
    Query1Answer (TBlobField)
      BlobType: ftBlob
      FieldName: "Answer"
      Size: 1
    Query1Hint (TBlobField)
      BlobType: ftBlob
      FieldName: "Hint"
      Size: 1
    Query1AnswerTx (TStringField)
      FieldName: "AnswerTx"
      Size: 1
    Query1Encourage (TBlobField)
      BlobType: ftBlob
      FieldName: "Encourage"
      Size: 1
    Query1Riff (TBlobField)
      BlobType: ftBlob
      FieldName: "Riff"
      Size: 1
    Query1UserAnswer (TStringField)
      FieldName: "UserAnswer"
      Size: 1
  Table1 (TTable)
    DatabaseName: "vozaza"
    MasterSource: wwDataSource1
    TableName: "vezedezavuza.db"
    Table1Order (TStringField)
      FieldName: "Order"
      Size: 5
    Table1QuizName (TStringField)
      FieldName: "QuizName"
    Table1Question (TBlobField)
      BlobType: ftBlob
      FieldName: "Question"
      Size: 1
    Table1Answer (TBlobField)
      BlobType: ftBlob
      FieldName: "Answer"
      Size: 1
    Table1Hint (TBlobField)
      BlobType: ftBlob
      FieldName: "Hint"
      Size: 1
    Table1AnswerTx (TStringField)
      FieldName: "AnswerTx"
      Size: 1
    Table1Encourage (TBlobField)
      BlobType: ftBlob
      FieldName: "Encourage"
      Size: 1
    Table1Riff (TBlobField)
      BlobType: ftBlob
      FieldName: "Riff"
      Size: 1
    Table1UserAnswer (TStringField)
      FieldName: "UserAnswer"
      Size: 1
)";

void TQuizForm::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* c = Components(i);
    if (c->GetParentComponent() == nullptr && c->Owner() == Root) Proc(c);
  }
}

std::unique_ptr<TQuizForm> TQuizForm::Make() {
  auto form = std::make_unique<TQuizForm>(nullptr);
  TLayoutReader::ReadInto(*form, kQuizFormLayout, "TQuizForm.layout");
  return form;
}

TQuery* TQuizForm::Query1() const {
  return dynamic_cast<TQuery*>(FindComponent("Query1"));
}

TTable* TQuizForm::Table1() const {
  return dynamic_cast<TTable*>(FindComponent("Table1"));
}

TDataSource* TQuizForm::DataSource1() const {
  return dynamic_cast<TDataSource*>(FindComponent("wwDataSource1"));
}

// ---- The fixture --------------------------------------------------------------------------

void TEngineFixture::SetUp() {
  RegisterDataEngineClasses();
  RegisterClasses<TQuizForm>();
  DataFolder = Folder.File("data");
  fs::create_directory(DataFolder);
  Rows = SampleQuizRows();
  WriteQuizTable(DataFolder + "/vezedezavuza.db", "pelmut", Rows);
  ConfigPath = Folder.File("dbengine.cfg");
  WriteTextFile(ConfigPath,
                "[DATABASES\\vozaza\\DB INFO]\nTYPE=STANDARD\nPATH=data\nDEFAULT DRIVER=PARADOX\n");
  ::setenv("DBENGINE_CONFIG", ConfigPath.c_str(), 1);
  Module = std::make_unique<TDataEngineModule>();
}

void TEngineFixture::TearDown() {
  Module.reset();
  EXPECT_EQ(EngineUseCount(), 0);
  EXPECT_FALSE(EngineLibraryLoaded());
  ::unsetenv("DBENGINE_CONFIG");
}

void TEngineFixture::RestartModule() {
  Module.reset();
  Module = std::make_unique<TDataEngineModule>();
}

// ---- Counting engine calls ----------------------------------------------------------------

namespace {

template <auto Member, class F = std::remove_reference_t<decltype(std::declval<TEngineEntries&>().*Member)>>
struct TCounting;
template <auto Member, class... A>
struct TCounting<Member, EngResult (*)(A...)> {
  static inline EngResult (*Original)(A...) = nullptr;
  static inline int Calls = 0;
  static EngResult Call(A... Args) {
    ++Calls;
    return Original(Args...);
  }
};

struct TCounted {
  const char* Name;
  int* Calls;
};

std::vector<TCounted> Counted() {
  return {
#define BREVANT_COUNTED(Name) {#Name, &TCounting<&TEngineEntries::Name>::Calls},
      ENG_WORK_ENTRIES(BREVANT_COUNTED)
#undef BREVANT_COUNTED
  };
}

}  // namespace

TEngineCallCounter::TEngineCallCounter() {
  EXPECT_EQ(ResolveEngineEntries(), ENG_OK);
#define BREVANT_WRAP(Name)                                     \
  TCounting<& TEngineEntries::Name>::Original = DbEngine.Name; \
  DbEngine.Name = &TCounting<&TEngineEntries::Name>::Call;
  ENG_WORK_ENTRIES(BREVANT_WRAP)
#undef BREVANT_WRAP
  Reset();
}

TEngineCallCounter::~TEngineCallCounter() {
  // Only while the wrappers are still in the table: a freed library took them out already.
#define BREVANT_UNWRAP(Name)                                    \
  if (DbEngine.Name == &TCounting<&TEngineEntries::Name>::Call) \
    DbEngine.Name = TCounting<&TEngineEntries::Name>::Original;
  ENG_WORK_ENTRIES(BREVANT_UNWRAP)
#undef BREVANT_UNWRAP
}

int TEngineCallCounter::Count(const std::string& Entry) const {
  for (const TCounted& counted : Counted()) {
    if (Entry == counted.Name) return *counted.Calls;
  }
  ADD_FAILURE() << "no engine entry " << Entry;
  return -1;
}

int TEngineCallCounter::Total() const {
  int total = 0;
  for (const TCounted& counted : Counted())
    total += *counted.Calls;
  return total;
}

void TEngineCallCounter::Reset() {
  for (const TCounted& counted : Counted())
    *counted.Calls = 0;
}

std::string TEngineCallCounter::Summary() const {
  std::string out;
  for (const TCounted& counted : Counted()) {
    if (*counted.Calls > 0) out += std::string(counted.Name) + "=" + std::to_string(*counted.Calls) + " ";
  }
  return out;
}
