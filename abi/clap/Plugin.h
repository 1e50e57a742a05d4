#pragma once
// Glue between the CLAP function-pointer interface and virtual methods.
// Plugin<0, 0>: the callbacks check nothing about the host's call order
// beyond what keeps the plug-in safe (no process while inactive, no block
// longer than the activated maximum); host misbehaviour is logged, never
// fatal. Every callback catches everything: no exception crosses into the
// host, which receives the standard's failure answer instead.
#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

#include "abi/clap/Clap.h"
#include "abi/clap/ClapOtherExtensionsAbi.h"
#include "abi/clap/HostConnection.h"

namespace clap {
namespace helpers {

template <int kCheckingLevel, int kMisbehaviourHandler>
class Plugin;

template <>
class Plugin<0, 0>
{
public:
  Plugin(const clap_plugin_descriptor_t* desc, const clap_host_t* host) noexcept;
  virtual ~Plugin();

  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;

  // The record handed to the host.
  const clap_plugin_t* ClapPlugin() const noexcept { return &mPlugin; }
  static Plugin* FromClap(const clap_plugin_t* plugin) noexcept;

  // ---- logging --------------------------------------------------------------
  // OnLog first, then the host's log, else standard error.
  void Log(clap_log_severity severity, const char* message) const noexcept;

  // ---- main-thread tasks ------------------------------------------------------
  // Runs the task at once when the host confirms this is its main thread;
  // otherwise queues it and asks the host for on_main_thread.
  void RunOnMainThread(std::function<void()> task);
  void RunQueuedMainThreadCallbacks();

  // ---- marks (active and processing are read across threads) -------------------
  bool IsInitCalled() const noexcept { return mInitCalled; }
  bool IsActivated() const noexcept { return mActive.load(std::memory_order_acquire); }
  bool IsActivating() const noexcept { return mActivating.load(std::memory_order_acquire); }
  bool IsProcessingStarted() const noexcept { return mProcessing.load(std::memory_order_acquire); }
  bool IsBeingDestroyed() const noexcept { return mDestroyBegun; }
  double ActiveSampleRate() const noexcept { return mSampleRate; }
  uint32_t ActiveMaxFrames() const noexcept { return mMaxFrames; }
  bool IsGuiCreated() const noexcept { return mGuiCreated; }
  bool IsGuiFloating() const noexcept { return mGuiFloating; }
  bool IsGuiEmbedded() const noexcept { return mGuiEmbedded; }
  const std::string& GuiApi() const noexcept { return mGuiApi; }

  const HostConnection& Host() const noexcept { return mHost; }

protected:
  // The virtual operations, in their fixed slot order. The defaults answer as
  // a plug-in that offers nothing.
  // ---- life cycle -------------------------------------------------------------------------------
  virtual bool Init() { return true; }
  virtual bool Activate(double sampleRate, uint32_t minFrames, uint32_t maxFrames) { return true; }
  virtual void Deactivate() {}
  virtual bool StartProcessing() { return true; }
  virtual void StopProcessing() {}
  virtual clap_process_status Process(const clap_process_t* process) noexcept { return CLAP_PROCESS_SLEEP; }
  virtual void Reset() noexcept {}
  virtual void OnMainThread() {}
  virtual const void* GetExtension(const char* id) { return nullptr; }
  // Drafts are looked up only when this answers true.
  virtual bool OffersDraftExtensions() const { return false; }

  // ---- latency, tail, render, thread pool -------------------------------------------------------
  virtual bool SupportsLatency() const { return false; }
  virtual uint32_t LatencyGet() const { return 0; }
  virtual bool SupportsTail() const { return false; }
  virtual uint32_t TailGet() const { return 0; }
  virtual bool SupportsRender() const { return false; }
  virtual bool RenderHasHardRealtimeRequirement() const { return false; }
  virtual bool RenderSet(clap_plugin_render_mode mode) { return false; }
  virtual bool SupportsThreadPool() const { return false; }
  virtual void ThreadPoolExec(uint32_t task) noexcept {}

  // ---- state and presets ------------------------------------------------------------------------
  virtual bool SupportsState() const { return false; }
  virtual bool StateSave(const clap_ostream_t* stream) { return false; }
  virtual bool StateLoad(const clap_istream_t* stream) { return false; }
  virtual bool SupportsStateContext() const { return false; }
  virtual bool StateContextSave(const clap_ostream_t* stream, uint32_t context) { return StateSave(stream); }
  virtual bool StateContextLoad(const clap_istream_t* stream, uint32_t context) { return StateLoad(stream); }
  virtual bool SupportsPresetLoad() const { return false; }
  virtual bool PresetLoadFromLocation(uint32_t kind, const char* location, const char* key) { return false; }

  // ---- track info -------------------------------------------------------------------------------
  virtual bool SupportsTrackInfo() const { return false; }
  virtual void TrackInfoChanged() {}

