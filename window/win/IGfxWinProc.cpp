// IGfxWin: the window procedure of "IFxWndClass" and the input it makes of
// messages: mouse, wheel, keys, touch, capture, cursor, paint.
#include "window/win/IGfxWin.h"

#include <windowsx.h>

#include "toolkit/GfxClock.h"
#include "toolkit/IControl.h"
#include "drawing/GLContextGuard.h"
#include "window/RedrawTiming.h"
#include "window/WindowInput.h"

namespace ifx {
namespace igfx {

namespace {

// A complex update region is read into this many bytes: the header and up
// to 62 rectangles; beyond that its bounding box is drawn.
constexpr DWORD kRegionBytes = 1024;

bool KeyIsDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

bool IsMouseMessage(UINT msg)
{
  return (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) || msg == WM_MOUSEHOVER || msg == WM_MOUSELEAVE;
}

} // namespace

LRESULT CALLBACK IGfxWin::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_CREATE)
  {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* self = static_cast<IGfxWin*>(create->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->StartRedrawSource(window);
    SetFocus(window);
    DragAcceptFiles(window, TRUE);
    return 0;
  }
  auto* self = reinterpret_cast<IGfxWin*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || self->mWindow != window)
    return DefWindowProcW(window, msg, wParam, lParam);
  return self->HandleWindowMessage(window, msg, wParam, lParam);
}

LRESULT IGfxWin::HandleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
  // While the text entry has the keyboard, a click outside it cancels it;
  // nothing else here hears the window.
  if (mTextEntry.IsOpen() && mTextEntry.State() == kTextEntryFocused)
  {
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN)
    {
      mTextEntry.SetState(kTextEntryCancel);
      return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
  }

  if (IsMouseMessage(msg))
  {
    mPenInput = IsPenOrTouchMessage(static_cast<uint64_t>(GetMessageExtraInfo()));
    if (mPenInput)
      mCursorLock = false;
  }

  switch (msg)
  {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ERASEBKGND: return 0;
    case WM_PAINT: Paint(); return 0;
    case WM_CLOSE: CloseWindow(); return 0;
    case WM_SETCURSOR: SetMouseCursor(GetCursorType()); return 0;
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
    case WM_KEYUP: return OnKey(window, msg, wParam, lParam);
    case WM_TIMER:
      if (wParam == static_cast<WPARAM>(kRedrawTimerId))
        OnRedrawTick(0);
      return 0;
    case kVerticalBlankMessage: OnRedrawTick(static_cast<uint32_t>(wParam)); return 0;
    case WM_CTLCOLOREDIT: return mTextEntry.ColorEdit(reinterpret_cast<HDC>(wParam));
    case WM_MOUSEMOVE:
      if (!mPenInput)
        OnMouseMove(wParam, lParam);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (mPenInput)
        return 0;
      mTooltip.Hide();
      if (mTextEntry.IsOpen())
      {
        mTextEntry.SetState(kTextEntryCommit); // a click elsewhere commits the entry
        return 0;
      }
      SetFocus(window);
      SetCapture(window);
      OnMouseDown(IMouseEventList{MakeMouseInfo(lParam, wParam)});
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      ReleaseCapture();
      OnMouseUp(IMouseEventList{MakeMouseInfo(lParam, wParam)});
      return 0;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    {
      if (mPenInput)
        return 0;
      const IMouseEvent e = MakeMouseInfo(lParam, wParam);
      const bool hit = FindControlAtPoint(e.x, e.y) != nullptr;
      OnMouseDblClick(e.x, e.y, e.ms);
      if (hit)
        SetCapture(window);
      return 0;
    }
    case WM_MOUSEWHEEL: OnWheel(wParam, lParam); return 0;
    case WM_DROPFILES: OnFileDrop(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_TOUCH:
      if (OnTouch(wParam, lParam))
        return 0;
      return DefWindowProcW(window, msg, wParam, lParam);
    case WM_MOUSEHOVER: OnMouseHover(); return 0;
    case WM_MOUSELEAVE: OnMouseLeave(); return 0;
    default: break;
  }
  if (msg == FrameReadMessage())
    return OnFrameRead(wParam, lParam);
  return DefWindowProcW(window, msg, wParam, lParam);
}

