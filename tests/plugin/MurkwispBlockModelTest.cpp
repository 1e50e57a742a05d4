// The plug-in against a sample-by-sample model of its block processing,
// written out the long way over an engine of its own (the engine itself is
// held against the reference engine in the engine tests): control mapping,
// ring walk, hop timing, channel order, mix, gains and peak levels must
// agree to the bit over changing controls and block sizes.
#include "MurkwispTestSupport.h"

#include "engine/DenormalGuard.h"
#include "engine/StftEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

using namespace murkwisp::engine;

using namespace murkwisp_test;

namespace {

constexpr int kRing = 4096;

class BlockModel
{
public:
  StftEngine engine;
  float inputPeakDb = -60.f;
  float outputPeakDb = -60.f;

  // v: the 13 parameter values; channels: connected outputs (1 or 2).
  void ProcessBlock(const double* v, double** inputs, double** outputs, int nFrames, int channels)
  {
    DenormalGuard flushDenormals;  // as the plug-in processes
    const double inputGain = v[kParamInput] / 100.;
    const double outputGain = v[kParamOutput] / 100.;
    // Single-precision powers, as the float nearest the double result.
    const auto pow = [](float x, float y) { return static_cast<float>(std::pow(static_cast<double>(x), static_cast<double>(y))); };
    engine.decay = (1.f - pow(static_cast<float>(1. - v[kParamHaunt] / 100.), 3.f)) * 0.99f;
    engine.blend = static_cast<float>(v[kParamPossess] / 100.);
    const float semitones = std::trunc(static_cast<float>(v[kParamInterval])) +
                            12.f * (std::trunc(static_cast<float>(v[kParamOctave])) - 2.f) +
                            static_cast<float>(v[kParamFine]) / 100.f;
    engine.pitchRatio = pow(2.f, semitones / 12.f);
    engine.pitchGain = engine.pitchRatio == 1.f ? 1.f : pow(1.f / engine.pitchRatio, 0.47f);
    engine.freeze = static_cast<float>(v[kParamFreeze] / 100.);
    engine.smear = std::max(0.05f, static_cast<float>(v[kParamSmear] / 100.));
    engine.whisper = static_cast<float>(v[kParamWhisper] / 100.);
    engine.whisperMode = static_cast<int32_t>(std::trunc(v[kParamWhisperMode]));
    engine.resonance = static_cast<float>(v[kParamResonance] / 100.);
    const double mix = static_cast<double>(static_cast<float>(v[kParamMix] / 100.));

    double inPeak = 0., outPeak = 0.;
    for (int j = 0; j < nFrames; ++j)
    {
      // The dry part is the ring's sample from a latency ago; what enters
      // is the input after the gain, or silence for a non-finite sample.
      double dry[2] = {0., 0.}, entered[2] = {0., 0.};
      for (int c = 0; c < std::max(1, channels); ++c)
      {
        const double x = inputGain * inputs[c][j];
        entered[c] = std::fabs(x) <= 1e9 ? x : 0.;
        dry[c] = inRing[c][ringWritePos % kRing];
        inRing[c][ringWritePos % kRing] = entered[c];
      }
      hopCounter += 1;
      if (hopCounter == 512)
      {
        hopCounter = 0;
        for (int c = 0; c < channels; ++c)
          engine.ProcessHop(inRing[c].data(), outRing[c].data(), ringWritePos);
      }
      const double wet0 = outRing[0][ringWritePos];
      const double wet1 = channels < 2 ? wet0 : outRing[1][ringWritePos];
      outputs[0][j] = ((1. - mix) * dry[0] + mix * wet0) * outputGain;
      if (channels > 1)
        outputs[1][j] = ((1. - mix) * dry[1] + mix * wet1) * outputGain;
      for (int c = 0; c < channels; ++c)
        outRing[c][ringWritePos] = 0.;
      ringWritePos = (ringWritePos + 1) % kRing;

      inPeak = std::max(inPeak, std::fabs(entered[0]));
      outPeak = std::max(outPeak, std::fabs(outputs[0][j]));
    }
    inputPeakDb = inPeak > 1e-6 ? 20.f * std::log10(static_cast<float>(inPeak)) : -60.f;
    outputPeakDb = outPeak > 1e-6 ? 20.f * std::log10(static_cast<float>(outPeak)) : -60.f;
  }

private:
  std::vector<double> inRing[2] = {std::vector<double>(kRing, 0.), std::vector<double>(kRing, 0.)};
  std::vector<double> outRing[2] = {std::vector<double>(kRing, 0.), std::vector<double>(kRing, 0.)};
  int ringWritePos = 0;
  int hopCounter = 0;
};

std::vector<double> Signal(int n, uint32_t channel, double freq)
{
  std::vector<double> v(static_cast<size_t>(n));
  uint32_t seed = channel;
  for (int j = 0; j < n; ++j)
  {
    seed = seed * 1103515245u + 12345u;
    const double noise = static_cast<double>((seed >> 9) & 0xFFFF) / 32768.0 - 1.0;
    // Loud, then a quiet stretch in which the tails decay on their own.
    const double level = (j / 6000) % 3 == 2 ? 0. : 0.4;
    v[static_cast<size_t>(j)] = level * (0.6 * std::sin(freq * j) + 0.4 * noise);
  }
  // A few samples no audio should have: they enter the engine as silence.
  v[1000 + channel] = std::numeric_limits<double>::quiet_NaN();
  v[9000 + channel] = channel % 2 ? std::numeric_limits<double>::infinity() : -1e300;
  return v;
}

size_t FirstDifference(const std::vector<double>& a, const std::vector<double>& b)
{
  for (size_t i = 0; i < a.size(); ++i)
    if (std::memcmp(&a[i], &b[i], sizeof(double)) != 0)
      return i;
  return a.size();
}

} // namespace

