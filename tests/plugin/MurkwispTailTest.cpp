// What the reported tail covers: a host that stops processing once the input
// has been silent for that many samples loses nothing above -120 dBFS, for
// every factory preset and for Freeze at its top; and an endless tail is
// reported only where the output really goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "MurkwispTestSupport.h"

using namespace murkwisp_test;

namespace {

constexpr double kRate = 48000.;
constexpr int kBlock = 4096;
constexpr double kQuiet = 1e-6; // -120 dBFS
constexpr double kPi = 3.14159265358979323846;

// Two full-scale inputs: a noise burst, and a sweep that brings every bin
// near the largest magnitude a frame can hold.
std::vector<double> NoiseBurst()
{
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> noise(-1., 1.);
  std::vector<double> x(static_cast<size_t>(0.2 * kRate));
  for (double& v : x)
    v = noise(rng);
  return x;
}

std::vector<double> Sweep()
{
  std::vector<double> x(static_cast<size_t>(kRate));
  const double f0 = 20., k = std::log(20000. / f0), n = static_cast<double>(x.size());
  for (size_t i = 0; i < x.size(); ++i)
    x[i] = std::sin(2. * kPi * f0 * n / kRate / k * (std::exp(k * static_cast<double>(i) / n) - 1.));
  return x;
}

// Plays the input and then `silence` samples of silence; returns how many
// samples after the input's end the output last went above -120 dBFS.
long LastSound(Murkwisp& p, const std::vector<double>& input, long silence)
{
  StereoBuffers b(kBlock);
  const long length = static_cast<long>(input.size());
  long last = 0;
  for (long from = 0; from < length + silence; from += kBlock)
  {
    for (long j = 0; j < kBlock; ++j)
      b.l[j] = b.r[j] = from + j < length ? input[from + j] : 0.;
    p.Process(b.Inputs(), 2, b.Outputs(), 2, kBlock);
    for (long j = 0; j < kBlock; ++j)
      if (std::fabs(b.outL[j]) > kQuiet || std::fabs(b.outR[j]) > kQuiet)
        last = from + j + 1 - length;
  }
  return last;
}

TEST(MurkwispTail, AHostThatStopsAfterTheTailLosesNothingAudible)
{
  struct Case
  {
    int preset;
    double freeze; // below 0: the preset's
  };
  std::vector<Case> cases;
  for (int preset = 0; preset < 10; ++preset)
    cases.push_back({preset, -1.});
  cases.push_back({0, 100.});
  const std::vector<double> noise = NoiseBurst(), sweep = Sweep();

  int finite = 0;
  for (const Case& c : cases)
  {
    auto fresh = [&] {
      auto p = MakePlugin(kRate, kBlock);
      p->RestorePreset(c.preset);
      if (c.freeze >= 0.)
        SetValue(*p, kParamFreeze, c.freeze);
      p->Setup(kRate, kBlock); // hosts read the tail once they have set us up
      return p;
    };
    auto p = fresh();
    const int tail = p->GetTailSize();
    const std::string name = std::string(p->GetPresetName(c.preset)) + (c.freeze >= 0. ? ", Freeze at its top" : "");
    if (tail == ifx::IFxProcessor::kInfiniteTailSize)
    {
      const long listen = 2 * static_cast<long>(kRate);
      EXPECT_GT(LastSound(*p, noise, listen), listen - 4800) << name << ": endless, yet quiet within 2 s";
      continue;
    }
    ++finite;
    for (const std::vector<double>* input : {&noise, &sweep})
    {
      p = fresh();
      const long last = LastSound(*p, *input, tail + static_cast<long>(kRate));
      EXPECT_LE(last, tail) << name << ": sound past the tail";
      EXPECT_GT(last, tail / 8) << name << ": a tail far beyond what sounds";
      EXPECT_EQ(p->GetTailSize(), tail) << name << ": the settings did not change";
    }
  }
  EXPECT_EQ(finite, 4) << "Init and the three \"Fennows\" presets end; the \"Sizzle\" whispers and a frozen "
                          "spectrum do not";
}

} // namespace
