// The whole editor over the recording graphics: where every control sits,
// what clicks set, the meters, the popups, and two instances side by side.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "base/ISenderPacket.h"
#include "framework/IPluginBase.h"
#include "toolkit/IBitmapControl.h"
#include "toolkit/ICaptionControl.h"
#include "toolkit/ICornerResizerControl.h"
#include "toolkit/ILambdaControl.h"
#include "toolkit/IPanelControl.h"
#include "toolkit/ITextControl.h"
#include "plugin/editor/AboutPopup.h"
#include "plugin/editor/FennowIconButton.h"
#include "plugin/editor/HauntedMeterControl.h"
#include "plugin/editor/LEDTabSwitchControl.h"
#include "plugin/editor/MurkwispLayout.h"
#include "plugin/editor/MurkwispStyles.h"
#include "plugin/editor/PresetIconButton.h"
#include "plugin/editor/PresetNameControl.h"
#include "plugin/editor/PresetPopup.h"
#include "plugin/editor/WeatheredSliderControl.h"
#include "plugin/editor/WhisperModeButton.h"
#include "EditorHarness.h"

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::testkit;
using namespace murkwisp_test;

namespace {

enum Kind { kPanel, kBitmap, kLambda, kText, kCaption, kSlider, kMeter, kTabs, kMode, kFennow, kPresetIcon, kName,
            kAbout, kPresets, kOther };

Kind KindOf(IControl* c)
{
  if (dynamic_cast<PresetNameControl*>(c)) return kName;
  if (dynamic_cast<ICaptionControl*>(c)) return kCaption;
  if (dynamic_cast<ITextControl*>(c)) return kText;
  if (dynamic_cast<FennowIconButton*>(c)) return kFennow;
  if (dynamic_cast<PresetIconButton*>(c)) return kPresetIcon;
  if (dynamic_cast<IBitmapControl*>(c)) return kBitmap;
  if (dynamic_cast<IPanelControl*>(c)) return kPanel;
  if (dynamic_cast<ILambdaControl*>(c)) return kLambda;
  if (dynamic_cast<WeatheredSliderControl*>(c)) return kSlider;
  if (dynamic_cast<HauntedMeterControl*>(c)) return kMeter;
  if (dynamic_cast<LEDTabSwitchControl*>(c)) return kTabs;
  if (dynamic_cast<WhisperModeButton*>(c)) return kMode;
  if (dynamic_cast<AboutPopup*>(c)) return kAbout;
  if (dynamic_cast<PresetPopup*>(c)) return kPresets;
  return kOther;
}

struct Row
{
  Kind kind;
  IRECT r;
  int param = -1;
  const char* text = nullptr;       // an ITextControl's string
  const ITextStyle* style = nullptr;
};

const IRECT kFull(0, 0, 1200, 800);

// clang-format off
const Row kLayout[] = {
  {kPanel, kFull}, {kBitmap, kFull}, {kLambda, kFull}, {kLambda, kFull}, {kLambda, kFull}, {kLambda, kFull},
  {kText, {0, 8, 1200, 55}, -1, "Murkwisp", &kStyleTitle},
  {kFennow, {12, 10, 48, 46}}, {kPresetIcon, {1152, 10, 1188, 46}},
  {kName, {1000, 18, 1146, 40}, -1, "Init", &kStyleS14R},
  // Input
  {kText, {20, 120, 140, 145}, -1, "INPUT", &kStyleL18}, {kSlider, {35, 155, 85, 720}, kParamInput},
  {kCaption, {20, 730, 100, 755}, kParamInput, nullptr, &kStyleC16}, {kMeter, {95, 175, 135, 720}},
  {kText, {138, 168, 173, 183}, -1, "0", &kStyleS10}, {kText, {138, 222, 173, 237}, -1, "-6", &kStyleS10},
  {kText, {138, 277, 173, 292}, -1, "-12"}, {kText, {138, 386, 173, 401}, -1, "-24"},
  {kText, {138, 604, 173, 619}, -1, "-48"},
  // Output
  {kText, {1060, 120, 1180, 145}, -1, "OUTPUT"}, {kMeter, {1065, 175, 1105, 720}},
  {kSlider, {1115, 155, 1165, 720}, kParamOutput}, {kCaption, {1100, 730, 1180, 755}, kParamOutput},
  {kText, {1027, 168, 1062, 183}, -1, "0"}, {kText, {1027, 222, 1062, 237}, -1, "-6"},
  {kText, {1027, 277, 1062, 292}, -1, "-12"}, {kText, {1027, 386, 1062, 401}, -1, "-24"},
  {kText, {1027, 604, 1062, 619}, -1, "-48"},
  // Effect rows
  {kText, {315, 140, 420, 180}, -1, "Haunt"}, {kSlider, {425, 140, 775, 180}, kParamHaunt},
  {kCaption, {785, 148, 845, 172}, kParamHaunt},
  {kText, {315, 208, 420, 248}, -1, "Possess"}, {kSlider, {425, 208, 775, 248}, kParamPossess},
  {kCaption, {785, 216, 845, 240}, kParamPossess},
  {kText, {315, 276, 420, 316}, -1, "Freeze"}, {kSlider, {425, 276, 775, 316}, kParamFreeze},
  {kCaption, {785, 284, 845, 308}, kParamFreeze},
  {kText, {315, 344, 420, 384}, -1, "Smear"}, {kSlider, {425, 344, 775, 384}, kParamSmear},
  {kCaption, {785, 352, 845, 376}, kParamSmear},
  {kText, {315, 412, 420, 452}, -1, "Whisper"}, {kSlider, {425, 412, 495, 452}, kParamWhisper},
  {kCaption, {500, 420, 550, 444}, kParamWhisper},
  {kMode, {555, 417, 620, 447}, kParamWhisperMode}, {kText, {620, 420, 670, 444}, -1, "Res", &kStyleS14R},
  {kSlider, {675, 412, 775, 452}, kParamResonance},
  {kText, {315, 480, 420, 520}, -1, "Mix"}, {kSlider, {425, 480, 775, 520}, kParamMix},
  {kCaption, {785, 488, 845, 512}, kParamMix},
  // Divider and pitch shift
  {kLambda, {320, 543, 880, 545}}, {kLambda, {240, 553, 960, 743}},
  {kText, {450, 563, 750, 585}, -1, "PITCH SHIFT", &kStyleHeading},
  {kText, {315, 593, 420, 633}, -1, "Octave"}, {kTabs, {425, 598, 775, 633}, kParamOctave},
  {kText, {240, 648, 335, 688}, -1, "Interval"}, {kTabs, {340, 653, 860, 688}, kParamInterval},
  {kText, {315, 703, 420, 743}, -1, "Fine"}, {kSlider, {425, 703, 775, 743}, kParamFine},
  {kCaption, {785, 711, 845, 731}, kParamFine, nullptr, &kStyleC16},
  // Popups, in front of everything
  {kAbout, kFull}, {kPresets, kFull},
};
// clang-format on

bool Near(const IRECT& a, const IRECT& b, float tol = 1e-3f)
{
  return std::fabs(a.L - b.L) < tol && std::fabs(a.T - b.T) < tol && std::fabs(a.R - b.R) < tol &&
         std::fabs(a.B - b.B) < tol;
}

// A lit meter segment also glows one unit around itself.
int LitSegments(const std::vector<DrawnShape>& shapes, float colL, float colR)
{
  int lit = 0;
  const float s = 535.f / 16.f;
  for (int seg = 0; seg < 16; ++seg)
  {
    const IRECT glow(colL - 1, 715.f - (seg + 1) * s - 1, colR + 1, 715.f - seg * s);
    for (const DrawnShape& shape : shapes)
      if (shape.kind == DrawnShape::kFill && Near(shape.box, glow))
      {
        ++lit;
        break;
      }
  }
  return lit;
}

ISenderPacket Packet(int tag, float level0, float level1)
{
  ISenderPacket p;
  p.controlTag = tag;
  p.vals[0][0] = p.vals[0][1] = level0;
  p.vals[1][0] = p.vals[1][1] = level1;
  return p;
}

} // namespace

