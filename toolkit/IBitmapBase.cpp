#include "toolkit/IBitmapBase.h"

#include <algorithm>
#include <cmath>

#include "toolkit/IControl.h"
#include "toolkit/IGfx.h"

namespace ifx {
namespace igfx {

int IBitmapBase::FrameForValue(int nFrames, double value)
{
  if (nFrames < 2)
    return 1;
  const double frame = std::trunc((nFrames - 1) * value + 0.5) + 1.0;
  if (std::isnan(frame))
    return 1;
  return static_cast<int>(std::clamp(frame, 1.0, static_cast<double>(nFrames)));
}

void IBitmapBase::DrawBitmap(IGfx& g)
{
  // An empty bitmap (a missing image) has nothing to draw.
  if (!mBitmap.IsValid())
    return;
  const int n = mBitmap.N();
  const int w = mBitmap.W(), h = mBitmap.H();
  const bool sideBySide = mBitmap.GetFramesAreHorizontal();
  const int frame = FrameForValue(n, mControl->GetValue(0));

  const int fw = sideBySide ? w / n : w;
  const int fh = sideBySide ? h : h / n;
  const IRECT dest = mControl->GetRECT().GetCentredInside(static_cast<float>(fw), static_cast<float>(fh));

  int srcX = 0, srcY = 0;
  if (frame >= 2)
  {
    if (sideBySide)
      srcX = w * (frame - 1) / n;
    else
      srcY = h * (frame - 1) / n;
  }
  g.DrawBitmap(mBitmap, dest, srcX, srcY, mControl->GetBlendPtr());
}

} // namespace igfx
} // namespace ifx
