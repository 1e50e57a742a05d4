#pragma once
// Offscreen render targets of the GL back end (layers and the main frame):
// an RGBA texture, registered as a renderer image, with a stencil buffer.

#include "renderer/CanvasGLApi.h"

namespace ifx::canvas {

struct CanvasContext;

struct CanvasRenderTarget
{
  CanvasContext* canvas;
  cgl::Uint framebuffer;
  cgl::Uint renderbuffer;
  cgl::Uint texture;
  int image; // renderer image id of the colour texture (rows bottom-up)
  int width, height;
};

// A cleared target of the given size; null when the GL framebuffer cannot be
// made complete. The framebuffer bindings are left as they were.
CanvasRenderTarget* CreateCanvasRenderTarget(CanvasContext* canvas, int width, int height);
void DeleteCanvasRenderTarget(CanvasRenderTarget* target);

// Binds the target, or with null the framebuffer of the canvas's own GL
// context (read when the canvas was made).
void BindCanvasRenderTarget(CanvasContext* canvas, const CanvasRenderTarget* target);

// Copies the whole target, pixel for pixel, to the same place in the
// framebuffer of the canvas's own GL context, and leaves that bound. False,
// with nothing copied, where the context cannot blit (no entry point, or a
// multisampled window).
bool BlitCanvasRenderTargetToWindow(CanvasContext* canvas, const CanvasRenderTarget* source);

} // namespace ifx::canvas
