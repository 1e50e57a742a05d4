// The extension tables the glue hands to the host. Each callback reaches the
// Plugin through plugin_data, checks what the host passed (null pointers,
// parameter ids, modes) and calls the matching virtual operation; nothing
// thrown inside may leave towards the host.
#include <cmath>
#include <cstring>
#include <string>

#include "abi/clap/Plugin.h"

namespace clap { namespace helpers {

using PluginGlue = Plugin<0, 0>;

struct PluginExtensions
{
  // ---- params ----
  static uint32_t CLAP_ABI ParamsCount(const clap_plugin_t* p)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self ? self->ParamsCount() : 0; } catch (...) { return 0; }
  }
  static bool CLAP_ABI ParamsGetInfo(const clap_plugin_t* p, uint32_t index, clap_param_info_t* info)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    if (!self || !info)
      return false;
    try { return index < self->ParamsCount() && self->ParamsGetInfo(index, info); } catch (...) { return false; }
  }
  static bool CLAP_ABI ParamsGetValue(const clap_plugin_t* p, clap_id id, double* value)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    if (!self || !value)
      return false;
    try { return self->IsValidParamId(id) && self->ParamsGetValue(id, value); } catch (...) { return false; }
  }
  static bool CLAP_ABI ParamsValueToText(const clap_plugin_t* p, clap_id id, double value, char* display, uint32_t size)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    if (!self || !display || size == 0 || !std::isfinite(value))
      return false;
    try { return self->IsValidParamId(id) && self->ParamsValueToText(id, value, display, size); } catch (...) { return false; }
  }
  static bool CLAP_ABI ParamsTextToValue(const clap_plugin_t* p, clap_id id, const char* display, double* value)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    if (!self || !display || !value)
      return false;
    try { return self->IsValidParamId(id) && self->ParamsTextToValue(id, display, value); } catch (...) { return false; }
  }
  static void CLAP_ABI ParamsFlush(const clap_plugin_t* p, const clap_input_events_t* in, const clap_output_events_t* out)
  {
    if (PluginGlue* self = PluginGlue::FromClap(p))
      self->ParamsFlush(in, out);
  }

  // ---- state ----
  static bool CLAP_ABI StateSave(const clap_plugin_t* p, const clap_ostream_t* stream)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    if (!self || !stream || !stream->write)
      return false;
    try { return self->StateSave(stream); } catch (...) { return false; }
  }
  static bool CLAP_ABI StateLoad(const clap_plugin_t* p, const clap_istream_t* stream)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    if (!self || !stream || !stream->read)
      return false;
    try { return self->StateLoad(stream); } catch (...) { return false; }
  }

  // ---- render, latency, tail ----
  static bool CLAP_ABI RenderHasHardRealtimeRequirement(const clap_plugin_t* p)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self && self->RenderHasHardRealtimeRequirement(); } catch (...) { return false; }
  }
  static bool CLAP_ABI RenderSet(const clap_plugin_t* p, clap_plugin_render_mode mode)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    if (!self)
      return false;
    try
    {
      if (mode == CLAP_RENDER_REALTIME)
        return self->RenderSet(mode);
      if (mode == CLAP_RENDER_OFFLINE)
        return !self->RenderHasHardRealtimeRequirement() && self->RenderSet(mode);
      const std::string msg =
        "host called clap_plugin_render.set_mode with an unknown mode : " + std::to_string(mode);
      self->Log(CLAP_LOG_HOST_MISBEHAVING, msg.c_str());
      return false;
    }
    catch (...)
    {
      return false;
    }
  }
  static uint32_t CLAP_ABI LatencyGet(const clap_plugin_t* p)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self ? self->LatencyGet() : 0; } catch (...) { return 0; }
  }
  static uint32_t CLAP_ABI TailGet(const clap_plugin_t* p)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self ? self->TailGet() : 0; } catch (...) { return 0; }
  }

  // ---- track info ----
  static void CLAP_ABI TrackInfoChanged(const clap_plugin_t* p)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { if (self) self->TrackInfoChanged(); } catch (...) {}
  }

  // ---- audio ports ----
  static uint32_t CLAP_ABI AudioPortsCount(const clap_plugin_t* p, bool isInput)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self ? self->AudioPortsCount(isInput) : 0; } catch (...) { return 0; }
  }
  static bool CLAP_ABI AudioPortsGet(const clap_plugin_t* p, uint32_t index, bool isInput, clap_audio_port_info_t* info)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    if (!self || !info)
      return false;
    try { return self->AudioPortsGet(index, isInput, info); } catch (...) { return false; }
  }
  static uint32_t CLAP_ABI AudioPortsConfigCount(const clap_plugin_t* p)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self ? self->AudioPortsConfigCount() : 0; } catch (...) { return 0; }
  }
  static bool CLAP_ABI AudioPortsConfigGet(const clap_plugin_t* p, uint32_t index, clap_audio_ports_config_t* config)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    if (!self || !config)
      return false;
    try { return self->AudioPortsConfigGet(index, config); } catch (...) { return false; }
  }
  static bool CLAP_ABI AudioPortsConfigSelect(const clap_plugin_t* p, clap_id configId)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self && self->AudioPortsConfigSelect(configId); } catch (...) { return false; }
  }

  // ---- note ports ----
  static uint32_t CLAP_ABI NotePortsCount(const clap_plugin_t* p, bool isInput)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self ? self->NotePortsCount(isInput) : 0; } catch (...) { return 0; }
  }
  static bool CLAP_ABI NotePortsGet(const clap_plugin_t* p, uint32_t index, bool isInput, clap_note_port_info_t* info)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    if (!self || !info)
      return false;
    try { return self->NotePortsGet(index, isInput, info); } catch (...) { return false; }
  }

  // ---- gui ----
  static bool CLAP_ABI GuiIsApiSupported(const clap_plugin_t* p, const char* api, bool isFloating)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self && api && self->GuiIsApiSupported(api, isFloating); } catch (...) { return false; }
  }
  static bool CLAP_ABI GuiGetPreferredApi(const clap_plugin_t* p, const char** api, bool* isFloating)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self && api && isFloating && self->GuiGetPreferredApi(api, isFloating); } catch (...) { return false; }
  }
  static bool CLAP_ABI GuiCreate(const clap_plugin_t* p, const char* api, bool isFloating)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    if (!self || !api)
      return false;
    try
    {
      self->mGuiApi = api;
      self->mGuiFloating = isFloating;
      self->mGuiEmbedded = false;
      const bool created = self->GuiCreate(api, isFloating);
      if (created)
        self->mGuiCreated = true;
      return created;
    }
    catch (...)
    {
      return false;
    }
  }
  static void CLAP_ABI GuiDestroy(const clap_plugin_t* p)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    if (!self)
      return;
    try { self->GuiDestroy(); } catch (...) {}
    self->mGuiCreated = false;
    self->mGuiFloating = false;
    self->mGuiEmbedded = false;
  }
  static bool CLAP_ABI GuiSetScale(const clap_plugin_t* p, double scale)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self && std::isfinite(scale) && scale > 0.0 && self->GuiSetScale(scale); } catch (...) { return false; }
  }
  static bool CLAP_ABI GuiGetSize(const clap_plugin_t* p, uint32_t* width, uint32_t* height)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self && width && height && self->GuiGetSize(width, height); } catch (...) { return false; }
  }
  static bool CLAP_ABI GuiCanResize(const clap_plugin_t* p)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self && self->GuiCanResize(); } catch (...) { return false; }
  }
  static bool CLAP_ABI GuiGetResizeHints(const clap_plugin_t* p, clap_gui_resize_hints_t* hints)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self && hints && self->GuiGetResizeHints(hints); } catch (...) { return false; }
  }
  static bool CLAP_ABI GuiAdjustSize(const clap_plugin_t* p, uint32_t* width, uint32_t* height)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self && width && height && self->GuiAdjustSize(width, height); } catch (...) { return false; }
  }
  static bool CLAP_ABI GuiSetSize(const clap_plugin_t* p, uint32_t width, uint32_t height)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self && self->GuiSetSize(width, height); } catch (...) { return false; }
  }
  static bool CLAP_ABI GuiSetParent(const clap_plugin_t* p, const clap_window_t* window)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    if (!self || !window)
      return false;
    try
    {
      const bool ok = self->GuiSetParent(window);
      if (ok)
        self->mGuiEmbedded = true;
      return ok;
    }
    catch (...)
    {
      return false;
    }
  }
  static bool CLAP_ABI GuiSetTransient(const clap_plugin_t* p, const clap_window_t* window)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self && window && self->GuiSetTransient(window); } catch (...) { return false; }
  }
  static void CLAP_ABI GuiSuggestTitle(const clap_plugin_t* p, const char* title)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { if (self && title) self->GuiSuggestTitle(title); } catch (...) {}
  }
  static bool CLAP_ABI GuiShow(const clap_plugin_t* p)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self && self->GuiShow(); } catch (...) { return false; }
  }
  static bool CLAP_ABI GuiHide(const clap_plugin_t* p)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    try { return self && self->GuiHide(); } catch (...) { return false; }
  }
};

