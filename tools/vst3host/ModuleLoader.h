#pragma once
// Loads a VST3 module binary (the .so natively, the DLL on Windows), calls
// its init entry, and hands out the factory; unloads in reverse order.
#include <string>

#include "abi/vst3/Vst3PluginBase.h"

namespace vst3host {

class ModuleLoader
{
public:
  ModuleLoader() = default;
  ModuleLoader(const ModuleLoader&) = delete;
  ModuleLoader& operator=(const ModuleLoader&) = delete;
  ~ModuleLoader() { unload(); }

  // A bundle folder (Murkwisp.vst3) is resolved to its binary. False with a
  // message in error() when the file, an export or the init call fails.
  bool load(const std::string& path);
  // The factory with one reference (the caller releases it), or null.
  Steinberg::IPluginFactory* factory();
  void unload();
  const std::string& error() const { return message; }
  bool hasExport(const char* name) const;
  // The loaded module's own handle (HMODULE on Windows), null when none.
  void* moduleHandle() const { return handle; }

private:
  void* symbol(const char* name) const;
  void* handle = nullptr;
  bool initialised = false;
  std::string message;
};

} // namespace vst3host
