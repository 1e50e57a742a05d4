#pragma once
// Event lists the test host hands to process and params.flush: an input list
// built from typed events, and an output list that copies what the plug-in
// pushes and checks each event's record size, time and order.
#include <cstdint>
#include <string>
#include <vector>

#include "abi/clap/Clap.h"

namespace claphost {

class InputEvents
{
public:
  InputEvents();
  InputEvents(const InputEvents&) = delete;
  InputEvents& operator=(const InputEvents&) = delete;

  const clap_input_events_t* Clap() const noexcept { return &mList; }
  void Clear() { mEvents.clear(); }
  uint32_t Size() const noexcept { return static_cast<uint32_t>(mEvents.size()); }

  void AddParamValue(uint32_t time, clap_id id, double value);
  void AddNoteOn(uint32_t time, int16_t channel, int16_t key, double velocity);
  void AddMidi(uint32_t time, uint8_t status, uint8_t d1, uint8_t d2);
  // The bytes must outlive the list (as a host's would during process).
  void AddSysEx(uint32_t time, const uint8_t* bytes, uint32_t size);
  // Any record as is (for malformed events).
  void AddRaw(const void* event, uint32_t bytes);

private:
  static uint32_t CLAP_ABI SizeCallback(const clap_input_events_t* list);
  static const clap_event_header_t* CLAP_ABI GetCallback(const clap_input_events_t* list, uint32_t index);

  clap_input_events_t mList;
  std::vector<std::vector<uint64_t>> mEvents;  // 8-byte aligned records
};

class OutputEvents
{
public:
  OutputEvents();
  OutputEvents(const OutputEvents&) = delete;
  OutputEvents& operator=(const OutputEvents&) = delete;

  const clap_output_events_t* Clap() const noexcept { return &mList; }
  // The block the next events belong to (checks their time against it).
  void BeginBlock(uint32_t frames) noexcept;
  void Clear();
  // A host whose list is full: every try_push answers false.
  void Refuse(bool refuse) noexcept { mRefuse = refuse; }

  struct Event
  {
    clap_event_header_t header;
    clap_id paramId = CLAP_INVALID_ID;
    double value = 0.0;
    std::vector<uint8_t> bytes;  // MIDI data or the copied SysEx buffer
  };
  const std::vector<Event>& Events() const noexcept { return mEvents; }
  const std::vector<std::string>& Problems() const noexcept { return mProblems; }

private:
  static bool CLAP_ABI TryPushCallback(const clap_output_events_t* list, const clap_event_header_t* event);
  bool Accept(const clap_event_header_t* event);

  clap_output_events_t mList;
  uint32_t mFrames = 0;
  uint32_t mLastTime = 0;
  bool mRefuse = false;
  std::vector<Event> mEvents;
  std::vector<std::string> mProblems;
};

} // namespace claphost
