#include "base/IStateChunk.h"

#include <cstddef>
#include <cstring>

namespace ifx {

IStateChunk::IStateChunk() noexcept : mBytes(kGranularity) {}

IStateChunk::IStateChunk(const IStateChunk& other) : mBytes(other.mBytes) {}

IStateChunk& IStateChunk::operator=(const IStateChunk& other)
{
  if (this != &other)
    mBytes.CopyFrom(other.mBytes);
  return *this;
}

int IStateChunk::Size() const noexcept { return mBytes.GetSize(); }

uint8_t* IStateChunk::GetData() noexcept { return mBytes.GetAs<uint8_t>(); }

const uint8_t* IStateChunk::GetData() const noexcept { return mBytes.GetAs<uint8_t>(); }

bool IStateChunk::Resize(int newSize) noexcept
{
  if (newSize < 0)
    newSize = 0;
  mBytes.Resize(newSize, false);
  return mBytes.GetSize() == newSize;
}

void IStateChunk::Clear() noexcept { mBytes.Resize(0, false); }

bool IStateChunk::PutBytes(const void* data, int size) noexcept
{
  if (size < 0)
    return false;
  if (size == 0)
    return true;
  // Bytes from this chunk itself must be found again after the buffer moves.
  const uint8_t* src = static_cast<const uint8_t*>(data);
  const uint8_t* own = GetData();
  const bool fromSelf = src && own && src >= own && src < own + Size();
  const ptrdiff_t selfOffset = fromSelf ? src - own : 0;

  // Grow reports overflow of the 32-bit size and memory failure alike and
  // leaves the chunk as it was.
  void* dst = mBytes.Grow(size);
  if (!dst)
    return false;
  if (fromSelf)
    src = GetData() + selfOffset;
  if (src)
    std::memcpy(dst, src, static_cast<size_t>(size));
  else
    std::memset(dst, 0, static_cast<size_t>(size));
  return true;
}

int IStateChunk::GetBytes(void* out, int size, int startPos) const noexcept
{
  if (startPos < 0 || size < 0)
    return -1;
  const int have = mBytes.GetSize();
  // Compared without forming startPos + size, which could overflow.
  if (startPos > have || size > have - startPos)
    return -1;
  if (size > 0)
    std::memcpy(out, GetData() + startPos, static_cast<size_t>(size));
  return startPos + size;
}

} // namespace ifx
