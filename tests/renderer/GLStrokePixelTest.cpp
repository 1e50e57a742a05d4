#include "renderer/GLCanvasFixture.h"

using namespace ifx::canvas;

namespace
{
class GLStrokePixels : public GLCanvasFixture
{
protected:
  void StrokeLine(float width, int cap)
  {
    Begin();
    canvas->SetStrokeColor(White());
    canvas->SetStrokeWidth(width);
    canvas->SetLineCap(cap);
    canvas->MoveTo(20.f, 50.f);
    canvas->LineTo(80.f, 50.f);
    canvas->StrokePath();
    End();
  }

  void StrokeCorner(int join, float miterLimit)
  {
    Begin();
    canvas->SetStrokeColor(White());
    canvas->SetStrokeWidth(10.f);
    canvas->SetLineJoin(join);
    canvas->SetMiterLimit(miterLimit);
    canvas->MoveTo(20.f, 20.f);
    canvas->LineTo(60.f, 20.f);
    canvas->LineTo(60.f, 60.f);
    canvas->StrokePath();
    End();
  }
};
} // namespace

TEST_F(GLStrokePixels, ButtCapsEndOnTheEndPoints)
{
  StrokeLine(4.f, kCanvasButt);
  for (int x = 20; x < 80; x++)
  {
    EXPECT_EQ(Alpha(x, 48), 255) << x;
    EXPECT_EQ(Alpha(x, 51), 255) << x;
    EXPECT_EQ(Alpha(x, 47), 0) << x;
    EXPECT_EQ(Alpha(x, 52), 0) << x;
  }
  EXPECT_EQ(Alpha(19, 50), 0);
  EXPECT_EQ(Alpha(80, 50), 0);
}

TEST_F(GLStrokePixels, SquareCapsReachHalfTheWidthBeyond)
{
  StrokeLine(4.f, kCanvasSquare);
  EXPECT_EQ(Alpha(18, 50), 255);
  EXPECT_EQ(Alpha(18, 48), 255);
  EXPECT_EQ(Alpha(17, 50), 0);
  EXPECT_EQ(Alpha(81, 51), 255);
  EXPECT_EQ(Alpha(82, 50), 0);
}

TEST_F(GLStrokePixels, RoundCapsAreRound)
{
  StrokeLine(4.f, kCanvasRound);
  // The cap's coverage ramps over its radius (half width plus half a pixel):
  // 1.6 from the end it is mostly covered, 2.1 away mostly not, 2.5 away not.
  EXPECT_GT(Alpha(18, 49), 180);
  EXPECT_GT(Alpha(81, 50), 180);
  EXPECT_LT(Alpha(18, 48), 128); // where the square cap's corner would be
  EXPECT_EQ(Alpha(17, 50), 0);
  EXPECT_EQ(Alpha(82, 50), 0);
  EXPECT_EQ(Alpha(20, 48), 255);
}

TEST_F(GLStrokePixels, HalfPixelWidthIsAFadedOnePixelLine)
{
  Begin();
  canvas->SetStrokeColor(White());
  canvas->SetStrokeWidth(0.5f);
  canvas->MoveTo(10.f, 50.5f);
  canvas->LineTo(90.f, 50.5f);
  canvas->StrokePath();
  End();
  for (int x = 12; x < 88; x++)
  {
    EXPECT_NEAR(Alpha(x, 50), 64, 1) << x;
    EXPECT_EQ(Alpha(x, 49), 0) << x;
    EXPECT_EQ(Alpha(x, 51), 0) << x;
  }
}

namespace
{
// Coverage expected at the outer corner of a 10 wide stroke turning down at
// (60, 20): pixels on the diagonal, from the miter tip inwards.
struct CornerCase
{
  const char* name;
  int join;
  float miterLimit;
  int min[4], max[4]; // alpha at (64, 15), (63, 16), (62, 17), (61, 18)
};

class GLStrokeCorners : public GLStrokePixels, public ::testing::WithParamInterface<CornerCase>
{
};
} // namespace

TEST_P(GLStrokeCorners, OuterCornerCoverage)
{
  const CornerCase c = GetParam();
  StrokeCorner(c.join, c.miterLimit);
  for (int i = 0; i < 4; i++)
  {
    EXPECT_GE(Alpha(64 - i, 15 + i), c.min[i]) << i;
    EXPECT_LE(Alpha(64 - i, 15 + i), c.max[i]) << i;
  }
  // The straight parts are solid whatever the join.
  EXPECT_EQ(Alpha(40, 15), 255);
  EXPECT_EQ(Alpha(64, 40), 255);
}

// Miter: the tip reaches (65, 15). Bevel: the cut runs from (65.5, 20) to
// (60, 14.5), the stroke grown by half a pixel, and coverage fades towards
// it. A miter limit of 1.2 bevels a right angle. Round: (64, 15) is 6.4 from
// the corner, (63, 16) 4.9 (on the edge), (62, 17) 3.5.
INSTANTIATE_TEST_SUITE_P(
  Joins, GLStrokeCorners,
  ::testing::Values(CornerCase{"Miter", kCanvasMiter, 10.f, {255, 255, 255, 255}, {255, 255, 255, 255}},
                    CornerCase{"Bevel", kCanvasBevel, 10.f, {0, 0, 1, 255}, {0, 0, 254, 255}},
                    CornerCase{"MiterLimit", kCanvasMiter, 1.2f, {0, 0, 0, 255}, {0, 0, 254, 255}},
                    CornerCase{"Round", kCanvasRound, 10.f, {0, 41, 255, 255}, {0, 214, 255, 255}}),
  [](const ::testing::TestParamInfo<CornerCase>& info) { return std::string(info.param.name); });

TEST_F(GLStrokePixels, MiterTipEndsAtTheMiterPoint)
{
  StrokeCorner(kCanvasMiter, 10.f);
  EXPECT_EQ(Alpha(65, 15), 0);
  EXPECT_EQ(Alpha(64, 14), 0);
}
