#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include "platform/Timer.h"
#include "platform/TimerList.h"

using ifx::Timer;

namespace {

// Runs this thread's message loop for ms milliseconds.
void PumpMessages(DWORD ms)
{
  const DWORD start = GetTickCount();
  for (;;)
  {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= ms)
      return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

} // namespace

TEST(TimerWin, FiresAtItsPeriodOnTheMessageLoop)
{
  int ticks = 0;
  std::unique_ptr<Timer> t(Timer::Create([&](Timer&) { ++ticks; }));
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(ifx::TimerList::Count(), 1);
  const DWORD start = GetTickCount();
  PumpMessages(1000);
  const DWORD elapsed = GetTickCount() - start;
  std::printf("timer: %d ticks in %lu ms\n", ticks, static_cast<unsigned long>(elapsed));
  // 20 ms period: about 50 ticks a second; never more, and not far fewer.
  EXPECT_LE(ticks, static_cast<int>(elapsed / 20) + 2);
  EXPECT_GE(ticks, 25);

  t->Stop();
  const int stoppedAt = ticks;
  PumpMessages(100);
  EXPECT_EQ(ticks, stoppedAt);
  EXPECT_EQ(ifx::TimerList::Count(), 0);
}

TEST(TimerWin, StopInsideOwnTickAndTwoInstances)
{
  int a = 0, b = 0;
  std::unique_ptr<Timer> ta(Timer::Create([&](Timer& self) {
    if (++a == 3)
      self.Stop();
  }));
  std::unique_ptr<Timer> tb(Timer::Create([&](Timer&) { ++b; }));
  PumpMessages(300);
  EXPECT_EQ(a, 3);
  EXPECT_GE(b, 6);
  EXPECT_EQ(ifx::TimerList::Count(), 1);
}

TEST(TimerWin, ThrowingAndEmptyFunctionsDoNotEscape)
{
  int ticks = 0;
  std::unique_ptr<Timer> empty(Timer::Create(nullptr));
  std::unique_ptr<Timer> thrower(Timer::Create([&](Timer&) {
    ++ticks;
    throw std::runtime_error("tick failed");
  }));
  PumpMessages(200);
  EXPECT_GE(ticks, 3);
  EXPECT_FALSE(ifx::TimerList::Dispatch(0x7FFFFFF0u));   // not listed: ignored
}
