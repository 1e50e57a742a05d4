#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {
// Per thread, so a host's other threads never add to the audio thread's count.
thread_local bool tCounting = false;
thread_local long tAllocations = 0;
thread_local std::size_t tFailFrom = 0;

void CountAllocation() noexcept
{
  if (tCounting)
    ++tAllocations;
}

bool Refused(std::size_t n) noexcept
{
  return tFailFrom != 0 && n >= tFailFrom;
}

void* Allocate(std::size_t n)
{
  CountAllocation();
  if (!Refused(n))
    if (void* p = std::malloc(n ? n : 1))
      return p;
  throw std::bad_alloc();
}

void* AllocateNoThrow(std::size_t n) noexcept
{
  CountAllocation();
  return Refused(n) ? nullptr : std::malloc(n ? n : 1);
}
} // namespace

namespace murkwisp_test {

AllocationCounter::AllocationCounter()
{
  tAllocations = 0;
  tCounting = true;
}

AllocationCounter::~AllocationCounter()
{
  tCounting = false;
  tFailFrom = 0;
}

long AllocationCounter::Count() const noexcept { return tAllocations; }

void AllocationCounter::Reset() noexcept { tAllocations = 0; }

void AllocationCounter::FailFrom(std::size_t bytes) noexcept { tFailFrom = bytes; }

} // namespace murkwisp_test

void* operator new(std::size_t n) { return Allocate(n); }
void* operator new[](std::size_t n) { return Allocate(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return AllocateNoThrow(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return AllocateNoThrow(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

#if defined(MURKWISP_WRAP_MALLOC)
// Linked with --wrap: the C allocation calls of the framework and the
// plug-in come through here too.
extern "C" {
void* __real_malloc(std::size_t n);
void* __real_calloc(std::size_t n, std::size_t size);
void* __real_realloc(void* p, std::size_t n);
void* __wrap_malloc(std::size_t n)
{
  CountAllocation();
  return Refused(n) ? nullptr : __real_malloc(n);
}
void* __wrap_calloc(std::size_t n, std::size_t size)
{
  CountAllocation();
  return Refused(n * size) ? nullptr : __real_calloc(n, size);
}
void* __wrap_realloc(void* p, std::size_t n)
{
  CountAllocation();
  return Refused(n) ? nullptr : __real_realloc(p, n);
}
}
#endif
