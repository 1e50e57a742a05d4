#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>
#include "base/IParam.h"

using ifx::IParam;

// Host automation (audio thread) and the editor (main thread) write the same
// value while a third thread reads it: every read is one of the written
// values, never a torn or unconstrained one.
TEST(ParamAtomic, ConcurrentWritersAndReader)
{
  IParam p;
  p.ConfigureDouble("Mix", 0., 0., 100., 1.);
  std::atomic<bool> stop {false};
  std::atomic<long> badReads {0};

  std::thread reader([&] {
    while (!stop.load(std::memory_order_relaxed))
    {
      const double v = p.Value();
      if (!(v == 0. || v == 25. || v == 100.))
        badReads.fetch_add(1);
      const double n = p.GetNormalized();
      if (!(n == 0. || n == 0.25 || n == 1.))
        badReads.fetch_add(1);
    }
  });
  std::thread audio([&] {
    for (int i = 0; i < 200000; ++i)
      p.Set(i % 2 ? 25. : 1000.);
  });
  for (int i = 0; i < 200000; ++i)
    p.SetNormalized(i % 2 ? 0.25 : -3.);
  audio.join();
  stop.store(true);
  reader.join();
  EXPECT_EQ(badReads.load(), 0);
}
