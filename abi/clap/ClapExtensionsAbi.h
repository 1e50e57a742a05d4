#pragma once
// Extension tables of the CLAP interface that this plug-in offers or calls,
// the records they pass, and the extension ids.
#include "abi/clap/ClapPluginAbi.h"
#include "abi/clap/ClapEventsAbi.h"

extern "C" {

// ---- extension ids ---------------------------------------------------------
#define CLAP_EXT_LOG "clap.log"
#define CLAP_EXT_THREAD_CHECK "clap.thread-check"
#define CLAP_EXT_THREAD_POOL "clap.thread-pool"
#define CLAP_EXT_AUDIO_PORTS "clap.audio-ports"
#define CLAP_EXT_AUDIO_PORTS_CONFIG "clap.audio-ports-config"
#define CLAP_EXT_AUDIO_PORTS_ACTIVATION "clap.audio-ports-activation/2"
#define CLAP_EXT_AUDIO_PORTS_ACTIVATION_COMPAT "clap.audio-ports-activation/draft-2"
#define CLAP_EXT_CONFIGURABLE_AUDIO_PORTS "clap.configurable-audio-ports/1"
#define CLAP_EXT_SURROUND "clap.surround/4"
#define CLAP_EXT_NOTE_PORTS "clap.note-ports"
#define CLAP_EXT_NOTE_NAME "clap.note-name"
#define CLAP_EXT_PARAMS "clap.params"
#define CLAP_EXT_PARAM_INDICATION "clap.param-indication/4"
#define CLAP_EXT_PARAM_INDICATION_COMPAT "clap.param-indication.draft/4"
#define CLAP_EXT_REMOTE_CONTROLS "clap.remote-controls/2"
#define CLAP_EXT_REMOTE_CONTROLS_COMPAT "clap.remote-controls.draft/2"
#define CLAP_EXT_STATE "clap.state"
#define CLAP_EXT_STATE_CONTEXT "clap.state-context/2"
#define CLAP_EXT_PRESET_LOAD "clap.preset-load/2"
#define CLAP_EXT_PRESET_LOAD_COMPAT "clap.preset-load.draft/2"
#define CLAP_EXT_LATENCY "clap.latency"
#define CLAP_EXT_TAIL "clap.tail"
#define CLAP_EXT_RENDER "clap.render"
#define CLAP_EXT_GUI "clap.gui"
#define CLAP_EXT_TIMER_SUPPORT "clap.timer-support"
#define CLAP_EXT_POSIX_FD_SUPPORT "clap.posix-fd-support"
#define CLAP_EXT_TRACK_INFO "clap.track-info/1"
#define CLAP_EXT_TRACK_INFO_COMPAT "clap.track-info.draft/1"
#define CLAP_EXT_VOICE_INFO "clap.voice-info"
#define CLAP_EXT_CONTEXT_MENU "clap.context-menu/1"
#define CLAP_EXT_CONTEXT_MENU_COMPAT "clap.context-menu.draft/0"
#define CLAP_EXT_RESOURCE_DIRECTORY "clap.resource-directory/1"
#define CLAP_EXT_UNDO "clap.undo/4"
#define CLAP_EXT_UNDO_CONTEXT "clap.undo_context/4"
#define CLAP_EXT_UNDO_DELTA "clap.undo_delta/4"
#define CLAP_EXT_PROJECT_LOCATION "clap.project-location/2"
#define CLAP_EXT_GAIN_ADJUSTMENT_METERING "clap.gain-adjustment-metering/0"
#define CLAP_EXT_MINI_CURVE_DISPLAY "clap.mini-curve-display/3"
#define CLAP_EXT_WEBVIEW "clap.webview/3"
#define CLAP_EXT_SCRATCH_MEMORY "clap.scratch-memory/1"

#define CLAP_PORT_MONO "mono"
#define CLAP_PORT_STEREO "stereo"
#define CLAP_WINDOW_API_WIN32 "win32"

// ---- streams ---------------------------------------------------------------
struct clap_istream
{
  void* ctx;
  // bytes read, 0 at the end, -1 on error
  int64_t(CLAP_ABI* read)(const clap_istream* stream, void* buffer, uint64_t size);
};
using clap_istream_t = clap_istream;

struct clap_ostream
{
  void* ctx;
  // bytes written (possibly fewer than asked), -1 on error
  int64_t(CLAP_ABI* write)(const clap_ostream* stream, const void* buffer, uint64_t size);
};
using clap_ostream_t = clap_ostream;

// ---- params ----------------------------------------------------------------
enum
{
  CLAP_PARAM_IS_STEPPED = 1 << 0,
  CLAP_PARAM_IS_PERIODIC = 1 << 1,
  CLAP_PARAM_IS_HIDDEN = 1 << 2,
  CLAP_PARAM_IS_READONLY = 1 << 3,
  CLAP_PARAM_IS_BYPASS = 1 << 4,
  CLAP_PARAM_IS_AUTOMATABLE = 1 << 5,
  CLAP_PARAM_IS_MODULATABLE = 1 << 10,
  CLAP_PARAM_REQUIRES_PROCESS = 1 << 15,
  CLAP_PARAM_IS_ENUM = 1 << 16,
};
using clap_param_info_flags = uint32_t;
using clap_param_rescan_flags = uint32_t;
using clap_param_clear_flags = uint32_t;
enum
{
  CLAP_PARAM_RESCAN_VALUES = 1 << 0,
  CLAP_PARAM_RESCAN_TEXT = 1 << 1,
  CLAP_PARAM_RESCAN_INFO = 1 << 2,
  CLAP_PARAM_RESCAN_ALL = 1 << 3,
};

struct clap_param_info
{
  clap_id id;
  clap_param_info_flags flags;
  void* cookie;
  char name[CLAP_NAME_SIZE];
  char module[CLAP_PATH_SIZE];
  double min_value;
  double max_value;
  double default_value;
};
using clap_param_info_t = clap_param_info;

struct clap_plugin_params
{
  uint32_t(CLAP_ABI* count)(const clap_plugin_t* plugin);
  bool(CLAP_ABI* get_info)(const clap_plugin_t* plugin, uint32_t param_index, clap_param_info_t* param_info);
  bool(CLAP_ABI* get_value)(const clap_plugin_t* plugin, clap_id param_id, double* out_value);
  bool(CLAP_ABI* value_to_text)(const clap_plugin_t* plugin, clap_id param_id, double value, char* out_buffer,
                                uint32_t out_buffer_capacity);
  bool(CLAP_ABI* text_to_value)(const clap_plugin_t* plugin, clap_id param_id, const char* param_value_text,
                                double* out_value);
  void(CLAP_ABI* flush)(const clap_plugin_t* plugin, const clap_input_events_t* in, const clap_output_events_t* out);
};
using clap_plugin_params_t = clap_plugin_params;

struct clap_host_params
{
  void(CLAP_ABI* rescan)(const clap_host_t* host, clap_param_rescan_flags flags);
  void(CLAP_ABI* clear)(const clap_host_t* host, clap_id param_id, clap_param_clear_flags flags);
  void(CLAP_ABI* request_flush)(const clap_host_t* host);
};
using clap_host_params_t = clap_host_params;

// ---- state -----------------------------------------------------------------
struct clap_plugin_state
{
  bool(CLAP_ABI* save)(const clap_plugin_t* plugin, const clap_ostream_t* stream);
  bool(CLAP_ABI* load)(const clap_plugin_t* plugin, const clap_istream_t* stream);
};
using clap_plugin_state_t = clap_plugin_state;

struct clap_host_state
{
  void(CLAP_ABI* mark_dirty)(const clap_host_t* host);
};
using clap_host_state_t = clap_host_state;

// ---- audio ports -----------------------------------------------------------
enum
{
  CLAP_AUDIO_PORT_IS_MAIN = 1 << 0,
  CLAP_AUDIO_PORT_SUPPORTS_64BITS = 1 << 1,
  CLAP_AUDIO_PORT_PREFERS_64BITS = 1 << 2,
  CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE = 1 << 3,
};

struct clap_audio_port_info
{
  clap_id id;
  char name[CLAP_NAME_SIZE];
  uint32_t flags;
  uint32_t channel_count;
  const char* port_type;
  clap_id in_place_pair;
};
using clap_audio_port_info_t = clap_audio_port_info;

struct clap_plugin_audio_ports
{
  uint32_t(CLAP_ABI* count)(const clap_plugin_t* plugin, bool is_input);
  bool(CLAP_ABI* get)(const clap_plugin_t* plugin, uint32_t index, bool is_input, clap_audio_port_info_t* info);
};
using clap_plugin_audio_ports_t = clap_plugin_audio_ports;

struct clap_host_audio_ports
{
  bool(CLAP_ABI* is_rescan_flag_supported)(const clap_host_t* host, uint32_t flag);
  void(CLAP_ABI* rescan)(const clap_host_t* host, uint32_t flags);
};
using clap_host_audio_ports_t = clap_host_audio_ports;

struct clap_audio_ports_config
{
  clap_id id;
  char name[CLAP_NAME_SIZE];
  uint32_t input_port_count;
  uint32_t output_port_count;
  bool has_main_input;
  uint32_t main_input_channel_count;
  const char* main_input_port_type;
  bool has_main_output;
  uint32_t main_output_channel_count;
  const char* main_output_port_type;
};
using clap_audio_ports_config_t = clap_audio_ports_config;

struct clap_plugin_audio_ports_config
{
  uint32_t(CLAP_ABI* count)(const clap_plugin_t* plugin);
  bool(CLAP_ABI* get)(const clap_plugin_t* plugin, uint32_t index, clap_audio_ports_config_t* config);
  bool(CLAP_ABI* select)(const clap_plugin_t* plugin, clap_id config_id);
};
using clap_plugin_audio_ports_config_t = clap_plugin_audio_ports_config;

// ---- latency, tail, render -------------------------------------------------
struct clap_plugin_latency
{
  uint32_t(CLAP_ABI* get)(const clap_plugin_t* plugin);
};
using clap_plugin_latency_t = clap_plugin_latency;

struct clap_host_latency
{
  // only while the plug-in is being activated
  void(CLAP_ABI* changed)(const clap_host_t* host);
};
using clap_host_latency_t = clap_host_latency;

struct clap_plugin_tail
{
  uint32_t(CLAP_ABI* get)(const clap_plugin_t* plugin);
};
using clap_plugin_tail_t = clap_plugin_tail;

struct clap_host_tail
{
  void(CLAP_ABI* changed)(const clap_host_t* host);
};
using clap_host_tail_t = clap_host_tail;

using clap_plugin_render_mode = int32_t;
enum
{
  CLAP_RENDER_REALTIME = 0,
  CLAP_RENDER_OFFLINE = 1
};

struct clap_plugin_render
{
  bool(CLAP_ABI* has_hard_realtime_requirement)(const clap_plugin_t* plugin);
  bool(CLAP_ABI* set)(const clap_plugin_t* plugin, clap_plugin_render_mode mode);
};
using clap_plugin_render_t = clap_plugin_render;

// ---- note ports ------------------------------------------------------------
enum
{
  CLAP_NOTE_DIALECT_CLAP = 1 << 0,
  CLAP_NOTE_DIALECT_MIDI = 1 << 1,
  CLAP_NOTE_DIALECT_MIDI_MPE = 1 << 2,
  CLAP_NOTE_DIALECT_MIDI2 = 1 << 3,
};

struct clap_note_port_info
{
  clap_id id;
  uint32_t supported_dialects;
  uint32_t preferred_dialect;
  char name[CLAP_NAME_SIZE];
};
using clap_note_port_info_t = clap_note_port_info;

struct clap_plugin_note_ports
{
  uint32_t(CLAP_ABI* count)(const clap_plugin_t* plugin, bool is_input);
  bool(CLAP_ABI* get)(const clap_plugin_t* plugin, uint32_t index, bool is_input, clap_note_port_info_t* info);
};
using clap_plugin_note_ports_t = clap_plugin_note_ports;

// ---- gui -------------------------------------------------------------------
struct clap_window
{
  const char* api;
  union
  {
    void* cocoa;
    unsigned long x11;
    void* win32;
    void* ptr;
  };
};
using clap_window_t = clap_window;

struct clap_gui_resize_hints
{
  bool can_resize_horizontally;
  bool can_resize_vertically;
  bool preserve_aspect_ratio;
  uint32_t aspect_ratio_width;
  uint32_t aspect_ratio_height;
};
using clap_gui_resize_hints_t = clap_gui_resize_hints;

struct clap_plugin_gui
{
  bool(CLAP_ABI* is_api_supported)(const clap_plugin_t* plugin, const char* api, bool is_floating);
  bool(CLAP_ABI* get_preferred_api)(const clap_plugin_t* plugin, const char** api, bool* is_floating);
  bool(CLAP_ABI* create)(const clap_plugin_t* plugin, const char* api, bool is_floating);
  void(CLAP_ABI* destroy)(const clap_plugin_t* plugin);
  bool(CLAP_ABI* set_scale)(const clap_plugin_t* plugin, double scale);
  bool(CLAP_ABI* get_size)(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height);
  bool(CLAP_ABI* can_resize)(const clap_plugin_t* plugin);
  bool(CLAP_ABI* get_resize_hints)(const clap_plugin_t* plugin, clap_gui_resize_hints_t* hints);
  bool(CLAP_ABI* adjust_size)(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height);
  bool(CLAP_ABI* set_size)(const clap_plugin_t* plugin, uint32_t width, uint32_t height);
  bool(CLAP_ABI* set_parent)(const clap_plugin_t* plugin, const clap_window_t* window);
  bool(CLAP_ABI* set_transient)(const clap_plugin_t* plugin, const clap_window_t* window);
  void(CLAP_ABI* suggest_title)(const clap_plugin_t* plugin, const char* title);
  bool(CLAP_ABI* show)(const clap_plugin_t* plugin);
  bool(CLAP_ABI* hide)(const clap_plugin_t* plugin);
};
using clap_plugin_gui_t = clap_plugin_gui;

struct clap_host_gui
{
  void(CLAP_ABI* resize_hints_changed)(const clap_host_t* host);
  bool(CLAP_ABI* request_resize)(const clap_host_t* host, uint32_t width, uint32_t height);
  bool(CLAP_ABI* request_show)(const clap_host_t* host);
  bool(CLAP_ABI* request_hide)(const clap_host_t* host);
  void(CLAP_ABI* closed)(const clap_host_t* host, bool was_destroyed);
};
using clap_host_gui_t = clap_host_gui;

// ---- track info ------------------------------------------------------------
enum
{
  CLAP_TRACK_INFO_HAS_TRACK_NAME = 1 << 0,
  CLAP_TRACK_INFO_HAS_TRACK_COLOR = 1 << 1,
  CLAP_TRACK_INFO_HAS_AUDIO_CHANNEL = 1 << 2,
  CLAP_TRACK_INFO_IS_FOR_RETURN_TRACK = 1 << 3,
  CLAP_TRACK_INFO_IS_FOR_BUS = 1 << 4,
  CLAP_TRACK_INFO_IS_FOR_MASTER = 1 << 5,
};

struct clap_track_info
{
  uint64_t flags;
  char name[CLAP_NAME_SIZE];
  clap_color_t color;
  int32_t audio_channel_count;
  const char* audio_port_type;
};
using clap_track_info_t = clap_track_info;

struct clap_plugin_track_info
{
  void(CLAP_ABI* changed)(const clap_plugin_t* plugin);
};
using clap_plugin_track_info_t = clap_plugin_track_info;

struct clap_host_track_info
{
  bool(CLAP_ABI* get)(const clap_host_t* host, clap_track_info_t* info);
};
using clap_host_track_info_t = clap_host_track_info;

// ---- host services ---------------------------------------------------------
struct clap_host_log
{
  void(CLAP_ABI* log)(const clap_host_t* host, clap_log_severity severity, const char* msg);
};
using clap_host_log_t = clap_host_log;

struct clap_host_thread_check
{
  bool(CLAP_ABI* is_main_thread)(const clap_host_t* host);
  bool(CLAP_ABI* is_audio_thread)(const clap_host_t* host);
};
using clap_host_thread_check_t = clap_host_thread_check;

struct clap_host_note_ports
{
  uint32_t(CLAP_ABI* supported_dialects)(const clap_host_t* host);
  void(CLAP_ABI* rescan)(const clap_host_t* host, uint32_t flags);
};
using clap_host_note_ports_t = clap_host_note_ports;

} // extern "C"
