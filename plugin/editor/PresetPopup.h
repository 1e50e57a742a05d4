#pragma once
// The preset browser over the whole editor, opened and closed by the preset
// icon: the plug-in's presets in a list of twelve rows that scrolls with the
// wheel, and "Load", "Save" and "Select". A click on a row restores that
// preset and keeps the browser open; a double click restores it and closes.
//
// The presets are the plug-in's: the editor delegate taken as the plug-in
// base. Without one the list is empty and the buttons only show their
// dialogs or close.
#include "base/IString.h"
#include "plugin/editor/PopupPanel.h"

namespace ifx {
class IPluginBase;
}

namespace murkwisp {

class PresetNameControl;

class PresetPopup : public PopupPanel
{
public:
  static constexpr int kVisibleRows = 12;
  // Hover values past the rows.
  enum EHover
  {
    kHoverNone = -1,
    kHoverLoad = 100,
    kHoverSave = 101,
    kHoverSelect = 102,
  };

  PresetPopup(const ifx::igfx::IRECT& bounds, const ifx::igfx::IRgba& panelColor, const ifx::igfx::IRgba& textColor,
              const ifx::igfx::IRgba& accentColor);

  // Opens on preset selected, scrolled so that it is among the visible rows.
  void Open(int selected);

  void Draw(ifx::igfx::IGfx& g) override;
  void DrawButton(ifx::igfx::IGfx& g, const ifx::igfx::IRECT& r, const char* label, bool highlighted) const;
  void OnMouseDown(float x, float y, const ifx::igfx::IMouseModifiers& mod) override;
  void OnMouseDoubleClick(float x, float y, const ifx::igfx::IMouseModifiers& mod) override;
  void OnMouseOver(float x, float y, const ifx::igfx::IMouseModifiers& mod) override;
  void OnMouseWheel(float x, float y, const ifx::igfx::IMouseModifiers& mod, float delta) override;

  // The name control of the same editor, which shows a restored or loaded
  // preset's name (none: nothing shows it).
  void SetPresetNameControl(PresetNameControl* control) { mPresetName = control; }
  PresetNameControl* GetPresetNameControl() const { return mPresetName; }

  int GetSelected() const { return mSelected; }
  int GetFirstVisibleRow() const { return mFirstVisibleRow; }

  // The layout of the last frame (or of the opening, before the first
  // frame), which every hit test uses.
  const ifx::igfx::IRECT& GetPanelRECT() const { return mPanel; }
  const ifx::igfx::IRECT& GetListRECT() const { return mList; }
  int NRows() const { return mNRows; }
  const ifx::igfx::IRECT& GetRowRECT(int row) const { return mRows[row]; }
  int GetRowPreset(int row) const { return mRowPresets[row]; }
  const ifx::igfx::IRECT& GetLoadRECT() const { return mLoad; }
  const ifx::igfx::IRECT& GetSaveRECT() const { return mSave; }
  const ifx::igfx::IRECT& GetSelectRECT() const { return mSelect; }

private:
  ifx::IPluginBase* Plugin() const;
  int NPresets() const;
  // The first row at which the list's end fills the last visible row.
  int LastFirstRow() const;
  // Places the panel, the list, its rows (with the presets they show, from
  // the first visible row as a frame clamps it) and the buttons.
  void Layout();
  // The row under the point, or -1.
  int RowAt(float x, float y) const;
  void RestoreAndShow(int preset);
  void ShowCurrentPresetName(const ifx::IPluginBase& plugin);
  // The file dialog for action (0 open, 1 save); "" when cancelled.
  ifx::IString AskForPresetFile(int action);
  void LoadPresetFile();
  void SavePresetFile();

  int mSelected = 0;
  int mHover = kHoverNone;
  int mFirstVisibleRow = 0;
  ifx::igfx::IRECT mPanel;
  ifx::igfx::IRECT mList;
  ifx::igfx::IRECT mRows[kVisibleRows];
  int mRowPresets[kVisibleRows] = {};
  int mNRows = 0;
  ifx::igfx::IRECT mLoad;
  ifx::igfx::IRECT mSave;
  ifx::igfx::IRECT mSelect;
  // The folder of the last file chosen, where the next dialog opens.
  ifx::IString mFolder;
  PresetNameControl* mPresetName = nullptr;
};

} // namespace murkwisp
