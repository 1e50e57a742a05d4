#include "graphics/IPaint.h"

#include <cmath>

namespace ifx {
namespace igfx {

IPaintPattern IPaintPattern::CreateLinearGradient(float x1, float y1, float x2, float y2,
                                                  std::initializer_list<IColorStop> stops)
{
  IPaintPattern pattern(kPatternLinear);
  pattern.extend = kExtendPad;

  const double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
  const double len = std::sqrt(dx * dx + dy * dy);
  // dx first: the angle is measured from the y axis, along which the gradient runs.
  const double angle = std::atan2(dx, dy);
  const double xx = std::cos(angle) / len, yx = std::sin(angle) / len;
  const double xy = -std::sin(angle) / len, yy = std::cos(angle) / len;
  const double tx = -(x1 * xx + y1 * xy), ty = -(x1 * yx + y1 * yy);
  auto single = [](double v) { return static_cast<double>(static_cast<float>(v)); };
  pattern.transform = ITransform2D(single(xx), single(yx), single(xy), single(yy), single(tx), single(ty));

  for (const IColorStop& stop : stops)
    pattern.AddStop(stop.color, stop.offset);
  return pattern;
}

void IStrokeSettings::SetDash(const float* lengths, float offset, int count)
{
  if (count < 0 || !lengths)
    count = 0;
  if (count > kMaxDashes)
    count = kMaxDashes;
  dash.offset = offset;
  dash.count = count;
  for (int i = 0; i < count; ++i)
    dash.lengths[i] = lengths[i];
}

} // namespace igfx
} // namespace ifx
