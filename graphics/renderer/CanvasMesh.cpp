// Fill and stroke meshes of the flat paths. Every edge gets a fringe one
// fringe width wide whose texture coordinate u runs from the covered side
// (0.5, or the stroke's side value) to the uncovered side; the back end turns
// u into coverage. Left normals point into the filled region (see
// BuildFlatPaths), so "left" is inside.

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "graphics/renderer/CanvasContext.h"

namespace
{
constexpr float kPi = 3.14159265358979323846f;

// Writes vertices and never past the reserved end.
struct VertexWriter
{
  CanvasVertex* p;
  CanvasVertex* end;
  void Put(float x, float y, float u, float v)
  {
    if (p < end)
      *p++ = CanvasVertex{x, y, u, v};
  }
};

int CurveDivisions(float r, float arc, float tol)
{
  const float da = std::acos(r / (r + tol)) * 2.0f;
  if (!(da > 0.f))
    return 2;
  return std::max(2, (int)std::ceil(arc / da));
}

void ChooseBevel(bool inner, const CanvasFlatPoint* p0, const CanvasFlatPoint* p1, float w, float& x0, float& y0,
                 float& x1, float& y1)
{
  if (inner)
  {
    x0 = p1->x + p0->dy * w;
    y0 = p1->y - p0->dx * w;
    x1 = p1->x + p1->dy * w;
    y1 = p1->y - p1->dx * w;
  }
  else
  {
    x0 = p1->x + p1->dmx * w;
    y0 = p1->y + p1->dmy * w;
    x1 = x0;
    y1 = y0;
  }
}
} // namespace

// A bevelled (or inner-bevelled) corner.
static void CanvasEmitCutCorner(VertexWriter& out, const CanvasFlatPoint* p0, const CanvasFlatPoint* p1, float lw,
                                float rw, float lu, float ru)
{
  const float dlx0 = p0->dy, dly0 = -p0->dx;
  const float dlx1 = p1->dy, dly1 = -p1->dx;
  const bool inner = (p1->flags & kCanvasPtInnerBevel) != 0;
  const bool bevel = (p1->flags & kCanvasPtBevel) != 0;

  if (p1->flags & kCanvasPtLeft)
  {
    float lx0, ly0, lx1, ly1;
    ChooseBevel(inner, p0, p1, lw, lx0, ly0, lx1, ly1);
    out.Put(lx0, ly0, lu, 1);
    out.Put(p1->x - dlx0 * rw, p1->y - dly0 * rw, ru, 1);
    if (bevel)
    {
      out.Put(lx0, ly0, lu, 1);
      out.Put(p1->x - dlx0 * rw, p1->y - dly0 * rw, ru, 1);
      out.Put(lx1, ly1, lu, 1);
      out.Put(p1->x - dlx1 * rw, p1->y - dly1 * rw, ru, 1);
    }
    else
    {
      const float rx0 = p1->x - p1->dmx * rw, ry0 = p1->y - p1->dmy * rw;
      out.Put(p1->x, p1->y, 0.5f, 1);
      out.Put(p1->x - dlx0 * rw, p1->y - dly0 * rw, ru, 1);
      out.Put(rx0, ry0, ru, 1);
      out.Put(rx0, ry0, ru, 1);
      out.Put(p1->x, p1->y, 0.5f, 1);
      out.Put(p1->x - dlx1 * rw, p1->y - dly1 * rw, ru, 1);
    }
    out.Put(lx1, ly1, lu, 1);
    out.Put(p1->x - dlx1 * rw, p1->y - dly1 * rw, ru, 1);
  }
  else
  {
    float rx0, ry0, rx1, ry1;
    ChooseBevel(inner, p0, p1, -rw, rx0, ry0, rx1, ry1);
    out.Put(p1->x + dlx0 * lw, p1->y + dly0 * lw, lu, 1);
    out.Put(rx0, ry0, ru, 1);
    if (bevel)
    {
      out.Put(p1->x + dlx0 * lw, p1->y + dly0 * lw, lu, 1);
      out.Put(rx0, ry0, ru, 1);
      out.Put(p1->x + dlx1 * lw, p1->y + dly1 * lw, lu, 1);
      out.Put(rx1, ry1, ru, 1);
    }
    else
    {
      const float lx0 = p1->x + p1->dmx * lw, ly0 = p1->y + p1->dmy * lw;
      out.Put(p1->x + dlx0 * lw, p1->y + dly0 * lw, lu, 1);
      out.Put(p1->x, p1->y, 0.5f, 1);
      out.Put(lx0, ly0, lu, 1);
      out.Put(lx0, ly0, lu, 1);
      out.Put(p1->x + dlx1 * lw, p1->y + dly1 * lw, lu, 1);
      out.Put(p1->x, p1->y, 0.5f, 1);
    }
    out.Put(p1->x + dlx1 * lw, p1->y + dly1 * lw, lu, 1);
    out.Put(rx1, ry1, ru, 1);
  }
}

