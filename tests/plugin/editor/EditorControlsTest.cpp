// What the editor's own controls draw, through the recording graphics (the
// layout test clicks them in place): the meter's hues and budget, flicker
// that repeats with the random source, the tab switch's LED and labels, and
// the mode button's label and LED.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "plugin/editor/EditorAnimation.h"
#include "plugin/editor/HauntedMeterControl.h"
#include "plugin/editor/LEDTabSwitchControl.h"
#include "plugin/editor/MurkwispStyles.h"
#include "plugin/editor/WhisperModeButton.h"
#include "support/DrawnShapes.h"
#include "support/FakeClock.h"
#include "support/GfxFixture.h"

using namespace murkwisp;

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::testkit;

namespace {

class EditorControlTest : public GfxFixture
{
protected:
  std::vector<DrawnShape> DrawOnce(IControl* c)
  {
    gfx->ClearOps();
    c->Draw(*gfx);
    return DrawnShapes(*gfx);
  }
  void Click(float x, float y)
  {
    IMouseEvent e;
    e.x = x;
    e.y = y;
    e.ms.L = true;
    gfx->OnMouseDown({e});
    gfx->OnMouseUp({e});
  }
  FakeClock clock;
};

IRgba Hue(const IRgba& c) { return IRgba(0, c.R, c.G, c.B); }

} // namespace

TEST_F(EditorControlTest, MeterSegmentsTakeTheirHueByHeightWithinTheFillBudget)
{
  auto* m = new HauntedMeterControl(IRECT(95, 175, 135, 720), murkwisp::MakeMeterStyle(), 0);
  gfx->AttachControl(m, 0);
  m->SetValue(1.0, 0);
  m->SetClean();
  const auto shapes = DrawOnce(m);
  // The left column's segments, bottom up: grey, blue from 60 %, violet from 85 %.
  std::vector<IRgba> hues;
  int fills = 0;
  for (const DrawnShape& s : shapes)
  {
    fills += s.kind == DrawnShape::kFill;
    if (s.kind == DrawnShape::kFill && s.box.L == 102.f && s.box.R == 113.f && s.box.H() > 30.f)
      hues.push_back(s.color);
  }
  ASSERT_EQ(hues.size(), 16u);
  EXPECT_EQ(Hue(hues[8]), IRgba(0, 100, 100, 110));
  EXPECT_EQ(Hue(hues[9]), IRgba(0, 70, 100, 140));
  EXPECT_EQ(Hue(hues[12]), IRgba(0, 70, 100, 140));
  EXPECT_EQ(Hue(hues[13]), IRgba(0, 120, 70, 140));
  EXPECT_GT(hues[15].A, 20);  // all lit at full scale
  EXPECT_LE(fills, 110);
  EXPECT_TRUE(m->IsDirty());  // and drawn again next frame
}

// The flicker comes from the UI random source: a replaced source makes every
// frame repeatable.
TEST_F(EditorControlTest, FlickerRepeatsWithTheRandomSource)
{
  auto frames = [this] {
    FakeClock fresh;  // restarts the sequence
    HauntedMeterControl m(IRECT(0, 0, 40, 300), murkwisp::MakeMeterStyle(), 1);
    LEDTabSwitchControl tabs(IRECT(0, 300, 200, 330), -1, {"a", "b"});
    WhisperModeButton mode(IRECT(0, 340, 60, 370), -1);
    std::vector<DrawnShape> all;
    for (int frame = 0; frame < 30; ++frame)
      for (IControl* c : {static_cast<IControl*>(&m), static_cast<IControl*>(&tabs), static_cast<IControl*>(&mode)})
      {
        const auto shapes = DrawOnce(c);
        all.insert(all.end(), shapes.begin(), shapes.end());
      }
    return all;
  };
  const auto a = frames(), b = frames();
  ASSERT_EQ(a.size(), b.size());
  std::set<int> alphas;
  for (size_t i = 0; i < a.size(); ++i)
  {
    ASSERT_EQ(a[i].color, b[i].color) << i;
    ASSERT_EQ(a[i].box, b[i].box) << i;
    alphas.insert(a[i].color.A);
  }
  EXPECT_GT(alphas.size(), 30u);  // and it does flicker
}

