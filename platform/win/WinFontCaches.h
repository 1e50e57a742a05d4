#pragma once
// The two process-wide caches of the Windows font loading, both keyed by
// font id at scale 1: fonts installed privately in the process from memory,
// and GDI fonts kept for native text entry. The editor windows of the
// process use them (RetainWinFontCaches when one is made,
// ReleaseWinFontCaches when it goes); the last one empties them. Lock
// order: InstalledFontCache before GdiFontCache.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "base/IString.h"
#include "platform/ScaledResourceCache.h"

namespace ifx {
namespace igfx {

// One private install (AddFontMemResourceEx), removed when the last cache
// entry sharing it goes. Remembers what GDI fonts are made from it with.
class FontInstall
{
public:
  FontInstall(HANDLE handle, const char* family, uint16_t macStyle, uint64_t digest, size_t size);
  ~FontInstall();
  FontInstall(const FontInstall&) = delete;
  FontInstall& operator=(const FontInstall&) = delete;

  const char* GetFamily() const { return mFamily.Get(); }
  uint16_t GetMacStyle() const { return mMacStyle; }
  // The same font bytes as these (size and Fnv1a64 digest).
  bool IsSameFont(uint64_t digest, size_t size) const { return mDigest == digest && mSize == size; }

private:
  HANDLE mHandle;
  IString mFamily;
  uint16_t mMacStyle;
  uint64_t mDigest;
  size_t mSize;
};

// An entry of InstalledFontCache: several ids may share one install.
struct InstalledFont
{
  std::shared_ptr<FontInstall> install;
};

// An entry of GdiFontCache: owns its HFONT.
class GdiFont
{
public:
  explicit GdiFont(HFONT font) : mFont(font) {}
  ~GdiFont();
  GdiFont(const GdiFont&) = delete;
  GdiFont& operator=(const GdiFont&) = delete;
  HFONT Get() const { return mFont; }

private:
  HFONT mFont;
};

ScaledResourceCache<InstalledFont>& InstalledFontCache();
ScaledResourceCache<GdiFont>& GdiFontCache();

void RetainWinFontCaches();
void ReleaseWinFontCaches();

} // namespace igfx
} // namespace ifx
