#pragma once
// Byte streams hosts hand to getState/setState.
#include "abi/vst3/Vst3Base.h"

namespace Steinberg {

class IBStream : public FUnknown
{
public:
  MURKWISP_VST3_IID(0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B)
  enum IStreamSeekMode : int32
  {
    kIBSeekSet = 0,
    kIBSeekCur = 1,
    kIBSeekEnd = 2
  };
  virtual tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) = 0;
  virtual tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) = 0;
  virtual tresult PLUGIN_API seek(int64 pos, int32 mode, int64* result) = 0;
  virtual tresult PLUGIN_API tell(int64* pos) = 0;
  MURKWISP_VST3_INTERFACE(IBStream)
};

class ISizeableStream : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x04F9549E, 0xE02F4E6E, 0x87E86A87, 0x47F4E17F)
  virtual tresult PLUGIN_API getStreamSize(int64& size) = 0;
  virtual tresult PLUGIN_API setStreamSize(int64 size) = 0;
  MURKWISP_VST3_INTERFACE(ISizeableStream)
};

} // namespace Steinberg
