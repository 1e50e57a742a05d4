#include "MurkwispTestSupport.h"

#include "framework/IHostTimeInfo.h"
#include "engine/StftEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

using namespace murkwisp::engine;

using namespace ifx;
using namespace murkwisp_test;

namespace {

constexpr double kRate = 48000.;
constexpr int kLatency = 4096;
constexpr double kTwoPi = 6.283185307179586;

std::vector<double> Noise(int n, uint32_t seed, double amp = 0.5)
{
  std::vector<double> v(static_cast<size_t>(n));
  for (double& x : v)
  {
    seed = seed * 1103515245u + 12345u;
    x = amp * (static_cast<double>((seed >> 9) & 0xFFFF) / 32768.0 - 1.0);
  }
  return v;
}

std::vector<double> Sine(int n, double freq, double amp = 0.5)
{
  std::vector<double> v(static_cast<size_t>(n));
  for (int j = 0; j < n; ++j)
    v[static_cast<size_t>(j)] = amp * std::sin(kTwoPi * freq * j / kRate);
  return v;
}

bool AllZero(const std::vector<double>& v)
{
  for (double x : v)
    if (x != 0.)
      return false;
  return true;
}

} // namespace

// With the tail off, no pitch shift and the dry bins passed through the
// engine (Possess 0), the wet path is the input delayed by exactly the
// reported latency and scaled by 4.5: 1.5 from the overlap-add gain times 3,
// the Hann-squared overlap at a 512-sample hop.
TEST(MurkwispSound, WetPathIsAPureDelayAndGain)
{
  auto p = MakePlugin();
  MakeNeutral(*p);
  SetValue(*p, kParamInput, 50.);
  SetValue(*p, kParamOutput, 80.);
  const int frames = 3 * kLatency + 777;
  StereoBuffers b(frames);
  b.l = Noise(frames, 1);
  b.r = Noise(frames, 2);
  RunBlocks(*p, b, 333);

  const double gain = 4.5 * 0.5 * 0.8;
  double maxErr = 0.;
  for (int t = 0; t < frames; ++t)
  {
    const double expectL = t >= kLatency ? gain * b.l[t - kLatency] : 0.;
    const double expectR = t >= kLatency ? gain * b.r[t - kLatency] : 0.;
    maxErr = std::max({maxErr, std::fabs(b.outL[t] - expectL), std::fabs(b.outR[t] - expectR)});
  }
  EXPECT_LT(maxErr, 2e-6);
  EXPECT_EQ(p->GetLatency(), kLatency);
}

// The dry path comes out one reported latency late, like the wet one, so
// both line up under a host's delay compensation.
TEST(MurkwispSound, DryPathIsTheInputOneLatencyLateBitForBit)
{
  auto p = MakePlugin();
  ASSERT_TRUE(p->RestorePreset(2));  // any sound: the wet path is mixed out
  SetValue(*p, kParamMix, 0.);
  SetValue(*p, kParamInput, 37.);
  SetValue(*p, kParamOutput, 91.);
  const int frames = 2 * kLatency + 100;
  StereoBuffers b(frames);
  b.l = Noise(frames, 5, 0.9);
  b.r = Noise(frames, 6, 0.9);
  RunBlocks(*p, b, 500);
  const double g = 37. / 100., og = 91. / 100.;
  for (int t = 0; t < frames; ++t)
  {
    const double l = t >= kLatency ? g * b.l[t - kLatency] * og : 0.;
    const double r = t >= kLatency ? g * b.r[t - kLatency] * og : 0.;
    ASSERT_EQ(b.outL[t], l) << t;
    ASSERT_EQ(b.outR[t], r) << t;
  }
}

struct PitchCase
{
  int octave, interval;
  double fine, ratio;
};

class MurkwispPitch : public ::testing::TestWithParam<PitchCase>
{
};

TEST_P(MurkwispPitch, SineMovesToTheShiftedFrequency)
{
  const PitchCase c = GetParam();
  auto p = MakePlugin();
  MakeNeutral(*p);
  SetValue(*p, kParamPossess, 100.);
  SetValue(*p, kParamOctave, c.octave);
  SetValue(*p, kParamInterval, c.interval);
  SetValue(*p, kParamFine, c.fine);

  const double f = 64. * kRate / 4096.;  // 750 Hz, on an engine bin
  const int frames = 10 * kLatency;
  StereoBuffers b(frames);
  b.l = Sine(frames, f);
  b.r = b.l;
  RunBlocks(*p, b, 256);

  const std::vector<double> tail(b.outL.begin() + 2 * kLatency, b.outL.end());
  const double found = DominantFrequency(tail, kRate, 100., 3500., 2., 4096);
  // Within a third of a semitone, or half an engine bin down low.
  const double expected = f * c.ratio;
  EXPECT_NEAR(found, expected, std::max(6., 0.019 * expected)) << "octave " << c.octave << " interval " << c.interval << " fine " << c.fine;
}

