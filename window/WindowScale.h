#pragma once
// The window's scale from the display's DPI.

namespace ifx {
namespace igfx {

// DPI / 96 (96 is exactly 1.0); a DPI of 0 (the query failed or is missing)
// means 1.0.
float ScaleFromDpi(unsigned dpi) noexcept;

// The whole-number scale a window opens at: the integer part of the scale
// (1.5 gives 1), at least 1.
int IntegerWindowScale(float scale) noexcept;

} // namespace igfx
} // namespace ifx
