#pragma once
// How often the editor redraws when painting is slow. At full rate the tick
// source sets the pace. Once painting would take more than about half of the
// UI thread, frames are spaced out so that it takes about half, and the
// thread gets at least one natural period of its own after every frame: the
// host's work goes on, and a host loop that dispatches until its queue is
// empty returns between frames. UI thread only; times are nanoseconds of one
// steady clock.
#include <cstdint>

namespace ifx {
namespace igfx {

class RedrawPacer
{
public:
  // Frames are never spaced further apart than this (the slowest rate, four
  // a second), however slow painting gets.
  static constexpr int64_t kSlowestPeriodNanos = 250'000'000;

  // naturalPeriodMs: the tick source's own period.
  explicit RedrawPacer(int naturalPeriodMs) noexcept;

  // A tick: painting since the one before kept the UI thread for paintNanos
  // (0 when the tick found nothing to draw).
  void OnTick(int64_t paintNanos) noexcept;

  bool AtFullRate() const noexcept { return mPeriod <= mNatural; }
  // Wanted time from the start of one frame to the start of the next.
  int64_t PeriodNanos() const noexcept { return mPeriod; }
  // The earliest start of the next frame after one that ran from start to
  // end: a period after start, but never sooner than a natural period after
  // end. At full rate the source's own next tick (end).
  int64_t NextFrameNanos(int64_t start, int64_t end) const noexcept;
  // The smoothed painting time per tick.
  int64_t PaintEstimateNanos() const noexcept { return mEstimate; }

private:
  int64_t mNatural;
  int64_t mPeriod;
  int64_t mEstimate = 0;
};

} // namespace igfx
} // namespace ifx