TEST(EditorLayoutTest, AttachesEveryControlInOrderWithItsPlaceParameterAndText)
{
  EditorHarness ed;
  RecordingGfx& g = ed.Open();
  ASSERT_EQ(g.NControls(), static_cast<int>(std::size(kLayout)));
  for (int i = 0; i < g.NControls(); ++i)
  {
    IControl* c = g.GetControl(i);
    const Row& row = kLayout[i];
    EXPECT_EQ(KindOf(c), row.kind) << i;
    EXPECT_TRUE(Near(c->GetRECT(), row.r)) << i;
    EXPECT_EQ(c->GetParamIdx(), row.param) << i;
    if (row.text)
    {
      EXPECT_STREQ(static_cast<ITextControl*>(c)->GetString(), row.text) << i;
    }
    if (row.style)
    {
      EXPECT_EQ(c->GetText(), *row.style) << i;
    }
  }
  EXPECT_EQ(kLayout[11].kind, kSlider);
  EXPECT_EQ(static_cast<WeatheredSliderControl*>(g.GetControl(11))->GetDirection(), 0);
  EXPECT_EQ(static_cast<WeatheredSliderControl*>(g.GetControl(29))->GetDirection(), 1);

  // Tags: the two meters the senders address, and the preset name.
  EXPECT_EQ(g.FindControlByTag(kTagInputMeter), g.GetControl(13));
  EXPECT_EQ(g.FindControlByTag(kTagOutputMeter), g.GetControl(20));
  EXPECT_EQ(g.FindControlByTag(kTagPresetName), g.GetControl(9));
  EXPECT_EQ(static_cast<HauntedMeterControl*>(g.GetControl(20))->Which(), 1);

  // The corner resizer is the graphics' own, in the corner; scale mode, no re-layout.
  auto* resizer = dynamic_cast<ICornerResizerControl*>(g.GetCornerResizer());
  ASSERT_NE(resizer, nullptr);
  EXPECT_TRUE(Near(resizer->GetRECT(), IRECT(1180, 780, 1200, 800)));
  EXPECT_EQ(resizer->GetInitialBounds(), kFull);
  EXPECT_EQ(g.GetResizerMode(), kResizeModeScale);
  EXPECT_FALSE(g.GetLayoutOnResize());

  // A graphics object that has a resizer keeps it.
  AttachEditorCornerResizer(&g);
  EXPECT_EQ(g.GetCornerResizer(), resizer);

  // The values pushed after the layout: Init's on the controls.
  EXPECT_NEAR(g.GetControl(29)->GetValue(), 0.75, 1e-9);      // Haunt 75 %
  EXPECT_NEAR(g.GetControl(53)->GetValue(), 0.5, 1e-9);       // Octave "0"
  EXPECT_EQ(g.GetControl(43)->GetValue(), 0.0);               // Whisper Mode "Sizzle"

  // A second opening builds the same editor again.
  ed.Close();
  RecordingGfx& again = ed.Open();
  EXPECT_EQ(again.NControls(), static_cast<int>(std::size(kLayout)));
  EXPECT_NE(again.GetCornerResizer(), nullptr);
}

