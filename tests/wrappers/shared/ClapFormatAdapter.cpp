// The shared wrapper tests' CLAP build: the plug-in built directly (as the
// factory would) and driven through its CLAP record by the test host.
#include "wrappers/clap/ClapTestFixture.h"
#include "wrappers/shared/FormatAdapter.h"

namespace wrappertest {

namespace {

using claphost::HostedPlugin;
using claphost::InputEvents;
using claphost::TestHost;

void* const kParent = reinterpret_cast<void*>(uintptr_t{0xA000});

class ClapFormatAdapter final : public FormatAdapter
{
public:
  ClapFormatAdapter()
  {
    mPlugin = new Murkwisp(ifx::InstanceInfo{&mDesc, mHost.Clap()});
    mHosted = std::make_unique<HostedPlugin>(mPlugin->ClapPlugin(), mHost);
    mInitialised = mHosted->Init();
    // A host that grants a size tells the plug-in with set_size at once,
    // which must then take what it asked for.
    mHost.onResizeRequest = [this](uint32_t w, uint32_t h) {
      if (!mHost.resizeAnswer)
        return false;
      if (mGui && !mGui->set_size(mHosted->Clap(), w, h))
        mComplaints.push_back("set_size refused the size the plug-in asked for");
      return true;
    };
  }

  std::vector<uint8_t> StateTrailer(bool) const override { return {}; }
  bool KeepsARefusedSize() const override { return true; }
  bool RefusesANonScale() const override { return true; }
  bool RefusesASizeItRounds() const override { return true; }
  bool HasHostBypass() const override { return false; }

  bool Initialised() const override { return mInitialised; }
  ifx::IFxAPIBase& Plugin() override { return *mPlugin; }
  ifx::IFxProcessor& Processor() override { return *mPlugin; }
  std::vector<std::string> HostComplaints() const override
  {
    std::vector<std::string> all = mHost.Violations();
    all.insert(all.end(), mComplaints.begin(), mComplaints.end());
    return all;
  }

  bool CreateEditor() override
  {
    mGui = mHosted->Ext<clap_plugin_gui_t>(CLAP_EXT_GUI);
    return mGui && mGui->create(mHosted->Clap(), CLAP_WINDOW_API_WIN32, false);
  }
  bool OpenEditor() override
  {
    const clap_window_t window{CLAP_WINDOW_API_WIN32, {kParent}};
    return mGui->set_parent(mHosted->Clap(), &window);
  }
  void CloseEditor() override
  {
    if (mGui)
      mGui->hide(mHosted->Clap());
  }
  bool SetScale(double factor) override { return mGui->set_scale(mHosted->Clap(), factor); }
  EditorSize HostReadsSize() override
  {
    uint32_t w = 0, h = 0;
    if (!mGui->get_size(mHosted->Clap(), &w, &h))
      return {};
    return {static_cast<int>(w), static_cast<int>(h)};
  }
  bool HostSizes(int width, int height) override
  {
    return mGui->set_size(mHosted->Clap(), static_cast<uint32_t>(width), static_cast<uint32_t>(height));
  }
  int ResizeRequests() const override { return mHost.resizeRequests; }
  EditorSize LastResizeRequest() const override
  {
    return {static_cast<int>(mHost.lastResizeWidth.load()), static_cast<int>(mHost.lastResizeHeight.load())};
  }
  void AnswerResizeRequests(bool accept) override { mHost.resizeAnswer = accept; }

