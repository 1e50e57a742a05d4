#include "window/win/WinNativeMenu.h"

#include <string>

#include "platform/win/WinText.h"
#include "window/MenuLayout.h"

namespace ifx {
namespace igfx {

HMENU BuildNativeMenu(IPopupMenu& menu, int& nextId)
{
  HMENU handle = CreatePopupMenu();
  if (!handle)
    return nullptr;
  const int firstId = nextId;
  nextId += menu.NItems();
  IString label;
  for (int i = 0; i < menu.NItems(); ++i)
  {
    const IPopupMenu::Item* item = menu.GetItem(i);
    if (item->GetIsSeparator())
    {
      AppendMenuW(handle, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    MakeMenuLabel(menu, i, label);
    const std::wstring text = Widen(label.Get());
    UINT flags = MF_STRING;
    if (StartsMenuColumn(menu, i))
      flags |= MF_MENUBARBREAK;
    if (item->GetFlags() & IPopupMenu::kGreyed)
      flags |= MF_GRAYED;
    if (item->GetFlags() & IPopupMenu::kDisabled)
      flags |= MF_DISABLED;
    if (item->GetFlags() & IPopupMenu::kChecked)
      flags |= MF_CHECKED;
    if (IPopupMenu* sub = item->GetSubmenu())
    {
      HMENU subHandle = BuildNativeMenu(*sub, nextId);
      if (!subHandle)
      {
        DestroyMenu(handle);
        return nullptr;
      }
      if (!AppendMenuW(handle, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(subHandle), text.c_str()))
        DestroyMenu(subHandle);
    }
    else
      AppendMenuW(handle, flags, static_cast<UINT_PTR>(firstId + i), text.c_str());
  }
  return handle;
}

IPopupMenu* ShowNativeMenu(HWND window, IPopupMenu& menu, POINT clientPoint)
{
  int nextId = 0;
  HMENU handle = BuildNativeMenu(menu, nextId);
  if (!handle)
    return nullptr;
  POINT screen = clientPoint;
  ClientToScreen(window, &screen);
  IPopupMenu* chosen = nullptr;
  MSG msg;
  if (TrackPopupMenu(handle, TPM_LEFTBUTTON, screen.x, screen.y, 0, window, nullptr) &&
      PeekMessageW(&msg, window, WM_COMMAND, WM_COMMAND, PM_REMOVE) && HIWORD(msg.wParam) == 0)
  {
    int index = -1;
    nextId = 0;
    chosen = FindMenuForItemIndex(LOWORD(msg.wParam), index, nextId, &menu);
    if (chosen)
    {
      chosen->SetChosenItemIdx(index);
      chosen->ExecFunction();
    }
  }
  DestroyMenu(handle);
  return chosen;
}

} // namespace igfx
} // namespace ifx
