// State chunks as a host hands them back: any bytes, read from any start.
#include "FuzzPlugin.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

using namespace murkwisp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  Murkwisp& plugin = fuzz::Plugin();

  // The first byte picks the start position; the rest is the chunk.
  const int start = size > 0 ? static_cast<int>(data[0] % 16) - 1 : 0;
  ifx::IStateChunk chunk;
  if (size > 1 && !chunk.PutBytes(data + 1, static_cast<int>(size - 1)))
    return 0;

  const int pos = plugin.UnserializeParams(chunk, start);
  if (pos != -1 && (pos < 0 || pos > chunk.Size()))
    __builtin_trap();
  fuzz::CheckParamsInRange(plugin);

  // Whatever state was restored must serialise and restore to itself.
  ifx::IStateChunk saved;
  if (!plugin.SerializeParams(saved))
    __builtin_trap();
  if (plugin.UnserializeParams(saved, 0) != saved.Size())
    __builtin_trap();
  ifx::IStateChunk again;
  if (!plugin.SerializeParams(again) || again.Size() != saved.Size()
      || std::memcmp(again.GetData(), saved.GetData(), static_cast<size_t>(saved.Size())) != 0)
    __builtin_trap();
  return 0;
}
