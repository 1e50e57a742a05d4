#pragma once
// A text control that shows a parameter's display text with its unit, and
// prompts for a new value when clicked. Enumerated parameters get a small
// triangle that marks the value as a menu.
#include "toolkit/ITextControl.h"

namespace ifx {
namespace igfx {

class ICaptionControl : public ITextControl
{
public:
  ICaptionControl(const IRECT& bounds, int paramIdx, const ITextStyle& style = kDefaultText);

  void OnMouseDown(float x, float y, const IMouseModifiers& mod) override;
  void OnResize() override;
  void Draw(IGfx& g) override;

  const IRECT& GetTriangleRECT() const { return mTriangleRect; }
  bool GetShowParamLabel() const { return mShowParamLabel; }

protected:
  bool mShowParamLabel = true;
  IRgba mTriangleColor = kColorBlack;
  IRgba mTriangleMouseOverColor = kColorWhite;
  IRECT mTriangleRect;
};

} // namespace igfx
} // namespace ifx
