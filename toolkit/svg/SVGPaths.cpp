// Outlines as cubic Bézier segments: the point buffer and the finished
// sub-paths with their tight bounds.
#include <cfloat>
#include <cmath>
#include <cstring>
#include <new>

#include "toolkit/svg/SVGParserState.h"

namespace ifx {
namespace igfx {
namespace svg {

namespace {
bool ReservePoints(SVGParser& p, int extra)
{
  const int needed = p.npts + extra;
  if (needed <= p.cpts)
    return true;
  const int capacity = GrowCapacity(p.cpts, needed, kMaxPathPoints);
  if (capacity == 0)
    return false;
  float* pts = new (std::nothrow) float[static_cast<size_t>(capacity) * 2];
  if (!pts)
    return false;
  if (p.npts > 0)
    std::memcpy(pts, p.pts, static_cast<size_t>(p.npts) * 2 * sizeof(float));
  delete[] p.pts;
  p.pts = pts;
  p.cpts = capacity;
  return true;
}

void AddPoint(SVGParser& p, float x, float y)
{
  p.pts[p.npts * 2] = x;
  p.pts[p.npts * 2 + 1] = y;
  ++p.npts;
}

// Widens b by the segment p0 c1 c2 p3 (x, y pairs) where its derivative
// vanishes inside (0, 1); the end points are in b already.
void ExtendByCubic(const float* seg, float b[4])
{
  for (int axis = 0; axis < 2; ++axis)
  {
    const double p0 = seg[axis], p1 = seg[2 + axis], p2 = seg[4 + axis], p3 = seg[6 + axis];
    // Derivative / 3 = a t^2 + bq t + c.
    const double a = -p0 + 3.0 * p1 - 3.0 * p2 + p3;
    const double bq = 2.0 * (p0 - 2.0 * p1 + p2);
    const double c = p1 - p0;
    double roots[2];
    int n = 0;
    if (std::fabs(a) < 1e-12)
    {
      if (std::fabs(bq) > 1e-12)
        roots[n++] = -c / bq;
    }
    else
    {
      const double disc = bq * bq - 4.0 * a * c;
      if (disc > 1e-12)
      {
        const double sq = std::sqrt(disc);
        roots[n++] = (-bq + sq) / (2.0 * a);
        roots[n++] = (-bq - sq) / (2.0 * a);
      }
    }
    for (int i = 0; i < n; ++i)
    {
      const double t = roots[i];
      if (!(t > 0.0 && t < 1.0))
        continue;
      const double u = 1.0 - t;
      float v = static_cast<float>(u * u * u * p0 + 3.0 * u * u * t * p1 + 3.0 * u * t * t * p2 + t * t * t * p3);
      // The curve stays within its control points; only rounding at the
      // float limits can take it past them.
      if (!std::isfinite(v))
        v = v > 0.f ? FLT_MAX : -FLT_MAX;
      b[axis] = std::fmin(b[axis], v);
      b[axis + 2] = std::fmax(b[axis + 2], v);
    }
  }
}

} // namespace

int GrowCapacity(int capacity, int needed, int limit)
{
  if (needed < 0 || needed > limit)
    return 0;
  int c = capacity > 0 ? capacity : 8;
  while (c < needed)
    c = c > limit / 2 ? limit : c * 2;
  return c;
}

bool AllFinite(const float* v, int n)
{
  for (int i = 0; i < n; ++i)
    if (!std::isfinite(v[i]))
      return false;
  return true;
}

float PartWay(float computed, float from, float to, double part)
{
  if (std::isfinite(computed))
    return computed;
  return static_cast<float>(from + (static_cast<double>(to) - from) * part);
}

void MoveTo(SVGParser& p, float x, float y)
{
  p.npts = 0;
  // A start beyond float range starts nothing: what follows up to the next
  // move has nothing to join.
  if (std::isfinite(x) && std::isfinite(y) && ReservePoints(p, 1))
    AddPoint(p, x, y);
}

void CubicTo(SVGParser& p, float c1x, float c1y, float c2x, float c2y, float x, float y)
{
  // Without room, or with a point beyond float range, the whole segment is
  // dropped, so the buffer stays whole segments.
  const float seg[6] = {c1x, c1y, c2x, c2y, x, y};
  if (p.npts == 0 || !AllFinite(seg, 6) || !ReservePoints(p, 3))
    return;
  AddPoint(p, c1x, c1y);
  AddPoint(p, c2x, c2y);
  AddPoint(p, x, y);
}

void LineTo(SVGParser& p, float x, float y)
{
  if (p.npts == 0)
    return;
  const float px = p.pts[(p.npts - 1) * 2], py = p.pts[(p.npts - 1) * 2 + 1];
  const float dx = x - px, dy = y - py;
  CubicTo(p, PartWay(px + dx / 3.f, px, x, 1.0 / 3.0), PartWay(py + dy / 3.f, py, y, 1.0 / 3.0),
          PartWay(px + 2.f * dx / 3.f, px, x, 2.0 / 3.0), PartWay(py + 2.f * dy / 3.f, py, y, 2.0 / 3.0), x, y);
}

void FinishSubPath(SVGParser& p, bool closed)
{
  if (p.npts < 4)
  {
    p.npts = 0;
    return;
  }
  if (closed)
    LineTo(p, p.pts[0], p.pts[1]);
  auto* path = new (std::nothrow) SVGPath();
  float* pts = new (std::nothrow) float[static_cast<size_t>(p.npts) * 2];
  if (!path || !pts)
  {
    delete path;
    delete[] pts;
    p.npts = 0;
    return;
  }
  const float* t = p.Top().xform;
  for (int i = 0; i < p.npts; ++i)
  {
    float x = p.pts[i * 2], y = p.pts[i * 2 + 1];
    XformPoint(x, y, t);
    pts[i * 2] = x;
    pts[i * 2 + 1] = y;
  }
  // A transform that takes the outline beyond float range drops it whole.
  if (!AllFinite(pts, p.npts * 2))
  {
    delete path;
    delete[] pts;
    p.npts = 0;
    return;
  }
  path->pts = pts;
  path->npts = p.npts;
  path->closed = closed ? 1 : 0;
  PathBounds(pts, p.npts, nullptr, path->bounds);
  path->next = p.paths;
  p.paths = path;
  p.npts = 0;
}

void PathBounds(const float* pts, int npts, const float* t, float bounds[4])
{
  if (npts < 1)
  {
    std::memset(bounds, 0, 4 * sizeof(float));
    return;
  }
  float seg[8];
  auto point = [&](int i, float* out) {
    out[0] = pts[i * 2];
    out[1] = pts[i * 2 + 1];
    if (t)
      XformPoint(out[0], out[1], t);
  };
  point(0, seg);
  bounds[0] = bounds[2] = seg[0];
  bounds[1] = bounds[3] = seg[1];
  for (int i = 0; i + 3 < npts; i += 3)
  {
    for (int k = 0; k < 4; ++k)
      point(i + k, seg + k * 2);
    bounds[0] = std::fmin(bounds[0], seg[6]);
    bounds[1] = std::fmin(bounds[1], seg[7]);
    bounds[2] = std::fmax(bounds[2], seg[6]);
    bounds[3] = std::fmax(bounds[3], seg[7]);
    ExtendByCubic(seg, bounds);
  }
}

void UnionBounds(float b[4], const float o[4])
{
  b[0] = std::fmin(b[0], o[0]);
  b[1] = std::fmin(b[1], o[1]);
  b[2] = std::fmax(b[2], o[2]);
  b[3] = std::fmax(b[3], o[3]);
}

void DeletePaths(SVGPath* path)
{
  while (path)
  {
    SVGPath* next = path->next;
    delete[] path->pts;
    delete path;
    path = next;
  }
}

} // namespace svg
} // namespace igfx
} // namespace ifx
