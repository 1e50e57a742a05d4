#include "window/win/WinShellCalls.h"

#include <shellapi.h>
#include <wininet.h>

namespace ifx {
namespace igfx {

namespace {

bool IsConnected()
{
  DWORD flags = 0;
  return InternetGetConnectedState(&flags, 0) != FALSE;
}

INT_PTR Execute(HWND owner, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                const wchar_t* directory)
{
  return reinterpret_cast<INT_PTR>(ShellExecuteW(owner, verb, file, parameters, directory, SW_SHOWNORMAL));
}

int Message(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)
{
  return MessageBoxW(owner, text, caption, type);
}

} // namespace

const ShellCalls& SystemShellCalls()
{
  static const ShellCalls calls{&IsConnected, &Execute, &Message};
  return calls;
}

} // namespace igfx
} // namespace ifx
