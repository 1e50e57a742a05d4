// The VST3 object side of a control (VST3 module only).
#include "graphics/IControl.h"

#if defined(MURKWISP_API_VST3)

namespace ifx {
namespace igfx {

Steinberg::tresult PLUGIN_API IControl::queryInterface(const Steinberg::TUID iid, void** obj)
{
  if (!obj)
    return Steinberg::kInvalidArgument;
  if (Steinberg::IidEqual(iid, Steinberg::Vst::IContextMenuTarget::iid))
  {
    addRef();
    *obj = static_cast<Steinberg::Vst::IContextMenuTarget*>(this);
    return Steinberg::kResultOk;
  }
  return Steinberg::FObject::queryInterface(iid, obj);
}

Steinberg::uint32 PLUGIN_API IControl::addRef() { return Steinberg::FObject::addRef(); }

// The count is taken from the decrement itself: nothing of the control is
// read once it may have been deleted.
Steinberg::uint32 PLUGIN_API IControl::release() { return Steinberg::FObject::release(); }

Steinberg::tresult PLUGIN_API IControl::executeMenuItem(Steinberg::int32 tag)
{
  OnContextMenuChoice(tag);
  return Steinberg::kResultOk;
}

} // namespace igfx
} // namespace ifx

#endif