INSTANTIATE_TEST_SUITE_P(OctavesIntervalsAndCents, MurkwispPitch,
                         ::testing::Values(PitchCase{2, 0, 0., 1.}, PitchCase{3, 0, 0., 2.}, PitchCase{1, 0, 0., 0.5},
                                           PitchCase{4, 0, 0., 4.}, PitchCase{0, 0, 0., 0.25},
                                           PitchCase{2, 7, 0., 1.4983070768766815},
                                           PitchCase{2, 6, 0., 1.4142135623730951},
                                           PitchCase{1, 4, 0., 0.6299605249474366},
                                           PitchCase{2, 0, 50., 1.0293022366434920},
                                           PitchCase{2, 0, -50., 0.9715319411536059}));

TEST(MurkwispSound, FactoryPresetsMapOntoTheEngine)
{
  struct Expected
  {
    int preset;
    double haunt, semitones, freeze, smear, possess, whisper, resonance;
    int mode;
  };
  // Smear below 5 % is lifted to 5 %; semitones = interval + 12 (octave - 2) + cents / 100.
  const Expected rows[] = {
    {0, 75, 0., 80, 64, 50, 0, 50, 0},        // "Init"
    {2, 94, 30., 76, 30, 80, 59, 15, 0},      // "Banshee Scream": +2 octaves, tritone
    {4, 69, -24., 86, 27, 78, 65, 28, 0},     // "Crypt Dweller"
    {7, 45, 19.25, 30, 70, 60, 75, 80, 1},    // "Poltergeist": fifth, +1 octave, +25 cents
    {9, 70, -6.15, 55, 65, 85, 80, 90, 1},    // "Demonic Whisper": tritone, -1 octave, -15 cents
  };
  auto p = MakePlugin();
  StereoBuffers b(16);
  for (const Expected& e : rows)
  {
    SCOPED_TRACE(p->GetPresetName(e.preset));
    ASSERT_TRUE(p->RestorePreset(e.preset));
    p->Process(b.Inputs(), 2, b.Outputs(), 2, 16);
    const StftEngine& engine = p->Dsp().GetEngine();
    const double ratio = std::pow(2., e.semitones / 12.);
    EXPECT_NEAR(engine.decay, (1. - std::pow(1. - e.haunt / 100., 3.)) * 0.99, 1e-6);
    EXPECT_NEAR(engine.pitchRatio, ratio, 1e-6 * ratio);
    EXPECT_NEAR(engine.pitchGain, e.semitones == 0. ? 1. : std::pow(ratio, -0.47), 1e-6);
    EXPECT_NEAR(engine.freeze, e.freeze / 100., 1e-7);
    EXPECT_NEAR(engine.smear, std::max(0.05, e.smear / 100.), 1e-7);
    EXPECT_NEAR(engine.blend, e.possess / 100., 1e-7);
    EXPECT_NEAR(engine.whisper, e.whisper / 100., 1e-7);
    EXPECT_NEAR(engine.resonance, e.resonance / 100., 1e-7);
    EXPECT_EQ(engine.whisperMode, e.mode);
  }
}

