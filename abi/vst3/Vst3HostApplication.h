#pragma once
// What the host offers on the context given to initialize.
#include "abi/vst3/Vst3Types.h"

namespace Steinberg {
namespace Vst {

class IHostApplication : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5)
  virtual tresult PLUGIN_API getName(String128 name) = 0;
  virtual tresult PLUGIN_API createInstance(TUID cid, TUID _iid, void** obj) = 0;
  MURKWISP_VST3_INTERFACE(IHostApplication)
};

class IPlugInterfaceSupport : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x4FB58B9E, 0x9EAA4E0F, 0xAB361C1C, 0xCCB56FEA)
  virtual tresult PLUGIN_API isPlugInterfaceSupported(const TUID _iid) = 0;
  MURKWISP_VST3_INTERFACE(IPlugInterfaceSupport)
};

} // namespace Vst
} // namespace Steinberg
