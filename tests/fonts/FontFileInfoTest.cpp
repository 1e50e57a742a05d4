// The font-file reader and font data on real fonts from Debian's packages
// and on crafted bytes; shared by the native and the windows tree.
#include "graphics/platform/FontFileInfo.h"
#include "graphics/platform/PlatformFont.h"
#include "tests/fonts/FontBuilder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

using namespace ifx::igfx;
using namespace ifx::testfonts;

namespace {

FontFileInfo Read(const Bytes& b, int face = 0)
{
  return FontFileInfo(b.data(), b.size(), face);
}

// Bytes with their reader, for readers that outlive the expression that
// made the bytes.
struct Parsed
{
  explicit Parsed(Bytes b) : bytes(std::move(b)), info(bytes.data(), bytes.size(), 0) {}
  Parsed(const Parsed&) = delete;
  const Bytes bytes;
  const FontFileInfo info;
};

Bytes RobotoOrSkip()
{
  return ReadFile(MURKWISP_ROBOTO_FONT);
}

const char* kMicroHei = "WenQuanYi Micro Hei";
const char* kMicroHeiMono = "WenQuanYi Micro Hei Mono";

} // namespace

TEST(FontFileInfo, ReadsRobotoFromDebian)
{
  const Bytes font = RobotoOrSkip();
  if (font.empty())
    GTEST_SKIP() << "Roboto not installed at " << MURKWISP_ROBOTO_FONT << " (package fonts-roboto-unhinted)";
  const FontFileInfo info = Read(font);
  ASSERT_TRUE(info.IsUsable());
  EXPECT_EQ(info.GetFaceData(), reinterpret_cast<const uint8_t*>(font.data()));
  EXPECT_STREQ(info.GetFamily(), "Roboto");
  EXPECT_STREQ(info.GetStyle(), "Regular");
  EXPECT_EQ(info.GetUnitsPerEm(), 2048);
  EXPECT_EQ(info.GetMacStyle(), 0);
  EXPECT_EQ(info.GetAscender(), 1900);
  EXPECT_EQ(info.GetDescender(), -500);
  EXPECT_EQ(info.GetLineGap(), 0);
  EXPECT_NE(info.HeadOffset(), 0u);
  EXPECT_NE(info.NameOffset(), 0u);
  EXPECT_NE(info.HheaOffset(), 0u);
  EXPECT_EQ(info.FdscOffset(), 0u);
  // Roboto carries only Windows names.
  EXPECT_STREQ(info.ReadNameString(1, FontFileInfo::kNameMac).Get(), "");
  // A single font has no face 1.
  EXPECT_EQ(Read(font, 1).GetFaceData(), nullptr);
}

TEST(FontFileInfo, ReadsEachFaceOfADebianCollectionAndNoFaceBeyond)
{
  const Bytes font = ReadFile(MURKWISP_COLLECTION_FONT);
  if (font.empty())
    GTEST_SKIP() << "no collection at " << MURKWISP_COLLECTION_FONT << " (package fonts-wqy-microhei)";
  const FontFileInfo regular = Read(font, 0);
  const FontFileInfo mono = Read(font, 1);
  ASSERT_TRUE(regular.IsUsable());
  ASSERT_TRUE(mono.IsUsable());
  EXPECT_STREQ(regular.GetFamily(), kMicroHei);
  EXPECT_STREQ(mono.GetFamily(), kMicroHeiMono);
  EXPECT_STREQ(mono.GetStyle(), "Regular");
  EXPECT_EQ(mono.GetFaceData(), reinterpret_cast<const uint8_t*>(font.data()) + GetU32(font, 16));
  // Offsets count from the start of the collection, not of the face.
  EXPECT_GT(mono.HeadOffset(), GetU32(font, 16));
  EXPECT_STREQ(mono.ReadNameString(1, FontFileInfo::kNameMac).Get(), kMicroHeiMono);
  EXPECT_EQ(regular.GetAscender(), 1918);
  EXPECT_EQ(regular.GetDescender(), -483);
  // Face 3 of 2 (and 2 of 2, and -1) is no face.
  for (int face : {2, 3, -1})
  {
    const FontFileInfo none = Read(font, face);
    EXPECT_EQ(none.GetFaceData(), nullptr) << face;
    EXPECT_FALSE(none.HasFontTables()) << face;
    EXPECT_STREQ(none.GetFamily(), "") << face;
  }

  const auto data = FontFileData::FromBytes(font.data(), font.size(), "Regular");
  EXPECT_TRUE(data->IsValid());
  EXPECT_EQ(data->GetFaceIndex(), 0);
  EXPECT_EQ(data->GetSize(), static_cast<int>(font.size()));
  EXPECT_EQ(data->GetInfo().GetFaceData(), data->GetBytes() + GetU32(font, 12));
}

