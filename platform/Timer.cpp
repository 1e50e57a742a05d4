#include "platform/Timer.h"

#include <new>
#include "platform/TimerList.h"
#include "platform/Timer_impl.h"

namespace ifx {

Timer* Timer::Create(TimerFunction func)
{
  auto* timer = new (std::nothrow) Timer_impl(std::move(func));
  if (timer)
    timer->Start();
  return timer;
}

Timer_impl::Timer_impl(TimerFunction func) noexcept
  : mFunc(std::move(func))
{
}

Timer_impl::~Timer_impl()
{
  Stop();
}

bool Timer_impl::Start()
{
  if (mId != 0)
    return true;
  mId = PlatformStartTimer(mIntervalMs);
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

void Timer_impl::Stop()
{
  if (mId == 0)
    return;
  PlatformStopTimer(mId);
  TimerList::Remove(this);
  mId = 0;
}

void Timer_impl::Fire() noexcept
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
