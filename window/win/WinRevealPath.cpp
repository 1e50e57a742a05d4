#include "window/win/WinRevealPath.h"

#include <cstring>
#include <string>

#include "platform/win/WinText.h"

namespace ifx {
namespace igfx {

bool RevealPathInFileBrowser(const char* path, bool select, const ShellCalls& calls)
{
  // The path travels in double quotes; Windows names hold none, so a path
  // with one is no path (and would end the quotes early).
  if (!path || !*path || std::strchr(path, '"'))
    return false;
  const std::wstring widePath = Widen(path);
  if (widePath.empty())
    return false;
  wchar_t system[4096];
  const UINT length = GetSystemDirectoryW(system, 4096);
  if (length == 0 || length > MAX_PATH - 2)
    return false;
  const std::wstring directory = std::wstring(system, length) + L"\\";
  const std::wstring arguments = std::wstring(select ? L"/select," : L"") + L"\"" + widePath + L"\"";
  return calls.execute(nullptr, L"open", L"explorer.exe", arguments.c_str(), directory.c_str()) > 32;
}

} // namespace igfx
} // namespace ifx