TEST(EditorLayoutTest, ClicksSetTheParametersAndTheCaptionsFollow)
{
  EditorHarness ed;
  ed.Open();
  const struct { float x, y; int param; double normalized; } clicks[] = {
    {430, 160, kParamHaunt, 0.0},   {770, 160, kParamHaunt, 1.0},     {600, 160, kParamHaunt, 0.5},
    {60, 715, kParamInput, 0.0},    {60, 160, kParamInput, 1.0},      {60, 437.5f, kParamInput, 0.5},
    {1140, 437.5f, kParamOutput, 0.5},
    {774, 610, kParamOctave, 1.0},  {600, 610, kParamOctave, 0.5},    {426, 610, kParamOctave, 0.0},
    {665, 670, kParamInterval, 7.0 / 11.0},
    {725, 430, kParamResonance, 0.5}, {600, 723, kParamFine, 0.5},    {460, 430, kParamWhisper, 0.5},
    {430, 500, kParamMix, 0.0},     {300 + 250, 365, kParamSmear, (550 - 435) / 330.0},
  };
  for (const auto& c : clicks)
  {
    ed.Click(c.x, c.y);
    EXPECT_NEAR(ed.plugin->GetParam(c.param)->GetNormalized(), c.normalized, 1e-6) << c.x << "," << c.y;
  }
  EXPECT_EQ(ed.ParamValue(kParamOctave), 0.0);    // "-2"
  EXPECT_EQ(ed.ParamValue(kParamInterval), 7.0);  // "Perfect 5th"
  EXPECT_EQ(ed.ParamValue(kParamFine), 0.0);

  // The whisper button toggles its parameter.
  ed.Click(590, 430);
  EXPECT_EQ(ed.ParamValue(kParamWhisperMode), 1.0);
  ed.Click(590, 430);
  EXPECT_EQ(ed.ParamValue(kParamWhisperMode), 0.0);

  // Captions show the new values after the next frame.
  ed.Frame();
  RecordingGfx& g = ed.Gfx();
  EXPECT_STREQ(static_cast<ITextControl*>(g.GetControl(30))->GetString(), "50 %");
  EXPECT_STREQ(static_cast<ITextControl*>(g.GetControl(12))->GetString(), "50 %");
  EXPECT_STREQ(static_cast<ITextControl*>(g.GetControl(58))->GetString(), "0 cents");
  EXPECT_STREQ(static_cast<ITextControl*>(g.GetControl(48))->GetString(), "0 %");
  // The host side saw a gesture around each click.
  EXPECT_EQ(g.GetControl(29)->GetValue(), ed.plugin->GetParam(kParamHaunt)->GetNormalized());
}

