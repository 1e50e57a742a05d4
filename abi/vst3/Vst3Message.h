#pragma once
// Attribute lists, messages and connection points.
#include "abi/vst3/Vst3Types.h"

namespace Steinberg {
namespace Vst {

class IAttributeList : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x1E5F0AEB, 0xCC7F4533, 0xA2544011, 0x38AD5EE4)
  using AttrID = const char*;
  virtual tresult PLUGIN_API setInt(AttrID id, int64 value) = 0;
  virtual tresult PLUGIN_API getInt(AttrID id, int64& value) = 0;
  virtual tresult PLUGIN_API setFloat(AttrID id, double value) = 0;
  virtual tresult PLUGIN_API getFloat(AttrID id, double& value) = 0;
  virtual tresult PLUGIN_API setString(AttrID id, const TChar* string) = 0;
  // sizeInBytes: the buffer size in bytes (units x 2).
  virtual tresult PLUGIN_API getString(AttrID id, TChar* string, uint32 sizeInBytes) = 0;
  virtual tresult PLUGIN_API setBinary(AttrID id, const void* data, uint32 sizeInBytes) = 0;
  virtual tresult PLUGIN_API getBinary(AttrID id, const void*& data, uint32& sizeInBytes) = 0;
  MURKWISP_VST3_INTERFACE(IAttributeList)
};

class IStreamAttributes : public FUnknown
{
public:
  MURKWISP_VST3_IID(0xD6CE2FFC, 0xEFAF4B8C, 0x9E74F1BB, 0x12DA44B4)
  virtual tresult PLUGIN_API getFileName(String128 name) = 0;
  virtual IAttributeList* PLUGIN_API getAttributes() = 0;
  MURKWISP_VST3_INTERFACE(IStreamAttributes)
};

class IMessage : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x936F033B, 0xC6C047DB, 0xBB0882F8, 0x13C1E613)
  virtual FIDString PLUGIN_API getMessageID() = 0;
  virtual void PLUGIN_API setMessageID(FIDString id) = 0;
  virtual IAttributeList* PLUGIN_API getAttributes() = 0;
  MURKWISP_VST3_INTERFACE(IMessage)
};

class IConnectionPoint : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x70A4156F, 0x6E6E4026, 0x989148BF, 0xAA60D8D1)
  virtual tresult PLUGIN_API connect(IConnectionPoint* other) = 0;
  virtual tresult PLUGIN_API disconnect(IConnectionPoint* other) = 0;
  virtual tresult PLUGIN_API notify(IMessage* message) = 0;
  MURKWISP_VST3_INTERFACE(IConnectionPoint)
};

} // namespace Vst
} // namespace Steinberg
