#pragma once
#include <cstdint>

namespace ifx {

class PlatformTimer;

// The process-wide list of running timers, in creation order, under one
// re-entrant lock that is held while a timer function runs.
namespace TimerList {

// False when the list could not grow.
bool Add(PlatformTimer* timer) noexcept;
void Remove(PlatformTimer* timer) noexcept;
int Count() noexcept;
// The platform's timer callback: runs the first listed timer with this id;
// an id that is not listed is ignored. False when nothing ran.
bool Dispatch(uintptr_t id) noexcept;

} // namespace TimerList

// Platform half (platform/win or native): starts a repeating timer
// and returns its id (0 when refused), or kills it.
uintptr_t PlatformStartTimer(int intervalMs) noexcept;
void PlatformStopTimer(uintptr_t id) noexcept;

} // namespace ifx
