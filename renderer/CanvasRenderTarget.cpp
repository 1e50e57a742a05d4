#include "renderer/CanvasRenderTarget.h"

#include <new>

#include "renderer/CanvasContext.h"
#include "renderer/CanvasGLBackend.h"

namespace ifx::canvas {

namespace {
void DeleteParts(CanvasGLBackend& b, CanvasRenderTarget* t)
{
  if (t->framebuffer != 0)
    b.gl.deleteFramebuffers(1, &t->framebuffer);
  if (t->renderbuffer != 0)
    b.gl.deleteRenderbuffers(1, &t->renderbuffer);
  if (t->image >= 0)
    CanvasGLBackend::FreeTexture(&b, t->image);
}
} // namespace

CanvasRenderTarget* CreateCanvasRenderTarget(CanvasContext* canvas, int width, int height)
{
  CanvasGLBackend* b = CanvasGLBackendOf(canvas);
  if (!b || width <= 0 || height <= 0)
    return nullptr;
  CanvasGLApi& gl = b->gl;

  int previousFramebuffer = 0, previousRenderbuffer = 0;
  gl.getIntegerv(cgl::kFramebufferBinding, &previousFramebuffer);
  gl.getIntegerv(cgl::kRenderbufferBinding, &previousRenderbuffer);

  auto* t = new (std::nothrow) CanvasRenderTarget{};
  if (!t)
    return nullptr;
  t->canvas = canvas;
  t->width = width;
  t->height = height;
  t->image = CanvasGLBackend::MakeTexture(b, kCanvasTextureRGBA, width, height,
                                          kCanvasImageFlipY | kCanvasImagePremultiplied, nullptr);
  const CanvasGLTexture* tex = b->FindTexture(t->image);
  if (!tex)
  {
    delete t;
    return nullptr;
  }
  t->texture = tex->tex;

  gl.genFramebuffers(1, &t->framebuffer);
  gl.bindFramebuffer(cgl::kFramebuffer, t->framebuffer);
  gl.genRenderbuffers(1, &t->renderbuffer);
  gl.bindRenderbuffer(cgl::kRenderbuffer, t->renderbuffer);
  gl.renderbufferStorage(cgl::kRenderbuffer, cgl::kStencilIndex8, width, height);
  gl.framebufferTexture2D(cgl::kFramebuffer, cgl::kColorAttachment0, cgl::kTexture2D, t->texture, 0);
  gl.framebufferRenderbuffer(cgl::kFramebuffer, cgl::kStencilAttachment, cgl::kRenderbuffer, t->renderbuffer);

  bool complete = gl.checkFramebufferStatus(cgl::kFramebuffer) == cgl::kFramebufferComplete;
  if (!complete)
  {
    // Some drivers take stencil only packed with depth.
    gl.renderbufferStorage(cgl::kRenderbuffer, cgl::kDepth24Stencil8, width, height);
    gl.framebufferRenderbuffer(cgl::kFramebuffer, cgl::kStencilAttachment, cgl::kRenderbuffer, t->renderbuffer);
    complete = gl.checkFramebufferStatus(cgl::kFramebuffer) == cgl::kFramebufferComplete;
  }

  if (complete)
  {
    // New GL storage holds whatever was there before: start transparent with
    // a zero stencil, as the stencil fills expect.
    gl.disable(cgl::kScissorTest);
    gl.colorMask(1, 1, 1, 1);
    gl.stencilMask(0xffffffffu);
    b->stencilMaskCache = 0xffffffffu;
    gl.clearColor(0.f, 0.f, 0.f, 0.f);
    gl.clearStencil(0);
    gl.clear(cgl::kColorBufferBit | cgl::kStencilBufferBit);
  }
  else
  {
    DeleteParts(*b, t);
    delete t;
    t = nullptr;
  }
  gl.bindFramebuffer(cgl::kFramebuffer, (cgl::Uint)previousFramebuffer);
  gl.bindRenderbuffer(cgl::kRenderbuffer, (cgl::Uint)previousRenderbuffer);
  return t;
}

void DeleteCanvasRenderTarget(CanvasRenderTarget* target)
{
  if (!target)
    return;
  if (CanvasGLBackend* b = CanvasGLBackendOf(target->canvas))
    DeleteParts(*b, target);
  delete target;
}

void BindCanvasRenderTarget(CanvasContext* canvas, const CanvasRenderTarget* target)
{
  CanvasGLBackend* b = CanvasGLBackendOf(canvas);
  if (!b)
    return;
  const cgl::Uint fb = target ? target->framebuffer : (cgl::Uint)b->windowFramebuffer;
  b->gl.bindFramebuffer(cgl::kFramebuffer, fb);
}

bool BlitCanvasRenderTargetToWindow(CanvasContext* canvas, const CanvasRenderTarget* source)
{
  CanvasGLBackend* b = CanvasGLBackendOf(canvas);
  if (!b || !source || !b->gl.blitFramebuffer)
    return false;
  CanvasGLApi& gl = b->gl;
  const cgl::Uint window = (cgl::Uint)b->windowFramebuffer;
  gl.bindFramebuffer(cgl::kFramebuffer, window);
  // A blit into a multisampled framebuffer is an error.
  int sampleBuffers = 0;
  gl.getIntegerv(cgl::kSampleBuffers, &sampleBuffers);
  if (sampleBuffers != 0)
    return false;
  gl.bindFramebuffer(cgl::kReadFramebuffer, source->framebuffer);
  gl.disable(cgl::kScissorTest);
  gl.blitFramebuffer(0, 0, source->width, source->height, 0, 0, source->width, source->height, cgl::kColorBufferBit,
                     cgl::kNearest);
  gl.bindFramebuffer(cgl::kFramebuffer, window);
  return true;
}

} // namespace ifx::canvas
