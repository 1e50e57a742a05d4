// IGfxWin: the redraw tick. Windows 8 and later tick from a thread that
// waits for each vertical blank and posts kVerticalBlankMessage; older
// systems (and wine, which reports Windows 7) from window timer 2. Each tick
// invalidates the dirty controls' rectangles and paints them at once. When
// painting is slow the ticks are spaced out (RedrawPacer): the timer is set
// anew after each tick, the thread holds its posts back.
#include <new>

#include "toolkit/GfxClock.h"
#include "toolkit/IControl.h"
#include "window/RedrawTiming.h"
#include "window/WindowInput.h"
#include "window/win/IGfxWin.h"

namespace ifx {
namespace igfx {

// What the vertical-blank thread shares with the window: the count, the stop
// flag and the window it posts to (set before the thread starts, never
// changed). The thread holds its own reference, so the window object may go
// even while a thread that would not stop in time is still waiting. The
// module is the thread's reference on the module its code lives in.
struct IGfxWin::BlankThread
{
  VerticalBlankSync sync;
  HWND window = nullptr;
  HMODULE module = nullptr;
};

namespace {

// The display kernel's records, as the system publishes them.
using KmtHandle = UINT;
struct KmtOpenAdapterFromHdc
{
  HDC hDc;
  KmtHandle hAdapter;
  LUID adapterLuid;
  UINT vidPnSourceId;
};
struct KmtCloseAdapter
{
  KmtHandle hAdapter;
};
struct KmtWaitForVerticalBlankEvent
{
  KmtHandle hAdapter;
  KmtHandle hDevice;
  UINT vidPnSourceId;
};
using KmtOpenAdapterProc = LONG(APIENTRY*)(KmtOpenAdapterFromHdc*);
using KmtCloseAdapterProc = LONG(APIENTRY*)(const KmtCloseAdapter*);
using KmtWaitProc = LONG(APIENTRY*)(const KmtWaitForVerticalBlankEvent*);

constexpr DWORD kAdapterRetryMs = 1000;
constexpr DWORD kSleepStepMs = 16;
constexpr DWORD kStopWaitMs = 10000;

template <class Proc>
Proc LookUp(HMODULE module, const char* name)
{
  return module ? reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// One more blank; no post once the window is being closed, nor while the
// window holds ticks back.
void PostTick(VerticalBlankSync& sync, HWND window)
{
  if (!sync.PostDue(GfxClock::NowNanos()))
    return;
  const uint32_t count = sync.Advance();
  if (!sync.StopRequested())
    PostMessageW(window, IGfxWin::kVerticalBlankMessage, static_cast<WPARAM>(count), 0);
}

// The display kernel's vertical-blank wait on the window's adapter. Every
// pass posts at most one tick: after a blank, or after a sleep step while the
// adapter is unavailable (opening it is retried at most once a second).
class AdapterWait
{
public:
  AdapterWait(KmtOpenAdapterProc open, KmtCloseAdapterProc close, KmtWaitProc wait)
    : mOpen(open), mClose(close), mWait(wait)
  {
  }
  ~AdapterWait() { Close(); }

  void WaitOnce(HWND window)
  {
    if (!mIsOpen && !Open(window))
    {
      Sleep(kSleepStepMs);
      return;
    }
    if (mWait(&mWaitRecord) != 0)
    {
      Close();
      Sleep(kSleepStepMs);
    }
  }

private:
  bool Open(HWND window)
  {
    if (mLastFailure >= GetTickCount() - kAdapterRetryMs)
      return false;
    HDC dc = GetDC(window);
    KmtOpenAdapterFromHdc open{};
    open.hDc = dc;
    if (!dc || mOpen(&open) != 0)
    {
      mLastFailure = GetTickCount();
      if (dc)
        ReleaseDC(window, dc);
      return false;
    }
    mWaitRecord = KmtWaitForVerticalBlankEvent{open.hAdapter, 0, open.vidPnSourceId};
    ReleaseDC(window, dc);
    mLastFailure = 0;
    mIsOpen = true;
    return true;
  }
  void Close()
  {
    if (!mIsOpen)
      return;
    const KmtCloseAdapter close{mWaitRecord.hAdapter};
    mClose(&close);
    mIsOpen = false;
  }

  KmtOpenAdapterProc mOpen;
  KmtCloseAdapterProc mClose;
  KmtWaitProc mWait;
  KmtWaitForVerticalBlankEvent mWaitRecord{};
  DWORD mLastFailure = 0;
  bool mIsOpen = false;
};

void RunBlankLoop(VerticalBlankSync& sync, HWND window)
{
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  HMODULE gdi32 = LoadLibraryW(L"gdi32.dll");
  auto open = LookUp<KmtOpenAdapterProc>(gdi32, "D3DKMTOpenAdapterFromHdc");
  auto close = LookUp<KmtCloseAdapterProc>(gdi32, "D3DKMTCloseAdapter");
  auto wait = LookUp<KmtWaitProc>(gdi32, "D3DKMTWaitForVerticalBlankEvent");
  if (open && close && wait)
  {
    AdapterWait adapter(open, close, wait);
    while (!sync.StopRequested())
    {
      adapter.WaitOnce(window);
      PostTick(sync, window);
    }
  }
  else
  {
    // Without the display kernel's functions: a plain ticker.
    while (!sync.StopRequested())
    {
      Sleep(kSleepStepMs);
      PostTick(sync, window);
    }
  }
  if (gdi32)
    FreeLibrary(gdi32);
}

} // namespace

DWORD WINAPI IGfxWin::VerticalBlankThreadEntry(void* param)
{
  HMODULE module = nullptr;
  {
    std::unique_ptr<std::shared_ptr<BlankThread>> shared(static_cast<std::shared_ptr<BlankThread>*>(param));
    module = (*shared)->module;
    RunBlankLoop((*shared)->sync, (*shared)->window);
  }
  // Everything of this module the thread used is gone; the system drops the
  // reference and ends the thread without returning into code that may now
  // be unmapped.
  FreeLibraryAndExitThread(module, 0);
}

void IGfxWin::StartRedrawSource(HWND window)
{
  mPacer = RedrawPacer(RedrawTimerPeriodMs(FPS()));
  mTickPaintNanos = 0;
  // The thread keeps the module it runs in mapped until it has left it: a
  // host may unload the module as soon as the editor is closed, and closing
  // waits for the thread only so long.
  HMODULE self = nullptr;
  if (mVerticalBlankMode &&
      GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                         reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&VerticalBlankThreadEntry)), &self))
  {
    auto blank = std::make_shared<BlankThread>();
    blank->window = window;
    blank->module = self;
    auto* threadShare = new (std::nothrow) std::shared_ptr<BlankThread>(blank);
    HANDLE thread = threadShare ? CreateThread(nullptr, 0, VerticalBlankThreadEntry, threadShare, 0, nullptr) : nullptr;
    if (thread)
    {
      mBlank = std::move(blank);
      mBlankThreadHandle = thread;
      return;
    }
    // No thread: the timer keeps the editor drawing.
    delete threadShare;
    FreeLibrary(self);
  }
  mRedrawTimerPaced = false;
  mRedrawTimerRunning = SetTimer(window, kRedrawTimerId, static_cast<UINT>(RedrawTimerPeriodMs(FPS())), nullptr) != 0;
}

