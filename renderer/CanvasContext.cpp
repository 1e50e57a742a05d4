#include "renderer/CanvasContext.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include "renderer/CanvasPaint.h"
#include "renderer/CanvasTransform.h"
#include "renderer/GlyphStore.h"

namespace ifx::canvas {

namespace {
constexpr int kInitCommands = 256;
constexpr int kInitPoints = 128;
constexpr int kInitPaths = 16;
constexpr int kInitVerts = 256;
constexpr int kFontAtlasSize = 512;

CanvasFlatCache* NewFlatCache()
{
  auto* c = static_cast<CanvasFlatCache*>(std::calloc(1, sizeof(CanvasFlatCache)));
  if (!c)
    return nullptr;
  c->points = static_cast<CanvasFlatPoint*>(std::malloc(sizeof(CanvasFlatPoint) * kInitPoints));
  c->paths = static_cast<CanvasFlatPath*>(std::malloc(sizeof(CanvasFlatPath) * kInitPaths));
  c->verts = static_cast<CanvasVertex*>(std::malloc(sizeof(CanvasVertex) * kInitVerts));
  c->cpoints = c->points ? kInitPoints : 0;
  c->cpaths = c->paths ? kInitPaths : 0;
  c->cverts = c->verts ? kInitVerts : 0;
  return c;
}

void FreeFlatCache(CanvasFlatCache* c)
{
  if (!c)
    return;
  std::free(c->points);
  std::free(c->paths);
  std::free(c->verts);
  std::free(c);
}
} // namespace

CanvasContext* CanvasContext::Create(const CanvasBackend& backend)
{
  auto* ctx = new (std::nothrow) CanvasContext();
  if (!ctx)
  {
    // The context owns the back end from here on, even when it fails.
    if (backend.tearDown)
      backend.tearDown(backend.user);
    return nullptr;
  }
  ctx->backend = backend;
  ctx->commands = static_cast<float*>(std::malloc(sizeof(float) * kInitCommands));
  ctx->ccommands = ctx->commands ? kInitCommands : 0;
  ctx->cache = NewFlatCache();
  if (!ctx->commands || !ctx->cache || !ctx->cache->points || !ctx->cache->paths || !ctx->cache->verts)
  {
    Destroy(ctx);
    return nullptr;
  }
  ctx->PushState();
  ctx->ResetState();
  ctx->SetDevicePixelRatio(1.f);

  if (!ctx->backend.setUp || !ctx->backend.setUp(ctx->backend.user))
  {
    Destroy(ctx);
    return nullptr;
  }
  ctx->glyphs = GlyphStore::Create(GlyphStoreSetup{kFontAtlasSize, kFontAtlasSize, kGlyphOriginTopLeft});
  if (!ctx->glyphs)
  {
    Destroy(ctx);
    return nullptr;
  }
  ctx->fontImages[0] = ctx->backend.makeTexture ? ctx->backend.makeTexture(ctx->backend.user, kCanvasTextureAlpha,
                                                                           kFontAtlasSize, kFontAtlasSize, 0, nullptr)
                                                : 0;
  if (ctx->fontImages[0] == 0)
  {
    Destroy(ctx);
    return nullptr;
  }
  ctx->fontImageIdx = 0;
  return ctx;
}

void CanvasContext::Destroy(CanvasContext* ctx)
{
  if (!ctx)
    return;
  std::free(ctx->commands);
  FreeFlatCache(ctx->cache);
  GlyphStore::Destroy(ctx->glyphs);
  for (int& image : ctx->fontImages)
  {
    if (image != 0 && ctx->backend.freeTexture)
      ctx->backend.freeTexture(ctx->backend.user, image);
    image = 0;
  }
  if (ctx->backend.tearDown)
    ctx->backend.tearDown(ctx->backend.user);
  delete ctx;
}

void CanvasContext::SetDevicePixelRatio(float ratio)
{
  // A zero or negative ratio would divide the tolerances by zero.
  if (!(ratio > 0.f))
    ratio = 1.f;
  tessTol = 0.25f / ratio;
  distTol = 0.01f / ratio;
  fringeWidth = 1.0f / ratio;
  devicePxRatio = ratio;
}

void CanvasContext::StartFrame(float width, float height, float devicePixelRatio)
{
  nstates = 0;
  PushState();
  ResetState();
  SetDevicePixelRatio(devicePixelRatio);
  backend.setViewSize(backend.user, width, height, devicePxRatio);
  drawCallCount = 0;
  fillTriCount = 0;
  strokeTriCount = 0;
  textTriCount = 0;
}

void CanvasContext::FinishFrame()
{
  backend.submitFrame(backend.user);

  // Keep only the newest font atlas once the atlas has grown during the
  // frame: older ones that are smaller go, the others stay packed in front.
  if (fontImageIdx == 0)
    return;
  const int current = fontImages[fontImageIdx];
  if (current == 0)
    return;
  int iw = 0, ih = 0;
  backend.queryTextureSize(backend.user, current, &iw, &ih);
  int kept = 0;
  for (int i = 0; i < fontImageIdx; i++)
  {
    if (fontImages[i] == 0)
      continue;
    int nw = 0, nh = 0;
    backend.queryTextureSize(backend.user, fontImages[i], &nw, &nh);
    if (nw < iw || nh < ih)
      backend.freeTexture(backend.user, fontImages[i]);
    else
      fontImages[kept++] = fontImages[i];
  }
  // The newest moves to slot 0, the kept ones follow it.
  for (int i = kept; i > 0; i--)
    fontImages[i] = fontImages[i - 1];
  fontImages[0] = current;
  for (int i = kept + 1; i <= fontImageIdx; i++)
    fontImages[i] = 0;
  fontImageIdx = 0;
}

// ---------------------------------------------------------------- state

void CanvasContext::PushState()
{
  if (nstates >= kMaxStates)
    return;
  if (nstates > 0)
    std::memcpy(&states[nstates], &states[nstates - 1], sizeof(CanvasState));
  nstates++;
}

void CanvasContext::ResetState()
{
  CanvasState& s = State();
  s = CanvasState{};
  s.composite = CanvasCompositeForOperation(kCanvasSourceOver);
  s.fill = CanvasColorPaint(CanvasRGBAf(1.f, 1.f, 1.f, 1.f));
  s.stroke = CanvasColorPaint(CanvasRGBAf(0.f, 0.f, 0.f, 1.f));
  s.shapeAntiAlias = 1;
  s.strokeWidth = 1.f;
  s.miterLimit = 10.f;
  s.lineJoin = kCanvasMiter;
  s.lineCap = kCanvasButt;
  s.alpha = 1.f;
  CanvasTransformIdentity(s.xform);
  s.scissor.extent[0] = -1.f;
  s.scissor.extent[1] = -1.f;
  s.fontSize = 16.f;
  s.letterSpacing = 0.f;
  s.lineHeight = 1.f;
  s.fontBlur = 0.f;
  s.textAlign = kCanvasAlignLeft | kCanvasAlignBaseline;
  s.fontId = 0;
}

void CanvasContext::SetCompositeOperation(int op) { State().composite = CanvasCompositeForOperation(op); }

void CanvasContext::SetCompositeBlend(int srcFactor, int dstFactor)
{
  State().composite = CanvasCompositeForFactors(srcFactor, dstFactor);
}

void CanvasContext::SetFillColor(CanvasColor color) { State().fill = CanvasColorPaint(color); }

namespace {
// Paints are built in user space: they take the transform current now. A
// gradient that transform carries beyond single precision has nowhere to
// start from: it paints its outer colour, as one without a direction does.
void TakePaint(CanvasPaint& slot, const CanvasPaint& paint, const float* xform)
{
  slot = paint;
  CanvasConcatTransform(slot.xform, xform);
  if (slot.image != 0)
    return;
  for (int i = 0; i < 6; ++i)
    if (!std::isfinite(slot.xform[i]))
    {
      slot = CanvasColorPaint(paint.outerColor);
      return;
    }
}
} // namespace

void CanvasContext::SetFillPaint(const CanvasPaint& paint) { TakePaint(State().fill, paint, State().xform); }

void CanvasContext::SetStrokeColor(CanvasColor color) { State().stroke = CanvasColorPaint(color); }

void CanvasContext::SetStrokePaint(const CanvasPaint& paint) { TakePaint(State().stroke, paint, State().xform); }

void CanvasContext::ResetTransform() { CanvasTransformIdentity(State().xform); }

namespace {
void PremultiplyTransform(CanvasState& s, float* op)
{
  CanvasConcatTransform(op, s.xform);
  std::memcpy(s.xform, op, sizeof(float) * 6);
}
} // namespace

void CanvasContext::Translate(float x, float y)
{
  float t[6];
  CanvasTransformTranslate(t, x, y);
  PremultiplyTransform(State(), t);
}

void CanvasContext::Scale(float x, float y)
{
  float t[6];
  CanvasTransformScale(t, x, y);
  PremultiplyTransform(State(), t);
}

void CanvasContext::Rotate(float angle)
{
  float t[6];
  CanvasTransformRotate(t, angle);
  PremultiplyTransform(State(), t);
}

void CanvasContext::MultiplyTransform(float a, float b, float c, float d, float e, float f)
{
  float t[6] = {a, b, c, d, e, f};
  PremultiplyTransform(State(), t);
}

void CanvasContext::SetClipRect(float x, float y, float w, float h)
{
  CanvasState& s = State();
  if (w < 0.f)
    w = 0.f;
  if (h < 0.f)
    h = 0.f;
  CanvasTransformTranslate(s.scissor.xform, x + w * 0.5f, y + h * 0.5f);
  CanvasConcatTransform(s.scissor.xform, s.xform);
  s.scissor.extent[0] = w * 0.5f;
  s.scissor.extent[1] = h * 0.5f;
}

} // namespace ifx::canvas
