// The audio side of the adapter: buses, set-up, latency, the process call
// with its parameter queues and host buffers.
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "base/IParam.h"
#include "wrappers/vst3/Vst3TestHost.h"

using namespace vst3test;

namespace {

std::u16string Str(const char16_t* s) { return std::u16string(s); }

struct Stereo
{
  explicit Stereo(int frames, double value = 0.)
    : ch{std::vector<double>(frames, value), std::vector<double>(frames, value)}
  {
  }
  std::vector<double> ch[2];
};

} // namespace

using Vst3Processor = PluginFixture;

TEST_F(Vst3Processor, OneStereoBusEachWay)
{
  ASSERT_EQ(component()->getBusCount(kAudio, kInput), 1);
  ASSERT_EQ(component()->getBusCount(kAudio, kOutput), 1);
  EXPECT_EQ(component()->getBusCount(kEvent, kInput), 0);
  BusInfo info{};
  ASSERT_EQ(component()->getBusInfo(kAudio, kInput, 0, info), kResultTrue);
  EXPECT_EQ(Str(info.name), u"Input");
  EXPECT_EQ(info.channelCount, 2);
  EXPECT_EQ(info.busType, kMain);
  EXPECT_EQ(info.flags, BusInfo::kDefaultActive);
  ASSERT_EQ(component()->getBusInfo(kAudio, kOutput, 0, info), kResultTrue);
  EXPECT_EQ(Str(info.name), u"Output");
  EXPECT_EQ(component()->getBusInfo(kAudio, kOutput, 1, info), kInvalidArgument);
  SpeakerArrangement arr = 0;
  ASSERT_EQ(processor()->getBusArrangement(kOutput, 0, arr), kResultTrue);
  EXPECT_EQ(arr, 0x3u);
}

TEST_F(Vst3Processor, ArrangementsOnlyForAConfiguration)
{
  SpeakerArrangement stereo = 0x3, mono = 0x80000, surround = 0x3F;
  EXPECT_EQ(processor()->setBusArrangements(&stereo, 1, &stereo, 1), kResultOk);
  EXPECT_EQ(processor()->setBusArrangements(&mono, 1, &stereo, 1), kResultFalse);
  EXPECT_EQ(processor()->setBusArrangements(&stereo, 1, &mono, 1), kResultFalse);
  EXPECT_EQ(processor()->setBusArrangements(&surround, 1, &surround, 1), kResultFalse);
  SpeakerArrangement two[2] = {0x3, 0x3};
  EXPECT_EQ(processor()->setBusArrangements(two, 2, two, 1), kResultFalse);
  EXPECT_EQ(processor()->setBusArrangements(nullptr, 1, &stereo, 1), kResultFalse);
  EXPECT_EQ(processor()->setBusArrangements(&stereo, -1, &stereo, 1), kResultFalse);
  // A refused request leaves the buses usable.
  EXPECT_EQ(processor()->setBusArrangements(&stereo, 1, &stereo, 1), kResultOk);
  EXPECT_EQ(component()->getBusCount(kAudio, kInput), 1);
}

TEST_F(Vst3Processor, SampleSizesAndSetup)
{
  EXPECT_EQ(processor()->canProcessSampleSize(kSample32), kResultTrue);
  EXPECT_EQ(processor()->canProcessSampleSize(kSample64), kResultTrue);
  EXPECT_EQ(processor()->canProcessSampleSize(2), kResultFalse);
  ProcessSetup bad{kRealtime, 2, 512, 48000.};
  EXPECT_EQ(processor()->setupProcessing(bad), kResultFalse);
  ProcessSetup badRate{kRealtime, kSample32, 512, std::numeric_limits<double>::quiet_NaN()};
  EXPECT_EQ(processor()->setupProcessing(badRate), kResultFalse);
  ProcessSetup good{kOffline, kSample64, 300, 96000.};
  ASSERT_EQ(processor()->setupProcessing(good), kResultOk);
  EXPECT_EQ(plug->GetSampleRate(), 96000.);
  EXPECT_EQ(plug->GetBlockSize(), 300);
  EXPECT_EQ(plug->GetProcessSetup().processMode, kOffline);
  // Blocks are cut to the agreed maximum: none at all agrees to nothing.
  for (int32 none : {0, -512})
  {
    ProcessSetup empty{kRealtime, kSample32, none, 44100.};
    EXPECT_EQ(processor()->setupProcessing(empty), kResultFalse) << none;
    EXPECT_EQ(plug->GetBlockSize(), 300);
    EXPECT_EQ(plug->GetProcessSetup().maxSamplesPerBlock, 300);
    EXPECT_EQ(plug->GetSampleRate(), 96000.);
  }
}

