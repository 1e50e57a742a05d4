#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <random>
#include <vector>

#include "toolkit/IRECT.h"
#include "toolkit/IRegionRects.h"
#include "toolkit/ITransform2D.h"

using namespace ifx::igfx;

namespace {
std::vector<IRECT> Optimized(const std::vector<IRECT>& in)
{
  IRegionRects rr;
  for (const IRECT& r : in)
    rr.Add(r);
  rr.Optimize();
  std::vector<IRECT> out;
  for (int i = 0; i < rr.Size(); ++i)
    out.push_back(rr.Get(i));
  return out;
}

bool Covered(const std::vector<IRECT>& rects, float x, float y)
{
  for (const IRECT& r : rects)
    if (x >= r.L && x < r.R && y >= r.T && y < r.B)
      return true;
  return false;
}
} // namespace

TEST(IRECT, EmptinessAndHitTest)
{
  EXPECT_TRUE(IRECT().Empty());
  EXPECT_TRUE(IRECT(-0.f, 0.f, -0.f, 0.f).Empty());
  EXPECT_FALSE(IRECT(5, 5, 5, 10).Empty());
  EXPECT_FALSE(IRECT(NAN, 0, 0, 0).Empty());
  const IRECT r(0, 0, 10, 10);
  EXPECT_TRUE(r.Contains(0.f, 0.f));
  EXPECT_FALSE(r.Contains(10.f, 5.f));
  EXPECT_FALSE(r.Contains(5.f, 10.f));
  EXPECT_FALSE(IRECT().Contains(0.f, 0.f));
}

TEST(IRECT, UnionIntersectAndMergeable)
{
  EXPECT_EQ(IRECT().Union(IRECT(5, 5, 10, 10)), IRECT(5, 5, 10, 10));
  EXPECT_EQ(IRECT(0, 0, 10, 10).Union(IRECT(5, 5, 20, 20)), IRECT(0, 0, 20, 20));
  EXPECT_EQ(IRECT(0, 0, 10, 10).Intersect(IRECT(10, 0, 20, 10)), IRECT(10, 0, 10, 10));
  EXPECT_TRUE(IRECT(10, 0, 20, 10).Intersect(IRECT(0, 0, 10, 10)).Empty());
  EXPECT_TRUE(IRECT(0, 0, 10, 10).IsMergeableWith(IRECT(0, 10, 10, 20)));
  EXPECT_FALSE(IRECT(0, 0, 10, 10).IsMergeableWith(IRECT(0, 11, 10, 20)));
  EXPECT_FALSE(IRECT(0, 0, 10, 10).IsMergeableWith(IRECT(0, 5, 11, 20)));
  EXPECT_TRUE(IRECT().IsMergeableWith(IRECT(3, 3, 4, 4)));
}

TEST(IRECT, ClampInsideShiftsBackAndStopsShortOfFarEdges)
{
  IRECT r(7, 20, 17, 30); // sticks out 3 units to the left of p
  r.ClampInside(IRECT(10, 0, 100, 100));
  EXPECT_EQ(r, IRECT(10, 20, 20, 30));
  IRECT wide(5, 20, 200, 30);
  wide.ClampInside(IRECT(10, 0, 100, 100));
  EXPECT_EQ(wide.L, 10.f);
  EXPECT_EQ(wide.R, 99.f);
}

