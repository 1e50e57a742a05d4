// The four-wide functions against double-precision results: errors in units
// in the last place of the float result, over the ranges the engine meets
// and beyond, with four different arguments per call so a lane mix-up shows.
#include "engine/SimdMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

using namespace murkwisp::engine;

namespace {

// |actual - exact| in float ulps at the exact value.
double UlpError(float actual, double exact)
{
  if (exact == 0.0)
    return actual == 0.0f ? 0.0 : 1e9;
  int exponent = 0;
  std::frexp(exact, &exponent);
  return std::fabs(static_cast<double>(actual) - exact) / std::ldexp(1.0, exponent - 24);
}

struct Lanes
{
  float v[4];
};

Lanes Store(__m128 x)
{
  Lanes l;
  _mm_storeu_ps(l.v, x);
  return l;
}

bool SameBits(float a, float b)
{
  return std::memcmp(&a, &b, sizeof(float)) == 0;
}

} // namespace

TEST(SimdMath, SineAndCosineStayWithinTwoUlp)
{
  std::mt19937 rng(7);
  // Small phases, phases after long holds (0.01 per hop for hours), and the
  // top of the range where the reduction must still be exact.
  for (const float range : {4.0f, 400.0f, 3e5f, 1.6e7f})
  {
    std::uniform_real_distribution<float> dist(-range, range);
    double worstSin = 0.0, worstCos = 0.0;
    for (int i = 0; i < 100000; ++i)
    {
      const float x[4] = {dist(rng), dist(rng), dist(rng), dist(rng)};
      __m128 s, c;
      simd::SinCos(_mm_loadu_ps(x), &s, &c);
      const Lanes sl = Store(s), cl = Store(c);
      for (int j = 0; j < 4; ++j)
      {
        worstSin = std::max(worstSin, UlpError(sl.v[j], std::sin(static_cast<double>(x[j]))));
        worstCos = std::max(worstCos, UlpError(cl.v[j], std::cos(static_cast<double>(x[j]))));
      }
    }
    EXPECT_LT(worstSin, 2.0) << "range " << range;
    EXPECT_LT(worstCos, 2.0) << "range " << range;
  }

  // Exact points: zeros keep their sign, and the quadrants land right.
  __m128 s, c;
  const float pi = 3.14159265358979f;
  simd::SinCos(_mm_setr_ps(0.0f, -0.0f, pi / 2, -pi), &s, &c);
  const Lanes sl = Store(s), cl = Store(c);
  EXPECT_TRUE(SameBits(sl.v[0], 0.0f) && SameBits(sl.v[1], -0.0f));
  EXPECT_EQ(cl.v[0], 1.0f);
  EXPECT_EQ(cl.v[1], 1.0f);
  EXPECT_EQ(sl.v[2], 1.0f);
  EXPECT_EQ(cl.v[3], -1.0f);
}

TEST(SimdMath, Atan2StaysWithinThreeUlpAndKeepsTheAxesOfTheCLibrary)
{
  std::mt19937 rng(11);
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f), decades(-8.0f, 8.0f);
  double worst = 0.0;
  for (int i = 0; i < 400000; ++i)
  {
    float y[4], x[4];
    for (int j = 0; j < 4; ++j)
    {
      y[j] = unit(rng) * std::pow(10.0f, decades(rng));
      x[j] = unit(rng) * std::pow(10.0f, decades(rng));
    }
    const Lanes a = Store(simd::Atan2(_mm_loadu_ps(y), _mm_loadu_ps(x)));
    for (int j = 0; j < 4; ++j)
      worst = std::max(worst, UlpError(a.v[j], std::atan2(static_cast<double>(y[j]), static_cast<double>(x[j]))));
  }
  EXPECT_LT(worst, 3.0);

  // Zeros, axes and diagonals: the same bits as the C library.
  const float points[][2] = {{0.0f, 0.0f}, {-0.0f, 0.0f}, {0.0f, -0.0f}, {-0.0f, -0.0f}, {0.0f, 2.0f}, {-0.0f, 2.0f},
                             {0.0f, -2.0f}, {-0.0f, -2.0f}, {2.0f, 0.0f}, {-2.0f, -0.0f}, {3.0f, 3.0f}, {-3.0f, -3.0f}};
  for (const auto& p : points)
  {
    const float a = Store(simd::Atan2(_mm_set1_ps(p[0]), _mm_set1_ps(p[1]))).v[0];
    EXPECT_TRUE(SameBits(a, std::atan2(p[0], p[1]))) << "atan2(" << p[0] << ", " << p[1] << ") = " << a;
  }
}

TEST(SimdMath, ExpStaysWithinTwoUlpAndUnderflowsToZero)
{
  std::mt19937 rng(3);
  std::uniform_real_distribution<float> dist(-87.3f, 88.7f);
  double worst = 0.0;
  for (int i = 0; i < 100000; ++i)
  {
    const float x[4] = {dist(rng), dist(rng), dist(rng), dist(rng)};
    const Lanes e = Store(simd::Exp(_mm_loadu_ps(x)));
    for (int j = 0; j < 4; ++j)
      worst = std::max(worst, UlpError(e.v[j], std::exp(static_cast<double>(x[j]))));
  }
  EXPECT_LT(worst, 2.0);

  // The resonance curve reaches far below the float range.
  const Lanes e = Store(simd::Exp(_mm_setr_ps(0.0f, -90.0f, -555.0f, 88.72f)));
  EXPECT_EQ(e.v[0], 1.0f);
  EXPECT_EQ(e.v[1], 0.0f);
  EXPECT_EQ(e.v[2], 0.0f);
  EXPECT_TRUE(std::isfinite(e.v[3]));
}
