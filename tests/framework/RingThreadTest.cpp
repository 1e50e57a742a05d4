// The rings between the audio and main threads under real concurrency: an
// audio-side producer against the timer tick on the main side. Drops are
// allowed when the tick falls behind; reordering and torn entries are not.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "framework/TestPlugin.h"
#include "platform/Timer.h"

using namespace basetest;

namespace {

struct NullTimer : ifx::Timer
{
  void Stop() override {}
};

struct ValueRecorder : TestPlugin
{
  std::vector<double> values;
  void PushParamValueToUI(int paramIdx, double value, bool normalized) override
  {
    if (paramIdx == kFine && !normalized)
      values.push_back(value);
  }
};

} // namespace

TEST(RingThreads, HostChangesArriveInOrderWhileTheTimerRuns)
{
  ValueRecorder plug;
  NullTimer timer;
  std::atomic<bool> done{false};
  constexpr int kCount = 20000;

  std::thread audio([&] {
    for (int i = 0; i < kCount; ++i)
    {
      // Fine is -50..50 in steps of 1: cycle through it so values stay exact.
      plug.QueueParamValueForUI(kFine, static_cast<double>(i % 101 - 50), false);
      plug.midiToEditorRing.Push(IMidiMessage(i, 0x90, static_cast<uint8_t>(i & 0x7F), 1));
    }
    done.store(true);
  });

  while (!done.load())
    plug.OnTimer(timer);
  audio.join();
  plug.OnTimer(timer);

  ASSERT_FALSE(plug.values.empty());
  for (double v : plug.values)
    ASSERT_TRUE(v >= -50. && v <= 50. && v == static_cast<int>(v));
  ASSERT_FALSE(plug.midiForUI.empty());
  for (size_t i = 1; i < plug.midiForUI.size(); ++i)
    ASSERT_LT(plug.midiForUI[i - 1].offset, plug.midiForUI[i].offset);
  for (const IMidiMessage& m : plug.midiForUI)
    ASSERT_EQ(m.data1, m.offset & 0x7F);

  // Drained rings take new entries again.
  plug.QueueParamValueForUI(kFine, 7., false);
  plug.midiToEditorRing.Push(IMidiMessage(kCount, 0x80, 1, 0));
  plug.OnTimer(timer);
  EXPECT_EQ(plug.values.back(), 7.);
  EXPECT_EQ(plug.midiForUI.back().offset, kCount);
}
