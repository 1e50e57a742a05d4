#include <windows.h>

#include <new>

#include "window/PlatformGraphics.h"
#include "window/win/IGfxWin.h"

namespace ifx {
namespace igfx {

namespace {

// The module this code lives in (the plug-in's): its window class and
// resources belong to it.
HINSTANCE ThisModule()
{
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

} // namespace

IGfx* MakePlatformGraphics(IEditorDelegate& dlg, int width, int height, int fps, float scale)
{
  auto* gfx = new (std::nothrow) IGfxWin(dlg, width, height, fps, scale);
  if (gfx)
    gfx->SetModuleHandle(ThisModule());
  return gfx;
}

} // namespace igfx
} // namespace ifx