static void CanvasEmitRoundCorner(VertexWriter& out, const CanvasFlatPoint* p0, const CanvasFlatPoint* p1, float lw,
                                  float rw, float lu, float ru, int ncap)
{
  const float dlx0 = p0->dy, dly0 = -p0->dx;
  const float dlx1 = p1->dy, dly1 = -p1->dx;
  const bool inner = (p1->flags & kCanvasPtInnerBevel) != 0;

  if (p1->flags & kCanvasPtLeft)
  {
    float lx0, ly0, lx1, ly1;
    ChooseBevel(inner, p0, p1, lw, lx0, ly0, lx1, ly1);
    const float a0 = std::atan2(-dly0, -dlx0);
    float a1 = std::atan2(-dly1, -dlx1);
    if (a1 > a0)
      a1 -= kPi * 2;
    out.Put(lx0, ly0, lu, 1);
    out.Put(p1->x - dlx0 * rw, p1->y - dly0 * rw, ru, 1);
    const int n = std::clamp((int)std::ceil(((a0 - a1) / kPi) * ncap), 2, ncap);
    for (int i = 0; i < n; i++)
    {
      const float a = a0 + ((float)i / (float)(n - 1)) * (a1 - a0);
      out.Put(p1->x, p1->y, 0.5f, 1);
      out.Put(p1->x + std::cos(a) * rw, p1->y + std::sin(a) * rw, ru, 1);
    }
    out.Put(lx1, ly1, lu, 1);
    out.Put(p1->x - dlx1 * rw, p1->y - dly1 * rw, ru, 1);
  }
  else
  {
    float rx0, ry0, rx1, ry1;
    ChooseBevel(inner, p0, p1, -rw, rx0, ry0, rx1, ry1);
    const float a0 = std::atan2(dly0, dlx0);
    float a1 = std::atan2(dly1, dlx1);
    if (a1 < a0)
      a1 += kPi * 2;
    out.Put(p1->x + dlx0 * lw, p1->y + dly0 * lw, lu, 1);
    out.Put(rx0, ry0, ru, 1);
    const int n = std::clamp((int)std::ceil(((a1 - a0) / kPi) * ncap), 2, ncap);
    for (int i = 0; i < n; i++)
    {
      const float a = a0 + ((float)i / (float)(n - 1)) * (a1 - a0);
      out.Put(p1->x + std::cos(a) * lw, p1->y + std::sin(a) * lw, lu, 1);
      out.Put(p1->x, p1->y, 0.5f, 1);
    }
    out.Put(p1->x + dlx1 * lw, p1->y + dly1 * lw, lu, 1);
    out.Put(rx1, ry1, ru, 1);
  }
}

// Butt and square caps: d moves the cap line along the direction, aa is the
// fringe pushed out beyond it.
static void CanvasEmitStartCap(VertexWriter& out, const CanvasFlatPoint* p, float dx, float dy, float w, float d,
                               float aa, float u0, float u1)
{
  const float px = p->x - dx * d, py = p->y - dy * d;
  const float dlx = dy, dly = -dx;
  out.Put(px + dlx * w - dx * aa, py + dly * w - dy * aa, u0, 0);
  out.Put(px - dlx * w - dx * aa, py - dly * w - dy * aa, u1, 0);
  out.Put(px + dlx * w, py + dly * w, u0, 1);
  out.Put(px - dlx * w, py - dly * w, u1, 1);
}

static void CanvasEmitEndCap(VertexWriter& out, const CanvasFlatPoint* p, float dx, float dy, float w, float d,
                             float aa, float u0, float u1)
{
  const float px = p->x + dx * d, py = p->y + dy * d;
  const float dlx = dy, dly = -dx;
  out.Put(px + dlx * w, py + dly * w, u0, 1);
  out.Put(px - dlx * w, py - dly * w, u1, 1);
  out.Put(px + dlx * w + dx * aa, py + dly * w + dy * aa, u0, 0);
  out.Put(px - dlx * w + dx * aa, py - dly * w + dy * aa, u1, 0);
}

static void EmitRoundStartCap(VertexWriter& out, const CanvasFlatPoint* p, float dx, float dy, float w, int ncap,
                              float u0, float u1)
{
  const float px = p->x, py = p->y;
  const float dlx = dy, dly = -dx;
  for (int i = 0; i < ncap; i++)
  {
    const float a = (float)i / (float)(ncap - 1) * kPi;
    const float ax = std::cos(a) * w, ay = std::sin(a) * w;
    out.Put(px - dlx * ax - dx * ay, py - dly * ax - dy * ay, u0, 1);
    out.Put(px, py, 0.5f, 1);
  }
  out.Put(px + dlx * w, py + dly * w, u0, 1);
  out.Put(px - dlx * w, py - dly * w, u1, 1);
}

