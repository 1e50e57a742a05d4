// The window services' rules that need no window: native menu labels and
// columns (ids: WinMenuTest), what a text entry takes, file-dialog texts,
// DROPFILES blocks and the dropped-name rule.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/IParam.h"
#include "toolkit/IPopupMenu.h"
#include "window/DropFiles.h"
#include "window/FileDialogText.h"
#include "window/MenuLayout.h"
#include "window/TextEntryFilter.h"

using namespace ifx;
using namespace ifx::igfx;

TEST(MenuLayout, LabelsAreNumberedPerMenuAndShowAmpersandsColumnsBreakBelowTheLimit)
{
  struct Case
  {
    int prefix;
    int item;
    const char* text;
    const char* label;
  };
  const Case cases[] = {
    {0, 0, "Rock & Roll", "Rock && Roll"}, {1, 2, "Third", "3: Third"}, {1, 11, "Twelfth", "12: Twelfth"},
    {2, 0, "First", "01: First"},          {3, 2, "A&B", "003: A&&B"},  {4, 0, "No mode 4", "No mode 4"},
  };
  for (const Case& c : cases)
  {
    IPopupMenu menu;
    menu.SetPrefix(c.prefix);
    for (int i = 0; i <= c.item; ++i)
      menu.AddItem(i == c.item ? c.text : "x");
    IString label;
    MakeMenuLabel(menu, c.item, label);
    EXPECT_STREQ(label.Get(), c.label);
  }
  // Long texts are kept whole behind the number.
  IPopupMenu menu;
  menu.SetPrefix(2);
  const std::string longText(300, 'q');
  menu.AddItem(longText.c_str());
  IString label;
  MakeMenuLabel(menu, 0, label);
  EXPECT_EQ(std::string(label.Get()), "01: " + longText);

  // Columns break every n items, only in menus below the limit.
  auto breaks = [](int items, int perColumn) {
    IPopupMenu menu;
    menu.SetItemsPerColumn(perColumn);
    for (int i = 0; i < items; ++i)
      menu.AddItem("i");
    std::vector<int> at;
    for (int i = 0; i < items; ++i)
      if (StartsMenuColumn(menu, i))
        at.push_back(i);
    return at;
  };
  EXPECT_EQ(breaks(8, 4), (std::vector<int>{4}));
  EXPECT_EQ(breaks(159, 50), (std::vector<int>{50, 100, 150}));
  EXPECT_EQ(breaks(160, 50), std::vector<int>{});
  EXPECT_EQ(breaks(200, 4), std::vector<int>{});
  EXPECT_EQ(breaks(8, 0), std::vector<int>{});
}

TEST(TextEntryFilter, NumbersOnlyForNumericParameters)
{
  IParam real, choice, none;
  real.ConfigureDouble("Gain", 0., -10., 10., 0.1);
  choice.ConfigureEnum("Mode", 0, 3);
  const std::string all = "0123456789+-.aZ ,e\b";
  struct Case
  {
    const IParam* param;
    const char* accepted;
  };
  const Case cases[] = {
    {&real, "0123456789+-.\b"},
    {&choice, "0123456789+-\b"},
    {&none, "0123456789+-.aZ ,e\b"},
    {nullptr, "0123456789+-.aZ ,e\b"},
  };
  for (const Case& c : cases)
  {
    std::string taken;
    for (char ch : all)
      if (TextEntryAcceptsChar(c.param, static_cast<unsigned char>(ch)))
        taken += ch;
    EXPECT_EQ(taken, c.accepted);
  }
  const IParam* const params[] = {&real, &choice, &none, nullptr};
  for (const IParam* param : params)
  {
    EXPECT_FALSE(TextEntryAcceptsChar(param, '\r')); // one line only
    EXPECT_FALSE(TextEntryAcceptsChar(param, '\n'));
  }
  EXPECT_FALSE(TextEntryAcceptsChar(&real, 0x00E9)); // beyond ASCII
  EXPECT_TRUE(TextEntryAcceptsChar(nullptr, 0x00E9));
}

