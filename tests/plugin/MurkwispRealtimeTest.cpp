// The audio thread's contract: no heap allocation while processing, and no
// slowdown when the engine's tails decay into the subnormal range.
#include "MurkwispTestSupport.h"
#include "support/AllocationCounter.h"

#include "engine/DenormalGuard.h"
#include "engine/StftEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

using namespace murkwisp::engine;

using namespace murkwisp_test;

TEST(MurkwispRealtime, CountingSeesAllocations)
{
  AllocationCounter counter;
  // Volatile so the pairs cannot be optimised away.
  int* volatile object = new int(3);
  delete object;
  void* volatile block = std::malloc(16);
  std::free(block);
#if defined(MURKWISP_WRAP_MALLOC)
  EXPECT_GE(counter.Count(), 3);  // new (and its malloc), malloc
#else
  EXPECT_GE(counter.Count(), 1);
#endif
}

TEST(MurkwispRealtime, ProcessingAllocatesNothing)
{
  auto p = MakePlugin(48000., 512);
  const int sizes[] = {1, 7, 32, 64, 0, 100, 511, 512, 513, 1000, 4096, 5000, 3};
  const int maxFrames = 5000;
  std::vector<double> l(maxFrames), r(maxFrames), ol(maxFrames), orr(maxFrames);
  std::vector<float> fl(maxFrames), fr(maxFrames), fol(maxFrames), forr(maxFrames);
  for (int j = 0; j < maxFrames; ++j)
  {
    l[j] = std::sin(j * 0.05) * 0.5;
    r[j] = std::cos(j * 0.031) * 0.5;
    fl[j] = static_cast<float>(l[j]);
    fr[j] = static_cast<float>(r[j]);
  }
  double* in[] = {l.data(), r.data()};
  double* out[] = {ol.data(), orr.data()};
  float* fin[] = {fl.data(), fr.data()};
  float* fout[] = {fol.data(), forr.data()};

  long allocations = 0;
  {
    AllocationCounter counter;
    for (int block = 0; block < 3000; ++block)
    {
      // Heavy and light sounds, both whisper modes, automation in between.
      if (block % 500 == 0)
        p->RestorePreset(block / 500 % 2 ? 7 : 2);  // not audio-thread work, kept out of the count
      counter.Reset();
      SetValue(*p, kParamFine, (block % 101) - 50);
      SetValue(*p, kParamWhisperMode, block % 2);
      const int n = sizes[block % (sizeof(sizes) / sizeof(sizes[0]))];
      if (block % 3 == 0)
        p->Process(fin, 2, fout, 2, n);
      else
        p->Process(in, 2, out, 2, n, block % 97 == 0);
      allocations += counter.Count();
    }
  }
  EXPECT_EQ(allocations, 0);
}

TEST(MurkwispRealtime, ResetWithAnUnchangedLatencyAllocatesNothing)
{
  // VST3 setProcessing(false) and CLAP reset reach OnReset on the audio thread.
  // The VST3 wrapper keeps a bypass delay line as long as the latency.
  auto p = MakePlugin(48000., 512);
  ASSERT_TRUE(p->MakeLatencyDelayLine());
  p->OnReset();
  AllocationCounter counter;
  p->OnReset();
  EXPECT_EQ(counter.Count(), 0);
}

namespace {

bool HasSubnormal(const float* v, int n)
{
  for (int i = 0; i < n; ++i)
    if (std::fpclassify(v[i]) == FP_SUBNORMAL)
      return true;
  return false;
}

} // namespace

TEST(MurkwispRealtime, ProcessingRestoresTheCallersFloatingPointMode)
{
  auto p = MakePlugin();
  StereoBuffers b(600);
#if defined(MURKWISP_HAS_MXCSR)
  const unsigned saved = _mm_getcsr();
  _mm_setcsr(saved & ~(DenormalGuard::kFlushToZero | DenormalGuard::kDenormalsAreZero));
  p->Process(b.Inputs(), 2, b.Outputs(), 2, 600);
  EXPECT_EQ(DenormalGuard::CurrentMode(), 0u);
  _mm_setcsr(saved | DenormalGuard::kFlushToZero);
  p->Process(b.Inputs(), 2, b.Outputs(), 2, 600);
  EXPECT_EQ(DenormalGuard::CurrentMode(), DenormalGuard::kFlushToZero);
  _mm_setcsr(saved);
#else
  GTEST_SKIP() << "no MXCSR on this processor";
#endif
}

