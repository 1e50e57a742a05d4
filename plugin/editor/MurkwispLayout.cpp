#include "plugin/editor/MurkwispLayout.h"

#include "framework/IPluginBase.h"
#include "plugin/MurkwispConfig.h"
#include "window/PlatformGraphics.h"
#include "toolkit/ICaptionControl.h"
#include "toolkit/ICornerResizerControl.h"
#include "toolkit/IGfx.h"
#include "toolkit/IPanelControl.h"
#include "toolkit/ITextControl.h"
#include "toolkit/IVTrackControlBase.h"
#include "plugin/MurkwispParams.h"
#include "plugin/editor/AboutPopup.h"
#include "plugin/editor/FennowIconButton.h"
#include "plugin/editor/HauntedMeterControl.h"
#include "plugin/editor/LEDTabSwitchControl.h"
#include "plugin/editor/MurkwispStyles.h"
#include "plugin/editor/PresetIconButton.h"
#include "plugin/editor/PresetNameControl.h"
#include "plugin/editor/PresetPopup.h"
#include "plugin/editor/WeatheredSliderControl.h"
#include "plugin/editor/WhisperModeButton.h"

namespace murkwisp {

using namespace ifx::igfx;

namespace {

// The editor's redraw rate: the graphics object's, not the configuration's.
constexpr int kEditorFrameRate = 60;
constexpr int kBackgroundFrameMs = 50;

void AttachText(IGfx* g, const IRECT& r, const char* text, const ITextStyle& style)
{
  g->AttachControl(new ITextControl(r, text, style));
}

void AttachSlider(IGfx* g, const IRECT& r, int paramIdx, int direction)
{
  g->AttachControl(new WeatheredSliderControl(r, paramIdx, 0, 0, direction));
}

// The dB marks beside a meter, where 0, -6, -12, -24 and -48 dB fall on a
// 0 to -60 dB scale over the meter's height.
void AttachMeterScale(IGfx* g, float left, float right)
{
  static const struct
  {
    const char* text;
    float top;
  } kMarks[] = {
    {"0", 168.f}, {"-6", 222.f}, {"-12", 277.f}, {"-24", 386.f}, {"-48", 604.f},
  };
  for (const auto& mark : kMarks)
    AttachText(g, IRECT(left, mark.top, right, mark.top + 15.f), mark.text, kStyleS10);
}

// Name, slider, value: one row of the effect section.
void AttachEffectRow(IGfx* g, float top, const char* name, int paramIdx, float sliderRight, const IRECT& caption)
{
  AttachText(g, IRECT(315, top, 420, top + 40), name, kStyleL18);
  AttachSlider(g, IRECT(425, top, sliderRight, top + 40), paramIdx, kHorizontal);
  g->AttachControl(new ICaptionControl(caption, paramIdx, kStyleC16));
}

IRECT CaptionAt(float top) { return IRECT(785, top + 8, 845, top + 32); }

// A tag already in use leaves the control unattached and ours to delete.
template <class T>
T* AttachTagged(IGfx* g, T* control, int tag)
{
  if (g->AttachControl(control, tag))
    return control;
  delete control;
  return nullptr;
}

} // namespace

void AttachEditorCornerResizer(IGfx* g)
{
  // A graphics object keeps the first resizer it was given.
  if (g->GetCornerResizer())
    return;
  g->AttachCornerResizer(new ICornerResizerControl(g->GetBounds(), 20.f), kResizeModeScale);
  g->SetLayoutOnResize(false);
}

void LoadEditorFonts(IGfx* g)
{
  // Only Roboto is embedded; the others load when present on disk and are
  // otherwise drawn as a font that was never loaded.
  g->LoadFont(kFontRoboto, kFontRobotoFile);
  g->LoadFont(kFontCinzel, kFontCinzelFile);
  g->LoadFont(kFontGipsyCurse, kFontGipsyCurseFile);
}

void AttachBackgroundLayers(IGfx* g, const IRECT& bounds, const EditorDrawFunctions& draw)
{
  auto* backdrop = new IPanelControl(bounds, IPaintPattern(kBackdropColor), false);
  backdrop->SetIgnoreMouse(true);
  backdrop->SetDelegate(g->GetDelegate());
  backdrop->SetGraphics(g);
  backdrop->OnInit();
  backdrop->OnResize();
  backdrop->OnRescale();
  g->AttachBackground(backdrop);

  // Missing (the usual case), the picture draws nothing; the backdrop and
  // the animated layers keep the editor readable.
  g->AttachControl(new IBitmapControl(bounds, g->LoadBitmap(kBackgroundImage, 1, false, 0)));
  for (const IDrawCallback* layer : {&draw.vignette, &draw.fog, &draw.motes, &draw.glitch})
    g->AttachControl(new ILambdaControl(bounds, *layer, kBackgroundFrameMs, true, true));
}

void AttachHeader(IGfx* g, const ifx::IPluginBase* plugin, EditorLinks& links)
{
  AttachText(g, IRECT(0, 8, 1200, 55), "Murkwisp", kStyleTitle);
  links.aboutButton = new FennowIconButton(IRECT(12, 10, 48, 46), g->LoadBitmap(kFennowIconImage, 1));
  g->AttachControl(links.aboutButton);
  links.presetButton = new PresetIconButton(IRECT(1152, 10, 1188, 46), g->LoadBitmap(kPresetIconImage, 1));
  g->AttachControl(links.presetButton);

  links.presetName = new PresetNameControl(IRECT(1000, 18, 1146, 40), "", kStyleS14R);
  links.presetName->SetAnimation(&PresetNameControl::PulsePresetName, PresetNameControl::kPulseMs);
  if (plugin)
    links.presetName->ShowCurrentPreset(*plugin);
  links.presetName = AttachTagged(g, links.presetName, kTagPresetName);
}

void AttachInputSection(IGfx* g)
{
  AttachText(g, IRECT(20, 120, 140, 145), "INPUT", kStyleL18);
  AttachSlider(g, IRECT(35, 155, 85, 720), kParamInput, kVertical);
  g->AttachControl(new ICaptionControl(IRECT(20, 730, 100, 755), kParamInput, kStyleC16));
  AttachTagged(g, new HauntedMeterControl(IRECT(95, 175, 135, 720), MakeMeterStyle(), 0), kTagInputMeter);
  AttachMeterScale(g, 138.f, 173.f);
}

void AttachOutputSection(IGfx* g)
{
  AttachText(g, IRECT(1060, 120, 1180, 145), "OUTPUT", kStyleL18);
  AttachTagged(g, new HauntedMeterControl(IRECT(1065, 175, 1105, 720), MakeMeterStyle(), 1), kTagOutputMeter);
  AttachSlider(g, IRECT(1115, 155, 1165, 720), kParamOutput, kVertical);
  g->AttachControl(new ICaptionControl(IRECT(1100, 730, 1180, 755), kParamOutput, kStyleC16));
  AttachMeterScale(g, 1027.f, 1062.f);
}

void AttachEffectSection(IGfx* g)
{
  AttachEffectRow(g, 140, "Haunt", kParamHaunt, 775, CaptionAt(140));
  AttachEffectRow(g, 208, "Possess", kParamPossess, 775, CaptionAt(208));
  AttachEffectRow(g, 276, "Freeze", kParamFreeze, 775, CaptionAt(276));
  AttachEffectRow(g, 344, "Smear", kParamSmear, 775, CaptionAt(344));
  // Whisper shares its line with the mode button and the resonance slider.
  AttachEffectRow(g, 412, "Whisper", kParamWhisper, 495, IRECT(500, 420, 550, 444));
  g->AttachControl(new WhisperModeButton(IRECT(555, 417, 620, 447), kParamWhisperMode));
  AttachText(g, IRECT(620, 420, 670, 444), "Res", kStyleS14R);
  AttachSlider(g, IRECT(675, 412, 775, 452), kParamResonance, kHorizontal);
  AttachEffectRow(g, 480, "Mix", kParamMix, 775, CaptionAt(480));
}

void AttachDivider(IGfx* g, const EditorDrawFunctions& draw)
{
  g->AttachControl(new ILambdaControl(IRECT(320, 543, 880, 545), draw.divider, 0, false, false));
}

void AttachPitchShiftSection(IGfx* g, const EditorDrawFunctions& draw)
{
  g->AttachControl(new ILambdaControl(IRECT(240, 553, 960, 743), draw.pitchPanel, 0, false, false));
  AttachText(g, IRECT(450, 563, 750, 585), "PITCH SHIFT", kStyleHeading);
  AttachText(g, IRECT(315, 593, 420, 633), "Octave", kStyleL18);
  g->AttachControl(new LEDTabSwitchControl(IRECT(425, 598, 775, 633), kParamOctave, {"-2", "-1", "0", "+1", "+2"}));
  AttachText(g, IRECT(240, 648, 335, 688), "Interval", kStyleL18);
  g->AttachControl(new LEDTabSwitchControl(IRECT(340, 653, 860, 688), kParamInterval,
                                           {"Uni", "m2", "M2", "m3", "M3", "P4", "Tri", "P5", "m6", "M6", "m7", "M7"}));
  AttachText(g, IRECT(315, 703, 420, 743), "Fine", kStyleL18);
  AttachSlider(g, IRECT(425, 703, 775, 743), kParamFine, kHorizontal);
  g->AttachControl(new ICaptionControl(IRECT(785, 711, 845, 731), kParamFine, kStyleC16));
}

void AttachPopups(IGfx* g, const IRECT& bounds, const EditorLinks& links)
{
  auto* about = new AboutPopup(bounds, kPopupPanelColor, kLabelColor, kAccentColor);
  g->AttachControl(about);
  auto* presets = new PresetPopup(bounds, kPopupPanelColor, kLabelColor, kAccentColor);
  g->AttachControl(presets);
  if (links.aboutButton)
    links.aboutButton->SetAboutPopup(about);
  if (links.presetButton)
    links.presetButton->SetPresetPopup(presets);
  presets->SetPresetNameControl(links.presetName);
}

IGfx* MakeMurkwispGraphics(ifx::IEditorDelegate& delegate)
{
  const ifx::IPluginConfiguration config = MakeMurkwispConfig();
  return MakePlatformGraphics(delegate, config.editorWidth, config.editorHeight, kEditorFrameRate, 1.f);
}

void LayoutMurkwispEditor(IGfx* g, const ifx::IPluginBase* plugin, const EditorDisplayValues& values)
{
  if (!g)
    return;
  AttachEditorCornerResizer(g);
  LoadEditorFonts(g);
  const IRECT bounds = g->GetBounds();
  const EditorDrawFunctions draw = MakeEditorDrawFunctions(values);
  EditorLinks links;
  AttachBackgroundLayers(g, bounds, draw);
  AttachHeader(g, plugin, links);
  AttachInputSection(g);
  AttachOutputSection(g);
  AttachEffectSection(g);
  AttachDivider(g, draw);
  AttachPitchShiftSection(g, draw);
  AttachPopups(g, bounds, links);
}

} // namespace murkwisp
