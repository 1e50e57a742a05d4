// The preset browser over the recording graphics object with a scripted file
// dialog: its list and layout, selection, scrolling, and preset files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>

#include "support/RecordingDelegate.h"
#include "PopupHarness.h"

using namespace murkwisp;

using namespace popuptest;
using ifx::testkit::GfxOp;

namespace {

const char* const kUp = "\xE2\x96\xB2 scroll up";
const char* const kDown = "\xE2\x96\xBC scroll down";

class PresetPopupTest : public ::testing::Test
{
protected:
  explicit PresetPopupTest(int nPresets = 20) : h(nPresets), plugin(h.dlg), popup(*h.presets) {}

  // Draws a frame and returns the preset names it shows, in order.
  std::vector<std::string> Rows()
  {
    h.Frame(&popup);
    std::vector<std::string> rows;
    for (const GfxOp& op : h.gfx.OfKind(GfxOp::kRenderText))
      if (op.text.rfind("Preset ", 0) == 0)
        rows.push_back(op.text);
    return rows;
  }
  std::vector<std::string> OpenOn(int preset)
  {
    popup.Open(preset);
    return Rows();
  }
  static std::vector<std::string> Names(int first, int last)
  {
    std::vector<std::string> names;
    for (int i = first; i <= last; ++i)
      names.push_back("Preset " + std::to_string(i));
    return names;
  }
  // The row that shows preset.
  IRECT Row(int preset) const
  {
    for (int i = 0; i < popup.NRows(); ++i)
      if (popup.GetRowPreset(i) == preset)
        return popup.GetRowRECT(i);
    ADD_FAILURE() << "preset " << preset << " is not shown";
    return IRECT();
  }
  // The colour each shown name is drawn in: the accent for the selected one only.
  void ExpectOnlySelectedInAccent(const std::string& selected)
  {
    for (const GfxOp& op : h.gfx.OfKind(GfxOp::kRenderText))
    {
      if (op.text.rfind("Preset ", 0) == 0)
      {
        EXPECT_EQ(op.pattern.stops[0].color, op.text == selected ? kAccent : kText) << op.text;
      }
    }
  }

  PopupHarness<PresetsPlugin> h;
  PresetsPlugin& plugin;
  PresetPopup& popup;
};

class TenPresets : public PresetPopupTest
{
protected:
  TenPresets() : PresetPopupTest(10) {}
};

} // namespace

TEST_F(TenPresets, ListShowsEveryPresetWithoutScrollingInAPanel505High)
{
  EXPECT_EQ(OpenOn(3), Names(0, 9));
  EXPECT_EQ(popup.GetPanelRECT(), IRECT(390.f, 147.5f, 810.f, 652.5f));
  EXPECT_EQ(popup.GetListRECT(), IRECT(410.f, 212.5f, 790.f, 542.5f));
  EXPECT_EQ(popup.GetRowRECT(9), IRECT(415.f, 505.5f, 785.f, 537.5f));
  EXPECT_EQ(popup.GetLoadRECT(), IRECT(435.f, 562.5f, 535.f, 594.5f));
  EXPECT_EQ(popup.GetSaveRECT(), IRECT(550.f, 562.5f, 650.f, 594.5f));
  EXPECT_EQ(popup.GetSelectRECT(), IRECT(665.f, 562.5f, 765.f, 594.5f));
  ExpectOnlySelectedInAccent("Preset 3");
  for (const char* text : {"Presets", "Load", "Save", "Select", "Click outside to close | ESC to cancel"})
    EXPECT_TRUE(h.Drew(text)) << text;
  EXPECT_FALSE(h.Drew(kUp) || h.Drew(kDown));
}

TEST_F(PresetPopupTest, TwentyPresetsScrollTwoRowsPerNotchBetweenFirstRowsZeroAndEight)
{
  EXPECT_EQ(OpenOn(15), Names(4, 15));
  EXPECT_TRUE(h.Drew(kUp) && h.Drew(kDown));
  const IRECT list = popup.GetListRECT();
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  struct Step { float x, y, delta; int first; };
  const Step steps[] = {
    {list.MW(), list.MH(), 1.f, 2},  {list.MW(), list.T - 1.f, 1.f, 2},  // only over the list
    {list.MW(), list.MH(), 1.5f, 0}, {list.L, list.T, -2.f, 4},          // int(3) rows up, clamped
    {list.MW(), list.MH(), -3.f, 8}, {list.MW(), list.MH(), -1.f, 8},
    {list.MW(), list.MH(), 0.4f, 8}, {list.MW(), list.MH(), nan, 8},     // less than a row, or no number
    {list.MW(), list.MH(), inf, 8},
  };
  for (const Step& s : steps)
  {
    h.gfx.OnMouseWheel(s.x, s.y, IMouseModifiers(), s.delta);
    EXPECT_EQ(Rows(), Names(s.first, s.first + 11)) << s.delta;
    EXPECT_EQ(h.Drew(kUp), s.first > 0) << s.delta;
    EXPECT_EQ(h.Drew(kDown), s.first < 8) << s.delta;
  }
  EXPECT_EQ(OpenOn(19), Names(8, 19));
}

