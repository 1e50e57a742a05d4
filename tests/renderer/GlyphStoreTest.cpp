// The glyph store on Debian's Roboto: packing, fonts from bytes, glyph cache,
// layout against the font's own metrics, UTF-8, atlas reset and the
// rasteriser's memory.
#include <gtest/gtest.h>
// The test's own copy of the font library: the oracle for the metrics the
// renderer's copy (internal to it) gives.
#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb_truetype.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "renderer/CanvasTypes.h"
#include "platform/FontFileInfo.h"
#include "renderer/GlyphStore.h"
#include "support/RobotoFont.h"

using namespace ifx::canvas;

using ifx::testkit::RobotoBytes;

namespace
{
struct StoreDeleter
{
  void operator()(GlyphStore* s) const { GlyphStore::Destroy(s); }
};
using StorePtr = std::unique_ptr<GlyphStore, StoreDeleter>;

std::vector<uint32_t> Codepoints(GlyphStore& store, const char* str, const char* end)
{
  std::vector<uint32_t> out;
  GlyphCursor it;
  GlyphQuad q;
  if (!store.BeginWalk(&it, 0.f, 0.f, str, end, kGlyphBitmapOptional))
    return out;
  while (store.StepWalk(&it, &q))
    out.push_back(it.codepoint);
  return out;
}

class GlyphStoreTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_FALSE(RobotoBytes().empty()) << "Debian's fonts-roboto-unhinted is missing";
    store.reset(GlyphStore::Create(GlyphStoreSetup{512, 512, kGlyphOriginTopLeft}));
    ASSERT_TRUE(store);
    ASSERT_EQ(Register(*store, "Roboto-Regular"), 0);
    font = store->Font(0);
    SetState(20.f, kCanvasAlignLeft | kCanvasAlignBaseline);
  }

  static int Register(GlyphStore& s, const char* name)
  {
    return s.RegisterFontBytes(name, RobotoBytes().data(), (int)RobotoBytes().size(), 0);
  }
  void SetState(float size, int align, float blur = 0.f, float spacing = 0.f)
  {
    store->state = GlyphState{0, align, size, blur, spacing};
  }

  StorePtr store;
  GlyphFont* font = nullptr;
};
} // namespace

TEST(GlyphAtlasTest, FreshStoreHoldsTheSolidPatchOnTwoRuns)
{
  StorePtr s(GlyphStore::Create(GlyphStoreSetup{512, 512, kGlyphOriginTopLeft}));
  ASSERT_TRUE(s);
  ASSERT_EQ(s->atlas->nnodes, 2);
  EXPECT_EQ(s->atlas->nodes[0].x, 0);
  EXPECT_EQ(s->atlas->nodes[0].y, 2);
  EXPECT_EQ(s->atlas->nodes[0].width, 2);
  EXPECT_EQ(s->atlas->nodes[1].x, 2);
  EXPECT_EQ(s->atlas->nodes[1].y, 0);
  EXPECT_EQ(s->atlas->nodes[1].width, 510);
  for (int i : {0, 1, 512, 513})
    EXPECT_EQ(s->texData[i], 255) << i;
  EXPECT_EQ(s->texData[2], 0);
  EXPECT_EQ(s->texData[1024], 0);
  int dirty[4];
  ASSERT_TRUE(s->PushDirty(dirty));
  EXPECT_EQ(std::vector<int>(dirty, dirty + 4), (std::vector<int>{0, 0, 2, 2}));
  EXPECT_FALSE(s->PushDirty(dirty)); // emptied
  EXPECT_EQ(GlyphStore::Create(GlyphStoreSetup{0, 512, 0}), nullptr);
}

TEST(GlyphAtlasTest, RectanglesGoLowestThenOnTheNarrowerRun)
{
  GlyphAtlas* a = GlyphAtlas::Create(100, 100, 1); // one node: growth is exercised too
  ASSERT_NE(a, nullptr);
  struct Case { int w, h, x, y; };
  // The last one ties on its bottom edge (10) with the 50-wide run at x 0 and
  // the 20-wide run at x 80: the narrower wins.
  for (const Case& c : {Case{50, 5, 0, 0}, Case{30, 10, 50, 0}, Case{20, 5, 80, 0}, Case{20, 5, 80, 5}})
  {
    int x = -1, y = -1;
    ASSERT_TRUE(a->PlaceRect(c.w, c.h, &x, &y)) << c.w << "x" << c.h;
    EXPECT_EQ(x, c.x) << c.w << "x" << c.h;
    EXPECT_EQ(y, c.y) << c.w << "x" << c.h;
  }
  // Skyline now (0,5,50) (50,10,50): runs of one height merged.
  ASSERT_EQ(a->nnodes, 2);
  EXPECT_EQ(a->nodes[1].x, 50);
  EXPECT_EQ(a->nodes[1].width, 50);
  int x, y;
  EXPECT_FALSE(a->PlaceRect(101, 1, &x, &y));
  EXPECT_FALSE(a->PlaceRect(10, 96, &x, &y));
  EXPECT_TRUE(a->PlaceRect(100, 90, &x, &y));
  EXPECT_EQ(y, 10);
  GlyphAtlas::Destroy(a);
}

