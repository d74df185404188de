// The engine's cursor, blob and open calls beside the storage library's own calls on the same files.
//   engine_bench [--benchmark_repetitions=5] [--benchmark_filter=...]
// Each pair is printed with its ratio (engine time / storage library time) at the end, from the medians
// when repetitions are asked for.
#define SQLITE_HAS_CODEC 1
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "dbengine.h"
#include "engine_bench_support.h"

namespace {

constexpr int kRows = 100000;
constexpr int kBlobBytes = 1 << 20;
constexpr const char* kPassword = "pelmut";

using bench_engine::Check;
using bench_engine::Exec;
using TEngine = bench_engine::TEngineLibrary;

// Writes the row table (plain and encrypted copies) and the blob table into a fresh folder.
std::string MakeTables() {
  std::string folder = bench_engine::MakeFolder("dbengine-bench-XXXXXX");
  for (const char* name : {"rows", "secret"}) {
    sqlite3* db = nullptr;
    Check(sqlite3_open((folder + "/" + name + ".db").c_str(), &db) == SQLITE_OK, "create table file");
    if (std::strcmp(name, "secret") == 0)
      sqlite3_key(db, kPassword, static_cast<int>(std::strlen(kPassword)));
    Exec(db, (std::string("CREATE TABLE ") + name +
              " (\"Order\" VARCHAR(5), QuizName VARCHAR(20), Title VARCHAR(40), AnswerTx VARCHAR(1),"
              " Points INTEGER, Ratio REAL)")
                 .c_str());
    Exec(db, "BEGIN");
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, (std::string("INSERT INTO ") + name + " VALUES (?1, ?2, ?3, ?4, ?5, ?6)").c_str(),
                       -1, &insert, nullptr);
    for (int row = 0; row < kRows; ++row) {
      const std::string order = "R" + std::to_string(row % 10000);
      const std::string title = "A title of row number " + std::to_string(row);
      sqlite3_bind_text(insert, 1, order.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(insert, 2, row % 3 == 0 ? "Classic Television 2" : "ET1", -1, SQLITE_STATIC);
      sqlite3_bind_text(insert, 3, title.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(insert, 4, "ABCD" + row % 4, 1, SQLITE_STATIC);
      sqlite3_bind_int(insert, 5, row);
      sqlite3_bind_double(insert, 6, row / 7.0);
      Check(sqlite3_step(insert) == SQLITE_DONE, "insert");
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    Exec(db, "COMMIT");
    sqlite3_close(db);
  }
  sqlite3* db = nullptr;
  Check(sqlite3_open((folder + "/blobs.db").c_str(), &db) == SQLITE_OK, "create blob file");
  Exec(db, "CREATE TABLE blobs (Name VARCHAR(10), Data BLOB(1))");
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO blobs VALUES ('big', ?1)", -1, &insert, nullptr);
  std::vector<unsigned char> bytes(kBlobBytes);
  for (size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<unsigned char>(i * 31 + 7);
  sqlite3_bind_blob(insert, 1, bytes.data(), static_cast<int>(bytes.size()), SQLITE_STATIC);
  Check(sqlite3_step(insert) == SQLITE_DONE, "insert blob");
  sqlite3_finalize(insert);
  sqlite3_close(db);
  bench_engine::WriteConfiguration(folder);
  return folder;
}

struct TFixture : bench_engine::TEngineSession {
  TFixture() : TEngineSession(MakeTables(), DBENGINE_LIBRARY, kPassword, ENG_OPEN_READONLY) {}
};

TFixture& Fixture() {
  static TFixture fixture;
  return fixture;
}

const char* TableOf(const benchmark::State& state) {
  return state.range(0) == 0 ? "rows" : "secret";
}

// Every row through the engine: execute the SELECT, then next and every field's value.
void BM_EngineCursorReadAll(benchmark::State& state) {
  TFixture& f = Fixture();
  TEngine& e = f.engine;
  EngHandle statement = 0;
  Check(e.EngAllocStatement(f.db, ENG_LANG_SQL, &statement) == ENG_OK, "alloc");
  const std::string sql = std::string("SELECT * FROM ") + TableOf(state) + "\r\n";
  Check(e.EngPrepareStatement(statement, sql.c_str()) == ENG_OK, "prepare");
  char text[64];
  int32_t points = 0;
  double ratio = 0;
  uint16_t blank = 0;
  for (auto _ : state) {
    EngHandle cursor = 0;
    Check(e.EngExecuteStatement(statement, &cursor) == ENG_OK, "execute");
    EngCursorProps props{};
    e.EngGetCursorProps(cursor, &props);
    std::vector<unsigned char> record(props.recordSize);
    int rows = 0;
    while (e.EngGetNextRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr) == ENG_OK) {
      for (uint16_t field = 1; field <= 4; ++field)
        e.EngGetField(cursor, field, record.data(), text, &blank);
      e.EngGetField(cursor, 5, record.data(), &points, &blank);
      e.EngGetField(cursor, 6, record.data(), &ratio, &blank);
      benchmark::DoNotOptimize(text);
      ++rows;
    }
    Check(rows == kRows, "row count");
    e.EngCloseCursor(cursor);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

// The same SELECT stepped with the storage library, each value copied out as the engine does.
void BM_StorageStepReadAll(benchmark::State& state) {
  sqlite3* db = nullptr;
  Check(sqlite3_open_v2((Fixture().folder + "/" + TableOf(state) + ".db").c_str(), &db, SQLITE_OPEN_READONLY,
                        nullptr) == SQLITE_OK,
        "open");
  if (state.range(0) != 0) sqlite3_key(db, kPassword, static_cast<int>(std::strlen(kPassword)));
  const std::string sql = std::string("SELECT * FROM ") + TableOf(state);
  char text[64];
  int32_t points = 0;
  double ratio = 0;
  for (auto _ : state) {
    sqlite3_stmt* stmt = nullptr;
    Check(sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK, "prepare");
    int rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      for (int column = 0; column < 4; ++column) {
        const unsigned char* value = sqlite3_column_text(stmt, column);
        const int length = sqlite3_column_bytes(stmt, column);
        std::memcpy(text, value, static_cast<size_t>(length));
        text[length] = 0;
      }
      points = sqlite3_column_int(stmt, 4);
      ratio = sqlite3_column_double(stmt, 5);
      benchmark::DoNotOptimize(text);
      benchmark::DoNotOptimize(points);
      benchmark::DoNotOptimize(ratio);
      ++rows;
    }
    Check(rows == kRows, "row count");
    sqlite3_finalize(stmt);
  }
  sqlite3_close(db);
  state.SetItemsProcessed(state.iterations() * kRows);
}

// A 1 MB blob read whole through the engine's blob calls.
void BM_EngineBlobRead1MB(benchmark::State& state) {
  TFixture& f = Fixture();
  TEngine& e = f.engine;
  EngHandle cursor = 0;
  Check(e.EngOpenTable(f.db, "blobs", nullptr, nullptr, nullptr, 0, ENG_OPEN_READONLY, ENG_SHARE_SHARED,
                       ENG_XLT_RECORD, 0, nullptr, &cursor) == ENG_OK,
        "open blobs");
  EngCursorProps props{};
  e.EngGetCursorProps(cursor, &props);
  std::vector<unsigned char> record(props.recordSize);
  Check(e.EngGetNextRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr) == ENG_OK, "next");
  std::vector<unsigned char> bytes(kBlobBytes);
  for (auto _ : state) {
    uint32_t size = 0, read = 0;
    e.EngOpenBlob(cursor, record.data(), 2, ENG_OPEN_READONLY);
    e.EngGetBlobSize(cursor, record.data(), 2, &size);
    Check(
        e.EngGetBlob(cursor, record.data(), 2, 0, size, bytes.data(), &read) == ENG_OK && read == kBlobBytes,
        "blob read");
    e.EngFreeBlob(cursor, record.data(), 2);
    benchmark::DoNotOptimize(bytes.data());
  }
  e.EngCloseCursor(cursor);
  state.SetBytesProcessed(state.iterations() * kBlobBytes);
}

// The same blob through the storage library's incremental blob calls.
void BM_StorageBlobRead1MB(benchmark::State& state) {
  sqlite3* db = nullptr;
  Check(sqlite3_open_v2((Fixture().folder + "/blobs.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr) ==
            SQLITE_OK,
        "open");
  std::vector<unsigned char> bytes(kBlobBytes);
  // The engine's cursor keeps its read transaction while it stands on the row; so does this one.
  Exec(db, "BEGIN");
  for (auto _ : state) {
    sqlite3_blob* blob = nullptr;
    Check(sqlite3_blob_open(db, "main", "blobs", "Data", 1, 0, &blob) == SQLITE_OK, "blob open");
    const int size = sqlite3_blob_bytes(blob);
    Check(sqlite3_blob_read(blob, bytes.data(), size, 0) == SQLITE_OK, "blob read");
    sqlite3_blob_close(blob);
    benchmark::DoNotOptimize(bytes.data());
  }
  Exec(db, "COMMIT");
  sqlite3_close(db);
  state.SetBytesProcessed(state.iterations() * kBlobBytes);
}

// Opening the encrypted table: a new database each time, so that no open file is reused.
void BM_EngineOpenEncryptedTable(benchmark::State& state) {
  TFixture& f = Fixture();
  TEngine& e = f.engine;
  for (auto _ : state) {
    EngHandle db = 0, cursor = 0;
    e.EngOpenDatabase("bench", nullptr, ENG_OPEN_READONLY, ENG_SHARE_SHARED, "", &db);
    Check(e.EngOpenTable(db, "secret", nullptr, nullptr, nullptr, 0, ENG_OPEN_READONLY, ENG_SHARE_SHARED,
                         ENG_XLT_RECORD, 0, nullptr, &cursor) == ENG_OK,
          "open secret");
    e.EngCloseDatabase(db);
  }
}

void BM_StorageOpenEncryptedTable(benchmark::State& state) {
  const std::string path = Fixture().folder + "/secret.db";
  for (auto _ : state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_key(db, kPassword, static_cast<int>(std::strlen(kPassword)));
    Check(sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK,
          "key");
    sqlite3_close(db);
  }
}

BENCHMARK(BM_EngineCursorReadAll)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StorageStepReadAll)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineBlobRead1MB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StorageBlobRead1MB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EngineOpenEncryptedTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StorageOpenEncryptedTable)->Unit(benchmark::kMillisecond);

// Console output as usual, plus the mean time of each run kept for the ratios.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    // With --benchmark_repetitions the medians, reported after the repetitions, replace them.
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if ((run.run_type == Run::RT_Iteration && run.iterations > 0) || median) {
        times_[run.run_name.str()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatios() const {
    const std::pair<const char*, const char*> pairs[] = {
        {"BM_EngineCursorReadAll/0", "BM_StorageStepReadAll/0"},
        {"BM_EngineCursorReadAll/1", "BM_StorageStepReadAll/1"},
        {"BM_EngineBlobRead1MB", "BM_StorageBlobRead1MB"},
        {"BM_EngineOpenEncryptedTable", "BM_StorageOpenEncryptedTable"}};
    std::printf("\nRatios (engine / storage library, same process)      real    CPU\n");
    for (const auto& [engine, storage] : pairs) {
      const auto a = times_.find(engine), b = times_.find(storage);
      if (a != times_.end() && b != times_.end() && b->second.first > 0 && b->second.second > 0) {
        std::printf("  %-48s %6.3f %6.3f\n", engine, a->second.first / b->second.first,
                    a->second.second / b->second.second);
      }
    }
  }

 private:
  std::map<std::string, std::pair<double, double>> times_;  // real and CPU time per iteration
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
