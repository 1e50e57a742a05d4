#include "toolkit/IRECT.h"
#include <algorithm>

namespace ifx {
namespace igfx {

IRECT IRECT::Union(const IRECT& o) const
{
  if (Empty())
    return o;
  if (o.Empty())
    return *this;
  return IRECT(std::min(L, o.L), std::min(T, o.T), std::max(R, o.R), std::max(B, o.B));
}

IRECT IRECT::Intersect(const IRECT& o) const
{
  // Mixed tests on purpose: this rectangle's right and bottom edges may touch
  // the other's left and top edges.
  if (!Empty() && !o.Empty() && R >= o.L && o.R > L && B >= o.T && o.B > T)
    return IRECT(std::max(L, o.L), std::max(T, o.T), std::min(R, o.R), std::min(B, o.B));
  return IRECT();
}

bool IRECT::IsMergeableWith(const IRECT& o) const
{
  if (Empty() || o.Empty())
    return true;
  if (L == o.L && R == o.R && ((T >= o.T && T <= o.B) || (o.T >= T && o.T <= B)))
    return true;
  if (T == o.T && B == o.B && ((L >= o.L && L <= o.R) || (o.L >= L && o.L <= R)))
    return true;
  return false;
}

void IRECT::PixelAlign(float scale)
{
  const float inv = static_cast<float>(1.0 / static_cast<double>(scale));
  L = std::floor(L * scale) * inv;
  T = std::floor(T * scale) * inv;
  R = std::ceil(R * scale) * inv;
  B = std::ceil(B * scale) * inv;
}

void IRECT::ClampInside(const IRECT& p)
{
  if (L < p.L)
  {
    R = std::min(p.R - 1.f, R + p.L - L);
    L = p.L;
  }
  if (T < p.T)
  {
    B = std::min(p.B - 1.f, B + p.T - T);
    T = p.T;
  }
  if (R >= p.R)
  {
    L = std::max(p.L, L - (R - p.R + 1.f));
    R = p.R - 1.f;
  }
  if (B >= p.B)
  {
    T = std::max(p.T, T - (B - p.B + 1.f));
    B = p.B - 1.f;
  }
}

} // namespace igfx
} // namespace ifx
