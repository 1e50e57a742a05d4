// Joins and caps of the meshes. For a left turn the left side is the inner
// side of the corner; a right turn mirrors everything.

#include <algorithm>
#include <cmath>

#include "renderer/CanvasMeshEmit.h"

namespace ifx::canvas {

namespace {
constexpr float kPi = 3.14159265358979323846f;

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

void CanvasEmitCutCorner(CanvasVertexWriter& out, const CanvasFlatPoint* p0, const CanvasFlatPoint* p1, float lw,
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

void CanvasEmitRoundCorner(CanvasVertexWriter& out, const CanvasFlatPoint* p0, const CanvasFlatPoint* p1, float lw,
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

void CanvasEmitCorner(CanvasVertexWriter& out, const CanvasFlatPoint* p0, const CanvasFlatPoint* p1, float lw, float rw,
                      float lu, float ru, int lineJoin, int ncap)
{
  if (p1->flags & (kCanvasPtBevel | kCanvasPtInnerBevel))
  {
    if (lineJoin == kCanvasRound)
      CanvasEmitRoundCorner(out, p0, p1, lw, rw, lu, ru, ncap);
    else
      CanvasEmitCutCorner(out, p0, p1, lw, rw, lu, ru);
    return;
  }
  out.Put(p1->x + p1->dmx * lw, p1->y + p1->dmy * lw, lu, 1);
  out.Put(p1->x - p1->dmx * rw, p1->y - p1->dmy * rw, ru, 1);
}

void CanvasEmitStartCap(CanvasVertexWriter& out, const CanvasFlatPoint* p, float dx, float dy, float w, float d,
                        float aa, float u0, float u1)
{
  const float px = p->x - dx * d, py = p->y - dy * d;
  const float dlx = dy, dly = -dx;
  out.Put(px + dlx * w - dx * aa, py + dly * w - dy * aa, u0, 0);
  out.Put(px - dlx * w - dx * aa, py - dly * w - dy * aa, u1, 0);
  out.Put(px + dlx * w, py + dly * w, u0, 1);
  out.Put(px - dlx * w, py - dly * w, u1, 1);
}

void CanvasEmitEndCap(CanvasVertexWriter& out, const CanvasFlatPoint* p, float dx, float dy, float w, float d, float aa,
                      float u0, float u1)
{
  const float px = p->x + dx * d, py = p->y + dy * d;
  const float dlx = dy, dly = -dx;
  out.Put(px + dlx * w, py + dly * w, u0, 1);
  out.Put(px - dlx * w, py - dly * w, u1, 1);
  out.Put(px + dlx * w + dx * aa, py + dly * w + dy * aa, u0, 0);
  out.Put(px - dlx * w + dx * aa, py - dly * w + dy * aa, u1, 0);
}

void CanvasEmitRoundStartCap(CanvasVertexWriter& out, const CanvasFlatPoint* p, float dx, float dy, float w, int ncap,
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

void CanvasEmitRoundEndCap(CanvasVertexWriter& out, const CanvasFlatPoint* p, float dx, float dy, float w, int ncap,
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

} // namespace ifx::canvas
