#pragma once
// Four-wide single-precision sine, cosine, arctangent and exponential on
// SSE2 (which every x86-64 processor has). The engine uses these instead of
// the C library so that the hot loop costs the same on every build and the
// Windows build gives the same bits as the native one: mingw's libm runs the
// old x87 instructions and rounds differently from glibc.
//
// Accuracy: within 2 ulp of the true value for sine and cosine of |x| below
// 2^24 and for atan2 over the whole plane; exp within 2 ulp for x above
// -87.3 (below that it gives 0, not a subnormal).
#if !defined(__SSE2__) && !defined(_M_X64)
#error "SimdMath needs SSE2"
#endif
#include <emmintrin.h>

#include <cstdint>

namespace murkwisp::engine {

namespace simd {

inline __m128 Select(__m128 mask, __m128 a, __m128 b) // mask ? a : b
{
  return _mm_or_ps(_mm_and_ps(mask, a), _mm_andnot_ps(mask, b));
}

inline __m128 SignBits() { return _mm_castsi128_ps(_mm_set1_epi32(INT32_MIN)); }

inline __m128 Abs(__m128 x) { return _mm_andnot_ps(SignBits(), x); }

// Sine and cosine of four arguments at once.
//
// The argument is reduced by the nearest multiple of pi/2 in double
// precision with a three-part pi/2 (29 + 29 + 53 bits), so j * part stays
// exact for every |x| below 2^24 and the reduced argument is good to about
// 1e-16. Phases in the engine grow by 0.01 per hop while a bin is held, so
// values far from zero are normal there. The polynomials are the classic
// single-precision minimax pair for |r| <= pi/4.
inline void SinCos(__m128 x, __m128* sinOut, __m128* cosOut)
{
  const __m128d twoOverPi = _mm_set1_pd(0.63661977236758138243);
  const __m128d shifter = _mm_set1_pd(6755399441055744.0); // 1.5 * 2^52: adding it rounds to an integer
  const __m128d c1 = _mm_set1_pd(1.57079632580280303955);
  const __m128d c2 = _mm_set1_pd(9.92093577428798667484e-10);
  const __m128d c3 = _mm_set1_pd(2.25174177415621760794e-18);

  const __m128d xLo = _mm_cvtps_pd(x);
  const __m128d xHi = _mm_cvtps_pd(_mm_movehl_ps(x, x));
  const __m128d tLo = _mm_add_pd(_mm_mul_pd(xLo, twoOverPi), shifter);
  const __m128d tHi = _mm_add_pd(_mm_mul_pd(xHi, twoOverPi), shifter);
  const __m128d jLo = _mm_sub_pd(tLo, shifter);
  const __m128d jHi = _mm_sub_pd(tHi, shifter);
  __m128d rLo = _mm_sub_pd(_mm_sub_pd(_mm_sub_pd(xLo, _mm_mul_pd(jLo, c1)), _mm_mul_pd(jLo, c2)), _mm_mul_pd(jLo, c3));
  __m128d rHi = _mm_sub_pd(_mm_sub_pd(_mm_sub_pd(xHi, _mm_mul_pd(jHi, c1)), _mm_mul_pd(jHi, c2)), _mm_mul_pd(jHi, c3));
  const __m128 r = _mm_movelh_ps(_mm_cvtpd_ps(rLo), _mm_cvtpd_ps(rHi));
  // The integer sits in the low mantissa bits of t; only its last two bits
  // (the quadrant) matter.
  const __m128i qLo = _mm_shuffle_epi32(_mm_castpd_si128(tLo), _MM_SHUFFLE(3, 3, 2, 0));
  const __m128i qHi = _mm_shuffle_epi32(_mm_castpd_si128(tHi), _MM_SHUFFLE(3, 3, 2, 0));
  const __m128i q = _mm_unpacklo_epi64(qLo, qHi);

  const __m128 z = _mm_mul_ps(r, r);
  __m128 s = _mm_add_ps(_mm_mul_ps(_mm_set1_ps(-1.9515295891e-4f), z), _mm_set1_ps(8.3321608736e-3f));
  s = _mm_add_ps(_mm_mul_ps(s, z), _mm_set1_ps(-1.6666654611e-1f));
  s = _mm_add_ps(_mm_mul_ps(_mm_mul_ps(s, z), r), r);
  s = _mm_or_ps(Abs(s), _mm_and_ps(r, SignBits())); // sin(-0) is -0, as the sum above would lose
  __m128 c = _mm_add_ps(_mm_mul_ps(_mm_set1_ps(2.443315711809948e-5f), z), _mm_set1_ps(-1.388731625493765e-3f));
  c = _mm_add_ps(_mm_mul_ps(c, z), _mm_set1_ps(4.166664568298827e-2f));
  c = _mm_add_ps(_mm_sub_ps(_mm_mul_ps(_mm_mul_ps(c, z), z), _mm_mul_ps(_mm_set1_ps(0.5f), z)), _mm_set1_ps(1.0f));

  // Quadrant 1 swaps sine and cosine and negates the cosine; quadrant 2
  // negates both.
  const __m128i one = _mm_set1_epi32(1);
  const __m128 swap = _mm_castsi128_ps(_mm_cmpeq_epi32(_mm_and_si128(q, one), one));
  const __m128 sinSign = _mm_castsi128_ps(_mm_slli_epi32(_mm_and_si128(q, _mm_set1_epi32(2)), 30));
  const __m128 cosSign = _mm_castsi128_ps(_mm_slli_epi32(_mm_and_si128(_mm_add_epi32(q, one), _mm_set1_epi32(2)), 30));
  *sinOut = _mm_xor_ps(Select(swap, c, s), sinSign);
  *cosOut = _mm_xor_ps(Select(swap, s, c), cosSign);
}

// atan2(y, x) for four pairs, with the C library's signs on the axes:
// atan2(+-0, +0) = +-0 and atan2(+-0, -0) = +-pi.
//
// The angle is folded into the first octant and then to |v| <= tan(pi/8),
// so one division and a short odd polynomial suffice; the folded-out
// multiple of pi/4 is added back in two parts to keep the last bits.
inline __m128 Atan2(__m128 y, __m128 x)
{
  const __m128 ax = Abs(x);
  const __m128 ay = Abs(y);
  const __m128 yAbove = _mm_cmpgt_ps(ay, ax); // angle past pi/4: take the complement
  const __m128 big = _mm_max_ps(ax, ay);
  const __m128 small = _mm_min_ps(ax, ay);
  // Past tan(pi/8) the angle is pi/4 + atan((small - big) / (small + big)).
  const __m128 far = _mm_cmpgt_ps(small, _mm_mul_ps(big, _mm_set1_ps(0.41421356f)));
  const __m128 num = Select(far, _mm_sub_ps(small, big), small);
  const __m128 den = Select(far, _mm_add_ps(small, big), big);
  // 0 / 0 at the origin becomes 0.
  const __m128 v = _mm_and_ps(_mm_div_ps(num, den), _mm_cmpgt_ps(den, _mm_setzero_ps()));

  const __m128 z = _mm_mul_ps(v, v);
  __m128 p = _mm_add_ps(_mm_mul_ps(_mm_set1_ps(8.05374449538e-2f), z), _mm_set1_ps(-1.38776856032e-1f));
  p = _mm_add_ps(_mm_mul_ps(p, z), _mm_set1_ps(1.99777106478e-1f));
  p = _mm_add_ps(_mm_mul_ps(p, z), _mm_set1_ps(-3.33329491539e-1f));
  p = _mm_add_ps(_mm_mul_ps(_mm_mul_ps(p, z), v), v);

  // angle = m * pi/4 + sign * p, with m in 0..4:
  //   below the diagonal: m = far, sign +; above it: m = 2 - far, sign -;
  //   x negative: m -> 4 - m and the sign flips.
  const __m128 oneF = _mm_set1_ps(1.0f);
  const __m128 farF = _mm_and_ps(far, oneF);
  __m128 m = Select(yAbove, _mm_sub_ps(_mm_set1_ps(2.0f), farF), farF);
  __m128 sign = _mm_and_ps(yAbove, SignBits());
  const __m128 xNegative = _mm_castsi128_ps(_mm_srai_epi32(_mm_castps_si128(x), 31));
  m = Select(xNegative, _mm_sub_ps(_mm_set1_ps(4.0f), m), m);
  sign = _mm_xor_ps(sign, _mm_and_ps(xNegative, SignBits()));
  // pi/4 as a 21-bit head (m * head is exact) and the rest.
  const __m128 head = _mm_mul_ps(m, _mm_set1_ps(0.785398006439208984375f));
  const __m128 tail = _mm_mul_ps(m, _mm_set1_ps(1.56958236630089232e-7f));
  const __m128 angle = _mm_add_ps(head, _mm_add_ps(tail, _mm_xor_ps(p, sign)));
  return _mm_or_ps(angle, _mm_and_ps(y, SignBits()));
}

// e^x for four arguments: x = n ln2 + r with |r| <= ln2/2, a degree-6
// polynomial for e^r, and 2^n put straight into the exponent.
inline __m128 Exp(__m128 x)
{
  const __m128 tooSmall = _mm_cmplt_ps(x, _mm_set1_ps(-87.33654f));
  x = _mm_min_ps(_mm_max_ps(x, _mm_set1_ps(-87.33654f)), _mm_set1_ps(88.72283f));
  const __m128 nF = _mm_cvtepi32_ps(_mm_cvtps_epi32(_mm_mul_ps(x, _mm_set1_ps(1.44269504088896341f))));
  __m128 r = _mm_sub_ps(x, _mm_mul_ps(nF, _mm_set1_ps(0.693359375f)));
  r = _mm_sub_ps(r, _mm_mul_ps(nF, _mm_set1_ps(-2.12194440e-4f)));
  const __m128 z = _mm_mul_ps(r, r);
  __m128 p = _mm_add_ps(_mm_mul_ps(_mm_set1_ps(1.9875691500e-4f), r), _mm_set1_ps(1.3981999507e-3f));
  p = _mm_add_ps(_mm_mul_ps(p, r), _mm_set1_ps(8.3334519073e-3f));
  p = _mm_add_ps(_mm_mul_ps(p, r), _mm_set1_ps(4.1665795894e-2f));
  p = _mm_add_ps(_mm_mul_ps(p, r), _mm_set1_ps(1.6666665459e-1f));
  p = _mm_add_ps(_mm_mul_ps(p, r), _mm_set1_ps(5.0000001201e-1f));
  p = _mm_add_ps(_mm_add_ps(_mm_mul_ps(p, z), r), _mm_set1_ps(1.0f));
  // 2^n in two halves so that n = 128 (x near the top) does not overflow
  // the exponent field before the multiply.
  const __m128i n = _mm_cvtps_epi32(nF);
  const __m128i half = _mm_srai_epi32(n, 1);
  const __m128 scale1 = _mm_castsi128_ps(_mm_slli_epi32(_mm_add_epi32(half, _mm_set1_epi32(127)), 23));
  const __m128 scale2 =
    _mm_castsi128_ps(_mm_slli_epi32(_mm_add_epi32(_mm_sub_epi32(n, half), _mm_set1_epi32(127)), 23));
  return _mm_andnot_ps(tooSmall, _mm_mul_ps(_mm_mul_ps(p, scale1), scale2));
}

} // namespace simd

} // namespace murkwisp::engine
