#pragma once
// A row of labelled tabs for an enumerated parameter; the selected tab's
// LED flickers. A click selects the tab under the pointer.
#include <initializer_list>
#include <vector>

#include "toolkit/IControl.h"
#include "plugin/editor/FlickerLight.h"

namespace murkwisp {

class LEDTabSwitchControl : public ifx::igfx::IControl
{
public:
  static constexpr int kLEDSlots = 16;

  // The labels are kept as given: texts that live as long as the program.
  LEDTabSwitchControl(const ifx::igfx::IRECT& bounds, int paramIdx, std::initializer_list<const char*> labels);

  void OnMouseDown(float x, float y, const ifx::igfx::IMouseModifiers& mod) override;
  void Draw(ifx::igfx::IGfx& g) override;

  int NTabs() const { return static_cast<int>(mLabels.size()); }
  // The tab the value shows.
  int SelectedTab() const;
  ifx::igfx::IRECT TabBounds(int tab) const;

private:
  void DrawLED(ifx::igfx::IGfx& g, float x, float y, float glow);

  std::vector<const char*> mLabels;
  ifx::igfx::IRgba mLEDColor{255, 100, 180, 200};
  ifx::igfx::IRgba mLabelColor{255, 180, 170, 190};
  FlickerLight mLEDs[kLEDSlots];
  float mPhase;
  int mSeed;
};

} // namespace murkwisp
