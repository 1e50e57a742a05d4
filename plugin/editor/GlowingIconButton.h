#pragma once
// An icon in the editor's header with a breathing glow behind it. The glow
// and the badges draw whether or not the icon's image was found.
#include "toolkit/IBitmapControl.h"

namespace murkwisp {

class GlowingIconButton : public ifx::igfx::IBitmapControl
{
public:
  GlowingIconButton(const ifx::igfx::IRECT& bounds, const ifx::igfx::IBitmapRef& bitmap);

  // Mouse-over reaches these only where the graphics delivers it.
  void OnMouseOver(float x, float y, const ifx::igfx::IMouseModifiers& mod) override;
  void OnMouseOut() override;

protected:
  // Advances the glow by one frame, then draws it and the icon (a little
  // larger while hovered).
  void DrawGlowAndIcon(ifx::igfx::IGfx& g);

  bool mHover = false;
  float mPhase = 0.f;
};

} // namespace murkwisp
