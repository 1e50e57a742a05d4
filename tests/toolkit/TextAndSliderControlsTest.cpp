// Text and caption controls, and the slider base's press, drag and wheel
// behaviour, on the recording graphics.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "base/IParam.h"
#include "toolkit/ICaptionControl.h"
#include "toolkit/ITextControl.h"
#include "support/GfxFixture.h"
#include "support/PointerEvent.h"
#include "support/TestSlider.h"

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::testkit;

namespace {
using TextControlsTest = GfxFixture;
using SliderTest = GfxFixture;

class FittedText : public ITextControl
{
public:
  FittedText(const IRECT& r, const char* text, const ITextStyle& style) : ITextControl(r, text, style)
  {
    mSizeToText = true;
  }
};

const IMouseModifiers kNone;
const IMouseModifiers kShift(false, false, true);
const IMouseModifiers kControl(false, false, false, true);
} // namespace

TEST_F(TextControlsTest, TextChangesOnlyForNewTextAndFormatsWithinItsLimit)
{
  auto* t = new ITextControl(IRECT(0, 0, 100, 20), "Murkwisp", ITextStyle(20.f, kColorRed));
  gfx->AttachControl(t);
  EXPECT_TRUE(t->GetIgnoreMouse());
  EXPECT_EQ(t->GetParamIdx(), -1);
  EXPECT_EQ(t->GetBGColor(), kColorTransparent);
  EXPECT_STREQ(ITextControl(IRECT(), nullptr).GetString(), "");

  t->SetClean();
  t->SetString("Murkwisp");
  EXPECT_FALSE(t->IsDirty());
  t->SetString("Haunt");
  EXPECT_TRUE(t->IsDirty());
  EXPECT_STREQ(t->GetString(), "Haunt");
  t->SetString(nullptr);
  EXPECT_STREQ(t->GetString(), "");

  struct Row { int maxLength; const char* format; int value; const char* expected; } rows[] = {{5, "%d", 1234567, "12345"}, {10, "%d dB", 42, "42 dB"}, {5, "%d", 12345, "12345"},
              {0, "%d", 42, ""},           {-3, "%d", 42, ""}};
  for (const Row& row : rows)
  {
    t->SetString("old");
    t->SetClean();
    t->SetStringFormatted(row.maxLength, row.format, row.value);
    EXPECT_STREQ(t->GetString(), row.expected);
    EXPECT_EQ(t->GetString()[std::strlen(row.expected)], '\0');
    EXPECT_TRUE(t->IsDirty());
  }
  t->ClearString();
  EXPECT_STREQ(t->GetString(), "");
}

// Sized to the text: the measured width and height (here half the font size
// per character, one font size high) centred on the old centre.
TEST_F(TextControlsTest, TextSizedToItsStringFollowsIt)
{
  auto* t = new FittedText(IRECT(0, 0, 100, 20), "Haunt", ITextStyle(20.f));
  gfx->AttachControl(t);
  EXPECT_EQ(t->GetRECT(), IRECT(25, 0, 75, 20));
  EXPECT_EQ(t->GetTargetRECT(), IRECT(25, 0, 75, 20));
  t->SetString("Hi");
  EXPECT_EQ(t->GetRECT(), IRECT(40, 0, 60, 20));
  t->SetStringFormatted(10, "%s", "Longer"); // formatting keeps the bounds
  EXPECT_EQ(t->GetRECT(), IRECT(40, 0, 60, 20));
}

TEST_F(TextControlsTest, CaptionsShowTheParameterWithItsUnit)
{
  struct Row { const char* name; std::function<void(IParam&)> configure; double value; const char* shown; } rows[] = {
    {"a number and its unit", [](IParam& p) { p.ConfigureDouble("Gain", 0, -60, 12, 0.5, "dB"); }, -12.5, "-12.5 dB"},
    {"a number without unit", [](IParam& p) { p.ConfigureDouble("Mix", 0, 0, 100, 1); }, 40, "40 "},
    {"a display text and no unit",
     [](IParam& p) {
       p.ConfigureDouble("Gain", 0, -60, 12, 0.5, "dB");
       p.SetDisplayText(-60, "-inf");
     },
     -60, "-inf "},
    {"an enumerated value", [](IParam& p) { p.ConfigureEnum("Mode", 0, 2, "", 0, "", "Hollow", "Shrill"); }, 1,
     "Shrill "},
  };
  for (int i = 0; i < 4; ++i)
  {
    const Row& row = rows[i];
    SCOPED_TRACE(row.name);
    row.configure(*dlg.GetParam(i));
    dlg.GetParam(i)->Set(row.value);
    auto* caption = new ICaptionControl(IRECT(0, 0, 100, 20), i, ITextStyle(16.f));
    gfx->AttachControl(caption);
    caption->Draw(*gfx);
    EXPECT_STREQ(caption->GetString(), row.shown);
  }

  auto* unbound = new ICaptionControl(IRECT(0, 0, 100, 20), -1);
  gfx->AttachControl(unbound);
  unbound->Draw(*gfx);
  EXPECT_STREQ(unbound->GetString(), "");
}

