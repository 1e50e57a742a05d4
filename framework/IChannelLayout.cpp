#include "framework/IChannelLayout.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace ifx {

const IBusDescription* IChannelLayout::GetBus(EBusDirection dir, int idx) const noexcept
{
  const auto& buses = Buses(dir);
  if (idx < 0 || idx >= static_cast<int>(buses.size()))
    return nullptr;
  return buses[static_cast<size_t>(idx)].get();
}

int IChannelLayout::BusChannels(EBusDirection dir, int idx) const noexcept
{
  const IBusDescription* bus = GetBus(dir, idx);
  return bus ? bus->channelCount : 0;
}

int IChannelLayout::TotalChannels(EBusDirection dir) const noexcept
{
  int sum = 0;
  for (const auto& bus : Buses(dir))
    sum += bus->channelCount;
  return sum;
}

void IChannelLayout::AddBus(EBusDirection dir, int channelCount)
{
  auto& buses = dir == kInput ? mInputBuses : mOutputBuses;
  buses.push_back(std::make_unique<IBusDescription>(dir, channelCount));
}

namespace {

// One side of a configuration: buses separated by '.', each "%d" or "*".
void ParseSide(const std::string& side, EBusDirection dir, IChannelLayout& layout)
{
  size_t start = 0;
  while (start <= side.size())
  {
    size_t end = side.find('.', start);
    if (end == std::string::npos)
      end = side.size();
    const std::string bus = side.substr(start, end - start);
    int count = 0;
    if (!bus.empty() && bus[0] == '*')
      count = IBusDescription::kAnyChannelCount;
    else
      count = std::atoi(bus.c_str());
    if (count != 0)
      layout.AddBus(dir, count);
    start = end + 1;
  }
}

} // namespace

int ParseChannelLayoutText(const char* text, IChannelLayoutList& layouts, int& totalInChannels, int& totalOutChannels,
                           int& totalInBuses, int& totalOutBuses)
{
  totalInChannels = totalOutChannels = totalInBuses = totalOutBuses = 0;
  if (!text)
    return 0;

  int configs = 0;
  const char* p = text;
  while (*p)
  {
    while (*p == ' ')
      ++p;
    if (!*p)
      break;
    const char* end = std::strchr(p, ' ');
    if (!end)
      end = p + std::strlen(p);
    const std::string config(p, static_cast<size_t>(end - p));
    p = end;

    auto layout = std::make_unique<IChannelLayout>();
    const size_t dash = config.find('-');
    ParseSide(config.substr(0, dash), kInput, *layout);
    if (dash != std::string::npos)
      ParseSide(config.substr(dash + 1), kOutput, *layout);

    totalInChannels = std::max(totalInChannels, layout->TotalChannels(kInput));
    totalOutChannels = std::max(totalOutChannels, layout->TotalChannels(kOutput));
    totalInBuses = std::max(totalInBuses, layout->NBuses(kInput));
    totalOutBuses = std::max(totalOutBuses, layout->NBuses(kOutput));
    layouts.push_back(std::move(layout));
    ++configs;
  }
  return configs;
}

} // namespace ifx
