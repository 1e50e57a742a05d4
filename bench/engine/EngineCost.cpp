// engine_cost: the engine benchmark's core cases as one plain program, built
// in both trees, so that the native build and the Windows build (under wine)
// are measured by the same code in the same run. For every factory preset:
// one hop of one channel, in microseconds and as a multiple of a bare Kiss
// FFT pair measured alongside, and whole stereo blocks at 48 kHz as a
// multiple of real time. Figures are the best of several rounds, so other
// load on the machine shows less.
//
//   engine_cost [--quick]
#include "EngineCases.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace murkwisp;
using namespace murkwisp::engine;

namespace {

using Clock = std::chrono::steady_clock;

// Best time of `rounds` rounds of `reps` calls, in seconds per call.
template <class F>
double BestOf(int rounds, int reps, F&& f)
{
  double best = 1e30;
  for (int r = 0; r < rounds; ++r)
  {
    const auto t0 = Clock::now();
    for (int i = 0; i < reps; ++i)
      f();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count() / reps);
  }
  return best;
}

double KissPairSeconds(int rounds)
{
  const int n = StftEngine::kFftSize;
  kiss_fftr_cfg fwd = kiss_fftr_alloc(n, 0, nullptr, nullptr);
  kiss_fftr_cfg inv = kiss_fftr_alloc(n, 1, nullptr, nullptr);
  std::vector<float> time(n), back(n);
  std::vector<kiss_fft_cpx> bins(n / 2 + 1);
  for (int i = 0; i < n; ++i)
    time[i] = static_cast<float>(std::sin(i * 0.01));
  const double t = BestOf(rounds, 200, [&] {
    kiss_fftr(fwd, time.data(), bins.data());
    kiss_fftri(inv, bins.data(), back.data());
  });
  kiss_fftr_free(fwd);
  kiss_fftr_free(inv);
  return t;
}

} // namespace

int main(int argc, char** argv)
{
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  const int rounds = quick ? 5 : 20;

  const double kiss = KissPairSeconds(rounds);
  engine_cases::FftPair ours;
  const double own = BestOf(rounds, 200, [&] { ours.Run(); });
  std::printf("fft pair: kiss %.2f us, engine %.2f us\n", kiss * 1e6, own * 1e6);
  std::printf("%-18s %9s %10s %10s\n", "preset", "hop us", "hop/kiss", "realtime");
  for (int preset = 0; preset < engine_cases::kNumPresets; ++preset)
  {
    engine_cases::HopCase hop(preset);
    const double hopTime = BestOf(rounds, 100, [&] { hop.Run(); });
    engine_cases::BlockCase block(preset, 512);
    const double blockTime = BestOf(rounds, 20, [&] { block.Run(); });
    const double realtime = (512. / engine_cases::kRate) / blockTime;
    std::printf("%-18s %9.2f %10.3f %10.1f\n", engine_cases::PresetName(preset), hopTime * 1e6, hopTime / kiss, realtime);
  }
  return 0;
}
