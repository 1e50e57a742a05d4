#include "toolkit/ILambdaControl.h"

#include "toolkit/GfxClock.h"

namespace ifx {
namespace igfx {

ILambdaControl::ILambdaControl(const IRECT& bounds, IDrawCallback drawFunc, int animationDuration, bool loop,
                               bool startImmediately)
  : IControl(bounds, -1, &IControl::DefaultClickAction)
  , mDrawFunc(std::move(drawFunc))
  , mLoop(loop)
  , mAnimationDuration(animationDuration)
{
  mIgnoreMouse = true;
  mDblAsSingleClick = true;
  if (startImmediately)
    SetAnimation(&IControl::DefaultAnimation, animationDuration);
}

void ILambdaControl::Draw(IGfx& g)
{
  if (mDrawFunc)
    mDrawFunc(this, g, mRECT);
}

void ILambdaControl::OnMouseDown(float x, float y, const IMouseModifiers& mod)
{
  mLastX = x;
  mLastY = y;
  mLastMods = mod;
  SetAnimation(&IControl::DefaultAnimation, mAnimationDuration);
}

void ILambdaControl::OnMouseUp(float x, float y, const IMouseModifiers& mod)
{
  mLastX = x;
  mLastY = y;
  mLastMods = IMouseModifiers();
  SetDirty(false);
}

void ILambdaControl::OnMouseDrag(float x, float y, float dX, float dY, const IMouseModifiers& mod)
{
  mLastX = x;
  mLastY = y;
  mLastDX = dX;
  mLastDY = dY;
  mLastMods = mod;
  SetDirty(false);
}

void ILambdaControl::OnAnimationEnd()
{
  if (mLoop && mAnimationDuration != 0)
  {
    // Restarted rather than ended: the end action never runs for a loop.
    SetAnimation(GetAnimationFunction(), mAnimationDuration);
  }
  else
  {
    IControl::OnAnimationEnd();
  }
  SetDirty(false);
}

} // namespace igfx
} // namespace ifx
