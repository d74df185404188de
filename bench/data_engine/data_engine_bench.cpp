// The game's two data steps at this layer, beside the same work through the engine's C
// interface alone, in one process on one encrypted quiz table built from the game's own quiz
// sources (each question repeated, so that a category holds many rows):
//
//   category switch   Query1 closed, its SQL replaced by the category's line, opened on the
//                     first row, the row's five blobs copied out;
//                     bare: statement allocated, prepared, run, first record, five blobs
//                     (open, size, read, free), previous cursor and statement closed.
//   GoNext            Query1 moved one row (Table1's master link hears of it), five blobs;
//                     bare: next record, five blobs.
//
// BM_Layer_* and BM_Engine_* give each figure on its own. BM_Alternating_* measure the
// ratios: blocks of each step run back to back, one way then the other, so that a machine
// whose speed drifts slows both alike; the medians of the blocks' times per step give the
// ratio. The program prints both ratios and fails when one is over the limit.
//
//   build/bin/data_engine_bench

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench_stats.h"
#include "core/layout/layout_reader.h"
#include "core/rtti.h"
#include "core/streams.h"
#include "data/engine/database.h"
#include "data/engine/engine_entries.h"
#include "data/engine/engine_loader.h"
#include "data/engine/query.h"
#include "data/engine/register.h"
#include "data/engine/session.h"
#include "data/engine/session_list.h"
#include "data/engine/table.h"
#include "data/fields/blob_field.h"
#include "data/links/data_source.h"
#include "quiz_source.h"
#include "quiz_table.h"
#include "ratio_reporter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRepeats = 20;  // each question this many times: 300 rows per category
constexpr int kSwitchBlock = 20;
constexpr int kMoveBlock = 200;
constexpr double kLimit = 1.30;

const char* const kCategories[] = {
    "Select * from vezedezavuza where QuizName = \"Classic Television 2\"",
    "Select * from vezedezavuza where QuizName = \"ET1\"",
    "Select * from vezedezavuza where QuizName = \"Banana Splits 1\"",
};
const char* const kBlobNames[] = {"Question", "Answer", "Hint", "Encourage", "Riff"};
const uint16_t kBlobNumbers[] = {3, 4, 5, 7, 8};

class TBenchForm : public TComponent {
 public:
  BREVANT_CLASS(TBenchForm)
  explicit TBenchForm(TComponent* AOwner) : TComponent(AOwner) {}
};
BREVANT_DEFINE_CLASS(TBenchForm, TComponent, )

std::string DeclaredFields(const std::string& DataSet) {
  std::string text;
  const char* names[] = {"Order",    "QuizName",  "Question", "Answer",    "Hint",
                         "AnswerTx", "Encourage", "Riff",     "UserAnswer"};
  for (const char* name : names) {
    const std::string field = name;
    const bool blob = field == "Question" || field == "Answer" || field == "Hint" || field == "Encourage" ||
                      field == "Riff";
    text += "    " + DataSet + field + (blob ? " (TBlobField)\n" : " (TStringField)\n");
    text += "      FieldName: \"" + field + "\"\n";
    if (blob) text += "      BlobType: ftBlob\n      Size: 1\n";
    if (field == "Order") text += "      Size: 5\n";
    if (field == "AnswerTx" || field == "UserAnswer") text += "      Size: 1\n";
  }
  return text;
}

// The table, the configuration, the module, the game's form with Table1 open, and the bare
// path's own database handle.
struct TSetup {
  std::string Folder;
  std::unique_ptr<TDataEngineModule> Module;
  std::unique_ptr<TBenchForm> Form;
  TQuery* Query = nullptr;
  TTable* Table = nullptr;
  TMemoryStream Out;
  EngHandle Database = 0;
  int Category = 0;