TEST(FontFileInfo, SignatureDecidesWhatIsAFont)
{
  const auto tables = FontTables(u"Ghost", u"Regular");
  struct Case
  {
    Bytes signature;
    bool font;
  } cases[] = {
    {Bytes("\0\1\0\0", 4), true}, {Bytes("1\0\0\0", 4), true}, {"typ1", true}, {"OTTO", true},
    // Apple's "true" fonts, web fonts, a near miss and the empty signature are not.
    {"true", false}, {"wOFF", false}, {Bytes("\0\1\0\1", 4), false}, {Bytes("\0\0\0\0", 4), false},
  };
  for (const Case& c : cases)
  {
    const Bytes font = Sfnt(tables, c.signature);
    const FontFileInfo info = Read(font);
    EXPECT_EQ(info.GetFaceData() != nullptr, c.font) << c.signature;
    EXPECT_EQ(info.IsUsable(), c.font) << c.signature;
    EXPECT_STREQ(info.GetFamily(), c.font ? "Ghost" : "") << c.signature;
    EXPECT_EQ(Read(font, 1).GetFaceData(), nullptr) << c.signature;
  }
  // Fewer than four bytes, or none at all.
  EXPECT_EQ(Read(Bytes("\0\1\0", 3)).GetFaceData(), nullptr);
  EXPECT_EQ(FontFileInfo(nullptr, 100, 0).GetFaceData(), nullptr);
}

TEST(FontFileInfo, CollectionHeaderIsChecked)
{
  const Bytes two = Collection({FontTables(u"Ghost", u"Bold"), FontTables(u"Ghost", u"Regular")});
  EXPECT_STREQ(Read(two, 0).GetStyle(), "Bold");
  EXPECT_STREQ(Read(two, 1).GetStyle(), "Regular");
  EXPECT_EQ(Read(two, 2).GetFaceData(), nullptr);
  EXPECT_EQ(Read(two, 3).GetFaceData(), nullptr);
  EXPECT_TRUE(Read(Collection({FontTables(u"Ghost", u"Bold")}, 0x00020000)).IsUsable());
  EXPECT_EQ(Read(Collection({FontTables(u"Ghost", u"Bold")}, 0x00030000)).GetFaceData(), nullptr);

  // A count larger than the offsets there are, and offsets past the end.
  Bytes lying = two;
  SetU32(lying, 8, 0x7FFFFFFF);
  EXPECT_TRUE(Read(lying, 1).IsUsable());
  EXPECT_EQ(Read(lying, 0x7FFFFFF0).GetFaceData(), nullptr);
  for (uint32_t offset : {uint32_t(two.size()), uint32_t(two.size() - 4), 0xFFFFFFF0u})
  {
    Bytes bad = two;
    SetU32(bad, 16, offset);
    EXPECT_EQ(Read(bad, 1).GetFaceData(), nullptr) << offset;
    EXPECT_TRUE(Read(bad, 0).IsUsable()) << offset;
  }
  // Cut inside the offset array.
  EXPECT_EQ(Read(two.substr(0, 18), 1).GetFaceData(), nullptr);
}

TEST(FontFileInfo, NamesInEveryForm)
{
  auto withNames = [](const std::vector<NameRecord>& names) {
    return Sfnt({{"head", HeadTable(1000, 0)}, {"hhea", HheaTable(800, -200, 0)}, {"name", NameTable(names)}});
  };
  // Only in the Mac form.
  const Parsed mac(withNames({MacName(1, "Cinzel"), MacName(2, "Regular")}));
  EXPECT_STREQ(mac.info.GetFamily(), "Cinzel");
  EXPECT_STREQ(mac.info.GetStyle(), "Regular");
  EXPECT_STREQ(mac.info.ReadNameString(1, FontFileInfo::kNameWindows).Get(), "");

  // The Windows form wins; other languages, encodings and ids are passed over.
  const Parsed both(withNames({{3, 1, 1028, 1, Utf16BE(u"Other")},
                         {3, 0, 1033, 1, Utf16BE(u"Symbol")},
                         MacName(1, "Mac Name"),
                         WindowsName(3, u"Unique"),
                         WindowsName(1, u"Win Name"),
                         WindowsName(1, u"Second")}));
  EXPECT_STREQ(both.info.GetFamily(), "Win Name");
  EXPECT_STREQ(both.info.ReadNameString(1, FontFileInfo::kNameMac).Get(), "Mac Name");
  EXPECT_STREQ(both.info.GetStyle(), "");

  // Surrogate pairs combine; a lone surrogate and an odd last byte do not
  // make garbage.
  const Parsed wide(
    withNames({WindowsName(1, u"G\xD835\xDD09\x00E9\x4E2D"), {3, 1, 1033, 2, Utf16BE(u"\xDC00x") + "!"}}));
  EXPECT_STREQ(wide.info.GetFamily(), "G\xF0\x9D\x94\x89\xC3\xA9\xE4\xB8\xAD");
  EXPECT_STREQ(wide.info.GetStyle(), "\xEF\xBF\xBDx");
}

