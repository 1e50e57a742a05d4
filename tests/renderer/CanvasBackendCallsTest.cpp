#include "renderer/CanvasTestUtil.h"

using namespace ifx::canvas;

TEST(CanvasBackendCalls, AFrameReachesTheBackEndInOrderWithItsData)
{
  RecordingBackend rec;
  CanvasContext* ctx = CanvasContext::Create(rec.Table());
  ASSERT_NE(ctx, nullptr);

  ctx->StartFrame(300.f, 200.f, 2.f);
  ctx->SetGlobalAlpha(0.5f);
  ctx->SetFillColor(CanvasRGBAf(1.f, 0.f, 0.f, 0.8f));
  ctx->SetCompositeOperation(kCanvasLighter);
  ctx->SetClipRect(0.f, 0.f, 100.f, 50.f);
  ctx->BeginPath();
  ctx->AddRectangle(10.f, 10.f, 20.f, 20.f);
  ctx->FillPath();
  ctx->SetStrokeWidth(3.f);
  ctx->StrokePath();
  ctx->FinishFrame();
  CanvasContext::Destroy(ctx);

  EXPECT_EQ(rec.Names(), (std::vector<std::string>{"SetUp", "MakeTexture", "SetViewSize", "QueueFill", "QueueStroke",
                                                   "SubmitFrame", "FreeTexture", "TearDown"}));
  const RecordedCall fill = rec.CallsNamed("QueueFill")[0];
  EXPECT_FLOAT_EQ(fill.fringe, 0.5f);
  EXPECT_FLOAT_EQ(fill.paint.innerColor.r, 1.f);
  EXPECT_FLOAT_EQ(fill.paint.innerColor.a, 0.4f);
  EXPECT_FLOAT_EQ(fill.paint.outerColor.a, 0.4f);
  EXPECT_EQ(fill.composite.srcRGB, kCanvasOne);
  EXPECT_EQ(fill.composite.dstRGB, kCanvasOne);
  EXPECT_FLOAT_EQ(fill.scissor.extent[0], 50.f);
  EXPECT_FLOAT_EQ(fill.scissor.xform[4], 50.f);
  EXPECT_FLOAT_EQ(fill.bounds[0], 10.f);
  EXPECT_FLOAT_EQ(fill.bounds[3], 30.f);
  ASSERT_EQ(fill.paths.size(), 1u);
  // Inset by half of a 0.5 fringe.
  EXPECT_FLOAT_EQ(fill.paths[0].fill[0].x, 10.25f);

  const RecordedCall stroke = rec.CallsNamed("QueueStroke")[0];
  EXPECT_FLOAT_EQ(stroke.strokeWidth, 3.f);
  EXPECT_FLOAT_EQ(stroke.fringe, 0.5f);
  EXPECT_FLOAT_EQ(stroke.paint.innerColor.a, 0.5f); // black stroke, global alpha
  ASSERT_EQ(stroke.paths.size(), 1u);
  EXPECT_EQ(stroke.paths[0].fringe.size(), 10u);
}

TEST_F(CanvasFixture, CountersAddUpPerFrame)
{
  ctx->AddRectangle(10.f, 10.f, 20.f, 20.f);
  ctx->FillPath();
  EXPECT_EQ(ctx->drawCallCount, 2);
  EXPECT_EQ(ctx->fillTriCount, (4 - 2) + (10 - 2));
  ctx->StrokePath();
  EXPECT_EQ(ctx->drawCallCount, 3);
  EXPECT_EQ(ctx->strokeTriCount, 10 - 2);
  ctx->StartFrame(200.f, 200.f, 1.f);
  EXPECT_EQ(ctx->drawCallCount, 0);
  EXPECT_EQ(ctx->fillTriCount, 0);
  EXPECT_EQ(ctx->strokeTriCount, 0);
}

TEST_F(CanvasFixture, WithoutEdgeAntiAliasingStrokesHaveNoFringe)
{
  CanvasContext::Destroy(ctx);
  ctx = CanvasContext::Create(rec.Table(0));
  ASSERT_NE(ctx, nullptr);
  ctx->StartFrame(100.f, 100.f, 1.f);
  ctx->SetStrokeWidth(4.f);
  ctx->MoveTo(10.f, 10.f);
  ctx->LineTo(50.f, 10.f);
  ctx->StrokePath();
  auto v = LastCall("QueueStroke").paths[0].fringe;
  ASSERT_EQ(v.size(), 8u);
  for (const auto& p : v)
    EXPECT_FLOAT_EQ(p.u, 0.5f);
  // Butt caps sit on the ends, half width 2.
  EXPECT_FLOAT_EQ(v[2].x, 10.f);
  EXPECT_FLOAT_EQ(std::fabs(v[2].y - 10.f), 2.f);

  ctx->BeginPath();
  ctx->AddRectangle(0, 0, 5, 5);
  ctx->FillPath();
  EXPECT_TRUE(LastCall("QueueFill").paths.back().fringe.empty());
}
