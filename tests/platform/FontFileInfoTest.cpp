// The font-file reader and font data on real fonts from Debian's packages
// and on crafted bytes; shared by the native and the windows tree.
#include "platform/FontFileInfo.h"
#include "platform/PlatformFont.h"
#include "platform/FontBuilder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace ifx::igfx;
using namespace ifx::testfonts;

namespace {

// Bytes with their reader (which points into them).
struct Parsed
{
  explicit Parsed(Bytes b, int face = 0) : bytes(std::move(b)), info(bytes.data(), bytes.size(), face) {}
  Parsed(const Parsed&) = delete;
  const Bytes bytes;
  const FontFileInfo info;
};

const Bytes kTrueType("\0\1\0\0", 4);

} // namespace

TEST(FontFileInfo, ReadsRobotoFromDebian)
{
  const Parsed roboto(ReadFile(MURKWISP_ROBOTO_FONT));
  if (roboto.bytes.empty())
    GTEST_SKIP() << "no Roboto at " << MURKWISP_ROBOTO_FONT << " (package fonts-roboto-unhinted)";
  const FontFileInfo& info = roboto.info;
  ASSERT_TRUE(info.IsUsable());
  EXPECT_EQ(info.GetFaceData(), reinterpret_cast<const uint8_t*>(roboto.bytes.data()));
  EXPECT_STREQ(info.GetFamily(), "Roboto");
  EXPECT_STREQ(info.GetStyle(), "Regular");
  EXPECT_EQ(info.GetUnitsPerEm(), 2048);
  EXPECT_EQ(info.GetMacStyle(), 0);
  EXPECT_EQ(info.GetAscender(), 1900);
  EXPECT_EQ(info.GetDescender(), -500);
  EXPECT_EQ(info.GetLineGap(), 0);
  EXPECT_EQ(info.FdscOffset(), 0u);
  EXPECT_STREQ(info.ReadNameString(1, FontFileInfo::kNameMac).Get(), ""); // Windows names only
  EXPECT_EQ(FontFileInfo(roboto.bytes.data(), roboto.bytes.size(), 1).GetFaceData(), nullptr);
}

TEST(FontFileInfo, ReadsEachFaceOfADebianCollectionAndNoFaceBeyond)
{
  const Bytes font = ReadFile(MURKWISP_COLLECTION_FONT);
  if (font.empty())
    GTEST_SKIP() << "no collection at " << MURKWISP_COLLECTION_FONT << " (package fonts-wqy-microhei)";
  const FontFileInfo mono(font.data(), font.size(), 1);
  ASSERT_TRUE(mono.IsUsable());
  EXPECT_STREQ(mono.GetFamily(), "WenQuanYi Micro Hei Mono");
  EXPECT_STREQ(mono.ReadNameString(1, FontFileInfo::kNameMac).Get(), "WenQuanYi Micro Hei Mono");
  EXPECT_EQ(mono.GetAscender(), 1918);
  EXPECT_EQ(mono.GetFaceData(), reinterpret_cast<const uint8_t*>(font.data()) + GetU32(font, 16));
  EXPECT_GT(mono.HeadOffset(), GetU32(font, 16)); // counted from the start of the collection
  EXPECT_STREQ(FontFileInfo(font.data(), font.size(), 0).GetFamily(), "WenQuanYi Micro Hei");
  for (int face : {2, 3, -1})
    EXPECT_EQ(FontFileInfo(font.data(), font.size(), face).GetFaceData(), nullptr) << face;
}

TEST(FontFileInfo, SignaturesAndCollectionHeadersDecideTheFace)
{
  const auto ghost = FontTables(u"Ghost", u"Regular");
  const Bytes two = Collection({FontTables(u"Ghost", u"Bold"), ghost});
  auto patched = [&](size_t at, uint32_t v) { return two.substr(0, at) + U32(v) + two.substr(at + 4); };
  // A null style: no face.
  struct Case { const char* what; Bytes bytes; int face; const char* style; } cases[] = {
    {"TrueType", Sfnt(ghost, kTrueType), 0, "Regular"},
    {"old TrueType", Sfnt(ghost, Bytes("1\0\0\0", 4)), 0, "Regular"},
    {"Type 1", Sfnt(ghost, "typ1"), 0, "Regular"},
    {"OpenType", Sfnt(ghost, "OTTO"), 0, "Regular"},
    {"Apple's true", Sfnt(ghost, "true"), 0, nullptr},
    {"web font", Sfnt(ghost, "wOFF"), 0, nullptr},
    {"near miss", Sfnt(ghost, Bytes("\0\1\0\1", 4)), 0, nullptr},
    {"three bytes", kTrueType.substr(0, 3), 0, nullptr},
    {"face 1 of a single font", Sfnt(ghost), 1, nullptr},
    {"negative face", Sfnt(ghost), -1, nullptr},
    {"face 0 of 2", two, 0, "Bold"},
    {"face 1 of 2", two, 1, "Regular"},
    {"face 2 of 2", two, 2, nullptr},
    {"face 3 of 2", two, 3, nullptr},
    {"collection 2.0", patched(4, 0x00020000), 1, "Regular"},
    {"collection 3.0", patched(4, 0x00030000), 1, nullptr},
    {"count past the offsets", patched(8, 0x7FFFFFFF), 0x7FFFFFF0, nullptr},
    {"count past the offsets, face there", patched(8, 0x7FFFFFFF), 1, "Regular"},
    {"face at the end", patched(16, uint32_t(two.size())), 1, nullptr},
    {"face 4 bytes before the end", patched(16, uint32_t(two.size() - 4)), 1, nullptr},
    {"face offset wraps", patched(16, 0xFFFFFFF0), 1, nullptr},
    {"cut in the offsets", two.substr(0, 18), 1, nullptr},
  };
  for (const Case& c : cases)
  {
    const Parsed font(c.bytes, c.face);
    EXPECT_EQ(font.info.GetFaceData() != nullptr, c.style != nullptr) << c.what;
    EXPECT_EQ(font.info.IsUsable(), c.style != nullptr) << c.what;
    EXPECT_STREQ(font.info.GetStyle(), c.style ? c.style : "") << c.what;
  }
  EXPECT_EQ(FontFileInfo(nullptr, 100, 0).GetFaceData(), nullptr);
}

