#pragma once
// The steady clock and random source behind animations and frame timing.
// Tests install their own sources so that animations run without sleeping.
#include <cstdint>

namespace ifx {
namespace igfx {

class GfxClock
{
public:
  using NanosSource = int64_t (*)();
  using RandomSource = uint32_t (*)();

  // Nanoseconds of the steady clock (or of the installed source).
  static int64_t NowNanos();
  static double NowMillis() { return static_cast<double>(NowNanos()) / 1e6; }
  // Seconds since the first call in this process.
  static double SecondsSinceStart();

  // Uniform 32-bit value; the default source is a seeded xorshift.
  static uint32_t NextRandom();
  // Uniform in [0, 1).
  static float RandomUnit() { return static_cast<float>(NextRandom() >> 8) * (1.f / 16777216.f); }

  // Null restores the default source.
  static void SetNanosSource(NanosSource source);
  static void SetRandomSource(RandomSource source);
};

} // namespace igfx
} // namespace ifx
