#include "toolkit/GfxClock.h"
#include <atomic>
#include <chrono>

namespace ifx {
namespace igfx {

namespace {
std::atomic<GfxClock::NanosSource> gNanos{nullptr};
std::atomic<GfxClock::RandomSource> gRandom{nullptr};
std::atomic<uint32_t> gXorState{0x9E3779B9u};

int64_t SteadyNanos()
{
  using namespace std::chrono;
  return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

uint32_t XorShift()
{
  uint32_t x = gXorState.load(std::memory_order_relaxed);
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  gXorState.store(x, std::memory_order_relaxed);
  return x;
}
} // namespace

int64_t GfxClock::NowNanos()
{
  const NanosSource src = gNanos.load(std::memory_order_acquire);
  return src ? src() : SteadyNanos();
}

double GfxClock::SecondsSinceStart()
{
  static const int64_t start = NowNanos();
  return static_cast<double>(NowNanos() - start) / 1e9;
}

uint32_t GfxClock::NextRandom()
{
  const RandomSource src = gRandom.load(std::memory_order_acquire);
  return src ? src() : XorShift();
}

void GfxClock::SetNanosSource(NanosSource source) { gNanos.store(source, std::memory_order_release); }
void GfxClock::SetRandomSource(RandomSource source) { gRandom.store(source, std::memory_order_release); }

} // namespace igfx
} // namespace ifx
