// Both popups drawn through the real drawing back end on llvmpipe, over a
// grey editor: their panels at fixed pixels, nothing left once closed, and
// frames that allocate nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "base/TestPlugin.h"
#include "graphics/IGfx.h"
#include "graphics/IRegionRects.h"
#include "plugin/UpdateChecker.h"
#include "plugin/editor/AboutPopup.h"
#include "plugin/editor/PresetPopup.h"
#include "support/AllocationCounter.h"
#include "support/HeadlessGfxVG.h"
#include "support/RobotoFont.h"
#include "PopupHarness.h"

using namespace popuptest;
using ifx::testkit::Pixel;

namespace {

constexpr IRgba kGrey{255, 100, 100, 100};

class Backdrop : public IControl
{
public:
  explicit Backdrop(const IRECT& r) : IControl(r) {}
  void Draw(IGfx& g) override { g.FillRect(kGrey, mRECT); }
};

// src over an opaque dst, per channel.
Pixel Over(const Pixel& dst, const IRgba& src)
{
  const double a = src.A / 255.0;
  auto mix = [a](int d, int s) { return static_cast<int>(std::lround(s * a + d * (1.0 - a))); };
  return Pixel{mix(dst.r, src.R), mix(dst.g, src.G), mix(dst.b, src.B), 255};
}

void ExpectNear(const Pixel& got, const Pixel& want, const char* where)
{
  EXPECT_NEAR(got.r, want.r, 3) << where;
  EXPECT_NEAR(got.g, want.g, 3) << where;
  EXPECT_NEAR(got.b, want.b, 3) << where;
}

class PopupFrames : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_TRUE(gfx.Open()) << gfx.Error();
    const auto& roboto = ifx::testkit::RobotoBytes();
    if (!roboto.empty())
      gfx.LoadFontFromMemory("Roboto-Regular", roboto.data(), static_cast<int>(roboto.size()));
    backdrop = new Backdrop(gfx.GetBounds());
    gfx.AttachControl(backdrop);
    about = new AboutPopup(gfx.GetBounds(), kPanel, kText, kAccent);
    presets = new PresetPopup(gfx.GetBounds(), kPanel, kText, kAccent);
    gfx.AttachControl(about);
    gfx.AttachControl(presets);
    auto& checker = ifx::UpdateChecker::Instance();
    checker.status = ifx::kUpdateAvailable;
    std::strcpy(checker.latestVersion, "0.9.3");
  }
  void TearDown() override { ifx::UpdateChecker::Instance().status = ifx::kUpdateNotChecked; }

  // One whole frame, as the editor's animated background makes every frame:
  // the dirty rectangles collected into the same list each time, then drawn.
  void Frame()
  {
    backdrop->SetDirty(false);
    mRects.Clear();
    if (gfx.IsDirty(mRects))
      gfx.Draw(mRects);
  }

  PresetsPlugin plugin{20};
  ifx::testkit::HeadlessGfxVG gfx{plugin, 1200, 800};
  Backdrop* backdrop = nullptr;
  AboutPopup* about = nullptr;
  PresetPopup* presets = nullptr;

private:
  IRegionRects mRects;
};

} // namespace

TEST_F(PopupFrames, PanelsShowAtFixedPixelsAndLeaveNothingOnceClosed)
{
  const Pixel grey{100, 100, 100, 255};
  const Pixel dimmed = Over(grey, IRgba(180, 0, 0, 0));
  const Pixel panel = Over(dimmed, kPanel);

  about->SetOpen(true);
  Frame();
  gfx.ReadWindow();
  ExpectNear(gfx.At(50, 50), dimmed, "about: the editor dimmed");
  ExpectNear(gfx.At(795, 650), panel, "about: the panel");
  ExpectNear(gfx.At(495, 185), Over(panel, IRgba(76, 120, 80, 160)), "about: the Info tab");

  about->SetOpen(false);
  presets->Open(15);
  Frame();
  gfx.ReadWindow();
  const Pixel list = Over(panel, IRgba(150, 10, 8, 15));
  ExpectNear(gfx.At(50, 50), dimmed, "presets: the editor dimmed");
  ExpectNear(gfx.At(780, 201), list, "presets: the first row");
  ExpectNear(gfx.At(780, 553), Over(list, IRgba(76, 120, 80, 160)), "presets: the selected last row");
  ExpectNear(gfx.At(400, 140), panel, "presets: the panel above the list");

  presets->Close();
  Frame();
  gfx.ReadWindow();
  for (const auto& at : {std::pair<int, int>{50, 50}, {795, 650}, {780, 553}, {600, 400}})
    ExpectNear(gfx.At(at.first, at.second), grey, "closed");
}

TEST_F(PopupFrames, OpenPopupFramesDoNotAllocate)
{
  about->SetOpen(true);
  presets->Open(15);
  // The first frames fill the glyph atlas and size the renderer's buffers.
  for (int i = 0; i < 20; ++i)
    Frame();
  murkwisp_test::AllocationCounter counter;
  long allocations = 0;
  for (int i = 0; i < 100; ++i)
  {
    // Scrolling changes the rows drawn from time to time.
    if (i % 20 == 0)
      presets->OnMouseWheel(presets->GetListRECT().MW(), presets->GetListRECT().MH(), IMouseModifiers(),
                            (i / 20) % 2 ? 1.f : -1.f);
    counter.Reset();
    Frame();
    allocations += counter.Count();
  }
  EXPECT_EQ(allocations, 0);
  EXPECT_GT(about->GetPhase(), 0.f);
}
