#include "plugin/editor/PresetNameControl.h"

#include <cmath>

#include "framework/IPluginBase.h"
#include "toolkit/IGfx.h"
#include "plugin/editor/EditorAnimation.h"
#include "plugin/editor/MurkwispStyles.h"

namespace murkwisp {

using namespace ifx::igfx;

PresetNameControl::PresetNameControl(const IRECT& bounds, const char* text, const ITextStyle& style)
  : ITextControl(bounds, text, style), mGlowColor(kAccentColor)
{
}

void PresetNameControl::Draw(IGfx& g)
{
  g.FillRoundRect(WithAlpha(mGlowColor, ClampedAlpha((std::sin(mPhase) * 0.1f + 0.15f) * 0.3f)), mRECT.GetPadded(-2.f),
                  4.f);
  ITextControl::Draw(g);
}

void PresetNameControl::ShowCurrentPreset(const ifx::IPluginBase& plugin)
{
  const int idx = plugin.GetCurrentPresetIdx();
  const char* name = idx >= 0 && idx < plugin.NPresets() ? plugin.GetPresetName(idx) : nullptr;
  SetString(name && name[0] ? name : "Default");
}

void PresetNameControl::PulsePresetName(IControl* control)
{
  auto* self = static_cast<PresetNameControl*>(control);
  AdvancePhase(self->mPhase, 0.05f);
  self->SetDirty(false, -1);
}

} // namespace murkwisp
