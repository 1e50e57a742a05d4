// Shape, line, bitmap and text primitives built from the back end's path
// operations, and the transform stack they use.
#include "toolkit/IGfx.h"

#include <algorithm>
#include <cmath>

namespace ifx {
namespace igfx {

namespace {
IStrokeSettings DashedStroke(float dashLen)
{
  IStrokeSettings s;
  // A non-positive or non-finite dash would never advance: draw it solid.
  if (dashLen > 0.f && std::isfinite(dashLen))
    s.SetDash(&dashLen, 0.f, 1);
  return s;
}
} // namespace

// -- Transform stack ----------------------------------------------------------------

void IGfx::ApplyTransform() { SetPathTransform(mTransform); }

void IGfx::SavePathTransform() { mTransformStack.push_back(mTransform); }

void IGfx::RestorePathTransform()
{
  if (mTransformStack.empty())
    return;
  mTransform = mTransformStack.back();
  mTransformStack.pop_back();
  ApplyTransform();
}

void IGfx::ResetPathTransform(bool clearStack)
{
  if (clearStack)
    mTransformStack.clear();
  mTransform = ITransform2D();
  ApplyTransform();
}

void IGfx::PathTransformTranslate(float x, float y)
{
  mTransform.Translate(x, y);
  ApplyTransform();
}

void IGfx::PathTransformScale(float x, float y)
{
  mTransform.Scale(x, y);
  ApplyTransform();
}

void IGfx::PathTransformRotate(float angle)
{
  mTransform.Rotate(angle);
  ApplyTransform();
}

void IGfx::PathTransformMatrix(const ITransform2D& m)
{
  mTransform.Transform(m);
  ApplyTransform();
}

// -- Path helpers ------------------------------------------------------------------------

void IGfx::PathRect(const IRECT& r)
{
  PathMoveTo(r.L, r.T);
  PathLineTo(r.R, r.T);
  PathLineTo(r.R, r.B);
  PathLineTo(r.L, r.B);
  PathClose();
}

void IGfx::PathRoundRect(const IRECT& r, float ctl, float ctr, float cbr, float cbl)
{
  if (ctl <= 0.f && ctr <= 0.f && cbr <= 0.f && cbl <= 0.f)
  {
    PathRect(r);
    return;
  }
  PathMoveTo(r.L, r.T + ctl);
  PathArc(r.L + ctl, r.T + ctl, ctl, 270.f, 360.f);
  PathArc(r.R - ctr, r.T + ctr, ctr, 0.f, 90.f);
  PathArc(r.R - cbr, r.B - cbr, cbr, 90.f, 180.f);
  PathArc(r.L + cbl, r.B - cbl, cbl, 180.f, 270.f);
  PathClose();
}

void IGfx::PathCircle(float cx, float cy, float r)
{
  PathMoveTo(cx, cy - r);
  PathArc(cx, cy, r, 0.f, 360.f);
  PathClose();
}

void IGfx::PathEllipse(float cx, float cy, float r1, float r2, float angle)
{
  if (r1 <= 0.f || r2 <= 0.f)
    return;
  SavePathTransform();
  PathTransformTranslate(cx, cy);
  PathTransformRotate(angle);
  PathTransformScale(r1, r2);
  PathMoveTo(0.f, -1.f);
  PathArc(0.f, 0.f, 1.f, 0.f, 360.f);
  PathClose();
  RestorePathTransform();
}

void IGfx::PathConvexPolygon(const float* x, const float* y, int nPoints)
{
  if (!x || !y || nPoints <= 0)
    return;
  PathMoveTo(x[0], y[0]);
  for (int i = 1; i < nPoints; ++i)
    PathLineTo(x[i], y[i]);
  PathClose();
}

// -- Strokes -------------------------------------------------------------------------------

void IGfx::DrawLine(const IRgba& color, float x1, float y1, float x2, float y2, const IBlendMode* blend,
                    float thickness)
{
  PathClear();
  PathMoveTo(x1, y1);
  PathLineTo(x2, y2);
  PathStroke(IPaintPattern(color), thickness, IStrokeSettings(), blend);
}

void IGfx::DrawDottedLine(const IRgba& color, float x1, float y1, float x2, float y2, const IBlendMode* blend,
                          float thickness, float dashLen)
{
  PathClear();
  PathMoveTo(x1, y1);
  PathLineTo(x2, y2);
  PathStroke(IPaintPattern(color), thickness, DashedStroke(dashLen), blend);
}

void IGfx::DrawTriangle(const IRgba& color, float x1, float y1, float x2, float y2, float x3, float y3,
                        const IBlendMode* blend, float thickness)
{
  PathClear();
  PathMoveTo(x1, y1);
  PathLineTo(x2, y2);
  PathLineTo(x3, y3);
  PathClose();
  PathStroke(IPaintPattern(color), thickness, IStrokeSettings(), blend);
}

void IGfx::DrawRect(const IRgba& color, const IRECT& bounds, const IBlendMode* blend, float thickness)
{
  PathClear();
  PathRect(bounds);
  PathStroke(IPaintPattern(color), thickness, IStrokeSettings(), blend);
}

void IGfx::DrawRoundRect(const IRgba& color, const IRECT& bounds, float cornerRadius, const IBlendMode* blend,
                         float thickness)
{
  PathClear();
  PathRoundRect(bounds, cornerRadius);
  PathStroke(IPaintPattern(color), thickness, IStrokeSettings(), blend);
}

void IGfx::DrawRoundRectCorners(const IRgba& color, const IRECT& bounds, float cRTL, float cRTR, float cRBR, float cRBL,
                                const IBlendMode* blend, float thickness)
{
  PathClear();
  PathRoundRect(bounds, cRTL, cRTR, cRBR, cRBL);
  PathStroke(IPaintPattern(color), thickness, IStrokeSettings(), blend);
}

void IGfx::DrawArc(const IRgba& color, float cx, float cy, float r, float a1, float a2, const IBlendMode* blend,
                   float thickness)
{
  PathClear();
  PathArc(cx, cy, r, a1, a2, kArcClockwise);
  PathStroke(IPaintPattern(color), thickness, IStrokeSettings(), blend);
}

void IGfx::DrawCircle(const IRgba& color, float cx, float cy, float r, const IBlendMode* blend, float thickness)
{
  PathClear();
  PathCircle(cx, cy, r);
  PathStroke(IPaintPattern(color), thickness, IStrokeSettings(), blend);
}

void IGfx::DrawRotatedEllipse(const IRgba& color, float cx, float cy, float r1, float r2, float angle,
                              const IBlendMode* blend, float thickness)
{
  PathClear();
  PathEllipse(cx, cy, r1, r2, angle);
  PathStroke(IPaintPattern(color), thickness, IStrokeSettings(), blend);
}

void IGfx::DrawEllipse(const IRgba& color, const IRECT& bounds, const IBlendMode* blend, float thickness)
{
  PathClear();
  PathEllipse(bounds.MW(), bounds.MH(), bounds.W() / 2.f, bounds.H() / 2.f, 0.f);
  PathStroke(IPaintPattern(color), thickness, IStrokeSettings(), blend);
}

void IGfx::DrawConvexPolygon(const IRgba& color, const float* x, const float* y, int npoints, const IBlendMode* blend,
                             float thickness)
{
  PathClear();
  PathConvexPolygon(x, y, npoints);
  PathStroke(IPaintPattern(color), thickness, IStrokeSettings(), blend);
}

void IGfx::DrawDottedRect(const IRgba& color, const IRECT& bounds, const IBlendMode* blend, float thickness,
                          float dashLen)
{
  PathClear();
  PathRect(bounds);
  PathStroke(IPaintPattern(color), thickness, DashedStroke(dashLen), blend);
}

// -- Fills ---------------------------------------------------------------------------------

void IGfx::FillTriangle(const IRgba& color, float x1, float y1, float x2, float y2, float x3, float y3,
                        const IBlendMode* blend)
{
  PathClear();
  PathMoveTo(x1, y1);
  PathLineTo(x2, y2);
  PathLineTo(x3, y3);
  PathClose();
  PathFill(IPaintPattern(color), IFillSettings(), blend);
}

void IGfx::FillRect(const IRgba& color, const IRECT& bounds, const IBlendMode* blend)
{
  PathClear();
  PathRect(bounds);
  PathFill(IPaintPattern(color), IFillSettings(), blend);
}

void IGfx::FillRoundRect(const IRgba& color, const IRECT& bounds, float cornerRadius, const IBlendMode* blend)
{
  PathClear();
  PathRoundRect(bounds, cornerRadius);
  PathFill(IPaintPattern(color), IFillSettings(), blend);
}

void IGfx::FillRoundRectCorners(const IRgba& color, const IRECT& bounds, float cRTL, float cRTR, float cRBR, float cRBL,
                                const IBlendMode* blend)
{
  PathClear();
  PathRoundRect(bounds, cRTL, cRTR, cRBR, cRBL);
  PathFill(IPaintPattern(color), IFillSettings(), blend);
}

void IGfx::FillCircle(const IRgba& color, float cx, float cy, float r, const IBlendMode* blend)
{
  PathClear();
  PathCircle(cx, cy, r);
  PathFill(IPaintPattern(color), IFillSettings(), blend);
}

void IGfx::FillRotatedEllipse(const IRgba& color, float cx, float cy, float r1, float r2, float angle,
                              const IBlendMode* blend)
{
  PathClear();
  PathEllipse(cx, cy, r1, r2, angle);
  PathFill(IPaintPattern(color), IFillSettings(), blend);
}

void IGfx::FillEllipse(const IRgba& color, const IRECT& bounds, const IBlendMode* blend)
{
  PathClear();
  PathEllipse(bounds.MW(), bounds.MH(), bounds.W() / 2.f, bounds.H() / 2.f, 0.f);
  PathFill(IPaintPattern(color), IFillSettings(), blend);
}

void IGfx::FillArc(const IRgba& color, float cx, float cy, float r, float a1, float a2, const IBlendMode* blend)
{
  PathClear();
  PathMoveTo(cx, cy);
  PathArc(cx, cy, r, a1, a2, kArcClockwise);
  PathClose();
  PathFill(IPaintPattern(color), IFillSettings(), blend);
}

void IGfx::FillConvexPolygon(const IRgba& color, const float* x, const float* y, int npoints, const IBlendMode* blend)
{
  PathClear();
  PathConvexPolygon(x, y, npoints);
  PathFill(IPaintPattern(color), IFillSettings(), blend);
}

// -- Other drawing ----------------------------------------------------------------------------

void IGfx::DrawPoint(const IRgba& color, float x, float y, const IBlendMode* blend)
{
  FillRect(color, IRECT(x, y, x + 1.f, y + 1.f), blend);
}

void IGfx::DrawGrid(const IRgba& color, const IRECT& bounds, float gridSizeH, float gridSizeV, const IBlendMode* blend,
                    float thickness)
{
  PathClear();
  // Steps of 1 or less would draw a solid block; they draw nothing. Lines sit
  // at whole multiples of the step from the edge, and a rectangle without
  // finite edges has none: adding the step to an infinite edge never ends.
  const bool finite =
    std::isfinite(bounds.L) && std::isfinite(bounds.T) && std::isfinite(bounds.R) && std::isfinite(bounds.B);
  // Far more lines than any window has pixels would only exhaust memory.
  constexpr int kMaxGridLines = 8192;
  if (finite && gridSizeH > 1.f && std::isfinite(gridSizeH))
    for (int k = 1; k <= kMaxGridLines; ++k)
    {
      const float x = bounds.L + static_cast<float>(k) * gridSizeH;
      if (!(x < bounds.R))
        break;
      PathMoveTo(x, bounds.T);
      PathLineTo(x, bounds.B);
    }
  if (finite && gridSizeV > 1.f && std::isfinite(gridSizeV))
    for (int k = 1; k <= kMaxGridLines; ++k)
    {
      const float y = bounds.T + static_cast<float>(k) * gridSizeV;
      if (!(y < bounds.B))
        break;
      PathMoveTo(bounds.L, y);
      PathLineTo(bounds.R, y);
    }
  PathStroke(IPaintPattern(color), thickness, IStrokeSettings(), blend);
}

void IGfx::DrawData(const IRgba& color, const IRECT& bounds, const float* normYPoints, int nPoints,
                    const float* normXPoints, const IBlendMode* blend, float thickness, const IRgba* fillColor)
{
  if (nPoints <= 0 || !normYPoints)
    return;
  const float w = bounds.W(), h = bounds.H();
  PathClear();
  PathMoveTo(bounds.L, bounds.B - h * normYPoints[0]);
  for (int i = 1; i < nPoints; ++i)
  {
    const float x = normXPoints ? bounds.L + w * normXPoints[i]
                                : bounds.L + (w / static_cast<float>(nPoints - 1)) * static_cast<float>(i);
    PathLineTo(x, bounds.B - h * normYPoints[i]);
  }
  if (fillColor)
  {
    IFillSettings fill;
    fill.rule = kFillWinding;
    fill.preserve = true;
    PathFill(IPaintPattern(*fillColor), fill, blend);
  }
  PathStroke(IPaintPattern(color), thickness, IStrokeSettings(), blend);
}

void IGfx::DrawVerticalLine(const IRgba& color, const IRECT& bounds, float x, float thickness)
{
  // NaN has no place on the line, and no integer to truncate to.
  const float offset = std::clamp(x, 0.f, 1.f) * bounds.W();
  if (!std::isfinite(offset) || std::fabs(offset) > 1e9f)
    return;
  const float xi = bounds.L + static_cast<float>(static_cast<int>(offset));
  DrawLine(color, xi, bounds.T, xi, bounds.B, nullptr, thickness);
}

void IGfx::DrawHorizontalLine(const IRgba& color, const IRECT& bounds, float y, float thickness)
{
  if (std::isnan(y))
    return;
  y = std::clamp(y, 0.f, 1.f);
  const float yi = bounds.B - y * bounds.H();
  DrawLine(color, bounds.L, yi, bounds.R, yi, nullptr, thickness);
}

// -- Bitmaps -------------------------------------------------------------------------------------

void IGfx::DrawFittedBitmap(const IBitmapRef& bitmap, const IRECT& bounds, const IBlendMode* blend)
{
  // An empty reference (failed load) has nothing to scale from.
  if (!bitmap.IsValid())
    return;
  SavePathTransform();
  PathTransformTranslate(bounds.L, bounds.T);
  PathTransformScale(bounds.W() / static_cast<float>(bitmap.W()), bounds.H() / static_cast<float>(bitmap.H()));
  DrawBitmap(bitmap, IRECT(0.f, 0.f, static_cast<float>(bitmap.W()), static_cast<float>(bitmap.H())), 0, 0, blend);
  RestorePathTransform();
}

void IGfx::DrawRotatedBitmap(const IBitmapRef& bitmap, float destCentreX, float destCentreY, double angle,
                             const IBlendMode* blend)
{
  if (!bitmap.IsValid() || !(bitmap.GetDrawScale() > 0.f))
    return;
  const float w = static_cast<float>(bitmap.W()) / bitmap.GetDrawScale();
  const float h = static_cast<float>(bitmap.H()) / bitmap.GetDrawScale();
  SavePathTransform();
  PathTransformTranslate(destCentreX, destCentreY);
  PathTransformRotate(static_cast<float>(angle));
  DrawBitmap(bitmap, IRECT(-w / 2.f, -h / 2.f, w / 2.f, h / 2.f), 0, 0, blend);
  RestorePathTransform();
}

// -- Text --------------------------------------------------------------------------------------------

float IGfx::MeasureText(const ITextStyle& text, const char* str, IRECT& bounds) const
{
  if (!str || !str[0])
    return 0.f;
  return MeasureTextRun(text, str, bounds);
}

void IGfx::DrawText(const ITextStyle& text, const char* str, const IRECT& bounds, const IBlendMode* blend)
{
  if (!str || !str[0])
    return;
  RenderTextRun(text, str, bounds, blend);
}

void IGfx::DrawMultiLineText(const ITextStyle& text, const char* str, const IRECT& bounds, const IBlendMode* blend)
{
  RenderTextRun(text, "Unsupported", bounds, blend);
}

void IGfx::ComputeTextRotation(const ITextStyle& text, const IRECT& bounds, IRECT& rect, double& tx, double& ty) const
{
  if (text.angle == 0.f)
    return;
  ITransform2D m;
  m.Rotate(text.angle);
  double xs[4] = {rect.L, rect.R, rect.R, rect.L};
  double ys[4] = {rect.T, rect.T, rect.B, rect.B};
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  for (int i = 0; i < 4; ++i)
  {
    m.Apply(xs[i], ys[i]);
    if (i == 0)
    {
      minX = maxX = xs[0];
      minY = maxY = ys[0];
    }
    minX = std::min(minX, xs[i]);
    maxX = std::max(maxX, xs[i]);
    minY = std::min(minY, ys[i]);
    maxY = std::max(maxY, ys[i]);
  }
  rect = IRECT(static_cast<float>(minX), static_cast<float>(minY), static_cast<float>(maxX), static_cast<float>(maxY));

  switch (text.align)
  {
    case kAlignNear: tx = bounds.L - rect.L; break;
    case kAlignFar: tx = bounds.R - rect.R; break;
    default: tx = bounds.MW() - rect.MW(); break;
  }
  switch (text.valign)
  {
    case kVAlignTop: ty = bounds.T - rect.T; break;
    case kVAlignBottom: ty = bounds.B - rect.B; break;
    default: ty = bounds.MH() - rect.MH(); break;
  }
}

} // namespace igfx
} // namespace ifx
