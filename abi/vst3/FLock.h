#pragma once
// Re-entrant lock of the VST3 support classes (singletons, factory).
#include <mutex>

namespace Steinberg {

class FLock
{
public:
  void lock() { mutex.lock(); }
  void unlock() { mutex.unlock(); }
  bool trylock() { return mutex.try_lock(); }

private:
  std::recursive_mutex mutex;
};

class FGuard
{
public:
  explicit FGuard(FLock& l) : lock(l) { lock.lock(); }
  ~FGuard() { lock.unlock(); }
  FGuard(const FGuard&) = delete;
  FGuard& operator=(const FGuard&) = delete;

private:
  FLock& lock;
};

} // namespace Steinberg
