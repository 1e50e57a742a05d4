#pragma once
// VST3 key events as the editor's key records: VST3 virtual key codes to
// Windows virtual-key codes, the character as UTF-8, the modifier word.
#include <cstdint>

#include "toolkit/IInputEvents.h"

namespace ifx {

// The Windows virtual-key code for a VST3 key code. Keys known only by their
// character (code 0, and "equals") are looked up on the keyboard layout by
// character, the first byte of the event's text (0 when it has none).
int VirtualKeyForVST3Code(int keyCode, char character) noexcept;

// Fills event from a VST3 key: a character of its own or one implied by the
// key code; only a character of one UTF-8 byte is kept as text.
void TranslateVST3KeyEvent(igfx::IKeyEvent& event, char16_t character, int16_t keyCode, int16_t modifiers) noexcept;

// The one key a host that sends only the space key passes on: code 7 gives
// space with the modifiers; false for any other key.
bool TranslateVST3SpaceOnly(igfx::IKeyEvent& event, int16_t keyCode, int16_t modifiers) noexcept;

} // namespace ifx
