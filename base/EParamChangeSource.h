#pragma once

namespace ifx {

// Where a parameter change came from; the values travel through the
// delegate's change notifications and name the change in traces.
enum EParamChangeSource
{
  kChangeReset = 0,
  kChangeHost = 1,
  kChangePreset = 2,
  kChangeUI = 3,
  kChangeEditorDelegate = 4,
  kChangeRecompile = 5,
  kChangeUnknown = 6,
  kNumChangeSources
};

// "Reset", "Host", "Preset", "UI", "Editor Delegate", "Recompile", "Unknown";
// any value outside the list reads as "Unknown".
const char* ParamChangeSourceText(int source) noexcept;

} // namespace ifx
