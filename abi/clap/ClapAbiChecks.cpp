// Compile-time checks of the CLAP record layouts against the published x86_64
// figures (identical for Windows and Linux). A mismatch here would corrupt
// every call between host and plug-in, so it must fail the build.
#include "abi/clap/Clap.h"

#define CHECK_SIZE(T, size, align)                \
  static_assert(sizeof(T) == (size), #T " size"); \
  static_assert(alignof(T) == (align), #T " alignment")
#define CHECK_AT(T, field, offset) static_assert(offsetof(T, field) == (offset), #T "." #field)

static_assert(sizeof(void*) == 8, "the CLAP module is built for 64-bit targets only");
static_assert(sizeof(bool) == 1, "CLAP passes bool as one byte");

CHECK_SIZE(clap_version_t, 12, 4);
CHECK_AT(clap_version_t, revision, 8);

CHECK_SIZE(clap_plugin_entry_t, 40, 8);
CHECK_AT(clap_plugin_entry_t, init, 16);
CHECK_AT(clap_plugin_entry_t, deinit, 24);
CHECK_AT(clap_plugin_entry_t, get_factory, 32);

CHECK_SIZE(clap_plugin_factory_t, 24, 8);
CHECK_AT(clap_plugin_factory_t, create_plugin, 16);

CHECK_SIZE(clap_plugin_descriptor_t, 88, 8);
CHECK_AT(clap_plugin_descriptor_t, id, 16);
CHECK_AT(clap_plugin_descriptor_t, name, 24);
CHECK_AT(clap_plugin_descriptor_t, vendor, 32);
CHECK_AT(clap_plugin_descriptor_t, url, 40);
CHECK_AT(clap_plugin_descriptor_t, manual_url, 48);
CHECK_AT(clap_plugin_descriptor_t, support_url, 56);
CHECK_AT(clap_plugin_descriptor_t, version, 64);
CHECK_AT(clap_plugin_descriptor_t, description, 72);
CHECK_AT(clap_plugin_descriptor_t, features, 80);

CHECK_SIZE(clap_plugin_t, 96, 8);
CHECK_AT(clap_plugin_t, plugin_data, 8);
CHECK_AT(clap_plugin_t, init, 16);
CHECK_AT(clap_plugin_t, destroy, 24);
CHECK_AT(clap_plugin_t, activate, 32);
CHECK_AT(clap_plugin_t, deactivate, 40);
CHECK_AT(clap_plugin_t, start_processing, 48);
CHECK_AT(clap_plugin_t, stop_processing, 56);
CHECK_AT(clap_plugin_t, reset, 64);
CHECK_AT(clap_plugin_t, process, 72);
CHECK_AT(clap_plugin_t, get_extension, 80);
CHECK_AT(clap_plugin_t, on_main_thread, 88);

CHECK_SIZE(clap_host_t, 88, 8);
CHECK_AT(clap_host_t, host_data, 16);
CHECK_AT(clap_host_t, name, 24);
CHECK_AT(clap_host_t, vendor, 32);
CHECK_AT(clap_host_t, url, 40);
CHECK_AT(clap_host_t, version, 48);
CHECK_AT(clap_host_t, get_extension, 56);
CHECK_AT(clap_host_t, request_restart, 64);
CHECK_AT(clap_host_t, request_process, 72);
CHECK_AT(clap_host_t, request_callback, 80);

CHECK_SIZE(clap_audio_buffer_t, 32, 8);
CHECK_AT(clap_audio_buffer_t, data64, 8);
CHECK_AT(clap_audio_buffer_t, channel_count, 16);
CHECK_AT(clap_audio_buffer_t, latency, 20);
CHECK_AT(clap_audio_buffer_t, constant_mask, 24);

CHECK_SIZE(clap_process_t, 64, 8);
CHECK_AT(clap_process_t, frames_count, 8);
CHECK_AT(clap_process_t, transport, 16);
CHECK_AT(clap_process_t, audio_inputs, 24);
CHECK_AT(clap_process_t, audio_outputs, 32);
CHECK_AT(clap_process_t, audio_inputs_count, 40);
CHECK_AT(clap_process_t, audio_outputs_count, 44);
CHECK_AT(clap_process_t, in_events, 48);
CHECK_AT(clap_process_t, out_events, 56);

CHECK_SIZE(clap_event_header_t, 16, 4);
CHECK_AT(clap_event_header_t, time, 4);
CHECK_AT(clap_event_header_t, space_id, 8);
CHECK_AT(clap_event_header_t, type, 10);
CHECK_AT(clap_event_header_t, flags, 12);

CHECK_SIZE(clap_event_note_t, 40, 8);
CHECK_AT(clap_event_note_t, note_id, 16);
CHECK_AT(clap_event_note_t, port_index, 20);
CHECK_AT(clap_event_note_t, channel, 22);
CHECK_AT(clap_event_note_t, key, 24);
CHECK_AT(clap_event_note_t, velocity, 32);

CHECK_SIZE(clap_event_note_expression_t, 40, 8);
CHECK_AT(clap_event_note_expression_t, key, 28);
CHECK_AT(clap_event_note_expression_t, value, 32);

CHECK_SIZE(clap_event_param_value_t, 56, 8);
CHECK_AT(clap_event_param_value_t, param_id, 16);
CHECK_AT(clap_event_param_value_t, cookie, 24);
CHECK_AT(clap_event_param_value_t, note_id, 32);
CHECK_AT(clap_event_param_value_t, port_index, 36);
CHECK_AT(clap_event_param_value_t, channel, 38);
CHECK_AT(clap_event_param_value_t, key, 40);
CHECK_AT(clap_event_param_value_t, value, 48);

CHECK_SIZE(clap_event_param_mod_t, 56, 8);
CHECK_AT(clap_event_param_mod_t, amount, 48);

CHECK_SIZE(clap_event_param_gesture_t, 20, 4);
CHECK_AT(clap_event_param_gesture_t, param_id, 16);

CHECK_SIZE(clap_event_transport_t, 104, 8);
CHECK_AT(clap_event_transport_t, flags, 16);
CHECK_AT(clap_event_transport_t, song_pos_beats, 24);
CHECK_AT(clap_event_transport_t, song_pos_seconds, 32);
CHECK_AT(clap_event_transport_t, tempo, 40);
CHECK_AT(clap_event_transport_t, tempo_inc, 48);
CHECK_AT(clap_event_transport_t, loop_start_beats, 56);
CHECK_AT(clap_event_transport_t, loop_end_beats, 64);
CHECK_AT(clap_event_transport_t, loop_start_seconds, 72);
CHECK_AT(clap_event_transport_t, loop_end_seconds, 80);
CHECK_AT(clap_event_transport_t, bar_start, 88);
CHECK_AT(clap_event_transport_t, bar_number, 96);
CHECK_AT(clap_event_transport_t, tsig_num, 100);
CHECK_AT(clap_event_transport_t, tsig_denom, 102);

CHECK_SIZE(clap_event_midi_t, 24, 4);
CHECK_AT(clap_event_midi_t, port_index, 16);
CHECK_AT(clap_event_midi_t, data, 18);

CHECK_SIZE(clap_event_midi_sysex_t, 40, 8);
CHECK_AT(clap_event_midi_sysex_t, port_index, 16);
CHECK_AT(clap_event_midi_sysex_t, buffer, 24);
CHECK_AT(clap_event_midi_sysex_t, size, 32);

CHECK_SIZE(clap_event_midi2_t, 36, 4);
CHECK_AT(clap_event_midi2_t, data, 20);

CHECK_SIZE(clap_input_events_t, 24, 8);
CHECK_AT(clap_input_events_t, size, 8);
CHECK_AT(clap_input_events_t, get, 16);
CHECK_SIZE(clap_output_events_t, 16, 8);
CHECK_AT(clap_output_events_t, try_push, 8);

CHECK_SIZE(clap_istream_t, 16, 8);
CHECK_AT(clap_istream_t, read, 8);
CHECK_SIZE(clap_ostream_t, 16, 8);
CHECK_AT(clap_ostream_t, write, 8);

CHECK_SIZE(clap_param_info_t, 1320, 8);
CHECK_AT(clap_param_info_t, flags, 4);
CHECK_AT(clap_param_info_t, cookie, 8);
CHECK_AT(clap_param_info_t, name, 16);
CHECK_AT(clap_param_info_t, module, 272);
CHECK_AT(clap_param_info_t, min_value, 1296);
CHECK_AT(clap_param_info_t, max_value, 1304);
CHECK_AT(clap_param_info_t, default_value, 1312);

CHECK_SIZE(clap_audio_port_info_t, 288, 8);
CHECK_AT(clap_audio_port_info_t, name, 4);
CHECK_AT(clap_audio_port_info_t, flags, 260);
CHECK_AT(clap_audio_port_info_t, channel_count, 264);
CHECK_AT(clap_audio_port_info_t, port_type, 272);
CHECK_AT(clap_audio_port_info_t, in_place_pair, 280);

CHECK_SIZE(clap_audio_ports_config_t, 304, 8);
CHECK_AT(clap_audio_ports_config_t, name, 4);
CHECK_AT(clap_audio_ports_config_t, input_port_count, 260);
CHECK_AT(clap_audio_ports_config_t, output_port_count, 264);
CHECK_AT(clap_audio_ports_config_t, has_main_input, 268);
CHECK_AT(clap_audio_ports_config_t, main_input_channel_count, 272);
CHECK_AT(clap_audio_ports_config_t, main_input_port_type, 280);
CHECK_AT(clap_audio_ports_config_t, has_main_output, 288);
CHECK_AT(clap_audio_ports_config_t, main_output_channel_count, 292);
CHECK_AT(clap_audio_ports_config_t, main_output_port_type, 296);

CHECK_SIZE(clap_window_t, 16, 8);
CHECK_SIZE(clap_gui_resize_hints_t, 12, 4);
CHECK_AT(clap_gui_resize_hints_t, aspect_ratio_width, 4);

CHECK_SIZE(clap_note_port_info_t, 268, 4);
CHECK_AT(clap_note_port_info_t, name, 12);

CHECK_SIZE(clap_color_t, 4, 1);
CHECK_SIZE(clap_track_info_t, 280, 8);
CHECK_AT(clap_track_info_t, name, 8);
CHECK_AT(clap_track_info_t, color, 264);
CHECK_AT(clap_track_info_t, audio_channel_count, 268);
CHECK_AT(clap_track_info_t, audio_port_type, 272);

// Function tables: one pointer per slot, in the published order.
CHECK_SIZE(clap_plugin_params_t, 48, 8);
CHECK_AT(clap_plugin_params_t, flush, 40);
CHECK_SIZE(clap_host_params_t, 24, 8);
CHECK_AT(clap_host_params_t, request_flush, 16);
CHECK_SIZE(clap_plugin_gui_t, 120, 8);
CHECK_AT(clap_plugin_gui_t, set_parent, 80);
CHECK_AT(clap_plugin_gui_t, hide, 112);
CHECK_SIZE(clap_host_gui_t, 40, 8);
CHECK_AT(clap_host_gui_t, request_resize, 8);
CHECK_SIZE(clap_plugin_state_t, 16, 8);
CHECK_SIZE(clap_plugin_latency_t, 8, 8);
CHECK_SIZE(clap_plugin_tail_t, 8, 8);
CHECK_SIZE(clap_plugin_render_t, 16, 8);
CHECK_SIZE(clap_plugin_audio_ports_t, 16, 8);
CHECK_SIZE(clap_plugin_audio_ports_config_t, 24, 8);
CHECK_AT(clap_plugin_audio_ports_config_t, select, 16);
CHECK_SIZE(clap_plugin_note_ports_t, 16, 8);
CHECK_SIZE(clap_host_log_t, 8, 8);
CHECK_SIZE(clap_host_thread_check_t, 16, 8);
CHECK_AT(clap_host_thread_check_t, is_audio_thread, 8);
CHECK_SIZE(clap_host_latency_t, 8, 8);
CHECK_SIZE(clap_host_track_info_t, 8, 8);
CHECK_SIZE(clap_host_state_t, 8, 8);
CHECK_SIZE(clap_host_tail_t, 8, 8);
CHECK_SIZE(clap_host_audio_ports_t, 16, 8);
CHECK_SIZE(clap_host_note_ports_t, 16, 8);

// The tables the glue holds but this plug-in does not offer.
#include "abi/clap/ClapOtherExtensionsAbi.h"

CHECK_SIZE(clap_plugin_state_context_t, 16, 8);
CHECK_SIZE(clap_plugin_preset_load_t, 8, 8);
CHECK_SIZE(clap_plugin_audio_ports_activation_t, 16, 8);
CHECK_SIZE(clap_audio_port_configuration_request_t, 32, 8);
CHECK_AT(clap_audio_port_configuration_request_t, port_index, 4);
CHECK_AT(clap_audio_port_configuration_request_t, channel_count, 8);
CHECK_AT(clap_audio_port_configuration_request_t, port_type, 16);
CHECK_AT(clap_audio_port_configuration_request_t, port_details, 24);
CHECK_SIZE(clap_plugin_configurable_audio_ports_t, 16, 8);
CHECK_SIZE(clap_plugin_surround_t, 16, 8);
CHECK_SIZE(clap_plugin_param_indication_t, 16, 8);
CHECK_SIZE(clap_remote_controls_page_t, 552, 4);
CHECK_AT(clap_remote_controls_page_t, page_id, 256);
CHECK_AT(clap_remote_controls_page_t, page_name, 260);
CHECK_AT(clap_remote_controls_page_t, param_ids, 516);
CHECK_AT(clap_remote_controls_page_t, is_for_preset, 548);
CHECK_SIZE(clap_plugin_remote_controls_t, 16, 8);
CHECK_SIZE(clap_note_name_t, 262, 2);
CHECK_AT(clap_note_name_t, port, 256);
CHECK_AT(clap_note_name_t, channel, 260);
CHECK_SIZE(clap_plugin_note_name_t, 16, 8);
CHECK_SIZE(clap_plugin_thread_pool_t, 8, 8);
CHECK_SIZE(clap_plugin_timer_support_t, 8, 8);
CHECK_SIZE(clap_plugin_posix_fd_support_t, 8, 8);
CHECK_SIZE(clap_voice_info_t, 16, 8);
CHECK_AT(clap_voice_info_t, flags, 8);
CHECK_SIZE(clap_plugin_voice_info_t, 8, 8);
CHECK_SIZE(clap_context_menu_target_t, 8, 4);
CHECK_SIZE(clap_context_menu_builder_t, 24, 8);
CHECK_SIZE(clap_plugin_context_menu_t, 16, 8);
CHECK_SIZE(clap_plugin_resource_directory_t, 32, 8);
CHECK_SIZE(clap_undo_delta_properties_t, 8, 4);
CHECK_AT(clap_undo_delta_properties_t, format_version, 4);
CHECK_SIZE(clap_plugin_undo_delta_t, 32, 8);
CHECK_SIZE(clap_plugin_undo_context_t, 32, 8);
CHECK_SIZE(clap_project_location_element_t, 1304, 8);
CHECK_AT(clap_project_location_element_t, kind, 8);
CHECK_AT(clap_project_location_element_t, index, 16);
CHECK_AT(clap_project_location_element_t, id, 20);
CHECK_AT(clap_project_location_element_t, name, 1044);
CHECK_AT(clap_project_location_element_t, color, 1300);
CHECK_SIZE(clap_plugin_project_location_t, 8, 8);
CHECK_SIZE(clap_plugin_gain_adjustment_metering_t, 8, 8);
CHECK_SIZE(clap_mini_curve_display_curve_data_t, 24, 8);
CHECK_AT(clap_mini_curve_display_curve_data_t, values, 8);
CHECK_AT(clap_mini_curve_display_curve_data_t, values_count, 16);
CHECK_SIZE(clap_plugin_mini_curve_display_t, 32, 8);
CHECK_SIZE(clap_plugin_webview_t, 24, 8);