TEST_F(PresetPopupTest, ClickRestoresAndStaysOpenDoubleClickRestoresAndCloses)
{
  OpenOn(15);
  h.Click(Row(6));
  EXPECT_TRUE(popup.IsOpen());
  EXPECT_EQ(popup.GetSelected(), 6);
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 6);
  EXPECT_DOUBLE_EQ(plugin.Haunt(), PresetsPlugin::HauntOf(6));
  EXPECT_STREQ(h.presetName->GetString(), "Preset 6");
  const int told = plugin.hostTold, restored = plugin.presetsRestored;
  Rows();
  ExpectOnlySelectedInAccent("Preset 6");

  // The double click's first click restores too; the double click closes.
  h.DoubleClick(Row(9).MW(), Row(9).MH());
  EXPECT_FALSE(popup.IsOpen());
  EXPECT_TRUE(popup.GetTargetRECT().Empty());
  EXPECT_DOUBLE_EQ(plugin.Haunt(), PresetsPlugin::HauntOf(9));
  EXPECT_STREQ(h.presetName->GetString(), "Preset 9");
  EXPECT_EQ(plugin.hostTold, told + 2);
  EXPECT_EQ(plugin.presetsRestored, restored + 2);

  // "Select" restores the selection, wherever the sound has gone since; a
  // click before the first frame meets the layout that frame will show.
  popup.Open(12);
  plugin.GetParam(basetest::kHaunt)->Set(99.);
  h.Click(popup.GetSelectRECT());
  EXPECT_FALSE(popup.IsOpen());
  EXPECT_DOUBLE_EQ(plugin.Haunt(), PresetsPlugin::HauntOf(12));
  EXPECT_STREQ(h.presetName->GetString(), "Preset 12");

  // A preset without a name shows an empty row, still restores, and the
  // header shows "Default".
  plugin.ClearName(5);
  const auto rows = OpenOn(11);
  EXPECT_EQ(popup.NRows(), 12);
  EXPECT_EQ(std::count(rows.begin(), rows.end(), "Preset 5"), 0);
  h.Click(Row(5));
  EXPECT_DOUBLE_EQ(plugin.Haunt(), PresetsPlugin::HauntOf(5));
  EXPECT_STREQ(h.presetName->GetString(), "Default");
}

TEST_F(PresetPopupTest, ClosesOnlyOutsideThePanelOrOnEscapeAndLetsEverythingThroughWhenClosed)
{
  OpenOn(15);
  const IRECT p = popup.GetPanelRECT();
  // Title, gap between rows and buttons, footer, gap between two buttons.
  for (const auto& at : {std::pair<float, float>{p.MW(), p.T + 30.f}, {p.L, popup.GetLoadRECT().T - 5.f},
                          {p.MW(), p.B - 1.f}, {popup.GetLoadRECT().R + 7.f, popup.GetLoadRECT().MH()}})
    h.DoubleClick(at.first, at.second);
  EXPECT_TRUE(popup.IsOpen());
  EXPECT_EQ(plugin.hostTold, 0);
  EXPECT_TRUE(h.gfx.filePrompts.empty());

  // One unit outside each edge (the right and bottom edges are out).
  for (const auto& at : {std::pair<float, float>{p.L - 1.f, p.MH()}, {p.R, p.MH()}, {p.MW(), p.T - 1.f},
                          {p.MW(), p.B}})
  {
    OpenOn(15);
    h.Click(at.first, at.second);
    EXPECT_FALSE(popup.IsOpen()) << at.first << "," << at.second;
  }

  OpenOn(3);
  EXPECT_FALSE(h.Key('A'));
  EXPECT_TRUE(h.Key(PopupPanel::kKeyEscape));
  EXPECT_FALSE(popup.IsOpen());
  EXPECT_EQ(h.beneath->keyDowns, 0);

  // Closed, it draws nothing and every event goes to the editor below.
  h.Frame(&popup);
  EXPECT_TRUE(h.gfx.ops.empty());
  EXPECT_FALSE(h.Key(PopupPanel::kKeyEscape));
  h.DoubleClick(popup.GetRowRECT(0).MW(), popup.GetRowRECT(0).MH());
  h.gfx.OnMouseWheel(popup.GetRowRECT(0).MW(), popup.GetRowRECT(0).MH(), IMouseModifiers(), -1.f);
  EXPECT_EQ(h.beneath->keyDowns + h.beneath->mouseDowns + h.beneath->doubleClicks + h.beneath->wheels, 4);
  EXPECT_EQ(plugin.hostTold, 0);
}

