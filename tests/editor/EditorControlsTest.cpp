// The editor's own controls drawn through the recording graphics: the meter
// lights for a known packet, tab switches and the mode button set their
// parameters and show what they set.
#include <gtest/gtest.h>

#include <cmath>

#include "core/ISenderPacket.h"
#include "plugin/editor/HauntedMeterControl.h"
#include "plugin/editor/LEDTabSwitchControl.h"
#include "plugin/editor/MurkwispStyles.h"
#include "plugin/editor/WhisperModeButton.h"
#include "support/DrawnShapes.h"
#include "support/FakeClock.h"
#include "support/GfxFixture.h"

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::testkit;

namespace {

IMouseEvent At(float x, float y)
{
  IMouseEvent e;
  e.x = x;
  e.y = y;
  e.ms.L = true;
  return e;
}

class EditorControlTest : public GfxFixture
{
protected:
  FakeClock clock;

  void Click(float x, float y)
  {
    gfx->OnMouseDown({At(x, y)});
    gfx->OnMouseUp({At(x, y)});
  }
  std::vector<DrawnShape> DrawOnce(IControl* c)
  {
    gfx->ClearOps();
    c->Draw(*gfx);
    return DrawnShapes(*gfx);
  }
  double LastSentValue(int paramIdx) const
  {
    double v = -1.0;
    for (const DelegateCall& call : dlg.CallsOf(DelegateCall::kValue))
      if (call.paramIdx == paramIdx)
        v = call.value;
    return v;
  }
};

bool HasFill(const std::vector<DrawnShape>& shapes, const IRECT& r)
{
  for (const DrawnShape& s : shapes)
    if (s.kind == DrawnShape::kFill && std::fabs(s.box.L - r.L) < 1e-3f && std::fabs(s.box.T - r.T) < 1e-3f &&
        std::fabs(s.box.R - r.R) < 1e-3f && std::fabs(s.box.B - r.B) < 1e-3f)
      return true;
  return false;
}

} // namespace

TEST_F(EditorControlTest, MeterLightsTheSegmentsBelowTheAverageOfAPacket)
{
  auto* m = new HauntedMeterControl(IRECT(95, 175, 135, 720), murkwisp_ui::MakeMeterStyle(), 0);
  gfx->AttachControl(m, 0);
  ISenderPacket p;
  p.vals[0][0] = 1.f;  // peak 0 dB
  p.vals[0][1] = 1.f;  // average 0 dB: 60 / 72 of the scale
  p.vals[1][0] = 0.f;
  p.vals[1][1] = 0.f;
  m->OnDelegateMessage(0, sizeof(p), &p);
  EXPECT_NEAR(m->GetValue(0), 60.0 / 72.0, 1e-9);
  EXPECT_EQ(m->GetValue(1), 0.0);
  m->SetClean();

  // Well (100, 180, 130, 715): columns 102..113 and 117..128, sixteen
  // segments of 33.4375 from the bottom.
  const auto shapes = DrawOnce(m);
  const float s = 535.f / 16.f;
  int litLeft = 0, litRight = 0;
  for (int seg = 0; seg < 16; ++seg)
  {
    const float top = 715.f - static_cast<float>(seg + 1) * s, bottom = 715.f - static_cast<float>(seg) * s - 1.f;
    // A lit segment also glows one unit around itself.
    const bool left = HasFill(shapes, IRECT(101, top - 1, 114, bottom + 1));
    const bool right = HasFill(shapes, IRECT(116, top - 1, 129, bottom + 1));
    EXPECT_EQ(left, seg < 14) << seg;  // lit while (seg + 1) / 16 - 0.05 <= 0.8333
    EXPECT_TRUE(HasFill(shapes, IRECT(117, top, 128, bottom))) << seg;
    litLeft += left;
    litRight += right;
  }
  EXPECT_EQ(litLeft, 14);
  EXPECT_EQ(litRight, 0);

  // Hues by height: dim grey low, blue from 60 %, violet from 85 %.
  std::vector<IRgba> hues;
  for (const DrawnShape& shape : shapes)
    if (shape.kind == DrawnShape::kFill && shape.box.L == 102.f && shape.box.R == 113.f &&
        shape.box.H() > 30.f)
      hues.push_back(shape.color);
  ASSERT_EQ(hues.size(), 16u);
  EXPECT_EQ(IRgba(0, hues[0].R, hues[0].G, hues[0].B), IRgba(0, 100, 100, 110));
  EXPECT_EQ(IRgba(0, hues[10].R, hues[10].G, hues[10].B), IRgba(0, 70, 100, 140));
  EXPECT_EQ(IRgba(0, hues[15].R, hues[15].G, hues[15].B), IRgba(0, 120, 70, 140));
  EXPECT_EQ(hues[15].A, 20);  // unlit

  // Within its budget, and dirty again for the next frame.
  int fills = 0;
  for (const DrawnShape& shape : shapes)
    fills += shape.kind == DrawnShape::kFill;
  EXPECT_LE(fills, 110);
  EXPECT_TRUE(m->IsDirty());

  // A packet too short to read leaves both bars at the bottom.
  m->OnDelegateMessage(0, 27, &p);
  EXPECT_EQ(m->GetValue(0), 0.0);
}

