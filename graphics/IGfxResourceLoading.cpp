// Fonts and the shared bitmap cache. Image files, SVG documents and module
// resources are located by the platform layer, which this build does not
// have yet: those loads report a miss (an empty result), which callers
// already handle for resources the module does not carry.
#include "graphics/IGfx.h"

#include <mutex>

#include "core/IHeapBuf.h"
#include "graphics/ScaledResourceCache.h"

namespace ifx {
namespace igfx {

bool IGfx::LoadFont(const char* fontID, const char* fileNameOrResID)
{
  PlatformFont* font = LoadPlatformFont(fontID, fileNameOrResID);
  if (!font)
    return false;
  if (!RegisterBackendFont(fontID, font))
    return false;
  // The platform cache takes the font over.
  CachePlatformFont(fontID, font);
  return true;
}

bool IGfx::LoadFontFromMemory(const char* fontID, const void* data, int dataSize)
{
  if (!data || dataSize <= 0)
    return false;
  PlatformFont* font = LoadPlatformFontFromMemory(fontID, data, dataSize);
  if (!font)
    return false;
  if (!RegisterBackendFont(fontID, font))
    return false;
  CachePlatformFont(fontID, font);
  return true;
}

void IGfx::RetainBitmap(const IBitmapRef& bitmap, const char* cacheName)
{
  if (!bitmap.GetAPIBitmap())
    return;
  auto& cache = BitmapCache();
  std::lock_guard<std::recursive_mutex> lock(cache.Lock());
  cache.Add(bitmap.GetAPIBitmap(), cacheName, bitmap.GetAPIBitmap()->GetScale());
}

void IGfx::ReleaseBitmap(const IBitmapRef& bitmap)
{
  if (!bitmap.GetAPIBitmap())
    return;
  auto& cache = BitmapCache();
  std::lock_guard<std::recursive_mutex> lock(cache.Lock());
  cache.Remove(bitmap.GetAPIBitmap());
}

IBitmapRef IGfx::ScaleBitmap(const IBitmapRef& inBitmap, const char* cacheName, int targetScale)
{
  if (!inBitmap.IsValid() || targetScale <= 0)
    return IBitmapRef();
  const float savedScreen = mScreenScale, savedDraw = mDrawScale;
  mScreenScale = static_cast<float>(targetScale);
  mDrawScale = inBitmap.GetDrawScale();
  const IRECT bounds(0.f, 0.f, static_cast<float>(inBitmap.W()), static_cast<float>(inBitmap.H()));
  StartLayer(nullptr, bounds);
  DrawBitmap(inBitmap, bounds, 0, 0, nullptr);
  IOffscreenLayer* layer = PopLayer();
  mScreenScale = savedScreen;
  mDrawScale = savedDraw;
  if (!layer)
    return IBitmapRef();
  APIBitmap* bitmap = layer->mBitmap;
  layer->mBitmap = nullptr;
  delete layer;
  if (!bitmap || !(bitmap->GetScale() > 0.f))
  {
    delete bitmap;
    return IBitmapRef();
  }
  const IBitmapRef result(bitmap, static_cast<int>(static_cast<float>(bitmap->GetWidth()) / bitmap->GetScale()),
                          static_cast<int>(static_cast<float>(bitmap->GetHeight()) / bitmap->GetScale()),
                          inBitmap.N(), inBitmap.GetFramesAreHorizontal(), cacheName);
  RetainBitmap(result, cacheName);
  return result;
}

IBitmapRef IGfx::LoadBitmap(const char* name, int nStates, bool framesAreHorizontal, int targetScale)
{
  return IBitmapRef();
}

IBitmapRef IGfx::LoadBitmapFromMemory(const char* name, const void* data, int dataSize, int nStates,
                                      bool framesAreHorizontal, int targetScale)
{
  return IBitmapRef();
}

ISvgDocument IGfx::LoadSVGFromMemory(const char* name, const char* text, int length, const char* units, float dpi)
{
  return ISvgDocument();
}

ISvgDocument IGfx::LoadSVG(const char* fileName, const char* units, float dpi)
{
  return ISvgDocument();
}

bool IGfx::LoadResource(const char* name, const char* type, IHeapBuf& result)
{
  result.Resize(0, true);
  return false;
}

} // namespace igfx
} // namespace ifx