TEST(MurkwispSound, PitchRatioAndGainMapping)
{
  auto p = MakePlugin();
  StereoBuffers b(16);
  // Controls reach the engine at the start of a block.
  auto engineAfter = [&](int param, double value) -> const StftEngine& {
    SetValue(*p, param, value);
    p->Process(b.Inputs(), 2, b.Outputs(), 2, 16);
    return p->Dsp().GetEngine();
  };
  SetValue(*p, kParamInterval, 0.);
  SetValue(*p, kParamFine, 0.);
  EXPECT_EQ(engineAfter(kParamOctave, 2.).pitchRatio, 1.f);
  EXPECT_EQ(p->Dsp().GetEngine().pitchGain, 1.f);
  EXPECT_EQ(engineAfter(kParamOctave, 3.).pitchRatio, 2.f);
  // The powers are the float nearest the true value, the same on every C library.
  EXPECT_EQ(p->Dsp().GetEngine().pitchGain, static_cast<float>(std::pow(0.5, static_cast<double>(0.47f))));
  // Smear 0 still smears (floor 0.05); Haunt 0 gives no decay.
  EXPECT_EQ(engineAfter(kParamSmear, 0.).smear, 0.05f);
  EXPECT_EQ(engineAfter(kParamHaunt, 0.).decay, 0.f);
  EXPECT_FLOAT_EQ(engineAfter(kParamHaunt, 100.).decay, 0.99f);
  // Only the cube is single precision: these settings land on the float
  // nearest (1 - (1 - h)^3) * 0.99, one step below or above where a float
  // 1 - h would put them.
  for (double haunt : {33., 46., 84.})
    EXPECT_EQ(engineAfter(kParamHaunt, haunt).decay,
              static_cast<float>((1. - std::pow(1. - haunt / 100., 3.)) * 0.99)) << haunt;
}

// How many output channels three hops' worth of silence leaves non-silent.
static int ChannelsWhisperingOutOfSilence(int mode, double whisperPercent)
{
  auto p = MakePlugin();
  SetValue(*p, kParamWhisperMode, mode);
  SetValue(*p, kParamWhisper, whisperPercent);
  SetValue(*p, kParamPossess, 100.);
  StereoBuffers b(3 * kLatency);
  RunBlocks(*p, b, 512);
  return (AllZero(b.outL) ? 0 : 1) + (AllZero(b.outR) ? 0 : 1);
}

TEST(MurkwispSound, OnlySizzleWhispersOutOfSilenceAndOnlyAboveOnePercent)
{
  struct Case
  {
    int mode;
    double whisper;
    int channels;
  };
  // Fennows shapes what is held; with nothing held it stays silent.
  for (const Case c : {Case{0, 1., 0}, Case{1, 1., 0}, Case{0, 2., 2}, Case{1, 50., 0}})
    EXPECT_EQ(ChannelsWhisperingOutOfSilence(c.mode, c.whisper), c.channels) << c.mode << " " << c.whisper;
}

class MurkwispWhisper : public ::testing::TestWithParam<int>
{
};

TEST_P(MurkwispWhisper, WhisperAboveOnePercentChangesTheSound)
{
  const int frames = 3 * kLatency;
  const std::vector<double> sig = Sine(frames, 440.);
  std::vector<double> out[3];
  const double levels[] = {0., 1., 2.};
  for (int i = 0; i < 3; ++i)
  {
    auto p = MakePlugin();
    SetValue(*p, kParamWhisperMode, GetParam());
    SetValue(*p, kParamWhisper, levels[i]);
    StereoBuffers b(frames);
    b.l = sig;
    b.r = sig;
    RunBlocks(*p, b, 512);
    out[i] = b.outL;
  }
  EXPECT_EQ(out[0], out[1]) << "1 % must not whisper";
  EXPECT_NE(out[1], out[2]) << "2 % must whisper";
}

INSTANTIATE_TEST_SUITE_P(BothModes, MurkwispWhisper, ::testing::Values(0, 1));

TEST(MurkwispSound, ResetSilencesButKeepsTheGenerator)
{
  auto p = MakePlugin();
  SetValue(*p, kParamMix, 90.);
  StereoBuffers b(2 * kLatency);
  b.l = Noise(2 * kLatency, 9);
  b.r = Noise(2 * kLatency, 10);
  RunBlocks(*p, b, 300);
  const uint32_t rng = p->Dsp().GetEngine().rngState;
  EXPECT_NE(rng, 12345u);

  p->OnReset();
  EXPECT_EQ(p->Dsp().GetEngine().rngState, rng);
  EXPECT_EQ(p->Dsp().GetRingWritePos(), 0);
  EXPECT_EQ(p->Dsp().GetHopCounter(), 0);
  EXPECT_EQ(p->GetLatency(), kLatency);
  for (int k = 0; k < StftEngine::kNumBins; ++k)
    ASSERT_EQ(p->Dsp().GetEngine().HeldMagnitude()[k], 0.f);

  // After a reset the rings are silent: no hop has run in the first 511
  // samples, and the dry part is a latency late, so nothing comes out.
  StereoBuffers after(511);
  after.l = Noise(511, 11);
  after.r = Noise(511, 12);
  RunBlocks(*p, after, 511);
  EXPECT_TRUE(AllZero(after.outL));
  EXPECT_TRUE(AllZero(after.outR));
}

