#pragma once
#include <functional>

namespace ifx {

// The framework's repeating timer (20 ms). Its function runs on the thread
// that created the timer (the host's main thread), inside the process-wide
// timer lock, so the ticks of all plug-in instances are serialised. A tick may
// stop its own timer (same thread, the lock is re-entrant) but must not delete
// it, and must not wait for another thread that creates or stops a timer.
class Timer
{
public:
  using TimerFunction = std::function<void(Timer& timer)>;
  static constexpr int kIntervalMs = 20;

  // Starts a timer; the caller owns it. Returned even when the platform
  // refused a timer (it then never fires); null only when out of memory.
  static Timer* Create(TimerFunction func);

  virtual ~Timer() = default;
  // A stopped timer stays stopped.
  virtual void Stop() = 0;
};

} // namespace ifx
