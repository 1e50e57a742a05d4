#pragma once
// Replaces the animation clock and random source for the lifetime of the
// object, so animation tests step time instead of sleeping.
#include <cstdint>
#include "toolkit/GfxClock.h"

namespace ifx {
namespace testkit {

class FakeClock
{
public:
  explicit FakeClock(double startMs = 1000.0)
  {
    sNowNanos = static_cast<int64_t>(startMs * 1e6);
    sRandomState = 1u;
    sUseFixed = false;
    igfx::GfxClock::SetNanosSource(&Now);
    igfx::GfxClock::SetRandomSource(&Random);
  }
  ~FakeClock()
  {
    igfx::GfxClock::SetNanosSource(nullptr);
    igfx::GfxClock::SetRandomSource(nullptr);
  }
  FakeClock(const FakeClock&) = delete;
  FakeClock& operator=(const FakeClock&) = delete;

  void AdvanceMs(double ms) { sNowNanos += static_cast<int64_t>(ms * 1e6); }
  void SetMs(double ms) { sNowNanos = static_cast<int64_t>(ms * 1e6); }
  double NowMs() const { return static_cast<double>(sNowNanos) / 1e6; }
  // Makes the random source return a fixed value.
  void SetRandomValue(uint32_t v) { sFixedRandom = v; sUseFixed = true; }

private:
  static int64_t Now() { return sNowNanos; }
  static uint32_t Random()
  {
    if (sUseFixed)
      return sFixedRandom;
    sRandomState = sRandomState * 1664525u + 1013904223u;
    return sRandomState;
  }

  static inline int64_t sNowNanos = 0;
  static inline uint32_t sRandomState = 1u;
  static inline uint32_t sFixedRandom = 0u;
  static inline bool sUseFixed = false;
};

} // namespace testkit
} // namespace ifx
