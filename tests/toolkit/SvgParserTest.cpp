// The SVG parser from text to shapes, paths and paints.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/svg/SVGImage.h"
#include "toolkit/svg/SVGParser.h"
#include "toolkit/svg/SVGParserState.h"

using namespace ifx::igfx;

namespace {
struct ImageDeleter
{
  void operator()(SVGImage* image) const { DeleteSVGImage(image); }
};
using Image = std::unique_ptr<SVGImage, ImageDeleter>;

Image Parse(const std::string& text, const char* units = "px", float dpi = 96.f)
{
  std::vector<char> buf(text.begin(), text.end());
  buf.push_back('\0');
  return Image(ParseSVG(buf.data(), units, dpi));
}

// A 100 x 100 document whose view box is its size: coordinates stay as written.
Image ParseBody(const std::string& body, const char* units = "px", float dpi = 96.f)
{
  return Parse("<svg width=\"100\" height=\"100\">" + body + "</svg>", units, dpi);
}

std::vector<const SVGShape*> Shapes(const Image& image)
{
  std::vector<const SVGShape*> out;
  for (const SVGShape* s = image ? image->shapes : nullptr; s; s = s->next)
    out.push_back(s);
  return out;
}

// The paths of the only shape, in document order.
std::vector<const SVGPath*> Paths(const Image& image)
{
  std::vector<const SVGPath*> out;
  const auto shapes = Shapes(image);
  if (shapes.size() != 1)
    return out;
  for (const SVGPath* p = shapes[0]->paths; p; p = p->next)
    out.insert(out.begin(), p);
  return out;
}

const SVGShape& OnlyShape(const Image& image)
{
  static const SVGShape none;
  const auto shapes = Shapes(image);
  EXPECT_EQ(shapes.size(), 1u);
  return shapes.size() == 1 ? *shapes[0] : none;
}

void ExpectBounds(const float* b, float l, float t, float r, float bt, float tol = 1e-3f)
{
  EXPECT_NEAR(b[0], l, tol);
  EXPECT_NEAR(b[1], t, tol);
  EXPECT_NEAR(b[2], r, tol);
  EXPECT_NEAR(b[3], bt, tol);
}
} // namespace

TEST(SvgParser, ColoursReadLikeTheToolkitExpects)
{
  // rgb: red in the low byte.
  struct Case { const char* text; uint32_t rgb; } cases[] = {
    {"#f00", 0x0000FF}, {"#ff0000", 0x0000FF}, {"rgb(255,0,0)", 0x0000FF}, {"rgb(100%,0%,0%)", 0x0000FF},
    {"red", 0x0000FF}, {" #123456", 0x563412}, {"#1234", 0}, {"#", 0}, {"blue", 0xFF0000},
    {"gray", 0x808080}, {"Red", 0x808080}, {"transparent", 0x808080}, {"rgb(50%, 50%, 50%)", 0x7F7F7F},
    {"rgb(10 20\t30)", 0x1E140A},
    // Out of range, missing and absurd components are clamped into their byte.
    {"rgb(300, -5, 7)", 0x0700FF}, {"rgb(99999999999999999999,1,1)", 0x0101FF}, {"rgb(12)", 0x00000C},
    {"rgb(-99999999999999%, 200%, 1)", 0x02FF00}, {"rgb(", 0}, {"rgb(1.5, 2, 3)", 0x000001},
  };
  for (const Case& c : cases)
  {
    const Image image = ParseBody(std::string("<rect width=\"1\" height=\"1\" fill=\"") + c.text + "\" />");
    const SVGShape& s = OnlyShape(image);
    EXPECT_EQ(s.fill.type, kSVGPaintColor) << c.text;
    EXPECT_EQ(s.fill.color, 0xFF000000u | c.rgb) << c.text;
  }
}

TEST(SvgParser, NumbersAreFiniteWhateverTheText)
{
  // Only the first 63 characters of a token count: here its exponent is cut off.
  const std::string cut = "1." + std::string(62, '0') + "e5 1";
  struct Case { const char* token; float x; float y; } cases[] = {
    {"12.5 -3", 12.5f, -3.f}, {"1.5.5", 1.5f, 0.5f}, {"-.5-2", -0.5f, -2.f}, {"1e2,2E-1", 100.f, 0.2f},
    {"+4 . ", 4.f, 0.f}, {"1e999999999 0", FLT_MAX, 0.f}, {"-1e400 1e-400", -FLT_MAX, 0.f},
    {"0e99999 5", 0.f, 5.f}, {"1e 3", 1.f, 3.f}, {cut.c_str(), 1.f, 1.f},
  };
  for (const Case& c : cases)
  {
    const Image image = ParseBody(std::string("<path d=\"M") + c.token + " L 0 0\" />");
    const auto paths = Paths(image);
    ASSERT_EQ(paths.size(), 1u) << c.token;
    EXPECT_FLOAT_EQ(paths[0]->pts[0], c.x) << c.token;
    EXPECT_FLOAT_EQ(paths[0]->pts[1], c.y) << c.token;
  }
}

