// IGfxVG: path operations, fills and strokes, dashes, quick shadows, the
// clip region and the path transform, all on the renderer's current frame.
#include "drawing/IGfxVG.h"

#include <algorithm>
#include <cmath>

#include "drawing/CanvasPaintConversion.h"
#include "renderer/CanvasContext.h"
#include "renderer/CanvasPaint.h"

using namespace ifx::canvas;

namespace ifx {
namespace igfx {

namespace {
constexpr float kPi = 3.1415927f;
// Dashes finer than this many a line draw no differently; beyond it they
// would only cost memory.
constexpr int kMaxDashes = 8192;
// Clip edges are kept within this many units: an infinite edge becomes one
// far outside any window, the finite ones stay exact.
constexpr float kClipLimit = 1e5f;

float ToRadians(float degreesFromTwelve) { return (degreesFromTwelve - 90.f) / 180.f * kPi; }

bool DashUsable(float dashLen) { return dashLen > 0.f && std::isfinite(dashLen); }
} // namespace

void IGfxVG::PathClear()
{
  if (mCanvas)
    mCanvas->BeginPath();
}

void IGfxVG::PathClose()
{
  if (mCanvas)
    mCanvas->ClosePath();
}

void IGfxVG::PathArc(float cx, float cy, float r, float a1, float a2, EArcDirection dir)
{
  if (mCanvas)
    mCanvas->AddArc(cx, cy, r, ToRadians(a1), ToRadians(a2), dir == kArcClockwise ? kCanvasCW : kCanvasCCW);
}

void IGfxVG::PathMoveTo(float x, float y)
{
  if (mCanvas)
    mCanvas->MoveTo(x, y);
}

void IGfxVG::PathLineTo(float x, float y)
{
  if (mCanvas)
    mCanvas->LineTo(x, y);
}

void IGfxVG::SetPathWinding(bool clockwise)
{
  if (mCanvas)
    mCanvas->SetPathWinding(clockwise ? kCanvasCW : kCanvasCCW);
}

void IGfxVG::PathCubicBezierTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2)
{
  if (mCanvas)
    mCanvas->BezierTo(c1x, c1y, c2x, c2y, x2, y2);
}

void IGfxVG::PathQuadraticBezierTo(float cx, float cy, float x2, float y2)
{
  if (!mCanvas)
    return;
  // The cubic with the same curve: control points two thirds of the way
  // from each end to the quadratic's control point.
  const float k = 0.6666667f;
  const float x0 = mCanvas->lastX, y0 = mCanvas->lastY;
  mCanvas->BezierTo(x0 + k * (cx - x0), y0 + k * (cy - y0), x2 + k * (cx - x2), y2 + k * (cy - y2), x2, y2);
}

void IGfxVG::PathFill(const IPaintPattern& pattern, const IFillSettings& options, const IBlendMode* blend)
{
  if (!mCanvas)
    return;
  if (options.rule == kFillWinding)
    mCanvas->SetPathWinding(kCanvasCCW);
  else if (options.rule == kFillEvenOdd)
    mCanvas->SetPathWinding(kCanvasCW);
  if (pattern.kind == kPatternSolid)
    mCanvas->SetFillColor(CanvasColorOf(pattern.stops[0].color, blend));
  else
    mCanvas->SetFillPaint(MakeCanvasPaint(pattern, blend));
  ApplyBlendToCanvas(mCanvas, blend);
  mCanvas->FillPath();
  mCanvas->SetCompositeOperation(kCanvasSourceOver);
  if (!options.preserve)
    mCanvas->BeginPath();
}

void IGfxVG::PathStroke(const IPaintPattern& pattern, float thickness, const IStrokeSettings& options,
                        const IBlendMode* blend)
{
  if (!mCanvas)
    return;
  switch (options.cap)
  {
    case kCapButt: mCanvas->SetLineCap(kCanvasButt); break;
    case kCapRound: mCanvas->SetLineCap(kCanvasRound); break;
    case kCapSquare: mCanvas->SetLineCap(kCanvasSquare); break;
    default: break;
  }
  switch (options.join)
  {
    case kJoinMiter: mCanvas->SetLineJoin(kCanvasMiter); break;
    case kJoinRound: mCanvas->SetLineJoin(kCanvasRound); break;
    case kJoinBevel: mCanvas->SetLineJoin(kCanvasBevel); break;
    default: break;
  }
  mCanvas->SetMiterLimit(options.miterLimit);
  mCanvas->SetStrokeWidth(thickness);
  if (pattern.kind == kPatternSolid)
    mCanvas->SetStrokeColor(CanvasColorOf(pattern.stops[0].color, blend));
  else
    mCanvas->SetStrokePaint(MakeCanvasPaint(pattern, blend));
  mCanvas->SetPathWinding(kCanvasCCW);
  ApplyBlendToCanvas(mCanvas, blend);
  mCanvas->StrokePath();
  mCanvas->SetCompositeOperation(kCanvasSourceOver);
  if (!options.preserve)
    mCanvas->BeginPath();
}

void IGfxVG::SetPathTransform(const ITransform2D& m)
{
  if (!mCanvas)
    return;
  // A point is mapped by the matrix, moved by minus the layer's origin, then
  // scaled by the draw scale.
  mCanvas->ResetTransform();
  mCanvas->Scale(GetDrawScale(), GetDrawScale());
  if (IOffscreenLayer* top = TopLayer())
    mCanvas->Translate(-top->Bounds().L, -top->Bounds().T);
  mCanvas->MultiplyTransform(static_cast<float>(m.xx), static_cast<float>(m.yx), static_cast<float>(m.xy),
                             static_cast<float>(m.yy), static_cast<float>(m.tx), static_cast<float>(m.ty));
}

void IGfxVG::SetClipRegion(const IRECT& r)
{
  if (!mCanvas)
    return;
  if (r.HasNaN())
  {
    mCanvas->SetClipRect(0.f, 0.f, 0.f, 0.f);
    return;
  }
  const float l = std::clamp(r.L, -kClipLimit, kClipLimit), t = std::clamp(r.T, -kClipLimit, kClipLimit);
  const float rr = std::clamp(r.R, -kClipLimit, kClipLimit), b = std::clamp(r.B, -kClipLimit, kClipLimit);
  mCanvas->SetClipRect(l, t, rr - l, b - t);
}

// -- Dashes ------------------------------------------------------------------------------------

void IGfxVG::DrawDottedLine(const IRgba& color, float x1, float y1, float x2, float y2, const IBlendMode* blend,
                            float thickness, float dashLen)
{
  if (!mCanvas)
    return;
  const float dx = x2 - x1, dy = y2 - y1;
  const float length = std::sqrt(dx * dx + dy * dy);
  if (!std::isfinite(length))
    return;
  PathClear();
  PathMoveTo(x1, y1);
  const float segments = DashUsable(dashLen) ? std::round(length / dashLen) : 0.f;
  if (segments < 2.f)
  {
    // One dash, or no usable dash length: the whole line.
    PathLineTo(x2, y2);
  }
  else
  {
    const int n = static_cast<int>(std::min(segments, static_cast<float>(kMaxDashes)));
    const float inc = 1.f / static_cast<float>(n);
    for (int i = 1; i < n; i += 2)
    {
      const float a = static_cast<float>(i) * inc, b = static_cast<float>(i + 1) * inc;
      PathLineTo(x1 + dx * a, y1 + dy * a);
      PathMoveTo(x1 + dx * b, y1 + dy * b);
    }
    // An odd count ends with a dash too.
    if (n % 2 == 1)
      PathLineTo(x2, y2);
  }
  PathStroke(IPaintPattern(color), thickness, IStrokeSettings(), blend);
}

void IGfxVG::DrawDottedRect(const IRgba& color, const IRECT& bounds, const IBlendMode* blend, float thickness,
                            float dashLen)
{
  if (!mCanvas)
    return;
  if (!std::isfinite(bounds.W()) || !std::isfinite(bounds.H()))
    return;
  if (!DashUsable(dashLen))
  {
    DrawRect(color, bounds, blend, thickness);
    return;
  }
  const int nx = static_cast<int>(std::min(std::ceil(bounds.W() / (2.f * dashLen)), static_cast<float>(kMaxDashes)));
  const int ny = static_cast<int>(std::min(std::ceil(bounds.H() / (2.f * dashLen)), static_cast<float>(kMaxDashes)));
  auto clampX = [&](float x) { return std::clamp(x, bounds.L, bounds.R); };
  auto clampY = [&](float y) { return std::clamp(y, bounds.T, bounds.B); };

  PathClear();
  float x = bounds.L, y = bounds.T;
  PathMoveTo(x, y);
  // Along the top and right edges, then back along the bottom and left.
  for (const float d : {dashLen, -dashLen})
  {
    for (int i = 0; i < nx; i++)
    {
      x = clampX(x + d);
      PathLineTo(x, y);
      x = clampX(x + d);
      PathMoveTo(x, y);
    }
    for (int i = 0; i < ny; i++)
    {
      y = clampY(y + d);
      PathLineTo(x, y);
      y = clampY(y + d);
      PathMoveTo(x, y);
    }
  }
  PathStroke(IPaintPattern(color), thickness, IStrokeSettings(), blend);
}

// -- Quick shadow -------------------------------------------------------------------------------

void IGfxVG::DrawQuickShadow(const IRECT& inner, const IRECT& outer, float xyDrop, float roundness, float blur,
                             const IBlendMode* blend)
{
  if (!mCanvas)
    return;
  mCanvas->BeginPath();
  mCanvas->AddRectangle(outer.L, outer.T, outer.W(), outer.H());
  const CanvasColor shadow = CanvasColorOf(IRgba(128, 0, 0, 0), blend);
  mCanvas->SetFillPaint(CanvasBoxGradient(inner.L + xyDrop, inner.T + xyDrop, inner.W(), inner.H(), roundness,
                                          std::max(1.f, blur), shadow, CanvasRGBAf(0.f, 0.f, 0.f, 0.f)));
  mCanvas->SetCompositeOperation(kCanvasSourceOver);
  mCanvas->FillPath();
  mCanvas->BeginPath();
}

} // namespace igfx
} // namespace ifx
