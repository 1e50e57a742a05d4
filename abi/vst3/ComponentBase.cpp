#include "abi/vst3/ComponentBase.h"

namespace Steinberg {
namespace Vst {

ComponentBase::~ComponentBase()
{
  if (peerConnection)
    peerConnection->release();
  if (hostContext)
    hostContext->release();
}

tresult PLUGIN_API ComponentBase::initialize(FUnknown* context)
{
  if (hostContext)
    return kResultFalse;
  hostContext = context;
  if (hostContext)
    hostContext->addRef();
  return kResultOk;
}

tresult PLUGIN_API ComponentBase::terminate()
{
  if (peerConnection)
  {
    peerConnection->release();
    peerConnection = nullptr;
  }
  if (hostContext)
  {
    hostContext->release();
    hostContext = nullptr;
  }
  return kResultOk;
}

tresult PLUGIN_API ComponentBase::connect(IConnectionPoint* other)
{
  if (!other)
    return kInvalidArgument;
  if (peerConnection)
    return kResultFalse;
  peerConnection = other;
  peerConnection->addRef();
  return kResultOk;
}

tresult PLUGIN_API ComponentBase::disconnect(IConnectionPoint* other)
{
  if (!peerConnection || other != peerConnection)
    return kResultFalse;
  peerConnection->release();
  peerConnection = nullptr;
  return kResultOk;
}

tresult PLUGIN_API ComponentBase::queryInterface(const TUID _iid, void** obj)
{
  if (!obj)
    return kInvalidArgument;
  if (IidEqual(_iid, IPluginBase::iid))
    return AnswerInterface<IPluginBase>(this, obj);
  if (IidEqual(_iid, IConnectionPoint::iid))
    return AnswerInterface<IConnectionPoint>(this, obj);
  return FObject::queryInterface(_iid, obj);
}

} // namespace Vst
} // namespace Steinberg