TEST(MurkwispBlockModel, MatchesTheSampleBySampleModelBitForBit)
{
  auto p = MakePlugin(48000., 4096);
  BlockModel model;

  struct Step
  {
    int preset;      // factory preset restored before the block, or -1
    int param;       // parameter set before the block, or -1
    double value;
    int frames;
    int channels;    // connected outputs
  };
  const Step steps[] = {
    {0, -1, 0., 700, 2},          // "Init"
    {-1, -1, 0., 1, 2},
    {-1, -1, 0., 511, 2},
    {7, -1, 0., 1500, 2},         // "Poltergeist": up a fifth and an octave, +25 cents, Fennows
    {-1, kParamFine, -17.5, 513, 2},
    {-1, kParamHaunt, 33.3, 4096, 2},
    {-1, kParamHaunt, 46., 1024, 2},
    {2, -1, 0., 2000, 2},         // "Banshee Scream": Sizzle, tritone two octaves up
    {9, -1, 0., 3000, 2},         // "Demonic Whisper": down, Fennows
    {-1, kParamOctave, 0., 2048, 1},  // two octaves down, one output
    {-1, kParamWhisperMode, 0., 999, 1},
    {6, -1, 0., 4096, 2},         // "Spectral Drone"
    {-1, kParamMix, 37.7, 777, 2},
    {-1, kParamInput, 12.5, 3333, 2},
    {4, -1, 0., 4000, 2},         // "Crypt Dweller"
    {-1, kParamFreeze, 100., 4096, 2},
    {-1, kParamSmear, 0., 4096, 2},
  };

  int total = 0;
  for (const Step& s : steps)
    total += s.frames;
  const std::vector<double> left = Signal(total, 1, 0.031), right = Signal(total, 2, 0.047);

  int offset = 0;
  for (const Step& s : steps)
  {
    if (s.preset >= 0)
    {
      ASSERT_TRUE(p->RestorePreset(s.preset));
    }
    if (s.param >= 0)
      SetValue(*p, s.param, s.value);
    double values[kParamCount];
    for (int k = 0; k < kParamCount; ++k)
      values[k] = p->GetParam(k)->Value();

    std::vector<double> inL(left.begin() + offset, left.begin() + offset + s.frames);
    std::vector<double> inR(right.begin() + offset, right.begin() + offset + s.frames);
    std::vector<double> outL(s.frames, 0.), outR(s.frames, 0.), modelL(s.frames, 0.), modelR(s.frames, 0.);
    double* in[] = {inL.data(), inR.data()};
    double* out[] = {outL.data(), outR.data()};
    double* modelOut[] = {modelL.data(), modelR.data()};
    p->Process(in, 2, out, s.channels, s.frames);
    model.ProcessBlock(values, in, modelOut, s.frames, s.channels);

    SCOPED_TRACE(testing::Message() << "block at " << offset);
    const size_t l = FirstDifference(outL, modelL);
    ASSERT_EQ(l, outL.size()) << "left differs at " << l << ": " << outL[l] << " vs " << modelL[l];
    const size_t r = FirstDifference(outR, modelR);
    ASSERT_EQ(r, outR.size()) << "right differs at " << r << ": " << outR[r] << " vs " << modelR[r];
    ASSERT_EQ(p->Dsp().GetInputPeakDB(), model.inputPeakDb);
    ASSERT_EQ(p->Dsp().GetOutputPeakDB(), model.outputPeakDb);
    ASSERT_EQ(p->Dsp().GetEngine().rngState, model.engine.rngState);
    ASSERT_EQ(0, std::memcmp(p->Dsp().GetEngine().HeldMagnitude(), model.engine.HeldMagnitude(),
                             sizeof(float) * StftEngine::kNumBins));
    offset += s.frames;
  }
}
