// Fill and stroke of the current path: flatten once, build the mesh, queue it
// with the state's paint, composite and scissor.

#include <algorithm>

#include "renderer/CanvasContext.h"
#include "renderer/CanvasTransform.h"

namespace ifx::canvas {

namespace {
void MultiplyAlpha(CanvasPaint& paint, float alpha)
{
  paint.innerColor.a *= alpha;
  paint.outerColor.a *= alpha;
}
} // namespace

void CanvasContext::FillPath()
{
  CanvasState& s = State();
  CanvasPaint paint = s.fill;

  BuildFlatPaths();
  const bool aa = backend.edgeAntiAlias && s.shapeAntiAlias;
  const float w = aa ? fringeWidth : 0.f;
  // Opposite edges' fringes of a fill thinner than the fringe overlap and
  // would draw it as a solid line: such a fill keeps its outline, puts the
  // fringe outside and fades by its coverage. A fill without area draws
  // nothing.
  const float coverage = ThinFillCoverage(w);
  if (coverage <= 0.f)
    return;
  if (!BuildFillMesh(w, kCanvasMiter, 2.4f, coverage < 1.f))
    return;

  MultiplyAlpha(paint, s.alpha * coverage);
  backend.queueFill(backend.user, &paint, s.composite, &s.scissor, fringeWidth, cache->bounds, cache->paths,
                    cache->npaths);

  for (int i = 0; i < cache->npaths; i++)
  {
    const CanvasFlatPath& path = cache->paths[i];
    fillTriCount += std::max(0, path.nfill - 2) + std::max(0, path.nstroke - 2);
  }
  drawCallCount += 2;
}

void CanvasContext::StrokePath()
{
  CanvasState& s = State();
  const float scale = CanvasAverageScale(s.xform);
  float strokeWidth = s.strokeWidth * scale;
  // NaN from a broken transform strokes nothing rather than NaN vertices.
  if (!(strokeWidth > 0.f))
    strokeWidth = 0.f;
  strokeWidth = std::min(strokeWidth, 200.f);
  CanvasPaint paint = s.stroke;

  if (strokeWidth < fringeWidth)
  {
    // Thinner than a pixel: draw one pixel wide and fade by the coverage.
    const float alpha = std::clamp(strokeWidth / fringeWidth, 0.f, 1.f);
    MultiplyAlpha(paint, alpha * alpha);
    strokeWidth = fringeWidth;
  }
  MultiplyAlpha(paint, s.alpha);

  BuildFlatPaths();
  const bool aa = backend.edgeAntiAlias && s.shapeAntiAlias;
  if (!BuildStrokeMesh(strokeWidth * 0.5f, aa ? fringeWidth : 0.f, s.lineCap, s.lineJoin, s.miterLimit))
    return;

  backend.queueStroke(backend.user, &paint, s.composite, &s.scissor, fringeWidth, strokeWidth, cache->paths,
                      cache->npaths);

  for (int i = 0; i < cache->npaths; i++)
    strokeTriCount += std::max(0, cache->paths[i].nstroke - 2);
  drawCallCount++;
}

} // namespace ifx::canvas
