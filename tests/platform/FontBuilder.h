#pragma once
// Font bytes made by hand for the reader's tests and the fuzzer's seeds:
// fonts and collections with just the tables the reader reads, and real
// fonts cut down or renamed. Header-only.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace ifx {
namespace testfonts {

using Bytes = std::string;

inline Bytes U16(uint32_t v) { return {char(v >> 8), char(v)}; }
inline Bytes U32(uint32_t v) { return U16(v >> 16) + U16(v); }
inline uint32_t GetU32(const Bytes& b, size_t at)
{
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i)
    v = v << 8 | uint8_t(b[at + i]);
  return v;
}

inline Bytes Utf16BE(const std::u16string& text)
{
  Bytes b;
  for (char16_t u : text)
    b += U16(u);
  return b;
}

struct NameRecord
{
  uint16_t platform, encoding, language, nameId;
  Bytes text;
};
inline NameRecord WindowsName(uint16_t id, const std::u16string& text) { return {3, 1, 1033, id, Utf16BE(text)}; }
inline NameRecord MacName(uint16_t id, const std::string& text) { return {1, 0, 0, id, text}; }

inline Bytes NameTable(const std::vector<NameRecord>& records)
{
  Bytes b = U16(0) + U16(uint32_t(records.size())) + U16(uint32_t(6 + 12 * records.size())), storage;
  for (const NameRecord& r : records)
  {
    b += U16(r.platform) + U16(r.encoding) + U16(r.language) + U16(r.nameId);
    b += U16(uint32_t(r.text.size())) + U16(uint32_t(storage.size()));
    storage += r.text;
  }
  return b + storage;
}

inline Bytes HeadTable(uint16_t unitsPerEm, uint16_t macStyle)
{
  return Bytes(18, '\0') + U16(unitsPerEm) + Bytes(24, '\0') + U16(macStyle) + Bytes(8, '\0');
}

inline Bytes HheaTable(int16_t ascender, int16_t descender, int16_t lineGap)
{
  return U32(0x00010000) + U16(uint16_t(ascender)) + U16(uint16_t(descender)) + U16(uint16_t(lineGap)) +
         Bytes(26, '\0');
}

struct Table
{
  std::string tag;
  Bytes data;
};

// One face: signature, directory and tables (4-byte aligned), its offsets
// counted from the start of a file in which the face begins at faceStart.
inline Bytes Sfnt(const std::vector<Table>& tables, const Bytes& signature = Bytes("\0\1\0\0", 4),
                  uint32_t faceStart = 0)
{
  Bytes dir = signature + U16(uint32_t(tables.size())) + Bytes(6, '\0'), body;
  for (const Table& t : tables)
  {
    dir += t.tag + U32(0) + U32(faceStart + uint32_t(12 + 16 * tables.size() + body.size())) +
           U32(uint32_t(t.data.size()));
    body += t.data + Bytes((4 - t.data.size() % 4) % 4, '\0');
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
  Bytes header = "ttcf" + U32(version) + U32(uint32_t(faces.size())), body;
  const size_t start = 12 + 4 * faces.size();
  for (const auto& face : faces)
  {
    header += U32(uint32_t(start + body.size()));
    body += Sfnt(face, Bytes("\0\1\0\0", 4), uint32_t(start + body.size()));
  }
  return header + body;
}

// The tables of a face of a real font whose tags are among tags (all when empty).
inline std::vector<Table> TablesOf(const Bytes& font, int face, const std::vector<std::string>& tags = {})
{
  std::vector<Table> out;
  const size_t start = font.compare(0, 4, "ttcf") == 0 ? GetU32(font, 12 + 4 * size_t(face)) : 0;
  for (uint32_t i = 0, n = GetU32(font, start + 2) & 0xFFFF; i < n; ++i)
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

// A real single font with its name table replaced: another family.
inline Bytes Renamed(const Bytes& font, const std::u16string& family)
{
  std::vector<Table> tables = TablesOf(font, 0);
  for (Table& t : tables)
    if (t.tag == "name")
      t.data = NameTable({WindowsName(1, family), WindowsName(2, u"Regular"), WindowsName(4, family)});
  return Sfnt(tables, font.substr(0, 4));
}

inline Bytes ReadFile(const char* path)
{
  Bytes b;
  if (std::FILE* f = path ? std::fopen(path, "rb") : nullptr)
  {
    char buf[65536];
    for (size_t got; (got = std::fread(buf, 1, sizeof(buf), f)) > 0;)
      b.append(buf, got);
    std::fclose(f);
  }
  return b;
}

} // namespace testfonts
} // namespace ifx
