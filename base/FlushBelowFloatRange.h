#pragma once
// Output quieter than the smallest normal float (some -759 dBFS) is silence:
// narrowed to float it would be subnormal, which hosts and the plug-ins after
// this one may process many times slower. Tails that decay in double pass
// through that range even where every single-precision step flushes to zero.
// Zeros keep their sign and NaN stays: every other value leaves bit for bit.
#include <cmath>
#include <limits>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define IFX_FLOAT_RANGE_SSE2 1
#endif

namespace ifx {

constexpr double kSmallestNormalFloat = static_cast<double>(std::numeric_limits<float>::min());

inline double FlushBelowFloatRange(double x) noexcept
{
  return std::fabs(x) < kSmallestNormalFloat ? std::copysign(0., x) : x;
}

#if defined(IFX_FLOAT_RANGE_SSE2)
inline __m128d FlushBelowFloatRange(__m128d x) noexcept
{
  const __m128d sign = _mm_set1_pd(-0.);
  const __m128d tiny = _mm_cmplt_pd(_mm_andnot_pd(sign, x), _mm_set1_pd(kSmallestNormalFloat));
  return _mm_andnot_pd(_mm_andnot_pd(sign, tiny), x); // all but the sign bit cleared
}
#endif

// In place, two at a time where the processor can.
inline void FlushBelowFloatRange(double* v, int n) noexcept
{
  int i = 0;
#if defined(IFX_FLOAT_RANGE_SSE2)
  for (; i + 2 <= n; i += 2)
    _mm_storeu_pd(v + i, FlushBelowFloatRange(_mm_loadu_pd(v + i)));
#endif
  for (; i < n; ++i)
    v[i] = FlushBelowFloatRange(v[i]);
}

} // namespace ifx
