#include <cmath>

#include "renderer/GLCanvasFixture.h"

using namespace ifx::canvas;

using GLFillPixels = GLCanvasFixture;

TEST_F(GLFillPixels, RectangleOnWholePixelsHasNoHaloAndSolidInside)
{
  Begin();
  FillRect(10.f, 10.f, 20.f, 20.f, White());
  End();
  for (int i = 10; i < 30; i++)
  {
    EXPECT_EQ(Alpha(i, 10), 255) << i;
    EXPECT_EQ(Alpha(i, 29), 255) << i;
    EXPECT_EQ(Alpha(10, i), 255) << i;
    EXPECT_EQ(Alpha(29, i), 255) << i;
    EXPECT_EQ(Alpha(i, 9), 0) << i;
    EXPECT_EQ(Alpha(i, 30), 0) << i;
    EXPECT_EQ(Alpha(9, i), 0) << i;
    EXPECT_EQ(Alpha(30, i), 0) << i;
  }
  EXPECT_EQ(Alpha(20, 20), 255);
  const Rgba c = At(15, 15);
  EXPECT_EQ(c.r, 255);
  EXPECT_EQ(c.g, 255);
}

TEST_F(GLFillPixels, RectangleOnHalfPixelsCoversEdgePixelsHalf)
{
  Begin();
  FillRect(10.5f, 10.5f, 20.f, 20.f, White());
  End();
  for (int i = 12; i < 29; i++)
  {
    EXPECT_NEAR(Alpha(10, i), 128, 1) << i;
    EXPECT_NEAR(Alpha(30, i), 128, 1) << i;
    EXPECT_NEAR(Alpha(i, 10), 128, 1) << i;
    EXPECT_EQ(Alpha(11, i), 255) << i;
    EXPECT_EQ(Alpha(9, i), 0) << i;
    EXPECT_EQ(Alpha(31, i), 0) << i;
  }
  // Premultiplied: colour carries the coverage too.
  EXPECT_NEAR(At(10, 20).r, 128, 1);
}

TEST_F(GLFillPixels, OverlappingSubPathsBlendOnceUnderTheNonZeroRule)
{
  Begin();
  canvas->BeginPath();
  canvas->AddRectangle(10.f, 10.f, 40.f, 40.f);
  canvas->AddRectangle(30.f, 30.f, 40.f, 40.f);
  canvas->SetFillColor(White(0.5f));
  canvas->FillPath();
  End();
  EXPECT_NEAR(Alpha(20, 20), 128, 1);
  EXPECT_NEAR(Alpha(40, 40), 128, 1); // overlap: not 191
  EXPECT_NEAR(Alpha(60, 60), 128, 1);
  EXPECT_EQ(Alpha(60, 20), 0);
  EXPECT_EQ(Alpha(9, 20), 0); // the stencil fill's fringe makes no halo either
  EXPECT_NEAR(Alpha(10, 20), 128, 1);
}

TEST_F(GLFillPixels, HoleWoundClockwiseStaysEmpty)
{
  Begin();
  canvas->BeginPath();
  canvas->AddRectangle(10.f, 10.f, 60.f, 60.f);
  canvas->AddRectangle(30.f, 30.f, 20.f, 20.f);
  canvas->SetPathWinding(kCanvasCW);
  canvas->SetFillColor(White());
  canvas->FillPath();
  End();
  EXPECT_EQ(Alpha(20, 20), 255);
  EXPECT_EQ(Alpha(40, 40), 0);
  // The hole's edges on whole pixels: no halo either way.
  EXPECT_EQ(Alpha(29, 40), 255);
  EXPECT_EQ(Alpha(30, 40), 0);
  EXPECT_EQ(Alpha(49, 40), 0);
  EXPECT_EQ(Alpha(50, 40), 255);
  EXPECT_EQ(Alpha(40, 29), 255);
  EXPECT_EQ(Alpha(40, 30), 0);
}

TEST_F(GLFillPixels, WindingIsForcedWhateverWayTheInnerPathRuns)
{
  Begin();
  canvas->BeginPath();
  canvas->AddRectangle(10.f, 10.f, 60.f, 60.f);
  // Drawn the other way round but solid by default: no hole.
  canvas->MoveTo(30.f, 30.f);
  canvas->LineTo(50.f, 30.f);
  canvas->LineTo(50.f, 50.f);
  canvas->LineTo(30.f, 50.f);
  canvas->ClosePath();
  canvas->SetFillColor(White(0.5f));
  canvas->FillPath();

  canvas->BeginPath();
  canvas->AddRectangle(75.f, 10.f, 20.f, 60.f);
  canvas->MoveTo(80.f, 30.f); // drawn the other way round and asked to be a hole
  canvas->LineTo(90.f, 30.f);
  canvas->LineTo(90.f, 50.f);
  canvas->LineTo(80.f, 50.f);
  canvas->ClosePath();
  canvas->SetPathWinding(kCanvasCW);
  canvas->FillPath();
  End();
  EXPECT_NEAR(Alpha(40, 40), 128, 1);
  EXPECT_NEAR(Alpha(20, 20), 128, 1);
  EXPECT_NEAR(Alpha(77, 40), 128, 1);
  EXPECT_EQ(Alpha(85, 40), 0);
}

TEST_F(GLFillPixels, FillWithoutAntiAliasingHasHardEdges)
{
  Begin();
  canvas->SetShapeAntiAlias(0);
  FillRect(10.5f, 10.5f, 20.f, 20.f, White());
  End();
  for (int i = 12; i < 29; i++)
  {
    const int a = Alpha(10, i);
    EXPECT_TRUE(a == 0 || a == 255) << a;
    EXPECT_EQ(Alpha(11, i), 255);
  }
}

TEST_F(GLFillPixels, SelfIntersectingStarFillsEveryArmUnderTheNonZeroRule)
{
  // A pentagram turns the same way at every point but winds twice: it must
  // not be drawn as a convex fan.
  Begin();
  canvas->BeginPath();
  for (int k = 0; k < 5; k++)
  {
    const float a = -1.5707963f + (float)k * 2.5132741f; // 144 degrees a step
    const float x = 50.f + 45.f * std::cos(a), y = 50.f + 45.f * std::sin(a);
    if (k == 0)
      canvas->MoveTo(x, y);
    else
      canvas->LineTo(x, y);
  }
  canvas->ClosePath();
  canvas->SetFillColor(White());
  canvas->FillPath();
  End();
  EXPECT_EQ(Alpha(50, 50), 255); // the centre, wound twice
  EXPECT_EQ(Alpha(50, 15), 255); // top arm
  EXPECT_EQ(Alpha(80, 39), 255); // right arm
  EXPECT_EQ(Alpha(18, 39), 255); // left arm
  EXPECT_EQ(Alpha(20, 60), 0);   // between the left arms
  EXPECT_EQ(Alpha(80, 60), 0);
  EXPECT_EQ(Alpha(50, 85), 0);   // between the bottom arms
}
