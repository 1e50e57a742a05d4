#include <cmath>
#include <cstring>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include "renderer/CanvasTransform.h"
#include "renderer/CanvasTestUtil.h"

using namespace ifx::canvas;

TEST(CanvasLifetime, CreateSetsUpAndMakesTheAtlasImageDestroyFreesIt)
{
  RecordingBackend rec;
  CanvasContext* ctx = CanvasContext::Create(rec.Table());
  ASSERT_NE(ctx, nullptr);
  ASSERT_EQ(rec.Names(), (std::vector<std::string>{"SetUp", "MakeTexture"}));
  EXPECT_EQ(rec.calls[1].type, kCanvasTextureAlpha);
  EXPECT_EQ(rec.calls[1].w, 512);
  EXPECT_EQ(rec.calls[1].h, 512);
  EXPECT_EQ(rec.calls[1].flags, 0);
  EXPECT_EQ(ctx->fontImages[0], rec.calls[1].image);
  EXPECT_FLOAT_EQ(ctx->tessTol, 0.25f);
  EXPECT_FLOAT_EQ(ctx->distTol, 0.01f);
  EXPECT_FLOAT_EQ(ctx->fringeWidth, 1.f);
  rec.Clear();
  CanvasContext::Destroy(ctx);
  ASSERT_EQ(rec.Names(), (std::vector<std::string>{"FreeTexture", "TearDown"}));
  EXPECT_TRUE(rec.textures.empty());
}

TEST(CanvasLifetime, FailedSetUpOrAtlasGivesNoContextAndTearsDown)
{
  RecordingBackend rec;
  rec.failSetUp = true;
  EXPECT_EQ(CanvasContext::Create(rec.Table()), nullptr);
  EXPECT_EQ(rec.Names().back(), "TearDown");

  RecordingBackend rec2;
  rec2.failMakeTexture = true;
  EXPECT_EQ(CanvasContext::Create(rec2.Table()), nullptr);
  EXPECT_EQ(rec2.Names().back(), "TearDown");
}

TEST_F(CanvasFixture, StartFrameSetsToleranceForTheRatioAndAZeroRatioActsAsOne)
{
  ctx->StartFrame(300.f, 150.f, 2.f);
  auto c = LastCall("SetViewSize");
  EXPECT_EQ(c.w, 300);
  EXPECT_EQ(c.h, 150);
  EXPECT_FLOAT_EQ(c.ratio, 2.f);
  EXPECT_FLOAT_EQ(ctx->tessTol, 0.125f);
  EXPECT_FLOAT_EQ(ctx->distTol, 0.005f);
  EXPECT_FLOAT_EQ(ctx->fringeWidth, 0.5f);

  ctx->StartFrame(300.f, 150.f, 0.f);
  EXPECT_FLOAT_EQ(ctx->fringeWidth, 1.f);
  EXPECT_TRUE(std::isfinite(ctx->tessTol));
}

TEST_F(CanvasFixture, StateStackHoldsThirtyTwoAndKeepsTheLast)
{
  for (int i = 0; i < 40; i++)
    ctx->PushState();
  EXPECT_EQ(ctx->nstates, 32);
  for (int i = 0; i < 40; i++)
    ctx->PopState();
  EXPECT_EQ(ctx->nstates, 1);

  ctx->SetStrokeWidth(7.f);
  ctx->PushState();
  ctx->SetStrokeWidth(3.f);
  ctx->PopState();
  EXPECT_FLOAT_EQ(ctx->State().strokeWidth, 7.f);
}

TEST_F(CanvasFixture, ResetStateGivesTheDefaults)
{
  ctx->SetStrokeWidth(9.f);
  ctx->Translate(5.f, 5.f);
  ctx->SetClipRect(0, 0, 10, 10);
  ctx->ResetState();
  const CanvasState& s = ctx->State();
  EXPECT_EQ(s.composite.srcRGB, kCanvasOne);
  EXPECT_EQ(s.composite.dstRGB, kCanvasOneMinusSrcAlpha);
  EXPECT_FLOAT_EQ(s.fill.innerColor.r, 1.f);
  EXPECT_FLOAT_EQ(s.stroke.innerColor.r, 0.f);
  EXPECT_FLOAT_EQ(s.stroke.innerColor.a, 1.f);
  EXPECT_FLOAT_EQ(s.fill.feather, 1.f);
  EXPECT_EQ(s.shapeAntiAlias, 1);
  EXPECT_FLOAT_EQ(s.strokeWidth, 1.f);
  EXPECT_FLOAT_EQ(s.miterLimit, 10.f);
  EXPECT_EQ(s.lineJoin, kCanvasMiter);
  EXPECT_EQ(s.lineCap, kCanvasButt);
  EXPECT_FLOAT_EQ(s.xform[4], 0.f);
  EXPECT_FLOAT_EQ(s.scissor.extent[0], -1.f);
  EXPECT_FLOAT_EQ(s.fontSize, 16.f);
  EXPECT_EQ(s.textAlign, 65);
  EXPECT_EQ(s.fontId, 0);
}

