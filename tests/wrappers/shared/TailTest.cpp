// The tail a host reads is the plug-in's for the current settings, in each
// format's terms (endless: UINT32_MAX in both), and follows the host's
// parameter changes from the next block on. (What the tail covers:
// tests/plugin/MurkwispTailTest.cpp.)
#include <cstdint>
#include <vector>

#include "plugin/MurkwispParams.h"
#include "wrappers/shared/WrapperFixture.h"

namespace wrappertest {

namespace {

using WrapperTail = WrapperTest;

TEST_P(WrapperTail, TheHostReadsTheTailOfTheCurrentSettings)
{
  ASSERT_TRUE(plug->Plugin().RestorePreset(0)); // "Init": no whisper, a finite tail
  ASSERT_TRUE(plug->Setup(48000., 512, false));
  const uint32_t init = plug->HostReadsTail();
  EXPECT_EQ(init, static_cast<uint32_t>(plug->Processor().GetTailSize()));
  EXPECT_GT(init, 48000u * 10) << "Haunt 75 % and Freeze 80 % ring for many seconds";
  EXPECT_LT(init, 48000u * 120);

  std::vector<float> buffers[4] = {std::vector<float>(512), std::vector<float>(512), std::vector<float>(512),
                                   std::vector<float>(512)};
  float* in[] = {buffers[0].data(), buffers[1].data()};
  float* out[] = {buffers[2].data(), buffers[3].data()};
  const struct
  {
    int param;
    double normalized;
    bool endless;
  } changes[] = {{murkwisp::kParamWhisper, 0.5, true}, // "Sizzle" noise needs no input
                 {murkwisp::kParamWhisperMode, 1., false},
                 {murkwisp::kParamFreeze, 1., true}, // a frozen spectrum
                 {murkwisp::kParamOutput, 0., false}};
  for (const auto& c : changes)
  {
    plug->HostSets(c.param, c.normalized);
    plug->RunOnAudioThread([&] { plug->Process(in, out, 512, false); });
    const uint32_t tail = plug->HostReadsTail();
    EXPECT_EQ(tail == UINT32_MAX, c.endless) << "param " << c.param << ": " << tail;
    if (!c.endless)
    {
      EXPECT_EQ(tail, static_cast<uint32_t>(plug->Processor().GetTailSize())) << "param " << c.param;
    }
  }
  EXPECT_EQ(plug->HostReadsTail(), 4096u) << "Output 0: only the delayed bypass is left";
}

INSTANTIATE_TEST_SUITE_P(Formats, WrapperTail, ::testing::ValuesIn(BuiltFormats()), FormatName);

} // namespace

} // namespace wrappertest
