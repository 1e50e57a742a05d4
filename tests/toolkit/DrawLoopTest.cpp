#include <gtest/gtest.h>

#include <memory>

#include "support/FakeClock.h"
#include "support/GfxFixture.h"

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::testkit;

namespace {
class DrawLoopTest : public GfxFixture
{
protected:
  DrawLoopTest()
  {
    bg = Make("bg", {0, 0, 1200, 800});
    gfx->AttachBackground(bg);
    a = Attach("a", {10.2f, 10, 50, 40});
    b = Attach("b", {100, 100, 150, 150});
    gfx->VisitAllControls([](IControl* c) { c->SetClean(); });
    log.Clear();
  }
  void DrawRects(std::initializer_list<IRECT> rs)
  {
    IRegionRects rr;
    for (const IRECT& r : rs)
      rr.Add(r);
    gfx->Draw(rr);
  }

  TestControl *bg = nullptr, *a = nullptr, *b = nullptr;
};

float Aligned(float v, float s, bool up)
{
  return (up ? std::ceil(v * s) : std::floor(v * s)) * static_cast<float>(1.0 / s);
}
} // namespace

TEST_F(DrawLoopTest, IsDirtyCollectsPaddedRectsOfDirtyControlsOnly)
{
  IRegionRects rects;
  EXPECT_FALSE(gfx->IsDirty(rects));
  EXPECT_EQ(rects.Size(), 0);
  a->SetDirty(false);
  EXPECT_TRUE(gfx->IsDirty(rects));
  ASSERT_EQ(rects.Size(), 1);
  EXPECT_EQ(rects.Get(0), IRECT(9.45f, 9.25f, 50.75f, 40.75f));
}

TEST_F(DrawLoopTest, DirtyRectIsShiftedInsideItsContainer)
{
  TestControl* box = Attach("box", {10, 0, 100, 100});
  TestControl* child = Attach("child", {7.75f, 20, 17.75f, 30}); // padded, it sticks out left of the box
  child->SetParent(box);
  gfx->VisitAllControls([](IControl* c) { c->SetClean(); });
  child->SetDirty(false);
  IRegionRects rects;
  gfx->IsDirty(rects);
  ASSERT_EQ(rects.Size(), 1);
  EXPECT_EQ(rects.Get(0), IRECT(9.25f, 19.25f, 20.75f, 30.75f));
}

TEST_F(DrawLoopTest, DrawsControlsMeetingTheRectsWithTheirClipsAtScaleOne)
{
  DrawRects({{0, 0, 60, 60}});
  EXPECT_EQ(log.Entries(), (std::vector<std::string>{"gfx:BeginFrame", "draw:bg", "draw:a", "gfx:EndFrame"}));
  EXPECT_EQ(bg->lastDrawClip, IRECT(0, 0, 60, 60));
  EXPECT_EQ(a->lastDrawClip, IRECT(9, 9, 51, 41));
  const auto drawn = gfx->OfKind(GfxOp::kControlDrawn);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[1].rect, IRECT(9, 9, 51, 41));
}

TEST_F(DrawLoopTest, DrawsWithPixelAlignedClipsAtScaleOnePointFive)
{
  gfx->SetScreenScaleForTest(1.5f);
  DrawRects({{0, 0, 60, 60}, {120, 120, 130, 130}});
  EXPECT_EQ(log.Count("draw:bg"), 2);
  EXPECT_EQ(log.Count("draw:a"), 1);
  EXPECT_EQ(log.Count("draw:b") - log.Count("draw:bg"), 1);
  EXPECT_FLOAT_EQ(a->lastDrawClip.L, 14.f * static_cast<float>(1.0 / 1.5)); // floor((10.2 - 0.75) * 1.5) / 1.5
  EXPECT_FLOAT_EQ(a->lastDrawClip.T, Aligned(9.25f, 1.5f, false));
  EXPECT_FLOAT_EQ(a->lastDrawClip.R, Aligned(50.75f, 1.5f, true));
  EXPECT_FLOAT_EQ(b->lastDrawClip.L, 120.f);
  EXPECT_FLOAT_EQ(b->lastDrawClip.R, 130.f);
}

