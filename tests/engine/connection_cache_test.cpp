// The connection cache itself: how long an unused connection is kept, and what it is kept for.
#include "connection_cache.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine_harness.h"

namespace {

using dbengine::EEngineFault;
using dbengine::TConnectionCache;
using dbengine::TTableFile;

TConnectionCache::TClock::time_point FakeNow;
TConnectionCache::TClock::time_point Now() {
  return FakeNow;
}

class ConnectionCache : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteQuizTable(folder.File("quiz.db"), "pelmut", SampleQuizRows());
    WriteQuizTable(folder.File("plain.db"), "", SampleQuizRows());
    FakeNow = TConnectionCache::TClock::time_point{};
    cache.SetClock(Now);
    cache.SetLinger(std::chrono::seconds(5));
  }

  TTableFile::TOpenRequest Request(const std::string& name, std::vector<std::string> passwords = {"pelmut"}) {
    TTableFile::TOpenRequest request;
    request.path = folder.File(name + ".db");
    request.fileName = name + ".db";
    request.tableName = name;
    request.passwords = std::move(passwords);
    request.beforeKeyDerivation = [this] { ++derivations; };
    return request;
  }

  TTempFolder folder;
  TConnectionCache cache;
  int derivations = 0;
};

TEST_F(ConnectionCache, AnUnusedConnectionIsKeptForTheLingerTimeThenClosed) {
  TTableFile* first = cache.Open(Request("quiz")).get();
  EXPECT_EQ(derivations, 1);
  FakeNow += std::chrono::seconds(4);
  EXPECT_EQ(cache.Open(Request("quiz")).get(), first);
  EXPECT_EQ(derivations, 1);
  // Four seconds after the last user let go: still kept.
  FakeNow += std::chrono::seconds(4);
  EXPECT_EQ(cache.Open(Request("quiz")).get(), first);
  EXPECT_EQ(derivations, 1);
  FakeNow += std::chrono::seconds(5);
  cache.CloseIdle();
  EXPECT_EQ(cache.Size(), 0u);
  cache.Open(Request("quiz"));
  EXPECT_EQ(derivations, 2);
}

TEST_F(ConnectionCache, AConnectionInUseIsNeverClosedForItsAge) {
  auto held = cache.Open(Request("quiz"));
  FakeNow += std::chrono::hours(1);
  cache.CloseIdle();
  EXPECT_EQ(cache.Size(), 1u);
  EXPECT_EQ(cache.Open(Request("quiz")).get(), held.get());
  EXPECT_EQ(derivations, 1);
  // A copy of the answer keeps it in use as well: only the last copy lets go.
  auto copy = held;
  held.reset();
  FakeNow += std::chrono::hours(1);
  cache.CloseIdle();
  EXPECT_EQ(cache.Size(), 1u);
  copy.reset();
  FakeNow += std::chrono::seconds(5);
  cache.CloseIdle();
  EXPECT_EQ(cache.Size(), 0u);
}

TEST_F(ConnectionCache, ModesAndLockWaitsHaveConnectionsOfTheirOwn) {
  auto read = cache.Open(Request("quiz"));
  auto request = Request("quiz");
  request.readWrite = true;
  auto write = cache.Open(request);
  request.waitOnLock = false;
  auto noWait = cache.Open(request);
  EXPECT_NE(read.get(), write.get());
  EXPECT_NE(write.get(), noWait.get());
  EXPECT_TRUE(write->ReadWrite());
  EXPECT_FALSE(read->ReadWrite());
  EXPECT_EQ(cache.Size(), 3u);
  EXPECT_EQ(derivations, 3);
}

TEST_F(ConnectionCache, AReaderBorrowsAWritersConnectionOfTheSameFileButNeverTheOtherWay) {
  auto request = Request("quiz");
  request.readWrite = true;
  auto write = cache.Open(request);
  EXPECT_EQ(cache.Open(Request("quiz")).get(), write.get());
  // A writer never gets a connection opened for reading, nor a reader one that waits otherwise.
  auto noWait = Request("quiz");
  noWait.waitOnLock = false;
  EXPECT_NE(cache.Open(noWait).get(), write.get());
  EXPECT_EQ(derivations, 2);
  // A password the writer's connection did not open with is not served from it.
  EXPECT_THROW(cache.Open(Request("quiz", {"wrong"})), EEngineFault);
}

TEST_F(ConnectionCache, APasswordNoLongerOfferedOpensAfreshAndFails) {
  auto held = cache.Open(Request("quiz", {"wrong", "pelmut"}));
  EXPECT_EQ(held->Key(), "pelmut");
  // Another order of the same passwords is still served.
  EXPECT_EQ(cache.Open(Request("quiz", {"pelmut"})).get(), held.get());
  try {
    cache.Open(Request("quiz", {"wrong"}));
    FAIL() << "served without its password";
  } catch (const EEngineFault& fault) {
    EXPECT_EQ(fault.Status(), ENG_ERR_PASSWORD);
  }
  // The connection in use still works for its user.
  EXPECT_FALSE(held->Columns().empty());
}

TEST_F(ConnectionCache, APlainTableNeedsNoPasswordAndIsShared) {
  auto first = cache.Open(Request("plain", {}));
  EXPECT_FALSE(first->Encrypted());
  EXPECT_EQ(cache.Open(Request("plain", {"anything"})).get(), first.get());
  EXPECT_EQ(derivations, 0);
}

TEST_F(ConnectionCache, ClearingForgetsConnectionsInUseWithoutClosingThem) {
  auto held = cache.Open(Request("quiz"));
  cache.Clear();
  EXPECT_EQ(cache.Size(), 0u);
  EXPECT_FALSE(held->Columns().empty());
  auto fresh = cache.Open(Request("quiz"));
  EXPECT_NE(fresh.get(), held.get());
  EXPECT_EQ(derivations, 2);
  held.reset();  // gives back an entry the cache no longer lists
  EXPECT_EQ(cache.Size(), 1u);
}

TEST_F(ConnectionCache, FilesThatAreNoTablesPassTheOpensFailureThrough) {
  for (const char* name : {"missing", "folder"}) {
    if (std::string(name) == "folder") std::filesystem::create_directory(folder.File("folder.db"));
    try {
      cache.Open(Request(name));
      FAIL() << name << " opened";
    } catch (const EEngineFault& fault) {
      EXPECT_NE(fault.Status(), ENG_OK) << name;
    }
  }
  EXPECT_EQ(cache.Size(), 0u);
}

}  // namespace
