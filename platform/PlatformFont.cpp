#include "platform/PlatformFont.h"

#include <climits>
#include <cstring>

namespace ifx {
namespace igfx {

MemoryFont::MemoryFont(const void* bytes, size_t size)
{
  if (!bytes || size == 0 || size > static_cast<size_t>(INT_MAX))
    return;
  mBytes.Resize(static_cast<int>(size));
  if (mBytes.GetSize() == static_cast<int>(size))
    std::memcpy(mBytes.Get(), bytes, size);
  else
    mBytes.Reset();
}

std::unique_ptr<FontFileData> MemoryFont::GetFileData() const
{
  return FontFileData::FromBytes(mBytes.Get(), static_cast<size_t>(mBytes.GetSize()), nullptr);
}

} // namespace igfx
} // namespace ifx
