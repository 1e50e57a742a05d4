// Turns the command buffer into flat paths of points with directions, and
// computes the per-point join normals the meshes are built from.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "renderer/CanvasContext.h"

namespace ifx::canvas {

namespace {
bool PointsEqual(float x1, float y1, float x2, float y2, float tol)
{
  const float dx = x2 - x1, dy = y2 - y1;
  return dx * dx + dy * dy < tol * tol;
}

// The signed area of the polygon: half the sum of the cross products
// (b - a) x (c - a) about the first point. Negative for a rectangle added as
// top-left, bottom-left, bottom-right, top-right in y-down device space.
float PolygonArea(const CanvasFlatPoint* pts, int npts)
{
  float area = 0.f;
  const CanvasFlatPoint& a = pts[0];
  for (int i = 2; i < npts; i++)
  {
    const CanvasFlatPoint& b = pts[i - 1];
    const CanvasFlatPoint& c = pts[i];
    area += (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
  }
  return area * 0.5f;
}

void ReversePoints(CanvasFlatPoint* pts, int npts)
{
  for (int i = 0, j = npts - 1; i < j; i++, j--)
    std::swap(pts[i], pts[j]);
}

float Normalize(float& x, float& y)
{
  const float d = std::sqrt(x * x + y * y);
  if (d > 1e-6f)
  {
    const float id = 1.0f / d;
    x *= id;
    y *= id;
  }
  return d;
}
} // namespace

CanvasFlatPath* CanvasContext::NewFlatPath()
{
  CanvasFlatCache* c = cache;
  if (c->npaths + 1 > c->cpaths)
  {
    const int cap = c->npaths + 1 + c->cpaths / 2;
    auto* grown = static_cast<CanvasFlatPath*>(std::realloc(c->paths, sizeof(CanvasFlatPath) * cap));
    if (!grown)
      return nullptr;
    c->paths = grown;
    c->cpaths = cap;
  }
  CanvasFlatPath* path = &c->paths[c->npaths];
  std::memset(path, 0, sizeof(*path));
  path->first = c->npoints;
  path->winding = kCanvasCCW;
  c->npaths++;
  return path;
}

void CanvasContext::PushFlatPoint(float x, float y, int flags)
{
  CanvasFlatCache* c = cache;
  CanvasFlatPath* path = c->npaths > 0 ? &c->paths[c->npaths - 1] : nullptr;
  if (path && path->count > 0 && c->npoints > 0)
  {
    CanvasFlatPoint& last = c->points[c->npoints - 1];
    if (PointsEqual(last.x, last.y, x, y, distTol))
    {
      last.flags |= (unsigned char)flags;
      return;
    }
  }
  if (c->npoints + 1 > c->cpoints)
  {
    const int cap = c->npoints + 1 + c->cpoints / 2;
    auto* grown = static_cast<CanvasFlatPoint*>(std::realloc(c->points, sizeof(CanvasFlatPoint) * cap));
    if (!grown)
      return;
    c->points = grown;
    c->cpoints = cap;
  }
  CanvasFlatPoint& pt = c->points[c->npoints];
  std::memset(&pt, 0, sizeof(pt));
  pt.x = x;
  pt.y = y;
  pt.flags = (unsigned char)flags;
  c->npoints++;
  if (path)
    path->count++;
}

void CanvasContext::SubdivideCurve(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                                   int level, int flags)
{
  if (level > 10)
    return;
  const float dx = x4 - x1, dy = y4 - y1;
  const float d2 = std::fabs((x2 - x4) * dy - (y2 - y4) * dx);
  const float d3 = std::fabs((x3 - x4) * dy - (y3 - y4) * dx);
  if ((d2 + d3) * (d2 + d3) < tessTol * (dx * dx + dy * dy))
  {
    PushFlatPoint(x4, y4, flags);
    return;
  }
  const float x12 = (x1 + x2) * 0.5f, y12 = (y1 + y2) * 0.5f;
  const float x23 = (x2 + x3) * 0.5f, y23 = (y2 + y3) * 0.5f;
  const float x34 = (x3 + x4) * 0.5f, y34 = (y3 + y4) * 0.5f;
  const float x123 = (x12 + x23) * 0.5f, y123 = (y12 + y23) * 0.5f;
  const float x234 = (x23 + x34) * 0.5f, y234 = (y23 + y34) * 0.5f;
  const float x1234 = (x123 + x234) * 0.5f, y1234 = (y123 + y234) * 0.5f;
  SubdivideCurve(x1, y1, x12, y12, x123, y123, x1234, y1234, level + 1, 0);
  SubdivideCurve(x1234, y1234, x234, y234, x34, y34, x4, y4, level + 1, flags);
}

void CanvasContext::BuildFlatPaths()
{
  CanvasFlatCache* c = cache;
  if (c->npaths > 0)
    return;

  for (int i = 0; i < ncommands;)
  {
    const int kind = (int)commands[i];
    switch (kind)
    {
      case kCanvasMoveTo:
        NewFlatPath(); // without a path the point still lands in the cache
        PushFlatPoint(commands[i + 1], commands[i + 2], kCanvasPtCorner);
        i += 3;
        break;
      case kCanvasLineTo:
        PushFlatPoint(commands[i + 1], commands[i + 2], kCanvasPtCorner);
        i += 3;
        break;
      case kCanvasBezierTo:
        if (c->npoints > 0)
        {
          const CanvasFlatPoint& last = c->points[c->npoints - 1];
          SubdivideCurve(last.x, last.y, commands[i + 1], commands[i + 2], commands[i + 3], commands[i + 4],
                         commands[i + 5], commands[i + 6], 0, kCanvasPtCorner);
        }
        i += 7;
        break;
      case kCanvasClose:
        if (c->npaths > 0)
          c->paths[c->npaths - 1].closed = 1;
        i += 1;
        break;
      case kCanvasWinding:
        if (c->npaths > 0)
          c->paths[c->npaths - 1].winding = (int)commands[i + 1];
        i += 2;
        break;
      default:
        i = ncommands; // never stored (AppendPathOps checks), but never loop on it
        break;
    }
  }

  c->bounds[0] = c->bounds[1] = 1e6f;
  c->bounds[2] = c->bounds[3] = -1e6f;

  for (int j = 0; j < c->npaths; j++)
  {
    CanvasFlatPath& path = c->paths[j];
    CanvasFlatPoint* pts = &c->points[path.first];
    if (path.count <= 0)
      continue;

    // A closing point that repeats the start closes the path instead.
    const CanvasFlatPoint& p0 = pts[path.count - 1];
    if (path.count > 1 && PointsEqual(p0.x, p0.y, pts[0].x, pts[0].y, distTol))
    {
      path.count--;
      path.closed = 1;
    }

    // Solid shapes are stored with negative area and holes with positive
    // area: then every left normal points into the filled region, the fill
    // is inset by half the fringe, the fringe straddles the true edge, and a
    // convex solid turns left at every corner.
    if (path.count > 2)
    {
      const float area = PolygonArea(pts, path.count);
      if (path.winding == kCanvasCCW && area > 0.f)
        ReversePoints(pts, path.count);
      if (path.winding == kCanvasCW && area < 0.f)
        ReversePoints(pts, path.count);
    }

    for (int i = 0; i < path.count; i++)
    {
      CanvasFlatPoint& p = pts[i];
      const CanvasFlatPoint& next = pts[(i + 1) % path.count];
      p.dx = next.x - p.x;
      p.dy = next.y - p.y;
      p.len = Normalize(p.dx, p.dy);
      c->bounds[0] = std::min(c->bounds[0], p.x);
      c->bounds[1] = std::min(c->bounds[1], p.y);
      c->bounds[2] = std::max(c->bounds[2], p.x);
      c->bounds[3] = std::max(c->bounds[3], p.y);
    }
  }
}

void CanvasContext::ComputeCornerNormals(float w, int lineJoin, float miterLimit)
{
  CanvasFlatCache* c = cache;
  const float iw = w > 0.f ? 1.0f / w : 0.f;

  for (int i = 0; i < c->npaths; i++)
  {
    CanvasFlatPath& path = c->paths[i];
    CanvasFlatPoint* pts = &c->points[path.first];
    int nleft = 0;
    path.nbevel = 0;
    if (path.count <= 0)
    {
      path.convex = 0;
      continue;
    }

    // Sign changes of the direction's x component around the path: two for
    // a path that turns round once, four or more for one that winds again.
    int firstSign = 0, lastSign = 0, signChanges = 0;

    CanvasFlatPoint* p0 = &pts[path.count - 1];
    CanvasFlatPoint* p1 = &pts[0];
    for (int j = 0; j < path.count; j++)
    {
      const int sign = p1->dx > 0.f ? 1 : p1->dx < 0.f ? -1 : 0;
      if (sign != 0)
      {
        if (lastSign == 0)
          firstSign = sign;
        else if (sign != lastSign)
          signChanges++;
        lastSign = sign;
      }

      const float dlx0 = p0->dy, dly0 = -p0->dx;
      const float dlx1 = p1->dy, dly1 = -p1->dx;
      p1->dmx = (dlx0 + dlx1) * 0.5f;
      p1->dmy = (dly0 + dly1) * 0.5f;
      // The join decisions need the length before the rescale: a right angle
      // has |dm|^2 = 1/2, which the rescale would turn into 2.
      const float dmr2 = p1->dmx * p1->dmx + p1->dmy * p1->dmy;
      if (dmr2 > 0.000001f)
      {
        const float scale = std::min(1.0f / dmr2, 600.0f);
        p1->dmx *= scale;
        p1->dmy *= scale;
      }

      p1->flags = (p1->flags & kCanvasPtCorner) ? kCanvasPtCorner : 0;

      const float cross = p1->dx * p0->dy - p0->dx * p1->dy;
      if (cross > 0.f)
      {
        nleft++;
        p1->flags |= kCanvasPtLeft;
      }

      const float limit = std::max(1.01f, std::min(p0->len, p1->len) * iw);
      if (dmr2 * limit * limit < 1.0f)
        p1->flags |= kCanvasPtInnerBevel;

      if (p1->flags & kCanvasPtCorner)
      {
        if (dmr2 * miterLimit * miterLimit < 1.0f || lineJoin == kCanvasBevel || lineJoin == kCanvasRound)
          p1->flags |= kCanvasPtBevel;
      }

      if (p1->flags & (kCanvasPtBevel | kCanvasPtInnerBevel))
        path.nbevel++;

      p0 = p1++;
    }
    if (firstSign != 0 && firstSign != lastSign)
      signChanges++;
    // Turning left everywhere is not enough: a star does that too, and a fan
    // over it would miss arms and cover gaps.
    path.convex = (nleft == path.count && signChanges <= 2) ? 1 : 0;
  }
}

} // namespace ifx::canvas
