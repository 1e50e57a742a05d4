#include "WinTestWindow.h"

#include <vector>

namespace ifx {
namespace testkit {

namespace {

const wchar_t kClassName[] = L"MurkwispServicesTestWindow";

} // namespace

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
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  RegisterClassW(&wc);   // fails harmlessly when already registered
  mWindow = CreateWindowExW(0, kClassName, L"Murkwisp services test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                            480, 320, nullptr, nullptr, wc.hInstance, this);
  PumpMessages(50);
}

TestWindow::~TestWindow()
{
  if (mWindow)
  {
    SetWindowLongPtrW(mWindow, GWLP_USERDATA, 0);
    DestroyWindow(mWindow);
  }
  PumpMessages();
}

LRESULT CALLBACK TestWindow::Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_NCCREATE)
  {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
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

struct DialogSearch
{
  HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
  wchar_t cls[32] = {};
  GetClassNameW(window, cls, 32);
  if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(window))
  {
    reinterpret_cast<DialogSearch*>(param)->found = window;
    return FALSE;
  }
  return TRUE;
}

struct ControlSearch
{
  int id;
  HWND found = nullptr;
};

BOOL CALLBACK FindControl(HWND window, LPARAM param)
{
  auto* search = reinterpret_cast<ControlSearch*>(param);
  if (GetDlgCtrlID(window) == search->id)
  {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

} // namespace

DialogDriver::DialogDriver(std::function<void(HWND dialog)> act)
{
  const DWORD owner = GetCurrentThreadId();
  mThread = std::thread([this, owner, act = std::move(act)] {
    for (int waited = 0; waited < 10000 && !mStop; waited += 20)
    {
      DialogSearch search;
      EnumThreadWindows(owner, &FindDialog, reinterpret_cast<LPARAM>(&search));
      if (search.found)
      {
        Sleep(100);   // let it finish its set-up
        act(search.found);
        mActed = true;
        return;
      }
      Sleep(20);
    }
  });
}

DialogDriver::~DialogDriver()
{
  mStop = true;
  mThread.join();
}

HWND WaitForControl(HWND dialog, int id)
{
  for (int waited = 0; waited < 5000; waited += 20)
  {
    ControlSearch search{id};
    EnumChildWindows(dialog, &FindControl, reinterpret_cast<LPARAM>(&search));
    if (search.found)
      return search.found;
    Sleep(20);
  }
  return nullptr;
}

} // namespace testkit
} // namespace ifx