TEST_F(DrawLoopTest, EmptyListDrawsNothing)
{
  IRegionRects rr;
  gfx->Draw(rr);
  EXPECT_TRUE(gfx->ops.empty());
}

TEST_F(DrawLoopTest, HiddenBackgroundStillDrawsButOtherHiddenControlsDoNot)
{
  bg->Hide(true);
  a->Hide(true);
  DrawRects({{0, 0, 60, 60}});
  EXPECT_EQ(log.Count("draw:bg"), 1);
  EXPECT_EQ(log.Count("draw:a"), 0);
}

TEST_F(DrawLoopTest, EachControlStartsWithIdentityTransformAndItsClip)
{
  gfx->PathTransformTranslate(5, 5);
  gfx->SavePathTransform();
  DrawRects({{0, 0, 60, 60}});
  EXPECT_EQ(gfx->TransformStackDepth(), 0);
  EXPECT_TRUE(gfx->GetTransform().IsIdentity());
  const auto clips = gfx->OfKind(GfxOp::kSetClip);
  ASSERT_EQ(clips.size(), 2u);
  EXPECT_EQ(clips[1].rect, IRECT(9, 9, 51, 41));
}

TEST_F(DrawLoopTest, ControlOutsideItsContainerIsNotDrawn)
{
  TestControl* box = Attach("box", {200, 200, 300, 300});
  TestControl* child = Attach("child", {10, 10, 20, 20});
  child->SetParent(box);
  DrawRects({{0, 0, 60, 60}});
  EXPECT_EQ(log.Count("draw:child"), 0);
}

TEST_F(DrawLoopTest, LayersPushAndPopWithTheirBoundsAndTransforms)
{
  gfx->SetScreenScaleForTest(1.5f);
  DrawRects({{0, 0, 60, 60}}); // sets the current clip
  gfx->ClearOps();
  gfx->PathTransformTranslate(3, 3);
  gfx->StartLayer(a, IRECT(10.2f, 0, 30.2f, 10));
  const auto made = gfx->OfKind(GfxOp::kNewBitmap);
  ASSERT_EQ(made.size(), 1u);
  EXPECT_EQ(made[0].v[0], 32.f); // ceil(1.5 * ceil(30.667 - 10))
  EXPECT_EQ(made[0].v[1], 15.f);
  EXPECT_EQ(gfx->LayerDepth(), 1);
  EXPECT_TRUE(gfx->GetTransform().IsIdentity());
  const auto clips = gfx->OfKind(GfxOp::kSetClip);
  ASSERT_FALSE(clips.empty());
  EXPECT_EQ(clips.back().rect, IRECT(10, 0, Aligned(30.2f, 1.5f, true), 10));

  IOffscreenLayer* layer = gfx->PopLayer();
  ASSERT_NE(layer, nullptr);
  EXPECT_EQ(layer->GetControl(), a);
  EXPECT_EQ(layer->GetControlRECT(), a->GetRECT());
  EXPECT_EQ(gfx->LayerDepth(), 0);
  EXPECT_EQ(gfx->OfKind(GfxOp::kSetClip).back().rect, gfx->GetClipRECT());
  delete layer;

  gfx->ClearOps();
  EXPECT_EQ(gfx->PopLayer(), nullptr);
  EXPECT_EQ(gfx->Count(GfxOp::kRefreshLayer), 1);
  EXPECT_EQ(gfx->Count(GfxOp::kPathClear), 1);
}

namespace {
IOffscreenLayer* MakeLayer(RecordingGfx& g, int size)
{
  g.StartLayer(nullptr, IRECT(0, 0, static_cast<float>(size), static_cast<float>(size)));
  return g.PopLayer();
}

std::vector<uint8_t> SinglePixel(int size, int x, int y)
{
  std::vector<uint8_t> px(static_cast<size_t>(size * size * 4), 7);
  for (size_t i = 3; i < px.size(); i += 4)
    px[i] = 0;
  px[static_cast<size_t>((y * size + x) * 4 + 3)] = 255;
  return px;
}

int AlphaAt(const std::vector<uint8_t>& px, int size, int x, int y)
{
  return px[static_cast<size_t>((y * size + x) * 4 + 3)];
}
} // namespace

