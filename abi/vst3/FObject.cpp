#include "abi/vst3/FObject.h"

#include "abi/vst3/UpdateHandler.h"

namespace Steinberg {

FObject::~FObject()
{
  if (UpdateHandler* handler = UpdateHandler::instance(false))
    handler->forget(this);
}

tresult PLUGIN_API FObject::queryInterface(const TUID _iid, void** obj)
{
  if (!obj)
    return kInvalidArgument;
  if (IidEqual(_iid, FUnknown::iid))
    return AnswerInterface<FUnknown>(this, obj);
  *obj = nullptr;
  return kNoInterface;
}

uint32 PLUGIN_API FObject::addRef() { return static_cast<uint32>(refCount.fetch_add(1) + 1); }

uint32 PLUGIN_API FObject::release()
{
  const int32 count = refCount.fetch_sub(1) - 1;
  if (count == 0)
  {
    refCount.store(-1000);
    delete this;
    return 0;
  }
  return static_cast<uint32>(count);
}

void FObject::changed(int32 msg)
{
  if (UpdateHandler* handler = UpdateHandler::instance(false))
    handler->triggerUpdates(this, msg);
}

void FObject::addDependent(FObject* dependent) { UpdateHandler::instance()->addDependent(this, dependent); }

void FObject::removeDependent(FObject* dependent)
{
  if (UpdateHandler* handler = UpdateHandler::instance(false))
    handler->removeDependent(this, dependent);
}

} // namespace Steinberg
