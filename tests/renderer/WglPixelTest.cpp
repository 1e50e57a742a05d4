// The GL back end on a WGL context of a hidden Win32 window (wine in the
// windows tree, on a virtual X display). Pixels come back with glReadPixels
// from an offscreen render target: a GL window reads back black through GDI.

#include <windows.h>

#include <gtest/gtest.h>
// The test's own copy of the font library: the oracle for the metrics the
// renderer's copy (internal to it) gives.
#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "renderer/CanvasContext.h"
#include "renderer/CanvasGLBackend.h"
#include "renderer/CanvasPaint.h"
#include "renderer/CanvasRenderTarget.h"
#include "renderer/GlyphStore.h"
#include "window/win/WinGLContext.h"
#include "support/RobotoFont.h"

using namespace ifx::canvas;

namespace
{
class WglContext
{
public:
  WglContext()
  {
    WNDCLASSW wc{};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MurkwispGLTest";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, L"MurkwispGLTest", L"gl", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr, nullptr,
                             wc.hInstance, nullptr);
    if (!window)
      return;
    dc = GetDC(window);
    context = ifx::igfx::CreateWindowGLContext(dc);
    if (context && !wglMakeCurrent(dc, context))
    {
      wglDeleteContext(context);
      context = nullptr;
    }
  }
  ~WglContext()
  {
    if (context)
    {
      wglMakeCurrent(nullptr, nullptr);
      wglDeleteContext(context);
    }
    if (window)
    {
      ReleaseDC(window, dc);
      DestroyWindow(window);
    }
  }
  bool Ok() const { return context != nullptr; }

private:
  HWND window = nullptr;
  HDC dc = nullptr;
  HGLRC context = nullptr;
};

class WglCanvas : public ::testing::Test
{
protected:
  static constexpr int W = 64, H = 64;

  void SetUp() override
  {
    ASSERT_TRUE(wgl.Ok());
    canvas = CreateCanvasGLForCurrentContext(kCanvasGLAntiAlias);
    ASSERT_NE(canvas, nullptr);
    target = CreateCanvasRenderTarget(canvas, W, H);
    ASSERT_NE(target, nullptr);
    CanvasGLBackendOf(canvas)->gl.viewport(0, 0, W, H);
    BindCanvasRenderTarget(canvas, target);
    canvas->StartFrame((float)W, (float)H, 1.f);
  }
  void TearDown() override
  {
    DeleteCanvasRenderTarget(target);
    CanvasContext::Destroy(canvas);
  }
  void Finish()
  {
    canvas->FinishFrame();
    pixels.assign((size_t)W * H * 4, 0);
    CanvasGLApi& gl = CanvasGLBackendOf(canvas)->gl;
    gl.pixelStorei(cgl::kPackAlignment, 1);
    gl.readPixels(0, 0, W, H, cgl::kRGBA, cgl::kUnsignedByte, pixels.data());
  }
  const unsigned char* At(int x, int y) const { return &pixels[((size_t)(H - 1 - y) * W + x) * 4]; }

  WglContext wgl;
  CanvasContext* canvas = nullptr;
  CanvasRenderTarget* target = nullptr;
  std::vector<unsigned char> pixels;
};
} // namespace

TEST_F(WglCanvas, FilledRectangleHasExactEdges)
{
  canvas->BeginPath();
  canvas->AddRectangle(10.f, 10.f, 20.f, 20.f);
  canvas->SetFillColor(CanvasRGBAf(1.f, 0.5f, 0.f, 1.f));
  canvas->FillPath();
  Finish();
  for (int i = 10; i < 30; i++)
  {
    EXPECT_EQ(At(i, 10)[3], 255) << i;
    EXPECT_EQ(At(29, i)[3], 255) << i;
    EXPECT_EQ(At(i, 9)[3], 0) << i;
    EXPECT_EQ(At(30, i)[3], 0) << i;
  }
  EXPECT_EQ(At(20, 20)[0], 255);
  EXPECT_NEAR(At(20, 20)[1], 128, 1);
  EXPECT_EQ(At(20, 20)[2], 0);
}

