#include "renderer/GLCanvasFixture.h"

using namespace ifx::canvas;

using GLRenderTargets = GLCanvasFixture;

TEST_F(GLRenderTargets, NewTargetsStartTransparent)
{
  // Dirty the GL memory a new target may be given.
  Begin();
  FillRect(0.f, 0.f, 100.f, 100.f, White());
  End();
  DeleteCanvasRenderTarget(target);
  target = CreateCanvasRenderTarget(canvas, W, H);
  ASSERT_NE(target, nullptr);
  BindCanvasRenderTarget(canvas, target);
  pixels.assign((size_t)W * H * 4, 1);
  gl->readPixels(0, 0, W, H, cgl::kRGBA, cgl::kUnsignedByte, pixels.data());
  for (size_t i = 0; i < pixels.size(); i++)
    ASSERT_EQ(pixels[i], 0) << i;
  // And the stencil is zero: a stencil fill covers only its own shape.
  canvas->StartFrame((float)W, (float)H, 1.f);
  canvas->BeginPath();
  canvas->AddRectangle(10.f, 10.f, 10.f, 10.f);
  canvas->AddRectangle(30.f, 10.f, 10.f, 10.f);
  canvas->FillPath();
  End();
  EXPECT_EQ(Alpha(25, 15), 0);
  EXPECT_EQ(Alpha(15, 15), 255);
  EXPECT_EQ(Alpha(50, 50), 0);
}

TEST_F(GLRenderTargets, PartialRedrawKeepsTheRest)
{
  Begin();
  FillRect(0.f, 0.f, 100.f, 100.f, CanvasRGBAf(1, 0, 0, 1));
  End();
  Begin();
  canvas->SetClipRect(40.f, 40.f, 20.f, 20.f);
  FillRect(0.f, 0.f, 100.f, 100.f, CanvasRGBAf(0, 1, 0, 1));
  End();
  EXPECT_EQ(At(10, 10).r, 255);
  EXPECT_EQ(At(10, 10).g, 0);
  EXPECT_EQ(At(50, 50).g, 255);
  EXPECT_EQ(At(50, 50).r, 0);
  EXPECT_EQ(At(39, 50).r, 255);
  EXPECT_EQ(At(60, 50).r, 255);
}

TEST_F(GLRenderTargets, TargetImageDrawsBackUprightAsAPattern)
{
  Begin();
  FillRect(0.f, 0.f, 100.f, 50.f, CanvasRGBAf(1, 0, 0, 1)); // top half red
  End();
  CanvasRenderTarget* second = CreateCanvasRenderTarget(canvas, W, H);
  ASSERT_NE(second, nullptr);
  BindCanvasRenderTarget(canvas, second);
  canvas->StartFrame((float)W, (float)H, 1.f);
  canvas->BeginPath();
  canvas->AddRectangle(0.f, 0.f, 100.f, 100.f);
  canvas->SetFillPaint(CanvasImagePattern(0.f, 0.f, 100.f, 100.f, 0.f, target->image, 1.f));
  canvas->FillPath();
  canvas->FinishFrame();
  gl->readPixels(0, 0, W, H, cgl::kRGBA, cgl::kUnsignedByte, pixels.data());
  DeleteCanvasRenderTarget(second);
  EXPECT_EQ(At(50, 10).r, 255);
  EXPECT_EQ(At(50, 90).a, 0);
}

TEST_F(GLRenderTargets, WindowFramebufferIsReadPerCanvas)
{
  // Two canvases made while different framebuffers were bound each keep
  // their own: the window's framebuffer belongs to a context, not the process.
  EXPECT_EQ(CanvasGLBackendOf(canvas)->windowFramebuffer, 0);
  gl->bindFramebuffer(cgl::kFramebuffer, target->framebuffer);
  CanvasContext* other = CreateCanvasGL(*gl, kCanvasGLAntiAlias);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(CanvasGLBackendOf(other)->windowFramebuffer, (int)target->framebuffer);
  BindCanvasRenderTarget(canvas, nullptr);
  int bound = -1;
  gl->getIntegerv(cgl::kFramebufferBinding, &bound);
  EXPECT_EQ(bound, 0);
  BindCanvasRenderTarget(other, nullptr);
  gl->getIntegerv(cgl::kFramebufferBinding, &bound);
  EXPECT_EQ(bound, (int)target->framebuffer);
  gl->bindFramebuffer(cgl::kFramebuffer, 0);
  CanvasContext::Destroy(other);
}

TEST_F(GLRenderTargets, ZeroSizedTargetIsRefused)
{
  EXPECT_EQ(CreateCanvasRenderTarget(canvas, 0, 10), nullptr);
  EXPECT_EQ(CreateCanvasRenderTarget(nullptr, 10, 10), nullptr);
}
