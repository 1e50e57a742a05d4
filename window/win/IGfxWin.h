#pragma once
// The Windows editor window: a child window of class "IFxWndClass" inside
// the host's parent, with its own OpenGL context that the drawing back end
// draws into, the window procedure that turns messages into the editor's
// input, and the redraw tick (a vertical-blank thread on Windows 8 and
// later, else window timer 2). UI thread only, but for the vertical-blank
// thread, which shares nothing with this object but one VerticalBlankSync.
#include <windows.h>
#include <shellapi.h>
// Win32 turns these editor methods' names into its own A/W macros; here they
// mean the editor's methods.
#undef DrawText
#undef LoadBitmap

#include <cstdint>
#include <memory>
#include <vector>

#include "toolkit/ITextStyle.h"
#include "drawing/IGfxVG.h"
#include "window/RedrawPacer.h"
#include "window/RedrawTiming.h"
#include "window/TouchTracker.h"
#include "window/WindowScale.h"
#include "window/win/WinTextEntryField.h"
#include "window/win/WinTooltip.h"

namespace ifx {
namespace igfx {

class IGfxWin : public IGfxVG
{
public:
  // The redraw tick of the vertical-blank thread; wParam carries its count.
  static constexpr UINT kVerticalBlankMessage = WM_USER + 1;

  IGfxWin(IEditorDelegate& dlg, int w, int h, int fps = 60, float scale = 1.f);
  ~IGfxWin() override;

  // -- Window
  // Opens the child window in parent with its GL context, renderer and
  // layout; reopening an open window keeps its size and place. Null when any
  // of it fails: nothing is then left open, and the GL context current
  // before the call is current again.
  void* OpenWindow(void* parent) override;
  void CloseWindow() override;
  void* GetWindow() override { return mWindow; }
  bool IsWindowOpen() override { return mWindow != nullptr; }
  const char* PlatformName() const override { return "win32"; }
  float WindowScaleFactor() const override { return GetScreenScale(); }
  // The host's scale stays until the window's DPI changes.
  void SetHostDisplayScale(float scale) override;
  void SetModuleHandle(void* instance) override { mModule = static_cast<HINSTANCE>(instance); }
  void* ModuleHandle() const override { return mModule; }
  void ResizeNativeWindow(bool parentHasResized) override;
  bool SupportsMultiTouch() const override;

  // -- Pointer
  bool GetMouseLocation(float& x, float& y) const override;
  void HideMouseCursor(bool hide = true, bool lock = true) override;
  void MoveMouseCursor(float x, float y) override;
  int SetMouseCursor(int cursorType) override;

  // -- OpenGL context. Activations nest: each deactivation makes current
  // again what was current at its activation (the host's context last).
  void ActivateGLContext() override;
  void DeactivateGLContext() override;

  // -- Message box, owned by the host's top-level window.
  int ShowMessageBox(const char* text, const char* caption, int buttons,
                     IMsgBoxCompletionHandlerFunc completion = nullptr) override;

  // -- Platform fonts (the Win32 font loader)
  PlatformFont* LoadPlatformFontByName(const char* fontID, const char* fontName, int style) override;
  PlatformFont* LoadPlatformFontFromMemory(const char* fontID, const void* data, int dataSize) override;
  PlatformFont* LoadPlatformFont(const char* fontID, const char* fileNameOrResID) override;
  void CachePlatformFont(const char* fontID, PlatformFont* font) override;

  // -- Platform services (IGfxWinServices.cpp): popup menus, text entry,
  // dialogs, URLs, clipboard, drag and drop.
  void CancelUserEdit() override;
  bool PasteTextFromClipboard(IString& text) override;
  bool CopyTextToClipboard(const char* text) override;
  bool CopyFilePathToClipboard(const char* path) override;
  bool StartFileDragOut(const char* path) override;
  void AskForFile(IString& fileName, IString& path, int action, const char* extensions,
                  IFileDialogCompletionHandlerFunc completion = nullptr) override;
  void AskForDirectory(IString& dir, IFileDialogCompletionHandlerFunc completion = nullptr) override;
  bool AskForColour(IRgba& color, const char* prompt = "", IColorPickerHandlerFunc completion = nullptr) override;
  bool OpenURL(const char* url, const char* windowTitle = nullptr, const char* confirmMsg = nullptr,
               const char* errMsg = nullptr) override;
  bool RevealPathInFileBrowser(const char* path, bool select = false) override;
  void ShowNativeTextEntry(int paramIdx, const ITextStyle& text, const IRECT& bounds, int length,
                           const char* str) override;
  IPopupMenu* ShowNativeMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) override;

