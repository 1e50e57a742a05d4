#pragma once
// A process-wide frame counter of one animated layer: counts its draw calls
// and turns the count into animation seconds (16 ms a call). 64 bits and a
// double-precision clock keep long sessions smooth: a float clock growing by
// 0.016 would step twice as fast after about three days and stop after six.
#include <atomic>
#include <cstdint>

namespace murkwisp {

class AnimationCounter
{
public:
  static constexpr double kSecondsPerCall = 0.016;

  constexpr explicit AnimationCounter(int64_t calls = 0) noexcept : mCalls(calls) {}
  AnimationCounter(const AnimationCounter&) = delete;
  AnimationCounter& operator=(const AnimationCounter&) = delete;

  // Counts one call and returns the new count.
  int64_t Advance() noexcept { return mCalls.fetch_add(1, std::memory_order_relaxed) + 1; }
  int64_t Calls() const noexcept { return mCalls.load(std::memory_order_relaxed); }
  static double Seconds(int64_t calls) noexcept { return static_cast<double>(calls) * kSecondsPerCall; }

private:
  // Draw calls come from the main thread; atomic so that two editors of one
  // process, whatever thread their host gives them, never lose a count.
  std::atomic<int64_t> mCalls;
};

} // namespace murkwisp
