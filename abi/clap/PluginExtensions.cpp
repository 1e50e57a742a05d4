// The extension tables the glue hands to the host. Each callback reaches the
// Plugin through plugin_data, checks what the host passed (null pointers,
// parameter ids, modes) and calls the matching virtual operation; nothing
// thrown inside may leave towards the host.
#include <cmath>
#include <cstring>
#include <string>

#include "abi/clap/PluginGuard.h"

namespace clap {
namespace helpers {

using PluginGlue = Plugin<0, 0>;

using guard::Guard;
using guard::GuardVoid;

struct PluginExtensions
{
  // ---- params ----
  static uint32_t CLAP_ABI ParamsCount(const clap_plugin_t* p)
  {
    return Guard(p, 0u, [](PluginGlue& g) { return g.ParamsCount(); });
  }
  static bool CLAP_ABI ParamsGetInfo(const clap_plugin_t* p, uint32_t index, clap_param_info_t* info)
  {
    return info &&
           Guard(p, false, [&](PluginGlue& g) { return index < g.ParamsCount() && g.ParamsGetInfo(index, info); });
  }
  static bool CLAP_ABI ParamsGetValue(const clap_plugin_t* p, clap_id id, double* value)
  {
    return value && Guard(p, false, [&](PluginGlue& g) { return g.IsValidParamId(id) && g.ParamsGetValue(id, value); });
  }
  static bool CLAP_ABI ParamsValueToText(const clap_plugin_t* p, clap_id id, double value, char* display, uint32_t size)
  {
    return display && size > 0 && std::isfinite(value) && Guard(p, false, [&](PluginGlue& g) {
             return g.IsValidParamId(id) && g.ParamsValueToText(id, value, display, size);
           });
  }
  static bool CLAP_ABI ParamsTextToValue(const clap_plugin_t* p, clap_id id, const char* display, double* value)
  {
    return display && value && Guard(p, false, [&](PluginGlue& g) {
             return g.IsValidParamId(id) && g.ParamsTextToValue(id, display, value);
           });
  }
  static void CLAP_ABI ParamsFlush(const clap_plugin_t* p, const clap_input_events_t* in,
                                   const clap_output_events_t* out)
  {
    if (PluginGlue* self = PluginGlue::FromClap(p))
      self->ParamsFlush(in, out);
  }

  // ---- state ----
  static bool CLAP_ABI StateSave(const clap_plugin_t* p, const clap_ostream_t* stream)
  {
    return stream && stream->write && Guard(p, false, [&](PluginGlue& g) { return g.StateSave(stream); });
  }
  static bool CLAP_ABI StateLoad(const clap_plugin_t* p, const clap_istream_t* stream)
  {
    return stream && stream->read && Guard(p, false, [&](PluginGlue& g) { return g.StateLoad(stream); });
  }

  // ---- render, latency, tail ----
  static bool CLAP_ABI RenderHasHardRealtimeRequirement(const clap_plugin_t* p)
  {
    return Guard(p, false, [](PluginGlue& g) { return g.RenderHasHardRealtimeRequirement(); });
  }
  static bool CLAP_ABI RenderSet(const clap_plugin_t* p, clap_plugin_render_mode mode)
  {
    return Guard(p, false, [&](PluginGlue& g) {
      if (mode == CLAP_RENDER_REALTIME)
        return g.RenderSet(mode);
      if (mode == CLAP_RENDER_OFFLINE)
        return !g.RenderHasHardRealtimeRequirement() && g.RenderSet(mode);
      const std::string msg = "host called clap_plugin_render.set_mode with an unknown mode : " + std::to_string(mode);
      g.Log(CLAP_LOG_HOST_MISBEHAVING, msg.c_str());
      return false;
    });
  }
  static uint32_t CLAP_ABI LatencyGet(const clap_plugin_t* p)
  {
    return Guard(p, 0u, [](PluginGlue& g) { return g.LatencyGet(); });
  }
  static uint32_t CLAP_ABI TailGet(const clap_plugin_t* p)
  {
    return Guard(p, 0u, [](PluginGlue& g) { return g.TailGet(); });
  }

  // ---- track info ----
  static void CLAP_ABI TrackInfoChanged(const clap_plugin_t* p)
  {
    GuardVoid(p, [](PluginGlue& g) { g.TrackInfoChanged(); });
  }

  // ---- audio ports ----
  static uint32_t CLAP_ABI AudioPortsCount(const clap_plugin_t* p, bool isInput)
  {
    return Guard(p, 0u, [&](PluginGlue& g) { return g.AudioPortsCount(isInput); });
  }
  static bool CLAP_ABI AudioPortsGet(const clap_plugin_t* p, uint32_t index, bool isInput, clap_audio_port_info_t* info)
  {
    return info && Guard(p, false, [&](PluginGlue& g) { return g.AudioPortsGet(index, isInput, info); });
  }
  static uint32_t CLAP_ABI AudioPortsConfigCount(const clap_plugin_t* p)
  {
    return Guard(p, 0u, [](PluginGlue& g) { return g.AudioPortsConfigCount(); });
  }
  static bool CLAP_ABI AudioPortsConfigGet(const clap_plugin_t* p, uint32_t index, clap_audio_ports_config_t* config)
  {
    return config && Guard(p, false, [&](PluginGlue& g) { return g.AudioPortsConfigGet(index, config); });
  }
  static bool CLAP_ABI AudioPortsConfigSelect(const clap_plugin_t* p, clap_id configId)
  {
    return Guard(p, false, [&](PluginGlue& g) { return g.AudioPortsConfigSelect(configId); });
  }

