// Primitives, paints, dashes and arcs through IGfx on the drawing back end,
// checked on the window's pixels.
#include <cmath>
#include <random>

#include "drawing/CanvasPaintConversion.h"
#include "drawing/DrawingFixture.h"
#include "renderer/CanvasPaint.h"

using namespace ifx::igfx;
using ifx::testkit::DrawingFixture;

TEST_F(DrawingFixture, FilledAndStrokedPrimitivesLandOnTheirPixels)
{
  Frame([&] {
    gfx.FillRect(kColorRed, IRECT(10, 10, 50, 30));
    gfx.DrawRect(kColorBlue, IRECT(60.5f, 10.5f, 100.5f, 40.5f));
    gfx.FillCircle(kColorGreen, 150, 30, 20);
    gfx.DrawLine(kColorWhite, 10, 60, 190, 60, nullptr, 2.f);
    gfx.FillTriangle(kColorWhite, 10, 100, 60, 100, 10, 150);
    gfx.FillRoundRect(kColorWhite, IRECT(100, 100, 180, 180), 20.f);
    const IBlendMode half(0, 0.5f);
    gfx.FillRect(kColorWhite, IRECT(10, 170, 30, 190), &half);
  });
  EXPECT_EQ(gfx.At(10, 10).r, 255);
  EXPECT_EQ(gfx.At(80, 10).b, 255);
  EXPECT_EQ(gfx.At(150, 30).g, 255);
  ExpectAlphas({
    {49, 29, 255}, {9, 10, 0}, {50, 29, 0},                    // a rectangle on whole pixels: exact edges
    {80, 11, 0}, {80, 25, 0}, {100, 25, 255},                  // a unit outline on half pixels: one row
    {168, 30, 255}, {171, 30, 0}, {150, 8, 0},                 // the circle's edge
    {100, 59, 255}, {100, 60, 255}, {100, 58, 0}, {100, 61, 0}, // a line two units thick about y = 60
    {20, 110, 255}, {50, 140, 0},                              // inside the triangle, beyond its hypotenuse
    {100, 100, 0}, {140, 100, 255},                            // a rounded corner is cut, its edge full
  });
  // The blend's weight scales the alpha.
  EXPECT_NEAR(gfx.Alpha(20, 180), 128, 1);
}

TEST_F(DrawingFixture, ThinFillsFadeWithTheirAreaAndFillsWithoutAreaDrawNothing)
{
  const float heights[] = {0.f, 0.1f, 0.5f, 1.f};
  Frame([&] {
    for (int i = 0; i < 4; i++)
      gfx.FillRect(kColorWhite, IRECT(10.f + 45.f * (float)i, 20.3f, 50.f + 45.f * (float)i, 20.3f + heights[i]));
    gfx.FillRect(kColorWhite, IRECT(10, 50, 50, 51));   // one pixel row on whole pixels
    gfx.FillRect(kColorWhite, IRECT(60, 50, 100, 50)); // a meter bar at value 0
    gfx.FillTriangle(kColorWhite, 10, 100, 50, 120, 90, 140);    // collinear
    gfx.FillTriangle(kColorWhite, 110, 100, 150, 100, 190, 100); // collinear, flat
    gfx.FillCircle(kColorWhite, 150.5f, 170.5f, 0.4f);                    // dots smaller than a pixel
    gfx.FillRect(kColorWhite, IRECT(170.25f, 170.25f, 170.75f, 170.75f));
  });
  long previous = -1;
  for (int i = 0; i < 4; i++)
  {
    const int x0 = 5 + 45 * i;
    const long sum = gfx.AlphaSum(x0, 10, x0 + 50, 35);
    const double area = 40.0 * heights[i] * 255.0;
    EXPECT_NEAR((double)sum, area, 0.1 * area + 2 * 40.0) << "height " << heights[i];
    EXPECT_GT(sum, previous) << "height " << heights[i];
    previous = sum;
  }
  EXPECT_EQ(gfx.AlphaSum(0, 0, 200, 16), 0);
  for (int x = 10; x < 50; x++)
  {
    EXPECT_EQ(gfx.Alpha(x, 50), 255) << x;
    EXPECT_EQ(gfx.Alpha(x, 49), 0) << x;
    EXPECT_EQ(gfx.Alpha(x, 51), 0) << x;
  }
  EXPECT_EQ(gfx.AlphaSum(55, 45, 105, 56), 0);
  const long dot = gfx.AlphaSum(145, 165, 156, 176), square = gfx.AlphaSum(165, 165, 176, 176);
  EXPECT_GT(dot, 50); // a flattened circle of radius 0.4: between its inner diamond and the circle
  EXPECT_LT(dot, 140);
  EXPECT_NEAR(square, 0.25 * 255, 16);
  EXPECT_EQ(gfx.AlphaSum(0, 90, 200, 150), 0);
}

