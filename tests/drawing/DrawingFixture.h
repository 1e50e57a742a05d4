#pragma once
// A headless IGfxVG of 200 x 200 editor units, opened, with one control over
// the whole editor that draws what a test gives it, and the window read back.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

#include "toolkit/IControl.h"
#include "support/HeadlessGfxVG.h"
#include "support/RecordingDelegate.h"

namespace ifx {
namespace testkit {

class DrawingFixture : public ::testing::Test
{
protected:
  class DrawFunctionControl : public igfx::IControl
  {
  public:
    explicit DrawFunctionControl(const igfx::IRECT& r) : IControl(r) {}
    void Draw(igfx::IGfx& g) override
    {
      if (draw)
        draw();
    }
    std::function<void()> draw;
  };

  void SetUp() override
  {
    ASSERT_TRUE(gfx.Open()) << gfx.Error();
    canvasControl = new DrawFunctionControl(gfx.GetBounds());
    gfx.AttachControl(canvasControl);
  }

  // Draws every attached control in one frame, draw as one over the whole
  // editor (below those attached later), then reads the window.
  void Frame(std::function<void()> draw = nullptr)
  {
    canvasControl->draw = std::move(draw);
    gfx.DrawRects({gfx.GetBounds()});
    canvasControl->draw = nullptr;
    gfx.ReadWindow();
  }

  // Window pixels whose alpha must be exactly the one given.
  struct AlphaProbe { int x, y, alpha; };
  void ExpectAlphas(std::initializer_list<AlphaProbe> probes) const
  {
    for (const AlphaProbe& p : probes)
      EXPECT_EQ(gfx.Alpha(p.x, p.y), p.alpha) << "at " << p.x << "," << p.y;
  }

  RecordingDelegate dlg;
  HeadlessGfxVG gfx{dlg, 200, 200};
  DrawFunctionControl* canvasControl = nullptr;
};

} // namespace testkit
} // namespace ifx