TEST(SvgParser, LengthsConvertTheirUnits)
{
  // The root's attributes, a stroke width, the dpi, the width it comes to.
  struct Case { const char* svg; const char* width; float dpi; float expected; } cases[] = {
    {"", "2px", 96.f, 2.f}, {"", "72pt", 96.f, 96.f}, {"", "6pc", 96.f, 96.f}, {"", "25.4mm", 96.f, 96.f},
    {"", "2.54cm", 96.f, 96.f}, {"", "1in", 96.f, 96.f}, {"font-size=\"10\"", "2em", 96.f, 20.f},
    {"font-size=\"10\"", "2ex", 96.f, 10.4f}, {"viewBox=\"0 0 300 400\"", "10%", 96.f, 35.355339f},
    // Nothing to measure against: no font size at the root, no dpi, no view box yet.
    {"", "2em", 96.f, 0.f}, {"", "1in", 0.f, 0.f}, {"", "2mm", NAN, 0.f}, {"", "50%", 96.f, 0.f},
  };
  for (const Case& c : cases)
  {
    // The view box (when given) keeps the scale at 1 with a matching image size.
    const std::string doc = std::string("<svg ") + c.svg + "><path stroke=\"red\" stroke-width=\"" + c.width +
                            "\" d=\"M0 0 L300 400\" /></svg>";
    const Image image = Parse(doc, "px", c.dpi);
    EXPECT_NEAR(OnlyShape(image).strokeWidth, c.expected, 1e-4f) << c.svg << " " << c.width << " @" << c.dpi;
  }
}

TEST(SvgParser, ResultUnitsDivideCoordinatesButNotTheImageSize)
{
  struct Case { const char* units; float dpi; float scale; } cases[] = {
    {"in", 96.f, 1.f / 96.f}, {"pt", 96.f, 0.75f}, {"px", 96.f, 1.f}, {"bogus", 96.f, 1.f}, {"mmm", 96.f, 1.f},
    // No positive finite size: px.
    {"%", 96.f, 1.f}, {"em", 96.f, 1.f}, {"ex", 96.f, 1.f}, {"in", 0.f, 1.f}, {"cm", NAN, 1.f},
    {"mm", -96.f, 1.f},
  };
  for (const Case& c : cases)
  {
    const Image image = Parse("<svg width=\"96\" height=\"96\"><rect x=\"48\" y=\"24\" width=\"48\" height=\"24\" "
                              "stroke=\"red\" stroke-width=\"4\" /></svg>",
                              c.units, c.dpi);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 96.f);
    EXPECT_EQ(image->height, 96.f);
    const SVGShape& s = OnlyShape(image);
    ExpectBounds(s.bounds, 48 * c.scale, 24 * c.scale, 96 * c.scale, 48 * c.scale, 1e-5f);
    EXPECT_NEAR(s.strokeWidth, 4 * c.scale, 1e-5f) << c.units;
  }
}

TEST(SvgParser, TransformListsComposeInOrder)
{
  // x, y: where (1, 1) goes.
  struct Case { const char* transform; float x, y; } cases[] = {
    {"translate(10) scale(2)", 12, 2}, {"scale(2, 3)", 2, 3}, {"scale(2)", 2, 2}, {"rotate(90)", -1, 1},
    {"rotate(90 1 0)", 0, 0}, {"rotate(90, 2)", 1, -1}, {"skewX(45)", 2, 1}, {"skewY(45)", 1, 2},
    {"matrix(2 0 0 2 3 4)", 5, 6}, {"junk translate(1,1)", 2, 2}, {"translate(5)translate(0 5)", 6, 6},
    // Items that make no matrix leave the list as it was.
    {"matrix(2 0 0 2)", 1, 1}, {"matrix(1 0 0 1 5 5 9) translate(1)", 2, 1}, {"rotate(90 1 2 3)", 1, 1},
    {"translate()", 1, 1}, {"scale", 1, 1}, {"translate(1", 2, 1},
  };
  for (const Case& c : cases)
  {
    const Image image =
      ParseBody(std::string("<path transform=\"") + c.transform + "\" d=\"M1 1 L 1 1.5\" />");
    const auto paths = Paths(image);
    ASSERT_EQ(paths.size(), 1u) << c.transform;
    EXPECT_NEAR(paths[0]->pts[0], c.x, 1e-5f) << c.transform;
    EXPECT_NEAR(paths[0]->pts[1], c.y, 1e-5f) << c.transform;
  }
  // The element's own transform acts first, then its group's.
  const Image nestedDoc = ParseBody("<g transform=\"translate(5)\"><path transform=\"scale(2)\" d=\"M1 1 L2 2\"/></g>");
  const auto nested = Paths(nestedDoc);
  ASSERT_EQ(nested.size(), 1u);
  EXPECT_FLOAT_EQ(nested[0]->pts[0], 7.f);
  EXPECT_FLOAT_EQ(nested[0]->pts[1], 2.f);
}

