#pragma once
// The graphics core's two process-wide caches. Lock order when both are
// held: the bitmap cache first.
#include "platform/ScaledResourceCache.h"

namespace ifx {
namespace igfx {

class APIBitmap;
struct SVGHolder;

ScaledResourceCache<APIBitmap>& BitmapCache();
ScaledResourceCache<SVGHolder>& SVGCache();

} // namespace igfx
} // namespace ifx
