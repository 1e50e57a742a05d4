#pragma once
// The virtual-key code that types a character on the current keyboard
// layout: VkKeyScanExA with the calling thread's layout on Windows, a US
// layout's letters, digits and space natively (no keyboard there).
#include <cstdint>

namespace ifx {

// The raw scan result: virtual key in the low byte, shift state in the high
// byte, -1 when no key types the character.
int16_t ScanCharacterKey(char character) noexcept;

// The virtual-key code of a scan result: its low byte only, 0 for -1 (none).
inline int VirtualKeyFromScan(int16_t scan) noexcept { return scan == -1 ? 0 : (scan & 0xFF); }

} // namespace ifx
