#pragma once
// The preset browser over the whole editor, opened and closed by the preset
// icon on the current preset, scrolled so that it is among the first twelve
// rows. While closed its target rectangle is empty, so it takes no clicks.
//
// Only the open state, the rows it opens on and the preset name control it
// updates are kept so far: the list and its buttons come with the browser's
// own drawing. Until then an open browser shows as a plain panel that closes
// on any click, so it can never trap the editor.
#include "graphics/IControl.h"

class PresetNameControl;

class PresetPopup : public ifx::igfx::IControl
{
public:
  static constexpr int kVisibleRows = 12;

  PresetPopup(const ifx::igfx::IRECT& bounds, const ifx::igfx::IRgba& panelColor,
              const ifx::igfx::IRgba& textColor, const ifx::igfx::IRgba& accentColor);

  void Draw(ifx::igfx::IGfx& g) override;
  void OnMouseDown(float x, float y, const ifx::igfx::IMouseModifiers& mod) override;

  const ifx::igfx::IRgba& GetTextColor() const { return mTextColor; }
  const ifx::igfx::IRgba& GetAccentColor() const { return mAccentColor; }
  bool IsOpen() const { return mOpen; }
  // Opens on preset selected, scrolled to show it.
  void Open(int selected);
  void Close();
  int GetSelected() const { return mSelected; }
  int GetFirstVisibleRow() const { return mFirstVisibleRow; }

  // The name control of the same editor, which shows a restored preset's name.
  void SetPresetNameControl(PresetNameControl* control) { mPresetName = control; }
  PresetNameControl* GetPresetNameControl() const { return mPresetName; }

private:
  ifx::igfx::IRgba mPanelColor;
  ifx::igfx::IRgba mTextColor;
  ifx::igfx::IRgba mAccentColor;
  bool mOpen = false;
  int mSelected = 0;
  int mFirstVisibleRow = 0;
  PresetNameControl* mPresetName = nullptr;
};
