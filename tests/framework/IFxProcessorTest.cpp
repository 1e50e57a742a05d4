#include "base/IPluginConfiguration.h"
#include "base/IString.h"
#include "framework/IFxProcessor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

using namespace ifx;

namespace {

IPluginConfiguration Config(const char* layout, int latency = 0)
{
  IPluginConfiguration config;
  config.channelLayoutText = layout;
  config.latency = latency;
  return config;
}

// Records the block sizes the base hands to ProcessBlock and adds one to
// every sample, so slicing and buffer routing can be seen from outside.
class RecordingProcessor : public IFxProcessor
{
public:
  using IFxProcessor::IFxProcessor;
  void ProcessBlock(double** inputs, double** outputs, int nFrames) noexcept override
  {
    sliceSizes.push_back(nFrames);
    for (int c = 0; c < NChannels(kOutput); ++c)
      for (int j = 0; j < nFrames; ++j)
        outputs[c][j] = (c < NChannels(kInput) ? inputs[c][j] : 0.) + 1.;
  }
  std::vector<int> sliceSizes;
};

// Writes only the outputs the host connected, as the plug-in does, and notes
// what output 1 holds afterwards: what a meter reading it would see.
class ConnectedOutputsProcessor : public IFxProcessor
{
public:
  using IFxProcessor::IFxProcessor;
  void ProcessBlock(double** inputs, double** outputs, int nFrames) noexcept override
  {
    for (int c = 0; c < NConnectedChannels(kOutput); ++c)
      for (int j = 0; j < nFrames; ++j)
        outputs[c][j] = inputs[c][j] + 1.;
    output1Peak = 0.;
    for (int j = 0; j < nFrames; ++j)
      output1Peak = std::max(output1Peak, std::fabs(outputs[1][j]));
  }
  double output1Peak = -1.;
};

} // namespace

TEST(ChannelLayout, StereoTextGivesOneConfiguration)
{
  IFxProcessor proc(Config("2-2"));
  EXPECT_EQ(proc.NChannelLayouts(), 1);
  EXPECT_EQ(proc.NChannels(kInput), 2);
  EXPECT_EQ(proc.NChannels(kOutput), 2);
  EXPECT_EQ(proc.NTotalBuses(kInput), 1);
  EXPECT_EQ(proc.NTotalBuses(kOutput), 1);
  const int two[] = {2};
  const int one[] = {1};
  EXPECT_EQ(proc.FindChannelLayout(two, 1, two, 1), 0);
  EXPECT_EQ(proc.FindChannelLayout(one, 1, two, 1), -1);
  EXPECT_EQ(proc.FindChannelLayout(two, 1, nullptr, 0), -1);
  EXPECT_EQ(proc.FindChannelLayout(nullptr, 1, two, 1), -1);  // counts without their list
}

TEST(ChannelLayout, SeveralConfigurationsTakeTheMaxima)
{
  IFxProcessor proc(Config("1-1 2-2"));
  EXPECT_EQ(proc.NChannelLayouts(), 2);
  EXPECT_EQ(proc.NChannels(kInput), 2);
  EXPECT_EQ(proc.NChannels(kOutput), 2);
  int idx = -1;
  EXPECT_EQ(proc.MaxBusCount(kInput, &idx), 1);
  EXPECT_EQ(idx, 1);
  EXPECT_EQ(proc.MaxMainBusChannels(), 2);
}

