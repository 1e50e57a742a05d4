#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>
#include "platform/Timer.h"
#include "platform/TimerList.h"
#include "platform/native/TimerNative.h"

using ifx::Timer;
namespace native = ifx::native;

TEST(TimerNative, TicksOncePerTwentyMilliseconds)
{
  int ticks = 0;
  std::unique_ptr<Timer> t(Timer::Create([&](Timer&) { ++ticks; }));
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(native::AdvanceTimers(19), 0);
  EXPECT_EQ(native::AdvanceTimers(1), 1);
  EXPECT_EQ(native::AdvanceTimers(100), 5);
  EXPECT_EQ(ticks, 6);
  EXPECT_EQ(native::TickTimers(), 1);
  EXPECT_EQ(ticks, 7);
}

TEST(TimerNative, TwoInstancesTickInTurn)
{
  std::vector<int> order;
  std::unique_ptr<Timer> a(Timer::Create([&](Timer&) { order.push_back(1); }));
  std::unique_ptr<Timer> b(Timer::Create([&](Timer&) { order.push_back(2); }));
  native::AdvanceTimers(60);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 1, 2, 1, 2}));
  EXPECT_EQ(ifx::TimerList::Count(), 2);
}

TEST(TimerNative, StopInsideOwnTickRemovesIt)
{
  int ticks = 0;
  std::unique_ptr<Timer> t(Timer::Create([&](Timer& self) {
    if (++ticks == 2)
      self.Stop();
  }));
  native::AdvanceTimers(200);
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(ifx::TimerList::Count(), 0);
  t->Stop();   // stays stopped
  EXPECT_EQ(native::TickTimers(), 0);
}

TEST(TimerNative, TickMayCreateAndStopOtherTimers)
{
  std::unique_ptr<Timer> child;
  int childTicks = 0;
  std::unique_ptr<Timer> parent(Timer::Create([&](Timer&) {
    if (!child)
      child.reset(Timer::Create([&](Timer&) { ++childTicks; }));
    else if (childTicks >= 3)
      child->Stop();
  }));
  native::AdvanceTimers(400);
  EXPECT_EQ(childTicks, 3);
  EXPECT_EQ(ifx::TimerList::Count(), 1);
}

TEST(TimerNative, UnknownIdsAreIgnored)
{
  int ticks = 0;
  std::unique_ptr<Timer> t(Timer::Create([&](Timer&) { ++ticks; }));
  EXPECT_FALSE(native::FireTimerId(0));
  EXPECT_FALSE(native::FireTimerId(0xFFFFFFFFull));
  EXPECT_EQ(ticks, 0);
}

TEST(TimerNative, EmptyOrThrowingFunctionsStayInside)
{
  std::unique_ptr<Timer> empty(Timer::Create(nullptr));
  int ticks = 0;
  std::unique_ptr<Timer> thrower(Timer::Create([&](Timer&) {
    ++ticks;
    throw std::runtime_error("tick failed");
  }));
  int after = 0;
  std::unique_ptr<Timer> later(Timer::Create([&](Timer&) { ++after; }));
  EXPECT_NO_THROW(native::AdvanceTimers(40));
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(after, 2);
}

TEST(TimerNative, DestroyedTimerNeverTicksAgain)
{
  int ticks = 0;
  Timer* t = Timer::Create([&](Timer&) { ++ticks; });
  native::AdvanceTimers(20);
  delete t;
  native::AdvanceTimers(100);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(ifx::TimerList::Count(), 0);
}
