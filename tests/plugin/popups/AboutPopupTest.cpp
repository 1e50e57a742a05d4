// The about popup over the recording graphics object with a scripted
// version feed: its page, the check on request and its result, the link.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "plugin/MurkwispConfig.h"
#include "plugin/UpdateChecker.h"
#include "support/RecordingDelegate.h"
#include "PopupHarness.h"

using namespace murkwisp;

using namespace popuptest;
using murkwisp::UpdateChecker;

namespace {

std::string gFeed;
int gFetches = 0;

std::string ServeFeed(const char*)
{
  ++gFetches;
  return gFeed;
}

std::string Feed(const char* version, const char* url)
{
  return std::string("{\"version\":\"") + version + "\",\"url\":\"" + url + "\",\"changelog\":\"\"}";
}

constexpr const char* kDownload = "https://tarnhollow-audio.example/murkwisp?v=0.9.3";

// The process-wide check, scripted, and left unchecked afterwards.
class AboutPopupTest : public ::testing::Test
{
protected:
  AboutPopupTest() : h(4), popup(*h.about), checker(UpdateChecker::Instance())
  {
    checker.SetFetchFunction(&ServeFeed);
    Reset();
    gFetches = 0;
    popup.SetOpen(true);
  }
  ~AboutPopupTest() override { Reset(); }
  void Reset()
  {
    gFeed.clear();
    checker.status = murkwisp::kUpdateNotChecked;
    checker.downloadUrl[0] = checker.latestVersion[0] = '\0';
  }
  std::vector<std::string> Texts()
  {
    h.Frame(&popup);
    std::vector<std::string> texts;
    for (const auto& op : h.gfx.OfKind(ifx::testkit::GfxOp::kRenderText))
      texts.push_back(op.text);
    return texts;
  }

  PopupHarness<PresetsPlugin> h;
  AboutPopup& popup;
  UpdateChecker& checker;
};

} // namespace

TEST_F(AboutPopupTest, ShowsTheProductAndTheInformationPageWithTheResultOfEachStatus)
{
  std::strcpy(checker.latestVersion, "0.9.3");
  std::strcpy(checker.downloadUrl, kDownload);
  struct Case { murkwisp::EUpdateStatus status; const char* button; const char* result; bool link; };
  const Case cases[] = {
    {murkwisp::kUpdateNotChecked, "Check for Updates", nullptr, false},
    {murkwisp::kUpdateChecking, "Checking...", nullptr, false},
    {murkwisp::kUpdateUpToDate, "Check for Updates", "You're running the latest version", false},
    {murkwisp::kUpdateAvailable, "Check for Updates", "\xE2\x9C\x93 Update available: v0.9.3", true},
    {murkwisp::kUpdateFailed, "Check for Updates", "Could not check for updates", false},
  };
  for (const Case& c : cases)
  {
    checker.status = c.status;
    std::vector<std::string> expected = {
      "Murkwisp",
      "Tarnhollow Audio - Korvane  \xE2\x80\xA2  v0.9.2",
      "Info",
      "SPECTRAL PITCH SHIFTING REVERB",
      "A haunted formant pitch shifter with ethereal reverb, delay, and chorus",
      "characteristics. Create fennowly harmonies, frozen drones, spectral pads,",
      "and otherworldly vocal textures.",
      c.button,
    };
    if (c.result)
      expected.push_back(c.result);
    if (c.link)
      expected.push_back("Click here to download");
    expected.push_back("Click outside to close  \xE2\x80\xA2  ESC to dismiss");
    EXPECT_EQ(Texts(), expected) << c.status;
    EXPECT_EQ(popup.GetDownloadLinkRECT(), c.link ? IRECT(410.f, 388.f, 790.f, 406.f) : IRECT()) << c.status;
  }
  EXPECT_EQ(popup.GetPanelRECT(), IRECT(390.f, 90.f, 810.f, 710.f));
  EXPECT_EQ(popup.GetInfoTabRECT(), IRECT(485.f, 170.f, 595.f, 200.f));
  EXPECT_EQ(popup.GetUpdateButtonRECT(), IRECT(525.f, 328.f, 675.f, 358.f));
}