  TSetup() {
    Folder = (fs::temp_directory_path() / "data-engine-bench-XXXXXX").string();
    if (::mkdtemp(Folder.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    std::vector<TQuizSource> sources;
    for (const char* file : {"classic-television-2.quiz", "et1.quiz", "banana-splits-1.quiz"})
      sources.push_back(LoadQuizSource(std::string(BREVANT_SOURCE_DIR) + "/quiz/" + file, true));
    const std::vector<TQuizRow> rows = QuizRows(sources);
    std::vector<TQuizRow> many;
    for (int copy = 0; copy < kRepeats; ++copy)
      many.insert(many.end(), rows.begin(), rows.end());
    WriteQuizTable(Folder + "/vezedezavuza.db", "pelmut", many);
    std::ofstream(Folder + "/dbengine.cfg") << "[DATABASES\\vozaza\\DB INFO]\nTYPE=STANDARD\nPATH=.\n";
    ::setenv("DBENGINE_CONFIG", (Folder + "/dbengine.cfg").c_str(), 1);

    RegisterDataEngineClasses();
    RegisterClasses<TBenchForm>();
    Module = std::make_unique<TDataEngineModule>();
    Form = std::make_unique<TBenchForm>(nullptr);
    const std::string layout =
        "layout 1\nMainForm (TBenchForm)\n  wwDataSource1 (TwwDataSource)\n"
        "  Query1 (TQuery)\n    DatabaseName: \"vozaza\"\n    ParamCheck: false\n" +
        DeclaredFields("Query1") +
        "  Table1 (TTable)\n    DatabaseName: \"vozaza\"\n    MasterSource: wwDataSource1\n"
        "    TableName: \"vezedezavuza.db\"\n" +
        DeclaredFields("Table1");
    TLayoutReader::ReadInto(*Form, layout, "bench");
    Query = dynamic_cast<TQuery*>(Form->FindComponent("Query1"));
    Table = dynamic_cast<TTable*>(Form->FindComponent("Table1"));
    Session->StorePassword("pelmut");
    Table->SetActive(true);
    dynamic_cast<TDataSource*>(Form->FindComponent("wwDataSource1"))->SetDataSet(Query);
    if (ResolveEngineEntries() != ENG_OK) throw std::runtime_error("engine entries");
    if (DbEngine.EngOpenDatabase("vozaza", nullptr, ENG_OPEN_READWRITE, ENG_SHARE_SHARED, "", &Database) !=
        ENG_OK)
      throw std::runtime_error("database");
  }
  ~TSetup() {
    DbEngine.EngCloseDatabase(Database);
    Form.reset();
    Module.reset();
    std::error_code ignored;
    fs::remove_all(Folder, ignored);
  }

  // ---- The data layer ---------------------------------------------------------------------
  void ReadBlobs() {
    for (const char* name : kBlobNames) {
      Out.Clear();
      static_cast<TBlobField*>(Query->FieldNamed(name))->CopyToStream(Out);
      benchmark::DoNotOptimize(Out.Memory());
    }
  }
  void SwitchCategory() {
    Query->SetActive(false);
    Query->SQL()->Clear();
    Query->SQL()->Add(kCategories[Category++ % 3]);
    Query->SetActive(true);
    ReadBlobs();
  }
  void MoveNext() {
    if (Query->GoNext() == 0) Query->GoFirst();
    ReadBlobs();
  }
};

// The same work through the engine's entries alone.
struct TBare {
  TSetup& S;
  EngHandle Statement = 0;
  EngHandle Cursor = 0;
  std::vector<char> Record;
  std::string Bytes;
  int Category = 0;

  explicit TBare(TSetup& Setup) : S(Setup) {}
  ~TBare() { Close(); }

  void Close() {
    if (Cursor != 0) DbEngine.EngCloseCursor(Cursor);
    if (Statement != 0) DbEngine.EngFreeStatement(Statement);
    Cursor = Statement = 0;
  }
  void ReadBlobs() {
    for (uint16_t field : kBlobNumbers) {
      Bytes.clear();
      if (DbEngine.EngOpenBlob(Cursor, Record.data(), field, ENG_OPEN_READONLY) != ENG_OK) continue;
      uint32_t size = 0;
      DbEngine.EngGetBlobSize(Cursor, Record.data(), field, &size);
      Bytes.resize(size);
      uint32_t read = 0;
      DbEngine.EngGetBlob(Cursor, Record.data(), field, 0, size, Bytes.data(), &read);
      DbEngine.EngFreeBlob(Cursor, Record.data(), field);
      benchmark::DoNotOptimize(Bytes.data());
    }
  }
  void SwitchCategory() {
    Close();
    const std::string text = std::string(kCategories[Category++ % 3]) + "\r\n";
    DbEngine.EngAllocStatement(S.Database, ENG_LANG_SQL, &Statement);
    DbEngine.EngPrepareStatement(Statement, text.c_str());
    DbEngine.EngExecuteStatement(Statement, &Cursor);
    EngCursorProps props{};
    DbEngine.EngGetCursorProps(Cursor, &props);
    Record.resize(props.recordSize);
    DbEngine.EngGetNextRecord(Cursor, ENG_LOCK_NONE, Record.data(), nullptr);
    ReadBlobs();
  }
  void MoveNext() {
    if (DbEngine.EngGetNextRecord(Cursor, ENG_LOCK_NONE, Record.data(), nullptr) != ENG_OK) {
      DbEngine.EngSetToBegin(Cursor);
      DbEngine.EngGetNextRecord(Cursor, ENG_LOCK_NONE, Record.data(), nullptr);
    }
    ReadBlobs();
  }
};

TSetup& Setup() {
  static TSetup setup;
  return setup;
}

void BM_Layer_CategorySwitch(benchmark::State& State) {
  TSetup& s = Setup();
  for (auto _ : State)
    s.SwitchCategory();
}

void BM_Engine_CategorySwitch(benchmark::State& State) {
  TBare bare(Setup());
  for (auto _ : State)
    bare.SwitchCategory();
}

void BM_Layer_GoNext(benchmark::State& State) {
  TSetup& s = Setup();
  s.SwitchCategory();
  for (auto _ : State)
    s.MoveNext();
}

void BM_Engine_GoNext(benchmark::State& State) {
  TBare bare(Setup());
  bare.SwitchCategory();
  for (auto _ : State)
    bare.MoveNext();
}

// Blocks of Count steps each way, back to back, the order alternating; per-step medians.
template <class Layer, class Engine>
void Alternate(benchmark::State& State, int Count, Layer&& LayerStep, Engine&& EngineStep) {
  std::vector<double> layer;
  std::vector<double> engine;
  int block = 0;
  for (auto _ : State) {
    auto run = [&](auto& Step, std::vector<double>& Times) {
      const double start = ThreadSeconds();
      for (int i = 0; i < Count; ++i)
        Step();
      Times.push_back((ThreadSeconds() - start) / Count);
    };
    if (block++ % 2 == 0) {
      run(LayerStep, layer);
      run(EngineStep, engine);
    } else {
      run(EngineStep, engine);
      run(LayerStep, layer);
    }
  }
  State.counters["layer_us"] = Median(layer) * 1e6;
  State.counters["engine_us"] = Median(engine) * 1e6;
  State.counters["ratio"] = Median(layer) / Median(engine);
}

void BM_Alternating_CategorySwitch(benchmark::State& State) {
  TSetup& s = Setup();
  TBare bare(s);
  Alternate(
      State, kSwitchBlock, [&] { s.SwitchCategory(); }, [&] { bare.SwitchCategory(); });
}

void BM_Alternating_GoNext(benchmark::State& State) {
  TSetup& s = Setup();
  TBare bare(s);
  s.SwitchCategory();
  bare.SwitchCategory();
  Alternate(
      State, kMoveBlock, [&] { s.MoveNext(); }, [&] { bare.MoveNext(); });
}

BENCHMARK(BM_Layer_CategorySwitch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Engine_CategorySwitch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Layer_GoNext)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Engine_GoNext)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Alternating_CategorySwitch)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_Alternating_GoNext)->Unit(benchmark::kMillisecond)->Iterations(40);

}  // namespace

int main(int argc, char** argv) {
  const auto runs = RunRatioBenchmarks(argc, argv);
  if (!runs) return 1;
  bool within = true;
  for (const auto& run : *runs) {
    const double ratio = run.Counters.at("ratio");
    std::printf("%s: data layer %.1f us, engine alone %.1f us, ratio %.2f (limit %.2f)\n", run.Name.c_str(),
                run.Counters.at("layer_us"), run.Counters.at("engine_us"), ratio, kLimit);
    within = within && ratio <= kLimit;
  }
  return within ? 0 : 1;
}
