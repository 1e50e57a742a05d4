#pragma once
// How a popup menu becomes a native one: flat command ids, labels and
// column breaks. The top menu's items take ids 0 to n-1; every (sub)menu
// takes the next block of ids, as many as it has items, when it is built,
// and submenus are built in item order, depth first, after their parent's
// block was taken.
#include "base/IString.h"
#include "toolkit/IPopupMenu.h"

namespace ifx {
namespace igfx {

// Menus with this many items or more never break into columns.
inline constexpr int kMenuColumnBreakLimit = 160;

// The menu holding command id and the item's index in it (index set only
// on a hit); nextId is the first id of menu's block and comes back past
// every block searched. Null when no menu of the tree holds the id.
IPopupMenu* FindMenuForItemIndex(int id, int& index, int& nextId, IPopupMenu* menu);

// The item's label: numbered ("%1d: %s", "%02d: %s", "%03d: %s" with i + 1)
// by the menu's prefix mode 1, 2 or 3, and every "&" doubled so that it
// shows literally.
void MakeMenuLabel(const IPopupMenu& menu, int i, IString& label);

// Whether item i starts a new column.
bool StartsMenuColumn(const IPopupMenu& menu, int i);

} // namespace igfx
} // namespace ifx
