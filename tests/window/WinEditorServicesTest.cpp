// The services through the editor window (IGfxWin) under wine: a text entry
// for a parameter filtered, committed by a redraw tick and applied; a menu
// chosen by keys reaching its control; the clipboard owned by the editor's
// window; files dropped on the window reaching the control under them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "WinTestWindow.h"
#include "base/IParam.h"
#include "window/win/IGfxWin.h"
#include "support/RecordingDelegate.h"
#include "support/TestControl.h"

using namespace ifx;
using namespace ifx::igfx;
using ifx::testkit::PostKey;
using ifx::testkit::PumpMessages;
using ifx::testkit::TestControl;
using ifx::testkit::TestWindow;

namespace {

// Keeps the drops it gets, one entry per call.
class DropControl : public TestControl
{
public:
  using TestControl::TestControl;
  std::vector<std::string> drops;
  void OnDrop(const char* path) override { drops.push_back(path); }
  void OnDropPaths(const std::vector<const char*>& paths) override
  {
    std::string all = "paths:";
    for (const char* p : paths)
      all += std::string(p) + "|";
    drops.push_back(all);
  }
};

class WinEditorServices : public ::testing::Test
{
protected:
  WinEditorServices() : gfx(delegate, 400, 300, 60, 1.5f)
  {
    delegate.GetParam(0)->ConfigureDouble("Fine", 0., -10., 10., 0.1);
    gfx.SetModuleHandle(GetModuleHandleW(nullptr));
    background = new DropControl(IRECT(0.f, 0.f, 400.f, 300.f));
    gfx.AttachBackground(background);
    knob = new TestControl(IRECT(10.f, 10.f, 110.f, 40.f), 0);
    target = new DropControl(IRECT(200.f, 100.f, 300.f, 200.f));
    gfx.AttachControl(knob);
    gfx.AttachControl(target);
    window = static_cast<HWND>(gfx.OpenWindow(TestWindow::Get().Handle()));
  }
  ~WinEditorServices() override { gfx.CloseWindow(); }

  HWND Edit() const { return FindWindowExW(window, nullptr, L"Edit", nullptr); }

  // A shell drop of names at a window pixel, as WM_DROPFILES brings it.
  void SendDrop(const std::vector<std::u16string>& names, int x, int y)
  {
    std::vector<uint8_t> bytes(20, 0);
    const int32_t header[5] = {20, x, y, 0, 1};
    std::memcpy(bytes.data(), header, 20);
    for (const std::u16string& name : names)
    {
      const auto* p = reinterpret_cast<const uint8_t*>(name.c_str());
      bytes.insert(bytes.end(), p, p + (name.size() + 1) * 2);
    }
    bytes.insert(bytes.end(), 2, 0);
    HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(drop), bytes.data(), bytes.size());
    GlobalUnlock(drop);
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  }

  ifx::testkit::RecordingDelegate delegate;
  IGfxWin gfx;
  TestControl* knob = nullptr;
  DropControl* target = nullptr;
  DropControl* background = nullptr;
  HWND window = nullptr;
};

} // namespace

TEST_F(WinEditorServices, ATextEntryForAParameterIsFilteredAndCommittedByTheTick)
{
  ASSERT_NE(window, nullptr);
  gfx.ShowTextEntry(knob, ITextStyle(), knob->GetRECT(), "", 0);
  HWND edit = Edit();
  ASSERT_NE(edit, nullptr);
  for (char c : std::string("-2.5x"))
    PostMessageW(edit, WM_CHAR, static_cast<WPARAM>(c), 1);
  PostKey(edit, VK_RETURN);
  PumpMessages(150); // the timer's ticks complete the commit
  EXPECT_FALSE(IsWindow(edit));
  const auto values = delegate.CallsOf(ifx::testkit::DelegateCall::kValue);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].paramIdx, 0);
  EXPECT_DOUBLE_EQ(values[0].value, 0.375); // -2.5 in -10..10

  // Escape: the entry goes, nothing is applied; the next entry can open.
  gfx.ShowTextEntry(knob, ITextStyle(), knob->GetRECT(), "1", 0);
  ASSERT_NE(Edit(), nullptr);
  PostKey(Edit(), VK_ESCAPE);
  PumpMessages(150);
  EXPECT_EQ(Edit(), nullptr);
  EXPECT_EQ(delegate.CallsOf(ifx::testkit::DelegateCall::kValue).size(), 1u);
  EXPECT_EQ(gfx.GetTextEntryOwner(), nullptr);
}

TEST_F(WinEditorServices, AMenuChosenByKeysReachesItsControl)
{
  ASSERT_NE(window, nullptr);
  IPopupMenu menu;
  menu.AddItem("Whisper");
  menu.AddItem("Scream");
  PostKey(window, VK_END);
  PostKey(window, VK_RETURN);
  gfx.ShowMenu(target, menu, target->GetRECT(), -1);
  EXPECT_EQ(menu.GetChosenItemIdx(), 1);
  EXPECT_EQ(target->menuSelections, 1);
  EXPECT_EQ(gfx.GetMenuOwner(), nullptr);
}

TEST_F(WinEditorServices, TheClipboardBelongsToTheEditorsWindowAndDropsReachTheControlBelow)
{
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(gfx.CopyTextToClipboard("Spuk"));
  EXPECT_EQ(GetClipboardOwner(), window);
  IString text;
  EXPECT_TRUE(gfx.PasteTextFromClipboard(text));
  EXPECT_STREQ(text.Get(), "Spuk");
  ASSERT_TRUE(gfx.CopyFilePathToClipboard("C:\\a.fxp"));
  EXPECT_EQ(GetClipboardOwner(), window);

  // Shell drops at window pixels, 1.5 per editor unit: (375, 225) is
  // (250, 150), over the drop control, as is (315, 165) with three names, one
  // too long for the read buffer (left out, not cut); (75, 375) is over the
  // background.
  const std::u16string tooLong = u"C:\\" + std::u16string(1100, u'x');
  SendDrop({u"C:\\Spuk\\\u00E9.wav"}, 375, 225);
  SendDrop({u"C:\\a.wav", tooLong, u"C:\\\U0001F47B.fxp", u"C:\\b.wav"}, 315, 165);
  SendDrop({u"C:\\c.wav"}, 75, 375);
  EXPECT_EQ(background->drops, std::vector<std::string>{"C:\\c.wav"});
  EXPECT_EQ(target->drops, (std::vector<std::string>{"C:\\Spuk\\\xC3\xA9.wav",
                                                     "paths:C:\\a.wav|C:\\\xF0\x9F\x91\xBB.fxp|C:\\b.wav|"}));
}
