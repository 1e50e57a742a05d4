#pragma once
// The system calls through which the editor talks to the shell: the
// connectivity query, ShellExecuteW (SW_SHOWNORMAL) and MessageBoxW.
// Passed in so that tests can watch what would be started without
// starting it.
#include <windows.h>

namespace ifx {
namespace igfx {

struct ShellCalls
{
  bool (*isConnected)();
  // ShellExecuteW's result: above 32 on success.
  using ExecuteFunc = INT_PTR(HWND owner, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                              const wchar_t* directory);
  ExecuteFunc* execute;
  int (*messageBox)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
};

const ShellCalls& SystemShellCalls();

} // namespace igfx
} // namespace ifx
