// The preset browser over the recording graphics object with a scripted file
// dialog: its list and layout, selection, scrolling, and preset files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>

#include "support/RecordingDelegate.h"
#include "PopupHarness.h"

using namespace popuptest;
using ifx::testkit::GfxOp;

namespace {

class PresetPopupTest : public ::testing::Test
{
protected:
  explicit PresetPopupTest(int nPresets = 20) : h(nPresets), plugin(h.dlg), popup(*h.presets) {}

  // Opens on preset, draws a frame, and returns the row texts drawn.
  std::vector<std::string> OpenOn(int preset)
  {
    popup.Open(preset);
    return Rows();
  }
  std::vector<std::string> Rows()
  {
    h.Frame(&popup);
    std::vector<std::string> rows;
    for (const GfxOp& op : h.Texts())
      if (op.text.rfind("Preset ", 0) == 0)
        rows.push_back(op.text);
    return rows;
  }
  static std::vector<std::string> Names(int first, int last)
  {
    std::vector<std::string> names;
    for (int i = first; i <= last; ++i)
      names.push_back("Preset " + std::to_string(i));
    return names;
  }
  float RowX() const { return popup.GetRowRECT(0).MW(); }
  // The middle of the drawn row that shows preset.
  float RowY(int preset) const
  {
    for (int i = 0; i < popup.NRows(); ++i)
      if (popup.GetRowPreset(i) == preset)
        return popup.GetRowRECT(i).MH();
    ADD_FAILURE() << "preset " << preset << " is not shown";
    return -1.f;
  }
  double Haunt() const { return plugin.GetParam(basetest::kHaunt)->Value(); }

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
  ASSERT_EQ(popup.NRows(), 10);
  EXPECT_EQ(popup.GetRowRECT(9), IRECT(415.f, 505.5f, 785.f, 537.5f));
  EXPECT_EQ(popup.GetLoadRECT(), IRECT(435.f, 562.5f, 535.f, 594.5f));
  EXPECT_EQ(popup.GetSaveRECT(), IRECT(550.f, 562.5f, 650.f, 594.5f));
  EXPECT_EQ(popup.GetSelectRECT(), IRECT(665.f, 562.5f, 765.f, 594.5f));