TEST(SvgParser, PathDataBecomesCubicSubPaths)
{
  // lastPoints: of the last sub-path; b: bounds of the shape.
  struct Case { const char* d; int subPaths; int lastPoints; bool closed; float b[4]; float endX, endY; } cases[] = {
    {"M0 0 L10 0 L10 10 Z", 1, 10, true, {0, 0, 10, 10}, 0, 0},
    {"M0 0 10 0 10 10", 1, 7, false, {0, 0, 10, 10}, 10, 10},
    {"m1 1 l2 0 0 2", 1, 7, false, {1, 1, 3, 3}, 3, 3},
    {"M0 0 H10 V10 h-10 v-10", 1, 13, false, {0, 0, 10, 10}, 0, 0},
    // Tight bounds: the curve turns at y = 7.5, well inside its control points.
    {"M0 0 C 0 10 10 10 10 0", 1, 4, false, {0, 0, 10, 7.5f}, 10, 0},
    {"M0 0 C0 10 10 10 10 0 S 20 -10 20 0", 1, 7, false, {0, -7.5f, 20, 7.5f}, 20, 0},
    {"M0 0 c0 10 10 10 10 0 s 10 -10 10 0", 1, 7, false, {0, -7.5f, 20, 7.5f}, 20, 0},
    {"M0 0 Q 5 10 10 0 T 20 0", 1, 7, false, {0, -5, 20, 5}, 20, 0},
    {"M0 0 L 10 0 S 20 10 20 0", 1, 7, false, {0, 0, 20, 4.44444f}, 20, 0},
    // A half turn in three quarter-turn pieces; short radii grow to reach.
    {"M0 0 A 10 10 0 0 1 20 0", 1, 10, false, {0, -10, 20, 0}, 20, 0},
    {"M0 0 a 10 10 0 0 0 20 0", 1, 10, false, {0, 0, 20, 10}, 20, 0},
    {"M0 0 A 1 1 0 0 1 20 0", 1, 10, false, {0, -10, 20, 0}, 20, 0},
    {"M0 0 A 10 5 90 1 1 0 20", 1, 10, false, {0, 0, 5, 20}, 0, 20},
    {"M0 0 A 0 10 0 0 1 20 0", 1, 4, false, {0, 0, 20, 0}, 20, 0},
    {"M0 0 A 10 10 0 0 1 0 0", 1, 4, false, {0, 0, 0, 0}, 0, 0},
    {"M0 0 L10 0 M 20 20 L 30 20", 2, 4, false, {0, 0, 30, 20}, 30, 20},
    // After Z the start point begins the next sub-path.
    {"M0 0 L10 0 L10 10 Z L 0 10", 2, 4, false, {0, 0, 10, 10}, 0, 10},
    {"M0 0 L10 0 X 5 5 L 0 10", 1, 7, false, {0, 0, 10, 10}, 0, 10},
    {"M0 0 L10 0 Z 5 5 z z", 1, 7, true, {0, 0, 10, 0}, 0, 0},
  };
  for (const Case& c : cases)
  {
    const Image image = ParseBody(std::string("<path d=\"") + c.d + "\" />");
    const auto paths = Paths(image);
    ASSERT_EQ(static_cast<int>(paths.size()), c.subPaths) << c.d;
    const SVGPath& last = *paths.back();
    EXPECT_EQ(last.npts, c.lastPoints) << c.d;
    EXPECT_EQ(last.closed != 0, c.closed) << c.d;
    EXPECT_NEAR(last.pts[last.npts * 2 - 2], c.endX, 1e-4f) << c.d;
    EXPECT_NEAR(last.pts[last.npts * 2 - 1], c.endY, 1e-4f) << c.d;
    ExpectBounds(OnlyShape(image).bounds, c.b[0], c.b[1], c.b[2], c.b[3]);
  }
  // Mirrored and quadratic control points.
  const Image smoothDoc = ParseBody("<path d=\"M0 0 C0 10 10 10 10 0 S 20 -10 20 0 M0 0 Q 6 9 12 0\" />");
  const auto smooth = Paths(smoothDoc);
  ASSERT_EQ(smooth.size(), 2u);
  EXPECT_FLOAT_EQ(smooth[0]->pts[8], 10.f);
  EXPECT_FLOAT_EQ(smooth[0]->pts[9], -10.f);
  EXPECT_FLOAT_EQ(smooth[1]->pts[2], 4.f);
  EXPECT_FLOAT_EQ(smooth[1]->pts[3], 6.f);
  EXPECT_FLOAT_EQ(smooth[1]->pts[4], 8.f);

  for (const char* nothing : {"M 5 5", "L 10 10 20 20", "", "M0 0 Z", "Q 1 1"})
    EXPECT_TRUE(Shapes(ParseBody(std::string("<path d=\"") + nothing + "\" />")).empty()) << nothing;
}

