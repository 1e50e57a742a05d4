#include "renderer/CanvasPaint.h"

#include <algorithm>
#include <limits>

#include "base/GradientDirection.h"
#include "renderer/CanvasTransform.h"

namespace ifx::canvas {

namespace {
CanvasPaint BlankPaint()
{
  CanvasPaint p{};
  CanvasTransformIdentity(p.xform);
  p.feather = 1.f;
  return p;
}
} // namespace

CanvasColor CanvasRGBAf(float r, float g, float b, float a)
{
  CanvasColor c;
  c.r = r;
  c.g = g;
  c.b = b;
  c.a = a;
  return c;
}

CanvasPaint CanvasColorPaint(CanvasColor color)
{
  CanvasPaint p = BlankPaint();
  p.innerColor = color;
  p.outerColor = color;
  return p;
}

CanvasPaint CanvasLinearGradient(float sx, float sy, float ex, float ey, CanvasColor inner, CanvasColor outer)
{
  // Points that give no direction paint the end colour all over.
  GradientDirection dir;
  if (!FindGradientDirection(sx, sy, ex, ey, dir))
    return CanvasColorPaint(outer);

  // A very long box whose edge lies on the start point: the feather spans the
  // distance between the two points. Across the gradient it spans the float
  // range, so that no point of the plane lies beside the box however far from
  // the start it is (a start far along its own line is the same gradient).
  const float large = 1e5f;
  CanvasPaint p = BlankPaint();
  const float dx = dir.x, dy = dir.y, d = dir.length;
  p.xform[0] = dy;
  p.xform[1] = -dx;
  p.xform[2] = dx;
  p.xform[3] = dy;
  p.xform[4] = sx - dx * large;
  p.xform[5] = sy - dy * large;
  p.extent[0] = std::numeric_limits<float>::max();
  p.extent[1] = large + d * 0.5f;
  p.radius = 0.f;
  p.feather = std::max(1.f, d);
  p.innerColor = inner;
  p.outerColor = outer;
  return p;
}

CanvasPaint CanvasRadialGradient(float cx, float cy, float innerRadius, float outerRadius, CanvasColor inner,
                                 CanvasColor outer)
{
  const float r = (innerRadius + outerRadius) * 0.5f;
  CanvasPaint p = BlankPaint();
  p.xform[4] = cx;
  p.xform[5] = cy;
  p.extent[0] = r;
  p.extent[1] = r;
  p.radius = r;
  p.feather = std::max(1.f, outerRadius - innerRadius);
  p.innerColor = inner;
  p.outerColor = outer;
  return p;
}

CanvasPaint CanvasBoxGradient(float x, float y, float w, float h, float radius, float feather, CanvasColor inner,
                              CanvasColor outer)
{
  CanvasPaint p = BlankPaint();
  p.xform[4] = x + w * 0.5f;
  p.xform[5] = y + h * 0.5f;
  p.extent[0] = w * 0.5f;
  p.extent[1] = h * 0.5f;
  p.radius = radius;
  p.feather = std::max(1.f, feather);
  p.innerColor = inner;
  p.outerColor = outer;
  return p;
}

CanvasPaint CanvasImagePattern(float ox, float oy, float ew, float eh, float angle, int image, float alpha)
{
  CanvasPaint p = BlankPaint();
  CanvasTransformRotate(p.xform, angle);
  p.xform[4] = ox;
  p.xform[5] = oy;
  p.extent[0] = ew;
  p.extent[1] = eh;
  p.radius = 0.f;
  p.feather = 0.f;
  p.innerColor = CanvasRGBAf(1.f, 1.f, 1.f, alpha);
  p.outerColor = p.innerColor;
  p.image = image;
  return p;
}

CanvasComposite CanvasCompositeForOperation(int op)
{
  int src = kCanvasOne, dst = kCanvasZero;
  switch (op)
  {
    case kCanvasSourceOver:
      src = kCanvasOne;
      dst = kCanvasOneMinusSrcAlpha;
      break;
    case kCanvasSourceIn:
      src = kCanvasDstAlpha;
      dst = kCanvasZero;
      break;
    case kCanvasSourceOut:
      src = kCanvasOneMinusDstAlpha;
      dst = kCanvasZero;
      break;
    case kCanvasAtop:
      src = kCanvasDstAlpha;
      dst = kCanvasOneMinusSrcAlpha;
      break;
    case kCanvasDestinationOver:
      src = kCanvasOneMinusDstAlpha;
      dst = kCanvasOne;
      break;
    case kCanvasDestinationIn:
      src = kCanvasZero;
      dst = kCanvasSrcAlpha;
      break;
    case kCanvasDestinationOut:
      src = kCanvasZero;
      dst = kCanvasOneMinusSrcAlpha;
      break;
    case kCanvasDestinationAtop:
      src = kCanvasOneMinusDstAlpha;
      dst = kCanvasSrcAlpha;
      break;
    case kCanvasLighter:
      src = kCanvasOne;
      dst = kCanvasOne;
      break;
    case kCanvasXor:
      src = kCanvasOneMinusDstAlpha;
      dst = kCanvasOneMinusSrcAlpha;
      break;
    default: break; // copy
  }
  return CanvasCompositeForFactors(src, dst);
}

CanvasComposite CanvasCompositeForFactors(int srcFactor, int dstFactor)
{
  CanvasComposite c;
  c.srcRGB = srcFactor;
  c.dstRGB = dstFactor;
  c.srcAlpha = srcFactor;
  c.dstAlpha = dstFactor;
  return c;
}

} // namespace ifx::canvas
