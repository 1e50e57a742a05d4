#include "renderer/CanvasTestUtil.h"

using namespace ifx::canvas;

namespace
{
float Area2(const CanvasFlatPoint* p, int n)
{
  float a = 0.f;
  for (int i = 2; i < n; i++)
    a += (p[i - 1].x - p[0].x) * (p[i].y - p[0].y) - (p[i].x - p[0].x) * (p[i - 1].y - p[0].y);
  return a;
}
} // namespace

TEST_F(CanvasFixture, SolidPathsRunOneWayAndHolesTheOther)
{
  ctx->AddRectangle(10.f, 10.f, 20.f, 20.f); // solid by default
  ctx->AddRectangle(15.f, 15.f, 5.f, 5.f);
  ctx->SetPathWinding(kCanvasCW);
  ctx->BuildFlatPaths();
  ASSERT_EQ(ctx->cache->npaths, 2);

  const CanvasFlatPoint* solid = Points(0);
  ASSERT_EQ(Count(0), 4);
  EXPECT_FLOAT_EQ(solid[1].x, 10.f);
  EXPECT_FLOAT_EQ(solid[1].y, 30.f);
  EXPECT_LT(Area2(solid, 4), 0.f);

  const CanvasFlatPoint* hole = Points(1);
  EXPECT_GT(Area2(hole, 4), 0.f);
  EXPECT_FLOAT_EQ(hole[0].x, 20.f);
  EXPECT_FLOAT_EQ(hole[0].y, 15.f);
  EXPECT_FLOAT_EQ(hole[1].x, 20.f);
  EXPECT_FLOAT_EQ(hole[1].y, 20.f);

  // A solid shape drawn the other way round is reversed, and stays convex.
  ctx->BeginPath();
  ctx->MoveTo(10.f, 10.f);
  ctx->LineTo(30.f, 10.f);
  ctx->LineTo(30.f, 30.f);
  ctx->LineTo(10.f, 30.f);
  ctx->ClosePath();
  ctx->BuildFlatPaths();
  EXPECT_LT(Area2(Points(), 4), 0.f);
  ctx->ComputeCornerNormals(1.f, kCanvasMiter, 10.f);
  EXPECT_EQ(ctx->cache->paths[0].convex, 1);
}

TEST_F(CanvasFixture, DirectionsLengthsAndBounds)
{
  ctx->AddRectangle(10.f, 20.f, 30.f, 40.f);
  ctx->BuildFlatPaths();
  const CanvasFlatPoint* p = Points();
  EXPECT_FLOAT_EQ(p[0].dx, 0.f);
  EXPECT_FLOAT_EQ(p[0].dy, 1.f);
  EXPECT_FLOAT_EQ(p[0].len, 40.f);
  EXPECT_FLOAT_EQ(p[3].dx, -1.f);
  EXPECT_FLOAT_EQ(p[3].len, 30.f);
  EXPECT_TRUE(ctx->cache->paths[0].closed);
  const float* b = ctx->cache->bounds;
  EXPECT_FLOAT_EQ(b[0], 10.f);
  EXPECT_FLOAT_EQ(b[1], 20.f);
  EXPECT_FLOAT_EQ(b[2], 40.f);
  EXPECT_FLOAT_EQ(b[3], 60.f);
}

TEST_F(CanvasFixture, NearbyPointsMergeAndARepeatedStartClosesThePath)
{
  ctx->MoveTo(10.f, 10.f);
  ctx->LineTo(10.005f, 10.f); // within 0.01: merged
  ctx->LineTo(50.f, 10.f);
  ctx->LineTo(50.f, 50.f);
  ctx->LineTo(10.f, 10.005f); // repeats the start
  ctx->BuildFlatPaths();
  EXPECT_EQ(Count(), 3);
  EXPECT_TRUE(ctx->cache->paths[0].closed);
}

TEST_F(CanvasFixture, FlatteningIsCachedUntilTheNextPath)
{
  ctx->AddRectangle(0, 0, 10, 10);
  ctx->BuildFlatPaths();
  const int points = ctx->cache->npoints;
  ctx->AddRectangle(20, 20, 10, 10); // not flattened: the cache holds paths
  ctx->BuildFlatPaths();
  EXPECT_EQ(ctx->cache->npoints, points);
  ctx->BeginPath();
  EXPECT_EQ(ctx->cache->npaths, 0);
}

TEST_F(CanvasFixture, StraightBezierIsOnePointAndCurvesStayWithinTolerance)
{
  ctx->MoveTo(0.f, 0.f);
  ctx->BezierTo(10.f, 0.f, 20.f, 0.f, 30.f, 0.f);
  ctx->BuildFlatPaths();
  EXPECT_EQ(Count(), 2);

  ctx->BeginPath();
  // y = 3t(1-t)^2 * 100 + 3t^2(1-t) * 100 for x = 100t: a hump of height 75.
  ctx->MoveTo(0.f, 0.f);
  ctx->BezierTo(100.f / 3.f, 100.f, 200.f / 3.f, 100.f, 100.f, 0.f);
  ctx->BuildFlatPaths();
  const int n = Count();
  EXPECT_GT(n, 8);
  EXPECT_LT(n, 64);
  const CanvasFlatPoint* p = Points();
  EXPECT_FLOAT_EQ(p[n - 1].x, 100.f);
  EXPECT_FLOAT_EQ(p[n - 1].y, 0.f);
  EXPECT_TRUE(p[n - 1].flags & kCanvasPtCorner);
  EXPECT_FALSE(p[1].flags & kCanvasPtCorner);
  float top = 0.f;
  for (int i = 0; i < n; i++)
  {
    const float t = p[i].x / 100.f;
    EXPECT_NEAR(p[i].y, 300.f * t * (1 - t), 0.5f) << i;
    top = std::max(top, p[i].y);
  }
  EXPECT_NEAR(top, 75.f, 0.5f);
}