  // ---- audio ports ------------------------------------------------------------------------------
  virtual bool SupportsAudioPorts() const { return false; }
  virtual uint32_t AudioPortsCount(bool isInput) const { return 0; }
  virtual bool AudioPortsGet(uint32_t index, bool isInput, clap_audio_port_info_t* info) const { return false; }
  virtual bool SupportsAudioPortsConfig() const { return false; }
  virtual uint32_t AudioPortsConfigCount() const { return 0; }
  virtual bool AudioPortsConfigGet(uint32_t index, clap_audio_ports_config_t* config) const { return false; }
  virtual bool AudioPortsConfigSelect(clap_id configId) { return false; }
  virtual bool SupportsAudioPortsActivation() const { return false; }
  virtual bool AudioPortsActivationCanActivateWhileProcessing() const { return false; }
  virtual bool AudioPortsActivationSetActive(bool isInput, uint32_t port, bool active, uint32_t sampleSize) noexcept
  {
    return false;
  }
  virtual bool SupportsConfigurableAudioPorts() const { return false; }
  virtual bool ConfigurableAudioPortsCanApplyConfiguration(const clap_audio_port_configuration_request_t* requests,
                                                           uint32_t count) const
  {
    return false;
  }
  virtual bool ConfigurableAudioPortsApplyConfiguration(const clap_audio_port_configuration_request_t* requests,
                                                        uint32_t count)
  {
    return false;
  }
  virtual bool SupportsSurround() const { return false; }
  virtual bool SurroundIsChannelMaskSupported(uint64_t mask) const { return false; }
  virtual uint32_t SurroundGetChannelMap(bool isInput, uint32_t port, uint8_t* map, uint32_t capacity) const
  {
    return 0;
  }

  // ---- params -----------------------------------------------------------------------------------
  virtual bool SupportsParams() const { return false; }
  virtual uint32_t ParamsCount() const { return 0; }
  virtual bool ParamsGetInfo(uint32_t paramIndex, clap_param_info_t* info) const { return false; }
  virtual bool ParamsGetValue(clap_id paramId, double* value) { return false; }
  virtual bool ParamsValueToText(clap_id paramId, double value, char* display, uint32_t size) { return false; }
  virtual bool ParamsTextToValue(clap_id paramId, const char* display, double* value) { return false; }
  virtual void ParamsFlush(const clap_input_events_t* in, const clap_output_events_t* out) noexcept {}
  // Index of the parameter with that id, UINT32_MAX when there is none.
  virtual uint32_t FindParamIndex(clap_id paramId) const;
  virtual bool IsValidParamId(clap_id paramId) const { return FindParamIndex(paramId) != UINT32_MAX; }
  virtual bool FindParamInfo(clap_id paramId, clap_param_info_t* info) const { return false; }
  virtual bool SupportsParamIndication() const { return false; }
  virtual void ParamIndicationSetMapping(clap_id id, bool hasMapping, const clap_color_t* color, const char* label,
                                         const char* description)
  {
  }
  virtual void ParamIndicationSetAutomation(clap_id id, uint32_t state, const clap_color_t* color) {}

  // ---- remote controls, note ports, note names --------------------------------------------------
  virtual bool SupportsRemoteControls() const { return false; }
  virtual uint32_t RemoteControlsCount() const { return 0; }
  virtual bool RemoteControlsGet(uint32_t page, clap_remote_controls_page_t* out) const { return false; }
  virtual bool SupportsNotePorts() const { return false; }
  virtual uint32_t NotePortsCount(bool isInput) const { return 0; }
  virtual bool NotePortsGet(uint32_t index, bool isInput, clap_note_port_info_t* info) const { return false; }
  virtual bool SupportsNoteName() const { return false; }
  virtual uint32_t NoteNameCount() const { return 0; }
  virtual bool NoteNameGet(uint32_t index, clap_note_name_t* out) const { return false; }

  // ---- timers and file descriptors --------------------------------------------------------------
  virtual bool SupportsTimerSupport() const { return false; }
  virtual void TimerSupportOnTimer(clap_id timer) {}
  virtual bool SupportsPosixFdSupport() const { return false; }
  virtual void PosixFdSupportOnFd(int fd, clap_posix_fd_flags_t flags) {}

  // ---- gui --------------------------------------------------------------------------------------
  virtual bool SupportsGui() const { return false; }
  virtual bool GuiIsApiSupported(const char* api, bool isFloating) { return false; }
  virtual bool GuiGetPreferredApi(const char** api, bool* isFloating) { return false; }
  virtual bool GuiCreate(const char* api, bool isFloating) { return false; }
  virtual void GuiDestroy() {}
  virtual bool GuiSetScale(double scale) { return false; }
  virtual bool GuiShow() { return false; }
  virtual bool GuiHide() { return false; }
  virtual bool GuiGetSize(uint32_t* width, uint32_t* height) { return false; }
  virtual bool GuiCanResize() const { return false; }
  virtual bool GuiGetResizeHints(clap_gui_resize_hints_t* hints) { return false; }
  virtual bool GuiAdjustSize(uint32_t* width, uint32_t* height) { return GuiGetSize(width, height); }
  virtual bool GuiSetSize(uint32_t width, uint32_t height) { return false; }
  virtual void GuiSuggestTitle(const char* title) {}
  virtual bool GuiSetParent(const clap_window_t* window) { return false; }
  virtual bool GuiSetTransient(const clap_window_t* window) { return false; }

