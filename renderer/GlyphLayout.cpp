// Text layout of the glyph store: UTF-8 decoding, glyph quads with kerning,
// baseline alignment, the glyph walk and measurement.

#include "renderer/TrueTypeCalls.h"

#include <cmath>
#include <cstring>

#include "renderer/GlyphStore.h"

namespace ifx::canvas {

namespace {
// Alignment flags as the renderer passes them.
constexpr int kAlignCenter = 2, kAlignRight = 4;
constexpr int kAlignTop = 8, kAlignMiddle = 16, kAlignBottom = 32, kAlignBaseline = 64;

// ---------------------------------------------------------------- UTF-8
// A byte-at-a-time decoder. State 0 accepts a codepoint; 12 rejects and
// stays rejected, so the rest of the string gives no codepoints. The other
// states wait for continuation bytes, some within a narrower range that
// rules out overlong forms, surrogates and values beyond U+10FFFF.
enum EUtf8State : uint32_t
{
  kUtf8Accept = 0,
  kUtf8Reject = 12,
  kUtf8Need1 = 24,   // one more 80..BF
  kUtf8Need2 = 36,   // two more
  kUtf8Need3 = 48,   // three more
  kUtf8AfterE0 = 60, // A0..BF, then one more
  kUtf8AfterED = 72, // 80..9F, then one more
  kUtf8AfterF0 = 84, // 90..BF, then two more
  kUtf8AfterF4 = 96, // 80..8F, then two more
};

uint32_t DecodeUtf8(uint32_t* state, uint32_t* cp, unsigned char byte)
{
  auto take = [&](unsigned char lo, unsigned char hi, uint32_t next) {
    if (byte < lo || byte > hi)
      return *state = kUtf8Reject;
    *cp = (*cp << 6) | (byte & 0x3fu);
    return *state = next;
  };
  switch (*state)
  {
    case kUtf8Accept:
      if (byte < 0x80)
      {
        *cp = byte;
        return *state = kUtf8Accept;
      }
      if (byte >= 0xc2 && byte <= 0xdf)
      {
        *cp = byte & 0x1fu;
        return *state = kUtf8Need1;
      }
      if (byte >= 0xe0 && byte <= 0xef)
      {
        *cp = byte & 0x0fu;
        return *state = byte == 0xe0 ? kUtf8AfterE0 : byte == 0xed ? kUtf8AfterED : kUtf8Need2;
      }
      if (byte >= 0xf0 && byte <= 0xf4)
      {
        *cp = byte & 0x07u;
        return *state = byte == 0xf0 ? kUtf8AfterF0 : byte == 0xf4 ? kUtf8AfterF4 : kUtf8Need3;
      }
      return *state = kUtf8Reject;
    case kUtf8Need1: return take(0x80, 0xbf, kUtf8Accept);
    case kUtf8Need2: return take(0x80, 0xbf, kUtf8Need1);
    case kUtf8Need3: return take(0x80, 0xbf, kUtf8Need2);
    case kUtf8AfterE0: return take(0xa0, 0xbf, kUtf8Need1);
    case kUtf8AfterED: return take(0x80, 0x9f, kUtf8Need1);
    case kUtf8AfterF0: return take(0x90, 0xbf, kUtf8Need2);
    case kUtf8AfterF4: return take(0x80, 0x8f, kUtf8Need2);
    default: return *state = kUtf8Reject;
  }
}

// Truncation towards zero, as the layout positions glyphs, without an
// out-of-range or NaN cast.
int TruncToInt(float v)
{
  if (!(v > -1e9f))
    return v != v ? 0 : -1000000000;
  if (v > 1e9f)
    return 1000000000;
  return (int)v;
}

short SizeInTenths(float size)
{
  const float t = size * 10.0f;
  if (!(t > 0.f))
    return 0;
  return t > 32767.f ? (short)32767 : (short)t;
}

// Whole pixels of blur; the glyph cache caps them further.
short BlurOf(float blur)
{
  if (!(blur > 0.f))
    return 0;
  return blur > 1000.f ? (short)1000 : (short)blur;
}
} // namespace

void GlyphStore::GlyphQuadAt(GlyphFont* font, int prevGlyphIndex, const GlyphRecord* glyph, float scale, float spacing,
                             float* x, float y, GlyphQuad* q) const
{
  if (prevGlyphIndex != -1)
  {
    const float kern = (float)truetype::GlyphKernAdvance(font->info, prevGlyphIndex, glyph->index) * scale;
    *x += (float)TruncToInt(kern + spacing + 0.5f);
  }
  // The cell's outermost texels are the cleared border.
  const int innerW = glyph->x1 - glyph->x0 - 2;
  const int innerH = glyph->y1 - glyph->y0 - 2;
  const float s0 = (float)(glyph->x0 + 1) * itw, s1 = (float)(glyph->x1 - 1) * itw;
  const float t0 = (float)(glyph->y0 + 1) * ith, t1 = (float)(glyph->y1 - 1) * ith;
  const int rx = TruncToInt(*x + (float)glyph->xoff + 1.0f);
  q->x0 = (float)rx;
  q->x1 = (float)(rx + innerW);
  q->s0 = s0;
  q->s1 = s1;
  if (params.flags & kGlyphOriginTopLeft)
  {
    const int ry = TruncToInt(y + (float)glyph->yoff + 1.0f);
    q->y0 = (float)ry;
    q->y1 = (float)(ry + innerH);
    q->t0 = t0;
    q->t1 = t1;
  }
  else
  {
    const int ry = TruncToInt(y - (float)glyph->yoff - 1.0f);
    q->y0 = (float)ry;
    q->y1 = (float)(ry - innerH);
    q->t0 = t1;
    q->t1 = t0;
  }
  *x += (float)TruncToInt((float)glyph->xadv / 10.0f + 0.5f);
}

float GlyphStore::BaselineShift(const GlyphFont* font, int align, short isize) const
{
  const float size = (float)isize / 10.0f;
  float shift = 0.f;
  if (align & kAlignTop)
    shift = font->ascender * size;
  else if (align & kAlignMiddle)
    shift = (font->ascender + font->descender) / 2.0f * size;
  else if (align & kAlignBaseline)
    shift = 0.f;
  else if (align & kAlignBottom)
    shift = font->descender * size;
  return (params.flags & kGlyphOriginTopLeft) ? shift : -shift;
}

bool GlyphStore::ValidWalkFont(int font) const { return font >= 0 && font < nfonts && fonts[font]->data != nullptr; }

bool GlyphStore::BeginWalk(GlyphCursor* cursor, float x, float y, const char* str, const char* end, int bitmapOption)
{
  if (!ValidWalkFont(state.font) || !str || !std::isfinite(x) || !std::isfinite(y))
    return false;
  std::memset(cursor, 0, sizeof(*cursor));
  GlyphFont* font = fonts[state.font];
  cursor->isize = SizeInTenths(state.size);
  cursor->iblur = BlurOf(state.blur);
  cursor->scale = truetype::ScaleForPixelHeight(font->info, (float)cursor->isize / 10.0f);
  if (!end)
    end = str + std::strlen(str);

  if (state.align & kAlignRight)
    x -= MeasureRun(x, y, str, end, nullptr);
  else if (state.align & kAlignCenter)
    x -= MeasureRun(x, y, str, end, nullptr) * 0.5f;
  y += BaselineShift(font, state.align, cursor->isize);

  cursor->x = cursor->nextx = x;
  cursor->y = cursor->nexty = y;
  cursor->spacing = state.spacing;
  cursor->font = font;
  cursor->prevGlyphIndex = -1;
  cursor->str = str;
  cursor->next = str;
  cursor->end = end;
  cursor->utf8state = kUtf8Accept;
  cursor->bitmapOption = bitmapOption;
  return true;
}

bool GlyphStore::StepWalk(GlyphCursor* cursor, GlyphQuad* q)
{
  const char* s = cursor->next;
  cursor->str = s;
  while (s < cursor->end)
  {
    const unsigned char byte = (unsigned char)*s++;
    if (DecodeUtf8(&cursor->utf8state, &cursor->codepoint, byte) != kUtf8Accept)
      continue;
    cursor->x = cursor->nextx;
    cursor->y = cursor->nexty;
    GlyphRecord* glyph =
      FetchGlyph(cursor->font, cursor->codepoint, cursor->isize, cursor->iblur, cursor->bitmapOption);
    if (glyph)
      GlyphQuadAt(cursor->font, cursor->prevGlyphIndex, glyph, cursor->scale, cursor->spacing, &cursor->nextx,
                  cursor->nexty, q);
    cursor->prevGlyphIndex = glyph ? glyph->index : -1;
    cursor->next = s;
    return true;
  }
  // The end, or only an unfinished or rejected sequence before it.
  cursor->next = cursor->end;
  return false;
}

float GlyphStore::MeasureRun(float x, float y, const char* str, const char* end, float* bounds)
{
  if (!ValidWalkFont(state.font) || !str || !std::isfinite(x) || !std::isfinite(y))
    return 0.f;
  GlyphFont* font = fonts[state.font];
  const short isize = SizeInTenths(state.size);
  const short iblur = BlurOf(state.blur);
  const float scale = truetype::ScaleForPixelHeight(font->info, (float)isize / 10.0f);
  if (!end)
    end = str + std::strlen(str);

  y += BaselineShift(font, state.align, isize);
  const bool topLeft = (params.flags & kGlyphOriginTopLeft) != 0;
  float minx = x, maxx = x, miny = y, maxy = y;
  const float startx = x;
  int prevGlyphIndex = -1;
  uint32_t utf8state = kUtf8Accept, codepoint = 0;
  for (const char* s = str; s < end; s++)
  {
    if (DecodeUtf8(&utf8state, &codepoint, (unsigned char)*s) != kUtf8Accept)
      continue;
    const GlyphRecord* glyph = FetchGlyph(font, codepoint, isize, iblur, kGlyphBitmapOptional);
    if (glyph)
    {
      GlyphQuad q;
      GlyphQuadAt(font, prevGlyphIndex, glyph, scale, state.spacing, &x, y, &q);
      minx = q.x0 < minx ? q.x0 : minx;
      maxx = q.x1 > maxx ? q.x1 : maxx;
      const float top = topLeft ? q.y0 : q.y1, bottom = topLeft ? q.y1 : q.y0;
      miny = top < miny ? top : miny;
      maxy = bottom > maxy ? bottom : maxy;
    }
    prevGlyphIndex = glyph ? glyph->index : -1;
  }

  const float advance = x - startx;
  if (state.align & kAlignRight)
  {
    minx -= advance;
    maxx -= advance;
  }
  else if (state.align & kAlignCenter)
  {
    minx -= advance * 0.5f;
    maxx -= advance * 0.5f;
  }
  if (bounds)
  {
    bounds[0] = minx;
    bounds[1] = miny;
    bounds[2] = maxx;
    bounds[3] = maxy;
  }
  return advance;
}

void GlyphStore::MeasureLineExtent(float y, float* miny, float* maxy)
{
  if (!ValidWalkFont(state.font))
    return;
  const GlyphFont* font = fonts[state.font];
  const short isize = SizeInTenths(state.size);
  const float size = (float)isize / 10.0f;
  y += BaselineShift(font, state.align, isize);
  if (params.flags & kGlyphOriginTopLeft)
  {
    *miny = y - font->ascender * size;
    *maxy = *miny + font->lineh * size;
  }
  else
  {
    *maxy = y + font->descender * size;
    *miny = *maxy - font->lineh * size;
  }
}

} // namespace ifx::canvas