TEST(EditorLayoutTest, MetersLightForAKnownPacketAndForATone)
{
  EditorHarness ed;
  ed.Open();
  // 0 dB on the input's left channel: 60 / 72 of the scale, 14 of 16 segments.
  const ISenderPacket in = Packet(kTagInputMeter, 1.f, 0.f);
  ed.plugin->PushControlMessageToUI(kTagInputMeter, 0, sizeof(in), &in);
  // -24 dB on both channels of the output: 36 / 72, 8 segments.
  const ISenderPacket out = Packet(kTagOutputMeter, 0.0630957f, 0.0630957f);
  ed.plugin->PushControlMessageToUI(kTagOutputMeter, 0, sizeof(out), &out);
  auto shapes = ed.Frame();
  EXPECT_EQ(LitSegments(shapes, 102, 113), 14);
  EXPECT_EQ(LitSegments(shapes, 117, 128), 0);
  EXPECT_EQ(LitSegments(shapes, 1072, 1083), 8);
  EXPECT_EQ(LitSegments(shapes, 1087, 1098), 8);

  // Audio through the plug-in reaches both meters at the next idle tick.
  StereoBuffers buf(512);
  for (int i = 0; i < 512; ++i)
    buf.l[i] = buf.r[i] = 0.5 * std::sin(2.0 * 3.14159265358979 * 440.0 * i / 48000.0);
  for (int block = 0; block < 40; ++block)
    ed.plugin->ProcessBlock(buf.Inputs(), buf.Outputs(), 512);
  ed.plugin->OnIdle();
  auto* inMeter = static_cast<HauntedMeterControl*>(ed.Gfx().FindControlByTag(kTagInputMeter));
  EXPECT_GT(inMeter->GetValue(0), 0.5);
  EXPECT_GT(inMeter->GetValue(1), 0.5);
  shapes = ed.Frame();
  EXPECT_GT(LitSegments(shapes, 102, 113), 8);
}

