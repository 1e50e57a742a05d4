// The glyph store: lifetime, fonts, the atlas image and its dirty region.

#include "renderer/GlyphStore.h"

#include <stb_truetype.h>

#include "renderer/TrueTypeCalls.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace ifx::canvas {

namespace {
constexpr int kInitFonts = 4;
constexpr int kInitGlyphs = 256;
constexpr int kInitAtlasNodes = 256;

uint32_t ReadU32(const unsigned char* p)
{
  return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}
uint32_t ReadU16(const unsigned char* p) { return (uint32_t)p[0] << 8 | p[1]; }

// The font library trusts its input: it reads the table directory and the
// tables it names without knowing the size. Refuse bytes whose directory or
// tables reach past the end before handing them over.
int CheckedFaceOffset(const unsigned char* bytes, int size, int faceIndex)
{
  if (!bytes || size < 12 || faceIndex < 0)
    return -1;
  if (std::memcmp(bytes, "ttcf", 4) == 0)
  {
    const uint32_t nfonts = ReadU32(bytes + 8);
    if ((uint32_t)faceIndex >= nfonts || 16 + 4 * (int64_t)faceIndex > size)
      return -1;
  }
  const int offset = truetype::FontOffsetForIndex(bytes, faceIndex);
  if (offset < 0 || (int64_t)offset + 12 > size)
    return -1;
  const uint32_t ntables = ReadU16(bytes + offset + 4);
  if ((int64_t)offset + 12 + 16 * (int64_t)ntables > size)
    return -1;
  for (uint32_t i = 0; i < ntables; i++)
  {
    const unsigned char* entry = bytes + offset + 12 + 16 * i;
    if ((int64_t)ReadU32(entry + 8) + ReadU32(entry + 12) > size)
      return -1;
  }
  return offset;
}

void FreeFont(GlyphFont* font)
{
  if (!font)
    return;
  std::free(font->glyphs);
  std::free(font->info);
  std::free(font);
}
} // namespace

GlyphStore* GlyphStore::Create(const GlyphStoreSetup& setup)
{
  if (setup.width <= 0 || setup.height <= 0 || setup.width > 0x7fff || setup.height > 0x7fff)
    return nullptr;
  auto* store = static_cast<GlyphStore*>(std::calloc(1, sizeof(GlyphStore)));
  if (!store)
    return nullptr;
  store->params = setup;
  store->scratch = static_cast<unsigned char*>(std::malloc(kScratchSize));
  store->atlas = GlyphAtlas::Create(setup.width, setup.height, kInitAtlasNodes);
  store->fonts = static_cast<GlyphFont**>(std::calloc(kInitFonts, sizeof(GlyphFont*)));
  store->cfonts = store->fonts ? kInitFonts : 0;
  store->texData = static_cast<unsigned char*>(std::calloc((size_t)setup.width * (size_t)setup.height, 1));
  if (!store->scratch || !store->atlas || !store->fonts || !store->texData)
  {
    Destroy(store);
    return nullptr;
  }
  store->itw = 1.0f / (float)setup.width;
  store->ith = 1.0f / (float)setup.height;
  store->dirtyRect[0] = setup.width;
  store->dirtyRect[1] = setup.height;
  store->dirtyRect[2] = 0;
  store->dirtyRect[3] = 0;
  if (!store->ReserveSolidPatch())
  {
    Destroy(store);
    return nullptr;
  }
  store->state = GlyphState{0, 1 | 64, 12.f, 0.f, 0.f}; // left | baseline
  return store;
}

void GlyphStore::Destroy(GlyphStore* store)
{
  if (!store)
    return;
  for (int i = 0; i < store->nfonts; i++)
    FreeFont(store->fonts[i]);
  GlyphAtlas::Destroy(store->atlas);
  std::free(store->fonts);
  std::free(store->texData);
  std::free(store->scratch);
  std::free(store);
}

