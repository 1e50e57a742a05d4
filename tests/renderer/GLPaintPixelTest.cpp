#include <cmath>

#include "renderer/GLCanvasFixture.h"

using namespace ifx::canvas;

using GLPaintPixels = GLCanvasFixture;

TEST_F(GLPaintPixels, LinearGradientInterpolatesPremultipliedColour)
{
  Begin();
  canvas->BeginPath();
  canvas->AddRectangle(0.f, 0.f, 100.f, 100.f);
  canvas->SetFillPaint(CanvasLinearGradient(0.f, 0.f, 100.f, 0.f, CanvasRGBAf(1, 0, 0, 1), CanvasRGBAf(0, 0, 1, 0)));
  canvas->FillPath();
  End();
  for (int x : {0, 25, 50, 75, 99})
  {
    const float t = ((float)x + 0.5f) / 100.f;
    const Rgba c = At(x, 50);
    EXPECT_NEAR(c.r, (1.f - t) * 255.f, 1.5) << x;
    EXPECT_NEAR(c.a, (1.f - t) * 255.f, 1.5) << x;
    EXPECT_EQ(c.g, 0) << x;
    EXPECT_EQ(c.b, 0) << x; // blue only ever comes with zero alpha
  }
}

TEST_F(GLPaintPixels, RadialGradientRunsFromInnerToOuterRadius)
{
  Begin();
  canvas->BeginPath();
  canvas->AddRectangle(0.f, 0.f, 100.f, 100.f);
  canvas->SetFillPaint(CanvasRadialGradient(50.f, 50.f, 10.f, 30.f, CanvasRGBAf(0, 1, 0, 1), CanvasRGBAf(0, 0, 0, 1)));
  canvas->FillPath();
  End();
  EXPECT_EQ(At(50, 50).g, 255);
  EXPECT_EQ(At(55, 50).g, 255);
  EXPECT_EQ(At(90, 50).g, 0);
  EXPECT_EQ(At(90, 50).a, 255);
  for (int x : {62, 66, 70, 74})
  {
    const float r = std::sqrt(((float)x + 0.5f - 50.f) * ((float)x + 0.5f - 50.f) + 0.25f);
    const float t = std::fmin(1.f, std::fmax(0.f, (r - 10.f) / 20.f));
    EXPECT_NEAR(At(x, 50).g, (1.f - t) * 255.f, 2.0) << x;
  }
}

TEST_F(GLPaintPixels, ScissorClipsWithSoftEdgesOffWholePixelsAndNegativeSizesClipAll)
{
  Begin();
  canvas->SetClipRect(20.f, 20.f, 40.f, 40.f);
  FillRect(0.f, 0.f, 100.f, 100.f, White());
  canvas->SetClipRect(70.5f, 20.f, 20.f, 40.f);
  FillRect(0.f, 0.f, 100.f, 100.f, White());
  End();
  EXPECT_EQ(Alpha(20, 30), 255);
  EXPECT_EQ(Alpha(19, 30), 0);
  EXPECT_EQ(Alpha(59, 30), 255);
  EXPECT_EQ(Alpha(60, 30), 0);
  EXPECT_EQ(Alpha(30, 19), 0);
  EXPECT_EQ(Alpha(30, 59), 255);
  EXPECT_EQ(Alpha(30, 60), 0);

  EXPECT_NEAR(Alpha(70, 30), 128, 1);
  EXPECT_EQ(Alpha(71, 30), 255);
  EXPECT_EQ(Alpha(69, 30), 0);
  EXPECT_NEAR(Alpha(90, 30), 128, 1);

  // A negative size clips everything (the target keeps the frame above).
  Begin();
  canvas->SetClipRect(20.f, 20.f, -40.f, 40.f);
  FillRect(0.f, 0.f, 100.f, 100.f, White());
  End();
  EXPECT_EQ(Alpha(5, 30), 0);
  EXPECT_EQ(Alpha(50, 80), 0);
}

TEST_F(GLPaintPixels, ImagePatternMapsTexelsAndPremultipliesStraightAlpha)
{
  const unsigned char texels[2 * 2 * 4] = {
    255, 0,   0,   255, /**/ 0,   255, 0,   255, // top row: red, green
    0,   0,   255, 255, /**/ 255, 255, 255, 128, // bottom row: blue, half white
  };
  CanvasBackend& b = canvas->backend;
  const int image = b.makeTexture(b.user, kCanvasTextureRGBA, 2, 2, kCanvasImageNearest, texels);
  ASSERT_NE(image, 0);
  Begin();
  canvas->BeginPath();
  canvas->AddRectangle(0.f, 0.f, 40.f, 40.f);
  canvas->SetFillPaint(CanvasImagePattern(0.f, 0.f, 40.f, 40.f, 0.f, image, 1.f));
  canvas->FillPath();
  End();
  const Rgba red = At(5, 5), green = At(30, 5), blue = At(5, 30), white = At(30, 30);
  EXPECT_EQ(red.r, 255);
  EXPECT_EQ(red.g, 0);
  EXPECT_EQ(red.a, 255);
  EXPECT_EQ(green.g, 255);
  EXPECT_EQ(green.r, 0);
  EXPECT_EQ(blue.b, 255);
  EXPECT_NEAR(white.r, 128, 1);
  EXPECT_NEAR(white.a, 128, 1);
  EXPECT_EQ(Alpha(41, 5), 0);
}

