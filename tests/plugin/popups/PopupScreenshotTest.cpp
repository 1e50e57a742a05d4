// The popups as the VST3 test host showed them under wine (popups_e2e_shots:
// the editor opened through its view, the steps posted to its window, a
// picture read back from the editor's own frame after each), checked at the
// same fixed pixels as the native pictures.
#include <gtest/gtest.h>

#include <string>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include "PopupPixelChecks.h"

using namespace murkwisp_test;

TEST(PopupScreenshotTest, HostsShotsShowThePopupsOpenAndThenClosed)
{
  for (const PopupShot& shot : PopupShots())
  {
    const std::string path = std::string(MURKWISP_POPUP_SHOTS) + "/" + shot.name;
    int w = 0, h = 0, channels = 0;
    stbi_uc* rgba = stbi_load(path.c_str(), &w, &h, &channels, 4);
    ASSERT_NE(rgba, nullptr) << "no picture at " << path;
    EXPECT_TRUE(w == 1200 && h == 800) << w << "x" << h;
    if (w == 1200 && h == 800)
    {
      for (const std::string& f : CheckPopupPixels(shot, [&](int x, int y) {
             const stbi_uc* p = rgba + (static_cast<size_t>(y) * 1200u + static_cast<size_t>(x)) * 4;
             return EditorPixel{p[0], p[1], p[2]};
           }))
        ADD_FAILURE() << f;
    }
    stbi_image_free(rgba);
  }
}
