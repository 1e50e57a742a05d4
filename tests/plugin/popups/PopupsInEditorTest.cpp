// The preset browsers of two editors at once, opened by their icons: each
// reaches only its own editor's controls, also once the other has closed.
#include <gtest/gtest.h>

#include "plugin/editor/EditorHarness.h"
#include "plugin/editor/PresetNameControl.h"
#include "plugin/editor/PresetPopup.h"

using namespace murkwisp_test;

namespace {

constexpr float kPresetIconX = 1170.f, kIconY = 28.f;

// The middle of the row that shows preset.
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

TEST(PopupsInEditor, EachBrowserReachesOnlyItsOwnEditorsControls)
{
  EditorHarness a, b;
  a.Open();
  b.Open();
  b.plugin->RestorePreset(1);
  const std::string bName = HeaderName(b);

  a.Click(kPresetIconX, kIconY);
  auto* aPopup = a.Find<PresetPopup>();
  a.Click(600.f, RowY(*aPopup, 6));
  EXPECT_STREQ(HeaderName(a), a.plugin->GetPresetName(6));
  EXPECT_EQ(HeaderName(b), bName);
  EXPECT_EQ(b.plugin->GetCurrentPresetIdx(), 1);
  EXPECT_FALSE(b.Find<PresetPopup>()->IsOpen());

  // The first editor goes (its controls with it); the second's browser
  // still shows its own restores in its own header.
  a.Close();
  b.Click(kPresetIconX, kIconY);
  auto* bPopup = b.Find<PresetPopup>();
  EXPECT_EQ(bPopup->GetSelected(), 1);
  const float y = RowY(*bPopup, 8);
  b.Click(600.f, y);
  b.Gfx().OnMouseDblClick(600.f, y, ifx::igfx::IMouseModifiers(true));
  EXPECT_FALSE(bPopup->IsOpen());
  EXPECT_EQ(b.plugin->GetCurrentPresetIdx(), 8);
  EXPECT_STREQ(HeaderName(b), b.plugin->GetPresetName(8));
  EXPECT_EQ(a.plugin->GetCurrentPresetIdx(), 6);
}
