#include "platform/native/TimerNative.h"

#include <cstdint>
#include <mutex>
#include <vector>
#include "platform/TimerList.h"

namespace ifx {

namespace {

struct Scheduled
{
  uintptr_t id;
  int intervalMs;
  long long dueMs;
};

struct Clock
{
  std::mutex lock;
  std::vector<Scheduled> timers; // start order
  long long nowMs = 0;
  uintptr_t nextId = 1;
};

Clock& TheClock()
{
  static Clock* clock = new Clock;
  return *clock;
}

} // namespace

uintptr_t PlatformStartTimer(int intervalMs) noexcept
{
  Clock& c = TheClock();
  std::lock_guard<std::mutex> guard(c.lock);
  try
  {
    const uintptr_t id = c.nextId++;
    const int interval = intervalMs > 0 ? intervalMs : 1;
    c.timers.push_back({id, interval, c.nowMs + interval});
    return id;
  }
  catch (...)
  {
    return 0;
  }
}

void PlatformStopTimer(uintptr_t id) noexcept
{
  Clock& c = TheClock();
  std::lock_guard<std::mutex> guard(c.lock);
  for (auto it = c.timers.begin(); it != c.timers.end(); ++it)
  {
    if (it->id == id)
    {
      c.timers.erase(it);
      return;
    }
  }
}

namespace native {

// The clock's lock is never held while a tick runs: ticks may start and stop
// timers.

int TickTimers()
{
  std::vector<uintptr_t> ids;
  {
    Clock& c = TheClock();
    std::lock_guard<std::mutex> guard(c.lock);
    for (const Scheduled& s : c.timers)
      ids.push_back(s.id);
  }
  int fired = 0;
  for (uintptr_t id : ids)
    fired += TimerList::Dispatch(id) ? 1 : 0;
  return fired;
}

int AdvanceTimers(int ms)
{
  Clock& c = TheClock();
  long long target;
  {
    std::lock_guard<std::mutex> guard(c.lock);
    target = c.nowMs + (ms > 0 ? ms : 0);
  }
  int fired = 0;
  for (;;)
  {
    uintptr_t id = 0;
    {
      std::lock_guard<std::mutex> guard(c.lock);
      Scheduled* next = nullptr;
      for (Scheduled& s : c.timers)
        if (s.dueMs <= target && (!next || s.dueMs < next->dueMs))
          next = &s;
      if (!next)
      {
        c.nowMs = target;
        break;
      }
      c.nowMs = next->dueMs;
      next->dueMs += next->intervalMs;
      id = next->id;
    }
    fired += TimerList::Dispatch(id) ? 1 : 0;
  }
  return fired;
}

bool FireTimerId(unsigned long long id) { return TimerList::Dispatch(static_cast<uintptr_t>(id)); }

} // namespace native
} // namespace ifx
