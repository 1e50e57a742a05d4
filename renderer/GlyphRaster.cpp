// Glyphs of the glyph store: found again through a 256-bucket hash per font,
// or measured, placed in the atlas, rasterised by stb_truetype and blurred.

#include <cmath>
#include <cstdlib>

#include "renderer/GlyphStore.h"

namespace {
void* RasterAlloc(void* store, size_t size) { return static_cast<ifx::canvas::GlyphStore*>(store)->ScratchAlloc(size); }
void RasterFree(void* store, void* ptr)
{
  if (ptr)
    static_cast<ifx::canvas::GlyphStore*>(store)->ScratchFree(ptr);
}
} // namespace

// The font library allocates through the store that owns the font.
#define STBTT_malloc(x, u) RasterAlloc((u), (x))
#define STBTT_free(x, u) RasterFree((u), (x))
#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC // the library's calls nothing here makes are left out
#include <stb_truetype.h>

#include "renderer/TrueTypeCalls.h"

namespace ifx::canvas {

namespace truetype {

int FontOffsetForIndex(const unsigned char* bytes, int index) { return stbtt_GetFontOffsetForIndex(bytes, index); }

bool InitFont(stbtt_fontinfo* info, const unsigned char* bytes, int offset)
{
  return stbtt_InitFont(info, bytes, offset) != 0;
}

void FontVMetrics(const stbtt_fontinfo* info, int* ascent, int* descent, int* lineGap)
{
  stbtt_GetFontVMetrics(info, ascent, descent, lineGap);
}

float ScaleForPixelHeight(const stbtt_fontinfo* info, float pixels) { return stbtt_ScaleForPixelHeight(info, pixels); }

int GlyphKernAdvance(const stbtt_fontinfo* info, int glyph1, int glyph2)
{
  return stbtt_GetGlyphKernAdvance(info, glyph1, glyph2);
}

} // namespace truetype

namespace {
constexpr int kMaxBlur = 20;

uint32_t HashCodepoint(uint32_t c)
{
  uint32_t h = c + ~(c << 15);
  h = (h ^ (h >> 10)) * 9u;
  h ^= h >> 6;
  h += ~(h << 11);
  h ^= h >> 16;
  return h;
}

// Float to the 16-bit fields of a glyph record without an out-of-range cast.
short ToShort(float v)
{
  if (!(v > -32768.f))
    return -32768;
  if (v > 32767.f)
    return 32767;
  return (short)v;
}

// One recursive smoothing pass along `count` lines of `length` pixels, `step`
// bytes between pixels and `lineStride` between lines: forward from the
// second pixel, then backward, with the ends cleared.
void BlurLines(unsigned char* dst, int count, int length, int step, int lineStride, int alpha)
{
  for (int line = 0; line < count; line++, dst += lineStride)
  {
    int z = 0;
    for (int i = 1; i < length; i++)
    {
      z += ((dst[i * step] << 7) - z) * alpha >> 16;
      dst[i * step] = (unsigned char)(z >> 7);
    }
    dst[(length - 1) * step] = 0;
    z = 0;
    for (int i = length - 2; i >= 0; i--)
    {
      z += ((dst[i * step] << 7) - z) * alpha >> 16;
      dst[i * step] = (unsigned char)(z >> 7);
    }
    dst[0] = 0;
  }
}

void BlurCell(unsigned char* dst, int w, int h, int stride, int blur)
{
  const float sigma = (float)blur * 0.57735f; // 1 / sqrt(3)
  const int alpha = (int)((1.0f - std::exp(-2.3f / (sigma + 1.0f))) * 65536.0f);
  // Across, down, across, down: close to a Gaussian.
  BlurLines(dst, h, w, 1, stride, alpha);
  BlurLines(dst, w, h, stride, 1, alpha);
  BlurLines(dst, h, w, 1, stride, alpha);
  BlurLines(dst, w, h, stride, 1, alpha);
}
} // namespace

GlyphRecord* GlyphStore::NewGlyph(GlyphFont* font)
{
  if (font->nglyphs + 1 > font->cglyphs)
  {
    const int cap = font->cglyphs == 0 ? 8 : font->cglyphs * 2;
    auto* grown = static_cast<GlyphRecord*>(std::realloc(font->glyphs, sizeof(GlyphRecord) * (size_t)cap));
    if (!grown)
      return nullptr;
    font->glyphs = grown;
    font->cglyphs = cap;
  }
  return &font->glyphs[font->nglyphs++];
}

GlyphRecord* GlyphStore::FetchGlyph(GlyphFont* font, uint32_t codepoint, short isize, short iblur, int bitmapOption)
{
  if (!font || isize < 2)
    return nullptr;
  if (iblur > kMaxBlur)
    iblur = kMaxBlur;
  if (iblur < 0)
    iblur = 0;
  const int pad = iblur + 2;
  nscratch = 0;

  const int bucket = (int)(HashCodepoint(codepoint) & (GlyphFont::kHashSize - 1));
  int found = font->lut[bucket];
  while (found != -1)
  {
    GlyphRecord& g = font->glyphs[found];
    if (g.codepoint == codepoint && g.size == isize && g.blur == iblur)
    {
      if (bitmapOption == kGlyphBitmapOptional || (g.x0 >= 0 && g.y0 >= 0))
        return &g;
      break; // measured before: place and rasterise it now
    }
    found = g.next;
  }

  GlyphFont* renderFont = font;
  int index = stbtt_FindGlyphIndex(font->info, (int)codepoint);
  for (int i = 0; index == 0 && i < font->nfallbacks; i++)
  {
    GlyphFont* fallback = Font(font->fallbacks[i]);
    const int fallbackIndex = fallback ? stbtt_FindGlyphIndex(fallback->info, (int)codepoint) : 0;
    if (fallbackIndex != 0)
    {
      index = fallbackIndex;
      renderFont = fallback;
    }
  }
  const float scale = stbtt_ScaleForPixelHeight(renderFont->info, (float)isize / 10.0f);
  int advance = 0, lsb = 0, x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  stbtt_GetGlyphHMetrics(renderFont->info, index, &advance, &lsb);
  stbtt_GetGlyphBitmapBox(renderFont->info, index, scale, scale, &x0, &y0, &x1, &y1);
  const int gw = x1 - x0 + pad * 2;
  const int gh = y1 - y0 + pad * 2;

  int gx = -1, gy = -1;
  if (bitmapOption == kGlyphBitmapRequired && !atlas->PlaceRect(gw, gh, &gx, &gy))
    return nullptr;

  GlyphRecord* glyph = nullptr;
  if (found != -1)
  {
    glyph = &font->glyphs[found];
  }
  else
  {
    glyph = NewGlyph(font);
    if (!glyph)
      return nullptr;
    glyph->codepoint = codepoint;
    glyph->size = isize;
    glyph->blur = iblur;
    glyph->next = font->lut[bucket];
    font->lut[bucket] = font->nglyphs - 1;
  }
  glyph->index = index;
  glyph->x0 = ToShort((float)gx);
  glyph->y0 = ToShort((float)gy);
  glyph->x1 = ToShort((float)(gx + gw));
  glyph->y1 = ToShort((float)(gy + gh));
  glyph->xadv = ToShort(scale * (float)advance * 10.0f);
  glyph->xoff = ToShort((float)(x0 - pad));
  glyph->yoff = ToShort((float)(y0 - pad));
  if (bitmapOption != kGlyphBitmapRequired)
    return glyph;

  const int stride = params.width;
  unsigned char* cell = texData + gx + gy * stride;
  stbtt_MakeGlyphBitmap(renderFont->info, cell + pad + pad * stride, gw - pad * 2, gh - pad * 2, stride, scale, scale,
                        index);
  // A clear border keeps linear filtering from bleeding in a neighbour.
  for (int y = 0; y < gh; y++)
  {
    cell[y * stride] = 0;
    cell[gw - 1 + y * stride] = 0;
  }
  for (int x = 0; x < gw; x++)
  {
    cell[x] = 0;
    cell[x + (gh - 1) * stride] = 0;
  }
  if (iblur > 0)
  {
    nscratch = 0;
    BlurCell(cell, gw, gh, stride, iblur);
  }
  GrowDirty(gx, gy, gx + gw, gy + gh);
  return glyph;
}

} // namespace ifx::canvas
