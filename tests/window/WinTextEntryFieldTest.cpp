// The native text entry under wine: the EDIT it opens, the typing it takes,
// and the commit and cancel the redraw tick completes.
#include <gtest/gtest.h>

#include <mutex>
#include <string>

#include "WinTestWindow.h"
#include "base/IParam.h"
#include "platform/win/WinFontCaches.h"
#include "window/win/WinTextEntryField.h"
#include "window/win/WinTooltip.h"

using namespace ifx;
using namespace ifx::igfx;
using ifx::testkit::PostKey;
using ifx::testkit::PumpMessages;
using ifx::testkit::TestWindow;

namespace {

class WinTextEntryFieldTest : public ::testing::Test
{
protected:
  WinTextEntryFieldTest()
  {
    real.ConfigureDouble("Gain", 0., -10., 10., 0.1);
    choice.ConfigureEnum("Mode", 0, 3);
    window.onMessage = [this](UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
      if (msg != WM_CTLCOLOREDIT)
        return false;
      result = entry.ColorEdit(reinterpret_cast<HDC>(wParam));
      return true;
    };
  }

  ~WinTextEntryFieldTest() override
  {
    entry.Destroy();
    window.onMessage = nullptr;
  }

  bool Open(const char* text, const IParam* param, float scale = 1.f, ITextStyle style = ITextStyle(),
            IRECT bounds = IRECT(10.f, 20.f, 110.f, 50.f))
  {
    return entry.Open(window.Handle(), GetModuleHandleW(nullptr), bounds, scale, style, 64, text, param);
  }

  std::string Text() const
  {
    char text[512] = {};
    GetWindowTextA(entry.Window(), text, 512);
    return text;
  }

  void Type(const std::string& chars)
  {
    for (char c : chars)
      PostMessageW(entry.Window(), WM_CHAR, static_cast<unsigned char>(c), 1);
    PumpMessages();
  }

  // What the next redraw tick makes of the entry.
  std::string Tick(WinTextEntryField::ETick expected)
  {
    IString text("stale");
    EXPECT_EQ(entry.TakePending(text), expected);
    return text.Get();
  }

  TestWindow& window = TestWindow::Get();
  WinTextEntryField entry;
  IParam real, choice;
};

} // namespace

TEST_F(WinTextEntryFieldTest, OpensOverTheBoundsWithTheStyleTheFocusAndTheColours)
{
  ITextStyle style(20.f, kColorBlack, "Murkwisp-No-Such-Font", kAlignNear);
  style.textEntryBGColor = IRgba(255, 10, 20, 30);
  style.textEntryFGColor = IRgba(255, 200, 150, 100);
  ASSERT_TRUE(Open("1.25", &real, 1.5f, style));
  EXPECT_FALSE(Open("again", &real)); // one entry at a time
  HWND edit = entry.Window();

  RECT r;
  GetWindowRect(edit, &r);
  MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&r), 2);
  // x = 10 * 1.5, y = 20 * 1.5, w = 110 * 1.5 - 15 + 1, h = 50 * 1.5 - 30 + 1
  EXPECT_EQ(r.left, 15);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 151);
  EXPECT_EQ(r.bottom - r.top, 46);
  const LONG_PTR bits = GetWindowLongPtrW(edit, GWL_STYLE);
  EXPECT_TRUE(bits & ES_MULTILINE);
  EXPECT_EQ(bits & (ES_CENTER | ES_RIGHT), 0); // left aligned
  EXPECT_EQ(GetDlgCtrlID(edit), WinTextEntryField::kControlId);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 64);
  DWORD from = 9, to = 9;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u); // the whole text selected
  EXPECT_EQ(to, 4u);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(Text(), "1.25");

  // No cached font of that name: the default GUI font at the scaled size.
  LOGFONTW font = {};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), sizeof(font), &font);
  EXPECT_EQ(font.lfHeight, 30);

  // The parent's WM_CTLCOLOREDIT gets the style's entry colours.
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SendMessageW(window.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), 0),
            reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH)));
  EXPECT_EQ(GetBkColor(dc), RGB(10, 20, 30));
  EXPECT_EQ(GetDCBrushColor(dc), RGB(10, 20, 30));
  EXPECT_EQ(GetTextColor(dc), RGB(200, 150, 100));
  DeleteDC(dc);

  // A tip shown over the editor goes at the entry's first input.
  WinTooltip tooltip;
  ASSERT_TRUE(tooltip.Create(window.Handle(), GetModuleHandleW(nullptr)));
  entry.SetTooltip(&tooltip);
  tooltip.Show("tip");
  Type("5");
  EXPECT_FALSE(tooltip.IsShown());

  entry.Destroy();
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_FALSE(entry.IsOpen());
}

