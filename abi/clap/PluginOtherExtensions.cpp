// Tables of the extensions this plug-in does not offer (their support
// queries answer false): each forwards to its virtual operation, so a
// plug-in built on the glue needs only to override the support query and the
// operations. Drafts are offered only when OffersDraftExtensions says so.
#include <cstring>

#include "abi/clap/PluginGuard.h"

namespace clap {
namespace helpers {

using PluginGlue = Plugin<0, 0>;

using guard::Guard;
using guard::GuardVoid;

struct PluginOtherExtensions
{
  static bool CLAP_ABI StateContextSave(const clap_plugin_t* p, const clap_ostream_t* s, uint32_t c)
  {
    return s && s->write && Guard(p, false, [&](PluginGlue& g) { return g.StateContextSave(s, c); });
  }
  static bool CLAP_ABI StateContextLoad(const clap_plugin_t* p, const clap_istream_t* s, uint32_t c)
  {
    return s && s->read && Guard(p, false, [&](PluginGlue& g) { return g.StateContextLoad(s, c); });
  }
  static bool CLAP_ABI PresetLoadFromLocation(const clap_plugin_t* p, uint32_t kind, const char* location,
                                              const char* key)
  {
    return Guard(p, false, [&](PluginGlue& g) { return g.PresetLoadFromLocation(kind, location, key); });
  }
  static bool CLAP_ABI ActivationCanActivateWhileProcessing(const clap_plugin_t* p)
  {
    return Guard(p, false, [&](PluginGlue& g) { return g.AudioPortsActivationCanActivateWhileProcessing(); });
  }
  static bool CLAP_ABI ActivationSetActive(const clap_plugin_t* p, bool in, uint32_t port, bool active, uint32_t size)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    return self && self->AudioPortsActivationSetActive(in, port, active, size);
  }
  static bool CLAP_ABI ConfigurableCanApply(const clap_plugin_t* p, const clap_audio_port_configuration_request_t* r,
                                            uint32_t n)
  {
    return (r || n == 0) &&
           Guard(p, false, [&](PluginGlue& g) { return g.ConfigurableAudioPortsCanApplyConfiguration(r, n); });
  }
  static bool CLAP_ABI ConfigurableApply(const clap_plugin_t* p, const clap_audio_port_configuration_request_t* r,
                                         uint32_t n)
  {
    return (r || n == 0) &&
           Guard(p, false, [&](PluginGlue& g) { return g.ConfigurableAudioPortsApplyConfiguration(r, n); });
  }
  static bool CLAP_ABI SurroundIsChannelMaskSupported(const clap_plugin_t* p, uint64_t mask)
  {
    return Guard(p, false, [&](PluginGlue& g) { return g.SurroundIsChannelMaskSupported(mask); });
  }
  static uint32_t CLAP_ABI SurroundGetChannelMap(const clap_plugin_t* p, bool in, uint32_t port, uint8_t* map,
                                                 uint32_t cap)
  {
    if (!map && cap > 0)
      return 0;
    return Guard(p, 0u, [&](PluginGlue& g) { return g.SurroundGetChannelMap(in, port, map, cap); });
  }
  static void CLAP_ABI ParamIndicationSetMapping(const clap_plugin_t* p, clap_id id, bool has,
                                                 const clap_color_t* color, const char* label, const char* description)
  {
    GuardVoid(p, [&](PluginGlue& g) { g.ParamIndicationSetMapping(id, has, color, label, description); });
  }
  static void CLAP_ABI ParamIndicationSetAutomation(const clap_plugin_t* p, clap_id id, uint32_t state,
                                                    const clap_color_t* color)
  {
    GuardVoid(p, [&](PluginGlue& g) { g.ParamIndicationSetAutomation(id, state, color); });
  }
  static uint32_t CLAP_ABI RemoteControlsCount(const clap_plugin_t* p)
  {
    return Guard(p, 0u, [&](PluginGlue& g) { return g.RemoteControlsCount(); });
  }
  static bool CLAP_ABI RemoteControlsGet(const clap_plugin_t* p, uint32_t page, clap_remote_controls_page_t* out)
  {
    return out && Guard(p, false, [&](PluginGlue& g) { return g.RemoteControlsGet(page, out); });
  }
  static uint32_t CLAP_ABI NoteNameCount(const clap_plugin_t* p)
  {
    return Guard(p, 0u, [&](PluginGlue& g) { return g.NoteNameCount(); });
  }
  static bool CLAP_ABI NoteNameGet(const clap_plugin_t* p, uint32_t index, clap_note_name_t* out)
  {
    return out && Guard(p, false, [&](PluginGlue& g) { return g.NoteNameGet(index, out); });
  }
  static void CLAP_ABI ThreadPoolExec(const clap_plugin_t* p, uint32_t task)
  {
    if (PluginGlue* self = PluginGlue::FromClap(p))
      self->ThreadPoolExec(task);
  }
  static void CLAP_ABI TimerSupportOnTimer(const clap_plugin_t* p, clap_id timer)
  {
    GuardVoid(p, [&](PluginGlue& g) { g.TimerSupportOnTimer(timer); });
  }
  static void CLAP_ABI PosixFdSupportOnFd(const clap_plugin_t* p, int fd, clap_posix_fd_flags_t flags)
  {
    GuardVoid(p, [&](PluginGlue& g) { g.PosixFdSupportOnFd(fd, flags); });
  }
  static bool CLAP_ABI VoiceInfoGet(const clap_plugin_t* p, clap_voice_info_t* info)
  {
    return info && Guard(p, false, [&](PluginGlue& g) { return g.VoiceInfoGet(info); });
  }
  static bool CLAP_ABI ContextMenuPopulate(const clap_plugin_t* p, const clap_context_menu_target_t* target,
                                           const clap_context_menu_builder_t* builder)
  {
    return builder && Guard(p, false, [&](PluginGlue& g) { return g.ContextMenuPopulate(target, builder); });
  }
  static bool CLAP_ABI ContextMenuPerform(const clap_plugin_t* p, const clap_context_menu_target_t* target,
                                          clap_id action)
  {
    return Guard(p, false, [&](PluginGlue& g) { return g.ContextMenuPerform(target, action); });
  }
  static void CLAP_ABI ResourceDirectorySetDirectory(const clap_plugin_t* p, const char* path, bool shared)
  {
    GuardVoid(p, [&](PluginGlue& g) { g.ResourceDirectorySetDirectory(path, shared); });
  }
  static void CLAP_ABI ResourceDirectoryCollect(const clap_plugin_t* p, bool all)
  {
    GuardVoid(p, [&](PluginGlue& g) { g.ResourceDirectoryCollect(all); });
  }
  static uint32_t CLAP_ABI ResourceDirectoryGetFilesCount(const clap_plugin_t* p)
  {
    return Guard(p, 0u, [&](PluginGlue& g) { return g.ResourceDirectoryGetFilesCount(); });
  }
  static int32_t CLAP_ABI ResourceDirectoryGetFilePath(const clap_plugin_t* p, uint32_t index, char* path,
                                                       uint32_t size)
  {
    if (!path || size == 0)
      return -1;
    return Guard(p, int32_t(-1), [&](PluginGlue& g) { return g.ResourceDirectoryGetFilePath(index, path, size); });
  }
  static void CLAP_ABI UndoDeltaGetDeltaProperties(const clap_plugin_t* p, clap_undo_delta_properties_t* props)
  {
    if (props)
      GuardVoid(p, [&](PluginGlue& g) { g.UndoDeltaGetDeltaProperties(props); });
  }
  static bool CLAP_ABI UndoDeltaCanUseDeltaFormatVersion(const clap_plugin_t* p, clap_id version)
  {
    return Guard(p, false, [&](PluginGlue& g) { return g.UndoDeltaCanUseDeltaFormatVersion(version); });
  }
  static bool CLAP_ABI UndoDeltaUndo(const clap_plugin_t* p, clap_id version, const void* delta, size_t size)
  {
    return (delta || size == 0) &&
           Guard(p, false, [&](PluginGlue& g) { return g.UndoDeltaUndo(version, delta, size); });
  }
  static bool CLAP_ABI UndoDeltaRedo(const clap_plugin_t* p, clap_id version, const void* delta, size_t size)
  {
    return (delta || size == 0) &&
           Guard(p, false, [&](PluginGlue& g) { return g.UndoDeltaRedo(version, delta, size); });
  }
  static void CLAP_ABI UndoContextSetCanUndo(const clap_plugin_t* p, bool v)
  {
    GuardVoid(p, [&](PluginGlue& g) { g.UndoContextSetCanUndo(v); });
  }
  static void CLAP_ABI UndoContextSetCanRedo(const clap_plugin_t* p, bool v)
  {
    GuardVoid(p, [&](PluginGlue& g) { g.UndoContextSetCanRedo(v); });
  }
  static void CLAP_ABI UndoContextSetUndoName(const clap_plugin_t* p, const char* name)
  {
    GuardVoid(p, [&](PluginGlue& g) { g.UndoContextSetUndoName(name ? name : ""); });
  }
  static void CLAP_ABI UndoContextSetRedoName(const clap_plugin_t* p, const char* name)
  {
    GuardVoid(p, [&](PluginGlue& g) { g.UndoContextSetRedoName(name ? name : ""); });
  }
  static void CLAP_ABI ProjectLocationSet(const clap_plugin_t* p, const clap_project_location_element_t* path,
                                          uint32_t n)
  {
    if (path || n == 0)
      GuardVoid(p, [&](PluginGlue& g) { g.ProjectLocationSet(path, n); });
  }
  static double CLAP_ABI GainAdjustmentMeteringGet(const clap_plugin_t* p)
  {
    PluginGlue* self = PluginGlue::FromClap(p);
    return self ? self->GainAdjustmentMeteringGet() : 0.0;
  }
  static uint32_t CLAP_ABI MiniCurveDisplayGetCurveCount(const clap_plugin_t* p)
  {
    return Guard(p, 0u, [&](PluginGlue& g) { return g.MiniCurveDisplayGetCurveCount(); });
  }
  static uint32_t CLAP_ABI MiniCurveDisplayRender(const clap_plugin_t* p, clap_mini_curve_display_curve_data_t* curves,
                                                  uint32_t n)
  {
    if (!curves && n > 0)
      return 0;
    return Guard(p, 0u, [&](PluginGlue& g) { return g.MiniCurveDisplayRender(curves, n); });
  }
  static void CLAP_ABI MiniCurveDisplaySetObserved(const clap_plugin_t* p, bool observed)
  {
    GuardVoid(p, [&](PluginGlue& g) { g.MiniCurveDisplaySetObserved(observed); });
  }
  static bool CLAP_ABI MiniCurveDisplayGetAxisName(const clap_plugin_t* p, uint32_t curve, char* x, char* y,
                                                   uint32_t cap)
  {
    return x && y && cap > 0 &&
           Guard(p, false, [&](PluginGlue& g) { return g.MiniCurveDisplayGetAxisName(curve, x, y, cap); });
  }
  static int32_t CLAP_ABI WebviewGetUri(const clap_plugin_t* p, char* uri, uint32_t cap)
  {
    if (!uri && cap > 0)
      return -1;
    return Guard(p, int32_t(-1), [&](PluginGlue& g) { return g.WebviewGetUri(uri, cap); });
  }
  static bool CLAP_ABI WebviewGetResource(const clap_plugin_t* p, const char* path, char* mime, uint32_t cap,
                                          const clap_ostream_t* stream)
  {
    return path && mime && stream && stream->write &&
           Guard(p, false, [&](PluginGlue& g) { return g.WebviewGetResource(path, mime, cap, stream); });
  }
  static bool CLAP_ABI WebviewReceive(const clap_plugin_t* p, const void* buffer, uint32_t size)
  {
    return (buffer || size == 0) && Guard(p, false, [&](PluginGlue& g) { return g.WebviewReceive(buffer, size); });
  }
};

namespace {

using O = PluginOtherExtensions;

const clap_plugin_state_context_t kStateContext = {O::StateContextSave, O::StateContextLoad};
const clap_plugin_preset_load_t kPresetLoad = {O::PresetLoadFromLocation};
const clap_plugin_audio_ports_activation_t kAudioPortsActivation = {O::ActivationCanActivateWhileProcessing,
                                                                    O::ActivationSetActive};
const clap_plugin_configurable_audio_ports_t kConfigurableAudioPorts = {O::ConfigurableCanApply, O::ConfigurableApply};
const clap_plugin_surround_t kSurround = {O::SurroundIsChannelMaskSupported, O::SurroundGetChannelMap};
const clap_plugin_param_indication_t kParamIndication = {O::ParamIndicationSetMapping, O::ParamIndicationSetAutomation};
const clap_plugin_remote_controls_t kRemoteControls = {O::RemoteControlsCount, O::RemoteControlsGet};
const clap_plugin_note_name_t kNoteName = {O::NoteNameCount, O::NoteNameGet};
const clap_plugin_thread_pool_t kThreadPool = {O::ThreadPoolExec};
const clap_plugin_timer_support_t kTimerSupport = {O::TimerSupportOnTimer};
const clap_plugin_posix_fd_support_t kPosixFdSupport = {O::PosixFdSupportOnFd};
const clap_plugin_voice_info_t kVoiceInfo = {O::VoiceInfoGet};
const clap_plugin_context_menu_t kContextMenu = {O::ContextMenuPopulate, O::ContextMenuPerform};
const clap_plugin_resource_directory_t kResourceDirectory = {
  O::ResourceDirectorySetDirectory, O::ResourceDirectoryCollect, O::ResourceDirectoryGetFilesCount,
  O::ResourceDirectoryGetFilePath};
const clap_plugin_undo_delta_t kUndoDelta = {O::UndoDeltaGetDeltaProperties, O::UndoDeltaCanUseDeltaFormatVersion,
                                             O::UndoDeltaUndo, O::UndoDeltaRedo};
const clap_plugin_undo_context_t kUndoContext = {O::UndoContextSetCanUndo, O::UndoContextSetCanRedo,
                                                 O::UndoContextSetUndoName, O::UndoContextSetRedoName};
const clap_plugin_project_location_t kProjectLocation = {O::ProjectLocationSet};
const clap_plugin_gain_adjustment_metering_t kGainAdjustmentMetering = {O::GainAdjustmentMeteringGet};
const clap_plugin_mini_curve_display_t kMiniCurveDisplay = {O::MiniCurveDisplayGetCurveCount, O::MiniCurveDisplayRender,
                                                            O::MiniCurveDisplaySetObserved,
                                                            O::MiniCurveDisplayGetAxisName};
const clap_plugin_webview_t kWebview = {O::WebviewGetUri, O::WebviewGetResource, O::WebviewReceive};

bool Is(const char* id, const char* known) { return std::strcmp(id, known) == 0; }
bool Is(const char* id, const char* known, const char* compat) { return Is(id, known) || Is(id, compat); }

} // namespace

const void* PluginGlue::LookUpOtherExtension(const char* id)
{
  if (Is(id, CLAP_EXT_STATE_CONTEXT) && SupportsStateContext() && SupportsState())
    return &kStateContext;
  if (Is(id, CLAP_EXT_PRESET_LOAD, CLAP_EXT_PRESET_LOAD_COMPAT) && SupportsPresetLoad())
    return &kPresetLoad;
  if (Is(id, CLAP_EXT_AUDIO_PORTS_ACTIVATION, CLAP_EXT_AUDIO_PORTS_ACTIVATION_COMPAT) && SupportsAudioPortsActivation())
    return &kAudioPortsActivation;
  if (Is(id, CLAP_EXT_SURROUND) && SupportsSurround())
    return &kSurround;
  if (Is(id, CLAP_EXT_CONFIGURABLE_AUDIO_PORTS) && SupportsConfigurableAudioPorts())
    return &kConfigurableAudioPorts;
  if (Is(id, CLAP_EXT_PARAM_INDICATION, CLAP_EXT_PARAM_INDICATION_COMPAT) && SupportsParamIndication())
    return &kParamIndication;
  if (Is(id, CLAP_EXT_REMOTE_CONTROLS, CLAP_EXT_REMOTE_CONTROLS_COMPAT) && SupportsRemoteControls())
    return &kRemoteControls;
  if (Is(id, CLAP_EXT_NOTE_NAME) && SupportsNoteName())
    return &kNoteName;
  if (Is(id, CLAP_EXT_THREAD_POOL) && SupportsThreadPool())
    return &kThreadPool;
  if (Is(id, CLAP_EXT_TIMER_SUPPORT) && SupportsTimerSupport())
    return &kTimerSupport;
  if (Is(id, CLAP_EXT_POSIX_FD_SUPPORT) && SupportsPosixFdSupport())
    return &kPosixFdSupport;
  if (Is(id, CLAP_EXT_VOICE_INFO) && SupportsVoiceInfo())
    return &kVoiceInfo;
  if (Is(id, CLAP_EXT_CONTEXT_MENU, CLAP_EXT_CONTEXT_MENU_COMPAT) && SupportsContextMenu())
    return &kContextMenu;

  if (!OffersDraftExtensions())
    return nullptr;
  if (Is(id, CLAP_EXT_RESOURCE_DIRECTORY) && SupportsResourceDirectory())
    return &kResourceDirectory;
  if (Is(id, CLAP_EXT_UNDO_DELTA) && SupportsUndoDelta())
    return &kUndoDelta;
  if (Is(id, CLAP_EXT_UNDO_CONTEXT) && SupportsUndoContext())
    return &kUndoContext;
  if (Is(id, CLAP_EXT_PROJECT_LOCATION) && SupportsProjectLocation())
    return &kProjectLocation;
  if (Is(id, CLAP_EXT_GAIN_ADJUSTMENT_METERING) && SupportsGainAdjustmentMetering())
    return &kGainAdjustmentMetering;
  if (Is(id, CLAP_EXT_MINI_CURVE_DISPLAY) && SupportsMiniCurveDisplay())
    return &kMiniCurveDisplay;
  if (Is(id, CLAP_EXT_WEBVIEW) && SupportsWebview())
    return &kWebview;
  return nullptr;
}

} // namespace helpers
} // namespace clap
