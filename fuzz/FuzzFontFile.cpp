// Font files as found in the current folder: any bytes, any face asked for.
// Every field the reader returns must come from inside the bytes.
#include "platform/FontFileData.h"
#include "platform/FontFileInfo.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

using ifx::igfx::FontFileData;
using ifx::igfx::FontFileInfo;

namespace {

void Check(bool ok)
{
  if (!ok)
    __builtin_trap();
}

void CheckReader(const FontFileInfo& info, const uint8_t* bytes, size_t size)
{
  const uint8_t* face = info.GetFaceData();
  if (!face)
  {
    Check(!info.HasFontTables() && !*info.GetFamily() && info.GetAscender() == 0);
    return;
  }
  Check(face >= bytes && face + 12 <= bytes + size);
  // Tables are kept only with the bytes their fields are read from.
  Check(!info.HeadOffset() || uint64_t(info.HeadOffset()) + 46 <= size);
  Check(!info.HheaOffset() || uint64_t(info.HheaOffset()) + 10 <= size);
  Check(!info.NameOffset() || uint64_t(info.NameOffset()) + 6 <= size);
  Check(!info.FdscOffset() || info.FdscOffset() < size);
  for (int id = 0; id < 8; ++id)
    for (auto form : {FontFileInfo::kNameWindows, FontFileInfo::kNameMac})
      Check(std::strlen(info.ReadNameString(id, form).Get()) <= 3 * size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  // A private copy of exactly size bytes, so a read past the end is caught.
  const std::vector<uint8_t> bytes(data, data + size);
  const uint8_t* p = bytes.empty() ? nullptr : bytes.data();
  for (int face : {0, 1, 2, 3, 0x3FFFFFFF, -1})
    CheckReader(FontFileInfo(p, size, face), p, size);

  for (const char* style : {static_cast<const char*>(nullptr), "Regular", "Bold"})
  {
    const auto font = FontFileData::FromBytes(p, size, style);
    Check(font->GetSize() == 0 || font->GetSize() == static_cast<int>(size));
    if (font->IsValid())
    {
      const FontFileInfo& info = font->GetInfo();
      Check(info.IsUsable() && info.GetAscender() != info.GetDescender());
      Check(std::memcmp(font->GetBytes(), p, size) == 0);
      CheckReader(info, font->GetBytes(), size);
    }
  }
  return 0;
}