TEST_F(Vst3Processor, LatencyIsAnnouncedOnceAndOnlyFromTheMainThread)
{
  EXPECT_EQ(processor()->getLatencySamples(), 0u);
  Setup();
  EXPECT_EQ(processor()->getLatencySamples(), 4096u);
  ASSERT_EQ(handler->restarts.size(), 1u);
  EXPECT_EQ(handler->restarts[0], kLatencyChanged);
  // Resets that keep 4096 tell the host nothing.
  Setup();
  processor()->setProcessing(false);
  EXPECT_EQ(handler->restarts.size(), 1u);

  std::thread audio([this] { plug->SetLatency(100); });
  audio.join();
  EXPECT_EQ(handler->restarts.size(), 1u);
  EXPECT_EQ(processor()->getLatencySamples(), 100u);
  plug->DrainParamChangesForUI();
  ASSERT_EQ(handler->restarts.size(), 2u);
  EXPECT_EQ(handler->restarts[1], kLatencyChanged);
  plug->DrainParamChangesForUI();
  EXPECT_EQ(handler->restarts.size(), 2u);
  // A reverb's tail, not the latency: Init rings for about 53 s.
  EXPECT_EQ(processor()->getTailSamples(), 2532862u);
}

TEST_F(Vst3Processor, LastPointOfEachQueueWinsAndUnknownIdsAreIgnored)
{
  Setup();
  Flush({{2, {{0, 0.1}, {10, 0.2}, {20, 0.3}}},
         {3, {}},
         {7, {{0, std::numeric_limits<double>::quiet_NaN()}}},
         {8, {{0, std::numeric_limits<double>::infinity()}}},
         {100, {{0, 1.}}},
         {65537, {{0, 1.}}},
         {65540, {{0, 1.}}},
         {0xFFFFFFFF, {{0, 1.}}}});
  EXPECT_DOUBLE_EQ(Value(2), 30.);
  EXPECT_DOUBLE_EQ(Value(3), 50.); // empty queue: unchanged
  EXPECT_DOUBLE_EQ(Value(7), 80.); // not a number: ignored
  EXPECT_DOUBLE_EQ(Value(8), 64.);
  EXPECT_EQ(plug->MidiOutputQueue().Count(), 0);
  EXPECT_EQ(plug->midiToEditorRing.ElementsQueued(), 0);
}

TEST_F(Vst3Processor, BypassAboveOneHalf)
{
  Setup();
  Flush({{65536, {{0, 0.5}}}});
  EXPECT_FALSE(plug->IsBypassed());
  Flush({{65536, {{0, 0.51}}}});
  EXPECT_TRUE(plug->IsBypassed());
  Flush({{65536, {{0, 1.}, {5, 0.}}}});
  EXPECT_FALSE(plug->IsBypassed());
}

