#include "window/win/WinGlobalMemory.h"

#include <cstring>

namespace ifx {
namespace igfx {

HGLOBAL CopyToGlobalMemory(const void* bytes, size_t size)
{
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!block)
    return nullptr;
  void* p = GlobalLock(block);
  if (!p)
  {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(p, bytes, size);
  GlobalUnlock(block);
  return block;
}

} // namespace igfx
} // namespace ifx
