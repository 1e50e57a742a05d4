#pragma once
// Time-ordered queue of outgoing events (MIDI messages or 520-byte SysEx
// records) that the processor emits during a block and the CLAP wrapper sends
// at the end of it. Storage is reserved up front, so the audio thread only
// allocates once more than the reserved number of events is pending.
#include <cstdint>
#include <new>
#include <vector>

#include "base/IMidiMessage.h"
#include "base/ISysEx.h"

namespace ifx {

template <class T>
class ITimedQueue
{
public:
  explicit ITimedQueue(int reserved = 512, int growthStep = 512)
    : mGrowthStep(growthStep)
  {
    mItems.resize(static_cast<size_t>(reserved > 0 ? reserved : 0));
  }

  int Capacity() const noexcept { return static_cast<int>(mItems.size()); }
  int Size() const noexcept { return mBack - mFront; }
  bool Empty() const noexcept { return mBack == mFront; }
  const T* Front() const noexcept { return Empty() ? nullptr : &mItems[static_cast<size_t>(mFront)]; }
  void PopFront() noexcept
  {
    if (!Empty())
      ++mFront;
  }

  // Inserts behind every pending item whose offset is not above the new one,
  // so equal offsets keep their arrival order. False when the queue is full
  // and cannot grow (the item is dropped).
  bool Add(const T& item) noexcept
  {
    if (mBack >= Capacity())
    {
      if (mFront > 0)
        Compact();
      else if (!Grow())
        return false;
    }
    int pos = mBack;
    while (pos > mFront && mItems[static_cast<size_t>(pos - 1)].offset > item.offset)
    {
      mItems[static_cast<size_t>(pos)] = mItems[static_cast<size_t>(pos - 1)];
      --pos;
    }
    mItems[static_cast<size_t>(pos)] = item;
    ++mBack;
    return true;
  }

  // End of a block of `frames` samples: the sent items are gone, the rest move
  // to the start and their offsets become relative to the next block.
  void Flush(int frames) noexcept
  {
    Compact();
    for (int i = 0; i < mBack; ++i)
      mItems[static_cast<size_t>(i)].offset -= frames;
  }

  void Clear() noexcept { mFront = mBack = 0; }

private:
  void Compact() noexcept
  {
    if (mFront == 0)
      return;
    int n = 0;
    for (int i = mFront; i < mBack; ++i)
      mItems[static_cast<size_t>(n++)] = mItems[static_cast<size_t>(i)];
    mFront = 0;
    mBack = n;
  }

  bool Grow() noexcept
  {
    if (mGrowthStep <= 0)
      return false;
    const int newCapacity = (Capacity() / mGrowthStep + 1) * mGrowthStep;
    try
    {
      mItems.resize(static_cast<size_t>(newCapacity));
    }
    catch (...)
    {
      return false;
    }
    return true;
  }

  std::vector<T> mItems;
  int mGrowthStep;
  int mFront = 0;
  int mBack = 0;
};

// Outgoing SysEx records (each holds at most 512 data bytes).
using ISysExMessageQueue = ITimedQueue<ISysExData>;
using IClapMidiQueue = ITimedQueue<IMidiMessage>;

} // namespace ifx
