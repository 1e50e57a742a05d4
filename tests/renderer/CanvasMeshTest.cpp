#include <algorithm>

#include "renderer/CanvasTestUtil.h"

using namespace ifx::canvas;

namespace
{
bool Inside(const CanvasVertex& v, float x0, float y0, float x1, float y1)
{
  return v.x > x0 && v.x < x1 && v.y > y0 && v.y < y1;
}

// Distance of a vertex outside (positive) or inside (negative) of a box.
float SignedDistance(const CanvasVertex& v, float x0, float y0, float x1, float y1)
{
  const float dx = std::max(x0 - v.x, v.x - x1), dy = std::max(y0 - v.y, v.y - y1);
  return std::max(dx, dy);
}

// A fringe strip of (covered, uncovered) pairs across the edges of a box:
// each side's distance from the box and texture coordinate u.
void ExpectFringePairs(const std::vector<CanvasVertex>& fringe, float x0, float y0, float x1, float y1, float inDist,
                       float inU, float outDist, float outU)
{
  ASSERT_EQ(fringe.size() % 2, 0u);
  for (size_t i = 0; i < fringe.size(); i += 2)
  {
    EXPECT_FLOAT_EQ(SignedDistance(fringe[i], x0, y0, x1, y1), inDist) << i;
    EXPECT_FLOAT_EQ(fringe[i].u, inU) << i;
    EXPECT_FLOAT_EQ(SignedDistance(fringe[i + 1], x0, y0, x1, y1), outDist) << i;
    EXPECT_FLOAT_EQ(fringe[i + 1].u, outU) << i;
  }
}
} // namespace

TEST_F(CanvasFixture, ConvexRectangleFillIsInsetWithHalfAFringeOutside)
{
  ctx->AddRectangle(10.f, 10.f, 20.f, 20.f);
  ctx->FillPath();
  auto fill = LastCall("QueueFill");
  ASSERT_EQ(fill.paths.size(), 1u);
  const RecordedPath& p = fill.paths[0];
  EXPECT_EQ(p.convex, 1);

  ASSERT_EQ(p.fill.size(), 4u);
  for (const auto& v : p.fill)
  {
    EXPECT_FLOAT_EQ(SignedDistance(v, 10, 10, 30, 30), -0.5f);
    EXPECT_FLOAT_EQ(v.u, 0.5f);
  }
  // Pairs of (covered, uncovered), closed by a copy of the first pair.
  ASSERT_EQ(p.fringe.size(), 10u);
  ExpectFringePairs(p.fringe, 10, 10, 30, 30, -0.5f, 0.5f, 0.5f, 1.f);
  EXPECT_FLOAT_EQ(p.fringe[8].x, p.fringe[0].x);
  EXPECT_FLOAT_EQ(p.fringe[9].y, p.fringe[1].y);
}

TEST_F(CanvasFixture, ConcaveFillFringeStraddlesTheEdgeFromInside)
{
  ctx->AddRectangle(10.f, 10.f, 20.f, 20.f);
  ctx->AddRectangle(50.f, 10.f, 20.f, 20.f);
  ctx->FillPath();
  auto fill = LastCall("QueueFill");
  ASSERT_EQ(fill.paths.size(), 2u);
  const RecordedPath& p = fill.paths[0];
  EXPECT_EQ(p.convex, 1); // each path is convex, the fill of two is not
  ASSERT_EQ(p.fringe.size(), 10u);
  ExpectFringePairs(p.fringe, 10, 10, 30, 30, -1.5f, 0.f, 0.5f, 1.f);
  EXPECT_FLOAT_EQ(fill.bounds[0], 10.f);
  EXPECT_FLOAT_EQ(fill.bounds[2], 70.f);
}

TEST_F(CanvasFixture, HoleFringeFadesIntoTheHole)
{
  ctx->AddRectangle(10.f, 10.f, 40.f, 40.f);
  ctx->AddRectangle(20.f, 20.f, 10.f, 10.f);
  ctx->SetPathWinding(kCanvasCW);
  ctx->FillPath();
  auto fill = LastCall("QueueFill");
  ASSERT_EQ(fill.paths.size(), 2u);
  const RecordedPath& hole = fill.paths[1];
  for (const auto& v : hole.fill)
    EXPECT_FALSE(Inside(v, 20, 20, 30, 30)); // the stencil fan sits on the solid side
  ASSERT_EQ(hole.fringe.size(), 10u);
  ExpectFringePairs(hole.fringe, 20, 20, 30, 30, 1.5f, 0.f, -0.5f, 1.f);
}

