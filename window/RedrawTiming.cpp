#include "window/RedrawTiming.h"

#include <cmath>

namespace ifx {
namespace igfx {

namespace {
// Timer periods below this are not worth asking for: the fast period instead.
constexpr int kSlowestFastPeriodMs = 20;
} // namespace

int RedrawTimerPeriodMs(int fps) noexcept
{
  if (fps <= 0)
    return kFastRedrawPeriodMs;
  const int period = static_cast<int>(std::floor(1000.f / static_cast<float>(fps)));
  return period < kSlowestFastPeriodMs ? kFastRedrawPeriodMs : period;
}

bool VerticalBlankSync::TakeTick(uint32_t count) noexcept
{
  const uint32_t current = Current();
  // Differences, not plain comparisons, so that the window survives the
  // count wrapping round.
  if (mSkipUntil != 0 && static_cast<int32_t>(mSkipUntil - current) > 0)
    return false;
  mSkipUntil = 0;
  return count == current;
}

void VerticalBlankSync::AfterPaint(uint32_t count) noexcept
{
  const uint32_t current = Current();
  if (current != count)
    mSkipUntil = current + 1 != 0 ? current + 1 : 1;
}

} // namespace igfx
} // namespace ifx
