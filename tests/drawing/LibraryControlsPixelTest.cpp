// The library controls drawn by the drawing back end, checked on the
// window's pixels: panels and their paints, bitmap frames, lambda controls,
// text and captions.
#include <cstdint>
#include <string>
#include <vector>

#include "base/IParam.h"
#include "drawing/DrawingFixture.h"
#include "toolkit/IBitmapControl.h"
#include "toolkit/ICaptionControl.h"
#include "toolkit/ILambdaControl.h"
#include "toolkit/IPanelControl.h"
#include "toolkit/ITextControl.h"

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::testkit;

namespace {

using ControlPixels = DrawingFixture;

// A PNG of frames of 4 x 4 pixels, one colour each, side by side or stacked.
std::string FramesPng(const std::vector<IRgba>& colors, bool sideBySide)
{
  const int n = static_cast<int>(colors.size());
  const int w = sideBySide ? 4 * n : 4, h = sideBySide ? 4 : 4 * n;
  std::vector<uint8_t> px(static_cast<size_t>(w * h * 4));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
    {
      const IRgba& c = colors[static_cast<size_t>(sideBySide ? x / 4 : y / 4)];
      uint8_t* p = &px[static_cast<size_t>((y * w + x) * 4)];
      p[0] = static_cast<uint8_t>(c.R);
      p[1] = static_cast<uint8_t>(c.G);
      p[2] = static_cast<uint8_t>(c.B);
      p[3] = static_cast<uint8_t>(c.A);
    }
  return EncodePng(w, h, px);
}

class BackedText : public ITextControl
{
public:
  BackedText(const IRECT& r, const char* text, const ITextStyle& style, const IRgba& background)
    : ITextControl(r, text, style)
  {
    mBGColor = background;
  }
};

bool Near(const Pixel& p, const IRgba& c, int tolerance = 2)
{
  return std::abs(p.r - c.R) <= tolerance && std::abs(p.g - c.G) <= tolerance && std::abs(p.b - c.B) <= tolerance &&
         std::abs(p.a - c.A) <= tolerance;
}

} // namespace

TEST_F(ControlPixels, PanelsFillTheirRectWithTheirPaint)
{
  gfx.AttachControl(new IPanelControl(IRECT(10, 10, 60, 40), IPaintPattern(kColorRed)));
  gfx.AttachControl(new IPanelControl(IRECT(80, 10, 130, 40), IPaintPattern(kColorBlue), true));
  // Red at the top edge to blue at the bottom edge.
  const IPaintPattern fade =
    IPaintPattern::CreateLinearGradient(0, 60, 0, 160, {{kColorRed, 0.f}, {kColorBlue, 1.f}});
  gfx.AttachControl(new IPanelControl(IRECT(10, 60, 60, 160), fade));
  gfx.AttachControl(new IPanelControl(IRECT(80, 60, 130, 100), IPaintPattern(kColorWhite)))->SetDisabled(true);
  Frame();

  EXPECT_TRUE(Near(gfx.At(10, 10), kColorRed, 0));
  EXPECT_TRUE(Near(gfx.At(59, 39), kColorRed, 0));
  ExpectAlphas({{9, 10, 0}, {60, 39, 0}, {105, 7, 0}, {105, 41, 0}});

  // The frame is one unit wide on the edge: half of it lies outside the fill.
  EXPECT_TRUE(Near(gfx.At(105, 25), kColorBlue, 0));
  EXPECT_NEAR(gfx.Alpha(105, 9), 128, 8);
  EXPECT_GT(gfx.At(105, 9).g, 100);
  EXPECT_GT(gfx.At(105, 10).g, 100); // grey over the blue

  const Pixel top = gfx.At(30, 60), middle = gfx.At(30, 110), bottom = gfx.At(30, 159);
  EXPECT_GT(top.r, 245);
  EXPECT_LT(top.b, 10);
  EXPECT_GT(bottom.b, 245);
  EXPECT_LT(bottom.r, 10);
  EXPECT_NEAR(middle.r, 128, 4);
  EXPECT_NEAR(middle.b, 128, 4);
  EXPECT_EQ(middle.a, 255);
  for (int x : {10, 45, 59}) // the gradient runs down only
    EXPECT_TRUE(Near(gfx.At(x, 110), IRgba(middle.a, middle.r, middle.g, middle.b), 1)) << x;

  EXPECT_NEAR(gfx.Alpha(100, 80), 64, 2); // disabled: a quarter of the weight
}

