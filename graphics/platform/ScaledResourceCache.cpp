#include "graphics/platform/ScaledResourceCache.h"

#include <algorithm>

namespace ifx {
namespace igfx {

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
  uint64_t h = 0xcbf29ce484222325ull;
  for (unsigned char c : key)
  {
    h ^= c;
    h *= 0x100000001b3ull;
  }
  return h;
}

} // namespace igfx
} // namespace ifx
