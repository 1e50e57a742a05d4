#include "wrappers/vst3/IFxVST3Keys.h"

#include "platform/KeyScan.h"

namespace ifx {

namespace {

constexpr int kKeySpace = 7;
constexpr int kKeyEquals = 57;
constexpr int kFirstAsciiCoded = 128;
// Key codes 128 and up carry an ASCII-coded key this far below the code.
constexpr int kAsciiCodedOffset = 80;

// Windows codes of VST3 keys 1 to 56 (index = VST3 code).
constexpr int kNamedKeys[] = {
  0,                                                          // 0: by character
  8,   9,   12,  13,  19,  27,  32,  34,  35,  36,            // back .. home
  37,  38,  39,  40,                                          // left, up, right, down
  33,  34,  41,  42,  13,  44,  45,  46,  47,                 // page up .. help
  96,  97,  98,  99,  100, 101, 102, 103, 104, 105,           // numeric pad 0-9
  106, 107, 108, 109, 110, 111,                               // multiply .. divide
  112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, // F1-F12
  144, 145, 16,  17,  18,                                     // num lock .. alt
};
static_assert(sizeof(kNamedKeys) / sizeof(kNamedKeys[0]) == 57, "VST3 codes 0 to 56");

void SetModifiers(igfx::IKeyEvent& event, int16_t modifiers)
{
  // VST3: bit 0 shift, bit 1 alternate, bit 2 command (control on Windows).
  event.S = (modifiers & 1) != 0;
  event.A = (modifiers & 2) != 0;
  event.C = (modifiers & 4) != 0;
}

} // namespace

int VirtualKeyForVST3Code(int keyCode, char character) noexcept
{
  if (keyCode == 0 || keyCode == kKeyEquals)
    return VirtualKeyFromScan(ScanCharacterKey(character));
  if (keyCode > 0 && keyCode < kKeyEquals)
    return kNamedKeys[keyCode];
  if (keyCode >= kFirstAsciiCoded)
    return keyCode - kAsciiCodedOffset;
  return 0;
}

void TranslateVST3KeyEvent(igfx::IKeyEvent& event, char16_t character, int16_t keyCode, int16_t modifiers) noexcept
{
  event = igfx::IKeyEvent();
  if (character == 0)
  {
    if (keyCode & 0x80)
      character = static_cast<char16_t>((keyCode & 0xFF) - kAsciiCodedOffset);
    else if (keyCode == kKeySpace)
      character = u' ';
  }
  // Only a character that is one byte in UTF-8 (ASCII) becomes the text.
  if (character > 0 && character < 0x80)
    event.utf8[0] = static_cast<char>(character);
  event.VK = VirtualKeyForVST3Code(keyCode, event.utf8[0]);
  SetModifiers(event, modifiers);
}

bool TranslateVST3SpaceOnly(igfx::IKeyEvent& event, int16_t keyCode, int16_t modifiers) noexcept
{
  if (keyCode != kKeySpace)
    return false;
  event = igfx::IKeyEvent();
  event.VK = 32;
  event.utf8[0] = ' ';
  SetModifiers(event, modifiers);
  return true;
}

} // namespace ifx