TEST(CanvasTransforms, ConcatAppliesTheSecondAfterTheFirst)
{
  float t[6], s[6];
  CanvasTransformScale(t, 2.f, 3.f);
  CanvasTransformTranslate(s, 10.f, 20.f);
  CanvasConcatTransform(t, s);
  float x, y;
  CanvasTransformPoint(&x, &y, t, 1.f, 1.f);
  EXPECT_FLOAT_EQ(x, 12.f);
  EXPECT_FLOAT_EQ(y, 23.f);
}

TEST(CanvasTransforms, InverseUndoesAndNearSingularGivesIdentity)
{
  float t[6] = {2.f, 1.f, -1.f, 3.f, 5.f, -7.f}, inv[6];
  ASSERT_EQ(CanvasInvertTransform(inv, t), 1);
  float x, y, bx, by;
  CanvasTransformPoint(&x, &y, t, 3.f, 4.f);
  CanvasTransformPoint(&bx, &by, inv, x, y);
  EXPECT_NEAR(bx, 3.f, 1e-4);
  EXPECT_NEAR(by, 4.f, 1e-4);

  const float tiny[6] = {1e-7f, 0.f, 0.f, 1.f, 4.f, 4.f};
  EXPECT_EQ(CanvasInvertTransform(inv, tiny), 0);
  const float identity[6] = {1, 0, 0, 1, 0, 0};
  EXPECT_EQ(std::memcmp(inv, identity, sizeof(inv)), 0);
  const float zero[6] = {0, 0, 0, 0, 0, 0};
  EXPECT_EQ(CanvasInvertTransform(inv, zero), 0);
  EXPECT_EQ(std::memcmp(inv, identity, sizeof(inv)), 0);
}

TEST_F(CanvasFixture, StateTransformsApplyNewestFirstToStoredCommands)
{
  ctx->Translate(10.f, 0.f);
  ctx->Scale(2.f, 2.f);
  ctx->MoveTo(1.f, 1.f);
  EXPECT_FLOAT_EQ(ctx->commands[1], 12.f);
  EXPECT_FLOAT_EQ(ctx->commands[2], 2.f);
  // The last point stays in the caller's coordinates.
  EXPECT_FLOAT_EQ(ctx->lastX, 1.f);
  EXPECT_FLOAT_EQ(ctx->lastY, 1.f);
}

TEST(CanvasPaints, GradientsAndPatternsTakeTheirForms)
{
  const CanvasColor a = CanvasRGBAf(1, 0, 0, 1), b = CanvasRGBAf(0, 0, 1, 1);
  CanvasPaint same = CanvasLinearGradient(5.f, 6.f, 5.f, 6.f, a, b);
  EXPECT_FLOAT_EQ(same.xform[0], 1.f); // no direction: the outer colour, untransformed
  EXPECT_FLOAT_EQ(same.xform[1], 0.f);
  EXPECT_FLOAT_EQ(same.xform[2], 0.f);
  EXPECT_FLOAT_EQ(same.xform[3], 1.f);
  EXPECT_FLOAT_EQ(same.xform[5], 0.f);
  EXPECT_FLOAT_EQ(same.feather, 1.f);
  EXPECT_EQ(same.extent[1], 0.f);
  EXPECT_EQ(same.innerColor.b, 1.f);
  EXPECT_EQ(same.outerColor.b, 1.f);

  CanvasPaint lin = CanvasLinearGradient(0.f, 0.f, 40.f, 0.f, a, b);
  EXPECT_FLOAT_EQ(lin.xform[1], -1.f);
  EXPECT_FLOAT_EQ(lin.xform[2], 1.f);
  EXPECT_FLOAT_EQ(lin.extent[1], 1e5f + 20.f);
  EXPECT_FLOAT_EQ(lin.feather, 40.f);

  CanvasPaint rad = CanvasRadialGradient(10.f, 20.f, 4.f, 8.f, a, b);
  EXPECT_FLOAT_EQ(rad.xform[4], 10.f);
  EXPECT_FLOAT_EQ(rad.extent[0], 6.f);
  EXPECT_FLOAT_EQ(rad.radius, 6.f);
  EXPECT_FLOAT_EQ(rad.feather, 4.f);

  CanvasPaint box = CanvasBoxGradient(10.f, 20.f, 30.f, 40.f, 5.f, 0.5f, a, b);
  EXPECT_FLOAT_EQ(box.xform[4], 25.f);
  EXPECT_FLOAT_EQ(box.xform[5], 40.f);
  EXPECT_FLOAT_EQ(box.extent[1], 20.f);
  EXPECT_FLOAT_EQ(box.feather, 1.f);

  CanvasPaint img = CanvasImagePattern(3.f, 4.f, 64.f, 32.f, 0.f, 7, 0.5f);
  EXPECT_EQ(img.image, 7);
  EXPECT_FLOAT_EQ(img.xform[4], 3.f);
  EXPECT_FLOAT_EQ(img.extent[0], 64.f);
  EXPECT_FLOAT_EQ(img.innerColor.a, 0.5f);
  EXPECT_FLOAT_EQ(img.feather, 0.f);
}