  // Names sit in their rows narrowed by 10; the selected one in the accent.
  for (const GfxOp& op : h.Texts())
  {
    if (op.text == "Preset 3")
    {
      EXPECT_EQ(op.rect, IRECT(425.f, 313.5f, 775.f, 345.5f));
    }
    if (op.text.rfind("Preset ", 0) == 0)
    {
      EXPECT_EQ(op.pattern.stops[0].color, op.text == "Preset 3" ? kAccent : kText) << op.text;
    }
  }
  for (const char* text : {"Presets", "Load", "Save", "Select", "Click outside to close | ESC to cancel"})
    EXPECT_TRUE(h.Drew(text)) << text;
  EXPECT_FALSE(h.Drew("\xE2\x96\xB2 scroll up"));
  EXPECT_FALSE(h.Drew("\xE2\x96\xBC scroll down"));
}

TEST_F(PresetPopupTest, TwentyPresetsScrollTwoRowsPerNotchBetweenFirstRowsZeroAndEight)
{
  EXPECT_EQ(OpenOn(15), Names(4, 15));
  EXPECT_EQ(popup.GetFirstVisibleRow(), 4);
  EXPECT_EQ(popup.GetPanelRECT(), IRECT(390.f, 115.5f, 810.f, 684.5f));
  EXPECT_TRUE(h.Drew("\xE2\x96\xB2 scroll up"));
  EXPECT_TRUE(h.Drew("\xE2\x96\xBC scroll down"));

  const IRECT list = popup.GetListRECT();
  struct Step { float x, y, delta; int first; bool up, down; };
  const Step steps[] = {
    {list.MW(), list.MH(), 1.f, 2, true, true},
    {list.MW(), list.T - 1.f, 1.f, 2, true, true},    // above the list: no scroll
    {list.MW(), list.MH(), 1.5f, 0, false, true},     // int(3): three rows, clamped at 0
    {list.MW(), list.MH(), 1.f, 0, false, true},
    {list.L, list.T, -2.f, 4, true, true},            // the list's top-left corner is in it
    {list.MW(), list.MH(), -3.f, 8, true, false},
    {list.MW(), list.MH(), -1.f, 8, true, false},
    {list.MW(), list.MH(), 0.4f, 8, true, false},     // less than a row moves nothing
    {list.MW(), list.MH(), std::numeric_limits<float>::quiet_NaN(), 8, true, false},
    {list.MW(), list.MH(), std::numeric_limits<float>::infinity(), 8, true, false},
  };
  for (const Step& s : steps)
  {
    h.Wheel(s.x, s.y, s.delta);
    EXPECT_EQ(popup.GetFirstVisibleRow(), s.first) << s.delta;
    EXPECT_EQ(Rows(), Names(s.first, s.first + 11)) << s.delta;
    EXPECT_EQ(h.Drew("\xE2\x96\xB2 scroll up"), s.up) << s.delta;
    EXPECT_EQ(h.Drew("\xE2\x96\xBC scroll down"), s.down) << s.delta;
  }

  // Opening again scrolls to the preset asked for, near the top as far as it goes.
  popup.Close();
  EXPECT_EQ(OpenOn(2), Names(0, 11));
  EXPECT_EQ(OpenOn(19), Names(8, 19));
}

TEST_F(PresetPopupTest, ClickRestoresAndStaysOpenDoubleClickRestoresAndCloses)
{
  OpenOn(15);
  const int toldBefore = plugin.statesRestored, presetsBefore = plugin.presetsRestored;
  h.Click(RowX(), RowY(6));
  EXPECT_TRUE(popup.IsOpen());
  EXPECT_EQ(popup.GetSelected(), 6);
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 6);
  EXPECT_DOUBLE_EQ(Haunt(), PresetsPlugin::HauntOf(6));
  EXPECT_EQ(plugin.statesRestored, toldBefore + 1);
  EXPECT_EQ(plugin.presetsRestored, presetsBefore + 1);
  EXPECT_STREQ(h.presetName->GetString(), "Preset 6");
  Rows();
  for (const GfxOp& op : h.Texts())
  {
    if (op.text.rfind("Preset ", 0) == 0)
    {
      EXPECT_EQ(op.pattern.stops[0].color, op.text == "Preset 6" ? kAccent : kText) << op.text;
    }
  }

  // The double click's first click restores too; the double click closes.
  h.DoubleClick(RowX(), RowY(9));
  EXPECT_FALSE(popup.IsOpen());
  EXPECT_TRUE(popup.GetTargetRECT().Empty());
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 9);
  EXPECT_DOUBLE_EQ(Haunt(), PresetsPlugin::HauntOf(9));
  EXPECT_EQ(plugin.statesRestored, toldBefore + 3);
  EXPECT_STREQ(h.presetName->GetString(), "Preset 9");

  // "Select" restores the highlighted preset, wherever the sound has gone
  // since; a click before the first frame meets the layout it will show.
  popup.Open(12);
  plugin.GetParam(basetest::kHaunt)->Set(99.);
  h.Click(popup.GetSelectRECT().MW(), popup.GetSelectRECT().MH());
  EXPECT_FALSE(popup.IsOpen());
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 12);
  EXPECT_DOUBLE_EQ(Haunt(), PresetsPlugin::HauntOf(12));
  EXPECT_STREQ(h.presetName->GetString(), "Preset 12");
}

TEST_F(PresetPopupTest, PresetsWithoutANameShowAnEmptyRowThatStillRestoresAndDefaultInTheHeader)
{
  plugin.ClearName(5);
  const std::vector<std::string> rows = OpenOn(11);
  EXPECT_EQ(popup.NRows(), 12);
  EXPECT_EQ(rows.size(), 11u);
  EXPECT_EQ(std::count(rows.begin(), rows.end(), "Preset 5"), 0);
  h.Click(RowX(), RowY(5));
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 5);
  EXPECT_DOUBLE_EQ(Haunt(), PresetsPlugin::HauntOf(5));
  EXPECT_STREQ(h.presetName->GetString(), "Default");
}

