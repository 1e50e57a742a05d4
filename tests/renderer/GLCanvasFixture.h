#pragma once
// A GL renderer drawing into an offscreen render target of a surfaceless EGL
// context, with read-back of the target's pixels (y down, as drawn).

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "renderer/EglTestContext.h"
#include "renderer/CanvasContext.h"
#include "renderer/CanvasGLBackend.h"
#include "renderer/CanvasPaint.h"
#include "renderer/CanvasRenderTarget.h"

using namespace ifx::canvas;

struct Rgba
{
  int r, g, b, a;
};

class GLCanvasFixture : public ::testing::Test
{
protected:
  static constexpr int W = 100, H = 100;

  void SetUp() override
  {
    ASSERT_TRUE(egl.Ok()) << egl.Error();
    canvas = CreateCanvasGLForCurrentContext(Flags());
    ASSERT_NE(canvas, nullptr);
    gl = &CanvasGLBackendOf(canvas)->gl;
    target = CreateCanvasRenderTarget(canvas, W, H);
    ASSERT_NE(target, nullptr);
  }

  void TearDown() override
  {
    DeleteCanvasRenderTarget(target);
    CanvasContext::Destroy(canvas);
  }

  virtual int Flags() const { return kCanvasGLAntiAlias; }

  void Begin()
  {
    BindCanvasRenderTarget(canvas, target);
    gl->viewport(0, 0, W, H);
    canvas->StartFrame((float)W, (float)H, 1.f);
  }

  void End()
  {
    canvas->FinishFrame();
    pixels.assign((size_t)W * H * 4, 0);
    gl->pixelStorei(cgl::kPackAlignment, 1);
    gl->readPixels(0, 0, W, H, cgl::kRGBA, cgl::kUnsignedByte, pixels.data());
    BindCanvasRenderTarget(canvas, nullptr);
  }

  // Pixel (x, y) counted from the top left, as drawn; rows come bottom-up.
  Rgba At(int x, int y) const
  {
    const uint8_t* p = &pixels[((size_t)(H - 1 - y) * W + x) * 4];
    return Rgba{p[0], p[1], p[2], p[3]};
  }
  int Alpha(int x, int y) const { return At(x, y).a; }

  // Pixels that differ between two read-backs of one size.
  static long Differing(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
  {
    long n = 0;
    for (size_t i = 0; i < a.size(); i += 4)
      n += std::memcmp(&a[i], &b[i], 4) != 0;
    return n;
  }

  void FillRect(float x, float y, float w, float h, CanvasColor c)
  {
    canvas->BeginPath();
    canvas->AddRectangle(x, y, w, h);
    canvas->SetFillColor(c);
    canvas->FillPath();
  }

  EglTestContext egl;
  CanvasContext* canvas = nullptr;
  CanvasGLApi* gl = nullptr;
  CanvasRenderTarget* target = nullptr;
  std::vector<uint8_t> pixels;
};

inline CanvasColor White(float a = 1.f) { return CanvasRGBAf(1.f, 1.f, 1.f, a); }