TEST_F(CanvasFixture, SettingAPaintTakesTheCurrentTransform)
{
  ctx->Translate(100.f, 50.f);
  ctx->SetFillPaint(CanvasRadialGradient(10.f, 10.f, 0.f, 5.f, CanvasRGBAf(1, 1, 1, 1), CanvasRGBAf(0, 0, 0, 1)));
  EXPECT_FLOAT_EQ(ctx->State().fill.xform[4], 110.f);
  EXPECT_FLOAT_EQ(ctx->State().fill.xform[5], 60.f);

  // A gradient the transform carries beyond single precision paints its outer
  // colour, stroke and fill alike; an image keeps its paint.
  const CanvasColor red = CanvasRGBAf(1, 0, 0, 1), blue = CanvasRGBAf(0, 0, 1, 1);
  ctx->Scale(4.f, 4.f);
  ctx->SetFillPaint(CanvasLinearGradient(-1e38f, 0.f, 1e38f, 0.f, red, blue));
  ctx->SetStrokePaint(CanvasRadialGradient(3e38f, 0.f, 1.f, 2.f, red, blue));
  for (const CanvasPaint* p : {&ctx->State().fill, &ctx->State().stroke})
  {
    for (float v : p->xform)
      EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(p->innerColor.b, 1.f);
    EXPECT_EQ(p->outerColor.b, 1.f);
  }
  ctx->SetFillPaint(CanvasImagePattern(3e38f, 0.f, 8.f, 8.f, 0.f, 7, 1.f));
  EXPECT_EQ(ctx->State().fill.image, 7);
}

TEST_F(CanvasFixture, ScissorIsCentredAndNegativeSizesClipEverything)
{
  ctx->Translate(5.f, 5.f);
  ctx->SetClipRect(10.f, 20.f, 30.f, 40.f);
  const CanvasClip& c = ctx->State().scissor;
  EXPECT_FLOAT_EQ(c.xform[4], 30.f);
  EXPECT_FLOAT_EQ(c.xform[5], 45.f);
  EXPECT_FLOAT_EQ(c.extent[0], 15.f);
  EXPECT_FLOAT_EQ(c.extent[1], 20.f);

  ctx->SetClipRect(10.f, 20.f, -30.f, 40.f);
  EXPECT_FLOAT_EQ(ctx->State().scissor.extent[0], 0.f);
}

TEST(CanvasComposites, OperationsMapToTheirFactors)
{
  CanvasComposite c = CanvasCompositeForOperation(kCanvasDestinationOut);
  EXPECT_EQ(c.srcRGB, kCanvasZero);
  EXPECT_EQ(c.dstRGB, kCanvasOneMinusSrcAlpha);
  EXPECT_EQ(c.srcAlpha, kCanvasZero);
  EXPECT_EQ(c.dstAlpha, kCanvasOneMinusSrcAlpha);
  c = CanvasCompositeForOperation(kCanvasXor);
  EXPECT_EQ(c.srcRGB, kCanvasOneMinusDstAlpha);
  EXPECT_EQ(c.dstRGB, kCanvasOneMinusSrcAlpha);
  c = CanvasCompositeForOperation(kCanvasCopy);
  EXPECT_EQ(c.srcRGB, kCanvasOne);
  EXPECT_EQ(c.dstRGB, kCanvasZero);
  c = CanvasCompositeForOperation(99);
  EXPECT_EQ(c.dstRGB, kCanvasZero);
}

