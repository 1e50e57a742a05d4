#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>
#include "base/IEditorDelegate.h"
#include "base/IPeakAvgSender.h"

using ifx::IPeakAvgSender;
using ifx::ISenderPacket;

namespace {

constexpr double kPi = 3.14159265358979323846;

class PacketSink : public ifx::IEditorDelegate
{
public:
  PacketSink() : IEditorDelegate(0) {}
  void PushControlMessageToUI(int controlTag, int msgTag, int dataSize, const void* data) override
  {
    ASSERT_EQ(msgTag, 0);
    ASSERT_EQ(dataSize, 28);
    ISenderPacket p;
    std::memcpy(&p, data, sizeof(p));
    ASSERT_EQ(p.controlTag, controlTag);
    packets.push_back(p);
  }
  std::vector<ISenderPacket> packets;
};

IPeakAvgSender MakeSender()
{
  return IPeakAvgSender(-90., 5.f, 1.f, 100.f, 500.f);
}

// Stereo sine (amplitudes a0, a1) fed in blocks, flushed after every block.
std::vector<ISenderPacket> RunSine(int blockSize, int totalFrames, double a0, double a1)
{
  IPeakAvgSender sender = MakeSender();
  sender.Reset(48000.);
  PacketSink sink;
  std::vector<double> l(blockSize), r(blockSize);
  double* io[2] = {l.data(), r.data()};
  for (int start = 0; start < totalFrames; start += blockSize)
  {
    for (int i = 0; i < blockSize; ++i)
    {
      const double phase = 2. * kPi * 1000. * (start + i) / 48000.;
      l[i] = a0 * std::sin(phase);
      r[i] = a1 * std::sin(phase + 0.3);
    }
    sender.ProcessBlock(io, blockSize, 1);
    sender.FlushToUI(sink);
  }
  return sink.packets;
}

// Feeds whole 240-sample windows (5 ms at 48 kHz) of constant levels and
// flushes after each, as the timer would.
struct WindowFeeder
{
  IPeakAvgSender sender {-90., 5.f, 1.f, 100.f, 500.f};
  PacketSink sink;
  std::vector<double> l = std::vector<double>(240);
  std::vector<double> r = std::vector<double>(240);

  void Window(double left, double right)
  {
    std::fill(l.begin(), l.end(), left);
    std::fill(r.begin(), r.end(), right);
    double* io[2] = {l.data(), r.data()};
    sender.ProcessBlock(io, 240, 0);
    sender.FlushToUI(sink);
  }
  const ISenderPacket& Last() const { return sink.packets.back(); }
};

} // namespace

TEST(PeakAvgSender, WindowsAtTheSampleRate)
{
  IPeakAvgSender s(-90., 5.f, 1.f, 100.f, 500.f);
  EXPECT_EQ(s.GetWindowSize(), 240);
  EXPECT_FLOAT_EQ(s.GetAttackWindows(), 0.2f);
  EXPECT_FLOAT_EQ(s.GetDecayWindows(), 20.f);
  EXPECT_EQ(s.GetHoldSamples(), 24000);
  s.Reset(96000.);
  EXPECT_EQ(s.GetWindowSize(), 480);
  EXPECT_EQ(s.GetHoldSamples(), 48000);
}

TEST(PeakAvgSender, BlockSizesAgree)
{
  const int total = 4096 * 12;
  const auto ref = RunSine(4096, total, 0.5, 0.25);
  ASSERT_EQ(ref.size(), static_cast<size_t>(total / 240 + 1));
  for (int block : {32, 64, 512})
  {
    const auto got = RunSine(block, total, 0.5, 0.25);
    ASSERT_EQ(got.size(), ref.size()) << "block " << block;
    for (size_t k = 0; k < ref.size(); ++k)
      for (int c = 0; c < 2; ++c)
      {
        ASSERT_EQ(got[k].Peak(c), ref[k].Peak(c)) << "block " << block << " packet " << k;
        ASSERT_EQ(got[k].Average(c), ref[k].Average(c)) << "block " << block << " packet " << k;
      }
  }

  // A steady sine reads its RMS and its peak, also in short blocks.
  const auto small = RunSine(32, total, 0.5, 0.25);
  const ISenderPacket& last = small.back();
  EXPECT_EQ(last.controlTag, 1);
  EXPECT_EQ(last.nChans, 2);
  EXPECT_EQ(last.chanOffset, 0);
  EXPECT_NEAR(last.Average(0), 0.5 / std::sqrt(2.), 0.005);
  EXPECT_NEAR(last.Average(1), 0.25 / std::sqrt(2.), 0.0025);
  EXPECT_NEAR(last.Peak(0), 0.5, 0.001);
  EXPECT_NEAR(last.Peak(1), 0.25, 0.001);
}

