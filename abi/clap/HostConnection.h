#pragma once
// The plug-in's view of the CLAP host: the host record and the host's
// extension tables, looked up once in init. Every call towards the host goes
// through here, and each function pointer is checked before it is called, so
// a host that lacks an extension or a function in one is tolerated.
#include "abi/clap/Clap.h"

namespace clap {
namespace helpers {

class HostConnection
{
public:
  explicit HostConnection(const clap_host_t* host) noexcept : host(host) {}

  // Main thread, from the plug-in's init callback (never from create_plugin:
  // the standard forbids host calls before init).
  void QueryHostExtensions() noexcept;

  // ---- what the wrapper calls (each answers false / does nothing when the
  // host lacks the extension or the function) ----
  bool HasThreadCheck() const noexcept;
  bool IsMainThread() const noexcept; // false without thread check
  bool RequestCallback() const noexcept;
  bool RequestRestart() const noexcept;
  bool RequestFlush() const noexcept;
  bool LatencyChanged() const noexcept;
  // Audio thread: the plug-in's tail has changed.
  bool TailChanged() const noexcept;
  bool RescanParams(uint32_t flags) const noexcept;
  bool MarkStateDirty() const noexcept;
  bool RequestResize(uint32_t width, uint32_t height) const noexcept;
  // True when the host wrote track info (the caller still checks its flags).
  bool GetTrackInfo(clap_track_info_t& info) const noexcept;
  // True when the host's log took the message.
  bool LogToHost(clap_log_severity severity, const char* msg) const noexcept;

  const clap_host_t* host;
  const clap_host_log_t* log = nullptr;
  const clap_host_thread_check_t* threadCheck = nullptr;
  const void* threadPool = nullptr;
  const clap_host_audio_ports_t* audioPorts = nullptr;
  const void* audioPortsConfig = nullptr;
  const clap_host_note_ports_t* notePorts = nullptr;
  const void* resourceDirectory = nullptr;
  const clap_host_latency_t* latency = nullptr;
  const clap_host_gui_t* gui = nullptr;
  const void* timerSupport = nullptr;
  const void* posixFdSupport = nullptr;
  const clap_host_params_t* params = nullptr;
  const clap_host_track_info_t* trackInfo = nullptr;
  const clap_host_state_t* state = nullptr;
  const void* noteName = nullptr;
  const void* remoteControls = nullptr;
  const void* voiceInfo = nullptr;
  const clap_host_tail_t* tail = nullptr;
  const void* contextMenu = nullptr;
  const void* presetLoad = nullptr;
  const void* undo = nullptr;
  const void* scratchMemory = nullptr;
  const void* miniCurveDisplay = nullptr;
  const void* webview = nullptr;

private:
  const void* Lookup(const char* id) const noexcept;
  const void* Lookup(const char* id, const char* compatId) const noexcept;
};

} // namespace helpers
} // namespace clap
