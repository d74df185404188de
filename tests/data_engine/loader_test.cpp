// Where the engine's library is found, and what happens when it is not. This suite lives in a
// folder of its own and has no RUNPATH, so that the system's search cannot find the library
// beside it; each test works in an empty folder with empty registry folders.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"
#include "data/engine/engine_loader.h"
#include "data/engine/session.h"
#include "data/engine/session_list.h"
#include "engine_test_support.h"
#include "platform/library.h"

namespace fs = std::filesystem;

namespace {

const std::string kBuiltLibrary = std::string(BREVANT_RUNTIME_DIR) + "/libdbengine.so";
const char* const kInitMessage = "An error occurred while attempting to initialize the database engine (error $%s)";

std::string InitMessage(const char* Status) {
  char text[160];
  std::snprintf(text, sizeof text, kInitMessage, Status);
  return text;
}

// Whether the system's search would find the library anyway (a library path of the caller).
bool LibraryOnSearchPath() {
  const char* path = std::getenv("LD_LIBRARY_PATH");
  if (path == nullptr) return false;
  std::string folders = path;
  size_t start = 0;
  while (start <= folders.size()) {
    const size_t end = std::min(folders.find(':', start), folders.size());
    if (FileExists(folders.substr(start, end - start) + "/libdbengine.so")) return true;
    start = end + 1;
  }
  return false;
}

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(::getcwd(Saved, sizeof Saved), nullptr);
    fs::create_directories(Work.File("user"));
    fs::create_directories(Work.File("machine/dbengine"));
    fs::create_directories(Work.File("cwd"));
    ::setenv("XDG_CONFIG_HOME", Work.File("user").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", Work.File("machine").c_str(), 1);
    ASSERT_EQ(::chdir(Work.File("cwd").c_str()), 0);
    Module = std::make_unique<TDataEngineModule>();
  }
  void TearDown() override {
    Module.reset();
    EXPECT_EQ(EngineUseCount(), 0);
    EXPECT_EQ(::chdir(Saved), 0);
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("XDG_CONFIG_DIRS");
  }

  void WriteDllPath(const std::string& Value) {
    WriteTextFile(Work.File("machine/dbengine/registry.ini"), "[Software\\Database Engine]\nDLLPATH=" + Value + "\n");
  }

  std::string StoreFails() {
    try {
      Session->StorePassword("pelmut");
    } catch (const EDBEngineError& e) {
      EXPECT_EQ(e.ErrorCount(), 1);
      if (e.ErrorCount() == 1) {
        EXPECT_EQ(e.Errors(0).Message(), e.Message());
      }
      return e.Message();
    }
    return "<stored>";
  }

  char Saved[4096] = {};
  TTempFolder Work;
  std::unique_ptr<TDataEngineModule> Module;
};

TEST_F(LoaderTest, WithoutTheLibraryAnywhereTheFirstPasswordStoreFails) {
  if (LibraryOnSearchPath()) GTEST_SKIP() << "LD_LIBRARY_PATH leads to the engine's library";
  EXPECT_EQ(StoreFails(), InitMessage("2108"));
  EXPECT_FALSE(Session->Active());
  EXPECT_FALSE(EngineLibraryLoaded());
  // A registry folder without the file leaves it at that.
  WriteDllPath(Work.File("machine"));
  EXPECT_EQ(StoreFails(), InitMessage("2108"));
  EXPECT_FALSE(Session->Active());
  // An entry called meanwhile cannot take the library either.
  char text[ENG_MSG_BUFFER] = {};
  EXPECT_EQ(DbEngine.EngGetErrorText(ENG_ERR_PASSWORD, text), kStatusLibraryNotLoadable);
}

TEST_F(LoaderTest, TheRegistryValueNamesTheFolders) {
  WriteDllPath(Work.File("nowhere") + ":" + BREVANT_RUNTIME_DIR + "/");
  Session->StorePassword("pelmut");
  EXPECT_TRUE(Session->Active());
  EXPECT_EQ(EngineLibraryPath(), kBuiltLibrary);
  EXPECT_EQ(EngineUseCount(), 1);
  Session->SetActive(false);
  EXPECT_FALSE(EngineLibraryLoaded());
}

TEST_F(LoaderTest, TheCurrentFolderComesFirst) {
  fs::copy_file(kBuiltLibrary, Work.File("cwd/libdbengine.so"));
  WriteDllPath(BREVANT_RUNTIME_DIR);
  Session->StorePassword("pelmut");
  EXPECT_EQ(EngineLibraryPath(), Work.File("cwd/libdbengine.so"));
}

TEST_F(LoaderTest, AFileThatIsNoLibraryFailsWithItsOwnStatus) {
  WriteTextFile(Work.File("cwd/libdbengine.so"), "this is not a shared library");
  WriteDllPath(BREVANT_RUNTIME_DIR);
  EXPECT_EQ(StoreFails(), InitMessage("2109"));
  EXPECT_FALSE(Session->Active());
}

TEST_F(LoaderTest, StartsAreCountedAndTheLastStopFreesTheLibrary) {
  WriteDllPath(BREVANT_RUNTIME_DIR);
  EXPECT_EQ(EngineStart(), ENG_OK);
  EXPECT_EQ(EngineStart(), kStatusAlreadyStarted);
  EXPECT_EQ(EngineUseCount(), 2);
  EXPECT_EQ(EngineStop(), ENG_OK);
  EXPECT_TRUE(EngineLibraryLoaded());
  EXPECT_EQ(EngineStop(), ENG_OK);
  EXPECT_FALSE(EngineLibraryLoaded());
  EXPECT_EQ(EngineStop(), ENG_ERR_NOT_STARTED);
}

TEST_F(LoaderTest, AnEntryTakesTheLibraryOnItsFirstCall) {
  WriteDllPath(BREVANT_RUNTIME_DIR);
  ASSERT_FALSE(EngineLibraryLoaded());
  char text[ENG_MSG_BUFFER] = {};
  EXPECT_EQ(DbEngine.EngGetErrorText(ENG_ERR_PASSWORD, text), ENG_OK);
  EXPECT_STREQ(text, "Table password missing or wrong");
  EXPECT_TRUE(EngineLibraryLoaded());
  EXPECT_EQ(EngineUseCount(), 0);
  // The entry goes straight into the library from now on.
  EXPECT_NE(reinterpret_cast<void*>(DbEngine.EngGetErrorText), nullptr);
  const auto patched = DbEngine.EngGetErrorText;
  EXPECT_EQ(DbEngine.EngGetErrorText(ENG_OK, text), ENG_OK);
  EXPECT_EQ(DbEngine.EngGetErrorText, patched);
  // A start and stop of its own frees it again.
  EXPECT_EQ(EngineStart(), ENG_OK);
  EXPECT_EQ(EngineStop(), ENG_OK);
  EXPECT_FALSE(EngineLibraryLoaded());
  EXPECT_NE(DbEngine.EngGetErrorText, patched) << "the entry resolves anew";
}

}  // namespace
