// The editor and the host working on one instance at the same time: editor
// gestures and values on the main thread while the audio thread processes
// and sends them on, host automation on the audio thread while the main
// thread reads the values. Also built for the thread sanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "ClapTestFixture.h"
#include "base/IParam.h"

namespace {

using claphost::InputEvents;
using claphost::OutputEvents;
using clap_tests::MurkwispClapFixture;

using ClapThreadsTest = MurkwispClapFixture;

TEST_F(ClapThreadsTest, EditorChangesTravelWhileTheAudioThreadProcesses)
{
  ASSERT_TRUE(hosted->Activate(48000.0, 1, 128));
  std::atomic<bool> running{true};
  std::atomic<int> valuesSeen{0};
  std::atomic<int> automationBlocks{0};
  std::thread audio([&] {
    host.RunOnAudioThread([&] {
      hosted->StartProcessing();
      std::vector<float> buf(128, 0.f);
      float* io[2] = {buf.data(), buf.data()};
      InputEvents automation;
      OutputEvents out;
      int block = 0;
      while (running.load() || block < 4)
      {
        automation.Clear();
        automation.AddParamValue(0, 2, (block % 100) / 100.0);  // Haunt, from the host
        out.Clear();
        hosted->Process32(io, 2, io, 2, 128, &automation, &out);
        for (const auto& ev : out.Events())
          if (ev.header.type == CLAP_EVENT_PARAM_VALUE && ev.paramId == 12)
            ++valuesSeen;
        ++block;
        ++automationBlocks;
      }
      hosted->StopProcessing();
    });
  });

  const int sent = 200;
  for (int i = 0; i < sent; ++i)
  {
    plugin->BeginParamGestureFromUI(12);
    plugin->ApplyParamValueFromUI(12, (i % 10) / 10.0);
    plugin->EndParamGestureFromUI(12);
    double haunt = 0.0;
    EXPECT_TRUE(hosted->GetParamValue(2, haunt));
    EXPECT_GE(haunt, 0.0);
    EXPECT_LE(haunt, 1.0);
    if (i % 20 == 0)
      std::this_thread::yield();
  }
  while (plugin->PendingParamChangesToHost() > 0 && automationBlocks.load() < 1000000)
    std::this_thread::yield();
  running = false;
  audio.join();
  // Every value fitted the ring (512 entries, drained each block) unless the
  // audio thread fell far behind; none may be invented.
  EXPECT_LE(valuesSeen.load(), sent);
  EXPECT_GT(valuesSeen.load(), 0);
  EXPECT_EQ(plugin->PendingParamChangesToHost(), 0);
}

TEST_F(ClapThreadsTest, TheMainThreadFlushesWhileTheAudioThreadStartsAndStops)
{
  // The host pumps its main thread (callbacks, and flushes while nothing
  // processes) as its audio thread starts, processes and stops over and
  // over: what the host keeps about who is inside the plug-in is shared
  // between the two, and the editor's values reach it one way or the other.
  ASSERT_TRUE(hosted->Activate(48000.0, 1, 128));
  std::atomic<bool> running{true};
  std::atomic<int> rounds{0};
  OutputEvents processed, flushed;
  std::thread audio([&] {
    host.RunOnAudioThread([&] {
      std::vector<float> buf(128, 0.f);
      float* io[2] = {buf.data(), buf.data()};
      for (; running.load(); ++rounds)
        if (hosted->StartProcessing())
        {
          hosted->Process32(io, 2, io, 2, 128, nullptr, &processed);
          hosted->StopProcessing();
        }
    });
  });
  for (int i = 0; rounds.load() < 200; ++i)
  {
    plugin->ApplyParamValueFromUI(12, (i % 10) / 10.0);
    hosted->PumpMainThread(&flushed);
    // A host's main thread does other work between pumps. One that pumps
    // without a pause can keep the audio thread from ever starting.
    std::this_thread::sleep_for(std::chrono::microseconds(50));
  }
  running = false;
  audio.join();
  hosted->PumpMainThread(&flushed);
  EXPECT_EQ(plugin->PendingParamChangesToHost(), 0);
  EXPECT_GT(processed.Events().size() + flushed.Events().size(), 0u);
  EXPECT_TRUE(processed.Problems().empty() && flushed.Problems().empty());
}

} // namespace
