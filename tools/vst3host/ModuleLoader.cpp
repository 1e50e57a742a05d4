#include "vst3host/ModuleLoader.h"

#include <sys/stat.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace vst3host {

namespace {

bool IsDirectory(const std::string& path)
{
  struct stat st;
  return stat(path.c_str(), &st) == 0 && (st.st_mode & S_IFDIR);
}

// Murkwisp.vst3/ -> Murkwisp.vst3/Contents/<arch>/Murkwisp.<ext>
std::string ResolveBundle(std::string path)
{
  while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
    path.pop_back();
  if (!IsDirectory(path))
    return path;
  std::string name = path.substr(path.find_last_of("/\\") + 1);
  const size_t dot = name.rfind(".vst3");
  if (dot != std::string::npos)
    name.resize(dot);
#if defined(_WIN32)
  return path + "/Contents/x86_64-win/" + name + ".vst3";
#else
  return path + "/Contents/x86_64-linux/" + name + ".so";
#endif
}

} // namespace

bool ModuleLoader::load(const std::string& rawPath)
{
  unload();
  const std::string path = ResolveBundle(rawPath);
#if defined(_WIN32)
  // Wine reaches the Unix file system through drive Z:.
  std::string winPath = (!path.empty() && path[0] == '/') ? "Z:" + path : path;
  for (char& c : winPath)
    if (c == '/')
      c = '\\';
  std::wstring wide(winPath.begin(), winPath.end());
  handle = LoadLibraryW(wide.c_str());
  if (!handle)
  {
    message = "cannot load " + winPath + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  using InitProc = bool (*)();
  auto init = reinterpret_cast<InitProc>(symbol("InitDll"));
  if (init && !init())
  {
    message = "InitDll returned false";
    return false;
  }
  initialised = init != nullptr;
#else
  // Kept mapped after dlclose so sanitizer reports can name its code.
  handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (!handle)
  {
    const char* e = dlerror();
    message = std::string("cannot load ") + path + ": " + (e ? e : "?");
    return false;
  }
  using EntryProc = bool (*)(void*);
  auto entry = reinterpret_cast<EntryProc>(symbol("ModuleEntry"));
  if (!entry)
  {
    message = "no ModuleEntry export";
    return false;
  }
  if (!entry(handle))
  {
    message = "ModuleEntry returned false";
    return false;
  }
  initialised = true;
#endif
  if (!symbol("GetPluginFactory"))
  {
    message = "no GetPluginFactory export";
    return false;
  }
  return true;
}

Steinberg::IPluginFactory* ModuleLoader::factory()
{
  auto proc = reinterpret_cast<Steinberg::GetFactoryProc>(symbol("GetPluginFactory"));
  return proc ? proc() : nullptr;
}

bool ModuleLoader::hasExport(const char* name) const { return symbol(name) != nullptr; }

void* ModuleLoader::symbol(const char* name) const
{
  if (!handle)
    return nullptr;
#if defined(_WIN32)
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
#else
  return dlsym(handle, name);
#endif
}

void ModuleLoader::unload()
{
  if (!handle)
    return;
  if (initialised)
  {
    using ExitProc = bool (*)();
#if defined(_WIN32)
    auto exitProc = reinterpret_cast<ExitProc>(symbol("ExitDll"));
#else
    auto exitProc = reinterpret_cast<ExitProc>(symbol("ModuleExit"));
#endif
    if (exitProc)
      exitProc();
  }
#if defined(_WIN32)
  FreeLibrary(static_cast<HMODULE>(handle));
#else
  dlclose(handle);
#endif
  handle = nullptr;
  initialised = false;
}

} // namespace vst3host