namespace {

using X = PluginExtensions;

const clap_plugin_params_t kParams = {X::ParamsCount, X::ParamsGetInfo, X::ParamsGetValue,
                                      X::ParamsValueToText, X::ParamsTextToValue, X::ParamsFlush};
const clap_plugin_state_t kState = {X::StateSave, X::StateLoad};
const clap_plugin_render_t kRender = {X::RenderHasHardRealtimeRequirement, X::RenderSet};
const clap_plugin_latency_t kLatency = {X::LatencyGet};
const clap_plugin_tail_t kTail = {X::TailGet};
const clap_plugin_track_info_t kTrackInfo = {X::TrackInfoChanged};
const clap_plugin_audio_ports_t kAudioPorts = {X::AudioPortsCount, X::AudioPortsGet};
const clap_plugin_audio_ports_config_t kAudioPortsConfig = {X::AudioPortsConfigCount, X::AudioPortsConfigGet,
                                                            X::AudioPortsConfigSelect};
const clap_plugin_note_ports_t kNotePorts = {X::NotePortsCount, X::NotePortsGet};
const clap_plugin_gui_t kGui = {X::GuiIsApiSupported, X::GuiGetPreferredApi, X::GuiCreate, X::GuiDestroy,
                                X::GuiSetScale, X::GuiGetSize, X::GuiCanResize, X::GuiGetResizeHints,
                                X::GuiAdjustSize, X::GuiSetSize, X::GuiSetParent, X::GuiSetTransient,
                                X::GuiSuggestTitle, X::GuiShow, X::GuiHide};

bool Is(const char* id, const char* known) { return std::strcmp(id, known) == 0; }

} // namespace

