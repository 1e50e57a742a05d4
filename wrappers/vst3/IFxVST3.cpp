#include "wrappers/vst3/IFxVST3.h"

#include <cstring>
#include <new>

#include "base/EParamChangeSource.h"
#include "base/IParam.h"
#include "base/IPluginConfiguration.h"
#include "wrappers/vst3/IFxVST3Parameter.h"
#include "wrappers/vst3/IFxVST3View.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace ifx {

IFxVST3::IFxVST3(const InstanceInfo& /*info*/, const IPluginConfiguration& config)
  : IFxAPIBase(config), IFxVST3ProcessorBase(config, *this), mMainThread(std::this_thread::get_id())
{
  std::memset(&mSetup, 0, sizeof(mSetup));
  mSetup.symbolicSampleSize = kSample32;
  mSetup.maxSamplesPerBlock = GetBlockSize();
  mSetup.sampleRate = GetSampleRate();
  processContextRequirements =
    IProcessContextRequirements::kNeedProjectTimeMusic | IProcessContextRequirements::kNeedBarPositionMusic |
    IProcessContextRequirements::kNeedCycleMusic | IProcessContextRequirements::kNeedTempo |
    IProcessContextRequirements::kNeedTimeSignature | IProcessContextRequirements::kNeedTransportState;
}

IFxVST3::~IFxVST3() = default;

tresult PLUGIN_API IFxVST3::queryInterface(const TUID iid, void** obj)
{
  if (!obj)
    return kInvalidArgument;
  if (IidEqual(iid, IMidiMapping::iid))
    return AnswerInterface<IMidiMapping>(this, obj);
  if (IidEqual(iid, ChannelContext::IInfoListener::iid))
    return AnswerInterface<ChannelContext::IInfoListener>(this, obj);
  if (IidEqual(iid, IConnectionPoint::iid))
  {
    // Processor and controller are this one object: nothing to connect.
    *obj = nullptr;
    return kNoInterface;
  }
  // Component, audio processor, context requirements, units, then the edit
  // controller's own.
  return SingleComponentEffect::queryInterface(iid, obj);
}

tresult PLUGIN_API IFxVST3::initialize(FUnknown* context)
{
  if (mInitialized || hostContext)
    return kResultFalse;
  try
  {
    SingleComponentEffect::initialize(context);
    mInitialized = true;
    IFxVST3ProcessorBase::Initialize(*this);
    IFxVST3ControllerBase::Initialize(*this, *this, parameters, GetPluginKind() == 1, TakesMidiIn());
    SetHost(context);
    OnHostKnown();
    OnParamsReset(kChangeReset);
    SyncParameterObjects();
    SyncBypassObject();
  }
  catch (...)
  {
    return kOutOfMemory;
  }
  return kResultOk;
}

tresult PLUGIN_API IFxVST3::terminate()
{
  mBypassParameter = nullptr;
  removeAllUnits();
  mInitialized = false;
  return SingleComponentEffect::terminate();
}

tresult PLUGIN_API IFxVST3::setActive(TBool state)
{
  SetActive(state != 0);
  OnActivate(state != 0);
  FlushPendingLatencyChange();
  return kResultOk;
}

tresult PLUGIN_API IFxVST3::setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                                               int32 numOuts)
{
  try
  {
    return IFxVST3ProcessorBase::SetBusArrangements(*this, inputs, numIns, outputs, numOuts) ? kResultOk : kResultFalse;
  }
  catch (...)
  {
    return kResultFalse;
  }
}

tresult PLUGIN_API IFxVST3::canProcessSampleSize(int32 symbolicSampleSize)
{
  return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API IFxVST3::getLatencySamples()
{
  const int latency = GetLatency();
  return latency > 0 ? static_cast<uint32>(latency) : 0u;
}

tresult PLUGIN_API IFxVST3::setupProcessing(ProcessSetup& setup)
{
  try
  {
    return IFxVST3ProcessorBase::SetupProcessing(setup, mSetup) ? kResultOk : kResultFalse;
  }
  catch (...)
  {
    return kResultFalse;
  }
}

tresult PLUGIN_API IFxVST3::setProcessing(TBool state)
{
  if (!state)
    OnReset();
  return kResultOk;
}

tresult PLUGIN_API IFxVST3::process(ProcessData& data)
{
  ProcessVST3(data, mSetup, *this);
  return kResultOk;
}

uint32 PLUGIN_API IFxVST3::getTailSamples()
{
  const int tail = GetTailSize();
  if (tail == kInfiniteTailSize)
    return kInfiniteTail;
  return tail > 0 ? static_cast<uint32>(tail) : 0u;
}

IPlugView* PLUGIN_API IFxVST3::createView(FIDString name)
{
  if (!HasEditor() || !name || std::strcmp(name, "editor") != 0)
    return nullptr;
  auto* view = new (std::nothrow) IFxVST3View(*this);
  // An earlier view stays the host's; it forgets itself here when it goes.
  // While it shows the editor, resizes and context menus stay with it.
  if (view && !(mView && mView->OwnsEditor()))
    mView = view;
  return view;
}

void IFxVST3::ForgetView(const IFxVST3View* view) noexcept
{
  if (mView == view)
    mView = nullptr;
}

IPlugView* IFxVST3::GetView() const noexcept { return mView; }

bool IFxVST3::ResizeHostEditor(int width, int height)
{
  if (!HasEditor())
    return true;
  IPlugFrame* frame = mView ? mView->getFrame() : nullptr;
  if (!frame)
  {
    SetEditorSize(width, height);
    return true;
  }
  if (width == GetEditorWidth() && height == GetEditorHeight())
    return true;
  // The stored size is what the host's frame has: a refused size is not
  // stored, so that getSize keeps telling the host the truth and the same
  // size is asked for again next time.
  ViewRect size{0, 0, width, height};
  const bool outer = mResizingHost;
  mResizingHost = true;
  const tresult answer = frame->resizeView(mView, &size);
  mResizingHost = outer;
  if (answer == kResultTrue)
    SetEditorSize(width, height);
  return true;
}

void IFxVST3::SyncParameterObjects()
{
  for (int i = 0; i < NParams(); ++i)
    if (Parameter* p = parameters.getParameter(static_cast<ParamID>(i)))
      p->setNormalized(GetParam(i)->GetNormalized());
}

void IFxVST3::SyncBypassObject()
{
  if (Parameter* bypass = parameters.getParameter(kBypassParamId))
    bypass->setNormalized(IsBypassed() ? 1. : 0.);
}

void IFxVST3::SetLatency(int samples)
{
  const int previous = GetLatency();
  IFxVST3ProcessorBase::SetLatency(samples);
  if (samples == previous)
    return;
  if (OnMainThread())
    TellHostLatencyChanged();
  else
    mLatencyChangePending.store(true);
}

void IFxVST3::TellHostLatencyChanged()
{
  mLatencyChangePending.store(false);
  if (componentHandler)
    componentHandler->restartComponent(kLatencyChanged);
}

void IFxVST3::FlushPendingLatencyChange()
{
  if (OnMainThread() && mLatencyChangePending.load())
    TellHostLatencyChanged();
}

void IFxVST3::DrainParamChangesForUI()
{
  IFxAPIBase::DrainParamChangesForUI();
  FlushPendingLatencyChange();
}

} // namespace ifx