TEST_F(DrawLoopTest, ShadowBlurUsesTheDocumentedKernel)
{
  std::unique_ptr<IOffscreenLayer> layer(MakeLayer(*gfx, 11));
  gfx->layerPixels = SinglePixel(11, 5, 5);
  IDropShadow shadow;
  shadow.blurSize = 4.f; // b = 5: kernel 255 213 124 50 14, norm 1057
  gfx->AddLayerShadow(layer.get(), shadow);
  ASSERT_EQ(gfx->Count(GfxOp::kCompositeShadow), 1);
  const auto& m = gfx->lastShadowMask;
  EXPECT_EQ(AlphaAt(m, 11, 5, 5), 61 * 255 / 1057);
  EXPECT_EQ(AlphaAt(m, 11, 6, 5), 51 * 255 / 1057);
  EXPECT_EQ(AlphaAt(m, 11, 5, 6), 61 * 213 / 1057);
  EXPECT_EQ(AlphaAt(m, 11, 9, 5), 3 * 255 / 1057);
  EXPECT_EQ(m[0], 7); // colour bytes untouched
}

TEST_F(DrawLoopTest, ZeroBlurKeepsAlphaAndFlippedLayersComeOutUpright)
{
  std::unique_ptr<IOffscreenLayer> layer(MakeLayer(*gfx, 5));
  gfx->layerPixels = SinglePixel(5, 1, 0);
  IDropShadow shadow;
  shadow.blurSize = 0.f;
  gfx->AddLayerShadow(layer.get(), shadow);
  EXPECT_EQ(gfx->lastShadowMask, gfx->layerPixels);

  gfx->flipped = true; // rows stored bottom-up
  gfx->AddLayerShadow(layer.get(), shadow);
  EXPECT_EQ(AlphaAt(gfx->lastShadowMask, 5, 1, 4), 255);
  EXPECT_EQ(AlphaAt(gfx->lastShadowMask, 5, 1, 0), 0);
}

TEST_F(DrawLoopTest, ShadowOfAnEmptyOrShortLayerDoesNothing)
{
  std::unique_ptr<IOffscreenLayer> layer(MakeLayer(*gfx, 5));
  IDropShadow shadow;
  gfx->layerPixels.clear();
  gfx->AddLayerShadow(layer.get(), shadow);
  gfx->layerPixels.assign(12, 255); // fewer bytes than the layer's pixels
  gfx->AddLayerShadow(layer.get(), shadow);
  gfx->AddLayerShadow(nullptr, shadow);
  EXPECT_EQ(gfx->Count(GfxOp::kCompositeShadow), 0);
}

TEST_F(DrawLoopTest, FrameIntervalsAreKeptOnlyWithAFrameRateDisplay)
{
  FakeClock clock;
  gfx->BeginFrame();
  EXPECT_EQ(gfx->GetFrameIntervalIdx(), 0);
  gfx->AttachFrameRateDisplay(Make("fps", {0, 0, 10, 10}));
  gfx->BeginFrame();
  clock.AdvanceMs(20.0);
  gfx->BeginFrame();
  EXPECT_EQ(gfx->GetFrameIntervalIdx(), 2);
  EXPECT_NEAR(gfx->GetFrameIntervals()[2], 0.020f, 1e-6f);
  for (int i = 0; i < 98; ++i)
    gfx->BeginFrame();
  EXPECT_EQ(gfx->GetFrameIntervalIdx(), 0); // the ring wraps after 100
}

TEST_F(DrawLoopTest, ClipRegionIsTheRectInsideTheLayerUnderTheIdentity)
{
  gfx->StartLayer(nullptr, IRECT(10, 10, 50, 50));
  gfx->PathTransformTranslate(4, 4);
  gfx->ClearOps();
  gfx->ClipToPathRegion(IRECT(0, 20, 30, 80));
  const auto clips = gfx->OfKind(GfxOp::kSetClip);
  ASSERT_EQ(clips.size(), 1u);
  EXPECT_EQ(clips[0].rect, IRECT(10, 20, 30, 50));
  EXPECT_TRUE(clips[0].transform.IsIdentity());
  EXPECT_EQ(gfx->GetTransform(), ITransform2D(1, 0, 0, 1, 4, 4));
  delete gfx->PopLayer();
}
