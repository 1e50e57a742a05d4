#pragma once
// The triangle in the editor's bottom-right corner. Pressing it puts the
// graphics into its live resize (IGfx resizes while the mouse drags); a
// double click returns the editor to the size it had when this was made.
#include "toolkit/IControl.h"

namespace ifx {
namespace igfx {

class ICornerResizerControl : public IControl
{
public:
  // The cursor kind of the diagonal (north-west to south-east) resize arrow.
  static constexpr int kResizeCursor = 5;

  // graphicsBounds: the editor's (0, 0, W, H); the control sits one unit in
  // from that corner until the graphics rescales it.
  ICornerResizerControl(const IRECT& graphicsBounds, float cornerSize = 20.f);

  void Draw(IGfx& g) override;
  void OnMouseDown(float x, float y, const IMouseModifiers& mod) override;
  void OnMouseDoubleClick(float x, float y, const IMouseModifiers& mod) override;
  void OnRescale() override;
  void OnMouseOver(float x, float y, const IMouseModifiers& mod) override;
  void OnMouseOut() override;

  const IRECT& GetInitialBounds() const { return mInitialGraphicsBounds; }

private:
  float mSize;
  bool mMouseOver = false; // this control changed the cursor
  int mPrevCursorType = 0;
  IRECT mInitialGraphicsBounds;
  IRgba mColor = kColorTranslucent;
  IRgba mMouseOverColor = kColorBlack;
  IRgba mDragColor = kColorBlack;
};

} // namespace igfx
} // namespace ifx