TEST_F(PresetPopupTest, ClosesOnlyOutsideThePanelOrOnEscapeAndTakesNothingWhileClosed)
{
  OpenOn(15);
  const IRECT p = popup.GetPanelRECT();
  const int restored = plugin.statesRestored;
  // Inside the panel on nothing: title, gaps between rows and buttons, footer.
  for (float y : {p.T + 1.f, p.T + 30.f, popup.GetLoadRECT().T - 5.f, p.B - 1.f})
  {
    h.Click(p.MW(), y);
    h.DoubleClick(p.L + 2.f, y);
    EXPECT_TRUE(popup.IsOpen()) << y;
  }
  h.Click(popup.GetLoadRECT().R + 7.f, popup.GetLoadRECT().MH());
  EXPECT_TRUE(popup.IsOpen());
  EXPECT_EQ(plugin.statesRestored, restored);
  EXPECT_TRUE(h.gfx.filePrompts.empty());

  // One unit outside each edge closes it (the right and bottom edges are out).
  for (const auto& at : {std::pair<float, float>{p.L - 1.f, p.MH()}, {p.R, p.MH()}, {p.MW(), p.T - 1.f},
                          {p.MW(), p.B}})
  {
    OpenOn(15);
    h.Click(at.first, at.second);
    EXPECT_FALSE(popup.IsOpen()) << at.first << "," << at.second;
  }

  // Escape closes it while open only; other keys are never its own.
  OpenOn(3);
  EXPECT_FALSE(h.Key('A'));
  EXPECT_TRUE(popup.IsOpen());
  EXPECT_TRUE(h.Key(PopupPanel::kKeyEscape));
  EXPECT_FALSE(popup.IsOpen());
  EXPECT_FALSE(h.Key(PopupPanel::kKeyEscape));

  // Closed, it draws nothing and lets every event through to the editor.
  h.Frame(&popup);
  EXPECT_TRUE(h.gfx.ops.empty());
  const int selected = popup.GetSelected(), first = popup.GetFirstVisibleRow();
  h.Click(RowX(), popup.GetRowRECT(0).MH());
  h.DoubleClick(RowX(), popup.GetRowRECT(0).MH());
  h.Wheel(RowX(), popup.GetRowRECT(0).MH(), -1.f);
  EXPECT_EQ(h.beneath->mouseDowns, 2);
  EXPECT_EQ(h.beneath->doubleClicks, 1);
  EXPECT_EQ(h.beneath->wheels, 1);
  EXPECT_EQ(h.beneath->keyDowns, 1);
  EXPECT_EQ(plugin.statesRestored, restored);
  EXPECT_EQ(popup.GetSelected(), selected);
  EXPECT_EQ(popup.GetFirstVisibleRow(), first);
}