int GlyphStore::RegisterFontBytes(const char* name, const unsigned char* bytes, int size, int faceIndex)
{
  const int offset = CheckedFaceOffset(bytes, size, faceIndex);
  if (offset < 0)
    return -1;

  if (nfonts + 1 > cfonts)
  {
    const int cap = cfonts == 0 ? 8 : cfonts * 2;
    auto* grown = static_cast<GlyphFont**>(std::realloc(fonts, sizeof(GlyphFont*) * (size_t)cap));
    if (!grown)
      return -1;
    fonts = grown;
    cfonts = cap;
  }
  auto* font = static_cast<GlyphFont*>(std::calloc(1, sizeof(GlyphFont)));
  if (!font)
    return -1;
  font->glyphs = static_cast<GlyphRecord*>(std::malloc(sizeof(GlyphRecord) * kInitGlyphs));
  font->info = static_cast<stbtt_fontinfo*>(std::calloc(1, sizeof(stbtt_fontinfo)));
  if (!font->glyphs || !font->info)
  {
    FreeFont(font);
    return -1;
  }
  font->cglyphs = kInitGlyphs;
  std::fill(font->lut, font->lut + GlyphFont::kHashSize, -1);
  if (name)
  {
    std::strncpy(font->name, name, sizeof(font->name) - 1);
    font->name[sizeof(font->name) - 1] = '\0';
  }
  font->data = bytes;
  font->dataSize = size;

  // The rasteriser allocates through the store while it works.
  font->info->userdata = this;
  nscratch = 0;
  if (!truetype::InitFont(font->info, bytes, offset))
  {
    FreeFont(font);
    return -1;
  }
  int ascent = 0, descent = 0, lineGap = 0;
  truetype::FontVMetrics(font->info, &ascent, &descent, &lineGap);
  const int height = ascent - descent;
  // A font without height would make every scale infinite.
  if (height <= 0)
  {
    FreeFont(font);
    return -1;
  }
  font->ascender = (float)ascent / (float)height;
  font->descender = (float)descent / (float)height;
  font->lineh = (float)(height + lineGap) / (float)height;

  fonts[nfonts] = font;
  return nfonts++;
}

int GlyphStore::LookupFont(const char* name) const
{
  if (!name)
    return -1;
  for (int i = 0; i < nfonts; i++)
    if (std::strcmp(fonts[i]->name, name) == 0)
      return i;
  return -1;
}

void GlyphStore::GrowDirty(int x0, int y0, int x1, int y1)
{
  dirtyRect[0] = std::min(dirtyRect[0], x0);
  dirtyRect[1] = std::min(dirtyRect[1], y0);
  dirtyRect[2] = std::max(dirtyRect[2], x1);
  dirtyRect[3] = std::max(dirtyRect[3], y1);
}

bool GlyphStore::PushDirty(int* rect)
{
  if (dirtyRect[0] >= dirtyRect[2] || dirtyRect[1] >= dirtyRect[3])
    return false;
  for (int i = 0; i < 4; i++)
    rect[i] = dirtyRect[i];
  dirtyRect[0] = params.width;
  dirtyRect[1] = params.height;
  dirtyRect[2] = 0;
  dirtyRect[3] = 0;
  return true;
}

bool GlyphStore::ReserveSolidPatch()
{
  int gx = 0, gy = 0;
  if (!atlas->PlaceRect(2, 2, &gx, &gy))
    return false;
  const int w = params.width;
  texData[gx + gy * w] = 255;
  texData[gx + 1 + gy * w] = 255;
  texData[gx + (gy + 1) * w] = 255;
  texData[gx + 1 + (gy + 1) * w] = 255;
  GrowDirty(gx, gy, gx + 2, gy + 2);
  return true;
}

bool GlyphStore::ResetAtlas(int width, int height)
{
  if (width <= 0 || height <= 0 || width > 0x7fff || height > 0x7fff)
    return false;
  auto* data = static_cast<unsigned char*>(std::calloc((size_t)width * (size_t)height, 1));
  if (!data)
    return false;
  std::free(texData);
  texData = data;
  params.width = width;
  params.height = height;
  itw = 1.0f / (float)width;
  ith = 1.0f / (float)height;
  atlas->Reset(width, height);

  // Every cached glyph points into the old image.
  for (int i = 0; i < nfonts; i++)
  {
    fonts[i]->nglyphs = 0;
    std::fill(fonts[i]->lut, fonts[i]->lut + GlyphFont::kHashSize, -1);
  }
  dirtyRect[0] = width;
  dirtyRect[1] = height;
  dirtyRect[2] = 0;
  dirtyRect[3] = 0;
  // A fresh atlas of a positive size always has room for the patch.
  return ReserveSolidPatch();
}

void* GlyphStore::ScratchAlloc(size_t size)
{
  // Aligned for any type the rasteriser stores.
  const size_t aligned = (size + 0xf) & ~(size_t)0xf;
  if (aligned >= size && aligned <= (size_t)(kScratchSize - nscratch))
  {
    void* ptr = scratch + nscratch;
    nscratch += (int)aligned;
    return ptr;
  }
  return std::malloc(size > 0 ? size : 1);
}

void GlyphStore::ScratchFree(void* ptr)
{
  const auto p = reinterpret_cast<uintptr_t>(ptr);
  const auto first = reinterpret_cast<uintptr_t>(scratch);
  if (p >= first && p < first + kScratchSize)
    return; // the scratch buffer is reset per glyph
  std::free(ptr);
}

} // namespace ifx::canvas
