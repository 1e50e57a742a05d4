#pragma once
// Host-side objects for the VST3 wrapper tests: the test host's own objects
// plus streams that fail on purpose, and a fixture that makes an initialised
// Murkwisp through the module's create function.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "abi/vst3/Vst3AudioProcessor.h"
#include "abi/vst3/Vst3Component.h"
#include "abi/vst3/Vst3EditController.h"
#include "base/IParam.h"
#include "wrappers/vst3/IFxVST3.h"
#include "wrappers/vst3/MurkwispClass.h"
#include "vst3host/HostObjects.h"

namespace vst3test {

using namespace Steinberg;
using namespace Steinberg::Vst;
using vst3host::HostObject;

// A stream whose writes or reads can fail or fall short, and which keeps
// every seek it is asked for.
class FaultyStream : public vst3host::MemoryStream
{
public:
  using MemoryStream::MemoryStream;
  tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) override
  {
    ++reads;
    if (failReadPastEnd && position >= static_cast<int64>(data.size()))
    {
      if (numBytesRead)
        *numBytesRead = 0;
      return kResultFalse;
    }
    if (maxRead > 0 && numBytes > maxRead)
      numBytes = maxRead;
    int32 got = 0;
    tresult r = MemoryStream::read(buffer, numBytes, &got);
    if (numBytesRead)
      *numBytesRead = claimReads ? claimedRead : got;
    if (failEveryRead)
      r = kResultFalse;
    return r;
  }
  tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) override
  {
    if (failWrite)
    {
      if (numBytesWritten)
        *numBytesWritten = 0;
      return kResultFalse;
    }
    if (shortWrite && numBytes > 1)
    {
      MemoryStream::write(buffer, numBytes - 1, numBytesWritten);
      return kResultOk;
    }
    return MemoryStream::write(buffer, numBytes, numBytesWritten);
  }
  tresult PLUGIN_API seek(int64 pos, int32 mode, int64* result) override
  {
    seeks.push_back(pos);
    if (failSeek)
      return kResultFalse;
    return MemoryStream::seek(pos, mode, result);
  }
  bool failReadPastEnd = false;
  bool failWrite = false;
  bool shortWrite = false;
  bool failSeek = false;
  bool claimReads = false; // a host that reports a count other than what it gave
  int32 claimedRead = 0;
  int32 maxRead = 0;          // bytes per read at most (0: as asked)
  bool failEveryRead = false; // reports an error even when bytes came
  int reads = 0;
  std::vector<int64> seeks;
};

// One queue per entry; points in order.
struct Change
{
  ParamID id;
  std::vector<std::pair<int32, double>> points;
};

inline vst3host::ParameterChanges* MakeChanges(const std::vector<Change>& changes)
{
  auto* list = new vst3host::ParameterChanges();
  for (const Change& c : changes)
  {
    int32 index = 0;
    auto* q = list->addParameterData(c.id, index);
    for (const auto& p : c.points)
      q->addPoint(p.first, p.second, index);
  }
  return list;
}

// One block over one input and one output bus.
inline ProcessData AudioBlock(int32 sampleSize, int32 frames, AudioBusBuffers* in, AudioBusBuffers* out,
                              IParameterChanges* changes = nullptr)
{
  ProcessData data{};
  data.symbolicSampleSize = sampleSize;
  data.numSamples = frames;
  data.numInputs = data.numOutputs = 1;
  data.inputs = in;
  data.outputs = out;
  data.inputParameterChanges = changes;
  return data;
}

// An initialised plug-in created the way the factory does, with a handler
// (a test may keep several side by side).
class PluginInstance
{
public:
  explicit PluginInstance(const char16_t* hostName = u"Murkwisp Unit Tests") { Create(hostName); }
  ~PluginInstance() { Destroy(); }
  PluginInstance(const PluginInstance&) = delete;
  PluginInstance& operator=(const PluginInstance&) = delete;

  IComponent* component() { return static_cast<IComponent*>(plug); }
  IAudioProcessor* processor() { return static_cast<IAudioProcessor*>(plug); }
  IEditController* controller() { return static_cast<IEditController*>(plug); }

  void Setup(int32 sampleSize = kSample64, int32 maxBlock = 512, double rate = 48000.)
  {
    SpeakerArrangement in = 0x3, out = 0x3;
    ASSERT_EQ(processor()->setBusArrangements(&in, 1, &out, 1), kResultOk);
    component()->activateBus(kAudio, kInput, 0, true);
    component()->activateBus(kAudio, kOutput, 0, true);
    ProcessSetup setup{kRealtime, sampleSize, maxBlock, rate};
    ASSERT_EQ(processor()->setupProcessing(setup), kResultOk);
    component()->setActive(true);
    processor()->setProcessing(true);
  }

  // One 64-bit block over the given stereo buffers.
  void Process64(std::vector<double>* in, std::vector<double>* out, int32 frames, IParameterChanges* changes = nullptr,
                 int32 offset = 0)
  {
    double* inPtr[2] = {in[0].data() + offset, in[1].data() + offset};
    double* outPtr[2] = {out[0].data() + offset, out[1].data() + offset};
    AudioBusBuffers inBus{}, outBus{};
    inBus.numChannels = outBus.numChannels = 2;
    inBus.channelBuffers64 = inPtr;
    outBus.channelBuffers64 = outPtr;
    ProcessData data = AudioBlock(kSample64, frames, &inBus, &outBus, changes);
    processor()->process(data);
  }

  // A block without samples or buffers: parameter changes only.
  void Flush(const std::vector<Change>& changes)
  {
    auto* list = MakeChanges(changes);
    ProcessData data{};
    data.symbolicSampleSize = kSample64;
    data.inputParameterChanges = list;
    processor()->process(data);
    list->release();
  }

  double Value(int idx) { return plug->GetParam(idx)->Value(); }

  ifx::IFxVST3* plug = nullptr;
  vst3host::HostApplication* app = nullptr;
  vst3host::ComponentHandler* handler = nullptr;
  bool initialized = false;

protected:
  struct Later
  {};
  explicit PluginInstance(Later) {}
  void Create(const char16_t* hostName)
  {
    FUnknown* unknown = ifx::vst3::CreateVST3Instance(const_cast<ifx::vst3::PluginClass*>(&kMurkwispClass));
    if (!unknown)
      return;
    plug = dynamic_cast<ifx::IFxVST3*>(static_cast<IAudioProcessor*>(unknown));
    if (!plug)
      return;
    app = new vst3host::HostApplication(hostName);
    initialized = component()->initialize(app) == kResultOk;
    handler = new vst3host::ComponentHandler();
    controller()->setComponentHandler(handler);
  }
  void Destroy()
  {
    if (plug)
    {
      controller()->setComponentHandler(nullptr);
      component()->terminate();
      component()->release();
    }
    if (handler)
      handler->release();
    if (app)
      app->release();
    plug = nullptr;
    handler = nullptr;
    app = nullptr;
  }
};

// One such plug-in per test, made in SetUp.
class PluginFixture
  : public ::testing::Test
  , public PluginInstance
{
protected:
  PluginFixture() : PluginInstance(Later{}) {}
  using PluginInstance::Setup; // not gtest's misspelling guard
  void SetUp() override
  {
    Create(hostName);
    ASSERT_NE(plug, nullptr);
    ASSERT_TRUE(initialized);
  }
  void TearDown() override { Destroy(); }

  // What the host application calls itself; set before SetUp for host quirks.
  const char16_t* hostName = u"Murkwisp Unit Tests";
};

} // namespace vst3test
