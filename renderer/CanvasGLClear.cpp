// GL back end: an opaque fill of the whole view (an editor's backdrop) is
// queued as a clear. Drawn, it would set every pixel of the view to its
// colour; a clear does the same without rasterising the view.

#include <cmath>

#include "renderer/CanvasGLBackend.h"

namespace ifx::canvas {

namespace {
bool SameColor(const CanvasColor& a, const CanvasColor& b)
{
  return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

// Source-over or copy: either replaces what is there with an opaque colour.
bool Replaces(const CanvasGLBlend& blend)
{
  const bool over = blend.dstRGB == cgl::kOneMinusSrcAlpha && blend.dstAlpha == cgl::kOneMinusSrcAlpha;
  const bool copy = blend.dstRGB == cgl::kZero && blend.dstAlpha == cgl::kZero;
  return blend.srcRGB == cgl::kOne && blend.srcAlpha == cgl::kOne && (over || copy);
}

// Four vertices on the corners of an axis-aligned rectangle.
bool IsAxisAlignedRectangle(const CanvasVertex* v, int n)
{
  if (n != 4)
    return false;
  const float x0 = std::fmin(std::fmin(v[0].x, v[1].x), std::fmin(v[2].x, v[3].x));
  const float x1 = std::fmax(std::fmax(v[0].x, v[1].x), std::fmax(v[2].x, v[3].x));
  const float y0 = std::fmin(std::fmin(v[0].y, v[1].y), std::fmin(v[2].y, v[3].y));
  const float y1 = std::fmax(std::fmax(v[0].y, v[1].y), std::fmax(v[2].y, v[3].y));
  if (!(x0 < x1 && y0 < y1))
    return false;
  int corners = 0;
  for (int i = 0; i < 4; i++)
  {
    const bool onX = v[i].x == x0 || v[i].x == x1, onY = v[i].y == y0 || v[i].y == y1;
    if (!onX || !onY)
      return false;
    corners |= 1 << ((v[i].x == x1 ? 1 : 0) + (v[i].y == y1 ? 2 : 0));
  }
  return corners == 15;
}

bool Covers(float x0, float y0, float x1, float y1, const float* view)
{
  return x0 <= 0.f && y0 <= 0.f && x1 >= view[0] && y1 >= view[1];
}

// No scissor, or an axis-aligned one over the whole view.
bool ScissorCovers(const CanvasClip& s, const float* view)
{
  if (s.extent[0] < -0.5f || s.extent[1] < -0.5f)
    return true;
  if (s.xform[1] != 0.f || s.xform[2] != 0.f)
    return false;
  const float hx = std::fabs(s.xform[0]) * s.extent[0], hy = std::fabs(s.xform[3]) * s.extent[1];
  return Covers(s.xform[4] - hx, s.xform[5] - hy, s.xform[4] + hx, s.xform[5] + hy, view);
}
} // namespace

bool CanvasGLBackend::QueueClearInstead(const CanvasPaint* paint, CanvasComposite composite, const CanvasClip* scissor,
                                        const float* bounds, const CanvasFlatPath* paths, int npaths)
{
  const CanvasColor& c = paint->innerColor;
  // The path is the rectangle of its bounds: its (inset) fill is axis-aligned.
  const bool clears = npaths == 1 && paths[0].convex && paint->image == 0 && SameColor(c, paint->outerColor) &&
                      c.a == 1.f && Replaces(BlendForComposite(composite)) &&
                      IsAxisAlignedRectangle(paths[0].fill, paths[0].nfill) &&
                      Covers(bounds[0], bounds[1], bounds[2], bounds[3], view) && ScissorCovers(*scissor, view);
  if (!clears)
    return false;
  // What was queued before is covered: it need not be drawn.
  EmptyQueues();
  CanvasGLCall* call = NewCall();
  if (!call)
    return true;
  call->type = kCanvasGLClear;
  call->clearColor[0] = c.r;
  call->clearColor[1] = c.g;
  call->clearColor[2] = c.b;
  call->clearColor[3] = 1.f;
  return true;
}

} // namespace ifx::canvas
