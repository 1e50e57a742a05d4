#pragma once
// When the editor window redraws: the window timer's period, and the rule
// that keeps vertical-blank ticks from piling up. The vertical-blank thread
// and the UI thread share one VerticalBlankSync; nothing else.
#include <atomic>
#include <cstdint>

namespace ifx {
namespace igfx {

// The window timer used where there is no vertical-blank thread.
constexpr int kRedrawTimerId = 2;
// Period used at 50 frames a second and faster.
constexpr int kFastRedrawPeriodMs = 15;

// floor(1000 / fps) ms computed in single precision, 15 ms when that is below
// 20 (60 fps gives 15, 30 gives 33). A rate that is not positive has no
// period of its own and gets the fast one.
int RedrawTimerPeriodMs(int fps) noexcept;

// The running count the thread posts with each tick, its stop request, the
// time before which it posts nothing, and the UI thread's skip window. Count,
// stop flag and hold are atomics: the thread writes the count and reads the
// flag and the hold while the UI thread does the reverse.
class VerticalBlankSync
{
public:
  static constexpr int64_t kNoHold = INT64_MIN;

  explicit VerticalBlankSync(uint32_t count = 0) noexcept : mCount(count) {}

  // -- Vertical-blank thread
  // One more tick: the new count, which the tick message carries.
  uint32_t Advance() noexcept { return mCount.fetch_add(1, std::memory_order_acq_rel) + 1; }
  bool StopRequested() const noexcept { return mStop.load(std::memory_order_acquire); }
  // Whether a blank at now (nanoseconds of the hold's clock) posts a tick.
  bool PostDue(int64_t now) const noexcept { return now >= mHoldUntil.load(std::memory_order_acquire); }

  // -- UI thread
  void RequestStop() noexcept { mStop.store(true, std::memory_order_release); }
  // Blanks before until post nothing (the editor is drawing, or spacing its
  // frames out); kNoHold lets every blank post.
  void HoldTicksUntil(int64_t until) noexcept { mHoldUntil.store(until, std::memory_order_release); }
  uint32_t Current() const noexcept { return mCount.load(std::memory_order_acquire); }
  // Whether the tick posted with count should draw: not while a skip window
  // set by a long paint is open, and not when a newer tick is already on its
  // way (the message waited in the queue).
  bool TakeTick(uint32_t count) noexcept;
  // After painting for the tick with count: when blanks passed meanwhile,
  // the ticks they queued are dropped until the next blank.
  void AfterPaint(uint32_t count) noexcept;

private:
  std::atomic<uint32_t> mCount{0};
  std::atomic<bool> mStop{false};
  std::atomic<int64_t> mHoldUntil{kNoHold};
  uint32_t mSkipUntil = 0; // 0: none; UI thread only
};

} // namespace igfx
} // namespace ifx