// Enumerated parameters get a triangle at the far end (the near end for
// right-aligned text); its colours are checked on pixels.
TEST_F(TextControlsTest, CaptionsOfMenusCarryATriangle)
{
  dlg.GetParam(1)->ConfigureDouble("Gain", 0, 0, 10, 1);
  dlg.GetParam(2)->ConfigureEnum("Mode", 0, 3, "", 0, "", "Low", "Mid", "High");
  auto* number = new ICaptionControl(IRECT(100, 40, 200, 60), 1, ITextStyle(16.f));
  auto* centred = new ICaptionControl(IRECT(100, 40, 200, 60), 2, ITextStyle(16.f));
  auto* right = new ICaptionControl(IRECT(100, 40, 200, 60), 2, ITextStyle(16.f, kColorBlack, nullptr, kAlignFar));
  for (IControl* c : {number, centred, right})
    gfx->AttachControl(c);
  EXPECT_FALSE(centred->GetIgnoreMouse());
  EXPECT_FALSE(centred->GetPromptDisabled());
  EXPECT_TRUE(centred->GetDblAsSingleClick());
  EXPECT_EQ(number->GetTriangleRECT(), IRECT());
  const float h = 0.33f * 16.f;
  EXPECT_EQ(centred->GetTriangleRECT(), IRECT(188, 50 - h / 2, 196, 50 - h / 2 + h));
  EXPECT_EQ(right->GetTriangleRECT(), IRECT(104, 50 - h / 2, 112, 50 - h / 2 + h));
}

TEST_F(TextControlsTest, ClickingACaptionPromptsForItsValue)
{
  dlg.GetParam(1)->ConfigureDouble("Gain", 0, 0, 10, 0.1, "dB");
  dlg.GetParam(2)->ConfigureEnum("Mode", 0, 3, "", 0, "", "Low", "Mid", "High");
  auto* gain = new ICaptionControl(IRECT(0, 0, 100, 20), 1);
  auto* mode = new ICaptionControl(IRECT(0, 40, 100, 60), 2);
  gfx->AttachControl(gain);
  gfx->AttachControl(mode);
  gfx->menuChoice = 2;

  gfx->OnMouseDown({PointerEvent(50, 10, IMouseModifiers(true))});
  gfx->OnMouseUp({PointerEvent(50, 10, kNone)});
  EXPECT_EQ(gfx->textEntryText, "0.0");
  EXPECT_EQ(gfx->textEntryBounds, IRECT(0, 0, 100, 20));
  gfx->ApplyTextEntryResult("2.5");
  EXPECT_DOUBLE_EQ(dlg.GetParam(1)->Value(), 2.5);

  gfx->OnMouseDown({PointerEvent(50, 50, IMouseModifiers(true))});
  EXPECT_EQ(gfx->lastMenuItems, (std::vector<std::string>{"Low", "Mid", "High"}));
  EXPECT_EQ(dlg.GetParam(2)->Int(), 2);
  mode->OnMouseDown(50, 50, IMouseModifiers(false, true)); // the right button too, when it gets here
  EXPECT_EQ(gfx->menuCalls, 2);
  mode->OnMouseDown(50, 50, kNone);
  mode->SetPromptDisabled(true);
  mode->OnMouseDown(50, 50, IMouseModifiers(true));
  EXPECT_EQ(gfx->menuCalls, 2);
}

