#include "platform/TimerList.h"

#include "base/IPtrList.h"
#include "base/Mutex.h"
#include "platform/PlatformTimer.h"

namespace ifx {

namespace {

struct TimerListState
{
  // Re-entrant: a tick runs under the lock and may stop or create timers.
  Mutex lock;
  IPtrList<PlatformTimer> timers;
};

// Never destroyed: timers leaked until module unload may still stop
// themselves during static destruction.
TimerListState& State()
{
  static TimerListState* state = new TimerListState;
  return *state;
}

} // namespace

bool TimerList::Add(PlatformTimer* timer) noexcept
{
  TimerListState& s = State();
  MutexLock guard(s.lock);
  return s.timers.Add(timer) != nullptr;
}

void TimerList::Remove(PlatformTimer* timer) noexcept
{
  TimerListState& s = State();
  MutexLock guard(s.lock);
  const int idx = s.timers.Find(timer);
  if (idx >= 0)
    s.timers.Delete(idx);
}

int TimerList::Count() noexcept
{
  TimerListState& s = State();
  MutexLock guard(s.lock);
  return s.timers.GetSize();
}

bool TimerList::Dispatch(uintptr_t id) noexcept
{
  if (id == 0)
    return false;
  TimerListState& s = State();
  MutexLock guard(s.lock);
  const int n = s.timers.GetSize();
  for (int i = 0; i < n; ++i)
  {
    PlatformTimer* timer = s.timers.Get(i);
    if (timer && timer->GetId() == id)
    {
      timer->Fire();
      return true;
    }
  }
  return false;
}

} // namespace ifx
