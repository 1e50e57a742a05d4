#include <cstring>
#include <string>

#include "renderer/GLCanvasFixture.h"

using namespace ifx::canvas;

namespace
{
CanvasGLBackend& Backend(CanvasContext* c) { return *CanvasGLBackendOf(c); }
} // namespace

using GLBackendQueue = GLCanvasFixture;

TEST_F(GLBackendQueue, UnknownBlendFlagDrawsAsSourceOver)
{
  Begin();
  canvas->State().composite = CanvasComposite{kCanvasOne, 3, kCanvasOne, kCanvasOne};
  FillRect(10.f, 10.f, 20.f, 20.f, White());
  const CanvasGLBlend b = Backend(canvas).calls[0].blend;
  EXPECT_EQ(b.srcRGB, cgl::kOne);
  EXPECT_EQ(b.dstRGB, cgl::kOneMinusSrcAlpha);
  EXPECT_EQ(b.srcAlpha, cgl::kOne);
  EXPECT_EQ(b.dstAlpha, cgl::kOneMinusSrcAlpha);

  canvas->SetCompositeBlend(kCanvasSrcAlpha, kCanvasDstAlpha);
  FillRect(10.f, 10.f, 20.f, 20.f, White());
  EXPECT_EQ(Backend(canvas).calls[1].blend.srcRGB, cgl::kSrcAlpha);
  EXPECT_EQ(Backend(canvas).calls[1].blend.dstAlpha, cgl::kDstAlpha);
  End();
}

TEST_F(GLBackendQueue, PaintNamingAMissingImageDropsTheCall)
{
  Begin();
  canvas->BeginPath();
  canvas->AddRectangle(10.f, 10.f, 20.f, 20.f);
  canvas->SetFillPaint(CanvasImagePattern(0, 0, 10, 10, 0, 9999, 1.f));
  canvas->FillPath();
  EXPECT_EQ(Backend(canvas).ncalls, 0);
  EXPECT_EQ(Backend(canvas).nverts, 0);
  EXPECT_EQ(Backend(canvas).nuniforms, 0);
  End();
  EXPECT_EQ(Alpha(20, 20), 0);
}

TEST_F(GLBackendQueue, TextureWritesStayInBoundsAndUnknownIdsFail)
{
  CanvasBackend& b = canvas->backend;
  const int image = b.makeTexture(b.user, kCanvasTextureRGBA, 4, 4, kCanvasImageMipmaps | kCanvasImageNearest,
                                  nullptr);
  ASSERT_NE(image, 0);
  int w = 0, h = 0;
  EXPECT_EQ(b.queryTextureSize(b.user, image, &w, &h), 1);
  EXPECT_EQ(w, 4);
  unsigned char data[4 * 4 * 4] = {};
  EXPECT_EQ(b.writeTexture(b.user, image, 2, 2, 2, 2, data), 1);
  EXPECT_EQ(b.writeTexture(b.user, image, 3, 0, 2, 2, data), 0); // past the right edge
  EXPECT_EQ(b.writeTexture(b.user, 4242, 0, 0, 1, 1, data), 0);
  EXPECT_EQ(b.queryTextureSize(b.user, 4242, &w, &h), 0);
  EXPECT_EQ(b.freeTexture(b.user, image), 1);
  EXPECT_EQ(b.freeTexture(b.user, image), 0);
  // Ids are never reused.
  const int next = b.makeTexture(b.user, kCanvasTextureAlpha, 1, 1, 0, nullptr);
  EXPECT_GT(next, image);
  EXPECT_EQ(b.makeTexture(b.user, kCanvasTextureAlpha, 0, 5, 0, nullptr), 0);
}

class GLStencilStrokes : public GLCanvasFixture
{
protected:
  int Flags() const override { return kCanvasGLAntiAlias | kCanvasGLStencilStrokes; }
};

TEST_F(GLStencilStrokes, SelfOverlappingStrokeBlendsOnce)
{
  Begin();
  canvas->SetStrokeColor(CanvasRGBAf(1, 1, 1, 0.5f));
  canvas->SetStrokeWidth(10.f);
  canvas->MoveTo(10.f, 50.f);
  canvas->LineTo(90.f, 50.f);
  canvas->LineTo(10.f, 60.f); // folds back over itself
  canvas->StrokePath();
  End();
  // Where the stroke overlaps itself it blends once: half alpha, not three quarters.
  EXPECT_NEAR(Alpha(20, 54), 128, 1);
}

TEST(GLLoader, AMissingEntryPointLeavesNoTableAndNoCanvas)
{
  EglTestContext egl;
  ASSERT_TRUE(egl.Ok()) << egl.Error();
  CanvasGLApi api;
  ASSERT_TRUE(LoadPlatformGLApi(&api));
  EXPECT_NE(api.readPixels, nullptr);

  struct Hide
  {
    static void* Load(void* user, const char* name)
    {
      return std::strcmp(name, static_cast<const char*>(user)) == 0 ? nullptr : EglTestContext::Proc(name);
    }
  };
  char hidden[] = "glStencilOpSeparate";
  EXPECT_FALSE(CanvasLoadGLApi(&api, Hide::Load, hidden));
  EXPECT_EQ(api.stencilOpSeparate, nullptr);
  EXPECT_EQ(api.activeTexture, nullptr); // nothing half filled
  EXPECT_FALSE(CanvasLoadGLApi(&api, nullptr, nullptr));

  // An optional entry may be missing: the table is whole without it.
  char blit[] = "glBlitFramebuffer";
  EXPECT_TRUE(CanvasLoadGLApi(&api, Hide::Load, blit));
  EXPECT_EQ(api.blitFramebuffer, nullptr);
  EXPECT_NE(api.drawElements, nullptr);
  ASSERT_TRUE(LoadPlatformGLApi(&api));
  EXPECT_NE(api.blitFramebuffer, nullptr);
}
