#include "toolkit/ISliderControlBase.h"

#include <algorithm>
#include <cmath>

#include "base/IParam.h"
#include "toolkit/IGfx.h"

namespace ifx {
namespace igfx {

ISliderControlBase::ISliderControlBase(const IRECT& bounds, int paramIdx, int direction, double gearing,
                                       float handleSize)
  : IControl(bounds, paramIdx), mDirection(direction), mHandleSize(handleSize), mGearing(gearing)
{
}

bool ISliderControlBase::IsStepped() const
{
  const IParam* param = GetParam(0);
  return param && param->GetStepped();
}

void ISliderControlBase::OnResize()
{
  mTargetRECT = mTrack = mRECT;
  mMouseIsOver = false;
  SetDirty(false);
}

void ISliderControlBase::OnMouseDown(float x, float y, const IMouseModifiers& mod)
{
  mMouseDown = true;
  // A stepped value stays where it is until dragged a whole step.
  if (!IsStepped())
    SetValueFromPointer(x, y, mDirection, mTrack, -1, 0.0, 1.0);
  mDragValue = GetValue(0);
  if (mHideCursorOnDrag && mGraphics)
    mGraphics->HideMouseCursor(true, true);
  IControl::OnMouseDown(x, y, mod);
}

void ISliderControlBase::OnMouseUp(float x, float y, const IMouseModifiers& mod)
{
  if (mHideCursorOnDrag && mGraphics)
    mGraphics->HideMouseCursor(false, true);
  mMouseDown = false;
  SetDirty(false);
}

void ISliderControlBase::OnMouseDrag(float x, float y, float dX, float dY, const IMouseModifiers& mod)
{
  // With the cursor hidden the pointer's position means nothing: only its movement counts.
  const bool relative = (mod.touchID == 0 && mHideCursorOnDrag) || IsStepped();
  if (!relative)
  {
    SetValueFromPointer(x, y, mDirection, mTrack, -1, 0.0, 1.0);
    return;
  }

  double gearing = mGearing;
  if (mod.S || mod.C)
    gearing *= 10.0;
  const double delta =
    mDirection != 0 ? static_cast<double>(dX) / (mTrack.R - mTrack.L) : static_cast<double>(dY) / (mTrack.T - mTrack.B);
  // A track without length or a gearing of zero gives no usable movement.
  const double change = delta / gearing;
  if (!std::isfinite(change))
    return;
  mDragValue = std::clamp(mDragValue + change, 0.0, 1.0);

  double value = mDragValue;
  const IParam* param = GetParam(0);
  if (param && param->GetStepped() && param->GetStep() > 0.0)
  {
    // Snapped for the host; the drag value keeps the fraction so slow
    // movements add up to the next step.
    const IParam::Shape& shape = param->GetShape();
    const double stepped = param->Constrain(shape.NormalizedToValue(value, *param));
    value = std::clamp(shape.ValueToNormalized(stepped, *param), 0.0, 1.0);
  }
  SetValue(value, 0);
  SetDirty(true);
}

void ISliderControlBase::OnMouseWheel(float x, float y, const IMouseModifiers& mod, float d)
{
  double value = GetValue(0);
  const IParam* param = GetParam(0);
  if (param && param->GetStepped() && param->GetStep() > 0.0)
  {
    // One parameter step per wheel event, whatever its size.
    if (d != 0.f)
    {
      const double current = param->Constrain(param->GetShape().NormalizedToValue(value, *param));
      value = param->ToNormalized(current + (d > 0.f ? param->GetStep() : -param->GetStep()));
    }
  }
  else
  {
    const double step = (mod.S || mod.C) ? 0.001 : 0.01;
    value += static_cast<double>(d) * step;
  }
  SetValue(value, 0);
  SetDirty(true);
}

} // namespace igfx
} // namespace ifx
