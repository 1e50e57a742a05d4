#pragma once
// The arithmetic of window messages: pointer positions in editor units,
// update rectangles, wheel steps, the pen and touch signature, cursor kinds
// and key characters. Kept free of the platform so that it is tested
// everywhere.
#include <cstdint>

#include "toolkit/IRECT.h"

namespace ifx {
namespace igfx {

// A rectangle in whole window pixels.
struct PixelRect
{
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

// Window pixels from editor units times the total scale: left and top
// rounded down, right and bottom up, so the pixels cover the area.
PixelRect EditorToPixels(const IRECT& r, float totalScale) noexcept;
// Editor units from window pixels divided by the total scale, rounded
// outwards the same way.
IRECT PixelsToEditor(const PixelRect& r, float totalScale) noexcept;

// Mouse messages Windows synthesises from pen or touch input carry this
// signature in their extra information.
inline bool IsPenOrTouchMessage(uint64_t extraInfo) noexcept { return (extraInfo & 0xFFFFFF00u) == 0xFF515700u; }

// Whole wheel notches: the signed delta divided by 120, truncated towards 0
// (60 gives 0, -240 gives -2).
inline float WheelNotches(int16_t delta) noexcept { return static_cast<float>(delta / 120); }

// The system cursor (an IDC_ resource id) for an editor cursor kind; the
// arrow for any kind not in the table.
int SystemCursorForType(int cursorType) noexcept;

// The text of a key from what the keyboard layout typed, as UTF-16 units:
// none gives an empty text, one character (a surrogate pair counts as one)
// its UTF-8. False when the units are not one character or none (two
// characters from a dead key, a lone surrogate): the window then passes the
// key on.
bool KeyTextFromUtf16(const char16_t* units, int count, char (&utf8)[5]) noexcept;

} // namespace igfx
} // namespace ifx
