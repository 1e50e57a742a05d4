#include "drawing/CanvasPaintConversion.h"

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

  // The pattern maps user space to gradient space; the paint needs the way
  // back. A transform without one gives the gradient no direction or size:
  // it paints its last stop.
  if (pattern.kind == kPatternRadial)
  {
    ITransform2D inv;
    if (!pattern.transform.Inverse(inv))
      return CanvasColorPaint(outer);
    const float outerRadius = static_cast<float>(inv.xx);
    return CanvasRadialGradient(static_cast<float>(inv.tx), static_cast<float>(inv.ty), first.offset * outerRadius,
                                outerRadius, inner, outer);
  }
  float sx = 0.f, sy = 0.f, ex = 0.f, ey = 0.f;
  if (!pattern.AxisEndPoints(sx, sy, ex, ey))
    return CanvasColorPaint(outer);
  return CanvasLinearGradient(sx, sy, ex, ey, inner, outer);
}

} // namespace igfx
} // namespace ifx
