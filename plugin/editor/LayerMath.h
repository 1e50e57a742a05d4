#pragma once
// Small arithmetic shared by the animated layers. Everything runs in double
// precision: the clocks grow without bound, and float phases would first
// jitter, then stand still in long sessions. Coordinates become float only
// when they reach the graphics.
#include <cmath>

#include "toolkit/IRECT.h"
#include "toolkit/IRgba.h"
#include "plugin/editor/EditorAnimation.h"

namespace murkwisp {

namespace layer_math {

// The colour at the clamped alpha of x (clamp(x, 0, 1) x 255, truncated).
inline ifx::igfx::IRgba AtAlpha(const ifx::igfx::IRgba& color, double x) noexcept
{
  return WithAlpha(color, ClampedAlpha(static_cast<float>(x)));
}

// The glitch layer's hash: the fractional part of a scaled sine, between -1
// and 1 with the sign of the sine term.
inline double Hash(double x) noexcept { return std::fmod(std::sin(12.9898 * x + 78.233) * 43758.547, 1.0); }

inline ifx::igfx::IRECT Rect(double l, double t, double r, double b) noexcept
{
  return ifx::igfx::IRECT(static_cast<float>(l), static_cast<float>(t), static_cast<float>(r), static_cast<float>(b));
}

// The rectangle of an ellipse around (cx, cy) with radii rx, ry.
inline ifx::igfx::IRECT Around(double cx, double cy, double rx, double ry) noexcept
{
  return Rect(cx - rx, cy - ry, cx + rx, cy + ry);
}

} // namespace layer_math

} // namespace murkwisp
