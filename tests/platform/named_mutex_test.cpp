#include "platform/named_mutex.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

std::string TestName(const char* What) {
  return std::string("BREVANTTEST") + What + std::to_string(::getpid());
}

// A child that takes the mutex, tells the parent through a pipe, then waits to be killed.
pid_t ChildHolding(const std::string& Name) {
  int ready[2];
  if (::pipe(ready) != 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(ready[0]);
    TNamedMutex mutex(Name);
    const char taken = mutex.Lock(milliseconds(2000)) ? 'y' : 'n';
    (void)!::write(ready[1], &taken, 1);
    for (;;)
      ::pause();
  }
  ::close(ready[1]);
  char taken = 0;
  const bool ok = ::read(ready[0], &taken, 1) == 1 && taken == 'y';
  ::close(ready[0]);
  if (!ok && child > 0) {
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return -1;
  }
  return child;
}

TEST(NamedMutex, ExcludesOtherThreads) {
  const std::string name = TestName("THREADS");
  int counter = 0;
  std::atomic<int> inside{0};
  std::atomic<bool> overlap{false};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      TNamedMutex mutex(name);  // each thread opens the same mutex by name
      ASSERT_TRUE(mutex.Valid()) << mutex.Error();
      for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(mutex.Lock()) << mutex.Error();
        if (inside.fetch_add(1) != 0) overlap = true;
        ++counter;
        inside.fetch_sub(1);
        mutex.Unlock();
      }
    });
  }
  for (auto& t : threads)
    t.join();
  EXPECT_FALSE(overlap);
  EXPECT_EQ(counter, 800);
  TNamedMutex::Remove(name);
}

TEST(NamedMutex, AHeldMutexEndsTheWaitWithAnErrorAndALiveHolderKeepsIt) {
  const std::string name = TestName("HELD");
  const pid_t child = ChildHolding(name);
  ASSERT_GT(child, 0);
  TNamedMutex mutex(name);
  const auto start = steady_clock::now();
  EXPECT_FALSE(mutex.Lock(milliseconds(300)));
  const auto waited = steady_clock::now() - start;
  EXPECT_GE(waited, milliseconds(300));
  EXPECT_LT(waited, milliseconds(3000));
  EXPECT_NE(mutex.Error().find("held"), std::string::npos) << mutex.Error();
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  TNamedMutex::Remove(name);
}

TEST(NamedMutex, AHolderKilledWithSigkillLeavesTheMutexFree) {
  const std::string name = TestName("KILLED");
  const pid_t child = ChildHolding(name);
  ASSERT_GT(child, 0);
  ASSERT_EQ(::kill(child, SIGKILL), 0);
  ASSERT_EQ(::waitpid(child, nullptr, 0), child);
  TNamedMutex mutex(name);
  const auto start = steady_clock::now();
  EXPECT_TRUE(mutex.Lock(milliseconds(2000))) << mutex.Error();
  EXPECT_LT(steady_clock::now() - start, milliseconds(500));
  mutex.Unlock();
  TNamedMutex::Remove(name);
}

TEST(NamedMutex, LivesInAPrivateFolderOfTheUserOutsideTheHomeFolder) {
  std::string why;
  const std::string folder = TNamedMutex::Folder(&why);
  ASSERT_FALSE(folder.empty()) << why;
  struct stat info {};
  ASSERT_EQ(::stat(folder.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, ::geteuid());
  EXPECT_EQ(info.st_mode & 077, 0u);
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
    EXPECT_NE(folder.rfind(home, 0), 0u) << folder;
  }
  TNamedMutex mutex(TestName("FOLDER"));
  EXPECT_EQ(mutex.Path().rfind(folder + "/", 0), 0u) << mutex.Path();
  TNamedMutex::Remove(TestName("FOLDER"));
}

TEST(NamedMutex, AnotherUserTakesTheirOwnMutexWhileThisUserHoldsIt) {
  if (::geteuid() != 0) GTEST_SKIP() << "running as another user needs the super-user";
  const passwd* nobody = ::getpwnam("nobody");
  if (nobody == nullptr) GTEST_SKIP() << "no user 'nobody' on this machine";
  const std::string name = TestName("USERS");
  TNamedMutex mine(name);
  ASSERT_TRUE(mine.Lock()) << mine.Error();
  const pid_t child = ::fork();
  if (child == 0) {
    // The other user does not inherit this user's runtime folder.
    ::unsetenv("XDG_RUNTIME_DIR");
    if (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0) ::_exit(3);
    TNamedMutex theirs(name);
    ::_exit(theirs.Lock(milliseconds(1000)) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the second user waited for the first user's lock";
  mine.Unlock();
  TNamedMutex::Remove(name);
}

}  // namespace