TEST_F(GlyphStoreTest, FontsRegisterFromBytesWithTheirOwnMetrics)
{
  const ifx::igfx::FontFileInfo hhea(RobotoBytes().data(), RobotoBytes().size(), 0);
  ASSERT_TRUE(hhea.IsUsable());
  const float ascent = hhea.GetAscender(), descent = hhea.GetDescender(), gap = hhea.GetLineGap();
  const float height = ascent - descent;
  EXPECT_FLOAT_EQ(font->ascender, ascent / height);
  EXPECT_FLOAT_EQ(font->descender, descent / height);
  EXPECT_FLOAT_EQ(font->lineh, (height + gap) / height);

  EXPECT_EQ(store->LookupFont("Roboto-Regular"), 0);
  EXPECT_EQ(store->LookupFont("roboto-regular"), -1); // exact case
  EXPECT_EQ(store->LookupFont(nullptr), -1);
  const std::string longName(80, 'n');
  ASSERT_EQ(Register(*store, longName.c_str()), 1);
  EXPECT_EQ(store->LookupFont(longName.substr(0, 63).c_str()), 1);
  for (int i = 2; i < 9; i++) // the font array grows past its first four
    EXPECT_EQ(Register(*store, "again"), i);

  // Bytes that are no font, or whose tables lie beyond their end, are refused.
  const std::vector<uint8_t>& roboto = RobotoBytes();
  std::vector<uint8_t> notFont(roboto.begin(), roboto.begin() + 2048);
  std::memcpy(notFont.data(), "true", 4);
  const std::vector<uint8_t> cut(roboto.begin(), roboto.begin() + 200);
  std::vector<uint8_t> collection(64, 0);
  std::memcpy(collection.data(), "ttcf\0\1\0\0\0\0\0\2", 12); // two faces
  struct Bad { const uint8_t* data; int size, face; };
  for (const Bad& b : {Bad{notFont.data(), (int)notFont.size(), 0}, Bad{cut.data(), (int)cut.size(), 0},
                       Bad{collection.data(), (int)collection.size(), 3}, Bad{roboto.data(), (int)roboto.size(), -1},
                       Bad{roboto.data(), 11, 0}, Bad{nullptr, 100, 0}})
    EXPECT_EQ(store->RegisterFontBytes("bad", b.data, b.size, b.face), -1) << b.size;
  EXPECT_EQ(store->nfonts, 9);
}

TEST_F(GlyphStoreTest, GlyphsAreCachedBySizeInTenthsWithBlurCapped)
{
  // Measuring makes records without bitmaps.
  GlyphRecord* measured = store->FetchGlyph(font, 'A', 140, 0, kGlyphBitmapOptional);
  ASSERT_NE(measured, nullptr);
  EXPECT_EQ(measured->x0, -1);
  const int afterFirst = font->nglyphs;
  SetState(14.05f, kCanvasAlignLeft);
  store->MeasureRun(0.f, 0.f, "A", nullptr, nullptr); // 140.5 tenths truncate to 140
  EXPECT_EQ(font->nglyphs, afterFirst);

  EXPECT_EQ(store->FetchGlyph(font, 'A', 1, 0, kGlyphBitmapRequired), nullptr); // below 0.2 px
  GlyphRecord* blurred = store->FetchGlyph(font, 'A', 140, 50, kGlyphBitmapOptional);
  ASSERT_NE(blurred, nullptr);
  EXPECT_EQ(blurred->blur, 20);
  EXPECT_EQ(store->FetchGlyph(font, 'A', 140, 20, kGlyphBitmapOptional), blurred);
  EXPECT_EQ(blurred->xoff - measured->xoff, -20); // margin blur + 2

  // Required: the measured record is placed, rasterised inside a clear border.
  int dirty[4];
  store->PushDirty(dirty);
  GlyphRecord* placed = store->FetchGlyph(font, 'A', 140, 0, kGlyphBitmapRequired);
  ASSERT_EQ(placed, measured);
  ASSERT_GE(placed->x0, 0);
  const int w = 512;
  int ink = 0;
  for (int y = placed->y0; y < placed->y1; y++)
    for (int x = placed->x0; x < placed->x1; x++)
    {
      const bool border = y == placed->y0 || y == placed->y1 - 1 || x == placed->x0 || x == placed->x1 - 1;
      if (border)
      {
        EXPECT_EQ(store->texData[x + y * w], 0);
      }
      ink += store->texData[x + y * w] > 128;
    }
  EXPECT_GT(ink, 20);
  ASSERT_TRUE(store->PushDirty(dirty));
  EXPECT_EQ(std::vector<int>(dirty, dirty + 4),
            (std::vector<int>{placed->x0, placed->y0, placed->x1, placed->y1}));
  EXPECT_EQ(store->FetchGlyph(font, 'A', 140, 0, kGlyphBitmapRequired), placed);
  EXPECT_FALSE(store->PushDirty(dirty));

  // The advance in tenths from the font's advance width.
  int advance = 0, lsb = 0;
  stbtt_GetGlyphHMetrics(font->info, placed->index, &advance, &lsb);
  EXPECT_EQ(placed->xadv, (short)(stbtt_ScaleForPixelHeight(font->info, 14.f) * (float)advance * 10.f));
}