TEST(FontFileInfo, NamesInEveryForm)
{
  auto withNames = [](const std::vector<NameRecord>& names) {
    return Sfnt({{"head", HeadTable(1000, 0)}, {"hhea", HheaTable(800, -200, 0)}, {"name", NameTable(names)}});
  };
  const Parsed mac(withNames({MacName(1, "Cinzel"), MacName(2, "Regular")}));
  EXPECT_STREQ(mac.info.GetFamily(), "Cinzel");
  EXPECT_STREQ(mac.info.GetStyle(), "Regular");
  EXPECT_STREQ(mac.info.ReadNameString(1, FontFileInfo::kNameWindows).Get(), "");

  // The Windows form wins; other languages, encodings and ids are passed over.
  const Parsed both(withNames({{3, 1, 1028, 1, Utf16BE(u"Other")}, {3, 0, 1033, 1, Utf16BE(u"Symbol")},
                               MacName(1, "Mac"), WindowsName(3, u"Id"), WindowsName(1, u"Win"),
                               WindowsName(1, u"Second")}));
  EXPECT_STREQ(both.info.GetFamily(), "Win");
  EXPECT_STREQ(both.info.ReadNameString(1, FontFileInfo::kNameMac).Get(), "Mac");
  EXPECT_STREQ(both.info.GetStyle(), "");

  // Surrogate pairs combine; a lone surrogate and an odd last byte make no garbage.
  const Parsed wide(withNames({WindowsName(1, u"G\xD835\xDD09\x00E9\x4E2D"), {3, 1, 1033, 2, Utf16BE(u"\xDC00x") + "!"}}));
  EXPECT_STREQ(wide.info.GetFamily(), "G\xF0\x9D\x94\x89\xC3\xA9\xE4\xB8\xAD");
  EXPECT_STREQ(wide.info.GetStyle(), "\xEF\xBF\xBDx");
}

TEST(FontFileInfo, EachTableIsReadByItsOwnTagWithinItsOwnBytes)
{
  // Out of order, with a decoy tag: each field comes from its own table.
  const Parsed shuffled(Sfnt({{"hhea", HheaTable(700, -300, 10)}, {"hea ", HheaTable(1, 2, 3)},
                              {"fdsc", Bytes(8, '\x01')}, {"name", NameTable({WindowsName(1, u"Ghost")})},
                              {"head", HeadTable(2048, 3)}}));
  const FontFileInfo& info = shuffled.info;
  ASSERT_TRUE(info.IsUsable());
  EXPECT_EQ(info.GetAscender(), 700);
  EXPECT_EQ(info.GetDescender(), -300);
  EXPECT_EQ(info.GetLineGap(), 10);
  EXPECT_EQ(info.GetUnitsPerEm(), 2048);
  EXPECT_EQ(info.GetMacStyle(), 3);
  EXPECT_EQ(shuffled.bytes[info.FdscOffset()], '\x01');

  // Directory entries at 12 + 16 i (head, hhea, name): offset at +8, length at +12.
  const Bytes good = Sfnt(FontTables(u"Ghost", u"Regular"));
  const Bytes name = NameTable({WindowsName(1, u"Ghost"), WindowsName(2, u"Regular")});
  auto patched = [](Bytes b, size_t at, const Bytes& v) { return b.replace(at, v.size(), v); };
  auto withName = [](const Bytes& n) { return Sfnt({{"head", HeadTable(1000, 0)}, {"hhea", HheaTable(8, -2, 0)}, {"name", n}}); };
  // A null family: no font tables.
  struct Case { const char* what; Bytes bytes; const char* family; const char* style; } cases[] = {
    {"head past the end", patched(good, 20, U32(uint32_t(good.size()))), nullptr, ""},
    {"head at offset 0", patched(good, 20, U32(0)), nullptr, ""},
    {"head too short for macStyle", patched(good, 24, U32(45)), nullptr, ""},
    {"head longer than the file", patched(good, 24, U32(0xFFFFFFFF)), "Ghost", "Regular"},
    {"hhea in the last bytes", patched(good, 36, U32(uint32_t(good.size() - 4))), nullptr, ""},
    {"name offset wraps", patched(good, 52, U32(0xFFFFFFFC)), nullptr, ""},
    {"head missing", patched(good, 12, "xxxx"), nullptr, ""},
    {"the first head decides", Sfnt({{"head", Bytes(10, '\0')}, {"head", HeadTable(1, 0)}, {"hhea", HheaTable(8, -2, 0)}, {"name", name}}), nullptr, ""},
    {"directory past the end", patched(good, 4, U16(0xFF00)), nullptr, ""},
    {"string storage past the table", withName(patched(name, 4, U16(0x7F00))), "", ""},
    {"records past the table", withName(patched(name, 2, U16(0x7F02))), "Ghost", "Regular"},
    {"a string past the table", withName(patched(name, 6 + 12 + 10, U16(0x4000))), "Ghost", ""},
  };
  for (const Case& c : cases)
  {
    const Parsed font(c.bytes);
    EXPECT_EQ(font.info.HasFontTables(), c.family != nullptr) << c.what;
    EXPECT_STREQ(font.info.GetFamily(), c.family ? c.family : "") << c.what;
    EXPECT_STREQ(font.info.GetStyle(), c.style) << c.what;
    EXPECT_STREQ(font.info.ReadNameString(6, FontFileInfo::kNameMac).Get(), "") << c.what;
  }
}

