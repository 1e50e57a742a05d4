#pragma once
// Pointer and key records handed from the window to the controls.
#include <cstdint>
#include <vector>

namespace ifx {
namespace igfx {

using ITouchID = uint64_t;

struct IMouseModifiers
{
  bool L = false;
  bool R = false;
  bool S = false;
  bool C = false;
  bool A = false;
  ITouchID touchID = 0;
  float touchRadius = 0.f;

  IMouseModifiers() = default;
  IMouseModifiers(bool l, bool r = false, bool s = false, bool c = false, bool a = false, ITouchID id = 0)
    : L(l), R(r), S(s), C(c), A(a), touchID(id)
  {
  }
};

struct IMouseEvent
{
  float x = 0.f;
  float y = 0.f;
  float dX = 0.f;
  float dY = 0.f;
  IMouseModifiers ms;
};

using IMouseEventList = std::vector<IMouseEvent>;

struct IKeyEvent
{
  int32_t VK = 0;
  char utf8[5] = {};
  bool S = false;
  bool C = false;
  bool A = false;
};

} // namespace igfx
} // namespace ifx