TEST(FontFileInfo, TablesAreFoundByTheirOwnTagsInAnyOrder)
{
  // hhea first, a decoy "hea " and the fdsc table.
  const Bytes font = Sfnt({{"hhea", HheaTable(700, -300, 10)},
                           {"hea ", HheaTable(1, 2, 3)},
                           {"fdsc", Bytes(8, '\x01')},
                           {"name", NameTable({WindowsName(1, u"Ghost")})},
                           {"head", HeadTable(2048, 3)}});
  const FontFileInfo info = Read(font);
  ASSERT_TRUE(info.IsUsable());
  EXPECT_EQ(info.GetAscender(), 700);
  EXPECT_EQ(info.GetDescender(), -300);
  EXPECT_EQ(info.GetLineGap(), 10);
  EXPECT_EQ(info.GetUnitsPerEm(), 2048);
  EXPECT_EQ(info.GetMacStyle(), 3);
  EXPECT_EQ(font.compare(info.HheaOffset(), 4, Bytes("\0\1\0\0", 4)), 0);
  EXPECT_EQ(static_cast<uint8_t>(font[info.FdscOffset()]), 1);

  // Without any one of head, name and hhea nothing is read.
  for (const char* missing : {"head", "name", "hhea"})
  {
    std::vector<Table> tables = FontTables(u"Ghost", u"Regular");
    for (Table& t : tables)
      if (t.tag == missing)
        t.tag = "xxxx";
    const Parsed partial(Sfnt(tables));
    EXPECT_NE(partial.info.GetFaceData(), nullptr) << missing;
    EXPECT_FALSE(partial.info.HasFontTables()) << missing;
    EXPECT_STREQ(partial.info.GetFamily(), "") << missing;
    EXPECT_EQ(partial.info.GetAscender(), 0) << missing;
  }
}

TEST(FontFileInfo, CraftedDirectoriesAndTablesGiveNoFont)
{
  const Bytes good = Sfnt(FontTables(u"Ghost", u"Regular"));
  // Directory entries are at 12 + 16 i: head, hhea, name; offset at +8, length at +12.
  struct Patch
  {
    const char* what;
    size_t at;
    uint32_t value;
    bool usable;
  } patches[] = {
    {"head past the end", 12 + 8, uint32_t(good.size()), false},
    {"head at offset 0", 12 + 8, 0, false},
    {"head too short for macStyle", 12 + 12, 45, false},
    {"head longer than the file is cut to it", 12 + 12, 0xFFFFFFFF, true},
    {"hhea in the last bytes", 28 + 8, uint32_t(good.size() - 4), false},
    {"name offset wraps", 44 + 8, 0xFFFFFFFC, false},
  };
  for (const Patch& p : patches)
  {
    Bytes bad = good;
    SetU32(bad, p.at, p.value);
    EXPECT_EQ(Read(bad).IsUsable(), p.usable) << p.what;
  }

  // A table count larger than the directory the bytes hold.
  Bytes count = good;
  count[4] = '\xFF';
  EXPECT_EQ(Read(count).GetFaceData(), nullptr);

  // The first head entry decides, even when it is broken.
  std::vector<Table> twice = FontTables(u"Ghost", u"Regular");
  twice.insert(twice.begin(), Table{"head", Bytes(10, '\0')});
  EXPECT_FALSE(Read(Sfnt(twice)).HasFontTables());

  // Name records and strings outside the name table: a record count past
  // the table still reads the records inside it.
  const Bytes name = NameTable({WindowsName(1, u"Ghost"), WindowsName(2, u"Regular")});
  Bytes longStorage = name, manyRecords = name, farString = name;
  longStorage[4] = '\x7F';         // storage offset past the table
  manyRecords[2] = '\x7F';         // record count past the table
  farString[6 + 12 + 10] = '\x40'; // the style's offset past the table
  struct NameCase
  {
    const Bytes& table;
    const char* family;
    const char* style;
  } names[] = {{longStorage, "", ""}, {manyRecords, "Ghost", "Regular"}, {farString, "Ghost", ""}};
  for (const NameCase& c : names)
  {
    const Parsed font(Sfnt({{"head", HeadTable(1000, 0)}, {"hhea", HheaTable(8, -2, 0)}, {"name", c.table}}));
    EXPECT_TRUE(font.info.HasFontTables());
    EXPECT_STREQ(font.info.GetFamily(), c.family);
    EXPECT_STREQ(font.info.GetStyle(), c.style);
    EXPECT_STREQ(font.info.ReadNameString(6, FontFileInfo::kNameMac).Get(), "");
  }
}

