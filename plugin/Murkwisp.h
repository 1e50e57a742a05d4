#pragma once
// The Murkwisp plug-in: a spectral pitch-shifting reverb. One object is the
// processor, the controller and the editor delegate, so the class stands on
// the wrapper of its format (Api: ifx::IFxVST3, ifx::IFxCLAP or, without a
// host, ifx::IFxHeadless), which each module's entry file names. All it does
// is the format-free plug-in code: MurkwispDsp and SetUpMurkwisp.
#include "plugin/MurkwispConfig.h"
#include "plugin/MurkwispDsp.h"

namespace ifx {
class IFxAPIBase;
}

namespace murkwisp {

// The framework timer, parameters, factory presets (starting on "Init"), the
// once-per-process version check and the editor's graphics and layout.
void SetUpMurkwisp(ifx::IFxAPIBase& plugin, const MurkwispDsp& dsp);

template <class Api>
class MurkwispPlugin final : public Api
{
public:
  // info: the format's creation arguments (each wrapper has its own).
  template <class InstanceInfo>
  explicit MurkwispPlugin(const InstanceInfo& info) : Api(info, MakeMurkwispConfig()), mDsp(*this, *this)
  {
    SetUpMurkwisp(*this, mDsp);
  }

  ~MurkwispPlugin() override
  {
    // OnIdle reads the meter senders, which go with mDsp before the
    // framework base (and its own StopTimer) does: no tick may come after
    // this point.
    this->StopTimer();
  }

  void ProcessBlock(double** inputs, double** outputs, int nFrames) noexcept override
  {
    mDsp.ProcessBlock(inputs, outputs, nFrames);
  }
  void OnReset() override { mDsp.Reset(); }
  void OnIdle() override { mDsp.FlushMetersToEditor(*this); }

  const MurkwispDsp& Dsp() const noexcept { return mDsp; }

private:
  MurkwispDsp mDsp;
};

} // namespace murkwisp
