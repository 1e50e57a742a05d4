// The editor window under wine on a virtual display: a child of class
// "IFxWndClass" in a host's top-level window, drawing through its own GL
// context (read back from the main frame: a GL child window reads back
// black through GDI), input from posted and injected messages, the redraw
// tick measured, and the failure paths.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "window/PlatformGraphics.h"
#include "window/RedrawTiming.h"
#include "window/win/IGfxWin.h"
#include "window/win/WinGLContext.h"
#include "support/RecordingDelegate.h"
#include "support/TestControl.h"

using namespace ifx::igfx;
using ifx::testkit::RecordingDelegate;
using ifx::testkit::TestControl;

namespace {

constexpr wchar_t kHostClass[] = L"MurkwispTestHostFrame";

// A control that fills its rectangle and keeps what the pointer did to it.
class FillControl : public TestControl
{
public:
  FillControl(const IRECT& r, IRgba c) : TestControl(r), color(c) {}
  void Draw(IGfx& g) override
  {
    ++draws;
    g.FillRect(color, GetRECT());
  }
  void OnMouseDown(float x, float y, const IMouseModifiers& mod) override
  {
    downX = x;
    downY = y;
    downMod = mod;
    TestControl::OnMouseDown(x, y, mod);
  }
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseModifiers& mod) override
  {
    dragDX += dX;
    dragDY += dY;
    TestControl::OnMouseDrag(x, y, dX, dY, mod);
  }
  void OnMouseWheel(float x, float y, const IMouseModifiers& mod, float d) override
  {
    wheelDeltas.push_back(d);
    TestControl::OnMouseWheel(x, y, mod, d);
  }
  IRgba color;
  float downX = -1.f, downY = -1.f, dragDX = 0.f, dragDY = 0.f;
  IMouseModifiers downMod;
  std::vector<float> wheelDeltas;
};

// The window as tests drive it: the tick source forced, the renderer
// refused, the ticks counted.
class TestWin : public IGfxWin
{
public:
  TestWin(RecordingDelegate& dlg, bool verticalBlank = false) : IGfxWin(dlg, 1200, 800, 60, 1.f)
  {
    SetModuleHandle(GetModuleHandleW(nullptr));
    if (verticalBlank)
      SetVerticalBlankMode(true);
    SetDisplayTickFunc([this] { ++ticks; });
  }
  float DpiScaleOf(HWND window) const override { return dpiScale > 0.f ? dpiScale : IGfxWin::DpiScaleOf(window); }
  void OnSurfaceCreated() override
  {
    if (!refuseRenderer)
      IGfxVG::OnSurfaceCreated();
  }
  bool refuseRenderer = false;
  int ticks = 0;
  float dpiScale = 0.f; // a display of this DPI scale; 0: the real one
};

struct OpenCounter : RecordingDelegate
{
  void OnEditorOpened() override
  {
    ++opened;
    RecordingDelegate::OnEditorOpened();
  }
  int opened = 0;
};

// The host's top-level window, which also hears the keys the editor passes on.
std::vector<WPARAM> gHostKeys;
LRESULT CALLBACK HostProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
  if (msg == WM_KEYDOWN)
    gHostKeys.push_back(wp);
  return DefWindowProcW(w, msg, wp, lp);
}

bool ClassRegistered()
{
  WNDCLASSW wc{};
  return GetClassInfoW(GetModuleHandleW(nullptr), L"IFxWndClass", &wc) != FALSE;
}

