// Batched drawing on llvmpipe gives the pixels of one call per draw: a scene
// of every kind of call drawn through a paint table of 64 blocks, of 2 and
// without a table.

#include <cmath>

#include "renderer/GLCanvasFixture.h"

using namespace ifx::canvas;

namespace {
// The context's entries, but reporting the given fragment uniform space: the
// table the back end builds follows it.
CanvasGLApi gReal;
int gComponents = 0;

void CANVAS_GLAPI GetIntegervLimited(cgl::Enum pname, int* data)
{
  gReal.getIntegerv(pname, data);
  if (pname == cgl::kMaxFragmentUniformComponents)
    *data = gComponents;
}

CanvasContext* CanvasWithUniformSpace(int components)
{
  CanvasGLApi api;
  if (!LoadPlatformGLApi(&api))
    return nullptr;
  gReal = api;
  gComponents = components;
  api.getIntegerv = &GetIntegervLimited;
  return CreateCanvasGL(api, kCanvasGLAntiAlias);
}

class GLBatchPixels : public GLCanvasFixture
{
protected:
  // Draws the scene into the fixture's target with another canvas and reads
  // it back.
  std::vector<uint8_t> Scene(CanvasContext* c)
  {
    CanvasBackend& t = c->backend;
    // A straight-alpha image and an alpha "glyph" texture with content.
    std::vector<unsigned char> rgba(8 * 8 * 4), alpha(8 * 8);
    for (int i = 0; i < 64; i++)
    {
      rgba[i * 4 + 0] = (unsigned char)(i * 4);
      rgba[i * 4 + 1] = (unsigned char)(255 - i * 3);
      rgba[i * 4 + 2] = 90;
      rgba[i * 4 + 3] = (unsigned char)(128 + i);
      alpha[i] = (unsigned char)(i * 4 + 3);
    }
    const int image = t.makeTexture(t.user, kCanvasTextureRGBA, 8, 8, 0, rgba.data());
    const int glyphs = t.makeTexture(t.user, kCanvasTextureAlpha, 8, 8, 0, alpha.data());

    BindCanvasRenderTarget(c, target);
    CanvasGLApi& g = CanvasGLBackendOf(c)->gl;
    g.viewport(0, 0, W, H);
    g.clearColor(0.f, 0.f, 0.f, 0.f);
    g.clear(cgl::kColorBufferBit | cgl::kStencilBufferBit);
    c->StartFrame((float)W, (float)H, 1.f);
    auto rect = [&](float x, float y, float w, float h) {
      c->BeginPath();
      c->AddRectangle(x, y, w, h);
      c->FillPath();
    };
    auto circle = [&](float x, float y, float r) {
      c->BeginPath();
      c->AddArc(x, y, r, 0.f, 6.2831855f, kCanvasCW);
      c->FillPath();
    };
    c->SetFillPaint(CanvasLinearGradient(0, 0, 100, 30, CanvasRGBAf(1, 0, 0, 1), CanvasRGBAf(0, 0, 1, 0.5f)));
    rect(0, 0, 100, 40);
    c->SetFillPaint(CanvasRadialGradient(30, 30, 5, 25, CanvasRGBAf(0, 1, 0, 0.8f), CanvasRGBAf(1, 1, 0, 0.1f)));
    circle(30, 30, 25);
    c->SetFillPaint(CanvasBoxGradient(55, 10, 30, 20, 5, 6, CanvasRGBAf(0, 0, 0, 0.9f), CanvasRGBAf(1, 1, 1, 0)));
    rect(50, 5, 40, 30);
    // Many small translucent circles: more calls than a table holds.
    for (int i = 0; i < 80; i++)
    {
      c->SetFillColor(CanvasRGBAf((float)(i % 7) / 6.f, (float)(i % 5) / 4.f, (float)(i % 3) / 2.f, 0.3f));
      circle(5.f + (float)(i % 10) * 10.f, 45.f + (float)(i / 10) * 4.f, 3.f + (float)(i % 4));
    }
    c->SetFillPaint(CanvasImagePattern(10, 60, 16, 16, 0.3f, image, 0.9f));
    rect(5, 55, 30, 30);
    // A concave star through the stencil, between runs of convex calls.
    c->SetFillColor(CanvasRGBAf(0.2f, 0.6f, 1.f, 0.7f));
    c->BeginPath();
    c->MoveTo(70, 50);
    for (int i = 1; i < 10; i++)
    {
      const float a = (float)i * 0.6283185f, r = i % 2 ? 8.f : 20.f;
      c->LineTo(70 + r * std::sin(a), 70 - r * std::cos(a));
    }
    c->ClosePath();
    c->FillPath();
    c->SetCompositeOperation(kCanvasLighter);
    c->SetFillColor(CanvasRGBAf(0.3f, 0.1f, 0.f, 0.5f));
    rect(60, 60, 30, 30);
    c->SetCompositeOperation(kCanvasSourceOver);
    c->SetClipRect(40.5f, 0, 30, 100);
    for (float w : {0.5f, 1.f, 3.f})
    {
      c->SetStrokeColor(CanvasRGBAf(1, 1, 1, 0.6f));
      c->SetStrokeWidth(w);
      c->BeginPath();
      c->MoveTo(30, 20 + w * 10);
      c->LineTo(90, 95 - w * 10);
      c->LineTo(35, 95);
      c->StrokePath();
    }
    c->SetClipRect(0, 0, 100, 100);
    CanvasPaint text = CanvasColorPaint(CanvasRGBAf(1, 1, 0.5f, 1));
    text.image = glyphs;
    const CanvasVertex quad[6] = {{40, 80, 0, 0}, {40, 96, 0, 1}, {56, 80, 1, 0},
                                  {56, 80, 1, 0}, {40, 96, 0, 1}, {56, 96, 1, 1}};
    t.queueTriangles(t.user, &text, CanvasCompositeForOperation(kCanvasSourceOver), &c->State().scissor, quad, 6,
                     c->fringeWidth);
    c->FinishFrame();

    std::vector<uint8_t> out((size_t)W * H * 4);
    g.pixelStorei(cgl::kPackAlignment, 1);
    g.readPixels(0, 0, W, H, cgl::kRGBA, cgl::kUnsignedByte, out.data());
    BindCanvasRenderTarget(c, nullptr);
    t.freeTexture(t.user, image);
    t.freeTexture(t.user, glyphs);
    return out;
  }
};
} // namespace

TEST_F(GLBatchPixels, ATableOfAnySizeDrawsWhatOneCallPerDrawDraws)
{
  CanvasContext* plain = CanvasWithUniformSpace(64);
  CanvasContext* two = CanvasWithUniformSpace((2 * 11 + 8) * 4);
  CanvasContext* full = CanvasWithUniformSpace(16384);
  ASSERT_TRUE(plain && two && full);
  ASSERT_EQ(CanvasGLBackendOf(plain)->paintSlots, 1);
  ASSERT_EQ(CanvasGLBackendOf(two)->paintSlots, 2);
  ASSERT_EQ(CanvasGLBackendOf(full)->paintSlots, 64);
  const std::vector<uint8_t> one = Scene(plain);
  long drawn = 0;
  for (size_t i = 3; i < one.size(); i += 4)
    drawn += one[i] != 0;
  EXPECT_GT(drawn, W * H * 3 / 4);
  EXPECT_EQ(Differing(Scene(two), one), 0);
  EXPECT_EQ(Differing(Scene(full), one), 0);
  for (CanvasContext* c : {plain, two, full})
    CanvasContext::Destroy(c);
}
