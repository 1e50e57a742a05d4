#pragma once
#include "base/IStateChunk.h"

namespace ifx {

// One preset: its name and its serialised parameter values.
struct IPresetSlot
{
  static constexpr int kMaxNameLen = 256; // including the terminating NUL

  bool initialized = false;
  char name[kMaxNameLen] = "empty";
  IStateChunk chunk;

  // Copies at most 255 characters; null reads as the empty name.
  void SetName(const char* text) noexcept;
};

} // namespace ifx
