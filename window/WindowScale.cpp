#include "window/WindowScale.h"

namespace ifx {
namespace igfx {

namespace {
constexpr unsigned kDefaultDpi = 96;
// Above any real display; keeps the integer conversion defined.
constexpr float kLargestScale = 64.f;
} // namespace

float ScaleFromDpi(unsigned dpi) noexcept
{
  if (dpi == 0 || dpi == kDefaultDpi)
    return 1.f;
  return static_cast<float>(dpi) / static_cast<float>(kDefaultDpi);
}

int IntegerWindowScale(float scale) noexcept
{
  if (!(scale >= 1.f))
    return 1;
  return scale >= kLargestScale ? static_cast<int>(kLargestScale) : static_cast<int>(scale);
}

bool DpiScaleWatch::Follow(float dpiScale, float displayScale) noexcept
{
  if (dpiScale == mSeen)
    return false;
  mSeen = dpiScale;
  return dpiScale != displayScale;
}

} // namespace igfx
} // namespace ifx
