#pragma once
// A slider base that draws nothing, for tests of its mouse behaviour.
#include "toolkit/ISliderControlBase.h"

namespace ifx {
namespace testkit {

class TestSlider : public igfx::ISliderControlBase
{
public:
  TestSlider(const igfx::IRECT& r, int paramIdx, int direction = 0, double gearing = 1.0)
    : ISliderControlBase(r, paramIdx, direction, gearing, 8.f) {}
  void Draw(igfx::IGfx&) override {}
  void HideCursorOnDrag(bool hide) { mHideCursorOnDrag = hide; }
  // As a press would leave it, without moving the value.
  void StartAt(double value)
  {
    SetValue(value, 0);
    mDragValue = value;
  }
};

} // namespace testkit
} // namespace ifx
