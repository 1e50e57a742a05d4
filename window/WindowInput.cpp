#include "window/WindowInput.h"

#include <cmath>
#include <cstring>

namespace ifx {
namespace igfx {

namespace {

// Coordinates beyond this are no window's: clamped so the conversion to an
// integer stays defined.
constexpr float kPixelLimit = 1.0e9f;

int32_t ToPixel(float v, bool up)
{
  v = up ? std::ceil(v) : std::floor(v);
  if (!(v > -kPixelLimit))
    return static_cast<int32_t>(-kPixelLimit);
  if (!(v < kPixelLimit))
    return static_cast<int32_t>(kPixelLimit);
  return static_cast<int32_t>(v);
}

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

} // namespace

PixelRect EditorToPixels(const IRECT& r, float s) noexcept
{
  return PixelRect{ToPixel(r.L * s, false), ToPixel(r.T * s, false), ToPixel(r.R * s, true), ToPixel(r.B * s, true)};
}

IRECT PixelsToEditor(const PixelRect& r, float s) noexcept
{
  if (!(s > 0.f))
    s = 1.f;
  return IRECT(std::floor(static_cast<float>(r.left) / s), std::floor(static_cast<float>(r.top) / s),
               std::ceil(static_cast<float>(r.right) / s), std::ceil(static_cast<float>(r.bottom) / s));
}

int SystemCursorForType(int cursorType) noexcept
{
  // Arrow, I-beam, wait, cross, up arrow, the four sizing arrows, move, no,
  // hand, app starting, help.
  static const int kCursors[] = {32512, 32513, 32514, 32515, 32516, 32642, 32643,
                                 32644, 32645, 32646, 32648, 32649, 32650, 32651};
  if (cursorType < 0 || cursorType >= static_cast<int>(sizeof(kCursors) / sizeof(kCursors[0])))
    return kCursors[0];
  return kCursors[cursorType];
}

bool KeyTextFromUtf16(const char16_t* units, int count, char (&utf8)[5]) noexcept
{
  std::memset(utf8, 0, sizeof(utf8));
  if (count == 0)
    return true;
  if (!units || count < 0 || count > 2)
    return false;
  uint32_t cp = units[0];
  if (count == 2)
  {
    if (!IsHighSurrogate(units[0]) || !IsLowSurrogate(units[1]))
      return false;
    cp = 0x10000 + ((static_cast<uint32_t>(units[0]) - 0xD800) << 10) + (static_cast<uint32_t>(units[1]) - 0xDC00);
  }
  else if (IsHighSurrogate(units[0]) || IsLowSurrogate(units[0]))
  {
    return false;
  }
  if (cp < 0x80)
  {
    utf8[0] = static_cast<char>(cp);
  }
  else if (cp < 0x800)
  {
    utf8[0] = static_cast<char>(0xC0 | (cp >> 6));
    utf8[1] = static_cast<char>(0x80 | (cp & 0x3F));
  }
  else if (cp < 0x10000)
  {
    utf8[0] = static_cast<char>(0xE0 | (cp >> 12));
    utf8[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    utf8[2] = static_cast<char>(0x80 | (cp & 0x3F));
  }
  else
  {
    utf8[0] = static_cast<char>(0xF0 | (cp >> 18));
    utf8[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    utf8[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    utf8[3] = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return true;
}

} // namespace igfx
} // namespace ifx
