// GL back end: the frame's calls grouped into batches. Convex fans and
// strips become indexed triangles wound as GL winds them (back faces are
// culled, so windings must not flip), and each vertex carries the slot of its
// call's uniform block within the batch. Batches keep the calls' order:
// translucent shapes overlap, and GL draws the primitives of one draw in
// order.

#include "renderer/CanvasGLArrays.h"
#include "renderer/CanvasGLBackend.h"

namespace ifx::canvas {

using canvasgl::Grow;

namespace {
template <typename Index>
struct TriangleWriter
{
  Index* out;

  // A convex polygon cut into ears, pass by pass, every other vertex of
  // those left going with its two neighbours (the first and the last stay)
  // rather than as a fan from its first vertex: the same pixels, but most
  // triangles hug the edge they cut off and only the last few span the
  // polygon, so a large shape's triangles cover a few times its area in
  // bounding boxes where a fan's cover tens of times it (the driver sorts
  // triangles into screen tiles by their bounds).
  void ConvexPolygon(int first, int n)
  {
    for (int stride = 1; stride < n - 1; stride *= 2)
    {
      const int left = (n - 2) / stride + 2;
      auto at = [&](int k) { return first + (k == left - 1 ? n - 1 : k * stride); };
      for (int k = 0; k + 2 < left; k += 2)
        Put(at(k), at(k + 1), at(k + 2));
    }
  }
  void Strip(int first, int n)
  {
    for (int i = 0; i + 2 < n; i++)
    {
      if (i % 2 == 0)
        Put(first + i, first + i + 1, first + i + 2);
      else
        Put(first + i + 1, first + i, first + i + 2);
    }
  }
  void List(int first, int n)
  {
    for (int i = 0; i + 2 < n; i += 3)
      Put(first + i, first + i + 1, first + i + 2);
  }
  void Put(int a, int b, int c)
  {
    out[0] = (Index)a;
    out[1] = (Index)b;
    out[2] = (Index)c;
    out += 3;
  }
};

void SetSlots(float* slots, int first, int n, float slot)
{
  for (int i = 0; i < n; i++)
    slots[first + i] = slot;
}

bool SameBlend(const CanvasGLBlend& a, const CanvasGLBlend& b)
{
  return a.srcRGB == b.srcRGB && a.dstRGB == b.dstRGB && a.srcAlpha == b.srcAlpha && a.dstAlpha == b.dstAlpha;
}

// Writes the call's triangles at `at` and marks its vertices with `slot`; the
// number of indices written.
template <typename Index>
int WriteCall(CanvasGLBackend& b, const CanvasGLCall& call, Index* at, float slot)
{
  TriangleWriter<Index> w{at};
  const CanvasGLPathRange* ranges = &b.paths[call.pathOffset];
  for (int i = 0; i < call.pathCount; i++)
  {
    const CanvasGLPathRange& r = ranges[i];
    if (call.type == kCanvasGLConvexFill)
    {
      w.ConvexPolygon(r.fillOffset, r.fillCount);
      SetSlots(b.slots, r.fillOffset, r.fillCount, slot);
    }
    w.Strip(r.strokeOffset, r.strokeCount);
    SetSlots(b.slots, r.strokeOffset, r.strokeCount, slot);
  }
  if (call.type == kCanvasGLTriangles)
  {
    w.List(call.triangleOffset, call.triangleCount);
    SetSlots(b.slots, call.triangleOffset, call.triangleCount, slot);
  }
  return (int)(w.out - at);
}

// A call drawn on its own reads the block uploaded to the table's first slot.
void MarkOwnCall(CanvasGLBackend& b, const CanvasGLCall& call)
{
  const CanvasGLPathRange* ranges = &b.paths[call.pathOffset];
  for (int i = 0; i < call.pathCount; i++)
  {
    SetSlots(b.slots, ranges[i].fillOffset, ranges[i].fillCount, 0.f);
    SetSlots(b.slots, ranges[i].strokeOffset, ranges[i].strokeCount, 0.f);
  }
  SetSlots(b.slots, call.triangleOffset, call.triangleCount, 0.f);
}

// The GL texture a call samples, 0 none: image paints and triangles sample.
cgl::Uint TextureOf(CanvasGLBackend& b, const CanvasGLCall& call)
{
  return call.image == 0 && call.type != kCanvasGLTriangles ? 0 : b.SampledTexture(call.image);
}

template <typename Index>
void FormBatches(CanvasGLBackend& b)
{
  Index* indices = reinterpret_cast<Index*>(b.indices);
  const bool stencilStrokes = (b.flags & kCanvasGLStencilStrokes) != 0;
  CanvasGLBatch* open = nullptr;
  for (int i = 0; i < b.ncalls; i++)
  {
    const CanvasGLCall& call = b.calls[i];
    const bool own =
      call.type == kCanvasGLFill || call.type == kCanvasGLClear || (call.type == kCanvasGLStroke && stencilStrokes);
    if (own)
    {
      open = nullptr;
      CanvasGLBatch& batch = b.batches[b.nbatches++];
      batch = CanvasGLBatch{call.type, i, 1, 0, 0, 0, call.blend};
      MarkOwnCall(b, call);
      continue;
    }
    const cgl::Uint texture = TextureOf(b, call);
    // Untextured calls sample nothing and join any batch; the blocks of a
    // batch must lie in one run of the uniform array.
    const bool joins = open && open->ncalls < b.paintSlots && SameBlend(open->blend, call.blend) &&
                       (texture == 0 || open->texture == 0 || open->texture == texture) &&
                       call.uniformOffset == b.calls[open->firstCall].uniformOffset + open->ncalls * b.fragSize;
    if (!joins)
    {
      open = &b.batches[b.nbatches++];
      *open = CanvasGLBatch{0, i, 0, 0, b.nindices, 0, call.blend};
    }
    if (texture != 0)
      open->texture = texture;
    const int written = WriteCall(b, call, indices + b.nindices, (float)open->ncalls);
    b.nindices += written;
    open->indexCount += written;
    open->ncalls++;
  }
}
} // namespace

bool CanvasGLBackend::BuildBatches()
{
  nbatches = 0;
  nindices = 0;
  indexSize = nverts <= 65536 ? 2 : 4;
  // Sized by the queues' capacities, not by this frame's use, so they grow
  // only when the queues do and a frame like the last allocates nothing. A
  // fan or strip of n vertices gives 3 (n - 2) indices, a list n.
  const long long indexBytes = 3LL * cverts * indexSize;
  if (indexBytes > 0x7fffffff || !Grow(batches, cbatches, ccalls, 0) || !Grow(slots, cslots, cverts, 0) ||
      !Grow(indices, cindexBytes, (int)indexBytes, 0))
    return false;
  if (indexSize == 2)
    FormBatches<unsigned short>(*this);
  else
    FormBatches<unsigned int>(*this);
  return true;
}

} // namespace ifx::canvas
