// The optimised engine must produce exactly the reference engine's bits:
// same output rings, same per-bin state, same random sequence.
#include "ReferenceStftEngine.h"
#include "plugin/engine/StftEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

using murkwisp_reference::ReferenceStftEngine;

namespace {

constexpr int kN = StftEngine::kFftSize;

struct Controls
{
  float decay, blend, pitchRatio, freeze, smear, whisper;
  int32_t whisperMode;
  float resonance;
};

template <class E>
void Apply(E& e, const Controls& c)
{
  e.decay = c.decay;
  e.blend = c.blend;
  e.pitchRatio = c.pitchRatio;
  e.pitchGain = c.pitchRatio == 1.0f ? 1.0f : std::pow(1.0f / c.pitchRatio, 0.47f);
  e.freeze = c.freeze;
  e.smear = c.smear;
  e.whisper = c.whisper;
  e.whisperMode = c.whisperMode;
  e.resonance = c.resonance;
}

void Signal(std::vector<double>& ring, uint32_t seed, double freq)
{
  for (int i = 0; i < kN; ++i)
  {
    seed = seed * 1664525u + 1013904223u;
    const double noise = static_cast<double>(seed >> 8) / 16777216.0 - 0.5;
    ring[i] = 0.3 * std::sin(freq * i) + 0.2 * noise;
  }
}

bool SameBits(const void* a, const void* b, size_t bytes)
{
  return std::memcmp(a, b, bytes) == 0;
}

} // namespace

class StftEngineEquivalence : public ::testing::TestWithParam<Controls>
{
};

TEST_P(StftEngineEquivalence, MatchesTheReferenceBitForBit)
{
  const Controls c = GetParam();
  StftEngine fast;
  ReferenceStftEngine ref;
  std::vector<double> in[2] = {std::vector<double>(kN), std::vector<double>(kN)};
  std::vector<double> outFast[2] = {std::vector<double>(kN, 0.), std::vector<double>(kN, 0.)};
  std::vector<double> outRef[2] = {std::vector<double>(kN, 0.), std::vector<double>(kN, 0.)};

  for (int hop = 0; hop < 12; ++hop)
  {
    Controls now = c;
    if (hop >= 6)
      now.resonance = 1.0f - c.resonance;  // control changes mid-stream
    if (hop >= 9)
      now.pitchRatio = 1.0f / c.pitchRatio;
    Apply(fast, now);
    Apply(ref, now);
    const int position = (hop * 512 + 511) % kN;
    for (int ch = 0; ch < 2; ++ch)
    {
      // Silence for a few hops lets the held tails decay on their own.
      if (hop < 8)
        Signal(in[ch], 17u + static_cast<uint32_t>(hop * 2 + ch), 0.02 + 0.05 * ch + 0.001 * hop);
      else
        std::fill(in[ch].begin(), in[ch].end(), 0.);
      fast.ProcessHop(in[ch].data(), outFast[ch].data(), position);
      ref.ProcessHop(in[ch].data(), outRef[ch].data(), position);
      ASSERT_TRUE(SameBits(outFast[ch].data(), outRef[ch].data(), sizeof(double) * kN)) << "hop " << hop << " channel " << ch;
      ASSERT_TRUE(SameBits(fast.HeldMagnitude(), ref.HeldMagnitude(), sizeof(float) * StftEngine::kNumBins));
      ASSERT_TRUE(SameBits(fast.Phase(), ref.Phase(), sizeof(float) * StftEngine::kNumBins));
      ASSERT_TRUE(SameBits(fast.PreviousMagnitude(), ref.PreviousMagnitude(), sizeof(float) * StftEngine::kNumBins));
      ASSERT_EQ(fast.rngState, ref.rngState);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
  Controls, StftEngineEquivalence,
  ::testing::Values(
    // decay, blend, ratio, freeze, smear, whisper, mode, resonance
    Controls{0.f, 0.f, 1.f, 0.f, 0.05f, 0.f, 0, 0.5f},                  // neutral, dry bins
    Controls{0.8616f, 0.5f, 1.f, 0.8f, 0.64f, 0.f, 0, 0.5f},            // "Init"
    Controls{0.9f, 0.91f, 2.f, 0.84f, 0.6f, 0.59f, 0, 0.73f},           // octave up, Sizzle
    Controls{0.98f, 0.8f, 4.f * 1.4142135f, 0.76f, 0.3f, 0.59f, 0, 0.15f},
    Controls{0.7f, 0.6f, 2.f * 1.4983071f * 1.0145453f, 0.3f, 0.7f, 0.75f, 1, 0.8f},  // Fennows
    Controls{0.75f, 0.85f, 0.5f * 1.4142135f * 0.9913730f, 0.55f, 0.65f, 0.8f, 1, 0.9f},
    Controls{0.9f, 0.95f, 0.5f, 0.95f, 0.8f, 0.2f, 0, 0.4f},            // octave down
    Controls{0.5f, 1.f, 0.25f, 0.f, 0.05f, 0.01f, 1, 0.5f},             // two octaves down, whisper off
    Controls{0.5f, 1.f, 0.9715319f, 0.f, 0.05f, 0.02f, 1, 0.05f},       // -50 cents
    Controls{0.99f, 1.f, 1.0293022f, 1.f, 1.f, 1.f, 0, 1.f},            // everything at the top
    Controls{0.f, 1.f, 1.f, 0.f, 0.f, 0.f, 0, 0.f}));                   // no smear at all
