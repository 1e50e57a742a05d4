// Native stand-in for the window's GL loader: entry points of the current
// EGL context (tests and benchmarks make a surfaceless Mesa one). libEGL is
// opened at run time so that nothing links against it for programs that
// never draw.

#include <dlfcn.h>

#include "graphics/renderer/CanvasGLApi.h"

namespace
{
using EglGetProcAddress = void* (*)(const char*);

void* LoadProc(void* user, const char* name)
{
  return reinterpret_cast<EglGetProcAddress>(user)(name);
}
} // namespace

bool LoadPlatformGLApi(CanvasGLApi* api)
{
  // Kept open for the life of the process: the entry points live in it.
  static void* const egl = dlopen("libEGL.so.1", RTLD_NOW | RTLD_LOCAL);
  if (!egl)
    return CanvasLoadGLApi(api, nullptr, nullptr);
  void* proc = dlsym(egl, "eglGetProcAddress");
  return CanvasLoadGLApi(api, proc ? LoadProc : nullptr, proc);
}
