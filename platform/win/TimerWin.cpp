#include <windows.h>

#include "platform/TimerList.h"

namespace ifx {

namespace {

// Thread timer without a window: fires on the creating thread's message loop.
void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) { TimerList::Dispatch(static_cast<uintptr_t>(id)); }

} // namespace

uintptr_t PlatformStartTimer(int intervalMs) noexcept
{
  return static_cast<uintptr_t>(SetTimer(nullptr, 0, static_cast<UINT>(intervalMs), TimerProc));
}

void PlatformStopTimer(uintptr_t id) noexcept { KillTimer(nullptr, static_cast<UINT_PTR>(id)); }

} // namespace ifx
