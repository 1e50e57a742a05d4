#pragma once
// One pointer event as the window hands it to IGfx.
#include "toolkit/IInputEvents.h"

namespace ifx {
namespace testkit {

inline igfx::IMouseEvent PointerEvent(float x, float y, igfx::IMouseModifiers mod = igfx::IMouseModifiers(true),
                                      float dX = 0.f, float dY = 0.f)
{
  igfx::IMouseEvent e;
  e.x = x;
  e.y = y;
  e.dX = dX;
  e.dY = dY;
  e.ms = mod;
  return e;
}

} // namespace testkit
} // namespace ifx
