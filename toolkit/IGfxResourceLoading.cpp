// Loading raw resources, bitmaps, SVG documents and fonts by name. Bitmaps
// and SVG documents are shared by all editor windows of the process through
// their caches.
#include "toolkit/IGfx.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <string>

#include "base/IHeapBuf.h"
#include "base/OpenFileUtf8.h"
#include "toolkit/ResourceCaches.h"
#include "toolkit/svg/SVGImage.h"
#include "toolkit/svg/SVGParser.h"
#include "platform/PlatformFont.h"

namespace ifx {
namespace igfx {

namespace {
// Larger resources are refused: no font or image of the editor comes near
// this, and a bogus size must not turn into an allocation.
constexpr long kMaxResourceBytes = 256L << 20;

// Scales in the order they are tried: the target, then 3, then downwards,
// skipping the target. Target 1: 1 3 2; 2: 2 3 1; 3: 3 2 1; 4: 4 3 2 1.
template <class F>
bool ForEachCandidateScale(int target, F&& f)
{
  if (target < 1)
    target = 1;
  for (int s = target; s >= 1;)
  {
    if (f(s))
      return true;
    if (s == target && target != 3)
      s = 3;
    else if (s == target + 1)
      s = target - 1;
    else
      s = s - 1;
  }
  return false;
}

std::string ExtensionOf(const char* name)
{
  const char* dot = std::strrchr(name, '.');
  return dot ? std::string(dot + 1) : std::string(name);
}

std::string ScaledCandidate(const char* name, int scale)
{
  if (scale == 1)
    return name;
  const std::string full(name);
  const size_t dot = full.rfind('.');
  const std::string stem = dot == std::string::npos ? full : full.substr(0, dot);
  const std::string ext = dot == std::string::npos ? std::string() : full.substr(dot);
  char buf[1024];
  std::snprintf(buf, sizeof(buf), "%s@%dx%s", stem.c_str(), scale, ext.c_str());
  std::string out(buf);
  // The formatted name never grows beyond the name's length + 3.
  if (out.size() > full.size() + 3)
    out.resize(full.size() + 3);
  return out;
}
} // namespace

bool IGfx::LoadResource(const char* name, const char* type, IHeapBuf& result)
{
  result.Resize(0, true);
  if (!name || !type)
    return false;
  (void)GetBundleID();
  IString path;
  const int kind = FindResourceOrFile(name, type, path, ModuleHandle());
  if (kind == kResourceEmbedded)
  {
    int size = 0;
    const void* data = LoadResourceData(path.Get(), type, size, ModuleHandle());
    if (!data || size <= 0 || size > kMaxResourceBytes)
      return false;
    if (result.Resize(size) && result.GetSize() == size)
      std::memcpy(result.Get(), data, static_cast<size_t>(size));
    else
      result.Resize(0, true);
  }
  else if (kind == kResourceOnDisk)
  {
    std::FILE* f = OpenFileUtf8(path.Get(), "rb");
    if (!f)
      return false;
    // ftell answers -1 when the size cannot be had.
    long size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0)
      size = std::ftell(f);
    if (size > 0 && size <= kMaxResourceBytes && std::fseek(f, 0, SEEK_SET) == 0 &&
        result.Resize(static_cast<int>(size)) && result.GetSize() == static_cast<int>(size))
    {
      // A short read gives nothing rather than part of the file.
      if (std::fread(result.Get(), 1, static_cast<size_t>(size), f) != static_cast<size_t>(size))
        result.Resize(0, true);
    }
    else
    {
      result.Resize(0, true);
    }
    std::fclose(f);
  }
  return result.GetSize() > 0;
}

int IGfx::FindImageResource(const char* name, const char* ext, IString& path, int targetScale, int& sourceScale)
{
  sourceScale = 0;
  if (!name || !ext)
    return kResourceNotFound;
  (void)GetBundleID();
  int found = kResourceNotFound;
  ForEachCandidateScale(targetScale, [&](int s) {
    const std::string candidate = ScaledCandidate(name, s);
    const int kind = FindResourceOrFile(candidate.c_str(), ext, path, ModuleHandle());
    if (kind > kResourceNotFound)
    {
      found = kind;
      sourceScale = s;
      return true;
    }
    return false;
  });
  return found;
}

APIBitmap* IGfx::FindCachedBitmap(const char* name, int targetScale, int& sourceScale)
{
  auto& cache = BitmapCache();
  std::lock_guard<std::recursive_mutex> lock(cache.Lock());
  APIBitmap* found = nullptr;
  sourceScale = 0;
  ForEachCandidateScale(targetScale, [&](int s) {
    found = cache.Find(name, static_cast<double>(s));
    if (found)
      sourceScale = s;
    return found != nullptr;
  });
  return found;
}

IBitmapRef IGfx::LoadBitmapVia(const char* name, int nStates, bool framesAreHorizontal, int targetScale,
                               const BitmapSource& source)
{
  if (!name)
    return IBitmapRef();
  if (targetScale == 0)
    targetScale = static_cast<int>(std::ceil(mScreenScale));

  auto& cache = BitmapCache();
  std::lock_guard<std::recursive_mutex> lock(cache.Lock());
  // Each handle to a shared bitmap holds it until released.
  if (APIBitmap* cached = cache.Find(name, static_cast<double>(targetScale)))
  {
    cache.AddHolder(cached);
    return MakeBitmapRef(cached, nStates, framesAreHorizontal, name);
  }

  const std::string ext = ExtensionOf(name);
  if (!SupportsImageType(ext.c_str()))
    return IBitmapRef();

  bool decoded = false;
  APIBitmap* bitmap = source(targetScale, ext.c_str(), decoded);
  if (!bitmap)
    return IBitmapRef();

  // Another scale is redrawn at the target scale; a bitmap decoded just now
  // at the right scale joins the cache.
  const IBitmapRef ref = MakeBitmapRef(bitmap, nStates, framesAreHorizontal, name);
  if (bitmap->GetScale() != static_cast<float>(targetScale))
  {
    const IBitmapRef scaled = ScaleBitmap(ref, name, targetScale);
    if (decoded)
      delete bitmap;
    return scaled;
  }
  if (decoded)
    RetainBitmap(ref, name);
  else
    cache.AddHolder(bitmap);
  return ref;
}

IBitmapRef IGfx::LoadBitmap(const char* name, int nStates, bool framesAreHorizontal, int targetScale)
{
  return LoadBitmapVia(name, nStates, framesAreHorizontal, targetScale,
                       [this, name](int scale, const char* ext, bool& decoded) -> APIBitmap* {
                         IString path;
                         int sourceScale = 0;
                         const int kind = FindImageResource(name, ext, path, scale, sourceScale);
                         if (kind == kResourceNotFound)
                           return FindCachedBitmap(name, scale, sourceScale);
                         APIBitmap* bitmap = nullptr;
                         if (sourceScale != scale)
                           bitmap = BitmapCache().Find(name, static_cast<double>(sourceScale));
                         if (!bitmap)
                         {
                           bitmap =
                             DecodeBitmapFile(path.Get(), sourceScale, static_cast<EResourceLocation>(kind), ext);
                           decoded = bitmap != nullptr;
                         }
                         return bitmap;
                       });
}

IBitmapRef IGfx::LoadBitmapFromMemory(const char* name, const void* data, int dataSize, int nStates,
                                      bool framesAreHorizontal, int targetScale)
{
  if (!data || dataSize <= 0)
    return IBitmapRef();
  return LoadBitmapVia(name, nStates, framesAreHorizontal, targetScale,
                       [this, name, data, dataSize](int scale, const char*, bool& decoded) -> APIBitmap* {
                         APIBitmap* bitmap = DecodeBitmapData(name, data, dataSize, scale);
                         decoded = bitmap != nullptr;
                         return bitmap;
                       });
}

// The back end keeps the font's bytes and the platform its own copy of what
// native text entry needs; the font object itself is done with either way.
bool IGfx::AdoptPlatformFont(const char* fontID, PlatformFont* font)
{
  const std::unique_ptr<PlatformFont> loaded(font);
  if (!loaded || !RegisterBackendFont(fontID, loaded.get()))
    return false;
  CachePlatformFont(fontID, loaded.get());
  return true;
}

bool IGfx::LoadFont(const char* fontID, const char* fileNameOrResID)
{
  return AdoptPlatformFont(fontID, LoadPlatformFont(fontID, fileNameOrResID));
}

bool IGfx::LoadFontFromMemory(const char* fontID, const void* data, int dataSize)
{
  if (!data || dataSize <= 0)
    return false;
  return AdoptPlatformFont(fontID, LoadPlatformFontFromMemory(fontID, data, dataSize));
}

void IGfx::RetainBitmap(const IBitmapRef& bitmap, const char* cacheName)
{
  if (!bitmap.GetAPIBitmap())
    return;
  auto& cache = BitmapCache();
  std::lock_guard<std::recursive_mutex> lock(cache.Lock());
  // A bitmap the cache owns already gains a holder rather than a second owner.
  if (!cache.AddHolder(bitmap.GetAPIBitmap()))
    cache.Add(bitmap.GetAPIBitmap(), cacheName, bitmap.GetAPIBitmap()->GetScale());
}

void IGfx::ReleaseBitmap(const IBitmapRef& bitmap)
{
  if (!bitmap.GetAPIBitmap())
    return;
  auto& cache = BitmapCache();
  std::lock_guard<std::recursive_mutex> lock(cache.Lock());
  // Freed only with its last holder: other handles may still draw it.
  cache.RemoveHolder(bitmap.GetAPIBitmap());
}

IBitmapRef IGfx::ScaleBitmap(const IBitmapRef& inBitmap, const char* cacheName, int targetScale)
{
  if (!inBitmap.IsValid() || targetScale <= 0)
    return IBitmapRef();
  const float savedScreen = mScreenScale, savedDraw = mDrawScale;
  mScreenScale = static_cast<float>(targetScale);
  mDrawScale = inBitmap.GetDrawScale();
  const IRECT bounds(0.f, 0.f, static_cast<float>(inBitmap.W()), static_cast<float>(inBitmap.H()));
  IOffscreenLayer* layer = nullptr;
  if (StartLayer(nullptr, bounds))
  {
    DrawBitmap(inBitmap, bounds, 0, 0, nullptr);
    layer = PopLayer();
  }
  mScreenScale = savedScreen;
  mDrawScale = savedDraw;
  if (!layer)
    return IBitmapRef();
  APIBitmap* bitmap = layer->mBitmap;
  layer->mBitmap = nullptr;
  delete layer;
  const IBitmapRef result = MakeBitmapRef(bitmap, inBitmap.N(), inBitmap.GetFramesAreHorizontal(), cacheName);
  if (!result.GetAPIBitmap())
  {
    delete bitmap;
    return IBitmapRef();
  }
  RetainBitmap(result, cacheName);
  return result;
}

// Parsed SVG documents are shared by all editor windows through the SVG
// cache, under the name they were loaded by. A failed parse caches nothing,
// so the next load tries again.
ISvgDocument IGfx::LoadSVGFromMemory(const char* name, const char* text, int length, const char* units, float dpi)
{
  auto& cache = SVGCache();
  std::lock_guard<std::recursive_mutex> lock(cache.Lock());
  if (SVGHolder* cached = cache.Find(name, 1.0))
    return ISvgDocument(cached);
  if (!text)
    return ISvgDocument();
  // The parser writes into its text: it gets its own zero-terminated copy of
  // the first length bytes, or of the text up to its first zero byte.
  size_t size = 0;
  if (length > 0)
  {
    const void* zero = std::memchr(text, 0, static_cast<size_t>(length));
    size = zero ? static_cast<size_t>(static_cast<const char*>(zero) - text) : static_cast<size_t>(length);
  }
  else
  {
    size = std::strlen(text);
  }
  std::unique_ptr<char[]> copy(new (std::nothrow) char[size + 1]);
  if (!copy)
    return ISvgDocument();
  std::memcpy(copy.get(), text, size);
  copy[size] = '\0';
  SVGImage* image = ParseSVG(copy.get(), units, dpi);
  if (!image)
    return ISvgDocument();
  auto* holder = new (std::nothrow) SVGHolder(image);
  if (!holder)
  {
    DeleteSVGImage(image);
    return ISvgDocument();
  }
  cache.Add(holder, name, 1.0);
  return ISvgDocument(holder);
}

ISvgDocument IGfx::LoadSVG(const char* fileName, const char* units, float dpi)
{
  auto& cache = SVGCache();
  // Held across the load; LoadSVGFromMemory takes it again.
  std::lock_guard<std::recursive_mutex> lock(cache.Lock());
  if (SVGHolder* cached = cache.Find(fileName, 1.0))
    return ISvgDocument(cached);
  IHeapBuf data;
  if (!LoadResource(fileName, "svg", data))
    return ISvgDocument();
  return LoadSVGFromMemory(fileName, data.GetAs<char>(), data.GetSize(), units, dpi);
}

} // namespace igfx
} // namespace ifx
