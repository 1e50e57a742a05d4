#include <gtest/gtest.h>

#include <cmath>

#include "toolkit/svg/SVGImage.h"
#include "support/GfxFixture.h"

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::testkit;

namespace {
using PrimitivesTest = GfxFixture;

class Bitmap : public APIBitmap
{
public:
  Bitmap(int w, int h, float drawScale) : APIBitmap(1, w, h, 1.f, drawScale) {}
};

SVGPath* MakePath(std::initializer_list<float> pts, bool closed, float minX, float minY)
{
  auto* p = new SVGPath();
  p->npts = static_cast<int>(pts.size() / 2);
  p->pts = new float[pts.size()];
  std::copy(pts.begin(), pts.end(), p->pts);
  p->closed = closed;
  p->bounds[0] = minX;
  p->bounds[1] = minY;
  return p;
}

// A square outline as cubic segments (straight lines as curves).
SVGPath* Square(float l, float t, float r, float b)
{
  return MakePath({l, t, l, t, r, t, r, t, r, t, r, b, r, b, r, b, l, b, l, b, l, b, l, t, l, t}, true, l, t);
}

// A document of the given size with one shape filled with a colour.
SVGImage* OneShapeImage(float w, float h, uint32_t fillColor, SVGPath* paths)
{
  auto* image = new SVGImage();
  image->width = w;
  image->height = h;
  image->shapes = new SVGShape();
  image->shapes->fill.type = kSVGPaintColor;
  image->shapes->fill.color = fillColor;
  image->shapes->paths = paths;
  return image;
}
} // namespace

TEST_F(PrimitivesTest, RectAndZeroRadiusRoundRectEmitTheSamePath)
{
  gfx->DrawRect(kColorRed, IRECT(1, 2, 11, 12));
  const std::string rect = gfx->PathString();
  EXPECT_EQ(rect, "M 1 2|L 11 2|L 11 12|L 1 12|Z");
  gfx->ClearOps();
  gfx->DrawRoundRect(kColorRed, IRECT(1, 2, 11, 12), 0.f);
  EXPECT_EQ(gfx->PathString(), rect);
  const auto strokes = gfx->OfKind(GfxOp::kStroke);
  ASSERT_EQ(strokes.size(), 1u);
  EXPECT_EQ(strokes[0].pattern.stops[0].color, kColorRed);
  EXPECT_EQ(strokes[0].thickness, 1.f);
  EXPECT_FALSE(strokes[0].hasBlend);
}

TEST_F(PrimitivesTest, RoundRectCornersAreClockwiseQuarterArcs)
{
  gfx->FillRoundRectCorners(kColorBlue, IRECT(0, 0, 100, 50), 5, 6, 7, 8);
  EXPECT_EQ(gfx->PathString(), "M 0 5|A 5 5 5 270 360|A 94 6 6 0 90|A 93 43 7 90 180|A 8 42 8 180 270|Z");
  ASSERT_EQ(gfx->Count(GfxOp::kFill), 1);
  EXPECT_EQ(gfx->OfKind(GfxOp::kFill)[0].fill.rule, kFillWinding);
}

TEST_F(PrimitivesTest, ArcsCirclesAndPieSlices)
{
  const IBlendMode blend(1, 0.5f);
  gfx->DrawArc(kColorRed, 50, 60, 10, 0, 90, &blend, 2.f);
  EXPECT_EQ(gfx->PathString(), "A 50 60 10 0 90");
  const auto stroke = gfx->OfKind(GfxOp::kStroke)[0];
  EXPECT_TRUE(stroke.hasBlend);
  EXPECT_EQ(stroke.blend.weight, 0.5f);
  EXPECT_EQ(stroke.thickness, 2.f);

  gfx->ClearOps();
  gfx->DrawCircle(kColorRed, 10, 20, 5);
  EXPECT_EQ(gfx->PathString(), "M 10 15|A 10 20 5 0 360|Z");
  gfx->ClearOps();
  gfx->FillArc(kColorRed, 10, 20, 5, 90, 180);
  EXPECT_EQ(gfx->PathString(), "M 10 20|A 10 20 5 90 180|Z");
}

