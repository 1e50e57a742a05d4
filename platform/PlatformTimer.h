#pragma once
#include <cstdint>
#include "platform/Timer.h"

namespace ifx {

// A running timer: its platform id (0 when not running) and its function.
// Listed in the process-wide timer list while running.
class PlatformTimer final : public Timer
{
public:
  explicit PlatformTimer(TimerFunction func) noexcept;
  ~PlatformTimer() override;

  void Stop() override;
  uintptr_t GetId() const noexcept { return mId; }

  // Starts the platform timer and lists this timer; false when the platform
  // refused.
  bool Start();
  // Runs the function under the timer lock's protection; never throws.
  void Fire() noexcept;

private:
  uintptr_t mId = 0;
  TimerFunction mFunc;
};

} // namespace ifx
