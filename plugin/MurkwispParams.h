#pragma once

namespace ifx {
class IEditorDelegate;
}

namespace murkwisp {

enum EParamIdx
{
  kParamInput = 0,
  kParamOutput,
  kParamHaunt,
  kParamPossess,
  kParamOctave,
  kParamInterval,
  kParamFine,
  kParamFreeze,
  kParamSmear,
  kParamWhisper,
  kParamWhisperMode,
  kParamResonance,
  kParamMix,
  kParamCount
};

// Octave entry 2 is "0"; the block processor subtracts it to get the shift.
constexpr int kOctaveCentre = 2;

// Configures the delegate's parameters 0..kParamCount-1 in index order.
void ConfigureMurkwispParams(ifx::IEditorDelegate& delegate);

} // namespace murkwisp
