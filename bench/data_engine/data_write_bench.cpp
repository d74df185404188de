// Posting edited rows through the data layer beside the same writes through the storage
// library directly, in one process, on two encrypted quiz tables of 1,000 rows with the same
// key:
//
//   layer    TTable: next row (first after the last), Edit, the Question blob replaced by 2 KB
//            through LoadFromStream, Post;
//   direct   SQLCipher: BEGIN, one prepared UPDATE of the row's Question blob, COMMIT.
//
// Both run in alternating blocks of kBlock rows, so that a machine whose speed drifts slows
// both alike; kBlocks blocks each way make 1,000 rows. The ratio of the medians of the
// per-row wall-clock times is printed (processor times too), and the program fails when the
// wall-clock ratio is over the limit.
//
//   build/bin/data_write_bench

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_stats.h"
#include "core/streams.h"
#include "data/engine/register.h"
#include "data/engine/session.h"
#include "data/engine/session_list.h"
#include "data/engine/table.h"
#include "data/fields/blob_field.h"
#include "quiz_table.h"
#include "ratio_reporter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRows = 1000;
constexpr int kBlobBytes = 2048;
constexpr int kBlock = 100;
constexpr int kBlocks = kRows / kBlock;
constexpr double kLimit = 1.5;
const char* const kKey = "pelmut";

std::vector<TQuizRow> ManyRows() {
  std::vector<TQuizRow> rows(kRows);
  for (int i = 0; i < kRows; ++i) {
    rows[static_cast<size_t>(i)].order = std::to_string(i % 100000);
    rows[static_cast<size_t>(i)].quizName = "Bench";
    rows[static_cast<size_t>(i)].question = std::string(kBlobBytes, 'q');
    rows[static_cast<size_t>(i)].answerTx = "A";
  }
  return rows;
}

// 2 KB that differ from one post to the next.
std::string BlobFor(int Serial) {
  std::string bytes(kBlobBytes, '\0');
  for (int i = 0; i < kBlobBytes; ++i)
    bytes[static_cast<size_t>(i)] = static_cast<char>((Serial * 31 + i * 7) & 0xFF);
  return bytes;
}

struct TSetup {
  std::string Folder;
  std::unique_ptr<TDataEngineModule> Module;
  std::unique_ptr<TTable> Table;
  TBlobField* Question = nullptr;
  sqlite3* Direct = nullptr;
  sqlite3_stmt* Update = nullptr;
  int LayerSerial = 0;
  int DirectSerial = 0;
  std::string Bytes;

  TSetup() {
    Folder = (fs::temp_directory_path() / "data-write-bench-XXXXXX").string();
    if (::mkdtemp(Folder.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    const std::vector<TQuizRow> rows = ManyRows();
    WriteQuizTable(Folder + "/vezedezavuza.db", kKey, rows);
    WriteQuizTable(Folder + "/direct.db", kKey, rows);
    std::ofstream(Folder + "/dbengine.cfg") << "[DATABASES\\vozaza\\DB INFO]\nTYPE=STANDARD\nPATH=.\n";
    ::setenv("DBENGINE_CONFIG", (Folder + "/dbengine.cfg").c_str(), 1);

    RegisterDataEngineClasses();
    Module = std::make_unique<TDataEngineModule>();
    Session->StorePassword(kKey);
    Table = std::make_unique<TTable>(nullptr);
    Table->SetDatabaseName("vozaza");
    Table->SetTableName("vezedezavuza.db");
    Table->SetActive(true);
    Question = static_cast<TBlobField*>(Table->FieldNamed("Question"));

    if (sqlite3_open_v2((Folder + "/direct.db").c_str(), &Direct, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK ||
        sqlite3_key(Direct, kKey, static_cast<int>(std::string(kKey).size())) != SQLITE_OK ||
        sqlite3_prepare_v2(Direct, "UPDATE direct SET Question = ?1 WHERE rowid = ?2", -1, &Update,
                           nullptr) != SQLITE_OK)
      throw std::runtime_error(std::string("direct table: ") + sqlite3_errmsg(Direct));
  }
  ~TSetup() {
    sqlite3_finalize(Update);
    sqlite3_close(Direct);
    Table.reset();
    Module.reset();
    std::error_code ignored;
    fs::remove_all(Folder, ignored);
  }

  void PostThroughLayer() {
    if (LayerSerial++ > 0 && Table->GoNext() == 0) Table->GoFirst();
    Bytes = BlobFor(LayerSerial);
    TMemoryStream source;
    source.WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
    Table->BeginEdit();
    Question->LoadFromStream(source);
    Table->PostRow();
  }

  void Exec(const char* Sql) {
    if (sqlite3_exec(Direct, Sql, nullptr, nullptr, nullptr) != SQLITE_OK)
      throw std::runtime_error(sqlite3_errmsg(Direct));
  }
  void PostDirectly() {
    const int row = DirectSerial++ % kRows + 1;
    Bytes = BlobFor(DirectSerial);
    Exec("BEGIN");
    sqlite3_bind_blob(Update, 1, Bytes.data(), static_cast<int>(Bytes.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int(Update, 2, row);
    if (sqlite3_step(Update) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(Direct));
    sqlite3_reset(Update);
    Exec("COMMIT");
  }
};

double WallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void BM_Alternating_PostEditedRows(benchmark::State& State) {
  TSetup setup;
  std::vector<double> layerWall, directWall, layerCpu, directCpu;
  int block = 0;
  for (auto _ : State) {
    auto run = [](auto&& Step, std::vector<double>& Wall, std::vector<double>& Cpu) {
      const double wall = WallSeconds();
      const double cpu = ThreadSeconds();
      for (int i = 0; i < kBlock; ++i)
        Step();
      Wall.push_back((WallSeconds() - wall) / kBlock);
      Cpu.push_back((ThreadSeconds() - cpu) / kBlock);
    };
    auto layer = [&] { run([&] { setup.PostThroughLayer(); }, layerWall, layerCpu); };
    auto direct = [&] { run([&] { setup.PostDirectly(); }, directWall, directCpu); };
    if (block++ % 2 == 0) {
      layer();
      direct();
    } else {
      direct();
      layer();
    }
  }
  State.counters["layer_us"] = Median(layerWall) * 1e6;
  State.counters["engine_us"] = Median(directWall) * 1e6;
  State.counters["ratio"] = Median(layerWall) / Median(directWall);
  State.counters["cpu_ratio"] = Median(layerCpu) / Median(directCpu);
}

BENCHMARK(BM_Alternating_PostEditedRows)->Unit(benchmark::kMillisecond)->Iterations(kBlocks);

}  // namespace

int main(int argc, char** argv) {
  const auto runs = RunRatioBenchmarks(argc, argv);
  if (!runs) return 1;
  bool within = true;
  for (const auto& run : *runs) {
    const double ratio = run.Counters.at("ratio");
    std::printf(
        "%s: %d rows each way; per row: data layer %.1f us, SQLCipher directly %.1f us, ratio %.2f "
        "(processor time ratio %.2f; limit %.2f)\n",
        run.Name.c_str(), kRows, run.Counters.at("layer_us"), run.Counters.at("engine_us"), ratio,
        run.Counters.at("cpu_ratio"), kLimit);
    within = within && ratio <= kLimit;
  }
  return within ? 0 : 1;
}
