// The popups in the opened editor, drawn by the real back end on llvmpipe:
// the steps the wine shots take, checked at the same fixed pixels; and
// while a popup is open (the browser, the about panel with a newer version
// and its link), once warmed up, no frame allocates.
#include <gtest/gtest.h>

#include <cstring>

#include "plugin/editor/HeadlessEditor.h"
#include "plugin/UpdateChecker.h"
#include "support/AllocationCounter.h"
#include "PopupPixelChecks.h"

using namespace murkwisp_test;

TEST(PopupPixelTest, PopupsOpenDrawAndCloseOverTheEditorWithoutAllocating)
{
  HeadlessEditor ed;
  ASSERT_TRUE(ed.Open()) << ed.Error();
  auto& g = ed.Gfx();
  auto& checker = murkwisp::UpdateChecker::Instance();
  checker.status = murkwisp::kUpdateAvailable;
  std::strcpy(checker.latestVersion, "0.9.3");
  for (const PopupShot& shot : PopupShots())
  {
    for (const PopupStep& step : shot.steps)
    {
      if (step.key)
      {
        ifx::igfx::IKeyEvent key;
        key.VK = step.key;
        g.OnKeyDown(600.f, 400.f, key);
      }
      else
      {
        ifx::igfx::IMouseEvent e;
        e.x = static_cast<float>(step.x);
        e.y = static_cast<float>(step.y);
        e.ms.L = true;
        g.OnMouseDown({e});
        g.OnMouseUp({e});
      }
    }
    // The first frames fill the glyph atlas and size the renderer's buffers.
    for (int i = 0; i < 5; ++i)
      ed.Frame();
    if (shot.open)
    {
      AllocationCounter counter;
      for (int i = 0; i < 20; ++i)
        ed.Frame();
      EXPECT_EQ(counter.Count(), 0) << shot.name;
    }
    g.ReadWindow();
    const auto failures = CheckPopupPixels(shot, [&](int x, int y) {
      const ifx::testkit::Pixel p = g.At(x, y);
      return EditorPixel{p.r, p.g, p.b};
    });
    for (const std::string& f : failures)
      ADD_FAILURE() << f;
    if (!failures.empty())
      g.WriteWindowPng(shot.name);
  }
  checker.status = murkwisp::kUpdateNotChecked;
}
