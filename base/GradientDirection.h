#pragma once
// When the two end points of a linear gradient give it a direction. The
// toolkit's patterns and the renderer's paints both keep this one rule, so
// that a gradient one of them holds is never a solid colour to the other.
#include <cmath>
#include <limits>

namespace ifx {

struct GradientDirection
{
  float x = 0.f, y = 0.f; // unit vector from start to end
  float length = 0.f;     // distance between the points
};

// True, with the direction, when the points are finite, and their difference
// and distance are finite in single precision and not zero: then the distance
// and the unit vector along it are finite floats, wherever the points lie.
// Points that coincide, or lie so far apart that single precision cannot
// hold the distance between them, give no direction.
inline bool FindGradientDirection(float sx, float sy, float ex, float ey, GradientDirection& out) noexcept
{
  const float dx = ex - sx, dy = ey - sy; // NaN or infinite when a point is
  if (!std::isfinite(dx) || !std::isfinite(dy))
    return false;
  // In double: squares of float differences neither overflow nor underflow.
  const double length = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
  if (!(length > 0.0) || length > static_cast<double>(std::numeric_limits<float>::max()))
    return false;
  out.x = static_cast<float>(dx / length);
  out.y = static_cast<float>(dy / length);
  out.length = static_cast<float>(length);
  return true;
}

} // namespace ifx
