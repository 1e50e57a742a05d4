// Clipboard text and file paths under wine. Wine would also take a
// clipboard opened without an owner; Windows would not, so these check that
// the editor's window owns what was put there.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "WinTestWindow.h"
#include "window/DropFiles.h"
#include "window/win/WinClipboard.h"

using namespace ifx;
using namespace ifx::igfx;
using ifx::testkit::TestWindow;

namespace {

std::string Paste(HWND owner, bool expected = true)
{
  IString text("stale");
  EXPECT_EQ(PasteTextFromClipboard(owner, text), expected);
  return text.Get();
}

// Puts raw UTF-16 units (with no terminator of ours) on the clipboard.
void PutUnits(HWND owner, const std::u16string& units)
{
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, units.size() * 2);
  std::memcpy(GlobalLock(block), units.data(), units.size() * 2);
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
}

} // namespace

TEST(WinClipboard, TextRoundTripsUnderTheEditorsOwnership)
{
  HWND window = TestWindow::Get().Handle();
  // Wine ends a text that lacks its terminator in place of its last unit:
  // a block without one would come back a character short.
  for (const char* text : {"Murkwisp", "Spuk \xC3\xBC \xE5\xB9\xBD \xF0\x9F\x91\xBB", "a\r\nb"})
  {
    ASSERT_TRUE(CopyTextToClipboard(window, text)) << text;
    EXPECT_EQ(GetClipboardOwner(), window);
    EXPECT_EQ(Paste(window), text);
  }
  EXPECT_TRUE(CopyTextToClipboard(window, "")); // an empty text empties it
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

  // Another program's text: a lone surrogate is no text; a block without a
  // terminator is read to its end at most (wine cuts its last unit).
  PutUnits(window, {u'x', 0xD83D, 0});
  EXPECT_EQ(Paste(window, false), "");
  PutUnits(window, u"abc");
  const std::string text = Paste(window);
  EXPECT_TRUE(text == "ab" || text == "abc") << text;
}

TEST(WinClipboard, FilePathsGoOnAsTheClipboardFileList)
{
  HWND window = TestWindow::Get().Handle();
  const char* path = "C:\\Spuk\\\xC3\xA9t\xC3\xA9.fxp";
  ASSERT_TRUE(CopyFilePathToClipboard(window, path));
  EXPECT_EQ(GetClipboardOwner(), window);

  IHeapBuf expected;
  ASSERT_TRUE(MakeDropFilesBlock(path, EDropFilesForm::kClipboard, expected));
  ASSERT_TRUE(OpenClipboard(window));
  auto drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
  ASSERT_NE(drop, nullptr);
  ASSERT_GE(GlobalSize(drop), static_cast<SIZE_T>(expected.GetSize()));
  EXPECT_EQ(0, std::memcmp(GlobalLock(drop), expected.Get(), static_cast<size_t>(expected.GetSize())));
  GlobalUnlock(drop);
  // The shell reads it back as one file.
  wchar_t name[MAX_PATH] = {};
  EXPECT_EQ(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 1u);
  DragQueryFileW(drop, 0, name, MAX_PATH);
  CloseClipboard();
  EXPECT_STREQ(name, L"C:\\Spuk\\\u00E9t\u00E9.fxp");
}