TEST(EditorLayoutTest, IconsOpenAndCloseThePopupsWhichTakeNoClicksWhileClosed)
{
  EditorHarness ed;
  RecordingGfx& g = ed.Open();
  auto* about = ed.Find<AboutPopup>();
  auto* presets = ed.Find<PresetPopup>();
  ASSERT_TRUE(about && presets);
  EXPECT_FALSE(about->IsOpen());
  EXPECT_TRUE(about->GetTargetRECT().Empty());
  EXPECT_EQ(presets->GetPresetNameControl(), ed.Find<PresetNameControl>());

  // Closed popups let clicks through to the sliders below them.
  ed.Click(600, 160);
  EXPECT_NEAR(ed.plugin->GetParam(kParamHaunt)->GetNormalized(), 0.5, 1e-9);

  ed.Click(30, 28);
  EXPECT_TRUE(about->IsOpen());
  EXPECT_EQ(about->GetTargetRECT(), kFull);
  EXPECT_EQ(g.FindControlAtPoint(600, 160), about);  // now it covers the editor
  ed.Click(30, 28);
  EXPECT_FALSE(about->IsOpen());
  EXPECT_TRUE(about->GetTargetRECT().Empty());

  // The preset browser opens on the current preset.
  ed.plugin->RestorePreset(9);
  ed.Click(1170, 28);
  EXPECT_TRUE(presets->IsOpen());
  EXPECT_EQ(presets->GetSelected(), 9);
  EXPECT_EQ(presets->GetFirstVisibleRow(), 0);
  ed.Click(1170, 28);
  EXPECT_FALSE(presets->IsOpen());
  // Scrolled so the selection is among the first twelve rows.
  presets->Open(15);
  EXPECT_EQ(presets->GetFirstVisibleRow(), 4);
}

TEST(EditorLayoutTest, MissingImagesDrawNothingButTheIconsStillGlowAndWork)
{
  EditorHarness ed;
  RecordingGfx& g = ed.Open();
  // None of the three images is shipped.
  EXPECT_FALSE(static_cast<IBitmapControl*>(g.GetControl(1))->GetBitmap().IsValid());
  EXPECT_FALSE(ed.Find<FennowIconButton>()->GetBitmap().IsValid());
  murkwisp::UpdateChecker::Instance().status = murkwisp::kUpdateAvailable;
  const auto shapes = ed.Frame();
  murkwisp::UpdateChecker::Instance().status = murkwisp::kUpdateNotChecked;
  EXPECT_EQ(g.Count(GfxOp::kDrawBitmap), 0);

  // The glow behind each icon, and the update badge beside the Fennow icon.
  int glows = 0, badges = 0;
  for (const DrawnShape& s : shapes)
  {
    if (s.kind == DrawnShape::kFill && s.color.R == 140 && s.color.G == 140 && s.color.B == 140 &&
        std::fabs(s.box.W() - 2 * 0.55f * 36) < 1e-3f)
      ++glows;
    if (s.kind == DrawnShape::kFill && s.color == IRgba(255, 100, 220, 120))
    {
      EXPECT_TRUE(Near(s.box, IRECT(37, 11, 47, 21)));
      ++badges;
    }
  }
  EXPECT_EQ(glows, 2);
  EXPECT_EQ(badges, 1);
  ed.Click(30, 28);
  EXPECT_TRUE(ed.Find<AboutPopup>()->IsOpen());
}

TEST(EditorLayoutTest, PresetNameShowsDefaultWithoutANamedCurrentPreset)
{
  EditorHarness ed;
  RecordingGfx& g = ed.Open();
  EXPECT_STREQ(ed.Find<PresetNameControl>()->GetString(), "Init");
  ifx::IPluginBase empty(kParamCount, 0);  // no presets: the index is outside the list
  g.RemoveAllControls();
  LayoutMurkwispEditor(&g, &empty, EditorDisplayValues{});
  EXPECT_STREQ(ed.Find<PresetNameControl>()->GetString(), "Default");
}

