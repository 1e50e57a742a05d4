#include "plugin/editor/PresetPopup.h"

#include <algorithm>
#include <cmath>

#include "framework/IPluginBase.h"
#include "toolkit/IGfx.h"
#include "plugin/editor/EditorAnimation.h"
#include "plugin/editor/PresetNameControl.h"

namespace murkwisp {

using namespace ifx::igfx;

namespace {

constexpr float kPanelHalfWidth = 210.f;
constexpr float kRowHeight = 32.f;
constexpr float kButtonWidth = 100.f;
constexpr float kButtonHeight = 32.f;
constexpr IRgba kListColor{150, 10, 8, 15};
constexpr IRgba kButtonColor{220, 35, 30, 45};
constexpr int kFileOpen = 0;
constexpr int kFileSave = 1;
constexpr const char* kPresetExtension = "fxp";

} // namespace

PresetPopup::PresetPopup(const IRECT& bounds, const IRgba& panelColor, const IRgba& textColor, const IRgba& accentColor)
  : PopupPanel(bounds, panelColor, textColor, accentColor)
{
}

void PresetPopup::Open(int selected)
{
  OpenOverEditor();
  mSelected = selected;
  mFirstVisibleRow = std::max(0, selected - (kVisibleRows - 1));
  // A click that comes before the first frame meets what that frame shows.
  Layout();
}

ifx::IPluginBase* PresetPopup::Plugin() const { return dynamic_cast<ifx::IPluginBase*>(GetDelegate()); }

int PresetPopup::NPresets() const
{
  const ifx::IPluginBase* plugin = Plugin();
  return plugin ? plugin->NPresets() : 0;
}

int PresetPopup::LastFirstRow() const { return std::max(0, NPresets() - kVisibleRows); }

// -- Layout and drawing ----------------------------------------------------------------------

void PresetPopup::Layout()
{
  const int n = NPresets();
  const int visible = std::min(n, kVisibleRows);
  const float listHeight = kRowHeight * static_cast<float>(visible) + 10.f;
  const float panelHeight = listHeight + 175.f;
  const float cx = mRECT.MW(), cy = mRECT.MH();
  mPanel = IRECT(cx - kPanelHalfWidth, cy - panelHeight / 2.f, cx + kPanelHalfWidth, cy + panelHeight / 2.f);
  mList = IRECT(mPanel.L + 20.f, mPanel.T + 65.f, mPanel.R - 20.f, mPanel.T + 65.f + listHeight);

  const int first = std::clamp(mFirstVisibleRow, 0, LastFirstRow());
  mNRows = 0;
  for (int i = 0; i < visible && first + i < n; ++i)
  {
    const float top = mList.T + 5.f + kRowHeight * static_cast<float>(i);
    mRows[i] = IRECT(mList.L + 5.f, top, mList.R - 5.f, top + kRowHeight);
    mRowPresets[i] = first + i;
    mNRows = i + 1;
  }

  const float x0 = mPanel.MW() - 165.f, y0 = mList.B + 20.f;
  mLoad = IRECT(x0, y0, x0 + kButtonWidth, y0 + kButtonHeight);
  mSave = IRECT(x0 + 115.f, y0, x0 + 115.f + kButtonWidth, y0 + kButtonHeight);
  mSelect = IRECT(x0 + 230.f, y0, x0 + 230.f + kButtonWidth, y0 + kButtonHeight);
}

void PresetPopup::Draw(IGfx& g)
{
  if (!mOpen)
    return;
  AdvancePhase();
  mFirstVisibleRow = std::clamp(mFirstVisibleRow, 0, LastFirstRow());
  Layout();
  const IRECT& p = mPanel;
  const IRECT& q = mList;
  DrawPanel(g, p);

  g.DrawText(Text(28.f, mTextColor, kAlignCenter, kFontGipsyCurse), "Presets", IRECT(p.L, p.T + 12.f, p.R, p.T + 57.f));
  g.DrawLine(WithAlpha(mAccentColor, 127), p.L + 20.f, p.T + 55.f, p.R - 20.f, p.T + 55.f, nullptr, 1.f);
  g.FillRoundRect(kListColor, q, 6.f);
  g.DrawRoundRect(WithAlpha(mAccentColor, 76), q, 6.f, nullptr, 1.f);

  const ITextStyle nameStyle = Text(14.f, mTextColor, kAlignNear);
  const ITextStyle selectedStyle = Text(14.f, mAccentColor, kAlignNear);
  const ifx::IPluginBase* plugin = Plugin();
  for (int i = 0; i < mNRows; ++i)
  {
    const IRECT& row = mRows[i];
    const bool selected = mRowPresets[i] == mSelected;
    if (selected)
      g.FillRoundRect(WithAlpha(mAccentColor, 76), row, 4.f);
    else if (i == mHover)
      g.FillRoundRect(WithAlpha(mAccentColor, 38), row, 4.f);
    const char* name = plugin->GetPresetName(mRowPresets[i]);
    if (name[0])
      g.DrawText(selected ? selectedStyle : nameStyle, name, IRECT(row.L + 10.f, row.T, row.R - 10.f, row.B));
  }

  if (NPresets() > kVisibleRows)
  {
    const ITextStyle hint = Text(10.f, WithAlpha(mAccentColor, 153));
    if (mFirstVisibleRow > 0)
      g.DrawText(hint, "\xE2\x96\xB2 scroll up", IRECT(q.L, q.T - 15.f, q.R, q.T));
    if (mFirstVisibleRow < LastFirstRow())
      g.DrawText(hint, "\xE2\x96\xBC scroll down", IRECT(q.L, q.B, q.R, q.B + 15.f));
  }

  DrawButton(g, mLoad, "Load", mHover == kHoverLoad);
  DrawButton(g, mSave, "Save", mHover == kHoverSave);
  DrawButton(g, mSelect, "Select", mHover == kHoverSelect);

  g.DrawText(Text(11.f, WithAlpha(mTextColor, 102)), "Click outside to close | ESC to cancel",
             IRECT(p.L, p.B - 25.f, p.R, p.B - 5.f));
}

void PresetPopup::DrawButton(IGfx& g, const IRECT& r, const char* label, bool highlighted) const
{
  const float glow = (std::sin(3.f * mPhase) * 0.2f + 0.5f + (highlighted ? 0.3f : 0.f)) * 0.3f;
  g.FillRoundRect(WithAlpha(mAccentColor, ClampedAlpha(glow)), r.GetPadded(3.f), 8.f);
  g.FillRoundRect(kButtonColor, r, 6.f);
  g.DrawRoundRect(WithAlpha(mAccentColor, ClampedAlpha(highlighted ? 0.9f : 0.6f)), r, 6.f, nullptr, 1.5f);
  if (label && label[0])
    g.DrawText(Text(13.f, mTextColor), label, r);
}

// -- Input ---------------------------------------------------------------------------------------

int PresetPopup::RowAt(float x, float y) const
{
  for (int i = 0; i < mNRows; ++i)
  {
    if (mRows[i].Contains(x, y))
      return i;
  }
  return -1;
}

void PresetPopup::OnMouseOver(float x, float y, const IMouseModifiers& mod)
{
  if (!mOpen)
    return;
  mHover = RowAt(x, y);
  if (mHover < 0)
  {
    if (mLoad.Contains(x, y))
      mHover = kHoverLoad;
    else if (mSave.Contains(x, y))
      mHover = kHoverSave;
    else if (mSelect.Contains(x, y))
      mHover = kHoverSelect;
  }
  SetDirty(false, -1);
}

void PresetPopup::OnMouseDown(float x, float y, const IMouseModifiers& mod)
{
  if (!mOpen)
    return;
  if (!mPanel.Contains(x, y))
  {
    Dismiss();
    return;
  }
  const int row = RowAt(x, y);
  if (row >= 0)
  {
    mSelected = mRowPresets[row];
    RestoreAndShow(mSelected);
    SetDirty(true, -1);
  }
  else if (mLoad.Contains(x, y))
  {
    LoadPresetFile();
    SetDirty(true, -1);
  }
  else if (mSave.Contains(x, y))
  {
    SavePresetFile();
  }
  else if (mSelect.Contains(x, y))
  {
    RestoreAndShow(mSelected);
    Dismiss();
  }
}

void PresetPopup::OnMouseDoubleClick(float x, float y, const IMouseModifiers& mod)
{
  if (!mOpen)
    return;
  const int row = RowAt(x, y);
  if (row < 0)
    return;
  RestoreAndShow(mRowPresets[row]);
  Dismiss();
}

void PresetPopup::OnMouseWheel(float x, float y, const IMouseModifiers& mod, float delta)
{
  // Two rows per notch; a positive delta scrolls up. A delta that is no
  // number of notches at all moves nothing.
  if (!mOpen || !mList.Contains(x, y) || !std::isfinite(delta))
    return;
  const float rows = std::clamp(2.f * delta, -1e6f, 1e6f);
  mFirstVisibleRow = std::clamp(mFirstVisibleRow - static_cast<int>(rows), 0, LastFirstRow());
  SetDirty(true, -1);
}

// -- Presets and files -----------------------------------------------------------------------------

void PresetPopup::RestoreAndShow(int preset)
{
  if (ifx::IPluginBase* plugin = Plugin())
  {
    plugin->RestorePreset(preset);
    ShowCurrentPresetName(*plugin);
  }
}

void PresetPopup::ShowCurrentPresetName(const ifx::IPluginBase& plugin)
{
  if (mPresetName)
    mPresetName->ShowCurrentPreset(plugin);
}

ifx::IString PresetPopup::AskForPresetFile(int action)
{
  ifx::IString file;
  if (GetUI())
    GetUI()->AskForFile(file, mFolder, action, kPresetExtension);
  return file;
}

void PresetPopup::LoadPresetFile()
{
  const ifx::IString file = AskForPresetFile(kFileOpen);
  ifx::IPluginBase* plugin = Plugin();
  if (file.Empty() || !plugin)
    return;
  // A file the plug-in refuses changes nothing; the selection and the name
  // follow the current preset either way.
  plugin->LoadPresetFile(file.Get());
  mSelected = plugin->GetCurrentPresetIdx();
  ShowCurrentPresetName(*plugin);
}

void PresetPopup::SavePresetFile()
{
  const ifx::IString file = AskForPresetFile(kFileSave);
  ifx::IPluginBase* plugin = Plugin();
  if (!file.Empty() && plugin)
    plugin->SavePresetFile(file.Get());
}

} // namespace murkwisp
