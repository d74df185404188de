// Where the engine's library is found, and what happens when it is not. This suite lives in a
// folder of its own and has no RUNPATH, so that the system's search cannot find the library
// beside it; each test works in an empty folder with empty registry folders.

#include <elf.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"
#include "data/engine/engine_loader.h"
#include "data/engine/session.h"
#include "data/engine/session_list.h"
#include "engine_test_support.h"
#include "platform/library.h"
#include "platform/named_mutex.h"

namespace fs = std::filesystem;

namespace {

// This suite's program started again as a child with BREVANT_LOADER_CHILD set: it starts the
// engine from the library in the runtime folder and answers 0 (started), 2 (no lock) or 1 (any
// other failure), before any test runs. A fresh process has no loader lock yet, so it must take
// the named mutex.
const int kChildRole = [] {
  const char* role = std::getenv("BREVANT_LOADER_CHILD");
  if (role == nullptr) return 0;
  if (::chdir(BREVANT_RUNTIME_DIR) != 0) ::_exit(77);
  const EngResult status = EngineStart();
  if (status == ENG_OK) EngineStop();
  ::_exit(status == ENG_OK ? 0 : status == ENG_ERR_NOT_AVAILABLE ? 2 : 1);
}();

// Runs the engine-starting child (as User when given) and answers its exit code, or -1 when it
// had not ended after Limit (it is killed then).
int RunStartingChild(const passwd* User, std::chrono::seconds Limit) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (User != nullptr) {
      // The other user has a runtime folder of their own, not this user's.
      ::unsetenv("XDG_RUNTIME_DIR");
      if (::setgid(User->pw_gid) != 0 || ::setuid(User->pw_uid) != 0) ::_exit(77);
    }
    ::setenv("BREVANT_LOADER_CHILD", "start", 1);
    char self[4096] = {};
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) ::_exit(78);
    ::execl(self, self, static_cast<char*>(nullptr));
    ::_exit(79);
  }
  const auto deadline = std::chrono::steady_clock::now() + Limit;
  int status = 0;
  while (::waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(child, SIGKILL);
      ::waitpid(child, nullptr, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

const std::string kBuiltLibrary = std::string(BREVANT_RUNTIME_DIR) + "/libdbengine.so";
const char* const kInitMessage =
    "An error occurred while attempting to initialize the database engine (error $%s)";

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
    // The loader's lock lives in the runtime folder; a private one keeps the tests that hold it
    // for seconds from making other test processes of this user wait.
    fs::create_directories(Work.File("runtime"));
    fs::permissions(Work.File("runtime"), fs::perms::owner_all, fs::perm_options::replace);
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) SavedRuntime = runtime;
    ::setenv("XDG_RUNTIME_DIR", Work.File("runtime").c_str(), 1);
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
    if (SavedRuntime)
      ::setenv("XDG_RUNTIME_DIR", SavedRuntime->c_str(), 1);
    else
      ::unsetenv("XDG_RUNTIME_DIR");
  }

  void WriteDllPath(const std::string& Value) {
    WriteTextFile(Work.File("machine/dbengine/registry.ini"),
                  "[Software\\Database Engine]\nDLLPATH=" + Value + "\n");
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
  std::optional<std::string> SavedRuntime;
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
  EXPECT_EQ(DbEngine.EngGetErrorText(ENG_ERR_PASSWORD, text), ENG_ERR_LIB_NOT_LOADABLE);
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
  EXPECT_EQ(EngineStart(), ENG_ALREADY_STARTED);
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

// ---- Damaged libraries ----------------------------------------------------------------------

std::string BuiltLibraryBytes() {
  std::ifstream in(kBuiltLibrary, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Where the executable segment of the library ends in the file, and where its last loaded byte is.
void LoadEnds(const std::string& Bytes, size_t& ExecutableEnd, size_t& LastEnd) {
  Elf64_Ehdr header;
  std::memcpy(&header, Bytes.data(), sizeof header);
  ExecutableEnd = LastEnd = 0;
  for (int i = 0; i < header.e_phnum; ++i) {
    Elf64_Phdr segment;
    std::memcpy(&segment, Bytes.data() + header.e_phoff + i * sizeof segment, sizeof segment);
    if (segment.p_type != PT_LOAD) continue;
    const size_t end = segment.p_offset + segment.p_filesz;
    if (segment.p_flags & PF_X) ExecutableEnd = end;
    LastEnd = std::max(LastEnd, end);
  }
}

TEST_F(LoaderTest, DamagedLibrariesAreRefusedWithTheirStatusAndNoCrash) {
  const std::string bytes = BuiltLibraryBytes();
  ASSERT_GT(bytes.size(), sizeof(Elf64_Ehdr));
  size_t executableEnd = 0, lastEnd = 0;
  LoadEnds(bytes, executableEnd, lastEnd);
  ASSERT_GT(executableEnd, 0u);
  std::string foreign = bytes;
  foreign[18] = static_cast<char>(EM_AARCH64);  // e_machine, little-endian
  foreign[19] = 0;
  std::string thirtyTwo = bytes;
  thirtyTwo[EI_CLASS] = ELFCLASS32;
  const std::vector<std::pair<std::string, std::string>> damaged = {
      {"empty", ""},
      {"text", "#!/bin/sh\necho not a library\n"},
      {"header only", bytes.substr(0, 64)},
      {"cut in its program headers", bytes.substr(0, 100)},
      {"cut at a quarter of its code", bytes.substr(0, executableEnd / 4)},
      {"cut at half of its code", bytes.substr(0, executableEnd / 2)},
      {"cut one byte short of its code's end", bytes.substr(0, executableEnd - 1)},
      {"cut one byte short of its last segment", bytes.substr(0, lastEnd - 1)},
      {"another architecture", foreign},
      {"another word size", thirtyTwo}};
  WriteDllPath(BREVANT_RUNTIME_DIR);
  for (const auto& [what, content] : damaged) {
    SCOPED_TRACE(what);
    WriteTextFile(Work.File("cwd/libdbengine.so"), content);
    EXPECT_EQ(StoreFails(), InitMessage("2109"));
    EXPECT_FALSE(Session->Active());
    EXPECT_FALSE(EngineLibraryLoaded());
  }
  // The whole file again: it loads.
  WriteTextFile(Work.File("cwd/libdbengine.so"), bytes);
  Session->StorePassword("pelmut");
  EXPECT_TRUE(Session->Active());
}

TEST_F(LoaderTest, ADamagedLibraryInTheRegistryFolderIsRefusedToo) {
  fs::create_directories(Work.File("broken"));
  const std::string bytes = BuiltLibraryBytes();
  size_t executableEnd = 0, lastEnd = 0;
  LoadEnds(bytes, executableEnd, lastEnd);
  WriteTextFile(Work.File("broken/libdbengine.so"), bytes.substr(0, executableEnd / 2));
  WriteDllPath(Work.File("broken"));
  EXPECT_EQ(StoreFails(), InitMessage("2109"));
}

TEST_F(LoaderTest, TheStartUpWarmUpMeetsADamagedLibraryWithoutACrashAndLeavesTheReportToTheStart) {
  const std::string bytes = BuiltLibraryBytes();
  size_t executableEnd = 0, lastEnd = 0;
  LoadEnds(bytes, executableEnd, lastEnd);
  WriteTextFile(Work.File("cwd/libdbengine.so"), bytes.substr(0, executableEnd / 2));
  WriteDllPath(BREVANT_RUNTIME_DIR);
  TEngineWarmUp warmUp("vozaza", "vezedezavuza.db", "pelmut");
  warmUp.Wait();
  EXPECT_EQ(EngineUseCount(), 0);
  EXPECT_FALSE(EngineLibraryLoaded());
  EXPECT_EQ(StoreFails(), InitMessage("2109"));
}

TEST_F(LoaderTest, AFolderNamedLikeTheLibraryIsPassedOver) {
  fs::create_directories(Work.File("cwd/libdbengine.so"));
  WriteDllPath(BREVANT_RUNTIME_DIR);
  Session->StorePassword("pelmut");
  EXPECT_TRUE(Session->Active());
  EXPECT_EQ(EngineLibraryPath(), kBuiltLibrary);
}

TEST_F(LoaderTest, ADirectLoadOfAFolderOrADamagedFileIsRefusedByTheCheck) {
  std::string why;
  EXPECT_FALSE(CheckLibraryFile(Work.Path(), &why));
  EXPECT_NE(why.find("not a regular file"), std::string::npos) << why;
  EXPECT_TRUE(CheckLibraryFile(kBuiltLibrary, &why)) << why;
  TLibraryFailure failure{};
  EXPECT_EQ(TSharedLibrary::Load(Work.Path(), failure, &why), nullptr);
  EXPECT_EQ(failure, TLibraryFailure::Other);
}

// ---- The loader's lock across processes and users ---------------------------------------------

TEST_F(LoaderTest, ALockLeftByAKilledProcessDoesNotStopTheNextStart) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t holder = ::fork();
  if (holder == 0) {
    ::close(ready[0]);
    TNamedMutex mutex("ENGLDRMUX");
    const char taken = mutex.Lock() ? 'y' : 'n';
    (void)!::write(ready[1], &taken, 1);
    for (;;)
      ::pause();
  }
  ::close(ready[1]);
  char taken = 0;
  ASSERT_EQ(::read(ready[0], &taken, 1), 1);
  ::close(ready[0]);
  ASSERT_EQ(taken, 'y');
  // While the holder lives, a new start waits for it and then says it has no lock.
  EXPECT_EQ(RunStartingChild(nullptr, std::chrono::seconds(30)), 2);
  ASSERT_EQ(::kill(holder, SIGKILL), 0);
  ASSERT_EQ(::waitpid(holder, nullptr, 0), holder);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(RunStartingChild(nullptr, std::chrono::seconds(30)), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4))
      << "the start waited for a lock whose holder is dead";
}

TEST_F(LoaderTest, ASecondUserStartsTheEngineWhileTheFirstHoldsTheLock) {
  if (::geteuid() != 0) GTEST_SKIP() << "running a child as another user needs the super-user";
  const passwd* nobody = ::getpwnam("nobody");
  if (nobody == nullptr) GTEST_SKIP() << "no user 'nobody' on this machine";
  TNamedMutex mine("ENGLDRMUX");
  ASSERT_TRUE(mine.Lock()) << mine.Error();
  const int result = RunStartingChild(nobody, std::chrono::seconds(30));
  mine.Unlock();
  if (result == 77) GTEST_SKIP() << "the other user cannot reach the build's runtime folder";
  EXPECT_EQ(result, 0) << "the second user's start failed or waited for the first user's lock";
}

}  // namespace
