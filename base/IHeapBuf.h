#pragma once
#include <cstdint>

namespace ifx {

// Growable byte buffer with a growth granularity. Never throws: when memory
// cannot be had, Resize leaves the buffer as it was and the caller sees that
// GetSize() did not reach what it asked for.
//
// Granularity 4096 or more: allocations are whole 4 KB pages minus 96 bytes
// of allocator overhead, one growth step at most 4 MB. Smaller granularity
// (name strings use 128): allocation = size + max(granularity, size / 2).
class IHeapBuf
{
public:
  static constexpr int kDefaultGranularity = 4096;

  explicit IHeapBuf(int granularity = kDefaultGranularity) noexcept;
  // Same granularity, exactly the source's allocation, its used bytes copied.
  // An empty source or a failed allocation gives an empty buffer.
  IHeapBuf(const IHeapBuf& other) noexcept;
  IHeapBuf(IHeapBuf&& other) noexcept;
  // Keeps this buffer's granularity; see CopyFrom.
  IHeapBuf& operator=(const IHeapBuf& other) noexcept;
  IHeapBuf& operator=(IHeapBuf&& other) noexcept;
  ~IHeapBuf();

  // Sets the used size (negative counts as 0) and returns the data pointer,
  // null for size 0. With resizeDown, memory is given back when the buffer
  // shrinks well below its allocation. On failure nothing changes and the
  // old data pointer is returned (null when nothing was in use).
  void* Resize(int newSize, bool resizeDown = true) noexcept;

  // Grows the used size by extra (> 0) bytes (sizes computed in 64 bits) and
  // returns a pointer to the first new byte; null, buffer unchanged, when the
  // total does not fit in 32 bits or memory is short.
  void* Grow(int64_t extra) noexcept;

  // Resizes to the other's used size and copies its bytes; when the resize
  // falls short the buffer is emptied. True when the bytes were copied.
  bool CopyFrom(const IHeapBuf& other) noexcept;

  void* Get() const noexcept { return mData; }
  template <class T>
  T* GetAs() const noexcept
  {
    return static_cast<T*>(mData);
  }
  int GetSize() const noexcept { return mSize; }
  int GetAllocated() const noexcept { return mAllocated; }
  int GetGranularity() const noexcept { return mGranularity; }
  // Takes effect at the next reallocation.
  void SetGranularity(int granularity) noexcept;

  // Frees the memory: back to the default-constructed state (granularity kept).
  void Reset() noexcept;

private:
  void* mData = nullptr;
  int32_t mAllocated = 0;
  int32_t mSize = 0;
  int32_t mGranularity = kDefaultGranularity;
};

} // namespace ifx