TEST_F(PrimitivesTest, EllipseIsAUnitCircleUnderASavedTransform)
{
  gfx->FillRotatedEllipse(kColorRed, 30, 40, 10, 5, 90.f);
  EXPECT_EQ(gfx->PathString(), "M 0 -1|A 0 0 1 0 360|Z");
  const auto arc = gfx->OfKind(GfxOp::kPathArc)[0];
  double x = 1, y = 0;
  arc.transform.Apply(x, y); // (1, 0) scaled to (10, 0), turned to (0, 10), moved to the centre
  EXPECT_NEAR(x, 30.0, 1e-5);
  EXPECT_NEAR(y, 50.0, 1e-5);
  EXPECT_TRUE(gfx->GetTransform().IsIdentity());
  EXPECT_EQ(gfx->TransformStackDepth(), 0);

  gfx->ClearOps();
  gfx->DrawEllipse(kColorRed, IRECT(0, 0, 20, 10));
  const auto arc2 = gfx->OfKind(GfxOp::kPathArc)[0];
  EXPECT_EQ(arc2.transform, ITransform2D(10, 0, 0, 5, 10, 5));

  gfx->ClearOps();
  gfx->FillEllipse(kColorRed, IRECT(0, 0, 0, 10));
  gfx->DrawRotatedEllipse(kColorRed, 0, 0, -1, 5, 0);
  EXPECT_EQ(gfx->PathString(), "");
  EXPECT_EQ(gfx->Count(GfxOp::kSetTransform), 0);
}

TEST_F(PrimitivesTest, PolygonsTrianglesAndPoints)
{
  const float xs[3] = {0, 10, 5}, ys[3] = {0, 0, 8};
  gfx->FillConvexPolygon(kColorRed, xs, ys, 3);
  EXPECT_EQ(gfx->PathString(), "M 0 0|L 10 0|L 5 8|Z");
  gfx->ClearOps();
  gfx->DrawConvexPolygon(kColorRed, xs, ys, 0);
  EXPECT_EQ(gfx->PathString(), "");
  gfx->ClearOps();
  gfx->DrawPoint(kColorRed, 3, 4);
  EXPECT_EQ(gfx->PathString(), "M 3 4|L 4 4|L 4 5|L 3 5|Z");
}

TEST_F(PrimitivesTest, GridDataAndGuideLines)
{
  gfx->DrawGrid(kColorRed, IRECT(0, 0, 100, 100), 25, 25);
  EXPECT_EQ(gfx->Count(GfxOp::kPathMoveTo), 6);
  EXPECT_EQ(gfx->PathString(), "M 25 0|L 25 100|M 50 0|L 50 100|M 75 0|L 75 100|M 0 25|L 100 25|M 0 50|L 100 50|"
                               "M 0 75|L 100 75");
  gfx->ClearOps();
  gfx->DrawGrid(kColorRed, IRECT(0, 0, 100, 100), 1, 0);
  EXPECT_EQ(gfx->Count(GfxOp::kPathMoveTo), 0);

  // Edges where adding the step changes nothing still end the grid.
  gfx->ClearOps();
  gfx->DrawGrid(kColorRed, IRECT(-INFINITY, 0, 100, 100), 25, 25);
  gfx->DrawGrid(kColorRed, IRECT(0, 0, INFINITY, 100), 25, 0);
  EXPECT_EQ(gfx->Count(GfxOp::kPathMoveTo), 0);
  EXPECT_EQ(gfx->Count(GfxOp::kStroke), 2);
  gfx->ClearOps();
  gfx->DrawGrid(kColorRed, IRECT(4e7f, 0, 4e7f + 100, 10), 1.5f, 0); // float spacing 4 > the step
  EXPECT_GT(gfx->Count(GfxOp::kPathMoveTo), 0);
  EXPECT_LE(gfx->Count(GfxOp::kPathMoveTo), 67);

  gfx->ClearOps();
  const float ys[2] = {0.f, 1.f};
  const IRgba fill = kColorBlue;
  gfx->DrawData(kColorRed, IRECT(0, 0, 100, 50), ys, 2, nullptr, nullptr, 1.f, &fill);
  EXPECT_EQ(gfx->PathString(), "M 0 50|L 100 0");
  const auto fills = gfx->OfKind(GfxOp::kFill);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_TRUE(fills[0].fill.preserve);
  EXPECT_EQ(gfx->Count(GfxOp::kStroke), 1);
  gfx->ClearOps();
  gfx->DrawData(kColorRed, IRECT(0, 0, 100, 50), ys, 0);
  EXPECT_TRUE(gfx->ops.empty());

  gfx->ClearOps();
  gfx->DrawVerticalLine(kColorRed, IRECT(10, 0, 20, 5), 0.999f);
  gfx->DrawVerticalLine(kColorRed, IRECT(10, 0, 20, 5), 1.5f);
  gfx->DrawHorizontalLine(kColorRed, IRECT(0, 10, 5, 20), 0.25f);
  EXPECT_EQ(gfx->PathString(), "M 19 0|L 19 5|M 20 0|L 20 5|M 0 17.5|L 5 17.5");
}