// Each editor reaches only its own popups, and closing one leaves the
// other's controls whole.
TEST(EditorLayoutTest, TwoEditorsOfTwoInstancesStayApart)
{
  EditorHarness a, b;
  a.Open();
  b.Open();
  a.Click(30, 28);
  EXPECT_TRUE(a.Find<AboutPopup>()->IsOpen());
  EXPECT_FALSE(b.Find<AboutPopup>()->IsOpen());
  b.plugin->RestorePreset(3);
  b.Click(1170, 28);
  EXPECT_TRUE(b.Find<PresetPopup>()->IsOpen());
  EXPECT_EQ(b.Find<PresetPopup>()->GetSelected(), 3);
  EXPECT_FALSE(a.Find<PresetPopup>()->IsOpen());

  // A packet for one instance lights only its meter.
  const ISenderPacket p = Packet(kTagInputMeter, 1.f, 1.f);
  a.plugin->PushControlMessageToUI(kTagInputMeter, 0, sizeof(p), &p);
  EXPECT_GT(a.Gfx().FindControlByTag(kTagInputMeter)->GetValue(0), 0.8);
  EXPECT_EQ(b.Gfx().FindControlByTag(kTagInputMeter)->GetValue(0), 0.0);

  // Close the first (its controls are freed), then use the second.
  a.Close();
  b.Click(1170, 28);
  EXPECT_FALSE(b.Find<PresetPopup>()->IsOpen());
  b.Click(30, 28);
  EXPECT_TRUE(b.Find<AboutPopup>()->IsOpen());
  b.Frame();
  // Reopening the first builds its own again.
  a.Open();
  EXPECT_FALSE(a.Find<AboutPopup>()->IsOpen());
  a.Click(30, 28);
  EXPECT_TRUE(a.Find<AboutPopup>()->IsOpen());
  EXPECT_TRUE(b.Find<AboutPopup>()->IsOpen());
}

TEST(EditorLayoutTest, SliderDragKeepsTheMarginAndClampsOutside)
{
  EditorHarness ed;
  RecordingGfx& g = ed.Open();
  auto* slider = static_cast<WeatheredSliderControl*>(g.GetControl(29));  // Haunt
  IMouseEvent e;
  e.x = 600;
  e.y = 160;
  e.ms.L = true;
  g.OnMouseDown({e});
  EXPECT_TRUE(slider->IsDragging());
  const struct { float x; double v; } drags[] = {{435, 0.0}, {434, 0.0}, {-500, 0.0}, {765, 1.0}, {2000, 1.0},
                                                 {517.5f, 0.25}};
  for (const auto& d : drags)
  {
    e.dX = d.x - e.x;
    e.x = d.x;
    g.OnMouseDrag({e});
    EXPECT_NEAR(slider->GetValue(), d.v, 1e-6) << d.x;
  }
  g.OnMouseUp({e});
  EXPECT_FALSE(slider->IsDragging());
  EXPECT_NEAR(ed.plugin->GetParam(kParamHaunt)->GetNormalized(), 0.25, 1e-6);
  EXPECT_FALSE(g.GetCursorHidden());

  // A double click resets to the default; the handle sits at the track's ends.
  g.OnMouseDblClick(600, 160, IMouseModifiers());
  EXPECT_NEAR(slider->GetValue(), 0.5, 1e-9);
  slider->SetValue(0.0);
  EXPECT_FLOAT_EQ(slider->HandleBounds().MW(), 435.f);
  slider->SetValue(1.0);
  EXPECT_FLOAT_EQ(slider->HandleBounds().MW(), 765.f);
  auto* input = static_cast<WeatheredSliderControl*>(g.GetControl(11));
  input->SetValue(1.0);
  EXPECT_FLOAT_EQ(input->HandleBounds().MH(), 165.f);
  EXPECT_TRUE(Near(input->HandleBounds(), IRECT(42.5f, 155, 77.5f, 175)));
}
