// The editor in a real host window: a top-level window whose client area
// the editor is opened in, a message pump that also counts the editor's
// redraw ticks, posted mouse and key messages, and the editor's picture read
// back in the process (a GL child window reads back black through GDI) and
// written as PNG.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "hostaudio/EditorSession.h"
#include "hostaudio/PngFile.h"

namespace hostaudio {

namespace {

constexpr wchar_t kHostClass[] = L"Vst3HostEditorFrame";
constexpr wchar_t kEditorClass[] = L"IFxWndClass";
constexpr UINT kRedrawTimerId = 2;
constexpr UINT kVerticalBlankMessage = WM_USER + 1;
// The redraw period the editor computes at 60 frames a second is 15 ms (the
// vertical-blank thread's fallback sleeps 16 ms); a second's ticks must show
// it. Where painting is slow (every control of the editor animates, and a
// software renderer paints 1200 x 800 slowly), the editor spaces its frames
// out so that painting takes about half of the time, but never further apart
// than a quarter of a second (or a paint and a period, when painting alone
// takes longer). Either way the queue runs dry between frames, so that a
// host loop that dispatches until the queue is empty returns.
constexpr double kShortestPeriodMs = 12.;
constexpr double kLongestPeriodMs = 20.;
// About half, with room for the measurement on a busy machine.
constexpr double kMostPaintShare = .7;
constexpr double kSlowestPeriodMs = 250. + 50.;
constexpr double kLongestBusyMs = 400.;
// Input and played signals show once the editor has drawn twice after them,
// and however far apart it spaces its frames, that is within this.
constexpr int kDrawnWithinMs = 2000;
// A host's display scale is watched this long (and for two redraw ticks at
// least): time for the editor's ticks to undo it, were they to.
constexpr int kScaleWatchMs = 500;
constexpr DWORD kHostStyle = WS_OVERLAPPEDWINDOW;

std::vector<WPARAM> gForwardedKeys;

LRESULT CALLBACK HostProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
  // Keys the editor does not take come here, to the host's shortcuts.
  if (msg == WM_KEYDOWN)
    gForwardedKeys.push_back(wp);
  return DefWindowProcW(w, msg, wp, lp);
}

struct PumpResult
{
  int ticks = 0;             // redraw ticks meant for the editor
  double busyMs = 0.;        // time the editor's messages (ticks and paints) took
  int emptied = 0;           // dispatching that ended with the queue dry, as a host's loop needs
  double longestBusyMs = 0.; // longest dispatching without the queue running dry
};

double MsSince(std::chrono::steady_clock::time_point start)
{
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Runs the thread's messages for ms; counts the ticks meant for the editor,
// times the handling of its messages (its painting) and watches whether the
// queue runs dry.
PumpResult Pump(int ms, HWND editor)
{
  PumpResult r;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end)
  {
    MSG m;
    // Bounded still: a queue that never runs dry (an editor that would not
    // space its frames out) ends on time too.
    const auto stretch = std::chrono::steady_clock::now();
    int dispatched = 0;
    bool empty = false;
    while (std::chrono::steady_clock::now() < end)
    {
      if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
      {
        empty = true;
        break;
      }
      ++dispatched;
      const bool forEditor = editor && m.hwnd == editor;
      if (forEditor && ((m.message == WM_TIMER && m.wParam == kRedrawTimerId) || m.message == kVerticalBlankMessage))
        ++r.ticks;
      const auto start = std::chrono::steady_clock::now();
      TranslateMessage(&m);
      DispatchMessageW(&m);
      if (forEditor)
        r.busyMs += MsSince(start);
    }
    r.longestBusyMs = std::max(r.longestBusyMs, MsSince(stretch));
    if (empty && dispatched > 0)
      ++r.emptied;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  return r;
}

// Runs the thread's messages for at least ms, and on until the editor has had
// two more redraw ticks.
void PumpUntilDrawn(int ms, HWND editor)
{
  constexpr int kStepMs = 50;
  int ticks = 0;
  for (int waited = 0; waited < kDrawnWithinMs && (waited < ms || ticks < 2); waited += kStepMs)
    ticks += Pump(kStepMs, editor).ticks;
}

// The outer size of a host window whose client area is width x height.
SIZE HostWindowSize(int width, int height, DWORD style)
{
  RECT frame{0, 0, width, height};
  AdjustWindowRect(&frame, style, FALSE);
  return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

std::string SizeText(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

std::string ClientSize(HWND window)
{
  RECT r{};
  GetClientRect(window, &r);
  return SizeText(r.right, r.bottom);
}

bool ClassRegistered(void* module)
{
  WNDCLASSW wc{};
  return GetClassInfoW(static_cast<HINSTANCE>(module), kEditorClass, &wc) != FALSE;
}

// The editor's child window in the host window, reported; null when none.
HWND FindEditor(HWND parent)
{
  HWND editor = FindWindowExW(parent, nullptr, kEditorClass, nullptr);
  if (!editor)
  {
    std::printf("editor.class: none\n");
    return nullptr;
  }
  RECT r{};
  GetClientRect(editor, &r);
  const bool child = GetParent(editor) == parent && (GetWindowLongW(editor, GWL_STYLE) & WS_CHILD);
  std::printf("editor.class: IFxWndClass\neditor.parent: %s\neditor.size: %ldx%ld\n", child ? "host" : "other", r.right,
              r.bottom);
  return editor;
}

void PostInput(HWND editor, const EditorInput& in)
{
  const LPARAM at = MAKELPARAM(in.x, in.y);
  switch (in.kind)
  {
    case EditorInput::kClick:
      PostMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageW(editor, WM_LBUTTONUP, 0, at);
      break;
    case EditorInput::kRightClick:
      PostMessageW(editor, WM_RBUTTONDOWN, MK_RBUTTON, at);
      PostMessageW(editor, WM_RBUTTONUP, 0, at);
      break;
    case EditorInput::kDoubleClick:
      PostMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageW(editor, WM_LBUTTONUP, 0, at);
      PostMessageW(editor, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
      PostMessageW(editor, WM_LBUTTONUP, 0, at);
      break;
    case EditorInput::kDrag:
    {
      PostMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, at);
      constexpr int kSteps = 4;
      for (int i = 1; i <= kSteps; ++i)
        PostMessageW(editor, WM_MOUSEMOVE, MK_LBUTTON,
                     MAKELPARAM(in.x + (in.x2 - in.x) * i / kSteps, in.y + (in.y2 - in.y) * i / kSteps));
      PostMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(in.x2, in.y2));
      break;
    }
    case EditorInput::kWheel:
    {
      POINT screen{in.x, in.y};
      ClientToScreen(editor, &screen);
      PostMessageW(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<short>(in.value)), MAKELPARAM(screen.x, screen.y));
      break;
    }
    case EditorInput::kKey:
    {
      const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(in.value), MAPVK_VK_TO_VSC)) << 16;
      PostMessageW(editor, WM_KEYDOWN, static_cast<WPARAM>(in.value), scan | 1);
      PostMessageW(editor, WM_KEYUP, static_cast<WPARAM>(in.value), scan | 1 | (LPARAM{3} << 30));
      break;
    }
    case EditorInput::kShot: break;
  }
}

