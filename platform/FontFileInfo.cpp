#include "platform/FontFileInfo.h"

#include <cstring>
#include <string>

#include "base/UTFConversion.h"

namespace ifx {
namespace igfx {

namespace {

bool SignatureIs(const uint8_t* p, const char (&sig)[5]) { return std::memcmp(p, sig, 4) == 0; }

bool IsHighSurrogate(uint32_t u) { return u >= 0xD800 && u < 0xDC00; }
bool IsLowSurrogate(uint32_t u) { return u >= 0xDC00 && u < 0xE000; }

// Bytes each table must hold for the fields read from it.
constexpr uint32_t kHeadMinLength = 46; // macStyle at 44
constexpr uint32_t kHheaMinLength = 10; // line gap at 8
constexpr uint32_t kNameMinLength = 6;  // storage offset at 4

} // namespace

FontFileInfo::FontFileInfo(const void* data, size_t size, int faceIndex)
  : mData(static_cast<const uint8_t*>(data)), mSize(data ? size : 0)
{
  if (!mData || !FindFace(faceIndex) || !ReadTableDirectory())
  {
    *this = FontFileInfo();
    return;
  }
  ReadTables();
}

uint16_t FontFileInfo::U16(uint64_t at) const
{
  if (!Fits(at, 2))
    return 0;
  return static_cast<uint16_t>((mData[at] << 8) | mData[at + 1]);
}

uint32_t FontFileInfo::U32(uint64_t at) const
{
  if (!Fits(at, 4))
    return 0;
  return (static_cast<uint32_t>(mData[at]) << 24) | (static_cast<uint32_t>(mData[at + 1]) << 16) |
         (static_cast<uint32_t>(mData[at + 2]) << 8) | mData[at + 3];
}

bool FontFileInfo::FindFace(int faceIndex)
{
  if (faceIndex < 0 || !Fits(0, 4))
    return false;
  const uint8_t* p = mData;
  static const uint8_t kTrueType[4] = {0, 1, 0, 0};
  static const uint8_t kOldTrueType[4] = {'1', 0, 0, 0};
  // Apple's "true" fonts are not taken: GDI does not install them.
  if (std::memcmp(p, kTrueType, 4) == 0 || std::memcmp(p, kOldTrueType, 4) == 0 || SignatureIs(p, "typ1") ||
      SignatureIs(p, "OTTO"))
  {
    mFaceOffset = 0;
    return faceIndex == 0;
  }
  if (!SignatureIs(p, "ttcf") || !Fits(0, 12))
    return false;
  const uint32_t version = U32(4);
  if (version != 0x00010000 && version != 0x00020000)
    return false;
  if (U32(8) <= static_cast<uint32_t>(faceIndex))
    return false;
  const uint64_t entry = 12 + 4 * static_cast<uint64_t>(faceIndex);
  if (!Fits(entry, 4))
    return false;
  mFaceOffset = U32(entry);
  return true;
}

bool FontFileInfo::ReadTableDirectory()
{
  // Header: version, table count, three search fields; then 16-byte entries.
  if (!Fits(mFaceOffset, 12))
    return false;
  const uint32_t count = U16(mFaceOffset + 4);
  const uint64_t first = static_cast<uint64_t>(mFaceOffset) + 12;
  if (!Fits(first, 16 * static_cast<uint64_t>(count)))
    return false;

  struct Wanted
  {
    const char* tag;
    Table* table;
    uint32_t minLength;
    bool seen;
  } wanted[] = {{"head", &mHead, kHeadMinLength, false},
                {"name", &mName, kNameMinLength, false},
                {"hhea", &mHhea, kHheaMinLength, false},
                {"fdsc", &mFdsc, 1, false}};

  for (uint32_t i = 0; i < count; ++i)
  {
    const uint64_t at = first + 16 * static_cast<uint64_t>(i);
    for (Wanted& w : wanted)
    {
      // Only the first entry of a tag counts, usable or not.
      if (w.seen || std::memcmp(mData + at, w.tag, 4) != 0)
        continue;
      w.seen = true;
      const uint32_t offset = U32(at + 8);
      const uint32_t length = U32(at + 12);
      if (offset == 0 || offset >= mSize)
        break;
      const uint64_t room = mSize - offset;
      const uint32_t kept = length < room ? length : static_cast<uint32_t>(room);
      if (kept >= w.minLength)
        *w.table = Table{offset, kept};
      break;
    }
  }
  return true;
}

void FontFileInfo::ReadTables()
{
  if (!HasFontTables())
    return;
  mUnitsPerEm = U16(static_cast<uint64_t>(mHead.offset) + 18);
  mMacStyle = U16(static_cast<uint64_t>(mHead.offset) + 44);
  mFamily = ReadNameString(1, kNameWindows);
  if (mFamily.Empty())
    mFamily = ReadNameString(1, kNameMac);
  mStyle = ReadNameString(2, kNameWindows);
  if (mStyle.Empty())
    mStyle = ReadNameString(2, kNameMac);
  mAscender = static_cast<int16_t>(U16(static_cast<uint64_t>(mHhea.offset) + 4));
  mDescender = static_cast<int16_t>(U16(static_cast<uint64_t>(mHhea.offset) + 6));
  mLineGap = static_cast<int16_t>(U16(static_cast<uint64_t>(mHhea.offset) + 8));
}

IString FontFileInfo::ReadNameString(int nameId, ENameForm form) const
{
  IString result;
  if (!mData || !mName.offset)
    return result;
  const uint64_t base = mName.offset;
  const uint32_t count = U16(base + 2);
  const uint32_t storage = U16(base + 4);
  const uint16_t platform = form == kNameWindows ? 3 : 1;
  const uint16_t encoding = form == kNameWindows ? 1 : 0;
  const uint16_t language = form == kNameWindows ? 1033 : 0;

  for (uint32_t i = 0; i < count; ++i)
  {
    const uint64_t record = 6 + 12 * static_cast<uint64_t>(i);
    if (!InTable(mName, record, 12))
      break;
    const uint64_t at = base + record;
    if (U16(at) != platform || U16(at + 2) != encoding || U16(at + 4) != language ||
        U16(at + 6) != static_cast<uint32_t>(nameId))
      continue;
    const uint32_t length = U16(at + 8);
    const uint64_t start = static_cast<uint64_t>(storage) + U16(at + 10);
    if (length == 0 || !InTable(mName, start, length))
      return result;
    const uint8_t* text = mData + base + start;
    if (form == kNameMac)
    {
      result.Set(reinterpret_cast<const char*>(text), static_cast<int>(length));
      return result;
    }
    // Big-endian units; a lone surrogate reads as U+FFFD, so one bad unit
    // does not cost the whole name.
    std::u16string units(length / 2, u'\0');
    for (size_t u = 0; u < units.size(); ++u)
      units[u] = static_cast<char16_t>(text[2 * u] << 8 | text[2 * u + 1]);
    for (size_t u = 0; u < units.size(); ++u)
    {
      if (IsHighSurrogate(units[u]) && u + 1 < units.size() && IsLowSurrogate(units[u + 1]))
        ++u;
      else if (IsHighSurrogate(units[u]) || IsLowSurrogate(units[u]))
        units[u] = 0xFFFD;
    }
    ConvertWideToUtf8(units.data(), static_cast<int>(units.size()), result);
    return result;
  }
  return result;
}

} // namespace igfx
} // namespace ifx
