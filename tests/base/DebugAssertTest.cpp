#include "base/DebugAssert.h"

#include <gtest/gtest.h>

namespace {

// Checked in debug builds, gone in release ones: the condition is not even
// evaluated there.
TEST(DebugAssert, StopsADebugRunAndCostsAReleaseBuildNothing)
{
  int evaluated = 0;
  auto holds = [&] { return ++evaluated > 0; };
  MURKWISP_ASSERT(holds());
#if defined(NDEBUG)
  EXPECT_EQ(evaluated, 0);
#else
  EXPECT_EQ(evaluated, 1);
#endif
  EXPECT_DEBUG_DEATH(MURKWISP_ASSERT(1 + 1 == 3), "assertion failed: 1 \\+ 1 == 3");
}

} // namespace
