// Drawing parsed SVG documents: paths, per-sub-path windings and paints.
#include "toolkit/IGfx.h"

#include <algorithm>
#include <cmath>

#include "toolkit/svg/SVGImage.h"

namespace ifx {
namespace igfx {

namespace {
bool RayCrossesSegment(float p0x, float p0y, float dx, float dy, float q0x, float q0y, float q1x, float q1y)
{
  const float ex = q1x - q0x, ey = q1y - q0y;
  const float c = ey * dx - ex * dy;
  if (std::fabs(c) < 1e-8f)
    return false;
  const float wx = q0x - p0x, wy = q0y - p0y;
  // p0 + u*d = q0 + t*e
  const float u = (wx * ey - wy * ex) / c;
  const float t = (wx * dy - wy * dx) / c;
  return t >= 0.f && t < 1.f && u >= 0.f;
}

// Holes are the sub-paths whose ray towards the outside crosses the other
// sub-paths' outlines an odd number of times.
bool IsHole(const SVGShape& shape, const SVGPath& path)
{
  if (path.npts < 1 || !path.pts)
    return false;
  const float p0x = path.pts[0], p0y = path.pts[1];
  const float dx = (path.bounds[0] - 1.f) - p0x;
  const float dy = (path.bounds[1] - 1.f) - p0y;
  int crossings = 0;
  for (const SVGPath* other = shape.paths; other; other = other->next)
  {
    if (other == &path || other->npts < 4 || !other->pts)
      continue;
    int prev = 0;
    for (int i = 3; i < other->npts; i += 3)
    {
      crossings += RayCrossesSegment(p0x, p0y, dx, dy, other->pts[prev * 2], other->pts[prev * 2 + 1],
                                     other->pts[i * 2], other->pts[i * 2 + 1]);
      prev = i;
    }
    crossings +=
      RayCrossesSegment(p0x, p0y, dx, dy, other->pts[prev * 2], other->pts[prev * 2 + 1], other->pts[0], other->pts[1]);
  }
  return (crossings & 1) != 0;
}

IRgba SvgColor(uint32_t color, int alpha)
{
  return IRgba(alpha, static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
               static_cast<int>((color >> 16) & 0xFF));
}
} // namespace

IPaintPattern IGfx::SVGPaintToPattern(const SVGPaint& paint, float opacity)
{
  long a = std::lround(static_cast<double>(opacity) * 255.0);
  if (!std::isfinite(opacity))
    a = 255;
  const int alpha = static_cast<int>(std::clamp<long>(a, 0, 255));

  if (paint.type == kSVGPaintColor)
    return IPaintPattern(SvgColor(paint.color, alpha));

  if ((paint.type == kSVGPaintLinear || paint.type == kSVGPaintRadial) && paint.gradient)
  {
    const SVGGradient& g = *paint.gradient;
    IPaintPattern pattern(paint.type == kSVGPaintLinear ? kPatternLinear : kPatternRadial);
    switch (g.spread)
    {
      case kSVGSpreadReflect: pattern.extend = kExtendReflect; break;
      case kSVGSpreadRepeat: pattern.extend = kExtendRepeat; break;
      default: pattern.extend = kExtendPad; break;
    }
    const int n = g.stops ? std::min(g.nstops, IPaintPattern::kMaxStops) : 0;
    for (int i = 0; i < n; ++i)
      pattern.AddStop(SvgColor(g.stops[i].color, 255), g.stops[i].offset);
    pattern.transform = ITransform2D(g.xform[0], g.xform[1], g.xform[2], g.xform[3], g.xform[4], g.xform[5]);
    // End points that coincide, or a zero radius, left the transform without
    // an inverse: such a gradient is its last stop.
    return pattern.SolidWhenDegenerate();
  }

  return IPaintPattern(IRgba(alpha, 0, 0, 0));
}

void IGfx::RenderSVG(const ISvgDocument& svg, const IBlendMode* blend, const IRgba* strokeColor, const IRgba* fillColor)
{
  const SVGImage* image = svg.GetImage();
  if (!image)
    return;
  for (const SVGShape* shape = image->shapes; shape; shape = shape->next)
  {
    if (!shape->visible)
      continue;

    PathClear();
    for (const SVGPath* path = shape->paths; path; path = path->next)
    {
      if (path->npts < 1 || !path->pts)
        continue;
      PathMoveTo(path->pts[0], path->pts[1]);
      // Only whole cubic segments; a truncated point list is not read past its end.
      for (int i = 1; i + 2 < path->npts; i += 3)
      {
        const float* p = &path->pts[i * 2];
        PathCubicBezierTo(p[0], p[1], p[2], p[3], p[4], p[5]);
      }
      if (path->closed)
        PathClose();
      SetPathWinding(IsHole(*shape, *path));
    }

    const bool hasStroke = shape->stroke.type != kSVGPaintNone;
    if (shape->fill.type != kSVGPaintNone)
    {
      IFillSettings fill;
      fill.rule = kFillPreserveWinding;
      fill.preserve = hasStroke;
      PathFill(fillColor ? IPaintPattern(*fillColor) : SVGPaintToPattern(shape->fill, shape->opacity), fill, blend);
    }
    if (hasStroke)
    {
      IStrokeSettings stroke;
      stroke.miterLimit = shape->miterLimit;
      stroke.cap = shape->strokeLineCap;
      stroke.join = shape->strokeLineJoin;
      stroke.SetDash(shape->strokeDashArray, shape->strokeDashOffset, shape->strokeDashCount);
      PathStroke(strokeColor ? IPaintPattern(*strokeColor) : SVGPaintToPattern(shape->stroke, shape->opacity),
                 shape->strokeWidth, stroke, blend);
    }
  }
}

void IGfx::DrawSVG(const ISvgDocument& svg, const IRECT& bounds, const IBlendMode* blend, const IRgba* strokeColor,
                   const IRgba* fillColor)
{
  // Nothing to scale from without a sized document.
  if (!svg.IsValid())
    return;
  const float scale = std::min(bounds.W() / svg.W(), bounds.H() / svg.H());
  // Bounds beyond float range, or a document too small to scale up to them,
  // would hand the back end a transform that is no number.
  if (!std::isfinite(scale) || !std::isfinite(bounds.L) || !std::isfinite(bounds.T))
    return;
  SavePathTransform();
  PathTransformTranslate(bounds.L, bounds.T);
  PathTransformScale(scale, scale);
  RenderSVG(svg, blend, strokeColor, fillColor);
  RestorePathTransform();
}

void IGfx::DrawRotatedSVG(const ISvgDocument& svg, float destCentreX, float destCentreY, float width, float height,
                          double angle, const IBlendMode* blend)
{
  if (!svg.IsValid())
    return;
  SavePathTransform();
  PathTransformTranslate(destCentreX, destCentreY);
  PathTransformRotate(static_cast<float>(angle));
  DrawSVG(svg, IRECT(-width / 2.f, -height / 2.f, width / 2.f, height / 2.f), blend, nullptr, nullptr);
  RestorePathTransform();
}

} // namespace igfx
} // namespace ifx
