#include "abi/clap/HostConnection.h"

namespace clap {
namespace helpers {

const void* HostConnection::Lookup(const char* id) const noexcept
{
  if (!host || !host->get_extension)
    return nullptr;
  return host->get_extension(host, id);
}

const void* HostConnection::Lookup(const char* id, const char* compatId) const noexcept
{
  const void* ext = Lookup(id);
  return ext ? ext : Lookup(compatId);
}

void HostConnection::QueryHostExtensions() noexcept
{
  log = static_cast<const clap_host_log_t*>(Lookup(CLAP_EXT_LOG));
  threadCheck = static_cast<const clap_host_thread_check_t*>(Lookup(CLAP_EXT_THREAD_CHECK));
  threadPool = Lookup(CLAP_EXT_THREAD_POOL);
  audioPorts = static_cast<const clap_host_audio_ports_t*>(Lookup(CLAP_EXT_AUDIO_PORTS));
  audioPortsConfig = Lookup(CLAP_EXT_AUDIO_PORTS_CONFIG);
  notePorts = static_cast<const clap_host_note_ports_t*>(Lookup(CLAP_EXT_NOTE_PORTS));
  timerSupport = Lookup(CLAP_EXT_TIMER_SUPPORT);
  posixFdSupport = Lookup(CLAP_EXT_POSIX_FD_SUPPORT);
  resourceDirectory = Lookup(CLAP_EXT_RESOURCE_DIRECTORY);
  latency = static_cast<const clap_host_latency_t*>(Lookup(CLAP_EXT_LATENCY));
  tail = static_cast<const clap_host_tail_t*>(Lookup(CLAP_EXT_TAIL));
  gui = static_cast<const clap_host_gui_t*>(Lookup(CLAP_EXT_GUI));
  params = static_cast<const clap_host_params_t*>(Lookup(CLAP_EXT_PARAMS));
  trackInfo = static_cast<const clap_host_track_info_t*>(Lookup(CLAP_EXT_TRACK_INFO, CLAP_EXT_TRACK_INFO_COMPAT));
  state = static_cast<const clap_host_state_t*>(Lookup(CLAP_EXT_STATE));
  noteName = Lookup(CLAP_EXT_NOTE_NAME);
  remoteControls = Lookup(CLAP_EXT_REMOTE_CONTROLS, CLAP_EXT_REMOTE_CONTROLS_COMPAT);
  voiceInfo = Lookup(CLAP_EXT_VOICE_INFO);
  contextMenu = Lookup(CLAP_EXT_CONTEXT_MENU, CLAP_EXT_CONTEXT_MENU_COMPAT);
  presetLoad = Lookup(CLAP_EXT_PRESET_LOAD, CLAP_EXT_PRESET_LOAD_COMPAT);
  undo = Lookup(CLAP_EXT_UNDO);
  scratchMemory = Lookup(CLAP_EXT_SCRATCH_MEMORY);
  miniCurveDisplay = Lookup(CLAP_EXT_MINI_CURVE_DISPLAY);
  webview = Lookup(CLAP_EXT_WEBVIEW);
}

bool HostConnection::HasThreadCheck() const noexcept
{
  return threadCheck && threadCheck->is_main_thread && threadCheck->is_audio_thread;
}

bool HostConnection::IsMainThread() const noexcept { return HasThreadCheck() && threadCheck->is_main_thread(host); }

bool HostConnection::RequestCallback() const noexcept
{
  if (!host || !host->request_callback)
    return false;
  host->request_callback(host);
  return true;
}

bool HostConnection::RequestRestart() const noexcept
{
  if (!host || !host->request_restart)
    return false;
  host->request_restart(host);
  return true;
}

bool HostConnection::RequestFlush() const noexcept
{
  if (!params || !params->request_flush)
    return false;
  params->request_flush(host);
  return true;
}

bool HostConnection::LatencyChanged() const noexcept
{
  if (!latency || !latency->changed)
    return false;
  latency->changed(host);
  return true;
}

bool HostConnection::TailChanged() const noexcept
{
  if (!tail || !tail->changed)
    return false;
  tail->changed(host);
  return true;
}

bool HostConnection::RescanParams(uint32_t flags) const noexcept
{
  if (!params || !params->rescan)
    return false;
  params->rescan(host, flags);
  return true;
}

bool HostConnection::MarkStateDirty() const noexcept
{
  if (!state || !state->mark_dirty)
    return false;
  state->mark_dirty(host);
  return true;
}

bool HostConnection::RequestResize(uint32_t width, uint32_t height) const noexcept
{
  if (!gui || !gui->request_resize)
    return false;
  gui->request_resize(host, width, height);
  return true;
}

bool HostConnection::GetTrackInfo(clap_track_info_t& info) const noexcept
{
  if (!trackInfo || !trackInfo->get)
    return false;
  return trackInfo->get(host, &info);
}

bool HostConnection::LogToHost(clap_log_severity severity, const char* msg) const noexcept
{
  if (!log || !log->log)
    return false;
  log->log(host, severity, msg ? msg : "");
  return true;
}

} // namespace helpers
} // namespace clap