TEST_F(PrimitivesTest, TransformStackSavesRestoresAndResets)
{
  gfx->RestorePathTransform(); // empty: nothing
  EXPECT_EQ(gfx->Count(GfxOp::kSetTransform), 0);
  gfx->PathTransformTranslate(5, 6);
  gfx->SavePathTransform();
  gfx->PathTransformScale(2, 2);
  gfx->RestorePathTransform();
  EXPECT_EQ(gfx->GetTransform(), ITransform2D(1, 0, 0, 1, 5, 6));
  gfx->SavePathTransform();
  gfx->ResetPathTransform(true);
  EXPECT_EQ(gfx->TransformStackDepth(), 0);
  EXPECT_TRUE(gfx->GetTransform().IsIdentity());
}

TEST_F(PrimitivesTest, BitmapsFitAndRotateUnderTheirTransforms)
{
  Bitmap api(40, 20, 2.f);
  const IBitmapRef bmp(&api, 40, 20, 1, false, "b");
  gfx->DrawFittedBitmap(bmp, IRECT(10, 10, 90, 30));
  auto draws = gfx->OfKind(GfxOp::kDrawBitmap);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].rect, IRECT(0, 0, 40, 20));
  EXPECT_EQ(draws[0].transform, ITransform2D(2, 0, 0, 1, 10, 10));

  gfx->ClearOps();
  gfx->DrawRotatedBitmap(bmp, 50, 50, 0.0);
  draws = gfx->OfKind(GfxOp::kDrawBitmap);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].rect, IRECT(-10, -5, 10, 5)); // 40 / draw scale 2
  EXPECT_TRUE(gfx->GetTransform().IsIdentity());
}

TEST_F(PrimitivesTest, EmptyBitmapReferencesDrawNothing)
{
  Bitmap api(40, 20, 1.f);
  const IBitmapRef empties[] = {IBitmapRef(), IBitmapRef(nullptr, 40, 20, 1, false, "x"),
                                IBitmapRef(&api, 0, 20, 1, false, "x"), IBitmapRef(&api, 40, 0, 1, false, "x"),
                                IBitmapRef(&api, 40, 20, 0, false, "x")};
  for (const IBitmapRef& b : empties)
  {
    gfx->DrawFittedBitmap(b, IRECT(0, 0, 10, 10));
    gfx->DrawRotatedBitmap(b, 5, 5, 45.0);
  }
  EXPECT_TRUE(gfx->ops.empty());
  EXPECT_EQ(IBitmapRef(&api, 40, 20, 0, true, "x").FrameWidth(), 40);
}

