#pragma once
// The engine benchmark's core cases, shared by the Google Benchmark program
// (engine_bench, native) and the plain one (engine_cost, both trees).
#include "plugin/Murkwisp.h"
#include "plugin/MurkwispParams.h"
#include "wrappers/headless/IFxHeadless.h"
#include "engine/RealFft.h"
#include "engine/StftEngine.h"

#include <memory>
#include <vector>

using namespace murkwisp;
using namespace murkwisp::engine;

using Murkwisp = murkwisp::MurkwispPlugin<ifx::IFxHeadless>;

namespace engine_cases {

constexpr double kRate = 48000.;
extern const int kNumPresets;

const char* PresetName(int preset);

// A plug-in on a factory preset, its version check kept off the network.
std::unique_ptr<Murkwisp> MakePlugin(int preset, int maxBlock);

// Steady noise at about -12 dBFS.
void Noise(std::vector<double>& v, unsigned seed);

// One hop of one channel with the controls the preset gives the engine,
// the tails warmed up first.
class HopCase
{
public:
  explicit HopCase(int preset);
  void Run();

private:
  StftEngine engine;
  std::vector<double> inRing;
  std::vector<double> outRing;
  int position = 0;
};

// Whole stereo blocks of `frames` through the plug-in.
class BlockCase
{
public:
  BlockCase(int preset, int frames);
  void Run();

private:
  std::unique_ptr<Murkwisp> plugin;
  int frames;
  std::vector<double> left, right, outLeft, outRight;
};

// The engine's forward and inverse FFT, as one hop runs them.
class FftPair
{
public:
  FftPair();
  void Run();

private:
  RealFft fft{StftEngine::kFftSize};
  std::vector<float> time, back, re, im;
};

} // namespace engine_cases
