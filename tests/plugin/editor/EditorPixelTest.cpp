// The opened editor drawn by the real back end on llvmpipe, checked at
// fixed pixels after a test tone has run through the plug-in.
#include <gtest/gtest.h>

#include <cmath>

#include "EditorPixelChecks.h"
#include "HeadlessEditor.h"

using namespace murkwisp_test;

TEST(EditorPixelTest, OpenedEditorShowsLEDsHandlesAndLitMeters)
{
  HeadlessEditor ed;
  ASSERT_TRUE(ed.Open()) << ed.Error();
  // A 440 Hz tone at -6 dBFS, then the idle tick that hands the meters
  // their packets.
  StereoBuffers buf(512);
  for (int block = 0; block < 40; ++block)
  {
    for (int i = 0; i < 512; ++i)
      buf.l[i] = buf.r[i] = 0.5 * std::sin(2.0 * 3.14159265358979 * 440.0 * (block * 512 + i) / 48000.0);
    ed.plugin->ProcessBlock(buf.Inputs(), buf.Outputs(), 512);
  }
  ed.plugin->OnIdle();
  // Several frames, so every flicker has moved on from its start.
  for (int i = 0; i < 5; ++i)
    ed.Frame();
  ed.Gfx().ReadWindow();
  const auto failures = CheckEditorPixels([&](int x, int y) {
    const ifx::testkit::Pixel p = ed.Gfx().At(x, y);
    return EditorPixel{p.r, p.g, p.b};
  });
  for (const std::string& f : failures)
    ADD_FAILURE() << f;
  if (!failures.empty())
    ed.Gfx().WriteWindowPng("editor_pixel_test.png");
}