TEST_F(WglCanvas, LinearGradientInterpolatesPremultiplied)
{
  canvas->BeginPath();
  canvas->AddRectangle(0.f, 0.f, 64.f, 64.f);
  canvas->SetFillPaint(CanvasLinearGradient(0.f, 0.f, 64.f, 0.f, CanvasRGBAf(1, 0, 0, 1), CanvasRGBAf(0, 0, 1, 0)));
  canvas->FillPath();
  Finish();
  for (int x : {0, 16, 32, 48, 63})
  {
    const float t = ((float)x + 0.5f) / 64.f;
    EXPECT_NEAR(At(x, 32)[0], (1.f - t) * 255.f, 1.5) << x;
    EXPECT_NEAR(At(x, 32)[3], (1.f - t) * 255.f, 1.5) << x;
    EXPECT_EQ(At(x, 32)[2], 0) << x;
  }
}

TEST_F(WglCanvas, StencilFillsKeepHolesAndStarArms)
{
  // The render target's stencil buffer at work: a hole wound clockwise, and
  // a star that winds twice.
  canvas->BeginPath();
  canvas->AddRectangle(2.f, 2.f, 28.f, 28.f);
  canvas->AddRectangle(10.f, 10.f, 12.f, 12.f);
  canvas->SetPathWinding(kCanvasCW);
  canvas->SetFillColor(CanvasRGBAf(1.f, 1.f, 1.f, 1.f));
  canvas->FillPath();
  canvas->BeginPath();
  for (int k = 0; k < 5; k++)
  {
    const float a = -1.5707963f + (float)k * 2.5132741f;
    const float x = 48.f + 15.f * std::cos(a), y = 48.f + 15.f * std::sin(a);
    if (k == 0)
      canvas->MoveTo(x, y);
    else
      canvas->LineTo(x, y);
  }
  canvas->ClosePath();
  canvas->FillPath();
  Finish();
  EXPECT_EQ(At(5, 5)[3], 255);
  EXPECT_EQ(At(16, 16)[3], 0);
  EXPECT_EQ(At(9, 16)[3], 255);
  EXPECT_EQ(At(10, 16)[3], 0);
  EXPECT_EQ(At(48, 48)[3], 255); // the star's centre
  EXPECT_EQ(At(56, 45)[3], 255); // right arm
  EXPECT_EQ(At(38, 51)[3], 0);   // between the left arms
}

TEST_F(WglCanvas, TextLineIsDrawnFromTheGlyphAtlas)
{
  const std::vector<uint8_t>& roboto = ifx::testkit::RobotoBytes();
  ASSERT_FALSE(roboto.empty()) << "Debian's fonts-roboto-unhinted is missing";
  ASSERT_EQ(canvas->glyphs->RegisterFontBytes("Roboto", roboto.data(), (int)roboto.size(), 0), 0);
  canvas->SetFontId(0);
  canvas->SetFontSize(20.f);
  canvas->SetTextAlign(kCanvasAlignLeft | kCanvasAlignTop);
  canvas->SetFillColor(CanvasRGBAf(1.f, 1.f, 1.f, 1.f));
  float box[4];
  const float advance = canvas->MeasureString(4.f, 20.f, "Hello", nullptr, box);
  EXPECT_FLOAT_EQ(canvas->DrawString(4.f, 20.f, "Hello", nullptr), 4.f + advance);
  Finish();

  // Ink only inside the measured box, and plenty of it.
  long ink = 0, outside = 0;
  for (int y = 0; y < H; y++)
    for (int x = 0; x < W; x++)
    {
      const int a = At(x, y)[3];
      const bool inside = x >= (int)box[0] - 1 && x <= (int)box[2] + 1 && y >= (int)box[1] - 1 && y <= (int)box[3] + 1;
      (inside ? ink : outside) += a;
    }
  EXPECT_EQ(outside, 0);
  EXPECT_GT(ink, 255 * 60);
  // The H's left stem, from the font's own glyph box.
  const GlyphFont* font = canvas->glyphs->Font(0);
  const float scale = stbtt_ScaleForPixelHeight(font->info, 20.f);
  int x0, y0, x1, y1;
  stbtt_GetCodepointBitmapBox(font->info, 'H', scale, scale, &x0, &y0, &x1, &y1);
  const int baseline = (int)(20.f + font->ascender * 20.f);
  const int middle = baseline + (y0 + y1) / 2;
  EXPECT_GT(std::max(At(4 + x0, middle)[3], At(5 + x0, middle)[3]), 200);
  EXPECT_EQ(At(4 + x0, baseline + y0 - 2)[3], 0);
}