TEST_F(PresetPopupTest, SaveThenLoadRoundTripsThePresetThroughTheFileDialog)
{
  TempFile file("popup round trip.fxp");
  ASSERT_TRUE(plugin.RestorePreset(7));
  plugin.GetParam(basetest::kHaunt)->Set(33.);
  OpenOn(7);
  h.gfx.fileChoice = file.path;
  popup.SetClean();
  h.Click(popup.GetSaveRECT());
  EXPECT_TRUE(file.Exists());
  EXPECT_FALSE(popup.IsDirty());  // saving changes nothing to show

  // Elsewhere meanwhile; the file brings the sound back under its name, into
  // the current slot, and the host hears of it.
  h.Click(Row(10));
  const int told = plugin.hostTold, modified = plugin.presetsModified;
  h.Click(popup.GetLoadRECT());
  EXPECT_NEAR(plugin.Haunt(), 33., 1e-4);
  EXPECT_EQ(popup.GetSelected(), 10);
  EXPECT_STREQ(plugin.GetPresetName(10), "Preset 7");
  EXPECT_STREQ(h.presetName->GetString(), "Preset 7");
  EXPECT_GT(plugin.hostTold, told);
  EXPECT_EQ(plugin.presetsModified, modified + 1);
  EXPECT_TRUE(popup.IsOpen() && popup.IsDirty());
  const auto rows = Rows();
  EXPECT_EQ(std::count(rows.begin(), rows.end(), "Preset 7"), 2);

  // Both dialogs asked for FXP files; the second opened where the first chose.
  ASSERT_EQ(h.gfx.filePrompts.size(), 2u);
  EXPECT_EQ(h.gfx.filePrompts[0].action, 1);
  EXPECT_EQ(h.gfx.filePrompts[1].action, 0);
  EXPECT_EQ(h.gfx.filePrompts[0].extensions + h.gfx.filePrompts[1].extensions, "fxpfxp");
  EXPECT_EQ(h.gfx.filePrompts[1].folder, ::testing::TempDir());
}

TEST_F(PresetPopupTest, CancelledOrRefusedFilesChangeNothing)
{
  TempFile file("not a preset.fxp");
  FILE* f = std::fopen(file.path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("CcnK but nothing a preset file holds, padded out to well past the header......", f);
  std::fclose(f);

  ASSERT_TRUE(plugin.RestorePreset(4));
  OpenOn(10);  // the browser's selection is not the current preset
  h.presetName->SetString("as before");
  const int told = plugin.hostTold, modified = plugin.presetsModified;
  // A refused file still brings the selection and the name to the current preset.
  struct Case { std::string choice; int selected; const char* name; };
  for (const Case& c : {Case{"", 10, "as before"}, Case{file.path, 4, "Preset 4"}})
  {
    h.gfx.fileChoice = c.choice;
    popup.SetClean();
    h.Click(popup.GetLoadRECT());
    EXPECT_EQ(popup.GetSelected(), c.selected) << c.choice;
    EXPECT_STREQ(h.presetName->GetString(), c.name) << c.choice;
    EXPECT_TRUE(popup.IsDirty()) << c.choice;  // redrawn even when cancelled
    EXPECT_EQ(plugin.hostTold + plugin.presetsModified, told + modified) << c.choice;
    EXPECT_STREQ(plugin.GetPresetName(4), "Preset 4") << c.choice;
    EXPECT_DOUBLE_EQ(plugin.Haunt(), PresetsPlugin::HauntOf(4)) << c.choice;
  }
  TempFile unwritten("never written.fxp");
  h.gfx.fileChoice = "";
  h.Click(popup.GetSaveRECT());
  EXPECT_FALSE(unwritten.Exists());
}

TEST(PresetPopupWithoutPlugin, ListIsEmptyAndTheButtonsOnlyAskOrClose)
{
  PopupHarness<ifx::testkit::RecordingDelegate> h;
  PresetPopup& popup = *h.presets;
  popup.Open(0);
  h.Frame(&popup);
  EXPECT_EQ(popup.NRows(), 0);
  EXPECT_FLOAT_EQ(popup.GetPanelRECT().H(), 185.f);
  TempFile file("without plugin.fxp");
  h.gfx.fileChoice = file.path;
  h.Click(popup.GetSaveRECT());
  h.Click(popup.GetLoadRECT());
  EXPECT_EQ(h.gfx.filePrompts.size(), 2u);
  EXPECT_FALSE(file.Exists());
  h.Click(popup.GetSelectRECT());
  EXPECT_FALSE(popup.IsOpen());
}