  // -- Messages
  // The window procedure of "IFxWndClass"; messages for a window that is not
  // its object's go to DefWindowProcW.
  static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  // A mouse message's pointer in editor units, buttons and keys; also the
  // new last mouse position.
  IMouseEvent MakeMouseInfo(LPARAM lParam, WPARAM wParam);

  // Windows 8 and later tick after every vertical blank, older ones on the
  // window timer; chosen at construction for the object's life.
  bool IsVerticalBlankMode() const noexcept { return mVerticalBlankMode; }
  // Open windows of the class in this process.
  static int WindowClassUsers() noexcept;

  // Reading the picture back in the process (test hosts): the main frame as
  // top-down RGBA rows. A GL window reads back black through GDI.
  bool ReadMainFrame(std::vector<uint8_t>& rgba, int& width, int& height);
  // The registered message that asks an editor window of this thread for
  // its main frame: wParam the buffer's size in bytes, lParam the buffer
  // (null to ask for the size only); the answer is width << 16 | height, 0
  // when there is no frame or the buffer is too small.
  static UINT FrameReadMessage() noexcept;

protected:
  // Tests pick the tick source the system would not (before opening).
  void SetVerticalBlankMode(bool on) noexcept { mVerticalBlankMode = on; }
  // One redraw tick: count 0 from the timer, else the vertical-blank count.
  void OnRedrawTick(uint32_t count);
  // The DPI scale of a window (GetDpiForWindow / 96); tests play displays
  // of other DPIs here.
  virtual float DpiScaleOf(HWND window) const;

private:
  struct BlankThread;
  struct SavedContext
  {
    HGLRC context;
    HDC dc;
  };

  static DWORD WINAPI VerticalBlankThreadEntry(void* param);
  void StartRedrawSource(HWND window);
  void StopRedrawSource();
  void DrawOnTick(uint32_t count);
  // After a tick that began at start: when the source is to tick next.
  void PaceRedrawSource(int64_t start);
  void Paint();
  void OnMouseMove(WPARAM wParam, LPARAM lParam);
  LRESULT OnKey(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void OnWheel(WPARAM wParam, LPARAM lParam);
  bool OnTouch(WPARAM wParam, LPARAM lParam);
  void OnMouseHover();
  void OnMouseLeave();
  LRESULT OnFrameRead(WPARAM wParam, LPARAM lParam);
  HWND FindMessageBoxOwner();

  // -- Platform services, window side (IGfxWinServices.cpp)
  // The text-entry part of a redraw tick: true when the tick ends there.
  bool FinishTextEntryOnTick();
  void OnFileDrop(HDROP drop);

  HGLRC mGLContext = nullptr;
  std::vector<SavedContext> mSavedContexts;
  HINSTANCE mModule = nullptr;
  HWND mWindow = nullptr;
  HDC mDC = nullptr; // the window's own DC (CS_OWNDC): valid while it lives
  HWND mParent = nullptr;
  HWND mMessageBoxOwner = nullptr;

  // Each tick's dirty rectangles and each paint's update region, kept so
  // that a frame allocates nothing once they have grown.
  IRegionRects mTickRects;
  IRegionRects mPaintRects;

  std::shared_ptr<BlankThread> mBlank;
  HANDLE mBlankThreadHandle = nullptr;
  bool mVerticalBlankMode = false;
  bool mRedrawTimerRunning = false;
  bool mRedrawTimerPaced = false; // re-armed after each tick rather than periodic
  RedrawPacer mPacer{kFastRedrawPeriodMs};
  DpiScaleWatch mDpiWatch;
  int64_t mTickPaintNanos = 0; // painting since the last tick

  WinTextEntryField mTextEntry; // its state: ETextEntryState
  WinTooltip mTooltip;

  bool mTooltipsEnabled = false;
  int mTooltipIdx = -1;
  bool mCursorLock = false;
  bool mPenInput = false;
  float mLastMouseX = 0.f;
  float mLastMouseY = 0.f;
  float mHiddenCursorX = 0.f;
  float mHiddenCursorY = 0.f;
  IString mHostClassName{128};
  TouchTracker mTouches;
  bool mTouchRegistered = false;
};

} // namespace igfx
} // namespace ifx