void IGfxWin::StopRedrawSource()
{
  if (mBlankThreadHandle)
  {
    mBlank->sync.RequestStop();
    // A thread still blocked after this wait keeps its own share of the
    // state and posts nothing more; this object no longer needs it.
    WaitForSingleObject(mBlankThreadHandle, kStopWaitMs);
    CloseHandle(mBlankThreadHandle);
    mBlankThreadHandle = nullptr;
  }
  mBlank.reset();
  if (mRedrawTimerRunning)
  {
    KillTimer(mWindow, kRedrawTimerId);
    mRedrawTimerRunning = false;
  }
}

void IGfxWin::OnRedrawTick(uint32_t count)
{
  if (mBlank && !mBlank->sync.TakeTick(count))
    return;
  const int64_t start = GfxClock::NowNanos();
  // Spaced-out frames: nothing is posted while this one draws (for as long
  // as frames take lately).
  if (mBlank && !mPacer.AtFullRate())
    mBlank->sync.HoldTicksUntil(mPacer.NextFrameNanos(start, start + mPacer.PaintEstimateNanos()));
  DrawOnTick(count);
  mPacer.OnTick(mTickPaintNanos);
  mTickPaintNanos = 0;
  PaceRedrawSource(start);
}

void IGfxWin::PaceRedrawSource(int64_t start)
{
  const int64_t end = GfxClock::NowNanos();
  if (mBlank)
  {
    mBlank->sync.HoldTicksUntil(mPacer.AtFullRate() ? VerticalBlankSync::kNoHold : mPacer.NextFrameNanos(start, end));
    return;
  }
  if (!mRedrawTimerRunning)
    return;
  if (mPacer.AtFullRate())
  {
    if (mRedrawTimerPaced)
      SetTimer(mWindow, kRedrawTimerId, static_cast<UINT>(RedrawTimerPeriodMs(FPS())), nullptr);
    mRedrawTimerPaced = false;
    return;
  }
  // Set anew, the timer counts from now: it is not due when the host next
  // looks at its queue, however long this tick took.
  const int64_t waitMs = (mPacer.NextFrameNanos(start, end) - end + 999'999) / 1'000'000;
  SetTimer(mWindow, kRedrawTimerId, static_cast<UINT>(waitMs), nullptr);
  mRedrawTimerPaced = true;
}

void IGfxWin::DrawOnTick(uint32_t count)
{
  if (!mWindow || FinishTextEntryOnTick())
    return;
  if (!GetCapture())
  {
    const float scale = DpiScaleOf(mWindow);
    if (mDpiWatch.Follow(scale, GetScreenScale()))
      SetDisplayScale(scale);
  }
  // Nothing can be drawn without a renderer; controls stay dirty.
  if (!Canvas())
    return;
  IRegionRects& rects = mTickRects;
  rects.Clear();
  if (!IsDirty(rects) || !mWindow)
    return;
  VisitAllControls([](IControl* c) { c->SetClean(); });
  const float s = GetTotalScale();
  for (int i = 0; i < rects.Size(); ++i)
  {
    const PixelRect p = EditorToPixels(rects.Get(i), s);
    const RECT r{p.left, p.top, p.right, p.bottom};
    InvalidateRect(mWindow, &r, FALSE);
  }
  if (mTextEntry.IsOpen())
  {
    // The entry draws itself: the editor leaves its rectangle alone.
    const PixelRect p = EditorToPixels(mTextEntry.Bounds(), s);
    const RECT r{p.left, p.top, p.right, p.bottom};
    ValidateRect(mWindow, &r);
    UpdateWindow(mWindow);
    mTextEntry.SetState(kTextEntryDrawn);
    return;
  }
  UpdateWindow(mWindow);
  if (mBlank)
    mBlank->sync.AfterPaint(count);
}

} // namespace igfx
} // namespace ifx
