#include "toolkit/IPopupMenu.h"

namespace ifx {
namespace igfx {

IPopupMenu::Item* IPopupMenu::AddItem(const char* text, int32_t flags, int32_t tag)
{
  return AddItem(new Item(text, flags, tag));
}

IPopupMenu::Item* IPopupMenu::AddItem(Item* item)
{
  if (item)
    mItems.push_back(item);
  return item;
}

void IPopupMenu::ClearItems(bool deleteItems)
{
  while (!mItems.empty())
  {
    Item* item = mItems.back();
    mItems.pop_back();
    if (deleteItems)
      delete item;
  }
}

} // namespace igfx
} // namespace ifx
