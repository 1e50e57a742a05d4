#include "abi/vst3/CPluginView.h"

namespace Steinberg {

CPluginView::CPluginView(const ViewRect* r)
{
  if (r)
    rect = *r;
}

CPluginView::~CPluginView()
{
  if (plugFrame)
    plugFrame->release();
}

tresult PLUGIN_API CPluginView::attached(void* parent, FIDString type)
{
  systemWindow = parent;
  return kResultOk;
}

tresult PLUGIN_API CPluginView::removed()
{
  systemWindow = nullptr;
  return kResultOk;
}

tresult PLUGIN_API CPluginView::getSize(ViewRect* size)
{
  if (!size)
    return kInvalidArgument;
  *size = rect;
  return kResultTrue;
}

tresult PLUGIN_API CPluginView::onSize(ViewRect* newSize)
{
  if (!newSize)
    return kInvalidArgument;
  rect = *newSize;
  return kResultTrue;
}

tresult PLUGIN_API CPluginView::setFrame(IPlugFrame* frame)
{
  if (frame)
    frame->addRef();
  if (plugFrame)
    plugFrame->release();
  plugFrame = frame;
  return kResultTrue;
}

tresult PLUGIN_API CPluginView::queryInterface(const TUID _iid, void** obj)
{
  if (!obj)
    return kInvalidArgument;
  if (IidEqual(_iid, IPlugView::iid))
    return AnswerInterface<IPlugView>(this, obj);
  return FObject::queryInterface(_iid, obj);
}

} // namespace Steinberg
