#include "window/win/WinDpiScale.h"

#include "window/WindowScale.h"

namespace ifx {
namespace igfx {

namespace {

using GetDpiForWindowProc = UINT(WINAPI*)(HWND);

GetDpiForWindowProc LookUpGetDpiForWindow() noexcept
{
  // user32 is loaded in every process with windows; the handle is kept.
  HMODULE user32 = LoadLibraryW(L"user32.dll");
  if (!user32)
    return nullptr;
  FARPROC proc = GetProcAddress(user32, "GetDpiForWindow");
  return reinterpret_cast<GetDpiForWindowProc>(reinterpret_cast<void*>(proc));
}

} // namespace

float GetScaleForWindow(HWND window) noexcept
{
  static const GetDpiForWindowProc getDpi = LookUpGetDpiForWindow();
  // A window that is gone or a failed query gives a DPI of 0: scale 1.
  return ScaleFromDpi(getDpi && window ? getDpi(window) : 0u);
}

} // namespace igfx
} // namespace ifx
