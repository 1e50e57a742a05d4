// The editor as the test hosts showed it under wine (vst3_e2e_editor opened
// it through its view, clap_editor_window through the gui extension; a tone
// played through the plug-in, the picture read back from the editor's own
// frame), checked at the same fixed pixels as the native picture.
#include <gtest/gtest.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include "EditorPixelChecks.h"

using namespace murkwisp_test;

class EditorScreenshotTest : public ::testing::TestWithParam<const char*>
{
};

TEST_P(EditorScreenshotTest, HostsPictureShowsLEDsHandlesLitMetersAndTheVignette)
{
  int w = 0, h = 0, channels = 0;
  stbi_uc* rgba = stbi_load(GetParam(), &w, &h, &channels, 4);
  ASSERT_NE(rgba, nullptr) << "no picture at " << GetParam();
  EXPECT_EQ(w, 1200);
  EXPECT_EQ(h, 800);
  const auto failures = CheckEditorPixels([&](int x, int y) {
    if (x < 0 || y < 0 || x >= w || y >= h)
      return EditorPixel{-1, -1, -1};
    const stbi_uc* p = rgba + (static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)) * 4;
    return EditorPixel{p[0], p[1], p[2]};
  });
  for (const std::string& f : failures)
    ADD_FAILURE() << f;
  stbi_image_free(rgba);
}

INSTANTIATE_TEST_SUITE_P(BothFormats, EditorScreenshotTest,
                         ::testing::Values(MURKWISP_VST3_EDITOR_SCREENSHOT, MURKWISP_CLAP_EDITOR_SCREENSHOT));
