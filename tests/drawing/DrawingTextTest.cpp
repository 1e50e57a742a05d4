// Text through IGfx on the drawing back end with Debian's Roboto: positions
// and measurements from the font's own metrics, alignment, rotation and
// multi-line text.
// The test's own copy of the font library: the oracle for the metrics the
// renderer's copy (internal to it) gives.
#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb_truetype.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "drawing/DrawingFixture.h"
#include "renderer/CanvasContext.h"
#include "platform/PlatformFont.h"
#include "renderer/GlyphStore.h"
#include "support/RobotoFont.h"

using namespace ifx::canvas;

using namespace ifx::igfx;
using ifx::testkit::RobotoBytes;

namespace
{
class DrawingTextTest : public ifx::testkit::DrawingFixture
{
protected:
  void SetUp() override
  {
    DrawingFixture::SetUp();
    // As the editor loads it: by file name, through the platform font.
    ASSERT_TRUE(gfx.LoadFont("Roboto-Regular", MURKWISP_ROBOTO_FONT)) << "Debian's fonts-roboto-unhinted is missing";
    font = gfx.Canvas()->glyphs->Font(0);
  }

  ITextStyle Style(float size, int32_t align = kAlignNear, int32_t valign = kVAlignTop, float angle = 0.f) const
  {
    return ITextStyle(size, kColorWhite, "Roboto-Regular", align, valign, angle);
  }

  // Rows of pixels with any ink between x0 and x1.
  std::pair<int, int> InkRows(int x0, int x1) const
  {
    int first = -1, last = -1;
    for (int y = 0; y < 200; y++)
      for (int x = x0; x < x1; x++)
        if (gfx.Alpha(x, y) > 0)
        {
          first = first < 0 ? y : first;
          last = y;
          break;
        }
    return {first, last};
  }

  GlyphFont* font = nullptr;
};
} // namespace

TEST_F(DrawingTextTest, GlyphsLandWhereTheFontsMetricsPutThem)
{
  const float size = 40.f;
  const IRECT bounds(20, 20, 200, 100);
  Frame([&] { gfx.DrawText(Style(size), "H", bounds); });

  // Top alignment: the baseline sits the ascender below the top.
  const float baseline = 20.f + font->ascender * size;
  const float scale = stbtt_ScaleForPixelHeight(font->info, size);
  int x0, y0, x1, y1;
  stbtt_GetCodepointBitmapBox(font->info, 'H', scale, scale, &x0, &y0, &x1, &y1);
  const int left = 20 + x0, right = 20 + x1, top = (int)baseline + y0, bottom = (int)baseline + y1;
  long outside = 0;
  for (int y = 0; y < 200; y++)
    for (int x = 0; x < 200; x++)
      if (x < left - 1 || x > right + 1 || y < top - 1 || y > bottom + 1)
        outside += gfx.Alpha(x, y);
  EXPECT_EQ(outside, 0);
  const int middle = (top + bottom) / 2;
  EXPECT_GT(gfx.Alpha(left + 1, middle), 200);   // the left stem
  EXPECT_GT(gfx.Alpha(right - 2, middle), 200);  // the right stem
  EXPECT_LT(gfx.Alpha((left + right) / 2, top + 3), 30); // between them, above the bar
  EXPECT_GT(gfx.At(left + 1, middle).r, 200);
}

TEST_F(DrawingTextTest, MeasurementsFollowTheFontsAdvancesAndTheAlignment)
{
  // The glyph store's own run (checked against the font's advances there).
  const float size = 20.f;
  GlyphStore* glyphs = gfx.Canvas()->glyphs;
  glyphs->state = GlyphState{0, kCanvasAlignLeft, size, 0.f, 0.f};
  const float advance = glyphs->MeasureRun(0.f, 0.f, "Hello", nullptr, nullptr);
  const IRECT bounds(20, 30, 180, 90);
  IRECT r = bounds;
  const float width = gfx.MeasureText(Style(size), "Hello", r);
  EXPECT_NEAR(width, advance, 1.f);
  EXPECT_FLOAT_EQ(r.L, 20.f);
  EXPECT_FLOAT_EQ(r.T, 30.f);
  EXPECT_FLOAT_EQ(r.B, 30.f + font->lineh * size);

  r = bounds;
  gfx.MeasureText(Style(size, kAlignCenter, kVAlignMiddle), "Hello", r);
  EXPECT_NEAR(r.MW(), bounds.MW(), 1.5f);
  EXPECT_FLOAT_EQ(r.MH(), bounds.MH());
  r = bounds;
  gfx.MeasureText(Style(size, kAlignFar, kVAlignBottom), "Hello", r);
  EXPECT_NEAR(r.R, bounds.R, 1.5f);
  EXPECT_FLOAT_EQ(r.B, bounds.B);

  // Turned a quarter, the box turns with it and stays centred.
  r = bounds;
  gfx.MeasureText(Style(size, kAlignCenter, kVAlignMiddle, 90.f), "Hello", r);
  EXPECT_NEAR(r.W(), font->lineh * size, 0.01f);
  EXPECT_NEAR(r.H(), width, 1.f);
  EXPECT_NEAR(r.MW(), bounds.MW(), 0.01f);
  Frame([&] { gfx.DrawText(Style(size, kAlignCenter, kVAlignMiddle, 90.f), "Hello", bounds); });
  const auto rows = InkRows(0, 200);
  EXPECT_NEAR((float)(rows.second - rows.first), advance, 4.f);
  EXPECT_EQ(gfx.AlphaSum(0, 0, 85, 200), 0);
  EXPECT_EQ(gfx.AlphaSum(116, 0, 200, 200), 0);
}

