// The audio thread processes while the main thread saves, restores and
// automates: the bypass flag and parameter values are shared without locks.
#include <atomic>
#include <thread>
#include <vector>

#include "wrappers/vst3/Vst3TestHost.h"

using namespace vst3test;

using Vst3Threads = PluginFixture;

TEST_F(Vst3Threads, StateAndAutomationWhileProcessing)
{
  Setup(kSample32, 256);
  std::atomic<bool> stop{false};
  std::thread audio([&] {
    std::vector<float> in(256, 0.25f), out(256);
    float* inPtr[2] = {in.data(), in.data()};
    float* outPtr[2] = {out.data(), out.data()};
    AudioBusBuffers inBus{}, outBus{};
    inBus.numChannels = outBus.numChannels = 2;
    inBus.channelBuffers32 = inPtr;
    outBus.channelBuffers32 = outPtr;
    int block = 0;
    while (!stop.load())
    {
      auto* changes = MakeChanges({{65536, {{0, (block & 1) ? 1. : 0.}}}, {2, {{0, (block % 10) / 10.}}}});
      ProcessData data = AudioBlock(kSample32, 256, &inBus, &outBus, changes);
      processor()->process(data);
      changes->release();
      ++block;
    }
  });
  for (int i = 0; i < 200; ++i)
  {
    auto* saved = new FaultyStream();
    EXPECT_EQ(component()->getState(saved), kResultOk);
    EXPECT_EQ(saved->data.size(), 108u);
    saved->position = 0;
    EXPECT_EQ(component()->setState(saved), kResultOk);
    saved->release();
    controller()->setParamNormalized(3, (i % 7) / 7.);
  }
  stop.store(true);
  audio.join();
}

// Two hosts' threads take and drop the module's factory at once: whoever
// gets it must get a live one, also while the last reference is dropped.
TEST(Vst3FactoryThreads, FactoryTakenWhileItsLastReferenceIsDropped)
{
  std::atomic<int> failures{0};
  auto churn = [&] {
    for (int i = 0; i < 3000; ++i)
    {
      IPluginFactory* factory = ifx::vst3::GetPluginFactory(vst3test::kMurkwispClass);
      if (!factory || factory->countClasses() != 1)
        ++failures;
      if (factory)
        factory->release();
    }
  };
  std::thread a(churn), b(churn);
  a.join();
  b.join();
  EXPECT_EQ(failures.load(), 0);
}
