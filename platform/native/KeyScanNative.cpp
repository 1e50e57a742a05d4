#include "platform/KeyScan.h"

namespace ifx {

// What a US layout gives for the keys tests use; shift in the high byte.
int16_t ScanCharacterKey(char character) noexcept
{
  const char c = character;
  if (c >= 'a' && c <= 'z')
    return static_cast<int16_t>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z')
    return static_cast<int16_t>(0x100 | c);
  if ((c >= '0' && c <= '9') || c == ' ')
    return static_cast<int16_t>(c);
  return -1;
}

} // namespace ifx