TEST(PeakAvgSender, SilenceStopsPacketsOnceLevelsDecay)
{
  WindowFeeder f;
  std::vector<ISenderPacket>& packets = f.sink.packets;

  // The first window after construction always sends; more silence does not.
  for (int i = 0; i < 11; ++i)
    f.Window(0., 0.);
  EXPECT_EQ(packets.size(), 1u);

  // Signal, then silence: packets keep coming while the averages decay.
  f.Window(0.5, 0.5);
  packets.clear();
  int windows = 0;
  size_t lastCount = 0;
  for (; windows < 2000; ++windows)
  {
    f.Window(0., 0.);
    if (packets.size() == lastCount)
      break;
    lastCount = packets.size();
  }
  ASSERT_FALSE(packets.empty());
  ASSERT_LT(windows, 2000);
  const ISenderPacket& lastSent = packets.back();
  // The last packet was sent because the level before it was still above
  // the threshold; after it the sum is at or below 10^-4.5.
  EXPECT_LE(lastSent.Average(0) + lastSent.Average(1), std::pow(10., -4.5));
  if (packets.size() > 1)
  {
    const ISenderPacket& before = packets[packets.size() - 2];
    EXPECT_GT(before.Average(0) + before.Average(1), std::pow(10., -4.5));
  }
}

TEST(PeakAvgSender, UnflushedQueueHoldsSixtyFourPackets)
{
  IPeakAvgSender s = MakeSender();
  std::vector<double> l(240 * 100, 0.3), r(240 * 100, 0.3);
  double* io[2] = {l.data(), r.data()};
  s.ProcessBlock(io, 240 * 100, 0);
  EXPECT_EQ(s.PacketsQueued(), 64);
  PacketSink sink;
  s.FlushToUI(sink);
  EXPECT_EQ(sink.packets.size(), 64u);
  EXPECT_EQ(s.PacketsQueued(), 0);
}

TEST(PeakAvgSender, PeakIsHeldForHalfASecond)
{
  WindowFeeder f;
  const std::vector<ISenderPacket>& packets = f.sink.packets;
  f.Window(0.9, 0.9);
  for (int i = 0; i < 99; ++i)
    f.Window(0.2, 0.2);
  // Held for the 24000 samples (100 windows) of the hold time.
  for (size_t k = 1; k < packets.size(); ++k)
    ASSERT_FLOAT_EQ(packets[k].Peak(0), 0.9f) << k;
  for (int i = 0; i < 3; ++i)
    f.Window(0.2, 0.2);
  EXPECT_FLOAT_EQ(packets.back().Peak(0), 0.2f);
}

TEST(PeakAvgSender, DegenerateSampleRatesAreSafe)
{
  for (double rate : {10., 1., 0., -48000., std::numeric_limits<double>::quiet_NaN(),
                      std::numeric_limits<double>::infinity()})
  {
    IPeakAvgSender s = MakeSender();
    s.Reset(rate);
    EXPECT_GE(s.GetWindowSize(), 1) << rate;
    std::vector<double> l(64, 0.5), r(64, -0.5);
    double* io[2] = {l.data(), r.data()};
    s.ProcessBlock(io, 64, 0);
    PacketSink sink;
    s.FlushToUI(sink);
    for (const ISenderPacket& p : sink.packets)
      for (int c = 0; c < 2; ++c)
      {
        EXPECT_FALSE(std::isnan(p.Peak(c)));
        EXPECT_FALSE(std::isnan(p.Average(c)));
      }
  }
  IPeakAvgSender s = MakeSender();
  s.ProcessBlock(nullptr, 64, 0);   // no buffers: nothing happens
  EXPECT_EQ(s.PacketsQueued(), 0);
}

TEST(PeakAvgSender, AveragesRiseAtOnceAndDecayOverTwentyWindows)
{
  WindowFeeder f;
  auto block = [&f](double a) { f.Window(a, a / 2.); };
  // A window is evaluated on its first frame: it holds that frame and the
  // 239 before it.
  for (int i = 0; i < 10; ++i)
    block(0.5);
  ASSERT_EQ(f.sink.packets.size(), 10u);
  // An attack of 0.2 windows is no smoothing at all: the level is there at once.
  EXPECT_FLOAT_EQ(f.Last().Average(0), 0.5f);
  EXPECT_FLOAT_EQ(f.Last().Average(1), 0.25f);

  block(0.);
  const double rms = 0.5 * std::sqrt(239. / 240.);   // one silent frame in the window
  double expected = 0.5 + (rms - 0.5) / 20.;
  EXPECT_NEAR(f.Last().Average(0), expected, 1e-6);
  for (int i = 0; i < 5; ++i)
  {
    block(0.);
    expected -= expected / 20.;
    EXPECT_NEAR(f.Last().Average(0), expected, 1e-6) << i;
  }
  // The peak is held while the average decays.
  EXPECT_FLOAT_EQ(f.Last().Peak(0), 0.5f);
  EXPECT_FLOAT_EQ(f.Last().Peak(1), 0.25f);
}

TEST(PeakAvgSender, NonFiniteSamplesReadAsSilence)
{
  WindowFeeder f;
  f.Window(0.5, 0.5);
  f.Window(std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN());
  for (int i = 0; i < 3; ++i)
    f.Window(0.5, 0.5);
  // An infinite average would have turned to NaN on its way down, for good.
  for (const ISenderPacket& p : f.sink.packets)
    for (int c = 0; c < 2; ++c)
      ASSERT_TRUE(std::isfinite(p.Peak(c)) && std::isfinite(p.Average(c)));
  EXPECT_FLOAT_EQ(f.Last().Peak(0), 0.5f);
  EXPECT_GT(f.Last().Average(0), 0.4f);
}
