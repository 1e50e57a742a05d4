#pragma once
// Base editor view: keeps the view rectangle, the host's frame and the
// parent window; everything else answers with the defaults.
#include "abi/vst3/FObject.h"
#include "abi/vst3/Vst3PlugView.h"

namespace Steinberg {

class CPluginView
  : public FObject
  , public IPlugView
{
public:
  explicit CPluginView(const ViewRect* rect = nullptr);
  ~CPluginView() override;

  tresult PLUGIN_API isPlatformTypeSupported(FIDString type) override { return kNotImplemented; }
  tresult PLUGIN_API attached(void* parent, FIDString type) override;
  tresult PLUGIN_API removed() override;
  tresult PLUGIN_API onWheel(float distance) override { return kResultFalse; }
  tresult PLUGIN_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) override { return kResultFalse; }
  tresult PLUGIN_API onKeyUp(char16 key, int16 keyCode, int16 modifiers) override { return kResultFalse; }
  tresult PLUGIN_API getSize(ViewRect* size) override;
  tresult PLUGIN_API onSize(ViewRect* newSize) override;
  tresult PLUGIN_API onFocus(TBool state) override { return kResultFalse; }
  // Keeps a reference on the frame until it is replaced or the view dies.
  tresult PLUGIN_API setFrame(IPlugFrame* frame) override;
  tresult PLUGIN_API canResize() override { return kResultFalse; }
  tresult PLUGIN_API checkSizeConstraint(ViewRect* rect) override { return kResultTrue; }

  const ViewRect& getRect() const { return rect; }
  void setRect(const ViewRect& r) { rect = r; }
  bool isAttached() const { return systemWindow != nullptr; }
  void* getSystemWindow() const { return systemWindow; }
  IPlugFrame* getFrame() const { return plugFrame; }

  MURKWISP_FOBJECT_REFCOUNT
  tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
  MURKWISP_FOBJECT_CLASS(CPluginView, FObject)

protected:
  ViewRect rect;
  void* systemWindow = nullptr;
  IPlugFrame* plugFrame = nullptr;
};

} // namespace Steinberg
