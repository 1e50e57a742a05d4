#pragma once
#include <cstdint>

namespace ifx {

enum EBusDirection : int32_t
{
  kInput = 0,
  kOutput = 1
};

// One bus of a channel configuration. A count written "*" in the layout text
// means "any number of channels" and is kept as kAnyChannelCount.
struct IBusDescription
{
  static constexpr int32_t kAnyChannelCount = -64;

  EBusDirection direction = kInput;
  int32_t channelCount = 0;

  IBusDescription() = default;
  IBusDescription(EBusDirection dir, int32_t count) noexcept : direction(dir), channelCount(count) {}
};

} // namespace ifx