IMouseEvent IGfxWin::MakeMouseInfo(LPARAM lParam, WPARAM wParam)
{
  const float s = GetTotalScale();
  IMouseEvent e;
  e.x = static_cast<float>(GET_X_LPARAM(lParam)) / s;
  e.y = static_cast<float>(GET_Y_LPARAM(lParam)) / s;
  e.ms = IMouseModifiers((wParam & MK_LBUTTON) != 0, (wParam & MK_RBUTTON) != 0, (wParam & MK_SHIFT) != 0,
                         (wParam & MK_CONTROL) != 0, KeyIsDown(VK_MENU));
  mLastMouseX = e.x;
  mLastMouseY = e.y;
  return e;
}

void IGfxWin::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
  if (wParam & (MK_LBUTTON | MK_RBUTTON))
  {
    if (GetCapture() != mWindow || GetTextEntryOwner())
      return;
    const float lastX = mLastMouseX, lastY = mLastMouseY;
    IMouseEvent e = MakeMouseInfo(lParam, wParam);
    e.dX = e.x - lastX;
    e.dY = e.y - lastY;
    if (e.dX == 0.f && e.dY == 0.f)
      return;
    OnMouseDrag(IMouseEventList{e});
    if (mCursorLock)
    {
      // The pointer stays where the drag began; only the distances count.
      const float keptX = mHiddenCursorX, keptY = mHiddenCursorY;
      MoveMouseCursor(mHiddenCursorX, mHiddenCursorY);
      mHiddenCursorX = keptX;
      mHiddenCursorY = keptY;
    }
    return;
  }
  const IMouseEvent e = MakeMouseInfo(lParam, wParam);
  if (!OnMouseOver(e.x, e.y, e.ms))
    return;
  TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, mWindow, HOVER_DEFAULT};
  if (mTooltipsEnabled && GetMouseOverIdx() != mTooltipIdx)
  {
    if (GetMouseOverIdx() >= 0)
      track.dwFlags |= TME_HOVER;
    mTooltipIdx = GetMouseOverIdx();
    mTooltip.Hide();
  }
  TrackMouseEvent(&track);
}

void IGfxWin::OnWheel(WPARAM wParam, LPARAM lParam)
{
  if (mTextEntry.IsOpen())
  {
    mTextEntry.SetState(kTextEntryCancel);
    return;
  }
  RECT r{};
  GetWindowRect(mWindow, &r);
  const float s = GetTotalScale();
  const float x = static_cast<float>(GET_X_LPARAM(lParam)) / s - static_cast<float>(r.left) / s;
  const float y = static_cast<float>(GET_Y_LPARAM(lParam)) / s - static_cast<float>(r.top) / s;
  const WORD keys = GET_KEYSTATE_WPARAM(wParam);
  const IMouseModifiers mod((keys & MK_LBUTTON) != 0, (keys & MK_RBUTTON) != 0, (keys & MK_SHIFT) != 0,
                            (keys & MK_CONTROL) != 0);
  OnMouseWheel(x, y, mod, WheelNotches(GET_WHEEL_DELTA_WPARAM(wParam)));
}

LRESULT IGfxWin::OnKey(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(window, &p);
  const float s = GetTotalScale();
  const float x = static_cast<float>(p.x) / s, y = static_cast<float>(p.y) / s;

  BYTE state[256] = {};
  GetKeyboardState(state);
  // The layout's character as UTF-16, so that any key becomes valid UTF-8.
  wchar_t units[4] = {};
  const int n = ToUnicode(static_cast<UINT>(wParam), static_cast<UINT>((lParam >> 16) & 0xFF), state, units, 4, 0);
  IKeyEvent key;
  if (n >= 0 && KeyTextFromUtf16(reinterpret_cast<const char16_t*>(units), n, key.utf8))
  {
    key.VK = static_cast<int32_t>(wParam);
    key.S = KeyIsDown(VK_SHIFT);
    key.C = KeyIsDown(VK_CONTROL);
    key.A = KeyIsDown(VK_MENU);
    const bool handled = msg == WM_KEYDOWN ? OnKeyDown(x, y, key) : OnKeyUp(x, y, key);
    if (handled)
      return 0;
  }
  // Keys the editor does not take are the host's (its shortcuts).
  HWND root = GetAncestor(window, GA_ROOT);
  if (root && root != window)
    SendMessageW(root, msg, wParam, lParam);
  return DefWindowProcW(window, msg, wParam, lParam);
}