TEST(ChannelLayout, BusesWildcardsAndEmptyBuses)
{
  IFxProcessor any(Config("*-2"));
  ASSERT_NE(any.GetChannelLayout(0), nullptr);
  EXPECT_EQ(any.GetChannelLayout(0)->BusChannels(kInput, 0), IBusDescription::kAnyChannelCount);
  EXPECT_EQ(any.MaxMainBusChannels(), -1);

  IFxProcessor sidechain(Config("2.2-2 0-2"));
  EXPECT_EQ(sidechain.NChannelLayouts(), 2);
  EXPECT_EQ(sidechain.GetChannelLayout(0)->NBuses(kInput), 2);
  EXPECT_EQ(sidechain.GetChannelLayout(1)->NBuses(kInput), 0);  // a 0-channel bus is not added
  EXPECT_EQ(sidechain.NChannels(kInput), 4);
  EXPECT_EQ(sidechain.NTotalBuses(kInput), 2);
  EXPECT_EQ(sidechain.GetChannelLayout(5), nullptr);
  EXPECT_EQ(sidechain.GetChannelLayout(0)->GetBus(kOutput, 3), nullptr);

  IFxProcessor none(Config(""));
  EXPECT_EQ(none.NChannelLayouts(), 0);
  EXPECT_EQ(none.MaxBusCount(kOutput), 0);
  EXPECT_EQ(none.InputPointers(), nullptr);
}

TEST(ChannelLayout, BusNames)
{
  IFxProcessor proc(Config("2-2"));
  const struct
  {
    EBusDirection dir;
    int busIdx, nBuses;
    const char* name;
  } cases[] = {{kInput, 1, 2, "Aux"},     {kInput, 0, 2, "Main"},      {kInput, 0, 1, "Input"},
               {kInput, 2, 3, "Input 2"}, {kOutput, 0, 1, "Output"},   {kOutput, 1, 3, "Output 1"},
               {kOutput, 1, 2, "Output 1"}};
  for (const auto& c : cases)
  {
    IString name;
    proc.GetBusName(c.dir, c.busIdx, c.nBuses, name);
    EXPECT_STREQ(name.Get(), c.name) << c.dir << " " << c.busIdx << " of " << c.nBuses;
  }
}

TEST(Processor, BaseBlockCopiesMatchingChannelsAndZeroesTheRest)
{
  IFxProcessor proc(Config("2-3"));
  std::vector<double> in0(16, 1.), in1(16, 2.), out0(16, 9.), out1(16, 9.), out2(16, 9.);
  double* ins[] = {in0.data(), in1.data()};
  double* outs[] = {out0.data(), out1.data(), out2.data()};
  proc.ProcessBlock(ins, outs, 16);
  EXPECT_EQ(out0, in0);
  EXPECT_EQ(out1, in1);
  EXPECT_EQ(out2, std::vector<double>(16, 0.));
}

TEST(Processor, RefusesBadSampleRates)
{
  IFxProcessor proc(Config("2-2"));
  EXPECT_EQ(proc.GetSampleRate(), 48000.);
  EXPECT_TRUE(proc.SetSampleRate(44100.));
  for (double bad : {0., -48000., std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()})
  {
    EXPECT_FALSE(proc.SetSampleRate(bad));
    EXPECT_EQ(proc.GetSampleRate(), 44100.);
  }
}

TEST(Processor, LongHostBlocksRunInSlicesOfTheBlockSize)
{
  RecordingProcessor proc(Config("2-2"));
  proc.SetBlockSize(64);
  proc.SetChannelConnections(kInput, 0, 2, true);
  proc.SetChannelConnections(kOutput, 0, 2, true);

  const int frames = 1000;
  std::vector<float> in0(frames), in1(frames), out0(frames), out1(frames);
  for (int j = 0; j < frames; ++j)
  {
    in0[j] = static_cast<float>(j);
    in1[j] = -static_cast<float>(j);
  }
  float* ins[] = {in0.data(), in1.data()};
  float* outs[] = {out0.data(), out1.data()};
  proc.AttachBuffers(kInput, 0, 2, ins, 2);
  proc.AttachBuffers(kOutput, 0, 2, outs, 2);
  proc.ProcessAttachedBuffers(frames, false);

  int total = 0;
  for (int s : proc.sliceSizes)
  {
    EXPECT_LE(s, 64);
    total += s;
  }
  EXPECT_EQ(total, frames);
  for (int j = 0; j < frames; ++j)
  {
    ASSERT_EQ(out0[j], static_cast<float>(j) + 1.f);
    ASSERT_EQ(out1[j], -static_cast<float>(j) + 1.f);
  }
}

