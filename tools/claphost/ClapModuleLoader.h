#pragma once
// Loads a .clap module (a shared library) and finds its clap_entry.
#include <string>

#include "abi/clap/Clap.h"

namespace claphost {

class ClapModuleLoader
{
public:
  ClapModuleLoader() = default;
  ~ClapModuleLoader();
  ClapModuleLoader(const ClapModuleLoader&) = delete;
  ClapModuleLoader& operator=(const ClapModuleLoader&) = delete;

  // False with Error() set when the file cannot be loaded or lacks clap_entry.
  bool Load(const std::string& path);
  // Explicit only: destruction leaves the module loaded.
  void Unload();

  const clap_plugin_entry_t* Entry() const noexcept { return mEntry; }
  // The loaded library (HMODULE on Windows).
  void* Handle() const noexcept { return mHandle; }
  // Looks up any exported data or function symbol.
  const void* Symbol(const char* name) const;
  // The path as the module should see it (Windows form under wine).
  const std::string& Path() const noexcept { return mPath; }
  const std::string& Error() const noexcept { return mError; }

private:
  void* mHandle = nullptr;
  const clap_plugin_entry_t* mEntry = nullptr;
  std::string mPath;
  std::string mError;
};

} // namespace claphost
