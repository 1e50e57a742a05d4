#pragma once
// Font bytes made by hand for the reader's tests and the fuzzer's seeds:
// single fonts and collections with just the tables the reader looks at, and
// real fonts cut down to those tables. Header-only.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace ifx {
namespace testfonts {

using Bytes = std::string;

inline void PutU16(Bytes& b, uint32_t v)
{
  b += static_cast<char>((v >> 8) & 0xFF);
  b += static_cast<char>(v & 0xFF);
}

inline void PutU32(Bytes& b, uint32_t v)
{
  PutU16(b, v >> 16);
  PutU16(b, v & 0xFFFF);
}

inline uint32_t GetU16(const Bytes& b, size_t at)
{
  return (static_cast<uint8_t>(b[at]) << 8) | static_cast<uint8_t>(b[at + 1]);
}

inline uint32_t GetU32(const Bytes& b, size_t at)
{
  return (GetU16(b, at) << 16) | GetU16(b, at + 2);
}

inline void SetU32(Bytes& b, size_t at, uint32_t v)
{
  Bytes tmp;
  PutU32(tmp, v);
  b.replace(at, 4, tmp);
}

// UTF-16 big-endian, as the Windows name records store text.
inline Bytes Utf16BE(const std::u16string& text)
{
  Bytes b;
  for (char16_t u : text)
    PutU16(b, u);
  return b;
}

struct NameRecord
{
  uint16_t platform, encoding, language, nameId;
  Bytes text;
};

inline NameRecord WindowsName(uint16_t id, const std::u16string& text)
{
  return {3, 1, 1033, id, Utf16BE(text)};
}

inline NameRecord MacName(uint16_t id, const std::string& text)
{
  return {1, 0, 0, id, text};
}

inline Bytes NameTable(const std::vector<NameRecord>& records)
{
  Bytes b, storage;
  PutU16(b, 0);
  PutU16(b, static_cast<uint32_t>(records.size()));
  PutU16(b, static_cast<uint32_t>(6 + 12 * records.size()));
  for (const NameRecord& r : records)
  {
    PutU16(b, r.platform);
    PutU16(b, r.encoding);
    PutU16(b, r.language);
    PutU16(b, r.nameId);
    PutU16(b, static_cast<uint32_t>(r.text.size()));
    PutU16(b, static_cast<uint32_t>(storage.size()));
    storage += r.text;
  }
  return b + storage;
}

inline Bytes HeadTable(uint16_t unitsPerEm, uint16_t macStyle)
{
  Bytes b(54, '\0');
  b[18] = static_cast<char>(unitsPerEm >> 8);
  b[19] = static_cast<char>(unitsPerEm & 0xFF);
  b[44] = static_cast<char>(macStyle >> 8);
  b[45] = static_cast<char>(macStyle & 0xFF);
  return b;
}

inline Bytes HheaTable(int16_t ascender, int16_t descender, int16_t lineGap)
{
  Bytes b;
  PutU32(b, 0x00010000);
  PutU16(b, static_cast<uint16_t>(ascender));
  PutU16(b, static_cast<uint16_t>(descender));
  PutU16(b, static_cast<uint16_t>(lineGap));
  b.resize(36, '\0');
  return b;
}

struct Table
{
  std::string tag;
  Bytes data;
};

// One face: signature, table directory and the tables (4-byte aligned),
// with offsets counted from the start of a file in which the face begins at
// faceStart.
inline Bytes Sfnt(const std::vector<Table>& tables, const Bytes& signature = Bytes("\0\1\0\0", 4),
                  uint32_t faceStart = 0)
{
  Bytes dir = signature;
  PutU16(dir, static_cast<uint32_t>(tables.size()));
  PutU16(dir, 0);
  PutU16(dir, 0);
  PutU16(dir, 0);
  Bytes body;
  const uint32_t first = static_cast<uint32_t>(12 + 16 * tables.size());
  for (const Table& t : tables)
  {
    dir += t.tag.substr(0, 4);
    PutU32(dir, 0);
    PutU32(dir, faceStart + first + static_cast<uint32_t>(body.size()));
    PutU32(dir, static_cast<uint32_t>(t.data.size()));
    body += t.data;
    body.resize((body.size() + 3) & ~size_t(3), '\0');
  }
  return dir + body;
}

inline std::vector<Table> FontTables(const std::u16string& family, const std::u16string& style,
                                     int16_t ascender = 800, int16_t descender = -200, uint16_t macStyle = 0)
{
  return {{"head", HeadTable(1000, macStyle)},
          {"hhea", HheaTable(ascender, descender, 90)},
          {"name", NameTable({WindowsName(1, family), WindowsName(2, style)})}};
}

inline Bytes Collection(const std::vector<std::vector<Table>>& faces, uint32_t version = 0x00010000)
{
  Bytes header("ttcf");
  PutU32(header, version);
  PutU32(header, static_cast<uint32_t>(faces.size()));
  uint32_t at = static_cast<uint32_t>(12 + 4 * faces.size());
  Bytes body;
  for (const auto& face : faces)
  {
    PutU32(header, at + static_cast<uint32_t>(body.size()));
    body += Sfnt(face, Bytes("\0\1\0\0", 4), at + static_cast<uint32_t>(body.size()));
  }
  return header + body;
}

// The tables of face (0 for a single font) of a real font that are among
// tags (all of them when tags is empty).
inline std::vector<Table> TablesOf(const Bytes& font, int face, const std::vector<std::string>& tags = {})
{
  std::vector<Table> out;
  size_t start = 0;
  if (font.compare(0, 4, "ttcf") == 0)
    start = GetU32(font, 12 + 4 * static_cast<size_t>(face));
  const uint32_t count = GetU16(font, start + 4);
  for (uint32_t i = 0; i < count; ++i)
  {
    const size_t e = start + 12 + 16 * i;
    const std::string tag = font.substr(e, 4);
    bool wanted = tags.empty();
    for (const std::string& want : tags)
      wanted = wanted || tag == want;
    if (wanted)
      out.push_back({tag, font.substr(GetU32(font, e + 8), GetU32(font, e + 12))});
  }
  return out;
}

// A real single font under another family name: its name table replaced by
// the family, style, full and PostScript names.
inline Bytes Renamed(const Bytes& font, const std::u16string& family, const std::u16string& style = u"Regular")
{
  std::vector<Table> tables = TablesOf(font, 0);
  std::u16string postScript;
  for (char16_t c : family + u"-" + style)
    if (c != u' ')
      postScript += c;
  for (Table& t : tables)
    if (t.tag == "name")
      t.data = NameTable({WindowsName(1, family), WindowsName(2, style), WindowsName(4, family + u" " + style),
                          WindowsName(6, postScript)});
  return Sfnt(tables, font.substr(0, 4));
}

inline Bytes ReadFile(const char* path)
{
  Bytes b;
  std::FILE* f = path ? std::fopen(path, "rb") : nullptr;
  if (!f)
    return b;
  char buf[65536];
  size_t got;
  while ((got = std::fread(buf, 1, sizeof(buf), f)) > 0)
    b.append(buf, got);
  std::fclose(f);
  return b;
}

} // namespace testfonts
} // namespace ifx