TEST(SvgParser, BasicShapesBecomeOutlines)
{
  struct Case { const char* element; int points; bool closed; float b[4]; } cases[] = {
    {"<rect x=\"1\" y=\"2\" width=\"10\" height=\"20\"/>", 13, true, {1, 2, 11, 22}},
    {"<rect width=\"-10\" height=\"20\"/>", 13, true, {-10, 0, 0, 20}},
    {"<rect x=\"0\" y=\"0\" width=\"20\" height=\"20\" rx=\"5\"/>", 28, true, {0, 0, 20, 20}},
    {"<rect width=\"20\" height=\"10\" ry=\"50\"/>", 28, true, {0, 0, 20, 10}},
    {"<rect width=\"20\" height=\"10\" rx=\"0.000001\" ry=\"5\"/>", 13, true, {0, 0, 20, 10}},
    {"<circle cx=\"50\" cy=\"40\" r=\"10\"/>", 16, true, {40, 30, 60, 50}},
    {"<circle cx=\"50\" cy=\"40\" r=\"-10\"/>", 16, true, {40, 30, 60, 50}},
    {"<ellipse cx=\"50\" cy=\"40\" rx=\"10\" ry=\"5\"/>", 16, true, {40, 35, 60, 45}},
    {"<line x1=\"1\" y1=\"2\" x2=\"30\" y2=\"40\"/>", 4, false, {1, 2, 30, 40}},
    {"<polyline points=\"0,0 10,0 10,10 99\"/>", 7, false, {0, 0, 10, 10}},
    {"<polygon points=\"0 0,10 0 10 10\"/>", 10, true, {0, 0, 10, 10}},
  };
  for (const Case& c : cases)
  {
    const Image pathsDoc = ParseBody(c.element);
    const auto paths = Paths(pathsDoc);
    ASSERT_EQ(paths.size(), 1u) << c.element;
    EXPECT_EQ(paths[0]->npts, c.points) << c.element;
    EXPECT_EQ(paths[0]->closed != 0, c.closed) << c.element;
    ExpectBounds(paths[0]->bounds, c.b[0], c.b[1], c.b[2], c.b[3]);
  }
  // A rounded corner's control points are pulled in from the corner.
  const Image roundedDoc = ParseBody("<rect width=\"20\" height=\"20\" rx=\"5\"/>");
  const auto rounded = Paths(roundedDoc);
  ASSERT_EQ(rounded.size(), 1u);
  EXPECT_FLOAT_EQ(rounded[0]->pts[8], 20.f - 5.f * 0.44771522f);
  EXPECT_FLOAT_EQ(rounded[0]->pts[9], 0.f);

  for (const char* none : {"<rect width=\"0\" height=\"5\"/>", "<rect width=\"5\"/>", "<circle r=\"0\"/>",
                           "<ellipse rx=\"5\" ry=\"0\"/>",
                           "<rect width=\"50%\" height=\"5\"/>", "<polyline points=\"1 1\"/>", "<path/>", "<text x=\"1\"/>"})
    EXPECT_TRUE(Shapes(ParseBody(none)).empty()) << none;
}

TEST(SvgParser, PresentationAttributesAndStylesGiveTheShapeItsLook)
{
  const Image image = ParseBody(
    "<rect id=\"a\" width=\"1\" height=\"1\"/>"
    "<rect width=\"1\" height=\"1\" fill=\"red\" fill-opacity=\"0.5\" stroke=\"blue\" stroke-opacity=\"2\"/>"
    "<rect width=\"1\" height=\"1\" style=\" fill : none; stroke:#00ff00 ;stroke-width: 3;bogus;:x\"/>"
    "<g opacity=\"0.5\" fill=\"blue\" id=\"grp\"><rect width=\"1\" height=\"1\"/>"
    "<rect width=\"1\" height=\"1\" opacity=\"0.8\" display=\"none\"/></g>"
    "<rect width=\"1\" height=\"1\" stroke=\"red\" stroke-width=\"3\" transform=\"scale(2)\" "
    "stroke-dasharray=\"5, 3 2\" stroke-dashoffset=\"1\" stroke-linecap=\"round\" stroke-linejoin=\"bevel\" "
    "stroke-miterlimit=\"-3\" fill-rule=\"evenodd\"/>"
    "<rect width=\"1\" height=\"1\" stroke-dasharray=\"1 2 3 4 5 6 7 8 9\" stroke-linecap=\"square\" "
    "stroke-linejoin=\"round\" stroke-miterlimit=\"7\" fill-rule=\"bogus\"/>"
    "<rect width=\"1\" height=\"1\" stroke-dasharray=\"-4\" stroke-linecap=\"bogus\"/>"
    "<rect width=\"1\" height=\"1\" stroke-dasharray=\"0, 0\"/>"
    "<rect width=\"1\" height=\"1\" stroke-dasharray=\"none\"/>");
  const auto s = Shapes(image);
  ASSERT_EQ(s.size(), 10u);
  EXPECT_STREQ(s[0]->id, "a");
  EXPECT_EQ(s[0]->fill.color, 0xFF000000u); // black, no stroke, by default
  EXPECT_EQ(s[0]->stroke.type, kSVGPaintNone);
  EXPECT_EQ(s[0]->miterLimit, 4.f);
  EXPECT_EQ(s[1]->fill.color, 0x7F0000FFu);
  EXPECT_EQ(s[1]->stroke.color, 0xFFFF0000u);
  EXPECT_EQ(s[2]->fill.type, kSVGPaintNone);
  EXPECT_EQ(s[2]->stroke.color, 0xFF00FF00u);
  EXPECT_EQ(s[2]->strokeWidth, 3.f);
  // Group attributes are inherited, opacity replaced rather than multiplied.
  EXPECT_EQ(s[3]->opacity, 0.5f);
  EXPECT_EQ(s[3]->fill.color, 0xFFFF0000u);
  EXPECT_STREQ(s[3]->id, "grp");
  EXPECT_EQ(s[4]->opacity, 0.8f);
  EXPECT_EQ(s[4]->visible, 0);
  EXPECT_EQ(s[3]->visible, 1);
  EXPECT_EQ(s[5]->fill.color, 0xFF000000u);
  // Stroke lengths follow the element's scale.
  EXPECT_EQ(s[5]->strokeWidth, 6.f);
  ASSERT_EQ(s[5]->strokeDashCount, 3);
  EXPECT_EQ(s[5]->strokeDashArray[0], 10.f);
  EXPECT_EQ(s[5]->strokeDashArray[2], 4.f);
  EXPECT_EQ(s[5]->strokeDashOffset, 2.f);
  EXPECT_EQ(s[5]->strokeLineCap, 1);
  EXPECT_EQ(s[5]->strokeLineJoin, 2);
  EXPECT_EQ(s[5]->miterLimit, 0.f);
  EXPECT_EQ(s[5]->fillRule, 1);
  EXPECT_EQ(s[6]->strokeDashCount, 8);
  EXPECT_EQ(s[6]->strokeLineCap, 2);
  EXPECT_EQ(s[6]->strokeLineJoin, 1);
  EXPECT_EQ(s[6]->miterLimit, 7.f);
  EXPECT_EQ(s[6]->fillRule, 0);
  ASSERT_EQ(s[7]->strokeDashCount, 1);
  EXPECT_EQ(s[7]->strokeDashArray[0], 4.f);
  EXPECT_EQ(s[7]->strokeLineCap, 0);
  EXPECT_EQ(s[8]->strokeDashCount, 0);
  EXPECT_EQ(s[9]->strokeDashCount, 0);
}

