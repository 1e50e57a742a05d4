#pragma once
// Font bytes read back from the platform, one copy per font id for the whole
// process (keyed by font id at scale 1). Every drawing back end registers the
// same bytes in its own glyph store without taking them over, so the bytes
// stay until the last back end releases the cache (Retain in its
// constructor, Release in its destructor). Lock order: this cache's lock
// before a back end's own lock.
#include <functional>

#include "platform/FontFileData.h"
#include "platform/ScaledResourceCache.h"

namespace ifx {
namespace igfx {

class PlatformFont;

ScaledResourceCache<FontFileData>& FontDataCache();

// Registers the bytes of fontID with a glyph store through registerBytes,
// which answers whether the store took them. Bytes already cached for the
// id are registered again and count as registered; otherwise the font's file
// data is read, and kept under the id only when it is valid and the store
// took it. Takes the cache's lock.
using RegisterFontBytesFunc = std::function<bool(const FontFileData& data)>;
bool RegisterCachedFontData(const char* fontID, const PlatformFont& font, const RegisterFontBytesFunc& registerBytes);

} // namespace igfx
} // namespace ifx