TEST_F(CanvasFixture, DegenerateCurveSubdividesAtMostTenLevels)
{
  ctx->MoveTo(0.f, 0.f);
  ctx->BezierTo(1e7f, -1e7f, -1e7f, 1e7f, 0.f, 1.f);
  ctx->BuildFlatPaths();
  EXPECT_LE(Count(), 1 + 2048);
}

TEST_F(CanvasFixture, ConvexityOfRectanglesCirclesAndAnLShape)
{
  ctx->AddArc(50.f, 50.f, 20.f, 0.f, 6.3f, kCanvasCW);
  ctx->ClosePath();
  ctx->BuildFlatPaths();
  ctx->ComputeCornerNormals(1.f, kCanvasMiter, 2.4f);
  EXPECT_EQ(ctx->cache->paths[0].convex, 1);

  ctx->BeginPath();
  const float l[] = {0, 0, 0, 1, 0, 20, 1, 10, 20, 1, 10, 10, 1, 20, 10, 1, 20, 0, 3};
  ctx->AppendPathOps(l, 19);
  ctx->BuildFlatPaths();
  ctx->ComputeCornerNormals(1.f, kCanvasMiter, 2.4f);
  EXPECT_EQ(ctx->cache->paths[0].convex, 0);

  // A pentagram turns the same way at every point yet winds twice.
  ctx->BeginPath();
  for (int k = 0; k < 5; k++)
  {
    const float a = -1.5707963f + (float)k * 2.5132741f;
    if (k == 0)
      ctx->MoveTo(50.f + 45.f * std::cos(a), 50.f + 45.f * std::sin(a));
    else
      ctx->LineTo(50.f + 45.f * std::cos(a), 50.f + 45.f * std::sin(a));
  }
  ctx->ClosePath();
  ctx->BuildFlatPaths();
  ctx->ComputeCornerNormals(1.f, kCanvasMiter, 2.4f);
  for (int i = 0; i < 5; i++)
    EXPECT_TRUE(Points()[i].flags & kCanvasPtLeft) << i;
  EXPECT_EQ(ctx->cache->paths[0].convex, 0);

  // A triangle, whichever way it runs.
  ctx->BeginPath();
  const float t[] = {0, 0, 0, 1, 30, 5, 1, 5, 40, 3};
  ctx->AppendPathOps(t, 10);
  ctx->BuildFlatPaths();
  ctx->ComputeCornerNormals(1.f, kCanvasMiter, 2.4f);
  EXPECT_EQ(ctx->cache->paths[0].convex, 1);
}

TEST_F(CanvasFixture, RightAngleBevelsBelowTheMiterLimit)
{
  ctx->AddRectangle(0.f, 0.f, 10.f, 10.f);
  ctx->BuildFlatPaths();
  ctx->ComputeCornerNormals(1.f, kCanvasMiter, 1.2f);
  for (int i = 0; i < 4; i++)
    EXPECT_TRUE(Points()[i].flags & kCanvasPtBevel) << i;
  EXPECT_EQ(ctx->cache->paths[0].nbevel, 4);

  ctx->ComputeCornerNormals(1.f, kCanvasMiter, 10.f);
  for (int i = 0; i < 4; i++)
    EXPECT_FALSE(Points()[i].flags & kCanvasPtBevel) << i;
  EXPECT_EQ(ctx->cache->paths[0].nbevel, 0);
  // The normal is scaled to reach the miter point: (+-1, +-1) at a right angle.
  EXPECT_FLOAT_EQ(std::fabs(Points()[0].dmx), 1.f);
  EXPECT_FLOAT_EQ(std::fabs(Points()[0].dmy), 1.f);

  ctx->ComputeCornerNormals(1.f, kCanvasRound, 10.f);
  EXPECT_TRUE(Points()[0].flags & kCanvasPtBevel);
}

TEST_F(CanvasFixture, InnerBevelDependsOnWidthAgainstSegmentLength)
{
  ctx->AddRectangle(0.f, 0.f, 10.f, 10.f);
  ctx->BuildFlatPaths();
  ctx->ComputeCornerNormals(1.f, kCanvasMiter, 10.f);
  EXPECT_FALSE(Points()[1].flags & kCanvasPtInnerBevel);
  ctx->ComputeCornerNormals(10.f, kCanvasMiter, 10.f);
  EXPECT_TRUE(Points()[1].flags & kCanvasPtInnerBevel);
  // Width 0 takes the 1.01 limit instead of dividing by zero.
  ctx->ComputeCornerNormals(0.f, kCanvasMiter, 10.f);
  EXPECT_TRUE(Points()[1].flags & kCanvasPtInnerBevel);
}
