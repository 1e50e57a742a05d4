// OpenGL entry points of the current WGL context.
#include "platform/GLProcLookup.h"

#include <windows.h>

#include <cstring>

namespace ifx {

namespace {

using WglGetProcAddress = PROC(WINAPI*)(LPCSTR);

HMODULE AsModule(void* library) { return static_cast<HMODULE>(library); }

} // namespace

GLProcLookup::GLProcLookup() noexcept
{
  HMODULE opengl32 = LoadLibraryW(L"opengl32.dll");
  if (!opengl32)
    return;
  mLibrary = opengl32;
  FARPROC wglGetProc = GetProcAddress(opengl32, "wglGetProcAddress");
  static_assert(sizeof(mGetProc) == sizeof(wglGetProc), "function and data pointers differ");
  std::memcpy(&mGetProc, &wglGetProc, sizeof(mGetProc));
}

GLProcLookup::~GLProcLookup()
{
  // The process keeps opengl32 loaded for its contexts; this only drops the
  // reference taken above.
  if (mLibrary)
    FreeLibrary(AsModule(mLibrary));
}

void* GLProcLookup::Find(const char* name) const noexcept
{
  if (!mGetProc || !name)
    return nullptr;
  WglGetProcAddress wglGetProc;
  std::memcpy(&wglGetProc, &mGetProc, sizeof(wglGetProc));
  PROC proc = wglGetProc(name);
  // Some drivers answer small integers or -1 instead of null for names they
  // do not have.
  const INT_PTR value = reinterpret_cast<INT_PTR>(proc);
  if (value == 0 || value == 1 || value == 2 || value == 3 || value == -1)
    proc = nullptr;
  // wglGetProcAddress gives no OpenGL 1.1 functions: opengl32 exports them.
  if (!proc)
    proc = GetProcAddress(AsModule(mLibrary), name);
  void* out = nullptr;
  static_assert(sizeof(out) == sizeof(proc), "function and data pointers differ");
  std::memcpy(&out, &proc, sizeof(out));
  return out;
}

} // namespace ifx
