#pragma once
// The bitmap half of a bitmap control: one frame of a multi-frame bitmap,
// chosen by the control's first value and centred in its rectangle.
#include "toolkit/IGfxResources.h"

namespace ifx {
namespace igfx {

class IControl;
class IGfx;

class IBitmapBase
{
public:
  // control is the control this is mixed into; it must outlive this part.
  IBitmapBase(IControl* control, const IBitmapRef& bitmap) : mBitmap(bitmap), mControl(control) {}
  virtual ~IBitmapBase() = default;

  IBitmapBase(const IBitmapBase&) = delete;
  IBitmapBase& operator=(const IBitmapBase&) = delete;

  void DrawBitmap(IGfx& g);
  const IBitmapRef& GetBitmap() const { return mBitmap; }

  // Frame 1..n for a value: the nearest of n evenly spaced frames, values
  // outside [0, 1] (and NaN) giving the first or last.
  static int FrameForValue(int nFrames, double value);

protected:
  IBitmapRef mBitmap;
  IControl* mControl;
};

} // namespace igfx
} // namespace ifx
