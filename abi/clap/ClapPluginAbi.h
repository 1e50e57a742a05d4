#pragma once
// Entry, factory, descriptor, plug-in and host records of the CLAP interface.
#include "abi/clap/ClapBase.h"

extern "C" {

struct clap_process;
struct clap_host;

struct clap_plugin_descriptor
{
  clap_version_t clap_version;
  const char* id;
  const char* name;
  const char* vendor;
  const char* url;
  const char* manual_url;
  const char* support_url;
  const char* version;
  const char* description;
  const char* const* features; // null-terminated
};
using clap_plugin_descriptor_t = clap_plugin_descriptor;

struct clap_plugin
{
  const clap_plugin_descriptor_t* desc;
  void* plugin_data;
  bool(CLAP_ABI* init)(const clap_plugin* plugin);
  void(CLAP_ABI* destroy)(const clap_plugin* plugin);
  bool(CLAP_ABI* activate)(const clap_plugin* plugin, double sample_rate, uint32_t min_frames_count,
                           uint32_t max_frames_count);
  void(CLAP_ABI* deactivate)(const clap_plugin* plugin);
  bool(CLAP_ABI* start_processing)(const clap_plugin* plugin);
  void(CLAP_ABI* stop_processing)(const clap_plugin* plugin);
  void(CLAP_ABI* reset)(const clap_plugin* plugin);
  clap_process_status(CLAP_ABI* process)(const clap_plugin* plugin, const clap_process* process);
  const void*(CLAP_ABI* get_extension)(const clap_plugin* plugin, const char* id);
  void(CLAP_ABI* on_main_thread)(const clap_plugin* plugin);
};
using clap_plugin_t = clap_plugin;

struct clap_host
{
  clap_version_t clap_version;
  void* host_data;
  const char* name;
  const char* vendor;
  const char* url;
  const char* version;
  const void*(CLAP_ABI* get_extension)(const clap_host* host, const char* extension_id);
  void(CLAP_ABI* request_restart)(const clap_host* host);
  void(CLAP_ABI* request_process)(const clap_host* host);
  void(CLAP_ABI* request_callback)(const clap_host* host);
};
using clap_host_t = clap_host;

struct clap_plugin_factory
{
  uint32_t(CLAP_ABI* get_plugin_count)(const clap_plugin_factory* factory);
  const clap_plugin_descriptor_t*(CLAP_ABI* get_plugin_descriptor)(const clap_plugin_factory* factory, uint32_t index);
  const clap_plugin_t*(CLAP_ABI* create_plugin)(const clap_plugin_factory* factory, const clap_host_t* host,
                                                const char* plugin_id);
};
using clap_plugin_factory_t = clap_plugin_factory;

struct clap_plugin_entry
{
  clap_version_t clap_version;
  bool(CLAP_ABI* init)(const char* plugin_path);
  void(CLAP_ABI* deinit)(void);
  const void*(CLAP_ABI* get_factory)(const char* factory_id);
};
using clap_plugin_entry_t = clap_plugin_entry;

#define CLAP_PLUGIN_FACTORY_ID "clap.plugin-factory"

#define CLAP_PLUGIN_FEATURE_AUDIO_EFFECT "audio-effect"
#define CLAP_PLUGIN_FEATURE_STEREO "stereo"

} // extern "C"
