#include "window/win/WinTooltip.h"

#include <commctrl.h>

#include <cstddef>
#include <string>

#include "platform/win/WinText.h"

namespace ifx {
namespace igfx {

namespace {

// The tool record of common controls 5 (64 bytes, up to lParam): without a
// manifest that is the version a plug-in gets, and it refuses the larger
// record.
constexpr UINT kToolRecordSize = offsetof(TTTOOLINFOW, lParam) + sizeof(LPARAM);
static_assert(kToolRecordSize == 64, "the tool record of common controls 5");
constexpr LPARAM kMaxTipWidth = 250; // pixels; longer tips wrap

TTTOOLINFOW MakeTool(HWND owner, wchar_t* text)
{
  TTTOOLINFOW tool = {};
  tool.cbSize = kToolRecordSize;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(owner);
  tool.lpszText = text;
  return tool;
}

} // namespace

bool WinTooltip::Create(HWND owner, HINSTANCE instance)
{
  Destroy();
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  mWindow = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
  if (!mWindow)
    return false;
  mOwner = owner;
  SetWindowPos(mWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  TTTOOLINFOW tool = MakeTool(owner, nullptr);
  SendMessageW(mWindow, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(mWindow, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
  return true;
}

void WinTooltip::Destroy()
{
  if (mWindow)
    DestroyWindow(mWindow);
  mWindow = nullptr;
  mOwner = nullptr;
  mShown = false;
}

void WinTooltip::SetTooltipText(const char* text)
{
  if (!mWindow)
    return;
  std::wstring wide = text ? Widen(text) : std::wstring();
  TTTOOLINFOW tool = MakeTool(mOwner, text ? &wide[0] : nullptr);
  SendMessageW(mWindow, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void WinTooltip::Show(const char* text)
{
  SetTooltipText(text);
  mShown = mWindow != nullptr;
}

void WinTooltip::Hide()
{
  if (!mShown)
    return;
  SetTooltipText(nullptr);
  mShown = false;
}

} // namespace igfx
} // namespace ifx
