#pragma once
// Reads a recording back as the shapes that were painted: every fill or
// stroke with its colour and the bounding box of the path it painted (arcs
// count as their whole circle), and every text run with its box.
#include <algorithm>
#include <string>
#include <vector>

#include "support/RecordingGfx.h"

namespace ifx {
namespace testkit {

struct DrawnShape
{
  enum Kind { kFill, kStroke, kText, kBitmap } kind = kFill;
  igfx::IRgba color;
  igfx::IRECT box;
  float thickness = 0.f;
  bool hasBlend = false;
  std::string text;
  int pathPoints = 0;  // move and line points of the path
};

inline std::vector<DrawnShape> DrawnShapes(const std::vector<GfxOp>& ops)
{
  std::vector<DrawnShape> out;
  bool any = false;
  igfx::IRECT box;
  int points = 0;
  auto add = [&](float x, float y) {
    if (!any)
      box = igfx::IRECT(x, y, x, y);
    box = igfx::IRECT(std::min(box.L, x), std::min(box.T, y), std::max(box.R, x), std::max(box.B, y));
    any = true;
  };
  for (const GfxOp& op : ops)
  {
    switch (op.kind)
    {
      case GfxOp::kPathClear:
        any = false;
        points = 0;
        box = igfx::IRECT();
        break;
      case GfxOp::kPathMoveTo:
      case GfxOp::kPathLineTo:
        add(op.v[0], op.v[1]);
        ++points;
        break;
      case GfxOp::kPathCubic: add(op.v[4], op.v[5]); break;
      case GfxOp::kPathQuad: add(op.v[2], op.v[3]); break;
      case GfxOp::kPathArc:
        add(op.v[0] - op.v[2], op.v[1] - op.v[2]);
        add(op.v[0] + op.v[2], op.v[1] + op.v[2]);
        break;
      case GfxOp::kFill:
      case GfxOp::kStroke:
      {
        DrawnShape s;
        s.kind = op.kind == GfxOp::kFill ? DrawnShape::kFill : DrawnShape::kStroke;
        s.color = op.pattern.nStops > 0 ? op.pattern.stops[0].color : igfx::IRgba();
        s.box = box;
        s.thickness = op.thickness;
        s.hasBlend = op.hasBlend;
        s.pathPoints = points;
        out.push_back(s);
        break;
      }
      case GfxOp::kRenderText:
      {
        DrawnShape s;
        s.kind = DrawnShape::kText;
        s.color = op.pattern.stops[0].color;
        s.box = op.rect;
        s.text = op.text;
        s.hasBlend = op.hasBlend;
        out.push_back(s);
        break;
      }
      case GfxOp::kDrawBitmap:
      {
        DrawnShape s;
        s.kind = DrawnShape::kBitmap;
        s.box = op.rect;
        out.push_back(s);
        break;
      }
      default: break;
    }
  }
  return out;
}

inline std::vector<DrawnShape> DrawnShapes(const RecordingGfx& g) { return DrawnShapes(g.ops); }

} // namespace testkit
} // namespace ifx
