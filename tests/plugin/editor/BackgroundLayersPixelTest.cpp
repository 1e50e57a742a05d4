// The background layers on the real drawing back end (headless IGfxVG):
// the vignette's bands fade inwards from each edge, as the gradients say.
#include <gtest/gtest.h>


#include "toolkit/ILambdaControl.h"
#include "plugin/editor/BackgroundDrawFunctions.h"
#include "plugin/editor/MurkwispStyles.h"
#include "support/HeadlessGfxVG.h"
#include "support/RecordingDelegate.h"

using namespace murkwisp;

namespace {

using namespace ifx::igfx;
using murkwisp::kAccentColor;
using murkwisp::kLabelColor;
using ifx::testkit::HeadlessGfxVG;

TEST(BackgroundLayersPixels, VignetteBandsFadeInwardsFromEachEdge)
{
  ifx::testkit::RecordingDelegate dlg;
  HeadlessGfxVG gfx(dlg, 400, 400);
  ASSERT_TRUE(gfx.Open()) << gfx.Error();
  AnimationCounter calls(-1); // time 0: a = 0.14 at silence
  const DrawPulsingVignette vignette{kAccentColor, EditorDisplayValues{}, &calls};
  gfx.AttachControl(new ILambdaControl(gfx.GetBounds(), vignette));
  gfx.DrawRects({gfx.GetBounds()});
  gfx.ReadWindow();

  struct Point { int x, y, alphaMin, alphaMax; };
  const Point points[] = {
    {200, 0, 31, 36},    // top edge: 0.14 of 255
    {200, 148, 0, 2},    // where the top band ends
    {200, 200, 0, 0},    // the middle is clear
    {200, 399, 48, 54},  // bottom edge: 1.5 x
    {200, 202, 0, 2},    // 200 units up, where the bottom band ends
    {0, 200, 21, 25},    // left and right edges: 0.7 x
    {399, 200, 21, 25},
    {98, 200, 0, 2},
  };
  for (const Point& p : points)
  {
    const auto px = gfx.At(p.x, p.y);
    EXPECT_GE(px.a, p.alphaMin) << p.x << "," << p.y;
    EXPECT_LE(px.a, p.alphaMax) << p.x << "," << p.y;
  }
  // The accent's hue: blue over red over green.
  const auto edge = gfx.At(200, 399);
  EXPECT_GT(edge.b, edge.r);
  EXPECT_GT(edge.r, edge.g);
}

} // namespace
