#pragma once
// A CLAP host for tests: one host record per plug-in instance. It offers the
// host extensions a plug-in commonly uses (log, thread-check, params,
// latency, tail, state, optionally track-info) and checks every call the plug-in
// makes into it against the standard's thread and call-order rules; a broken
// rule is recorded as a violation instead of being tolerated silently.
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "abi/clap/Clap.h"

namespace claphost {

struct TestHostOptions
{
  const char* name = "Murkwisp Test Host";
  const char* version = "1.2.3";
  bool nullGetExtension = false;  // a host with no extensions at all
  bool offerLog = true;
  bool offerThreadCheck = true;
  bool offerParams = true;
  bool offerLatency = true;
  bool latencyHasChanged = true;
  bool offerTail = true;
  bool offerState = true;
  bool offerGui = true;
  bool offerTrackInfo = false;
  bool trackInfoDraftIdOnly = false;
  bool trackInfoHasGet = true;
  bool trackInfoHasChannels = true;
  int32_t trackChannels = 2;
};

struct LogLine
{
  clap_log_severity severity;
  std::string text;
};

class TestHost
{
public:
  explicit TestHost(TestHostOptions options = TestHostOptions());
  ~TestHost();
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  const clap_host_t* Clap() const noexcept { return &mHost; }
  const TestHostOptions& Options() const noexcept { return mOptions; }

  // ---- phases, kept by the hosted plug-in ---------------------------------------
  void SetInitCalled(bool v) noexcept { mInitCalled = v; }
  void SetActivating(bool v) noexcept { mActivating = v; }
  void SetActive(bool v) noexcept { mActive = v; }
  void SetProcessing(bool v) noexcept { mProcessing = v; }
  bool IsActive() const noexcept { return mActive; }
  bool IsProcessing() const noexcept { return mProcessing; }

  // ---- threads ----------------------------------------------------------------------
  // The main thread is the one that built the host. Audio work runs on a
  // separate thread, the call blocks until it is done.
  void RunOnAudioThread(const std::function<void()>& work);
  bool OnMainThread() const noexcept;
  bool OnAudioThread() const noexcept;

  // ---- observations --------------------------------------------------------------------
  void AddViolation(const std::string& what);
  std::vector<std::string> Violations() const;
  std::vector<LogLine> Logs() const;
  void ClearObservations();

  bool TakeCallbackRequest() noexcept { return mCallbackRequested.exchange(false); }
  bool TakeFlushRequest() noexcept { return mFlushRequested.exchange(false); }
  bool TakeRestartRequest() noexcept { return mRestartRequested.exchange(false); }

  std::atomic<int> callbackRequests{0};
  std::atomic<int> flushRequests{0};
  std::atomic<int> restartRequests{0};
  std::atomic<int> processRequests{0};
  std::atomic<int> latencyChanged{0};
  std::atomic<int> tailChanged{0};
  std::atomic<int> rescans{0};
  std::atomic<uint32_t> lastRescanFlags{0};
  std::atomic<int> stateMarkedDirty{0};
  std::atomic<int> trackInfoQueries{0};
  std::atomic<int> extensionQueries{0};
  // The gui extension: resize requests, the size last asked for, and the
  // host's answer (false: a host that refuses).
  std::atomic<int> resizeRequests{0};
  std::atomic<uint32_t> lastResizeWidth{0};
  std::atomic<uint32_t> lastResizeHeight{0};
  std::atomic<bool> resizeAnswer{true};
  // When set, a host that acts on request_resize (main thread): its answer
  // replaces resizeAnswer.
  std::function<bool(uint32_t width, uint32_t height)> onResizeRequest;

private:
  static TestHost* From(const clap_host_t* host) noexcept;
  static const void* CLAP_ABI GetExtension(const clap_host_t* host, const char* id);
  static void CLAP_ABI RequestRestart(const clap_host_t* host);
  static void CLAP_ABI RequestProcess(const clap_host_t* host);
  static void CLAP_ABI RequestCallback(const clap_host_t* host);
  static void CLAP_ABI Log(const clap_host_t* host, clap_log_severity severity, const char* msg);
  static bool CLAP_ABI IsMainThread(const clap_host_t* host);
  static bool CLAP_ABI IsAudioThread(const clap_host_t* host);
  static void CLAP_ABI ParamsRescan(const clap_host_t* host, clap_param_rescan_flags flags);
  static void CLAP_ABI ParamsClear(const clap_host_t* host, clap_id id, clap_param_clear_flags flags);
  static void CLAP_ABI ParamsRequestFlush(const clap_host_t* host);
  static void CLAP_ABI LatencyChanged(const clap_host_t* host);
  static void CLAP_ABI TailChanged(const clap_host_t* host);
  static void CLAP_ABI StateMarkDirty(const clap_host_t* host);
  static bool CLAP_ABI TrackInfoGet(const clap_host_t* host, clap_track_info_t* info);
  static void CLAP_ABI GuiResizeHintsChanged(const clap_host_t* host);
  static bool CLAP_ABI GuiRequestResize(const clap_host_t* host, uint32_t width, uint32_t height);
  static bool CLAP_ABI GuiRequestShowOrHide(const clap_host_t* host);
  static void CLAP_ABI GuiClosed(const clap_host_t* host, bool wasDestroyed);

  // A call the plug-in may make only after init.
  void CheckInitCalled(const char* call);
  void CheckMainThread(const char* call);

  TestHostOptions mOptions;
  clap_host_t mHost;
  clap_host_log_t mLog;
  clap_host_thread_check_t mThreadCheck;
  clap_host_params_t mParams;
  clap_host_latency_t mLatency;
  clap_host_tail_t mTail;
  clap_host_state_t mState;
  clap_host_track_info_t mTrackInfo;
  clap_host_gui_t mGui;

  std::thread::id mMainThread;
  std::atomic<std::thread::id> mAudioThread{};
  std::atomic<bool> mInitCalled{false};
  std::atomic<bool> mActivating{false};
  std::atomic<bool> mActive{false};
  std::atomic<bool> mProcessing{false};
  std::atomic<bool> mCallbackRequested{false};
  std::atomic<bool> mFlushRequested{false};
  std::atomic<bool> mRestartRequested{false};

  mutable std::mutex mMutex;
  std::vector<std::string> mViolations;
  std::vector<LogLine> mLogs;
};

} // namespace claphost
