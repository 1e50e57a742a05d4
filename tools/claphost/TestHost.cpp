#include "claphost/TestHost.h"

#include <cstring>

namespace claphost {

TestHost::TestHost(TestHostOptions options)
  : mOptions(options)
  , mMainThread(std::this_thread::get_id())
{
  std::memset(&mHost, 0, sizeof(mHost));
  mHost.clap_version = CLAP_VERSION_INIT;
  mHost.host_data = this;
  mHost.name = options.name;
  mHost.vendor = "Murkwisp tests";
  mHost.url = "";
  mHost.version = options.version;
  mHost.get_extension = options.nullGetExtension ? nullptr : GetExtension;
  mHost.request_restart = RequestRestart;
  mHost.request_process = RequestProcess;
  mHost.request_callback = RequestCallback;
  mLog.log = Log;
  mThreadCheck.is_main_thread = IsMainThread;
  mThreadCheck.is_audio_thread = IsAudioThread;
  mParams.rescan = ParamsRescan;
  mParams.clear = ParamsClear;
  mParams.request_flush = ParamsRequestFlush;
  mLatency.changed = options.latencyHasChanged ? LatencyChanged : nullptr;
  mTail.changed = TailChanged;
  mState.mark_dirty = StateMarkDirty;
  mTrackInfo.get = options.trackInfoHasGet ? TrackInfoGet : nullptr;
  mGui.resize_hints_changed = GuiResizeHintsChanged;
  mGui.request_resize = GuiRequestResize;
  mGui.request_show = GuiRequestShowOrHide;
  mGui.request_hide = GuiRequestShowOrHide;
  mGui.closed = GuiClosed;
}

TestHost::~TestHost() = default;

TestHost* TestHost::From(const clap_host_t* host) noexcept
{
  return host ? static_cast<TestHost*>(host->host_data) : nullptr;
}

// ---- threads ---------------------------------------------------------------------

void TestHost::RunOnAudioThread(const std::function<void()>& work)
{
  std::thread audio([this, &work] {
    mAudioThread.store(std::this_thread::get_id());
    work();
    mAudioThread.store(std::thread::id());
  });
  audio.join();
}

bool TestHost::OnMainThread() const noexcept
{
  return std::this_thread::get_id() == mMainThread;
}

bool TestHost::OnAudioThread() const noexcept
{
  return std::this_thread::get_id() == mAudioThread.load();
}

// ---- observations ------------------------------------------------------------------

void TestHost::AddViolation(const std::string& what)
{
  std::lock_guard<std::mutex> lock(mMutex);
  mViolations.push_back(what);
}

std::vector<std::string> TestHost::Violations() const
{
  std::lock_guard<std::mutex> lock(mMutex);
  return mViolations;
}

std::vector<LogLine> TestHost::Logs() const
{
  std::lock_guard<std::mutex> lock(mMutex);
  return mLogs;
}

void TestHost::ClearObservations()
{
  std::lock_guard<std::mutex> lock(mMutex);
  mViolations.clear();
  mLogs.clear();
}

void TestHost::CheckInitCalled(const char* call)
{
  if (!mInitCalled)
    AddViolation(std::string(call) + " called before plugin init (create_plugin must not call the host)");
}

void TestHost::CheckMainThread(const char* call)
{
  if (!OnMainThread())
    AddViolation(std::string(call) + " called off the main thread");
}

// ---- host record -------------------------------------------------------------------------

const void* CLAP_ABI TestHost::GetExtension(const clap_host_t* host, const char* id)
{
  TestHost* self = From(host);
  if (!self || !id)
    return nullptr;
  self->CheckInitCalled("clap_host.get_extension");
  ++self->extensionQueries;
  const TestHostOptions& o = self->mOptions;
  if (o.offerLog && !std::strcmp(id, CLAP_EXT_LOG))
    return &self->mLog;
  if (o.offerThreadCheck && !std::strcmp(id, CLAP_EXT_THREAD_CHECK))
    return &self->mThreadCheck;
  if (o.offerParams && !std::strcmp(id, CLAP_EXT_PARAMS))
    return &self->mParams;
  if (o.offerLatency && !std::strcmp(id, CLAP_EXT_LATENCY))
    return &self->mLatency;
  if (o.offerTail && !std::strcmp(id, CLAP_EXT_TAIL))
    return &self->mTail;
  if (o.offerState && !std::strcmp(id, CLAP_EXT_STATE))
    return &self->mState;
  if (o.offerGui && !std::strcmp(id, CLAP_EXT_GUI))
    return &self->mGui;
  if (o.offerTrackInfo)
  {
    if (!std::strcmp(id, CLAP_EXT_TRACK_INFO_COMPAT) || (!o.trackInfoDraftIdOnly && !std::strcmp(id, CLAP_EXT_TRACK_INFO)))
      return &self->mTrackInfo;
  }
  return nullptr;
}

void CLAP_ABI TestHost::RequestRestart(const clap_host_t* host)
{
  TestHost* self = From(host);
  if (!self)
    return;
  self->CheckInitCalled("clap_host.request_restart");
  ++self->restartRequests;
  self->mRestartRequested = true;
}

void CLAP_ABI TestHost::RequestProcess(const clap_host_t* host)
{
  TestHost* self = From(host);
  if (!self)
    return;
  self->CheckInitCalled("clap_host.request_process");
  ++self->processRequests;
}

void CLAP_ABI TestHost::RequestCallback(const clap_host_t* host)
{
  TestHost* self = From(host);
  if (!self)
    return;
  self->CheckInitCalled("clap_host.request_callback");
  ++self->callbackRequests;
  self->mCallbackRequested = true;
}

void CLAP_ABI TestHost::Log(const clap_host_t* host, clap_log_severity severity, const char* msg)
{
  TestHost* self = From(host);
  if (!self)
    return;
  std::lock_guard<std::mutex> lock(self->mMutex);
  self->mLogs.push_back(LogLine{severity, msg ? msg : "(null)"});
}

bool CLAP_ABI TestHost::IsMainThread(const clap_host_t* host)
{
  TestHost* self = From(host);
  return self && self->OnMainThread();
}

bool CLAP_ABI TestHost::IsAudioThread(const clap_host_t* host)
{
  TestHost* self = From(host);
  return self && self->OnAudioThread();
}

void CLAP_ABI TestHost::ParamsRescan(const clap_host_t* host, clap_param_rescan_flags flags)
{
  TestHost* self = From(host);
  if (!self)
    return;
  self->CheckInitCalled("clap_host_params.rescan");
  self->CheckMainThread("clap_host_params.rescan");
  if ((flags & CLAP_PARAM_RESCAN_ALL) && self->mActive)
    self->AddViolation("clap_host_params.rescan(CLAP_PARAM_RESCAN_ALL) while active");
  ++self->rescans;
  self->lastRescanFlags = flags;
}

void CLAP_ABI TestHost::ParamsClear(const clap_host_t* host, clap_id, clap_param_clear_flags)
{
  TestHost* self = From(host);
  if (!self)
    return;
  self->CheckInitCalled("clap_host_params.clear");
  self->CheckMainThread("clap_host_params.clear");
}

void CLAP_ABI TestHost::ParamsRequestFlush(const clap_host_t* host)
{
  TestHost* self = From(host);
  if (!self)
    return;
  self->CheckInitCalled("clap_host_params.request_flush");
  if (self->OnAudioThread())
    self->AddViolation("clap_host_params.request_flush called on the audio thread");
  ++self->flushRequests;
  self->mFlushRequested = true;
}

void CLAP_ABI TestHost::LatencyChanged(const clap_host_t* host)
{
  TestHost* self = From(host);
  if (!self)
    return;
  self->CheckInitCalled("clap_host_latency.changed");
  self->CheckMainThread("clap_host_latency.changed");
  if (!self->mActivating)
    self->AddViolation("clap_host_latency.changed called outside clap_plugin.activate");
  ++self->latencyChanged;
}

void CLAP_ABI TestHost::TailChanged(const clap_host_t* host)
{
  TestHost* self = From(host);
  if (!self)
    return;
  self->CheckInitCalled("clap_host_tail.changed");
  if (!self->OnAudioThread())
    self->AddViolation("clap_host_tail.changed called off the audio thread");
  ++self->tailChanged;
}

void CLAP_ABI TestHost::StateMarkDirty(const clap_host_t* host)
{
  TestHost* self = From(host);
  if (!self)
    return;
  self->CheckInitCalled("clap_host_state.mark_dirty");
  self->CheckMainThread("clap_host_state.mark_dirty");
  ++self->stateMarkedDirty;
}

bool CLAP_ABI TestHost::TrackInfoGet(const clap_host_t* host, clap_track_info_t* info)
{
  TestHost* self = From(host);
  if (!self || !info)
    return false;
  self->CheckInitCalled("clap_host_track_info.get");
  self->CheckMainThread("clap_host_track_info.get");
  ++self->trackInfoQueries;
  std::memset(info, 0, sizeof(*info));
  info->flags = CLAP_TRACK_INFO_HAS_TRACK_NAME;
  std::strcpy(info->name, "Track 1");
  if (self->mOptions.trackInfoHasChannels)
  {
    info->flags |= CLAP_TRACK_INFO_HAS_AUDIO_CHANNEL;
    info->audio_channel_count = self->mOptions.trackChannels;
    info->audio_port_type = self->mOptions.trackChannels == 2 ? CLAP_PORT_STEREO : nullptr;
  }
  else
  {
    // Not valid without the flag: a plug-in that reads it anyway sees nonsense.
    info->audio_channel_count = -7;
  }
  return true;
}

// The editor is embedded and never asks to be shown, hidden or closed by the
// host, and it offers no resize hints.
void CLAP_ABI TestHost::GuiResizeHintsChanged(const clap_host_t* host)
{
  if (TestHost* self = From(host))
    self->AddViolation("clap_host_gui.resize_hints_changed from a plug-in without resize hints");
}

bool CLAP_ABI TestHost::GuiRequestResize(const clap_host_t* host, uint32_t width, uint32_t height)
{
  TestHost* self = From(host);
  if (!self)
    return false;
  self->CheckInitCalled("clap_host_gui.request_resize");
  ++self->resizeRequests;
  self->lastResizeWidth = width;
  self->lastResizeHeight = height;
  if (self->onResizeRequest)
    return self->onResizeRequest(width, height);
  return self->resizeAnswer.load();
}

bool CLAP_ABI TestHost::GuiRequestShowOrHide(const clap_host_t* host)
{
  if (TestHost* self = From(host))
    self->AddViolation("clap_host_gui.request_show/hide from an embedded editor");
  return false;
}

void CLAP_ABI TestHost::GuiClosed(const clap_host_t* host, bool)
{
  if (TestHost* self = From(host))
    self->AddViolation("clap_host_gui.closed from an embedded editor");
}

} // namespace claphost
