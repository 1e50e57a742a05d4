// Numbers worked out by hand for crafted input, checked against both the
// engine and its reference. The input is a cosine on bin 64 with amplitude
// 1/1024: Hann-windowed, its spectrum is exactly e^(i phi) on bin 64 and
// -0.5 e^(i phi) on bins 63 and 65, where phi = 2 pi * 64 * position / 4096
// (the frame starts at the ring position). Position 16 gives phi = pi/2.
// Expected outputs are the expected bins run through a double-precision
// inverse transform, the window and the 1.5 / N overlap-add gain.
#include "engine/ReferenceStftEngine.h"
#include "engine/StftEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <map>
#include <vector>

using namespace murkwisp;
using namespace murkwisp::engine;

namespace {

using Bins = std::map<int, std::complex<double>>;

constexpr int kN = StftEngine::kFftSize;
constexpr int kLastBin = kN / 2 - 1;  // bins 1..2047 are reshaped
constexpr double kPi = 3.14159265358979323846;
constexpr int kPosition = 16;

std::vector<double> CosineOnBin64()
{
  std::vector<double> ring(kN);
  for (int n = 0; n < kN; ++n)
    ring[n] = std::cos(2. * kPi * 64. * n / kN) / 1024.;
  return ring;
}

std::complex<double> Polar(double mag, double phase)
{
  return std::polar(mag, phase);
}

// What one hop adds to the output ring when its processed bins are `bins`
// (bins 0 and N/2 are zero for every input used here).
std::vector<double> OverlapAddOf(const Bins& bins, int position)
{
  std::vector<double> c(kN), s(kN), frame(kN, 0.);
  for (int n = 0; n < kN; ++n)
  {
    c[n] = std::cos(2. * kPi * n / kN);
    s[n] = std::sin(2. * kPi * n / kN);
  }
  for (const auto& [k, y] : bins)
    for (int n = 0; n < kN; ++n)
    {
      const int t = (k * n) & (kN - 1);
      frame[n] += 2. * (y.real() * c[t] - y.imag() * s[t]);
    }
  std::vector<double> ring(kN, 0.);
  for (int n = 0; n < kN; ++n)
  {
    const double w = 0.5 - 0.5 * c[n];
    ring[(position + n) & (kN - 1)] = frame[n] * w * 1.5 / kN;
  }
  return ring;
}

double MaxAbs(const std::vector<double>& v)
{
  double m = 0.;
  for (double x : v)
    m = std::max(m, std::fabs(x));
  return m;
}

// Largest difference relative to the largest expected sample.
double RelativeError(const std::vector<double>& actual, const std::vector<double>& expected)
{
  double err = 0.;
  for (int n = 0; n < kN; ++n)
    err = std::max(err, std::fabs(actual[n] - expected[n]));
  return err / MaxAbs(expected);
}

// The generator as written: state * 1664525 + 1013904223, low 31 bits / 2^31.
struct Generator
{
  uint32_t state = 12345u;
  double Next()
  {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(static_cast<float>(state & 0x7FFFFFFFu) / 2147483648.f);
  }
  void Skip(int n)
  {
    for (int i = 0; i < n; ++i)
      Next();
  }
};

// Where bin k sits (x), its resonance bump g, and the resonance factor q.
struct WhisperShape
{
  double x, g, q;
};

WhisperShape ShapeOf(int k, double resonance)
{
  const double x = k / 2049., width = (1. - resonance) * 0.05 + 0.03;
  return {x, std::exp(-(x - resonance) * (x - resonance) / (2. * width * width)), resonance * 0.5 + 0.5};
}

template <class Engine>
struct Run
{
  Engine e;
  std::vector<double> out = std::vector<double>(kN, 0.);

  Run()
  {
    e.blend = 1.f;
    e.smear = 0.f;  // at or below 0.04 the phases are not smeared
  }
  void Pitch(float ratio)
  {
    e.pitchRatio = ratio;
    e.pitchGain = std::pow(1.f / ratio, 0.47f);
  }
  void Whisper(int mode, double amount, double resonance)
  {
    e.whisperMode = mode;
    e.whisper = static_cast<float>(amount);
    e.resonance = static_cast<float>(resonance);
  }
  // One hop into a cleared output ring.
  const std::vector<double>& Hop(const std::vector<double>& in)
  {
    std::fill(out.begin(), out.end(), 0.);
    e.ProcessHop(in.data(), out.data(), kPosition);
    return out;
  }
};

} // namespace

template <class Engine>
class EngineNumbers : public ::testing::Test
{
};

using Engines = ::testing::Types<StftEngine, murkwisp_reference::ReferenceStftEngine>;
TYPED_TEST_SUITE(EngineNumbers, Engines);

