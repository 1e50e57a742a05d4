#pragma once
// Opens a web address in the user's browser, after an optional yes/no
// question. Only addresses IsOpenableUrl accepts reach the shell. Offline,
// refused or failed: the error text (when given) is shown and the result
// is false.
#include <windows.h>

#include "window/win/WinShellCalls.h"

namespace ifx {
namespace igfx {

bool OpenURL(HWND owner, const char* url, const char* windowTitle, const char* confirmText, const char* errorText,
             const ShellCalls& calls = SystemShellCalls());

} // namespace igfx
} // namespace ifx
