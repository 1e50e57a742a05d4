#include "engine/StftEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

using namespace murkwisp::engine;

#if defined(__SSE__) || defined(_M_X64)
#include <xmmintrin.h>
#endif

namespace {

constexpr int N = StftEngine::kFftSize;

struct Rings
{
  std::vector<double> in = std::vector<double>(N, 0.);
  std::vector<double> out = std::vector<double>(N, 0.);
};

void FillNoise(std::vector<double>& ring, uint32_t seed)
{
  for (double& v : ring)
  {
    seed = seed * 22695477u + 1u;
    v = static_cast<double>((seed >> 8) & 0xFFFF) / 32768.0 - 1.0;
  }
}

bool AllZero(const std::vector<double>& v)
{
  for (double x : v)
    if (x != 0.)
      return false;
  return true;
}

} // namespace

TEST(StftEngine, StartsSilentWithItsDocumentedControls)
{
  StftEngine e;
  ASSERT_TRUE(e.IsValid());
  EXPECT_EQ(e.rngState, 12345u);
  EXPECT_EQ(e.pitchRatio, 1.f);
  EXPECT_EQ(e.pitchGain, 1.f);
  EXPECT_EQ(e.resonance, 0.5f);
  EXPECT_EQ(e.whisperMode, 0);
  EXPECT_EQ(e.smear, 0.f);
  for (int k = 0; k < StftEngine::kNumBins; ++k)
    ASSERT_EQ(e.HeldMagnitude()[k], 0.f);
}

TEST(StftEngine, PeriodicHannWindowOverlapsToThreeAtTheHop)
{
  StftEngine e;
  const float* w = e.Window();
  EXPECT_EQ(w[0], 0.f);
  EXPECT_FLOAT_EQ(w[N / 2], 1.f);
  EXPECT_FLOAT_EQ(w[N / 4], 0.5f);
  for (int r = 0; r < 512; r += 37)
  {
    double sum = 0.;
    for (int j = r; j < N; j += 512)
      sum += static_cast<double>(w[j]) * w[j];
    EXPECT_NEAR(sum, 3.0, 1e-5) << r;
  }
}

TEST(StftEngine, LinearCongruentialGenerator)
{
  StftEngine e;
  uint32_t state = 12345u;
  for (int i = 0; i < 1000; ++i)
  {
    state = state * 1664525u + 1013904223u;
    const float expected = static_cast<float>(state & 0x7FFFFFFFu) / 2147483648.f;
    const float r = e.NextRandom();
    ASSERT_EQ(r, expected);
    ASSERT_GE(r, 0.f);
    ASSERT_LE(r, 1.f);
  }
  EXPECT_EQ(e.rngState, state);
}

TEST(StftEngine, ResetClearsTheSpectrumButKeepsTheGenerator)
{
  StftEngine e;
  e.blend = 1.f;
  e.smear = 0.3f;
  e.decay = 0.7f;
  e.freeze = 0.8f;
  Rings r;
  FillNoise(r.in, 3);
  for (int hop = 0; hop < 3; ++hop)
    e.ProcessHop(r.in.data(), r.out.data(), hop * 512);
  const uint32_t rng = e.rngState;
  EXPECT_NE(rng, 12345u);

  e.Reset();
  EXPECT_EQ(e.rngState, rng);
  EXPECT_EQ(e.smear, 0.3f);
  EXPECT_EQ(e.decay, 0.7f);
  for (int k = 0; k < StftEngine::kNumBins; ++k)
  {
    ASSERT_EQ(e.HeldMagnitude()[k], 0.f);
    ASSERT_EQ(e.Phase()[k], 0.f);
    ASSERT_EQ(e.PreviousMagnitude()[k], 0.f);
  }
  Rings silent;
  e.ProcessHop(silent.in.data(), silent.out.data(), 100);
  EXPECT_TRUE(AllZero(silent.out));
}

TEST(StftEngine, ChannelsShareOneStateInCallOrder)
{
  Rings left, right;
  FillNoise(left.in, 21);
  FillNoise(right.in, 22);

  StftEngine shared;
  shared.blend = 1.f;
  shared.smear = 0.5f;
  shared.decay = 0.9f;
  StftEngine alone;
  alone.blend = 1.f;
  alone.smear = 0.5f;
  alone.decay = 0.9f;
  Rings rightAlone = right;

  for (int hop = 0; hop < 3; ++hop)
  {
    shared.ProcessHop(left.in.data(), left.out.data(), hop * 512);
    shared.ProcessHop(right.in.data(), right.out.data(), hop * 512);
    alone.ProcessHop(rightAlone.in.data(), rightAlone.out.data(), hop * 512);
  }
  // Channel 1 continues channel 0's random sequence and per-bin state.
  EXPECT_NE(right.out, rightAlone.out);
}

TEST(StftEngine, TailsSettleToExactZeroWithoutPassingThroughSubnormals)
{
  // Whatever the caller's flush-to-zero mode (here: none), the held
  // magnitudes and the output samples a hop completes never lie below the
  // normal float range, and a tail ends in exact zeros.
#if defined(__SSE__) || defined(_M_X64)
  const unsigned savedMode = _mm_getcsr();
  _mm_setcsr(savedMode & ~0x8040u);  // neither flush-to-zero nor denormals-are-zero
#endif
  const float least = std::numeric_limits<float>::min();
  StftEngine e;
  e.decay = 0.6f;
  e.smear = 1.f;
  e.blend = 1.f;
  Rings r;
  FillNoise(r.in, 7);
  int silentHops = 0;
  for (int hop = 0, position = 0; hop < 1000 && silentHops < 16; ++hop, position = (position + 512) % N)
  {
    if (hop == 8)
      r.in.assign(N, 0.);
    e.ProcessHop(r.in.data(), r.out.data(), position);
    for (int k = 0; k < StftEngine::kNumBins; ++k)
      ASSERT_FALSE(e.HeldMagnitude()[k] > 0.f && e.HeldMagnitude()[k] < least) << "hop " << hop << " bin " << k;
    // The block processor reads and clears the hop's samples.
    bool sounding = false;
    for (int i = 0; i < 512; ++i)
    {
      double& y = r.out[(position + i) % N];
      ASSERT_FALSE(y != 0. && std::fabs(y) < least) << "hop " << hop << " at " << i;
      sounding = sounding || y != 0.;
      y = 0.;
    }
    silentHops = sounding ? 0 : silentHops + 1;
  }
  EXPECT_EQ(silentHops, 16);
  EXPECT_TRUE(AllZero(r.out));
  EXPECT_EQ(*std::max_element(e.HeldMagnitude(), e.HeldMagnitude() + StftEngine::kNumBins), 0.f);
#if defined(__SSE__) || defined(_M_X64)
  _mm_setcsr(savedMode);
#endif
}
