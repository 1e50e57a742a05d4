// The clear that replaces an opaque fill of the whole view sets the pixels
// the fill would, at several pixel densities, and no pixel outside the
// viewport, on llvmpipe.

#include "renderer/GLCanvasFixture.h"

using namespace ifx::canvas;

using GLClearPixels = GLCanvasFixture;

// Onto a transparent target "lighter" draws the fill itself, and is no clear.
TEST_F(GLClearPixels, AClearSetsThePixelsTheFillWouldAtEveryDensity)
{
  for (float ratio : {1.f, 1.5f, 2.f, 1.25f})
  {
    SCOPED_TRACE(ratio);
    const float w = (float)W / ratio, h = (float)H / ratio;
    std::vector<uint8_t> picture[2];
    for (int op : {kCanvasSourceOver, kCanvasLighter})
    {
      BindCanvasRenderTarget(canvas, target);
      gl->viewport(0, 0, W, H);
      gl->clearColor(0.f, 0.f, 0.f, 0.f);
      gl->clear(cgl::kColorBufferBit);
      canvas->StartFrame(w, h, ratio);
      canvas->SetClipRect(0, 0, w, h);
      canvas->SetCompositeOperation(op);
      FillRect(0, 0, w, h, CanvasRGBAf(18 / 255.f, 16 / 255.f, 14 / 255.f, 1.f));
      EXPECT_EQ(CanvasGLBackendOf(canvas)->calls[0].type == kCanvasGLClear, op == kCanvasSourceOver);
      End();
      picture[op == kCanvasLighter] = pixels;
    }
    EXPECT_EQ(Differing(picture[0], picture[1]), 0);
    EXPECT_EQ(At(0, 0).r, 18);
    EXPECT_EQ(At(W - 1, H - 1).a, 255);
  }
}

TEST_F(GLClearPixels, AClearStaysInsideTheViewport)
{
  Begin();
  FillRect(0, 0, 100, 100, CanvasRGBAf(1, 0, 0, 1));
  End();
  BindCanvasRenderTarget(canvas, target);
  gl->viewport(0, 0, 50, 50);
  canvas->StartFrame(50.f, 50.f, 1.f);
  FillRect(0, 0, 50, 50, CanvasRGBAf(0, 1, 0, 1));
  End();
  // The viewport is the bottom left quarter; rows are read top down.
  EXPECT_EQ(At(10, 90).g, 255);
  EXPECT_EQ(At(49, 50).g, 255);
  EXPECT_EQ(At(50, 50).r, 255);
  EXPECT_EQ(At(10, 49).r, 255);
}