TEST_F(DrawingFixture, DottedLinesDrawFiveDashesOverTenDashLengths)
{
  Frame([&] {
    gfx.DrawDottedLine(kColorWhite, 50, 100, 150, 100, nullptr, 2.f, 10.f);
    gfx.DrawDottedLine(kColorWhite, 50, 120, 150, 120, nullptr, 2.f, 0.f);        // solid
    gfx.DrawDottedLine(kColorWhite, 50, 140, 150, 140, nullptr, 2.f, NAN);        // solid
    gfx.DrawDottedLine(kColorWhite, 50, 160, 55, 160, nullptr, 2.f, 10.f);        // one dash
    gfx.DrawDottedRect(kColorWhite, IRECT(20.5f, 20.5f, 60.5f, 60.5f), nullptr, 1.f, 5.f);
  });
  // Dashes over the fractions 0-0.1, 0.2-0.3, 0.4-0.5, 0.6-0.7 and 0.8-0.9.
  for (int k = 0; k < 10; k++)
  {
    const int x = 55 + 10 * k;
    EXPECT_EQ(gfx.Alpha(x, 99), k % 2 == 0 ? 255 : 0) << x;
  }
  for (int x = 52; x < 148; x += 7)
  {
    EXPECT_EQ(gfx.Alpha(x, 119), 255) << x;
    EXPECT_EQ(gfx.Alpha(x, 139), 255) << x;
  }
  // The dotted rectangle: dashes from the top-left corner along the top; the
  // left edge is walked last, from the bottom.
  ExpectAlphas({{53, 159, 255}, {22, 20, 255}, {28, 20, 0}, {32, 20, 255}, {20, 22, 0}, {40, 40, 0}});
}

TEST_F(DrawingFixture, ArcFromZeroToNinetyDegreesIsTheQuarterFromTwelveToThree)
{
  Frame([&] { gfx.DrawArc(kColorWhite, 100, 100, 50, 0, 90, nullptr, 4.f); });
  EXPECT_GT(gfx.Alpha(101, 50), 200);  // 12 o'clock
  EXPECT_GT(gfx.Alpha(150, 98), 200);  // 3 o'clock, where the butt end sits
  EXPECT_GT(gfx.Alpha(135, 64), 200);  // half-way, up and right
  ExpectAlphas({{64, 64, 0}, {64, 135, 0}, {135, 135, 0}, {100, 100, 0}});
}

TEST_F(DrawingFixture, GradientsRunFromTheFirstStopToTheLastOnly)
{
  // The green stop between is not drawn.
  const IPaintPattern linear =
    IPaintPattern::CreateLinearGradient(0, 0, 200, 0, {{kColorRed, 0.f}, {kColorGreen, 0.5f}, {kColorBlue, 1.f}});
  IPaintPattern radial(kPatternRadial);
  radial.transform = ITransform2D(1.0 / 40.0, 0.0, 0.0, 1.0 / 40.0, -100.0 / 40.0, -150.0 / 40.0);
  radial.AddStop(kColorWhite, 0.5f);
  radial.AddStop(kColorBlack, 1.f);
  IPaintPattern singular(kPatternLinear);
  singular.transform = ITransform2D(0, 0, 0, 0, 5, 5);
  singular.AddStop(kColorRed, 0.f);
  singular.AddStop(kColorBlue, 1.f);
  Frame([&] {
    gfx.PathRect(IRECT(0, 0, 200, 50));
    gfx.PathFill(linear);
    gfx.PathRect(IRECT(50, 100, 150, 200));
    gfx.PathFill(radial);
    gfx.PathRect(IRECT(0, 60, 40, 90));
    gfx.PathFill(singular);
  });
  for (int x : {0, 50, 100, 150, 199})
  {
    const float t = ((float)x + 0.5f) / 200.f;
    EXPECT_NEAR(gfx.At(x, 25).r, 255.f * (1.f - t), 2.f) << x;
    EXPECT_NEAR(gfx.At(x, 25).b, 255.f * t, 2.f) << x;
    EXPECT_EQ(gfx.At(x, 25).g, 0) << x;
  }
  // Radial: the first stop inside its offset's radius (20), the last beyond 40.
  EXPECT_EQ(gfx.At(100, 150).r, 255);
  EXPECT_EQ(gfx.At(115, 150).r, 255);
  EXPECT_EQ(gfx.At(145, 150).r, 0);
  EXPECT_EQ(gfx.At(145, 150).a, 255);
  EXPECT_GT(gfx.At(130, 150).r, 60);
  EXPECT_LT(gfx.At(130, 150).r, 200);
  // A transform without an inverse gives no direction: the last stop.
  EXPECT_EQ(gfx.At(20, 75).b, 255);
  EXPECT_EQ(gfx.At(20, 75).r, 0);
}

