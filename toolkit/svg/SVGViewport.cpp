// The root element's size, view box and aspect ratio, and the final mapping
// of the view box onto the image size in the requested units.
#include <cfloat>
#include <cmath>
#include <cstring>

#include "toolkit/svg/SVGParserState.h"

namespace ifx {
namespace igfx {
namespace svg {

namespace {
// Width and height of the root: a percentage has nothing to refer to.
float RootSize(const SVGParser& p, const char* v)
{
  const SVGLength length = ParseLength(v);
  return length.units == kUnitPercent ? 0.f : ToPixels(p, length, 0.f, 0.f);
}

void ParseViewBox(SVGParser& p, const char* s)
{
  float* fields[4] = {&p.viewMinX, &p.viewMinY, &p.viewWidth, &p.viewHeight};
  for (float* field : fields)
  {
    while (IsSpace(*s) || *s == ',' || *s == '%')
      ++s;
    if (!*s)
      break;
    s = ScanNumber(s, *field);
  }
}

void ParseAspectRatio(SVGParser& p, const char* v)
{
  // Without "meet" or "slice" given, x and y scale independently.
  if (std::strstr(v, "none"))
  {
    p.alignType = kAlignNone;
    return;
  }
  static constexpr const char* kX[] = {"xMin", "xMid", "xMax"};
  // The y alignments are spelt with a capital Y ("xMidYMid").
  static constexpr const char* kY[] = {"YMin", "YMid", "YMax"};
  for (uint8_t i = 0; i < 3; ++i)
  {
    if (std::strstr(v, kX[i]))
      p.alignX = i;
    if (std::strstr(v, kY[i]))
      p.alignY = i;
  }
  p.alignType = std::strstr(v, "slice") ? kAlignSlice : kAlignMeet;
}

// Units of the result by exact name; anything else is user units.
uint8_t ResultUnits(const char* units)
{
  if (!units)
    return kUnitUser;
  const uint8_t u = ParseUnits(units);
  if (u == kUnitUser || units[u == kUnitPercent ? 1 : 2] != '\0')
    return kUnitUser;
  return u;
}

// A view box side of 0: the image's side, else what the drawing covers.
void FillViewSide(float& viewMin, float& viewSize, float imageSize, float boundsMin, float boundsMax)
{
  if (viewSize != 0.f)
    return;
  if (imageSize > 0.f)
  {
    viewSize = imageSize;
    return;
  }
  viewMin = boundsMin;
  viewSize = boundsMax - boundsMin;
  // A drawing wider than float range gets the widest size there is; what it
  // cannot map then is dropped.
  if (!std::isfinite(viewSize))
    viewSize = FLT_MAX;
}

struct Mapping
{
  float tx, ty, sx, sy;
  void Apply(float& x, float& y) const
  {
    x = (x + tx) * sx;
    y = (y + ty) * sy;
  }
};

void MapGradient(SVGPaint& paint, const Mapping& m)
{
  if ((paint.type != kSVGPaintLinear && paint.type != kSVGPaintRadial) || !paint.gradient)
    return;
  float* xform = paint.gradient->xform;
  const float translate[6] = {1.f, 0.f, 0.f, 1.f, m.tx, m.ty};
  const float scale[6] = {m.sx, 0.f, 0.f, m.sy, 0.f, 0.f};
  XformApplyAfter(xform, translate);
  XformApplyAfter(xform, scale);
  // Drawing needs image space to gradient space; a singular one stays as it is.
  XformInverse(xform, xform);
}

bool PaintIsFinite(const SVGPaint& paint)
{
  const SVGGradient* g = paint.gradient;
  return !g || (AllFinite(g->xform, 6) && std::isfinite(g->fx) && std::isfinite(g->fy));
}

bool ShapeIsFinite(const SVGShape& shape)
{
  return shape.paths && AllFinite(shape.bounds, 4) && std::isfinite(shape.strokeWidth) &&
         std::isfinite(shape.strokeDashOffset) && AllFinite(shape.strokeDashArray, shape.strokeDashCount) &&
         PaintIsFinite(shape.fill) && PaintIsFinite(shape.stroke);
}

// Paths that the mapping took beyond float range are dropped, and so are
// shapes left without a path or whose stroke or paint went beyond it.
void DropUnrepresentable(SVGImage& image)
{
  for (SVGShape** shapeLink = &image.shapes; *shapeLink;)
  {
    SVGShape* shape = *shapeLink;
    bool dropped = false;
    for (SVGPath** pathLink = &shape->paths; *pathLink;)
    {
      SVGPath* path = *pathLink;
      if (AllFinite(path->pts, path->npts * 2) && AllFinite(path->bounds, 4))
      {
        pathLink = &path->next;
        continue;
      }
      *pathLink = path->next;
      path->next = nullptr;
      DeletePaths(path);
      dropped = true;
    }
    if (dropped && shape->paths)
    {
      std::memcpy(shape->bounds, shape->paths->bounds, sizeof(shape->bounds));
      for (const SVGPath* path = shape->paths->next; path; path = path->next)
        UnionBounds(shape->bounds, path->bounds);
    }
    if (ShapeIsFinite(*shape))
    {
      shapeLink = &shape->next;
      continue;
    }
    *shapeLink = shape->next;
    DeleteSVGShape(shape);
  }
}
} // namespace

void ParseRootAttributes(SVGParser& p, const SVGAttr* attrs, int nattrs)
{
  for (int i = 0; i < nattrs; ++i)
  {
    const char* name = attrs[i].name;
    const char* v = attrs[i].value;
    if (ApplyPresentationAttribute(p, name, v))
      continue;
    if (Is(name, "width"))
      p.image->width = RootSize(p, v);
    else if (Is(name, "height"))
      p.image->height = RootSize(p, v);
    else if (Is(name, "viewBox"))
      ParseViewBox(p, v);
    else if (Is(name, "preserveAspectRatio"))
      ParseAspectRatio(p, v);
  }
}

void ScaleToViewport(SVGParser& p, const char* units)
{
  SVGImage& image = *p.image;
  float bounds[4] = {};
  if (image.shapes)
  {
    std::memcpy(bounds, image.shapes->bounds, sizeof(bounds));
    for (const SVGShape* shape = image.shapes->next; shape; shape = shape->next)
      UnionBounds(bounds, shape->bounds);
  }
  FillViewSide(p.viewMinX, p.viewWidth, image.width, bounds[0], bounds[2]);
  FillViewSide(p.viewMinY, p.viewHeight, image.height, bounds[1], bounds[3]);
  if (image.width == 0.f)
    image.width = p.viewWidth;
  if (image.height == 0.f)
    image.height = p.viewHeight;

  Mapping m{-p.viewMinX, -p.viewMinY, 0.f, 0.f};
  if (p.viewWidth > 0.f)
    m.sx = image.width / p.viewWidth;
  if (p.viewHeight > 0.f)
    m.sy = image.height / p.viewHeight;
  if (p.alignType != kAlignNone)
  {
    const float s = p.alignType == kAlignMeet ? std::fmin(m.sx, m.sy) : std::fmax(m.sx, m.sy);
    m.sx = m.sy = s;
    if (s > 0.f)
    {
      const float spareX = (image.width - p.viewWidth * s) / s;
      const float spareY = (image.height - p.viewHeight * s) / s;
      m.tx += p.alignX == 2 ? spareX : (p.alignX == 1 ? spareX * 0.5f : 0.f);
      m.ty += p.alignY == 2 ? spareY : (p.alignY == 1 ? spareY * 0.5f : 0.f);
    }
  }
  // One unit of the result in pixels. Units of no positive size here (% with
  // nothing to refer to, em and ex at the root, physical units at dpi 0)
  // count as px rather than dividing by zero.
  const float unit = ToPixels(p, SVGLength{1.f, ResultUnits(units)}, 0.f, 0.f);
  const float us = unit > 0.f && std::isfinite(1.f / unit) ? 1.f / unit : 1.f;
  m.sx *= us;
  m.sy *= us;
  const float strokeScale = (m.sx + m.sy) * 0.5f;

  for (SVGShape* shape = image.shapes; shape; shape = shape->next)
  {
    m.Apply(shape->bounds[0], shape->bounds[1]);
    m.Apply(shape->bounds[2], shape->bounds[3]);
    for (SVGPath* path = shape->paths; path; path = path->next)
    {
      for (int i = 0; i < path->npts; ++i)
        m.Apply(path->pts[i * 2], path->pts[i * 2 + 1]);
      m.Apply(path->bounds[0], path->bounds[1]);
      m.Apply(path->bounds[2], path->bounds[3]);
    }
    MapGradient(shape->fill, m);
    MapGradient(shape->stroke, m);
    shape->strokeWidth *= strokeScale;
    shape->strokeDashOffset *= strokeScale;
    for (int i = 0; i < shape->strokeDashCount; ++i)
      shape->strokeDashArray[i] *= strokeScale;
  }
  DropUnrepresentable(image);
}

} // namespace svg
} // namespace igfx
} // namespace ifx
