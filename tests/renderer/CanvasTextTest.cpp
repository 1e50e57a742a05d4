// Text of the renderer on a recording back end: glyph triangles from the
// atlas, atlas growth, line breaking and line height, with Debian's Roboto.
#include <string>
#include <vector>

#include "renderer/GlyphStore.h"
#include "renderer/CanvasTestUtil.h"
#include "support/RobotoFont.h"

using namespace ifx::canvas;

using ifx::testkit::RobotoBytes;

namespace
{
class CanvasTextTest : public CanvasFixture
{
protected:
  void SetUp() override
  {
    CanvasFixture::SetUp();
    ASSERT_FALSE(RobotoBytes().empty()) << "Debian's fonts-roboto-unhinted is missing";
    ASSERT_EQ(ctx->glyphs->RegisterFontBytes("Roboto", RobotoBytes().data(), (int)RobotoBytes().size(), 0), 0);
    ctx->SetFontId(0);
    ctx->SetFontSize(20.f);
  }

  // Rows as text, and "|" for where each next row starts.
  std::vector<std::string> Break(const std::string& text, float width, int maxRows = 3)
  {
    std::vector<std::string> out;
    const char* at = text.c_str();
    const char* end = at + text.size();
    CanvasTextRow rows[8];
    for (int guard = 0; guard < 100; guard++)
    {
      const int n = ctx->BreakTextLines(at, end, width, rows, maxRows);
      for (int i = 0; i < n; i++)
        out.emplace_back(rows[i].start, rows[i].end);
      if (n == 0 || rows[n - 1].next >= end)
        break;
      at = rows[n - 1].next;
    }
    return out;
  }
};
} // namespace

TEST_F(CanvasTextTest, StringsBecomeTwoAtlasTrianglesPerGlyph)
{
  ctx->Translate(10.f, 0.f);
  ctx->SetFillColor(CanvasRGBAf(1.f, 0.f, 0.f, 0.5f));
  ctx->SetGlobalAlpha(0.5f);
  float bounds[4];
  const float measured = ctx->MeasureString(0.f, 40.f, "Hi j", nullptr, bounds);
  rec.Clear();
  const float next = ctx->DrawString(0.f, 40.f, "Hi j", nullptr);
  EXPECT_FLOAT_EQ(next, measured); // the advance, in the caller's units
  EXPECT_EQ(rec.Names(), (std::vector<std::string>{"WriteTexture", "QueueTriangles"}));
  const RecordedCall tris = LastCall("QueueTriangles");
  ASSERT_EQ(tris.triangles.size(), 24u); // the space has a glyph too
  EXPECT_EQ(tris.paint.image, ctx->fontImages[0]);
  EXPECT_FLOAT_EQ(tris.paint.innerColor.a, 0.25f);
  // The transform applies: the H sits 10 units right of the pen.
  EXPECT_GE(tris.triangles[0].x, 10.f);
  EXPECT_LE(tris.triangles[0].x, 13.f);
  EXPECT_GE(tris.triangles[0].y, bounds[1]);
  for (const CanvasVertex& v : tris.triangles)
  {
    EXPECT_GE(v.u, 0.f);
    EXPECT_LE(v.u, 1.f);
  }
  EXPECT_EQ(ctx->textTriCount, 8);

  // Once in the atlas, glyphs are drawn without another upload.
  rec.Clear();
  ctx->DrawString(0.f, 40.f, "iH", nullptr);
  EXPECT_EQ(rec.Names(), (std::vector<std::string>{"QueueTriangles"}));
}

TEST_F(CanvasTextTest, NoFontTinySizesAndBrokenPositionsDrawNothing)
{
  ctx->SetFontSize(0.1f); // below 0.2 px: no glyphs, and no atlas to grow
  EXPECT_FLOAT_EQ(ctx->DrawString(5.f, 5.f, "Hello", nullptr), 5.f);
  ctx->SetFontSize(20.f);
  ctx->SetFontId(-1);
  EXPECT_FLOAT_EQ(ctx->DrawString(5.f, 5.f, "Hello", nullptr), 5.f);
  float b[4] = {1, 1, 1, 1};
  EXPECT_EQ(ctx->MeasureString(5.f, 5.f, "Hello", nullptr, b), 0.f);
  EXPECT_EQ(b[2], 0.f);
  ctx->SetFontId(0);
  ctx->DrawString(NAN, 5.f, "Hello", nullptr);
  ctx->Scale(0.f, 0.f); // no scale to draw text at
  ctx->DrawString(5.f, 5.f, "Hello", nullptr);
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_EQ(ctx->fontImageIdx, 0);
}

