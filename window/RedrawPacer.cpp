#include "window/RedrawPacer.h"

#include <algorithm>

namespace ifx {
namespace igfx {

RedrawPacer::RedrawPacer(int naturalPeriodMs) noexcept
  : mNatural(static_cast<int64_t>(std::max(naturalPeriodMs, 1)) * 1'000'000), mPeriod(mNatural)
{
}

void RedrawPacer::OnTick(int64_t paintNanos) noexcept
{
  // A quarter of each tick into the estimate: one odd frame moves it a
  // little, a lasting change within a few frames.
  mEstimate += (std::max<int64_t>(paintNanos, 0) - mEstimate) / 4;
  // Painting for half of each period; once changed, the period stays while
  // that wish lies between two thirds of it and all of it, so that the rate
  // does not follow every wobble of the estimate.
  const int64_t wanted = 2 * mEstimate;
  if (wanted > mPeriod || wanted * 3 / 2 < mPeriod)
    mPeriod = std::clamp(wanted * 6 / 5, mNatural, std::max(kSlowestPeriodNanos, mNatural));
}

int64_t RedrawPacer::NextFrameNanos(int64_t start, int64_t end) const noexcept
{
  if (AtFullRate())
    return end;
  return std::max(start + mPeriod, end + mNatural);
}

} // namespace igfx
} // namespace ifx
