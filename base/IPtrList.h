#pragma once
#include <cstdint>
#include <cstring>
#include "base/IHeapBuf.h"

namespace ifx {

// List of T pointers in an IHeapBuf (granularity 4096). The list owns its
// elements only when asked to delete them (Empty(true), Delete(idx, true)).
// An element whose storage cannot be grown is not stored: Add returns null.
template <class T>
class IPtrList
{
public:
  IPtrList() noexcept : mBuf(IHeapBuf::kDefaultGranularity) {}
  IPtrList(const IPtrList&) = delete;
  IPtrList& operator=(const IPtrList&) = delete;
  ~IPtrList() = default;

  int GetSize() const noexcept { return mBuf.GetSize() / static_cast<int>(sizeof(T*)); }
  T** GetList() const noexcept { return mBuf.GetAs<T*>(); }

  // Null outside 0..size-1.
  T* Get(int idx) const noexcept { return (idx >= 0 && idx < GetSize()) ? GetList()[idx] : nullptr; }

  T* Add(T* item) noexcept
  {
    auto* slot = static_cast<T**>(mBuf.Grow(static_cast<int64_t>(sizeof(T*))));
    if (!slot)
      return nullptr;
    *slot = item;
    return item;
  }

  // Inserts before idx (clamped to 0..size).
  T* Insert(int idx, T* item) noexcept
  {
    const int n = GetSize();
    if (!mBuf.Grow(static_cast<int64_t>(sizeof(T*))))
      return nullptr;
    if (idx < 0)
      idx = 0;
    if (idx > n)
      idx = n;
    T** list = GetList();
    std::memmove(list + idx + 1, list + idx, sizeof(T*) * static_cast<size_t>(n - idx));
    list[idx] = item;
    return item;
  }

  // Replaces the pointer at idx; false outside the list.
  bool Set(int idx, T* item) noexcept
  {
    if (idx < 0 || idx >= GetSize())
      return false;
    GetList()[idx] = item;
    return true;
  }

  // Removes the entry at idx, later entries move up by one.
  void Delete(int idx, bool deleteElement = false)
  {
    const int n = GetSize();
    if (idx < 0 || idx >= n)
      return;
    T** list = GetList();
    T* item = list[idx];
    std::memmove(list + idx, list + idx + 1, sizeof(T*) * static_cast<size_t>(n - idx - 1));
    mBuf.Resize((n - 1) * static_cast<int>(sizeof(T*)), false);
    if (deleteElement)
      delete item;
  }

  // Index of the first entry equal to item, -1 when absent.
  int Find(const T* item) const noexcept
  {
    const int n = GetSize();
    T** list = GetList();
    for (int i = 0; i < n; ++i)
      if (list[i] == item)
        return i;
    return -1;
  }

  // Last element first; each deleted (when asked) as it leaves the list, so
  // an element's destructor sees a list without it.
  void Empty(bool deleteElements = false)
  {
    for (int i = GetSize() - 1; i >= 0; --i)
    {
      T* item = GetList()[i];
      mBuf.Resize(i * static_cast<int>(sizeof(T*)), false);
      if (deleteElements)
        delete item;
    }
    mBuf.Resize(0);
  }

private:
  IHeapBuf mBuf;
};

} // namespace ifx