// Computed alphas are clamped and truncated; NaN and infinities still give
// an alpha of 0 to 255.
TEST(EditorAnimation, ClampedAlphaStaysInRange)
{
  const float inf = std::numeric_limits<float>::infinity();
  const struct { float x; int32_t alpha; } rows[] = {
    {-1.f, 0}, {0.f, 0}, {0.5f, 127}, {1.f, 255}, {2.f, 255}, {std::nanf(""), 0}, {inf, 255}, {-inf, 0}};
  for (const auto& r : rows)
    EXPECT_EQ(murkwisp::ClampedAlpha(r.x), r.alpha) << r.x;
}

TEST_F(EditorControlTest, TabSwitchDrawsTheSelectedTabsLEDAndLabels)
{
  auto* octave = new LEDTabSwitchControl(IRECT(425, 598, 775, 633), 1, {"-2", "-1", "0", "+1", "+2"});
  gfx->AttachControl(octave);
  octave->SetValue(0.5);
  octave->SetClean();
  int leds = 0, separators = 0;
  std::vector<DrawnShape> labels;
  for (const DrawnShape& s : DrawOnce(octave))
  {
    if (s.kind == DrawnShape::kFill && s.color == IRgba(180, 40, 38, 48))  // an LED's socket
    {
      EXPECT_EQ(s.box, IRECT(594, 601, 606, 613));
      ++leds;
    }
    separators += s.kind == DrawnShape::kStroke && s.color == IRgba(80, 50, 48, 55);
    if (s.kind == DrawnShape::kText)
      labels.push_back(s);
  }
  EXPECT_EQ(leds, 1);
  EXPECT_EQ(separators, 4);
  ASSERT_EQ(labels.size(), 5u);
  EXPECT_EQ(labels[2].text, "0");
  EXPECT_EQ(labels[2].box, IRECT(565, 603, 635, 638));  // the selected one sits lower
  EXPECT_EQ(labels[0].box, IRECT(425, 598, 495, 633));
  EXPECT_EQ(labels[0].color, IRgba(140, 180, 170, 190));
  EXPECT_GE(labels[2].color.A, 216);
  EXPECT_TRUE(octave->IsDirty());

  // One tab sets 0 wherever it is clicked; without tabs nothing happens or draws.
  auto* single = new LEDTabSwitchControl(IRECT(0, 0, 100, 30), 2, {"only"});
  gfx->AttachControl(single);
  single->SetValue(1.0);
  Click(90, 10);
  EXPECT_EQ(single->GetValue(), 0.0);
  auto* none = new LEDTabSwitchControl(IRECT(0, 100, 100, 130), 3, {});
  gfx->AttachControl(none);
  none->SetValue(0.5);
  none->SetClean();
  Click(50, 110);
  EXPECT_EQ(none->GetValue(), 0.5);
  EXPECT_TRUE(DrawOnce(none).empty());
  EXPECT_FALSE(none->IsDirty());
}

TEST_F(EditorControlTest, ModeButtonShowsItsModesNameAndColour)
{
  auto* b = new WhisperModeButton(IRECT(555, 417, 620, 447), 1);
  gfx->AttachControl(b);
  for (double value : {0.0, 1.0})
  {
    b->SetValue(value);
    std::string label;
    int led = 0;
    for (const DrawnShape& s : DrawOnce(b))
    {
      if (s.kind == DrawnShape::kText)
      {
        label = s.text;
        EXPECT_EQ(s.box, IRECT(579, 417, 620, 447));
      }
      // The LED's core, at (L + 14, middle), in the mode's colour.
      if (s.kind == DrawnShape::kFill && s.box == IRECT(563, 426, 575, 438))
        led = Hue(s.color) == (value > 0.5 ? IRgba(0, 80, 100, 180) : IRgba(0, 100, 80, 160));
    }
    EXPECT_EQ(label, value > 0.5 ? "Fennow" : "Wind");
    EXPECT_EQ(led, 1) << value;
  }
}
