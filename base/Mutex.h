#pragma once
// The framework's lock: re-entrant, so a thread holding it may take it again
// (a timer tick that stops its own timer, a cache lookup inside a cache
// callback). MutexLock holds one for a scope; a null Mutex makes the lock a
// no-op, for callers whose lock is optional.
#include <mutex>

namespace ifx {

class Mutex
{
public:
  Mutex() noexcept = default;
  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;
  ~Mutex() = default;

  void Enter() noexcept { mLock.lock(); }
  void Leave() noexcept { mLock.unlock(); }
  // False when another thread holds it.
  bool TryEnter() noexcept { return mLock.try_lock(); }

private:
  std::recursive_mutex mLock;
};

class MutexLock
{
public:
  explicit MutexLock(Mutex* mutex) noexcept : mMutex(mutex)
  {
    if (mMutex)
      mMutex->Enter();
  }
  explicit MutexLock(Mutex& mutex) noexcept : MutexLock(&mutex) {}
  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;

  ~MutexLock()
  {
    if (mMutex)
      mMutex->Leave();
  }

private:
  Mutex* mMutex;
};

} // namespace ifx
