#pragma once
#include <cstdint>
#include "platform/Timer.h"

namespace ifx {

// A running timer: its platform id (0 when not running), its function and
// its interval. Listed in the process-wide timer list while running.
class Timer_impl final : public Timer
{
public:
  explicit Timer_impl(TimerFunction func) noexcept;
  ~Timer_impl() override;

  void Stop() override;
  bool IsRunning() const noexcept { return mId != 0; }
  uintptr_t GetId() const noexcept { return mId; }
  int GetIntervalMs() const noexcept { return mIntervalMs; }

  // Starts the platform timer and lists this timer; false when the platform
  // refused.
  bool Start();
  // Runs the function under the timer lock's protection; never throws.
  void Fire() noexcept;

private:
  uintptr_t mId = 0;
  TimerFunction mFunc;
  int mIntervalMs = kIntervalMs;
};

} // namespace ifx
