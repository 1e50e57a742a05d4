#include "EngineCases.h"

#include "plugin/MurkwispPresets.h"
#include "plugin/UpdateChecker.h"

#include <cmath>
#include <string>

using namespace murkwisp;
using namespace murkwisp::engine;

namespace engine_cases {

const int kNumPresets = kNumFactoryPresets;

namespace {

constexpr int kN = StftEngine::kFftSize;

std::string NoFeed(const char*)
{
  return std::string();
}

} // namespace

const char* PresetName(int preset)
{
  return kFactoryPresets[preset].name;
}

std::unique_ptr<Murkwisp> MakePlugin(int preset, int maxBlock)
{
  murkwisp::UpdateChecker::Instance().SetFetchFunction(&NoFeed);
  auto p = std::make_unique<Murkwisp>(ifx::InstanceInfo{});
  p->Setup(kRate, maxBlock);
  p->RestorePreset(preset);
  return p;
}

void Noise(std::vector<double>& v, unsigned seed)
{
  for (double& x : v)
  {
    seed = seed * 1103515245u + 12345u;
    x = 0.25 * (static_cast<double>((seed >> 9) & 0xFFFF) / 32768.0 - 1.0);
  }
}

HopCase::HopCase(int preset) : inRing(kN), outRing(kN)
{
  // One block maps the preset onto the plug-in's engine; copy its controls.
  auto p = MakePlugin(preset, 512);
  std::vector<double> l(512), r(512), ol(512), orr(512);
  double* in[] = {l.data(), r.data()};
  double* out[] = {ol.data(), orr.data()};
  p->Process(in, 2, out, 2, 512);
  const StftEngine& src = p->Dsp().GetEngine();
  engine.decay = src.decay;
  engine.blend = src.blend;
  engine.pitchRatio = src.pitchRatio;
  engine.pitchGain = src.pitchGain;
  engine.freeze = src.freeze;
  engine.smear = src.smear;
  engine.whisper = src.whisper;
  engine.whisperMode = src.whisperMode;
  engine.resonance = src.resonance;
  Noise(inRing, 3);
  for (int i = 0; i < 16; ++i)
    Run();
}

void HopCase::Run()
{
  engine.ProcessHop(inRing.data(), outRing.data(), position);
  position = (position + 512) % kN;
}

BlockCase::BlockCase(int preset, int frames_)
  : plugin(MakePlugin(preset, frames_)), frames(frames_), left(frames_), right(frames_), outLeft(frames_), outRight(frames_)
{
  Noise(left, 1);
  Noise(right, 2);
  // Warm the tails up so the steady state is measured.
  for (int i = 0; i < 2 * kN / frames + 4; ++i)
    Run();
}

void BlockCase::Run()
{
  double* in[] = {left.data(), right.data()};
  double* out[] = {outLeft.data(), outRight.data()};
  plugin->Process(in, 2, out, 2, frames);
}

FftPair::FftPair() : time(kN), back(kN), re(kN / 2 + 1), im(kN / 2 + 1)
{
  for (int i = 0; i < kN; ++i)
    time[i] = static_cast<float>(std::sin(i * 0.01));
}

void FftPair::Run()
{
  fft.Forward(time.data(), re.data(), im.data());
  fft.Inverse(re.data(), im.data(), back.data());
}

} // namespace engine_cases
