// The popups in the plug-in's own editor, opened by its icons: the preset
// browser restores into the header's name, and each editor's popups reach
// only that editor's controls, whatever other editors are open or closed.
#include <gtest/gtest.h>

#include "editor/EditorHarness.h"
#include "plugin/editor/AboutPopup.h"
#include "plugin/editor/PresetNameControl.h"
#include "plugin/editor/PresetPopup.h"

using namespace murkwisp_test;

namespace {

constexpr float kPresetIconX = 1170.f, kAboutIconX = 30.f, kIconY = 28.f;

// The middle of the row that shows preset, in the browser's last frame.
float RowY(const PresetPopup& popup, int preset)
{
  for (int i = 0; i < popup.NRows(); ++i)
    if (popup.GetRowPreset(i) == preset)
      return popup.GetRowRECT(i).MH();
  ADD_FAILURE() << "preset " << preset << " is not shown";
  return -1.f;
}

const char* HeaderName(const EditorHarness& ed)
{
  return ed.Find<PresetNameControl>()->GetString();
}

} // namespace

TEST(PopupsInEditor, BrowserOpenedByItsIconRestoresIntoTheHeaderAndClosesOnEscape)
{
  EditorHarness ed;
  ed.Open();
  auto* popup = ed.Find<PresetPopup>();
  ed.Click(kPresetIconX, kIconY);
  ASSERT_TRUE(popup->IsOpen());
  ed.Frame();
  EXPECT_EQ(popup->NRows(), 10);
  EXPECT_FLOAT_EQ(popup->GetPanelRECT().H(), 505.f);

  ed.Click(600.f, RowY(*popup, 3));
  EXPECT_EQ(ed.plugin->GetCurrentPresetIdx(), 3);
  EXPECT_STREQ(HeaderName(ed), ed.plugin->GetPresetName(3));
  EXPECT_TRUE(popup->IsOpen());

  ifx::igfx::IKeyEvent escape;
  escape.VK = PopupPanel::kKeyEscape;
  EXPECT_TRUE(ed.Gfx().OnKeyDown(600.f, 400.f, escape));
  EXPECT_FALSE(popup->IsOpen());
  // Closed again, clicks reach the controls below.
  ed.Click(kPresetIconX, kIconY);
  EXPECT_TRUE(popup->IsOpen());
}

TEST(PopupsInEditor, EachEditorsPopupsReachOnlyItsOwnControls)
{
  EditorHarness a, b;
  a.Open();
  b.Open();
  b.plugin->RestorePreset(1);
  const std::string bName = HeaderName(b);

  a.Click(kPresetIconX, kIconY);
  a.Frame();
  auto* aPopup = a.Find<PresetPopup>();
  a.Click(600.f, RowY(*aPopup, 6));
  EXPECT_STREQ(HeaderName(a), a.plugin->GetPresetName(6));
  EXPECT_EQ(HeaderName(b), bName);
  EXPECT_EQ(b.plugin->GetCurrentPresetIdx(), 1);
  EXPECT_FALSE(b.Find<PresetPopup>()->IsOpen());
  EXPECT_FALSE(b.Find<AboutPopup>()->IsOpen());

  // The first editor goes (its controls with it); the second's browser
  // still shows its own restores in its own header.
  a.Close();
  b.Click(kPresetIconX, kIconY);
  b.Frame();
  auto* bPopup = b.Find<PresetPopup>();
  EXPECT_EQ(bPopup->GetSelected(), 1);
  const float y = RowY(*bPopup, 8);
  b.Click(600.f, y);
  b.Gfx().OnMouseDblClick(600.f, y, ifx::igfx::IMouseModifiers(true));
  EXPECT_FALSE(bPopup->IsOpen());
  EXPECT_EQ(b.plugin->GetCurrentPresetIdx(), 8);
  EXPECT_STREQ(HeaderName(b), b.plugin->GetPresetName(8));
  EXPECT_EQ(a.plugin->GetCurrentPresetIdx(), 6);

  b.Click(kAboutIconX, kIconY);
  EXPECT_TRUE(b.Find<AboutPopup>()->IsOpen());
}
