#include "window/win/WinGLContext.h"

namespace ifx {
namespace igfx {

HGLRC CreateWindowGLContext(HDC dc) noexcept
{
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof(pfd);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  pfd.cDepthBits = 24;
  pfd.cStencilBits = 8;
  const int format = ChoosePixelFormat(dc, &pfd);
  if (format == 0 || !SetPixelFormat(dc, format, &pfd))
    return nullptr;
  return wglCreateContext(dc);
}

} // namespace igfx
} // namespace ifx