// Probes 80 units either side of the points' middle, from red (t 0) to blue
// (t 1). The pattern, the renderer's paint from it (or from the points) and
// the pixels agree: a gradient however short changes colour across its
// direction only; points without a direction paint the last stop throughout.
TEST_F(DrawingFixture, LinearGradientsAreGradientsThroughToThePixelsOrTheirLastStopThroughout)
{
  const float big = 1e38f, huge = 3e38f, inf = INFINITY, nan = NAN;
  const struct
  {
    const char* name;
    float x1, y1, x2, y2;
    float t[4]; // at (20, 20), (180, 20), (20, 180), (180, 180); all 1: the last stop
  } cases[] = {
    {"equal", 100, 100, 100, 100, {1, 1, 1, 1}},
    {"1e-38 right", 0, 0, 1e-38f, 0, {0, 1, 0, 1}},
    {"1e-20 up", 0, 0, 0, -1e-20f, {1, 1, 0, 0}},
    {"1e-5 right", 100, 100, 100.00001f, 100, {0, 1, 0, 1}},
    {"1e-4 left", -50, 20, -50.0001f, 20, {1, 0, 1, 0}},
    {"1 down", 7, 7, 7, 8, {0, 0, 1, 1}},
    {"200 right", -100, 0, 100, 0, {0.1025f, 0.9025f, 0.1025f, 0.9025f}},
    {"huge, held", -big, 0, big, 0, {0.5f, 0.5f, 0.5f, 0.5f}},
    {"huge, beyond", -huge, 0, huge, 0, {1, 1, 1, 1}},
    {"infinite", 0, 0, inf, 0, {1, 1, 1, 1}},
    {"not a number", nan, 0, 1, 0, {1, 1, 1, 1}},
  };
  const ifx::canvas::CanvasColor red = CanvasColorOf(kColorRed, nullptr), blue = CanvasColorOf(kColorBlue, nullptr);
  for (const auto& c : cases)
  {
    const bool solid = c.t[0] == 1 && c.t[1] == 1 && c.t[2] == 1 && c.t[3] == 1;
    const IPaintPattern pattern =
      IPaintPattern::CreateLinearGradient(c.x1, c.y1, c.x2, c.y2, {{kColorRed, 0.f}, {kColorBlue, 1.f}});
    EXPECT_EQ(pattern.kind, solid ? kPatternSolid : kPatternLinear) << c.name;
    EXPECT_EQ(pattern.stops[solid ? 0 : 1].color, kColorBlue) << c.name;
    for (const ifx::canvas::CanvasPaint& paint :
         {MakeCanvasPaint(pattern, nullptr), ifx::canvas::CanvasLinearGradient(c.x1, c.y1, c.x2, c.y2, red, blue)})
    {
      EXPECT_EQ(paint.innerColor.r, solid ? 0.f : 1.f) << c.name;
      if (!solid) // the paint's direction is (xform[2], xform[3])
      {
        const float dx = c.x2 - c.x1, dy = c.y2 - c.y1;
        EXPECT_GT((paint.xform[2] * dx + paint.xform[3] * dy) / std::hypot(dx, dy), 0.99f) << c.name;
      }
      for (float v : {paint.xform[0], paint.xform[1], paint.xform[2], paint.xform[3], paint.xform[4], paint.xform[5],
                      paint.extent[1], paint.feather})
        EXPECT_TRUE(std::isfinite(v)) << c.name;
    }

    const double mx = (static_cast<double>(c.x1) + c.x2) / 2, my = (static_cast<double>(c.y1) + c.y2) / 2;
    const float cx = std::isfinite(mx) ? static_cast<float>(mx) : 0.f;
    const float cy = std::isfinite(my) ? static_cast<float>(my) : 0.f;
    Frame([&] {
      gfx.PathTransformTranslate(100.f - cx, 100.f - cy);
      gfx.PathRect(IRECT(cx - 100.f, cy - 100.f, cx + 100.f, cy + 100.f));
      gfx.PathFill(pattern);
    });
    for (int i = 0; i < 4; i++)
    {
      const auto p = gfx.At(i % 2 ? 180 : 20, i < 2 ? 20 : 180);
      EXPECT_NEAR(p.r, (1.f - c.t[i]) * 255.f, 2.0) << c.name << " probe " << i;
      EXPECT_NEAR(p.b, c.t[i] * 255.f, 2.0) << c.name << " probe " << i;
    }
  }
  // A pattern transform without an inverse: the last stop, radial or linear.
  IPaintPattern singular = IPaintPattern::CreateLinearGradient(0, 0, 0, 1, {{kColorRed, 0.f}, {kColorBlue, 1.f}});
  singular.transform = ITransform2D(0, 0, 0, 0, 5, 5);
  for (int kind : {kPatternRadial, kPatternLinear})
  {
    singular.kind = kind;
    EXPECT_EQ(MakeCanvasPaint(singular, nullptr).innerColor.b, 1.f) << kind;
  }
}

