// Redraw timing without a window: the timer period, and the vertical-blank
// tick rule driven by the native timer stand-in (each framework tick plays
// one vertical blank that posts a message) and by a real thread.
#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <memory>
#include <thread>

#include "platform/Timer.h"
#include "window/RedrawTiming.h"

#ifndef _WIN32
#include "platform/native/TimerNative.h"
#endif

using ifx::igfx::RedrawTimerPeriodMs;
using ifx::igfx::VerticalBlankSync;

TEST(RedrawTiming, TimerPeriodIsTheFloorOfTheFrameTimeAndFifteenBelowTwenty)
{
  const int cases[][2] = {
    {60, 15}, {25, 40}, {50, 20}, {55, 15},   {30, 33}, {1, 1000},
    {7, 142}, {49, 20}, {51, 15}, {1000, 15}, {0, 15},  {-30, 15},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RedrawTimerPeriodMs(c[0]), c[1]) << c[0];
}

TEST(RedrawTiming, OnlyTheNewestTickDrawsAndAPaintThatSpansBlanksSkipsToTheNextOne)
{
  VerticalBlankSync sync;
  // Ticks posted before the UI thread got round to them: only the newest.
  const uint32_t a = sync.Advance(), b = sync.Advance(), c = sync.Advance();
  EXPECT_EQ(c, 3u);
  EXPECT_FALSE(sync.TakeTick(a));
  EXPECT_FALSE(sync.TakeTick(b));
  EXPECT_TRUE(sync.TakeTick(c));
  // A paint within one blank leaves no skip window.
  sync.AfterPaint(c);
  EXPECT_TRUE(sync.TakeTick(sync.Advance()));
  // A paint during which two blanks passed: their ticks, including the
  // newest, wait for the blank after.
  const uint32_t painted = sync.Current();
  const uint32_t d = sync.Advance(), e = sync.Advance();
  sync.AfterPaint(painted);
  EXPECT_FALSE(sync.TakeTick(d));
  EXPECT_FALSE(sync.TakeTick(e));
  EXPECT_TRUE(sync.TakeTick(sync.Advance()));
  EXPECT_TRUE(sync.TakeTick(sync.Advance())); // the window closed itself
}

TEST(RedrawTiming, TheSkipWindowSurvivesTheCountWrappingRound)
{
  VerticalBlankSync sync(0xFFFFFFFEu);
  const uint32_t painted = sync.Current();
  const uint32_t last = sync.Advance();
  EXPECT_EQ(sync.Advance(), 0u);
  sync.AfterPaint(painted);
  EXPECT_FALSE(sync.TakeTick(last));
  EXPECT_FALSE(sync.TakeTick(0u));
  EXPECT_TRUE(sync.TakeTick(sync.Advance()));
}

#ifndef _WIN32
namespace {

// The editor's message queue as the vertical-blank thread fills it, driven
// by the stand-in's clock: each framework tick is one blank.
struct BlankQueue
{
  VerticalBlankSync sync;
  std::deque<uint32_t> messages;
  std::unique_ptr<ifx::Timer> blanks{ifx::Timer::Create([this](ifx::Timer&) { messages.push_back(sync.Advance()); })};
  int paints = 0, dropped = 0;

  // The UI thread empties the queue; each paint lasts paintMs of blanks.
  void Pump(int paintMs)
  {
    while (!messages.empty())
    {
      const uint32_t count = messages.front();
      messages.pop_front();
      if (!sync.TakeTick(count))
      {
        ++dropped;
        continue;
      }
      ++paints;
      ifx::native::AdvanceTimers(paintMs);
      sync.AfterPaint(count);
    }
  }
};

} // namespace

TEST(RedrawTimingOnTheTimerStandIn, QuickPaintsDrawEveryBlankAndLongOnesDropTheBacklog)
{
  BlankQueue q;
  // Quick paints, the queue served after every blank: every blank draws.
  for (int i = 0; i < 10; ++i)
  {
    ifx::native::AdvanceTimers(ifx::Timer::kIntervalMs);
    q.Pump(0);
  }
  EXPECT_EQ(q.paints, 10);
  EXPECT_EQ(q.dropped, 0);

  // A busy UI thread finds five ticks waiting: one paint.
  ifx::native::AdvanceTimers(5 * ifx::Timer::kIntervalMs);
  q.Pump(0);
  EXPECT_EQ(q.paints, 11);
  EXPECT_EQ(q.dropped, 4);

  // Paints lasting three blanks: the ticks queued meanwhile are dropped and
  // the next paint waits for a fresh blank, so there is never a burst.
  q.paints = q.dropped = 0;
  for (int i = 0; i < 8; ++i)
  {
    ifx::native::AdvanceTimers(ifx::Timer::kIntervalMs);
    q.Pump(3 * ifx::Timer::kIntervalMs);
  }
  EXPECT_EQ(q.paints, 8);
  EXPECT_EQ(q.dropped, 8 * 3);
  EXPECT_TRUE(q.messages.empty());
}
#endif

TEST(RedrawTiming, TheThreadStopsOnRequestAndItsCountIsReadWhole)
{
  // The shared state outlives whichever side lets go last, as in the window.
  auto sync = std::make_shared<VerticalBlankSync>();
  std::atomic<uint32_t> posted{0};
  std::thread blanks([sync, &posted] {
    while (!sync->StopRequested())
    {
      posted.store(sync->Advance());
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  });
  while (sync->Current() < 50)
  {
    // The UI side reads the count while the thread writes it.
    const uint32_t seen = posted.load();
    if (seen != 0)
      sync->TakeTick(seen);
    std::this_thread::yield();
  }
  sync->RequestStop();
  blanks.join();
  const uint32_t final = sync->Current();
  EXPECT_GE(final, 50u);
  EXPECT_EQ(posted.load(), final);
  EXPECT_TRUE(sync->TakeTick(final));
}
