#pragma once
// The framework's adapter between the CLAP plug-in interface and the plug-in
// bases: lifetime, activation, processing, events, the parameter-to-host ring
// and the extensions (params, state, ports, latency, tail, render, gui). The
// plug-in class derives from it in the CLAP build (plugin/format/Murkwisp.h).
//
// Threads: construction, init, activate, deactivate, destroy, the extension
// calls and on_main_thread come on the host's main thread; process, reset,
// start/stop_processing on its audio thread (params flush on either, never
// concurrently with process). Parameter values cross by atomic stores; the
// editor's gestures and values reach the host through a lock-free ring.
#include <atomic>
#include <cstdint>
#include <vector>

#include "abi/clap/Clap.h"
#include "abi/clap/Plugin.h"
#include "base/ILockFreeRing.h"
#include "framework/ITimedQueue.h"
#include "framework/IFxAPIBase.h"
#include "framework/IFxProcessor.h"

namespace ifx {

// What the factory hands to the plug-in constructor.
struct InstanceInfo
{
  const clap_plugin_descriptor_t* desc = nullptr;
  const clap_host_t* host = nullptr;
};

// One entry of the parameter-to-host ring.
struct IHostParamChange
{
  enum EType : int32_t
  {
    kBeginGesture = 0,
    kValue = 1,
    kEndGesture = 2
  };
  int32_t type = kValue;
  int32_t idx = 0;
  double value = 0.0; // kValue: in the units the host sees
};

class IFxCLAP
  : public IFxAPIBase
  , public IFxProcessor
  , public clap::helpers::Plugin<0, 0>
{
public:
  static constexpr int kParamToHostSlots = 513;
  using ParamToHostRing = ILockFreeRing<IHostParamChange, kParamToHostSlots>;

  IFxCLAP(const InstanceInfo& info, const IPluginConfiguration& config);
  ~IFxCLAP() override;

  // ---- editor -> host (main thread) --------------------------------------------
  void BeginHostParamGesture(int paramIdx) override;
  void EndHostParamGesture(int paramIdx) override;
  void NotifyHostParamValue(int paramIdx, double normalizedValue) override;
  bool ResizeHostEditor(int width, int height) override;

  // ---- processor hooks ------------------------------------------------------------
  bool EmitMidiMessage(const IMidiMessage& msg) noexcept override;
  bool EmitSysExMessage(const ISysExMessage& msg) noexcept override;
  void SetLatency(int samples) override;
  // A change reaches the host at the end of the next block.
  void SetTailSize(int samples) override;

  // The framework timer is started in init, which is always on the main
  // thread; a start requested while the plug-in is built is deferred to it.
  void StartTimer() override;

  // ---- preset changes the host must hear about ------------------------------------
  void OnPresetRestored() override;

  // The selected audio-ports configuration.
  int SelectedConfig() const noexcept { return mSelectedConfig; }
  bool SelectConfigForChannelCount(int channelCount) noexcept;
  bool ConfigMatchesChannelCount(int configIdx, int channelCount) const noexcept;
  int ConfigBusChannelCount(EBusDirection dir, int bus, int configIdx) const noexcept;

  // Events between host and plug-in (audio thread, or the params-flush thread).
  void ReadInputEvents(const clap_input_events_t* in) noexcept;
  void WriteOutputParamEvents(const clap_output_events_t* out) noexcept;
  void WriteOutputEvents(const clap_output_events_t* out, uint32_t frames) noexcept;

  int PendingParamChangesToHost() const noexcept { return mParamToHost.ElementsQueued(); }

protected:
  // ---- life cycle -------------------------------------------------------------------
  bool Init() override;
  bool Activate(double sampleRate, uint32_t minFrames, uint32_t maxFrames) override;
  void Deactivate() override;
  void Reset() noexcept override;
  clap_process_status Process(const clap_process_t* process) noexcept override;

  // ---- latency, tail, render ----------------------------------------------------------
  bool SupportsLatency() const override { return true; }
  uint32_t LatencyGet() const override;
  bool SupportsTail() const override { return true; }
  uint32_t TailGet() const override;
  bool SupportsRender() const override { return true; }
  bool RenderSet(clap_plugin_render_mode mode) override;

  // ---- state ---------------------------------------------------------------------------
  bool SupportsState() const override { return true; }
  bool StateSave(const clap_ostream_t* stream) override;
  bool StateLoad(const clap_istream_t* stream) override;

  // ---- audio ports -----------------------------------------------------------------------
  bool SupportsAudioPorts() const override;
  uint32_t AudioPortsCount(bool isInput) const override;
  bool AudioPortsGet(uint32_t index, bool isInput, clap_audio_port_info_t* info) const override;
  bool SupportsAudioPortsConfig() const override;
  uint32_t AudioPortsConfigCount() const override;
  bool AudioPortsConfigGet(uint32_t index, clap_audio_ports_config_t* config) const override;
  bool AudioPortsConfigSelect(clap_id configId) override;

  // ---- params ------------------------------------------------------------------------------
  bool SupportsParams() const override { return true; }
  uint32_t ParamsCount() const override;
  bool ParamsGetInfo(uint32_t paramIndex, clap_param_info_t* info) const override;
  bool ParamsGetValue(clap_id paramId, double* value) override;
  bool ParamsValueToText(clap_id paramId, double value, char* display, uint32_t size) override;
  bool ParamsTextToValue(clap_id paramId, const char* display, double* value) override;
  void ParamsFlush(const clap_input_events_t* in, const clap_output_events_t* out) noexcept override;
  bool IsValidParamId(clap_id paramId) const override;

  // ---- note ports (only for a plug-in that takes or sends MIDI) ---------------------------------
  bool SupportsNotePorts() const override { return TakesMidiIn() || SendsMidiOut(); }
  uint32_t NotePortsCount(bool isInput) const override;
  bool NotePortsGet(uint32_t index, bool isInput, clap_note_port_info_t* info) const override;

  // ---- gui: an embedded Win32 window (IFxCLAPGui.cpp) -------------------------------------------
  bool SupportsGui() const override { return HasEditor(); }
  bool GuiIsApiSupported(const char* api, bool isFloating) override;
  bool GuiCreate(const char* api, bool isFloating) override;
  void GuiDestroy() override;
  bool GuiSetScale(double scale) override;
  bool GuiShow() override;
  bool GuiHide() override;
  bool GuiGetSize(uint32_t* width, uint32_t* height) override;
  bool GuiCanResize() const override;
  bool GuiAdjustSize(uint32_t* width, uint32_t* height) override;
  bool GuiSetSize(uint32_t width, uint32_t height) override;
  bool GuiSetParent(const clap_window_t* window) override;

private:
  void PushParamChangeToHost(const IHostParamChange& change);
  void PushGestureToHost(int32_t type, int paramIdx);
  void HostParamsFlushTask();
  void IdentifyHost(const clap_host_t* host);
  void ReadTransport(const clap_event_transport_t& transport) noexcept;
  void ReadEditorQueues() noexcept;
  bool IsInputSilent(const clap_process_t& process, bool use64) const noexcept;
  int ConnectChannels(EBusDirection dir, const clap_audio_buffer_t* buffers, uint32_t nBuffers, bool use64) noexcept;
  void SendQueuedMidiAndSysEx(const clap_output_events_t* out, uint32_t frames) noexcept;
  const IParam* ParamForId(clap_id id) const noexcept;
  // Opens the editor in the remembered parent; a window that could not be
  // opened leaves nothing behind.
  bool OpenGuiWindow();

  ParamToHostRing mParamToHost;
  ISysExMessageQueue mSysExToHost;
  IMidiMessageQueue mMidiToHost;
  std::vector<float*> mHostChannels32;
  std::vector<double*> mHostChannels64;
  int32_t mSelectedConfig = 0;
  int32_t mTailCounter = 0;
  std::atomic<bool> mLatencyChangePending{false};
  std::atomic<bool> mTailChangePending{false};
  // The parent window of the last set_parent, kept for show after a hide.
  void* mParentWindow = nullptr;
  bool mEditorOpen = false;
};

} // namespace ifx
