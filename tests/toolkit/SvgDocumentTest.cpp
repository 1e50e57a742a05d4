// A parsed SVG document drawn through the graphics object's path calls.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "toolkit/svg/SVGImage.h"
#include "support/GfxFixture.h"

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::testkit;

namespace {
using SvgDocumentTest = GfxFixture;

constexpr const char* kRing =
  "<svg width=\"100\" height=\"50\" viewBox=\"0 0 50 25\">"
  "<linearGradient id=\"fade\" spreadMethod=\"repeat\">"
  "<stop offset=\"0\" stop-color=\"white\" stop-opacity=\"0.2\"/><stop offset=\"1\" stop-color=\"#00ff00\"/>"
  "</linearGradient>"
  "<path d=\"M0 0 H50 V25 H0 Z M10 5 H40 V20 H10 Z\" fill=\"#0000ff\" fill-opacity=\"0.5\" opacity=\"0.5\" "
  "stroke=\"red\" stroke-width=\"2\" stroke-linejoin=\"round\" stroke-dasharray=\"3 1\"/>"
  "<circle cx=\"5\" cy=\"5\" r=\"5\" fill=\"url(#fade)\" display=\"none\"/>"
  "<circle cx=\"5\" cy=\"5\" r=\"5\" fill=\"url(#fade)\"/>"
  "</svg>";
} // namespace

TEST_F(SvgDocumentTest, ParsedDocumentDrawsAsPathsWithItsPaints)
{
  const ISvgDocument doc = gfx->LoadSVGFromMemory("ring.svg", kRing, -1);
  ASSERT_TRUE(doc.IsValid());
  EXPECT_EQ(doc.W(), 100.f);
  EXPECT_EQ(doc.H(), 50.f);

  gfx->DrawSVG(doc, IRECT(0, 0, 200, 200));
  // The ring: the newest sub-path (the inner one, view box scaled by 2) first,
  // each side a cubic; then the visible circle.
  const auto moves = gfx->OfKind(GfxOp::kPathMoveTo);
  ASSERT_EQ(moves.size(), 3u);
  EXPECT_EQ(moves[0].v, (std::vector<float>{20, 10}));
  EXPECT_EQ(moves[1].v, (std::vector<float>{0, 0}));
  EXPECT_EQ(moves[0].transform, ITransform2D(2, 0, 0, 2, 0, 0));
  EXPECT_EQ(gfx->Count(GfxOp::kPathCubic), 4 + 4 + 5);
  const auto windings = gfx->OfKind(GfxOp::kPathWinding);
  ASSERT_EQ(windings.size(), 3u);
  EXPECT_EQ(windings[0].dir, 1); // the hole
  EXPECT_EQ(windings[1].dir, 0);

  const auto fills = gfx->OfKind(GfxOp::kFill);
  ASSERT_EQ(fills.size(), 2u);
  // Shape opacity, not the colour's own alpha, makes the paint's alpha.
  EXPECT_EQ(fills[0].pattern.kind, kPatternSolid);
  EXPECT_EQ(fills[0].pattern.stops[0].color, IRgba(128, 0, 0, 255));
  EXPECT_EQ(fills[0].fill.rule, kFillPreserveWinding);
  EXPECT_TRUE(fills[0].fill.preserve);

  const auto strokes = gfx->OfKind(GfxOp::kStroke);
  ASSERT_EQ(strokes.size(), 1u);
  EXPECT_EQ(strokes[0].pattern.stops[0].color, IRgba(128, 255, 0, 0));
  EXPECT_EQ(strokes[0].thickness, 4.f);
  EXPECT_EQ(strokes[0].stroke.join, 1);
  ASSERT_EQ(strokes[0].stroke.dash.count, 2);
  EXPECT_EQ(strokes[0].stroke.dash.lengths[0], 6.f);

  // The gradient: opaque stops, extend from its spread, image-to-gradient transform.
  const IPaintPattern& grad = fills[1].pattern;
  EXPECT_EQ(grad.kind, kPatternLinear);
  EXPECT_EQ(grad.extend, kExtendRepeat);
  ASSERT_EQ(grad.nStops, 2);
  EXPECT_EQ(grad.stops[0].color, IRgba(255, 255, 255, 255));
  EXPECT_EQ(grad.stops[1].color, IRgba(255, 0, 255, 0));
  EXPECT_FALSE(fills[1].fill.preserve);
  double x = 20.0, y = 0.0; // the right edge of the circle's box, scaled by 2
  grad.transform.Apply(x, y);
  EXPECT_NEAR(y, 1.0, 1e-6);
}

