#pragma once
// The glyph cache and text layout under the renderer's text drawing: fonts
// registered from bytes, glyphs rasterised with stb_truetype into one 8-bit
// alpha image packed by a skyline packer, UTF-8 strings walked into
// positioned quads, and string and line measurement. Plain data, UI thread
// only. Sizes are kept in tenths of a pixel (14.0 and 14.05 share glyphs).

#include <cstddef>
#include <cstdint>

struct stbtt_fontinfo; // the font library's record of a font

namespace ifx::canvas {

enum EGlyphStoreFlags
{
  kGlyphOriginTopLeft = 1
};

// Whether FetchGlyph may skip the bitmap (measuring) or must place it.
enum EGlyphBitmap
{
  kGlyphBitmapOptional = 1,
  kGlyphBitmapRequired = 2
};

struct GlyphStoreSetup
{
  int width, height; // of the atlas image
  int flags;         // EGlyphStoreFlags
};

// The skyline packer: the top edge of what is packed so far, as horizontal
// runs from left to right.
struct GlyphAtlasNode
{
  short x, y, width;
};

struct GlyphAtlas
{
  int width, height;
  GlyphAtlasNode* nodes;
  int nnodes, cnodes;

  static GlyphAtlas* Create(int width, int height, int capacity);
  static void Destroy(GlyphAtlas* atlas);
  // Back to one empty run across the new width.
  void Reset(int width, int height);

  // The lowest place (then the narrowest run) for a w x h rectangle.
  bool PlaceRect(int w, int h, int* x, int* y);
  bool RaiseShelf(int idx, int x, int y, int w, int h);
  bool InsertShelf(int idx, int x, int y, int w);
  void RemoveShelf(int idx);
  // The y a w x h rectangle would sit at from run i, or -1 when it does not fit.
  int FitAt(int i, int w, int h) const;
};

struct GlyphRecord
{
  uint32_t codepoint;
  int index; // in the font
  int next;  // in its hash chain, -1 ends it
  short size, blur;
  short x0, y0, x1, y1; // cell in the atlas; -1 based when not placed
  short xadv;           // tenths of a pixel
  short xoff, yoff;     // pixels, from the pen to the cell's corner
};

struct GlyphFont
{
  static constexpr int kMaxFallbacks = 20;
  static constexpr int kHashSize = 256;

  stbtt_fontinfo* info; // owned
  char name[64];
  const unsigned char* data; // not owned: the bytes stay the caller's
  int dataSize;
  float ascender, descender; // fractions of the font height (ascent - descent)
  float lineh;               // line height, the same fraction
  GlyphRecord* glyphs;
  int cglyphs, nglyphs;
  int lut[kHashSize];
  int fallbacks[kMaxFallbacks];
  int nfallbacks;
};

struct GlyphState
{
  int font;
  int align; // ECanvasAlign flags
  float size;
  float blur;
  float spacing;
};

struct GlyphQuad
{
  float x0, y0, s0, t0;
  float x1, y1, s1, t1;
};

// A walk over a string's glyphs.
struct GlyphCursor
{
  float x, y, nextx, nexty, scale, spacing;
  uint32_t codepoint;
  short isize, iblur;
  GlyphFont* font;
  int prevGlyphIndex;
  const char* str;
  const char* next;
  const char* end;
  uint32_t utf8state;
  int bitmapOption;
};

struct GlyphStore
{
  static constexpr int kScratchSize = 96000;

  GlyphStoreSetup params;
  float itw, ith; // inverse atlas size
  unsigned char* texData;
  int dirtyRect[4]; // x0, y0, x1, y1; empty is (width, height, 0, 0)
  GlyphFont** fonts;
  int nfonts, cfonts;
  GlyphAtlas* atlas;
  unsigned char* scratch; // the rasteriser's working memory, reset per glyph
  int nscratch;
  GlyphState state; // set by the renderer before each text operation

  static GlyphStore* Create(const GlyphStoreSetup& setup);
  static void Destroy(GlyphStore* store);

  // Font index, or -1 when the bytes are not a usable font. The bytes must
  // outlive the store.
  int RegisterFontBytes(const char* name, const unsigned char* bytes, int size, int faceIndex);
  int LookupFont(const char* name) const; // exact, case-sensitive
  GlyphFont* Font(int index) const { return index >= 0 && index < nfonts ? fonts[index] : nullptr; }

  // A glyph at a size in tenths, with its cell placed in the atlas when
  // required; null below 0.2 pixel, when the atlas is full or memory runs out.
  GlyphRecord* FetchGlyph(GlyphFont* font, uint32_t codepoint, short isize, short iblur, int bitmapOption);
  void GlyphQuadAt(GlyphFont* font, int prevGlyphIndex, const GlyphRecord* glyph, float scale, float spacing, float* x,
                   float y, GlyphQuad* q) const;
  float BaselineShift(const GlyphFont* font, int align, short isize) const;

  bool BeginWalk(GlyphCursor* cursor, float x, float y, const char* str, const char* end, int bitmapOption);
  // False at the end of the string. Otherwise a codepoint was read: its quad
  // is in q when prevGlyphIndex is not -1 (-1: no glyph, for a required
  // bitmap a full atlas).
  bool StepWalk(GlyphCursor* cursor, GlyphQuad* q);

  // The advance of the string; bounds (min x, min y, max x, max y) when asked.
  float MeasureRun(float x, float y, const char* str, const char* end, float* bounds);
  void MeasureLineExtent(float y, float* miny, float* maxy);

  // Takes the dirty rectangle (x0, y0, x1, y1) and empties it; false when
  // nothing changed since the last call.
  bool PushDirty(int* rect);

  // A new empty atlas of another size: the image reallocated zeroed, the
  // packer reset, every cached glyph of every font dropped and the solid
  // patch reserved again. False, with everything as it was, without memory.
  bool ResetAtlas(int width, int height);
  bool ReserveSolidPatch();

  // The rasteriser's allocator: from the scratch buffer, or the heap once
  // that is full.
  void* ScratchAlloc(size_t size);
  void ScratchFree(void* ptr);

private:
  void GrowDirty(int x0, int y0, int x1, int y1);
  GlyphRecord* NewGlyph(GlyphFont* font);
  bool ValidWalkFont(int font) const;
};

} // namespace ifx::canvas
