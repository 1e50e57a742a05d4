#include "toolkit/ITransform2D.h"
#include <cmath>
#include <limits>

namespace ifx {
namespace igfx {

ITransform2D& ITransform2D::Transform(const ITransform2D& m)
{
  const ITransform2D o = *this;
  xx = o.xx * m.xx + o.xy * m.yx;
  yx = o.yx * m.xx + o.yy * m.yx;
  xy = o.xx * m.xy + o.xy * m.yy;
  yy = o.yx * m.xy + o.yy * m.yy;
  tx = o.xx * m.tx + o.xy * m.ty + o.tx;
  ty = o.yx * m.tx + o.yy * m.ty + o.ty;
  return *this;
}

ITransform2D& ITransform2D::Rotate(float degrees)
{
  // The angle is converted in single precision, as the drawing code always did.
  const float radians = degrees / 180.f * 3.1415927f;
  const double r = static_cast<double>(radians);
  const double c = std::cos(r), s = std::sin(r);
  return Transform(ITransform2D(c, s, -s, c, 0.0, 0.0));
}

bool ITransform2D::Inverse(ITransform2D& out) const
{
  const double d = xx * yy - xy * yx;
  if (d == 0.0 || !std::isfinite(d))
    return false;
  out.xx = yy / d;
  out.xy = -xy / d;
  out.yx = -yx / d;
  out.yy = xx / d;
  out.tx = (xy * ty - yy * tx) / d;
  out.ty = (yx * tx - xx * ty) / d;
  return true;
}

float SegmentCrossing(IPointF p1, IPointF p2, IPointF p3, IPointF p4)
{
  const float den = (p2.x - p1.x) * (p4.y - p3.y) - (p2.y - p1.y) * (p4.x - p3.x);
  if (std::fabs(den) < 1e-8f)
    return std::numeric_limits<float>::quiet_NaN();
  const float num = (p2.x - p1.x) * (p3.y - p1.y) - (p2.y - p1.y) * (p3.x - p1.x);
  return -num / den;
}

} // namespace igfx
} // namespace ifx
