#pragma once
// The Fennow icon at the header's left: opens and closes the about panel,
// and wears a green badge while a newer version is known.
#include "plugin/editor/GlowingIconButton.h"

namespace murkwisp {

class AboutPopup;

class FennowIconButton : public GlowingIconButton
{
public:
  using GlowingIconButton::GlowingIconButton;

  void OnMouseDown(float x, float y, const ifx::igfx::IMouseModifiers& mod) override;
  void Draw(ifx::igfx::IGfx& g) override;

  // The about panel of the same editor (none: the click does nothing).
  void SetAboutPopup(AboutPopup* popup) { mPopup = popup; }

private:
  AboutPopup* mPopup = nullptr;
};

} // namespace murkwisp
