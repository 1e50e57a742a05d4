#pragma once
// The preset icon at the header's right: opens the preset browser on the
// current preset, and closes it again.
#include "plugin/editor/GlowingIconButton.h"

namespace murkwisp {

class PresetPopup;

class PresetIconButton : public GlowingIconButton
{
public:
  using GlowingIconButton::GlowingIconButton;

  void OnMouseDown(float x, float y, const ifx::igfx::IMouseModifiers& mod) override;
  void Draw(ifx::igfx::IGfx& g) override { DrawGlowAndIcon(g); }

  // The preset browser of the same editor (none: the click does nothing).
  void SetPresetPopup(PresetPopup* popup) { mPopup = popup; }

private:
  PresetPopup* mPopup = nullptr;
};

} // namespace murkwisp
