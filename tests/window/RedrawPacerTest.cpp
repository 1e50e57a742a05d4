// Spacing the editor's frames out when painting is slow, on a fake clock:
// the UI thread paints when its tick source fires, and after each frame the
// source is set up as the window sets it up (the timer set anew, or the
// vertical-blank thread's posts held back).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "window/RedrawPacer.h"
#include "window/RedrawTiming.h"

using ifx::igfx::RedrawPacer;
using ifx::igfx::VerticalBlankSync;

namespace {

constexpr int64_t kMs = 1'000'000, kNatural = 15 * kMs, kBlank = 16'666'667; // a 60 Hz display

struct Editor
{
  explicit Editor(bool onBlanks) : blanks(onBlanks) {}
  bool blanks;
  RedrawPacer pacer{15};
  VerticalBlankSync sync;
  int64_t tick = 0;
  // Of the frames measured: painting, time, the UI thread's shortest time
  // of its own after one, period changes, ticks posted during a paint.
  int frames = 0, changes = 0, postsWhilePainting = 0;
  int64_t painting = 0, elapsed = 0, shortestGap = INT64_MAX;

  double Share() const { return static_cast<double>(painting) / static_cast<double>(elapsed); }
  double Fps() const { return frames * 1e9 / static_cast<double>(elapsed); }

  // The thread's first post after t: at a blank the hold lets through.
  int64_t NextPost(int64_t t) const
  {
    int64_t b = (t / kBlank + 1) * kBlank;
    while (!sync.PostDue(b))
      b += kBlank;
    return b;
  }

  // Runs for ms, measuring after skipMs; paint(i) is frame i's painting.
  Editor& Run(int ms, const std::function<int64_t(int)>& paint, int skipMs = 0)
  {
    frames = changes = postsWhilePainting = 0;
    painting = 0;
    shortestGap = INT64_MAX;
    const int64_t from = tick + skipMs * kMs, end = tick + ms * kMs;
    int64_t first = -1;
    for (int i = 0; tick < end; ++i)
    {
      const int64_t start = tick, p = paint(i), period = pacer.PeriodNanos(), now = start + p;
      if (blanks && !pacer.AtFullRate())
        sync.HoldTicksUntil(pacer.NextFrameNanos(start, start + pacer.PaintEstimateNanos()));
      const bool posted = blanks && NextPost(start) < now;
      pacer.OnTick(p);
      if (blanks)
      {
        sync.HoldTicksUntil(pacer.AtFullRate() ? VerticalBlankSync::kNoHold : pacer.NextFrameNanos(start, now));
        tick = NextPost(std::max(now - 1, start));
      }
      else if (pacer.AtFullRate())
        tick = std::max(start + kNatural, now); // periodic: when overdue at once
      else
        tick = now + (pacer.NextFrameNanos(start, now) - now + kMs - 1) / kMs * kMs; // whole milliseconds
      if (start < from)
        continue;
      first = first < 0 ? start : first;
      ++frames;
      painting += p;
      shortestGap = std::min(shortestGap, tick - now);
      changes += pacer.PeriodNanos() != period;
      postsWhilePainting += posted;
    }
    elapsed = tick - first;
    return *this;
  }
};

std::function<int64_t(int)> Constant(double ms)
{
  return [ms](int) { return static_cast<int64_t>(ms * kMs); };
}

} // namespace

TEST(RedrawPacer, FastPaintsKeepTheSourcesRateAndSlowOnesPaintAboutHalfTheTime)
{
  for (bool blanks : {false, true})
    for (double ms : {0.5, 4., 7., 10., 20., 50., 100., 180., 400.})
    {
      SCOPED_TRACE(testing::Message() << (blanks ? "blanks " : "timer ") << ms << " ms");
      Editor e(blanks);
      e.Run(6000, Constant(ms), 2000);
      if (ms < 7.5)
      {
        EXPECT_TRUE(e.pacer.AtFullRate());
        EXPECT_NEAR(e.Fps(), 1e9 / static_cast<double>(blanks ? kBlank : kNatural), 1.);
        continue;
      }
      // However slow the paint, the UI thread has a period to itself after
      // it: a host loop that dispatches until the queue is empty returns.
      EXPECT_GE(e.shortestGap, kNatural);
      EXPECT_EQ(e.changes, 0);
      if (ms <= 100.)
      {
        EXPECT_LE(e.Share(), .5);
        EXPECT_GE(e.Share(), .25);
        EXPECT_EQ(e.postsWhilePainting, 0);
      }
      else // the slowest rate, or a paint and a period when painting alone takes longer
        EXPECT_GE(e.Fps(), 1e9 / (std::max<double>(RedrawPacer::kSlowestPeriodNanos, ms * kMs + kNatural) + kBlank));
    }
}

TEST(RedrawPacer, RecoversFullRateWhenPaintingSpeedsUpAndHoldsItsRateThroughWobbles)
{
  for (bool blanks : {false, true})
  {
    SCOPED_TRACE(blanks ? "blanks" : "timer");
    Editor e(blanks);
    EXPECT_TRUE(e.Run(1000, Constant(2.)).pacer.AtFullRate());
    // Slow painting is seen within a few frames; ticks with nothing to draw,
    // or quick painting, bring the full rate back within a second, and one
    // long frame (loading, a busy machine) slows it only briefly.
    EXPECT_LE(e.Run(500, Constant(80.)).Share(), .75);
    EXPECT_FALSE(e.pacer.AtFullRate());
    for (double quick : {0., 2.})
    {
      e.Run(1000, Constant(80.));
      EXPECT_TRUE(e.Run(1000, Constant(quick)).pacer.AtFullRate()) << quick;
    }
    EXPECT_TRUE(e.Run(1000, [](int i) { return (i == 0 ? 300 : 2) * kMs; }).pacer.AtFullRate());
    // Paints that wobble by a quarter either way leave the rate alone.
    for (double ms : {15., 40., 90.})
    {
      e.Run(
        20000,
        [ms, x = 12345u](int) mutable {
          x = x * 1664525u + 1013904223u;
          return static_cast<int64_t>(ms * (.75 + .5 * (x >> 8) / 16777216.) * kMs);
        },
        2000);
      EXPECT_LE(e.changes, 1) << ms;
      EXPECT_LE(e.Share(), .55) << ms;
    }
  }
}
