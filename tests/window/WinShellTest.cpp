// URL opening, revealing a path and the tooltip under wine, with the shell
// calls recorded instead of made.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "WinTestWindow.h"
#include "window/win/WinRevealPath.h"
#include "window/win/WinTooltip.h"
#include "window/win/WinUrlOpener.h"

using namespace ifx;
using namespace ifx::igfx;
using ifx::testkit::TestWindow;

namespace {

// What the shell was asked, and how it answers.
struct Shell
{
  static Shell* current;
  bool connected = true;
  INT_PTR executeResult = 42;
  int answer = IDYES;
  std::vector<std::wstring> calls;

  Shell() { current = this; }
  ~Shell() { current = nullptr; }

  ShellCalls Calls() const
  {
    return ShellCalls{
      [] { return current->connected; },
      [](HWND owner, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters, const wchar_t* directory) {
        current->calls.push_back(std::wstring(L"execute ") + (owner ? L"owned " : L"") + verb + L" " + file + L" [" +
                                 (parameters ? parameters : L"") + L"] [" + (directory ? directory : L"") + L"]");
        return current->executeResult;
      },
      [](HWND, const wchar_t* text, const wchar_t* caption, UINT type) {
        current->calls.push_back(std::wstring(type == MB_YESNO ? L"ask " : L"tell ") + text + L" / " +
                                 (caption ? caption : L"(none)"));
        return current->answer;
      }};
  }
};
Shell* Shell::current = nullptr;

using Calls = std::vector<std::wstring>;

} // namespace

TEST(WinUrlOpener, OpensOnlyCheckedAddressesWhenOnlineAndAgreed)
{
  HWND window = TestWindow::Get().Handle();
  const char* good = "https://tarnhollow-audio.example/murkwisp";
  {
    Shell shell;
    EXPECT_TRUE(OpenURL(window, good, "Update", "Open the page?", "Could not open", shell.Calls()));
    EXPECT_EQ(shell.calls, (Calls{L"ask Open the page? / Update",
                                  L"execute owned open https://tarnhollow-audio.example/murkwisp [] []"}));
  }
  for (const char* bad : {"https://x.example/a b", "https://x.example/\r\ncalc", "http://x.example/", "calc.exe",
                          "https://x.example/\"", ""})
  {
    Shell shell;
    EXPECT_FALSE(OpenURL(window, bad, "Update", "Open the page?", "Could not open", shell.Calls())) << bad;
    EXPECT_EQ(shell.calls, Calls{L"tell Could not open / Update"}) << bad;
  }
  struct Case
  {
    bool connected;
    INT_PTR executeResult;
    int answer;
    const char* error;
    Calls calls;
  };
  const Case cases[] = {
    {false, 42, IDYES, "Offline", {L"tell Offline / (none)"}},
    {false, 42, IDYES, nullptr, {}},
    {true,
     2,
     IDYES,
     "Shell failed",
     {L"execute owned open https://tarnhollow-audio.example/murkwisp [] []", L"tell Shell failed / (none)"}},
  };
  for (const Case& c : cases)
  {
    Shell shell;
    shell.connected = c.connected;
    shell.executeResult = c.executeResult;
    EXPECT_FALSE(OpenURL(window, good, nullptr, nullptr, c.error, shell.Calls()));
    EXPECT_EQ(shell.calls, c.calls);
  }
  Shell shell;
  shell.answer = IDNO;
  EXPECT_FALSE(OpenURL(window, good, "T", "Sure?", "Err", shell.Calls()));
  EXPECT_EQ(shell.calls, Calls{L"ask Sure? / T"});
  EXPECT_FALSE(OpenURL(window, nullptr, nullptr, nullptr, nullptr, shell.Calls()));
}

TEST(WinRevealPath, AsksExplorerFromTheSystemFolder)
{
  wchar_t system[MAX_PATH];
  const std::wstring folder(system, GetSystemDirectoryW(system, MAX_PATH));
  Shell shell;
  EXPECT_TRUE(RevealPathInFileBrowser("C:\\Spuk\\\xC3\xA9.fxp", true, shell.Calls()));
  EXPECT_TRUE(RevealPathInFileBrowser("C:\\Spuk", false, shell.Calls()));
  EXPECT_EQ(shell.calls, (Calls{L"execute open explorer.exe [/select,\"C:\\Spuk\\\u00E9.fxp\"] [" + folder + L"\\]",
                                L"execute open explorer.exe [\"C:\\Spuk\"] [" + folder + L"\\]"}));
  shell.calls.clear();
  for (const char* bad : {"", "C:\\a\"b", "C:\\\xC3", static_cast<const char*>(nullptr)})
    EXPECT_FALSE(RevealPathInFileBrowser(bad, true, shell.Calls()));
  EXPECT_TRUE(shell.calls.empty());
  shell.executeResult = 5;
  EXPECT_FALSE(RevealPathInFileBrowser("C:\\Spuk", true, shell.Calls()));
}

TEST(WinTooltip, CarriesTheTextOfTheControlUnderThePointer)
{
  HWND window = TestWindow::Get().Handle();
  WinTooltip tooltip;
  ASSERT_TRUE(tooltip.Create(window, GetModuleHandleW(nullptr)));
  EXPECT_TRUE(GetWindowLongPtrW(tooltip.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  auto text = [&] {
    wchar_t buffer[256] = {};
    TTTOOLINFOW tool = {};
    tool.cbSize = 64;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.lpszText = buffer;
    SendMessageW(tooltip.Window(), TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return std::wstring(buffer);
  };
  tooltip.Show("Haunt \xC3\xBC \xF0\x9F\x91\xBB");
  EXPECT_TRUE(tooltip.IsShown());
  EXPECT_EQ(text(), L"Haunt \u00FC \U0001F47B");
  tooltip.Hide();
  EXPECT_FALSE(tooltip.IsShown());
  EXPECT_EQ(text(), L"");
  tooltip.Destroy();
  tooltip.Show("gone"); // no window: nothing shown
  EXPECT_FALSE(tooltip.IsShown());
}
