#pragma once
// The editor window's OpenGL pixel format (32-bit RGBA, double-buffered, a
// 24-bit depth and the 8-bit stencil the renderer fills paths through) and
// a context for it.
#include <windows.h>

namespace ifx {
namespace igfx {

// Sets the format on dc and makes a context for it; null when the format
// cannot be had or the context not made. A device context takes one pixel
// format for its whole life.
HGLRC CreateWindowGLContext(HDC dc) noexcept;

} // namespace igfx
} // namespace ifx
