#pragma once
// The current preset's name in the header, over a softly pulsing glow.
#include "toolkit/ITextControl.h"

namespace ifx {
class IPluginBase;
}

namespace murkwisp {

class PresetNameControl : public ifx::igfx::ITextControl
{
public:
  static constexpr int kPulseMs = 50;

  PresetNameControl(const ifx::igfx::IRECT& bounds, const char* text, const ifx::igfx::ITextStyle& style);

  void Draw(ifx::igfx::IGfx& g) override;

  // Shows the plug-in's current preset: its name, or "Default" when that is
  // empty or the current index lies outside the preset list.
  void ShowCurrentPreset(const ifx::IPluginBase& plugin);

  // Animation step, once per frame and never ending: advances the glow.
  static void PulsePresetName(ifx::igfx::IControl* control);

private:
  ifx::igfx::IRgba mGlowColor;
  float mPhase = 0.f;
};

} // namespace murkwisp