TEST_F(GlyphStoreTest, RunsMeasureByTheFontsAdvancesKerningAndAlignment)
{
  // The expected pen walk from the font's own advances and pair kerning.
  const float size = 20.f;
  const float scale = stbtt_ScaleForPixelHeight(font->info, size);
  int kerned = 0;
  // Whole pixels per step: the pair's kerning plus spacing, then the advance
  // kept in tenths.
  auto penAfter = [&](const char* text, float spacing) {
    float pen = 0.f;
    int prev = -1;
    for (const char* c = text; *c; c++)
    {
      const int g = stbtt_FindGlyphIndex(font->info, *c);
      if (prev != -1)
      {
        const int kern = stbtt_GetGlyphKernAdvance(font->info, prev, g);
        kerned += kern != 0;
        pen += (float)(int)((float)kern * scale + spacing + 0.5f);
      }
      int adv, lsb;
      stbtt_GetGlyphHMetrics(font->info, g, &adv, &lsb);
      pen += (float)(int)((float)(short)(scale * (float)adv * 10.f) / 10.f + 0.5f);
      prev = g;
    }
    return pen;
  };
  const float pen = penAfter("AVAWAY", 0.f);
  ASSERT_GT(kerned, 0) << "Roboto kerns A-V";
  float b[4];
  EXPECT_FLOAT_EQ(store->MeasureRun(10.f, 50.f, "AVAWAY", nullptr, b), pen);
  EXPECT_GE(b[0], 10.f - 2.f);
  EXPECT_LE(b[2], 10.f + pen + 2.f);
  EXPECT_LT(b[1], 50.f - 12.f); // capitals rise about 0.71 em above the baseline
  EXPECT_NEAR(b[3], 50.f, 2.f);

  // Spacing adds to every pair, centring moves the box by half the advance.
  SetState(size, kCanvasAlignLeft | kCanvasAlignBaseline, 0.f, 3.f);
  EXPECT_FLOAT_EQ(store->MeasureRun(10.f, 50.f, "AVAWAY", nullptr, nullptr), penAfter("AVAWAY", 3.f));
  SetState(size, kCanvasAlignCenter | kCanvasAlignBaseline);
  float c[4];
  store->MeasureRun(10.f, 50.f, "AVAWAY", nullptr, c);
  EXPECT_FLOAT_EQ(c[0], b[0] - pen * 0.5f);
  EXPECT_FLOAT_EQ(c[2], b[2] - pen * 0.5f);

  // Vertical alignment moves the baseline by the font's ascender and descender.
  struct V { int align; float shift; };
  for (const V& v : {V{kCanvasAlignTop, font->ascender * size}, V{kCanvasAlignBaseline, 0.f},
                     V{kCanvasAlignBottom, font->descender * size},
                     V{kCanvasAlignMiddle, (font->ascender + font->descender) * 0.5f * size}})
  {
    SetState(size, kCanvasAlignLeft | v.align);
    float miny = 0.f, maxy = 0.f;
    store->MeasureLineExtent(50.f, &miny, &maxy);
    EXPECT_FLOAT_EQ(miny, 50.f + v.shift - font->ascender * size) << v.align;
    EXPECT_FLOAT_EQ(maxy - miny, font->lineh * size) << v.align;
  }
}

