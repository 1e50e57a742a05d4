#include "claphost/ClapModuleLoader.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace claphost {

namespace {

#if defined(_WIN32)
// Under wine a Unix path (from ctest) names drive Z:.
std::string ToWindowsPath(const std::string& path)
{
  std::string out = path;
  if (!out.empty() && out[0] == '/')
    out = "Z:" + out;
  for (char& c : out)
    if (c == '/')
      c = '\\';
  return out;
}
#endif

} // namespace

// The module stays loaded until the process ends, as in most hosts: its
// process-wide singletons then stay reachable for the leak checker.
ClapModuleLoader::~ClapModuleLoader() = default;

bool ClapModuleLoader::Load(const std::string& path)
{
  Unload();
#if defined(_WIN32)
  mPath = ToWindowsPath(path);
  const int n = MultiByteToWideChar(CP_UTF8, 0, mPath.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, mPath.c_str(), -1, &wide[0], n);
  HMODULE module = LoadLibraryW(wide.c_str());
  if (!module)
  {
    mError = "LoadLibrary failed with error " + std::to_string(GetLastError());
    return false;
  }
  mHandle = module;
#else
  mPath = path;
  mHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!mHandle)
  {
    const char* err = dlerror();
    mError = err ? err : "dlopen failed";
    return false;
  }
#endif
  mEntry = static_cast<const clap_plugin_entry_t*>(Symbol("clap_entry"));
  if (!mEntry)
  {
    mError = "the module does not export clap_entry";
    Unload();
    return false;
  }
  return true;
}

const void* ClapModuleLoader::Symbol(const char* name) const
{
  if (!mHandle)
    return nullptr;
#if defined(_WIN32)
  return reinterpret_cast<const void*>(GetProcAddress(static_cast<HMODULE>(mHandle), name));
#else
  return dlsym(mHandle, name);
#endif
}

void ClapModuleLoader::Unload()
{
  if (!mHandle)
    return;
#if defined(_WIN32)
  FreeLibrary(static_cast<HMODULE>(mHandle));
#else
  dlclose(mHandle);
#endif
  mHandle = nullptr;
  mEntry = nullptr;
}

} // namespace claphost
