#pragma once
// The engine's linear congruential generator (state * 1664525 + 1013904223,
// modulo 2^32), run four draws at a time without changing its sequence.
//
// n steps of the generator are again one affine map, state * A_n + C_n, so
// any draw can be reached directly from a known state. A vector of four
// lanes holds four draws that are `stride` apart in the scalar sequence;
// one step of the vector is one affine map of `4 * stride` steps.
#include <emmintrin.h>

#include <cstdint>

namespace murkwisp::engine {

struct LcgJump
{
  static constexpr uint32_t kMultiplier = 1664525u;
  static constexpr uint32_t kIncrement = 1013904223u;

  uint32_t a = 1u;
  uint32_t c = 0u;

  // The map of `steps` steps (taken modulo 2^32, so a negative count, cast
  // to unsigned, goes backwards: the generator's period is the full 2^32).
  static LcgJump Steps(uint32_t steps) noexcept
  {
    LcgJump result;
    LcgJump power{kMultiplier, kIncrement}; // 2^i steps
    for (; steps != 0; steps >>= 1)
    {
      if (steps & 1u)
        result = power.After(result);
      power = power.After(power);
    }
    return result;
  }

  // This map applied after `first`.
  LcgJump After(const LcgJump& first) const noexcept { return {a * first.a, a * first.c + c}; }

  uint32_t Apply(uint32_t state) const noexcept { return state * a + c; }
};

// Where four lanes start and how they move on, made once: lane j starts
// first + j * stride steps after a given state, and every step of the lanes
// is 4 * stride steps of the generator.
struct LcgLanePlan
{
  __m128i a = _mm_set1_epi32(1);
  __m128i c = _mm_setzero_si128();
  __m128i stepA = _mm_set1_epi32(1);
  __m128i stepC = _mm_setzero_si128();

  static LcgLanePlan Make(int32_t first, int32_t stride) noexcept
  {
    alignas(16) uint32_t a[4], c[4];
    for (int j = 0; j < 4; ++j)
    {
      const LcgJump jump = LcgJump::Steps(static_cast<uint32_t>(first + j * stride));
      a[j] = jump.a;
      c[j] = jump.c;
    }
    const LcgJump step = LcgJump::Steps(static_cast<uint32_t>(4 * stride));
    LcgLanePlan plan;
    plan.a = _mm_load_si128(reinterpret_cast<const __m128i*>(a));
    plan.c = _mm_load_si128(reinterpret_cast<const __m128i*>(c));
    plan.stepA = _mm_set1_epi32(static_cast<int32_t>(step.a));
    plan.stepC = _mm_set1_epi32(static_cast<int32_t>(step.c));
    return plan;
  }
};

// Four generator states advanced together.
class LcgLanes
{
public:
  LcgLanes() noexcept = default;
  LcgLanes(uint32_t state, const LcgLanePlan& plan) noexcept
    : mState(_mm_add_epi32(MulLow(_mm_set1_epi32(static_cast<int32_t>(state)), plan.a), plan.c))
    , mA(plan.stepA)
    , mC(plan.stepC)
  {
  }

  // The four current draws as the scalar generator yields them:
  // (state AND 0x7FFFFFFF) * 2^-31.
  __m128 Values() const noexcept
  {
    const __m128i low31 = _mm_and_si128(mState, _mm_set1_epi32(0x7FFFFFFF));
    return _mm_mul_ps(_mm_cvtepi32_ps(low31), _mm_set1_ps(1.0f / 2147483648.0f));
  }

  void Next() noexcept { mState = _mm_add_epi32(MulLow(mState, mA), mC); }

private:
  // The low 32 bits of four 32 x 32-bit products (SSE2 has only the
  // even-lane 64-bit multiply).
  static __m128i MulLow(__m128i x, __m128i y) noexcept
  {
    const __m128i even = _mm_mul_epu32(x, y);
    const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(x, 32), _mm_srli_epi64(y, 32));
    return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                              _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
  }

  __m128i mState = _mm_setzero_si128();
  __m128i mA = _mm_setzero_si128();
  __m128i mC = _mm_setzero_si128();
};

} // namespace murkwisp::engine
