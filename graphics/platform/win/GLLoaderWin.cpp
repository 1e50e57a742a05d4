// The window's GL loader: entry points of the current WGL context.

#include <windows.h>

#include "graphics/renderer/CanvasGLApi.h"

namespace
{
using WglGetProcAddress = PROC(WINAPI*)(LPCSTR);

struct Loader
{
  WglGetProcAddress wglGetProc;
  HMODULE opengl32;
};

void* LoadProc(void* user, const char* name)
{
  const Loader& l = *static_cast<const Loader*>(user);
  PROC proc = l.wglGetProc(name);
  // Some drivers answer small integers or -1 instead of null for names they
  // do not have.
  const INT_PTR value = reinterpret_cast<INT_PTR>(proc);
  if (value == 0 || value == 1 || value == 2 || value == 3 || value == -1)
    proc = nullptr;
  // wglGetProcAddress gives no OpenGL 1.1 functions: opengl32 exports them.
  if (!proc)
    proc = GetProcAddress(l.opengl32, name);
  void* out = nullptr;
  static_assert(sizeof(out) == sizeof(proc), "function and data pointers differ");
  memcpy(&out, &proc, sizeof(out));
  return out;
}
} // namespace

bool LoadPlatformGLApi(CanvasGLApi* api)
{
  HMODULE opengl32 = LoadLibraryW(L"opengl32.dll");
  if (!opengl32)
    return CanvasLoadGLApi(api, nullptr, nullptr);
  Loader loader{};
  loader.opengl32 = opengl32;
  FARPROC wglGetProc = GetProcAddress(opengl32, "wglGetProcAddress");
  bool ok = false;
  if (wglGetProc)
  {
    memcpy(&loader.wglGetProc, &wglGetProc, sizeof(wglGetProc));
    ok = CanvasLoadGLApi(api, LoadProc, &loader);
  }
  else
  {
    CanvasLoadGLApi(api, nullptr, nullptr);
  }
  // The process keeps opengl32 loaded for its contexts; this only drops the
  // reference taken here.
  FreeLibrary(opengl32);
  return ok;
}
