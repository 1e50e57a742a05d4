#include "platform/FontDataCache.h"

#include <mutex>

#include "platform/PlatformFont.h"

namespace ifx {
namespace igfx {

ScaledResourceCache<FontFileData>& FontDataCache()
{
  static ScaledResourceCache<FontFileData> cache;
  return cache;
}

bool RegisterCachedFontData(const char* fontID, const PlatformFont& font, const RegisterFontBytesFunc& registerBytes)
{
  if (!fontID || !registerBytes)
    return false;
  auto& cache = FontDataCache();
  std::lock_guard<std::recursive_mutex> lock(cache.Lock());
  if (const FontFileData* cached = cache.Find(fontID, 1.0))
  {
    // The bytes were read once already; this back end's store gets them too.
    registerBytes(*cached);
    return true;
  }
  std::unique_ptr<FontFileData> data = font.GetFileData();
  if (!data || !data->IsValid() || !registerBytes(*data))
    return false;
  cache.Add(data.release(), fontID, 1.0);
  return true;
}

} // namespace igfx
} // namespace ifx
