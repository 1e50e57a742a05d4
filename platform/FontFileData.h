#pragma once
// A font's bytes with the face of them that a platform font stands for, as
// read back from the platform for the glyph rasteriser. The reader points
// into this record's own copy of the bytes, so the record neither copies
// nor moves.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "base/IHeapBuf.h"
#include "platform/FontFileInfo.h"

namespace ifx {
namespace igfx {

class FontFileData
{
public:
  // Empty: no bytes, face index -1.
  FontFileData() = default;
  FontFileData(const FontFileData&) = delete;
  FontFileData& operator=(const FontFileData&) = delete;

  // A copy of size bytes with the first face whose style name is styleName
  // (any style when styleName is null or empty); faces without a style name
  // are passed over. Face index -1 when no face fits or the bytes are not a
  // font; empty when the copy cannot be made.
  static std::unique_ptr<FontFileData> FromBytes(const void* bytes, size_t size, const char* styleName);

  const FontFileInfo& GetInfo() const { return mInfo; }
  const uint8_t* GetBytes() const { return mBytes.GetAs<const uint8_t>(); }
  int GetSize() const { return mBytes.GetSize(); }
  int GetFaceIndex() const { return mFaceIndex; }
  // Bytes, a face, and the face's tables with a height text can be laid out with.
  bool IsValid() const { return GetSize() > 0 && mFaceIndex >= 0 && mInfo.IsUsable(); }

private:
  FontFileInfo mInfo;
  IHeapBuf mBytes{IHeapBuf::kDefaultGranularity};
  int mFaceIndex = -1;
};

} // namespace igfx
} // namespace ifx
