#include "base/IHeapBuf.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace ifx {

namespace {

constexpr int64_t kPage = 4096;
constexpr int64_t kAllocatorOverhead = 96;
constexpr int64_t kMaxStep = 4194304;

// The allocation for newSize (> 0), in 64 bits so that sizes near the
// 32-bit limit cannot wrap around.
int64_t AllocationFor(int64_t newSize, int64_t granularity)
{
  const int64_t step = std::max(granularity, newSize / 2);
  if (granularity >= kPage)
  {
    const int64_t pageStep = std::clamp(step / kPage * kPage, kPage, kMaxStep);
    return (newSize + kAllocatorOverhead + pageStep) / kPage * kPage - kAllocatorOverhead;
  }
  return newSize + step;
}

} // namespace

IHeapBuf::IHeapBuf(int granularity) noexcept { SetGranularity(granularity); }

IHeapBuf::IHeapBuf(const IHeapBuf& other) noexcept : mGranularity(other.mGranularity)
{
  if (other.mData && other.mAllocated > 0)
  {
    if (void* p = std::malloc(static_cast<size_t>(other.mAllocated)))
    {
      std::memcpy(p, other.mData, static_cast<size_t>(other.mSize));
      mData = p;
      mAllocated = other.mAllocated;
      mSize = other.mSize;
    }
  }
}

IHeapBuf::IHeapBuf(IHeapBuf&& other) noexcept
  : mData(std::exchange(other.mData, nullptr))
  , mAllocated(std::exchange(other.mAllocated, 0))
  , mSize(std::exchange(other.mSize, 0))
  , mGranularity(other.mGranularity)
{
}

IHeapBuf& IHeapBuf::operator=(const IHeapBuf& other) noexcept
{
  CopyFrom(other);
  return *this;
}

IHeapBuf& IHeapBuf::operator=(IHeapBuf&& other) noexcept
{
  if (this != &other)
  {
    std::free(mData);
    mData = std::exchange(other.mData, nullptr);
    mAllocated = std::exchange(other.mAllocated, 0);
    mSize = std::exchange(other.mSize, 0);
  }
  return *this;
}

IHeapBuf::~IHeapBuf() { std::free(mData); }

void IHeapBuf::SetGranularity(int granularity) noexcept { mGranularity = std::max(1, granularity); }

void IHeapBuf::Reset() noexcept
{
  std::free(mData);
  mData = nullptr;
  mAllocated = 0;
  mSize = 0;
}

void* IHeapBuf::Resize(int newSize, bool resizeDown) noexcept
{
  if (newSize < 0)
    newSize = 0;
  if (newSize == mSize)
    return newSize ? mData : nullptr;

  int64_t shrinkLimit = 0;
  if (resizeDown && newSize < mSize)
  {
    const int64_t alloc = mAllocated;
    shrinkLimit = std::max<int64_t>(1, std::min(alloc / 2, alloc - 4 * static_cast<int64_t>(mGranularity)));
  }

  if (newSize > mAllocated || newSize < shrinkLimit)
  {
    const int64_t alloc = newSize ? AllocationFor(newSize, mGranularity) : 0;
    if (alloc > INT_MAX)
      return mSize ? mData : nullptr; // cannot be held: refused, unchanged

    if (alloc == 0)
    {
      Reset();
      return nullptr;
    }

    void* p = std::realloc(mData, static_cast<size_t>(alloc));
    if (!p)
    {
      p = std::malloc(static_cast<size_t>(alloc));
      if (!p)
        return mSize ? mData : nullptr;
      if (mData)
        std::memcpy(p, mData, static_cast<size_t>(std::min(newSize, mSize)));
      std::free(mData);
    }
    mData = p;
    mAllocated = static_cast<int32_t>(alloc);
  }

  mSize = newSize;
  return newSize ? mData : nullptr;
}

void* IHeapBuf::Grow(int64_t extra) noexcept
{
  if (extra <= 0)
    return nullptr;
  const int64_t total = static_cast<int64_t>(mSize) + extra;
  if (total > INT_MAX)
    return nullptr;
  const int oldSize = mSize;
  Resize(static_cast<int>(total), false);
  if (mSize != total || !mData)
    return nullptr;
  return static_cast<char*>(mData) + oldSize;
}

bool IHeapBuf::CopyFrom(const IHeapBuf& other) noexcept
{
  if (this == &other)
    return true;
  Resize(other.mSize);
  if (mSize != other.mSize)
  {
    Resize(0);
    return false;
  }
  if (mSize > 0)
    std::memcpy(mData, other.mData, static_cast<size_t>(mSize));
  return true;
}

} // namespace ifx
