#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/named_mutex.h"

TEST(NamedMutex, ExcludesOtherThreads) {
  const std::string name = "BREVANTTESTMUX" + std::to_string(::getpid());
  int counter = 0;
  std::atomic<int> inside{0};
  std::atomic<bool> overlap{false};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      TNamedMutex mutex(name);  // each thread opens the same mutex by name
      ASSERT_TRUE(mutex.Valid());
      for (int i = 0; i < 500; ++i) {
        ASSERT_TRUE(mutex.Lock());
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
  EXPECT_EQ(counter, 2000);
  TNamedMutex::Remove(name);
}
