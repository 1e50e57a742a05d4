// The adapter's life cycle and block handling: host identity, timer start,
// transport, tail statuses, latency reporting, preset notifications, state
// streams that misbehave, 64-bit buffers in place. (The state's bytes and
// blocks over the maximum: tests/wrappers/shared.)
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "ClapTestFixture.h"
#include "base/IParam.h"
#include "base/IStateChunk.h"

using namespace murkwisp;

namespace {

using claphost::HostedPlugin;
using claphost::OutputEvents;
using claphost::TestHost;
using claphost::TestHostOptions;
using clap_tests::MurkwispClapFixture;
using clap_tests::MurkwispTestDescriptor;

using ClapAdapterTest = MurkwispClapFixture;

TEST(ClapAdapterIdentity, HostNameAndVersionFromTheHostRecord)
{
  const clap_plugin_descriptor_t desc = MurkwispTestDescriptor();
  struct Case
  {
    const char* name;
    const char* version;
    int expected;
  };
  const Case cases[] = {{"Reaper", "1.2.3", 0x10203}, {nullptr, nullptr, 0}, {"x", "7", 0x70000}, {"y", "", 0},
                        {"z", "2.x", 0x20000}};
  for (const Case& c : cases)
  {
    TestHostOptions opts;
    opts.name = c.name;
    opts.version = c.version;
    TestHost host(opts);
    Murkwisp* plugin = new Murkwisp(ifx::InstanceInfo{&desc, host.Clap()});
    EXPECT_EQ(plugin->GetHostVersion(), c.expected) << (c.version ? c.version : "(null)");
    EXPECT_STREQ(plugin->GetHostName(), c.name ? c.name : "");
    // Nothing was asked of the host while the plug-in was built, and the
    // framework timer waits for init.
    EXPECT_EQ(plugin->GetTimer(), nullptr);
    HostedPlugin hosted(plugin->ClapPlugin(), host);
    ASSERT_TRUE(hosted.Init());
    EXPECT_NE(plugin->GetTimer(), nullptr);
    EXPECT_TRUE(host.Violations().empty());
  }
}

TEST_F(ClapAdapterTest, TransportIsReadFlagByFlag)
{
  ASSERT_TRUE(hosted->Activate(48000.0, 1, 256));
  clap_event_transport_t t{};
  t.header.size = sizeof(t);
  t.header.type = CLAP_EVENT_TRANSPORT;
  t.flags = CLAP_TRANSPORT_HAS_TEMPO;
  t.tempo = 90.0;
  t.song_pos_beats = CLAP_BEATTIME_FACTOR;
  ProcessBlock(64, nullptr, nullptr, 0.f, &t);
  ifx::IHostTimeInfo info = plugin->GetTimeInfo();
  EXPECT_EQ(info.tempo, 90.0);
  EXPECT_EQ(info.samplePos, -1.0);
  EXPECT_EQ(info.ppqPos, -1.0);
  EXPECT_EQ(info.numerator, 4);
  EXPECT_EQ(info.denominator, 4);

  t.flags = CLAP_TRANSPORT_HAS_BEATS_TIMELINE | CLAP_TRANSPORT_HAS_SECONDS_TIMELINE | CLAP_TRANSPORT_HAS_TIME_SIGNATURE |
            CLAP_TRANSPORT_IS_PLAYING | CLAP_TRANSPORT_IS_LOOP_ACTIVE;
  t.song_pos_seconds = 2 * CLAP_SECTIME_FACTOR;
  t.tsig_num = 7;
  t.tsig_denom = 8;
  ProcessBlock(64, nullptr, nullptr, 0.f, &t);
  info = plugin->GetTimeInfo();
  EXPECT_EQ(info.tempo, 120.0);
  EXPECT_EQ(info.ppqPos, 1.0);
  EXPECT_EQ(info.samplePos, 96000.0);
  EXPECT_EQ(info.numerator, 7);
  EXPECT_EQ(info.denominator, 8);
  EXPECT_TRUE(info.playing);
  EXPECT_TRUE(info.looping);

  ProcessBlock(64, nullptr, nullptr);  // no transport: the last one stays
  EXPECT_EQ(plugin->GetTimeInfo().numerator, 7);
}

TEST_F(ClapAdapterTest, TheSettingsTailDecidesTheProcessStatusAndTheHostHearsOfChanges)
{
  ASSERT_TRUE(hosted->Activate(48000.0, 1, 1024));
  const auto* tail = hosted->Ext<clap_plugin_tail_t>(CLAP_EXT_TAIL);
  ASSERT_NE(tail, nullptr);

  // Output at 0 leaves only the bypass path's latency: a tail of 4096.
  plugin->GetParam(kParamOutput)->Set(0.);
  std::vector<clap_process_status> statuses;
  for (int i = 0; i < 4; ++i)
    statuses.push_back(ProcessBlock(1024, nullptr, nullptr));
  EXPECT_EQ(tail->get(hosted->Clap()), 4096u);
  EXPECT_EQ(statuses, (std::vector<clap_process_status>{CLAP_PROCESS_CONTINUE, CLAP_PROCESS_CONTINUE,
                                                         CLAP_PROCESS_CONTINUE, CLAP_PROCESS_SLEEP}));
  EXPECT_EQ(ProcessBlock(1024, nullptr, nullptr, 0.1f), CLAP_PROCESS_CONTINUE);
  EXPECT_EQ(ProcessBlock(1024, nullptr, nullptr), CLAP_PROCESS_CONTINUE); // the count starts again
  const int changes = host.tailChanged;
  EXPECT_GE(changes, 1);

  // So it does for a new tail, even one that is shorter again.
  EXPECT_EQ(ProcessBlock(1024, nullptr, nullptr), CLAP_PROCESS_CONTINUE);
  plugin->GetParam(kParamOutput)->Set(1.);
  EXPECT_EQ(ProcessBlock(1024, nullptr, nullptr), CLAP_PROCESS_CONTINUE);
  EXPECT_GT(tail->get(hosted->Clap()), 48000u);
  plugin->GetParam(kParamOutput)->Set(0.);
  statuses.clear();
  for (int i = 0; i < 4; ++i)
    statuses.push_back(ProcessBlock(1024, nullptr, nullptr));
  EXPECT_EQ(statuses, (std::vector<clap_process_status>{CLAP_PROCESS_CONTINUE, CLAP_PROCESS_CONTINUE,
                                                         CLAP_PROCESS_CONTINUE, CLAP_PROCESS_SLEEP}));
  EXPECT_EQ(host.tailChanged, changes + 2);

  // "Sizzle" whispers without input: endless, and the host judges the output.
  plugin->GetParam(kParamOutput)->Set(50.);
  plugin->GetParam(kParamWhisper)->Set(50.);
  EXPECT_EQ(ProcessBlock(1024, nullptr, nullptr), CLAP_PROCESS_CONTINUE_IF_NOT_QUIET);
  EXPECT_EQ(tail->get(hosted->Clap()), UINT32_MAX);
  EXPECT_EQ(host.tailChanged, changes + 3);
  EXPECT_EQ(ProcessBlock(1024, nullptr, nullptr), CLAP_PROCESS_CONTINUE_IF_NOT_QUIET);
  EXPECT_EQ(host.tailChanged, changes + 3) << "only a change is announced";
}

TEST_F(ClapAdapterTest, AHostResetKeepsTheSilenceCount)
{
  ASSERT_TRUE(hosted->Activate(48000.0, 1, 1024));
  plugin->GetParam(kParamOutput)->Set(0.); // a tail of 4096
  EXPECT_EQ(ProcessBlock(1024, nullptr, nullptr), CLAP_PROCESS_CONTINUE);
  EXPECT_EQ(ProcessBlock(1024, nullptr, nullptr), CLAP_PROCESS_CONTINUE);
  host.RunOnAudioThread([&] { hosted->Reset(); });
  EXPECT_EQ(ProcessBlock(1024, nullptr, nullptr), CLAP_PROCESS_CONTINUE);
  EXPECT_EQ(ProcessBlock(1024, nullptr, nullptr), CLAP_PROCESS_SLEEP);
}

TEST_F(ClapAdapterTest, ProcessingStartsOnlyWhileActive)
{
  const clap_plugin_t* clap = hosted->Clap();
  bool started = true;
  host.RunOnAudioThread([&] { started = clap->start_processing(clap); });
  EXPECT_FALSE(started) << "before activate";
  EXPECT_EQ(ProcessBlock(64, nullptr, nullptr), CLAP_PROCESS_ERROR);

  ASSERT_TRUE(hosted->Activate(48000.0, 1, 256));
  host.RunOnAudioThread([&] {
    started = clap->start_processing(clap);
    clap->stop_processing(clap);
  });
  EXPECT_TRUE(started);

  hosted->Deactivate();
  host.RunOnAudioThread([&] { started = clap->start_processing(clap); });
  EXPECT_FALSE(started) << "after deactivate";
  EXPECT_EQ(ProcessBlock(64, nullptr, nullptr), CLAP_PROCESS_ERROR);
}

TEST_F(ClapAdapterTest, LatencyChangesAreReportedOnlyWhileActivating)
{
  ASSERT_TRUE(hosted->Activate(44100.0, 1, 256));
  EXPECT_EQ(host.latencyChanged, 1);  // 0 -> 4096 in the first reset

  host.RunOnAudioThread([&] { hosted->Reset(); });  // same latency: nothing to say
  EXPECT_EQ(host.restartRequests, 0);

  host.RunOnAudioThread([&] { plugin->SetLatency(100); });
  EXPECT_EQ(host.restartRequests, 1);
  EXPECT_EQ(host.latencyChanged, 1);

  hosted->Deactivate();
  EXPECT_EQ(host.latencyChanged, 1);
  ASSERT_TRUE(hosted->Activate(44100.0, 1, 256));
  EXPECT_EQ(host.latencyChanged, 2);
  const auto* latency = hosted->Ext<clap_plugin_latency_t>(CLAP_EXT_LATENCY);
  EXPECT_EQ(latency->get(hosted->Clap()), 4096u);
  hosted->Deactivate();
  ASSERT_TRUE(hosted->Activate(44100.0, 1, 256));
  EXPECT_EQ(host.latencyChanged, 2);  // no change, no report
}

TEST_F(ClapAdapterTest, PresetRestoreAfterInitTellsTheHost)
{
  EXPECT_EQ(host.rescans, 0);  // the constructor's restore came before init
  ASSERT_TRUE(plugin->RestorePreset(3));
  EXPECT_EQ(host.rescans, 1);
  EXPECT_EQ(host.lastRescanFlags, static_cast<uint32_t>(CLAP_PARAM_RESCAN_VALUES));
  EXPECT_EQ(host.stateMarkedDirty, 1);
  EXPECT_DOUBLE_EQ(plugin->GetParam(2)->Value(), 94.0);  // "Wailing Spirits" Haunt

  ifx::IStateChunk image;
  ASSERT_TRUE(plugin->MakePresetFileImage(image));
  ASSERT_TRUE(plugin->RestorePreset(0));
  ASSERT_TRUE(plugin->LoadPresetFileImage(image));
  EXPECT_GE(host.rescans, 3);
  EXPECT_NEAR(plugin->GetParam(2)->Value(), 94.0, 1e-4);  // preset files carry 32-bit floats
}

struct BadStream
{
  int64_t answer;
  std::vector<uint8_t> data;
};

int64_t CLAP_ABI BadWrite(const clap_ostream_t* s, const void*, uint64_t)
{
  return static_cast<BadStream*>(s->ctx)->answer;
}

int64_t CLAP_ABI OverRead(const clap_istream_t* s, void* buffer, uint64_t size)
{
  auto* self = static_cast<BadStream*>(s->ctx);
  std::memset(buffer, 0, static_cast<size_t>(size));
  return self->answer;
}

TEST_F(ClapAdapterTest, MisbehavingStateStreamsFailAndChangeNothing)
{
  const auto* state = hosted->Ext<clap_plugin_state_t>(CLAP_EXT_STATE);
  ASSERT_NE(state, nullptr);
  BadStream zero{0, {}};
  clap_ostream_t out0{&zero, BadWrite};
  EXPECT_FALSE(state->save(hosted->Clap(), &out0));
  BadStream tooMuch{1000, {}};
  clap_ostream_t outBig{&tooMuch, BadWrite};
  EXPECT_FALSE(state->save(hosted->Clap(), &outBig));
  BadStream error{-1, {}};
  clap_ostream_t outErr{&error, BadWrite};
  EXPECT_FALSE(state->save(hosted->Clap(), &outErr));

  const std::vector<double> before = hosted->AllParamValues();
  BadStream over{300, {}};  // claims more than the 256 bytes asked for
  clap_istream_t in{&over, OverRead};
  EXPECT_FALSE(state->load(hosted->Clap(), &in));
  BadStream failing{-1, {}};
  clap_istream_t inErr{&failing, OverRead};
  EXPECT_FALSE(state->load(hosted->Clap(), &inErr));
  EXPECT_EQ(hosted->AllParamValues(), before);
}

TEST_F(ClapAdapterTest, SixtyFourBitBuffersAreProcessedInPlace)
{
  ASSERT_TRUE(hosted->Activate(48000.0, 1, 512));
  std::vector<double> l(512), r(512);
  for (size_t i = 0; i < l.size(); ++i)
    l[i] = r[i] = (i % 50) / 100.0;
  double* io[2] = {l.data(), r.data()};
  clap_process_status status = CLAP_PROCESS_ERROR;
  host.RunOnAudioThread([&] {
    hosted->StartProcessing();
    for (int block = 0; block < 12; ++block)
      status = hosted->Process64(io, 2, io, 2, 512, nullptr, nullptr);
    hosted->StopProcessing();
  });
  EXPECT_NE(status, CLAP_PROCESS_ERROR);
  for (double v : l)
    ASSERT_TRUE(std::isfinite(v));
}

TEST_F(ClapAdapterTest, FewerOrMoreHostChannelsThanTheProcessorHas)
{
  ASSERT_TRUE(hosted->Activate(48000.0, 1, 256));
  std::vector<float> a(256, 0.5f), b(256, 0.5f), c(256, 0.5f), o1(256, 9.f), o2(256, 9.f), o3(256, 9.f);
  float* mono[1] = {a.data()};
  float* monoOut[1] = {o1.data()};
  float* three[3] = {a.data(), b.data(), c.data()};
  float* threeOut[3] = {o1.data(), o2.data(), o3.data()};
  clap_process_status monoStatus = CLAP_PROCESS_ERROR, wideStatus = CLAP_PROCESS_ERROR;
  host.RunOnAudioThread([&] {
    hosted->StartProcessing();
    for (int i = 0; i < 20; ++i)
      monoStatus = hosted->Process32(mono, 1, monoOut, 1, 256, nullptr, nullptr);
    for (int i = 0; i < 20; ++i)
      wideStatus = hosted->Process32(three, 3, threeOut, 3, 256, nullptr, nullptr);
    hosted->StopProcessing();
  });
  EXPECT_NE(monoStatus, CLAP_PROCESS_ERROR);
  EXPECT_NE(wideStatus, CLAP_PROCESS_ERROR);
  for (size_t i = 0; i < o1.size(); ++i)
  {
    ASSERT_TRUE(std::isfinite(o1[i]));
    ASSERT_TRUE(std::isfinite(o2[i]));
  }
  EXPECT_EQ(o3[0], 9.f);  // a channel beyond the processor's is not touched
}

struct TrackMonoFixture : MurkwispClapFixture
{
  static TestHostOptions Options()
  {
    TestHostOptions o;
    o.offerTrackInfo = true;
    o.trackChannels = 1;
    return o;
  }
  TrackMonoFixture() : MurkwispClapFixture(Options()) {}
};

TEST_F(TrackMonoFixture, AMonoTrackStillGetsTheOneConfiguration)
{
  EXPECT_EQ(host.trackInfoQueries, 1);
  EXPECT_EQ(plugin->SelectedConfig(), 0);
  EXPECT_FALSE(plugin->ConfigMatchesChannelCount(0, 1));
  EXPECT_TRUE(plugin->ConfigMatchesChannelCount(0, 2));
}

} // namespace
