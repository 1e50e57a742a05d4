// A module of its own around one editor window that ticks from the
// vertical-blank thread, for the test that loads and unloads it the way a
// host loads and unloads a plug-in.
#include <windows.h>

#include <memory>

#include "window/win/IGfxWin.h"
#include "support/RecordingDelegate.h"

namespace {

class BlankThreadWin : public ifx::igfx::IGfxWin
{
public:
  BlankThreadWin(ifx::testkit::RecordingDelegate& dlg, HINSTANCE module) : IGfxWin(dlg, 1200, 800, 60, 1.f)
  {
    SetModuleHandle(module);
    SetVerticalBlankMode(true);
    SetDisplayTickFunc([this] { ++ticks; });
  }
  int ticks = 0;
};

HINSTANCE gModule = nullptr;
std::unique_ptr<ifx::testkit::RecordingDelegate> gDelegate;
std::unique_ptr<BlankThreadWin> gWindow;

} // namespace

extern "C" __declspec(dllexport) HWND OpenBlankThreadEditor(HWND parent)
{
  gDelegate = std::make_unique<ifx::testkit::RecordingDelegate>();
  gWindow = std::make_unique<BlankThreadWin>(*gDelegate, gModule);
  return static_cast<HWND>(gWindow->OpenWindow(parent));
}

// Ticks drawn so far; -1 when the window does not tick from the thread.
extern "C" __declspec(dllexport) int BlankThreadTicks()
{
  return gWindow && gWindow->IsVerticalBlankMode() ? gWindow->ticks : -1;
}

extern "C" __declspec(dllexport) void CloseBlankThreadEditor()
{
  gWindow.reset();
  gDelegate.reset();
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
  if (reason == DLL_PROCESS_ATTACH)
    gModule = instance;
  return TRUE;
}
