// Gradient definitions, their stops, and a shape's gradient paint resolved
// against its reference box.
#include <cmath>
#include <cstring>
#include <new>

#include "toolkit/svg/SVGParserState.h"

namespace ifx {
namespace igfx {
namespace svg {

namespace {
// How many "xlink:href" references are followed looking for stops; a longer
// chain counts as a loop.
constexpr int kMaxReferenceHops = 32;

SVGGradientDef* FindGradient(SVGGradientDef* list, const char* id)
{
  for (SVGGradientDef* def = list; def; def = def->next)
    if (Is(def->id, id))
      return def;
  return nullptr;
}

const SVGGradientDef* FindStops(SVGGradientDef* list, const SVGGradientDef* def)
{
  for (int hop = 0; def && hop <= kMaxReferenceHops; ++hop)
  {
    if (def->nstops > 0)
      return def;
    if (!def->ref[0])
      return nullptr;
    def = FindGradient(list, def->ref);
  }
  return nullptr;
}

bool InsertStop(SVGGradientDef& def, SVGGradientStop stop)
{
  if (def.nstops == def.capacity)
  {
    const int capacity = GrowCapacity(def.capacity, def.nstops + 1, kMaxGradientStops);
    auto* stops = capacity ? new (std::nothrow) SVGGradientStop[static_cast<size_t>(capacity)] : nullptr;
    if (!stops)
      return false;
    for (int i = 0; i < def.nstops; ++i)
      stops[i] = def.stops[i];
    delete[] def.stops;
    def.stops = stops;
    def.capacity = capacity;
  }
  // Before the first greater offset: equal offsets keep document order.
  int at = 0;
  while (at < def.nstops && def.stops[at].offset <= stop.offset)
    ++at;
  for (int i = def.nstops; i > at; --i)
    def.stops[i] = def.stops[i - 1];
  def.stops[at] = stop;
  ++def.nstops;
  return true;
}

// The shape's bounds before its own transform: its paths mapped back.
void UntransformedBounds(const SVGShape& shape, const float xform[6], float bounds[4])
{
  float inverse[6];
  if (!XformInverse(inverse, xform))
  {
    std::memcpy(bounds, shape.bounds, 4 * sizeof(float));
    return;
  }
  for (const SVGPath* path = shape.paths; path; path = path->next)
  {
    float b[4];
    PathBounds(path->pts, path->npts, inverse, b);
    if (path == shape.paths)
      std::memcpy(bounds, b, sizeof(b));
    else
      UnionBounds(bounds, b);
  }
}
} // namespace

void ParseGradientElement(SVGParser& p, uint8_t kind, const SVGAttr* attrs, int nattrs)
{
  p.openGradient = nullptr;
  auto* def = new (std::nothrow) SVGGradientDef();
  if (!def)
    return;
  def->kind = kind;
  for (int i = 0; i < nattrs; ++i)
  {
    const char* name = attrs[i].name;
    const char* v = attrs[i].value;
    if (Is(name, "id"))
      CopyText(def->id, sizeof(def->id), v);
    else if (ApplyPresentationAttribute(p, name, v))
      continue;
    else if (Is(name, "gradientUnits"))
      def->userSpace = !Is(v, "objectBoundingBox");
    else if (Is(name, "gradientTransform"))
      ParseTransformList(def->xform, v);
    else if (Is(name, "cx"))
      def->cx = ParseLength(v);
    else if (Is(name, "cy"))
      def->cy = ParseLength(v);
    else if (Is(name, "r"))
      def->r = ParseLength(v);
    else if (Is(name, "fx"))
      def->fx = ParseLength(v);
    else if (Is(name, "fy"))
      def->fy = ParseLength(v);
    else if (Is(name, "x1"))
      def->x1 = ParseLength(v);
    else if (Is(name, "y1"))
      def->y1 = ParseLength(v);
    else if (Is(name, "x2"))
      def->x2 = ParseLength(v);
    else if (Is(name, "y2"))
      def->y2 = ParseLength(v);
    else if (Is(name, "spreadMethod"))
      def->spread = Is(v, "reflect") ? kSVGSpreadReflect : (Is(v, "repeat") ? kSVGSpreadRepeat : kSVGSpreadPad);
    else if (Is(name, "xlink:href") && v[0])
      CopyText(def->ref, 63, v + 1);
  }
  def->next = p.gradients;
  p.gradients = def;
  p.openGradient = def;
}

void ParseStopElement(SVGParser& p, const SVGAttr* attrs, int nattrs)
{
  // A stop belongs to the gradient element around it; others are ignored.
  if (!p.openGradient)
    return;
  SVGAttributes& a = p.Top();
  a.stopColor = 0;
  a.stopOpacity = 1.f;
  a.stopOffset = 0.f;
  for (int i = 0; i < nattrs; ++i)
    ApplyPresentationAttribute(p, attrs[i].name, attrs[i].value);
  SVGGradientStop stop;
  stop.color = (a.stopColor & 0xFFFFFFu) | (static_cast<uint32_t>(a.stopOpacity * 255.f) << 24);
  stop.offset = a.stopOffset;
  InsertStop(*p.openGradient, stop);
}

bool ResolveGradient(SVGParser& p, const SVGShape& shape, const char* id, SVGPaint& paint)
{
  // Only gradients defined earlier in the document are found.
  const SVGGradientDef* def = FindGradient(p.gradients, id);
  const SVGGradientDef* withStops = def ? FindStops(p.gradients, def) : nullptr;
  if (!withStops)
    return false;

  const float* attrXform = p.Top().xform;
  float ox, oy, sw, sh;
  if (def->userSpace)
  {
    ox = p.viewMinX;
    oy = p.viewMinY;
    sw = p.viewWidth;
    sh = p.viewHeight;
  }
  else
  {
    float b[4] = {};
    UntransformedBounds(shape, attrXform, b);
    ox = b[0];
    oy = b[1];
    sw = b[2] - b[0];
    sh = b[3] - b[1];
  }
  const float diagonal = std::sqrt(sw * sw + sh * sh) / 1.4142135f;

  auto* grad = new (std::nothrow) SVGGradient();
  auto* stops = new (std::nothrow) SVGGradientStop[static_cast<size_t>(withStops->nstops)];
  if (!grad || !stops)
  {
    delete grad;
    delete[] stops;
    return false;
  }
  // The unit transform maps gradient space (0..1) onto the box.
  if (def->kind == kSVGPaintLinear)
  {
    const float x1 = ToPixels(p, def->x1, ox, sw), y1 = ToPixels(p, def->y1, oy, sh);
    const float x2 = ToPixels(p, def->x2, ox, sw), y2 = ToPixels(p, def->y2, oy, sh);
    const float dx = x2 - x1, dy = y2 - y1;
    const float unit[6] = {dy, -dx, dx, dy, x1, y1};
    std::memcpy(grad->xform, unit, sizeof(unit));
  }
  else
  {
    const float r = ToPixels(p, def->r, 0.f, diagonal);
    const float cx = ToPixels(p, def->cx, ox, sw), cy = ToPixels(p, def->cy, oy, sh);
    const float fx = ToPixels(p, def->fx, ox, sw), fy = ToPixels(p, def->fy, oy, sh);
    const float unit[6] = {r, 0.f, 0.f, r, cx, cy};
    std::memcpy(grad->xform, unit, sizeof(unit));
    // A zero radius has no focal point to speak of.
    const bool hasRadius = r != 0.f && std::isfinite(fx / r) && std::isfinite(fy / r);
    grad->fx = hasRadius ? fx / r : 0.f;
    grad->fy = hasRadius ? fy / r : 0.f;
  }
  XformApplyAfter(grad->xform, def->xform);
  XformApplyAfter(grad->xform, attrXform);
  grad->spread = def->spread;
  for (int i = 0; i < withStops->nstops; ++i)
    stops[i] = withStops->stops[i];
  grad->stops = stops;
  grad->nstops = withStops->nstops;
  paint.type = def->kind;
  paint.gradient = grad;
  return true;
}

void DeleteGradientDefs(SVGGradientDef* def)
{
  while (def)
  {
    SVGGradientDef* next = def->next;
    delete def;
    def = next;
  }
}

} // namespace svg
} // namespace igfx
} // namespace ifx