TEST(SvgParser, GradientsResolveAgainstTheirBox)
{
  const Image image = Parse(
    "<svg width=\"200\" height=\"200\" viewBox=\"0 0 100 100\">"
    "<linearGradient id=\"early\" x2=\"50%\"><stop offset=\"0\"/></linearGradient>"
    "<rect width=\"10\" height=\"10\" fill=\"url(#late)\" stroke=\"url(#early)\"/>"
    "<defs><linearGradient id=\"late\" spreadMethod=\"reflect\">"
    "<stop offset=\"80%\" stop-color=\"blue\" stop-opacity=\"0.5\"/><stop offset=\"0.2\" stop-color=\"red\"/>"
    "<stop offset=\"0.5\" stop-color=\"#010101\"/><stop offset=\"0.5\" stop-color=\"#020202\"/>"
    "</linearGradient>"
    "<linearGradient id=\"ref\" xlink:href=\"#late\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" x2=\"50%\"/>"
    "<radialGradient id=\"loop1\" xlink:href=\"#loop2\"/><radialGradient id=\"loop2\" xlink:href=\"#loop1\"/>"
    "<radialGradient id=\"round\" r=\"10\" gradientUnits=\"userSpaceOnUse\" cx=\"20\" cy=\"30\" fx=\"25\">"
    "<stop offset=\"1\" stop-color=\"white\"/></radialGradient></defs>"
    "<stop offset=\"0.9\" stop-color=\"red\"/>"
    "<rect x=\"10\" y=\"20\" width=\"50\" height=\"40\" fill=\"url(#late)\" stroke=\"url(#ref)\"/>"
    "<rect width=\"10\" height=\"10\" fill=\"url(#loop1)\" stroke=\"url(#round)\"/>"
    "<rect width=\"10\" height=\"10\" fill=\"url(#missing)\" transform=\"translate(5 5)\" stroke=\"url(#late)\"/>"
    "</svg>");
  const auto s = Shapes(image);
  ASSERT_EQ(s.size(), 4u);
  // A gradient must be defined before it is used.
  EXPECT_EQ(s[0]->fill.type, kSVGPaintNone);
  EXPECT_EQ(s[0]->stroke.type, kSVGPaintLinear);

  // Stops sorted by offset, equal offsets in document order; the stray stop joined nothing.
  ASSERT_EQ(s[1]->fill.type, kSVGPaintLinear);
  const SVGGradient& g = *s[1]->fill.gradient;
  ASSERT_EQ(g.nstops, 4);
  const uint32_t colors[] = {0xFF0000FFu, 0xFF010101u, 0xFF020202u, 0x7FFF0000u};
  const float offsets[] = {0.2f, 0.5f, 0.5f, 0.8f};
  for (int i = 0; i < 4; ++i)
  {
    EXPECT_EQ(g.stops[i].color, colors[i]);
    EXPECT_FLOAT_EQ(g.stops[i].offset, offsets[i]);
  }
  EXPECT_EQ(g.spread, kSVGSpreadReflect);

  // The stored transform maps image space (scaled by 2) into gradient space:
  // the gradient runs along y from the box's left edge to its right edge.
  auto gradientSpace = [](const SVGGradient& grad, float x, float y, float& gx, float& gy) {
    gx = x * grad.xform[0] + y * grad.xform[2] + grad.xform[4];
    gy = x * grad.xform[1] + y * grad.xform[3] + grad.xform[5];
  };
  float gx = 0.f, gy = 0.f;
  for (const float f : {0.f, 0.25f, 1.f})
  {
    gradientSpace(g, 2.f * (10.f + 50.f * f), 2.f * 20.f, gx, gy);
    EXPECT_NEAR(gx, 0.f, 1e-5f);
    EXPECT_NEAR(gy, f, 1e-5f);
  }
  // Borrowed stops, its own user-space coordinates against the view box.
  ASSERT_EQ(s[1]->stroke.type, kSVGPaintLinear);
  EXPECT_EQ(s[1]->stroke.gradient->nstops, 4);
  gradientSpace(*s[1]->stroke.gradient, 2.f * 50.f, 0.f, gx, gy);
  EXPECT_NEAR(gy, 1.f, 1e-5f);

  // A reference loop paints nothing; a radial gradient keeps its focal point relative to r.
  EXPECT_EQ(s[2]->fill.type, kSVGPaintNone);
  ASSERT_EQ(s[2]->stroke.type, kSVGPaintRadial);
  const SVGGradient& r = *s[2]->stroke.gradient;
  EXPECT_EQ(r.nstops, 1); // the stray stop after it joined nothing
  EXPECT_FLOAT_EQ(r.fx, 2.5f);
  gradientSpace(r, 2.f * 30.f, 2.f * 30.f, gx, gy);
  EXPECT_NEAR(gx, 1.f, 1e-5f);
  EXPECT_NEAR(gy, 0.f, 1e-5f);

  // Bounding-box units measure the shape before its own transform.
  EXPECT_EQ(s[3]->fill.type, kSVGPaintNone);
  ASSERT_EQ(s[3]->stroke.type, kSVGPaintLinear);
  gradientSpace(*s[3]->stroke.gradient, 2.f * 15.f, 2.f * 5.f, gx, gy);
  EXPECT_NEAR(gy, 1.f, 1e-5f);
}

