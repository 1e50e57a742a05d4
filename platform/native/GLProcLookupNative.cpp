// OpenGL entry points of the current EGL context. libEGL is opened at run
// time so that nothing links against it for programs that never draw.
#include "platform/GLProcLookup.h"

#include <dlfcn.h>

namespace ifx {

namespace {

using EglGetProcAddress = void* (*)(const char*);

} // namespace

GLProcLookup::GLProcLookup() noexcept
{
  // Kept open for the life of the process: the entry points live in it.
  static void* const egl = dlopen("libEGL.so.1", RTLD_NOW | RTLD_LOCAL);
  mLibrary = egl;
  if (egl)
    mGetProc = dlsym(egl, "eglGetProcAddress");
}

GLProcLookup::~GLProcLookup() = default;

void* GLProcLookup::Find(const char* name) const noexcept
{
  if (!mGetProc || !name)
    return nullptr;
  return reinterpret_cast<EglGetProcAddress>(mGetProc)(name);
}

} // namespace ifx
