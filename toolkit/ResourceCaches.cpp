#include "toolkit/ResourceCaches.h"

#include "toolkit/IGfxResources.h"

namespace ifx {
namespace igfx {

ScaledResourceCache<APIBitmap>& BitmapCache()
{
  static ScaledResourceCache<APIBitmap> cache;
  return cache;
}

ScaledResourceCache<SVGHolder>& SVGCache()
{
  static ScaledResourceCache<SVGHolder> cache;
  return cache;
}

} // namespace igfx
} // namespace ifx
