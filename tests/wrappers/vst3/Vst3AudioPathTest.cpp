// The audio path as a host hears it: bad samples, bypass in and out, and the
// dry signal's place in time, through the module's audio processor.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "wrappers/vst3/Vst3TestHost.h"

using namespace vst3test;

namespace {

constexpr int kBlock = 512;
constexpr int kLatency = 4096;
constexpr ParamID kBypass = 65536;

struct Track
{
  explicit Track(int blocks) : in{Buffer(blocks), Buffer(blocks)}, out{Buffer(blocks), Buffer(blocks)} {}
  static std::vector<double> Buffer(int blocks) { return std::vector<double>(static_cast<size_t>(blocks) * kBlock); }
  int Frames() const { return static_cast<int>(in[0].size()); }
  std::vector<double> in[2];
  std::vector<double> out[2];
};

// A tone with noise in both channels, `level` loud.
void Fill(Track& t, int from, int to, double level)
{
  uint32_t seed = 7;
  for (int j = from; j < to; ++j)
  {
    seed = seed * 1664525u + 1013904223u;
    const double noise = static_cast<double>(seed >> 8) / 16777216.0 - 0.5;
    t.in[0][j] = level * (0.7 * std::sin(j * 0.021) + 0.3 * noise);
    t.in[1][j] = level * (0.7 * std::sin(j * 0.033) - 0.3 * noise);
  }
}

// Runs the track through a fresh plug-in in 512-frame blocks; `changes(b)`
// gives the parameter changes of block b.
template <class Changes>
void Render(Track& t, Changes&& changes)
{
  PluginInstance p;
  ASSERT_TRUE(p.initialized);
  p.Setup(kSample64, kBlock);
  for (int b = 0; b * kBlock < t.Frames(); ++b)
  {
    const std::vector<Change> c = changes(b);
    auto* list = c.empty() ? nullptr : MakeChanges(c);
    p.Process64(t.in, t.out, kBlock, list, b * kBlock);
    if (list)
      list->release();
  }
}

std::vector<Change> None(int) { return {}; }

} // namespace

TEST(Vst3AudioPath, NonFiniteSamplesEnterAsSilenceAndTheOutputRecoversAtOnce)
{
  Track bad(24), clean(24);
  Fill(bad, 0, bad.Frames(), 0.8);
  Fill(clean, 0, clean.Frames(), 0.8);
  bad.in[0][1000] = std::numeric_limits<double>::quiet_NaN();
  bad.in[1][3000] = std::numeric_limits<double>::infinity();
  bad.in[0][5000] = -1e300; // no audio is this loud
  clean.in[0][1000] = clean.in[1][3000] = clean.in[0][5000] = 0.;
  Render(bad, None);
  Render(clean, None);
  // Exactly as if those samples had been silent: nothing lingers.
  for (int ch = 0; ch < 2; ++ch)
    for (int j = 0; j < bad.Frames(); ++j)
    {
      ASSERT_TRUE(std::isfinite(bad.out[ch][j])) << ch << " " << j;
      ASSERT_EQ(bad.out[ch][j], clean.out[ch][j]) << ch << " " << j;
    }
}

TEST(Vst3AudioPath, BypassIsTheInputOneLatencyLateAndLeavingItIsSeamless)
{
  // Sound for 20 blocks, bypassed in blocks 8 to 15; then 40 silent blocks,
  // and bypass again from block 60.
  const auto bypass = [](int b) {
    if (b == 8 || b == 60)
      return std::vector<Change>{{kBypass, {{0, 1.}}}};
    if (b == 16)
      return std::vector<Change>{{kBypass, {{0, 0.}}}};
    return std::vector<Change>{};
  };
  Track toggled(64), plain(64);
  Fill(toggled, 0, 20 * kBlock, 0.8);
  Fill(plain, 0, 20 * kBlock, 0.8);
  Render(toggled, bypass);
  Render(plain, None);
  for (int ch = 0; ch < 2; ++ch)
  {
    for (int j = 8 * kBlock; j < 16 * kBlock; ++j)
      ASSERT_EQ(toggled.out[ch][j], toggled.in[ch][j - kLatency]) << ch << " " << j;
    // The plug-in ran on while bypassed: afterwards it sounds as if never bypassed.
    for (int j = 16 * kBlock; j < 60 * kBlock; ++j)
      ASSERT_EQ(toggled.out[ch][j], plain.out[ch][j]) << ch << " " << j;
    // After the silent gap, bypass brings silence, not the audio of its last time.
    for (int j = 60 * kBlock; j < toggled.Frames(); ++j)
      ASSERT_EQ(toggled.out[ch][j], 0.) << ch << " " << j;
  }
}

TEST(Vst3AudioPath, DryPartLinesUpWithTheWetOneAndTheReportedLatency)
{
  // Mix 0 at unity gains is bypass itself: the input a latency late.
  const auto dryOnly = [](int b) {
    return b == 0 ? std::vector<Change>{{0, {{0, 1.}}}, {1, {{0, 1.}}}, {12, {{0, 0.}}}} : std::vector<Change>{};
  };
  Track dry(16), bypassed(16);
  Fill(dry, 0, dry.Frames(), 0.5);
  Fill(bypassed, 0, bypassed.Frames(), 0.5);
  Render(dry, dryOnly);
  Render(bypassed, [](int b) { return b == 0 ? std::vector<Change>{{kBypass, {{0, 1.}}}} : std::vector<Change>{}; });
  EXPECT_EQ(dry.out[0], bypassed.out[0]);
  EXPECT_EQ(dry.out[1], bypassed.out[1]);

  // Mix 50 with the tail off, no shift and the dry bins through the engine
  // (Possess 0): the wet part is the input a latency late times 4.5, so the
  // whole output is the input a latency late times 0.5 + 0.5 * 4.5.
  const auto half = [](int b) {
    return b == 0 ? std::vector<Change>{{0, {{0, 1.}}}, {1, {{0, 1.}}}, {2, {{0, 0.}}},
                                        {3, {{0, 0.}}}, {7, {{0, 0.}}}, {12, {{0, 0.5}}}}
                  : std::vector<Change>{};
  };
  Track mixed(24);
  Fill(mixed, 0, mixed.Frames(), 0.5);
  Render(mixed, half);
  double worst = 0.;
  for (int ch = 0; ch < 2; ++ch)
    for (int j = 0; j < mixed.Frames(); ++j)
    {
      const double expected = j >= kLatency ? 2.75 * mixed.in[ch][j - kLatency] : 0.;
      worst = std::max(worst, std::fabs(mixed.out[ch][j] - expected));
    }
  EXPECT_LT(worst, 2e-6);
}
