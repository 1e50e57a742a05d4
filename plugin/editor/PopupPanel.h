#pragma once
// What the about and preset popups share: a panel over the whole editor that
// is open or closed, its three colours, the phase its glows breathe with, and
// Escape to close it. While closed it draws nothing, and its target rectangle
// is empty, so it takes no clicks.
#include "toolkit/IControl.h"
#include "plugin/editor/MurkwispStyles.h"

namespace murkwisp {

class PopupPanel : public ifx::igfx::IControl
{
public:
  static constexpr int kKeyEscape = 27;

  PopupPanel(const ifx::igfx::IRECT& bounds, const ifx::igfx::IRgba& panelColor, const ifx::igfx::IRgba& textColor,
             const ifx::igfx::IRgba& accentColor);

  bool IsOpen() const { return mOpen; }
  // Either way the pointer is no longer counted as over it.
  void Close();

  // Escape closes an open popup and is handled; other keys, and every key
  // while closed, go on to the editor.
  bool OnKeyDown(float x, float y, const ifx::igfx::IKeyEvent& key) override;

protected:
  // Takes clicks over the whole editor.
  void OpenOverEditor();
  // Closes and asks for a redraw, as every way of dismissing the popup does.
  void Dismiss();
  // One frame's step of the glows.
  void AdvancePhase();
  // The editor dimmed, then panel p with its two glows, border and shimmer.
  void DrawPanel(ifx::igfx::IGfx& g, const ifx::igfx::IRECT& p) const;
  // Text of the popups: angle 0, vertically centred.
  static ifx::igfx::ITextStyle Text(float size, const ifx::igfx::IRgba& color, int32_t align = ifx::igfx::kAlignCenter,
                                    const char* font = kFontRoboto);

  ifx::igfx::IRgba mPanelColor;
  ifx::igfx::IRgba mTextColor;
  ifx::igfx::IRgba mAccentColor;
  bool mOpen = false;
  float mPhase = 0.f;
};

} // namespace murkwisp
