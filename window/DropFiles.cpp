#include "window/DropFiles.h"

#include <cstdint>
#include <cstring>

#include "base/UTFConversion.h"

namespace ifx {
namespace igfx {

namespace {

void PutLE32(uint8_t* p, uint32_t v)
{
  for (int i = 0; i < 4; ++i)
    p[i] = static_cast<uint8_t>(v >> (8 * i));
}

} // namespace

bool MakeDropFilesBlock(const char* path, EDropFilesForm form, IHeapBuf& block)
{
  block.Resize(0);
  const IHeapBuf wide = UTF8ToUTF16(path);
  const int units = UTF16Length(wide);
  if (units == 0)
    return false;
  const int nameBytes = (units + 1) * 2;
  const int endBytes = form == EDropFilesForm::kDragOut ? 4 : 2;
  const int size = kDropFilesHeaderSize + nameBytes + endBytes;
  auto* p = static_cast<uint8_t*>(block.Resize(size));
  if (!p || block.GetSize() != size)
  {
    block.Resize(0);
    return false;
  }
  std::memset(p, 0, static_cast<size_t>(size));
  PutLE32(p, kDropFilesHeaderSize);
  PutLE32(p + 12, form == EDropFilesForm::kClipboard ? 1 : 0);
  PutLE32(p + 16, 1);
  const char16_t* text = UTF16Text(wide);
  for (int i = 0; i < units; ++i)
  {
    p[kDropFilesHeaderSize + 2 * i] = static_cast<uint8_t>(text[i] & 0xFF);
    p[kDropFilesHeaderSize + 2 * i + 1] = static_cast<uint8_t>(text[i] >> 8);
  }
  return true;
}

bool TakeDroppedName(const char16_t* name, int units, IString& utf8)
{
  utf8.Set("");
  if (!name || units <= 0 || units >= kMaxDroppedNameUnits)
    return false;
  if (!ConvertWideToUtf8(name, units, utf8) || utf8.Empty() || utf8.GetLength() > kMaxDroppedNameBytes)
  {
    utf8.Set("");
    return false;
  }
  return true;
}

} // namespace igfx
} // namespace ifx
