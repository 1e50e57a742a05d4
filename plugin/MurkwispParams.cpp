#include "plugin/MurkwispParams.h"

#include "base/IEditorDelegate.h"
#include "base/IParam.h"

namespace murkwisp {

using ifx::IParam;

void ConfigureMurkwispParams(ifx::IEditorDelegate& delegate)
{
  auto percent = [&](int idx, const char* name, double defaultValue) {
    delegate.GetParam(idx)->ConfigureDouble(name, defaultValue, 0., 100., 1., "%");
  };

  percent(kParamInput, "Input", 100.);
  percent(kParamOutput, "Output", 100.);
  percent(kParamHaunt, "Haunt", 50.);
  percent(kParamPossess, "Possess", 50.);
  delegate.GetParam(kParamOctave)->ConfigureEnum("Octave", kOctaveCentre, 5, "", 0, "", "-2", "-1", "0", "+1", "+2");
  delegate.GetParam(kParamInterval)
    ->ConfigureEnum("Interval", 0, 12, "", 0, "", "Unison", "Minor 2nd", "Major 2nd", "Minor 3rd", "Major 3rd",
                    "Perfect 4th", "Tritone", "Perfect 5th", "Minor 6th", "Major 6th", "Minor 7th", "Major 7th");
  delegate.GetParam(kParamFine)->ConfigureDouble("Fine", 0., -50., 50., 1., "cents");
  percent(kParamFreeze, "Freeze", 0.);
  percent(kParamSmear, "Smear", 0.);
  percent(kParamWhisper, "Whisper", 0.);
  delegate.GetParam(kParamWhisperMode)->ConfigureEnum("Whisper Mode", 0, 2, "", 0, "", "Sizzle", "Fennows");
  percent(kParamResonance, "Resonance", 50.);
  percent(kParamMix, "Mix", 100.);
}

} // namespace murkwisp
