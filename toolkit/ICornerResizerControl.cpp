#include "toolkit/ICornerResizerControl.h"

#include "toolkit/IGfx.h"

namespace ifx {
namespace igfx {

ICornerResizerControl::ICornerResizerControl(const IRECT& graphicsBounds, float cornerSize)
  : IControl(IRECT(graphicsBounds.R - cornerSize + 1.f, graphicsBounds.B - cornerSize + 1.f, graphicsBounds.R - 1.f,
                   graphicsBounds.B - 1.f),
             -1, nullptr)
  , mSize(cornerSize)
  , mInitialGraphicsBounds(graphicsBounds)
{
}

void ICornerResizerControl::Draw(IGfx& g)
{
  const IRgba& color = g.GetResizingInProcess() ? mDragColor : mMouseIsOver ? mMouseOverColor : mColor;
  g.FillTriangle(color, mRECT.L, mRECT.B, mRECT.R, mRECT.T, mRECT.R, mRECT.B);
}

void ICornerResizerControl::OnMouseDown(float x, float y, const IMouseModifiers& mod)
{
  if (mGraphics)
    mGraphics->StartLiveResize(x, y);
}

void ICornerResizerControl::OnMouseDoubleClick(float x, float y, const IMouseModifiers& mod)
{
  if (mGraphics)
    mGraphics->Resize(static_cast<int>(mInitialGraphicsBounds.W()), static_cast<int>(mInitialGraphicsBounds.H()), 1.f,
                      true);
}

// The corner keeps its size on screen whatever the draw scale.
void ICornerResizerControl::OnRescale()
{
  if (!mGraphics)
    return;
  const float s = mSize / mGraphics->GetDrawScale();
  const float w = static_cast<float>(mGraphics->Width()), h = static_cast<float>(mGraphics->Height());
  SetTargetAndDrawRECTs(IRECT(w - s, h - s, w, h));
  mMouseIsOver = false;
  OnResize();
}

void ICornerResizerControl::OnMouseOver(float x, float y, const IMouseModifiers& mod)
{
  if (!mMouseOver && mGraphics)
    mPrevCursorType = mGraphics->SetMouseCursor(kResizeCursor);
  mMouseOver = true;
  const bool wasOver = mMouseIsOver;
  mMouseIsOver = true;
  if (!wasOver)
    SetDirty(false);
}

void ICornerResizerControl::OnMouseOut()
{
  if (mMouseOver && mGraphics)
    mGraphics->SetMouseCursor(mPrevCursorType);
  mMouseOver = false;
  const bool wasOver = mMouseIsOver;
  mMouseIsOver = false;
  if (wasOver)
    SetDirty(false);
}

} // namespace igfx
} // namespace ifx