TEST_F(DrawingTextTest, TinySizesAndUnknownFontsDrawNothing)
{
  IRECT r(10, 10, 100, 40);
  EXPECT_EQ(gfx.MeasureText(ITextStyle(14.f, kColorWhite, "Cinzel"), "text", r), 0.f);
  EXPECT_EQ(r, IRECT());
  Frame([&] {
    gfx.DrawText(Style(0.1f), "tiny", IRECT(10, 10, 100, 40));
    gfx.DrawText(ITextStyle(14.f, kColorWhite, "Cinzel"), "unknown", IRECT(10, 50, 100, 80));
    gfx.DrawMultiLineText(ITextStyle(14.f, kColorWhite, "Cinzel"), "unknown", IRECT(10, 90, 100, 120));
  });
  EXPECT_EQ(gfx.AlphaSum(0, 0, 200, 200), 0);
  EXPECT_EQ(gfx.Canvas()->fontImageIdx, 0); // no atlas growth for glyphs that cannot be
}

TEST_F(DrawingTextTest, MultiLineTextBreaksIntoRowsPlacedByTheVerticalAlignment)
{
  const float size = 20.f;
  const float lineh = font->lineh * size;
  IRECT probe;
  const float rowWidth = gfx.MeasureText(Style(size), "three", probe) + 1.f;
  // Four rows: one, two, three, four (more than one breaking call).
  Frame([&] {
    gfx.DrawMultiLineText(Style(size), "one two three four", IRECT(10, 10, 10 + rowWidth, 190));
    gfx.DrawMultiLineText(Style(size, kAlignNear, kVAlignMiddle), "one two three four",
                          IRECT(110, 0, 110 + rowWidth, 200));
  });
  for (int k = 0; k < 4; k++)
  {
    const int top = 10 + (int)((float)k * lineh);
    EXPECT_GT(gfx.AlphaSum(10, top, 10 + (int)rowWidth, top + (int)lineh), 1000) << k;
  }
  EXPECT_EQ(gfx.AlphaSum(10, 10 + (int)(4.f * lineh) + 1, 100, 200), 0);
  // Middle: the block of four rows is centred on the rectangle's middle.
  const auto rows = InkRows(110, 200);
  EXPECT_GE(rows.first, (int)(100.f - 2.f * lineh));
  EXPECT_LE(rows.second, (int)(100.f + 2.f * lineh));
  EXPECT_LT(rows.first, (int)(100.f - 1.5f * lineh));
  EXPECT_GT(rows.second, (int)(100.f + 1.f * lineh));
}

TEST_F(DrawingTextTest, PlatformFontsAreReadOncePerProcessAndARefusedFontReportsFailure)
{
  struct CountingFont : MemoryFont
  {
    using MemoryFont::MemoryFont;
    std::unique_ptr<FontFileData> GetFileData() const override
    {
      ++reads;
      return MemoryFont::GetFileData();
    }
    mutable int reads = 0;
  };
  CountingFont shared(RobotoBytes().data(), RobotoBytes().size());
  EXPECT_TRUE(gfx.RegisterBackendFont("Shared", &shared));
  ifx::testkit::HeadlessGfxVG other(dlg, 50, 50);
  ASSERT_TRUE(other.Open());
  EXPECT_TRUE(other.RegisterBackendFont("Shared", &shared));
  EXPECT_GE(other.Canvas()->glyphs->LookupFont("Shared"), 0);
  EXPECT_EQ(shared.reads, 1);

  GlyphStore* glyphs = gfx.Canvas()->glyphs;
  // Roboto without its character map: a font to the file reader, not to the
  // glyph store.
  std::vector<uint8_t> noCmap = RobotoBytes();
  for (size_t i = 12; i + 16 <= noCmap.size() && i < 12 + 16 * 32; i += 16)
    if (std::memcmp(&noCmap[i], "cmap", 4) == 0)
      noCmap[i] = 'x';
  MemoryFont refused(noCmap.data(), noCmap.size());
  ASSERT_TRUE(refused.GetFileData()->IsValid());
  EXPECT_FALSE(gfx.RegisterBackendFont("NoCmap", &refused));
  EXPECT_EQ(glyphs->LookupFont("NoCmap"), -1);
  EXPECT_FALSE(gfx.LoadFontFromMemory("Garbage", "not a font at all", 17));
  EXPECT_FALSE(gfx.LoadFont("Missing", "no-such-font.ttf"));
  EXPECT_FALSE(gfx.RegisterBackendFont("Nothing", nullptr));

  const int fonts = glyphs->nfonts;
  MemoryFont again(RobotoBytes().data(), RobotoBytes().size());
  EXPECT_TRUE(gfx.RegisterBackendFont("Roboto-Regular", &again));
  EXPECT_EQ(glyphs->nfonts, fonts);
}
