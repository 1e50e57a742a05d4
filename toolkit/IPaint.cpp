#include "toolkit/IPaint.h"

#include <cmath>

namespace ifx {
namespace igfx {

namespace {
// Through a volatile: GCC 12.2's SLP vectoriser (-O2, native and mingw)
// deletes the rounding when two double->float->double conversions are stored
// side by side: `struct P { double a, b; }; P f(double x, double y) { return
// {float(x), float(y)}; }` compiles to a bare `ret`. Here it left tx and ty at
// double precision; -fno-tree-slp-vectorize or clang keep the rounding.
double RoundToSingle(double v)
{
  volatile float rounded = static_cast<float>(v);
  return rounded;
}
} // namespace

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
  pattern.transform = ITransform2D(RoundToSingle(xx), RoundToSingle(yx), RoundToSingle(xy), RoundToSingle(yy),
                                   RoundToSingle(tx), RoundToSingle(ty));

  for (const IColorStop& stop : stops)
    pattern.AddStop(stop.color, stop.offset);

  // End points that coincide (or lie too close to invert their distance, or
  // are not finite) give no direction to run along: the whole area takes the
  // last stop's colour, as drawing programs paint such a gradient.
  const ITransform2D& t = pattern.transform;
  const bool finite = std::isfinite(t.xx) && std::isfinite(t.yx) && std::isfinite(t.xy) && std::isfinite(t.yy) &&
                      std::isfinite(t.tx) && std::isfinite(t.ty);
  if (!finite || t.xx * t.yy - t.xy * t.yx == 0.0)
  {
    if (pattern.nStops == 0)
      return IPaintPattern();
    return IPaintPattern(pattern.stops[pattern.nStops - 1].color);
  }
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
