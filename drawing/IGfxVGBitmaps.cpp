// IGfxVG: bitmaps decoded into the instance's own cache, and drawn as image
// patterns.
#include "drawing/IGfxVG.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <mutex>
#include <string>

#include "drawing/CanvasPaintConversion.h"
#include "drawing/GLContextGuard.h"
#include "renderer/CanvasContext.h"
#include "renderer/CanvasPaint.h"

using namespace ifx::canvas;

namespace ifx {
namespace igfx {

namespace {
// A resource location for images that belong to someone else.
constexpr int kLocationShared = 3;
// No PNG or JPEG file is this short; such bytes never reach the decoder.
constexpr int kMinImageBytes = 8;
} // namespace

bool IGfxVG::SupportsImageType(const char* extension)
{
  if (!extension)
    return false;
  char lower[32];
  const size_t n = std::strlen(extension);
  if (n >= sizeof(lower))
    return false;
  for (size_t i = 0; i <= n; i++)
    lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(extension[i])));
  return std::strstr(lower, "png") || std::strstr(lower, "jpg") || std::strstr(lower, "jpeg");
}

IBitmapRef IGfxVG::LoadBitmap(const char* name, int nStates, bool framesAreHorizontal, int targetScale)
{
  if (!name)
    return IBitmapRef();
  if (targetScale == 0)
    targetScale = static_cast<int>(std::ceil(GetScreenScale()));

  std::lock_guard<std::recursive_mutex> lock(mBitmapCache.Lock());
  APIBitmap* bitmap = mBitmapCache.Find(name, static_cast<double>(targetScale));
  if (!bitmap)
  {
    const char* dot = std::strrchr(name, '.');
    const std::string ext = dot ? std::string(dot + 1) : std::string();
    IString path;
    int sourceScale = 0;
    const int location = FindImageResource(name, ext.c_str(), path, targetScale, sourceScale);
    if (location == kResourceNotFound || !SupportsImageType(ext.c_str()))
      return IBitmapRef();
    // Found only at another scale: decoded once at that scale, not again on
    // every load at this one.
    bitmap = mBitmapCache.Find(name, static_cast<double>(sourceScale));
    if (!bitmap)
    {
      bitmap = DecodeBitmapFile(path.Get(), sourceScale, static_cast<EResourceLocation>(location), ext.c_str());
      if (!bitmap)
        return IBitmapRef();
      mBitmapCache.Add(bitmap, name, static_cast<double>(sourceScale));
    }
  }
  return MakeBitmapRef(bitmap, nStates, framesAreHorizontal, name);
}

APIBitmap* IGfxVG::DecodeBitmapFile(const char* path, int scale, EResourceLocation location, const char* ext)
{
  if (!mCanvas || !path)
    return nullptr;
  int image = 0;
  const GLContextGuard context(*this);
  if (location == kResourceEmbedded)
  {
    int size = 0;
    const void* bytes = LoadResourceData(path, ext ? ext : "", size, ModuleHandle());
    if (bytes && size >= kMinImageBytes)
      image = mCanvas->LoadImageBytes(static_cast<const unsigned char*>(bytes), size);
  }
  else if (location == kResourceOnDisk)
  {
    image = mCanvas->LoadImageFile(path);
  }
  // Bytes that do not decode are no bitmap, as a missing file is none: a
  // later load tries them again.
  if (image == 0)
    return nullptr;
  return new Bitmap(mCanvas, image, static_cast<float>(scale), static_cast<int>(location) == kLocationShared);
}

APIBitmap* IGfxVG::DecodeBitmapData(const char* name, const void* data, int dataSize, int scale)
{
  if (!mCanvas || !name)
    return nullptr;
  std::lock_guard<std::recursive_mutex> lock(mBitmapCache.Lock());
  if (APIBitmap* cached = mBitmapCache.Find(name, static_cast<double>(scale)))
    return cached;
  int image = 0;
  if (data && dataSize >= kMinImageBytes)
  {
    const GLContextGuard context(*this);
    image = mCanvas->LoadImageBytes(static_cast<const unsigned char*>(data), dataSize);
  }
  if (image == 0)
    return nullptr;
  auto* bitmap = new Bitmap(mCanvas, image, static_cast<float>(scale), false);
  mBitmapCache.Add(bitmap, name, static_cast<double>(scale));
  return bitmap;
}

void IGfxVG::DrawBitmap(const IBitmapRef& bitmap, const IRECT& dest, int srcX, int srcY, const IBlendMode* blend)
{
  const APIBitmap* api = bitmap.GetAPIBitmap();
  // An empty reference or a failed decode has nothing to show.
  if (!mCanvas || !bitmap.IsValid() || api->GetImageId() == 0)
    return;
  const float scale = api->GetScale() * api->GetDrawScale();
  if (!(scale > 0.f))
    return;
  // The image at its own size, moved by minus the source offset; the
  // destination rectangle clips it.
  const float s = 1.f / scale;
  CanvasPaint paint =
    CanvasImagePattern(dest.L - static_cast<float>(srcX), dest.T - static_cast<float>(srcY),
                       static_cast<float>(bitmap.W()) * api->GetScale(),
                       static_cast<float>(bitmap.H()) * api->GetScale(), 0.f, api->GetImageId(), BlendWeight(blend));
  paint.xform[0] = s;
  paint.xform[3] = s;
  mCanvas->BeginPath();
  mCanvas->AddRectangle(dest.L, dest.T, dest.W(), dest.H());
  mCanvas->SetFillPaint(paint);
  ApplyBlendToCanvas(mCanvas, blend);
  mCanvas->FillPath();
  mCanvas->SetCompositeOperation(kCanvasSourceOver);
  mCanvas->BeginPath();
}

} // namespace igfx
} // namespace ifx
