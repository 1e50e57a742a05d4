#pragma once
// Rectangle in editor units. All-zero means empty; hit tests include the left
// and top edges and exclude the right and bottom ones.
#include <cmath>

namespace ifx {
namespace igfx {

struct IRECT
{
  float L = 0.f;
  float T = 0.f;
  float R = 0.f;
  float B = 0.f;

  constexpr IRECT() = default;
  constexpr IRECT(float l, float t, float r, float b) : L(l), T(t), R(r), B(b) {}

  float W() const { return R - L; }
  float H() const { return B - T; }
  float MW() const { return 0.5f * (L + R); }
  float MH() const { return 0.5f * (T + B); }
  float Area() const { return (R - L) * (B - T); }

  // -0.0 counts as zero; a NaN field makes the rectangle non-empty.
  bool Empty() const { return L == 0.f && T == 0.f && R == 0.f && B == 0.f; }

  bool Contains(float x, float y) const { return !Empty() && x >= L && x < R && y >= T && y < B; }

  // B lies inside this (edges may coincide).
  bool Contains(const IRECT& o) const { return o.L >= L && R >= o.R && o.T >= T && B >= o.B; }

  bool operator==(const IRECT& o) const { return L == o.L && T == o.T && R == o.R && B == o.B; }
  bool operator!=(const IRECT& o) const { return !(*this == o); }

  IRECT Union(const IRECT& o) const;
  IRECT Intersect(const IRECT& o) const;
  bool IsMergeableWith(const IRECT& o) const;

  IRECT GetPadded(float pad) const { return IRECT(L - pad, T - pad, R + pad, B + pad); }
  IRECT GetTranslated(float x, float y) const { return IRECT(L + x, T + y, R + x, B + y); }
  IRECT GetCentredInside(float w, float h) const
  {
    const float cx = MW(), cy = MH();
    return IRECT(cx - 0.5f * w, cy - 0.5f * h, cx + 0.5f * w, cy + 0.5f * h);
  }

  // Snaps outwards to whole device pixels at the given scale.
  void PixelAlign(float scale);
  IRECT GetPixelAligned(float scale) const
  {
    IRECT r = *this;
    r.PixelAlign(scale);
    return r;
  }

  // Shifts this rectangle back inside p, keeping its size where it fits and
  // ending one unit short of p's right and bottom edges.
  void ClampInside(const IRECT& p);

  bool HasNaN() const { return std::isnan(L) || std::isnan(T) || std::isnan(R) || std::isnan(B); }
};

} // namespace igfx
} // namespace ifx
