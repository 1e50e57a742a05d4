#pragma once
// Mouse behaviour of a slider bound to one parameter: the value jumps to a
// click, then follows the pointer relatively (geared, finer with shift or
// control) while the cursor is hidden; stepped parameters move in steps but
// accumulate slow movements; the wheel moves by small steps or one
// parameter step. Derived sliders draw.
#include "toolkit/IControl.h"

namespace ifx {
namespace igfx {

class ISliderControlBase : public IControl
{
public:
  // direction: 0 vertical, non-zero horizontal. gearing: a relative drag
  // along the whole track moves the value by 1 / gearing (ten times less
  // with shift or control). handleSize is kept for derived sliders.
  ISliderControlBase(const IRECT& bounds, int paramIdx, int direction, double gearing, float handleSize);

  void OnResize() override;
  void OnMouseDown(float x, float y, const IMouseModifiers& mod) override;
  void OnMouseUp(float x, float y, const IMouseModifiers& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseModifiers& mod) override;
  void OnMouseWheel(float x, float y, const IMouseModifiers& mod, float d) override;

  int GetDirection() const { return mDirection; }
  const IRECT& GetTrack() const { return mTrack; }
  double GetGearing() const { return mGearing; }
  float GetHandleSize() const { return mHandleSize; }
  bool GetHideCursorOnDrag() const { return mHideCursorOnDrag; }
  bool GetMouseIsDown() const { return mMouseDown; }
  // The unsnapped value a relative drag has reached.
  double GetDragValue() const { return mDragValue; }

protected:
  // Bound to an existing parameter that moves in steps.
  bool IsStepped() const;

  bool mHideCursorOnDrag = true;
  int mDirection;
  IRECT mTrack;
  float mHandleSize;
  double mGearing;
  bool mMouseDown = false;
  double mDragValue = 0.0;
};

} // namespace igfx
} // namespace ifx
