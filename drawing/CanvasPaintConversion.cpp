#include "drawing/CanvasPaintConversion.h"

#include <cmath>

#include "renderer/CanvasContext.h"
#include "renderer/CanvasPaint.h"

using namespace ifx::canvas;

namespace ifx {
namespace igfx {

namespace {
// The toolkit's blend methods past the renderer's first eight operations.
constexpr int32_t kBlendAlphaProduct = 8;
constexpr int32_t kBlendXor = 9;
} // namespace

void ApplyBlendToCanvas(CanvasContext* canvas, const IBlendMode* blend)
{
  if (!canvas)
    return;
  if (!blend)
  {
    canvas->SetCompositeOperation(kCanvasSourceOver);
    return;
  }
  const int32_t method = blend->method;
  if (method >= kCanvasSourceOver && method <= kCanvasDestinationAtop)
    canvas->SetCompositeOperation(method);
  else if (method == kBlendAlphaProduct)
  {
    CanvasComposite c;
    c.srcRGB = kCanvasSrcAlpha;
    c.dstRGB = kCanvasDstAlpha;
    c.srcAlpha = kCanvasSrcAlpha;
    c.dstAlpha = kCanvasDstAlpha;
    canvas->State().composite = c;
  }
  else if (method == kBlendXor)
    canvas->SetCompositeOperation(kCanvasXor);
}

CanvasColor CanvasColorOf(const IRgba& color, const IBlendMode* blend)
{
  return CanvasRGBAf(static_cast<float>(color.R) / 255.f, static_cast<float>(color.G) / 255.f,
                     static_cast<float>(color.B) / 255.f, static_cast<float>(color.A) * BlendWeight(blend) / 255.f);
}

CanvasPaint MakeCanvasPaint(const IPaintPattern& pattern, const IBlendMode* blend)
{
  const IColorStop& first = pattern.stops[0];
  const IColorStop& last = pattern.stops[pattern.nStops > 1 ? pattern.nStops - 1 : 0];
  const CanvasColor inner = CanvasColorOf(first.color, blend);
  const CanvasColor outer = CanvasColorOf(last.color, blend);

  // The pattern maps user space to gradient space; the paint needs the way back.
  const ITransform2D& m = pattern.transform;
  const double d = m.xx * m.yy - m.xy * m.yx;
  ITransform2D inv;
  if (d != 0.0 && std::isfinite(d))
  {
    inv.xx = m.yy / d;
    inv.xy = -m.xy / d;
    inv.yx = -m.yx / d;
    inv.yy = m.xx / d;
    inv.tx = (m.xy * m.ty - m.yy * m.tx) / d;
    inv.ty = (m.yx * m.tx - m.xx * m.ty) / d;
  }
  const float sx = static_cast<float>(inv.tx), sy = static_cast<float>(inv.ty);
  if (pattern.kind == kPatternRadial)
  {
    const float outerRadius = static_cast<float>(inv.xx);
    return CanvasRadialGradient(sx, sy, first.offset * outerRadius, outerRadius, inner, outer);
  }
  const float ex = static_cast<float>(inv.xy + inv.tx), ey = static_cast<float>(inv.yy + inv.ty);
  return CanvasLinearGradient(sx, sy, ex, ey, inner, outer);
}

} // namespace igfx
} // namespace ifx