TEST(FontFileInfo, EveryTruncationReadsAllOrNothingOfEachField)
{
  for (const Bytes& whole : {Sfnt(FontTables(u"Ghost", u"Regular")),
                             Collection({FontTables(u"Ghost", u"Bold"), FontTables(u"Ghost", u"Regular")})})
  {
    const int face = whole[0] == 't' ? 1 : 0;
    const Parsed full(whole, face);
    ASSERT_TRUE(full.info.IsUsable());
    for (size_t n = 0; n < whole.size(); ++n)
    {
      // A copy of exactly n bytes, so a read past the end is caught.
      const Parsed cut(whole.substr(0, n), face);
      if (!cut.info.HasFontTables())
        continue;
      EXPECT_TRUE(!*cut.info.GetFamily() || std::strcmp(cut.info.GetFamily(), "Ghost") == 0) << n;
      EXPECT_TRUE(!*cut.info.GetStyle() || std::strcmp(cut.info.GetStyle(), full.info.GetStyle()) == 0) << n;
      EXPECT_EQ(cut.info.GetAscender(), full.info.GetAscender()) << n;
    }
  }
}

TEST(FontFileData, PicksTheFaceByStyleAndNeedsAHeight)
{
  const Bytes font = Collection({FontTables(u"Ghost", u""), FontTables(u"Ghost", u"Bold"),
                                 FontTables(u"Ghost", u"Regular"), FontTables(u"Flat", u"Flat", 500, 500)});
  struct Case { const char* style; int face; bool valid; } cases[] = {{nullptr, 1, true}, {"", 1, true}, {"Regular", 2, true}, {"bold", -1, false},
               {"Flat", 3, false}, {"Italic", -1, false}};
  for (const Case& c : cases)
  {
    const auto data = FontFileData::FromBytes(font.data(), font.size(), c.style);
    ASSERT_EQ(Bytes(reinterpret_cast<const char*>(data->GetBytes()), size_t(data->GetSize())), font);
    EXPECT_EQ(data->GetFaceIndex(), c.face) << (c.style ? c.style : "null");
    EXPECT_EQ(data->IsValid(), c.valid) << (c.style ? c.style : "null");
    if (c.face >= 0)
    {
      EXPECT_EQ(data->GetInfo().GetFaceData(), data->GetBytes() + GetU32(font, 12 + 4 * c.face));
    }
  }
  EXPECT_EQ(FontFileData::FromBytes("true font", 9, nullptr)->GetFaceIndex(), -1);
  EXPECT_EQ(FontFileData::FromBytes(nullptr, 10, nullptr)->GetSize(), 0);
  EXPECT_EQ(FontFileData::FromBytes(font.data(), 0, nullptr)->GetSize(), 0);

  // A memory font keeps its own copy; the base platform font has no bytes.
  Bytes bytes = Sfnt(FontTables(u"Ghost", u"Regular"));
  const MemoryFont memory(bytes.data(), bytes.size());
  bytes.assign(bytes.size(), '\0');
  EXPECT_STREQ(memory.GetFileData()->GetInfo().GetFamily(), "Ghost");
  EXPECT_EQ(memory.GetHandle(), nullptr);
  EXPECT_EQ(PlatformFont().GetFileData()->GetFaceIndex(), -1);
  EXPECT_FALSE(MemoryFont(nullptr, 4).GetFileData()->IsValid());
}
