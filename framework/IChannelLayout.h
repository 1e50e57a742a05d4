#pragma once
#include "framework/IBusDescription.h"

#include <memory>
#include <vector>

namespace ifx {

// One channel configuration ("2-2", "1.1-2", "*-2"): its input and output buses.
class IChannelLayout
{
public:
  int NBuses(EBusDirection dir) const noexcept { return static_cast<int>(Buses(dir).size()); }

  // Null outside 0..NBuses(dir)-1.
  const IBusDescription* GetBus(EBusDirection dir, int idx) const noexcept;

  // Channel count of a bus; 0 when the bus does not exist.
  int BusChannels(EBusDirection dir, int idx) const noexcept;

  // Sum of the bus channel counts of one direction ("*" buses count as given, -64).
  int TotalChannels(EBusDirection dir) const noexcept;

  void AddBus(EBusDirection dir, int channelCount);

private:
  const std::vector<std::unique_ptr<IBusDescription>>& Buses(EBusDirection dir) const noexcept
  {
    return dir == kInput ? mInputBuses : mOutputBuses;
  }

  std::vector<std::unique_ptr<IBusDescription>> mInputBuses;
  std::vector<std::unique_ptr<IBusDescription>> mOutputBuses;
};

using IChannelLayoutList = std::vector<std::unique_ptr<IChannelLayout>>;

// Parses the blank-separated configurations of a layout text into `layouts`
// (appending). Each configuration is "<in>-<out>", each side buses split at
// '.', each bus an integer or '*'. Zero-channel buses are not added. The four
// totals are the maxima over the configurations. Returns the number of
// configurations parsed.
int ParseChannelLayoutText(const char* text, IChannelLayoutList& layouts, int& totalInChannels, int& totalOutChannels,
                           int& totalInBuses, int& totalOutBuses);

} // namespace ifx