  // ---- note ports ----
  static uint32_t CLAP_ABI NotePortsCount(const clap_plugin_t* p, bool isInput)
  {
    return Guard(p, 0u, [&](PluginGlue& g) { return g.NotePortsCount(isInput); });
  }
  static bool CLAP_ABI NotePortsGet(const clap_plugin_t* p, uint32_t index, bool isInput, clap_note_port_info_t* info)
  {
    return info && Guard(p, false, [&](PluginGlue& g) { return g.NotePortsGet(index, isInput, info); });
  }

  // ---- gui ----
  static bool CLAP_ABI GuiIsApiSupported(const clap_plugin_t* p, const char* api, bool isFloating)
  {
    return api && Guard(p, false, [&](PluginGlue& g) { return g.GuiIsApiSupported(api, isFloating); });
  }
  static bool CLAP_ABI GuiGetPreferredApi(const clap_plugin_t* p, const char** api, bool* isFloating)
  {
    return api && isFloating && Guard(p, false, [&](PluginGlue& g) { return g.GuiGetPreferredApi(api, isFloating); });
  }
  static bool CLAP_ABI GuiCreate(const clap_plugin_t* p, const char* api, bool isFloating)
  {
    // A refused create leaves the marks of a gui that exists as they were.
    return api && Guard(p, false, [&](PluginGlue& g) {
             const bool created = g.GuiCreate(api, isFloating);
             if (created)
             {
               g.mGuiApi = api;
               g.mGuiFloating = isFloating;
               g.mGuiEmbedded = false;
               g.mGuiCreated = true;
             }
             return created;
           });
  }
  static void CLAP_ABI GuiDestroy(const clap_plugin_t* p)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    if (!self)
      return;
    GuardVoid(p, [](PluginGlue& g) { g.GuiDestroy(); });
    self->mGuiCreated = false;
    self->mGuiFloating = false;
    self->mGuiEmbedded = false;
  }
  static bool CLAP_ABI GuiSetScale(const clap_plugin_t* p, double scale)
  {
    return std::isfinite(scale) && scale > 0.0 && Guard(p, false, [&](PluginGlue& g) { return g.GuiSetScale(scale); });
  }
  static bool CLAP_ABI GuiGetSize(const clap_plugin_t* p, uint32_t* width, uint32_t* height)
  {
    return width && height && Guard(p, false, [&](PluginGlue& g) { return g.GuiGetSize(width, height); });
  }
  static bool CLAP_ABI GuiCanResize(const clap_plugin_t* p)
  {
    return Guard(p, false, [](PluginGlue& g) { return g.GuiCanResize(); });
  }
  static bool CLAP_ABI GuiGetResizeHints(const clap_plugin_t* p, clap_gui_resize_hints_t* hints)
  {
    return hints && Guard(p, false, [&](PluginGlue& g) { return g.GuiGetResizeHints(hints); });
  }
  static bool CLAP_ABI GuiAdjustSize(const clap_plugin_t* p, uint32_t* width, uint32_t* height)
  {
    return width && height && Guard(p, false, [&](PluginGlue& g) { return g.GuiAdjustSize(width, height); });
  }
  static bool CLAP_ABI GuiSetSize(const clap_plugin_t* p, uint32_t width, uint32_t height)
  {
    return Guard(p, false, [&](PluginGlue& g) { return g.GuiSetSize(width, height); });
  }
  static bool CLAP_ABI GuiSetParent(const clap_plugin_t* p, const clap_window_t* window)
  {
    return window && Guard(p, false, [&](PluginGlue& g) {
             const bool ok = g.GuiSetParent(window);
             if (ok)
               g.mGuiEmbedded = true;
             return ok;
           });
  }
  static bool CLAP_ABI GuiSetTransient(const clap_plugin_t* p, const clap_window_t* window)
  {
    return window && Guard(p, false, [&](PluginGlue& g) { return g.GuiSetTransient(window); });
  }
  static void CLAP_ABI GuiSuggestTitle(const clap_plugin_t* p, const char* title)
  {
    if (title)
      GuardVoid(p, [&](PluginGlue& g) { g.GuiSuggestTitle(title); });
  }
  static bool CLAP_ABI GuiShow(const clap_plugin_t* p)
  {
    return Guard(p, false, [](PluginGlue& g) { return g.GuiShow(); });
  }
  static bool CLAP_ABI GuiHide(const clap_plugin_t* p)
  {
    return Guard(p, false, [](PluginGlue& g) { return g.GuiHide(); });
  }
};

namespace {

using X = PluginExtensions;

const clap_plugin_params_t kParams = {X::ParamsCount,       X::ParamsGetInfo,     X::ParamsGetValue,
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
const clap_plugin_gui_t kGui = {
  X::GuiIsApiSupported, X::GuiGetPreferredApi, X::GuiCreate,         X::GuiDestroy,    X::GuiSetScale,
  X::GuiGetSize,        X::GuiCanResize,       X::GuiGetResizeHints, X::GuiAdjustSize, X::GuiSetSize,
  X::GuiSetParent,      X::GuiSetTransient,    X::GuiSuggestTitle,   X::GuiShow,       X::GuiHide};

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

} // namespace helpers
} // namespace clap
