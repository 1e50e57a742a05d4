#include "platform/Timer.h"

#include <new>
#include "platform/TimerList.h"
#include "platform/PlatformTimer.h"

namespace ifx {

Timer* Timer::Create(TimerFunction func)
{
  auto* timer = new (std::nothrow) PlatformTimer(std::move(func));
  if (timer)
    timer->Start();
  return timer;
}

PlatformTimer::PlatformTimer(TimerFunction func) noexcept : mFunc(std::move(func)) {}

PlatformTimer::~PlatformTimer() { Stop(); }

bool PlatformTimer::Start()
{
  if (mId != 0)
    return true;
  mId = PlatformStartTimer(kIntervalMs);
  if (mId == 0)
    return false;
  if (!TimerList::Add(this))
  {
    // Not listed, it could never be found by its tick: do not leave it running.
    PlatformStopTimer(mId);
    mId = 0;
    return false;
  }
  return true;
}

void PlatformTimer::Stop()
{
  if (mId == 0)
    return;
  PlatformStopTimer(mId);
  TimerList::Remove(this);
  mId = 0;
}

void PlatformTimer::Fire() noexcept
{
  // A timer without a function is skipped, and nothing a tick throws may
  // unwind into the platform's message dispatch.
  if (!mFunc)
    return;
  try
  {
    mFunc(*this);
  }
  catch (...)
  {
  }
}

} // namespace ifx
