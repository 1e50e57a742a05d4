#include "window/win/WinColourDialog.h"

#include <commdlg.h>

#include <string>

#include "platform/win/WinText.h"

namespace ifx {
namespace igfx {

namespace {

COLORREF gCustomColours[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                               0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};

UINT_PTR CALLBACK ColorDialogHook(HWND dialog, UINT msg, WPARAM, LPARAM lParam)
{
  if (msg == WM_INITDIALOG)
  {
    const auto* cc = reinterpret_cast<const CHOOSECOLORW*>(lParam);
    const auto* prompt = cc ? reinterpret_cast<const wchar_t*>(cc->lCustData) : nullptr;
    if (prompt && *prompt)
    {
      SetWindowTextW(dialog, prompt);
      static const UINT setColour = RegisterWindowMessageW(L"commdlg_SetRGBColor");
      SendMessageW(dialog, setColour, 0, static_cast<LPARAM>(cc->rgbResult));
    }
  }
  return 0;
}

} // namespace

bool AskForColour(HWND owner, IRgba& colour, const char* prompt)
{
  if (!owner)
    return false;
  const std::wstring widePrompt = Widen(prompt);
  CHOOSECOLORW cc = {};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = owner;
  cc.rgbResult = RGB(colour.R, colour.G, colour.B);
  cc.lpCustColors = gCustomColours;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK | CC_SOLIDCOLOR | CC_ANYCOLOR;
  cc.lCustData = reinterpret_cast<LPARAM>(widePrompt.c_str());
  cc.lpfnHook = &ColorDialogHook;
  if (!ChooseColorW(&cc))
    return false;
  colour.R = GetRValue(cc.rgbResult);
  colour.G = GetGValue(cc.rgbResult);
  colour.B = GetBValue(cc.rgbResult);
  return true;
}

} // namespace igfx
} // namespace ifx