TEST(MurkwispRealtime, LongSilenceAfterLoudInputStaysCheap)
{
  auto p = MakePlugin(48000., 512);
  SetValue(*p, kParamHaunt, 50.);  // tails shrink by 0.87 per hop: subnormal within seconds
  SetValue(*p, kParamFreeze, 0.);
  SetValue(*p, kParamWhisper, 0.);
  StereoBuffers b(512);
  using Clock = std::chrono::steady_clock;

  // One hop per channel per block; returns each block's duration.
  auto runBlocks = [&](int blocks, bool loud) {
    std::vector<double> seconds;
    for (int i = 0; i < blocks; ++i)
    {
      for (int j = 0; j < 512; ++j)
      {
        b.l[j] = loud ? std::sin((i * 512 + j) * 0.07) * 0.9 : 0.;
        b.r[j] = loud ? std::cos((i * 512 + j) * 0.05) * 0.9 : 0.;
      }
      const auto t0 = Clock::now();
      p->Process(b.Inputs(), 2, b.Outputs(), 2, 512);
      seconds.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
      // Flush-to-zero keeps the decaying tails out of the subnormal range.
      EXPECT_FALSE(HasSubnormal(p->Dsp().GetEngine().HeldMagnitude(), StftEngine::kNumBins)) << "block " << i;
    }
    return seconds;
  };
  auto median = [](std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
    return v[v.size() / 2];
  };

  const double loud = median(runBlocks(100, true));
  // The tails pass through the range where they would be subnormal
  // somewhere in these blocks; no stretch of them may be slow. A stretch is
  // as fast as its fastest block: subnormal arithmetic slows every block of
  // it, while a busy machine only delays some.
  const std::vector<double> silent = runBlocks(1200, false);
  double worst = 0.;
  for (size_t start = 0; start + 50 <= silent.size(); start += 25)
    worst = std::max(worst, *std::min_element(silent.begin() + static_cast<long>(start),
                                              silent.begin() + static_cast<long>(start + 50)));
  EXPECT_LT(worst, loud * 2.5) << "loud " << loud << " s/block, slowest silent stretch " << worst << " s/block";
}

TEST(MurkwispRealtime, TailsEndInExactSilenceWithNoOutputBelowTheFloatRange)
{
  // After a quarter second of tone the tail decays through the range where
  // doubles narrowed to float come out subnormal. No output sample may lie
  // below the normal float range, 32- or 64-bit, the 32-bit output stays the
  // 64-bit one rounded, and the tail ends in exact zeros. Over the Init preset
  // (Freeze 80 %) Haunt 0 ends within 2.5 s, Haunt 10 % with full Smear within 3.4 s.
  const struct { double haunt, smear; int frames; } cases[] = {{0., 64., 125000}, {10., 100., 168000}};
  const double least = static_cast<double>(std::numeric_limits<float>::min());
  for (const auto& c : cases)
  {
    auto wide = MakePlugin(48000., 512), narrow = MakePlugin(48000., 512);
    for (Murkwisp* p : {wide.get(), narrow.get()})
    {
      SetValue(*p, kParamHaunt, c.haunt);
      SetValue(*p, kParamSmear, c.smear);
    }
    StereoBuffers b(512);
    std::vector<float> f[4] = {std::vector<float>(512), std::vector<float>(512), std::vector<float>(512),
                               std::vector<float>(512)};
    float* fin[] = {f[0].data(), f[1].data()};
    float* fout[] = {f[2].data(), f[3].data()};
    long bad = 0, lastSound = 0;
    for (int from = 0; from < c.frames; from += 512)
    {
      for (int j = 0; j < 512; ++j)
        for (int ch = 0; ch < 2; ++ch)
          f[ch][j] = from + j < 12000 ? static_cast<float>(0.5 * std::sin((from + j) * (ch ? 0.0864 : 0.0576))) : 0.f;
      b.l.assign(f[0].begin(), f[0].end());
      b.r.assign(f[1].begin(), f[1].end());
      wide->Process(b.Inputs(), 2, b.Outputs(), 2, 512);
      narrow->Process(fin, 2, fout, 2, 512);
      for (int j = 0; j < 512; ++j)
        for (const double y : {b.outL[j], b.outR[j]})
        {
          bad += (y != 0. && std::fabs(y) < least) + (std::fpclassify(static_cast<float>(y)) == FP_SUBNORMAL);
          lastSound = y != 0. ? from + j : lastSound;
        }
      for (int j = 0; j < 512; ++j)
        bad += (f[2][j] != static_cast<float>(b.outL[j])) + (f[3][j] != static_cast<float>(b.outR[j]));
    }
    EXPECT_EQ(bad, 0) << "Haunt " << c.haunt;
    EXPECT_GT(lastSound, 48000) << "Haunt " << c.haunt << ": the tail must be heard for a while";
    EXPECT_LT(lastSound, c.frames - 4800) << "Haunt " << c.haunt << ": the tail must have ended";
    EXPECT_FALSE(HasSubnormal(wide->Dsp().GetEngine().HeldMagnitude(), StftEngine::kNumBins));
  }
}