TEST(FileDialogText, FiltersAndFolders)
{
  struct FilterCase
  {
    const char* extensions;
    const char* patterns;
    const char* defaultExt;
  };
  const FilterCase filters[] = {
    {"fxp", "*.fxp", "fxp"},
    {"fxp txt wav", "*.fxp;*.txt;*.wav", "fxp"},
    {"  fxp   txt ", "*.fxp;*.txt", "fxp"},
    {"   ", "", ""},
    {nullptr, "", ""},
  };
  for (const FilterCase& f : filters)
  {
    IString patterns("old"), defaultExt("old");
    MakeFileFilter(f.extensions, patterns, defaultExt);
    EXPECT_STREQ(patterns.Get(), f.patterns);
    EXPECT_STREQ(defaultExt.Get(), f.defaultExt);
  }

  struct DirCase
  {
    const char* path;
    const char* dir;
  };
  const DirCase dirs[] = {
    {"C:\\Presets\\Spuk\\a.fxp", "C:\\Presets\\Spuk\\"},
    {"C:a.fxp", "C:"},
    {"\\\\server\\share\\a.fxp", "\\\\server\\share\\"},
    {"C:/mixed\\sep/a.fxp", "C:/mixed\\sep/"},
    {"a.fxp", ""},
    {nullptr, ""},
  };
  for (const DirCase& d : dirs)
  {
    IString dir("old");
    DirectoryOfPath(d.path, dir);
    EXPECT_STREQ(dir.Get(), d.dir) << (d.path ? d.path : "null");
  }
}

TEST(DropFiles, BlocksAreByteExact)
{
  // "C:\é" : 43 00 3A 00 5C 00 E9 00, then its NUL.
  const std::vector<uint8_t> header = {20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const std::vector<uint8_t> name = {0x43, 0, 0x3A, 0, 0x5C, 0, 0xE9, 0, 0, 0};
  auto expected = [&](uint8_t fNC, int endBytes) {
    std::vector<uint8_t> bytes = header;
    bytes.insert(bytes.end(), {fNC, 0, 0, 0, 1, 0, 0, 0});
    bytes.insert(bytes.end(), name.begin(), name.end());
    bytes.insert(bytes.end(), static_cast<size_t>(endBytes), 0);
    return bytes;
  };
  IHeapBuf block;
  ASSERT_TRUE(MakeDropFilesBlock("C:\\\xC3\xA9", EDropFilesForm::kDragOut, block));
  EXPECT_EQ(std::vector<uint8_t>(block.GetAs<uint8_t>(), block.GetAs<uint8_t>() + block.GetSize()), expected(0, 4));
  ASSERT_TRUE(MakeDropFilesBlock("C:\\\xC3\xA9", EDropFilesForm::kClipboard, block));
  EXPECT_EQ(std::vector<uint8_t>(block.GetAs<uint8_t>(), block.GetAs<uint8_t>() + block.GetSize()), expected(1, 2));

  // A name beyond the basic plane: its pair, little-endian.
  ASSERT_TRUE(MakeDropFilesBlock("\xF0\x9F\x91\xBB", EDropFilesForm::kClipboard, block));
  ASSERT_EQ(block.GetSize(), 20 + 6 + 2);
  const uint8_t pair[] = {0x3D, 0xD8, 0x7B, 0xDC, 0, 0, 0, 0};
  EXPECT_EQ(std::vector<uint8_t>(block.GetAs<uint8_t>() + 20, block.GetAs<uint8_t>() + 28),
            std::vector<uint8_t>(pair, pair + 8));

  for (const char* refused : {"", "C:\\\xC3", static_cast<const char*>(nullptr)})
  {
    EXPECT_FALSE(MakeDropFilesBlock(refused, EDropFilesForm::kDragOut, block));
    EXPECT_EQ(block.GetSize(), 0);
  }
}

TEST(DropFiles, DroppedNamesArriveWholeOrNotAtAll)
{
  auto take = [](const std::u16string& name, std::string* out = nullptr) {
    IString utf8("old");
    const bool ok = TakeDroppedName(name.c_str(), static_cast<int>(name.size()), utf8);
    if (out)
      *out = utf8.Get();
    if (!ok)
    {
      EXPECT_STREQ(utf8.Get(), "");
    }
    return ok;
  };
  std::string got;
  // 512 two-byte characters: exactly 1024 bytes, whole.
  EXPECT_TRUE(take(std::u16string(512, u'\u00E9'), &got));
  EXPECT_EQ(got.size(), 1024u);
  EXPECT_EQ(got.substr(1022), "\xC3\xA9");
  // 341 three-byte characters and one two-byte: 1025 bytes. A cut at 1024
  // would end inside the last character; the name is not delivered.
  EXPECT_FALSE(take(std::u16string(341, u'\u20AC') + u"\u00E9"));
  // 1023 units fit the read buffer with the NUL; 1024 do not.
  EXPECT_TRUE(take(std::u16string(1023, u'a'), &got));
  EXPECT_EQ(got.size(), 1023u);
  EXPECT_FALSE(take(std::u16string(1024, u'a')));
  // Malformed or empty names are not delivered either.
  EXPECT_FALSE(take(std::u16string{u'a', 0xD83D}));
  EXPECT_FALSE(take(u""));
  EXPECT_TRUE(take(u"C:\\Spuk\\\U0001F47B.wav", &got));
  EXPECT_EQ(got, "C:\\Spuk\\\xF0\x9F\x91\xBB.wav");
}
