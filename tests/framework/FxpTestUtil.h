#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/IStateChunk.h"

namespace basetest {

using Bytes = std::vector<uint8_t>;

inline Bytes ToBytes(const ifx::IStateChunk& chunk)
{
  return Bytes(chunk.GetData(), chunk.GetData() + chunk.Size());
}

inline void AppendBE(Bytes& b, uint32_t v)
{
  b.push_back(static_cast<uint8_t>(v >> 24));
  b.push_back(static_cast<uint8_t>(v >> 16));
  b.push_back(static_cast<uint8_t>(v >> 8));
  b.push_back(static_cast<uint8_t>(v));
}

inline void AppendText(Bytes& b, const char* s, size_t n)
{
  b.insert(b.end(), s, s + n);
}

inline void AppendFloatBE(Bytes& b, float f)
{
  uint32_t bits;
  std::memcpy(&bits, &f, 4);
  AppendBE(b, bits);
}

// A parameter-form file as another writer might make it.
inline Bytes ParamFormFile(const char* name28, const std::vector<float>& values, uint32_t id = 0x4D6B7770)
{
  Bytes b;
  AppendText(b, "CcnK", 4);
  AppendBE(b, 0);
  AppendText(b, "FxCk", 4);
  AppendBE(b, 1);
  AppendBE(b, id);
  AppendBE(b, 902);
  AppendBE(b, static_cast<uint32_t>(values.size()));
  char name[28] = {};
  std::memcpy(name, name28, std::min<size_t>(28, std::strlen(name28)));
  AppendText(b, name, 28);
  for (float v : values)
    AppendFloatBE(b, v);
  return b;
}

} // namespace basetest
