#include "renderer/EglTestContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

EglTestContext::EglTestContext()
{
  auto getPlatformDisplay =
    reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getPlatformDisplay)
  {
    error = "no eglGetPlatformDisplayEXT";
    return;
  }
  EGLDisplay dpy = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (dpy == EGL_NO_DISPLAY || !eglInitialize(dpy, nullptr, nullptr))
  {
    error = "no surfaceless display";
    return;
  }
  display = dpy;
  if (!eglBindAPI(EGL_OPENGL_API))
  {
    error = "no desktop OpenGL";
    return;
  }
  const EGLint configAttribs[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint nconfig = 0;
  if (!eglChooseConfig(dpy, configAttribs, &config, 1, &nconfig) || nconfig < 1)
    config = nullptr; // surfaceless contexts may go without a config
  const EGLint contextAttribs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                   EGL_NONE};
  EGLContext ctx = eglCreateContext(dpy, config, EGL_NO_CONTEXT, contextAttribs);
  if (ctx == EGL_NO_CONTEXT)
  {
    error = "no compatibility context";
    return;
  }
  if (!eglMakeCurrent(dpy, EGL_NO_SURFACE, EGL_NO_SURFACE, ctx))
  {
    eglDestroyContext(dpy, ctx);
    error = "cannot make the context current";
    return;
  }
  context = ctx;
}

EglTestContext::~EglTestContext()
{
  if (!display)
    return;
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context)
    eglDestroyContext(display, context);
  // The display stays initialised: terminating it unloads Mesa's driver,
  // and the driver's own process-lifetime allocations would then be
  // reported as leaks without names to suppress them by.
}

void EglTestContext::MakeCurrent()
{
  if (context)
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context);
}

void* EglTestContext::Proc(const char* name)
{
  return reinterpret_cast<void*>(eglGetProcAddress(name));
}
