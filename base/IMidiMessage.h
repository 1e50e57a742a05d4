#pragma once
#include <cstdint>

namespace ifx {

// One short MIDI message as it travels between host, processor and editor.
// 8 bytes: the rings and queues copy it by value.
struct IMidiMessage
{
  int32_t offset = 0; // sample offset inside the current block
  uint8_t status = 0;
  uint8_t data1 = 0;
  uint8_t data2 = 0;

  IMidiMessage() = default;
  IMidiMessage(int32_t offs, uint8_t s, uint8_t d1, uint8_t d2) noexcept : offset(offs), status(s), data1(d1), data2(d2)
  {
  }

  int Channel() const noexcept { return status & 0x0F; }
  int StatusKind() const noexcept { return status >> 4; }
  void Clear() noexcept { *this = IMidiMessage(); }
};

static_assert(sizeof(IMidiMessage) == 8, "MIDI message is 8 bytes");

} // namespace ifx
