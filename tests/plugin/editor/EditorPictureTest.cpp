// The whole editor at 1200 x 800 through the real drawing back end on
// llvmpipe, against reference pictures taken from this renderer: static
// (animated layers hidden) and animated at fixed animation counters, meters
// lit by fixed packets, on a fixed clock and random source. A change to the
// drawing that moves any pixel by more than 2 per channel, or more than
// 0.1 % of the pixels at all, fails; the drawn picture and a difference
// picture are then written to the working folder.
// MURKWISP_WRITE_EDITOR_PICTURES=1 rewrites the reference pictures
// (tests/plugin/editor/pictures) from the current code.
#include <gtest/gtest.h>

// The references are decoded by the test's own copy of the decoder.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "HeadlessEditor.h"
#include "PictureDiff.h"
#include "base/ISenderPacket.h"
#include "plugin/UpdateChecker.h"
#include "plugin/editor/BackgroundDrawFunctions.h"
#include "plugin/editor/MurkwispLayout.h"
#include "support/FakeClock.h"

using namespace murkwisp_test;

namespace {

constexpr int kWidth = 1200, kHeight = 800;
constexpr int kTolerance = 2;
constexpr long kMaxDiffering = kWidth * kHeight / 1000;
// A moment at which two glitch bars and a tear are showing.
constexpr int64_t kAnimationCalls = 10110;

struct PictureCase
{
  const char* name;
  bool animated;
};

void PrintTo(const PictureCase& pc, std::ostream* os) { *os << pc.name; }

// The counters are process-wide and only count up: each is brought to the
// call before the pictured one, whatever earlier tests of this program drew.
bool BringCounterTo(AnimationCounter& counter, int64_t calls)
{
  if (counter.Calls() > calls)
    return false;
  while (counter.Calls() < calls)
    counter.Advance();
  return true;
}

void LightMeters(Murkwisp& plugin)
{
  // [channel][peak, average], linear: each meter shows lit and unlit
  // segments, its two columns at different heights.
  ifx::ISenderPacket input, output;
  input.vals[0][0] = 0.8f;
  input.vals[0][1] = 0.5f;
  input.vals[1][0] = 0.3f;
  input.vals[1][1] = 0.1f;
  output.vals[0][0] = 1.f;
  output.vals[0][1] = 0.7f;
  output.vals[1][0] = 0.6f;
  output.vals[1][1] = 0.35f;
  plugin.PushControlMessageToUI(kTagInputMeter, 0, sizeof(input), &input);
  plugin.PushControlMessageToUI(kTagOutputMeter, 0, sizeof(output), &output);
}

class EditorPictureTest : public ::testing::TestWithParam<PictureCase>
{
protected:
  void TearDown() override { murkwisp::UpdateChecker::Instance().status = mSavedStatus; }

  murkwisp::EUpdateStatus mSavedStatus = murkwisp::UpdateChecker::Instance().status;
};

} // namespace

TEST_P(EditorPictureTest, MatchesTheReferencePicture)
{
  const PictureCase& pc = GetParam();
  ifx::testkit::FakeClock clock;
  HeadlessEditor ed;
  ASSERT_TRUE(ed.Open()) << ed.Error();
  murkwisp::UpdateChecker::Instance().status = murkwisp::kUpdateUpToDate;
  if (pc.animated)
  {
    for (AnimationCounter* counter : {&gVignetteCalls, &gFogCalls, &gMoteCalls, &gGlitchCalls})
      ASSERT_TRUE(BringCounterTo(*counter, kAnimationCalls - 1)) << "earlier tests drew too many frames";
  }
  else
  {
    ed.HideAnimatedBackground();
  }
  LightMeters(*ed.plugin);
  ed.Gfx().MarkAllControlsDirty();
  ASSERT_TRUE(ed.Frame());
  ed.Gfx().ReadWindow();
  const std::vector<uint8_t> drawn = ed.Gfx().WindowRgb();

  const std::string reference = std::string(MURKWISP_EDITOR_PICTURES_DIR) + "/" + pc.name + ".png";
  if (const char* write = std::getenv("MURKWISP_WRITE_EDITOR_PICTURES"); write && std::string(write) == "1")
  {
    ASSERT_TRUE(ed.Gfx().WriteWindowPng(reference.c_str())) << reference;
    GTEST_SKIP() << "wrote " << reference;
  }

  int w = 0, h = 0, channels = 0;
  stbi_uc* pixels = stbi_load(reference.c_str(), &w, &h, &channels, 3);
  ASSERT_NE(pixels, nullptr) << "no reference picture " << reference << " (MURKWISP_WRITE_EDITOR_PICTURES=1 writes it)";
  const std::vector<uint8_t> expected(pixels, pixels + static_cast<size_t>(w) * static_cast<size_t>(h) * 3u);
  stbi_image_free(pixels);
  ASSERT_EQ(w, kWidth);
  ASSERT_EQ(h, kHeight);

  const PictureDiff diff = ComparePictures(drawn, expected, kWidth, kHeight, kTolerance, 8);
  if (diff.beyondTolerance == 0 && diff.differing <= kMaxDiffering)
    return;
  const std::string actualPath = std::filesystem::absolute(std::string(pc.name) + ".drawn.png").string();
  const std::string diffPath = std::filesystem::absolute(std::string(pc.name) + ".diff.png").string();
  ed.Gfx().WriteWindowPng(actualPath.c_str());
  ifx::testkit::WriteFile(
    diffPath,
    ifx::testkit::EncodePng(kWidth, kHeight, DifferencePicture(drawn, expected, kWidth, kHeight, kTolerance)));
  ADD_FAILURE() << pc.name << ": " << diff.Describe() << "\n(at most " << kMaxDiffering << " may differ, by up to "
                << kTolerance << ")\nwrote " << actualPath << " and " << diffPath;
}

INSTANTIATE_TEST_SUITE_P(Editor, EditorPictureTest,
                         ::testing::Values(PictureCase{"editor_static", false}, PictureCase{"editor_animated", true}),
                         [](const ::testing::TestParamInfo<PictureCase>& info) {
                           return std::string(info.param.animated ? "Animated" : "Static");
                         });
