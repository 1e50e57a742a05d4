// Cost of Murkwisp's audio path: whole blocks through the plug-in, one hop of
// the spectral engine, and the two bare FFTs a hop needs, so the engine's
// overhead over its transforms shows as a ratio.
#include "plugin/Murkwisp.h"
#include "plugin/UpdateChecker.h"
#include "plugin/engine/StftEngine.h"

#include <benchmark/benchmark.h>
#include <kiss_fftr.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kRate = 48000.;
constexpr int kN = StftEngine::kFftSize;
// "Init" is where a new instance starts; "Poltergeist" shifts pitch (+1
// octave and a fifth, +25 cents), smears at 70 % and whispers (Fennows);
// "Banshee Scream" whispers in the Sizzle mode.
constexpr int kInit = 0;
constexpr int kPoltergeist = 7;
constexpr int kBanshee = 2;

std::string NoFeed(const char*)
{
  return std::string();
}

std::unique_ptr<Murkwisp> MakePlugin(int preset, int maxBlock)
{
  ifx::UpdateChecker::Instance().SetFetchFunction(&NoFeed);
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

void BM_ProcessBlock(benchmark::State& state)
{
  const int preset = static_cast<int>(state.range(0));
  const int frames = static_cast<int>(state.range(1));
  auto p = MakePlugin(preset, frames);
  std::vector<double> l(frames), r(frames), ol(frames), orr(frames);
  Noise(l, 1);
  Noise(r, 2);
  double* in[] = {l.data(), r.data()};
  double* out[] = {ol.data(), orr.data()};
  // Warm the tails up so the steady state is measured.
  for (int i = 0; i < 2 * kN / frames + 4; ++i)
    p->Process(in, 2, out, 2, frames);
  for (auto _ : state)
  {
    p->Process(in, 2, out, 2, frames);
    benchmark::DoNotOptimize(ol.data());
    benchmark::ClobberMemory();
  }
  const double samples = static_cast<double>(state.iterations()) * frames;
  // Time per stereo frame (printed with an SI prefix: 270n = 270 ns) and how
  // many times faster than real time the block runs.
  state.counters["per_frame"] = benchmark::Counter(samples, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["realtime_x"] = benchmark::Counter(samples / kRate, benchmark::Counter::kIsRate);
  state.SetLabel(p->GetPresetName(preset));
}
BENCHMARK(BM_ProcessBlock)
  ->ArgsProduct({{kInit, kPoltergeist, kBanshee}, {32, 64, 512, 4096}})
  ->Unit(benchmark::kMicrosecond);

struct FftPair
{
  kiss_fftr_cfg fwd = kiss_fftr_alloc(kN, 0, nullptr, nullptr);
  kiss_fftr_cfg inv = kiss_fftr_alloc(kN, 1, nullptr, nullptr);
  std::vector<float> time = std::vector<float>(kN);
  std::vector<float> back = std::vector<float>(kN);
  std::vector<kiss_fft_cpx> bins = std::vector<kiss_fft_cpx>(kN / 2 + 1);
  ~FftPair()
  {
    kiss_fftr_free(fwd);
    kiss_fftr_free(inv);
  }
  void Run()
  {
    kiss_fftr(fwd, time.data(), bins.data());
    kiss_fftri(inv, bins.data(), back.data());
  }
};

// Seconds for one forward plus one inverse 4096-point real FFT.
double MeasureFftPair()
{
  static double cached = 0.;
  if (cached > 0.)
    return cached;
  FftPair f;
  for (int i = 0; i < kN; ++i)
    f.time[i] = static_cast<float>(std::sin(i * 0.01));
  for (int i = 0; i < 200; ++i)
    f.Run();
  double best = 1e9;
  for (int rep = 0; rep < 5; ++rep)
  {
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < 500; ++i)
      f.Run();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / 500);
  }
  cached = best;
  return best;
}

void BM_TwoFfts(benchmark::State& state)
{
  FftPair f;
  for (int i = 0; i < kN; ++i)
    f.time[i] = static_cast<float>(std::sin(i * 0.01));
  for (auto _ : state)
  {
    f.Run();
    benchmark::DoNotOptimize(f.back.data());
  }
  state.SetLabel("forward + inverse, 4096-point real");
}
BENCHMARK(BM_TwoFfts)->Unit(benchmark::kMicrosecond);

// One hop of one channel with the controls a preset gives the engine.
void BM_EngineHop(benchmark::State& state)
{
  const int preset = static_cast<int>(state.range(0));
  auto p = MakePlugin(preset, 512);
  std::vector<double> l(512), r(512), ol(512), orr(512);
  double* in[] = {l.data(), r.data()};
  double* out[] = {ol.data(), orr.data()};
  p->Process(in, 2, out, 2, 512);  // maps the preset onto the plug-in's engine

  StftEngine e;
  const StftEngine& src = p->GetEngine();
  e.decay = src.decay;
  e.blend = src.blend;
  e.pitchRatio = src.pitchRatio;
  e.pitchGain = src.pitchGain;
  e.freeze = src.freeze;
  e.smear = src.smear;
  e.whisper = src.whisper;
  e.whisperMode = src.whisperMode;
  e.resonance = src.resonance;

  std::vector<double> inRing(kN), outRing(kN);
  Noise(inRing, 3);
  int pos = 0;
  for (int i = 0; i < 16; ++i, pos = (pos + 512) % kN)
    e.ProcessHop(inRing.data(), outRing.data(), pos);

  double elapsed = 0.;
  for (auto _ : state)
  {
    const auto t0 = std::chrono::steady_clock::now();
    e.ProcessHop(inRing.data(), outRing.data(), pos);
    elapsed += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    pos = (pos + 512) % kN;
    benchmark::DoNotOptimize(outRing.data());
  }
  const double perHop = elapsed / static_cast<double>(state.iterations());
  state.counters["x_two_ffts"] = perHop / MeasureFftPair();
  state.SetLabel(p->GetPresetName(preset));
}
BENCHMARK(BM_EngineHop)->Arg(kInit)->Arg(kPoltergeist)->Arg(kBanshee)->Unit(benchmark::kMicrosecond);

} // namespace
