#include "renderer/CanvasTestUtil.h"

using namespace ifx::canvas;

namespace
{
constexpr float kPi = 3.14159265f;

// Kinds of the stored commands, in order.
std::vector<int> Kinds(const CanvasContext* ctx)
{
  std::vector<int> kinds;
  for (int i = 0; i < ctx->ncommands;)
  {
    const int k = (int)ctx->commands[i];
    kinds.push_back(k);
    i += k == kCanvasBezierTo ? 7 : k == kCanvasClose ? 1 : k == kCanvasWinding ? 2 : 3;
  }
  return kinds;
}
} // namespace

TEST_F(CanvasFixture, RectangleIsAMoveThreeLinesAndAClose)
{
  ctx->AddRectangle(10.f, 20.f, 30.f, 40.f);
  EXPECT_EQ(Kinds(ctx), (std::vector<int>{0, 1, 1, 1, 3}));
  const float expected[] = {0, 10, 20, 1, 10, 60, 1, 40, 60, 1, 40, 20, 3};
  ASSERT_EQ(ctx->ncommands, 13);
  for (int i = 0; i < 13; i++)
    EXPECT_FLOAT_EQ(ctx->commands[i], expected[i]) << i;
}

TEST_F(CanvasFixture, ArcSegmentsFollowTheSweep)
{
  // Three half turns clockwise: a full circle in four beziers.
  ctx->AddArc(50.f, 50.f, 10.f, 0.f, 3.f * kPi, kCanvasCW);
  EXPECT_EQ(Kinds(ctx), (std::vector<int>{0, 2, 2, 2, 2}));
  EXPECT_NEAR(ctx->commands[ctx->ncommands - 2], 60.f, 1e-3);
  EXPECT_NEAR(ctx->commands[ctx->ncommands - 1], 50.f, 1e-3);

  ctx->BeginPath();
  ctx->AddArc(50.f, 50.f, 10.f, 0.f, kPi / 4.f, kCanvasCW);
  EXPECT_EQ(Kinds(ctx), (std::vector<int>{0, 2}));

  // With commands already there, the arc joins them with a line.
  ctx->AddArc(50.f, 50.f, 10.f, 0.f, kPi / 2.f, kCanvasCW);
  EXPECT_EQ(Kinds(ctx), (std::vector<int>{0, 2, 1, 2}));
}

TEST_F(CanvasFixture, CounterClockwiseArcRunsTheOtherWay)
{
  // From 0 to pi/2 counter-clockwise is three quarters of a turn through -y.
  ctx->AddArc(0.f, 0.f, 10.f, 0.f, kPi / 2.f, kCanvasCCW);
  EXPECT_EQ(Kinds(ctx), (std::vector<int>{0, 2, 2, 2}));
  // After the first quarter the arc stands at angle -pi/2: (0, -10).
  EXPECT_NEAR(ctx->commands[3 + 5], 0.f, 1e-4);
  EXPECT_NEAR(ctx->commands[3 + 6], -10.f, 1e-4);
  // The first control point leaves (10, 0) towards -y.
  EXPECT_NEAR(ctx->commands[3 + 1], 10.f, 1e-4);
  EXPECT_LT(ctx->commands[3 + 2], 0.f);
}

TEST_F(CanvasFixture, QuarterArcBezierStaysOnTheCircle)
{
  ctx->AddArc(0.f, 0.f, 100.f, 0.f, kPi / 2.f, kCanvasCW);
  ctx->BuildFlatPaths();
  ASSERT_EQ(ctx->cache->npaths, 1);
  ASSERT_GT(Count(), 4);
  for (int i = 0; i < Count(); i++)
  {
    const CanvasFlatPoint& p = Points()[i];
    EXPECT_NEAR(std::sqrt(p.x * p.x + p.y * p.y), 100.f, 0.1f) << i;
  }
}

TEST_F(CanvasFixture, ZeroSweepArcGivesFinitePoints)
{
  ctx->AddArc(5.f, 5.f, 10.f, 1.f, 1.f, kCanvasCW);
  ctx->AddArc(5.f, 5.f, 0.f, 0.f, 1.f, kCanvasCCW);
  for (int i = 0; i < ctx->ncommands; i++)
    EXPECT_TRUE(std::isfinite(ctx->commands[i])) << i;
}