TEST_F(GlyphStoreTest, WalkDecodesUtf8AndStopsAtTheFirstInvalidByte)
{
  struct Case { std::string bytes; std::vector<uint32_t> codepoints; };
  const Case cases[] = {
    {"A\xc3\xa9\xe2\x82\xac\xf0\x9d\x84\x9e", {'A', 0xe9, 0x20ac, 0x1d11e}},
    {"AB\xff" "CD", {'A', 'B'}},            // an invalid byte ends the rest
    {"A\xc0\xaf" "B", {'A'}},               // overlong
    {"A\xed\xa0\x80" "B", {'A'}},           // surrogate
    {"A\xf4\x90\x80\x80" "B", {'A'}},       // beyond U+10FFFF
    {"A\xc3", {'A'}},                       // cut short at the end
    {"", {}},
  };
  for (const Case& c : cases)
  {
    // An exact-size copy: reading past its end would be caught.
    std::vector<char> copy(c.bytes.begin(), c.bytes.end());
    const char* begin = copy.empty() ? c.bytes.c_str() : copy.data();
    EXPECT_EQ(Codepoints(*store, begin, begin + copy.size()), c.codepoints) << c.bytes;
  }
  // A walk needs a font with data.
  GlyphCursor it;
  store->state.font = 5;
  EXPECT_FALSE(store->BeginWalk(&it, 0.f, 0.f, "A", nullptr, kGlyphBitmapOptional));
  EXPECT_EQ(store->MeasureRun(0.f, 0.f, "A", nullptr, nullptr), 0.f);
}

TEST_F(GlyphStoreTest, AtlasResetDropsEveryGlyphAndReservesThePatchAgain)
{
  ASSERT_EQ(Register(*store, "Second"), 1);
  for (uint32_t c = 'a'; c <= 'z'; c++)
  {
    ASSERT_NE(store->FetchGlyph(font, c, 400, 0, kGlyphBitmapRequired), nullptr);
    ASSERT_NE(store->FetchGlyph(store->Font(1), c, 100, 0, kGlyphBitmapRequired), nullptr);
  }
  ASSERT_TRUE(store->ResetAtlas(1024, 512));
  EXPECT_EQ(store->params.width, 1024);
  EXPECT_FLOAT_EQ(store->itw, 1.f / 1024.f);
  for (int f = 0; f < 2; f++)
  {
    EXPECT_EQ(store->Font(f)->nglyphs, 0);
    for (int head : store->Font(f)->lut)
      EXPECT_EQ(head, -1);
  }
  ASSERT_EQ(store->atlas->nnodes, 2);
  EXPECT_EQ(store->atlas->nodes[1].width, 1022);
  long ink = 0;
  for (int i = 0; i < 1024 * 512; i++)
    ink += store->texData[i];
  EXPECT_EQ(ink, 4 * 255); // the patch alone
  EXPECT_EQ(store->texData[1024], 255);
  int dirty[4];
  ASSERT_TRUE(store->PushDirty(dirty));
  EXPECT_EQ(std::vector<int>(dirty, dirty + 4), (std::vector<int>{0, 0, 2, 2}));
  GlyphRecord* again = store->FetchGlyph(font, 'a', 400, 0, kGlyphBitmapRequired);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->x0, 2);
  EXPECT_FALSE(store->ResetAtlas(0, 512));
}

TEST_F(GlyphStoreTest, RasteriserMemoryFallsBackToTheHeapWhenTheScratchIsFull)
{
  store->nscratch = 0;
  void* inside = store->ScratchAlloc(GlyphStore::kScratchSize - 16);
  ASSERT_NE(inside, nullptr);
  void* beyond = store->ScratchAlloc(64);
  ASSERT_NE(beyond, nullptr);
  const auto at = reinterpret_cast<uintptr_t>(beyond), first = reinterpret_cast<uintptr_t>(store->scratch);
  EXPECT_TRUE(at < first || at >= first + GlyphStore::kScratchSize);
  std::memset(beyond, 1, 64);
  store->ScratchFree(beyond);
  store->ScratchFree(inside);

  // A large intricate glyph needs more than the scratch holds while it is drawn.
  GlyphRecord* big = store->FetchGlyph(font, '@', 4000, 0, kGlyphBitmapRequired);
  ASSERT_NE(big, nullptr);
  int ink = 0;
  for (int y = big->y0; y < big->y1; y++)
    for (int x = big->x0; x < big->x1; x++)
      ink += store->texData[x + y * 512] > 128;
  EXPECT_GT(ink, 10000);
}
