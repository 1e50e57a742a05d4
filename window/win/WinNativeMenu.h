#pragma once
// A popup menu shown with TrackPopupMenu. Command ids follow MenuLayout.h;
// the choice comes back as the WM_COMMAND the menu posts to the window.
#include <windows.h>

#include "toolkit/IPopupMenu.h"

namespace ifx {
namespace igfx {

// The native menu of menu and its submenus (labels, ids, column breaks,
// greyed, disabled and checked items, separators); nextId is the first id of
// menu's block and comes back past every block taken. Null when a menu
// cannot be made. The caller destroys the menu (DestroyMenu takes the
// submenus with it).
HMENU BuildNativeMenu(IPopupMenu& menu, int& nextId);

// Shows menu with its top-left corner at clientPoint (window pixels) and
// waits for the user. The chosen (sub)menu gets its chosen index and its
// completion function is called; it is returned. Null when nothing was
// chosen or the menu could not be shown.
IPopupMenu* ShowNativeMenu(HWND window, IPopupMenu& menu, POINT clientPoint);

} // namespace igfx
} // namespace ifx
