// Timer ticks reached from two threads at once (two plug-in instances whose
// timers belong to different threads): the timer list's lock keeps the ticks
// apart, so plain data shared by the tick functions needs no lock of its own.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include "platform/TimerList.h"
#include "platform/PlatformTimer.h"

using ifx::Timer;

TEST(TimerThreads, TicksOfTwoTimersNeverOverlap)
{
  int inside = 0;      // plain on purpose: the thread sanitizer checks the lock
  long ticks = 0;
  bool overlapped = false;
  auto tick = [&](Timer&) {
    overlapped |= ++inside != 1;
    ++ticks;
    --inside;
  };
  std::unique_ptr<Timer> a(Timer::Create(tick));
  std::unique_ptr<Timer> b(Timer::Create(tick));
  const uintptr_t ids[2] = {static_cast<ifx::PlatformTimer*>(a.get())->GetId(),
                            static_cast<ifx::PlatformTimer*>(b.get())->GetId()};
  ASSERT_NE(ids[0], 0u);
  ASSERT_NE(ids[1], 0u);

  std::atomic<int> dispatched {0};
  auto run = [&](uintptr_t id) {
    for (int i = 0; i < 20000; ++i)
      dispatched += ifx::TimerList::Dispatch(id) ? 1 : 0;
  };
  std::thread first(run, ids[0]);
  std::thread second(run, ids[1]);
  first.join();
  second.join();

  EXPECT_FALSE(overlapped);
  EXPECT_EQ(dispatched.load(), 40000);
  EXPECT_EQ(ticks, 40000);
}
