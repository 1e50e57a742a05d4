#pragma once
// Counts the heap allocations the calling thread makes while a counter is
// alive. Linking tests/support/AllocationCounter.cpp into a test executable
// replaces the global operator new/delete (and, with MURKWISP_WRAP_MALLOC and
// the linker's --wrap for malloc, calloc and realloc, the C allocation calls
// too), so that executable must hold nothing else that replaces them. It can
// also make large requests fail, to test what runs out of memory.
#include <cstddef>

namespace murkwisp_test {

class AllocationCounter
{
public:
  AllocationCounter();   // starts counting on this thread, from 0
  ~AllocationCounter();  // stops counting
  AllocationCounter(const AllocationCounter&) = delete;
  AllocationCounter& operator=(const AllocationCounter&) = delete;

  long Count() const noexcept;
  void Reset() noexcept;
  // From now on, while this counter lives, requests of at least `bytes` on
  // this thread fail as if memory had run out (0: none fail).
  void FailFrom(std::size_t bytes) noexcept;
};

} // namespace murkwisp_test