TEST(Processor, DoubleBuffersAreUsedInPlaceAndMissingOnesStaySilent)
{
  RecordingProcessor proc(Config("2-2"));
  proc.SetBlockSize(32);
  proc.SetChannelConnections(kInput, 0, 2, true);
  proc.SetChannelConnections(kOutput, 0, 2, true);
  std::vector<double> io(100, 5.);
  double* bufs[] = {io.data()};
  // The host has one channel each way, handed in place.
  proc.AttachBuffers(kInput, 0, 2, bufs, 1);
  proc.AttachBuffers(kOutput, 0, 2, bufs, 1);
  proc.ProcessAttachedBuffers(100, false);
  EXPECT_EQ(io, std::vector<double>(100, 6.));
  // The unattached input 1 reads zeros: its output (scratch) saw 0 + 1.
  EXPECT_EQ(proc.GetChannelData(kOutput, 1)->conversion[0], 1.);
}

TEST(Processor, WithoutBlockSizeOutputsAreSilenced)
{
  RecordingProcessor proc(Config("2-2"));
  proc.SetChannelConnections(kOutput, 0, 2, true);
  std::vector<float> out(50, 3.f);
  float* outs[] = {out.data(), out.data()};
  proc.AttachBuffers(kOutput, 0, 2, outs, 2);
  proc.ProcessAttachedBuffers(50, false);
  EXPECT_TRUE(proc.sliceSizes.empty());
  EXPECT_EQ(out, std::vector<float>(50, 0.f));
}

TEST(Processor, BypassDelaysByTheLatency)
{
  IFxProcessor proc(Config("2-2", 3));
  ASSERT_TRUE(proc.MakeLatencyDelayLine());
  proc.SetBlockSize(4);
  proc.SetChannelConnections(kInput, 0, 2, true);
  proc.SetChannelConnections(kOutput, 0, 2, true);
  std::vector<double> l = {1, 2, 3, 4, 5, 6, 7}, r = {10, 20, 30, 40, 50, 60, 70};
  double* bufs[] = {l.data(), r.data()};
  // In place: the delay line must read before it writes.
  proc.AttachBuffers(kInput, 0, 2, bufs, 2);
  proc.AttachBuffers(kOutput, 0, 2, bufs, 2);
  proc.ProcessAttachedBuffers(7, true);
  EXPECT_EQ(l, (std::vector<double>{0, 0, 0, 1, 2, 3, 4}));
  EXPECT_EQ(r, (std::vector<double>{0, 0, 0, 10, 20, 30, 40}));

  // A new latency clears the line.
  proc.SetLatency(2);
  EXPECT_EQ(proc.GetLatency(), 2);
  std::vector<double> a = {8, 9, 10}, b = {0, 0, 0};
  double* abufs[] = {a.data(), b.data()};
  proc.AttachBuffers(kInput, 0, 2, abufs, 2);
  proc.AttachBuffers(kOutput, 0, 2, abufs, 2);
  proc.ProcessAttachedBuffers(3, true);
  EXPECT_EQ(a, (std::vector<double>{0, 0, 8}));
}

TEST(Processor, ConnectionsAndConversions)
{
  IFxProcessor proc(Config("2-2"));
  proc.SetBlockSize(8);
  EXPECT_EQ(proc.NConnectedChannels(kOutput), 0);
  proc.SetChannelConnections(kOutput, 1, 5, true);  // clipped to the range
  EXPECT_FALSE(proc.IsChannelConnected(kOutput, 0));
  EXPECT_TRUE(proc.IsChannelConnected(kOutput, 1));
  EXPECT_EQ(proc.NConnectedChannels(kOutput), 1);
  EXPECT_FALSE(proc.IsChannelConnected(kOutput, 7));
  EXPECT_EQ(proc.GetChannelData(kInput, -1), nullptr);

  const float f[] = {0.5f, -1.f, 3.25f};
  double d[3] = {};
  IFxProcessor::CastCopyFloatToDouble(d, f, 3);
  EXPECT_EQ(d[2], 3.25);
  float back[3] = {};
  IFxProcessor::CastCopyDoubleToFloat(back, d, 3);
  EXPECT_EQ(back[1], -1.f);
  IFxProcessor::CastCopyDoubleToFloat(back, d, -4);  // nothing for n <= 0
}

