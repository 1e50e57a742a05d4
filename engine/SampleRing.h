#pragma once
#include <cstdint>
#include <memory>

namespace murkwisp::engine {

// One channel's 4096-sample ring between the block processor and the engine.
struct SampleRing
{
  static constexpr int32_t kSize = 4096;
  static_assert((kSize & (kSize - 1)) == 0, "ring positions wrap by masking");

  std::unique_ptr<double[]> data{new double[kSize]()};
  int32_t size = kSize;

  void Clear() noexcept
  {
    for (int32_t i = 0; i < size; ++i)
      data[i] = 0.0;
  }
};

} // namespace murkwisp::engine
