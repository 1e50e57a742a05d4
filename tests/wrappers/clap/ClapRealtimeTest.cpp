// The CLAP process path allocates nothing on the audio thread: buffers of
// both widths, parameter events, notes that go back out as events, SysEx,
// transport, and the editor's values leaving through the host ring.
#include <gtest/gtest.h>

#include <vector>

#include "ClapTestFixture.h"
#include "support/AllocationCounter.h"

namespace {

using claphost::InputEvents;
using clap_tests::MurkwispClapFixture;

using ClapRealtimeTest = MurkwispClapFixture;

TEST_F(ClapRealtimeTest, ProcessAllocatesNothingOnTheAudioThread)
{
  ASSERT_TRUE(hosted->Activate(44100.0, 1, 512));
  const uint8_t sysex[4] = {0xF0, 0x7D, 0x01, 0xF7};
  InputEvents in;
  in.AddParamValue(0, 12, 0.7);
  in.AddParamValue(3, 5, 4.0);
  in.AddNoteOn(10, 1, 64, 0.8);
  in.AddMidi(20, 0xB0, 1, 64);
  in.AddSysEx(30, sysex, sizeof(sysex));
  clap_event_transport_t transport{};
  transport.header.size = sizeof(transport);
  transport.header.type = CLAP_EVENT_TRANSPORT;
  transport.flags = CLAP_TRANSPORT_HAS_TEMPO | CLAP_TRANSPORT_HAS_BEATS_TIMELINE | CLAP_TRANSPORT_IS_PLAYING;
  transport.tempo = 133.0;

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
  // The editor's values wait in the ring for the block.
  host.RunOnAudioThread([&] { ASSERT_TRUE(hosted->StartProcessing()); });
  for (int i = 0; i < 40; ++i)
    plugin->ApplyParamValueFromUI(2, i / 40.0);

  // No output list: the test host's own list would allocate when it copies
  // events, and only the plug-in's allocations count here.
  std::vector<int> statuses;
  statuses.reserve(64);
  long allocations = -1;
  host.RunOnAudioThread([&] {
    murkwisp_test::AllocationCounter counter;
    for (int block = 0; block < 24; ++block)
    {
      const uint32_t frames = block % 3 == 0 ? 512u : 97u;
      if (block % 2)
        statuses.push_back(hosted->Process64(din, 2, dout, 2, frames, &in, nullptr, &transport));
      else
        statuses.push_back(hosted->Process32(fin, 2, fout, 2, frames, &in, nullptr, &transport));
    }
    // A host reset runs here too, latency setting included.
    hosted->Reset();
    statuses.push_back(hosted->Process32(fin, 2, fout, 2, 97, &in, nullptr, &transport));
    allocations = counter.Count();
    hosted->StopProcessing();
  });
  EXPECT_EQ(allocations, 0);
  for (int s : statuses)
    EXPECT_NE(s, CLAP_PROCESS_ERROR);
}

} // namespace