// Pairs of points at every scale, some a step of single precision apart: the
// pattern is a gradient exactly when the paint made from it is one, and that
// paint is finite and runs the points' way.
TEST(CanvasPaintConversion, PatternAndPaintAgreeOnWhatHasADirection)
{
  std::mt19937 rng(39);
  std::uniform_real_distribution<float> exponent(-45.f, 38.5f), unit(-1.f, 1.f);
  std::uniform_int_distribution<int> steps(0, 3), form(0, 3);
  const auto anywhere = [&] { return unit(rng) * std::pow(10.f, exponent(rng)); };
  int gradients = 0;
  for (int i = 0; i < 20000; ++i)
  {
    const int f = form(rng); // 0, 1: steps away, here or anywhere; 2: anywhere; 3: near, at any scale
    float x1 = f == 1 ? unit(rng) * 2000.f : anywhere(), y1 = f == 1 ? unit(rng) * 2000.f : anywhere();
    float x2 = f == 2 ? anywhere() : x1 + (f == 3 ? anywhere() : 0.f), y2 = f == 2 ? anywhere() : y1;
    for (int n = f < 2 ? steps(rng) : 0; n > 0; --n)
      x2 = std::nextafter(x2, INFINITY);
    for (int n = f < 2 ? steps(rng) : 0; n > 0; --n)
      y2 = std::nextafter(y2, -INFINITY);
    const IPaintPattern pattern = IPaintPattern::CreateLinearGradient(x1, y1, x2, y2, {{kColorRed, 0.f}, {kColorBlue, 1.f}});
    if (pattern.kind == kPatternSolid)
      continue;
    ++gradients;
    const ifx::canvas::CanvasPaint paint = MakeCanvasPaint(pattern, nullptr);
    const double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
    // The paint's direction is (xform[2], xform[3]).
    ASSERT_GT((paint.xform[2] * dx + paint.xform[3] * dy) / std::hypot(dx, dy), 0.99)
      << x1 << "," << y1 << " " << x2 << "," << y2;
    for (float v : paint.xform)
      ASSERT_TRUE(std::isfinite(v)) << x1 << "," << y1 << " " << x2 << "," << y2;
  }
  EXPECT_GT(gradients, 15000);
}

