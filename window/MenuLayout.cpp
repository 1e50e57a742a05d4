#include "window/MenuLayout.h"

namespace ifx {
namespace igfx {

IPopupMenu* FindMenuForItemIndex(int id, int& index, int& nextId, IPopupMenu* menu)
{
  if (!menu)
    return nullptr;
  const int first = nextId;
  nextId += menu->NItems();
  if (id >= first && id < nextId)
  {
    index = id - first;
    return menu;
  }
  for (int i = 0; i < menu->NItems(); ++i)
  {
    if (IPopupMenu* sub = menu->GetItem(i)->GetSubmenu())
      if (IPopupMenu* found = FindMenuForItemIndex(id, index, nextId, sub))
        return found;
  }
  return nullptr;
}

void MakeMenuLabel(const IPopupMenu& menu, int i, IString& label)
{
  static const char* const kPrefixFormats[] = {"%1d: %s", "%02d: %s", "%03d: %s"};
  const char* text = menu.GetItemText(i);
  IString numbered;
  const int mode = menu.GetPrefix();
  if (mode >= 1 && mode <= 3)
  {
    // The whole text, however long: the cut of the formatter is not wanted.
    numbered.SetFormatted(16, kPrefixFormats[mode - 1], i + 1, "");
    numbered.Append(text);
    text = numbered.Get();
  }
  label.Set("");
  for (const char* p = text; *p;)
  {
    const char* amp = p;
    while (*amp && *amp != '&')
      ++amp;
    if (amp > p)
      label.Append(p, static_cast<int>(amp - p));
    if (!*amp)
      break;
    label.Append("&&");
    p = amp + 1;
  }
}

bool StartsMenuColumn(const IPopupMenu& menu, int i)
{
  const int perColumn = menu.GetItemsPerColumn();
  return menu.NItems() < kMenuColumnBreakLimit && perColumn > 0 && i != 0 && i % perColumn == 0;
}

} // namespace igfx
} // namespace ifx