TEST_F(WinTextEntryFieldTest, UsesTheCachedGdiFontOfTheStyle)
{
  RetainWinFontCaches();
  LOGFONTW made = {};
  made.lfHeight = 12;
  lstrcpyW(made.lfFaceName, L"Murkwisp Entry Face");
  {
    auto& cache = GdiFontCache();
    std::lock_guard<std::recursive_mutex> lock(cache.Lock());
    cache.Add(new GdiFont(CreateFontIndirectW(&made)), "Entry-Font", 1.0);
  }
  ASSERT_TRUE(Open("x", nullptr, 2.f, ITextStyle(15.f, kColorBlack, "Entry-Font")));
  LOGFONTW font = {};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(entry.Window(), WM_GETFONT, 0, 0)), sizeof(font), &font);
  EXPECT_STREQ(font.lfFaceName, L"Murkwisp Entry Face");
  EXPECT_EQ(font.lfHeight, 30);
  entry.Destroy();
  ReleaseWinFontCaches();
}

TEST_F(WinTextEntryFieldTest, ReturnAndFocusLossCommitEscapeCancels)
{
  // Return, as the keyboard sends it: the key and its translated '\r',
  // which must not start a second line (an entry tall enough has room).
  ASSERT_TRUE(Open("Haunted", nullptr, 1.f, ITextStyle(), IRECT(10.f, 20.f, 210.f, 220.f)));
  HWND edit = entry.Window();
  SendMessageW(edit, EM_SETSEL, 7, 7);
  Type(" hall");
  PostKey(edit, VK_RETURN);
  PumpMessages();
  EXPECT_EQ(entry.State(), kTextEntryCommit);
  EXPECT_EQ(Tick(WinTextEntryField::ETick::kCommitted), "Haunted hall");
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(entry.State(), kTextEntryIdle);
  EXPECT_EQ(Tick(WinTextEntryField::ETick::kNone), "");

  ASSERT_TRUE(Open("-3", &real));
  Type("7");
  PostKey(entry.Window(), VK_ESCAPE);
  PumpMessages();
  EXPECT_EQ(entry.State(), kTextEntryCancel);
  EXPECT_EQ(Tick(WinTextEntryField::ETick::kCancelled), "");
  EXPECT_FALSE(entry.IsOpen());

  // Focus: regained -> held for a tick; lost -> commit.
  ASSERT_TRUE(Open("4.5", &real));
  SetFocus(window.Handle());
  SetFocus(entry.Window());
  EXPECT_EQ(entry.State(), kTextEntryFocused);
  EXPECT_EQ(Tick(WinTextEntryField::ETick::kHeld), "");
  EXPECT_TRUE(entry.IsOpen());
  EXPECT_EQ(entry.State(), kTextEntryIdle);
  SetFocus(window.Handle());
  EXPECT_EQ(entry.State(), kTextEntryCommit);
  EXPECT_EQ(Tick(WinTextEntryField::ETick::kCommitted), "4.5");
  // The window side's states (a click, the wheel, CancelUserEdit) complete the same way.
  ASSERT_TRUE(Open("9", &real));
  entry.SetState(kTextEntryDrawn);
  EXPECT_EQ(Tick(WinTextEntryField::ETick::kHeld), "");
  entry.SetState(kTextEntryCancel);
  EXPECT_EQ(Tick(WinTextEntryField::ETick::kCancelled), "");
  // Destroyed from outside (with the editor window): closed, nothing pending.
  ASSERT_TRUE(Open("9", &real));
  DestroyWindow(entry.Window());
  EXPECT_FALSE(entry.IsOpen());
  EXPECT_EQ(Tick(WinTextEntryField::ETick::kNone), "");
}

TEST_F(WinTextEntryFieldTest, CommitsAtMost255UnitsAndNeverHalfACharacter)
{
  ASSERT_TRUE(Open("", nullptr));
  SetWindowTextW(entry.Window(), std::wstring(300, L'a').c_str());
  entry.SetState(kTextEntryCommit);
  EXPECT_EQ(Tick(WinTextEntryField::ETick::kCommitted), std::string(255, 'a'));

  // A pair across the 255th unit is left out whole.
  ASSERT_TRUE(Open("", nullptr));
  SetWindowTextW(entry.Window(), (std::wstring(254, L'a') + L"\U0001F47Bb").c_str());
  entry.SetState(kTextEntryCommit);
  EXPECT_EQ(Tick(WinTextEntryField::ETick::kCommitted), std::string(254, 'a'));
}