TEST(SvgParser, DegenerateGradientsStayFinite)
{
  const Image image = ParseBody(
    "<linearGradient id=\"point\" x1=\"5\" y1=\"5\" x2=\"5\" y2=\"5\" gradientUnits=\"userSpaceOnUse\">"
    "<stop offset=\"0\"/></linearGradient>"
    "<radialGradient id=\"dot\" r=\"0\" fx=\"3\" fy=\"4\"><stop offset=\"0\"/></radialGradient>"
    "<radialGradient id=\"flat\"><stop offset=\"0\"/></radialGradient>"
    "<rect width=\"10\" height=\"10\" fill=\"url(#point)\" stroke=\"url(#dot)\"/>"
    "<line x2=\"10\" stroke=\"url(#flat)\" fill=\"url(#point)\"/>");
  const auto s = Shapes(image);
  ASSERT_EQ(s.size(), 2u);
  for (const SVGShape* shape : s)
    for (const SVGPaint* paint : {&shape->fill, &shape->stroke})
    {
      ASSERT_NE(paint->gradient, nullptr);
      for (float v : paint->gradient->xform)
        EXPECT_TRUE(std::isfinite(v));
      EXPECT_TRUE(std::isfinite(paint->gradient->fx));
      EXPECT_TRUE(std::isfinite(paint->gradient->fy));
    }
  EXPECT_EQ(s[0]->stroke.gradient->fx, 0.f);
}

TEST(SvgParser, ViewBoxAndAspectRatioPlaceTheDrawing)
{
  struct Case { const char* root; float w, h; float b[4]; } cases[] = {
    // Without preserveAspectRatio x and y scale independently.
    {"width=\"200\" height=\"100\" viewBox=\"0 0 100 100\"", 200, 100, {0, 0, 200, 100}},
    {"width=\"200\" height=\"100\" viewBox=\"0,0,100,100\" preserveAspectRatio=\"xMidYMid\"", 200, 100,
     {50, 0, 150, 100}},
    {"width=\"200\" height=\"100\" viewBox=\"0 0 100 100\" preserveAspectRatio=\"xMaxYMax meet\"", 200, 100,
     {100, 0, 200, 100}},
    {"width=\"200\" height=\"100\" viewBox=\"0 0 100 100\" preserveAspectRatio=\"xMinYMax slice\"", 200, 100,
     {0, -100, 200, 100}},
    {"width=\"200\" height=\"100\" viewBox=\"0 0 100 100\" preserveAspectRatio=\"none slice\"", 200, 100,
     {0, 0, 200, 100}},
    {"width=\"100\" height=\"100\" viewBox=\"50 50 50 50\"", 100, 100, {-100, -100, 100, 100}},
    {"viewBox=\"0 0 100 50\"", 100, 50, {0, 0, 100, 100}},
    {"width=\"50%\" viewBox=\"0 0 100\"", 100, 100, {0, 0, 100, 100}},
    // No view box: the image size, else the drawing's own extent.
    {"width=\"100\" height=\"100\"", 100, 100, {0, 0, 100, 100}},
    {"", 100, 100, {0, 0, 100, 100}},
    {"width=\"1in\" height=\"20\"", 96, 20, {0, 0, 100, 100}},
  };
  for (const Case& c : cases)
  {
    const Image image = Parse(std::string("<svg ") + c.root + "><rect width=\"100\" height=\"100\"/></svg>");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, c.w) << c.root;
    EXPECT_EQ(image->height, c.h) << c.root;
    ExpectBounds(OnlyShape(image).bounds, c.b[0], c.b[1], c.b[2], c.b[3]);
  }
  const Image offset = Parse("<svg><rect x=\"10\" y=\"30\" width=\"20\" height=\"10\"/></svg>");
  EXPECT_EQ(offset->width, 20.f);
  EXPECT_EQ(offset->height, 10.f);
  EXPECT_EQ(Paths(offset)[0]->pts[0], 0.f);

  const Image empty = Parse("<?xml version=\"1.0\"?><svg width='30' height='20'/>");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->shapes, nullptr);
  EXPECT_EQ(empty->width, 30.f);
  EXPECT_EQ(empty->height, 20.f);
}