  bool SaveState(std::vector<uint8_t>& bytes) override { return mHosted->SaveState(bytes); }
  bool LoadState(const std::vector<uint8_t>& bytes, size_t piece) override { return mHosted->LoadState(bytes, piece); }
  // Through params.flush, stepped parameters in the plain units the host sees.
  void HostSets(int paramIdx, double normalized) override
  {
    const auto* params = mHosted->Ext<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    clap_param_info_t info{};
    if (!params || !params->get_info(mHosted->Clap(), static_cast<uint32_t>(paramIdx), &info))
      return;
    const double value = (info.flags & CLAP_PARAM_IS_STEPPED)
                           ? info.min_value + normalized * (info.max_value - info.min_value)
                           : normalized;
    InputEvents in;
    in.AddParamValue(0, info.id, value);
    claphost::OutputEvents out;
    params->flush(mHosted->Clap(), in.Clap(), out.Clap());
  }
  void HostBypasses(bool) override {}
  bool Bypassed() const override { return false; }

  bool Setup(double rate, int maxFrames, bool) override
  {
    mHosted->Deactivate();
    if (!mHosted->Activate(rate, 1, static_cast<uint32_t>(maxFrames)))
      return false;
    mRate = rate;
    mMaxFrames = maxFrames;
    return true;
  }
  void ResumeAfterRefusedSetup() override { mHosted->Activate(mRate, 1, static_cast<uint32_t>(mMaxFrames)); }
  void RunOnAudioThread(const std::function<void()>& work) override
  {
    mHost.RunOnAudioThread([&] {
      const bool started = mHosted->StartProcessing();
      work();
      if (started)
        mHosted->StopProcessing();
    });
  }
  void PrepareHostEvents() override
  {
    mEvents.Clear();
    mEvents.AddParamValue(0, 12, 0.7);
    mEvents.AddParamValue(3, 5, 4.0);
    mEvents.AddNoteOn(10, 1, 64, 0.8);
    mEvents.AddMidi(20, 0xB0, 1, 64);
    mEvents.AddSysEx(30, kSysEx, sizeof(kSysEx));
    mTransport = clap_event_transport_t{};
    mTransport.header.size = sizeof(mTransport);
    mTransport.header.type = CLAP_EVENT_TRANSPORT;
    mTransport.flags = CLAP_TRANSPORT_HAS_TEMPO | CLAP_TRANSPORT_HAS_BEATS_TIMELINE | CLAP_TRANSPORT_IS_PLAYING;
    mTransport.tempo = 133.0;
  }
  // No output list: the test host's own list allocates when it copies events.
  bool Process(float* const* in, float* const* out, uint32_t frames, bool withEvents) override
  {
    return mHosted->Process32(in, 2, out, 2, frames, withEvents ? &mEvents : nullptr, nullptr,
                              withEvents ? &mTransport : nullptr) != CLAP_PROCESS_ERROR;
  }
  bool Process(double* const* in, double* const* out, uint32_t frames, bool withEvents) override
  {
    return mHosted->Process64(in, 2, out, 2, frames, withEvents ? &mEvents : nullptr, nullptr,
                              withEvents ? &mTransport : nullptr) != CLAP_PROCESS_ERROR;
  }
  void Reset() override { mHosted->Reset(); }
  uint32_t HostReadsTail() override
  {
    const auto* tail = mHosted->Ext<clap_plugin_tail_t>(CLAP_EXT_TAIL);
    return tail ? tail->get(mHosted->Clap()) : 0u;
  }

private:
  static constexpr uint8_t kSysEx[4] = {0xF0, 0x7D, 0x01, 0xF7};

  clap_plugin_descriptor_t mDesc = clap_tests::MurkwispTestDescriptor();
  TestHost mHost;
  Murkwisp* mPlugin = nullptr; // owned through its CLAP record
  std::unique_ptr<HostedPlugin> mHosted;
  bool mInitialised = false;
  const clap_plugin_gui_t* mGui = nullptr;
  std::vector<std::string> mComplaints;
  double mRate = 0.0;
  int mMaxFrames = 0;
  InputEvents mEvents;
  clap_event_transport_t mTransport{};
};

} // namespace

std::vector<Format> BuiltFormats()
{
  return {{"Clap", [] { return std::unique_ptr<FormatAdapter>(new ClapFormatAdapter()); }}};
}

} // namespace wrappertest
