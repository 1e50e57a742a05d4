#include "WinTestWindow.h"

namespace ifx {
namespace testkit {

TestWindow& TestWindow::Get()
{
  static TestWindow window;
  window.onMessage = nullptr;
  SetForegroundWindow(window.mWindow);
  SetFocus(window.mWindow);
  return window;
}

TestWindow::TestWindow()
{
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &TestWindow::Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"MurkwispServicesTestWindow";
  RegisterClassW(&wc);
  mWindow = CreateWindowExW(0, wc.lpszClassName, L"Murkwisp services test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                            480, 320, nullptr, nullptr, wc.hInstance, this);
  PumpMessages(50);
}

LRESULT CALLBACK TestWindow::Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_NCCREATE)
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  LRESULT result = 0;
  if (self && self->onMessage && self->onMessage(msg, wParam, lParam, result))
    return result;
  return DefWindowProcW(window, msg, wParam, lParam);
}

void PumpMessages(int ms)
{
  const DWORD start = GetTickCount();
  do
  {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (ms > 0)
      Sleep(5);
  } while (static_cast<int>(GetTickCount() - start) < ms);
}

void PostKey(HWND window, UINT key)
{
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(window, WM_KEYDOWN, key, scan | 1);
  PostMessageW(window, WM_KEYUP, key, scan | 1 | (1LL << 30) | (1LL << 31));
}

std::wstring WindowText(HWND window)
{
  wchar_t text[512] = {};
  SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

namespace {

// What a window search looks for, and what it found.
struct Search
{
  int id; // a control id, or -1 for a visible dialog
  HWND found = nullptr;
};

BOOL CALLBACK Match(HWND window, LPARAM param)
{
  auto* search = reinterpret_cast<Search*>(param);
  wchar_t cls[32] = {};
  GetClassNameW(window, cls, 32);
  const bool hit =
    search->id < 0 ? lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(window) : GetDlgCtrlID(window) == search->id;
  if (hit)
    search->found = window;
  return !hit;
}

} // namespace

HWND WaitForControl(HWND window, int id)
{
  Search search{id};
  for (int waited = 0; waited < 5000 && !search.found; waited += 20)
  {
    EnumChildWindows(window, &Match, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
      Sleep(20);
  }
  return search.found;
}

DialogDriver::DialogDriver(std::function<void(HWND dialog)> act)
{
  mThread = std::thread([this, owner = GetCurrentThreadId(), act = std::move(act)] {
    Search search{-1};
    for (int waited = 0; waited < 10000 && !mStop && !search.found; waited += 20)
    {
      EnumThreadWindows(owner, &Match, reinterpret_cast<LPARAM>(&search));
      Sleep(20);
    }
    if (!search.found)
      return;
    Sleep(100); // let it finish its set-up
    act(search.found);
    mActed = true;
  });
}

DialogDriver::~DialogDriver()
{
  mStop = true;
  mThread.join();
}

} // namespace testkit
} // namespace ifx
