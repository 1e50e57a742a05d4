// Drawable elements: "path" and the basic shapes become outlines, and each
// element with an outline becomes one shape with its paints and stroke.
#include <cmath>
#include <cstring>
#include <new>

#include "toolkit/svg/SVGParserState.h"

namespace ifx {
namespace igfx {
namespace svg {

namespace {
// Control distances of quarter ellipses and of rounded corners, as parts of the radius.
constexpr float kQuarterArc = 0.5522848f;
constexpr float kCornerPullIn = 0.44771522f;

float X(const SVGParser& p, const char* v) { return ToPixels(p, ParseLength(v), p.viewMinX, p.viewWidth); }
float Y(const SVGParser& p, const char* v) { return ToPixels(p, ParseLength(v), p.viewMinY, p.viewHeight); }
float W(const SVGParser& p, const char* v) { return ToPixels(p, ParseLength(v), 0.f, p.viewWidth); }
float H(const SVGParser& p, const char* v) { return ToPixels(p, ParseLength(v), 0.f, p.viewHeight); }

// The four quarters of an ellipse, closed.
void EllipseOutline(SVGParser& p, float cx, float cy, float rx, float ry)
{
  const float kx = rx * kQuarterArc, ky = ry * kQuarterArc;
  MoveTo(p, cx + rx, cy);
  CubicTo(p, cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry);
  CubicTo(p, cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy);
  CubicTo(p, cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry);
  CubicTo(p, cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy);
  FinishSubPath(p, true);
}

void ParseRect(SVGParser& p, const SVGAttr* attrs, int n)
{
  float x = 0.f, y = 0.f, w = 0.f, h = 0.f, rx = -1.f, ry = -1.f;
  for (int i = 0; i < n; ++i)
  {
    const char* name = attrs[i].name;
    const char* v = attrs[i].value;
    if (ApplyPresentationAttribute(p, name, v))
      continue;
    if (Is(name, "x"))
      x = X(p, v);
    else if (Is(name, "y"))
      y = Y(p, v);
    else if (Is(name, "width"))
      w = W(p, v);
    else if (Is(name, "height"))
      h = H(p, v);
    else if (Is(name, "rx"))
      rx = std::fabs(W(p, v));
    else if (Is(name, "ry"))
      ry = std::fabs(H(p, v));
  }
  // A missing radius takes the other's value.
  if (rx < 0.f && ry >= 0.f)
    rx = ry;
  if (ry < 0.f && rx >= 0.f)
    ry = rx;
  if (rx < 0.f)
    rx = 0.f;
  if (ry < 0.f)
    ry = 0.f;
  if (rx > w / 2.f)
    rx = w / 2.f;
  if (ry > h / 2.f)
    ry = h / 2.f;
  if (w == 0.f || h == 0.f)
    return;
  if (rx < 1e-5f || ry < 1e-4f)
  {
    MoveTo(p, x, y);
    LineTo(p, x + w, y);
    LineTo(p, x + w, y + h);
    LineTo(p, x, y + h);
  }
  else
  {
    const float kx = rx * kCornerPullIn, ky = ry * kCornerPullIn;
    MoveTo(p, x + rx, y);
    LineTo(p, x + w - rx, y);
    CubicTo(p, x + w - kx, y, x + w, y + ky, x + w, y + ry);
    LineTo(p, x + w, y + h - ry);
    CubicTo(p, x + w, y + h - ky, x + w - kx, y + h, x + w - rx, y + h);
    LineTo(p, x + rx, y + h);
    CubicTo(p, x + kx, y + h, x, y + h - ky, x, y + h - ry);
    LineTo(p, x, y + ry);
    CubicTo(p, x, y + ky, x + kx, y, x + rx, y);
  }
  FinishSubPath(p, true);
}

void ParseCircleOrEllipse(SVGParser& p, bool circle, const SVGAttr* attrs, int n)
{
  float cx = 0.f, cy = 0.f, rx = 0.f, ry = 0.f;
  for (int i = 0; i < n; ++i)
  {
    const char* name = attrs[i].name;
    const char* v = attrs[i].value;
    if (ApplyPresentationAttribute(p, name, v))
      continue;
    if (Is(name, "cx"))
      cx = X(p, v);
    else if (Is(name, "cy"))
      cy = Y(p, v);
    else if (circle && Is(name, "r"))
      rx = ry = std::fabs(ToPixels(p, ParseLength(v), 0.f, ViewDiagonal(p)));
    else if (!circle && Is(name, "rx"))
      rx = W(p, v);
    else if (!circle && Is(name, "ry"))
      ry = H(p, v);
  }
  if (rx > 0.f && ry > 0.f)
    EllipseOutline(p, cx, cy, rx, ry);
}

void ParseLine(SVGParser& p, const SVGAttr* attrs, int n)
{
  float x1 = 0.f, y1 = 0.f, x2 = 0.f, y2 = 0.f;
  for (int i = 0; i < n; ++i)
  {
    const char* name = attrs[i].name;
    const char* v = attrs[i].value;
    if (ApplyPresentationAttribute(p, name, v))
      continue;
    if (Is(name, "x1"))
      x1 = X(p, v);
    else if (Is(name, "y1"))
      y1 = Y(p, v);
    else if (Is(name, "x2"))
      x2 = X(p, v);
    else if (Is(name, "y2"))
      y2 = Y(p, v);
  }
  MoveTo(p, x1, y1);
  LineTo(p, x2, y2);
  FinishSubPath(p, false);
}

void ParsePoly(SVGParser& p, bool closed, const SVGAttr* attrs, int n)
{
  for (int i = 0; i < n; ++i)
  {
    const char* name = attrs[i].name;
    const char* s = attrs[i].value;
    if (ApplyPresentationAttribute(p, name, s) || !Is(name, "points"))
      continue;
    float xy[2];
    int have = 0, pairs = 0;
    while (*s)
    {
      if (!IsNumberStart(*s))
      {
        ++s;
        continue;
      }
      s = ScanNumber(s, xy[have++]);
      if (have < 2)
        continue;
      have = 0;
      if (pairs++ == 0)
        MoveTo(p, xy[0], xy[1]);
      else
        LineTo(p, xy[0], xy[1]);
    }
  }
  FinishSubPath(p, closed);
}

void ParsePathElement(SVGParser& p, const SVGAttr* attrs, int n)
{
  // The outline is read last, once the element's transform is known.
  const char* d = nullptr;
  for (int i = 0; i < n; ++i)
    if (!ApplyPresentationAttribute(p, attrs[i].name, attrs[i].value) && Is(attrs[i].name, "d"))
      d = attrs[i].value;
  if (d)
    ParsePathData(p, d);
}

void MakePaint(SVGParser& p, const SVGShape& shape, uint8_t kind, uint32_t color, float opacity, const char* gradient,
               SVGPaint& paint)
{
  paint.type = kSVGPaintNone;
  if (kind == kPaintColor)
  {
    paint.type = kSVGPaintColor;
    paint.color = (color & 0xFFFFFFu) | (static_cast<uint32_t>(opacity * 255.f) << 24);
  }
  else if (kind == kPaintGradient && !ResolveGradient(p, shape, gradient, paint))
  {
    paint.type = kSVGPaintNone;
  }
}

// The element's outlines become one shape at the end of the image's list.
void CreateShape(SVGParser& p)
{
  if (!p.paths)
    return;
  auto* shape = new (std::nothrow) SVGShape();
  if (!shape)
  {
    DeletePaths(p.paths);
    p.paths = nullptr;
    return;
  }
  const SVGAttributes& a = p.Top();
  const float scale = XformAverageScale(a.xform);
  std::memcpy(shape->id, a.id, sizeof(shape->id));
  shape->opacity = a.opacity;
  shape->strokeWidth = a.strokeWidth * scale;
  shape->strokeDashOffset = a.strokeDashOffset * scale;
  shape->strokeDashCount = a.strokeDashCount;
  for (int i = 0; i < a.strokeDashCount; ++i)
    shape->strokeDashArray[i] = a.strokeDashArray[i] * scale;
  shape->strokeLineJoin = a.strokeLineJoin;
  shape->strokeLineCap = a.strokeLineCap;
  shape->miterLimit = a.miterLimit;
  shape->fillRule = a.fillRule;
  shape->visible = a.visible;
  shape->paths = p.paths;
  p.paths = nullptr;
  std::memcpy(shape->bounds, shape->paths->bounds, sizeof(shape->bounds));
  for (const SVGPath* path = shape->paths->next; path; path = path->next)
    UnionBounds(shape->bounds, path->bounds);
  MakePaint(p, *shape, a.fillKind, a.fillColor, a.fillOpacity, a.fillGradient, shape->fill);
  MakePaint(p, *shape, a.strokeKind, a.strokeColor, a.strokeOpacity, a.strokeGradient, shape->stroke);

  if (p.lastShape)
    p.lastShape->next = shape;
  else
    p.image->shapes = shape;
  p.lastShape = shape;
}
} // namespace

bool ParseShapeElement(SVGParser& p, const char* name, const SVGAttr* attrs, int nattrs)
{
  using Outline = void (*)(SVGParser&, const SVGAttr*, int);
  struct Element
  {
    const char* name;
    Outline outline;
  };
  static constexpr Element kElements[] = {
    {"path", ParsePathElement},
    {"rect", ParseRect},
    {"circle", [](SVGParser& p, const SVGAttr* a, int n) { ParseCircleOrEllipse(p, true, a, n); }},
    {"ellipse", [](SVGParser& p, const SVGAttr* a, int n) { ParseCircleOrEllipse(p, false, a, n); }},
    {"line", ParseLine},
    {"polyline", [](SVGParser& p, const SVGAttr* a, int n) { ParsePoly(p, false, a, n); }},
    {"polygon", [](SVGParser& p, const SVGAttr* a, int n) { ParsePoly(p, true, a, n); }},
  };
  for (const Element& e : kElements)
    if (Is(name, e.name))
    {
      // The element's attributes last only as long as the element.
      PushAttributes(p);
      e.outline(p, attrs, nattrs);
      CreateShape(p);
      p.npts = 0;
      PopAttributes(p);
      return true;
    }
  return false;
}

} // namespace svg
} // namespace igfx
} // namespace ifx