TEST(FontFileInfo, EveryTruncationReadsAllOrNothingOfEachField)
{
  const Bytes fonts[] = {Sfnt(FontTables(u"Ghost", u"Regular")),
                         Collection({FontTables(u"Ghost", u"Bold"), FontTables(u"Ghost", u"Regular")})};
  for (const Bytes& whole : fonts)
  {
    const int lastFace = whole.compare(0, 4, "ttcf") == 0 ? 1 : 0;
    const FontFileInfo full = Read(whole, lastFace);
    ASSERT_TRUE(full.IsUsable());
    for (size_t n = 0; n < whole.size(); ++n)
    {
      // A private copy of exactly n bytes, so a read past the end is caught.
      const Bytes cut = whole.substr(0, n);
      const FontFileInfo info = Read(cut, lastFace);
      if (!info.HasFontTables())
        continue;
      EXPECT_TRUE(!*info.GetFamily() || std::strcmp(info.GetFamily(), full.GetFamily()) == 0) << n;
      EXPECT_TRUE(!*info.GetStyle() || std::strcmp(info.GetStyle(), full.GetStyle()) == 0) << n;
      EXPECT_EQ(info.GetAscender(), full.GetAscender()) << n;
    }
  }
}

TEST(FontFileData, PicksTheFaceByStyleAndChecksItsHeight)
{
  const Bytes font = Collection({FontTables(u"Ghost", u""), FontTables(u"Ghost", u"Bold"),
                                 FontTables(u"Ghost", u"Regular"), FontTables(u"Flat", u"Regular", 500, 500)});
  struct Case
  {
    const char* style;
    int face;
  } cases[] = {{nullptr, 1}, {"", 1}, {"Regular", 2}, {"Bold", 1}, {"bold", -1}, {"Italic", -1}};
  for (const Case& c : cases)
  {
    const auto data = FontFileData::FromBytes(font.data(), font.size(), c.style);
    ASSERT_EQ(data->GetSize(), static_cast<int>(font.size()));
    EXPECT_NE(data->GetBytes(), reinterpret_cast<const uint8_t*>(font.data()));
    EXPECT_EQ(data->GetFaceIndex(), c.face) << (c.style ? c.style : "null");
    EXPECT_EQ(data->IsValid(), c.face >= 0) << (c.style ? c.style : "null");
    if (c.face >= 0)
    {
      EXPECT_EQ(data->GetInfo().GetFaceData(), data->GetBytes() + GetU32(font, 12 + 4 * c.face));
    }
  }

  // A face whose ascender equals its descender has no height to lay text out by.
  const Bytes flat = Sfnt(FontTables(u"Flat", u"Regular", 500, 500));
  EXPECT_TRUE(Read(flat).HasFontTables());
  EXPECT_FALSE(Read(flat).IsUsable());
  const auto flatData = FontFileData::FromBytes(flat.data(), flat.size(), nullptr);
  EXPECT_EQ(flatData->GetFaceIndex(), 0);
  EXPECT_FALSE(flatData->IsValid());

  // Not a font: the bytes are kept, with no face.
  const auto notFont = FontFileData::FromBytes("true font", 9, nullptr);
  EXPECT_EQ(notFont->GetSize(), 9);
  EXPECT_EQ(notFont->GetFaceIndex(), -1);
  EXPECT_FALSE(notFont->IsValid());
  EXPECT_EQ(FontFileData::FromBytes(nullptr, 10, nullptr)->GetSize(), 0);
  EXPECT_EQ(FontFileData::FromBytes(font.data(), 0, nullptr)->GetSize(), 0);
}

TEST(PlatformFont, MemoryFontGivesItsOwnCopyOfTheBytes)
{
  Bytes font = Sfnt(FontTables(u"Ghost", u"Regular"));
  const MemoryFont memory(font.data(), font.size());
  font.assign(font.size(), '\0'); // the caller's bytes may go
  const auto data = memory.GetFileData();
  ASSERT_TRUE(data->IsValid());
  EXPECT_STREQ(data->GetInfo().GetFamily(), "Ghost");
  EXPECT_NE(memory.GetFileData()->GetBytes(), data->GetBytes());
  EXPECT_EQ(memory.GetHandle(), nullptr);

  const PlatformFont none;
  EXPECT_EQ(none.GetFileData()->GetFaceIndex(), -1);
  EXPECT_EQ(none.GetFileData()->GetSize(), 0);
  EXPECT_FALSE(MemoryFont(nullptr, 4).GetFileData()->IsValid());
}
