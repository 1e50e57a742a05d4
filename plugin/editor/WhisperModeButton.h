#pragma once
// The two-state "Whisper Mode" button: a flickering LED in the colour of the
// mode and the mode's name ("Wind" or "Fennow"). Each click toggles it.
#include "toolkit/IControl.h"
#include "plugin/editor/FlickerLight.h"

namespace murkwisp {

class WhisperModeButton : public ifx::igfx::IControl
{
public:
  WhisperModeButton(const ifx::igfx::IRECT& bounds, int paramIdx);

  void OnMouseDown(float x, float y, const ifx::igfx::IMouseModifiers& mod) override;
  void Draw(ifx::igfx::IGfx& g) override;

  bool IsSecondMode() const { return GetValue() > 0.5; }
  const char* ModeLabel() const { return IsSecondMode() ? "Fennow" : "Wind"; }

private:
  ifx::igfx::IRgba mFirstColor;
  ifx::igfx::IRgba mSecondColor;
  FlickerLight mFlicker;
  float mPhase;
  int mSeed;
};

} // namespace murkwisp
