#include "toolkit/IPaint.h"

#include <cmath>

#include "base/GradientDirection.h"

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
  return pattern.SolidWhenDegenerate();
}

bool IPaintPattern::AxisEndPoints(float& sx, float& sy, float& ex, float& ey) const
{
  ITransform2D inv;
  if (!transform.Inverse(inv))
    return false;
  // The end from the start as rounded: points a step of single precision
  // apart come back as far apart, in the same direction.
  const double startX = RoundToSingle(inv.tx), startY = RoundToSingle(inv.ty);
  sx = static_cast<float>(startX);
  sy = static_cast<float>(startY);
  ex = static_cast<float>(startX + inv.xy);
  ey = static_cast<float>(startY + inv.yy);
  return true;
}

IPaintPattern IPaintPattern::SolidWhenDegenerate() const
{
  bool degenerate = false;
  if (kind == kPatternRadial)
  {
    ITransform2D inv;
    degenerate = !transform.Inverse(inv);
  }
  else if (kind != kPatternSolid)
  {
    // Exactly the points the renderer is given, under the renderer's rule.
    float sx = 0.f, sy = 0.f, ex = 0.f, ey = 0.f;
    GradientDirection direction;
    degenerate = !AxisEndPoints(sx, sy, ex, ey) || !FindGradientDirection(sx, sy, ex, ey, direction);
  }
  if (!degenerate)
    return *this;
  // As drawing programs paint such a gradient.
  return nStops > 0 ? IPaintPattern(stops[nStops - 1].color) : IPaintPattern();
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
