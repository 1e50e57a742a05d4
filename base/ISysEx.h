#pragma once
#include <cstdint>
#include <cstring>

namespace ifx {

// A SysEx message that points at someone else's bytes (a host event, or a
// queued ISysExData record); valid only as long as that storage lives.
struct ISysExMessage
{
  int32_t offset = 0;
  int32_t size = 0;
  const uint8_t* data = nullptr;

  ISysExMessage() = default;
  ISysExMessage(int32_t offs, const uint8_t* bytes, int32_t len) noexcept : offset(offs), size(len), data(bytes) {}
};

// The fixed 520-byte copy of a SysEx message that the rings and queues carry.
struct ISysExData
{
  static constexpr int32_t kMaxBytes = 512;

  int32_t offset = 0;
  int32_t size = 0;
  uint8_t data[kMaxBytes] = {};

  ISysExData() = default;
  ISysExData(int32_t offs, int32_t len, const void* bytes) noexcept { Set(offs, len, bytes); }
  explicit ISysExData(const ISysExMessage& msg) noexcept { Set(msg.offset, msg.size, msg.data); }

  // The size is clamped to the record's room (a host may send more, or a
  // negative count); without data the record carries zeros.
  void Set(int32_t offs, int32_t len, const void* bytes) noexcept
  {
    offset = offs;
    size = len < 0 ? 0 : (len > kMaxBytes ? kMaxBytes : len);
    if (bytes)
    {
      std::memcpy(data, bytes, static_cast<size_t>(size));
      std::memset(data + size, 0, static_cast<size_t>(kMaxBytes - size));
    }
    else
      std::memset(data, 0, sizeof(data));
  }

  ISysExMessage Message() const noexcept { return ISysExMessage(offset, data, size); }
};

static_assert(sizeof(ISysExData) == 520, "SysEx record is 520 bytes");

} // namespace ifx