TEST_F(SvgDocumentTest, DrawingHandsTheBackEndOnlyFiniteNumbers)
{
  // A line from the float maximum, and documents whose size the bounds
  // cannot be reached from without overflowing the scale.
  struct Case { const char* name; const char* svg; IRECT bounds; int cubics; } cases[] = {
    {"limit.svg", "<svg width=\"120\" height=\"80\"><polyline points=\"0,1e39 10,10\" stroke=\"black\"/></svg>",
     IRECT(0, 0, 240, 160), 1},
    {"tiny.svg", "<svg width=\"1e-40\" height=\"1e-40\"><rect width=\"1e-40\" height=\"1e-40\"/></svg>",
     IRECT(0, 0, 100, 100), 0},
    {"huge-bounds.svg", "<svg width=\"10\" height=\"10\"><rect width=\"5\" height=\"5\"/></svg>",
     IRECT(-3e38f, -3e38f, 3e38f, 3e38f), 0},
    {"nan-bounds.svg", "<svg width=\"10\" height=\"10\"><rect width=\"5\" height=\"5\"/></svg>",
     IRECT(NAN, 0, 10, 10), 0},
  };
  for (const Case& c : cases)
  {
    gfx->ClearOps();
    const ISvgDocument doc = gfx->LoadSVGFromMemory(c.name, c.svg, -1);
    ASSERT_NE(doc.GetImage(), nullptr) << c.name;
    gfx->DrawSVG(doc, c.bounds);
    EXPECT_EQ(gfx->Count(GfxOp::kPathCubic), c.cubics) << c.name;
    for (const GfxOp& op : gfx->ops)
    {
      for (float v : op.v)
        EXPECT_TRUE(std::isfinite(v)) << c.name << " op " << op.kind;
      const ITransform2D& t = op.transform;
      for (double v : {t.xx, t.yx, t.xy, t.yy, t.tx, t.ty})
        EXPECT_TRUE(std::isfinite(v)) << c.name << " op " << op.kind;
    }
  }
}

TEST_F(SvgDocumentTest, GradientsWithoutLengthOrRadiusPaintTheirLastStop)
{
  // Red to blue; the parsed gradients keep their transforms, the patterns
  // drawn with are the last stop, opaque as a gradient's stops are.
  const std::string stops = "<stop offset=\"0\" stop-color=\"red\"/>"
                            "<stop offset=\"1\" stop-color=\"blue\" stop-opacity=\"0.5\"/>";
  const std::string svg = "<svg width=\"20\" height=\"10\"><linearGradient id=\"point\" x1=\"0.5\" x2=\"0.5\">" +
                          stops + "</linearGradient><radialGradient id=\"dot\" r=\"0\">" + stops +
                          "</radialGradient><linearGradient id=\"line\">" + stops +
                          "</linearGradient><rect width=\"10\" height=\"10\" fill=\"url(#point)\" "
                          "stroke=\"url(#dot)\"/><rect x=\"10\" width=\"10\" height=\"10\" fill=\"url(#line)\"/></svg>";
  const ISvgDocument doc = gfx->LoadSVGFromMemory("degenerate.svg", svg.c_str(), -1);
  ASSERT_TRUE(doc.IsValid());
  gfx->DrawSVG(doc, IRECT(0, 0, 20, 10));
  const auto fills = gfx->OfKind(GfxOp::kFill), strokes = gfx->OfKind(GfxOp::kStroke);
  ASSERT_EQ(fills.size(), 2u);
  ASSERT_EQ(strokes.size(), 1u);
  for (const IPaintPattern* p : {&fills[0].pattern, &strokes[0].pattern})
  {
    EXPECT_EQ(p->kind, kPatternSolid);
    EXPECT_EQ(p->nStops, 1);
    EXPECT_EQ(p->stops[0].color, IRgba(255, 0, 0, 255));
  }
  EXPECT_EQ(fills[1].pattern.kind, kPatternLinear); // x2 is 100 % by default
}
