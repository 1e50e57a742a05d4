#include "wrappers/vst3/IMidiMessageQueue.h"

#include <cstring>

namespace ifx {

namespace {
int RoundUpTo(int n, int step) noexcept
{
  return step > 0 ? ((n + step - 1) / step) * step : n;
}
} // namespace

IMidiMessageQueue::IMidiMessageQueue(int capacity, int growthStep)
  : mGrowth(growthStep < 0 ? 0 : growthStep)
{
  Reallocate(capacity < 0 ? 0 : capacity);
}

IMidiMessageQueue::~IMidiMessageQueue()
{
  std::free(mItems);
}

bool IMidiMessageQueue::Reallocate(int capacity) noexcept
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
  void* p = std::realloc(mItems, sizeof(IMidiMessage) * static_cast<size_t>(capacity));
  if (!p)
    return false;
  mItems = static_cast<IMidiMessage*>(p);
  mCapacity = capacity;
  return true;
}

void IMidiMessageQueue::Compact() noexcept
{
  if (mFront == 0)
    return;
  const int n = mCount - mFront;
  if (n > 0)
    std::memmove(mItems, mItems + mFront, sizeof(IMidiMessage) * static_cast<size_t>(n));
  mCount = n;
  mFront = 0;
}

bool IMidiMessageQueue::Add(const IMidiMessage& msg) noexcept
{
  if (mCount >= mCapacity)
  {
    if (mFront > 0)
      Compact();
    else
    {
      if (mGrowth <= 0)
        return false;
      if (!Reallocate(RoundUpTo(mCapacity + 1, mGrowth)))
        return false;
    }
  }
  int pos = mCount;
  if (mCount > mFront && msg.offset < mItems[mCount - 1].offset)
  {
    // Behind the last item whose offset is not above the new one.
    pos = mCount - 1;
    while (pos > mFront && mItems[pos - 1].offset > msg.offset)
      --pos;
    std::memmove(mItems + pos + 1, mItems + pos, sizeof(IMidiMessage) * static_cast<size_t>(mCount - pos));
  }
  mItems[pos] = msg;
  ++mCount;
  return true;
}

const IMidiMessage* IMidiMessageQueue::Peek(int i) const noexcept
{
  return i >= 0 && mFront + i < mCount ? &mItems[mFront + i] : nullptr;
}

void IMidiMessageQueue::Remove() noexcept
{
  if (mFront < mCount)
    ++mFront;
}

void IMidiMessageQueue::Flush(int nFrames) noexcept
{
  Compact();
  for (int i = 0; i < mCount; ++i)
  {
    const int offset = mItems[i].offset - nFrames;
    mItems[i].offset = offset < 0 ? 0 : offset;
  }
}

void IMidiMessageQueue::Resize(int maxBlockSize) noexcept
{
  Compact();
  const int step = RoundUpTo(maxBlockSize > 0 ? maxBlockSize : 1, kDefaultGrowth);
  mGrowth = step;
  const int capacity = mCount > step ? RoundUpTo(mCount, step) : step;
  Reallocate(capacity);
}

} // namespace ifx