TEST(SvgParser, ElementsAreScannedOnceAndUnknownOnesSkipped)
{
  std::string many = "<rect width=\"1\" height=\"1\"";
  for (int i = 0; i < 130; ++i)
    many += " a" + std::to_string(i) + "=\"1\"";
  many += " fill=\"red\"/>"; // beyond the 127 attributes read
  // The document ends inside a tag, which is then never read.
  const Image image = Parse(
    "<svg width=\"100\" height=\"100\"><!-- <rect width=\"5\" height=\"5\"/> --><!DOCTYPE svg><text x=\"1\">hi</text>"
    "<defs><rect width=\"5\" height=\"5\"/><g><circle r=\"4\"/></g></defs>" + many +
    "<rect\twidth='2'\nheight=\"2\" fill='blue\"'/><rect width=\"3\" height=\"3\" / fill=\"red\">< >< / >"
    "<rect width=\"4\" height=\"4\" fill=\"red");
  const auto s = Shapes(image);
  ASSERT_EQ(s.size(), 3u);
  EXPECT_EQ(s[0]->fill.color, 0xFF000000u);
  EXPECT_EQ(s[1]->bounds[2], 2.f);
  EXPECT_EQ(s[1]->fill.color, 0xFF808080u);
  EXPECT_EQ(s[2]->fill.color, 0xFF000000u);

  for (const char* text : {"", "<", ">", "<svg", "<<<>>>", "<svg width=\"", "</g></g></defs>"})
  {
    const Image garbage = Parse(text);
    ASSERT_TRUE(garbage) << text;
    EXPECT_EQ(garbage->shapes, nullptr);
  }
}

TEST(SvgParser, AttributeStackStaysPairedInDefsAndBeyondItsDepth)
{
  // A group skipped inside definitions must not pop its parent.
  const Image inDefsDoc = ParseBody("<g fill=\"blue\"><defs><g fill=\"red\"></g><defs></defs><g/></defs>"
                                    "<rect width=\"1\" height=\"1\"/></g><rect width=\"1\" height=\"1\"/>");
  const auto inDefs = Shapes(inDefsDoc);
  ASSERT_EQ(inDefs.size(), 2u);
  EXPECT_EQ(inDefs[0]->fill.color, 0xFFFF0000u);
  EXPECT_EQ(inDefs[1]->fill.color, 0xFF000000u);

  // Groups deeper than the stack: the pops that match refused pushes come first.
  for (int depth : {126, 127, 128, 200})
  {
    std::string body = "<g fill=\"blue\">";
    for (int i = 0; i < depth; ++i)
      body += "<g>";
    body += "<rect width=\"1\" height=\"1\" fill=\"red\"/>";
    for (int i = 0; i < depth; ++i)
      body += "</g>";
    body += "<rect width=\"1\" height=\"1\"/></g><rect width=\"1\" height=\"1\"/>";
    const Image sDoc = ParseBody(body);
    const auto s = Shapes(sDoc);
    ASSERT_EQ(s.size(), 3u) << depth;
    EXPECT_EQ(s[0]->fill.color, 0xFF0000FFu) << depth;
    EXPECT_EQ(s[1]->fill.color, 0xFFFF0000u) << depth;
    EXPECT_EQ(s[2]->fill.color, 0xFF000000u) << depth;
  }
}

