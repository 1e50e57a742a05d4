#pragma once
// The VST3 adapter: one plug-in object serves a VST3 host as component,
// audio processor and edit controller at once (a single-component effect).
#include <atomic>
#include <thread>

#include "abi/vst3/SingleComponentEffect.h"
#include "abi/vst3/Vst3ChannelContext.h"
#include "abi/vst3/Vst3EditController.h"
#include "framework/IFxAPIBase.h"
#include "wrappers/vst3/IFxVST3ControllerBase.h"
#include "wrappers/vst3/IFxVST3Ids.h"
#include "wrappers/vst3/IFxVST3ProcessorBase.h"

namespace Steinberg {
class IPlugView;
}

namespace ifx {

class IFxVST3View;

namespace igfx {
class IControl;
class IGfx;
} // namespace igfx

// What the VST3 factory creates a plug-in with: nothing beyond its own
// configuration.
struct InstanceInfo
{};

class IFxVST3
  : public IFxAPIBase
  , public IFxVST3ProcessorBase
  , public Steinberg::Vst::SingleComponentEffect
  , public Steinberg::Vst::IMidiMapping
  , public Steinberg::Vst::ChannelContext::IInfoListener
  , public IFxVST3ControllerBase
{
public:
  IFxVST3(const InstanceInfo& info, const IPluginConfiguration& config);
  ~IFxVST3() override;

  // -- FUnknown ------------------------------------------------------------------
  MURKWISP_FOBJECT_REFCOUNT
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  MURKWISP_FOBJECT_CLASS(IFxVST3, SingleComponentEffect)

  // -- IPluginBase -----------------------------------------------------------------
  Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;
  Steinberg::tresult PLUGIN_API terminate() override;

  // -- IComponent / IAudioProcessor ----------------------------------------------------
  Steinberg::tresult PLUGIN_API setActive(Steinberg::TBool state) override;
  Steinberg::tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs, Steinberg::int32 numIns,
                                                   Steinberg::Vst::SpeakerArrangement* outputs,
                                                   Steinberg::int32 numOuts) override;
  Steinberg::tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 symbolicSampleSize) override;
  Steinberg::uint32 PLUGIN_API getLatencySamples() override;
  Steinberg::tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) override;
  Steinberg::tresult PLUGIN_API setProcessing(Steinberg::TBool state) override;
  Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) override;
  Steinberg::uint32 PLUGIN_API getTailSamples() override;

  // Component state: parameter doubles, then the 32-bit bypass flag.
  Steinberg::tresult setComponentStateFromHost(Steinberg::IBStream* state) override;
  Steinberg::tresult getComponentStateForHost(Steinberg::IBStream* state) override;
  // All state travels through the component.
  Steinberg::tresult setControllerState(Steinberg::IBStream* state) override { return Steinberg::kResultOk; }
  Steinberg::tresult getControllerState(Steinberg::IBStream* state) override { return Steinberg::kResultOk; }
  bool RestoreStateFromStream(Steinberg::IBStream* stream);

  // -- IEditController / IUnitInfo / IMidiMapping / IInfoListener ------------------------
  Steinberg::tresult PLUGIN_API setParamNormalized(Steinberg::Vst::ParamID tag,
                                                   Steinberg::Vst::ParamValue value) override;
  Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString name) override;
  Steinberg::tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId, Steinberg::int32 programIndex,
                                               Steinberg::Vst::String128 name) override;
  Steinberg::tresult PLUGIN_API getMidiControllerAssignment(Steinberg::int32 busIndex, Steinberg::int16 channel,
                                                            Steinberg::Vst::CtrlNumber midiControllerNumber,
                                                            Steinberg::Vst::ParamID& id) override;
  Steinberg::tresult PLUGIN_API setChannelContextInfos(Steinberg::Vst::IAttributeList* list) override;

  // -- Framework hooks -------------------------------------------------------------------
  void BeginHostParamGesture(int paramIdx) override;
  void EndHostParamGesture(int paramIdx) override;
  void NotifyHostParamValue(int paramIdx, double normalizedValue) override;
  void ApplyParamValueFromUI(int paramIdx, double normalizedValue) override;
  void ApplyAllParamValuesFromUI() override;
  void NotifyHostParamDetails() override;
  // Preset restores and preset-file loads: the parameter objects follow and
  // the host is told to read the values again.
  void OnStateRestored() override;
  void GetTrackColor(int& r, int& g, int& b) override;
  void GetTrackName(IString& out) override;
  int GetTrackIndex() override;
  void GetTrackNamespace(IString& out) override;
  int GetTrackNamespaceIndex() override;
  // Tells the host only of a real change, and only from the main thread; a
  // change on the audio thread waits for the next timer tick.
  void SetLatency(int samples) override;
  void DrainParamChangesForUI() override;

  // -- Editor ----------------------------------------------------------------------------
  // The editor's graphics, with the host's parameter context menu installed.
  igfx::IGfx* MakeEditorGraphics() override;
  // Asks the host for the parameter's context menu (when the component
  // handler offers IComponentHandler3 and a view is open), adds the items the
  // control put in the graphics' prompt menu and pops it up at the editor
  // point (x, y); the host's choice reaches the control's
  // OnContextMenuChoice.
  void PopupHostContextMenu(igfx::IGfx& g, igfx::IControl* control, int paramIdx, float x, float y);
  // The editor asks for a new size: the host's frame around the current view
  // is asked to resize, and the size is stored once the host has accepted
  // it (or when there is no frame to ask).
  bool ResizeHostEditor(int width, int height) override;
  // True while the host's frame is being asked to resize: its onSize comes
  // inside that call.
  bool IsResizingHost() const noexcept { return mResizingHost; }
  // The view opening the editor becomes the current one; a view made while
  // another's editor is open does not take its place.
  void MakeCurrentView(IFxVST3View* view) noexcept { mView = view; }
  // A view being destroyed: the plug-in forgets it when it is the current one.
  void ForgetView(const IFxVST3View* view) noexcept;

  const Steinberg::Vst::ProcessSetup& GetProcessSetup() const noexcept { return mSetup; }
  Steinberg::IPlugView* GetView() const noexcept;

protected:
  // Every parameter object takes its IParam's current value. The bypass
  // object is left alone: the host may have moved it ahead of the processor.
  void SyncParameterObjects();
  // The bypass object takes the processor's flag (initialize, host state).
  void SyncBypassObject();
  void FlushPendingLatencyChange();
  // Identifies the host from the initialize context's host-application
  // interface, when it offers one (version 0: VST3 hosts do not report one).
  void SetHost(Steinberg::FUnknown* context);

  Steinberg::Vst::ProcessSetup mSetup;
  // The view showing the editor, else the latest view createView made (the
  // host owns it); null once it is gone.
  IFxVST3View* mView = nullptr;

private:
  void TellHostLatencyChanged();
  bool OnMainThread() const noexcept { return std::this_thread::get_id() == mMainThread; }

  std::thread::id mMainThread;
  std::atomic<bool> mLatencyChangePending{false};
  bool mInitialized = false;
  bool mResizingHost = false;
};

} // namespace ifx
