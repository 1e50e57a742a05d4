// The shared wrapper tests' VST3 build: the plug-in as the module's factory
// makes it, driven through its component, processor, controller and view.
#include <thread>

#include "abi/vst3/Vst3PlugView.h"
#include "wrappers/shared/FormatAdapter.h"
#include "wrappers/vst3/Vst3TestHost.h"

namespace wrappertest {

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using vst3test::FaultyStream;

constexpr ParamID kBypassId = 65536;

class Vst3FormatAdapter final : public FormatAdapter
{
public:
  ~Vst3FormatAdapter() override
  {
    if (mView)
    {
      mView->removed();
      mView->release();
    }
    if (mFrame)
      mFrame->release();
    if (mChanges)
      mChanges->release();
  }

  std::vector<uint8_t> StateTrailer(bool bypassed) const override { return {uint8_t(bypassed ? 1 : 0), 0, 0, 0}; }
  bool KeepsARefusedSize() const override { return false; }
  bool RefusesANonScale() const override { return false; }
  bool RefusesASizeItRounds() const override { return false; }
  bool HasHostBypass() const override { return true; }

  bool Initialised() const override { return mPlug.plug && mPlug.initialized; }
  ifx::IFxAPIBase& Plugin() override { return *mPlug.plug; }
  ifx::IFxProcessor& Processor() override { return *mPlug.plug; }
  std::vector<std::string> HostComplaints() const override { return {}; }

  bool CreateEditor() override
  {
    mView = mPlug.controller()->createView("editor");
    if (!mView)
      return false;
    mFrame = new vst3host::PlugFrame();
    return mView->setFrame(mFrame) == kResultTrue;
  }
  bool OpenEditor() override { return mView->attached(&mParent, kPlatformTypeHWND) == kResultOk; }
  void CloseEditor() override
  {
    if (mView)
      mView->removed();
  }
  bool SetScale(double factor) override { return vst3host::SetViewContentScale(mView, static_cast<float>(factor)); }
  EditorSize HostReadsSize() override
  {
    ViewRect r{};
    mView->getSize(&r);
    return {r.getWidth(), r.getHeight()};
  }
  bool HostSizes(int width, int height) override
  {
    ViewRect r{0, 0, width, height};
    return mView->onSize(&r) == kResultOk;
  }
  int ResizeRequests() const override { return static_cast<int>(mFrame->resizes.size()); }
  EditorSize LastResizeRequest() const override
  {
    if (mFrame->resizes.empty())
      return {};
    return {mFrame->resizes.back().getWidth(), mFrame->resizes.back().getHeight()};
  }
  void AnswerResizeRequests(bool accept) override { mFrame->answer = accept ? kResultTrue : kResultFalse; }

  bool SaveState(std::vector<uint8_t>& bytes) override
  {
    auto* stream = new FaultyStream();
    const bool saved = mPlug.component()->getState(stream) == kResultOk;
    bytes.assign(stream->data.begin(), stream->data.end());
    stream->release();
    return saved;
  }
  bool LoadState(const std::vector<uint8_t>& bytes, size_t piece) override
  {
    auto* stream = new FaultyStream(std::vector<char>(bytes.begin(), bytes.end()));
    stream->maxRead = piece < size_t{INT32_MAX} ? static_cast<int32>(piece) : 0;
    const bool loaded = mPlug.component()->setState(stream) == kResultOk;
    stream->release();
    return loaded;
  }
  void HostSets(int paramIdx, double normalized) override
  {
    mPlug.Flush({{static_cast<ParamID>(paramIdx), {{0, normalized}}}});
  }
  void HostBypasses(bool bypass) override { mPlug.Flush({{kBypassId, {{0, bypass ? 1. : 0.}}}}); }
  bool Bypassed() const override { return mPlug.plug->IsBypassed(); }

  bool Setup(double rate, int maxFrames, bool use64) override
  {
    SpeakerArrangement in = 0x3, out = 0x3;
    if (mPlug.processor()->setBusArrangements(&in, 1, &out, 1) != kResultOk)
      return false;
    mPlug.component()->activateBus(kAudio, kInput, 0, true);
    mPlug.component()->activateBus(kAudio, kOutput, 0, true);
    mSampleSize = use64 ? kSample64 : kSample32;
    ProcessSetup setup{kRealtime, mSampleSize, maxFrames, rate};
    if (mPlug.processor()->setupProcessing(setup) != kResultOk)
      return false;
    mPlug.component()->setActive(true);
    mPlug.processor()->setProcessing(true);
    return true;
  }
  void ResumeAfterRefusedSetup() override {}
  void RunOnAudioThread(const std::function<void()>& work) override
  {
    std::thread audio(work);
    audio.join();
  }
  void PrepareHostEvents() override
  {
    if (mChanges)
      mChanges->release();
    // Mix at the block's start, Interval (a list) a few frames in.
    mChanges = vst3test::MakeChanges({{12, {{0, 0.7}}}, {5, {{3, 4. / 11.}}}});
    mContext = ProcessContext{};
    mContext.state = ProcessContext::kPlaying | ProcessContext::kProjectTimeMusicValid;
    mContext.tempo = 133.;
  }
  bool Process(float* const* in, float* const* out, uint32_t frames, bool withEvents) override
  {
    AudioBusBuffers inBus{}, outBus{};
    inBus.numChannels = outBus.numChannels = 2;
    inBus.channelBuffers32 = const_cast<float**>(in);
    outBus.channelBuffers32 = const_cast<float**>(out);
    return Run(inBus, outBus, kSample32, frames, withEvents);
  }
  bool Process(double* const* in, double* const* out, uint32_t frames, bool withEvents) override
  {
    AudioBusBuffers inBus{}, outBus{};
    inBus.numChannels = outBus.numChannels = 2;
    inBus.channelBuffers64 = const_cast<double**>(in);
    outBus.channelBuffers64 = const_cast<double**>(out);
    return Run(inBus, outBus, kSample64, frames, withEvents);
  }
  // setProcessing(false) is where a VST3 host resets the plug-in.
  void Reset() override
  {
    mPlug.processor()->setProcessing(false);
    mPlug.processor()->setProcessing(true);
  }
  uint32_t HostReadsTail() override { return mPlug.processor()->getTailSamples(); }

private:
  bool Run(AudioBusBuffers& inBus, AudioBusBuffers& outBus, int32 sampleSize, uint32_t frames, bool withEvents)
  {
    if (sampleSize != mSampleSize)
      return false;
    ProcessData data =
      vst3test::AudioBlock(sampleSize, static_cast<int32>(frames), &inBus, &outBus, withEvents ? mChanges : nullptr);
    if (withEvents)
      data.processContext = &mContext;
    return mPlug.processor()->process(data) == kResultOk;
  }

  vst3test::PluginInstance mPlug;
  IPlugView* mView = nullptr;
  vst3host::PlugFrame* mFrame = nullptr;
  int mParent = 0; // the window handle is only passed through
  int32 mSampleSize = kSample64;
  vst3host::ParameterChanges* mChanges = nullptr;
  ProcessContext mContext{};
};

} // namespace

std::vector<Format> BuiltFormats()
{
  return {{"Vst3", [] { return std::unique_ptr<FormatAdapter>(new Vst3FormatAdapter()); }}};
}

} // namespace wrappertest