void Pump(int ms)
{
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end)
  {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
    {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
}

// A control that keeps the UI thread for 50 ms at every draw and always
// wants drawing again.
class SlowControl : public TestControl
{
public:
  using TestControl::TestControl;
  bool IsDirty() const override { return true; }
  void Draw(IGfx&) override
  {
    const auto start = std::chrono::steady_clock::now();
    Sleep(50);
    paintingMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    ++draws;
  }
  double paintingMs = 0.;
};

// A host that waits for a message, then dispatches until PeekMessage finds
// the queue empty, and so on for ms: the longest dispatching without the
// queue running dry (cut short at a second).
double HostLoop(int ms)
{
  using Clock = std::chrono::steady_clock;
  auto since = [](Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); };
  double longest = 0.;
  for (const auto start = Clock::now(); since(start) < ms;)
  {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    const auto busy = Clock::now();
    MSG m;
    while (since(busy) < 1000. && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
    {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    longest = std::max(longest, since(busy));
  }
  return longest;
}

class WinEditorWindow : public ::testing::Test
{
protected:
  // One host window for the suite: wine takes two seconds to destroy a
  // top-level window on a display without a window manager.
  static void SetUpTestSuite()
  {
    WNDCLASSW wc{};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kHostClass;
    RegisterClassW(&wc);
    parent = CreateWindowExW(0, kHostClass, L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1250, 850, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  static void TearDownTestSuite() { DestroyWindow(parent); }
  void SetUp() override
  {
    ASSERT_NE(parent, nullptr);
    SetWindowPos(parent, nullptr, 0, 0, 1250, 850, SWP_NOZORDER | SWP_NOACTIVATE);
    gHostKeys.clear();
    dlg.layoutFunc = [this](IGfx* g) {
      background = new FillControl(g->GetBounds(), IRgba(255, 20, 40, 60));
      g->AttachControl(background);
      box = new FillControl(IRECT(100.f, 100.f, 300.f, 200.f), IRgba(255, 200, 100, 50));
      g->AttachControl(box);
    };
  }
  void TearDown() override
  {
    gfx.reset();
    Pump(10);
    EXPECT_EQ(IGfxWin::WindowClassUsers(), 0);
    EXPECT_FALSE(ClassRegistered());
  }
  HWND Open(bool verticalBlank = false)
  {
    gfx = std::make_unique<TestWin>(dlg, verticalBlank);
    return static_cast<HWND>(gfx->OpenWindow(parent));
  }
  const uint8_t* Pixel(int x, int y) const { return &frame[(static_cast<size_t>(y) * frameW + x) * 4]; }
  void ReadFrame() { ASSERT_TRUE(gfx->ReadMainFrame(frame, frameW, frameH)); }
  void ExpectPixel(int x, int y, const IRgba& c)
  {
    const uint8_t* p = Pixel(x, y);
    EXPECT_EQ(p[0], c.R) << x << "," << y;
    EXPECT_EQ(p[1], c.G) << x << "," << y;
    EXPECT_EQ(p[2], c.B) << x << "," << y;
    EXPECT_EQ(p[3], c.A) << x << "," << y;
  }

  static HWND parent;
  OpenCounter dlg;
  std::unique_ptr<TestWin> gfx;
  FillControl* background = nullptr;
  FillControl* box = nullptr;
  std::vector<uint8_t> frame;
  int frameW = 0, frameH = 0;
};

HWND WinEditorWindow::parent = nullptr;

} // namespace

TEST_F(WinEditorWindow, OpensAChildOfItsClassInTheHostWindowAndClosesWithTheClass)
{
  EXPECT_FALSE(ClassRegistered());
  HWND w = Open();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(gfx->GetWindow(), w);
  EXPECT_STREQ(gfx->PlatformName(), "win32");
  wchar_t name[64] = {};
  GetClassNameW(w, name, 64);
  EXPECT_STREQ(name, L"IFxWndClass");
  EXPECT_EQ(GetParent(w), parent);
  const LONG style = GetWindowLongW(w, GWL_STYLE);
  EXPECT_TRUE((style & WS_CHILD) && (style & WS_VISIBLE) && (style & WS_CLIPSIBLINGS) && (style & WS_CLIPCHILDREN));
  RECT r{};
  GetClientRect(w, &r);
  EXPECT_EQ(r.right, 1200);
  EXPECT_EQ(r.bottom, 800);
  EXPECT_EQ(IGfxWin::WindowClassUsers(), 1);
  EXPECT_TRUE(ClassRegistered());
  EXPECT_EQ(dlg.CallsOf(ifx::testkit::DelegateCall::kLayout).size(), 1u);
  EXPECT_EQ(dlg.opened, 1);
  EXPECT_EQ(gfx->NControls(), 2);
  // Nothing was current before opening, so nothing is after it.
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  // Wine reports Windows 7: the window timer ticks.
  EXPECT_FALSE(gfx->IsVerticalBlankMode());

  gfx->CloseWindow();
  EXPECT_FALSE(IsWindow(w));
  EXPECT_FALSE(gfx->IsWindowOpen());
  EXPECT_EQ(gfx->NControls(), 0);
  EXPECT_EQ(IGfxWin::WindowClassUsers(), 0);
  EXPECT_FALSE(ClassRegistered());
  gfx->CloseWindow(); // nothing to close

  // Opened again: a new window with a new layout.
  ASSERT_NE(gfx->OpenWindow(parent), nullptr);
  EXPECT_EQ(dlg.opened, 2);
  EXPECT_EQ(gfx->NControls(), 2);
  EXPECT_TRUE(ClassRegistered());
}

TEST_F(WinEditorWindow, AReopenKeepsTheWindowsSizeAndPlace)
{
  HWND w = Open();
  ASSERT_NE(w, nullptr);
  // The host framed it 30, 40 into its client area.
  SetWindowPos(w, nullptr, 30, 40, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
  HWND again = static_cast<HWND>(gfx->OpenWindow(parent));
  ASSERT_NE(again, nullptr);
  EXPECT_FALSE(IsWindow(w) && w != again);
  RECT r{};
  GetWindowRect(again, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right - r.left, 1200);
  EXPECT_EQ(r.bottom - r.top, 800);
  EXPECT_EQ(IGfxWin::WindowClassUsers(), 1);
}

TEST_F(WinEditorWindow, DrawsTheControlsIntoTheMainFrameAndRedrawsWhatTurnsDirty)
{
  ASSERT_NE(Open(), nullptr);
  Pump(150);
  ReadFrame();
  ASSERT_EQ(frameW, 1200);
  ASSERT_EQ(frameH, 800);
  EXPECT_GE(box->draws, 1);
  const IRgba bg = background->color, fg = box->color;
  for (auto xy : {std::pair<int, int>{0, 0}, {10, 10}, {1199, 799}, {99, 150}, {300, 150}, {150, 200}, {600, 400}})
    ExpectPixel(xy.first, xy.second, bg);
  for (auto xy : {std::pair<int, int>{100, 100}, {150, 150}, {299, 199}})
    ExpectPixel(xy.first, xy.second, fg);

  // A control turned dirty is painted again at the next tick, and nothing else.
  const int backgroundDraws = background->draws;
  box->color = IRgba(255, 0, 0, 255);
  box->SetDirty(false);
  Pump(100);
  ReadFrame();
  ExpectPixel(150, 150, box->color);
  ExpectPixel(600, 400, bg);
  EXPECT_EQ(background->draws, backgroundDraws + 1); // only where the box lies

  // The registered message gives the same picture to a caller on this thread.
  HWND w = static_cast<HWND>(gfx->GetWindow());
  const LRESULT size = SendMessageW(w, IGfxWin::FrameReadMessage(), 0, 0);
  EXPECT_EQ(size, (1200 << 16) | 800);
  std::vector<uint8_t> pixels(frame.size() - 1);
  EXPECT_EQ(SendMessageW(w, IGfxWin::FrameReadMessage(), pixels.size(), reinterpret_cast<LPARAM>(pixels.data())), 0);
  pixels.resize(frame.size());
  EXPECT_EQ(SendMessageW(w, IGfxWin::FrameReadMessage(), pixels.size(), reinterpret_cast<LPARAM>(pixels.data())), size);
  EXPECT_EQ(pixels, frame);
}

TEST_F(WinEditorWindow, PostedMouseMessagesReachTheControlUnderThePointer)
{
  HWND w = Open();
  ASSERT_NE(w, nullptr);
  PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(150, 160));
  PostMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(160, 165));
  PostMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(160, 165)); // no distance: no drag
  PostMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(158, 170));
  PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(158, 170));
  Pump(50);
  EXPECT_EQ(box->mouseDowns, 1);
  EXPECT_EQ(box->downX, 150.f);
  EXPECT_EQ(box->downY, 160.f);
  EXPECT_TRUE(box->downMod.L && box->downMod.S && !box->downMod.R && !box->downMod.C);
  EXPECT_EQ(box->drags, 2);
  EXPECT_EQ(box->dragDX, 8.f);
  EXPECT_EQ(box->dragDY, 10.f);
  EXPECT_EQ(box->mouseUps, 1);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(background->mouseDowns, 0);

  // Moves without a button and without capture drag nothing.
  PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(170, 170));
  PostMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(180, 180));
  PostMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
  PostMessageW(w, WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
  PostMessageW(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(120, 120));
  PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(120, 120));
  Pump(50);
  EXPECT_EQ(box->drags, 2);
  EXPECT_EQ(background->mouseDowns, 1);
  EXPECT_TRUE(background->downMod.R);
  EXPECT_EQ(box->doubleClicks, 1);

  // Wheel messages carry screen coordinates; whole notches only.
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  for (short delta : {-240, 60, 120})
    PostMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(origin.x + 150, origin.y + 150));
  Pump(30);
  EXPECT_EQ(box->wheelDeltas, (std::vector<float>{-2.f, 0.f, 1.f}));
}