TEST(MurkwispSound, OneConnectedOutputLeavesTheSecondUntouched)
{
  auto p = MakePlugin();
  StereoBuffers b(2 * kLatency);
  b.l = Noise(2 * kLatency, 13);
  b.r = Noise(2 * kLatency, 14);
  std::fill(b.outR.begin(), b.outR.end(), 7.);
  p->Process(b.Inputs(), 2, b.Outputs(), 1, 2 * kLatency);
  EXPECT_EQ(b.outR, std::vector<double>(2 * kLatency, 7.));
  EXPECT_FALSE(AllZero(b.outL));
}

TEST(MurkwispSound, PeakLevelsAndTempo)
{
  auto p = MakePlugin();
  StereoBuffers b(256);
  p->Process(b.Inputs(), 2, b.Outputs(), 2, 0);
  EXPECT_EQ(p->Dsp().GetInputPeakDB(), -60.f);
  EXPECT_EQ(p->Dsp().GetOutputPeakDB(), -60.f);

  SetValue(*p, kParamInput, 100.);
  SetValue(*p, kParamOutput, 100.);
  SetValue(*p, kParamMix, 0.);
  StereoBuffers latency(kLatency);
  latency.l[17] = -0.5;
  p->Process(latency.Inputs(), 2, latency.Outputs(), 2, kLatency);
  EXPECT_FLOAT_EQ(p->Dsp().GetInputPeakDB(), 20.f * std::log10(0.5f));
  EXPECT_EQ(p->Dsp().GetOutputPeakDB(), -60.f);  // the input comes out a latency late
  b.l.assign(256, 0.);
  b.l[17] = 1e-7;  // below the floor
  p->Process(b.Inputs(), 2, b.Outputs(), 2, 256);
  EXPECT_EQ(p->Dsp().GetInputPeakDB(), -60.f);
  EXPECT_FLOAT_EQ(p->Dsp().GetOutputPeakDB(), 20.f * std::log10(0.5f));

  IHostTimeInfo info;
  info.tempo = 0.;
  p->SetTimeInfo(info);
  p->Process(b.Inputs(), 2, b.Outputs(), 2, 16);
  EXPECT_EQ(p->Dsp().GetDisplayTempo(), 120.f);
  info.tempo = 93.5;
  p->SetTimeInfo(info);
  p->Process(b.Inputs(), 2, b.Outputs(), 2, 16);
  EXPECT_EQ(p->Dsp().GetDisplayTempo(), 93.5f);
}

TEST(MurkwispSound, LongHostBlocksMatchShortOnes)
{
  // A host that overruns its announced block size gets the same audio as one
  // that keeps to it; 32-bit buffers take the same path.
  const int frames = 5000;
  const std::vector<double> sig = Noise(frames, 77);
  auto shortBlocks = MakePlugin(kRate, 64);
  auto longBlock = MakePlugin(kRate, 64);
  StereoBuffers a(frames), c(frames);
  a.l = a.r = c.l = c.r = sig;
  RunBlocks(*shortBlocks, a, 64);
  longBlock->Process(c.Inputs(), 2, c.Outputs(), 2, frames);
  EXPECT_EQ(a.outL, c.outL);
  EXPECT_EQ(a.outR, c.outR);

  auto floats = MakePlugin(kRate, 64);
  std::vector<float> fl(sig.begin(), sig.end()), fr = fl, ol(frames), orr(frames);
  float* fin[] = {fl.data(), fr.data()};
  float* fout[] = {ol.data(), orr.data()};
  floats->Process(fin, 2, fout, 2, frames);
  for (int t = 0; t < frames; ++t)
    ASSERT_NEAR(ol[t], a.outL[t], 1e-5) << t;
}

TEST(MurkwispSound, BadSampleRateIsRefused)
{
  auto p = MakePlugin(44100.);
  EXPECT_FALSE(p->Setup(std::nan(""), 512));
  EXPECT_EQ(p->GetSampleRate(), 44100.);
  EXPECT_FALSE(p->Setup(0., 512));
  EXPECT_FALSE(p->Setup(-1., 512));
  EXPECT_EQ(p->GetSampleRate(), 44100.);
}