TEST_F(CanvasFixture, FillWithoutAntiAliasingUsesThePointsAndNoFringe)
{
  ctx->SetShapeAntiAlias(0);
  ctx->AddRectangle(10.f, 10.f, 20.f, 20.f);
  ctx->FillPath();
  auto fill = LastCall("QueueFill");
  ASSERT_EQ(fill.paths[0].fill.size(), 4u);
  EXPECT_FLOAT_EQ(fill.paths[0].fill[0].x, 10.f);
  EXPECT_FLOAT_EQ(fill.paths[0].fill[0].y, 10.f);
  EXPECT_TRUE(fill.paths[0].fringe.empty());
}

namespace
{
struct StrokeCase
{
  int cap;
  int join;
  float width;
  float miterLimit;
  size_t vertices;
};

// A horizontal then vertical polyline (80 and 60 long) with a right-angle corner.
class StrokeMesh : public CanvasFixture, public ::testing::WithParamInterface<StrokeCase>
{
};
} // namespace

TEST_P(StrokeMesh, VertexCountForEachCapAndJoin)
{
  const StrokeCase c = GetParam();
  ctx->SetLineCap(c.cap);
  ctx->SetLineJoin(c.join);
  ctx->SetStrokeWidth(c.width);
  ctx->SetMiterLimit(c.miterLimit);
  ctx->MoveTo(10.f, 100.f);
  ctx->LineTo(90.f, 100.f);
  ctx->LineTo(90.f, 160.f);
  ctx->StrokePath();
  auto stroke = LastCall("QueueStroke");
  ASSERT_EQ(stroke.paths.size(), 1u);
  EXPECT_EQ(stroke.paths[0].fringe.size(), c.vertices);
  EXPECT_TRUE(AllFinite(stroke.paths[0].fringe));
  EXPECT_FLOAT_EQ(stroke.strokeWidth, c.width);
}

// Caps: butt and square 4 vertices each, round 2 * ncap + 2 (ncap 6 at half
// width 5, 10 at half width 20). Joins: miter 2, bevel 8, round 2n + 4 with
// n = ceil(ncap / 2) for a quarter turn.
INSTANTIATE_TEST_SUITE_P(CapsAndJoins, StrokeMesh,
                         ::testing::Values(StrokeCase{kCanvasButt, kCanvasMiter, 10.f, 10.f, 4 + 2 + 4},
                                           StrokeCase{kCanvasSquare, kCanvasMiter, 10.f, 10.f, 4 + 2 + 4},
                                           StrokeCase{kCanvasRound, kCanvasMiter, 10.f, 10.f, 14 + 2 + 14},
                                           StrokeCase{kCanvasButt, kCanvasBevel, 10.f, 10.f, 4 + 8 + 4},
                                           StrokeCase{kCanvasButt, kCanvasMiter, 10.f, 1.2f, 4 + 8 + 4},
                                           StrokeCase{kCanvasButt, kCanvasRound, 40.f, 10.f, 4 + 14 + 4},
                                           StrokeCase{kCanvasRound, kCanvasRound, 40.f, 10.f, 22 + 14 + 22}));

TEST_F(CanvasFixture, ButtAndSquareCapsSitOnAndBeyondTheEnds)
{
  // Smallest and largest x of the vertices [first, last).
  auto xRange = [](const std::vector<CanvasVertex>& v, size_t first, size_t last) {
    auto [lo, hi] = std::minmax_element(v.begin() + (long)first, v.begin() + (long)last,
                                        [](const CanvasVertex& a, const CanvasVertex& b) { return a.x < b.x; });
    return std::make_pair(lo->x, hi->x);
  };
  ctx->SetStrokeWidth(10.f);
  ctx->MoveTo(10.f, 100.f);
  ctx->LineTo(90.f, 100.f);
  ctx->StrokePath();
  auto butt = LastCall("QueueStroke").paths[0].fringe;
  ASSERT_EQ(butt.size(), 8u);
  // Half width 5 grown by half the fringe; the fringe runs from v 0 outside to
  // v 1 inside, centred on the end.
  EXPECT_EQ(xRange(butt, 0, 4), std::make_pair(9.5f, 10.5f));
  EXPECT_FLOAT_EQ(xRange(butt, 4, 8).second, 90.5f);
  EXPECT_FLOAT_EQ(std::fabs(butt[0].y - 100.f), 5.5f);
  EXPECT_FLOAT_EQ(butt[0].v, 0.f);
  EXPECT_FLOAT_EQ(butt[2].v, 1.f);

  ctx->SetLineCap(kCanvasSquare);
  ctx->StrokePath(); // same path, flattened once
  auto square = LastCall("QueueStroke").paths[0].fringe;
  EXPECT_EQ(xRange(square, 0, square.size()), std::make_pair(4.5f, 95.5f));
}

