#pragma once
// Bytes handed to the clipboard or to a drop target travel in movable
// global memory blocks.
#include <windows.h>

#include <cstddef>

namespace ifx {
namespace igfx {

// A new GMEM_MOVEABLE block holding a copy of size bytes; null when it
// cannot be had. The caller, or whom it hands the block to, frees it.
HGLOBAL CopyToGlobalMemory(const void* bytes, size_t size);

} // namespace igfx
} // namespace ifx
