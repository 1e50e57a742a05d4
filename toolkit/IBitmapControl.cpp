#include "toolkit/IBitmapControl.h"

#include <cmath>

#include "toolkit/IGfx.h"

namespace ifx {
namespace igfx {

IBitmapControl::IBitmapControl(const IRECT& bounds, const IBitmapRef& bitmap)
  : IControl(bounds), IBitmapBase(this, bitmap)
{
}

void IBitmapControl::OnRescale()
{
  if (!mGraphics)
    return;
  const int targetScale = static_cast<int>(std::ceil(mGraphics->GetScreenScale()));
  mBitmap = mGraphics->LoadBitmap(mBitmap.GetName(), mBitmap.N(), mBitmap.GetFramesAreHorizontal(), targetScale);
}

} // namespace igfx
} // namespace ifx
