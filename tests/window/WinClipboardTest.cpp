// Clipboard text and file paths under wine. Wine would also take a
// clipboard opened without an owner; Windows would not, so these check
// that the editor's window owns what was put there.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "WinTestWindow.h"
#include "graphics/window/DropFiles.h"
#include "graphics/window/win/WinClipboard.h"

using namespace ifx;
using namespace ifx::igfx;
using ifx::testkit::TestWindow;

namespace {

// The clipboard's block of format, as bytes (empty when there is none).
std::vector<uint8_t> ClipboardBytes(HWND owner, UINT format)
{
  std::vector<uint8_t> bytes;
  if (!OpenClipboard(owner))
    return bytes;
  if (HANDLE data = GetClipboardData(format))
  {
    const auto* p = static_cast<const uint8_t*>(GlobalLock(data));
    if (p)
      bytes.assign(p, p + GlobalSize(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return bytes;
}

std::string Paste(HWND owner, bool expected = true)
{
  IString text("stale");
  EXPECT_EQ(PasteTextFromClipboard(owner, text), expected);
  return text.Get();
}

} // namespace

TEST(WinClipboard, TextRoundTripsWithItsTerminatorUnderTheEditorsOwnership)
{
  HWND window = TestWindow::Get().Handle();
  const char* const texts[] = {"Murkwisp", "Spuk \xC3\xBC \xE5\xB9\xBD \xF0\x9F\x91\xBB", "a\r\nb"};
  for (const char* text : texts)
  {
    ASSERT_TRUE(CopyTextToClipboard(window, text)) << text;
    EXPECT_EQ(GetClipboardOwner(), window);
    EXPECT_EQ(Paste(window), text);
    // The block holds the units and their terminator.
    const std::vector<uint8_t> bytes = ClipboardBytes(window, CF_UNICODETEXT);
    std::u16string units(bytes.size() / 2, u'\0');
    std::memcpy(&units[0], bytes.data(), units.size() * 2);
    const size_t end = units.find(u'\0');
    ASSERT_NE(end, std::u16string::npos) << text;
    EXPECT_GE(end, 1u);
  }
  // An empty text leaves the clipboard empty.
  EXPECT_TRUE(CopyTextToClipboard(window, ""));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_EQ(Paste(window, false), "");
}

TEST(WinClipboard, NoOwnerOrBadTextChangesNothing)
{
  HWND window = TestWindow::Get().Handle();
  ASSERT_TRUE(CopyTextToClipboard(window, "kept"));
  EXPECT_FALSE(CopyTextToClipboard(nullptr, "lost"));
  EXPECT_FALSE(CopyTextToClipboard(window, "bad \xC3"));
  EXPECT_FALSE(CopyFilePathToClipboard(nullptr, "C:\\a.fxp"));
  EXPECT_FALSE(CopyFilePathToClipboard(window, ""));
  EXPECT_FALSE(CopyFilePathToClipboard(window, "C:\\\xFF.fxp"));
  EXPECT_EQ(Paste(nullptr, false), "");
  EXPECT_EQ(Paste(window), "kept");
  EXPECT_EQ(GetClipboardOwner(), window);
}

TEST(WinClipboard, PastesABlockWithoutTerminatorToItsEndOnly)
{
  HWND window = TestWindow::Get().Handle();
  ASSERT_TRUE(OpenClipboard(window));
  EmptyClipboard();
  // Another program's text without its NUL. Wine ends such a text itself,
  // in place of its last unit (so a copy without its terminator would lose
  // a character: the round trip above); Windows hands the block over as it
  // is, and the bytes behind it are not read.
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 6);
  std::memcpy(GlobalLock(block), u"abc", 6);
  GlobalUnlock(block);
  ASSERT_NE(SetClipboardData(CF_UNICODETEXT, block), nullptr);
  CloseClipboard();
  const std::string text = Paste(window);
  EXPECT_TRUE(text == "ab" || text == "abc") << text;

  // Malformed text (a lone surrogate) is no text.
  ASSERT_TRUE(OpenClipboard(window));
  EmptyClipboard();
  block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
  const char16_t lone[] = {u'x', 0xD83D, 0};
  std::memcpy(GlobalLock(block), lone, sizeof(lone));
  GlobalUnlock(block);
  ASSERT_NE(SetClipboardData(CF_UNICODETEXT, block), nullptr);
  CloseClipboard();
  EXPECT_EQ(Paste(window, false), "");
}

TEST(WinClipboard, FilePathsGoOnAsTheClipboardFileList)
{
  HWND window = TestWindow::Get().Handle();
  const char* path = "C:\\Spuk\\\xC3\xA9t\xC3\xA9.fxp";
  ASSERT_TRUE(CopyFilePathToClipboard(window, path));
  EXPECT_EQ(GetClipboardOwner(), window);

  IHeapBuf expected;
  ASSERT_TRUE(MakeDropFilesBlock(path, EDropFilesForm::kClipboard, expected));
  std::vector<uint8_t> bytes = ClipboardBytes(window, CF_HDROP);
  ASSERT_GE(bytes.size(), static_cast<size_t>(expected.GetSize()));
  bytes.resize(static_cast<size_t>(expected.GetSize()));
  EXPECT_EQ(bytes, std::vector<uint8_t>(expected.GetAs<uint8_t>(), expected.GetAs<uint8_t>() + expected.GetSize()));

  // The shell reads it back as one file.
  ASSERT_TRUE(OpenClipboard(window));
  auto drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
  ASSERT_NE(drop, nullptr);
  wchar_t name[MAX_PATH] = {};
  EXPECT_EQ(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 1u);
  DragQueryFileW(drop, 0, name, MAX_PATH);
  CloseClipboard();
  EXPECT_STREQ(name, L"C:\\Spuk\\\u00E9t\u00E9.fxp");
}
