#pragma once
// A menu of items with the chosen index and a completion function.
#include <cstdint>
#include <functional>
#include "base/IString.h"
#include <vector>

namespace ifx {
namespace igfx {

class IPopupMenu;
using IMenuCallback = std::function<void(IPopupMenu*)>;

class IPopupMenu
{
public:
  enum EItemFlags : int32_t
  {
    kNoFlags = 0,
    kGreyed = 1,
    kDisabled = 2,
    kChecked = 4,
    kSeparator = 8
  };

  class Item
  {
  public:
    Item(const char* text, int32_t flags = kNoFlags, int32_t tag = -1)
      : mText(text ? text : "", 128), mFlags(flags), mTag(tag)
    {
    }
    ~Item() { delete mSubmenu; }
    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;

    const char* GetText() const { return mText.Get(); }
    void SetText(const char* text) { mText.Set(text); }
    int32_t GetFlags() const { return mFlags; }
    void SetFlags(int32_t flags) { mFlags = flags; }
    bool GetChecked() const { return (mFlags & kChecked) != 0; }
    void SetChecked(bool checked) { mFlags = checked ? (mFlags | kChecked) : (mFlags & ~kChecked); }
    bool GetEnabled() const { return (mFlags & kDisabled) == 0; }
    bool GetGreyed() const { return (mFlags & kGreyed) != 0; }
    bool GetIsSeparator() const { return (mFlags & kSeparator) != 0; }
    int32_t GetTag() const { return mTag; }
    void SetTag(int32_t tag) { mTag = tag; }
    IPopupMenu* GetSubmenu() const { return mSubmenu; }
    // Takes ownership; a previous submenu is deleted.
    void SetSubmenu(IPopupMenu* menu)
    {
      if (menu != mSubmenu)
        delete mSubmenu;
      mSubmenu = menu;
    }

  private:
    IString mText{128};
    IPopupMenu* mSubmenu = nullptr;
    int32_t mFlags = kNoFlags;
    int32_t mTag = -1;
  };

  IPopupMenu() = default;
  explicit IPopupMenu(const char* title) { mTitle.Set(title); }
  ~IPopupMenu() { ClearItems(true); }
  IPopupMenu(const IPopupMenu&) = delete;
  IPopupMenu& operator=(const IPopupMenu&) = delete;

  Item* AddItem(const char* text, int32_t flags = kNoFlags, int32_t tag = -1);
  // Takes ownership of the item.
  Item* AddItem(Item* item);
  Item* AddSeparator() { return AddItem("", kSeparator); }
  // Removes every item from the last to the first; deleteItems also deletes
  // them with their submenus.
  void ClearItems(bool deleteItems);

  int NItems() const { return static_cast<int>(mItems.size()); }
  Item* GetItem(int index) const
  {
    return index >= 0 && index < NItems() ? mItems[static_cast<size_t>(index)] : nullptr;
  }
  const char* GetItemText(int index) const
  {
    const Item* item = GetItem(index);
    return item ? item->GetText() : "";
  }

  int GetChosenItemIdx() const { return mChosenItemIdx; }
  void SetChosenItemIdx(int index) { mChosenItemIdx = index; }
  Item* GetChosenItem() const { return GetItem(mChosenItemIdx); }

  int GetItemsPerColumn() const { return mItemsPerColumn; }
  void SetItemsPerColumn(int n) { mItemsPerColumn = n; }
  int GetPrefix() const { return mPrefix; }
  void SetPrefix(int mode) { mPrefix = mode; }
  int GetReserved() const { return mReserved; }
  void SetReserved(int v) { mReserved = v; }

  const char* GetTitle() const { return mTitle.Get(); }
  void SetTitle(const char* title) { mTitle.Set(title); }

  void SetFunction(IMenuCallback func) { mCompletion = std::move(func); }
  const IMenuCallback& GetFunction() const { return mCompletion; }
  void ExecFunction()
  {
    if (mCompletion)
      mCompletion(this);
  }

private:
  int32_t mItemsPerColumn = 0;
  int32_t mPrefix = 0;
  int32_t mChosenItemIdx = -1;
  int32_t mReserved = 0;
  std::vector<Item*> mItems;
  IMenuCallback mCompletion;
  IString mTitle{128};
};

} // namespace igfx
} // namespace ifx
