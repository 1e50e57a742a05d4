#include <windows.h>

#include "platform/KeyScan.h"

namespace ifx {

int16_t ScanCharacterKey(char character) noexcept
{
  return static_cast<int16_t>(VkKeyScanExA(character, GetKeyboardLayout(0)));
}

} // namespace ifx