static void EmitRoundEndCap(VertexWriter& out, const CanvasFlatPoint* p, float dx, float dy, float w, int ncap,
                            float u0, float u1)
{
  const float px = p->x, py = p->y;
  const float dlx = dy, dly = -dx;
  out.Put(px + dlx * w, py + dly * w, u0, 1);
  out.Put(px - dlx * w, py - dly * w, u1, 1);
  for (int i = 0; i < ncap; i++)
  {
    const float a = (float)i / (float)(ncap - 1) * kPi;
    const float ax = std::cos(a) * w, ay = std::sin(a) * w;
    out.Put(px, py, 0.5f, 1);
    out.Put(px - dlx * ax + dx * ay, py - dly * ax + dy * ay, u0, 1);
  }
}

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

bool CanvasContext::BuildFillMesh(float w, int lineJoin, float miterLimit)
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
  VertexWriter out{verts, verts + c->cverts};

  const bool convex = c->npaths == 1 && c->paths[0].convex;
  const float woff = fringe ? 0.5f * w : 0.f;

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
        if (p1->flags & (kCanvasPtBevel | kCanvasPtInnerBevel))
        {
          CanvasEmitCutCorner(out, p0, p1, lw, rw, lu, ru);
        }
        else
        {
          out.Put(p1->x + p1->dmx * lw, p1->y + p1->dmy * lw, lu, 1);
          out.Put(p1->x - p1->dmx * rw, p1->y - p1->dmy * rw, ru, 1);
        }
        p0 = p1++;
      }
      if (out.p - path.stroke >= 2)
      {
        const CanvasVertex first = path.stroke[0], second = path.stroke[1];
        out.Put(first.x, first.y, lu, 1);
        out.Put(second.x, second.y, ru, 1);
      }
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
  VertexWriter out{verts, verts + c->cverts};

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

    const bool loop = path.closed != 0;
    const CanvasFlatPoint* p0;
    const CanvasFlatPoint* p1;
    int s, e;
    if (loop)
    {
      p0 = &pts[path.count - 1];
      p1 = &pts[0];
      s = 0;
      e = path.count;
    }
    else
    {
      p0 = &pts[0];
      p1 = &pts[1];
      s = 1;
      e = path.count - 1;
    }

    if (!loop)
    {
      float dx = p1->x - p0->x, dy = p1->y - p0->y;
      const float d = std::sqrt(dx * dx + dy * dy);
      if (d > 1e-6f)
      {
        dx /= d;
        dy /= d;
      }
      if (lineCap == kCanvasButt)
        CanvasEmitStartCap(out, p0, dx, dy, w, -aa * 0.5f, aa, u0, u1);
      else if (lineCap == kCanvasSquare)
        CanvasEmitStartCap(out, p0, dx, dy, w, w - aa, aa, u0, u1);
      else if (lineCap == kCanvasRound)
        EmitRoundStartCap(out, p0, dx, dy, w, ncap, u0, u1);
    }

    for (int j = s; j < e; j++)
    {
      if (p1->flags & (kCanvasPtBevel | kCanvasPtInnerBevel))
      {
        if (lineJoin == kCanvasRound)
          CanvasEmitRoundCorner(out, p0, p1, w, w, u0, u1, ncap);
        else
          CanvasEmitCutCorner(out, p0, p1, w, w, u0, u1);
      }
      else
      {
        out.Put(p1->x + p1->dmx * w, p1->y + p1->dmy * w, u0, 1);
        out.Put(p1->x - p1->dmx * w, p1->y - p1->dmy * w, u1, 1);
      }
      p0 = p1++;
    }

    if (loop)
    {
      if (out.p - path.stroke >= 2)
      {
        const CanvasVertex first = path.stroke[0], second = path.stroke[1];
        out.Put(first.x, first.y, u0, 1);
        out.Put(second.x, second.y, u1, 1);
      }
    }
    else
    {
      float dx = p1->x - p0->x, dy = p1->y - p0->y;
      const float d = std::sqrt(dx * dx + dy * dy);
      if (d > 1e-6f)
      {
        dx /= d;
        dy /= d;
      }
      if (lineCap == kCanvasButt)
        CanvasEmitEndCap(out, p1, dx, dy, w, -aa * 0.5f, aa, u0, u1);
      else if (lineCap == kCanvasSquare)
        CanvasEmitEndCap(out, p1, dx, dy, w, w - aa, aa, u0, u1);
      else if (lineCap == kCanvasRound)
        EmitRoundEndCap(out, p1, dx, dy, w, ncap, u0, u1);
    }
    path.nstroke = (int)(out.p - path.stroke);
  }
  c->nverts = (int)(out.p - verts);
  return true;
}
