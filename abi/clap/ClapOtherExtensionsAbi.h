#pragma once
// The remaining plug-in extension tables of the CLAP interface: the glue can
// forward every one of them to a virtual operation, though this plug-in
// offers none (their support queries answer false).
#include "abi/clap/ClapExtensionsAbi.h"

extern "C" {

struct clap_plugin_state_context
{
  bool(CLAP_ABI* save)(const clap_plugin_t* plugin, const clap_ostream_t* stream, uint32_t context_type);
  bool(CLAP_ABI* load)(const clap_plugin_t* plugin, const clap_istream_t* stream, uint32_t context_type);
};
using clap_plugin_state_context_t = clap_plugin_state_context;

struct clap_plugin_preset_load
{
  bool(CLAP_ABI* from_location)(const clap_plugin_t* plugin, uint32_t location_kind, const char* location,
                                const char* load_key);
};
using clap_plugin_preset_load_t = clap_plugin_preset_load;

struct clap_plugin_audio_ports_activation
{
  bool(CLAP_ABI* can_activate_while_processing)(const clap_plugin_t* plugin);
  bool(CLAP_ABI* set_active)(const clap_plugin_t* plugin, bool is_input, uint32_t port_index, bool is_active,
                             uint32_t sample_size);
};
using clap_plugin_audio_ports_activation_t = clap_plugin_audio_ports_activation;

struct clap_audio_port_configuration_request
{
  bool is_input;
  uint32_t port_index;
  uint32_t channel_count;
  const char* port_type;
  const void* port_details;
};
using clap_audio_port_configuration_request_t = clap_audio_port_configuration_request;

struct clap_plugin_configurable_audio_ports
{
  bool(CLAP_ABI* can_apply_configuration)(const clap_plugin_t* plugin,
                                          const clap_audio_port_configuration_request* requests,
                                          uint32_t request_count);
  bool(CLAP_ABI* apply_configuration)(const clap_plugin_t* plugin,
                                      const clap_audio_port_configuration_request* requests, uint32_t request_count);
};
using clap_plugin_configurable_audio_ports_t = clap_plugin_configurable_audio_ports;

struct clap_plugin_surround
{
  bool(CLAP_ABI* is_channel_mask_supported)(const clap_plugin_t* plugin, uint64_t channel_mask);
  uint32_t(CLAP_ABI* get_channel_map)(const clap_plugin_t* plugin, bool is_input, uint32_t port_index,
                                      uint8_t* channel_map, uint32_t channel_map_capacity);
};
using clap_plugin_surround_t = clap_plugin_surround;

struct clap_plugin_param_indication
{
  void(CLAP_ABI* set_mapping)(const clap_plugin_t* plugin, clap_id param_id, bool has_mapping,
                              const clap_color_t* color, const char* label, const char* description);
  void(CLAP_ABI* set_automation)(const clap_plugin_t* plugin, clap_id param_id, uint32_t automation_state,
                                 const clap_color_t* color);
};
using clap_plugin_param_indication_t = clap_plugin_param_indication;

enum
{
  CLAP_REMOTE_CONTROLS_COUNT = 8
};
struct clap_remote_controls_page
{
  char section_name[CLAP_NAME_SIZE];
  clap_id page_id;
  char page_name[CLAP_NAME_SIZE];
  clap_id param_ids[CLAP_REMOTE_CONTROLS_COUNT];
  bool is_for_preset;
};
using clap_remote_controls_page_t = clap_remote_controls_page;

struct clap_plugin_remote_controls
{
  uint32_t(CLAP_ABI* count)(const clap_plugin_t* plugin);
  bool(CLAP_ABI* get)(const clap_plugin_t* plugin, uint32_t page_index, clap_remote_controls_page_t* page);
};
using clap_plugin_remote_controls_t = clap_plugin_remote_controls;

struct clap_note_name
{
  char name[CLAP_NAME_SIZE];
  int16_t port;
  int16_t key;
  int16_t channel;
};
using clap_note_name_t = clap_note_name;

struct clap_plugin_note_name
{
  uint32_t(CLAP_ABI* count)(const clap_plugin_t* plugin);
  bool(CLAP_ABI* get)(const clap_plugin_t* plugin, uint32_t index, clap_note_name_t* note_name);
};
using clap_plugin_note_name_t = clap_plugin_note_name;

struct clap_plugin_thread_pool
{
  void(CLAP_ABI* exec)(const clap_plugin_t* plugin, uint32_t task_index);
};
using clap_plugin_thread_pool_t = clap_plugin_thread_pool;

struct clap_plugin_timer_support
{
  void(CLAP_ABI* on_timer)(const clap_plugin_t* plugin, clap_id timer_id);
};
using clap_plugin_timer_support_t = clap_plugin_timer_support;

using clap_posix_fd_flags_t = uint32_t;
struct clap_plugin_posix_fd_support
{
  void(CLAP_ABI* on_fd)(const clap_plugin_t* plugin, int fd, clap_posix_fd_flags_t flags);
};
using clap_plugin_posix_fd_support_t = clap_plugin_posix_fd_support;

struct clap_voice_info
{
  uint32_t voice_count;
  uint32_t voice_capacity;
  uint64_t flags;
};
using clap_voice_info_t = clap_voice_info;

struct clap_plugin_voice_info
{
  bool(CLAP_ABI* get)(const clap_plugin_t* plugin, clap_voice_info_t* info);
};
using clap_plugin_voice_info_t = clap_plugin_voice_info;

struct clap_context_menu_target
{
  uint32_t kind;
  clap_id id;
};
using clap_context_menu_target_t = clap_context_menu_target;

struct clap_context_menu_builder
{
  void* ctx;
  bool(CLAP_ABI* add_item)(const clap_context_menu_builder* builder, uint32_t item_kind, const void* item_data);
  bool(CLAP_ABI* supports)(const clap_context_menu_builder* builder, uint32_t item_kind);
};
using clap_context_menu_builder_t = clap_context_menu_builder;

struct clap_plugin_context_menu
{
  bool(CLAP_ABI* populate)(const clap_plugin_t* plugin, const clap_context_menu_target_t* target,
                           const clap_context_menu_builder_t* builder);
  bool(CLAP_ABI* perform)(const clap_plugin_t* plugin, const clap_context_menu_target_t* target, clap_id action_id);
};
using clap_plugin_context_menu_t = clap_plugin_context_menu;

struct clap_plugin_resource_directory
{
  void(CLAP_ABI* set_directory)(const clap_plugin_t* plugin, const char* path, bool is_shared);
  void(CLAP_ABI* collect)(const clap_plugin_t* plugin, bool all);
  uint32_t(CLAP_ABI* get_files_count)(const clap_plugin_t* plugin);
  int32_t(CLAP_ABI* get_file_path)(const clap_plugin_t* plugin, uint32_t index, char* path, uint32_t path_size);
};
using clap_plugin_resource_directory_t = clap_plugin_resource_directory;

struct clap_undo_delta_properties
{
  bool has_delta;
  bool are_deltas_persistent;
  clap_id format_version;
};
using clap_undo_delta_properties_t = clap_undo_delta_properties;

struct clap_plugin_undo_delta
{
  void(CLAP_ABI* get_delta_properties)(const clap_plugin_t* plugin, clap_undo_delta_properties_t* properties);
  bool(CLAP_ABI* can_use_delta_format_version)(const clap_plugin_t* plugin, clap_id format_version);
  bool(CLAP_ABI* undo)(const clap_plugin_t* plugin, clap_id format_version, const void* delta, size_t delta_size);
  bool(CLAP_ABI* redo)(const clap_plugin_t* plugin, clap_id format_version, const void* delta, size_t delta_size);
};
using clap_plugin_undo_delta_t = clap_plugin_undo_delta;

struct clap_plugin_undo_context
{
  void(CLAP_ABI* set_can_undo)(const clap_plugin_t* plugin, bool can_undo);
  void(CLAP_ABI* set_can_redo)(const clap_plugin_t* plugin, bool can_redo);
  void(CLAP_ABI* set_undo_name)(const clap_plugin_t* plugin, const char* name);
  void(CLAP_ABI* set_redo_name)(const clap_plugin_t* plugin, const char* name);
};
using clap_plugin_undo_context_t = clap_plugin_undo_context;

struct clap_project_location_element
{
  uint64_t flags;
  uint32_t kind;
  uint32_t track_kind;
  uint32_t index;
  char id[CLAP_PATH_SIZE];
  char name[CLAP_NAME_SIZE];
  clap_color_t color;
};
using clap_project_location_element_t = clap_project_location_element;

struct clap_plugin_project_location
{
  void(CLAP_ABI* set)(const clap_plugin_t* plugin, const clap_project_location_element_t* path, uint32_t num_elements);
};
using clap_plugin_project_location_t = clap_plugin_project_location;

struct clap_plugin_gain_adjustment_metering
{
  double(CLAP_ABI* get)(const clap_plugin_t* plugin);
};
using clap_plugin_gain_adjustment_metering_t = clap_plugin_gain_adjustment_metering;

struct clap_mini_curve_display_curve_data
{
  int32_t curve_kind;
  uint16_t* values;
  uint32_t values_count;
};
using clap_mini_curve_display_curve_data_t = clap_mini_curve_display_curve_data;

struct clap_plugin_mini_curve_display
{
  uint32_t(CLAP_ABI* get_curve_count)(const clap_plugin_t* plugin);
  uint32_t(CLAP_ABI* render)(const clap_plugin_t* plugin, clap_mini_curve_display_curve_data_t* curves,
                             uint32_t curves_size);
  void(CLAP_ABI* set_observed)(const clap_plugin_t* plugin, bool is_observed);
  bool(CLAP_ABI* get_axis_name)(const clap_plugin_t* plugin, uint32_t curve_index, char* x_name, char* y_name,
                                uint32_t name_capacity);
};
using clap_plugin_mini_curve_display_t = clap_plugin_mini_curve_display;

struct clap_plugin_webview
{
  int32_t(CLAP_ABI* get_uri)(const clap_plugin_t* plugin, char* uri, uint32_t uri_capacity);
  bool(CLAP_ABI* get_resource)(const clap_plugin_t* plugin, const char* path, char* mime, uint32_t mime_capacity,
                               const clap_ostream_t* data_stream);
  bool(CLAP_ABI* receive)(const clap_plugin_t* plugin, const void* buffer, uint32_t size);
};
using clap_plugin_webview_t = clap_plugin_webview;

} // extern "C"