TEST_F(PrimitivesTest, DashesThatWouldNeverAdvanceAreDrawnSolid)
{
  for (float dash : {0.f, -4.f, NAN, INFINITY})
  {
    gfx->ClearOps();
    gfx->DrawDottedLine(kColorRed, 0, 0, 100, 0, nullptr, 1.f, dash);
    gfx->DrawDottedRect(kColorRed, IRECT(0, 0, 10, 10), nullptr, 1.f, dash);
    for (const auto& s : gfx->OfKind(GfxOp::kStroke))
      EXPECT_EQ(s.stroke.dash.count, 0) << dash;
  }
  gfx->ClearOps();
  gfx->DrawDottedLine(kColorRed, 0, 0, 100, 0, nullptr, 1.f, 1e-30f);
  const auto s = gfx->OfKind(GfxOp::kStroke);
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].stroke.dash.count, 1);
}

TEST_F(PrimitivesTest, TextIsMeasuredAndDrawnOnlyWhenPresent)
{
  IRECT r(0, 0, 100, 20);
  EXPECT_EQ(gfx->MeasureText(kDefaultText, "", r), 0.f);
  EXPECT_EQ(gfx->MeasureText(kDefaultText, nullptr, r), 0.f);
  EXPECT_EQ(r, IRECT(0, 0, 100, 20));
  EXPECT_EQ(gfx->MeasureText(kDefaultText, "abcd", r), 28.f);
  gfx->DrawText(kDefaultText, "", r);
  gfx->DrawText(kDefaultText, nullptr, r);
  EXPECT_EQ(gfx->Count(GfxOp::kRenderText), 0);
  gfx->DrawText(kDefaultText, "hi", r);
  gfx->DrawMultiLineText(kDefaultText, "many lines", r);
  const auto texts = gfx->OfKind(GfxOp::kRenderText);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1].text, "Unsupported");
}

TEST_F(PrimitivesTest, TextRotationTurnsTheBoxAndCentresIt)
{
  ITextStyle style;
  style.angle = 90.f;
  const IRECT bounds(100, 100, 140, 110);
  IRECT rect(0, 0, 40, 10);
  double tx = 0, ty = 0;
  gfx->ComputeTextRotation(style, bounds, rect, tx, ty);
  EXPECT_NEAR(rect.W(), 10.f, 1e-4);
  EXPECT_NEAR(rect.H(), 40.f, 1e-4);
  EXPECT_NEAR(rect.MW() + tx, bounds.MW(), 1e-4);
  EXPECT_NEAR(rect.MH() + ty, bounds.MH(), 1e-4);
  style.angle = 0.f;
  IRECT same(0, 0, 40, 10);
  gfx->ComputeTextRotation(style, bounds, same, tx, ty);
  EXPECT_EQ(same, IRECT(0, 0, 40, 10));
}

TEST_F(PrimitivesTest, SvgScalesFromTheTopLeftAndFillsRingsWithHoles)
{
  SVGPath* ring = Square(10, 10, 40, 40);
  ring->next = Square(0, 0, 50, 50);
  SVGHolder holder(OneShapeImage(100, 50, 0x80FF0000u, ring)); // alpha byte 128, blue 255
  const ISvgDocument doc(&holder);

  gfx->DrawSVG(doc, IRECT(0, 0, 200, 200));
  const auto cubics = gfx->OfKind(GfxOp::kPathCubic);
  ASSERT_EQ(cubics.size(), 8u);
  EXPECT_EQ(cubics[0].transform, ITransform2D(2, 0, 0, 2, 0, 0));
  const auto windings = gfx->OfKind(GfxOp::kPathWinding);
  ASSERT_EQ(windings.size(), 2u);
  EXPECT_EQ(windings[0].dir, 1); // inner square: a hole
  EXPECT_EQ(windings[1].dir, 0);
  const auto fills = gfx->OfKind(GfxOp::kFill);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].fill.rule, kFillPreserveWinding);
  EXPECT_FALSE(fills[0].fill.preserve);
  EXPECT_EQ(fills[0].pattern.stops[0].color, IRgba(255, 0, 0, 255));
  EXPECT_TRUE(gfx->GetTransform().IsIdentity());
}

