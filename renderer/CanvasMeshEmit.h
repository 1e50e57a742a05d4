#pragma once
// Vertex emitters of the fill and stroke meshes: joins and caps.

#include "renderer/CanvasTypes.h"

namespace ifx::canvas {

// Writes vertices and never past the reserved end.
struct CanvasVertexWriter
{
  CanvasVertex* p;
  CanvasVertex* end;
  void Put(float x, float y, float u, float v)
  {
    if (p < end)
      *p++ = CanvasVertex{x, y, u, v};
  }
};

// A corner between p0's segment and p1's, with left and right widths and
// their texture coordinates: bevelled, or mitred on the outside when only
// the inner side is cut.
void CanvasEmitCutCorner(CanvasVertexWriter& out, const CanvasFlatPoint* p0, const CanvasFlatPoint* p1, float lw,
                         float rw, float lu, float ru);
void CanvasEmitRoundCorner(CanvasVertexWriter& out, const CanvasFlatPoint* p0, const CanvasFlatPoint* p1, float lw,
                           float rw, float lu, float ru, int ncap);

// One point of a fringe or stroke strip: at a bevelled corner its join (round
// for round joins, else cut), elsewhere the pair across the point along its
// corner normal.
void CanvasEmitCorner(CanvasVertexWriter& out, const CanvasFlatPoint* p0, const CanvasFlatPoint* p1, float lw, float rw,
                      float lu, float ru, int lineJoin, int ncap);

// Butt and square caps: d moves the cap line along the direction, aa is the
// fringe pushed out beyond it.
void CanvasEmitStartCap(CanvasVertexWriter& out, const CanvasFlatPoint* p, float dx, float dy, float w, float d,
                        float aa, float u0, float u1);
void CanvasEmitEndCap(CanvasVertexWriter& out, const CanvasFlatPoint* p, float dx, float dy, float w, float d, float aa,
                      float u0, float u1);
// Round caps of ncap points on the half circle.
void CanvasEmitRoundStartCap(CanvasVertexWriter& out, const CanvasFlatPoint* p, float dx, float dy, float w, int ncap,
                             float u0, float u1);
void CanvasEmitRoundEndCap(CanvasVertexWriter& out, const CanvasFlatPoint* p, float dx, float dy, float w, int ncap,
                           float u0, float u1);

} // namespace ifx::canvas
