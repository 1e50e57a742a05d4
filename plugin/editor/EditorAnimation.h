#pragma once
// Small helpers of the editor's animated controls: the UI random source,
// phases that wrap once per turn, and colours at a computed alpha.
#include <algorithm>
#include <cstdint>

#include "toolkit/GfxClock.h"
#include "toolkit/IRgba.h"

namespace murkwisp {

inline constexpr float kPhaseTurn = 6.28318f;

// A non-negative integer from the toolkit's UI random source (tests make it
// repeatable); used as rand() would be.
inline int EditorRand() { return static_cast<int>(ifx::igfx::GfxClock::NextRandom() & 0x7fffffffu); }

// Advances a phase by step, taking one turn off when it passes a turn.
inline void AdvancePhase(float& phase, float step)
{
  phase += step;
  if (phase > kPhaseTurn)
    phase -= kPhaseTurn;
}

// x in [0, 1] as an alpha of 0 to 255 (clamped, truncated); NaN is
// transparent, as a NaN cast to an integer is undefined.
inline int32_t ClampedAlpha(float x) { return x > 0.f ? static_cast<int32_t>(std::min(x, 1.f) * 255.f) : 0; }

inline ifx::igfx::IRgba WithAlpha(const ifx::igfx::IRgba& c, int32_t alpha)
{
  return ifx::igfx::IRgba(alpha, c.R, c.G, c.B);
}

// A fraction of 0 to 0.99 picked by a control's seed, for scattered details.
inline float SeedFraction(int value) { return static_cast<float>(value % 100) / 100.f; }

} // namespace murkwisp
