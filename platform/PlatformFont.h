#pragma once
// A font known to the platform: made by the window's font loading, handed to
// the drawing back end, which reads its bytes, and to the platform's cache of
// fonts for native text entry. Deleted by whoever loaded it once both are
// done with it.
#include <memory>

#include "platform/FontFileData.h"

namespace ifx {
namespace igfx {

class PlatformFont
{
public:
  PlatformFont() = default;
  virtual ~PlatformFont() = default;
  PlatformFont(const PlatformFont&) = delete;
  PlatformFont& operator=(const PlatformFont&) = delete;

  // The platform's font object (an HFONT on Windows); null when there is none.
  virtual void* GetHandle() const { return nullptr; }
  // The font's bytes and face, never null: empty (face index -1) when they
  // cannot be had.
  virtual std::unique_ptr<FontFileData> GetFileData() const { return std::make_unique<FontFileData>(); }
};

// A font given as bytes, with no platform object behind it: its file data is
// a copy of those bytes. Serves where fonts come from memory only (the
// headless builds).
class MemoryFont : public PlatformFont
{
public:
  // Copies size bytes; an empty font when the copy cannot be made.
  MemoryFont(const void* bytes, size_t size);
  std::unique_ptr<FontFileData> GetFileData() const override;

private:
  IHeapBuf mBytes{IHeapBuf::kDefaultGranularity};
};

} // namespace igfx
} // namespace ifx