TEST_F(CanvasFixture, MiterJoinReachesTheMiterPointBothSides)
{
  ctx->SetStrokeWidth(4.f);
  ctx->MoveTo(10.f, 10.f);
  ctx->LineTo(50.f, 10.f);
  ctx->LineTo(50.f, 50.f);
  ctx->StrokePath();
  auto v = LastCall("QueueStroke").paths[0].fringe;
  ASSERT_EQ(v.size(), 10u);
  // Half width 2 plus half the fringe: the corner pair is (52.5, 7.5) and
  // (47.5, 12.5) in some order.
  const CanvasVertex& a = v[4];
  const CanvasVertex& b = v[5];
  EXPECT_FLOAT_EQ(std::max(a.x, b.x), 52.5f);
  EXPECT_FLOAT_EQ(std::min(a.x, b.x), 47.5f);
  EXPECT_FLOAT_EQ(std::min(a.y, b.y), 7.5f);
  EXPECT_FLOAT_EQ(std::max(a.y, b.y), 12.5f);
}

TEST_F(CanvasFixture, ClosedStrokeLoopsBackToItsFirstPair)
{
  ctx->SetStrokeWidth(2.f);
  ctx->AddRectangle(10.f, 10.f, 50.f, 50.f);
  ctx->StrokePath();
  auto v = LastCall("QueueStroke").paths[0].fringe;
  ASSERT_EQ(v.size(), 10u);
  EXPECT_FLOAT_EQ(v[8].x, v[0].x);
  EXPECT_FLOAT_EQ(v[9].y, v[1].y);
}

TEST_F(CanvasFixture, HairlineDrawsOnePixelWideAndFaded)
{
  ctx->SetStrokeWidth(0.5f);
  ctx->SetStrokeColor(CanvasRGBAf(1, 1, 1, 1));
  ctx->SetGlobalAlpha(0.5f);
  ctx->MoveTo(0, 0);
  ctx->LineTo(10, 0);
  ctx->StrokePath();
  auto s = LastCall("QueueStroke");
  EXPECT_FLOAT_EQ(s.strokeWidth, 1.f);
  EXPECT_FLOAT_EQ(s.paint.innerColor.a, 0.25f * 0.5f);
  EXPECT_FLOAT_EQ(s.paint.outerColor.a, 0.25f * 0.5f);

  ctx->SetGlobalAlpha(1.f);
  ctx->SetStrokeWidth(500.f);
  ctx->StrokePath();
  EXPECT_FLOAT_EQ(LastCall("QueueStroke").strokeWidth, 200.f);

  ctx->SetStrokeWidth(10.f);
  ctx->Scale(2.f, 2.f);
  ctx->StrokePath();
  EXPECT_FLOAT_EQ(LastCall("QueueStroke").strokeWidth, 20.f);
}

TEST_F(CanvasFixture, DegenerateInputGivesNoNaNVertices)
{
  // Zero-length segment, single points, collinear fills, a zero transform.
  ctx->MoveTo(10.f, 10.f);
  ctx->LineTo(10.f, 10.f);
  ctx->MoveTo(20.f, 20.f);
  ctx->MoveTo(0.f, 0.f);
  ctx->LineTo(5.f, 0.f);
  ctx->LineTo(10.f, 0.f);
  ctx->ClosePath();
  for (int cap : {kCanvasButt, kCanvasRound, kCanvasSquare})
    for (int join : {kCanvasMiter, kCanvasRound, kCanvasBevel})
    {
      ctx->SetLineCap(cap);
      ctx->SetLineJoin(join);
      ctx->StrokePath();
      for (const auto& p : LastCall("QueueStroke").paths)
        EXPECT_TRUE(AllFinite(p.fringe));
    }
  // Fills without area (collinear points, a collapsed transform) draw nothing.
  ctx->FillPath();
  ctx->BeginPath();
  ctx->Scale(0.f, 0.f);
  ctx->AddRectangle(10.f, 10.f, 20.f, 20.f);
  ctx->StrokePath();
  ctx->FillPath();
  EXPECT_TRUE(rec.CallsNamed("QueueFill").empty());
  for (const auto& p : LastCall("QueueStroke").paths)
    EXPECT_TRUE(AllFinite(p.fringe));
}

TEST_F(CanvasFixture, LongRoundPathsStayWithinTheirBudget)
{
  ctx->SetLineJoin(kCanvasRound);
  ctx->SetLineCap(kCanvasRound);
  ctx->SetStrokeWidth(150.f);
  ctx->MoveTo(0.f, 0.f);
  for (int i = 0; i < 300; i++)
    ctx->LineTo((float)(i % 2) * 100.f, (float)i * 3.f);
  ctx->StrokePath();
  auto s = LastCall("QueueStroke");
  ASSERT_EQ(s.paths.size(), 1u);
  EXPECT_GT(s.paths[0].fringe.size(), 600u);
  EXPECT_TRUE(AllFinite(s.paths[0].fringe));
}
