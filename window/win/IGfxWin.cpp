// IGfxWin: the object's life, the child window and its class, the OpenGL
// context, native resizing, the cursor, message boxes and platform fonts.
#include "window/win/IGfxWin.h"

#include <cstring>
#include <mutex>
#include <string>

#include "base/IEditorDelegate.h"
#include "toolkit/IGEditorDelegate.h"
#include "drawing/GLContextGuard.h"
#include "platform/win/WinFontCaches.h"
#include "platform/win/WinFontLoader.h"
#include "platform/win/WinText.h"
#include "renderer/CanvasGLBackend.h"
#include "renderer/CanvasRenderTarget.h"
#include "window/WindowInput.h"
#include "window/WindowScale.h"
#include "window/win/WinDpiScale.h"
#include "window/win/WinGLContext.h"

using namespace ifx::canvas;

namespace ifx {
namespace igfx {

namespace {

constexpr wchar_t kWindowClass[] = L"IFxWndClass";
constexpr int kClassNameChars = 128;

// Windows of the class open in this process; the class is registered while
// there is one.
std::mutex gClassLock;
int gClassUsers = 0;

bool RetainWindowClass(HINSTANCE module)
{
  std::lock_guard<std::mutex> lock(gClassLock);
  if (gClassUsers == 0)
  {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS | CS_OWNDC;
    wc.lpfnWndProc = IGfxWin::WindowProc;
    wc.hInstance = module;
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      return false;
  }
  ++gClassUsers;
  return true;
}

void ReleaseWindowClass(HINSTANCE module)
{
  std::lock_guard<std::mutex> lock(gClassLock);
  if (gClassUsers > 0 && --gClassUsers == 0)
    UnregisterClassW(kWindowClass, module);
}

bool IsWindowsEightOrLater()
{
  OSVERSIONINFOEXW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  version.dwMajorVersion = 6;
  version.dwMinorVersion = 2;
  version.wServicePackMajor = 0;
  DWORDLONG mask = 0;
  mask = VerSetConditionMask(mask, VER_MAJORVERSION, VER_GREATER_EQUAL);
  mask = VerSetConditionMask(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
  mask = VerSetConditionMask(mask, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
  return VerifyVersionInfoW(&version, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR, mask) != FALSE;
}

struct OwnerSearch
{
  DWORD processId;
  const std::wstring* className;
  HWND found;
};

BOOL CALLBACK FindOwnerWindow(HWND window, LPARAM param)
{
  auto* search = reinterpret_cast<OwnerSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->processId)
    return TRUE;
  wchar_t name[kClassNameChars] = {};
  if (GetClassNameW(window, name, kClassNameChars) > 0 && *search->className == name)
  {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

} // namespace

// -- Life -------------------------------------------------------------------------------

IGfxWin::IGfxWin(IEditorDelegate& dlg, int w, int h, int fps, float scale) : IGfxVG(dlg, w, h, fps, scale)
{
  RetainWinFontCaches();
  mVerticalBlankMode = IsWindowsEightOrLater();
}

IGfxWin::~IGfxWin()
{
  CloseWindow();
  ReleaseWinFontCaches();
}

int IGfxWin::WindowClassUsers() noexcept
{
  std::lock_guard<std::mutex> lock(gClassLock);
  return gClassUsers;
}

// -- Opening and closing ---------------------------------------------------------------

void* IGfxWin::OpenWindow(void* parentHandle)
{
  HWND parent = static_cast<HWND>(parentHandle);
  const int screenScale = IntegerWindowScale(DpiScaleOf(parent));
  int x = 0, y = 0;
  int w = static_cast<int>(static_cast<float>(Width()) * GetDrawScale()) * screenScale;
  int h = static_cast<int>(static_cast<float>(Height()) * GetDrawScale()) * screenScale;
  if (mWindow)
  {
    // A reopen keeps the window's size and its place in the parent (in the
    // parent's client area, where the new window is placed).
    RECT windowRect{};
    GetWindowRect(mWindow, &windowRect);
    POINT origin{windowRect.left, windowRect.top};
    ScreenToClient(parent, &origin);
    CloseWindow();
    w = windowRect.right - windowRect.left;
    h = windowRect.bottom - windowRect.top;
    x = origin.x;
    y = origin.y;
  }
  mParent = parent;

  if (!RetainWindowClass(mModule))
    return nullptr;
  mWindow = CreateWindowExW(0, kWindowClass, L"IFx", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y, w,
                            h, parent, nullptr, mModule, this);
  // Without a window there is no device context of its own: nothing may go
  // near the screen's.
  if (!mWindow)
  {
    ReleaseWindowClass(mModule);
    return nullptr;
  }
  mDC = GetDC(mWindow);
  ReleaseDC(mWindow, mDC);

  // From here a failure closes what was made so far. The context is current
  // while the surface, the layout and the first dirty marks are made;
  // afterwards what was current before is again.
  mGLContext = mDC ? CreateWindowGLContext(mDC) : nullptr;
  bool ready = mGLContext != nullptr;
  if (ready)
  {
    ActivateGLContext();
    ready = wglGetCurrentContext() == mGLContext;
    // Without a renderer the editor could only pretend to draw.
    if (ready)
      OnSurfaceCreated();
    ready = ready && Canvas();
    if (!ready)
      DeactivateGLContext();
  }
  if (!ready)
  {
    CloseWindow();
    return nullptr;
  }
  SetDisplayScale(static_cast<float>(screenScale));
  mDpiWatch.Reset();
  if (auto* delegate = dynamic_cast<IGEditorDelegate*>(GetDelegate()))
    delegate->BuildEditorLayout(this);
  // Refused, the window simply gets the mouse messages the system makes of touches.
  if (GetMultiTouchEnabled() && SupportsMultiTouch())
    mTouchRegistered = RegisterTouchWindow(mWindow, 0) != FALSE;
  MarkAllControlsDirty();
  if (mTooltipsEnabled && !mTooltip.Create(mWindow, mModule))
    mTooltipsEnabled = false;
  mTextEntry.SetTooltip(&mTooltip);
  DeactivateGLContext();

  GetDelegate()->OnEditorOpened();
  return mWindow;
}

void IGfxWin::CloseWindow()
{
  if (!mWindow)
    return;
  StopRedrawSource();
  if (mGLContext)
  {
    ActivateGLContext();
    OnSurfaceDestroyed();
    DeactivateGLContext();
    // Only our own context is let go of; a host's stays current.
    if (wglGetCurrentContext() == mGLContext)
      wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(mGLContext);
    mGLContext = nullptr;
  }
  else
  {
    RemoveAllControls();
  }
  mDC = nullptr;
  mTextEntry.Destroy();
  mTooltip.Destroy();
  mTooltipIdx = -1;
  mTouches.Clear();
  if (mTouchRegistered)
    UnregisterTouchWindow(mWindow);
  mTouchRegistered = false;
  DestroyWindow(mWindow);
  mWindow = nullptr;
  ReleaseWindowClass(mModule);
}

float IGfxWin::DpiScaleOf(HWND window) const { return GetScaleForWindow(window); }

void IGfxWin::SetHostDisplayScale(float scale)
{
  // From now on only a change of the window's DPI overrides the host.
  if (mWindow)
    mDpiWatch.HostSetScale(DpiScaleOf(mWindow));
  SetDisplayScale(scale);
}

// -- GL context ---------------------------------------------------------------------------

void IGfxWin::ActivateGLContext()
{
  mSavedContexts.push_back({wglGetCurrentContext(), wglGetCurrentDC()});
  // Closed, there is no context of ours, and never the screen's DC.
  if (mWindow && mGLContext && mDC)
    wglMakeCurrent(mDC, mGLContext);
}

void IGfxWin::DeactivateGLContext()
{
  if (mSavedContexts.empty())
    return;
  const SavedContext saved = mSavedContexts.back();
  mSavedContexts.pop_back();
  if (wglGetCurrentContext() != saved.context || wglGetCurrentDC() != saved.dc)
    wglMakeCurrent(saved.dc, saved.context);
}

// -- Size --------------------------------------------------------------------------------------

void IGfxWin::ResizeNativeWindow(bool parentHasResized)
{
  if (!mWindow)
    return;
  RECT r{};
  GetWindowRect(mWindow, &r);
  const float wanted = static_cast<float>(static_cast<int>(static_cast<float>(Width()) * GetDrawScale()));
  const float wantedH = static_cast<float>(static_cast<int>(static_cast<float>(Height()) * GetDrawScale()));
  const int dw = static_cast<int>(wanted * GetScreenScale() - static_cast<float>(r.right - r.left));
  const int dh = static_cast<int>(wantedH * GetScreenScale() - static_cast<float>(r.bottom - r.top));

  HWND parent = nullptr, grandparent = nullptr;
  RECT parentRect{}, grandparentRect{};
  auto isChild = [](HWND w) {
    return (GetWindowLongW(w, GWL_STYLE) & WS_CHILD) && !(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_MDICHILD);
  };
  if (isChild(mWindow) && (parent = GetParent(mWindow)) != nullptr)
  {
    GetWindowRect(parent, &parentRect);
    if (isChild(parent) && (grandparent = GetParent(parent)) != nullptr)
      GetWindowRect(grandparent, &grandparentRect);
  }
  if (dw == 0 && dh == 0)
    return;
  constexpr UINT flags = SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE;
  SetWindowPos(mWindow, nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh, flags);
  if (parentHasResized)
    return;
  if (parent)
    SetWindowPos(parent, nullptr, 0, 0, parentRect.right - parentRect.left + dw,
                 parentRect.bottom - parentRect.top + dh, flags);
  if (grandparent)
    SetWindowPos(grandparent, nullptr, 0, 0, grandparentRect.right - grandparentRect.left + dw,
                 grandparentRect.bottom - grandparentRect.top + dh, flags);
}

bool IGfxWin::SupportsMultiTouch() const { return (GetSystemMetrics(SM_DIGITIZER) & NID_READY) != 0; }

// -- Pointer ---------------------------------------------------------------------------------

bool IGfxWin::GetMouseLocation(float& x, float& y) const
{
  POINT p{};
  if (!mWindow || !GetCursorPos(&p))
    return false;
  const bool ok = ScreenToClient(mWindow, &p) != FALSE;
  const float s = GetTotalScale();
  x = static_cast<float>(p.x) / s;
  y = static_cast<float>(p.y) / s;
  return ok;
}

void IGfxWin::HideMouseCursor(bool hide, bool lock)
{
  if (hide == GetCursorHidden())
    return;
  if (hide)
  {
    mHiddenCursorX = mLastMouseX;
    mHiddenCursorY = mLastMouseY;
    ShowCursor(FALSE);
    SetCursorHidden(true);
    mCursorLock = lock && !mPenInput;
  }
  else
  {
    if (mCursorLock)
      MoveMouseCursor(mHiddenCursorX, mHiddenCursorY);
    ShowCursor(TRUE);
    SetCursorHidden(false);
    mCursorLock = false;
  }
}

void IGfxWin::MoveMouseCursor(float x, float y)
{
  if (mPenInput || !mWindow)
    return;
  const float s = GetTotalScale();
  POINT p{static_cast<LONG>(x * s), static_cast<LONG>(y * s)};
  ClientToScreen(mWindow, &p);
  if (!SetCursorPos(p.x, p.y))
    return;
  if (GetCursorPos(&p) && ScreenToClient(mWindow, &p))
  {
    mLastMouseX = mHiddenCursorX = static_cast<float>(p.x) / s;
    mLastMouseY = mHiddenCursorY = static_cast<float>(p.y) / s;
  }
}

int IGfxWin::SetMouseCursor(int cursorType)
{
  SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(SystemCursorForType(cursorType))));
  return IGfx::SetMouseCursor(cursorType);
}

// -- Message box -----------------------------------------------------------------------------

HWND IGfxWin::FindMessageBoxOwner()
{
  if (mMessageBoxOwner && IsWindow(mMessageBoxOwner))
    return mMessageBoxOwner;
  mMessageBoxOwner = nullptr;
  if (mParent)
  {
    HWND top = mParent;
    for (HWND up = GetParent(top); up; up = GetParent(up))
      top = up;
    wchar_t name[kClassNameChars] = {};
    const int n = GetClassNameW(top, name, kClassNameChars);
    mHostClassName.Set(n > 0 ? Narrow(name, n).c_str() : "");
    mMessageBoxOwner = top;
  }
  else if (mHostClassName.GetLength() > 0)
  {
    const std::wstring className = Widen(mHostClassName.Get());
    OwnerSearch search{GetCurrentProcessId(), &className, nullptr};
    EnumWindows(FindOwnerWindow, reinterpret_cast<LPARAM>(&search));
    mMessageBoxOwner = search.found;
  }
  return mMessageBoxOwner;
}

int IGfxWin::ShowMessageBox(const char* text, const char* caption, int buttons, IMsgBoxCompletionHandlerFunc completion)
{
  ReleaseCaptureAndShowCursor();
  HWND owner = FindMessageBoxOwner();
  const int result = MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), static_cast<UINT>(buttons));
  if (completion)
    completion(result);
  return result;
}

// -- Platform fonts --------------------------------------------------------------------------

PlatformFont* IGfxWin::LoadPlatformFontByName(const char* fontID, const char* fontName, int style)
{
  return LoadWinFontByName(fontID, fontName, style).release();
}

PlatformFont* IGfxWin::LoadPlatformFontFromMemory(const char* fontID, const void* data, int dataSize)
{
  return LoadWinFontFromMemory(fontID, data, dataSize).release();
}

PlatformFont* IGfxWin::LoadPlatformFont(const char* fontID, const char* fileNameOrResID)
{
  return LoadWinFont(fontID, fileNameOrResID, mModule).release();
}

void IGfxWin::CachePlatformFont(const char* fontID, PlatformFont* font) { CacheWinFont(fontID, font); }

// -- Reading the main frame back ---------------------------------------------------------------

bool IGfxWin::ReadMainFrame(std::vector<uint8_t>& rgba, int& width, int& height)
{
  width = height = 0;
  CanvasGLBackend* backend = CanvasGLBackendOf(Canvas());
  if (!mWindow || !backend || !MainFrame() || InFrame())
    return false;
  const int w = PhysicalWidth(), h = PhysicalHeight();
  const size_t rowBytes = static_cast<size_t>(w) * 4;
  rgba.assign(rowBytes * static_cast<size_t>(h), 0);
  std::vector<uint8_t> row(rowBytes);
  {
    GLContextGuard context(*this);
    BindCanvasRenderTarget(Canvas(), MainFrame());
    backend->gl.pixelStorei(cgl::kPackAlignment, 1);
    backend->gl.readPixels(0, 0, w, h, cgl::kRGBA, cgl::kUnsignedByte, rgba.data());
    BindCanvasRenderTarget(Canvas(), nullptr);
  }
  // GL rows run bottom-up.
  for (int y = 0; y < h / 2; ++y)
  {
    uint8_t* a = &rgba[static_cast<size_t>(y) * rowBytes];
    uint8_t* b = &rgba[static_cast<size_t>(h - 1 - y) * rowBytes];
    std::memcpy(row.data(), a, rowBytes);
    std::memcpy(a, b, rowBytes);
    std::memcpy(b, row.data(), rowBytes);
  }
  width = w;
  height = h;
  return true;
}

UINT IGfxWin::FrameReadMessage() noexcept
{
  static const UINT message = RegisterWindowMessageW(L"IFxWndClass.ReadMainFrame");
  return message;
}

LRESULT IGfxWin::OnFrameRead(WPARAM wParam, LPARAM lParam)
{
  // Only a caller on this thread can hand over a buffer of this process: a
  // message sent from elsewhere is not followed.
  if (InSendMessage())
    return 0;
  std::vector<uint8_t> pixels;
  int w = 0, h = 0;
  if (!ReadMainFrame(pixels, w, h) || w > 0xFFFF || h > 0xFFFF)
    return 0;
  const LRESULT size = (static_cast<LRESULT>(w) << 16) | h;
  if (!lParam)
    return size;
  if (static_cast<size_t>(wParam) < pixels.size())
    return 0;
  std::memcpy(reinterpret_cast<void*>(lParam), pixels.data(), pixels.size());
  return size;
}

} // namespace igfx
} // namespace ifx
