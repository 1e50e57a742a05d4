#pragma once
// The DPI scale of a window: GetDpiForWindow / 96 where the system has that
// function (looked up at run time: Windows 10 1607 and later), else 1.0.
#include <windows.h>

namespace ifx {
namespace igfx {

float GetScaleForWindow(HWND window) noexcept;

} // namespace igfx
} // namespace ifx
