// Text of the renderer: strings walked through the glyph store and drawn as
// textured triangles from the font atlas image, which grows (up to four
// images, 2048 pixels a side) when a frame's glyphs do not fit.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "renderer/CanvasContext.h"
#include "renderer/CanvasTransform.h"
#include "renderer/GlyphStore.h"

namespace ifx::canvas {

namespace {
constexpr int kMaxAtlasSide = 2048;
} // namespace

float CanvasTextScaleOf(const float* xform)
{
  const float scale = CanvasAverageScale(xform);
  return std::min(std::floor(scale / 0.01f + 0.5f) * 0.01f, 4.0f);
}

float CanvasContext::SetGlyphState()
{
  const CanvasState& s = State();
  if (s.fontId < 0)
    return 0.f;
  const float f = CanvasTextScaleOf(s.xform) * devicePxRatio;
  // A collapsed or broken transform has nothing to draw text at.
  if (!(f > 0.f) || !std::isfinite(f))
    return 0.f;
  glyphs->state = GlyphState{s.fontId, s.textAlign, s.fontSize * f, s.fontBlur * f, s.letterSpacing * f};
  return f;
}

void CanvasContext::UploadGlyphTexture()
{
  int rect[4];
  if (glyphs->PushDirty(rect) && fontImages[fontImageIdx] != 0)
    backend.writeTexture(backend.user, fontImages[fontImageIdx], rect[0], rect[1], rect[2] - rect[0], rect[3] - rect[1],
                         glyphs->texData);
}

bool CanvasContext::GrowGlyphTexture()
{
  UploadGlyphTexture();
  if (fontImageIdx >= kMaxFontImages - 1)
    return false;
  int iw = 0, ih = 0;
  int& next = fontImages[fontImageIdx + 1];
  if (next != 0)
  {
    backend.queryTextureSize(backend.user, next, &iw, &ih);
  }
  else
  {
    backend.queryTextureSize(backend.user, fontImages[fontImageIdx], &iw, &ih);
    if (iw > ih)
      ih *= 2;
    else
      iw *= 2;
    if (iw > kMaxAtlasSide || ih > kMaxAtlasSide)
      iw = ih = kMaxAtlasSide;
    next = backend.makeTexture(backend.user, kCanvasTextureAlpha, iw, ih, 0, nullptr);
    if (next == 0)
      return false;
  }
  if (!glyphs->ResetAtlas(iw, ih))
    return false;
  fontImageIdx++;
  return true;
}

void CanvasContext::SubmitGlyphQuads(const CanvasVertex* verts, int nverts)
{
  const CanvasState& s = State();
  CanvasPaint paint = s.fill;
  paint.image = fontImages[fontImageIdx];
  paint.innerColor.a *= s.alpha;
  paint.outerColor.a *= s.alpha;
  backend.queueTriangles(backend.user, &paint, s.composite, &s.scissor, verts, nverts, fringeWidth);
  drawCallCount++;
  textTriCount += nverts / 3;
}

float CanvasContext::DrawString(float x, float y, const char* text, const char* end)
{
  if (!text || !std::isfinite(x) || !std::isfinite(y))
    return x;
  const float f = SetGlyphState();
  // Below 0.2 pixel there are no glyphs; that is not a full atlas to grow.
  if (f == 0.f || !(glyphs->state.size * 10.0f >= 2.0f))
    return x;
  const float invf = 1.0f / f;
  if (!end)
    end = text + std::strlen(text);
  const long long length = (long long)(end - text);
  if (length <= 0 || length > (1 << 24))
    return x;

  const int budget = (int)std::max(2LL, length) * 6;
  CanvasVertex* verts = ReserveVertices(budget);
  if (!verts)
    return x;
  const int cverts = std::min(budget, cache->cverts);
  int nverts = 0;

  GlyphCursor iter, prevIter;
  GlyphQuad q;
  if (!glyphs->BeginWalk(&iter, x * f, y * f, text, end, kGlyphBitmapRequired))
    return x;
  prevIter = iter;
  const float* t = State().xform;
  while (glyphs->StepWalk(&iter, &q))
  {
    if (iter.prevGlyphIndex == -1)
    {
      // The atlas is full: draw what is queued from this image, then move to
      // a larger one and place this glyph again.
      if (nverts != 0)
      {
        SubmitGlyphQuads(verts, nverts);
        nverts = 0;
      }
      if (!GrowGlyphTexture())
        break;
      iter = prevIter;
      glyphs->StepWalk(&iter, &q);
      if (iter.prevGlyphIndex == -1)
        break;
    }
    prevIter = iter;
    float c[8];
    CanvasTransformPoint(&c[0], &c[1], t, q.x0 * invf, q.y0 * invf);
    CanvasTransformPoint(&c[2], &c[3], t, q.x1 * invf, q.y0 * invf);
    CanvasTransformPoint(&c[4], &c[5], t, q.x1 * invf, q.y1 * invf);
    CanvasTransformPoint(&c[6], &c[7], t, q.x0 * invf, q.y1 * invf);
    if (nverts + 6 > cverts)
      continue;
    // Two triangles, counter-clockwise on screen as the back end's culling wants.
    verts[nverts++] = CanvasVertex{c[0], c[1], q.s0, q.t0};
    verts[nverts++] = CanvasVertex{c[4], c[5], q.s1, q.t1};
    verts[nverts++] = CanvasVertex{c[2], c[3], q.s1, q.t0};
    verts[nverts++] = CanvasVertex{c[0], c[1], q.s0, q.t0};
    verts[nverts++] = CanvasVertex{c[6], c[7], q.s0, q.t1};
    verts[nverts++] = CanvasVertex{c[4], c[5], q.s1, q.t1};
  }
  UploadGlyphTexture();
  if (nverts > 0)
    SubmitGlyphQuads(verts, nverts);
  return iter.nextx * invf;
}

float CanvasContext::MeasureString(float x, float y, const char* text, const char* end, float* bounds)
{
  const float f = SetGlyphState();
  float b[4] = {0.f, 0.f, 0.f, 0.f};
  float advance = 0.f;
  if (f != 0.f && text)
  {
    advance = glyphs->MeasureRun(x * f, y * f, text, end, b) / f;
    glyphs->MeasureLineExtent(y * f, &b[1], &b[3]);
    for (float& v : b)
      v /= f;
  }
  if (bounds)
    std::memcpy(bounds, b, sizeof(b));
  return advance;
}

void CanvasContext::GetLineHeight(float* lineh)
{
  const float f = SetGlyphState();
  const GlyphFont* font = f != 0.f ? glyphs->Font(State().fontId) : nullptr;
  if (!font || !lineh)
    return;
  const float tenths = std::min(std::floor(State().fontSize * f * 10.0f), 32767.0f);
  *lineh = font->lineh * std::max(tenths, 0.0f) / 10.0f / f;
}

} // namespace ifx::canvas