TEST_F(AboutPopupTest, ClicksInsideThePanelKeepItOpenOutsideOrEscapeCloseIt)
{
  h.Frame(&popup);
  const IRECT p = popup.GetPanelRECT();
  for (const auto& at : {std::pair<float, float>{p.L, p.T}, {p.R - 1.f, p.B - 1.f}, {p.MW(), p.T + 30.f},
                          {popup.GetInfoTabRECT().MW(), popup.GetInfoTabRECT().MH()}})
    h.Click(at.first, at.second);
  EXPECT_TRUE(popup.IsOpen());
  EXPECT_EQ(gFetches, 0);
  // One unit outside each edge (the right and bottom edges are out).
  for (const auto& at : {std::pair<float, float>{p.L - 1.f, p.MH()}, {p.R, p.MH()}, {p.MW(), p.T - 1.f},
                          {p.MW(), p.B}})
  {
    popup.SetOpen(true);
    popup.SetClean();
    h.Click(at.first, at.second);
    EXPECT_FALSE(popup.IsOpen()) << at.first << "," << at.second;
    EXPECT_TRUE(popup.GetTargetRECT().Empty() && popup.IsDirty());
  }
  EXPECT_EQ(h.beneath->mouseDowns, 0);

  popup.SetOpen(true);
  EXPECT_FALSE(h.Key('Q'));
  EXPECT_TRUE(h.Key(PopupPanel::kKeyEscape));
  EXPECT_FALSE(popup.IsOpen());
  // Closed, keys and clicks go to the editor below.
  EXPECT_FALSE(h.Key(PopupPanel::kKeyEscape));
  h.Click(p.MW(), p.MH());
  EXPECT_EQ(h.beneath->keyDowns + h.beneath->mouseDowns, 2);
  h.Frame(&popup);
  EXPECT_TRUE(h.gfx.ops.empty());
}

TEST_F(AboutPopupTest, TheButtonChecksAtOnceAndTheLinkOpensOnlyPlainHttpsAddresses)
{
  h.Frame(&popup);
  EXPECT_TRUE(popup.GetDownloadLinkRECT().Empty());
  gFeed = Feed("0.9.3", kDownload);
  popup.SetClean();
  h.Click(popup.GetUpdateButtonRECT());
  EXPECT_EQ(gFetches, 1);
  EXPECT_EQ(checker.status, murkwisp::kUpdateAvailable);
  EXPECT_TRUE(popup.IsDirty());
  h.Frame(&popup);
  h.gfx.openUrlResult = false;  // a shell that fails is not reported
  h.Click(popup.GetDownloadLinkRECT());
  EXPECT_EQ(h.gfx.openedUrls, std::vector<std::string>{kDownload});
  EXPECT_TRUE(popup.IsOpen());

  // Addresses the feed check would not keep, were they there anyway.
  for (const char* url : {"", "https://x.example/a b", "https://x.example/\tcalc", "https://x.example/\x7f",
                          "https://x.example/\"&calc", "http://x.example/", "file:///C:/Windows/System32/calc.exe"})
  {
    std::strcpy(checker.downloadUrl, url);
    h.Click(popup.GetDownloadLinkRECT());
  }
  // A field filled to its last byte is read no further than its end.
  std::memset(checker.downloadUrl, 'a', sizeof(checker.downloadUrl));
  std::memcpy(checker.downloadUrl, "https://", 8);
  h.Click(popup.GetDownloadLinkRECT());
  ASSERT_EQ(h.gfx.openedUrls.size(), 2u);
  EXPECT_EQ(h.gfx.openedUrls[1].size(), sizeof(checker.downloadUrl));

  // A later check that finds nothing newer disarms the link before the next
  // frame; a failed one says so.
  std::strcpy(checker.downloadUrl, kDownload);
  gFeed = Feed("0.9.2", kDownload);
  h.Click(popup.GetUpdateButtonRECT());
  h.Click(popup.GetDownloadLinkRECT());
  EXPECT_EQ(h.gfx.openedUrls.size(), 2u);
  gFeed.clear();
  h.Click(popup.GetUpdateButtonRECT());
  h.Frame(&popup);
  EXPECT_TRUE(popup.GetDownloadLinkRECT().Empty());
  EXPECT_TRUE(h.Drew("Could not check for updates"));
}

TEST(AboutPopupWithoutPlugin, ShowsTheVersionWithoutAMaker)
{
  PopupHarness<ifx::testkit::RecordingDelegate> h;
  h.about->SetOpen(true);
  h.Frame(h.about);
  EXPECT_TRUE(h.Drew(std::string("v") + MurkwispVersionText()));
}