TEST_F(WinEditorWindow, MouseMessagesMadeFromPenOrTouchDoNotPressOrMove)
{
  // Input injected as the system would make it from a pen: the messages
  // carry the signature in their extra information.
  HWND w = Open();
  ASSERT_NE(w, nullptr);
  SetForegroundWindow(parent);
  Pump(30);
  auto moveTo = [w](int x, int y) {
    POINT at{x, y};
    ClientToScreen(w, &at);
    SetCursorPos(at.x, at.y);
  };
  auto inject = [](DWORD flags, ULONG_PTR extra) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    in.mi.dwExtraInfo = extra;
    return SendInput(1, &in, sizeof(INPUT));
  };
  constexpr ULONG_PTR kPen = 0xFF515701;
  moveTo(150, 150);
  // Two pen taps in one place: a press and a double click, both ignored.
  for (int i = 0; i < 2; ++i)
  {
    ASSERT_EQ(inject(MOUSEEVENTF_LEFTDOWN, kPen), 1u);
    ASSERT_EQ(inject(MOUSEEVENTF_LEFTUP, kPen), 1u);
  }
  Pump(80);
  EXPECT_EQ(box->mouseDowns, 0);
  EXPECT_EQ(box->doubleClicks, 0);
  // A mouse click elsewhere on the control counts.
  moveTo(280, 190);
  ASSERT_EQ(inject(MOUSEEVENTF_LEFTDOWN, 0), 1u);
  ASSERT_EQ(inject(MOUSEEVENTF_LEFTUP, 0), 1u);
  Pump(80);
  EXPECT_EQ(box->mouseDowns, 1);
  EXPECT_EQ(box->mouseUps, 1);
  EXPECT_EQ(box->downX, 280.f);
  EXPECT_EQ(box->doubleClicks, 0);
}

