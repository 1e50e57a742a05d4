#pragma once
// A control drawn by a function the layout supplies, with an optional looping
// animation and the last pointer data kept for the draw function to read.
#include <functional>

#include "toolkit/IControl.h"

namespace ifx {
namespace igfx {

class ILambdaControl;

// Draws the control into its rectangle; must not allocate (it runs every frame).
using IDrawCallback = std::function<void(ILambdaControl* control, IGfx& g, IRECT& rect)>;

class ILambdaControl : public IControl
{
public:
  // Ignores the mouse and takes a double click as a click. With
  // startImmediately the animation starts at once; with loop and a non-zero
  // duration it then runs for as long as the control exists.
  ILambdaControl(const IRECT& bounds, IDrawCallback drawFunc, int animationDuration = 0, bool loop = false,
                 bool startImmediately = false);

  void Draw(IGfx& g) override;
  void OnMouseDown(float x, float y, const IMouseModifiers& mod) override;
  void OnMouseUp(float x, float y, const IMouseModifiers& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseModifiers& mod) override;
  void OnAnimationEnd() override;

  float GetLastMouseX() const { return mLastX; }
  float GetLastMouseY() const { return mLastY; }
  float GetLastDX() const { return mLastDX; }
  float GetLastDY() const { return mLastDY; }
  const IMouseModifiers& GetLastMouseModifiers() const { return mLastMods; }
  bool GetLoop() const { return mLoop; }
  int GetAnimationDurationMs() const { return mAnimationDuration; }

private:
  float mLastX = 0.f;
  float mLastY = 0.f;
  float mLastDX = 0.f;
  float mLastDY = 0.f;
  IMouseModifiers mLastMods;
  IDrawCallback mDrawFunc;
  bool mLoop;
  int mAnimationDuration;
};

} // namespace igfx
} // namespace ifx