  // ---- the other extensions: none offered by default --------------------------------------------
  virtual bool SupportsContextMenu() const { return false; }
  virtual bool ContextMenuPopulate(const clap_context_menu_target_t* target, const clap_context_menu_builder_t* builder)
  {
    return false;
  }
  virtual bool ContextMenuPerform(const clap_context_menu_target_t* target, clap_id action) { return false; }
  virtual bool SupportsResourceDirectory() const { return false; }
  virtual void ResourceDirectorySetDirectory(const char* path, bool isShared) {}
  virtual void ResourceDirectoryCollect(bool all) {}
  virtual uint32_t ResourceDirectoryGetFilesCount() const { return 0; }
  virtual int32_t ResourceDirectoryGetFilePath(uint32_t index, char* path, uint32_t size) const { return -1; }
  virtual bool SupportsVoiceInfo() const { return false; }
  virtual bool VoiceInfoGet(clap_voice_info_t* info) const { return false; }
  virtual bool SupportsUndoDelta() const { return false; }
  virtual void UndoDeltaGetDeltaProperties(clap_undo_delta_properties_t* properties) {}
  virtual bool UndoDeltaCanUseDeltaFormatVersion(clap_id version) { return false; }
  virtual bool UndoDeltaUndo(clap_id version, const void* delta, size_t size) { return false; }
  virtual bool UndoDeltaRedo(clap_id version, const void* delta, size_t size) { return false; }
  virtual bool SupportsUndoContext() const { return false; }
  virtual void UndoContextSetCanUndo(bool canUndo) {}
  virtual void UndoContextSetCanRedo(bool canRedo) {}
  virtual void UndoContextSetUndoName(const char* name) {}
  virtual void UndoContextSetRedoName(const char* name) {}
  virtual bool SupportsProjectLocation() const { return false; }
  virtual void ProjectLocationSet(const clap_project_location_element_t* path, uint32_t count) {}
  virtual bool SupportsGainAdjustmentMetering() const { return false; }
  virtual double GainAdjustmentMeteringGet() noexcept { return 0.0; }
  virtual bool SupportsMiniCurveDisplay() const { return false; }
  virtual uint32_t MiniCurveDisplayGetCurveCount() const { return 0; }
  virtual uint32_t MiniCurveDisplayRender(clap_mini_curve_display_curve_data_t* curves, uint32_t count) { return 0; }
  virtual void MiniCurveDisplaySetObserved(bool observed) {}
  virtual bool MiniCurveDisplayGetAxisName(uint32_t curve, char* xName, char* yName, uint32_t capacity) const
  {
    return false;
  }
  virtual bool SupportsWebview() const { return false; }
  virtual int32_t WebviewGetUri(char* uri, uint32_t capacity) { return 0; }
  virtual bool WebviewGetResource(const char* path, char* mime, uint32_t capacity, const clap_ostream_t* stream)
  {
    return false;
  }
  virtual bool WebviewReceive(const void* buffer, uint32_t size) { return false; }

  // ---- logging hook -----------------------------------------------------------------------------
  virtual void OnLog(clap_log_severity severity, const char* message) const noexcept {}

  HostConnection mHost;

private:
  static bool CLAP_ABI InitCallback(const clap_plugin_t* plugin);
  static void CLAP_ABI DestroyCallback(const clap_plugin_t* plugin);
  static bool CLAP_ABI ActivateCallback(const clap_plugin_t* plugin, double rate, uint32_t minFrames,
                                        uint32_t maxFrames);
  static void CLAP_ABI DeactivateCallback(const clap_plugin_t* plugin);
  static bool CLAP_ABI StartProcessingCallback(const clap_plugin_t* plugin);
  static void CLAP_ABI StopProcessingCallback(const clap_plugin_t* plugin);
  static void CLAP_ABI ResetCallback(const clap_plugin_t* plugin);
  static clap_process_status CLAP_ABI ProcessCallback(const clap_plugin_t* plugin, const clap_process_t* process);
  static const void* CLAP_ABI GetExtensionCallback(const clap_plugin_t* plugin, const char* id);
  static void CLAP_ABI OnMainThreadCallback(const clap_plugin_t* plugin);

  const void* LookUpExtension(const char* id);
  const void* LookUpOtherExtension(const char* id);
  friend struct PluginExtensions;
  friend struct PluginOtherExtensions;

  clap_plugin_t mPlugin;
  bool mInitCalled = false;
  std::atomic<bool> mActive{false};
  std::atomic<bool> mActivating{false};
  std::atomic<bool> mProcessing{false};
  bool mDestroyBegun = false;
  double mSampleRate = 0.0;
  uint32_t mMaxFrames = 0;

  std::string mGuiApi;
  bool mGuiFloating = false;
  bool mGuiCreated = false;
  bool mGuiEmbedded = false;

  std::mutex mTaskMutex;
  std::deque<std::function<void()>> mTasks;
};

} // namespace helpers
} // namespace clap
