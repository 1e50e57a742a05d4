#pragma once
// Layout of FXP preset files: a 56-byte big-endian header, then either each
// parameter's normalised value as a big-endian float ("FxCk") or a length and
// an opaque chunk ("FPCh").
#include <cstdint>

#include "base/IPluginConfiguration.h"

namespace ifx {
namespace fxp {

constexpr int32_t kChunkMagic = FourCharCode("CcnK");
constexpr int32_t kParamsMagic = FourCharCode("FxCk");
constexpr int32_t kChunkFormMagic = FourCharCode("FPCh");
// Marks our own chunk inside the chunk form, followed by a native int32.
constexpr int32_t kChunkTag = FourCharCode("tffp");
constexpr int32_t kChunkTagVersion = 0x10000;
constexpr int32_t kFormatVersion = 1;

constexpr int kOffsetByteSize = 4;
constexpr int kOffsetFormMagic = 8;
constexpr int kOffsetFormatVersion = 12;
constexpr int kOffsetPluginId = 16;
constexpr int kOffsetPluginVersion = 20;
constexpr int kOffsetParamCount = 24;
constexpr int kOffsetName = 28;
constexpr int kNameSize = 28;
constexpr int kHeaderSize = 56; // parameter values start here
constexpr int kOffsetChunkLength = kHeaderSize;
constexpr int kChunkStart = kHeaderSize + 4; // after the chunk length
// Anything larger is not a preset of ours; bounds what a load reads.
constexpr int kMaxFileSize = 16 * 1024 * 1024;

inline uint32_t ReadBE32(const uint8_t* p) noexcept
{
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}

inline void WriteBE32(uint8_t* p, uint32_t v) noexcept
{
  p[0] = static_cast<uint8_t>(v >> 24);
  p[1] = static_cast<uint8_t>(v >> 16);
  p[2] = static_cast<uint8_t>(v >> 8);
  p[3] = static_cast<uint8_t>(v);
}

} // namespace fxp
} // namespace ifx
