// Cost of Murkwisp's audio path: whole blocks through the plug-in, one hop of
// the spectral engine, and the bare Kiss FFT pair a hop used to need, so the
// engine's cost shows as a ratio to it.
#include "EngineCases.h"

#include <benchmark/benchmark.h>
#include <kiss_fftr.h>

#include <chrono>
#include <cmath>
#include <vector>

using namespace murkwisp;
using namespace murkwisp::engine;

namespace {

constexpr int kN = StftEngine::kFftSize;

void BM_ProcessBlock(benchmark::State& state)
{
  const int preset = static_cast<int>(state.range(0));
  const int frames = static_cast<int>(state.range(1));
  engine_cases::BlockCase block(preset, frames);
  for (auto _ : state)
  {
    block.Run();
    benchmark::ClobberMemory();
  }
  const double samples = static_cast<double>(state.iterations()) * frames;
  // Time per stereo frame (printed with an SI prefix: 100n = 100 ns) and how
  // many times faster than real time the block runs.
  state.counters["per_frame"] = benchmark::Counter(samples, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["realtime_x"] = benchmark::Counter(samples / engine_cases::kRate, benchmark::Counter::kIsRate);
  state.SetLabel(engine_cases::PresetName(preset));
}
BENCHMARK(BM_ProcessBlock)
  ->ArgsProduct({benchmark::CreateDenseRange(0, engine_cases::kNumPresets - 1, 1), {512}})
  ->Args({0, 32})
  ->Args({0, 4096})
  ->Unit(benchmark::kMicrosecond);

struct KissPair
{
  kiss_fftr_cfg fwd = kiss_fftr_alloc(kN, 0, nullptr, nullptr);
  kiss_fftr_cfg inv = kiss_fftr_alloc(kN, 1, nullptr, nullptr);
  std::vector<float> time = std::vector<float>(kN);
  std::vector<float> back = std::vector<float>(kN);
  std::vector<kiss_fft_cpx> bins = std::vector<kiss_fft_cpx>(kN / 2 + 1);
  KissPair()
  {
    for (int i = 0; i < kN; ++i)
      time[i] = static_cast<float>(std::sin(i * 0.01));
  }
  ~KissPair()
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

// Seconds for one forward plus one inverse 4096-point real Kiss FFT.
double MeasureKissPair()
{
  static double cached = 0.;
  if (cached > 0.)
    return cached;
  KissPair f;
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
  KissPair f;
  for (auto _ : state)
  {
    f.Run();
    benchmark::DoNotOptimize(f.back.data());
  }
  state.SetLabel("forward + inverse, 4096-point real (Kiss FFT)");
}
BENCHMARK(BM_TwoFfts)->Unit(benchmark::kMicrosecond);

void BM_EngineFfts(benchmark::State& state)
{
  engine_cases::FftPair f;
  for (auto _ : state)
    f.Run();
  state.SetLabel("forward + inverse, 4096-point real (the engine's)");
}
BENCHMARK(BM_EngineFfts)->Unit(benchmark::kMicrosecond);

// One hop of one channel with the controls a preset gives the engine.
void BM_EngineHop(benchmark::State& state)
{
  const int preset = static_cast<int>(state.range(0));
  engine_cases::HopCase hop(preset);
  double elapsed = 0.;
  for (auto _ : state)
  {
    const auto t0 = std::chrono::steady_clock::now();
    hop.Run();
    elapsed += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  const double perHop = elapsed / static_cast<double>(state.iterations());
  state.counters["x_kiss_pair"] = perHop / MeasureKissPair();
  state.SetLabel(engine_cases::PresetName(preset));
}
BENCHMARK(BM_EngineHop)->DenseRange(0, engine_cases::kNumPresets - 1)->Unit(benchmark::kMicrosecond);

} // namespace
