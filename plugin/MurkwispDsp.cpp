// Murkwisp's block processing: control mapping, the per-sample ring walk that
// drives the spectral engine every 512 samples, the dry/wet mix and meters.
#include "plugin/MurkwispDsp.h"

#include <algorithm>
#include <cmath>

#include "base/DebugAssert.h"
#include "base/IEditorDelegate.h"
#include "base/IParam.h"
#include "engine/DenormalGuard.h"
#include "engine/RoundedMath.h"
#include "engine/StftEngine.h"
#include "framework/IFxProcessor.h"
#include "plugin/MurkwispParams.h"

namespace murkwisp {

using namespace ifx;
using namespace murkwisp::engine;

namespace {
constexpr double kMeterThresholdDb = -90.;
constexpr float kMeterWindowMs = 5.f;
constexpr float kMeterAttackMs = 1.f;
constexpr float kMeterDecayMs = 100.f;
constexpr float kMeterHoldMs = 500.f;
// What the reported tail is made for: input up to +24 dBFS (well above what
// a track feeds a reverb), output down to -120 dBFS.
constexpr double kLoudestInput = 16.;
constexpr double kQuietLevel = 1e-6;
} // namespace

MurkwispDsp::MurkwispDsp(const IEditorDelegate& params, IFxProcessor& processor)
  : mParams(params)
  , mProcessor(processor)
  , mInputSender(kMeterThresholdDb, kMeterWindowMs, kMeterAttackMs, kMeterDecayMs, kMeterHoldMs)
  , mOutputSender(kMeterThresholdDb, kMeterWindowMs, kMeterAttackMs, kMeterDecayMs, kMeterHoldMs)
  , mEngine(std::make_unique<StftEngine>())
{
  for (int c = 0; c < kNumChannels; ++c)
  {
    mInputRings[c] = std::make_unique<SampleRing>();
    mOutputRings[c] = std::make_unique<SampleRing>();
  }
}

MurkwispDsp::~MurkwispDsp() = default;

namespace {

// Parameter values are doubles stored atomically; one read per block.
double Value(const IEditorDelegate& delegate, int idx) noexcept { return delegate.GetParam(idx)->Value(); }

// What the engine takes of an input sample: non-finite samples, and
// magnitudes no audio has (beyond about +180 dBFS) that would overflow the
// spectral sums, enter as silence. One bad sample then cannot poison the
// per-bin state that both channels share.
double EngineInput(double x) noexcept
{
  constexpr double kLoudest = 1e9;
  return std::fabs(x) <= kLoudest ? x : 0.; // false for NaN as well
}

float PeakToDb(double peak) noexcept
{
  const float p = static_cast<float>(peak);
  return peak > 1e-6 ? 20.0f * std::log10(p) : MurkwispDsp::kSilentDb;
}

} // namespace

void MurkwispDsp::UpdateEngineControls(double& inputGain, double& outputGain, double& mix) noexcept
{
  StftEngine& e = *mEngine;
  inputGain = Value(mParams, kParamInput) / 100.;
  outputGain = Value(mParams, kParamOutput) / 100.;

  // 1 - Haunt is formed in double like every other v / 100; the value enters
  // the cube, which is single precision, as the nearest float.
  const float undamped = static_cast<float>(1. - Value(mParams, kParamHaunt) / 100.);
  e.decay = (1.0f - RoundedPow(undamped, 3.0f)) * 0.99f;
  e.blend = static_cast<float>(Value(mParams, kParamPossess) / 100.);

  const float semitones = std::trunc(static_cast<float>(Value(mParams, kParamInterval))) +
                          12.0f * (std::trunc(static_cast<float>(Value(mParams, kParamOctave))) - kOctaveCentre) +
                          static_cast<float>(Value(mParams, kParamFine)) / 100.0f;
  e.pitchRatio = RoundedPow(2.0f, semitones / 12.0f);
  e.pitchGain = e.pitchRatio == 1.0f ? 1.0f : RoundedPow(1.0f / e.pitchRatio, 0.47f);

  e.freeze = static_cast<float>(Value(mParams, kParamFreeze) / 100.);
  // The floor keeps phase smearing always on (the engine smears above 0.04).
  e.smear = std::max(0.05f, static_cast<float>(Value(mParams, kParamSmear) / 100.));
  e.whisper = static_cast<float>(Value(mParams, kParamWhisper) / 100.);
  e.whisperMode = static_cast<int32_t>(Value(mParams, kParamWhisperMode));
  e.resonance = static_cast<float>(Value(mParams, kParamResonance) / 100.);
  mix = static_cast<double>(static_cast<float>(Value(mParams, kParamMix) / 100.));

  const double tempo = mProcessor.GetTimeInfo().tempo;
  mDisplayTempo.store(tempo > 0. ? static_cast<float>(tempo) : 120.f, std::memory_order_relaxed);
  mProcessor.SetTailSize(TailSamples(outputGain, mix));
}

int MurkwispDsp::TailSamples(double outputGain, double mix) const noexcept
{
  // The dry signal and the bypassed one come out the latency late.
  int64_t tail = kLatencySamples;
  const double wetScale = mix * outputGain;
  if (wetScale != 0.)
  {
    const int64_t hops = mEngine->QuietHops(kLoudestInput, wetScale, kQuietLevel);
    if (hops == StftEngine::kEndless)
      return IFxProcessor::kInfiniteTailSize;
    // The first frame of only silence is due at most N + hop - 2 samples
    // after the last sound, and the frame before it sounds N - hop past that.
    constexpr int64_t N = StftEngine::kFftSize;
    tail = std::max<int64_t>(tail, 2 * N - 2 + int64_t{kHopSize} * hops);
  }
  return static_cast<int>(std::min<int64_t>(tail, IFxProcessor::kInfiniteTailSize - 1));
}

void MurkwispDsp::ProcessBlock(double** inputs, double** outputs, int nFrames) noexcept
{
  DenormalGuard denormals;

  double inputGain = 1., outputGain = 1., mix = 1.;
  UpdateEngineControls(inputGain, outputGain, mix);

  const int channels = std::min(kNumChannels, mProcessor.NConnectedChannels(ifx::kOutput));
  nFrames = std::max(0, nFrames);
  // Channel 0 is always read and written, the others as far as connected.
  const int needed = std::max(1, channels);
  bool buffersOk = inputs && outputs;
  for (int c = 0; buffersOk && c < needed; ++c)
    buffersOk = inputs[c] && outputs[c];
  if (!buffersOk)
  {
    mInputPeakDB.store(kSilentDb, std::memory_order_relaxed);
    mOutputPeakDB.store(kSilentDb, std::memory_order_relaxed);
    return;
  }

  // The input meter reads the block before the outputs are written: hosts may
  // hand the same buffer for input and output.
  if (mProcessor.NChannels(ifx::kInput) >= 2 && inputs[1])
    mInputSender.ProcessBlock(inputs, nFrames, 0);

  double* in[kNumChannels] = {inputs[0], channels > 1 ? inputs[1] : nullptr};
  double* out[kNumChannels] = {outputs[0], channels > 1 ? outputs[1] : nullptr};
  double* inRing[kNumChannels] = {mInputRings[0]->data.get(), mInputRings[1]->data.get()};
  double* outRing[kNumChannels] = {mOutputRings[0]->data.get(), mOutputRings[1]->data.get()};
  const double dryMix = 1. - mix;

  double inPeak = 0.;
  double outPeak = 0.;
  // The walk keeps the ring position and the hop counter in range; a hop
  // falls due exactly every kHopSize samples.
  MURKWISP_ASSERT(mRingWritePos >= 0 && mRingWritePos < SampleRing::kSize && mHopCounter >= 0 &&
                  mHopCounter < kHopSize);
  int pos = mRingWritePos;
  int hop = mHopCounter;
  for (int j = 0; j < nFrames; ++j)
  {
    // The dry signal is what the input ring held: the input 4096 samples
    // (the reported latency) ago, after the Input gain, so it lines up with
    // the wet one and with every other track under delay compensation.
    // Ring 0 is fed even without a connected output, for output 0's dry.
    const double x0 = EngineInput(inputGain * in[0][j]);
    const double dry0 = inRing[0][pos];
    inRing[0][pos] = x0;
    double dry1 = 0.;
    if (channels > 1)
    {
      dry1 = inRing[1][pos];
      inRing[1][pos] = EngineInput(inputGain * in[1][j]);
    }

    if (++hop == kHopSize)
    {
      hop = 0;
      for (int c = 0; c < channels; ++c)
        mEngine->ProcessHop(inRing[c], outRing[c], pos);
    }

    const double wet0 = outRing[0][pos];
    const double wet1 = channels > 1 ? outRing[1][pos] : wet0;
    const double y0 = (dryMix * dry0 + mix * wet0) * outputGain;
    out[0][j] = y0;
    if (channels > 1)
      out[1][j] = (dryMix * dry1 + mix * wet1) * outputGain;
    for (int c = 0; c < channels; ++c)
      outRing[c][pos] = 0.;

    inPeak = std::max(inPeak, std::fabs(x0));
    outPeak = std::max(outPeak, std::fabs(y0));
    pos = (pos + 1) & (SampleRing::kSize - 1);
  }
  mRingWritePos = pos;
  mHopCounter = hop;

  mInputPeakDB.store(PeakToDb(inPeak), std::memory_order_relaxed);
  mOutputPeakDB.store(PeakToDb(outPeak), std::memory_order_relaxed);

  if (mProcessor.NChannels(ifx::kOutput) >= 2 && outputs[1])
    mOutputSender.ProcessBlock(outputs, nFrames, 1);
}

void MurkwispDsp::Reset()
{
  const double rate = mProcessor.GetSampleRate();
  mInputSender.Reset(rate);
  mOutputSender.Reset(rate);
  mRingWritePos = 0;
  mHopCounter = 0;
  mEngine->Reset();
  for (int c = 0; c < kNumChannels; ++c)
  {
    mInputRings[c]->Clear();
    mOutputRings[c]->Clear();
  }
  mProcessor.SetLatency(kLatencySamples);
  // Hosts read the tail while they set us up, before the first block.
  double inputGain = 1., outputGain = 1., mix = 1.;
  UpdateEngineControls(inputGain, outputGain, mix);
}

void MurkwispDsp::FlushMetersToEditor(IEditorDelegate& editor)
{
  mInputSender.FlushToUI(editor);
  mOutputSender.FlushToUI(editor);
}

} // namespace murkwisp