TEST(SvgParser, PointBuffersGrowWithinTheirLimit)
{
  using ifx::igfx::svg::GrowCapacity;
  constexpr int kMax = ifx::igfx::svg::kMaxPathPoints;
  struct Case { int capacity, needed, limit, expected; } cases[] = {
    {0, 1, kMax, 8},           {8, 8, kMax, 8},           {8, 9, kMax, 16},
    {16, 100, kMax, 128},      {kMax / 2, kMax / 2 + 1, kMax, kMax}, {100, kMax, kMax, kMax},
    {8, kMax + 1, kMax, 0},    {8, -2147483647 - 1, kMax, 0}, {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GrowCapacity(c.capacity, c.needed, c.limit), c.expected) << c.capacity << " " << c.needed;

  std::string d = "M0 0";
  for (int i = 1; i <= 5000; ++i)
    d += " L" + std::to_string(i) + " " + std::to_string(i % 7);
  const Image pathsDoc = ParseBody("<path d=\"" + d + "\"/>");
  const auto paths = Paths(pathsDoc);
  ASSERT_EQ(paths.size(), 1u);
  ASSERT_EQ(paths[0]->npts, 1 + 3 * 5000);
  EXPECT_EQ(paths[0]->pts[2 * 3 * 4321], 4321.f);
  EXPECT_EQ(paths[0]->pts[2 * 3 * 4321 + 1], 4321.f - 7 * 617);
}

namespace {
// Every number of the image: its size, and each shape's bounds, stroke,
// paths and gradients.
bool AllFinite(const SVGImage& image)
{
  bool ok = std::isfinite(image.width) && std::isfinite(image.height);
  auto check = [&ok](const float* v, int n) {
    for (int i = 0; i < n; ++i)
      ok = ok && std::isfinite(v[i]);
  };
  for (const SVGShape* s = image.shapes; s; s = s->next)
  {
    check(s->bounds, 4);
    check(&s->strokeWidth, 1);
    check(&s->strokeDashOffset, 1);
    check(s->strokeDashArray, 8);
    for (const SVGPath* p = s->paths; p; p = p->next)
    {
      check(p->pts, p->npts * 2);
      check(p->bounds, 4);
    }
    for (const SVGPaint* paint : {&s->fill, &s->stroke})
      if (const SVGGradient* g = paint->gradient)
      {
        check(g->xform, 6);
        check(&g->fx, 1);
        check(&g->fy, 1);
      }
  }
  return ok;
}
} // namespace

TEST(SvgParser, WhatFloatsCannotHoldIsDroppedAndTheRestStaysFinite)
{
  // Numbers saturate at the float maximum; arithmetic on them, transforms and
  // the final mapping must not turn them into infinities or NaN. Segments and
  // shapes that cannot be represented go; lines and curves between
  // representable points stay.
  struct Case { const char* svg; size_t shapes; std::vector<float> firstPath; } cases[] = {
    {"<svg width=\"120\" height=\"80\"><polyline points=\"0,1e39 10,10\" stroke=\"black\"/></svg>", 1,
     {0.f, FLT_MAX, 10.f / 3.f, FLT_MAX - FLT_MAX / 3.f, 20.f / 3.f, FLT_MAX / 3.f, 10.f, 10.f}},
    // Wider than float range without a root size: nothing maps into the image.
    {"<svg><path d=\"M-3e38 -3e38 L3e38 3e38\" stroke=\"black\"/></svg>", 0, {}},
    {"<svg width=\"10\" height=\"10\"><g transform=\"scale(1e30)\"><rect width=\"5\" height=\"5\" "
     "transform=\"scale(1e30)\"/></g><rect x=\"1\" width=\"5\" height=\"5\"/></svg>", 1,
     {1.f, 0.f}},
    // The segment to the overflowed point goes; the next one joins on.
    {"<svg width=\"10\" height=\"10\"><path d=\"M0 0 l3e38 0 l3e38 0 L5 5\"/></svg>", 1,
     {0.f, 0.f, 1e38f, 0.f, 2e38f, 0.f, 3e38f, 0.f}},
    // A move that cannot be made has nothing to draw from.
    {"<svg width=\"10\" height=\"10\"><path d=\"M3e38 0 m3e38 0 l1 1 l2 2\"/></svg>", 0, {}},
    {"<svg width=\"10\" height=\"10\"><path d=\"M-3e38 0 Q3e38 0 -3e38 1\"/></svg>", 1, {-3e38f, 0.f}},
    // Stroke and gradient taken beyond float range by the mapping or a transform.
    {"<svg width=\"10\" height=\"10\" viewBox=\"0 0 1e-30 1e-30\"><rect width=\"1e-31\" height=\"1e-31\" "
     "stroke=\"black\" stroke-width=\"1e30\"/></svg>", 0, {}},
    {"<svg width=\"10\" height=\"10\"><linearGradient id=\"g\" gradientTransform=\"scale(1e30) scale(1e30)\">"
     "<stop offset=\"0\"/></linearGradient><rect width=\"5\" height=\"5\" fill=\"url(#g)\"/></svg>", 0, {}},
    {"<svg width=\"10\" height=\"10\"><circle r=\"1e-20\" transform=\"scale(1e20)\" stroke=\"black\"/></svg>", 1,
     {1.f, 0.f}},
  };
  for (const Case& c : cases)
  {
    const Image image = Parse(c.svg);
    ASSERT_NE(image, nullptr) << c.svg;
    EXPECT_TRUE(AllFinite(*image)) << c.svg;
    const auto shapes = Shapes(image);
    ASSERT_EQ(shapes.size(), c.shapes) << c.svg;
    if (c.firstPath.empty())
      continue;
    const SVGPath* first = shapes[0]->paths;
    ASSERT_GE(first->npts * 2, static_cast<int>(c.firstPath.size())) << c.svg;
    for (size_t i = 0; i < c.firstPath.size(); ++i)
      EXPECT_NEAR(first->pts[i], c.firstPath[i], std::fabs(c.firstPath[i]) * 1e-6f + 1e-5f) << c.svg << " " << i;
  }
}
