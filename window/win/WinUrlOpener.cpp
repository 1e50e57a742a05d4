#include "window/win/WinUrlOpener.h"

#include <string>

#include "base/OpenableUrl.h"
#include "platform/win/WinText.h"

namespace ifx {
namespace igfx {

bool OpenURL(HWND owner, const char* url, const char* windowTitle, const char* confirmText, const char* errorText,
             const ShellCalls& calls)
{
  const std::wstring title = Widen(windowTitle);
  const wchar_t* caption = windowTitle ? title.c_str() : nullptr;
  auto fail = [&] {
    if (errorText)
      calls.messageBox(owner, Widen(errorText).c_str(), caption, MB_OK);
    return false;
  };
  // A refused address is never offered to the user either.
  if (!IsOpenableUrl(url))
    return fail();
  if (confirmText && calls.messageBox(owner, Widen(confirmText).c_str(), caption, MB_YESNO) != IDYES)
    return false;
  if (calls.isConnected() && calls.execute(owner, L"open", Widen(url).c_str(), nullptr, nullptr) > 32)
    return true;
  return fail();
}

} // namespace igfx
} // namespace ifx
