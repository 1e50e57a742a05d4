#include "platform/win/WinFontLoader.h"

#include <windows.h>

#include <climits>
#include <mutex>

#include "platform/FontFileInfo.h"
#include "platform/ResourceLookup.h"
#include "platform/win/WinFont.h"
#include "platform/win/WinFontCaches.h"
#include "platform/win/WinText.h"

namespace ifx {
namespace igfx {

namespace {

// macStyle bits of the "head" table.
constexpr uint16_t kMacBold = 1 << 0;
constexpr uint16_t kMacItalic = 1 << 1;
constexpr uint16_t kMacUnderline = 1 << 2;

// A read-only view of a whole file; closes everything it opened.
class MappedFile
{
public:
  explicit MappedFile(const char* path)
  {
    const std::wstring wide = Widen(path);
    if (wide.empty())
      return;
    // No sharing: nobody may shorten the file under the view.
    mFile = CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER size = {};
    if (mFile == INVALID_HANDLE_VALUE || !GetFileSizeEx(mFile, &size) || size.QuadPart <= 0 || size.QuadPart > INT_MAX)
      return;
    mMapping = CreateFileMappingW(mFile, nullptr, PAGE_READONLY, 0, 0, nullptr);
    mView = mMapping ? MapViewOfFile(mMapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
    if (mView)
      mSize = static_cast<int>(size.QuadPart);
  }
  ~MappedFile()
  {
    if (mView)
      UnmapViewOfFile(mView);
    if (mMapping)
      CloseHandle(mMapping);
    if (mFile != INVALID_HANDLE_VALUE)
      CloseHandle(mFile);
  }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  const void* Data() const { return mView; }
  int Size() const { return mSize; }

private:
  HANDLE mFile = INVALID_HANDLE_VALUE;
  HANDLE mMapping = nullptr;
  void* mView = nullptr;
  int mSize = 0;
};

// The install for fontID: the id's own, or one of the same bytes under
// another id, or a new one; null when the bytes are no usable font or GDI
// refuses them. Under the InstalledFontCache lock.
std::shared_ptr<FontInstall> FindOrInstall(const char* fontID, const void* bytes, int size)
{
  auto& cache = InstalledFontCache();
  if (const InstalledFont* own = cache.Find(fontID, 1.0))
    return own->install;
  const uint64_t digest = Fnv1a64(bytes, static_cast<size_t>(size));
  if (const InstalledFont* same =
        cache.FindIf([&](const InstalledFont& f) { return f.install->IsSameFont(digest, static_cast<size_t>(size)); }))
    return same->install;

  const FontFileInfo info(bytes, static_cast<size_t>(size), 0);
  if (!info.IsUsable() || !*info.GetFamily())
    return nullptr;
  DWORD fonts = 0;
  HANDLE handle = AddFontMemResourceEx(const_cast<void*>(bytes), static_cast<DWORD>(size), nullptr, &fonts);
  if (!handle)
    return nullptr;
  return std::make_shared<FontInstall>(handle, info.GetFamily(), info.GetMacStyle(), digest, static_cast<size_t>(size));
}

} // namespace

std::unique_ptr<PlatformFont> LoadWinFontByName(const char* fontID, const char* faceName, int style)
{
  HFONT font =
    CreateGdiFont(faceName, style == kFontStyleBold ? FW_BOLD : FW_NORMAL, style == kFontStyleItalic, false, true);
  if (!font)
    return nullptr;
  const char* styleName = style == kFontStyleBold ? "Bold" : style == kFontStyleItalic ? "Italic" : "Regular";
  return std::make_unique<WinFont>(font, styleName, true);
}

std::unique_ptr<PlatformFont> LoadWinFontFromMemory(const char* fontID, const void* bytes, int size)
{
  if (!fontID || !bytes || size <= 0)
    return nullptr;
  auto& cache = InstalledFontCache();
  std::lock_guard<std::recursive_mutex> lock(cache.Lock());
  std::shared_ptr<FontInstall> install = FindOrInstall(fontID, bytes, size);
  if (!install)
    return nullptr;
  const uint16_t macStyle = install->GetMacStyle();
  HFONT font = CreateGdiFont(install->GetFamily(), (macStyle & kMacBold) ? FW_BOLD : FW_NORMAL,
                             (macStyle & kMacItalic) != 0, (macStyle & kMacUnderline) != 0, false);
  // Without a font a new install goes again with the last reference to it.
  if (!font)
    return nullptr;
  if (!cache.Find(fontID, 1.0))
    cache.Add(new InstalledFont{install}, fontID, 1.0);
  return std::make_unique<WinFont>(font, "", false);
}

std::unique_ptr<PlatformFont> LoadWinFont(const char* fontID, const char* fileNameOrResID, void* module)
{
  auto& cache = InstalledFontCache();
  std::lock_guard<std::recursive_mutex> lock(cache.Lock());
  IString found;
  switch (FindResourceOrFile(fileNameOrResID, "ttf", found, module))
  {
    case kResourceOnDisk:
    {
      const MappedFile file(found.Get());
      return file.Data() ? LoadWinFontFromMemory(fontID, file.Data(), file.Size()) : nullptr;
    }
    case kResourceEmbedded:
    {
      int size = 0;
      const void* bytes = LoadResourceData(found.Get(), "ttf", size, module);
      return bytes ? LoadWinFontFromMemory(fontID, bytes, size) : nullptr;
    }
    default: return nullptr;
  }
}

void CacheWinFont(const char* fontID, const PlatformFont* font)
{
  HFONT own = font ? static_cast<HFONT>(font->GetHandle()) : nullptr;
  if (!fontID || !own)
    return;
  auto& cache = GdiFontCache();
  std::lock_guard<std::recursive_mutex> lock(cache.Lock());
  if (cache.Find(fontID, 1.0))
    return;
  LOGFONTW lf = {};
  if (GetObjectW(own, sizeof(lf), &lf) != static_cast<int>(sizeof(lf)))
    return;
  if (HFONT copy = CreateFontIndirectW(&lf))
    cache.Add(new GdiFont(copy), fontID, 1.0);
}

} // namespace igfx
} // namespace ifx
