#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>
#include "base/Mutex.h"

using ifx::Mutex;
using ifx::MutexLock;

namespace {

// Whether another thread could take the mutex right now.
bool FreeForOtherThreads(Mutex& m)
{
  bool free = false;
  std::thread other([&] {
    free = m.TryEnter();
    if (free)
      m.Leave();
  });
  other.join();
  return free;
}

} // namespace

TEST(Mutex, SameThreadReentersOthersWait)
{
  Mutex m;
  {
    MutexLock outer(m);
    MutexLock inner(&m);   // the holder may take it again
    EXPECT_FALSE(FreeForOtherThreads(m));
  }
  // Both scopes left: free for everyone.
  EXPECT_TRUE(FreeForOtherThreads(m));

  MutexLock none(nullptr);   // no lock to hold: nothing happens
}

TEST(Mutex, GuardsSharedDataAcrossThreads)
{
  Mutex m;
  long counter = 0;   // plain: only the lock keeps it consistent
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 20000; ++i)
      {
        MutexLock lock(m);
        MutexLock again(m);
        ++counter;
      }
    });
  for (std::thread& t : threads)
    t.join();
  EXPECT_EQ(counter, 4 * 20000);
}
