#pragma once
// Shows the frame of a multi-frame bitmap that its value selects.
#include "toolkit/IBitmapBase.h"
#include "toolkit/IControl.h"

namespace ifx {
namespace igfx {

class IBitmapControl
  : public IControl
  , public IBitmapBase
{
public:
  IBitmapControl(const IRECT& bounds, const IBitmapRef& bitmap);

  void Draw(IGfx& g) override { DrawBitmap(g); }
  // Loads the bitmap again for the screen's scale, rounded up to a whole one.
  void OnRescale() override;
};

} // namespace igfx
} // namespace ifx
