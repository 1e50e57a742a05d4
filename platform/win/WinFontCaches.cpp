#include "platform/win/WinFontCaches.h"

#include <mutex>

namespace ifx {
namespace igfx {

FontInstall::FontInstall(HANDLE handle, const char* family, uint16_t macStyle, uint64_t digest, size_t size)
  : mHandle(handle), mFamily(family), mMacStyle(macStyle), mDigest(digest), mSize(size)
{
}

FontInstall::~FontInstall()
{
  if (mHandle)
    RemoveFontMemResourceEx(mHandle);
}

GdiFont::~GdiFont()
{
  if (mFont)
    DeleteObject(mFont);
}

ScaledResourceCache<InstalledFont>& InstalledFontCache()
{
  static ScaledResourceCache<InstalledFont> cache;
  return cache;
}

ScaledResourceCache<GdiFont>& GdiFontCache()
{
  static ScaledResourceCache<GdiFont> cache;
  return cache;
}

void RetainWinFontCaches()
{
  auto& installed = InstalledFontCache();
  auto& gdi = GdiFontCache();
  std::lock_guard<std::recursive_mutex> lockInstalled(installed.Lock());
  std::lock_guard<std::recursive_mutex> lockGdi(gdi.Lock());
  installed.Retain();
  gdi.Retain();
}

void ReleaseWinFontCaches()
{
  auto& installed = InstalledFontCache();
  auto& gdi = GdiFontCache();
  std::lock_guard<std::recursive_mutex> lockInstalled(installed.Lock());
  std::lock_guard<std::recursive_mutex> lockGdi(gdi.Lock());
  // GDI fonts made from the installs go before the installs.
  gdi.Release();
  installed.Release();
}

} // namespace igfx
} // namespace ifx
