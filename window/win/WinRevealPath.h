#pragma once
// Shows a file or folder in the file browser (explorer.exe), selected
// there when select is true. False for an empty or malformed path, one
// that cannot be quoted, or when the shell fails.
#include <windows.h>

#include "window/win/WinShellCalls.h"

namespace ifx {
namespace igfx {

bool RevealPathInFileBrowser(const char* path, bool select, const ShellCalls& calls = SystemShellCalls());

} // namespace igfx
} // namespace ifx
