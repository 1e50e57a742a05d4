#include "platform/ScaledResourceCache.h"

#include <algorithm>

namespace ifx {
namespace igfx {

uint64_t Fnv1a64(const void* bytes, size_t size)
{
  const auto* p = static_cast<const uint8_t*>(bytes);
  uint64_t h = 0xcbf29ce484222325ull;
  for (size_t i = 0; i < size; ++i)
  {
    h ^= p[i];
    h *= 0x100000001b3ull;
  }
  return h;
}

uint64_t ResourceKeyHash(const char* name, double scale)
{
  if (!name)
    name = "";
  const size_t nameLen = std::strlen(name);
  std::string key(name);
  char suffix[64];
  std::snprintf(suffix, sizeof(suffix), "-%.1fx", scale);
  // The formatted part is limited to the name's length + 5 characters.
  key.append(suffix, std::min(std::strlen(suffix), nameLen + 5));
  return Fnv1a64(key.data(), key.size());
}

} // namespace igfx
} // namespace ifx
