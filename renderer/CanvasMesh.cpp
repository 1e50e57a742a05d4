// Fill and stroke meshes of the flat paths. Every edge gets a fringe one
// fringe width wide whose texture coordinate u runs from the covered side
// (0.5, or the stroke's side value) to the uncovered side; the back end turns
// u into coverage. Left normals point into the filled region (see
// BuildFlatPaths), so "left" is inside.

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "renderer/CanvasContext.h"
#include "renderer/CanvasMeshEmit.h"

namespace ifx::canvas {

namespace {
constexpr float kPi = 3.14159265358979323846f;
// tan(turn / 2) of the sharpest mitre a fill's fringe keeps (limit 2.4).
constexpr double kMaxMitreTan = 2.1817424;

int CurveDivisions(float r, float arc, float tol)
{
  const float da = std::acos(r / (r + tol)) * 2.0f;
  if (!(da > 0.f))
    return 2;
  return std::max(2, (int)std::ceil(arc / da));
}

// Closes a looped strip with a copy of its first pair.
void CloseStrip(CanvasVertexWriter& out, const CanvasVertex* first, float lu, float ru)
{
  if (out.p - first < 2)
    return;
  const CanvasVertex a = first[0], b = first[1];
  out.Put(a.x, a.y, lu, 1);
  out.Put(b.x, b.y, ru, 1);
}

// The cap of an open stroke at `at`, facing away from the segment from p0 to
// p1: butt caps straddle the end with the fringe, square caps reach half the
// width beyond it. Other values draw no cap.
void EmitCap(CanvasVertexWriter& out, const CanvasFlatPoint* p0, const CanvasFlatPoint* p1, bool start, int lineCap,
             float w, float aa, int ncap, float u0, float u1)
{
  float dx = p1->x - p0->x, dy = p1->y - p0->y;
  const float d = std::sqrt(dx * dx + dy * dy);
  if (d > 1e-6f)
  {
    dx /= d;
    dy /= d;
  }
  const float extend = lineCap == kCanvasSquare ? w - aa : -aa * 0.5f;
  if (lineCap == kCanvasRound)
  {
    if (start)
      CanvasEmitRoundStartCap(out, p0, dx, dy, w, ncap, u0, u1);
    else
      CanvasEmitRoundEndCap(out, p1, dx, dy, w, ncap, u0, u1);
  }
  else if (lineCap == kCanvasButt || lineCap == kCanvasSquare)
  {
    if (start)
      CanvasEmitStartCap(out, p0, dx, dy, w, extend, aa, u0, u1);
    else
      CanvasEmitEndCap(out, p1, dx, dy, w, extend, aa, u0, u1);
  }
}
} // namespace

CanvasVertex* CanvasContext::ReserveVertices(int count)
{
  CanvasFlatCache* c = cache;
  if (count > c->cverts)
  {
    const int cap = (count + 0xff) & ~0xff;
    auto* grown = static_cast<CanvasVertex*>(std::realloc(c->verts, sizeof(CanvasVertex) * cap));
    if (!grown)
      return nullptr;
    c->verts = grown;
    c->cverts = cap;
  }
  return c->verts;
}

bool CanvasContext::BuildFillMesh(float w, int lineJoin, float miterLimit, bool outsideFringe)
{
  CanvasFlatCache* c = cache;
  const bool fringe = w > 0.0f;
  ComputeCornerNormals(w, lineJoin, miterLimit);

  int budget = 0;
  for (int i = 0; i < c->npaths; i++)
  {
    const CanvasFlatPath& path = c->paths[i];
    budget += fringe ? path.count * 3 + path.nbevel * 11 + 3 : path.count + path.nbevel + 1;
  }
  CanvasVertex* verts = ReserveVertices(budget);
  if (!verts)
    return false;
  CanvasVertexWriter out{verts, verts + c->cverts};

  const bool convex = c->npaths == 1 && c->paths[0].convex;
  const float woff = fringe && !outsideFringe ? 0.5f * w : 0.f;

  for (int i = 0; i < c->npaths; i++)
  {
    CanvasFlatPath& path = c->paths[i];
    CanvasFlatPoint* pts = &c->points[path.first];

    // The fill, inset by half the fringe.
    path.fill = out.p;
    if (path.count > 0 && fringe)
    {
      const CanvasFlatPoint* p0 = &pts[path.count - 1];
      const CanvasFlatPoint* p1 = &pts[0];
      for (int j = 0; j < path.count; j++)
      {
        if ((p1->flags & kCanvasPtBevel) && !(p1->flags & kCanvasPtLeft))
        {
          out.Put(p1->x + p0->dy * woff, p1->y - p0->dx * woff, 0.5f, 1);
          out.Put(p1->x + p1->dy * woff, p1->y - p1->dx * woff, 0.5f, 1);
        }
        else
        {
          out.Put(p1->x + p1->dmx * woff, p1->y + p1->dmy * woff, 0.5f, 1);
        }
        p0 = p1++;
      }
    }
    else
    {
      for (int j = 0; j < path.count; j++)
        out.Put(pts[j].x, pts[j].y, 0.5f, 1);
    }
    path.nfill = (int)(out.p - path.fill);

    // The fringe strip across the true edge.
    if (fringe && path.count > 0)
    {
      float lw = w + woff, rw = w - woff, lu = 0.f;
      const float ru = 1.f;
      if (convex)
      {
        // Half a fringe: it starts where the inset fill ends, so the shape
        // needs no stencil.
        lw = woff;
        lu = 0.5f;
      }
      path.stroke = out.p;
      const CanvasFlatPoint* p0 = &pts[path.count - 1];
      const CanvasFlatPoint* p1 = &pts[0];
      for (int j = 0; j < path.count; j++)
      {
        CanvasEmitCorner(out, p0, p1, lw, rw, lu, ru, kCanvasMiter, 0);
        p0 = p1++;
      }
      CloseStrip(out, path.stroke, lu, ru);
      path.nstroke = (int)(out.p - path.stroke);
    }
    else
    {
      path.stroke = nullptr;
      path.nstroke = 0;
    }
  }
  c->nverts = (int)(out.p - verts);
  return true;
}

float CanvasContext::ThinFillCoverage(float w) const
{
  // The area A (a bound from the fan triangles, exact for convex paths) and
  // the outline length P give the thickness t of the rectangle with that
  // area and outline, the smaller root of x^2 - (P/2) x + A = 0; for shapes
  // more compact than a square (no root) it is 4A/P, a circle's diameter.
  // The corners' tan(turn / 2) sum gives the extra fringe their mitres add.
  double area = 0.0, perimeter = 0.0, corners = 0.0;
  for (int i = 0; i < cache->npaths; i++)
  {
    const CanvasFlatPath& path = cache->paths[i];
    const CanvasFlatPoint* pts = &cache->points[path.first];
    for (int j = 2; j < path.count; j++)
    {
      const double ax = pts[j - 1].x - pts[0].x, ay = pts[j - 1].y - pts[0].y;
      const double bx = pts[j].x - pts[0].x, by = pts[j].y - pts[0].y;
      area += std::fabs(ax * by - bx * ay) * 0.5;
    }
    if (path.count < 2)
      continue;
    for (int j = 0; j < path.count; j++)
    {
      const CanvasFlatPoint& in = pts[j == 0 ? path.count - 1 : j - 1];
      const CanvasFlatPoint& out = pts[j];
      perimeter += out.len;
      const double cross = std::fabs((double)in.dx * out.dy - (double)in.dy * out.dx);
      const double dot = (double)in.dx * out.dx + (double)in.dy * out.dy;
      // Mitres longer than the fill's limit (2.4) are cut.
      corners += dot > -0.6 ? std::min(cross / (1.0 + dot), kMaxMitreTan) : kMaxMitreTan;
    }
  }
  if (!(area > 0.0))
    return 0.f;
  if (!(w > 0.f))
    return 1.f;
  const double disc = std::max(perimeter * perimeter - 16.0 * area, 0.0);
  const double t = 4.0 * area / (perimeter + std::sqrt(disc));
  // A hair below the fringe keeps a one-pixel rectangle on whole pixels crisp.
  if (t >= (double)w * 0.999)
    return 1.f;
  // With its whole fringe outside, fading from the outline, a thin fill
  // covers its area, half a fringe along its outline and a third of a fringe
  // squared per unit of mitre; scaled down so, its coverage is its area.
  const double ww = (double)w;
  return (float)(area / (area + perimeter * ww * 0.5 + corners * ww * ww / 3.0));
}

bool CanvasContext::BuildStrokeMesh(float w, float fringe, int lineCap, int lineJoin, float miterLimit)
{
  CanvasFlatCache* c = cache;
  const float aa = fringe;
  const int ncap = CurveDivisions(w, kPi, tessTol);
  w += aa * 0.5f;
  const float u0 = aa == 0.f ? 0.5f : 0.f;
  const float u1 = aa == 0.f ? 0.5f : 1.f;

  ComputeCornerNormals(w, lineJoin, miterLimit);

  int budget = 0;
  for (int i = 0; i < c->npaths; i++)
  {
    const CanvasFlatPath& path = c->paths[i];
    if (lineJoin == kCanvasRound)
      budget += (path.count + path.nbevel * (ncap + 2) + 1) * 2;
    else
      budget += (path.count + path.nbevel * 5 + 1) * 2;
    if (!path.closed)
      budget += lineCap == kCanvasRound ? (ncap * 2 + 2) * 2 : (3 + 3) * 2;
  }
  CanvasVertex* verts = ReserveVertices(budget);
  if (!verts)
    return false;
  CanvasVertexWriter out{verts, verts + c->cverts};

  for (int i = 0; i < c->npaths; i++)
  {
    CanvasFlatPath& path = c->paths[i];
    CanvasFlatPoint* pts = &c->points[path.first];
    path.fill = nullptr;
    path.nfill = 0;
    path.stroke = out.p;
    path.nstroke = 0;
    // A single point has no direction to stroke along.
    if (path.count < 2)
      continue;

    // A closed path goes round from its last point; an open one runs its
    // inner points between the two caps.
    const bool loop = path.closed != 0;
    const CanvasFlatPoint* p0 = loop ? &pts[path.count - 1] : &pts[0];
    const CanvasFlatPoint* p1 = loop ? &pts[0] : &pts[1];
    const int corners = loop ? path.count : path.count - 2;

    if (!loop)
      EmitCap(out, p0, p1, true, lineCap, w, aa, ncap, u0, u1);

    for (int j = 0; j < corners; j++)
    {
      CanvasEmitCorner(out, p0, p1, w, w, u0, u1, lineJoin, ncap);
      p0 = p1++;
    }

    if (loop)
      CloseStrip(out, path.stroke, u0, u1);
    else
      EmitCap(out, p0, p1, false, lineCap, w, aa, ncap, u0, u1);
    path.nstroke = (int)(out.p - path.stroke);
  }
  c->nverts = (int)(out.p - verts);
  return true;
}

} // namespace ifx::canvas
