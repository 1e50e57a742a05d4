#include "gl/GLCanvasFixture.h"

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

TEST_F(GLStrokePixels, MiterJoinFillsTheOuterCorner)
{
  StrokeCorner(kCanvasMiter, 10.f);
  EXPECT_EQ(Alpha(64, 15), 255);
  EXPECT_EQ(Alpha(63, 16), 255);
  EXPECT_EQ(Alpha(62, 17), 255);
  EXPECT_EQ(Alpha(65, 15), 0);
  EXPECT_EQ(Alpha(64, 14), 0);
  EXPECT_EQ(Alpha(40, 15), 255);
  EXPECT_EQ(Alpha(64, 40), 255);
}

TEST_F(GLStrokePixels, BevelJoinCutsTheCorner)
{
  StrokeCorner(kCanvasBevel, 10.f);
  // The cut runs from (65.5, 20) to (60, 14.5), the stroke grown by half a
  // pixel; coverage fades towards it.
  EXPECT_EQ(Alpha(64, 15), 0);
  EXPECT_EQ(Alpha(63, 16), 0);
  EXPECT_GT(Alpha(62, 17), 0);
  EXPECT_LT(Alpha(62, 17), 255);
  EXPECT_EQ(Alpha(61, 18), 255);
}

TEST_F(GLStrokePixels, MiterLimitFallsBackToBevel)
{
  StrokeCorner(kCanvasMiter, 1.2f);
  EXPECT_EQ(Alpha(64, 15), 0);
  EXPECT_EQ(Alpha(63, 16), 0);
  EXPECT_LT(Alpha(62, 17), 255);
}

TEST_F(GLStrokePixels, RoundJoinFollowsTheCircle)
{
  StrokeCorner(kCanvasRound, 10.f);
  EXPECT_EQ(Alpha(64, 15), 0);    // 6.4 from the corner
  EXPECT_EQ(Alpha(62, 17), 255);  // 3.5 from the corner
  EXPECT_GT(Alpha(63, 16), 40);   // 4.9 from the corner: on the edge
  EXPECT_LT(Alpha(63, 16), 215);
}