// The editor's main frame through its registered message (this thread's
// window, this process's buffer), written as PNG to path (when given); the
// chosen pixels printed.
bool Screenshot(HWND editor, const std::string& path, const std::vector<std::pair<int, int>>& pixels)
{
  const UINT readFrame = RegisterWindowMessageW(L"IFxWndClass.ReadMainFrame");
  const LRESULT size = SendMessageW(editor, readFrame, 0, 0);
  const int w = static_cast<int>((size >> 16) & 0xFFFF), h = static_cast<int>(size & 0xFFFF);
  if (w == 0 || h == 0)
  {
    std::printf("screenshot: none\n");
    return false;
  }
  std::vector<uint8_t> rgba(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
  if (SendMessageW(editor, readFrame, rgba.size(), reinterpret_cast<LPARAM>(rgba.data())) != size)
  {
    std::printf("screenshot: unreadable\n");
    return false;
  }
  bool ok = true;
  if (!path.empty())
  {
    ok = WritePng(path, w, h, rgba);
    std::printf("screenshot: %dx%d %s\n", w, h, ok ? "written" : "not written");
  }
  else
  {
    std::printf("screenshot: %dx%d\n", w, h);
  }
  // The editor paints every pixel opaque; what it never painted stays clear.
  size_t transparent = 0;
  for (size_t i = 3; i < rgba.size(); i += 4)
    transparent += rgba[i] != 255;
  std::printf("screenshot.transparent: %zu pixels\n", transparent);
  for (const auto& p : pixels)
  {
    if (p.first < 0 || p.second < 0 || p.first >= w || p.second >= h)
    {
      std::printf("pixel(%d,%d): outside\n", p.first, p.second);
      continue;
    }
    const uint8_t* px =
      &rgba[(static_cast<size_t>(p.second) * static_cast<size_t>(w) + static_cast<size_t>(p.first)) * 4];
    std::printf("pixel(%d,%d): %d %d %d %d\n", p.first, p.second, px[0], px[1], px[2], px[3]);
  }
  return ok;
}

// The host sets a display scale. Once the editor's ticks have followed:
// what it asked the host for, the size the host reads, and the sizes of the
// host window and the editor window.
bool HostScales(const EditorHooks& editor, HWND parent, HWND child, double factor)
{
  if (!editor.scale || !editor.size || !editor.sizeRequests)
  {
    std::printf("scale(%g): not offered\n", factor);
    return false;
  }
  const size_t before = editor.sizeRequests().size();
  const bool taken = editor.scale(factor);
  PumpUntilDrawn(kScaleWatchMs, child);
  const std::vector<std::pair<int, int>> requests = editor.sizeRequests();
  std::string asked;
  for (size_t i = before; i < requests.size(); ++i)
    asked += (asked.empty() ? "" : " ") + SizeText(requests[i].first, requests[i].second);
  const std::pair<int, int> size = editor.size();
  std::printf("scale(%g) %s: asked %s / size %s / windows: host %s, editor %s\n", factor, taken ? "taken" : "refused",
              asked.empty() ? "nothing" : asked.c_str(), SizeText(size.first, size.second).c_str(),
              ClientSize(parent).c_str(), ClientSize(child).c_str());
  return taken;
}

bool Close(const EditorHooks& editor, void* module)
{
  const bool closed = editor.close();
  const bool unregistered = !ClassRegistered(module);
  std::printf("editor.detach: %s\nclass.registered: %s\n", closed ? "ok" : "failed", unregistered ? "no" : "yes");
  return closed && unregistered;
}

} // namespace