TEST_F(ControlPixels, BitmapControlsShowTheFrameTheirValuePicks)
{
  const IRgba colors[] = {kColorRed, kColorGreen, kColorBlue, kColorWhite};
  const std::string strip = FramesPng({colors[0], colors[1], colors[2], colors[3]}, true);
  const std::string column = FramesPng({colors[0], colors[1], colors[2]}, false);
  const IBitmapRef across =
    gfx.LoadBitmapFromMemory("across.png", strip.data(), static_cast<int>(strip.size()), 4, true);
  const IBitmapRef down = gfx.LoadBitmapFromMemory("down.png", column.data(), static_cast<int>(column.size()), 3);
  ASSERT_TRUE(across.IsValid());
  ASSERT_TRUE(down.IsValid());

  struct Row { const IBitmapRef* bitmap; double value; IRgba shown; } rows[] = {{&across, 0.5, kColorBlue}, {&across, 0.3, kColorGreen}, {&across, 1.7, kColorWhite},
              {&down, 0.5, kColorGreen}};
  for (int i = 0; i < 4; ++i)
  {
    const float x = 10.f + 30.f * static_cast<float>(i);
    IControl* c = gfx.AttachControl(new IBitmapControl(IRECT(x, 10, x + 20, 30), *rows[i].bitmap));
    c->SetValue(rows[i].value, 0);
  }
  Frame();
  for (int i = 0; i < 4; ++i)
  {
    SCOPED_TRACE(i);
    const int x = 10 + 30 * i;
    // A 4 x 4 frame centred in the 20 x 20 control.
    for (int dx = 8; dx < 12; ++dx)
      for (int dy = 8; dy < 12; ++dy)
        EXPECT_TRUE(Near(gfx.At(x + dx, 10 + dy), rows[i].shown, 0)) << dx << "," << dy;
    EXPECT_EQ(gfx.AlphaSum(x, 10, x + 20, 18), 0);
    EXPECT_EQ(gfx.AlphaSum(x, 10, x + 8, 30), 0);
    EXPECT_EQ(gfx.AlphaSum(x + 12, 10, x + 20, 30), 0);
  }
}

TEST_F(ControlPixels, LambdaControlsDrawWhatTheirFunctionDraws)
{
  gfx.AttachControl(new ILambdaControl(IRECT(20, 20, 120, 80), [](ILambdaControl*, IGfx& g, IRECT& r) {
    g.FillRect(kColorGreen, IRECT(r.L + 5, r.T + 5, r.R - 5, r.B - 5));
    g.PathRect(IRECT(r.L, r.B - 2, r.R, r.B));
    g.PathFill(IPaintPattern::CreateLinearGradient(r.L, 0, r.R, 0, {{kColorBlack, 0.f}, {kColorWhite, 1.f}}));
  }));
  Frame();
  EXPECT_TRUE(Near(gfx.At(25, 25), kColorGreen, 0));
  EXPECT_TRUE(Near(gfx.At(114, 74), kColorGreen, 0));
  ExpectAlphas({{24, 40, 0}, {115, 40, 0}});
  // A gradient across: dark on the left, light on the right.
  EXPECT_LT(gfx.At(21, 79).r, 10);
  EXPECT_GT(gfx.At(118, 79).r, 245);
  EXPECT_NEAR(gfx.At(70, 79).r, 128, 4);
}

TEST_F(ControlPixels, TextAndCaptionsDrawTheirStrings)
{
  ASSERT_TRUE(gfx.LoadFont("Roboto-Regular", MURKWISP_ROBOTO_FONT)) << "Debian's fonts-roboto-unhinted is missing";
  dlg.GetParam(1)->ConfigureEnum("Mode", 1, 3, "", 0, "", "Low", "Mid", "High");
  const ITextStyle white(20.f, kColorWhite);
  auto* title = new BackedText(IRECT(10, 10, 190, 40), "Murkwisp", white, kColorDarkGrey);
  auto* caption = new ICaptionControl(IRECT(10, 60, 190, 90), 1, white);
  gfx.AttachControl(title);
  gfx.AttachControl(caption);
  Frame();

  EXPECT_TRUE(Near(gfx.At(11, 11), kColorDarkGrey, 0));
  EXPECT_EQ(gfx.Alpha(9, 11), 0);
  long ink = 0;
  for (int y = 10; y < 40; ++y)
    for (int x = 10; x < 190; ++x)
      ink += gfx.At(x, y).r > 200;
  EXPECT_GT(ink, 100);
  // The caption's "Mid " is centred, clear of its edges and of the triangle.
  EXPECT_GT(gfx.AlphaSum(60, 60, 140, 90), 1000);
  EXPECT_EQ(gfx.AlphaSum(10, 60, 50, 90), 0);
  // The menu triangle (175, 71.7) to (185, 78.3): black at half weight, pointing down.
  EXPECT_NEAR(gfx.Alpha(180, 73), 128, 4);
  EXPECT_EQ(gfx.At(180, 73).r, 0);
  EXPECT_EQ(gfx.Alpha(176, 78), 0);

  // Under the mouse the triangle turns white; while its value is typed, the
  // text is not drawn.
  caption->OnMouseOver(180, 75, IMouseModifiers());
  gfx.ShowTextEntry(title, white, IRECT(), "", -1);
  Frame();
  EXPECT_TRUE(Near(gfx.At(180, 73), kColorWhite, 0));
  for (int y = 10; y < 40; ++y)
    for (int x = 10; x < 190; ++x)
      ASSERT_TRUE(Near(gfx.At(x, y), kColorDarkGrey, 0)) << x << "," << y;
  gfx.ApplyTextEntryResult("");
}
