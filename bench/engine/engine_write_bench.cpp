// The engine's writes beside the same writes through the storage library, in one process: 1,000 rows,
// each edited (a text field and a 2 KB blob) and posted in a transaction of its own, on two encrypted
// copies of one table with the same key.
//   engine_write_bench [--benchmark_repetitions=5]
// Prints "BM_EngineWrite1000Rows / BM_StorageWrite1000Rows = <ratio>" at the end.
#define SQLITE_HAS_CODEC 1
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "dbengine.h"
#include "engine_bench_support.h"
#include "ratio_reporter.h"

namespace {

constexpr int kRows = 1000;
constexpr size_t kBlobBytes = 2048;
constexpr const char* kPassword = "pelmut";

using bench_engine::Check;
using bench_engine::Exec;
using TEngine = bench_engine::TEngineLibrary;

sqlite3* OpenKeyed(const std::string& path) {
  sqlite3* db = nullptr;
  Check(sqlite3_open(path.c_str(), &db) == SQLITE_OK, "open");
  sqlite3_key(db, kPassword, static_cast<int>(std::strlen(kPassword)));
  return db;
}

// Two equal encrypted tables of kRows rows, one for each side.
std::string MakeTables() {
  std::string folder = bench_engine::MakeFolder("dbengine-write-bench-XXXXXX");
  for (const char* name : {"engine", "storage"}) {
    sqlite3* db = OpenKeyed(folder + "/" + name + ".db");
    Exec(db, (std::string("CREATE TABLE ") + name + " (Name VARCHAR(20), Note VARCHAR(40), Data BLOB(1))")
                 .c_str());
    Exec(db, "BEGIN");
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       (std::string("INSERT INTO ") + name + " VALUES (?1, 'first', zeroblob(2048))").c_str(),
                       -1, &insert, nullptr);
    for (int row = 0; row < kRows; ++row) {
      const std::string value = "Row " + std::to_string(row);
      sqlite3_bind_text(insert, 1, value.c_str(), -1, SQLITE_TRANSIENT);
      Check(sqlite3_step(insert) == SQLITE_DONE, "insert");
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    Exec(db, "COMMIT");
    sqlite3_close(db);
  }
  bench_engine::WriteConfiguration(folder);
  return folder;
}

struct TFixture : bench_engine::TEngineSession {
  TFixture() : TEngineSession(MakeTables(), DBENGINE_LIBRARY, kPassword, ENG_OPEN_READWRITE) {}
};

TFixture& Fixture() {
  static TFixture fixture;
  return fixture;
}

// The bytes and note of one round's row, different every round so that every post changes the row.
std::vector<unsigned char> BlobOf(int round, int row) {
  std::vector<unsigned char> bytes(kBlobBytes);
  for (size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<unsigned char>(i * 31 + static_cast<size_t>(row) + static_cast<size_t>(round) * 7);
  return bytes;
}

// Each row: fetched with an edit lock, its Note and Data written, posted.
void BM_EngineWrite1000Rows(benchmark::State& state) {
  TFixture& f = Fixture();
  TEngine& e = f.engine;
  EngHandle cursor = 0;
  Check(e.EngOpenTable(f.db, "engine", nullptr, nullptr, nullptr, 0, ENG_OPEN_READWRITE, ENG_SHARE_SHARED,
                       ENG_XLT_RECORD, 0, nullptr, &cursor) == ENG_OK,
        "open table");
  EngCursorProps props{};
  e.EngGetCursorProps(cursor, &props);
  std::vector<unsigned char> record(props.recordSize);
  int round = 0;
  for (auto _ : state) {
    ++round;
    e.EngSetToBegin(cursor);
    for (int row = 0; row < kRows; ++row) {
      Check(e.EngGetNextRecord(cursor, ENG_LOCK_WRITE, record.data(), nullptr) == ENG_OK, "lock");
      const std::string note = "Round " + std::to_string(round);
      const std::vector<unsigned char> bytes = BlobOf(round, row);
      Check(e.EngPutField(cursor, 2, record.data(), note.c_str()) == ENG_OK, "put field");
      Check(e.EngOpenBlob(cursor, record.data(), 3, ENG_OPEN_READWRITE) == ENG_OK, "open blob");
      Check(e.EngPutBlob(cursor, record.data(), 3, 0, kBlobBytes, bytes.data()) == ENG_OK, "put blob");
      Check(e.EngFreeBlob(cursor, record.data(), 3) == ENG_OK, "free blob");
      Check(e.EngModifyRecord(cursor, record.data(), 1) == ENG_OK, "post");
    }
  }
  e.EngCloseCursor(cursor);
  state.SetItemsProcessed(state.iterations() * kRows);
}

// The same writes with the storage library: one transaction per row, the statement prepared once.
void BM_StorageWrite1000Rows(benchmark::State& state) {
  sqlite3* db = OpenKeyed(Fixture().folder + "/storage.db");
  sqlite3_stmt* update = nullptr;
  Check(sqlite3_prepare_v2(db, "UPDATE storage SET Note = ?1, Data = ?2 WHERE rowid = ?3", -1, &update,
                           nullptr) == SQLITE_OK,
        "prepare");
  int round = 0;
  for (auto _ : state) {
    ++round;
    for (int row = 0; row < kRows; ++row) {
      const std::string note = "Round " + std::to_string(round);
      const std::vector<unsigned char> bytes = BlobOf(round, row);
      Exec(db, "BEGIN IMMEDIATE");
      sqlite3_bind_text(update, 1, note.c_str(), -1, SQLITE_STATIC);
      sqlite3_bind_blob(update, 2, bytes.data(), static_cast<int>(bytes.size()), SQLITE_STATIC);
      sqlite3_bind_int64(update, 3, row + 1);
      Check(sqlite3_step(update) == SQLITE_DONE, "update");
      sqlite3_reset(update);
      Exec(db, "COMMIT");
    }
  }
  sqlite3_finalize(update);
  sqlite3_close(db);
  state.SetItemsProcessed(state.iterations() * kRows);
}

BENCHMARK(BM_EngineWrite1000Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StorageWrite1000Rows)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TRatioReporter reporter(std::vector<std::pair<std::string, std::string>>{
      {"BM_EngineWrite1000Rows", "BM_StorageWrite1000Rows"}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