TEST_F(WglCanvas, CallsOfOneBatchEachDrawTheirOwnPaint)
{
  RecordProperty("paintSlots", CanvasGLBackendOf(canvas)->paintSlots);
  for (int i = 0; i < 8; i++)
  {
    canvas->BeginPath();
    canvas->AddRectangle(8.f * (float)i, 0.f, 8.f, 64.f);
    canvas->SetFillColor(CanvasRGBAf((float)(i & 1), (float)((i >> 1) & 1), (float)(i >> 2), 1.f));
    canvas->FillPath();
  }
  Finish();
  for (int i = 0; i < 8; i++)
  {
    const unsigned char* p = At(8 * i + 4, 32);
    EXPECT_EQ(p[0], (i & 1) * 255) << i;
    EXPECT_EQ(p[1], ((i >> 1) & 1) * 255) << i;
    EXPECT_EQ(p[2], (i >> 2) * 255) << i;
  }
}

// A hidden window's own pixels do not read back: a second target stands in
// for it, as it does for the headless editor.
TEST_F(WglCanvas, ARenderTargetIsCopiedToTheWindowPixelForPixel)
{
  canvas->BeginPath();
  canvas->AddRectangle(0.f, 0.f, 32.f, 16.f);
  canvas->SetFillColor(CanvasRGBAf(0.f, 1.f, 0.f, 1.f));
  canvas->FillPath();
  Finish();
  CanvasRenderTarget* window = CreateCanvasRenderTarget(canvas, W, H);
  ASSERT_NE(window, nullptr);
  CanvasGLBackend* b = CanvasGLBackendOf(canvas);
  b->windowFramebuffer = (int)window->framebuffer;
  ASSERT_TRUE(BlitCanvasRenderTargetToWindow(canvas, target));
  std::vector<unsigned char> copied((size_t)W * H * 4);
  b->gl.readPixels(0, 0, W, H, cgl::kRGBA, cgl::kUnsignedByte, copied.data());
  EXPECT_EQ(copied, pixels);
  EXPECT_EQ(At(4, 4)[1], 255);
  b->windowFramebuffer = 0;
  DeleteCanvasRenderTarget(window);
}

TEST(WglLoader, OpenGL11FunctionsNeedTheOpengl32Fallback)
{
  WglContext wgl;
  ASSERT_TRUE(wgl.Ok());
  CanvasGLApi api;
  ASSERT_TRUE(LoadPlatformGLApi(&api));
  EXPECT_NE(api.bindTexture, nullptr);
  EXPECT_NE(api.drawElements, nullptr);
  EXPECT_NE(api.scissor, nullptr);
  EXPECT_NE(api.blendFuncSeparate, nullptr);

  // wglGetProcAddress alone does not give the 1.1 functions.
  struct WglOnly
  {
    static void* Load(void*, const char* name)
    {
      PROC proc = wglGetProcAddress(name);
      const INT_PTR v = reinterpret_cast<INT_PTR>(proc);
      if (v >= -1 && v <= 3)
        return nullptr;
      void* out;
      std::memcpy(&out, &proc, sizeof(out));
      return out;
    }
  };
  EXPECT_FALSE(CanvasLoadGLApi(&api, WglOnly::Load, nullptr));
  EXPECT_EQ(api.bindTexture, nullptr);
}