TEST_F(SliderTest, PressJumpsToThePointerHidingTheCursorUnlessStepped)
{
  dlg.GetParam(1)->ConfigureDouble("Steps", 3, 0, 10, 1, "", IParam::kFlagStepped);
  auto* free = new TestSlider(IRECT(0, 0, 20, 200), 0, 0, 1.0);
  auto* stepped = new TestSlider(IRECT(100, 0, 300, 20), 1, 1, 1.0);
  gfx->AttachControl(free);
  gfx->AttachControl(stepped);
  EXPECT_EQ(free->GetTrack(), IRECT(0, 0, 20, 200));
  EXPECT_EQ(free->GetTargetRECT(), IRECT(0, 0, 20, 200));
  EXPECT_EQ(free->GetHandleSize(), 8.f);

  gfx->OnMouseDown({PointerEvent(10, 50, IMouseModifiers(true))});
  EXPECT_DOUBLE_EQ(free->GetValue(), 0.75);
  EXPECT_DOUBLE_EQ(free->GetDragValue(), 0.75);
  EXPECT_TRUE(free->GetMouseIsDown());
  EXPECT_TRUE(gfx->GetCursorHidden());
  gfx->OnMouseUp({PointerEvent(10, 50, kNone)});
  EXPECT_FALSE(free->GetMouseIsDown());
  EXPECT_FALSE(gfx->GetCursorHidden());

  stepped->SetValue(0.3, 0);
  gfx->OnMouseDown({PointerEvent(290, 10, IMouseModifiers(true))});
  EXPECT_DOUBLE_EQ(stepped->GetValue(), 0.3);
  EXPECT_DOUBLE_EQ(stepped->GetDragValue(), 0.3);
  gfx->OnMouseUp({PointerEvent(290, 10, kNone)});
}

// Relative drags move the value by the movement over the track's length,
// divided by the gearing (ten times finer with shift or control), clamped;
// a track without length or a gearing of zero leave the value alone.
TEST_F(SliderTest, RelativeDragsAreGearedAndNeverBreakTheValue)
{
  struct Row
  {
    int direction;
    IRECT rect;
    double gearing;
    IMouseModifiers mod;
    float dX, dY;
    double expected; // from 0.2
    bool sent;       // the value went to the host
  } rows[] = {
    {0, IRECT(0, 0, 20, 200), 1.0, kNone, 0, -100, 0.7, true},
    {0, IRECT(0, 0, 20, 200), 1.0, kShift, 0, -100, 0.25, true},
    {0, IRECT(0, 0, 20, 200), 1.0, kControl, 0, -100, 0.25, true},
    {0, IRECT(0, 0, 20, 200), 4.0, kNone, 0, -100, 0.325, true},
    {0, IRECT(0, 0, 20, 200), 1.0, kNone, 0, 100, 0.0, true},  // downwards, clamped
    {0, IRECT(0, 0, 20, 200), 1.0, kNone, 0, -500, 1.0, true},
    {0, IRECT(0, 0, 20, 200), 1.0, kNone, 50, 0, 0.2, true},   // across a vertical slider
    {1, IRECT(0, 0, 200, 20), 2.0, kNone, 100, 0, 0.45, true},
    {1, IRECT(0, 0, 200, 20), -1.0, kNone, 20, 0, 0.1, true},  // a negative gearing turns round
    {0, IRECT(0, 50, 20, 50), 1.0, kNone, 0, -10, 0.2, false}, // no track length
    {1, IRECT(30, 0, 30, 20), 1.0, kNone, 10, 0, 0.2, false},
    {0, IRECT(0, 0, 20, 200), 0.0, kNone, 0, -10, 0.2, false}, // no gearing
    {1, IRECT(0, 0, 200, 20), 0.0, kNone, 0, 5, 0.2, false},   // no gearing and no movement
  };
  for (const Row& row : rows)
  {
    SCOPED_TRACE(std::to_string(row.direction) + " gearing " + std::to_string(row.gearing) + " by " +
                 std::to_string(row.dX) + "," + std::to_string(row.dY));
    auto* s = new TestSlider(row.rect, 1, row.direction, row.gearing);
    gfx->AttachControl(s);
    s->StartAt(0.2);
    dlg.ClearCalls();
    s->OnMouseDrag(15, 15, row.dX, row.dY, row.mod);
    EXPECT_NEAR(s->GetValue(), row.expected, 1e-12);
    const auto values = dlg.CallsOf(DelegateCall::kValue);
    ASSERT_EQ(values.size(), row.sent ? 1u : 0u);
    for (const auto& v : values)
      EXPECT_NEAR(v.value, row.expected, 1e-12);
  }

  // A touch, or a slider that keeps the cursor, follows the pointer instead.
  auto* s = new TestSlider(IRECT(0, 0, 20, 200), 1, 0, 1.0);
  gfx->AttachControl(s);
  s->StartAt(0.2);
  s->OnMouseDrag(10, 150, 0, -100, IMouseModifiers(true, false, false, false, false, 3));
  EXPECT_DOUBLE_EQ(s->GetValue(), 0.25);
  s->HideCursorOnDrag(false);
  s->OnMouseDrag(10, 20, 0, -100, IMouseModifiers(true));
  EXPECT_DOUBLE_EQ(s->GetValue(), 0.9);
}

