#include "core/scope_exit.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

void Fail(const char* What) {
  throw std::runtime_error(What);
}

}  // namespace

TEST(ScopeExit, RunsOnNormalExitAndOnException) {
  int runs = 0;
  {
    TScopeExit count([&] { ++runs; });
  }
  EXPECT_EQ(runs, 1);
  EXPECT_THROW(
      {
        TScopeExit count([&] { ++runs; });
        Fail("first");
      },
      std::runtime_error);
  EXPECT_EQ(runs, 2);
}

TEST(ScopeExit, DismissedCleanUpDoesNotRun) {
  int runs = 0;
  {
    TScopeExit count([&] { ++runs; });
    count.Dismiss();
  }
  EXPECT_EQ(runs, 0);
}

TEST(ScopeExit, CleanUpFailureAfterNormalExitReachesTheCaller) {
  try {
    TScopeExit failing([] { Fail("clean-up"); });
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "clean-up");
    return;
  }
  FAIL() << "the clean-up's exception was lost";
}

TEST(ScopeExit, CleanUpFailureWhileUnwindingKeepsTheFirstFailure) {
  for (int kind = 0; kind < 2; ++kind) {
    try {
      if (kind == 0) {
        TScopeExit failing([] { Fail("clean-up"); });
        Fail("first");
      } else {
        TScopeFail failing([] { Fail("clean-up"); });
        Fail("first");
      }
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()), "first") << kind;
    }
  }
}

TEST(ScopeFail, RunsOnlyWhenAnExceptionLeavesTheScope) {
  int runs = 0;
  {
    TScopeFail undo([&] { ++runs; });
  }
  EXPECT_EQ(runs, 0);
  EXPECT_THROW(
      {
        TScopeFail undo([&] { ++runs; });
        Fail("first");
      },
      std::runtime_error);
  EXPECT_EQ(runs, 1);
  EXPECT_THROW(
      {
        TScopeFail undo([&] { ++runs; });
        undo.Dismiss();
        Fail("first");
      },
      std::runtime_error);
  EXPECT_EQ(runs, 1);
}

TEST(ScopeFail, AGuardMadeDuringUnwindingRunsOnlyOnItsOwnFailure) {
  // A destructor that runs while an exception unwinds may itself use a guard: that guard must
  // not mistake the outer exception for its own scope's failure.
  int runs = 0;
  struct TCleaner {
    int* Runs;
    ~TCleaner() {
      TScopeFail undo([this] { ++*Runs; });
    }
  };
  EXPECT_THROW(
      {
        TCleaner cleaner{&runs};
        Fail("outer");
      },
      std::runtime_error);
  EXPECT_EQ(runs, 0);
}