TEST(Processor, ChannelsTheHostDropsGoSilent)
{
  ConnectedOutputsProcessor proc(Config("2-2"));
  proc.SetBlockSize(16);
  std::vector<float> in(16, 0.75f), out0(16), out1(16);
  float* ins[] = {in.data(), in.data()};
  float* outs[] = {out0.data(), out1.data()};
  auto block = [&](int nIn, int nOut) {
    for (EBusDirection dir : {kInput, kOutput})
      proc.SetChannelConnections(dir, 0, 2, false);
    proc.SetChannelConnections(kInput, 0, nIn, true);
    proc.SetChannelConnections(kOutput, 0, nOut, true);
    proc.AttachBuffers(kInput, 0, 2, ins, nIn);
    proc.AttachBuffers(kOutput, 0, 2, outs, nOut);
    proc.ProcessAttachedBuffers(16, false);
  };
  block(2, 2);
  EXPECT_EQ(out1, std::vector<float>(16, 1.75f));
  EXPECT_EQ(proc.output1Peak, 1.75);

  // Input 1 is gone: its scratch held the converted 0.75s and must not
  // replay them.
  block(1, 2);
  EXPECT_EQ(out0, std::vector<float>(16, 1.75f));
  EXPECT_EQ(out1, std::vector<float>(16, 1.f));

  // Output 1 is gone: its scratch held the 1s of the block before.
  block(2, 1);
  EXPECT_EQ(proc.output1Peak, 0.);
  EXPECT_EQ(out0, std::vector<float>(16, 1.75f));
}

TEST(Processor, NoHostOutputIsLeftBelowTheFloatRange)
{
  // What a block writes, and what the host gets in either width, processing
  // or bypassed (latency 1): values too small for a normal float are silence,
  // everything else (zeros with their sign, NaN) leaves bit for bit.
  const double least = static_cast<double>(std::numeric_limits<float>::min());
  const double written[] = {0.25, -1.5e-38, least, -least, std::nextafter(least, 0.), -1e-39, 1e-300,
                            std::numeric_limits<double>::denorm_min(), -0., std::numeric_limits<double>::quiet_NaN()};
  const double heard[] = {0.25, -1.5e-38, least, -least, 0., -0., 0., 0., -0., written[9]};
  const int n = 10;
  for (bool bypassed : {false, true})
  {
    IFxProcessor proc(Config("2-2", 1));
    ASSERT_TRUE(proc.MakeLatencyDelayLine());
    proc.SetBlockSize(4);  // slices as well
    std::vector<double> in(written, written + n), out64(n + 1, 9.);
    in.insert(in.begin() + (bypassed ? n : 0), 0.);  // lines the heard values up at 1..n
    std::vector<float> out32(n + 1, 9.f), narrowed(n);
    double* ins[] = {in.data(), in.data()};
    double* outs64[] = {out64.data()};
    float* outs32[] = {out32.data()};
    proc.SetChannelConnections(kInput, 0, 2, true);
    proc.SetChannelConnections(kOutput, 0, 2, true);
    proc.AttachBuffers(kInput, 0, 2, ins, 2);
    proc.AttachBuffers(kOutput, 0, 1, outs64, 1);
    proc.AttachBuffers(kOutput, 1, 1, outs32, 1);
    proc.ProcessAttachedBuffers(n + 1, bypassed);
    IFxProcessor::CastCopyDoubleToFloat(narrowed.data(), written, n);
    for (int i = 0; i < n; ++i)
    {
      const float heard32 = static_cast<float>(heard[i]);
      EXPECT_EQ(std::memcmp(&out64[i + 1], &heard[i], sizeof(double)), 0) << bypassed << " " << written[i];
      EXPECT_EQ(std::memcmp(&out32[i + 1], &heard32, sizeof(float)), 0) << bypassed << " " << written[i];
      EXPECT_EQ(std::memcmp(&narrowed[i], &heard32, sizeof(float)), 0) << written[i];
    }
  }
}
