// GL back end: uniform blocks from paints and the per-frame queues of
// calls, path ranges, vertices and uniforms.

#include <cmath>
#include <cstring>

#include "renderer/CanvasGLArrays.h"
#include "renderer/CanvasGLBackend.h"
#include "renderer/CanvasTransform.h"

namespace ifx::canvas {

using canvasgl::Reserve;

namespace {
void TransformToMat3x4(float* m, const float* t)
{
  m[0] = t[0];
  m[1] = t[1];
  m[2] = 0.f;
  m[3] = 0.f;
  m[4] = t[2];
  m[5] = t[3];
  m[6] = 0.f;
  m[7] = 0.f;
  m[8] = t[4];
  m[9] = t[5];
  m[10] = 1.f;
  m[11] = 0.f;
}

void Premultiply(float* out, const CanvasColor& c)
{
  out[0] = c.r * c.a;
  out[1] = c.g * c.a;
  out[2] = c.b * c.a;
  out[3] = c.a;
}
} // namespace

bool CanvasGLBackend::PaintToUniforms(CanvasGLFragUniforms* frag, const CanvasPaint* paint, const CanvasClip* scissor,
                                      float width, float fringe, float strokeThr)
{
  std::memset(frag, 0, sizeof(*frag));
  Premultiply(frag->innerCol, paint->innerColor);
  Premultiply(frag->outerCol, paint->outerColor);

  if (scissor->extent[0] < -0.5f || scissor->extent[1] < -0.5f)
  {
    frag->scissorExt[0] = 1.f;
    frag->scissorExt[1] = 1.f;
    frag->scissorScale[0] = 1.f;
    frag->scissorScale[1] = 1.f;
  }
  else
  {
    float inv[6];
    CanvasInvertTransform(inv, scissor->xform);
    TransformToMat3x4(frag->scissorMat, inv);
    frag->scissorExt[0] = scissor->extent[0];
    frag->scissorExt[1] = scissor->extent[1];
    const float* t = scissor->xform;
    frag->scissorScale[0] = std::sqrt(t[0] * t[0] + t[2] * t[2]) / fringe;
    frag->scissorScale[1] = std::sqrt(t[1] * t[1] + t[3] * t[3]) / fringe;
  }

  frag->extent[0] = paint->extent[0];
  frag->extent[1] = paint->extent[1];
  frag->strokeMult = (width * 0.5f + fringe * 0.5f) / fringe;
  frag->strokeThr = strokeThr;

  float inv[6];
  if (paint->image != 0)
  {
    const CanvasGLTexture* tex = FindTexture(paint->image);
    if (!tex)
      return false;
    if (tex->flags & kCanvasImageFlipY)
    {
      // Flip the pattern about its middle: rows of render targets run
      // bottom-up.
      float m1[6], m2[6];
      CanvasTransformTranslate(m1, 0.f, frag->extent[1] * 0.5f);
      CanvasConcatTransform(m1, paint->xform);
      CanvasTransformScale(m2, 1.f, -1.f);
      CanvasConcatTransform(m2, m1);
      CanvasTransformTranslate(m1, 0.f, -frag->extent[1] * 0.5f);
      CanvasConcatTransform(m1, m2);
      CanvasInvertTransform(inv, m1);
    }
    else
    {
      CanvasInvertTransform(inv, paint->xform);
    }
    frag->type = 1.f;
    if (tex->type == kCanvasTextureAlpha)
      frag->texType = 2.f;
    else
      frag->texType = (tex->flags & kCanvasImagePremultiplied) ? 0.f : 1.f;
  }
  else
  {
    frag->type = 0.f;
    frag->radius = paint->radius;
    // The shader divides by the feather; a zero one would give NaN colours.
    frag->feather = paint->feather > 0.f ? paint->feather : 1.f;
    CanvasInvertTransform(inv, paint->xform);
  }
  TransformToMat3x4(frag->paintMat, inv);
  return true;
}

// ---------------------------------------------------------------- queues

cgl::Enum CanvasGLBackend::ToGLBlendFactor(int factor)
{
  switch (factor)
  {
    case kCanvasZero: return cgl::kZero;
    case kCanvasOne: return cgl::kOne;
    case kCanvasSrcColor: return cgl::kSrcColor;
    case kCanvasOneMinusSrcColor: return cgl::kOneMinusSrcColor;
    case kCanvasDstColor: return cgl::kDstColor;
    case kCanvasOneMinusDstColor: return cgl::kOneMinusDstColor;
    case kCanvasSrcAlpha: return cgl::kSrcAlpha;
    case kCanvasOneMinusSrcAlpha: return cgl::kOneMinusSrcAlpha;
    case kCanvasDstAlpha: return cgl::kDstAlpha;
    case kCanvasOneMinusDstAlpha: return cgl::kOneMinusDstAlpha;
    case kCanvasSrcAlphaSaturate: return cgl::kSrcAlphaSaturate;
    default: return cgl::kInvalidEnum;
  }
}

CanvasGLBlend CanvasGLBackend::BlendForComposite(CanvasComposite composite)
{
  CanvasGLBlend blend{ToGLBlendFactor(composite.srcRGB), ToGLBlendFactor(composite.dstRGB),
                      ToGLBlendFactor(composite.srcAlpha), ToGLBlendFactor(composite.dstAlpha)};
  if (blend.srcRGB == cgl::kInvalidEnum || blend.dstRGB == cgl::kInvalidEnum || blend.srcAlpha == cgl::kInvalidEnum ||
      blend.dstAlpha == cgl::kInvalidEnum)
  {
    blend = CanvasGLBlend{cgl::kOne, cgl::kOneMinusSrcAlpha, cgl::kOne, cgl::kOneMinusSrcAlpha};
  }
  return blend;
}

int CanvasGLBackend::CountPathVertices(const CanvasFlatPath* paths, int npaths, bool withFill)
{
  int count = 0;
  for (int i = 0; i < npaths; i++)
    count += (withFill ? paths[i].nfill : 0) + paths[i].nstroke;
  return count;
}

CanvasGLCall* CanvasGLBackend::NewCall()
{
  const int i = Reserve(calls, ncalls, ccalls, 1, 128);
  if (i < 0)
    return nullptr;
  std::memset(&calls[i], 0, sizeof(calls[i]));
  return &calls[i];
}

int CanvasGLBackend::ReservePaths(int n) { return Reserve(paths, npaths, cpaths, n, 128); }

int CanvasGLBackend::ReserveVertices(int n) { return Reserve(verts, nverts, cverts, n, 4096); }

// Byte offset of the first block.
int CanvasGLBackend::ReserveUniforms(int n)
{
  const int first = Reserve(uniforms, nuniforms, cuniforms, n, 128, (size_t)fragSize);
  return first < 0 ? -1 : first * fragSize;
}

namespace {
// Queue sizes before a call, to take it back whole when it cannot be made.
struct QueueMark
{
  int calls, paths, verts, uniforms;
};

QueueMark Mark(const CanvasGLBackend& b) { return QueueMark{b.ncalls, b.npaths, b.nverts, b.nuniforms}; }

void Rollback(CanvasGLBackend& b, const QueueMark& m)
{
  b.ncalls = m.calls;
  b.npaths = m.paths;
  b.nverts = m.verts;
  b.nuniforms = m.uniforms;
}

// Copies vertices to `offset` in the reserved run and moves it past them;
// first and count tell where they went (left alone when there are none).
void CopyRange(CanvasGLBackend& b, int& offset, const CanvasVertex* src, int n, int& first, int& count)
{
  if (n <= 0)
    return;
  std::memcpy(&b.verts[offset], src, sizeof(CanvasVertex) * (size_t)n);
  first = offset;
  count = n;
  offset += n;
}

// A new call with the paths' ranges and vertices (the fills only when asked
// for, always the fringes), then `extra` vertices of its own (cover quad or
// triangles) at triangleOffset. Null, the queues as they were, without memory.
CanvasGLCall* NewPathCall(CanvasGLBackend& b, int type, const CanvasPaint* paint, CanvasComposite composite,
                          const CanvasFlatPath* paths, int npaths, bool withFill, int extra)
{
  const QueueMark mark = Mark(b);
  CanvasGLCall* call = b.NewCall();
  if (!call)
    return nullptr;
  call->type = type;
  call->image = paint->image;
  call->blend = CanvasGLBackend::BlendForComposite(composite);
  call->pathOffset = b.ReservePaths(npaths);
  int offset = call->pathOffset == -1
                 ? -1
                 : b.ReserveVertices(CanvasGLBackend::CountPathVertices(paths, npaths, withFill) + extra);
  if (offset == -1)
  {
    Rollback(b, mark);
    return nullptr;
  }
  call->pathCount = npaths;
  for (int i = 0; i < npaths; i++)
  {
    CanvasGLPathRange& range = b.paths[call->pathOffset + i];
    std::memset(&range, 0, sizeof(range));
    if (withFill)
      CopyRange(b, offset, paths[i].fill, paths[i].nfill, range.fillOffset, range.fillCount);
    CopyRange(b, offset, paths[i].stroke, paths[i].nstroke, range.strokeOffset, range.strokeCount);
  }
  call->triangleOffset = offset;
  call->triangleCount = extra;
  return call;
}
} // namespace

void CanvasGLBackend::QueueFill(void* user, const CanvasPaint* paint, CanvasComposite composite,
                                const CanvasClip* scissor, float fringe, const float* bounds,
                                const CanvasFlatPath* paths, int npaths)
{
  auto* b = static_cast<CanvasGLBackend*>(user);
  if (b->QueueClearInstead(paint, composite, scissor, bounds, paths, npaths))
    return;
  const QueueMark mark = Mark(*b);
  // One convex path needs no stencil and so no cover quad.
  const bool convex = npaths == 1 && paths[0].convex;
  CanvasGLCall* call = NewPathCall(*b, convex ? kCanvasGLConvexFill : kCanvasGLFill, paint, composite, paths, npaths,
                                   true, convex ? 0 : 4);
  if (!call)
    return;

  int paintBlock = -1;
  if (convex)
  {
    call->uniformOffset = b->ReserveUniforms(1);
    paintBlock = call->uniformOffset;
  }
  else
  {
    // The cover quad over the bounds, drawn where the stencil is set.
    CanvasVertex* quad = &b->verts[call->triangleOffset];
    quad[0] = CanvasVertex{bounds[2], bounds[3], 0.5f, 1.0f};
    quad[1] = CanvasVertex{bounds[2], bounds[1], 0.5f, 1.0f};
    quad[2] = CanvasVertex{bounds[0], bounds[3], 0.5f, 1.0f};
    quad[3] = CanvasVertex{bounds[0], bounds[1], 0.5f, 1.0f};

    call->uniformOffset = b->ReserveUniforms(2);
    if (call->uniformOffset != -1)
    {
      CanvasGLFragUniforms* stencil = b->UniformsAt(call->uniformOffset);
      std::memset(stencil, 0, sizeof(*stencil));
      stencil->strokeThr = -1.0f;
      stencil->type = 2.f;
      paintBlock = call->uniformOffset + b->fragSize;
    }
  }
  if (paintBlock == -1 || !b->PaintToUniforms(b->UniformsAt(paintBlock), paint, scissor, fringe, fringe, -1.0f))
    Rollback(*b, mark);
}

void CanvasGLBackend::QueueStroke(void* user, const CanvasPaint* paint, CanvasComposite composite,
                                  const CanvasClip* scissor, float fringe, float strokeWidth,
                                  const CanvasFlatPath* paths, int npaths)
{
  auto* b = static_cast<CanvasGLBackend*>(user);
  const QueueMark mark = Mark(*b);
  CanvasGLCall* call = NewPathCall(*b, kCanvasGLStroke, paint, composite, paths, npaths, false, 0);
  if (!call)
    return;
  // Stencil strokes draw the solid middle with a second block first.
  const bool stencil = (b->flags & kCanvasGLStencilStrokes) != 0;
  call->uniformOffset = b->ReserveUniforms(stencil ? 2 : 1);
  bool ok = call->uniformOffset != -1 &&
            b->PaintToUniforms(b->UniformsAt(call->uniformOffset), paint, scissor, strokeWidth, fringe, -1.0f);
  if (ok && stencil)
    ok = b->PaintToUniforms(b->UniformsAt(call->uniformOffset + b->fragSize), paint, scissor, strokeWidth, fringe,
                            1.0f - 0.5f / 255.0f);
  if (!ok)
    Rollback(*b, mark);
}

void CanvasGLBackend::QueueTriangles(void* user, const CanvasPaint* paint, CanvasComposite composite,
                                     const CanvasClip* scissor, const CanvasVertex* verts, int nverts, float fringe)
{
  auto* b = static_cast<CanvasGLBackend*>(user);
  const QueueMark mark = Mark(*b);
  CanvasGLCall* call = NewPathCall(*b, kCanvasGLTriangles, paint, composite, nullptr, 0, false, nverts);
  if (!call)
    return;
  int at = call->triangleOffset;
  CopyRange(*b, at, verts, nverts, call->triangleOffset, call->triangleCount);
  call->uniformOffset = b->ReserveUniforms(1);
  if (call->uniformOffset == -1 ||
      !b->PaintToUniforms(b->UniformsAt(call->uniformOffset), paint, scissor, 1.0f, fringe, -1.0f))
    return Rollback(*b, mark);
  b->UniformsAt(call->uniformOffset)->type = 3.f;
}

void CanvasGLBackend::EmptyQueues()
{
  nverts = 0;
  npaths = 0;
  ncalls = 0;
  nuniforms = 0;
}

void CanvasGLBackend::DiscardFrame(void* user) { static_cast<CanvasGLBackend*>(user)->EmptyQueues(); }

} // namespace ifx::canvas