bool ResizeHostWindow(void* window, int width, int height)
{
  HWND host = static_cast<HWND>(window);
  if (!host || width <= 0 || height <= 0)
    return false;
  const SIZE outer = HostWindowSize(width, height, static_cast<DWORD>(GetWindowLongW(host, GWL_STYLE)));
  SetWindowPos(host, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT r{};
  GetClientRect(host, &r);
  // A window larger than the screen allows stays smaller: refused.
  return r.right == width && r.bottom == height;
}

bool RunEditorSession(const EditorHooks& editor, int width, int height, void* module, const EditorOptions& options)
{
  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kHostClass;
  RegisterClassW(&wc);
  // Room for the editor in the client area.
  const SIZE outer = HostWindowSize(width, height, kHostStyle);
  HWND parent = CreateWindowExW(0, kHostClass, L"test host", kHostStyle | WS_VISIBLE, 0, 0, outer.cx, outer.cy, nullptr,
                                nullptr, wc.hInstance, nullptr);
  if (!parent)
  {
    std::printf("host.window: none\n");
    return false;
  }

  bool ok = editor.open(parent);
  std::printf("editor.attach: %s\n", ok ? "ok" : "refused");
  HWND child = ok ? FindEditor(parent) : nullptr;
  ok = ok && child;
  std::printf("class.registered: %s\n", ClassRegistered(module) ? "yes" : "no");
  std::printf("editor.second-attach: %s\n", ok && !editor.open(parent) ? "refused" : "accepted");

  if (ok)
  {
    Pump(200, child);
    const auto start = std::chrono::steady_clock::now();
    const PumpResult measured = Pump(options.measureMs, child);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const double period = measured.ticks > 0 ? ms / measured.ticks : 0.;
    const double paint = measured.ticks > 0 ? measured.busyMs / measured.ticks : 0.;
    const double share = ms > 0. ? measured.busyMs / ms : 0.;
    const bool fullRate = period >= kShortestPeriodMs && period <= kLongestPeriodMs;
    const bool spacedOut = period >= kShortestPeriodMs && share <= kMostPaintShare &&
                           period <= std::max(kSlowestPeriodMs, paint + kLongestPeriodMs);
    const bool steady =
      (fullRate || spacedOut) && measured.emptied > 0 && measured.longestBusyMs <= std::max(kLongestBusyMs, 2. * paint);
    std::printf("redraw: %d ticks in %.0f ms, period %.1f ms, paint %.1f ms, painting %.0f%% of the time\n"
                "pump: queue empty %d times, longest busy %.0f ms\nredraw check: %s\n",
                measured.ticks, ms, period, paint, 100. * share, measured.emptied, measured.longestBusyMs,
                steady ? "PASS" : "FAIL");
    ok = ok && steady;

    for (double factor : options.scales)
      ok = HostScales(editor, parent, child, factor) && ok;

    const size_t editsBefore = editor.paramEdits();
    gForwardedKeys.clear();
    size_t posted = 0;
    for (const EditorInput& in : options.inputs)
    {
      if (in.kind == EditorInput::kShot)
      {
        // What was posted so far is handled and drawn first.
        PumpUntilDrawn(150, child);
        ok = Screenshot(child, in.path, {}) && ok;
      }
      else
      {
        PostInput(child, in);
        ++posted;
      }
    }
    PumpUntilDrawn(150, child);
    std::printf("input: %zu posted\nhost.edits: %zu\nhost.keys:", posted, editor.paramEdits() - editsBefore);
    for (WPARAM k : gForwardedKeys)
      std::printf(" 0x%02x", static_cast<unsigned>(k));
    std::printf("\nwindows: host %s, editor %s\n", ClientSize(parent).c_str(), ClientSize(child).c_str());
    if (!options.play.empty())
    {
      // The meters hear of it at the plug-in's next timer tick.
      const bool played = editor.play && editor.play(options.play);
      std::printf("play: %s\n", played ? "ok" : "failed");
      PumpUntilDrawn(200, child);
      ok = ok && played;
    }
    ok = Screenshot(child, options.screenshot, options.pixels) && ok;
  }
  ok = Close(editor, module) && ok;

  for (int i = 0; ok && i < options.reopen; ++i)
  {
    ok = editor.open(parent);
    std::printf("editor.reopen: %s\n", ok ? "ok" : "refused");
    child = ok ? FindEditor(parent) : nullptr;
    if (child)
      Pump(100, child);
    ok = Close(editor, module) && child && ok;
  }
  DestroyWindow(parent);
  std::printf("editor check: %s\n", ok ? "PASS" : "FAIL");
  return ok;
}

} // namespace hostaudio