TEST_F(GLPaintPixels, GlobalAlphaAndCompositeApply)
{
  Begin();
  FillRect(0.f, 0.f, 100.f, 100.f, CanvasRGBAf(1, 0, 0, 1));
  canvas->SetGlobalAlpha(0.5f);
  FillRect(0.f, 0.f, 50.f, 100.f, CanvasRGBAf(0, 0, 1, 1));
  canvas->SetGlobalAlpha(1.f);
  canvas->SetCompositeOperation(kCanvasDestinationOut);
  FillRect(50.f, 0.f, 50.f, 50.f, White());
  End();
  const Rgba mixed = At(25, 25);
  EXPECT_NEAR(mixed.r, 128, 1);
  EXPECT_NEAR(mixed.b, 128, 1);
  EXPECT_EQ(mixed.a, 255);
  EXPECT_EQ(At(75, 25).a, 0);
  EXPECT_EQ(At(75, 75).r, 255);
}

TEST_F(GLPaintPixels, BoxGradientFeathersAcrossTheBoxEdge)
{
  Begin();
  canvas->BeginPath();
  canvas->AddRectangle(0.f, 0.f, 100.f, 100.f);
  canvas->SetFillPaint(CanvasBoxGradient(30.f, 30.f, 40.f, 40.f, 0.f, 10.f, CanvasRGBAf(0, 0, 0, 1),
                                         CanvasRGBAf(0, 0, 0, 0)));
  canvas->FillPath();
  End();
  EXPECT_EQ(Alpha(50, 50), 255);
  // The feather runs from 5 inside the box edge (y 35) to 5 outside (y 25).
  EXPECT_EQ(Alpha(50, 36), 255);
  EXPECT_NEAR(Alpha(50, 29), 0.45f * 255.f, 2);
  EXPECT_NEAR(Alpha(50, 30), 0.55f * 255.f, 2);
  EXPECT_EQ(Alpha(50, 24), 0);
  EXPECT_EQ(Alpha(95, 50), 0);
}

TEST_F(GLPaintPixels, TexturedTrianglesTakeAlphaFromAnAlphaTexture)
{
  // Glyph quads reach the back end as triangles over the alpha atlas.
  unsigned char texels[4 * 4];
  for (int i = 0; i < 16; i++)
    texels[i] = (unsigned char)(i < 8 ? 255 : 64);
  CanvasBackend& b = canvas->backend;
  const int image = b.makeTexture(b.user, kCanvasTextureAlpha, 4, 4, kCanvasImageNearest, texels);
  ASSERT_NE(image, 0);
  Begin();
  CanvasPaint paint = CanvasColorPaint(CanvasRGBAf(1, 0, 0, 1));
  paint.image = image;
  const CanvasVertex quad[6] = {{10, 10, 0, 0}, {50, 50, 1, 1}, {50, 10, 1, 0},
                                {10, 10, 0, 0}, {10, 50, 0, 1}, {50, 50, 1, 1}};
  b.queueTriangles(b.user, &paint, CanvasCompositeForOperation(kCanvasSourceOver), &canvas->State().scissor, quad, 6,
                   1.f);
  End();
  const Rgba top = At(30, 15), bottom = At(30, 45);
  EXPECT_EQ(top.r, 255);
  EXPECT_EQ(top.a, 255);
  EXPECT_EQ(top.g, 0);
  EXPECT_NEAR(bottom.r, 64, 1);
  EXPECT_NEAR(bottom.a, 64, 1);
  EXPECT_EQ(Alpha(60, 30), 0);
}

TEST_F(GLPaintPixels, LinearGradientsReachAcrossTheirDirectionHoweverFarTheStartLies)
{
  // A million units above or below the window, or further: the gradient runs
  // along x over the whole window all the same.
  for (const float y : {1e6f, -1e6f, 3e38f})
  {
    Begin();
    canvas->BeginPath();
    canvas->AddRectangle(0.f, 0.f, (float)W, (float)H);
    canvas->SetFillPaint(CanvasLinearGradient(0.f, y, 100.f, y, CanvasRGBAf(1, 0, 0, 1), CanvasRGBAf(0, 0, 1, 1)));
    canvas->FillPath();
    End();
    for (int x : {10, 50, 90})
      for (int py : {5, 95})
        EXPECT_NEAR(At(x, py).b, ((float)x + 0.5f) / 100.f * 255.f, 2.0) << y << " at " << x << "," << py;
  }
}
