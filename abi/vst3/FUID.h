#pragma once
// A 16-byte class or interface id as a value.
#include <cstdio>
#include <cstring>

#include "abi/vst3/Vst3Base.h"

namespace Steinberg {

class FUID
{
public:
  FUID() { std::memset(data, 0, sizeof(data)); }
  explicit FUID(const TUID uid) { std::memcpy(data, uid, sizeof(data)); }
  // The four numbers follow the interface-id byte rule of the platform.
  FUID(uint32 l1, uint32 l2, uint32 l3, uint32 l4)
  {
    const TUID bytes = MURKWISP_VST3_UID(l1, l2, l3, l4);
    std::memcpy(data, bytes, sizeof(data));
  }

  static FUID fromTUID(const TUID uid) { return FUID(uid); }
  void toTUID(TUID out) const { std::memcpy(out, data, sizeof(data)); }
  const char* toTUID() const { return data; }

  bool isValid() const
  {
    for (char c : data)
      if (c)
        return true;
    return false;
  }
  bool operator==(const FUID& o) const { return std::memcmp(data, o.data, sizeof(data)) == 0; }
  bool operator!=(const FUID& o) const { return !(*this == o); }
  bool operator==(const char* uid) const { return IidEqual(data, uid); }

  // 32 upper-case hex digits of the bytes in memory order.
  void toString(char out[33]) const
  {
    for (int i = 0; i < 16; ++i)
      std::snprintf(out + 2 * i, 3, "%02X", static_cast<unsigned char>(data[i]));
  }

private:
  TUID data;
};

} // namespace Steinberg
