#pragma once
// The editor view a VST3 host gets from createView("editor"): a thin object
// that forwards attach, removal, size, scale and keys to the plug-in's
// editor delegate. It keeps a reference on the plug-in for its whole life.
#include "abi/vst3/CPluginView.h"
#include "abi/vst3/Vst3PlugView.h"

namespace ifx {

class IFxVST3;

class IFxVST3View
  : public Steinberg::CPluginView
  , public Steinberg::IPlugViewContentScaleSupport
{
public:
  explicit IFxVST3View(IFxVST3& plug);
  ~IFxVST3View() override;

  MURKWISP_FOBJECT_REFCOUNT
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  MURKWISP_FOBJECT_CLASS(IFxVST3View, CPluginView)

  Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) override;
  // Opens the editor window in parent. Refused while already attached, and
  // when no window could be opened (the half-made editor is closed again).
  Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) override;
  // Closes the editor only when this view opened it.
  Steinberg::tresult PLUGIN_API removed() override;
  Steinberg::tresult PLUGIN_API getSize(Steinberg::ViewRect* size) override;
  // Takes any size within the editor's limits: the host's answer to the
  // editor's own resize request, or a size the host gave its frame, which
  // the editor then follows.
  Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) override;
  Steinberg::tresult PLUGIN_API canResize() override;
  Steinberg::tresult PLUGIN_API checkSizeConstraint(Steinberg::ViewRect* rect) override;
  Steinberg::tresult PLUGIN_API onKeyDown(Steinberg::char16 key, Steinberg::int16 keyCode,
                                          Steinberg::int16 modifiers) override;
  Steinberg::tresult PLUGIN_API onKeyUp(Steinberg::char16 key, Steinberg::int16 keyCode,
                                        Steinberg::int16 modifiers) override;
  // Scales the editor only when this view shows it.
  Steinberg::tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) override;

  // Whether this view's attach opened the editor that is open now.
  bool OwnsEditor() const noexcept { return mOwnsEditor; }

private:
  Steinberg::tresult OnKey(Steinberg::char16 key, Steinberg::int16 keyCode, Steinberg::int16 modifiers, bool isUp);

  IFxVST3& mPlug;
  bool mOwnsEditor = false;
};

} // namespace ifx
