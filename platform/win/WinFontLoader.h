#pragma once
// Fonts for the Windows editor window: found by face name among the fonts
// GDI knows, or installed privately in the process from the module's
// resources, a file or bytes, each returned as a new WinFont the caller
// owns (null on any failure). The editor window's LoadPlatformFont*,
// CachePlatformFont and construction and destruction call these. UI thread.
#include <memory>

#include "platform/PlatformFont.h"

namespace ifx {
namespace igfx {

enum EFontStyle : int
{
  kFontStyleNormal = 0,
  kFontStyleBold = 1,
  kFontStyleItalic = 2,
};

// An installed font by its face name; the style picks weight or italics.
std::unique_ptr<PlatformFont> LoadWinFontByName(const char* fontID, const char* faceName, int style);

// Installs the font in bytes privately (once per font: the same id, or the
// same bytes under another id, reuse the first install) and makes a GDI font
// of its family. Bytes that hold no usable face are refused before anything
// is installed. The bytes stay the caller's.
std::unique_ptr<PlatformFont> LoadWinFontFromMemory(const char* fontID, const void* bytes, int size);

// The font named (file name or resource name) from the module's resources of
// type "TTF", else from a file on disk, installed as above.
std::unique_ptr<PlatformFont> LoadWinFont(const char* fontID, const char* fileNameOrResID, void* module);

// Keeps a GDI font like the font's own under the id for native text entry;
// the first font kept under an id stays. The font stays the caller's.
void CacheWinFont(const char* fontID, const PlatformFont* font);

} // namespace igfx
} // namespace ifx