// On a stepped parameter the value moves in whole steps while the drag value
// keeps the fraction, so slow movements add up to the next step.
TEST_F(SliderTest, SteppedDragsSnapButAccumulateUnsnapped)
{
  dlg.GetParam(1)->ConfigureDouble("Steps", 3, 0, 10, 1, "", IParam::kFlagStepped);
  auto* s = new TestSlider(IRECT(0, 0, 100, 20), 1, 1, 1.0);
  gfx->AttachControl(s);
  s->SetValue(0.3, 0);
  // A touch: stepped parameters drag relatively all the same.
  const IMouseModifiers touch(true, false, false, false, false, 4);
  gfx->OnMouseDown({PointerEvent(90, 10, touch)});
  struct Row { float dX; double drag, value; } rows[] = {{1, 0.31, 0.3},  {2, 0.33, 0.3},   {1, 0.34, 0.3},   {2, 0.36, 0.4},  {3, 0.39, 0.4},
              {-7, 0.32, 0.3}, {30, 0.62, 0.6}, {100, 1.0, 1.0}, {-3, 0.97, 1.0}, {-51, 0.46, 0.5}};
  for (const Row& row : rows)
  {
    SCOPED_TRACE(row.drag);
    gfx->OnMouseDrag({PointerEvent(50, 10, touch, row.dX, 0)});
    EXPECT_NEAR(s->GetDragValue(), row.drag, 1e-9);
    EXPECT_NEAR(s->GetValue(), row.value, 1e-9);
    EXPECT_NEAR(dlg.GetParam(1)->Value(), row.value * 10, 1e-9);
  }
  gfx->OnMouseUp({PointerEvent(50, 10, touch)});
}

// Wheel steps: 0.01 of the range (0.001 with shift or control), or one
// parameter step on a stepped parameter whatever the delta; clamped.
TEST_F(SliderTest, WheelStepsBySmallAmountsOrWholeSteps)
{
  dlg.GetParam(1)->ConfigureDouble("Steps", 3, 0, 10, 1, "", IParam::kFlagStepped);
  dlg.GetParam(2)->ConfigureDouble("Gain", 0, 0, 100, 0.01);
  struct Row { int paramIdx; double start; float delta; IMouseModifiers mod; double expected; } rows[] = {
    {-1, 0.995, 1, kNone, 1.0},  {-1, 0.995, 1, kControl, 0.996}, {-1, 0.5, -2, kNone, 0.48},
    {-1, 0.5, 1, kShift, 0.501}, {-1, 0.0, -1, kNone, 0.0},       {2, 0.5, 1, kNone, 0.51},
    {1, 0.3, 1, kNone, 0.4},     {1, 0.3, -1, kNone, 0.2},        {1, 0.3, 3, kShift, 0.4},
    {1, 0.3, 0, kNone, 0.3},     {1, 1.0, 1, kNone, 1.0},         {1, 0.34, 1, kNone, 0.4},
  };
  for (const Row& row : rows)
  {
    SCOPED_TRACE(std::to_string(row.paramIdx) + " from " + std::to_string(row.start) + " by " +
                 std::to_string(row.delta));
    auto* s = new TestSlider(IRECT(0, 0, 20, 200), row.paramIdx, 0, 1.0);
    gfx->AttachControl(s);
    s->SetValue(row.start, 0);
    gfx->OnMouseWheel(10, 100, row.mod, row.delta);
    EXPECT_NEAR(s->GetValue(), row.expected, 1e-12);
    gfx->RemoveAllControls();
  }
}