// The flicker comes from the UI random source, so a replaced source makes
// every frame repeatable.
TEST_F(EditorControlTest, MeterFlickerRepeatsWithTheRandomSource)
{
  auto frames = [this] {
    FakeClock fresh;  // restarts the sequence
    HauntedMeterControl m(IRECT(0, 0, 40, 300), murkwisp_ui::MakeMeterStyle(), 1);
    std::vector<std::vector<DrawnShape>> all;
    for (int frame = 0; frame < 30; ++frame)
      all.push_back(DrawOnce(&m));
    return all;
  };
  const auto a = frames(), b = frames();
  ASSERT_EQ(a.size(), b.size());
  for (size_t f = 0; f < a.size(); ++f)
  {
    ASSERT_EQ(a[f].size(), b[f].size()) << f;
    for (size_t i = 0; i < a[f].size(); ++i)
    {
      EXPECT_EQ(a[f][i].color, b[f][i].color) << f << " " << i;
      EXPECT_EQ(a[f][i].box, b[f][i].box) << f << " " << i;
    }
  }
  bool alphaChanges = false;
  for (size_t i = 0; i < std::min(a.front().size(), a.back().size()); ++i)
    alphaChanges |= a.front()[i].color != a.back()[i].color;
  EXPECT_TRUE(alphaChanges);  // and it does flicker
}

TEST_F(EditorControlTest, TabSwitchSelectsTheTabUnderThePointer)
{
  auto* octave = new LEDTabSwitchControl(IRECT(425, 598, 775, 633), 1, {"-2", "-1", "0", "+1", "+2"});
  gfx->AttachControl(octave);
  const struct { float x; double value; } clicks[] = {
    {774.9f, 1.0}, {425.f + 2.5f * 70.f, 0.5}, {425.f, 0.0}, {494.9f, 0.0}, {495.f, 0.25}, {705.f, 1.0},
  };
  for (const auto& c : clicks)
  {
    Click(c.x, 610);
    EXPECT_DOUBLE_EQ(octave->GetValue(), c.value) << c.x;
    EXPECT_DOUBLE_EQ(LastSentValue(1), c.value) << c.x;  // the host hears it
  }

  // Twelve tabs: the division is in floating point.
  auto* interval = new LEDTabSwitchControl(IRECT(340, 653, 860, 688), 2,
                                           {"Uni", "m2", "M2", "m3", "M3", "P4", "Tri", "P5", "m6", "M6", "m7", "M7"});
  gfx->AttachControl(interval);
  Click(340.f + 7.5f * 520.f / 12.f, 670);
  EXPECT_DOUBLE_EQ(interval->GetValue(), 7.0 / 11.0);
  EXPECT_EQ(interval->SelectedTab(), 7);

  // One label sets 0; none does nothing.
  auto* single = new LEDTabSwitchControl(IRECT(0, 0, 100, 30), 3, {"only"});
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

TEST_F(EditorControlTest, TabSwitchDrawsTheLEDAndLabelsOfTheSelectedTab)
{
  auto* octave = new LEDTabSwitchControl(IRECT(425, 598, 775, 633), 1, {"-2", "-1", "0", "+1", "+2"});
  gfx->AttachControl(octave);
  octave->SetValue(0.5);
  octave->SetClean();
  const auto shapes = DrawOnce(octave);
  // The LED sits at the selected tab's centre, nine units down.
  int ledBody = 0;
  for (const DrawnShape& s : shapes)
    if (s.kind == DrawnShape::kFill && s.color == IRgba(180, 40, 38, 48))
    {
      EXPECT_FLOAT_EQ(s.box.MW(), 600.f);
      EXPECT_FLOAT_EQ(s.box.MH(), 607.f);
      ++ledBody;
    }
  EXPECT_EQ(ledBody, 1);
  std::vector<DrawnShape> labels;
  for (const DrawnShape& s : shapes)
    if (s.kind == DrawnShape::kText)
      labels.push_back(s);
  ASSERT_EQ(labels.size(), 5u);
  EXPECT_EQ(labels[2].text, "0");
  EXPECT_FLOAT_EQ(labels[2].box.T, 603.f);  // the selected label sits lower
  EXPECT_FLOAT_EQ(labels[0].box.T, 598.f);
  EXPECT_EQ(labels[0].color, IRgba(140, 180, 170, 190));
  EXPECT_GE(labels[2].color.A, 216);
  EXPECT_TRUE(octave->IsDirty());
  // Four separators of two lines each between five tabs.
  int separators = 0;
  for (const DrawnShape& s : shapes)
    separators += s.kind == DrawnShape::kStroke && s.color == IRgba(80, 50, 48, 55);
  EXPECT_EQ(separators, 4);
}

TEST_F(EditorControlTest, WhisperButtonTogglesAndShowsItsMode)
{
  auto* b = new WhisperModeButton(IRECT(555, 417, 620, 447), 1);
  gfx->AttachControl(b);
  auto label = [&] {
    for (const DrawnShape& s : DrawOnce(b))
      if (s.kind == DrawnShape::kText)
        return s.text;
    return std::string();
  };
  EXPECT_EQ(label(), "Wind");
  for (double expected : {1.0, 0.0, 1.0})
  {
    Click(590, 430);
    EXPECT_EQ(b->GetValue(), expected);
    EXPECT_EQ(LastSentValue(1), expected);
    EXPECT_EQ(label(), expected > 0.5 ? "Fennow" : "Wind");
  }
  // The LED takes the colour of the mode, at (L + 14, middle).
  bool found = false;
  for (const DrawnShape& s : DrawOnce(b))
    if (s.kind == DrawnShape::kFill && s.color.R == 80 && s.color.G == 100 && s.color.B == 180 &&
        s.box.W() == 8.f)
    {
      EXPECT_FLOAT_EQ(s.box.MW(), 569.f);
      EXPECT_FLOAT_EQ(s.box.MH(), 432.f);
      found = true;
    }
  EXPECT_TRUE(found);
}
