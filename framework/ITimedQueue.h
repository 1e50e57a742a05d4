#pragma once
// Time-ordered queue of the outgoing events of one block (MIDI messages or
// 520-byte SysEx records): the plug-in adds on the audio thread, the format
// wrapper sends and drops them at the end of the block. Sized for a whole
// block when processing is set up, so adding allocates only when a block
// brings more than that; never throws.
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "base/IMidiMessage.h"
#include "base/ISysEx.h"

namespace ifx {

template <class T>
class ITimedQueue
{
  static_assert(std::is_trivially_copyable<T>::value, "items are moved as bytes");

public:
  static constexpr int kDefaultGrowth = 512;

  explicit ITimedQueue(int capacity = kDefaultGrowth, int growthStep = kDefaultGrowth)
    : mGrowth(growthStep < 0 ? 0 : growthStep)
  {
    Reallocate(capacity < 0 ? 0 : capacity);
  }
  ~ITimedQueue() { std::free(mItems); }
  ITimedQueue(const ITimedQueue&) = delete;
  ITimedQueue& operator=(const ITimedQueue&) = delete;

  // Keeps the items ordered by sample offset; equal offsets keep their order
  // of arrival. False when the item was dropped (no room and no growth).
  bool Add(const T& item) noexcept
  {
    if (mCount >= mCapacity)
    {
      if (mFront > 0)
        Compact();
      else if (mGrowth <= 0 || !Reallocate(RoundUpTo(mCapacity + 1, mGrowth)))
        return false;
    }
    int pos = mCount;
    while (pos > mFront && mItems[pos - 1].offset > item.offset)
      --pos;
    std::memmove(mItems + pos + 1, mItems + pos, sizeof(T) * static_cast<size_t>(mCount - pos));
    mItems[pos] = item;
    ++mCount;
    return true;
  }

  int Count() const noexcept { return mCount - mFront; }
  bool Empty() const noexcept { return Count() == 0; }
  // i-th unsent item (0 = front); null outside.
  const T* Peek(int i = 0) const noexcept { return i >= 0 && mFront + i < mCount ? &mItems[mFront + i] : nullptr; }
  // Marks the front item sent.
  void Remove() noexcept
  {
    if (mFront < mCount)
      ++mFront;
  }
  // End of a block of nFrames samples: drops the sent items and moves the
  // remaining offsets back by the block (never below 0: an item still due
  // goes out at the start of the next block).
  void Flush(int nFrames) noexcept
  {
    Compact();
    for (int i = 0; i < mCount; ++i)
    {
      const int offset = mItems[i].offset - nFrames;
      mItems[i].offset = offset < 0 ? 0 : offset;
    }
  }
  void Clear() noexcept { mFront = mCount = 0; }

  // Main thread: growth step and capacity for blocks of up to maxBlockSize
  // frames (a multiple of 512 items). On failure the old storage stays.
  void Resize(int maxBlockSize) noexcept
  {
    Compact();
    const int step = RoundUpTo(maxBlockSize > 0 ? maxBlockSize : 1, kDefaultGrowth);
    mGrowth = step;
    Reallocate(mCount > step ? RoundUpTo(mCount, step) : step);
  }

  int Capacity() const noexcept { return mCapacity; }
  int GrowthStep() const noexcept { return mGrowth; }

private:
  static int RoundUpTo(int n, int step) noexcept { return step > 0 ? ((n + step - 1) / step) * step : n; }

  void Compact() noexcept
  {
    if (mFront == 0)
      return;
    const int n = mCount - mFront;
    if (n > 0)
      std::memmove(mItems, mItems + mFront, sizeof(T) * static_cast<size_t>(n));
    mCount = n;
    mFront = 0;
  }

  bool Reallocate(int capacity) noexcept
  {
    if (capacity == mCapacity)
      return true;
    if (capacity < mCount)
      return false;
    if (capacity == 0)
    {
      std::free(mItems);
      mItems = nullptr;
      mCapacity = 0;
      return true;
    }
    void* p = std::realloc(mItems, sizeof(T) * static_cast<size_t>(capacity));
    if (!p)
      return false;
    mItems = static_cast<T*>(p);
    mCapacity = capacity;
    return true;
  }

  T* mItems = nullptr;
  int mCapacity = 0;
  int mGrowth = kDefaultGrowth;
  int mFront = 0;
  int mCount = 0;
};

using IMidiMessageQueue = ITimedQueue<IMidiMessage>;
using ISysExMessageQueue = ITimedQueue<ISysExData>;

} // namespace ifx
