// The engine's transcendental functions over one hop's 2048 bins, four-wide
// against the C library.
#include "engine/SimdMath.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

using namespace murkwisp::engine;

namespace {

constexpr int kN = 4096;
constexpr int kBins = kN / 2;

std::vector<float> Phases()
{
  std::vector<float> v(kBins);
  for (int i = 0; i < kBins; ++i)
    v[i] = static_cast<float>(std::sin(i * 0.37) * 40.0);
  return v;
}

void BM_SinCosSimd(benchmark::State& state)
{
  const std::vector<float> x = Phases();
  std::vector<float> s(kBins), c(kBins);
  for (auto _ : state)
  {
    for (int i = 0; i < kBins; i += 4)
    {
      __m128 vs, vc;
      simd::SinCos(_mm_loadu_ps(&x[i]), &vs, &vc);
      _mm_storeu_ps(&s[i], vs);
      _mm_storeu_ps(&c[i], vc);
    }
    benchmark::DoNotOptimize(s.data());
    benchmark::DoNotOptimize(c.data());
  }
}
BENCHMARK(BM_SinCosSimd)->Unit(benchmark::kMicrosecond);

void BM_SinCosLibm(benchmark::State& state)
{
  const std::vector<float> x = Phases();
  std::vector<float> s(kBins), c(kBins);
  for (auto _ : state)
  {
    for (int i = 0; i < kBins; ++i)
    {
      s[i] = std::sin(x[i]);
      c[i] = std::cos(x[i]);
    }
    benchmark::DoNotOptimize(s.data());
    benchmark::DoNotOptimize(c.data());
  }
}
BENCHMARK(BM_SinCosLibm)->Unit(benchmark::kMicrosecond);

void BM_Atan2Simd(benchmark::State& state)
{
  const std::vector<float> y = Phases();
  std::vector<float> x(kBins), a(kBins);
  for (int i = 0; i < kBins; ++i)
    x[i] = y[(i * 7) % kBins];
  for (auto _ : state)
  {
    for (int i = 0; i < kBins; i += 4)
      _mm_storeu_ps(&a[i], simd::Atan2(_mm_loadu_ps(&y[i]), _mm_loadu_ps(&x[i])));
    benchmark::DoNotOptimize(a.data());
  }
}
BENCHMARK(BM_Atan2Simd)->Unit(benchmark::kMicrosecond);

void BM_Atan2Libm(benchmark::State& state)
{
  const std::vector<float> y = Phases();
  std::vector<float> x(kBins), a(kBins);
  for (int i = 0; i < kBins; ++i)
    x[i] = y[(i * 7) % kBins];
  for (auto _ : state)
  {
    for (int i = 0; i < kBins; ++i)
      a[i] = std::atan2(y[i], x[i]);
    benchmark::DoNotOptimize(a.data());
  }
}
BENCHMARK(BM_Atan2Libm)->Unit(benchmark::kMicrosecond);

} // namespace
