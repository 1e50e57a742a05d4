#pragma once
// The about panel over the whole editor, opened and closed by the Fennow
// icon. While closed its target rectangle is empty, so it takes no clicks.
//
// Only the open state and its colours are kept so far: its pages come with
// the panel's own drawing. Until then an open panel shows as a plain panel
// that closes on any click, so it can never trap the editor.
#include "graphics/IControl.h"

class AboutPopup : public ifx::igfx::IControl
{
public:
  AboutPopup(const ifx::igfx::IRECT& bounds, const ifx::igfx::IRgba& panelColor, const ifx::igfx::IRgba& textColor,
             const ifx::igfx::IRgba& accentColor);

  void Draw(ifx::igfx::IGfx& g) override;
  void OnMouseDown(float x, float y, const ifx::igfx::IMouseModifiers& mod) override;

  const ifx::igfx::IRgba& GetTextColor() const { return mTextColor; }
  const ifx::igfx::IRgba& GetAccentColor() const { return mAccentColor; }
  bool IsOpen() const { return mOpen; }
  // Open: takes clicks over its whole rectangle; closed: none. Either way
  // the pointer is no longer counted as over it.
  void SetOpen(bool open);

private:
  ifx::igfx::IRgba mPanelColor;
  ifx::igfx::IRgba mTextColor;
  ifx::igfx::IRgba mAccentColor;
  bool mOpen = false;
};