TEST_F(DrawingFixture, NonFiniteInputIsContained)
{
  Frame([&] {
    gfx.SetClipRegion(IRECT(-INFINITY, 50.f, 100.f, INFINITY));
    gfx.FillRect(kColorWhite, gfx.GetBounds());
    gfx.SetClipRegion(gfx.GetBounds());
    gfx.DrawVerticalLine(kColorRed, IRECT(100, 0, 200, 40), NAN);
    gfx.DrawHorizontalLine(kColorRed, IRECT(100, 0, 200, 40), NAN);
    gfx.DrawVerticalLine(kColorRed, IRECT(100, 0, INFINITY, 40), 0.5f);
    gfx.DrawGrid(kColorRed, IRECT(0, 0, 1e9f, 10), 1.5f, 0.f); // bounded
    EXPECT_FALSE(gfx.StartLayer(nullptr, IRECT(0, 0, NAN, 10)));
    EXPECT_FALSE(gfx.StartLayer(nullptr, IRECT(0, 0, 1e7f, 10)));
    EXPECT_FALSE(gfx.StartLayer(nullptr, IRECT(10, 10, 10, 30)));
    EXPECT_FALSE(gfx.StartLayer(nullptr, IRECT(10, 10, -10, 30)));
    EXPECT_EQ(gfx.LayerDepth(), 0);
    EXPECT_EQ(gfx.NewBackendBitmap(0, 10, 1.f, 1.f), nullptr);
    EXPECT_EQ(gfx.NewBackendBitmap(-3, 10, 1.f, 1.f), nullptr);
    EXPECT_EQ(gfx.NewBackendBitmap(IGfx::kMaxLayerSide + 1, 10, 1.f, 1.f), nullptr);
    EXPECT_EQ(gfx.NewBackendBitmap(10, 10, NAN, 1.f), nullptr);
  });
  ExpectAlphas({{50, 60, 255}, {50, 199, 255}, {150, 60, 0}, {50, 40, 0}});
  EXPECT_EQ(gfx.AlphaSum(101, 11, 200, 40), 0);
  EXPECT_GT(gfx.AlphaSum(0, 0, 200, 10), 100 * 255); // grid lines
}

TEST_F(DrawingFixture, QuickShadowIsABoxGradientDroppedFromTheInnerRectangle)
{
  Frame([&] { gfx.DrawQuickShadow(IRECT(50, 50, 150, 150), IRECT(30, 30, 190, 190), 10.f, 5.f, 8.f); });
  EXPECT_NEAR(gfx.Alpha(110, 110), 128, 2); // inside the dropped box: the shadow colour
  EXPECT_EQ(gfx.At(110, 110).r, 0);
  EXPECT_LT(gfx.Alpha(62, 62), gfx.Alpha(110, 110));
  EXPECT_LT(gfx.Alpha(170, 110), 10); // beyond the feather
  EXPECT_EQ(gfx.Alpha(20, 20), 0);    // outside the outer rectangle
}

TEST_F(DrawingFixture, BlendMethodsMapToTheirCompositesAndSourceOverReturnsAfter)
{
  // Opaque red drawn over half-transparent blue; premultiplied results.
  struct Case { int method; int r, b, a; };
  const Case cases[] = {
    {0, 255, 0, 255},   {1, 128, 0, 128},   {2, 128, 0, 128}, {3, 128, 0, 128},
    {4, 128, 128, 255}, {5, 0, 128, 128},   {6, 0, 0, 0},     {7, 128, 128, 255},
    {8, 255, 64, 255},  {9, 128, 0, 128},   {42, 255, 0, 255}, // unknown: the composite stays source-over
  };
  Frame([&] {
    for (int i = 0; i < 11; i++)
    {
      const IRECT r((float)(i % 6) * 30.f, (float)(i / 6) * 30.f, (float)(i % 6) * 30.f + 20.f,
                    (float)(i / 6) * 30.f + 20.f);
      gfx.FillRect(IRgba(128, 0, 0, 255), r);
      const IBlendMode blend(cases[i].method, 1.f);
      gfx.FillRect(kColorRed, r, &blend);
    }
    // Every blended draw leaves source-over behind it.
    gfx.FillRect(IRgba(128, 0, 0, 255), IRECT(0, 100, 20, 120));
    gfx.FillRect(kColorRed, IRECT(0, 100, 20, 120));
  });
  for (int i = 0; i < 11; i++)
  {
    const ifx::testkit::Pixel p = gfx.At((i % 6) * 30 + 10, (i / 6) * 30 + 10);
    EXPECT_NEAR(p.r, cases[i].r, 2) << "method " << cases[i].method;
    EXPECT_NEAR(p.b, cases[i].b, 2) << "method " << cases[i].method;
    EXPECT_NEAR(p.a, cases[i].a, 2) << "method " << cases[i].method;
  }
  EXPECT_EQ(gfx.At(10, 110).r, 255);
  EXPECT_EQ(gfx.At(10, 110).b, 0);
}