TEST_F(PrimitivesTest, SvgPaintsBecomePatterns)
{
  SVGGradient grad;
  grad.spread = kSVGSpreadReflect;
  SVGGradientStop stops[20];
  for (int i = 0; i < 20; ++i)
    stops[i] = {0x7F0000FFu, i / 20.f};
  grad.stops = stops;
  grad.nstops = 20;
  grad.xform[4] = 3.f;
  SVGPaint paint;
  paint.type = kSVGPaintRadial;
  paint.gradient = &grad;
  const IPaintPattern p = IGfx::SVGPaintToPattern(paint, 0.5f);
  EXPECT_EQ(p.kind, kPatternRadial);
  EXPECT_EQ(p.extend, kExtendReflect);
  EXPECT_EQ(p.nStops, 16);
  EXPECT_EQ(p.stops[0].color, IRgba(255, 255, 0, 0));
  EXPECT_EQ(p.transform.tx, 3.0);
  grad.stops = nullptr; // not owned here

  SVGPaint none;
  EXPECT_EQ(IGfx::SVGPaintToPattern(none, 2.f).stops[0].color, IRgba(255, 0, 0, 0));
  SVGPaint broken;
  broken.type = kSVGPaintLinear; // a gradient paint without its gradient
  EXPECT_EQ(IGfx::SVGPaintToPattern(broken, 0.f).stops[0].color, IRgba(0, 0, 0, 0));
}

TEST_F(PrimitivesTest, MissingOrEmptySvgDocumentsDrawNothing)
{
  gfx->DrawSVG(ISvgDocument(), IRECT(0, 0, 10, 10));
  gfx->DrawRotatedSVG(ISvgDocument(), 5, 5, 10, 10, 30.0);
  gfx->RenderSVG(ISvgDocument());
  SVGHolder nullHolder(nullptr);
  gfx->DrawSVG(ISvgDocument(&nullHolder), IRECT(0, 0, 10, 10));
  SVGHolder flatHolder(OneShapeImage(100, 0, 0xFF000000u, Square(0, 0, 10, 10)));
  gfx->DrawSVG(ISvgDocument(&flatHolder), IRECT(0, 0, 10, 10));
  gfx->DrawRotatedSVG(ISvgDocument(&flatHolder), 5, 5, 10, 10, 30.0);
  EXPECT_TRUE(gfx->ops.empty());
}

TEST_F(PrimitivesTest, TrianglesAreClosedThreePointPaths)
{
  gfx->DrawTriangle(kColorRed, 0, 0, 10, 0, 5, 8, nullptr, 3.f);
  gfx->FillTriangle(kColorBlue, 1, 1, 2, 2, 3, 1);
  EXPECT_EQ(gfx->PathString(), "M 0 0|L 10 0|L 5 8|Z|M 1 1|L 2 2|L 3 1|Z");
  EXPECT_EQ(gfx->OfKind(GfxOp::kStroke)[0].thickness, 3.f);
  EXPECT_EQ(gfx->OfKind(GfxOp::kFill)[0].pattern.stops[0].color, kColorBlue);

  gfx->ClearOps();
  gfx->DrawDottedLine(kColorRed, 0, 0, 10, 0, nullptr, 1.f, 3.f);
  const auto dash = gfx->OfKind(GfxOp::kStroke)[0].stroke.dash;
  EXPECT_EQ(dash.count, 1);
  EXPECT_EQ(dash.lengths[0], 3.f);
  EXPECT_EQ(dash.offset, 0.f);
}

