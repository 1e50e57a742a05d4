// The audio thread's contract through each wrapper: processing allocates
// nothing, a set-up that runs out of memory leaves the old one whole, and
// host buffers are touched only within the agreed maximum block.
#include <algorithm>
#include <cmath>
#include <vector>

#include "support/AllocationCounter.h"
#include "wrappers/shared/WrapperFixture.h"

namespace wrappertest {

namespace {

using murkwisp_test::AllocationCounter;

using WrapperRealtime = WrapperTest;

TEST_P(WrapperRealtime, ProcessingAllocatesNothingOnTheAudioThread)
{
  for (bool use64 : {false, true})
  {
    ASSERT_TRUE(plug->Setup(44100., 512, use64));
    plug->PrepareHostEvents();
    std::vector<float> f[4];
    std::vector<double> d[4];
    for (int c = 0; c < 4; ++c)
    {
      f[c].assign(512, 0.25f);
      d[c].assign(512, 0.25);
    }
    float* fin[2] = {f[0].data(), f[1].data()};
    float* fout[2] = {f[2].data(), f[3].data()};
    double* din[2] = {d[0].data(), d[1].data()};
    double* dout[2] = {d[2].data(), d[3].data()};
    // The editor's values wait for the blocks.
    for (int i = 0; i < 40; ++i)
      plug->Plugin().ApplyParamValueFromUI(2, i / 40.0);

    std::vector<bool> processed;
    processed.reserve(64);
    long allocations = -1;
    plug->RunOnAudioThread([&] {
      AllocationCounter counter;
      auto block = [&](uint32_t frames) {
        processed.push_back(use64 ? plug->Process(din, dout, frames, true) : plug->Process(fin, fout, frames, true));
      };
      for (int b = 0; b < 24; ++b)
        block(b % 3 == 0 ? 512u : 97u);
      // A host reset runs here too, latency setting included.
      plug->Reset();
      block(97);
      allocations = counter.Count();
    });
    EXPECT_EQ(allocations, 0) << (use64 ? "64-bit" : "32-bit");
    EXPECT_EQ(processed, std::vector<bool>(25, true));
  }
}

TEST_P(WrapperRealtime, ASetupThatRunsOutOfMemoryLeavesTheOldOneWhole)
{
  ASSERT_TRUE(plug->Setup(48000., 512, true));
  for (int frames : {1 << 16, 1 << 20})
  {
    AllocationCounter counter;
    counter.FailFrom(256 * 1024); // a 65536-frame buffer is 512 KiB
    EXPECT_FALSE(plug->Setup(48000., frames, true)) << frames;
  }
  EXPECT_EQ(plug->Processor().GetBlockSize(), 512);

  // The host carries on with a long block: the refused set-up agreed to
  // nothing, so 512 frames are processed and the rest is left alone.
  plug->ResumeAfterRefusedSetup();
  std::vector<double> in[2] = {std::vector<double>(4096), std::vector<double>(4096)};
  std::vector<double> out[2] = {std::vector<double>(4096, 7.), std::vector<double>(4096, 7.)};
  for (int j = 0; j < 4096; ++j)
    in[0][j] = in[1][j] = 0.5 * std::sin(j * 0.01);
  double* inPtr[2] = {in[0].data(), in[1].data()};
  double* outPtr[2] = {out[0].data(), out[1].data()};
  bool processed = false;
  plug->RunOnAudioThread([&] { processed = plug->Process(inPtr, outPtr, 4096, false); });
  EXPECT_TRUE(processed);
  for (int j = 0; j < 4096; ++j)
  {
    ASSERT_TRUE(std::isfinite(out[0][j]) && std::isfinite(out[1][j])) << j;
    ASSERT_EQ(out[0][j] == 7. && out[1][j] == 7., j >= 512) << j;
  }

  // With memory back, the larger set-up goes through.
  EXPECT_TRUE(plug->Setup(48000., 4096, true));
  EXPECT_EQ(plug->Processor().GetBlockSize(), 4096);
}

// A tone with noise in both channels.
void Fill(std::vector<double>* in, double level)
{
  uint32_t seed = 7;
  for (size_t j = 0; j < in[0].size(); ++j)
  {
    seed = seed * 1664525u + 1013904223u;
    const double noise = static_cast<double>(seed >> 8) / 16777216.0 - 0.5;
    in[0][j] = level * (0.7 * std::sin(j * 0.021) + 0.3 * noise);
    in[1][j] = level * (0.7 * std::sin(j * 0.033) - 0.3 * noise);
  }
}

// Audio thread: one block whose buffers hold exactly `held` frames of the
// signal from `from`, in the set-up's width, while the host claims `claimed`.
bool HeldBlock(FormatAdapter& p, bool use64, const std::vector<double>* in, std::vector<double>* out, size_t from,
               size_t held, uint32_t claimed)
{
  std::vector<double> i64[2], o64[2];
  std::vector<float> i32[2], o32[2];
  double* p64[2][2];
  float* p32[2][2];
  for (int c = 0; c < 2; ++c)
  {
    i64[c].assign(in[c].begin() + static_cast<long>(from), in[c].begin() + static_cast<long>(from + held));
    i32[c].assign(i64[c].begin(), i64[c].end());
    o64[c].assign(held, 0.);
    o32[c].assign(held, 0.f);
    p64[0][c] = i64[c].data(), p64[1][c] = o64[c].data(), p32[0][c] = i32[c].data(), p32[1][c] = o32[c].data();
  }
  const bool ok = use64 ? p.Process(p64[0], p64[1], claimed, false) : p.Process(p32[0], p32[1], claimed, false);
  for (int c = 0; c < 2; ++c)
    for (size_t j = 0; j < held; ++j)
      out[c][from + j] = use64 ? o64[c][j] : o32[c][j];
  return ok;
}

TEST_P(WrapperRealtime, BlocksOverTheAgreedMaximumAreProcessedUpToIt)
{
  // The buffers hold the agreed maximum and no more (the address sanitizer
  // watches their ends) while the host claims more, by one frame or by up to
  // four times: the plug-in must hear and write exactly what a host keeping
  // to the maximum hands it. A maximum beyond the buffers the VST3 processor
  // keeps (65536 frames) gets its blocks whole.
  const struct
  {
    bool use64;
    int max;
    uint32_t claims[4]; // per block, in turn
    int blocks;
  } cases[] = {{false, 256, {257, 513, 769, 1025}, 40},
               {true, 256, {257, 513, 769, 1025}, 40},
               {true, 70000, {70000, 70000, 70000, 70000}, 1}};
  for (const auto& c : cases)
  {
    SCOPED_TRACE(testing::Message() << (c.use64 ? "64-bit" : "32-bit") << ", maximum " << c.max << ", claims "
                                    << c.claims[1]);
    const size_t step = static_cast<size_t>(std::min(c.max, 512)), max = static_cast<size_t>(c.max);
    const size_t frames = max * static_cast<size_t>(c.blocks);
    std::vector<double> in[2] = {std::vector<double>(frames), std::vector<double>(frames)};
    std::vector<double> over[2] = {std::vector<double>(frames), std::vector<double>(frames)};
    std::vector<double> kept[2] = {std::vector<double>(frames), std::vector<double>(frames)};
    Fill(in, 0.7);
    std::unique_ptr<FormatAdapter> overrun = Make(), keeping = Make();
    ASSERT_TRUE(overrun->Setup(48000., c.max, c.use64));
    ASSERT_TRUE(keeping->Setup(48000., static_cast<int>(step), c.use64));
    int refused = 0;
    overrun->RunOnAudioThread([&] {
      for (size_t from = 0; from < frames; from += max)
        refused += !HeldBlock(*overrun, c.use64, in, over, from, max, c.claims[from / max % 4]);
    });
    keeping->RunOnAudioThread([&] {
      for (size_t from = 0; from < frames; from += step)
      {
        const size_t n = std::min(step, frames - from);
        refused += !HeldBlock(*keeping, c.use64, in, kept, from, n, static_cast<uint32_t>(n));
      }
    });
    EXPECT_EQ(refused, 0);
    for (int ch = 0; ch < 2; ++ch)
      EXPECT_EQ(over[ch], kept[ch]) << "channel " << ch;
    EXPECT_GT(*std::max_element(over[0].begin(), over[0].end()), 0.1);
    ExpectNoComplaints(*overrun);
    ExpectNoComplaints(*keeping);
  }
}

INSTANTIATE_TEST_SUITE_P(Built, WrapperRealtime, ::testing::ValuesIn(BuiltFormats()), FormatName);

} // namespace

} // namespace wrappertest