TEST_F(CanvasTextTest, AFullAtlasGrowsUpToFourImagesThenTheStringStops)
{
  // Glyphs about 120 px across fill 512 x 512 quickly.
  ctx->SetFontSize(150.f);
  std::string text;
  for (char c = 'A'; c <= 'Z'; c++)
    text += std::string(1, c) + std::string(1, (char)(c + 32));
  for (int i = 0; i < 20 && ctx->fontImageIdx < 3; i++)
  {
    ctx->SetFontSize(150.f + (float)i); // new glyphs every time
    ctx->DrawString(0.f, 150.f, text.c_str(), nullptr);
  }
  const auto made = rec.CallsNamed("MakeTexture");
  ASSERT_EQ(made.size(), 3u);
  const int sizes[3][2] = {{1024, 512}, {1024, 1024}, {2048, 1024}};
  for (int i = 0; i < 3; i++)
  {
    EXPECT_EQ(made[(size_t)i].w, sizes[i][0]) << i;
    EXPECT_EQ(made[(size_t)i].h, sizes[i][1]) << i;
  }
  EXPECT_EQ(ctx->glyphs->params.width, 2048);

  // In the fourth image a string of large glyphs stops where they no longer fit.
  rec.Clear();
  ctx->SetFontSize(500.f);
  ctx->DrawString(0.f, 500.f, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", nullptr);
  EXPECT_TRUE(rec.CallsNamed("MakeTexture").empty());
  size_t drawn = 0;
  for (const auto& call : rec.CallsNamed("QueueTriangles"))
    drawn += call.triangles.size();
  EXPECT_GT(drawn, 0u);
  EXPECT_LT(drawn, 26u * 6u);

  // The frame's end keeps only the newest atlas, in slot 0.
  const int newest = ctx->fontImages[3];
  ctx->FinishFrame();
  EXPECT_EQ(ctx->fontImages[0], newest);
  EXPECT_EQ(ctx->fontImageIdx, 0);
  EXPECT_EQ(rec.CallsNamed("FreeTexture").size(), 3u);
}

TEST_F(CanvasTextTest, LinesBreakAtSpacesNewlinesAndOverlongWords)
{
  using Rows = std::vector<std::string>;
  const float width = ctx->MeasureString(0.f, 0.f, "hello wor", nullptr, nullptr);
  EXPECT_EQ(Break("hello world again", width), (Rows{"hello", "world", "again"}));
  EXPECT_EQ(Break("  lead and trail  ", 1000.f), (Rows{"lead and trail"}));
  EXPECT_EQ(Break("a\n\nb", 1000.f), (Rows{"a", "", "b"}));
  EXPECT_EQ(Break("a\r\n\r\nb\n\rc", 1000.f), (Rows{"a", "", "b", "c"}));
  // A word wider than the row breaks before the character that overflows;
  // a row always keeps one character, however narrow the width.
  const float three = ctx->MeasureString(0.f, 0.f, "abc", nullptr, nullptr);
  EXPECT_EQ(Break("abcdefg", three + 0.5f), (Rows{"abc", "def", "g"}));
  EXPECT_EQ(Break("abc", 0.f), (Rows{"a", "b", "c"}));
  // A break may come before any CJK character.
  const float two = ctx->MeasureString(0.f, 0.f, "\xe4\xb8\x80\xe4\xb8\x80", nullptr, nullptr);
  EXPECT_EQ(Break("\xe4\xb8\x80\xe4\xb8\x80\xe4\xb8\x80", two + 0.5f),
            (Rows{"\xe4\xb8\x80\xe4\xb8\x80", "\xe4\xb8\x80"}));

  CanvasTextRow rows[3];
  const char* text = "one two three four five";
  const float five = ctx->MeasureString(0.f, 0.f, "three", nullptr, nullptr);
  EXPECT_EQ(ctx->BreakTextLines(text, text + 23, five + 0.5f, rows, 3), 3); // at most the rows asked for
  EXPECT_EQ(std::string(rows[2].next), "four five");
  EXPECT_FLOAT_EQ(rows[0].width, ctx->MeasureString(0.f, 0.f, "one", nullptr, nullptr));
  EXPECT_EQ(ctx->BreakTextLines(text, nullptr, 100.f, rows, 3), 0);
  EXPECT_EQ(ctx->BreakTextLines(text, text, 100.f, rows, 3), 0);
}

TEST_F(CanvasTextTest, LineHeightAndTextScaleFollowTheFontAndTransform)
{
  float lineh = -1.f;
  ctx->GetLineHeight(&lineh);
  EXPECT_FLOAT_EQ(lineh, ctx->glyphs->Font(0)->lineh * 20.f);
  ctx->SetFontSize(14.05f); // tenths truncate
  ctx->GetLineHeight(&lineh);
  EXPECT_FLOAT_EQ(lineh, ctx->glyphs->Font(0)->lineh * 14.f);
  ctx->Scale(2.f, 2.f); // drawn at 28.1 device px, measured back in user units
  ctx->GetLineHeight(&lineh);
  EXPECT_FLOAT_EQ(lineh, ctx->glyphs->Font(0)->lineh * 28.1f / 2.f);
  ctx->SetFontId(-1);
  lineh = -1.f;
  ctx->GetLineHeight(&lineh);
  EXPECT_EQ(lineh, -1.f);

  const float scaled[6] = {1.234f, 0.f, 0.f, 1.234f, 0.f, 0.f};
  EXPECT_FLOAT_EQ(CanvasTextScaleOf(scaled), 1.23f);
  const float huge[6] = {10.f, 0.f, 0.f, 10.f, 0.f, 0.f};
  EXPECT_FLOAT_EQ(CanvasTextScaleOf(huge), 4.f);
}
