#pragma once
// The worn case the meters, tab switches and the mode button sit in: a body,
// a face inset into it, and a bevel along the face's top and left edges.
#include <cstdint>

#include "toolkit/IRECT.h"
#include "toolkit/IRgba.h"

namespace ifx {
namespace igfx {
class IGfx;
}
} // namespace ifx

namespace murkwisp {

struct WornCase
{
  ifx::igfx::IRgba body;
  ifx::igfx::IRgba face;
  float faceInset; // the face is the body shrunk by this
  float radius;    // of the body's corners; the face's are one less
  ifx::igfx::IRgba bevel;
  int32_t sideAlpha; // the left bevel's alpha (the top one has the colour's)
  float bevelInset;  // the bevel lines stop this far from the corners

  void Draw(ifx::igfx::IGfx& g, const ifx::igfx::IRECT& r) const;
};

} // namespace murkwisp
