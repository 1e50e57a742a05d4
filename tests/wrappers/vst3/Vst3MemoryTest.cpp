// Running out of memory in set-up: the host hears of the failure and the old
// set-up stays whole, maximum block size included: a block longer than that
// maximum is processed up to it, so the size the processor believes in must
// be the size its buffers have.
#include <cmath>
#include <vector>

#include "support/AllocationCounter.h"
#include "wrappers/vst3/Vst3TestHost.h"

using namespace vst3test;

using Vst3Memory = PluginFixture;

TEST_F(Vst3Memory, FailedSetupKeepsTheOldBlockSizeAndBuffers) {
  Setup(kSample64, 512);
  {
    murkwisp_test::AllocationCounter counter;
    counter.FailFrom(256 * 1024);  // a 65536-frame buffer is 512 KiB
    ProcessSetup big{kRealtime, kSample64, 1 << 26, 48000.};
    EXPECT_EQ(processor()->setupProcessing(big), kResultFalse);
  }
  EXPECT_EQ(plug->GetBlockSize(), 512);

  // The host carries on with a long block: the refused set-up agreed to
  // nothing, so 512 frames are processed and the rest is left alone.
  std::vector<double> in[2] = {std::vector<double>(4096), std::vector<double>(4096)};
  std::vector<double> out[2] = {std::vector<double>(4096, 7.), std::vector<double>(4096, 7.)};
  for (int j = 0; j < 4096; ++j) in[0][j] = in[1][j] = 0.5 * std::sin(j * 0.01);
  Process64(in, out, 4096);
  for (int j = 0; j < 4096; ++j) {
    ASSERT_TRUE(std::isfinite(out[0][j]) && std::isfinite(out[1][j])) << j;
    ASSERT_EQ(out[0][j] == 7. && out[1][j] == 7., j >= 512) << j;
  }

  // With memory back, the larger set-up goes through.
  ProcessSetup larger{kRealtime, kSample64, 4096, 48000.};
  EXPECT_EQ(processor()->setupProcessing(larger), kResultOk);
  EXPECT_EQ(plug->GetBlockSize(), 4096);
}