TEST_F(PrimitivesTest, SvgStrokesTakeTheShapesSettingsAndKeepThePathForThem)
{
  SVGImage* image = OneShapeImage(10, 10, 0xFF00FF00u, Square(0, 0, 10, 10));
  SVGShape* shape = image->shapes;
  shape->stroke.type = kSVGPaintColor;
  shape->stroke.color = 0xFF0000FFu;
  shape->opacity = 0.5f;
  shape->strokeWidth = 2.5f;
  shape->miterLimit = 7.f;
  shape->strokeLineCap = kCapRound;
  shape->strokeLineJoin = kJoinBevel;
  shape->strokeDashCount = 2;
  shape->strokeDashArray[0] = 4.f;
  shape->strokeDashArray[1] = 1.f;
  shape->strokeDashOffset = 0.5f;
  auto* hidden = new SVGShape();
  hidden->visible = 0;
  hidden->fill.type = kSVGPaintColor;
  hidden->paths = Square(0, 0, 5, 5);
  shape->next = hidden;
  SVGHolder holder(image);
  const ISvgDocument doc(&holder);

  gfx->RenderSVG(doc);
  ASSERT_EQ(gfx->Count(GfxOp::kFill), 1);
  ASSERT_EQ(gfx->Count(GfxOp::kStroke), 1);
  const GfxOp fill = gfx->OfKind(GfxOp::kFill)[0];
  EXPECT_TRUE(fill.fill.preserve);
  EXPECT_EQ(fill.pattern.stops[0].color, IRgba(128, 0, 255, 0)); // round(0.5 * 255)
  const GfxOp stroke = gfx->OfKind(GfxOp::kStroke)[0];
  EXPECT_EQ(stroke.thickness, 2.5f);
  EXPECT_EQ(stroke.stroke.miterLimit, 7.f);
  EXPECT_EQ(stroke.stroke.cap, kCapRound);
  EXPECT_EQ(stroke.stroke.join, kJoinBevel);
  EXPECT_EQ(stroke.stroke.dash.count, 2);
  EXPECT_EQ(stroke.stroke.dash.lengths[1], 1.f);
  EXPECT_EQ(stroke.stroke.dash.offset, 0.5f);
  EXPECT_EQ(stroke.pattern.stops[0].color, IRgba(128, 255, 0, 0));

  // Colours given by the caller replace the document's paints.
  gfx->ClearOps();
  const IRgba strokeColor = kColorBlack, fillColor = kColorWhite;
  gfx->RenderSVG(doc, nullptr, &strokeColor, &fillColor);
  EXPECT_EQ(gfx->OfKind(GfxOp::kFill)[0].pattern.stops[0].color, kColorWhite);
  EXPECT_EQ(gfx->OfKind(GfxOp::kStroke)[0].pattern.stops[0].color, kColorBlack);
}

TEST_F(PrimitivesTest, RotatedSvgIsCentredOnItsPointAndTurned)
{
  SVGHolder holder(OneShapeImage(20, 10, 0xFF000000u, Square(0, 0, 20, 10)));
  gfx->DrawRotatedSVG(ISvgDocument(&holder), 100, 50, 40, 20, 90.0);
  const auto cubics = gfx->OfKind(GfxOp::kPathCubic);
  ASSERT_FALSE(cubics.empty());
  // The document's origin sits at (-20, -10) from the centre before the turn,
  // at scale 2; turned by 90 degrees it lands at (110, 30).
  double x = 0, y = 0;
  cubics[0].transform.Apply(x, y);
  EXPECT_NEAR(x, 110.0, 1e-4);
  EXPECT_NEAR(y, 30.0, 1e-4);
  double x2 = 1, y2 = 0;
  cubics[0].transform.Apply(x2, y2);
  EXPECT_NEAR(x2 - x, 0.0, 1e-4);
  EXPECT_NEAR(y2 - y, 2.0, 1e-4);
  EXPECT_TRUE(gfx->GetTransform().IsIdentity());
  EXPECT_EQ(gfx->TransformStackDepth(), 0);
}
