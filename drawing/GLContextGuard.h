#pragma once
// Makes the editor's OpenGL context current for one scope: activation at
// construction, deactivation at destruction, so the two always pair up.
#include "toolkit/IGfx.h"

namespace ifx {
namespace igfx {

class GLContextGuard
{
public:
  explicit GLContextGuard(IGfx& graphics) : mGraphics(graphics) { mGraphics.ActivateGLContext(); }
  ~GLContextGuard() { mGraphics.DeactivateGLContext(); }

  GLContextGuard(const GLContextGuard&) = delete;
  GLContextGuard& operator=(const GLContextGuard&) = delete;

private:
  IGfx& mGraphics;
};

} // namespace igfx
} // namespace ifx