TYPED_TEST(EngineNumbers, HoldFollowsThePreviousHopThenDecays)
{
  struct Case
  {
    float decay, freeze;
    double hold;  // min(0.9999, (1 - decay) * freeze + decay)
  };
  // Haunt 50 with Freeze 80; Haunt 100 with Freeze 100 (capped); no tail.
  for (const Case c : {Case{0.86625f, 0.8f, 0.97325}, Case{0.99f, 1.f, 0.9999}, Case{0.5f, 0.f, 0.5},
                       Case{0.f, 0.f, 0.}})
  {
    SCOPED_TRACE(c.hold);
    Run<TypeParam> r;
    r.e.decay = c.decay;
    r.e.freeze = c.freeze;
    const std::vector<double> sig = CosineOnBin64(), silence(kN, 0.);

    // Nothing held yet: the first hop only drifts the phases.
    EXPECT_LT(MaxAbs(r.Hop(sig)), 1e-9);
    EXPECT_EQ(r.e.HeldMagnitude()[64], 0.f);
    EXPECT_EQ(r.e.Phase()[64], 0.01f);
    EXPECT_NEAR(r.e.PreviousMagnitude()[64], 1., 1e-5);
    EXPECT_NEAR(r.e.PreviousMagnitude()[63], 0.5, 1e-5);

    // The second hop takes the first hop's magnitudes with its own phases.
    r.Hop(sig);
    const float held64 = r.e.HeldMagnitude()[64];
    EXPECT_NEAR(held64, 1., 1e-5);
    EXPECT_NEAR(r.e.HeldMagnitude()[65], 0.5, 1e-5);
    EXPECT_NEAR(r.e.Phase()[64], kPi / 2, 1e-5);
    EXPECT_NEAR(r.e.Phase()[63], -kPi / 2, 1e-5);

    // Silence: the last loud magnitude is still a new peak, with the phase
    // of an empty bin; from then on the hold decays and the phase drifts.
    r.Hop(silence);
    EXPECT_EQ(r.e.HeldMagnitude()[64], held64);
    EXPECT_EQ(r.e.Phase()[64], 0.f);
    double expected = held64;
    for (int hop = 1; hop <= 12; ++hop)
    {
      r.Hop(silence);
      expected *= c.hold;
      ASSERT_NEAR(r.e.HeldMagnitude()[64], expected, 4e-6 * held64) << "hop " << hop;
      ASSERT_NEAR(r.e.Phase()[64], 0.01 * hop, 1e-6) << "hop " << hop;
    }
  }
}

TYPED_TEST(EngineNumbers, WetBinsScaleWithPossessAndFreeze)
{
  // Output bin = (freeze * 0.2 + 1) * 1.5 * held * blend + (1 - blend) * dry.
  struct Case
  {
    float blend, freeze;
    double gain;
  };
  for (const Case c : {Case{1.f, 0.8f, 1.74}, Case{0.5f, 0.f, 1.25}, Case{0.f, 0.8f, 1.}, Case{0.25f, 1.f, 1.2}})
  {
    SCOPED_TRACE(c.gain);
    Run<TypeParam> r;
    r.e.blend = c.blend;
    r.e.freeze = c.freeze;
    const std::vector<double> sig = CosineOnBin64();
    r.Hop(sig);
    const std::complex<double> x64 = Polar(1., kPi / 2), side = Polar(-0.5, kPi / 2);
    const Bins wet = {{63, c.gain * side}, {64, c.gain * x64}, {65, c.gain * side}};
    EXPECT_LT(RelativeError(r.Hop(sig), OverlapAddOf(wet, kPosition)), 1e-5);
  }
}

TYPED_TEST(EngineNumbers, OctaveUpReadsEachBinAtHalfItsIndex)
{
  Run<TypeParam> r;
  r.Pitch(2.f);
  const std::vector<double> sig = CosineOnBin64();
  r.Hop(sig);
  const std::vector<double>& out = r.Hop(sig);
  // Bin k reads k / 2: even bins take bins 63..65, odd ones halfway between,
  // magnitudes and phases alike. Bins 125 and 131 take half of the empty
  // bins 62 and 66, whose phase is whatever rounding left there.
  const float* phase = r.e.Phase();
  const double g = 1.5 * std::pow(2., -0.47);
  const Bins wet = {{125, Polar(g * 0.25, 0.5 * phase[62] - kPi / 4)},
                    {126, Polar(g * 0.5, -kPi / 2)},
                    {127, Polar(g * 0.75, 0.)},
                    {128, Polar(g * 1., kPi / 2)},
                    {129, Polar(g * 0.75, 0.)},
                    {130, Polar(g * 0.5, -kPi / 2)},
                    {131, Polar(g * 0.25, 0.5 * phase[66] - kPi / 4)}};
  EXPECT_LT(RelativeError(out, OverlapAddOf(wet, kPosition)), 1e-5);
}