bool IGfxWin::OnTouch(WPARAM wParam, LPARAM lParam)
{
  const UINT count = LOWORD(wParam);
  if (count == 0)
    return false;
  std::vector<TOUCHINPUT> inputs(count);
  HTOUCHINPUT handle = reinterpret_cast<HTOUCHINPUT>(lParam);
  // Unread (no touch support, or a handle that is not one), the message goes
  // on to the default handling, which closes what needs closing.
  if (!GetTouchInputInfo(handle, count, inputs.data(), sizeof(TOUCHINPUT)))
    return false;
  const float s = GetTotalScale();
  IMouseEventList downs, ups, moves;
  for (const TOUCHINPUT& input : inputs)
  {
    POINT p{TOUCH_COORD_TO_PIXEL(input.x), TOUCH_COORD_TO_PIXEL(input.y)};
    ScreenToClient(mWindow, &p);
    TouchRecord record;
    record.id = input.dwID;
    record.x = static_cast<float>(p.x) / s;
    record.y = static_cast<float>(p.y) / s;
    record.down = (input.dwFlags & TOUCHEVENTF_DOWN) != 0;
    record.up = (input.dwFlags & TOUCHEVENTF_UP) != 0;
    record.move = (input.dwFlags & TOUCHEVENTF_MOVE) != 0;
    record.radius = (input.dwMask & TOUCHINPUTMASKF_CONTACTAREA) ? static_cast<float>(input.cxContact) : 0.f;
    mTouches.Add(record, downs, ups, moves);
  }
  if (!downs.empty())
    OnMouseDown(downs);
  if (!ups.empty())
    OnMouseUp(ups);
  if (!moves.empty())
    OnMouseDrag(moves);
  // A handle that cannot be closed here is closed by the default handling.
  return CloseTouchInputHandle(handle) != FALSE;
}

void IGfxWin::OnMouseHover()
{
  IControl* control = GetControl(mTooltipIdx);
  if (!control)
    return;
  const char* tip = control->GetTooltip();
  mTooltip.Show(tip && *tip ? tip : "");
}

void IGfxWin::OnMouseLeave()
{
  mTooltip.Hide();
  // The arrow for the world outside; the editor's own cursor kind stays.
  SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(SystemCursorForType(0))));
  VisitAllControls([](IControl* c) { c->OnMouseOut(); });
  OnMouseOut();
}

void IGfxWin::Paint()
{
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int type = region ? GetUpdateRgn(mWindow, region, FALSE) : ERROR;
  if (type == SIMPLEREGION || type == COMPLEXREGION)
  {
    const float s = GetTotalScale();
    IRegionRects& rects = mPaintRects;
    rects.Clear();
    auto add = [&rects, s](const RECT& r) {
      rects.Add(PixelsToEditor(PixelRect{r.left, r.top, r.right, r.bottom}, s));
    };
    alignas(RGNDATA) unsigned char buffer[kRegionBytes];
    auto* data = reinterpret_cast<RGNDATA*>(buffer);
    const DWORD needed = type == COMPLEXREGION ? GetRegionData(region, 0, nullptr) : 0;
    if (needed > 0 && needed <= kRegionBytes && GetRegionData(region, kRegionBytes, data) != 0 &&
        sizeof(RGNDATAHEADER) + data->rdh.nCount * sizeof(RECT) <= kRegionBytes)
    {
      const RECT* r = reinterpret_cast<const RECT*>(data->Buffer);
      for (DWORD i = 0; i < data->rdh.nCount; ++i)
        add(r[i]);
    }
    else
    {
      RECT box{};
      GetRgnBox(region, &box);
      add(box);
    }
    PAINTSTRUCT ps;
    BeginPaint(mWindow, &ps);
    // Without a renderer nothing is drawn, so nothing is swapped onto the window.
    if (Canvas())
    {
      const int64_t start = GfxClock::NowNanos();
      {
        GLContextGuard context(*this);
        Draw(rects);
        SwapBuffers(mDC);
      }
      mTickPaintNanos += GfxClock::NowNanos() - start;
    }
    EndPaint(mWindow, &ps);
  }
  ValidateRect(mWindow, nullptr);
  if (region)
    DeleteObject(region);
}

} // namespace igfx
} // namespace ifx
