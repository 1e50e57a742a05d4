#include "platform/FontFileData.h"

#include <climits>
#include <cstring>

namespace ifx {
namespace igfx {

std::unique_ptr<FontFileData> FontFileData::FromBytes(const void* bytes, size_t size, const char* styleName)
{
  auto data = std::make_unique<FontFileData>();
  if (!bytes || size == 0 || size > static_cast<size_t>(INT_MAX))
    return data;
  data->mBytes.Resize(static_cast<int>(size));
  if (data->mBytes.GetSize() != static_cast<int>(size))
  {
    data->mBytes.Reset();
    return data;
  }
  std::memcpy(data->mBytes.Get(), bytes, size);

  const bool anyStyle = !styleName || !*styleName;
  for (int face = 0;; ++face)
  {
    FontFileInfo info(data->GetBytes(), size, face);
    // Faces run out where the reader stops finding one.
    if (!info.HasFontTables())
      break;
    const char* style = info.GetStyle();
    if (*style && (anyStyle || std::strcmp(style, styleName) == 0))
    {
      data->mInfo = info;
      data->mFaceIndex = face;
      break;
    }
  }
  return data;
}

} // namespace igfx
} // namespace ifx