TYPED_TEST(EngineNumbers, OctaveDownReadsHigherBinsAsThePreviousHopLeftThem)
{
  Run<TypeParam> r;
  r.Pitch(0.5f);
  const std::vector<double> sig = CosineOnBin64();
  r.Hop(sig);
  // Every bin reads a higher one, which still holds the first hop's nothing.
  EXPECT_LT(MaxAbs(r.Hop(sig)), 1e-9);
  // Now bin 32 reads bin 64 as the second hop left it; bins 31 and 33 read
  // the empty bins 62 and 66.
  const Bins wet = {{32, Polar(1.5 * std::pow(2., 0.47), kPi / 2)}};
  EXPECT_LT(RelativeError(r.Hop(sig), OverlapAddOf(wet, kPosition)), 1e-5);
}

TYPED_TEST(EngineNumbers, SizzleFromSilenceDrawsSmearThenFourWhisperSteps)
{
  Run<TypeParam> r;
  const double whisper = 0.5, resonance = 0.3, smear = 0.3;
  r.Whisper(0, whisper, resonance);
  r.e.smear = static_cast<float>(smear);

  Generator gen;
  Bins wet;
  for (int k = 1; k <= kLastBin; ++k)
  {
    // Silence: nothing held, so the phase has drifted to 0.01 and the smear
    // ratio is 0.
    double phase = 0.01 + (0. + 2.) * ((2. * gen.Next() - 1.) * smear) * kPi * 3.;
    const auto [x, g, q] = ShapeOf(k, resonance);
    const double a = (2. * gen.Next() - 1.) * 0.5, b = 2. * gen.Next() - 1., r3 = gen.Next();
    const double s2 = std::fabs(b * 0.3 + a) * x * x;
    const double mag = s2 * std::sqrt(0.001) * 0.8 * (g * 5. + 1.) * whisper * 3. * q *
                       (std::fabs(2. * r3 - 1.) * 0.3 * (g * 3. + 1.) * whisper * 0.5 + 1.);
    phase += (2. * gen.Next() - 1.) * kPi * 0.6 * whisper * (2. * g + 1.);
    wet[k] = Polar(mag, phase);
  }
  const std::vector<double> silence(kN, 0.);
  EXPECT_LT(RelativeError(r.Hop(silence), OverlapAddOf(wet, kPosition)), 1e-5);
  EXPECT_EQ(r.e.rngState, gen.state);  // five steps for each of 2047 bins
}

TYPED_TEST(EngineNumbers, FennowsAddsResonantNoiseToTheHeldBins)
{
  Run<TypeParam> r;
  const double whisper = 0.6, resonance = 0.03, freeze = 0.5;
  r.Whisper(1, whisper, resonance);
  r.e.freeze = static_cast<float>(freeze);
  const std::vector<double> sig = CosineOnBin64();
  r.Hop(sig);

  // Three steps per bin and hop; only bins 63..65 hold anything.
  Generator gen;
  gen.Skip(3 * kLastBin);
  Bins wet;
  for (int k = 1; k <= kLastBin; ++k)
  {
    const double a = (2. * gen.Next() - 1.) * 0.5, b = 2. * gen.Next() - 1., r3 = gen.Next();
    if (k < 63 || k > 65)
      continue;
    const double held = k == 64 ? 1. : 0.5;
    const auto [x, g, q] = ShapeOf(k, resonance);
    const double bumps = std::exp(-std::pow((x - 0.35) * 12., 2.)) + std::exp(-std::pow((x - 0.15) * 10., 2.)) +
                         std::exp(-std::pow((x - 0.55) * 15., 2.));
    const double dryMag = (freeze * 0.2 + 1.) * held * 1.5;
    double add = (bumps * 0.3 + 1.) * (std::sqrt(dryMag * dryMag + held * held) * (std::fabs(b) * (a + 0.5)) * 0.4);
    add = (add + g * held * 0.25) * (g * 4. + 1.) * whisper * 2.5 * q;
    const double phase = (k == 64 ? kPi / 2 : -kPi / 2) + (2. * r3 - 1.) * kPi * whisper * ((a + 0.5) * 0.5 + 0.5);
    wet[k] = Polar(dryMag + add, phase);
  }
  EXPECT_LT(RelativeError(r.Hop(sig), OverlapAddOf(wet, kPosition)), 1e-5);
  EXPECT_EQ(r.e.rngState, gen.state);
}