TEST_F(Vst3Processor, OddHostBuffersAreSurvivedSoundly)
{
  Setup(kSample64, 256);
  Stereo in(256, 0.5), out(256, 7.);
  // More channels than the bus has, with a null buffer among them.
  double* inPtr[8] = {in.ch[0].data(), nullptr};
  double* outPtr[8] = {out.ch[0].data(), out.ch[1].data()};
  AudioBusBuffers inBus{}, outBus{};
  inBus.numChannels = 8;
  outBus.numChannels = 8;
  inBus.channelBuffers64 = inPtr;
  outBus.channelBuffers64 = outPtr;
  ProcessData data = AudioBlock(kSample64, 256, &inBus, &outBus);
  EXPECT_EQ(processor()->process(data), kResultOk);
  for (double v : out.ch[0])
    ASSERT_TRUE(std::isfinite(v));

  // Negative channel counts and no buffer arrays at all.
  inBus.numChannels = -3;
  outBus.channelBuffers64 = nullptr;
  EXPECT_EQ(processor()->process(data), kResultOk);
  // Zero or negative sample counts only carry parameters.
  data.numSamples = -5;
  auto* changes = MakeChanges({{2, {{0, 0.}}}});
  data.inputParameterChanges = changes;
  EXPECT_EQ(processor()->process(data), kResultOk);
  EXPECT_EQ(Value(2), 0.);
  data.inputParameterChanges = nullptr;
  changes->release();
  // An unknown sample size does no audio work.
  data.numSamples = 256;
  data.symbolicSampleSize = 7;
  inBus.numChannels = 2;
  outBus.channelBuffers64 = outPtr;
  out.ch[0].assign(256, 7.);
  EXPECT_EQ(processor()->process(data), kResultOk);
  EXPECT_EQ(out.ch[0][0], 7.);
}

TEST_F(Vst3Processor, InactiveOutputBusGetsNothingWritten)
{
  Setup(kSample64, 128);
  component()->activateBus(kAudio, kOutput, 0, false);
  Stereo in(128, 0.25), out(128, 3.);
  Process64(in.ch, out.ch, 128);
  for (double v : out.ch[0])
    ASSERT_EQ(v, 3.);
}

TEST_F(Vst3Processor, TransportIsCopiedIntoTheTimeInfo)
{
  Setup();
  ProcessContext context{};
  context.state = ProcessContext::kPlaying | ProcessContext::kCycleActive | ProcessContext::kProjectTimeMusicValid;
  context.tempo = 97.;
  context.projectTimeSamples = 4800;
  context.projectTimeMusic = 2.5;
  context.timeSigNumerator = 7;
  context.timeSigDenominator = 8;
  context.barPositionMusic = 2.;
  context.cycleStartMusic = 1.;
  context.cycleEndMusic = 9.;
  ProcessData data{};
  data.symbolicSampleSize = kSample64;
  data.processContext = &context;
  processor()->process(data);
  const ifx::IHostTimeInfo& t = plug->GetTimeInfo();
  EXPECT_EQ(t.tempo, 97.);
  EXPECT_EQ(t.samplePos, 4800.);
  EXPECT_EQ(t.ppqPos, 2.5);
  EXPECT_EQ(t.lastBarStart, 2.);
  EXPECT_EQ(t.cycleStart, 1.);
  EXPECT_EQ(t.cycleEnd, 9.);
  EXPECT_EQ(t.numerator, 7);
  EXPECT_EQ(t.denominator, 8);
  EXPECT_TRUE(t.playing);
  EXPECT_TRUE(t.looping);
  // A block without a context keeps the last one.
  data.processContext = nullptr;
  processor()->process(data);
  EXPECT_EQ(plug->GetTimeInfo().tempo, 97.);
  context.state = 0;
  data.processContext = &context;
  processor()->process(data);
  // Only the sample position depends on a flag; the rest is copied as given.
  EXPECT_EQ(plug->GetTimeInfo().samplePos, -1.);
  EXPECT_EQ(plug->GetTimeInfo().ppqPos, 2.5);
  EXPECT_EQ(plug->GetTimeInfo().tempo, 97.);
  EXPECT_EQ(plug->GetTimeInfo().cycleEnd, 9.);
  EXPECT_FALSE(plug->GetTimeInfo().playing);
  EXPECT_FALSE(plug->GetTimeInfo().looping);
}

class Vst3ArdourHost : public PluginFixture
{
protected:
  void SetUp() override
  {
    hostName = u"Ardour 8.4";
    PluginFixture::SetUp();
  }
};

TEST_F(Vst3ArdourHost, ArrangementsAreAcceptedUnchanged)
{
  EXPECT_EQ(plug->GetHostId(), 28);
  SpeakerArrangement mono = 0x80000;
  EXPECT_EQ(processor()->setBusArrangements(&mono, 1, &mono, 1), kResultOk);
  SpeakerArrangement arr = 0;
  processor()->getBusArrangement(kInput, 0, arr);
  EXPECT_EQ(arr, 0x3u);
}
