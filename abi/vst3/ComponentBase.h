#pragma once
// Common part of components and controllers: keeps the host context given
// to initialize and the peer connection point.
#include "abi/vst3/FObject.h"
#include "abi/vst3/Vst3Message.h"
#include "abi/vst3/Vst3PluginBase.h"

namespace Steinberg {
namespace Vst {

class ComponentBase
  : public FObject
  , public IPluginBase
  , public IConnectionPoint
{
public:
  ComponentBase() = default;
  ~ComponentBase() override;

  // A second initialize while a context is kept is refused.
  tresult PLUGIN_API initialize(FUnknown* context) override;
  tresult PLUGIN_API terminate() override;

  tresult PLUGIN_API connect(IConnectionPoint* other) override;
  tresult PLUGIN_API disconnect(IConnectionPoint* other) override;
  tresult PLUGIN_API notify(IMessage* message) override { return kResultFalse; }

  FUnknown* getHostContext() const { return hostContext; }
  IConnectionPoint* getPeer() const { return peerConnection; }

  MURKWISP_FOBJECT_REFCOUNT
  tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
  MURKWISP_FOBJECT_CLASS(ComponentBase, FObject)

protected:
  FUnknown* hostContext = nullptr;
  IConnectionPoint* peerConnection = nullptr;
};

} // namespace Vst
} // namespace Steinberg
