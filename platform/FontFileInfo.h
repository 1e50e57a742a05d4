#pragma once
// Reads the header of a TrueType or OpenType font, or of one face of a font
// collection, from bytes in memory: the table directory, the names and the
// vertical metrics. The bytes are untrusted (fonts may come from any file in
// the current folder): every read is checked against the byte count and the
// extent of the table it belongs to, and anything that does not fit makes
// the reader empty rather than read past the end. The reader keeps a
// pointer to the bytes, which must outlive it.
#include <cstddef>
#include <cstdint>

#include "base/IString.h"

namespace ifx {
namespace igfx {

class FontFileInfo
{
public:
  // Name forms of the name table.
  enum ENameForm : int
  {
    kNameWindows = 0, // platform 3, encoding 1, language 1033: UTF-16 big-endian
    kNameMac = 1,     // platform 1, encoding 0, language 0: bytes as stored
  };

  FontFileInfo() = default;
  // faceIndex picks the face of a collection; a single font has only face 0.
  FontFileInfo(const void* data, size_t size, int faceIndex);

  // The first byte of the chosen face; null when the bytes are not a font
  // with that face.
  const uint8_t* GetFaceData() const { return mData ? mData + mFaceOffset : nullptr; }
  // A face whose "head", "name" and "hhea" tables were all found, with their
  // fields read.
  bool HasFontTables() const { return mData && mHead.offset && mName.offset && mHhea.offset; }
  // A face that text can be laid out with: its tables are there and its
  // height (ascender - descender) is not zero, which layout divides by.
  bool IsUsable() const { return HasFontTables() && mAscender != mDescender; }

  // Table offsets from the start of the bytes (of the whole collection);
  // 0 when the table is absent.
  uint32_t HeadOffset() const { return mHead.offset; }
  uint32_t NameOffset() const { return mName.offset; }
  uint32_t HheaOffset() const { return mHhea.offset; }
  uint32_t FdscOffset() const { return mFdsc.offset; }

  // Name id 1 and 2 in the Windows form, else the Mac form; "" when absent.
  const char* GetFamily() const { return mFamily.Get(); }
  const char* GetStyle() const { return mStyle.Get(); }
  uint16_t GetMacStyle() const { return mMacStyle; }
  uint16_t GetUnitsPerEm() const { return mUnitsPerEm; }
  int16_t GetAscender() const { return mAscender; }
  int16_t GetDescender() const { return mDescender; }
  int16_t GetLineGap() const { return mLineGap; }

  // The first name record with this id in the given form, as UTF-8; "" when
  // there is none or its text lies outside the name table.
  IString ReadNameString(int nameId, ENameForm form) const;

private:
  struct Table
  {
    uint32_t offset = 0; // 0: absent
    uint32_t length = 0; // cut to the bytes there are
  };

  bool Fits(uint64_t offset, uint64_t count) const { return offset <= mSize && count <= mSize - offset; }
  bool FindFace(int faceIndex);
  bool ReadTableDirectory();
  void ReadTables();
  // Reads within a table: at and count relative to its start.
  bool InTable(const Table& t, uint64_t at, uint64_t count) const { return at <= t.length && count <= t.length - at; }
  uint16_t U16(uint64_t at) const;
  uint32_t U32(uint64_t at) const;

  const uint8_t* mData = nullptr;
  size_t mSize = 0;
  uint32_t mFaceOffset = 0;
  Table mHead;
  Table mName;
  Table mHhea;
  Table mFdsc;
  IString mFamily;
  IString mStyle;
  uint16_t mMacStyle = 0;
  uint16_t mUnitsPerEm = 0;
  int16_t mAscender = 0;
  int16_t mDescender = 0;
  int16_t mLineGap = 0;
};

} // namespace igfx
} // namespace ifx