TEST_F(WinEditorWindow, KeysGoToTheEditorAndThoseItLeavesToTheHostWindow)
{
  HWND w = Open();
  ASSERT_NE(w, nullptr);
  std::vector<IKeyEvent> keys;
  gfx->SetKeyHandlerFunc([&keys](const IKeyEvent& key, bool isUp) {
    if (!isUp)
      keys.push_back(key);
    return key.VK == 'A';
  });
  const LPARAM scanA = static_cast<LPARAM>(MapVirtualKeyW('A', MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(w, WM_KEYDOWN, 'A', scanA | 1);
  PostMessageW(w, WM_KEYDOWN, VK_F5, (static_cast<LPARAM>(MapVirtualKeyW(VK_F5, MAPVK_VK_TO_VSC)) << 16) | 1);
  Pump(30);
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].VK, 'A');
  EXPECT_STREQ(keys[0].utf8, "a");
  EXPECT_EQ(keys[1].VK, VK_F5);
  EXPECT_STREQ(keys[1].utf8, "");
  // The one the editor did not take reached the host's top-level window.
  EXPECT_EQ(gHostKeys, (std::vector<WPARAM>{VK_F5}));
  EXPECT_EQ(SendMessageW(w, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
}

TEST_F(WinEditorWindow, TheTimerTicksAtThePeriodItComputesAndDrawsOnlyWhatIsDirty)
{
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(RedrawTimerPeriodMs(gfx->FPS()), 15);
  Pump(100);
  const int drawsBefore = background->draws;
  const int ticksBefore = gfx->ticks;
  const auto start = std::chrono::steady_clock::now();
  Pump(1000);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  const int ticks = gfx->ticks - ticksBefore;
  const double period = ms / ticks;
  RecordProperty("redraw_ticks_per_second", ticks);
  std::printf("redraw: %d ticks in %.0f ms, period %.1f ms\n", ticks, ms, period);
  EXPECT_GT(period, 13.0);
  EXPECT_LT(period, 20.0);
  // Nothing turned dirty: a second of ticks painted nothing.
  EXPECT_EQ(background->draws, drawsBefore);
}

TEST_F(WinEditorWindow, TheVerticalBlankThreadTicksDropsStaleCountsAndStopsOnClose)
{
  HWND w = Open(/*verticalBlank=*/true);
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(gfx->IsVerticalBlankMode());
  Pump(100);
  const int before = gfx->ticks;
  Pump(1000);
  const int ticks = gfx->ticks - before;
  std::printf("vertical-blank thread: %d ticks in 1000 ms\n", ticks);
  // Wine has no vertical-blank wait: the thread sleeps 16 ms a tick.
  EXPECT_GT(ticks, 40);
  EXPECT_LT(ticks, 70);
  // A count that is not the newest does nothing.
  const int now = gfx->ticks;
  SendMessageW(w, IGfxWin::kVerticalBlankMessage, 1, 0);
  EXPECT_EQ(gfx->ticks, now);

  const auto start = std::chrono::steady_clock::now();
  gfx->CloseWindow();
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(ms, 200.0); // within a step or so, well before the 10 s limit
  // Freed at once: the thread is gone and shares nothing with the object.
  gfx.reset();
  Pump(50);
}

TEST_F(WinEditorWindow, ASlowEditorPaintsAboutHalfTheTimeAndTheHostsLoopReturnsBetweenFrames)
{
  for (bool verticalBlank : {false, true})
  {
    SCOPED_TRACE(verticalBlank ? "vertical-blank thread" : "timer");
    SlowControl* slow = nullptr;
    dlg.layoutFunc = [&slow](IGfx* g) {
      slow = new SlowControl(g->GetBounds());
      g->AttachControl(slow);
    };
    ASSERT_NE(Open(verticalBlank), nullptr);
    HostLoop(500); // the editor finds its pace
    const double paintedBefore = slow->paintingMs;
    const int drawsBefore = slow->draws;
    const auto start = std::chrono::steady_clock::now();
    const double longestBusy = HostLoop(2000);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const double share = (slow->paintingMs - paintedBefore) / ms, fps = (slow->draws - drawsBefore) * 1000. / ms;
    std::printf("%s: %.1f frames a second, painting %.0f%% of the time, longest busy %.0f ms\n",
                verticalBlank ? "vertical-blank thread" : "timer", fps, 100. * share, longestBusy);
    EXPECT_LT(longestBusy, 200.); // a frame and what else came, not frame after frame
    EXPECT_LE(share, .55);
    EXPECT_GE(fps, 3.); // still several frames a second
    gfx.reset();
  }
}

TEST_F(WinEditorWindow, AFailedOpeningLeavesNothingBehindAndNeverTouchesTheScreen)
{
  HDC screen = GetDC(nullptr);
  const int screenFormat = GetPixelFormat(screen);
  for (HWND badParent : {static_cast<HWND>(nullptr), reinterpret_cast<HWND>(static_cast<uintptr_t>(0x7ff0))})
  {
    gfx = std::make_unique<TestWin>(dlg);
    EXPECT_EQ(gfx->OpenWindow(badParent), nullptr);
    EXPECT_FALSE(gfx->IsWindowOpen());
    EXPECT_EQ(IGfxWin::WindowClassUsers(), 0);
    EXPECT_FALSE(ClassRegistered());
    EXPECT_EQ(GetPixelFormat(screen), screenFormat);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
  }
  // No renderer: no window pretending to be an editor.
  gfx = std::make_unique<TestWin>(dlg);
  gfx->refuseRenderer = true;
  EXPECT_EQ(gfx->OpenWindow(parent), nullptr);
  EXPECT_EQ(FindWindowExW(parent, nullptr, L"IFxWndClass", nullptr), nullptr);
  EXPECT_EQ(IGfxWin::WindowClassUsers(), 0);
  EXPECT_TRUE(dlg.CallsOf(ifx::testkit::DelegateCall::kLayout).empty());
  EXPECT_EQ(dlg.opened, 0);
  EXPECT_EQ(gfx->NControls(), 0);
  EXPECT_EQ(GetPixelFormat(screen), screenFormat);
  ReleaseDC(nullptr, screen);
  // Closing and activating a window that never opened are harmless.
  gfx->ActivateGLContext();
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  gfx->DeactivateGLContext();
  gfx->DeactivateGLContext(); // unpaired: ignored
  gfx->CloseWindow();
}

TEST_F(WinEditorWindow, TheHostsContextIsCurrentAgainAfterNestedActivations)
{
  // The host draws with a GL context of its own, on a window of its own
  // (here a hidden one).
  HWND hostSurface = CreateWindowExW(0, kHostClass, L"gl", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(hostSurface, nullptr);
  HDC hostDC = GetDC(hostSurface);
  HGLRC host = CreateWindowGLContext(hostDC);
  ASSERT_NE(host, nullptr);
  ASSERT_TRUE(wglMakeCurrent(hostDC, host));

  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(wglGetCurrentContext(), host);
  gfx->ActivateGLContext();
  HGLRC editor = wglGetCurrentContext();
  EXPECT_NE(editor, host);
  EXPECT_NE(editor, nullptr);
  gfx->ActivateGLContext();
  gfx->ActivateGLContext();
  gfx->DeactivateGLContext();
  EXPECT_EQ(wglGetCurrentContext(), editor);
  gfx->DeactivateGLContext();
  EXPECT_EQ(wglGetCurrentContext(), editor);
  gfx->DeactivateGLContext();
  EXPECT_EQ(wglGetCurrentContext(), host);
  EXPECT_EQ(wglGetCurrentDC(), hostDC);
  // Paints and the close leave it current too.
  box->SetDirty(false);
  Pump(60);
  EXPECT_EQ(wglGetCurrentContext(), host);
  gfx->CloseWindow();
  EXPECT_EQ(wglGetCurrentContext(), host);
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(host);
  ReleaseDC(hostSurface, hostDC);
  DestroyWindow(hostSurface);
}

TEST_F(WinEditorWindow, ScaleChangesResizeTheWindowAndItsParentAndTheTickFollowsTheDisplay)
{
  HWND w = Open();
  ASSERT_NE(w, nullptr);
  RECT p0{}, r{};
  GetWindowRect(parent, &p0);
  dlg.sizeRequestResult = false; // the host did not resize: the window grows its parent
  // (The parent must still fit the virtual screen once grown.)
  gfx->SetDisplayScale(1.25f);
  EXPECT_FLOAT_EQ(gfx->WindowScaleFactor(), 1.25f);
  GetClientRect(w, &r);
  EXPECT_EQ(r.right, 1500);
  EXPECT_EQ(r.bottom, 1000);
  RECT p1{};
  GetWindowRect(parent, &p1);
  EXPECT_EQ((p1.right - p1.left) - (p0.right - p0.left), 300);
  EXPECT_EQ((p1.bottom - p1.top) - (p0.bottom - p0.top), 200);
  std::vector<uint8_t> pixels;
  int frameWidth = 0, frameHeight = 0;
  ASSERT_TRUE(gfx->ReadMainFrame(pixels, frameWidth, frameHeight));
  EXPECT_EQ(frameWidth, 1500);
  EXPECT_EQ(frameHeight, 1000);
  // The display says 96 DPI: the first tick after opening goes back to 1.
  Pump(100);
  EXPECT_FLOAT_EQ(gfx->GetScreenScale(), 1.f);
  GetClientRect(w, &r);
  EXPECT_EQ(r.right, 1200);
  ASSERT_TRUE(gfx->ReadMainFrame(pixels, frameWidth, frameHeight));
  EXPECT_EQ(frameWidth, 1200);
}

TEST_F(WinEditorWindow, TheTickFollowsChangesOfTheDisplaysDpiAndOtherwiseKeepsTheHostsScale)
{
  // The display's DPI scale at opening; the host's scale (0: none), set
  // before the first tick or after some; the DPI scale later (0: the same).
  // Then the display scale and the window widths asked for since opening.
  const struct
  {
    float openDpi, host;
    bool hostFirst;
    float laterDpi, scale;
    std::vector<int> widths;
  } cases[] = {
    {1.5f, 0.f, false, 0.f, 1.5f, {1200, 1800}},         // opened at 1, the first tick brings 1.5
    {1.f, 1.5f, false, 0.f, 1.5f, {1200, 1800}},         // a host with its own zoom
    {1.f, 1.5f, true, 0.f, 1.5f, {1200, 1800}},          // ... before the first tick
    {1.5f, 1.f, false, 0.f, 1.f, {1200, 1800, 1200}},    // a host that is not DPI aware
    {1.25f, 2.f, true, 0.f, 2.f, {1200, 2400}},          //
    {1.f, 1.5f, false, 2.f, 2.f, {1200, 1800, 2400}},    // then another monitor
    {1.f, 1.5f, false, 1.5f, 1.5f, {1200, 1800}},        // ... at the host's scale
    {1.5f, 1.f, false, 1.25f, 1.25f, {1200, 1800, 1200, 1500}},
  };
  for (const auto& c : cases)
  {
    SCOPED_TRACE(testing::Message() << "dpi " << c.openDpi << " host " << c.host << " later " << c.laterDpi);
    dlg.ClearCalls();
    gfx = std::make_unique<TestWin>(dlg);
    gfx->dpiScale = c.openDpi;
    HWND w = static_cast<HWND>(gfx->OpenWindow(parent));
    ASSERT_NE(w, nullptr);
    if (c.host > 0.f && c.hostFirst)
      gfx->SetHostDisplayScale(c.host);
    Pump(100);
    if (c.host > 0.f && !c.hostFirst)
      gfx->SetHostDisplayScale(c.host);
    Pump(100);
    if (c.laterDpi > 0.f)
      gfx->dpiScale = c.laterDpi;
    Pump(100);
    EXPECT_FLOAT_EQ(gfx->GetScreenScale(), c.scale);
    std::vector<int> widths;
    for (const auto& call : dlg.CallsOf(ifx::testkit::DelegateCall::kSizeRequest))
      widths.push_back(call.width);
    EXPECT_EQ(widths, c.widths);
    RECT r{};
    GetClientRect(w, &r);
    EXPECT_EQ(r.right, static_cast<int>(1200 * c.scale));
    gfx.reset();
  }
}

TEST_F(WinEditorWindow, CursorKindsTouchWithoutSupportAndClosingFromTheWindow)
{
  HWND w = Open();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(gfx->SetMouseCursor(11), 0);
  EXPECT_EQ(gfx->GetCursorType(), 11);
  SendMessageW(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
  EXPECT_EQ(gfx->SetMouseCursor(99), 11);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));

  gfx->HideMouseCursor(true, false);
  EXPECT_TRUE(gfx->GetCursorHidden());
  gfx->HideMouseCursor(false);
  EXPECT_FALSE(gfx->GetCursorHidden());

  // Wine has no touch input: a touch message's records cannot be read and
  // the message goes on to the default handling without reaching a control.
  EXPECT_FALSE(gfx->SupportsMultiTouch());
  PostMessageW(w, WM_TOUCH, 1, 0x1234);
  Pump(20);
  EXPECT_EQ(box->mouseDowns + background->mouseDowns, 0);

  PostMessageW(w, WM_CLOSE, 0, 0);
  Pump(20);
  EXPECT_FALSE(gfx->IsWindowOpen());
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(IGfxWin::WindowClassUsers(), 0);
}

TEST_F(WinEditorWindow, AMessageBoxBelongsToTheHostsTopLevelWindowAndShowsAHiddenCursor)
{
  ASSERT_NE(Open(), nullptr);
  gfx->HideMouseCursor(true, false);
  // The box is modal: a thread timer, run by its message loop, answers it.
  static HWND owner = nullptr;
  owner = nullptr;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    if (HWND box = FindWindowW(L"#32770", L"Caption \u00e9"))
    {
      owner = GetWindow(box, GW_OWNER);
      PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    }
  });
  int completed = 0;
  const int result = gfx->ShowMessageBox("Text", "Caption \xC3\xA9", MB_OKCANCEL, [&](int r) { completed = r; });
  KillTimer(nullptr, timer);
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(completed, IDCANCEL);
  EXPECT_EQ(owner, parent);
  EXPECT_FALSE(gfx->GetCursorHidden());
}

TEST_F(WinEditorWindow, ThePlatformFactoryMakesTheWindowForItsOwnModule)
{
  std::unique_ptr<IGfx> g(MakePlatformGraphics(dlg, 1200, 800, 60, 1.f));
  ASSERT_NE(g, nullptr);
  EXPECT_STREQ(g->PlatformName(), "win32");
  EXPECT_EQ(g->ModuleHandle(), GetModuleHandleW(nullptr)); // linked into this program
  ASSERT_NE(g->OpenWindow(parent), nullptr);
  EXPECT_EQ(FindWindowExW(parent, nullptr, L"IFxWndClass", nullptr), g->GetWindow());
  g->CloseWindow();
}