const void* PluginGlue::LookUpExtension(const char* id)
{
  if (const void* own = GetExtension(id))
    return own;
  // Each id names one table and is offered only while its support query
  // says so, so the order of the tests does not change any answer.
  if (Is(id, CLAP_EXT_STATE) && SupportsState())
    return &kState;
  if (Is(id, CLAP_EXT_RENDER) && SupportsRender())
    return &kRender;
  if ((Is(id, CLAP_EXT_TRACK_INFO) || Is(id, CLAP_EXT_TRACK_INFO_COMPAT)) && SupportsTrackInfo())
    return &kTrackInfo;
  if (Is(id, CLAP_EXT_LATENCY) && SupportsLatency())
    return &kLatency;
  if (Is(id, CLAP_EXT_AUDIO_PORTS) && SupportsAudioPorts())
    return &kAudioPorts;
  if (Is(id, CLAP_EXT_AUDIO_PORTS_CONFIG) && SupportsAudioPortsConfig())
    return &kAudioPortsConfig;
  if (Is(id, CLAP_EXT_PARAMS) && SupportsParams())
    return &kParams;
  if (Is(id, CLAP_EXT_NOTE_PORTS) && SupportsNotePorts())
    return &kNotePorts;
  if (Is(id, CLAP_EXT_GUI) && SupportsGui())
    return &kGui;
  if (Is(id, CLAP_EXT_TAIL) && SupportsTail())
    return &kTail;
  return LookUpOtherExtension(id);
}

}} // namespace clap::helpers
