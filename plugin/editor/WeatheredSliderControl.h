#pragma once
// The editor's slider: a recessed track with six breathing tick marks and a
// softly pulsing handle. The value follows the pointer absolutely, with a
// 10-unit margin at each end of the travel.
#include "toolkit/ISliderControlBase.h"

namespace murkwisp {

class WeatheredSliderControl : public ifx::igfx::ISliderControlBase
{
public:
  static constexpr float kMargin = 10.f;

  // The two integers between the parameter and the direction are not used.
  // direction: 0 vertical, 1 horizontal.
  WeatheredSliderControl(const ifx::igfx::IRECT& bounds, int paramIdx, int unused1, int unused2, int direction);

  void OnMouseDown(float x, float y, const ifx::igfx::IMouseModifiers& mod) override;
  void OnMouseUp(float x, float y, const ifx::igfx::IMouseModifiers& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const ifx::igfx::IMouseModifiers& mod) override;
  void Draw(ifx::igfx::IGfx& g) override;

  bool IsDragging() const { return mDragging; }
  // Where the handle is drawn for the current value.
  ifx::igfx::IRECT HandleBounds() const;
  ifx::igfx::IRECT TrackBounds() const;

private:
  ifx::igfx::IRgba mHandleColor{255, 85, 80, 95};
  float mTickPhase;
  float mGlowPhase;
  bool mDragging = false;
};

} // namespace murkwisp