TEST_F(CanvasFixture, LastPointIsTheEndOfTheLastDrawingCommand)
{
  ctx->AddRectangle(1.f, 2.f, 3.f, 4.f); // ends with a close
  EXPECT_FLOAT_EQ(ctx->lastX, 4.f);
  EXPECT_FLOAT_EQ(ctx->lastY, 2.f);
  ctx->SetPathWinding(kCanvasCW);
  EXPECT_FLOAT_EQ(ctx->lastX, 4.f);
  EXPECT_FLOAT_EQ(ctx->lastY, 2.f);
  ctx->BezierTo(0, 0, 0, 0, 9.f, 8.f);
  EXPECT_FLOAT_EQ(ctx->lastX, 9.f);
  EXPECT_FLOAT_EQ(ctx->lastY, 8.f);
}

TEST_F(CanvasFixture, MalformedBatchesAreDroppedWhole)
{
  const float truncated[] = {(float)kCanvasMoveTo, 1.f, 2.f, (float)kCanvasBezierTo, 1.f};
  ctx->AppendPathOps(truncated, 5);
  const float unknown[] = {(float)kCanvasMoveTo, 1.f, 2.f, 17.f};
  ctx->AppendPathOps(unknown, 4);
  EXPECT_EQ(ctx->ncommands, 0);
}

TEST_F(CanvasFixture, CommandBufferGrowsAndBeginPathEmptiesIt)
{
  for (int i = 0; i < 500; i++)
    ctx->LineTo((float)i, 1.f);
  EXPECT_EQ(ctx->ncommands, 1500);
  EXPECT_FLOAT_EQ(ctx->commands[1498], 499.f);
  ctx->BeginPath();
  EXPECT_EQ(ctx->ncommands, 0);
}

namespace
{
void AppendBytes(void* out, void* data, int size)
{
  auto* v = static_cast<std::vector<unsigned char>*>(out);
  v->insert(v->end(), (unsigned char*)data, (unsigned char*)data + size);
}
} // namespace

TEST_F(CanvasFixture, ImagesDecodeToRGBATexturesAndBadDataGivesZero)
{
  unsigned char pixels[3 * 2 * 4] = {};
  pixels[0] = 255;
  pixels[3] = 255;
  std::vector<unsigned char> png;
  ASSERT_NE(stbi_write_png_to_func(AppendBytes, &png, 3, 2, 4, pixels, 3 * 4), 0);

  const int image = ctx->LoadImageBytes(png.data(), (int)png.size());
  ASSERT_NE(image, 0);
  auto c = LastCall("MakeTexture");
  EXPECT_EQ(c.type, kCanvasTextureRGBA);
  EXPECT_EQ(c.w, 3);
  EXPECT_EQ(c.h, 2);
  EXPECT_EQ(c.flags, 0);

  rec.Clear();
  const unsigned char junk[16] = {1, 2, 3};
  EXPECT_EQ(ctx->LoadImageBytes(junk, sizeof(junk)), 0);
  EXPECT_EQ(ctx->LoadImageBytes(png.data(), 10), 0);
  EXPECT_EQ(ctx->LoadImageFile("/nonexistent/murkwisp.png"), 0);
  EXPECT_TRUE(rec.CallsNamed("MakeTexture").empty());
}

TEST_F(CanvasFixture, FinishFrameKeepsOnlyTheNewestFontAtlasInSlotZero)
{
  const int first = ctx->fontImages[0];
  CanvasBackend& b = ctx->backend;
  ctx->fontImages[1] = b.makeTexture(b.user, kCanvasTextureAlpha, 1024, 512, 0, nullptr);
  ctx->fontImages[2] = b.makeTexture(b.user, kCanvasTextureAlpha, 1024, 1024, 0, nullptr);
  const int third = ctx->fontImages[2];
  ctx->fontImageIdx = 2;
  rec.Clear();
  ctx->FinishFrame();
  EXPECT_EQ(rec.Names(), (std::vector<std::string>{"SubmitFrame", "FreeTexture", "FreeTexture"}));
  EXPECT_EQ(ctx->fontImages[0], third);
  EXPECT_EQ(ctx->fontImages[1], 0);
  EXPECT_EQ(ctx->fontImages[2], 0);
  EXPECT_EQ(ctx->fontImageIdx, 0);
  EXPECT_EQ(rec.FindTexture(first), nullptr);
}