TEST(RegionRects, OptimizeMergesDropsAndCutsOverlaps)
{
  using Rects = std::vector<IRECT>;
  const struct
  {
    Rects in, out;
  } cases[] = {
    {{}, {}},
    {{{3, 3, 9, 9}}, {{3, 3, 9, 9}}},
    // Contained, either way round, and repeated.
    {{{0, 0, 10, 10}, {2, 2, 5, 5}}, {{0, 0, 10, 10}}},
    {{{2, 2, 5, 5}, {0, 0, 10, 10}}, {{0, 0, 10, 10}}},
    {{{1, 2, 3, 4}, {1, 2, 3, 4}}, {{1, 2, 3, 4}}},
    // Sharing an edge: merged.
    {{{0, 0, 10, 10}, {0, 10, 10, 20}}, {{0, 0, 10, 20}}},
    {{{0, 0, 10, 10}, {5, 5, 15, 15}}, {{0, 0, 10, 10}, {5, 10, 15, 15}, {10, 5, 15, 10}}},
    // Overlap across the top, bottom or right of the first: that one is cut.
    {{{0, 0, 10, 10}, {0, -5, 20, 4}}, {{0, 4, 10, 10}, {0, -5, 20, 4}}},
    {{{0, 0, 10, 10}, {0, 6, 20, 15}}, {{0, 0, 10, 6}, {0, 6, 20, 15}}},
    {{{0, 0, 10, 10}, {6, 0, 15, 20}}, {{0, 0, 6, 10}, {6, 0, 15, 20}}},
    // Across the left: the rest then merges with its neighbour.
    {{{0, 0, 10, 10}, {-5, 0, 4, 10}}, {{-5, 0, 10, 10}}},
    // Only the second is spanned: it is the one cut.
    {{{0, 0, 20, 10}, {5, 5, 10, 30}}, {{0, 0, 20, 10}, {5, 10, 10, 30}}},
    // The second strictly larger: the first is split.
    {{{5, 5, 15, 15}, {0, 0, 12, 12}}, {{5, 12, 15, 15}, {0, 0, 12, 12}, {12, 5, 15, 12}}},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(Optimized(cases[i].in), cases[i].out) << "case " << i;
}

TEST(RegionRects, SplitAroundOverlapForEachCorner)
{
  const IRECT r(0, 0, 10, 10);
  struct Case
  {
    IRECT x, appended, returned;
  } cases[] = {
    {{0, 0, 4, 4}, {4, 0, 10, 4}, {0, 4, 10, 10}},   // top-left
    {{0, 6, 4, 10}, {0, 0, 10, 6}, {4, 6, 10, 10}},  // bottom-left
    {{6, 0, 10, 4}, {0, 0, 6, 4}, {0, 4, 10, 10}},   // top-right
    {{6, 6, 10, 10}, {0, 0, 10, 6}, {0, 6, 6, 10}},  // bottom-right
  };
  for (const Case& c : cases)
  {
    IRegionRects rr;
    EXPECT_EQ(rr.SplitAroundOverlap(r, c.x), c.returned);
    ASSERT_EQ(rr.Size(), 1);
    EXPECT_EQ(rr.Get(0), c.appended);
  }
}

TEST(RegionRects, OverlapAcrossTheMiddleKeepsTheFarPiece)
{
  // A horizontal bar crossing a vertical one: the bar's right part used to vanish.
  const auto out = Optimized({{0, 4, 10, 6}, {4, 0, 6, 10}});
  EXPECT_TRUE(Covered(out, 8.5f, 5.f));
  EXPECT_TRUE(Covered(out, 1.5f, 5.f));
  EXPECT_TRUE(Covered(out, 5.f, 9.5f));
  // The vertical variant: the part below the overlap must stay.
  const auto out2 = Optimized({{4, 0, 6, 10}, {0, 4, 10, 6}});
  EXPECT_TRUE(Covered(out2, 5.f, 8.5f));
  EXPECT_TRUE(Covered(out2, 5.f, 1.5f));
}

TEST(RegionRects, OptimizeCoversExactlyTheInputArea)
{
  std::mt19937 rng(1234);
  std::uniform_int_distribution<int> coord(0, 24);
  std::uniform_int_distribution<int> count(1, 7);
  for (int trial = 0; trial < 600; ++trial)
  {
    std::vector<IRECT> in;
    const int n = count(rng);
    for (int i = 0; i < n; ++i)
    {
      int l = coord(rng), t = coord(rng), r = coord(rng), b = coord(rng);
      if (l == r)
        ++r;
      if (t == b)
        ++b;
      in.emplace_back(static_cast<float>(std::min(l, r)), static_cast<float>(std::min(t, b)),
                      static_cast<float>(std::max(l, r)), static_cast<float>(std::max(t, b)));
    }
    const std::vector<IRECT> out = Optimized(in);
    for (int y = 0; y < 26; ++y)
      for (int x = 0; x < 26; ++x)
      {
        const float px = x + 0.5f, py = y + 0.5f;
        ASSERT_EQ(Covered(in, px, py), Covered(out, px, py)) << "trial " << trial << " at " << px << "," << py;
      }
  }
}

TEST(Transform2D, CompositionAppliesTheArgumentFirst)
{
  ITransform2D t;
  t.Translate(10, 20);
  t.Scale(2, 3);
  double x = 1, y = 1;
  t.Apply(x, y);
  // Scaled first, then translated.
  EXPECT_DOUBLE_EQ(x, 12.0);
  EXPECT_DOUBLE_EQ(y, 23.0);

  ITransform2D a(1, 2, 3, 4, 5, 6);
  a.Transform(ITransform2D(7, 8, 9, 10, 11, 12));
  EXPECT_EQ(a, ITransform2D(1 * 7 + 3 * 8, 2 * 7 + 4 * 8, 1 * 9 + 3 * 10, 2 * 9 + 4 * 10, 1 * 11 + 3 * 12 + 5,
                            2 * 11 + 4 * 12 + 6));
}

TEST(Transform2D, RotateNinetyDegrees)
{
  ITransform2D t;
  t.Rotate(90.f);
  EXPECT_NEAR(t.xx, 0.0, 1e-6);
  EXPECT_NEAR(t.yx, 1.0, 1e-6);
  EXPECT_NEAR(t.xy, -1.0, 1e-6);
  EXPECT_NEAR(t.yy, 0.0, 1e-6);
  EXPECT_EQ(t.tx, 0.0);
}

TEST(Geometry, SegmentCrossing)
{
  EXPECT_TRUE(std::isnan(SegmentCrossing({0, 0}, {10, 0}, {0, 5}, {10, 5})));
  EXPECT_FLOAT_EQ(SegmentCrossing({0, 0}, {10, 0}, {5, -5}, {5, 5}), 0.5f);
}