TEST_F(PresetPopupTest, SaveThenLoadRoundTripsThePresetThroughTheFileDialog)
{
  TempFile file("popup round trip.fxp");
  ASSERT_TRUE(plugin.RestorePreset(7));
  plugin.GetParam(basetest::kHaunt)->Set(33.);
  OpenOn(7);

  h.gfx.fileChoice = file.path;
  popup.SetClean();
  h.Click(popup.GetSaveRECT().MW(), popup.GetSaveRECT().MH());
  ASSERT_EQ(h.gfx.filePrompts.size(), 1u);
  EXPECT_EQ(h.gfx.filePrompts[0].action, 1);
  EXPECT_EQ(h.gfx.filePrompts[0].extensions, "fxp");
  EXPECT_TRUE(file.Exists());
  EXPECT_FALSE(popup.IsDirty());  // saving changes nothing to show
  EXPECT_TRUE(popup.IsOpen());

  // Elsewhere meanwhile; the file brings the sound back under its name, into
  // the current slot, and the host hears of it.
  h.Click(RowX(), RowY(10));
  ASSERT_EQ(plugin.GetCurrentPresetIdx(), 10);
  const int told = plugin.statesRestored, modified = plugin.presetsModified;
  h.Click(popup.GetLoadRECT().MW(), popup.GetLoadRECT().MH());
  ASSERT_EQ(h.gfx.filePrompts.size(), 2u);
  EXPECT_EQ(h.gfx.filePrompts[1].action, 0);
  EXPECT_EQ(h.gfx.filePrompts[1].extensions, "fxp");
  // The second dialog opens where the first one chose.
  EXPECT_EQ(h.gfx.filePrompts[1].folder, ::testing::TempDir());
  EXPECT_NEAR(Haunt(), 33., 1e-4);
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 10);
  EXPECT_EQ(popup.GetSelected(), 10);
  EXPECT_STREQ(plugin.GetPresetName(10), "Preset 7");
  EXPECT_STREQ(h.presetName->GetString(), "Preset 7");
  EXPECT_GT(plugin.statesRestored, told);
  EXPECT_EQ(plugin.presetsModified, modified + 1);
  EXPECT_TRUE(popup.IsDirty());
  EXPECT_TRUE(popup.IsOpen());
  std::vector<std::string> shown = Rows();
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "Preset 7"), 2);
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
  const int told = plugin.statesRestored, modified = plugin.presetsModified;
  // A refused file still brings the selection and the name to the current preset.
  struct Case { std::string choice; int selectedAfter; const char* name; };
  for (const Case& c : {Case{"", 10, "as before"}, Case{file.path, 4, "Preset 4"}})
  {
    h.gfx.fileChoice = c.choice;
    popup.SetClean();
    h.Click(popup.GetLoadRECT().MW(), popup.GetLoadRECT().MH());
    EXPECT_EQ(popup.GetSelected(), c.selectedAfter) << c.choice;
    EXPECT_STREQ(h.presetName->GetString(), c.name) << c.choice;
    EXPECT_TRUE(popup.IsDirty()) << c.choice;  // redrawn even when cancelled
    EXPECT_EQ(plugin.statesRestored, told) << c.choice;
    EXPECT_EQ(plugin.presetsModified, modified) << c.choice;
    EXPECT_STREQ(plugin.GetPresetName(4), "Preset 4") << c.choice;
    EXPECT_DOUBLE_EQ(Haunt(), PresetsPlugin::HauntOf(4)) << c.choice;
  }

  TempFile unwritten("never written.fxp");
  h.gfx.fileChoice = "";
  h.Click(popup.GetSaveRECT().MW(), popup.GetSaveRECT().MH());
  EXPECT_EQ(h.gfx.filePrompts.back().action, 1);
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
  h.Click(popup.GetSaveRECT().MW(), popup.GetSaveRECT().MH());
  h.Click(popup.GetLoadRECT().MW(), popup.GetLoadRECT().MH());
  EXPECT_EQ(h.gfx.filePrompts.size(), 2u);
  EXPECT_FALSE(file.Exists());
  EXPECT_TRUE(popup.IsOpen());
  h.Click(popup.GetSelectRECT().MW(), popup.GetSelectRECT().MH());
  EXPECT_FALSE(popup.IsOpen());
}

TEST_F(PresetPopupTest, HoverMarksRowsAndButtonsWhenTheEditorDeliversIt)
{
  OpenOn(15);
  struct Case { float x, y; int hover; };
  const Case cases[] = {
    {RowX(), popup.GetRowRECT(2).MH(), 2},
    {popup.GetLoadRECT().L, popup.GetLoadRECT().T, PresetPopup::kHoverLoad},
    {popup.GetSaveRECT().MW(), popup.GetSaveRECT().MH(), PresetPopup::kHoverSave},
    {popup.GetSelectRECT().MW(), popup.GetSelectRECT().MH(), PresetPopup::kHoverSelect},
    {popup.GetSelectRECT().R, popup.GetSelectRECT().MH(), PresetPopup::kHoverNone},
  };
  for (const Case& c : cases)
  {
    popup.OnMouseOver(c.x, c.y, IMouseModifiers());
    EXPECT_EQ(popup.GetHover(), c.hover);
  }
  popup.OnMouseOver(RowX(), popup.GetRowRECT(2).MH(), IMouseModifiers());
  h.Frame(&popup);
  // The hovered row is lit at alpha 38 (the selected one at 76).
  int lit38 = 0;
  for (const GfxOp& op : h.gfx.OfKind(GfxOp::kFill))
    lit38 += op.pattern.stops[0].color == IRgba(38, 120, 80, 160);
  EXPECT_EQ(lit38, 1);
}
